#pragma once

#include "article_lists.h"
#include "db/database.h"
#include "db/dataset.h"
#include "techsheet/tech_sheet_context.h"

#include <QDateTime>
#include <QVariantMap>

#include <optional>

namespace corvane::articles {

// Where an article's code is used elsewhere.
enum class UsageKind { Stock, Orders, Invoices };
// " Registos em Stock, não pode ser eliminado !!" and its two siblings.
QString usageText(UsageKind kind);

// One article of a base code: what the deletion checks read.
struct BaseArticle {
    QString code;
    QString type;
    QString sheet; // FICTEC
};

// What a save writes besides the typed columns.
struct SaveStamp {
    bool isNew = false;                 // insert (else update the row with that code)
    QDateTime opened;                   // DTABERTURA: today on insert, as shown on update
    QString openedBy;                   // UTIL_ABERTURA
    std::optional<QDateTime> changedAt; // set: DTULTALTER/UTILALTER stamped with the change
    QString changedBy;
    // On update: the columns the user changed, and the row's values as read
    // when the editing started (the columns must still hold them).
    QStringList changed;
    QVariantMap original;
};

// The statements of the article master in the invoicing database.
class ArticleStore {
public:
    explicit ArticleStore(db::Database& factura) : db_(&factura) {}

    // Whether any article (ordinary or variant) has the code, ignoring case
    // and trailing blanks; nullopt with the server's message when it cannot tell.
    std::optional<bool> codeExists(const QString& code, QString* error = nullptr);

    // Every column of one article; empty when there is none.
    std::optional<QVariantMap> read(const QString& code, QString* error = nullptr);
    // The designation of an article: nullopt when it cannot be read, an
    // empty inner value when there is no such article.
    std::optional<std::optional<QString>> designation(const QString& code, QString* error = nullptr);

    // The number of ordinary articles (GRELHA 'N').
    std::optional<int> ordinaryCount(QString* error = nullptr);
    // An ordinary article's code and designation; empty when there is none.
    std::optional<QVariantMap> ordinaryKey(const QString& code, QString* error = nullptr);
    // The code of the last ordinary article in the order; empty when none.
    std::optional<QString> lastOrdinary(ArticleOrder order, QString* error = nullptr);

    // Inserts or updates the article in one transaction (`values`: column ->
    // value already converted). An insert writes every typed column and the
    // fixed values of the others. An update writes the change stamp and only
    // the columns changed, and only while each still holds its original
    // value: otherwise nothing is written and *error says the row was
    // changed (db::kChangedByOther) or deleted (db::kDeletedByOther) by
    // another user.
    bool save(const QVariantMap& values, const SaveStamp& stamp, QString* error = nullptr);
    // The columns `values` of save() takes.
    static QStringList typedColumns();
    // The typed columns whose value differs from what the screen showed.
    static QStringList changedColumns(const QVariantMap& values, const QVariantMap& shown);

    // The articles of a base: for a variant the base's first 12 characters
    // up to the base + "9999", for an ordinary article the code itself.
    std::optional<QList<BaseArticle>> articlesOfBase(const QString& code, bool variant,
                                                     QString* error = nullptr);
    // Rows of stock movements, order lines or invoice lines naming the article.
    std::optional<int> usageCount(UsageKind kind, const QString& code, QString* error = nullptr);
    // Whether the program database holds a technical sheet of the article.
    // (Checked by the caller against its own database.)

    // Marks whether the article has a technical sheet (FICTEC "S" or "N").
    bool markSheet(const QString& code, bool hasSheet, QString* error = nullptr);
    // The context the technical sheet of the article opens with: its code,
    // designations, length, width and weight. Empty when there is no such
    // article (error empty) or it could not be read (error set).
    std::optional<techsheet::TechSheetContext> sheetContext(const QString& code, QString* error = nullptr);

    // Deletes the article, its prices per currency and designations per
    // country and (withStock) its stock per warehouse, in one transaction.
    bool remove(const QString& code, bool withStock, QString* error = nullptr);

    db::Database& database() { return *db_; }
    // What the signed-on user may write (all by default): a save or a
    // deletion beyond it is refused with db::notAllowedText before any
    // statement runs.
    void setWriteRights(const db::Dataset::WriteRights& rights) { rights_ = rights; }

private:
    bool update(const QVariantMap& values, const SaveStamp& stamp, QString* error);

    db::Database* db_;
    db::Dataset::WriteRights rights_;
};

} // namespace corvane::articles
