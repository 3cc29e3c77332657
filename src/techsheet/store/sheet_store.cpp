#include "sheet_store.h"

#include "db/dataset.h"
#include "db/document_claim.h"
#include "sheet_claim.h"
#include "shell/version_steps.h"
#include "shell/version_tables.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace corvane::techsheet {

namespace {

const QStringList kLineColumns{"TIPO",      "ARTIGO",      "DETAIL",      "RELACFICTEC", "CODIGOMP",
                               "DESIGN",    "UNIDADE",     "QUANT",       "PRECO",       "VALOR",
                               "TECELAGEM", "QUANT_FINAL", "VALOR_FINAL", "TMPACE",      "TMP_SEMACERTO",
                               "FAMILIA",   "PERC_IMPR",   "OPERACAO",    "FACTCONV"};

QVariant optional(const std::optional<double>& v) {
    return v ? QVariant(*v) : QVariant(QMetaType::fromType<double>());
}
std::optional<double> optionalOf(const QVariant& v) {
    return v.isNull() ? std::nullopt : std::optional<double>(v.toDouble());
}
QVariant textOrNull(const QString& s) {
    return s.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(s);
}

QVariantMap lineValues(const FictecDetLine& l) {
    return {{"TIPO", l.TIPO},
            {"ARTIGO", l.ARTIGO},
            {"DETAIL", l.DETAIL},
            {"RELACFICTEC", l.RELACFICTEC},
            {"CODIGOMP", textOrNull(l.CODIGOMP)},
            {"DESIGN", textOrNull(l.DESIGN.left(40))},
            {"UNIDADE", textOrNull(l.UNIDADE.left(3))},
            {"QUANT", l.QUANT},
            {"PRECO", l.PRECO},
            {"VALOR", l.VALOR},
            {"TECELAGEM", textOrNull(l.TECELAGEM)},
            {"QUANT_FINAL", l.QUANT_FINAL},
            {"VALOR_FINAL", l.VALOR_FINAL},
            {"TMPACE", optional(l.TMPACE)},
            {"TMP_SEMACERTO", optional(l.TMP_SEMACERTO)},
            {"FAMILIA", textOrNull(l.FAMILIA)},
            {"PERC_IMPR", l.PERC_IMPR},
            {"OPERACAO", textOrNull(l.OPERACAO)},
            {"FACTCONV", l.FACTCONV}};
}

} // namespace

FictecDetLine sheetLineAt(const QSqlQuery& q) {
    int c = 0;
    auto v = [&] { return q.value(c++); };
    FictecDetLine l;
    l.TIPO = v().toInt();
    l.ARTIGO = v().toString().trimmed();
    l.DETAIL = v().toInt();
    l.RELACFICTEC = v().toString().trimmed();
    l.CODIGOMP = v().toString().trimmed();
    l.DESIGN = v().toString().trimmed();
    l.UNIDADE = v().toString().trimmed();
    l.QUANT = v().toDouble();
    l.PRECO = v().toDouble();
    l.VALOR = v().toDouble();
    l.TECELAGEM = v().toString().trimmed();
    l.QUANT_FINAL = v().toDouble();
    l.VALOR_FINAL = v().toDouble();
    l.TMPACE = optionalOf(v());
    l.TMP_SEMACERTO = optionalOf(v());
    l.FAMILIA = v().toString().trimmed();
    l.PERC_IMPR = v().toDouble();
    l.OPERACAO = v().toString().trimmed();
    l.FACTCONV = v().toDouble();
    return l;
}

