#pragma once

#include "articles/satellites/satellite_rows.h"
#include "screens/ui/screen_dialog.h"

namespace corvane::screens {
class DetailGrid;
}

namespace corvane::articles {

// The grid of an article's rows per currency or per country: the first
// column fixed, the second typed; "&Terminar" and closing write, "&Cancelar"
// drops what was not written.
class SatelliteForm : public screens::ScreenDialog {
    Q_OBJECT
public:
    SatelliteForm(const SatelliteKind& kind, db::Database& factura, const QString& article,
                  const screens::ScreenSetting& setting, QWidget* parent = nullptr);

    SatelliteGrid& logic() { return logic_; }
    screens::DetailGrid* grid() const { return grid_; }

protected:
    bool activateScreen() override;
    bool closeRequested() override;

private:
    bool finish();

    SatelliteGrid logic_;
    screens::DetailGrid* grid_ = nullptr;
};

// "Preços por Moeda".
class TCORVF035MOEDA : public SatelliteForm {
    Q_OBJECT
public:
    TCORVF035MOEDA(db::Database& factura, const QString& article, const screens::ScreenSetting& setting,
                   QWidget* parent = nullptr)
        : SatelliteForm(currencyPrices(), factura, article, setting, parent) {}
};

// "Designação do Artigo por País".
class TCORVF035PAIS : public SatelliteForm {
    Q_OBJECT
public:
    TCORVF035PAIS(db::Database& factura, const QString& article, const screens::ScreenSetting& setting,
                  QWidget* parent = nullptr)
        : SatelliteForm(countryDesignations(), factura, article, setting, parent) {}
};

// "&Moedas" of the article screen: makes the article's row for each currency
// of the working year and shows the prices modally. False when it could not
// open (no currency, or a database error; the user was told).
bool openCurrencyPrices(QWidget* parent, db::Database& factura, db::Database& contab,
                        const QString& workingYear, const QString& code,
                        const screens::ScreenSetting& setting);
// "&Paises": the same for the countries and the designations.
bool openCountryDesignations(QWidget* parent, db::Database& factura, const QString& code,
                             const screens::ScreenSetting& setting);

} // namespace corvane::articles
