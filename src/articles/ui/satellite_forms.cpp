#include "satellite_forms.h"

#include "components/widget_view.h"
#include "screens/ui/detail_grid.h"
#include "shell/access_rights.h"

#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane::articles {

SatelliteForm::SatelliteForm(const SatelliteKind& kind, db::Database& factura, const QString& article,
                             const screens::ScreenSetting& setting, QWidget* parent)
    : ScreenDialog(kind.screen, kind.caption, setting, parent),
      logic_(kind, factura, article, view(),
             kind.reportsErrors ? setting.onError : db::UpdateErrorHandler{}) {
    logic_.setWriteRights(shell::writeRights(setting.rights));
    auto* layout = new QVBoxLayout(this);
    grid_ = new screens::DetailGrid(logic_.lines(), this);
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->setSortingEnabled(false);
    grid_->horizontalHeader()->setSectionsClickable(false);
    const int character = grid_->fontMetrics().averageCharWidth();
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setMinimumWidth(character * (kind.keyWidth + kind.valueWidth + 6));
    layout->addWidget(grid_);
    addCloseAndCancel(
        layout, QStringLiteral("&Terminar"), QStringLiteral("BitTerminar"), [this] { return this->finish(); },
        [this] { logic_.cancel(); });
    installConventions();
}

bool SatelliteForm::activateScreen() {
    if (!logic_.activate())
        return false;
    grid_->gridModel()->reload();
    grid_->setCurrentIndex(grid_->gridModel()->index(0, 1));
    grid_->setFocus();
    return true;
}

bool SatelliteForm::finish() {
    // What the open cell holds first: a refused value keeps the cell and the screen.
    return grid_->commitEdit() && logic_.finish();
}

bool SatelliteForm::closeRequested() {
    return grid_->commitEdit() && logic_.closeRequested();
}

bool openCurrencyPrices(QWidget* parent, db::Database& factura, db::Database& contab,
                        const QString& workingYear, const QString& code,
                        const screens::ScreenSetting& setting) {
    components::WidgetView view(parent, currencyPrices().screen, setting.log);
    if (!prepareCurrencyPrices(factura, contab, workingYear, code, view))
        return false;
    TCORVF035MOEDA form(factura, code, setting, parent);
    form.exec();
    return true;
}

bool openCountryDesignations(QWidget* parent, db::Database& factura, const QString& code,
                             const screens::ScreenSetting& setting) {
    components::WidgetView view(parent, countryDesignations().screen, setting.log);
    if (!prepareCountryDesignations(factura, code, view))
        return false;
    TCORVF035PAIS form(factura, code, setting, parent);
    form.exec();
    return true;
}

} // namespace corvane::articles
