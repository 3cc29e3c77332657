#include "screens.h"

#include "quotation_form.h"
#include "shell/data_modules.h"

namespace corvane::quotation {

void registerScreens(shell::ScreenTable& table) {
    table.insert(QStringLiteral("ORC002"), [](shell::TFACFMENU& menu) {
        shell::DataModules* modules = menu.logic().modules();
        if (!modules)
            return;
        const WorkingContext& ctx = menu.context();
        const QuotationRightsOf rightsOf = shell::rightsReader(modules->empresas->APLICACAODET, ctx.UserCode);
        screens::ScreenSetting setting;
        setting.rights = rightsOf(ctx.ApplicationCode, kRightsChapter, kRightsProgram);
        setting.signature = ctx.StatusSignature;
        setting.onError = menu.updateErrorHandler();
        setting.log = menu.log();
        QuotationSources sources;
        sources.corvane = &modules->database->DbCorvane;
        sources.factura = &modules->database->DbFacturacao;
        sources.userCode = ctx.UserCode;
        sources.workingDate = ctx.WorkingDate.date();
        sources.workingYear = ctx.WorkingYear;
        sources.companyName = ctx.CompanyName;
        sources.reportNotice = ctx.ReportNotice;
        sources.claims = modules->claims.get();
        TCORVF040 form(sources, rightsOf, setting, &menu);
        form.exec();
    });
}

} // namespace corvane::quotation
