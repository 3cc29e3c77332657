#include "demo_rows.h"

namespace corvane::setup {

bool insertRows(db::Database& db, const QString& table, const QStringList& columns, const QList<Row>& rows,
                QString* error) {
    QStringList params;
    for (const QString& c : columns)
        params << QLatin1Char(':') + c;
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(table, columns.join(QLatin1Char(',')), params.join(QLatin1Char(',')));
    for (const Row& row : rows) {
        QVariantMap values;
        for (int i = 0; i < columns.size(); ++i)
            values.insert(columns.at(i), row.value(i));
        if (!db.exec(sql, values, error))
            return false;
    }
    return true;
}

bool insertRows(db::Database& db, const QString& table, const QString& columns, const QList<Row>& rows,
                QString* error) {
    return insertRows(db, table, columns.split(QLatin1Char(',')), rows, error);
}

} // namespace corvane::setup
