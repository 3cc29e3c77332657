#pragma once

// What the technical-sheet screen reads when it opens besides the sheet: the
// general parameters and the work types.
#include "techsheet/sheet_reference.h"

namespace corvane::db {
class Database;
class Dataset;
} // namespace corvane::db

namespace corvane::techsheet {

// The parameters row (PARGER CODIGO 1) and the work types of `workTypes`
// (TIPOTRABALHO, opened when it is not). False with the server's message.
bool readSheetReference(db::Database& corvane, db::Dataset& workTypes, SheetReference* reference,
                        QString* error);

} // namespace corvane::techsheet
