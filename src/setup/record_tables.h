#pragma once

#include "db/schema.h"

namespace corvane::setup {

// O_ARTIGOSCLS, O_FICTECMAS, O_FICTECDET: read-only copies of an article, its
// technical-sheet header and lines (technical product records), which the
// quotations of kind "T" read. They are filled from outside the program.
QList<db::Table> productRecordTables();

} // namespace corvane::setup
