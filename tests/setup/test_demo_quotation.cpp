// The demo sheets' lines, summed per budget class, are what the quotation
// calculation builds the cost of a piece from, on both backends: every line
// counts in its class, and the machine-time lines cost their minutes at the
// price the sheet costed them at.
#include "support/test_site.h"

#include "quotation/quotation_calc.h"
#include "quotation/store/customer_store.h"
#include "quotation/store/quotation_lookups.h"
#include "quotation/store/quotation_store.h"
#include "techsheet/store/sheet_store.h"

#include <QtTest>

#include <algorithm>

using namespace corvane;
using techsheet::FictecDetLine;

namespace {

const QStringList kDemoSheets{QStringLiteral("CHCAC01.PRE"), QStringLiteral("CHCLA01.PRE"),
                              QStringLiteral("ECHVI01.PRE"), QStringLiteral("GORAC02.PRE")};
// The fixed input of the quotation: three quantities and a 20 % net margin.
constexpr quotation::Levels kQuantities{100, 500, 2000};
constexpr double kMargin = 20;
constexpr int kTimeClass = 2;
constexpr int kQualityCostType = 4;

// The sheet's lines summed per budget class with SQL: the value of a piece,
// the minutes' cost of each level (set-up once, minutes per piece × the
// quantity), the waste, and how many lines the class has.
struct ClassSums {
    double value = 0;
    std::array<double, 3> time{};
    double waste = 0;
    double quantity = 0; // the last line's (the structure percent)
    int lines = 0;
};

QMap<int, ClassSums> classSums(db::Database& db, const QString& article) {
    QMap<int, ClassSums> out;
    // The price of a minute: PRECO is per hour on the knitting line, the
    // machine steps and the printing machine.
    const QString minutes = QStringLiteral(
        "CASE WHEN D.RELACFICTEC IN ('A', 'C', 'E', 'F', 'V', 'R', 'M', 'S') OR (D.RELACFICTEC = 'T' AND "
        "M.TIPOFICTEC = 'CI') THEN D.PRECO / 60 ELSE D.PRECO END * (COALESCE(D.TMPACE, 0) + "
        "COALESCE(D.TMP_SEMACERTO, 0) * :Q%1)");
    for (const QVariantList& r :
         selectRows(db,
                    QStringLiteral("SELECT T.CLAS_ORC, SUM(D.VALOR), SUM(%1), SUM(%2), SUM(%3), "
                                   "SUM(COALESCE(T.DESPERD, 0) * D.VALOR / 100), MAX(D.QUANT), COUNT(*) "
                                   "FROM FICTECDET D JOIN TIPOCUSTO T ON T.CODIGO = D.TIPO JOIN FICTECMAS M "
                                   "ON M.CODIGO = D.ARTIGO "
                                   "WHERE D.ARTIGO = :A "
                                   "GROUP BY T.CLAS_ORC")
                        .arg(minutes.arg(1), minutes.arg(2), minutes.arg(3)),
                    {{QStringLiteral("A"), article},
                     {QStringLiteral("Q1"), kQuantities[0]},
                     {QStringLiteral("Q2"), kQuantities[1]},
                     {QStringLiteral("Q3"), kQuantities[2]}})) {
        ClassSums& s = out[r.value(0).toInt()];
        s.value = r.value(1).toDouble();
        s.time = {r.value(2).toDouble(), r.value(3).toDouble(), r.value(4).toDouble()};
        s.waste = r.value(5).toDouble();
        s.quantity = r.value(6).toDouble();
        s.lines = r.value(7).toInt();
    }
    return out;
}

// The lines as the quotation reads them: the article's, in step order.
std::vector<FictecDetLine> quotedLines(db::Database& db, const QString& article) {
    std::vector<FictecDetLine> lines =
        techsheet::SheetStore(db).lines(article).value_or(std::vector<FictecDetLine>{});
    std::stable_sort(lines.begin(), lines.end(), [](const FictecDetLine& a, const FictecDetLine& b) {
        return a.RELACFICTEC < b.RELACFICTEC;
    });
    return lines;
}

techsheet::CostTypes costTypes(db::Database& db) {
    techsheet::CostTypes out;
    for (const QVariantList& r :
         selectRows(db, QStringLiteral("SELECT CODIGO, DESPERD, CLAS_ORC FROM TIPOCUSTO")))
        out.push_back({r.value(0).toInt(), r.value(1).toDouble(), r.value(2).toInt()});
    return out;
}

bool near(double a, double b) {
    return qAbs(a - b) <= 1e-9 * std::max({1.0, qAbs(a), qAbs(b)});
}

#define COMPARE_NEAR(actual, expected)                                                                       \
    QVERIFY2(near((actual), (expected)), qPrintable(QStringLiteral("%1: %2 against %3")                      \
                                                        .arg(#actual)                                        \
                                                        .arg(actual, 0, 'g', 15)                             \
                                                        .arg(expected, 0, 'g', 15)))

} // namespace

class TestDemoQuotation : public QObject {
    Q_OBJECT
private slots:
    void classTotalsOfEachSheet_data() { addBackendRows(); }
    // For each demo sheet, with 100, 500 and 2000 pieces and a 20 % margin:
    // the quotation's unit components and level costs are the sheet's class
    // sums, no line is left out, and each machine-time line's price is what
    // one of its minutes cost on the sheet.
    void classTotalsOfEachSheet() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        db::Database& db = site.program();
        const techsheet::CostTypes types = costTypes(db);
        for (const QString& article : kDemoSheets) {
            const std::vector<FictecDetLine> lines = quotedLines(db, article);
            QVERIFY2(lines.size() >= 5, qPrintable(article));
            const QMap<int, ClassSums> sums = classSums(db, article);
            int classified = 0;
            for (const ClassSums& s : sums)
                classified += s.lines;
            // Every line has a cost type of a budget class the quotation knows.
            QCOMPARE(classified, int(lines.size()));
            for (auto it = sums.cbegin(); it != sums.cend(); ++it)
                QVERIFY2(it.key() >= 1 && it.key() <= 7, qPrintable(article));

            techsheet::Notes notes;
            const QString kind =
                selectRows(db, QStringLiteral("SELECT TIPOFICTEC FROM FICTECMAS WHERE CODIGO = :A"),
                           {{QStringLiteral("A"), article}})
                    .value(0)
                    .value(0)
                    .toString();
            const quotation::UnitCosts unit =
                quotation::buildUnitCosts(lines, types, kQuantities, notes, kind);
            QVERIFY2(notes.messages.isEmpty(), qPrintable(article + ": " + notes.messages.join("; ")));
            double waste = 0;
            for (const ClassSums& s : sums)
                waste += s.waste;
            const double quality =
                selectRows(db,
                           QStringLiteral("SELECT COALESCE(SUM(VALOR), 0) FROM FICTECDET "
                                          "WHERE ARTIGO = :A AND TIPO = :T"),
                           {{QStringLiteral("A"), article}, {QStringLiteral("T"), kQualityCostType}})
                    .value(0)
                    .value(0)
                    .toDouble();
            COMPARE_NEAR(unit.M, sums.value(1).value);
            COMPARE_NEAR(unit.F, sums.value(3).value);
            COMPARE_NEAR(unit.E, sums.value(6).value);
            COMPARE_NEAR(unit.C, sums.value(7).value);
            COMPARE_NEAR(unit.QL, quality);
            COMPARE_NEAR(unit.W, waste);
            COMPARE_NEAR(unit.s, sums.value(5).lines > 0 ? sums.value(5).quantity : 0.0);
            for (std::size_t i = 0; i < 3; ++i)
                COMPARE_NEAR(unit.Tr[i], sums.value(kTimeClass).time[i]);

            // The cost of each level is built from those sums.
            quotation::Quotation q;
            q.mas.QUANT = kQuantities;
            q.mas.MARGEMLIQ = kMargin;
            quotation::LevelValues values;
            QVERIFY(quotation::calculateQuotation(q, unit, values, notes));
            for (std::size_t i = 0; i < 3; ++i) {
                const double n = kQuantities[i];
                const quotation::LevelCost& c = values.cost[i];
                COMPARE_NEAR(c.Mat, n * sums.value(1).value);
                COMPARE_NEAR(c.Tra, sums.value(kTimeClass).time[i]);
                COMPARE_NEAR(c.Fix, sums.value(3).value);
                COMPARE_NEAR(c.Sub, n * sums.value(7).value);
                COMPARE_NEAR(c.Was, n * waste);
                QCOMPARE(c.Pac, std::round(n * sums.value(6).value * 100) / 100);
                QVERIFY(c.Base > c.Mat + c.Tra + c.Fix);
                QVERIFY(values.V[i] > c.Base);
            }

            // A machine-time line costs its minutes at the price of a minute,
            // as the quotation charges them (the sheet costs typed minutes as
            // whole ones).
            for (const FictecDetLine& l : lines) {
                const techsheet::TipoCusto* t = techsheet::findCostType(types, l.TIPO);
                if (!t || t->CLAS_ORC != kTimeClass)
                    continue;
                const bool perHour =
                    QStringList{"A", "C", "E", "F", "V", "R", "M", "S"}.contains(l.RELACFICTEC) ||
                    (l.RELACFICTEC == QLatin1String("T") && kind == QLatin1String("CI"));
                const double price = perHour ? l.PRECO / 60 : l.PRECO;
                QVERIFY2(l.QUANT > 0 && qAbs(price * l.QUANT - l.VALOR) <= 0.5 * price + 0.005,
                         qPrintable(QStringLiteral("%1 %2 %3: %4 min at %5 against %6")
                                        .arg(article, l.RELACFICTEC, l.CODIGOMP)
                                        .arg(l.QUANT)
                                        .arg(l.PRECO)
                                        .arg(l.VALOR)));
            }
        }
    }

