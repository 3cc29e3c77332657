#pragma once

#include "db/schema.h"

namespace corvane::articles {

// The article master of the invoicing database, every column in the order of
// its insert statement.
db::Table artigosClsTable();
// The article's satellites: prices per currency, designations per country,
// archived documents (DETAIL given by the database) and supply conditions.
db::Table artigosMoeTable();
db::Table artigosPaisTable();
db::Table artigosDocsTable();
db::Table stkArtgFornTable();
// The classification: customization parameters, the levels of each group and
// the values of each level per country.
db::Table parCustomTable();
db::Table parGruposTable();
db::Table custArtgTable();

// Every table of the invoicing database the article screens read or write:
// the above, the reference tables (families, VAT, commissions, tariff
// positions, compositions), suppliers, countries and the tables whose rows
// name an article (stock movements, order lines, invoice lines, stock per
// warehouse).
QList<db::Table> articleInvoicingTables();
// The accounting tables they read: cost centres (with their type) and the
// currencies of each year (cntpmoeda).
QList<db::Table> articleAccountingTables();

// The article types "1" to "11" and their captions.
QString articleTypeCaption(const QString& type);
QStringList articleTypes();

} // namespace corvane::articles
