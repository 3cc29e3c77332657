// Re-costing the stored sheets from today's reference data, and trying a
// change of prices on the pending quotations without writing anything.
#include "core/rounding.h"
#include "db/document_claim.h"
#include "quotation/store/price_impact.h"
#include "setup/demo_steps.h"
#include "support/test_site.h"
#include "techsheet/store/sheet_claim.h"
#include "techsheet/store/sheet_recost.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::techsheet;

namespace {

const QString kYarn = QStringLiteral("FIO.ACR2/28.PRE");
const QString kDemoUser = QStringLiteral("ADMIN");

QString linesSql(const QString& where = QStringLiteral("1 = 1")) {
    return QStringLiteral("SELECT ARTIGO, RELACFICTEC, DETAIL, CODIGOMP, QUANT, PRECO, VALOR, QUANT_FINAL, "
                          "VALOR_FINAL FROM FICTECDET WHERE %1 ORDER BY ARTIGO, DETAIL")
        .arg(where);
}

// The articles whose sheets use the yarn.
QStringList sheetsUsing(db::Database& db, const QString& code) {
    QStringList out;
    for (const QVariantList& r : selectRows(
             db, QStringLiteral("SELECT DISTINCT ARTIGO FROM FICTECDET WHERE CODIGOMP = :C ORDER BY ARTIGO"),
             {{QStringLiteral("C"), code}}))
        out << r.value(0).toString().trimmed();
    return out;
}

void setYarnPrice(TestSite& site, double price) {
    site.exec(site.invoicing(),
              QStringLiteral(
                  "UPDATE ARTIGOSCLS SET CUSTOPADRAO = :P, PMCUSTO = :P, PULENTRA = :P WHERE CODIGO = :C"),
              {{QStringLiteral("P"), price}, {QStringLiteral("C"), kYarn}});
}

CostReference reference(TestSite& site) {
    QString error;
    const std::optional<CostReference> r = readCostReference(site.program(), site.invoicing(), &error);
    if (!r)
        qFatal("%s", qPrintable(error));
    return *r;
}

RecostReport recost(TestSite& site, db::DocumentClaims* claims, bool write = true) {
    RecostReport report;
    QString error;
    if (!recostSheets(site.program(), claims, reference(site), write, report, {}, &error))
        qFatal("%s", qPrintable(error));
    return report;
}

QStringList articlesOf(const std::vector<SheetCostChange>& changes) {
    QStringList out;
    for (const auto& c : changes)
        out << c.article;
    out.sort();
    return out;
}

} // namespace

class TestRecost : public QObject {
    Q_OBJECT
private slots:
    void whatIfFile() {
        QString error;
        QVERIFY(!whatIfFromJson("{\"articles\": {\"X\": -1}}", &error));
        QVERIFY(error.contains(QLatin1String("articles X")));
        QVERIFY(!whatIfFromJson("{\"waste\": {\"10\": 100}}", &error));
        QVERIFY(!whatIfFromJson("{\"waste\": {\"dez\": 5}}", &error));
        QVERIFY(error.contains(QLatin1String("tipo de custo")));
        QVERIFY(!whatIfFromJson("[1, 2]", &error));
        QVERIFY(!whatIfFromJson("{\"articles\": ", &error));
        QVERIFY(error.startsWith(QStringLiteral("JSON inválido")));
        const std::optional<WhatIf> w = whatIfFromJson(
            "{\"articles\": {\"fio.a\": 2.5}, \"waste\": {\"10\": 4}, \"threshold\": 8}", &error);
        QVERIFY(w);
        QCOMPARE(w->marginThreshold, 8.0);

        // Codes are matched as the sheets name them (case and blanks aside);
        // an unknown one is refused rather than taken for no change.
        CostReference r;
        r.articlePrices.insert(QStringLiteral("FIO.A"), 2);
        r.costTypes.push_back({10, 3, 2});
        const std::optional<CostReference> after = applyWhatIf(r, *w, &error);
        QVERIFY(after);
        QCOMPARE(*after->articlePrice(QStringLiteral(" fio.a ")), 2.5);
        QCOMPARE(after->costTypes.front().DESPERD, 4.0);
        WhatIf unknown;
        unknown.machineRates.insert(QStringLiteral("TEAR99"), 1);
        QVERIFY(!applyWhatIf(r, unknown, &error));
        QVERIFY(error.contains(QLatin1String("TEAR99")));
    }

