#pragma once

#include "db/database.h"
#include "db/schema.h"

namespace corvane::setup {

// The invoicing tables the costing screens read besides the articles (whose
// tables are corvane::articles'): purchasing departments, stock movement
// codes and warehouses.
QList<db::Table> costingInvoicingTables();
// The accounting cost centres, per year, with their type ("L" takes articles).
QList<db::Table> costingAccountingTables();

// Demo rows of those tables: departments, movements (one of type "SCI"),
// warehouses, and the cost centres of `year` and of the year before (one
// centre only in the year before, one of type "G").
bool insertDemoInvoicingRows(db::Database& factura, QString* error);
bool insertDemoAccountingRows(db::Database& contab, int year, QString* error);

} // namespace corvane::setup