namespace {

FictecDetLine lineOf(const QSqlQuery& q) {
    return sheetLineAt(q);
}

// Runs `work` in a transaction; rolls back when it answers false.
bool inTransaction(db::Database& db, const std::function<bool()>& work, QString* error) {
    if (!db.beginTransaction(error))
        return false;
    if (!work()) {
        db.rollback();
        return false;
    }
    return db.commit(error);
}

// Runs a write that must change a row; none: false with `gone` in *error.
bool execTouching(db::Database& db, const QString& sql, const QVariantMap& params, const QString& gone,
                  QString* error) {
    QSqlQuery q(db.sql());
    if (!db.exec(q, sql, params, error))
        return false;
    if (q.numRowsAffected() > 0)
        return true;
    if (error)
        *error = gone;
    return false;
}

// How many rows a deletion removed; nullopt when it failed.
std::optional<int> deleted(db::Database& db, const QString& sql, const QVariantMap& params, QString* error) {
    QSqlQuery q(db.sql());
    if (!db.exec(q, sql, params, error))
        return std::nullopt;
    return q.numRowsAffected();
}

QString insertSql(const QString& table, const QStringList& columns) {
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (:%3)")
        .arg(table, columns.join(QLatin1Char(',')), columns.join(QStringLiteral(",:")));
}

// Inserts the row of `values` when the table has none with its `key`;
// otherwise updates the columns given, unless `onlyNew`.
bool upsertRow(db::Database& db, const QString& table, const QString& key, const QVariantMap& values,
               bool onlyNew, QString* error) {
    const std::optional<QVariant> n =
        db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = :%2").arg(table, key),
                  {{key, values.value(key)}}, error);
    if (!n)
        return false;
    if (n->toInt() == 0)
        return db.exec(insertSql(table, values.keys()), values, error);
    QStringList sets;
    for (const QString& c : values.keys())
        if (c != key)
            sets << QStringLiteral("%1=:%1").arg(c);
    return onlyNew || sets.isEmpty() ||
           execTouching(
               db,
               QStringLiteral("UPDATE %1 SET %2 WHERE %3=:%3").arg(table, sets.join(QLatin1Char(',')), key),
               values, db::kDeletedByOther, error);
}

// The header's own columns of `columns`, in upper case.
QVariantMap headerColumns(const QVariantMap& columns) {
    const db::Table table = shell::atCurrentVersion(shell::fictecMasTable());
    const QStringList known = table.columnNames();
    QVariantMap values;
    for (auto it = columns.cbegin(); it != columns.cend(); ++it)
        if (known.contains(it.key().toUpper()))
            values.insert(it.key().toUpper(), it.value());
    return values;
}

bool noArticle(QString* error) {
    if (error)
        *error = QStringLiteral("Ficha Técnica sem artigo");
    return false;
}

} // namespace

bool SheetStore::lockSheet(const QString& article, QString* error) {
    return db_->lockInTransaction(QStringLiteral("FICTEC:") + article, error);
}

bool SheetStore::beginWrite(const QString& article, bool header, QString* error) {
    if (!lockSheet(article, error))
        return false;
    if (claims_) {
        QString failure;
        if (!claims_->holds(sheetDocument(article), &failure)) {
            if (error)
                *error = failure.isEmpty()
                             ? db::DocumentClaims::inUseText(kSheetDocumentName, {}, claims_->now())
                             : failure;
            return false;
        }
    }
    if (!header)
        return true;
    const std::optional<QVariant> n =
        db_->scalar(QStringLiteral("SELECT COUNT(*) FROM FICTECMAS WHERE CODIGO = :A"),
                    {{QStringLiteral("A"), article}}, error);
    if (!n)
        return false;
    if (n->toInt() > 0)
        return true;
    if (error)
        *error = kSheetDeletedByOther;
    return false;
}

std::optional<QVariantMap> SheetStore::header(const QString& article, QString* error) {
    return db_->firstRow(QStringLiteral("Select * From FICTECMAS Where CODIGO = :WFicTec Order By CODIGO"),
                         {{QStringLiteral("WFicTec"), article}}, error);
}

std::optional<std::vector<FictecDetLine>> SheetStore::lines(const QString& article, const QString& order,
                                                            QString* error) {
    QString by = QStringLiteral("TIPO, RELACFICTEC, DETAIL");
    if (order == QLatin1String("CODIGOMP") || order == QLatin1String("DESIGN") ||
        order == QLatin1String("TIPO"))
        by = order + QStringLiteral(", DETAIL");
    QSqlQuery q(db_->sql());
    if (!db_->exec(q,
                   QStringLiteral("Select %1 From FICTECDET Where ARTIGO = :WFicTec Order By %2")
                       .arg(kSheetLineColumns, by),
                   {{QStringLiteral("WFicTec"), article}}, error))
        return std::nullopt;
    std::vector<FictecDetLine> out;
    while (q.next())
        out.push_back(lineOf(q));
    return out;
}

std::optional<std::vector<FictecDetLine>> SheetStore::stepLines(const QString& article, const QString& step,
                                                                QString* error) {
    QSqlQuery q(db_->sql());
    if (!db_->exec(q,
                   QStringLiteral("Select %1 From FICTECDET Where ARTIGO = :WFtArtigo and RELACFICTEC = "
                                  ":WRelacFictec Order By DETAIL")
                       .arg(kSheetLineColumns),
                   {{QStringLiteral("WFtArtigo"), article}, {QStringLiteral("WRelacFictec"), step}}, error))
        return std::nullopt;
    std::vector<FictecDetLine> out;
    while (q.next())
        out.push_back(lineOf(q));
    return out;
}