    void recostFollowsPrices_data() { addBackendRows(); }
    // Nothing changed, nothing written; a dearer yarn changes exactly the
    // sheets and lines that use it, by what the knitting step itself gives.
    void recostFollowsPrices() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        db::Database& db = site.program();
        const QList<QVariantList> stored = selectRows(db, linesSql());
        RecostReport unchanged = recost(site, nullptr);
        QVERIFY(unchanged.sheets >= 4);
        QVERIFY(unchanged.changed.empty() && unchanged.uncostable.empty());
        QCOMPARE(selectRows(db, linesSql()), stored);

        const QStringList using_ = sheetsUsing(db, kYarn);
        QVERIFY(using_.size() >= 2);
        setYarnPrice(site, 9.5);
        const QString others = QStringLiteral("CODIGOMP <> '%1'").arg(kYarn);
        const QList<QVariantList> otherLines = selectRows(db, linesSql(others));
        const RecostReport r = recost(site, nullptr);
        QCOMPARE(articlesOf(r.changed), using_);
        QCOMPARE(selectRows(db, linesSql(others)), otherLines);
        for (const QVariantList& l : selectRows(db, linesSql(QStringLiteral("CODIGOMP = '%1'").arg(kYarn)))) {
            QCOMPARE(l.value(5).toDouble(), 9.5);                                     // PRECO
            QCOMPARE(l.value(6).toDouble(), roundTo(l.value(4).toDouble() * 9.5, 2)); // VALOR
        }
        for (const SheetCostChange& c : r.changed)
            QVERIFY2(c.after > c.before, qPrintable(c.article));

