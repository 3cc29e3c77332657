#include "quotation_store_fixture.h"

using namespace corvane;
using namespace corvane::quotation;

class TestQuotationStore : public QObject {
    Q_OBJECT
private slots:
    void rows_data() { addBackendRows(); }
    // The six rows written and read back; satellites made once; saving,
    // cancelling and deleting.
    void rows() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        clean(site);
        QuotationStore store(site.program());
        CustomerStore customers(site.invoicing());
        QString error;
        QuotationRecord r = created(store, customers, 1, 1001, 1);
        QCOMPARE(r.com->VNDNRO, 1);
        QCOMPARE(r.transp->METEXPCODE, QStringLiteral("TRANSITARIO"));
        // Existing satellites stay as they are.
        QVERIFY(store.addSatellites(1001, *customers.satellites(4), &error));
        QCOMPARE(store.read(1001)->com->VNDNRO, 1);

        r.com->ROYNOM = QStringLiteral("Design Lã Portuguesa");
        r.com->ROY.PERC = 1.5;
        r.transp->DESP.VALFIXO = 25;
        r.cndpgt->PRZ.PERC = 0.75;
        r.desc->QTD.PERC = 2;
        OrcamTot totals;
        r = priced(r, {200, 500, 1000}, &totals);
        r.mas.CLINOM = QStringLiteral("Lanifícios Serra da Estrela, S.A. — Divisão de Acessórios"); // over 35
        r.mas.OBSERV1 = QStringLiteral("Amostra aprovada");
        QVERIFY2(store.save(r, &error), qPrintable(error));
        QuotationRecord back = *store.read(1001);
        QCOMPARE(back.mas.QUANT, (Levels{200, 500, 1000}));
        QCOMPARE(back.mas.VALORCLI, r.mas.VALORCLI);
        QCOMPARE(back.mas.PRECOCLI, r.mas.PRECOCLI);
        QCOMPARE(back.mas.CLINOM, r.mas.CLINOM.left(35));
        QCOMPARE(back.mas.OBSERV1, QStringLiteral("Amostra aprovada"));
        QCOMPARE(back.mas.VNDNRO, 1);
        QCOMPARE(back.com->ROYNOM, QStringLiteral("Design Lã Portuguesa"));
        QCOMPARE(back.com->VND.VALTOT, r.com->VND.VALTOT);
        QCOMPARE(back.transp->DESP.VALTOT, (Levels{25, 25, 25}));
        QCOMPARE(back.cndpgt->PRZ.PERC, 0.75);
        QCOMPARE(back.desc->QTD.VALTOT, r.desc->QTD.VALTOT);
        QVERIFY(!back.tot);

        // Closed: the totals stored; a second closing updates them.
        QVERIFY2(store.close(1, r, totals, &error), qPrintable(error));
        QCOMPARE(store.read(1001)->tot->MATERIAIS, totals.MATERIAIS);
        QCOMPARE(store.read(1001)->tot->MARGEMPRC, totals.MARGEMPRC);
        OrcamTot oneLevel;
        r = priced(r, {300, 0, 0}, &oneLevel);
        QVERIFY(store.close(1, r, oneLevel, &error));
        back = *store.read(1001);
        QCOMPARE(back.tot->MATERIAIS, (Levels{600, 0, 0}));
        QCOMPARE(back.mas.VALORCLI[1], 0.0);
        QCOMPARE(back.com->VND.VALTOT[2], 0.0);
        QCOMPARE(scalarInt(site, "SELECT COUNT(*) FROM ORCAMTOT"), 1);

