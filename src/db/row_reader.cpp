#include "row_reader.h"

#include "database.h"

#include <QDateTime>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <sqlite3.h>

namespace corvane::db {

RowReader::RowReader(Database& db) : db_(&db) {}

RowReader::~RowReader() { finish(); }

void RowReader::finish() {
    if (stmt_)
        sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    query_.reset();
}

bool RowReader::exec(const QString& sql, const QVariantMap& params, QString* error) {
    finish();
    fields_.clear();
    handle_ = nullptr;
    if (db_->backend() == Backend::SQLite && db_->isConnected()) {
        const QVariant h = db_->sql().driver()->handle();
        if (h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0)
            handle_ = *static_cast<sqlite3* const*>(h.constData());
    }
    if (handle_) {
        if (db_->injectedFailure(sql, error))
            return false;
        return prepareSqlite(sql, params, error);
    }
    query_ = std::make_unique<QSqlQuery>(db_->sql());
    if (!db_->exec(*query_, sql, params, error)) {
        query_.reset();
        return false;
    }
    const QSqlRecord rec = query_->record();
    for (int i = 0; i < rec.count(); ++i)
        fields_ << rec.fieldName(i);
    return true;
}

QString RowReader::sqliteError() const { return QString::fromUtf8(sqlite3_errmsg(handle_)); }

bool RowReader::prepareSqlite(const QString& sql, const QVariantMap& params, QString* error) {
    const QByteArray text = sql.toUtf8();
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(handle_, text.constData(), int(text.size()), &stmt_, &tail) != SQLITE_OK) {
        if (error)
            *error = sqliteError();
        finish();
        return false;
    }
    if (tail && !QByteArray(tail).trimmed().isEmpty()) {
        if (error)
            *error = QStringLiteral("Só uma instrução de cada vez : %1").arg(sql.left(60));
        finish();
        return false;
    }
    if (!bindSqlite(params, error)) {
        finish();
        return false;
    }
    const int columns = sqlite3_column_count(stmt_);
    for (int i = 0; i < columns; ++i) {
        // As the driver names them: without quotes or a table prefix.
        QString name = QString::fromUtf8(sqlite3_column_name(stmt_, i)).remove(QLatin1Char('"'));
        fields_ << name.mid(name.lastIndexOf(QLatin1Char('.')) + 1);
    }
    return true;
}

bool RowReader::bindSqlite(const QVariantMap& params, QString* error) {
    QList<int> bound;
    for (auto it = params.cbegin(); it != params.cend(); ++it) {
        const QString name = it.key().startsWith(QLatin1Char(':')) ? it.key() : QLatin1Char(':') + it.key();
        const int index = sqlite3_bind_parameter_index(stmt_, name.toUtf8().constData());
        if (index == 0)
            continue; // not named by this statement
        const QVariant& v = it.value();
        int rc = SQLITE_OK;
        if (v.isNull()) {
            rc = sqlite3_bind_null(stmt_, index);
        } else {
            switch (v.metaType().id()) {
            case QMetaType::Int:
            case QMetaType::Bool:
            case QMetaType::Short:
                rc = sqlite3_bind_int(stmt_, index, v.toInt());
                break;
            case QMetaType::UInt:
            case QMetaType::LongLong:
                rc = sqlite3_bind_int64(stmt_, index, v.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(stmt_, index, v.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray b = v.toByteArray();
                rc = sqlite3_bind_blob(stmt_, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
                break;
            }
            default: {
                // Date-times as ISO text with milliseconds, as the driver stores them.
                const QString s = v.metaType().id() == QMetaType::QDateTime
                                      ? v.toDateTime().toString(Qt::ISODateWithMs)
                                      : v.toString();
                const QByteArray b = s.toUtf8();
                rc = sqlite3_bind_text(stmt_, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
                break;
            }
            }
        }
        if (rc != SQLITE_OK) {
            if (error)
                *error = sqliteError();
            return false;
        }
        bound << index;
    }
    const int wanted = sqlite3_bind_parameter_count(stmt_);
    for (int i = 1; i <= wanted; ++i)
        if (!bound.contains(i)) {
            if (error)
                *error = QStringLiteral("Parâmetro sem valor : %1")
                             .arg(QString::fromUtf8(sqlite3_bind_parameter_name(stmt_, i)));
            return false;
        }
    return true;
}

bool RowReader::next(QVariantList* values, QString* error) {
    if (query_) {
        if (!query_->next()) {
            if (query_->lastError().isValid()) {
                if (error)
                    *error = Database::errorText(query_->lastError());
            }
            return false;
        }
        QVariantList row;
        row.reserve(fields_.size());
        for (int i = 0; i < fields_.size(); ++i)
            row.append(query_->value(i));
        *values = std::move(row);
        return true;
    }
    if (!stmt_)
        return false;
    const int rc = sqlite3_step(stmt_);
    if (rc != SQLITE_ROW) {
        if (rc != SQLITE_DONE && error)
            *error = sqliteError();
        finish();
        return false;
    }
    const int columns = int(fields_.size());
    QVariantList row;
    row.reserve(columns);
    for (int i = 0; i < columns; ++i) {
        switch (sqlite3_column_type(stmt_, i)) {
        case SQLITE_INTEGER:
            row.emplaceBack(qint64(sqlite3_column_int64(stmt_, i)));
            break;
        case SQLITE_FLOAT:
            row.emplaceBack(sqlite3_column_double(stmt_, i));
            break;
        case SQLITE_NULL:
            row.emplaceBack(QMetaType::fromType<QString>());
            break;
        case SQLITE_BLOB: {
            const char* data = static_cast<const char*>(sqlite3_column_blob(stmt_, i));
            row.emplaceBack(QByteArray(data, sqlite3_column_bytes(stmt_, i)));
            break;
        }
        default: {
            const char* data = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
            row.emplaceBack(QString::fromUtf8(data, sqlite3_column_bytes(stmt_, i)));
            break;
        }
        }
    }
    *values = std::move(row);
    return true;
}

} // namespace corvane::db