// Inserts the header when the article has none; otherwise updates it with
// `values` unless `onlyNew`. Under the sheet's lock, in one transaction.
bool SheetStore::writeHeader(const QString& article, const QVariantMap& values, bool onlyNew,
                             QString* error) {
    return inTransaction(
        *db_,
        [&] {
            return beginWrite(article, false, error) &&
                   upsertRow(*db_, QStringLiteral("FICTECMAS"), QStringLiteral("CODIGO"), values, onlyNew,
                             error);
        },
        error);
}

bool SheetStore::saveHeader(const QVariantMap& columns, QString* error) {
    // Only the header's own columns are written.
    const QVariantMap values = headerColumns(columns);
    const QString article = values.value(QStringLiteral("CODIGO")).toString();
    if (article.isEmpty())
        return noArticle(error);
    return writeHeader(article, values, false, error);
}

bool SheetStore::updateHeader(const QVariantMap& columns, QString* error) {
    const QVariantMap values = headerColumns(columns);
    const QString article = values.value(QStringLiteral("CODIGO")).toString();
    if (article.isEmpty())
        return noArticle(error);
    QStringList sets;
    for (const QString& c : values.keys())
        if (c != QLatin1String("CODIGO"))
            sets << QStringLiteral("%1=:%1").arg(c);
    if (sets.isEmpty())
        sets << QStringLiteral("CODIGO=:CODIGO"); // still the header must stand
    const QString sql =
        QStringLiteral("UPDATE FICTECMAS SET %1 WHERE CODIGO=:CODIGO").arg(sets.join(QLatin1Char(',')));
    return inTransaction(
        *db_,
        [&] {
            return beginWrite(article, false, error) &&
                   execTouching(*db_, sql, values, kSheetDeletedByOther, error);
        },
        error);
}

bool SheetStore::ensureHeader(const QString& article, const QString& kind, QString* error) {
    return writeHeader(article, {{QStringLiteral("CODIGO"), article}, {QStringLiteral("TIPOFICTEC"), kind}},
                       true, error);
}

bool SheetStore::deleteSheet(const QString& article, QString* error) {
    const QVariantMap p{{QStringLiteral("WFicTec"), article}};
    return inTransaction(
        *db_,
        [&] {
            if (!beginWrite(article, false, error))
                return false;
            const std::optional<int> lines =
                deleted(*db_, QStringLiteral("DELETE FROM FICTECDET WHERE ARTIGO = :WFicTec"), p, error);
            const std::optional<int> header =
                lines
                    ? deleted(*db_, QStringLiteral("DELETE FROM FICTECMAS WHERE CODIGO = :WFicTec"), p, error)
                    : std::nullopt;
            if (!header ||
                !db_->exec(QStringLiteral("DELETE FROM FICTECFIOS WHERE ARTIGO = :WFicTec"), p, error))
                return false;
            if (*lines + *header > 0)
                return true;
            if (error)
                *error = db::kDeletedByOther;
            return false;
        },
        error);
}

bool SheetStore::replaceStep(const QString& article, const QString& step, std::vector<FictecDetLine> lines,
                             QString* error, std::vector<FictecDetLine>* written,
                             const std::function<bool(QString*)>& alsoWrite) {
    std::vector<StepLines> steps;
    steps.push_back({step, std::move(lines)});
    const bool ok = replaceStepsIn(article, steps, error, alsoWrite);
    if (ok && written)
        *written = std::move(steps.front().lines);
    return ok;
}

bool SheetStore::replaceSteps(const QString& article, std::vector<StepLines> steps, QString* error,
                              const std::function<bool(QString*)>& alsoWrite) {
    return replaceStepsIn(article, steps, error, alsoWrite);
}