        // Cancelling an opened quotation writes back the rows it had.
        const QuotationRecord opened = *store.read(1001);
        r = priced(opened, {50, 60, 70}, nullptr);
        QVERIFY(store.save(r));
        QVERIFY2(store.cancel(1001, opened, &error), qPrintable(error));
        QCOMPARE(store.read(1001)->mas.QUANT, (Levels{300, 0, 0}));
        QCOMPARE(store.read(1001)->mas.VALORCLI, opened.mas.VALORCLI);
        // ... and removes the satellites it did not have.
        QVERIFY(store.enter(1, 1002, {}, true).outcome == Entry::Outcome::Created);
        const QuotationRecord bare = *store.read(1002);
        QVERIFY(store.addSatellites(1002, *customers.satellites(2)));
        QCOMPARE(rowsOf(site, 1002), 5);
        QVERIFY(store.cancel(1002, bare, &error));
        QCOMPARE(rowsOf(site, 1002), 1);
        // A new quotation cancelled leaves no row.
        created(store, customers, 1, 1003, 3);
        QCOMPARE(rowsOf(site, 1003), 5);
        QVERIFY2(store.cancel(1003, std::nullopt, &error), qPrintable(error));
        QCOMPARE(rowsOf(site, 1003), 0);

        // Deleting: all six rows; a quotation never closed has five.
        QVERIFY(store.remove(1001, &error));
        QCOMPARE(rowsOf(site, 1001), 0);
        created(store, customers, 1, 1004, 4);
        QVERIFY(store.remove(1004, &error));
        QCOMPARE(rowsOf(site, 1004), 0);
        QCOMPARE(*store.lastNumber(), 1002);
        QVERIFY(!store.read(1004, &error));
        QCOMPARE(error, QStringLiteral("Registo não Existe 1004"));
        QVERIFY(!store.save(r, &error)); // 1001 is gone
        QCOMPARE(error, db::kDeletedByOther);
        QCOMPARE(rowsOf(site, 1001), 0);

