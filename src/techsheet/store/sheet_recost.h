#pragma once

// Re-costing the stored technical sheets from today's reference data
// (techsheet/recost.h): the reference read from the program database, every
// sheet walked in article order a page at a time, and each sheet that
// changes rewritten in a transaction of its own.
#include "db/database.h"
#include "techsheet/recost.h"

#include <functional>
#include <optional>
#include <vector>

namespace corvane::db {
class DocumentClaims;
}

namespace corvane::techsheet {

// Today's reference: TIPOCUSTO, PARGER row 1 (its cost types and TIPOPRECO),
// MAQUINAS, OPERACOES and EMBALAGEM of the program database, and the
// articles' prices by that basis from the invoicing database's ARTIGOSCLS.
std::optional<CostReference> readCostReference(db::Database& corvane, db::Database& factura,
                                               QString* error = nullptr);

// A sheet whose cost changed: its cost a piece (sum of VALOR_FINAL) before
// and after, and how many lines changed.
struct SheetCostChange {
    QString article;
    QString kind;
    double before = 0;
    double after = 0;
    int lines = 0;
};

// A sheet left as it was, and why: it could not be costed (what its step
// says), or another user has it open.
struct SheetLeft {
    QString article;
    QString reason;
};

struct RecostReport {
    qint64 sheets = 0;
    std::vector<SheetCostChange> changed;
    std::vector<SheetLeft> uncostable;
    std::vector<SheetLeft> inUse;
};

// Called as sheets are done: how many of how many.
using RecostProgress = std::function<void(qint64 done, qint64 total)>;

// Re-costs every sheet. With `write`, each sheet that changes is written in
// its own transaction: claimed (a sheet another run holds is left, reported
// in inUse), locked, read again and re-costed from those rows, its changed
// lines updated; a sheet that cannot be costed is left untouched. Without
// `write` nothing is written and the report says what would change. False
// only when the database fails (*error); the sheets written so far stay.
bool recostSheets(db::Database& corvane, db::DocumentClaims* claims, const CostReference& reference,
                  bool write, RecostReport& report, const RecostProgress& progress = {},
                  QString* error = nullptr);

} // namespace corvane::techsheet
