#include "article_store.h"

#include "db/dataset.h"

#include <QSqlQuery>

namespace corvane::articles {

namespace {

// The statements of a save: the first (insert or update) and the three
// updates that follow it, each with the columns it writes.
const QStringList kFirstColumns{"DESIGNACAO", "FAMILIA", "TIPOARTIGO", "ALTURA",      "COMPOSICAO", "CCUSTO",
                                "UNCOMPRA",   "NEFIO",   "COMISSAO",   "DESIGNACAO1", "DESIGNACAO2"};
const QStringList kSecondColumns{"PTOENC",  "STKMIN",  "STKMAX", "CUSTOPADRAO",
                                 "CUSTOM1", "CUSTOM2", "TIPOMAT"};
const QStringList kThirdColumns{"CUSTOM3", "CUSTOM4", "CUSTOM5", "CUSTOM6", "CUSTOM7",
                                "CUSTOM8", "CUSTOM9", "UNVENDA", "VOSREF",  "PESO",
                                "VOLUME",  "PRECO1",  "PRECO2",  "PRECO3",  "PRECO4"};
const QStringList kFourthColumns{"CODIVA",  "DESCONTINUADO", "POSPAUTAL", "COMPRIM",
                                 "LARGURA", "FACTCONV",      "UNCONV"};

QString assignments(const QStringList& columns) {
    QStringList out;
    for (const QString& c : columns)
        out << QStringLiteral("%1=:%1").arg(c);
    return out.join(QLatin1Char(','));
}

QVariantMap bind(const QVariantMap& values, const QStringList& columns) {
    QVariantMap out;
    for (const QString& c : columns)
        out.insert(c, values.value(c));
    return out;
}

// A refusal before any statement runs: *error says why.
bool refused(QString* error, const QString& message) {
    if (error)
        *error = message;
    return false;
}

} // namespace

QString usageText(UsageKind kind) {
    switch (kind) {
    case UsageKind::Stock:
        return QStringLiteral(" Registos em Stock, não pode ser eliminado !!");
    case UsageKind::Orders:
        return QStringLiteral(" Registos de Encomendas, não pode ser eliminado !!");
    case UsageKind::Invoices:
        break;
    }
    return QStringLiteral(" Registos de Facturação, não pode ser eliminado !!");
}

QStringList ArticleStore::typedColumns() {
    QStringList out{QStringLiteral("CODIGO")};
    out << kFirstColumns << kSecondColumns << kThirdColumns << kFourthColumns;
    return out;
}

std::optional<bool> ArticleStore::codeExists(const QString& code, QString* error) {
    // The range keeps the key's index in use; the comparison then ignores
    // case and the trailing blanks a code may carry on either side.
    const QString c = code.trimmed();
    const std::optional<QVariant> n =
        db_->scalar(QStringLiteral("SELECT COUNT(*) FROM ARTIGOSCLS WHERE CODIGO >= :C AND CODIGO < :D AND "
                                   "UPPER(RTRIM(CODIGO)) = UPPER(:C)"),
                    {{QStringLiteral("C"), c}, {QStringLiteral("D"), c + QLatin1Char('!')}}, error);
    if (!n)
        return std::nullopt;
    return n->toInt() > 0;
}

std::optional<QVariantMap> ArticleStore::read(const QString& code, QString* error) {
    return db_->firstRow(QStringLiteral("SELECT * FROM ARTIGOSCLS WHERE CODIGO = :C"),
                         {{QStringLiteral("C"), code.trimmed()}}, error);
}

std::optional<std::optional<QString>> ArticleStore::designation(const QString& code, QString* error) {
    const std::optional<QVariantMap> row =
        db_->firstRow(QStringLiteral("SELECT DESIGNACAO FROM ARTIGOSCLS WHERE CODIGO = :WArtigo"),
                      {{QStringLiteral("WArtigo"), code.trimmed()}}, error);
    if (!row)
        return std::nullopt;
    if (row->isEmpty())
        return std::optional<QString>{};
    return std::optional<QString>{row->value(QStringLiteral("DESIGNACAO")).toString().trimmed()};
}

std::optional<int> ArticleStore::ordinaryCount(QString* error) {
    const std::optional<QVariant> n =
        db_->scalar(QStringLiteral("SELECT COUNT(*) FROM ARTIGOSCLS WHERE GRELHA = 'N'"), {}, error);
    if (!n)
        return std::nullopt;
    return n->toInt();
}

std::optional<QVariantMap> ArticleStore::ordinaryKey(const QString& code, QString* error) {
    return db_->firstRow(
        QStringLiteral("SELECT CODIGO, DESIGNACAO FROM ARTIGOSCLS WHERE CODIGO = :C AND GRELHA = 'N'"),
        {{QStringLiteral("C"), code.trimmed()}}, error);
}

std::optional<QString> ArticleStore::lastOrdinary(ArticleOrder order, QString* error) {
    const QString sql =
        order == ArticleOrder::Code
            ? QStringLiteral("SELECT CODIGO FROM ARTIGOSCLS WHERE GRELHA = 'N' ORDER BY CODIGO DESC")
            : QStringLiteral("SELECT CODIGO FROM ARTIGOSCLS WHERE GRELHA = 'N' ORDER BY DESIGNACAO "
                             "DESC, CODIGO DESC");
    const std::optional<QVariantMap> row = db_->firstRow(db_->dialect().firstOnly(sql), {}, error);
    if (!row)
        return std::nullopt;
    return row->value(QStringLiteral("CODIGO")).toString();
}

std::optional<techsheet::TechSheetContext> ArticleStore::sheetContext(const QString& code, QString* error) {
    const std::optional<QVariantMap> article = read(code, error);
    if (!article || article->isEmpty())
        return std::nullopt;
    techsheet::TechSheetContext context;
    context.ArticleCode = code;
    context.ArticleDesignation = article->value(QStringLiteral("DESIGNACAO")).toString().trimmed().left(40);
    context.ArticleDesignation2 = article->value(QStringLiteral("DESIGNACAO1")).toString().trimmed().left(40);
    context.ArticleLength = article->value(QStringLiteral("COMPRIM")).toDouble();
    context.ArticleWidth = article->value(QStringLiteral("LARGURA")).toDouble();
    context.ArticleWeight = article->value(QStringLiteral("PESO")).toDouble();
    return context;
}

bool ArticleStore::save(const QVariantMap& values, const SaveStamp& stamp, QString* error) {
    if (!(stamp.isNew ? rights_.insert : rights_.modify))
        return refused(error,
                       db::notAllowedText(stamp.isNew ? db::UpdateKind::Inserted : db::UpdateKind::Modified));
    if (!stamp.isNew)
        return update(values, stamp, error);
    QVariantMap first = bind(values, kFirstColumns);
    first.insert(QStringLiteral("CODIGO"), values.value(QStringLiteral("CODIGO")));
    first.insert(QStringLiteral("UTIL_ABERTURA"), stamp.openedBy.left(15));
    const QVariantMap key{{QStringLiteral("CODIGO"), values.value(QStringLiteral("CODIGO"))}};
    auto withKey = [&key](QVariantMap m) {
        m.insert(key);
        return m;
    };
    return db_->transaction(
        [&] {
            // The columns of the invoicing side take their fixed values once,
            // when the article is made.
            bool ok = db_->exec(
                QStringLiteral(
                    "INSERT INTO ARTIGOSCLS (CODIGO,%1,ROTURA,GRELHA,CODIGOGRELHA,UTIL_ABERTURA,"
                    "NROFOTOS,MEDIDAS,CORBASE,CORBARRA,MEDIDA,GRAMAGEM,USA_EXIST,FICHABASE,FICTEC) "
                    "VALUES (:CODIGO,:%2,'N','N',0,:UTIL_ABERTURA,0,'S',0,0,0,0,'N','','N')")
                    .arg(kFirstColumns.join(QLatin1Char(',')), kFirstColumns.join(QStringLiteral(",:"))),
                first, error);
            for (const QStringList* columns : {&kSecondColumns, &kThirdColumns})
                ok = ok && db_->exec(QStringLiteral("UPDATE ARTIGOSCLS SET %1 WHERE CODIGO=:CODIGO")
                                         .arg(assignments(*columns)),
                                     withKey(bind(values, *columns)), error);
            if (ok) {
                QVariantMap fourth = withKey(bind(values, kFourthColumns));
                fourth.insert(QStringLiteral("DTABERTURA"), stamp.opened);
                ok = db_->exec(
                    QStringLiteral("UPDATE ARTIGOSCLS SET %1,DTABERTURA=:DTABERTURA,MEDIDAS='S' WHERE "
                                   "CODIGO=:CODIGO")
                        .arg(assignments(kFourthColumns)),
                    fourth, error);
            }
            return ok;
        },
        error);
}

QStringList ArticleStore::changedColumns(const QVariantMap& values, const QVariantMap& shown) {
    QStringList changed;
    for (const QString& c : typedColumns())
        if (c != QLatin1String("CODIGO") && values.contains(c) &&
            !db::Dataset::sameValue(values.value(c), shown.value(c)))
            changed << c;
    return changed;
}

bool ArticleStore::update(const QVariantMap& values, const SaveStamp& stamp, QString* error) {
    // Only what the user changed is written, and only while the row still
    // holds what the user started from: a price or stock another user (or
    // the invoicing program) wrote meanwhile stays. A visit without changes
    // only stamps the article.
    QStringList sets;
    QVariantMap params{{QStringLiteral("CODIGO"), values.value(QStringLiteral("CODIGO"))}};
    QStringList conditions{QStringLiteral("CODIGO=:CODIGO")};
    for (const QString& c : stamp.changed) {
        sets << QStringLiteral("%1=:%1").arg(c);
        params.insert(c, values.value(c));
        params.insert(QStringLiteral("OLD_") + c, stamp.original.value(c));
        conditions << db_->dialect().sameValue(c, QStringLiteral(":OLD_") + c);
    }
    if (!sets.isEmpty())
        sets << QStringLiteral("GRELHA='N'") << QStringLiteral("MEDIDAS='S'");
    if (stamp.changedAt) {
        sets << QStringLiteral("DTULTALTER=:WDtUltAlter") << QStringLiteral("UTILALTER=:WUtil");
        params.insert(QStringLiteral("WDtUltAlter"), *stamp.changedAt);
        params.insert(QStringLiteral("WUtil"), stamp.changedBy.left(15));
    }
    if (sets.isEmpty())
        return true;
    const QString sql = QStringLiteral("UPDATE ARTIGOSCLS SET %1 WHERE %2")
                            .arg(sets.join(QLatin1Char(',')), conditions.join(QStringLiteral(" AND ")));
    return db_->transaction(
        [&] {
            QSqlQuery q(db_->sql());
            if (!db_->exec(q, sql, params, error))
                return false;
            if (q.numRowsAffected() > 0)
                return true;
            const std::optional<bool> exists =
                codeExists(values.value(QStringLiteral("CODIGO")).toString(), error);
            if (exists && error)
                *error = *exists ? db::kChangedByOther : db::kDeletedByOther;
            return false;
        },
        error);
}

std::optional<QList<BaseArticle>> ArticleStore::articlesOfBase(const QString& code, bool variant,
                                                               QString* error) {
    const QString base = variant ? code.left(12) : code;
    const QString last = variant ? base + QStringLiteral("9999") : code;
    QSqlQuery q(db_->sql());
    if (!db_->exec(
            q,
            QStringLiteral("Select CODIGO,FICTEC,TIPOARTIGO From ARTIGOSCLS Where CODIGO >= :WFichaBase and "
                           "CODIGO <= :WFinalArtigo Order By CODIGO"),
            {{QStringLiteral("WFichaBase"), base}, {QStringLiteral("WFinalArtigo"), last}}, error))
        return std::nullopt;
    QList<BaseArticle> out;
    while (q.next())
        out << BaseArticle{q.value(0).toString().trimmed(), q.value(2).toString().trimmed(),
                           q.value(1).toString().trimmed()};
    return out;
}

std::optional<int> ArticleStore::usageCount(UsageKind kind, const QString& code, QString* error) {
    QString sql;
    switch (kind) {
    case UsageKind::Stock:
        sql = QStringLiteral("Select count(*) as Contador FROM STKMOV WHERE ARTNRO=:WArtigo");
        break;
    case UsageKind::Orders:
        sql = QStringLiteral("Select count(*) as Contador FROM ENCCLIDET WHERE ARTIGO=:WArtigo");
        break;
    case UsageKind::Invoices:
        sql = QStringLiteral("Select count(*) as Contador FROM FACMOVDET WHERE ARTIGO=:WArtigo");
        break;
    }
    const std::optional<QVariant> n = db_->scalar(sql, {{QStringLiteral("WArtigo"), code}}, error);
    if (!n)
        return std::nullopt;
    return n->toInt();
}

bool ArticleStore::markSheet(const QString& code, bool hasSheet, QString* error) {
    return db_->exec(QStringLiteral("UPDATE ARTIGOSCLS SET FICTEC = :F WHERE CODIGO = :C"),
                     {{QStringLiteral("F"), hasSheet ? QStringLiteral("S") : QStringLiteral("N")},
                      {QStringLiteral("C"), code}},
                     error);
}

bool ArticleStore::remove(const QString& code, bool withStock, QString* error) {
    if (!rights_.remove)
        return refused(error, db::notAllowedText(db::UpdateKind::Deleted));
    const QVariantMap p{{QStringLiteral("WArtigo"), code}};
    if (!db_->beginTransaction(error))
        return false;
    const bool ok =
        (!withStock ||
         db_->exec(QStringLiteral("DELETE FROM STKARTGARMZ WHERE ARTIGO = :WArtigo"), p, error)) &&
        db_->exec(QStringLiteral("DELETE FROM ARTIGOSCLS WHERE CODIGO = :WArtigo"), p, error) &&
        db_->exec(QStringLiteral("DELETE FROM ARTIGOSMOE WHERE ARTIGO = :WArtigo"), p, error) &&
        db_->exec(QStringLiteral("DELETE FROM ARTIGOSPAIS WHERE ARTIGO = :WArtigo"), p, error);
    if (!ok) {
        db_->rollback();
        return false;
    }
    return db_->commit(error);
}

} // namespace corvane::articles
