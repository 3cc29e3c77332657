#pragma once

// What the technical-sheet screen reads when it opens, without its window:
// the general parameters, the work types, the stored header and whether the
// sheet has lines.
#include "techsheet/screens/sheet_screen.h"

namespace corvane::db {
class Database;
class Dataset;
} // namespace corvane::db

namespace corvane::techsheet {

class SheetStore;

// The parameters row (PARGER CODIGO 1) and the work types of `workTypes`
// (TIPOTRABALHO, opened when it is not). False with the server's message.
bool readSheetReference(db::Database& corvane, db::Dataset& workTypes, SheetReference* reference,
                        QString* error);

// Opens `screen` on the stored sheet of its article (context().ArticleCode):
// the reference, the header and whether lines exist, then activate(). False
// with the server's message in `error`, or with `error` empty when activate()
// refused (its message went to the screen's view).
bool activateSheet(SheetScreen& screen, SheetStore& store, db::Dataset& workTypes, QString* error);

} // namespace corvane::techsheet
