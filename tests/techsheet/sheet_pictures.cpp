// Pictures of the technical-sheet screens for the docs, on a demo site:
//   xvfb-run -a build/bin/sheet_pictures docs/images
#include "shell/data_modules.h"
#include "support/picture_session.h"
#include "techsheet/steps/ui/operation_step_forms.h"
#include "techsheet/steps/ui/subcontract_step_forms.h"
#include "techsheet/ui/sheet_form.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <tuple>

using namespace corvane;
using namespace corvane::techsheet;

namespace {

void save(QWidget* w, const QString& file) {
    if (!w->grab().save(file))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
}

TechSheetContext contextOf(db::Database& factura, const QString& code) {
    TechSheetContext c;
    c.ArticleCode = code;
    const std::optional<QVariantMap> a =
        factura.firstRow(QStringLiteral("SELECT * FROM ARTIGOSCLS WHERE CODIGO = :C"), {{QStringLiteral("C"), code}});
    if (a && !a->isEmpty()) {
        c.ArticleDesignation = a->value(QStringLiteral("DESIGNACAO")).toString().trimmed();
        c.ArticleDesignation2 = a->value(QStringLiteral("DESIGNACAO1")).toString().trimmed();
        c.ArticleLength = a->value(QStringLiteral("COMPRIM")).toDouble();
        c.ArticleWidth = a->value(QStringLiteral("LARGURA")).toDouble();
        c.ArticleWeight = a->value(QStringLiteral("PESO")).toDouble();
    }
    return c;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PictureSession session(argc, argv, {});
    if (!session.ok())
        return 1;
    shell::DataModules& modules = *session.menu->window->logic().modules();
    db::Database& factura = modules.database->DbFacturacao;
    const screens::ScreenSetting setting;
    SheetLinks links;
    links.steps.insert(int(StepScreen::Operations), [&](QWidget* parent, TechSheetContext& c) {
        return openOperationStep(parent, c, *modules.corvane, factura, QStringLiteral("DEMO"), setting);
    });
    links.steps.insert(int(StepScreen::Packaging), [&](QWidget* parent, TechSheetContext& c) {
        return openPackagingStep(parent, c, *modules.corvane, factura, QStringLiteral("DEMO"), setting);
    });
    const struct {
        const char* article;
        const char* file;
    } sheets[] = {{"CHCAC01.PRE", "techsheet-ca.png"},
                  {"CHCLA01.PRE", "techsheet-ct.png"},
                  {"ECHVI01.PRE", "techsheet-ci.png"},
                  {"GORAC02.PRE", "techsheet-gt.png"}};
    for (const auto& s : sheets) {
        TechSheetContext c = contextOf(factura, QString::fromLatin1(s.article));
        TCORVF035FICTEC form(c, modules.database->DbCorvane, modules.corvane->TIPOTRABALHO, links, setting);
        form.show();
        QApplication::processEvents();
        save(&form, session.path(QString::fromLatin1(s.file)));
        form.close();
    }
    // The picture of the modal step screen about to open, which it then closes.
    const auto pictureOfModal = [&session](const QString& name) {
        QTimer::singleShot(600, [&session, name] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                save(w, session.path(name));
                w->close();
            }
        });
    };
    // The step screens of the woven scarf: design operations and packaging.
    TechSheetContext c = contextOf(factura, QStringLiteral("CHCAC01.PRE"));
    c.OperationMinutes = 45;
    c.HangerCostType = 6;
    c.CardLabelCostType = 5;
    for (const auto& [step, file] : {std::pair{"H", "techsheet-operations.png"}, std::pair{"B", "techsheet-packaging.png"}}) {
        c.StepCode = QString::fromLatin1(step);
        const QString name = QString::fromLatin1(file);
        pictureOfModal(name);
        if (c.StepCode == QLatin1String("B"))
            openPackagingStep(nullptr, c, *modules.corvane, factura, QStringLiteral("DEMO"), setting);
        else
            openOperationStep(nullptr, c, *modules.corvane, factura, QStringLiteral("DEMO"), setting);
    }
    // Subcontracted linking of the knitted scarf and the fabric of the printed one.
    for (const auto& [code, step, file] : {std::tuple{"CHCLA01.PRE", "R", "techsheet-subcontract.png"},
                                           std::tuple{"ECHVI01.PRE", "L", "techsheet-fabric.png"}}) {
        TechSheetContext s = contextOf(factura, QString::fromLatin1(code));
        s.StepCode = QString::fromLatin1(step);
        s.ClothCostType = 8;
        const QString name = QString::fromLatin1(file);
        pictureOfModal(name);
        if (s.StepCode == QLatin1String("L"))
            openFabricStep(nullptr, s, *modules.corvane, factura, QStringLiteral("DEMO"), setting);
        else
            openSubcontractStep(nullptr, s, *modules.corvane, factura, QStringLiteral("DEMO"), setting);
    }
    session.menu->window->close();
    return 0;
}
