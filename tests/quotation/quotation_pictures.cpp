// Pictures of the quotation screen's history panels, price pie and
// photographs for the docs, on a demo site:
//   xvfb-run -a build/bin/quotation_pictures docs/images
#include "components/photos/photo_view.h"
#include "quotation/ui/history_panels.h"
#include "quotation/ui/price_impact_form.h"
#include "quotation/ui/quotation_form.h"
#include "quotation_fixture.h"
#include "support/picture_file.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

#include <cstdio>

using namespace corvane;
using namespace corvane::quotation;

namespace {

bool type(TCORVF040& form, const QString& input, const QString& text) {
    QuotationScreen& s = form.logic();
    s.fieldEnter(input);
    s.setText(input, text);
    const bool ok = s.fieldExit(input);
    form.refresh();
    QTest::qWait(30);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/images");
    QDir().mkpath(folder);
    TestSite site(QStringLiteral("sqlite"));
    if (!site.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(site.error()));
        return 1;
    }
    auto rightsOf = [](const QString&, const QString&, const QString&) {
        shell::AccessRights r = shell::AccessRights::none();
        r.ACEDER = r.ELIMINAR = QStringLiteral("S");
        return r;
    };
    TCORVF040 form(sourcesOf(site, QStringLiteral("DEMO")), rightsOf, screens::ScreenSetting{});
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    // D'Almeida quotes the black merino scarf again: two years of history.
    const QList<std::pair<const char*, const char*>> fields{{"Edit_Serie", "1"},
                                                            {"Edit_OrcNro", ""},
                                                            {"Edit_CliNro", "5"},
                                                            {"Edit_TipoFt", "P"},
                                                            {"Edit_ArtNro", "CHCLA01.PRE"},
                                                            {"Edit_MargemLiq", "25"},
                                                            {"Edit_Qtd1", "200"},
                                                            {"Edit_Qtd2", "500"},
                                                            {"Edit_Qtd3", "1000"}};
    for (const auto& [input, text] : fields) {
        QString t = QString::fromLatin1(text);
        if (QLatin1String(input) == QLatin1String("Edit_OrcNro"))
            t = form.logic().text(QStringLiteral("Edit_OrcNro"));
        if (!type(form, QString::fromLatin1(input), t)) {
            std::fprintf(stderr, "refused: %s\n", input);
            return 1;
        }
    }
    HistoryPanels& panels = form.history();
    form.pages()->setCurrentIndex(0);
    QTest::qWait(100);
    const char* articleTabs[] = {"identificacao", "vendas", "encomendas", "totais", "stock", "orcamentos"};
    for (int i = 0; i < panels.articlePanel()->count(); ++i) {
        panels.articlePanel()->setCurrentIndex(i);
        // The quotations: the customer's approved ones, the first selected.
        if (auto* book =
                panels.articlePanel()->widget(i)->findChild<QTabWidget*>(QStringLiteral("NBOrcamentos"))) {
            book->setCurrentIndex(1);
            panels.grid(QStringLiteral("GridOrcAprovados"))->selectRow(0);
        }
        QTest::qWait(80);
        save(panels.articlePanel(),
             QDir(folder).filePath(
                 QStringLiteral("quotation-article-%1.png").arg(QLatin1String(articleTabs[i]))));
    }
    const char* customerTabs[] = {"corrente", "idades", "recebimentos", "vendas", "carteira"};
    for (int i = 0; i < panels.customerPanel()->count(); ++i) {
        panels.customerPanel()->setCurrentIndex(i);
        QTest::qWait(80);
        save(panels.customerPanel(),
             QDir(folder).filePath(
                 QStringLiteral("quotation-customer-%1.png").arg(QLatin1String(customerTabs[i]))));
    }
    panels.articlePanel()->setCurrentIndex(1);
    panels.customerPanel()->setCurrentIndex(0);
    QTest::qWait(80);
    save(&form, QDir(folder).filePath(QStringLiteral("quotation-information.png")));

    form.pages()->setCurrentIndex(1);
    form.logic().chartButton(2);
    QTest::qWait(150);
    save(&form, QDir(folder).filePath(QStringLiteral("quotation-price.png")));

    form.pages()->setCurrentIndex(2);
    panels.photos()->openPhoto(1);
    QTest::qWait(150);
    save(&form, QDir(folder).filePath(QStringLiteral("quotation-photos.png")));
    form.logic().cancel();
    form.close();

    // "Impacto de Preços": acrylic yarn dearer, the loom and the knitting
    // machine dearer too, margins under 24 % flagged.
    TCORVFIMPACTO impact(site.program(), site.invoicing(), QStringLiteral("Malhas e Tecidos do Vale, Lda."),
                         screens::ScreenSetting{});
    impact.show();
    if (!QTest::qWaitForWindowExposed(&impact))
        return 1;
    const QList<std::tuple<int, const char*, const char*>> changes{
        {0, "FIO.ACR2/28.PRE", "8,9"}, {0, "FIO.MER2/48.PRE", "27,5"}, {1, "TRI01", "15"}};
    for (const auto& [kind, code, value] : changes) {
        impact.findChild<QComboBox*>(QStringLiteral("Combo_Tipo"))->setCurrentIndex(kind);
        impact.findChild<QLineEdit*>(QStringLiteral("Edit_Codigo"))->setText(QString::fromLatin1(code));
        impact.findChild<QLineEdit*>(QStringLiteral("Edit_Novo"))->setText(QString::fromLatin1(value));
        if (!impact.addChange())
            return 1;
    }
    impact.findChild<QLineEdit*>(QStringLiteral("Edit_Margem"))->setText(QStringLiteral("24"));
    if (!impact.calculate())
        return 1;
    QTest::qWait(300);
    save(&impact, QDir(folder).filePath(QStringLiteral("price-impact.png")));
    return 0;
}
