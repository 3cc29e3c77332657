#pragma once

// The technical sheets of the program database: headers (FICTECMAS), lines
// (FICTECDET) and yarn layouts (FICTECFIOS), and the per-user candidate rows
// of the step screens (WORKFTARTIGOS, WORKFTMAQUINAS).
#include "db/database.h"
#include "techsheet/sheet_lines.h"
#include "techsheet/work_rows.h"

#include <QSqlQuery>
#include <QVariantMap>

#include <functional>
#include <optional>
#include <vector>

namespace corvane::db {
class DocumentClaims;
}

namespace corvane::techsheet {

// A step or a header written after another user deleted the sheet.
inline const QString kSheetDeletedByOther =
    QStringLiteral("A Ficha Técnica foi eliminada por outro utilizador.");

// Writes that change a sheet take the sheet's lock first, so that two users
// writing steps of one article at once take turns: each replacement is whole
// and its line numbers unique. With `claims`, every write first checks, in
// its transaction, that this run still holds the sheet (sheet_claim.h); a
// write that finds the rows it changes gone fails with the message of
// db::kDeletedByOther (or kSheetDeletedByOther for a sheet's header) and
// changes nothing.
// The FICTECDET columns in the order sheetLineAt reads them.
inline const QString kSheetLineColumns = QStringLiteral(
    "TIPO, ARTIGO, DETAIL, RELACFICTEC, CODIGOMP, DESIGN, UNIDADE, QUANT, PRECO, VALOR, TECELAGEM, "
    "QUANT_FINAL, VALOR_FINAL, TMPACE, TMP_SEMACERTO, FAMILIA, PERC_IMPR, OPERACAO, FACTCONV");
// The line of a row selected with kSheetLineColumns (texts trimmed, NULL set-up times absent).
FictecDetLine sheetLineAt(const QSqlQuery& row);

class SheetStore {
public:
    explicit SheetStore(db::Database& corvane, db::DocumentClaims* claims = nullptr)
        : db_(&corvane), claims_(claims) {}

    // The header's columns; an empty map when the article has no sheet.
    std::optional<QVariantMap> header(const QString& article, QString* error = nullptr);
    // The lines of the article, by code ("CODIGOMP"), designation ("DESIGN"),
    // cost type ("TIPO") or, when `order` is empty, by cost type, step and number.
    std::optional<std::vector<FictecDetLine>> lines(const QString& article, const QString& order = {},
                                                    QString* error = nullptr);
    // The lines one step wrote, in number order.
    std::optional<std::vector<FictecDetLine>> stepLines(const QString& article, const QString& step,
                                                        QString* error = nullptr);

    // Inserts or updates the header with the columns given (CODIGO among them).
    bool saveHeader(const QVariantMap& columns, QString* error = nullptr);
    // Updates the header that was read with the columns given; none any more
    // (deleted since): false with kSheetDeletedByOther.
    bool updateHeader(const QVariantMap& columns, QString* error = nullptr);
    // The header of a kind, made when the article has none (before a step
    // writes the first lines).
    bool ensureHeader(const QString& article, const QString& kind, QString* error = nullptr);
    // Lines, header and yarn layout, in one transaction; the subcontracted
    // services stay. No header and no lines left to delete: false with
    // db::kDeletedByOther.
    bool deleteSheet(const QString& article, QString* error = nullptr);
    // Replaces every line of the step by `lines`, in one transaction: the
    // step's lines go, the new ones are numbered after the greatest number
    // the article then has. On failure nothing changes. `written` receives
    // the lines as stored. The sheet's header must stand (a step of a sheet
    // another user deleted: false with kSheetDeletedByOther).
    // `alsoWrite`, when given, runs in the same transaction after the lines,
    // for what the step keeps beside them (a yarn layout).
    bool replaceStep(const QString& article, const QString& step, std::vector<FictecDetLine> lines,
                     QString* error = nullptr, std::vector<FictecDetLine>* written = nullptr,
                     const std::function<bool(QString*)>& alsoWrite = {});
    // The same for several steps at once (a loom and its yarns), in one
    // transaction: each step's lines are replaced in the order given.
    struct StepLines {
        QString step;
        std::vector<FictecDetLine> lines;
    };
    bool replaceSteps(const QString& article, std::vector<StepLines> steps, QString* error = nullptr,
                      const std::function<bool(QString*)>& alsoWrite = {});

    // The fabric line of the article: its first line of step "L", whatever
    // its cost type; nullopt on error, an empty code when it has none.
    std::optional<FictecDetLine> fabricLine(const QString& article, QString* error = nullptr);
    // Writes the fabric line in one transaction under the sheet's lock: the
    // article's first line of step "L" is updated in place (its number kept),
    // any other line of the step goes; without one, the line is inserted
    // numbered after the greatest number the article then has.
    bool saveFabricLine(FictecDetLine line, QString* error = nullptr);

    // The subcontracted service of an article's step (FICTECSUBCONT); an
    // empty map when it has none. It survives the sheet's deletion.
    std::optional<QVariantMap> subcontract(const QString& article, const QString& step,
                                           QString* error = nullptr);
    // Inserts or updates that row with the columns given (ARTIGO and
    // RELACFICTEC among them). Runs in the caller's transaction (replaceStep).
    bool putSubcontract(const QVariantMap& columns, QString* error = nullptr);

    // The article's yarn layout (FICTECFIOS); an empty map when it has none.
    std::optional<QVariantMap> yarnLayout(const QString& article, QString* error = nullptr);
    // Inserts or updates the layout with the columns given (ARTIGO among them),
    // leaving the others as they are. Runs in the caller's transaction (see
    // replaceStep); saveYarnLayout is the same in its own, under the lock.
    bool putYarnLayout(const QVariantMap& columns, QString* error = nullptr);
    bool saveYarnLayout(const QVariantMap& columns, QString* error = nullptr);
    // Deletes the article's yarn layout, under the lock; the lines stay.
    bool deleteYarnLayout(const QString& article, QString* error = nullptr);
    // The same in the caller's transaction (see replaceStep).
    bool dropYarnLayout(const QString& article, QString* error = nullptr);

    db::Database& database() { return *db_; }
    // In the caller's transaction: waits for, then holds, the sheet's lock.
    bool lockSheet(const QString& article, QString* error);

private:
    // In a write's transaction: the sheet's lock, and the sheet still held by
    // this run when claims are kept; `header`: its header must stand.
    bool beginWrite(const QString& article, bool header, QString* error);
    bool replaceStepsIn(const QString& article, std::vector<StepLines>& steps, QString* error,
                        const std::function<bool(QString*)>& alsoWrite);
    bool writeHeader(const QString& article, const QVariantMap& values, bool onlyNew, QString* error);

    db::Database* db_;
    db::DocumentClaims* claims_ = nullptr;
};

// The candidate rows of one user. Each fill replaces the user's rows in one
// transaction; other users' rows are never touched.
class WorkRowsStore {
public:
    WorkRowsStore(db::Database& corvane, QString user) : db_(&corvane), user_(std::move(user)) {}

    bool fillArticles(const std::vector<WorkArticleRow>& rows, QString* error = nullptr);
    bool fillMachines(const std::vector<WorkMachineRow>& rows, QString* error = nullptr);
    std::optional<std::vector<WorkArticleRow>> articles(QString* error = nullptr);
    std::optional<std::vector<WorkMachineRow>> machines(QString* error = nullptr);
    bool clear(QString* error = nullptr);

private:
    db::Database* db_;
    QString user_;
};

} // namespace corvane::techsheet
