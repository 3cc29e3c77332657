#include "screens.h"

#include "article_form.h"
#include "satellite_forms.h"
#include "screens/ui/screen_opening.h"
#include "shell/data_modules.h"
#include "techsheet/steps/ui/knitting_step_form.h"
#include "techsheet/steps/ui/machine_step_forms.h"
#include "techsheet/steps/ui/operation_step_forms.h"
#include "techsheet/steps/ui/subcontract_step_forms.h"
#include "techsheet/steps/ui/weaving_step_form.h"
#include "techsheet/ui/sheet_form.h"

namespace corvane::articles {

namespace {

// The step screens of this version, opened from the technical sheet.
techsheet::SheetLinks sheetSteps(shell::DataModules& modules, const WorkingContext& ctx,
                                 const screens::ScreenSetting& setting) {
    using techsheet::StepScreen;
    using techsheet::TechSheetContext;
    techsheet::SheetLinks links;
    shell::TDTCORVANE* data = modules.corvane.get();
    db::Database* factura = &modules.database->DbFacturacao;
    const QString user = ctx.UserCode;
    links.steps.insert(int(StepScreen::Operations), [=](QWidget* parent, TechSheetContext& sheet) {
        return techsheet::openOperationStep(parent, sheet, *data, *factura, user, setting);
    });
    links.steps.insert(int(StepScreen::Packaging), [=](QWidget* parent, TechSheetContext& sheet) {
        return techsheet::openPackagingStep(parent, sheet, *data, *factura, user, setting);
    });
    links.steps.insert(int(StepScreen::MachineStep), [=](QWidget* parent, TechSheetContext& sheet) {
        return techsheet::openMachineStep(parent, sheet, *data, *factura, user, setting);
    });
    links.steps.insert(int(StepScreen::UltrasoundCut), [=](QWidget* parent, TechSheetContext& sheet) {
        return techsheet::openUltrasoundStep(parent, sheet, *data, *factura, user, setting);
    });
    links.steps.insert(int(StepScreen::Printing), [=](QWidget* parent, TechSheetContext& sheet) {
        return techsheet::openPrintingStep(parent, sheet, *data, *factura, user, setting);
    });
    links.steps.insert(int(StepScreen::Knitting), [=](QWidget* parent, TechSheetContext& sheet) {
        return techsheet::openKnittingStep(parent, sheet, *data, *factura, user, setting);
    });
    links.steps.insert(int(StepScreen::Weaving), [=](QWidget* parent, TechSheetContext& sheet) {
        return techsheet::openWeavingStep(parent, sheet, *data, *factura, user, setting);
    });
    links.steps.insert(int(StepScreen::Subcontract), [=](QWidget* parent, TechSheetContext& sheet) {
        return techsheet::openSubcontractStep(parent, sheet, *data, *factura, user, setting);
    });
    links.steps.insert(int(StepScreen::Fabric), [=](QWidget* parent, TechSheetContext& sheet) {
        return techsheet::openFabricStep(parent, sheet, *data, *factura, user, setting);
    });
    return links;
}

} // namespace

void registerScreens(shell::ScreenTable& table) {
    const auto open = [](screens::ScreenOpening& o) {
        shell::DataModules* modules = &o.modules;
        const WorkingContext& ctx = o.context;
        const screens::ScreenSetting setting = o.setting;
        ArticleSources sources;
        sources.factura = &modules->database->DbFacturacao;
        sources.contab = &modules->database->DbContab;
        sources.corvane = &modules->database->DbCorvane;
        sources.materialTypes = &modules->corvane->TIPOMATERIAL;
        sources.workingYear = ctx.WorkingYear;
        sources.userCode = ctx.UserCode;
        ArticleLinks links;
        links.company = ctx.CompanyName;
        links.databaseAlias = ctx.InvoicingDatabaseAlias;
        db::Database* factura = sources.factura;
        db::Database* contab = sources.contab;
        const QString year = ctx.WorkingYear;
        links.currencies = [=](QWidget* parent, const QString& code) {
            openCurrencyPrices(parent, *factura, *contab, year, code, setting);
        };
        links.countries = [=](QWidget* parent, const QString& code) {
            openCountryDesignations(parent, *factura, code, setting);
        };
        db::Database* corvane = sources.corvane;
        db::Dataset* workTypes = &modules->corvane->TIPOTRABALHO;
        links.sheet = [=](QWidget* parent, const QString& code) {
            std::optional<techsheet::TechSheetContext> context = ArticleStore(*factura).sheetContext(code);
            if (!context)
                return;
            context->Claims = modules->claims.get();
            techsheet::SheetLinks steps = sheetSteps(*modules, ctx, setting);
            steps.sheetMarked = [factura](const QString& article, bool hasSheet) {
                ArticleStore(*factura).markSheet(article, hasSheet);
            };
            techsheet::openTechSheet(parent, *context, *corvane, *workTypes, steps, setting);
        };
        TCORVF035 form(sources, o.rightsOf, links, setting, &o.menu);
        form.exec();
    };
    table.insert(QStringLiteral("FICTEC001"),
                 screens::screenOpener(QStringLiteral("Fichas Tecnicas"),
                                       QStringLiteral("Abertura Ficha Tecnica"), open));
}

} // namespace corvane::articles
