// Pictures of the technical-sheet screens for the docs, on a demo site:
//   xvfb-run -a build/bin/sheet_pictures docs/images
#include "shell/data_modules.h"
#include "support/picture_file.h"
#include "support/picture_session.h"
#include "techsheet/steps/ui/knitting_step_form.h"
#include "techsheet/steps/ui/machine_step_forms.h"
#include "techsheet/steps/ui/operation_step_forms.h"
#include "techsheet/steps/ui/subcontract_step_forms.h"
#include "techsheet/steps/ui/weaving_step_form.h"
#include "techsheet/ui/sheet_form.h"

#include <QApplication>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <tuple>

using namespace corvane;
using namespace corvane::techsheet;

namespace {

TechSheetContext contextOf(db::Database& factura, const QString& code) {
    TechSheetContext c;
    c.ArticleCode = code;
    const std::optional<QVariantMap> a = factura.firstRow(
        QStringLiteral("SELECT * FROM ARTIGOSCLS WHERE CODIGO = :C"), {{QStringLiteral("C"), code}});
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
    // A user who may insert, change and delete, with every step screen linked.
    screens::ScreenSetting setting;
    const QString yes = QStringLiteral("S");
    setting.rights = shell::AccessRights{yes, yes, yes, yes, yes, yes, yes, yes, yes};
    using Opener = bool (*)(QWidget*, TechSheetContext&, shell::TDTCORVANE&, db::Database&, const QString&,
                            const screens::ScreenSetting&);
    const std::pair<StepScreen, Opener> openers[] = {
        {StepScreen::Operations, openOperationStep},    {StepScreen::Packaging, openPackagingStep},
        {StepScreen::MachineStep, openMachineStep},     {StepScreen::UltrasoundCut, openUltrasoundStep},
        {StepScreen::Knitting, openKnittingStep},       {StepScreen::Weaving, openWeavingStep},
        {StepScreen::Subcontract, openSubcontractStep}, {StepScreen::Fabric, openFabricStep},
        {StepScreen::Printing, openPrintingStep}};
    SheetLinks links;
    for (const auto& [screen, open] : openers)
        links.steps.insert(int(screen), [&, open = open](QWidget* parent, TechSheetContext& c) {
            return open(parent, c, *modules.corvane, factura, QStringLiteral("DEMO"), setting);
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
    // The picture of the modal step screen about to open (on the page of its
    // notebook given), which it then closes.
    const auto pictureOfModal = [&session](const QString& name, int page = -1) {
        QTimer::singleShot(600, [&session, name, page] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w)
                return;
            if (auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("TB")); tabs && page >= 0)
                tabs->setCurrentIndex(page);
            QApplication::processEvents();
            save(w, session.path(name));
            w->close();
        });
    };
    // The step screens of the woven scarf: design operations and packaging.
    TechSheetContext c = contextOf(factura, QStringLiteral("CHCAC01.PRE"));
    c.OperationMinutes = 45;
    c.HangerCostType = 6;
    c.CardLabelCostType = 5;
    for (const auto& [step, file] :
         {std::pair{"H", "techsheet-operations.png"}, std::pair{"B", "techsheet-packaging.png"}}) {
        c.StepCode = QString::fromLatin1(step);
        const QString name = QString::fromLatin1(file);
        pictureOfModal(name);
        if (c.StepCode == QLatin1String("B"))
            openPackagingStep(nullptr, c, *modules.corvane, factura, QStringLiteral("DEMO"), setting);
        else
            openOperationStep(nullptr, c, *modules.corvane, factura, QStringLiteral("DEMO"), setting);
    }
    // The machine steps: sewing, ultrasound cutting, knitting and weaving,
    // each on the demo sheet that uses it.
    db::Database& corvane = modules.database->DbCorvane;
    const std::optional<QVariantMap> parger = corvane.firstRow(
        QStringLiteral("SELECT FIOS_TC, MAQUINAS_TC, TINTAS_TC FROM PARGER WHERE CODIGO = 1"));
    TechSheetContext woven = contextOf(factura, QStringLiteral("CHCAC01.PRE"));
    woven.SheetKind = kWovenScarf;
    woven.StepCode = QStringLiteral("C");
    woven.MachineGroupType = 2;
    woven.MachineCostType = parger ? parger->value(QStringLiteral("MAQUINAS_TC")).toInt() : 0;
    woven.YarnCostType = parger ? parger->value(QStringLiteral("FIOS_TC")).toInt() : 0;
    pictureOfModal(QStringLiteral("techsheet-machine-step.png"));
    openMachineStep(nullptr, woven, *modules.corvane, factura, QStringLiteral("DEMO"), setting);
    woven.StepCode.clear();
    woven.MachineGroupType = 1;
    pictureOfModal(QStringLiteral("techsheet-ultrasound.png"));
    openUltrasoundStep(nullptr, woven, *modules.corvane, factura, QStringLiteral("DEMO"), setting);
    woven.MachineGroupType = 4;
    woven.ContractionPercent = 8;
    for (const auto& [page, file] :
         {std::pair{0, "techsheet-weaving-looms.png"}, std::pair{1, "techsheet-weaving-weft.png"}}) {
        pictureOfModal(QString::fromLatin1(file), page);
        openWeavingStep(nullptr, woven, *modules.corvane, factura, QStringLiteral("DEMO"), setting);
    }
    TechSheetContext knitted = contextOf(factura, QStringLiteral("CHCLA01.PRE"));
    knitted.SheetKind = kKnittedScarf;
    knitted.StepCode = QStringLiteral("A");
    knitted.MachineGroupType = 3;
    knitted.PieceWeight = 160; // the demo sheet's weight, in grams
    knitted.MachineCostType = woven.MachineCostType;
    knitted.YarnCostType = woven.YarnCostType;
    pictureOfModal(QStringLiteral("techsheet-knitting.png"));
    openKnittingStep(nullptr, knitted, *modules.corvane, factura, QStringLiteral("DEMO"), setting);
    // The printing of the printed stole, with its printer and inks.
    TechSheetContext printed = contextOf(factura, QStringLiteral("ECHVI01.PRE"));
    printed.SheetKind = kPrintedScarf;
    printed.StepCode = QStringLiteral("T");
    printed.MachineGroupType = 8;
    printed.MachineCostType = woven.MachineCostType;
    printed.InkCostType = parger ? parger->value(QStringLiteral("TINTAS_TC")).toInt() : 0;
    const std::optional<QVariant> surface =
        corvane.scalar(QStringLiteral("SELECT SUPIMPR FROM FICTECMAS WHERE CODIGO = 'ECHVI01.PRE'"));
    printed.PrintSurfacePercent = surface ? surface->toDouble() : 0;
    pictureOfModal(QStringLiteral("techsheet-printing.png"));
    openPrintingStep(nullptr, printed, *modules.corvane, factura, QStringLiteral("DEMO"), setting);
    // The knitted scarf's subcontracted embroidery and the printed one's fabric.
    for (const auto& [code, step, file] : {std::tuple{"CHCLA01.PRE", "M", "techsheet-subcontract.png"},
                                           std::tuple{"ECHVI01.PRE", "L", "techsheet-fabric.png"}}) {
        TechSheetContext s = contextOf(factura, QString::fromLatin1(code));
        s.StepCode = QString::fromLatin1(step);
        s.ClothCostType = 8;
        // The layout the sheet's header keeps, as the sheet hands it to the fabric step.
        if (const std::optional<QVariantMap> h = corvane.firstRow(
                QStringLiteral(
                    "SELECT LARG_TECIDO, PECAS_TECIDO, ENQ_TECIDO, MTL_TECIDO FROM FICTECMAS WHERE "
                    "CODIGO = :A"),
                {{QStringLiteral("A"), s.ArticleCode}});
            h && !h->isEmpty()) {
            s.ClothWidth = h->value(QStringLiteral("LARG_TECIDO")).toDouble();
            s.ClothPieces = h->value(QStringLiteral("PECAS_TECIDO")).toInt();
            s.ClothFitting = h->value(QStringLiteral("ENQ_TECIDO")).toString().trimmed();
            s.ClothMetres = h->value(QStringLiteral("MTL_TECIDO")).toDouble();
        }
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