bool SheetStore::replaceStepsIn(const QString& article, std::vector<StepLines>& steps, QString* error,
                                const std::function<bool(QString*)>& alsoWrite) {
    return inTransaction(
        *db_,
        [&] {
            if (!beginWrite(article, true, error))
                return false;
            for (const StepLines& s : steps)
                if (!db_->exec(
                        QStringLiteral("Delete From FICTECDET Where ARTIGO = :WFtArtigo and RELACFICTEC = "
                                       ":WRelacFicTec"),
                        {{QStringLiteral("WFtArtigo"), article}, {QStringLiteral("WRelacFicTec"), s.step}},
                        error))
                    return false;
            // Numbered inside the lock: no other writer of this article can
            // take the same numbers.
            const std::optional<QVariant> last = db_->scalar(
                QStringLiteral("SELECT COALESCE(MAX(DETAIL), 0) FROM FICTECDET WHERE ARTIGO = :A"),
                {{QStringLiteral("A"), article}}, error);
            if (!last)
                return false;
            int detail = last->toInt();
            const QString sql = insertSql(QStringLiteral("FICTECDET"), kLineColumns);
            for (StepLines& s : steps) {
                for (FictecDetLine& l : s.lines) {
                    l.ARTIGO = article;
                    l.RELACFICTEC = s.step;
                    l.DETAIL = ++detail;
                    if (!db_->exec(sql, lineValues(l), error))
                        return false;
                }
            }
            return !alsoWrite || alsoWrite(error);
        },
        error);
}

std::optional<FictecDetLine> SheetStore::fabricLine(const QString& article, QString* error) {
    const std::optional<std::vector<FictecDetLine>> lines = stepLines(article, QStringLiteral("L"), error);
    if (!lines)
        return std::nullopt;
    return lines->empty() ? FictecDetLine{} : lines->front();
}

bool SheetStore::saveFabricLine(FictecDetLine line, QString* error) {
    const QString article = line.ARTIGO;
    return inTransaction(
        *db_,
        [&] {
            if (!beginWrite(article, true, error))
                return false;
            const std::optional<FictecDetLine> current = fabricLine(article, error);
            if (!current)
                return false;
            line.RELACFICTEC = QStringLiteral("L");
            if (current->DETAIL == 0) {
                const std::optional<QVariant> last = db_->scalar(
                    QStringLiteral("SELECT COALESCE(MAX(DETAIL), 0) FROM FICTECDET WHERE ARTIGO = :A"),
                    {{QStringLiteral("A"), article}}, error);
                if (!last)
                    return false;
                line.DETAIL = last->toInt() + 1;
                return db_->exec(insertSql(QStringLiteral("FICTECDET"), kLineColumns), lineValues(line),
                                 error);
            }
            line.DETAIL = current->DETAIL;
            QVariantMap values = lineValues(line);
            QStringList sets;
            for (const QString& c : kLineColumns)
                if (c != QLatin1String("ARTIGO") && c != QLatin1String("DETAIL"))
                    sets << QStringLiteral("%1=:%1").arg(c);
            values.insert(QStringLiteral("OLDTIPO"), current->TIPO);
            return db_->exec(
                       QStringLiteral("DELETE FROM FICTECDET WHERE ARTIGO = :A AND RELACFICTEC = :S AND "
                                      "DETAIL <> :D"),
                       {{QStringLiteral("A"), article},
                        {QStringLiteral("S"), QStringLiteral("L")},
                        {QStringLiteral("D"), current->DETAIL}},
                       error) &&
                   execTouching(
                       *db_,
                       QStringLiteral("UPDATE FICTECDET SET %1 WHERE TIPO=:OLDTIPO AND ARTIGO=:ARTIGO AND "
                                      "DETAIL=:DETAIL")
                           .arg(sets.join(QLatin1Char(','))),
                       values, db::kDeletedByOther, error);
        },
        error);
}

std::optional<QVariantMap> SheetStore::subcontract(const QString& article, const QString& step,
                                                   QString* error) {
    return db_->firstRow(QStringLiteral("Select * From FICTECSUBCONT Where ARTIGO = :WFicTec and "
                                        "RELACFICTEC=:WrelacFictec Order By ARTIGO"),
                         {{QStringLiteral("WFicTec"), article}, {QStringLiteral("WrelacFictec"), step}},
                         error);
}

