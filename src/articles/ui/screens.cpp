#include "screens.h"

#include "article_form.h"
#include "satellite_forms.h"
#include "shell/data_modules.h"

namespace corvane::articles {

void registerScreens(shell::ScreenTable& table) {
    table.insert(QStringLiteral("FICTEC001"), [](shell::TFACFMENU& menu) {
        shell::DataModules* modules = menu.logic().modules();
        if (!modules)
            return;
        const WorkingContext& ctx = menu.context();
        db::Dataset& rights = modules->empresas->APLICACAODET;
        const QString user = ctx.UserCode;
        RightsOf rightsOf = [&rights, user](const QString& application, const QString& chapter,
                                            const QString& program) {
            return shell::ReadAcessosUtil(rights, application, chapter, program, user);
        };
        screens::ScreenSetting setting;
        setting.rights = rightsOf(ctx.ApplicationCode, QStringLiteral("Fichas Tecnicas"),
                                  QStringLiteral("Abertura Ficha Tecnica"));
        setting.signature = ctx.StatusSignature;
        setting.onError = menu.updateErrorHandler();
        setting.log = menu.log();
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
        TCORVF035 form(sources, rightsOf, links, setting, &menu);
        form.exec();
    });
}

} // namespace corvane::articles