        // A failure while deleting leaves every row.
        created(store, customers, 1, 1005, 1);
        site.program().setFailureHook([](const QString& sql, QString* message) {
            *message = kFailure;
            return sql.startsWith(QLatin1String("DELETE FROM ORCAMDESC"));
        });
        QVERIFY(!store.remove(1005, &error));
        site.program().setFailureHook({});
        QCOMPARE(error, kFailure);
        QCOMPARE(rowsOf(site, 1005), 5);
    }

    void approval_data() { addBackendRows(); }
    // A quotation approved while it is open: saving, closing, cancelling and
    // deleting refuse it and the approval stays; the approval and order
    // columns are never written.
    void approval() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        clean(site);
        QuotationStore store(site.program());
        CustomerStore customers(site.invoicing());
        QString error;
        OrcamTot totals;
        QuotationRecord r = priced(created(store, customers, 1, 1001, 1), {100, 200, 0}, &totals);
        QVERIFY(store.close(1, r, totals, &error));
        const QuotationRecord opened = *store.read(1001);

        // Order columns set outside while it is pending survive a save.
        site.exec(
            site.program(),
            QStringLiteral("UPDATE ORCAMMAS SET ENCANO = '2026', ENCSEMANA = '11', ENCCNRO = 77, PRECOAPROV "
                           "= 4.1 WHERE ORCNRO = 1001"));
        QVERIFY2(store.save(priced(opened, {150, 300, 0}, nullptr), &error), qPrintable(error));
        QuotationRecord back = *store.read(1001);
        QCOMPARE(back.mas.ENCCNRO, 77);
        QCOMPARE(back.mas.ENCSEMANA, QStringLiteral("11"));
        QCOMPARE(back.mas.PRECOAPROV, 4.1);
        QCOMPARE(back.mas.QUANT[0], 150.0);

        // Approved by another program while this one holds it open.
        site.exec(
            site.program(),
            QStringLiteral("UPDATE ORCAMMAS SET APROVADO = 'S', DATAAPROV = :D, VALORAPROV = 820, QTDAPROV = "
                           "200, MARGEMAPROVPRC = 20, MARGEMAPROVVAL = 164 WHERE ORCNRO = 1001"),
            {{"D", QDateTime(QDate(2026, 3, 9), QTime(0, 0))}});
        QVERIFY(!store.save(priced(opened, {900, 0, 0}, nullptr), &error));
        QCOMPARE(error, kApprovedMessage);
        QVERIFY(!store.close(1, priced(opened, {900, 0, 0}, nullptr), totals, &error));
        QCOMPARE(error, kApprovedMessage);
        QVERIFY(!store.cancel(1001, opened, &error));
        QCOMPARE(error, kApprovedMessage);
        QVERIFY(!store.remove(1001, &error));
        QCOMPARE(error, kApprovedMessage);
        QVERIFY(!store.addSatellites(1001, *customers.satellites(2), &error));
        QCOMPARE(error, kApprovedMessage);
        back = *store.read(1001);
        QVERIFY(back.mas.approved());
        QCOMPARE(back.mas.QUANT[0], 150.0);
        QCOMPARE(back.mas.DATAAPROV.date(), QDate(2026, 3, 9));
        QCOMPARE(back.mas.VALORAPROV, 820.0);
        QCOMPARE(back.mas.MARGEMAPROVVAL, 164.0);
        QCOMPARE(rowsOf(site, 1001), 5); // its totals went with the quantities changed
        QCOMPARE(counter(site, 1), 1001);
        // Entering its number refuses it.
        const Entry e = store.enter(1, 1001, {}, false);
        QCOMPARE(int(e.outcome), int(Entry::Outcome::Approved));
        QCOMPARE(e.message, kApprovedMessage);
    }

    void vanishedRows_data() { addBackendRows(); }
    // Rows another user deleted are never written as if nothing happened: a
    // save missing a charge row, a deletion or cancelling of a quotation that
    // is gone fail with kDeletedByOther and change nothing.
    void vanishedRows() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        clean(site);
        QuotationStore store(site.program());
        CustomerStore customers(site.invoicing());
        QString error;
        const QuotationRecord r = priced(created(store, customers, 1, 1001, 1), {100, 0, 0}, nullptr);
        QVERIFY(store.save(r, &error));
        site.exec(site.program(), "DELETE FROM ORCAMTRANSP WHERE ORCNRO = 1001");
        QVERIFY(!store.save(priced(r, {300, 0, 0}, nullptr), &error));
        QCOMPARE(error, db::kDeletedByOther);
        QCOMPARE(store.read(1001)->mas.QUANT[0], 100.0); // the master row's update rolled back
        QVERIFY(!store.read(1001)->transp);

        for (const QString& t : kTables)
            site.exec(site.program(), QStringLiteral("DELETE FROM %1 WHERE ORCNRO = 1001").arg(t));
        QVERIFY(!store.remove(1001, &error));
        QCOMPARE(error, db::kDeletedByOther);
        QVERIFY(!store.cancel(1001, std::nullopt, &error));
        QCOMPARE(error, db::kDeletedByOther);
        QVERIFY(!store.setCustomer(1001, 2, QStringLiteral("X"), *customers.satellites(2), &error));
        QCOMPARE(error, db::kDeletedByOther);
        QCOMPARE(rowsOf(site, 1001), 0);
    }

    void orphansAndCustomer_data() { addBackendRows(); }
    // Rows a vanished quotation left do not reach a new quotation of its
    // number; a new quotation cancelled leaves no totals behind; the charges
    // follow the customer until the quotation is first calculated.
    void orphansAndCustomer() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        clean(site);
        QuotationStore store(site.program());
        CustomerStore customers(site.invoicing());
        QString error;
        const Satellites one = *customers.satellites(1);
        const Satellites five = *customers.satellites(5);
        QVERIFY(one.com.VNDNRO != five.com.VNDNRO || one.com.AGTNRO != five.com.AGTNRO);
        site.exec(site.program(), "INSERT INTO ORCAMTOT (ORCNRO, MATERIAIS1) VALUES (1001, 99)");
        site.exec(site.program(), "INSERT INTO ORCAMCOM (ORCNRO, VNDNRO) VALUES (1001, 77)");
        Entry e = store.enter(1, 1001, {}, true);
        QCOMPARE(int(e.outcome), int(Entry::Outcome::Created));
        QVERIFY(!e.record.tot && !e.record.com);
        QCOMPARE(rowsOf(site, 1001), 1);

        // Customer 5, then 1 before any calculation: customer 1's charges.
        QVERIFY2(store.setCustomer(1001, 5, QStringLiteral("CINCO"), five, &error), qPrintable(error));
        QCOMPARE(store.read(1001)->mas.CLINRO, 5);
        QCOMPARE(store.read(1001)->com->VNDNRO, five.com.VNDNRO);
        QVERIFY(store.setCustomer(1001, 1, QStringLiteral("UM"), one, &error));
        QuotationRecord back = *store.read(1001);
        QCOMPARE(back.mas.CLINRO, 1);
        QCOMPARE(back.mas.CLINOM, QStringLiteral("UM"));
        QCOMPARE(back.com->VNDNRO, one.com.VNDNRO);
        QCOMPARE(back.com->AGTNRO, one.com.AGTNRO);
        QCOMPARE(back.cndpgt->CNDPGTCODE, one.cndpgt.CNDPGTCODE);
        QCOMPARE(back.transp->METEXPCODE, one.transp.METEXPCODE);
        QCOMPARE(rowsOf(site, 1001), 5);
        // Calculated: the charges as priced stay with another customer.
        back.com->ROY.PERC = 1.5;
        QVERIFY(store.save(priced(back, {100, 0, 0}, nullptr), &error));
        QVERIFY(store.setCustomer(1001, 5, QStringLiteral("CINCO"), five, &error));
        back = *store.read(1001);
        QCOMPARE(back.mas.CLINRO, 5);
        QCOMPARE(back.com->VNDNRO, one.com.VNDNRO);
        QCOMPARE(back.com->ROY.PERC, 1.5);

        // Cancelling it as a new quotation takes its totals too: none wait for
        // a later quotation of its number.
        OrcamTot totals;
        QVERIFY(store.close(1, priced(back, {100, 0, 0}, &totals), totals, &error));
        QVERIFY(store.cancel(1001, std::nullopt, &error));
        QCOMPARE(rowsOf(site, 1001), 0);
    }

    void closingFailure_data() { addBackendRows(); }
    // A closing that fails at its last statement: the server's message, no
    // counter raised, the rows as they were.
    void closingFailure() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        clean(site);
        QuotationStore store(site.program());
        CustomerStore customers(site.invoicing());
        QString error;
        OrcamTot totals;
        const QuotationRecord r = priced(created(store, customers, 1, 1001, 1), {100, 0, 0}, &totals);
        QVERIFY(store.save(r, &error));
        for (const char* failing : {"UPDATE PARGER", "INSERT INTO ORCAMTOT", "UPDATE ORCAMCOM"}) {
            site.program().setFailureHook([failing](const QString& sql, QString* message) {
                *message = kFailure;
                return sql.startsWith(QLatin1String(failing));
            });
            const QuotationRecord changed = priced(r, {400, 800, 0}, &totals);
            QVERIFY(!store.close(1, changed, totals, &error));
            site.program().setFailureHook({});
            QCOMPARE(error, kFailure);
            QCOMPARE(counter(site, 1), 1000);
            const QuotationRecord back = *store.read(1001);
            QVERIFY2(!back.tot, failing);
            QCOMPARE(back.mas.QUANT, (Levels{100, 0, 0}));
            QCOMPARE(back.com->VND.VALTOT, r.com->VND.VALTOT);
        }
        QVERIFY2(store.close(1, r, totals, &error), qPrintable(error));
        QCOMPARE(counter(site, 1), 1001);
    }

    void costSnapshot_data() { addBackendRows(); }
    // Closing keeps what the quotation was costed on: its sheet's cost a
    // piece and unit costs, with the date; the sheet re-costed later does not
    // change it; a change after closing, a failed closing and deleting leave
    // none.
    void costSnapshot() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        clean(site);
        QuotationStore store(site.program());
        CustomerStore customers(site.invoicing());
        QString error;
        OrcamTot totals;
        const QuotationRecord r = priced(created(store, customers, 1, 1001, 1), {200, 500, 0}, &totals);
        QVERIFY(store.save(r, &error));
        const QString snapshot =
            QStringLiteral("SELECT CUSTOFICHA, CUSTOMAT, CUSTOTRA1, CUSTOTRA2, CUSTOTRA3, "
                           "DATACUSTO FROM ORCAMCUSTO WHERE ORCNRO = 1001");
        site.program().setFailureHook([](const QString& sql, QString* message) {
            *message = kFailure;
            return sql.startsWith(QLatin1String("UPDATE PARGER"));
        });
        QVERIFY(!store.close(1, r, totals, &error));
        site.program().setFailureHook({});
        QVERIFY(selectRows(site.program(), snapshot).isEmpty());

        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        QVERIFY2(store.close(1, r, totals, &error), qPrintable(error));
        const double sheetCost =
            site.program()
                .scalar(QStringLiteral("SELECT SUM(VALOR_FINAL) FROM FICTECDET WHERE ARTIGO = 'CHCLA01.PRE'"))
                ->toDouble();
        QList<QVariantList> kept = selectRows(site.program(), snapshot);
        QCOMPARE(kept.size(), 1);
        QVERIFY(sheetCost > 20); // a knitted scarf: some 25 a piece
        QVERIFY(std::abs(kept[0][0].toDouble() - sheetCost) < 1e-6);
        QVERIFY(kept[0][1].toDouble() > 0);
        // The set-up is shared by more pieces at the larger level.
        QVERIFY(kept[0][2].toDouble() >= kept[0][3].toDouble() && kept[0][3].toDouble() > 0);
        QCOMPARE(kept[0][4].toDouble(), 0.0);
        QVERIFY(kept[0][5].toDateTime() >= before);

        site.exec(site.program(), QStringLiteral("UPDATE FICTECDET SET VALOR_FINAL = VALOR_FINAL * 2"));
        QCOMPARE(selectRows(site.program(), snapshot), kept);

        QVERIFY(store.save(priced(r, {300, 0, 0}, nullptr), &error)); // changed: open again
        QVERIFY(selectRows(site.program(), snapshot).isEmpty());
        QVERIFY(store.close(1, r, totals, &error));
        QVERIFY(std::abs(selectRows(site.program(), snapshot)[0][0].toDouble() - 2 * sheetCost) < 1e-6);
        QVERIFY(store.remove(1001, &error));
        QVERIFY(selectRows(site.program(), snapshot).isEmpty());
    }

    void priceChart_data() { addBackendRows(); }
    // Each user's slices replaced as a whole; a failure keeps the previous ones.
    void priceChart() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        clean(site);
        QuotationStore store(site.program());
        // The slices are the figures: base and commercial cost as the sums of their parts.
        LevelValues v;
        v.cost[0].Mat = v.cost[0].Base = 341;
        v.Com[0] = v.Chg[0] = 22.73;
        v.Mg[0] = 90.93333;
        v.cost[1].Mat = v.cost[1].Base = 600;
        v.Com[1] = v.Chg[1] = 40;
        v.Mg[1] = 160.004;
        QString error;
        QVERIFY(store.writePriceChart("ANA", priceChartSlices(v, 1), &error));
        QVERIFY(store.writePriceChart("DEMO", priceChartSlices(v, 2), &error));
        QList<ChartSlice> ana = *store.priceChart("ANA");
        QCOMPARE(ana.size(), 3);
        QCOMPARE(ana[0].LEGENDA, QStringLiteral("Cust.Base"));
        QCOMPARE(ana[1].LEGENDA, QStringLiteral("C.Comerc."));
        QCOMPARE(ana[2].LEGENDA, QStringLiteral("Margem"));
        QCOMPARE(ana[2].VALOR, 90.93);
        // Level 2 replaces level 1; it never adds to it.
        QVERIFY(store.writePriceChart("ANA", priceChartSlices(v, 2), &error));
        ana = *store.priceChart("ANA");
        QCOMPARE(ana[0].VALOR, 600.0);
        QCOMPARE(ana[2].VALOR, 160.0);
        site.program().setFailureHook([](const QString& sql, QString* message) {
            *message = kFailure;
            return sql.startsWith(QLatin1String("INSERT INTO SALDOS"));
        });
        QVERIFY(!store.writePriceChart("ANA", priceChartSlices(v, 1), &error));
        site.program().setFailureHook({});
        QCOMPARE(error, kFailure);
        QCOMPARE(store.priceChart("ANA")->at(0).VALOR, 600.0);
        QCOMPARE(store.priceChart("DEMO")->size(), 3);
        QVERIFY(store.writePriceChart("ANA", {}, &error));
        QVERIFY(store.priceChart("ANA")->isEmpty());
        QCOMPARE(store.priceChart("DEMO")->size(), 3);
    }

    void customerDefaults_data() { addBackendRows(); }
    // The satellites of a new quotation from the demo customers' defaults.
    void customerDefaults() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        CustomerStore customers(site.invoicing());
        // Every default there: seller 1 (code 2, 5 %), agent 1 (code 1, 2.5 %).
        Satellites s = *customers.satellites(1);
        QCOMPARE(s.com.VNDNRO, 1);
        QCOMPARE(s.com.VNDNOM, QStringLiteral("Rui Martins"));
        QCOMPARE(s.com.VND.PERC, 5.0);
        QCOMPARE(s.com.AGTNRO, 1);
        QCOMPARE(s.com.AGT.PERC, 2.5);
        QCOMPARE(s.transp.METEXPCODE, QStringLiteral("TRANSITARIO"));
        QCOMPARE(s.transp.METEXP.PERC, 3.5);
        QCOMPARE(s.cndpgt.CNDPGTCODE, 2);
        QCOMPARE(s.cndpgt.CNDPGTDES, QStringLiteral("Transferência"));
        QCOMPARE(s.cndpgt.CNDPGTDIAS, 60.0);
        QCOMPARE(s.cndpgt.DESC.PERC, 0.0);
        QCOMPARE(s.cndpgt.CNDPGT.PERC + s.cndpgt.PRZ.PERC + s.transp.SEG.PERC + s.desc.QTD.PERC, 0.0);
        // Without a seller; paid in cash with a 2 % early-payment discount.
        s = *customers.satellites(2);
        QCOMPARE(s.com.VNDNRO, 0);
        QVERIFY(s.com.VNDNOM.isEmpty());
        QCOMPARE(s.com.VND.PERC, 0.0);
        QCOMPARE(s.cndpgt.CNDPGTDES, QStringLiteral("Dinheiro"));
        QCOMPARE(s.cndpgt.DESC.PERC, 2.0);
        // A seller that does not exist: no name, no percent; paid by cheque.
        s = *customers.satellites(3);
        QCOMPARE(s.com.VNDNRO, 9);
        QVERIFY(s.com.VNDNOM.isEmpty());
        QCOMPARE(s.com.VND.PERC, 0.0);
        QCOMPARE(s.com.AGTNOM, QStringLiteral("Representações Ibéricas"));
        QCOMPARE(s.cndpgt.CNDPGTDES, QStringLiteral("Cheque"));
        QCOMPARE(s.transp.METEXP.PERC, 0.0);
        s = *customers.satellites(4);
        QCOMPARE(s.cndpgt.CNDPGTDES, QStringLiteral("Letra"));
        QCOMPARE(s.com.VND.PERC, 2.5);
        // A seller whose commission code does not exist; a condition without a document type.
        s = *customers.satellites(5);
        QCOMPARE(s.com.VNDNOM, QStringLiteral("Paulo Teixeira"));
        QCOMPARE(s.com.VND.PERC, 0.0);
        QCOMPARE(s.cndpgt.CNDPGTDES, QStringLiteral("30 dias data da factura"));
        QCOMPARE(s.cndpgt.DESC.PERC, 1.0);
        // A payment condition that does not exist.
        s = *customers.satellites(6);
        QCOMPARE(s.cndpgt.CNDPGTCODE, 8);
        QVERIFY(s.cndpgt.CNDPGTDES.isEmpty());
        QCOMPARE(s.cndpgt.CNDPGTDIAS, 0.0);
        // A shipping method that does not exist is emptied.
        site.exec(site.invoicing(),
                  QStringLiteral("UPDATE CLIENTES SET METEXPEDICAO = 'AVIAO' WHERE CODIGO = 7"));
        s = *customers.satellites(7);
        QVERIFY(s.transp.METEXPCODE.isEmpty());
        QCOMPARE(s.transp.METEXP.PERC, 0.0);
        QString error;
        QVERIFY(!customers.satellites(99, &error));
        QCOMPARE(error, QStringLiteral("Cliente Inexistente : 99"));
        QCOMPARE((*customers.customer(4))->NOME, QStringLiteral("SILVA & FILHOS"));
        QCOMPARE((*customers.customer(5))->NOME, QStringLiteral("D'Almeida Acessórios de Moda, Lda."));
        QVERIFY(!customers.customer(99)->has_value());
    }

    void unitCosts_data() { addBackendRows(); }
    // The unit costs of a product from its sheet with its kind; of a
    // technical product record from its copy.
    void unitCosts() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        db::Database& db = site.program();
        const Levels q{100, 500, 2000};
        const CostTypes types = *readCostTypes(db);
        // The woven scarf's loom minutes cost PRECO each, not PRECO / 60 as
        // on a printed scarf's machine.
        const QString woven = QStringLiteral("CHCAC01.PRE");
        std::vector<FictecDetLine> lines = *techsheet::SheetStore(db).lines(woven);
        std::stable_sort(lines.begin(), lines.end(), [](const FictecDetLine& a, const FictecDetLine& b) {
            return a.RELACFICTEC < b.RELACFICTEC;
        });
        Notes notes;
        const QuotedSheet sheet = *quotedSheet(db, woven, "P");
        QCOMPARE(sheet.kind, techsheet::kWovenScarf);
        QCOMPARE(sheet.rows.size(), lines.size());
        const UnitCosts expected = buildUnitCosts(lines, types, q, notes, techsheet::kWovenScarf);
        const UnitCosts asPrinted = buildUnitCosts(lines, types, q, notes, techsheet::kPrintedScarf);
        QVERIFY(expected.Tr[0] > asPrinted.Tr[0]); // the kind counts
        UnitCosts u = *sheetUnitCosts(db, woven, "P", q, notes);
        QVERIFY(notes.messages.isEmpty());
        QCOMPARE(u.M, expected.M);
        QCOMPARE(u.Tr, expected.Tr);
        QCOMPARE(u.W, expected.W);
        QCOMPARE(u.s, expected.s);

        // The demo's record of the knitted hat is a copy of its sheet.
        const UnitCosts product = *sheetUnitCosts(db, "GORAC02.PRE", "P", q, notes);
        UnitCosts record = *sheetUnitCosts(db, "GORAC02.PRE", "T", q, notes);
        QCOMPARE(record.M, product.M);
        QCOMPARE(record.Tr, product.Tr);
        QCOMPARE(record.E, product.E);
        // The record's own lines count, not the live sheet's.
        const int material = scalarInt(
            site,
            "SELECT MIN(D.DETAIL) FROM O_FICTECDET D JOIN TIPOCUSTO T ON T.CODIGO = D.TIPO WHERE D.ARTIGO = "
            "'GORAC02.PRE' AND T.CLAS_ORC = 1");
        site.exec(db, "UPDATE O_FICTECDET SET VALOR = VALOR + 1 WHERE ARTIGO = 'GORAC02.PRE' AND DETAIL = :D",
                  {{"D", material}});
        record = *sheetUnitCosts(db, "GORAC02.PRE", "T", q, notes);
        QVERIFY(qAbs(record.M - (product.M + 1)) < 1e-9);
        QCOMPARE(sheetUnitCosts(db, "GORAC02.PRE", "P", q, notes)->M, product.M);
        // An unknown cost type is left out with its message.
        site.exec(db, "UPDATE O_FICTECDET SET TIPO = 999 WHERE ARTIGO = 'GORAC02.PRE' AND DETAIL = :D",
                  {{"D", material}});
        notes = {};
        record = *sheetUnitCosts(db, "GORAC02.PRE", "T", q, notes);
        QVERIFY(notes.messages.contains(QStringLiteral("Tipo de Custo Inexistente : 999")));
    }
};

QTEST_GUILESS_MAIN(TestQuotationStore)
#include "test_quotation_store.moc"
