#pragma once

// The invoicing tables a quotation takes its customer, seller, agent,
// shipping and payment defaults and the customer's history from. They
// belong to the invoicing system: the quotation only reads them (and fills
// the current user's rows of the scratch tables). COMISSOES, the commission percent of a
// commission code, is one of the article screens' tables
// (articles::articleInvoicingTables).
#include "db/schema.h"

namespace corvane::quotation {

// All of the customer tables below.
QList<db::Table> customerTables();
// CLIENTES, VENDEDORES, AGENTES, CNDPGT, METEXPEDICAO.
QList<db::Table> customerDefaultTables();
// The customer's history the quotation screen shows: invoice headers
// (FACMOVIM; their lines are articles::articleInvoicingTables' FACMOVDET),
// open receivables by age (CLIVALCOB), receipts (CLICOBREC), and the
// per-user scratch tables of sales and receipts per year and month
// (WORKVENDASANO, WORKVENDASMES, WORKCLIRECANO, WORKCLIRECMES).
QList<db::Table> customerHistoryTables();

} // namespace corvane::quotation
