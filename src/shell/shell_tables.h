#pragma once

#include "db/schema.h"

namespace corvane::shell {

// Tables of the general database (shared by every company).
QList<db::Table> generalTables();
// Users, rights and the working-context row of the program database.
QList<db::Table> programShellTables();
// The invoicing parameters and the invoicing copies of the rights tables.
QList<db::Table> invoicingShellTables();

// The rights tables share one layout in both company databases.
db::Table aplicacaoCapTable();
db::Table aplicacaoMstTable();
db::Table aplicacaoDetTable();

} // namespace corvane::shell
