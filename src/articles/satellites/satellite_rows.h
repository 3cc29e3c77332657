#pragma once

#include "core/screen_view.h"
#include "db/dataset.h"
#include "screens/detail_lines.h"

#include <optional>

namespace corvane::articles {

// One satellite of an article kept as one row per currency or per country:
// the table, the column naming the currency (country), the column the user
// types and how the screen shows them.
struct SatelliteKind {
    QString screen;      // "TCORVF035MOEDA"
    QString caption;     // "Preços por Moeda"
    db::Table table;     // ARTIGOSMOE
    QString keyColumn;   // MOEDA
    QString valueColumn; // PRECO
    QString keyTitle;    // "MOE"
    int keyWidth = 0;    // characters of the grid column
    QString valueTitle;  // "PREÇO (Moe)"
    int valueWidth = 0;
    QString missingMessage; // no currency (country) to make rows for
    // A failed write goes to the update-error dialog (else: the message only).
    bool reportsErrors = false;

    // The article's rows: "SELECT * FROM <table> Where ARTIGO = :WMoeArtigo Order BY ARTIGO, <key>".
    QString selectSql() const;
};

// Prices per currency (ARTIGOSMOE) and designations per country (ARTIGOSPAIS).
const SatelliteKind& currencyPrices();
const SatelliteKind& countryDesignations();

// The currencies of a year: the non-empty DESCRI of cntpmoeda rows with that
// ANO, in order; nullopt with the server's message when they cannot be read.
std::optional<QStringList> currenciesOfYear(db::Database& contab, const QString& year,
                                            QString* error = nullptr);
// The countries of PAISES, in order.
std::optional<QStringList> countries(db::Database& factura, QString* error = nullptr);

// Gives the article a row for every key it has none for (PRECO 0, or an
// empty DESIGNACAO), all in one transaction; the rows it has are kept.
// Keys compare trimmed and case-insensitively. False with the server's
// message (and nothing written) when a statement fails.
bool addMissingRows(const SatelliteKind& kind, db::Database& factura, const QString& article,
                    const QStringList& keys, QString* error = nullptr);

// Before the prices screen opens: the working year's currencies, a row for
// each. Without a currency: beep, "NÃO ABRIU A TABELA DE MOEDAS !!!", false.
bool prepareCurrencyPrices(db::Database& factura, db::Database& contab, const QString& workingYear,
                           const QString& article, ScreenView& view);
// Before the designations screen opens: the countries, a row for each.
// Without a country: beep, "Não abriu a tabela de Países ...", false.
bool prepareCountryDesignations(db::Database& factura, const QString& article, ScreenView& view);

// The screen over the article's rows (TCORVF035MOEDA, TCORVF035PAIS): the
// currency (country) is fixed, only the price (designation) is typed; a
// change is written when the user moves to another line and when the screen
// closes. Rows are neither added nor removed here.
class SatelliteGrid {
public:
    SatelliteGrid(const SatelliteKind& kind, db::Database& factura, QString article, ScreenView& view,
                  db::UpdateErrorHandler onError = {});

    const SatelliteKind& kind() const { return *kind_; }
    const QString& article() const { return article_; }
    db::Dataset& rows() { return rows_; }
    // The grid's lines, read when activated.
    screens::DetailLines& lines() { return lines_; }

    // What the user may write: without the right to change, the lines are
    // only looked at and the rows refuse any write.
    void setWriteRights(const db::Dataset::WriteRights& rights);
    // Opens the article's rows; false with the server's message.
    bool activate();
    // The user left a line (Up, Down, Tab, another line): the changes are
    // written when the line names an article and a currency (country).
    // False when the write failed: the changes stay in the buffer.
    bool lineLeft(int row);
    // "&Terminar": writes what is left; false keeps the screen open with the
    // changes.
    bool finish();
    // The close box or Esc: writes what is left; when that fails (another
    // user changed or deleted the rows, say) asks whether to abandon the
    // changes: Yes drops them and closes, No keeps the screen open.
    bool closeRequested();
    // "&Cancelar": the changes not written are dropped.
    void cancel();

private:
    bool write();

    const SatelliteKind* kind_;
    db::Database* db_;
    QString article_;
    ScreenView& view_;
    db::UpdateErrorHandler onError_;
    db::Dataset rows_;
    screens::DetailLines lines_;
};

} // namespace corvane::articles