bool SheetStore::putSubcontract(const QVariantMap& columns, QString* error) {
    const std::optional<QVariant> n =
        db_->scalar(QStringLiteral("SELECT COUNT(*) FROM FICTECSUBCONT WHERE ARTIGO = :ARTIGO AND "
                                   "RELACFICTEC = :RELACFICTEC"),
                    {{QStringLiteral("ARTIGO"), columns.value(QStringLiteral("ARTIGO"))},
                     {QStringLiteral("RELACFICTEC"), columns.value(QStringLiteral("RELACFICTEC"))}},
                    error);
    if (!n)
        return false;
    if (n->toInt() == 0)
        return db_->exec(insertSql(QStringLiteral("FICTECSUBCONT"), columns.keys()), columns, error);
    QStringList sets;
    for (const QString& c : columns.keys())
        if (c != QLatin1String("ARTIGO") && c != QLatin1String("RELACFICTEC"))
            sets << QStringLiteral("%1=:%1").arg(c);
    if (sets.isEmpty())
        return true;
    return execTouching(
        *db_,
        QStringLiteral("UPDATE FICTECSUBCONT SET %1 WHERE ARTIGO=:ARTIGO AND RELACFICTEC=:RELACFICTEC")
            .arg(sets.join(QLatin1Char(','))),
        columns, db::kDeletedByOther, error);
}

std::optional<QVariantMap> SheetStore::yarnLayout(const QString& article, QString* error) {
    return db_->firstRow(QStringLiteral("Select * From FICTECFIOS Where ARTIGO = :WFicTec"),
                         {{QStringLiteral("WFicTec"), article}}, error);
}

bool SheetStore::putYarnLayout(const QVariantMap& columns, QString* error) {
    return upsertRow(*db_, QStringLiteral("FICTECFIOS"), QStringLiteral("ARTIGO"), columns, false, error);
}

bool SheetStore::saveYarnLayout(const QVariantMap& columns, QString* error) {
    const QString article = columns.value(QStringLiteral("ARTIGO")).toString();
    return inTransaction(
        *db_, [&] { return beginWrite(article, true, error) && putYarnLayout(columns, error); }, error);
}

bool SheetStore::deleteYarnLayout(const QString& article, QString* error) {
    return inTransaction(
        *db_, [&] { return beginWrite(article, false, error) && dropYarnLayout(article, error); }, error);
}

bool SheetStore::dropYarnLayout(const QString& article, QString* error) {
    return db_->exec(QStringLiteral("Delete From FICTECFIOS Where ARTIGO = :WFicTec"),
                     {{QStringLiteral("WFicTec"), article}}, error);
}

// ---- work rows ---------------------------------------------------------------

bool WorkRowsStore::clear(QString* error) {
    return inTransaction(
        *db_,
        [&] {
            const QVariantMap p{{QStringLiteral("WUTIL"), user_}};
            return db_->exec(QStringLiteral("DELETE FROM WORKFTARTIGOS WHERE UTIL=:WUTIL"), p, error) &&
                   db_->exec(QStringLiteral("DELETE FROM WORKFTMAQUINAS WHERE UTIL=:WUTIL"), p, error);
        },
        error);
}

namespace {
// Replaces the user's rows of a work table in one transaction.
bool replaceUserRows(db::Database& db, const QString& table, const QString& user,
                     const QList<QVariantMap>& rows, QString* error) {
    return inTransaction(
        db,
        [&] {
            if (!db.exec(QStringLiteral("DELETE FROM %1 WHERE UTIL=:WUTIL").arg(table),
                         {{QStringLiteral("WUTIL"), user}}, error))
                return false;
            for (QVariantMap row : rows) {
                row.insert(QStringLiteral("UTIL"), user);
                if (!db.exec(insertSql(table, row.keys()), row, error))
                    return false;
            }
            return true;
        },
        error);
}
} // namespace

bool WorkRowsStore::fillArticles(const std::vector<WorkArticleRow>& rows, QString* error) {
    QList<QVariantMap> values;
    for (const WorkArticleRow& r : rows)
        values << QVariantMap{{"CODIGO", r.CODIGO},
                              {"DESIGNACAO", r.DESIGNACAO.left(40)},
                              {"UNCOMPRA", r.UNCOMPRA.left(3)},
                              {"CUSTOPADRAO", r.CUSTOPADRAO},
                              {"OK", r.OK},
                              {"QTD", r.QTD},
                              {"PRECO", r.PRECO},
                              {"CUSTO", r.CUSTO}};
    return replaceUserRows(*db_, QStringLiteral("WORKFTARTIGOS"), user_, values, error);
}

