#pragma once

#include "db/schema.h"

namespace corvane::setup {

// O_ARTIGOSCLS, O_FICTECMAS, O_FICTECDET: read-only copies of an article, its
// technical-sheet header and lines (technical product records), which the
// quotations of kind "T" read. They are filled from outside the program.
// O_FICTECMAS keeps the sheet's kind (TIPOFICTEC) beside its header, since
// the quotation costs machine time by the kind of sheet.
QList<db::Table> productRecordTables();

} // namespace corvane::setup
