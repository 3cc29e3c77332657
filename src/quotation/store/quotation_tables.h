#pragma once

// The invoicing tables a quotation takes its customer, seller, agent,
// shipping and payment defaults from. They belong to the invoicing system:
// the quotation only reads them. COMISSOES, the commission percent of a
// commission code, is one of the article screens' tables
// (articles::articleInvoicingTables).
#include "db/schema.h"

namespace corvane::quotation {

// CLIENTES, VENDEDORES, AGENTES, CNDPGT, METEXPEDICAO.
QList<db::Table> customerTables();

} // namespace corvane::quotation
