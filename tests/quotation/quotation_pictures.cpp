// Pictures of the quotation screen's history panels, price pie and
// photographs for the docs, on a demo site:
//   xvfb-run -a build/bin/quotation_pictures docs/images
#include "components/photos/photo_view.h"
#include "quotation/ui/history_panels.h"
#include "quotation/ui/quotation_form.h"
#include "quotation_fixture.h"
#include "support/picture_file.h"

#include <QApplication>
#include <QDir>
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
    return 0;
}