    void quotationsOfTheDemo_data() { addBackendRows(); }
    // The demo quotations: each series' counter at its last closed
    // quotation, every closed one's totals and prices those the calculation
    // gives from its sheet and charges, and one of each state.
    void quotationsOfTheDemo() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        db::Database& db = site.program();
        quotation::QuotationStore store(db);
        QMap<QString, int> states;
        for (int series : {1, 2}) {
            const int counter = *store.counter(series);
            const QList<QVariantList> numbers = selectRows(
                db,
                QStringLiteral("SELECT M.ORCNRO, (SELECT COUNT(*) FROM ORCAMTOT T WHERE T.ORCNRO = "
                               "M.ORCNRO) FROM ORCAMMAS M WHERE M.ORCNRO BETWEEN :F AND :L ORDER BY "
                               "M.ORCNRO"),
                {{QStringLiteral("F"), series * 1000 + 1}, {QStringLiteral("L"), series * 1000 + 999}});
            QVERIFY(numbers.size() >= 2);
            int lastClosed = series * 1000;
            for (const QVariantList& n : numbers) {
                const int number = n.value(0).toInt();
                const bool closed = n.value(1).toInt() == 1;
                if (closed)
                    lastClosed = std::max(lastClosed, number);
                else
                    QVERIFY2(number > counter, qPrintable(QString::number(number)));

                const quotation::QuotationRecord r = *store.read(number);
                QVERIFY(r.com && r.transp && r.cndpgt && r.desc);
                QCOMPARE(r.mas.VNDNRO, r.com->VNDNRO);
                QCOMPARE(r.mas.CLINOM,
                         selectRows(site.invoicing(),
                                    QStringLiteral("SELECT NOME FROM CLIENTES WHERE CODIGO = :C"),
                                    {{QStringLiteral("C"), r.mas.CLINRO}})
                             .value(0)
                             .value(0)
                             .toString());
                // The calculation again, from the stored inputs.
                quotation::Quotation q;
                q.mas = r.mas;
                q.com = *r.com;
                q.transp = *r.transp;
                q.cndpgt = *r.cndpgt;
                q.desc = *r.desc;
                techsheet::Notes notes;
                const auto unit =
                    quotation::sheetUnitCosts(db, r.mas.ARTIGO, r.mas.TIPOFT, q.mas.QUANT, notes);
                QVERIFY(unit);
                quotation::LevelValues values;
                QVERIFY(quotation::calculateQuotation(q, *unit, values, notes));
                QVERIFY2(notes.messages.isEmpty(), qPrintable(notes.messages.join("; ")));
                QCOMPARE(r.mas.VALORCLI, q.mas.VALORCLI);
                QCOMPARE(r.mas.PRECOCLI, q.mas.PRECOCLI);
                QCOMPARE(r.com->VND.VALTOT, q.com.VND.VALTOT);
                QVERIFY(r.mas.VALORCLI[0] > 0);
                if (closed) {
                    const quotation::OrcamTot t = quotation::closingTotals(values, 2);
                    QCOMPARE(r.tot->MATERIAIS, t.MATERIAIS);
                    QCOMPARE(r.tot->TRANSFORM, t.TRANSFORM);
                    QCOMPARE(r.tot->CUSTFIXOS, t.CUSTFIXOS);
                    QCOMPARE(r.tot->ESTRUTURA, t.ESTRUTURA);
                    QCOMPARE(r.tot->COMISSOES, t.COMISSOES);
                    QCOMPARE(r.tot->TRANSPORT, t.TRANSPORT);
                    QCOMPARE(r.tot->DESCONTOS, t.DESCONTOS);
                    QCOMPARE(r.tot->MARGEMLIQ, t.MARGEMLIQ);
                    QCOMPARE(r.tot->MARGEMPRC, t.MARGEMPRC);
                } else {
                    states[QStringLiteral("never closed")]++;
                }
                if (r.mas.QUANT[1] == 0) {
                    QCOMPARE(r.mas.QUANT[2], 0.0);
                    QCOMPARE(r.mas.VALORCLI[1] + r.mas.VALORCLI[2], 0.0);
                    states[QStringLiteral("level 1 only")]++;
                }
                if (r.mas.QUANT[2] > 0)
                    states[QStringLiteral("three levels")]++;
                if (r.mas.TIPOFT == QLatin1String("T"))
                    states[QStringLiteral("record")]++;
                if (r.mas.DESENHO == QLatin1String("N"))
                    QCOMPARE(r.tot->CUSTFIXOS, (quotation::Levels{0, 0, 0}));
                if (r.mas.approved()) {
                    QVERIFY(closed);
                    QVERIFY(r.mas.DATAAPROV.isValid());
                    QVERIFY(r.mas.PRECOAPROV > 0 && r.mas.VALORAPROV > 0 && r.mas.QTDAPROV > 0);
                    QVERIFY(r.mas.MARGEMAPROVPRC > 0 && r.mas.MARGEMAPROVVAL > 0);
                    QVERIFY(!r.mas.ENCANO.isEmpty() && !r.mas.ENCSEMANA.isEmpty() && r.mas.ENCCNRO > 0);
                    states[QStringLiteral("approved %1").arg(series)]++;
                } else if (closed) {
                    states[QStringLiteral("pending %1").arg(series)]++;
                }
            }
            QCOMPARE(counter, lastClosed);
            QVERIFY(*store.proposeNumber(series) > numbers.last().value(0).toInt());
        }
        for (const char* state : {"never closed", "level 1 only", "three levels", "record", "approved 1",
                                  "approved 2", "pending 1", "pending 2"})
            QVERIFY2(states.value(QString::fromLatin1(state)) > 0, state);
        // The customers the quotations were made for.
        for (const char* name : {"SILVA & FILHOS", "D'Almeida Acessórios de Moda, Lda."})
            QCOMPARE(selectRows(site.invoicing(),
                                QStringLiteral("SELECT COUNT(*) FROM CLIENTES WHERE NOME = :N"),
                                {{QStringLiteral("N"), QString::fromUtf8(name)}})
                         .value(0)
                         .value(0)
                         .toInt(),
                     1);
        QCOMPARE(
            selectRows(site.invoicing(),
                       QStringLiteral("SELECT COUNT(DISTINCT TIPDOC) FROM CNDPGT WHERE TIPDOC IN ('C', 'L', "
                                      "'T', 'D')"))
                .value(0)
                .value(0)
                .toInt(),
            4);
        // Every approved quotation became an order line that points back to
        // it; the one without design costs follows an earlier order.
        QCOMPARE(selectRows(site.program(), QStringLiteral("SELECT ORCNRO FROM ORCAMMAS WHERE APROVADO = 'S' "
                                                           "ORDER BY ORCNRO")),
                 selectRows(site.invoicing(),
                            QStringLiteral("SELECT ORCNRO FROM ENCCLIDET WHERE ORCNRO > 0 ORDER BY ORCNRO")));
        quotation::CustomerStore customers(site.invoicing());
        for (const QVariantList& r :
             selectRows(site.program(), QStringLiteral("SELECT CLINRO, ARTIGO, DESENHO, "
                                                       "ORCNRO FROM ORCAMMAS"))) {
            if (r.value(2).toString() != QLatin1String("N"))
                continue;
            QVERIFY2(*customers.hasOrdered(r.value(0).toInt(), r.value(1).toString()),
                     qPrintable(r.value(3).toString()));
        }
    }
    void screenLists_data() { addBackendRows(); }
    // The quotation screen's lists: pending quotations only, the articles
    // that have a technical sheet, the product records, and the customers in
    // name order for Ctrl+Insert; a quotation approved meanwhile leaves the
    // list the next time it opens.
    void screenLists() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        quotation::QuotationLookups lists(site.program(), site.invoicing());
        auto column = [&](const QString& name, const QString& field) {
            QString error;
            db::Dataset* ds = lists.open(name, &error);
            QStringList out;
            if (!ds || !ds->fetchAll(&error))
                return QStringList{QStringLiteral("error: ") + error};
            for (int r = 0; r < ds->rowCount(); ++r)
                out << ds->text(r, field).trimmed();
            return out;
        };
        using L = quotation::QuotationLookups;
        QCOMPARE(column(L::kQuotations, QStringLiteral("ORCNRO")),
                 (QStringList{"1001", "1002", "1003", "1005", "2001"}));
        QCOMPARE(column(L::kArticles, QStringLiteral("CODIGO")), kDemoSheets);
        QCOMPARE(column(L::kRecords, QStringLiteral("CODIGO")), QStringList{QStringLiteral("GORAC02.PRE")});
        QVERIFY(column(L::kSellers, QStringLiteral("NOME")).size() >= 2);
        QVERIFY(column(L::kConditions, QStringLiteral("DESCRI")).size() >= 4);
        QVERIFY(!column(L::kMethods, QStringLiteral("METEXPEDICAO")).isEmpty());
        QVERIFY(!column(L::kAgents, QStringLiteral("NOME")).isEmpty());

        // Ctrl+Insert: the customers by name, as the database orders them.
        QString error;
        db::Dataset* customers = lists.open(L::kCustomers, &error);
        QVERIFY2(customers, qPrintable(error));
        db::Dataset byName = customers->reordered(QStringLiteral("NOME"));
        QVERIFY2(byName.open(&error) && byName.fetchAll(&error), qPrintable(error));
        QStringList names;
        for (int r = 0; r < byName.rowCount(); ++r)
            names << byName.text(r, QStringLiteral("NOME")).trimmed();
        QVERIFY(names.size() >= 5);
        QStringList sorted = names;
        std::sort(sorted.begin(), sorted.end(),
                  [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        QCOMPARE(names, sorted);

        QVERIFY(
            site.program().exec(QStringLiteral("UPDATE ORCAMMAS SET APROVADO = 'S' WHERE ORCNRO = 1002")));
        QCOMPARE(column(L::kQuotations, QStringLiteral("ORCNRO")),
                 (QStringList{"1001", "1003", "1005", "2001"}));
    }
};

QTEST_GUILESS_MAIN(TestDemoQuotation)
#include "test_demo_quotation.moc"
