#pragma once

#include "db/schema.h"

namespace corvane::shell {

// The tables the version steps create, as each step creates them.
db::Table operacoesTable();
db::Table workftArtigosTable();
db::Table workftMaquinasTable();
db::Table fictecDetTable();
db::Table fictecMasTable();
db::Table fictecFiosTable();
db::Table fictecSubcontTable();
// The quotation master and its five satellites, keyed on ORCNRO.
QList<db::Table> quotationTables();
// ORCAMCUSTO: what a closed quotation was costed on (its sheet's cost a
// piece and the unit costs, the transformation per level), with the date.
db::Table quotationCostTable();
// SALDOS, SALDOS1, SALDOS2: per-user chart series, without key.
QList<db::Table> chartTables();

} // namespace corvane::shell
