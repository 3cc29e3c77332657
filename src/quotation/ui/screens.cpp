#include "screens.h"

#include "price_impact_form.h"
#include "quotation_form.h"
#include "screens/ui/screen_opening.h"
#include "shell/data_modules.h"

namespace corvane::quotation {

void registerScreens(shell::ScreenTable& table) {
    table.insert(QStringLiteral("ORC002"),
                 screens::screenOpener(kRightsChapter, kRightsProgram, [](screens::ScreenOpening& o) {
                     const WorkingContext& ctx = o.context;
                     shell::DataModules* modules = &o.modules;
                     QuotationSources sources;
                     sources.corvane = &modules->database->DbCorvane;
                     sources.factura = &modules->database->DbFacturacao;
                     sources.userCode = ctx.UserCode;
                     sources.workingDate = ctx.WorkingDate.date();
                     sources.workingYear = ctx.WorkingYear;
                     sources.companyName = ctx.CompanyName;
                     sources.reportNotice = ctx.ReportNotice;
                     sources.claims = modules->claims.get();
                     TCORVF040 form(sources, o.rightsOf, o.setting, &o.menu);
                     form.exec();
                 }));
    // Who may make quotations may see what a change of prices does to them.
    table.insert(QStringLiteral("ORC005"),
                 screens::screenOpener(kRightsChapter, kRightsProgram, [](screens::ScreenOpening& o) {
                     TCORVFIMPACTO form(o.modules.database->DbCorvane, o.modules.database->DbFacturacao,
                                        o.context.CompanyName, o.setting, &o.menu);
                     form.exec();
                 }));
}

} // namespace corvane::quotation
