#include "satellite_rows.h"

#include "articles/store/article_tables.h"
#include "screens/field_rule.h"

#include <QSqlQuery>

#include <algorithm>

namespace corvane::articles {

namespace {

const QString kArticle = QStringLiteral("ARTIGO");

// The first column of a statement's rows, trimmed, leaving out empty ones.
std::optional<QStringList> keysOf(db::Database& db, const QString& sql, const QVariantMap& params,
                                  QString* error) {
    QSqlQuery q(db.sql());
    if (!db.exec(q, sql, params, error))
        return std::nullopt;
    QStringList out;
    while (q.next()) {
        const QString key = q.value(0).toString().trimmed();
        if (!key.isEmpty())
            out << key;
    }
    return out;
}

// Reads the keys, makes the rows; the view hears of what went wrong.
bool prepare(const SatelliteKind& kind, db::Database& factura, const std::optional<QStringList>& keys,
             const QString& readError, const QString& article, ScreenView& view) {
    if (!keys) {
        view.beep();
        view.message(readError);
        return false;
    }
    if (keys->isEmpty()) {
        view.beep();
        view.message(kind.missingMessage);
        return false;
    }
    QString error;
    if (!addMissingRows(kind, factura, article, *keys, &error)) {
        view.message(error);
        return false;
    }
    return true;
}

// The fixed currency (country) and the typed price (designation), each
// converted and held to its column's width, as wide as the kind says.
QList<screens::DetailColumn> gridColumns(const SatelliteKind& kind) {
    return {{screens::fieldOf(kind.table, kind.keyColumn, kind.keyColumn), kind.keyTitle, false, false,
             kind.keyWidth},
            {screens::fieldOf(kind.table, kind.valueColumn, kind.valueColumn), kind.valueTitle, true, false,
             kind.valueWidth}};
}

} // namespace

QString SatelliteKind::selectSql() const {
    return QStringLiteral("SELECT * FROM %1 Where ARTIGO = :WMoeArtigo Order BY ARTIGO, %2")
        .arg(table.name, keyColumn);
}

const SatelliteKind& currencyPrices() {
    static const SatelliteKind kind{QStringLiteral("TCORVF035MOEDA"),
                                    QStringLiteral("Preços por Moeda"),
                                    artigosMoeTable(),
                                    QStringLiteral("MOEDA"),
                                    QStringLiteral("PRECO"),
                                    QStringLiteral("MOE"),
                                    4,
                                    QStringLiteral("PREÇO (Moe)"),
                                    14,
                                    QStringLiteral("NÃO ABRIU A TABELA DE MOEDAS !!!"),
                                    true};
    return kind;
}

const SatelliteKind& countryDesignations() {
    static const SatelliteKind kind{QStringLiteral("TCORVF035PAIS"),
                                    QStringLiteral("Designação do Artigo por País"),
                                    artigosPaisTable(),
                                    QStringLiteral("PAIS"),
                                    QStringLiteral("DESIGNACAO"),
                                    QStringLiteral("País"),
                                    22,
                                    QStringLiteral("Designação"),
                                    45,
                                    QStringLiteral("Não abriu a tabela de Países ..."),
                                    false};
    return kind;
}

std::optional<QStringList> currenciesOfYear(db::Database& contab, const QString& year, QString* error) {
    return keysOf(contab, QStringLiteral("SELECT DESCRI FROM cntpmoeda WHERE ANO = :ANO ORDER BY DESCRI"),
                  {{QStringLiteral("ANO"), year.trimmed()}}, error);
}

std::optional<QStringList> countries(db::Database& factura, QString* error) {
    return keysOf(factura, QStringLiteral("SELECT PAIS FROM PAISES ORDER BY PAIS"), {}, error);
}

bool addMissingRows(const SatelliteKind& kind, db::Database& factura, const QString& article,
                    const QStringList& keys, QString* error) {
    const QString code = article.trimmed();
    const std::optional<QStringList> existing = keysOf(
        factura,
        QStringLiteral("SELECT %1 FROM %2 WHERE ARTIGO = :ARTIGO").arg(kind.keyColumn, kind.table.name),
        {{kArticle, code}}, error);
    if (!existing)
        return false;
    QStringList missing;
    for (const QString& key : keys) {
        const auto has = [&key](const QString& k) { return screens::sameKey(k, key); };
        if (std::none_of(existing->begin(), existing->end(), has) &&
            std::none_of(missing.begin(), missing.end(), has))
            missing << key;
    }
    if (missing.isEmpty())
        return true;
    const QVariant empty = kind.valueColumn == QLatin1String("PRECO") ? QVariant(0.0) : QVariant(QString());
    const QString insert = QStringLiteral("INSERT INTO %1 (ARTIGO, %2, %3) VALUES (:ARTIGO, :CHAVE, :VALOR)")
                               .arg(kind.table.name, kind.keyColumn, kind.valueColumn);
    if (!factura.beginTransaction(error))
        return false;
    for (const QString& key : missing) {
        if (!factura.exec(
                insert, {{kArticle, code}, {QStringLiteral("CHAVE"), key}, {QStringLiteral("VALOR"), empty}},
                error)) {
            factura.rollback();
            return false;
        }
    }
    if (!factura.commit(error)) {
        factura.rollback();
        return false;
    }
    return true;
}

bool prepareCurrencyPrices(db::Database& factura, db::Database& contab, const QString& workingYear,
                           const QString& article, ScreenView& view) {
    QString error;
    const std::optional<QStringList> keys = currenciesOfYear(contab, workingYear, &error);
    return prepare(currencyPrices(), factura, keys, error, article, view);
}

bool prepareCountryDesignations(db::Database& factura, const QString& article, ScreenView& view) {
    QString error;
    const std::optional<QStringList> keys = countries(factura, &error);
    return prepare(countryDesignations(), factura, keys, error, article, view);
}

SatelliteGrid::SatelliteGrid(const SatelliteKind& kind, db::Database& factura, QString article,
                             ScreenView& view, db::UpdateErrorHandler onError)
    : kind_(&kind), db_(&factura), article_(article.trimmed()), view_(view), onError_(std::move(onError)),
      rows_(factura, kind.table.name, kind.selectSql(), kind.table.name, kind.table.primaryKey),
      lines_(rows_, gridColumns(kind), view) {
    rows_.setParam(QStringLiteral("WMoeArtigo"), article_);
    rows_.setReportsErrors(kind.reportsErrors);
    lines_.setColumnLeft([this](int row, const screens::DetailColumn&) { lineLeft(row); });
}

void SatelliteGrid::setWriteRights(const db::Dataset::WriteRights& rights) {
    rows_.setWriteRights(rights);
    lines_.setReadOnly(!rights.modify);
}

bool SatelliteGrid::activate() {
    QString error;
    if (!rows_.open(&error) || !rows_.fetchAll(&error)) {
        view_.message(error);
        return false;
    }
    lines_.reload();
    return true;
}

bool SatelliteGrid::lineLeft(int row) {
    if (row < 0 || row >= rows_.rowCount())
        return true;
    if (rows_.text(row, kArticle).trimmed().isEmpty() ||
        rows_.text(row, kind_->keyColumn).trimmed().isEmpty())
        return true;
    return write();
}

bool SatelliteGrid::finish() {
    return write();
}

bool SatelliteGrid::closeRequested() {
    if (write())
        return true;
    if (!view_.confirm(kAbandonQuestion))
        return false;
    cancel();
    return true;
}

void SatelliteGrid::cancel() {
    rows_.cancelUpdates();
    lines_.reload();
}

bool SatelliteGrid::write() {
    if (!rows_.hasPendingUpdates())
        return true;
    QString error;
    if (rows_.applyUpdates(onError_, &error))
        return true;
    // The update-error dialog has told the user already.
    if (!(kind_->reportsErrors && onError_) && !error.isEmpty())
        view_.message(error);
    return false;
}

} // namespace corvane::articles