        // The knitting step, opened and finished again, costs the yarns as
        // the re-costing did.
        const QString knitted = QStringLiteral("GORAC02.PRE");
        QVERIFY(using_.contains(knitted));
        // (the step numbers its lines anew)
        const QString knittedLines = QStringLiteral("SELECT CODIGOMP, TECELAGEM, QUANT, PRECO, VALOR, "
                                                    "QUANT_FINAL, VALOR_FINAL FROM FICTECDET WHERE ARTIGO = "
                                                    "'%1' AND RELACFICTEC = 'A' ORDER BY CODIGOMP, TECELAGEM")
                                         .arg(knitted);
        const QList<QVariantList> recosted = selectRows(db, knittedLines);
        QVERIFY(recosted.size() >= 2);
        setup::SheetStepRunner run(db, site.invoicing(), kDemoUser);
        QString error;
        QVERIFY2(run.open(knitted, &error), qPrintable(error));
        QVERIFY2(run.rerun(StepRole::Knitting, &error), qPrintable(error));
        QVERIFY(run.close(&error));
        QCOMPARE(selectRows(db, knittedLines), recosted);
    }

    void sheetsLeftAlone_data() { addBackendRows(); }
    // A sheet that cannot be costed is reported with the reason and left as
    // it was; so is a sheet another user has open (two connections).
    void sheetsLeftAlone() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        db::Database& db = site.program();
        const QString knitted = QStringLiteral("GORAC02.PRE");
        const QString woven = QStringLiteral("CHCAC01.PRE");
        const QList<QVariantList> knittedBefore =
            selectRows(db, linesSql(QStringLiteral("ARTIGO = '%1'").arg(knitted)));
        const QList<QVariantList> wovenBefore =
            selectRows(db, linesSql(QStringLiteral("ARTIGO = '%1'").arg(woven)));
        const QString machine =
            selectRows(
                db,
                QStringLiteral("SELECT CODIGOMP FROM FICTECDET WHERE ARTIGO = :A AND RELACFICTEC = 'A' AND "
                               "TIPO = (SELECT MAQUINAS_TC FROM PARGER WHERE CODIGO = 1)"),
                {{QStringLiteral("A"), knitted}})
                .value(0)
                .value(0)
                .toString()
                .trimmed();
        QVERIFY(!machine.isEmpty());
        site.exec(db, QStringLiteral("DELETE FROM MAQUINAS WHERE CODIGO = :M"),
                  {{QStringLiteral("M"), machine}});
        setYarnPrice(site, 9.5);

        // Another user holds the woven scarf's sheet on a connection of their own.
        std::unique_ptr<db::Database> other = site.connectProgram();
        db::DocumentClaims theirs(
            *other, db::ClaimSession::current(QStringLiteral("ANA"), QStringLiteral("POSTO-ANA")));
        QCOMPARE(theirs.claim(sheetDocument(woven)), db::DocumentClaims::Outcome::Held);
        db::DocumentClaims ours(db, db::ClaimSession::current(kDemoUser, site.workstation()));

        const RecostReport r = recost(site, &ours);
        QCOMPARE(r.uncostable.size(), std::size_t(1));
        QCOMPARE(r.uncostable.front().article, knitted);
        QVERIFY2(r.uncostable.front().reason.contains(machine), qPrintable(r.uncostable.front().reason));
        QCOMPARE(r.inUse.size(), std::size_t(1));
        QCOMPARE(r.inUse.front().article, woven);
        QVERIFY(r.inUse.front().reason.contains(QLatin1String("ANA")));
        QVERIFY(articlesOf(r.changed).isEmpty() || !articlesOf(r.changed).contains(woven));
        QCOMPARE(selectRows(db, linesSql(QStringLiteral("ARTIGO = '%1'").arg(knitted))), knittedBefore);
        QCOMPARE(selectRows(db, linesSql(QStringLiteral("ARTIGO = '%1'").arg(woven))), wovenBefore);
        QVERIFY(ours.held().isEmpty()); // every claim given up again

        // Once the other user has closed it, the next run re-costs it.
        theirs.release(sheetDocument(woven));
        QCOMPARE(articlesOf(recost(site, &ours).changed), QStringList{woven});
    }

    void whatIfWritesNothing_data() { addBackendRows(); }
    // The impact of a dearer yarn on the pending quotations: their margins
    // at the quoted prices fall where the sheet uses it, and stay where it
    // does not; nothing is written.
    void whatIfWritesNothing() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        db::Database& db = site.program();
        const QString everything = QStringLiteral("SELECT 'D', ARTIGO, DETAIL, PRECO, VALOR_FINAL FROM "
                                                  "FICTECDET UNION ALL SELECT 'Q', ARTIGO, ORCNRO, "
                                                  "PRECOCLI1, PRCORC1 FROM ORCAMMAS ORDER BY 1, 2, 3");
        const QList<QVariantList> before = selectRows(db, everything);
        const QStringList using_ = sheetsUsing(db, kYarn);

        const CostReference today = reference(site);
        WhatIf w;
        w.articlePrices.insert(kYarn, 9.5);
        QString error;
        const std::optional<CostReference> after = applyWhatIf(today, w, &error);
        QVERIFY2(after, qPrintable(error));
        quotation::ImpactReport report;
        QVERIFY2(quotation::priceImpact(db, today, *after, 27, report, {}, &error), qPrintable(error));
        QCOMPARE(selectRows(db, everything), before);

        QVERIFY(report.quotations.size() >= 4);
        int dearer = 0;
        for (const quotation::QuotationImpact& q : report.quotations) {
            QVERIFY2(q.problem.isEmpty(), qPrintable(q.problem));
            const bool uses = using_.contains(q.article);
            dearer += uses;
            QCOMPARE(q.sheetAfter > q.sheetToday, uses);
            bool flagged = false;
            for (const quotation::LevelImpact& l : q.levels) {
                if (!(l.quantity > 0))
                    continue;
                // Quoted at the computed price: today's margin is the quotation's own.
                QVERIFY(std::abs(l.marginToday - q.targetMargin) < 0.5);
                if (uses) {
                    QVERIFY(l.marginAfter < l.marginToday);
                    QVERIFY(l.priceKeepingMargin > l.price);
                } else {
                    QCOMPARE(l.marginAfter, l.marginToday);
                }
                flagged = flagged || l.marginAfter < 27;
            }
            QCOMPARE(q.flagged, flagged);
        }
        QVERIFY(dearer >= 2);
        QCOMPARE(report.changed, dearer);
    }
};

QTEST_GUILESS_MAIN(TestRecost)
#include "test_recost.moc"
