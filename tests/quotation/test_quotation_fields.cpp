// The inputs of the quotation screen as declared: each of a column of the
// quotation tables, taking what its column holds, and what is typed into
// them kept to their columns' widths on both backends.
#include "quotation/screens/quotation_screen.h"
#include "quotation/store/quotation_lookups.h"
#include "screen_fixture.h"
#include "shell/version_tables.h"
#include "support/test_site.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::quotation;

namespace {

// The column an input declares, from the quotation tables; null when none.
const db::Column* columnOf(const QuotationInput& in) {
    static const QList<db::Table> tables = shell::quotationTables();
    for (const db::Table& t : tables)
        for (const db::Column& c : t.columns)
            if (c.name == in.rule.column)
                return &c;
    return nullptr;
}

} // namespace

class TestQuotationFields : public QObject {
    Q_OBJECT
private slots:
    // Every input once, of its column: the column's length and kind (the
    // date typed as dd/MM/yyyy), shown at least 1 character wide, on a page
    // of the window, its list among those the screen opens.
    void inputsFollowTheirColumns() {
        const QList<QuotationInput>& all = QuotationScreen::inputs();
        QCOMPARE(all.size(), 40);
        QSet<QString> names;
        const QStringList pages = QStringList{kPageInformation, kPageQuotation} + kChargeTabs;
        const QStringList lists{QuotationLookups::kQuotations, QuotationLookups::kCustomers,
                                QuotationLookups::kArticles,   QuotationLookups::kSellers,
                                QuotationLookups::kAgents,     QuotationLookups::kMethods,
                                QuotationLookups::kConditions};
        int lookups = 0;
        for (const QuotationInput& in : all) {
            const QString& name = in.rule.input;
            QVERIFY2(!names.contains(name), qPrintable(name));
            names.insert(name);
            QVERIFY2(pages.contains(in.page), qPrintable(name));
            QVERIFY2(in.rule.width > 0 && !in.rule.label.isEmpty(), qPrintable(name));
            QCOMPARE(QuotationScreen::inputNamed(name), &in);
            if (in.rule.lookup.isSet()) {
                QVERIFY2(lists.contains(in.rule.lookup.dataset), qPrintable(name));
                ++lookups;
            }
            if (name == QLatin1String("Edit_Serie")) {
                QVERIFY(in.rule.column.isEmpty());
                QCOMPARE(in.rule.maxLength, 1);
                continue;
            }
            const db::Column* c = columnOf(in);
            QVERIFY2(c, qPrintable(name));
            QVERIFY2(in.rule.maxLength == screens::inputLength(*c), qPrintable(name));
            if (in.rule.kind != screens::FieldKind::Upper)
                QVERIFY2(in.rule.kind == screens::fieldKind(*c), qPrintable(name));
            if (c->type == db::ColType::Text)
                QVERIFY2(in.rule.width == c->length, qPrintable(name));
        }
        QCOMPARE(lookups, lists.size());
        QVERIFY(!QuotationScreen::inputNamed("Edit_Nenhum"));
        QCOMPARE(QuotationScreen::inputNamed("Edit_Observ1")->rule.maxLength, 40);
    }

    void typedTextsKeepTheirColumnsWidths_data() { addBackendRows(); }
    // Observations and the royalty's name longer than their columns are kept
    // cut to them; a kind typed in lower case is kept upper case.
    void typedTextsKeepTheirColumnsWidths() {
        QUOTATION_FIXTURE(f, s);
        QVERIFY(type(*s, "Edit_Serie", "1"));
        QVERIFY(type(*s, "Edit_OrcNro", "1001"));
        QVERIFY(type(*s, "Edit_CliNro", "1"));
        QVERIFY(!type(*s, "Edit_TipoFt", "x"));
        QCOMPARE(f.view.messages.last(),
                 QStringLiteral("Insira <P> para Produto ou <T> para Registo Técnico de Produto !!"));
        QVERIFY(type(*s, "Edit_TipoFt", " p"));
        QCOMPARE(s->quotation().mas.TIPOFT, QStringLiteral("P"));
        QVERIFY(type(*s, "Edit_ArtNro", kExample));
        QVERIFY(type(*s, "Edit_MargemLiq", "20"));
        QVERIFY(type(*s, "Edit_Qtd1", "100"));
        QVERIFY(type(*s, "Edit_Qtd2", ""));
        QVERIFY(type(*s, "Edit_Observ1", QString(45, QLatin1Char('o'))));
        QVERIFY(type(*s, "Edit_Observ2", QStringLiteral("Entrega em Março")));
        QVERIFY(type(*s, "Edit_Qtd3", ""));
        QVERIFY(type(*s, "Edit_RoyNom", QString(35, QLatin1Char('r'))));
        QVERIFY(type(*s, "Edit_RoyPerc", "1"));
        QCOMPARE(value(f.site, "SELECT OBSERV1 FROM ORCAMMAS WHERE ORCNRO = 1001").toString(),
                 QString(40, QLatin1Char('o')));
        QCOMPARE(value(f.site, "SELECT OBSERV2 FROM ORCAMMAS WHERE ORCNRO = 1001").toString(),
                 QStringLiteral("Entrega em Março"));
        QCOMPARE(value(f.site, "SELECT ROYNOM FROM ORCAMCOM WHERE ORCNRO = 1001").toString(),
                 QString(30, QLatin1Char('r')));
        QCOMPARE(value(f.site, "SELECT TIPOFT FROM ORCAMMAS WHERE ORCNRO = 1001").toString(),
                 QStringLiteral("P"));
    }
};

QTEST_MAIN(TestQuotationFields)
#include "test_quotation_fields.moc"
