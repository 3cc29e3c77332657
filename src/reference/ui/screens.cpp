#include "screens.h"

#include "machines_form.h"
#include "operations_form.h"
#include "packaging_form.h"
#include "parameters_form.h"
#include "reference/listings/listings.h"
#include "shell/data_modules.h"
#include "screens/ui/table_screen_form.h"

namespace corvane::reference {

namespace {

using screens::TableScreen;
using screens::TableScreenForm;

// The packaging listing over rows of its own: choosing its order in the
// selection screen leaves the screen's dataset alone.
struct OwnRows {
    explicit OwnRows(db::Database& db)
        : rows(db, QStringLiteral("EMBALAGEM"), QStringLiteral("Select * From EMBALAGEM Order By CODIGO")) {}
    db::Dataset rows;
};
class PackagingListing : private OwnRows, public TCORVFPR007 {
public:
    PackagingListing(db::Database& db, db::Dataset& embalagemMp) : OwnRows(db), TCORVFPR007(rows, embalagemMp) {}
};

using FormMaker = std::function<std::unique_ptr<QDialog>(shell::TDTCORVANE&, Listing*, ScreenSetting)>;

// The table's listing first, then its screen shown modally; the screen is
// freed before the listing.
void openWithListing(shell::TFACFMENU& menu, const QString& program,
                     const std::function<std::unique_ptr<Listing>(shell::TDTCORVANE&)>& makeListing,
                     const FormMaker& makeForm) {
    shell::DataModules* modules = menu.logic().modules();
    if (!modules)
        return;
    std::unique_ptr<Listing> listing = makeListing(*modules->corvane);
    listing->setCompany(menu.context().CompanyName);
    listing->setNotice(menu.context().ReportNotice);
    std::unique_ptr<QDialog> form = makeForm(*modules->corvane, listing.get(), screenSetting(menu, program));
    form->exec();
    form.reset();
    listing.reset();
}

FormMaker tableForm(TableScreenConfig (*config)(), db::Dataset shell::TDTCORVANE::*dataset) {
    return [config, dataset](shell::TDTCORVANE& data, Listing* listing, ScreenSetting setting) {
        db::UpdateErrorHandler onError = setting.onError;
        return std::make_unique<TableScreenForm>(
            config(),
            [&data, dataset, config, onError](ScreenView& view) {
                return std::make_unique<TableScreen>(config(), data.*dataset, view, onError);
            },
            listing, std::move(setting));
    };
}

// A screen of the pattern over one table, whose listing reads that table only.
template <class ListingOf>
shell::ScreenOpener simpleTable(TableScreenConfig (*config)(), db::Dataset shell::TDTCORVANE::*dataset) {
    return [config, dataset](shell::TFACFMENU& menu) {
        openWithListing(
            menu, config().program,
            [dataset](shell::TDTCORVANE& d) { return std::make_unique<ListingOf>(d.*dataset); },
            tableForm(config, dataset));
    };
}

} // namespace

ScreenSetting screenSetting(shell::TFACFMENU& menu, const QString& program) {
    const WorkingContext& ctx = menu.context();
    ScreenSetting s;
    s.rights = shell::ReadAcessosUtil(menu.logic().modules()->empresas->APLICACAODET, ctx.ApplicationCode,
                                      kRightsChapter, program, ctx.UserCode);
    s.signature = ctx.StatusSignature;
    s.onError = menu.updateErrorHandler();
    s.log = menu.log();
    return s;
}

void registerScreens(shell::ScreenTable& table) {
    using shell::TDTCORVANE;
    // The general parameters have no listing.
    table.insert(QStringLiteral("TAB000"), [](shell::TFACFMENU& menu) {
        shell::DataModules* modules = menu.logic().modules();
        if (!modules)
            return;
        const WorkingContext& ctx = menu.context();
        auto allowed = [&](const QString& program) {
            return shell::accessAllowed(modules->empresas->APLICACAODET, ctx.ApplicationCode, kRightsChapter,
                                        program, ctx.UserCode);
        };
        TCORVF000::Links links;
        links.costTypesAllowed = allowed(costTypesScreen().program);
        links.operationsAllowed = allowed(operationsScreen().program);
        links.openCostTypes = [&menu] {
            simpleTable<TCORVFPR001>(&costTypesScreen, &TDTCORVANE::TIPOCUSTO)(menu);
        };
        auto form =
            std::make_unique<TCORVF000>(*modules->corvane, modules->database->DbFacturacao, std::move(links),
                                        screenSetting(menu, QStringLiteral("Parametros Gerais")));
        form->exec();
    });
    table.insert(QStringLiteral("TAB001"),
                 simpleTable<TCORVFPR001>(&costTypesScreen, &TDTCORVANE::TIPOCUSTO));
    table.insert(QStringLiteral("TAB002"), [](shell::TFACFMENU& menu) {
        openWithListing(
            menu, operationsScreen().program,
            [](TDTCORVANE& d) { return std::make_unique<TCORVFPR002>(d.OPERACOES, d.TIPOCUSTO); },
            [](TDTCORVANE& d, Listing* listing, ScreenSetting setting) {
                return std::make_unique<TCORVF002>(d, listing, setting);
            });
    });
    table.insert(QStringLiteral("TAB003"),
                 simpleTable<TCORVFPR004>(&machineGroupsScreen, &TDTCORVANE::GRUPOMAQUINAS));
    table.insert(QStringLiteral("TAB004"), [](shell::TFACFMENU& menu) {
        openWithListing(
            menu, machinesScreen().program,
            [](TDTCORVANE& d) { return std::make_unique<TCORVFPR003>(d.MAQUINAS, d.GRUPOMAQUINAS); },
            [&menu](TDTCORVANE& d, Listing* listing, ScreenSetting setting) {
                const WorkingContext& ctx = menu.context();
                shell::DataModules& modules = *menu.logic().modules();
                TCORVF003::Links links;
                links.contab = &modules.database->DbContab;
                links.factura = &modules.database->DbFacturacao;
                links.workingYear = ctx.WorkingYear;
                links.groupsAllowed =
                    shell::accessAllowed(modules.empresas->APLICACAODET, ctx.ApplicationCode, kRightsChapter,
                                         machineGroupsScreen().program, ctx.UserCode);
                links.openGroups = [&menu] {
                    simpleTable<TCORVFPR004>(&machineGroupsScreen, &TDTCORVANE::GRUPOMAQUINAS)(menu);
                };
                return std::make_unique<TCORVF003>(d, std::move(links), listing, setting);
            });
    });
    table.insert(QStringLiteral("TAB007"), [](shell::TFACFMENU& menu) {
        openWithListing(
            menu, packagingScreen().program,
            [](TDTCORVANE& d) { return std::make_unique<PackagingListing>(d.db, d.EMBALAGEMMP); },
            [&menu](TDTCORVANE& d, Listing* listing, ScreenSetting setting) {
                setting.signature.clear(); // this screen shows no signature
                return std::make_unique<TCORVF007>(d, menu.logic().modules()->database->DbFacturacao,
                                                   static_cast<TCORVFPR007*>(listing), setting);
            });
    });
    table.insert(QStringLiteral("TAB005"),
                 simpleTable<TCORVFPR005>(&materialTypesScreen, &TDTCORVANE::TIPOMATERIAL));
    table.insert(QStringLiteral("TAB006"),
                 simpleTable<TCORVFPR006>(&workTypesScreen, &TDTCORVANE::TIPOTRABALHO));
}

} // namespace corvane::reference
