#include "screens.h"

#include "machines_form.h"
#include "operations_form.h"
#include "packaging_form.h"
#include "parameters_form.h"
#include "reference/listings/listings.h"
#include "reference/listings/packaging_selection.h"
#include "screens/ui/screen_opening.h"
#include "screens/ui/table_screen_form.h"
#include "shell/data_modules.h"

namespace corvane::reference {

namespace {

using screens::TableScreen;
using screens::TableScreenForm;

// The packaging listing over rows of its own: choosing its order in the
// selection screen leaves the screen's dataset alone.
struct OwnRows {
    explicit OwnRows(db::Database& db)
        : rows(db, QStringLiteral("EMBALAGEM"), PackagingSelection::selectSql(ListingOrder::Numeric)) {}
    db::Dataset rows;
};
class PackagingListing : private OwnRows, public TCORVFPR007 {
public:
    PackagingListing(db::Database& db, db::Dataset& embalagemMp)
        : OwnRows(db), TCORVFPR007(rows, embalagemMp) {}
};

using FormMaker = std::function<std::unique_ptr<QDialog>(screens::ScreenOpening&, Listing*)>;

// The table's listing first, then its screen shown modally; the screen is
// freed before the listing.
shell::ScreenOpener withListing(const QString& program,
                                std::function<std::unique_ptr<Listing>(shell::TDTCORVANE&)> makeListing,
                                FormMaker makeForm) {
    return screens::screenOpener(kRightsChapter, program, [makeListing, makeForm](screens::ScreenOpening& o) {
        std::unique_ptr<Listing> listing = makeListing(*o.modules.corvane);
        listing->setCompany(o.context.CompanyName);
        listing->setNotice(o.context.ReportNotice);
        std::unique_ptr<QDialog> form = makeForm(o, listing.get());
        form->exec();
        form.reset();
        listing.reset();
    });
}

FormMaker tableForm(TableScreenConfig (*config)(), db::Dataset shell::TDTCORVANE::*dataset) {
    return [config, dataset](screens::ScreenOpening& o, Listing* listing) {
        shell::TDTCORVANE& data = *o.modules.corvane;
        db::UpdateErrorHandler onError = o.setting.onError;
        return std::make_unique<TableScreenForm>(
            config(),
            [&data, dataset, config, onError](ScreenView& view) {
                return std::make_unique<TableScreen>(config(), data.*dataset, view, onError);
            },
            listing, o.setting);
    };
}

// A screen of the pattern over one table, whose listing reads that table only.
template <class ListingOf>
shell::ScreenOpener simpleTable(TableScreenConfig (*config)(), db::Dataset shell::TDTCORVANE::*dataset) {
    return withListing(
        config().program, [dataset](shell::TDTCORVANE& d) { return std::make_unique<ListingOf>(d.*dataset); },
        tableForm(config, dataset));
}

} // namespace

void registerScreens(shell::ScreenTable& table) {
    using shell::TDTCORVANE;
    // The general parameters have no listing.
    table.insert(QStringLiteral("TAB000"),
                 screens::screenOpener(
                     kRightsChapter, QStringLiteral("Parametros Gerais"), [](screens::ScreenOpening& o) {
                         TCORVF000::Links links;
                         links.costTypesAllowed = o.allowed(kRightsChapter, costTypesScreen().program);
                         links.operationsAllowed = o.allowed(kRightsChapter, operationsScreen().program);
                         shell::TFACFMENU* menu = &o.menu;
                         links.openCostTypes = [menu] {
                             simpleTable<TCORVFPR001>(&costTypesScreen, &TDTCORVANE::TIPOCUSTO)(*menu);
                         };
                         TCORVF000 form(*o.modules.corvane, o.modules.database->DbFacturacao,
                                        std::move(links), o.setting);
                         form.exec();
                     }));
    table.insert(QStringLiteral("TAB001"),
                 simpleTable<TCORVFPR001>(&costTypesScreen, &TDTCORVANE::TIPOCUSTO));
    table.insert(QStringLiteral("TAB002"),
                 withListing(
                     operationsScreen().program,
                     [](TDTCORVANE& d) { return std::make_unique<TCORVFPR002>(d.OPERACOES, d.TIPOCUSTO); },
                     [](screens::ScreenOpening& o, Listing* listing) {
                         return std::make_unique<TCORVF002>(*o.modules.corvane, listing, o.setting);
                     }));
    table.insert(QStringLiteral("TAB003"),
                 simpleTable<TCORVFPR004>(&machineGroupsScreen, &TDTCORVANE::GRUPOMAQUINAS));
    table.insert(
        QStringLiteral("TAB004"),
        withListing(
            machinesScreen().program,
            [](TDTCORVANE& d) { return std::make_unique<TCORVFPR003>(d.MAQUINAS, d.GRUPOMAQUINAS); },
            [](screens::ScreenOpening& o, Listing* listing) {
                TCORVF003::Links links;
                links.contab = &o.modules.database->DbContab;
                links.factura = &o.modules.database->DbFacturacao;
                links.workingYear = o.context.WorkingYear;
                links.groupsAllowed = o.allowed(kRightsChapter, machineGroupsScreen().program);
                shell::TFACFMENU* menu = &o.menu;
                links.openGroups = [menu] {
                    simpleTable<TCORVFPR004>(&machineGroupsScreen, &TDTCORVANE::GRUPOMAQUINAS)(*menu);
                };
                return std::make_unique<TCORVF003>(*o.modules.corvane, std::move(links), listing, o.setting);
            }));
    table.insert(QStringLiteral("TAB007"),
                 withListing(
                     packagingScreen().program,
                     [](TDTCORVANE& d) { return std::make_unique<PackagingListing>(d.db, d.EMBALAGEMMP); },
                     [](screens::ScreenOpening& o, Listing* listing) {
                         ScreenSetting setting = o.setting;
                         setting.signature.clear(); // this screen shows no signature
                         return std::make_unique<TCORVF007>(*o.modules.corvane,
                                                            o.modules.database->DbFacturacao,
                                                            static_cast<TCORVFPR007*>(listing), setting);
                     }));
    table.insert(QStringLiteral("TAB005"),
                 simpleTable<TCORVFPR005>(&materialTypesScreen, &TDTCORVANE::TIPOMATERIAL));
    table.insert(QStringLiteral("TAB006"),
                 simpleTable<TCORVFPR006>(&workTypesScreen, &TDTCORVANE::TIPOTRABALHO));
}

} // namespace corvane::reference