bool WorkRowsStore::fillMachines(const std::vector<WorkMachineRow>& rows, QString* error) {
    QList<QVariantMap> values;
    for (const WorkMachineRow& r : rows)
        values << QVariantMap{{"CODIGO", r.CODIGO},
                              {"DESIGNACAO", r.DESIGNACAO.left(40)},
                              {"UNIDADE", r.UNIDADE.left(3)},
                              {"LARGURA", qRound(r.LARGURA)},
                              {"CUSTOPADRAO", r.CUSTOPADRAO},
                              {"PRODUCAO1", qRound(r.PRODUCAO1)},
                              {"ACERTO1", qRound(r.ACERTO1)},
                              {"PRODUCAO2", qRound(r.PRODUCAO2)},
                              {"ACERTO2", qRound(r.ACERTO2)},
                              {"TIPOPRD", r.TIPOPRD},
                              {"LARG_RAPORT", qRound(r.LARG_RAPORT)},
                              {"NROPASSAGENS", r.NROPASSAGENS},
                              {"RAPORT", r.RAPORT},
                              {"FITAS", qRound(r.FITAS)},
                              {"OK", r.OK},
                              {"QTD", r.QTD},
                              {"PRECO", r.PRECO},
                              {"CUSTO", r.CUSTO},
                              {"QTD_SEMACERTO", r.QTD_SEMACERTO}};
    return replaceUserRows(*db_, QStringLiteral("WORKFTMAQUINAS"), user_, values, error);
}

std::optional<std::vector<WorkArticleRow>> WorkRowsStore::articles(QString* error) {
    QSqlQuery q(db_->sql());
    if (!db_->exec(
            q,
            QStringLiteral("Select UTIL,CODIGO,DESIGNACAO,UNCOMPRA,CUSTOPADRAO, OK,QTD,PRECO,CUSTO From "
                           "WORKFTARTIGOS Where UTIL = :WUtil Order By CODIGO"),
            {{QStringLiteral("WUtil"), user_}}, error))
        return std::nullopt;
    std::vector<WorkArticleRow> out;
    while (q.next()) {
        WorkArticleRow r;
        r.CODIGO = q.value(1).toString().trimmed();
        r.DESIGNACAO = q.value(2).toString().trimmed();
        r.UNCOMPRA = q.value(3).toString().trimmed();
        r.CUSTOPADRAO = q.value(4).toDouble();
        r.OK = q.value(5).toString().trimmed();
        r.QTD = q.value(6).toDouble();
        r.PRECO = q.value(7).toDouble();
        r.CUSTO = q.value(8).toDouble();
        out.push_back(r);
    }
    return out;
}

std::optional<std::vector<WorkMachineRow>> WorkRowsStore::machines(QString* error) {
    QSqlQuery q(db_->sql());
    if (!db_->exec(q, QStringLiteral("Select * From WORKFTMAQUINAS  Where UTIL = :WUtil Order By CODIGO"),
                   {{QStringLiteral("WUtil"), user_}}, error))
        return std::nullopt;
    std::vector<WorkMachineRow> out;
    while (q.next()) {
        const QSqlRecord r = q.record();
        auto v = [&](const char* c) { return r.value(QLatin1String(c)); };
        WorkMachineRow m;
        m.CODIGO = v("CODIGO").toString().trimmed();
        m.DESIGNACAO = v("DESIGNACAO").toString().trimmed();
        m.UNIDADE = v("UNIDADE").toString().trimmed();
        m.LARGURA = v("LARGURA").toDouble();
        m.CUSTOPADRAO = v("CUSTOPADRAO").toDouble();
        m.PRODUCAO1 = v("PRODUCAO1").toDouble();
        m.ACERTO1 = v("ACERTO1").toDouble();
        m.PRODUCAO2 = v("PRODUCAO2").toDouble();
        m.ACERTO2 = v("ACERTO2").toDouble();
        m.TIPOPRD = v("TIPOPRD").toInt();
        m.LARG_RAPORT = v("LARG_RAPORT").toDouble();
        m.NROPASSAGENS = v("NROPASSAGENS").isNull() ? 1 : v("NROPASSAGENS").toInt();
        m.RAPORT = v("RAPORT").toInt();
        m.FITAS = v("FITAS").toDouble();
        m.OK = v("OK").toString().trimmed();
        m.QTD = v("QTD").toDouble();
        m.PRECO = v("PRECO").toDouble();
        m.CUSTO = v("CUSTO").toDouble();
        m.QTD_SEMACERTO = v("QTD_SEMACERTO").toDouble();
        out.push_back(m);
    }
    return out;
}

} // namespace corvane::techsheet
