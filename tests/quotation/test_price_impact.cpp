// "Impacto de Preços": changes typed over today's prices, refused when they
// name nothing or are no price; the table and chart of the pending
// quotations they touch; the export; nothing written.
#include "components/charts/chart_panels.h"
#include "quotation/ui/price_impact_form.h"
#include "support/test_site.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace corvane;
using namespace corvane::quotation;

namespace {

const QString kYarn = QStringLiteral("FIO.ACR2/28.PRE");

QList<QVariantList> everything(db::Database& db) {
    return selectRows(
        db, QStringLiteral("SELECT 'D', ARTIGO, DETAIL, PRECO, VALOR_FINAL FROM FICTECDET UNION ALL "
                           "SELECT 'Q', ARTIGO, ORCNRO, PRECOCLI1, MARGEMLIQ FROM ORCAMMAS "
                           "ORDER BY 1, 2, 3"));
}

} // namespace

class TestPriceImpact : public QObject {
    Q_OBJECT
private slots:
    void changes_data() { addBackendRows(); }
    // A change names a known code and a price; the same code again replaces it.
    void changes() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        PriceImpactScreen s(site.program(), site.invoicing());
        QString message;
        QVERIFY(s.open(&message));
        QVERIFY(!s.run({}, &message));
        QCOMPARE(message, kNoChanges);
        QVERIFY(
            !s.addChange(ChangeKind::Article, QStringLiteral("FIO.NAO.HA"), QStringLiteral("2"), &message));
        QVERIFY(message.contains(QStringLiteral("FIO.NAO.HA")));
        QVERIFY(!s.addChange(ChangeKind::Article, kYarn, QStringLiteral("-1"), &message));
        QVERIFY(!s.addChange(ChangeKind::Article, kYarn, QStringLiteral("abc"), &message));
        QVERIFY(!s.addChange(ChangeKind::Waste, QStringLiteral("1"), QStringLiteral("100"), &message));
        QVERIFY(!s.addChange(ChangeKind::Machine, QStringLiteral("TEAR99"), QStringLiteral("1"), &message));
        QVERIFY(s.changes().empty());
        QVERIFY2(s.addChange(ChangeKind::Article, kYarn.toLower(), QStringLiteral("9"), &message),
                 qPrintable(message));
        QVERIFY(s.addChange(ChangeKind::Article, kYarn, QStringLiteral("9,5"), &message));
        QCOMPARE(s.changes().size(), std::size_t(1));
        QCOMPARE(s.changes().front().proposed, 9.5);
        QVERIFY(s.changes().front().today > 0 && s.changes().front().today < 9.5);
        QVERIFY(!s.setThreshold(QStringLiteral("100"), &message));
        QVERIFY(s.setThreshold(QStringLiteral("27"), &message));
    }

    void window_data() { addBackendRows(); }
    // Typed in the window as a user would: the table lists only the levels
    // whose cost changes, flagged ones first; the chart shows the largest
    // falls; the export writes a workbook; the database is as it was.
    void window() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        const QList<QVariantList> before = everything(site.program());
        TCORVFIMPACTO form(site.program(), site.invoicing(), QStringLiteral("Malhas Teste"),
                           screens::ScreenSetting{});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* code = form.findChild<QLineEdit*>(QStringLiteral("Edit_Codigo"));
        auto* value = form.findChild<QLineEdit*>(QStringLiteral("Edit_Novo"));
        code->setText(kYarn);
        value->setText(QStringLiteral("9,5"));
        value->setFocus();
        QTest::keyClick(value, Qt::Key_Return); // Enter in "Novo valor" adds the change
        QCOMPARE(form.logic().changes().size(), std::size_t(1));
        QVERIFY(code->text().isEmpty());
        form.findChild<QLineEdit*>(QStringLiteral("Edit_Margem"))->setText(QStringLiteral("27"));
        QVERIFY(form.calculate());

        const auto& lines = form.logic().lines();
        QVERIFY(!lines.empty());
        QCOMPARE(form.impactGrid()->rowCount(), static_cast<int>(lines.size()));
        bool seenUnflagged = false;
        for (const ImpactLine& l : lines) {
            QVERIFY(l.problem.isEmpty());
            QVERIFY(l.marginAfter < l.marginToday);
            QCOMPARE(l.flagged, l.marginAfter < 27);
            QVERIFY2(!(seenUnflagged && l.flagged), "flagged levels come first");
            seenUnflagged = seenUnflagged || !l.flagged;
        }
        const components::ChartSeries falls = form.chart()->shown();
        QVERIFY(!falls.isEmpty());
        for (qsizetype i = 1; i < falls.size(); ++i)
            QVERIFY(falls.values[i - 1] >= falls.values[i]);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("impacto.xlsx"));
        QVERIFY(form.exportTo(path));
        QVERIFY(QFileInfo(path).size() > 1000);
        form.close();
        QCOMPARE(everything(site.program()), before);
    }
};

QTEST_MAIN(TestPriceImpact)
#include "test_price_impact.moc"
