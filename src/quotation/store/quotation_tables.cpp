#include "quotation_tables.h"

namespace corvane::quotation {

using namespace db;

namespace {
Table keyed(const QString& name, QList<Column> columns, const QString& key) {
    return Table{name, std::move(columns), {key}, QStringLiteral("PK_") + name, {}};
}
} // namespace

QList<Table> customerTables() {
    Table clientes = keyed(QStringLiteral("CLIENTES"),
                           {integer("CODIGO", true), text("NOME", 35), integer("VENDEDOR"), integer("AGENTE"),
                            text("METEXPEDICAO", 15), integer("CNDPGT")},
                           QStringLiteral("CODIGO"));
    // The customer lookup's alphabetical order.
    clientes.indexes << Index{QStringLiteral("CLIENTES_NOME"), {QStringLiteral("NOME")}, false};
    return {clientes,
            keyed(QStringLiteral("VENDEDORES"),
                  {integer("CODIGO", true), text("NOME", 30), integer("COMISSAO")}, QStringLiteral("CODIGO")),
            keyed(QStringLiteral("AGENTES"), {integer("CODIGO", true), text("NOME", 30), integer("COMISSAO")},
                  QStringLiteral("CODIGO")),
            keyed(QStringLiteral("CNDPGT"),
                  {integer("CODIGO", true), smallint("NRDIAS"), text("DESCRI", 30), real("PRCDESC"),
                   text("TIPDOC", 1)},
                  QStringLiteral("CODIGO")),
            keyed(QStringLiteral("METEXPEDICAO"), {text("METEXPEDICAO", 15, true), real("PERCUSTO")},
                  QStringLiteral("METEXPEDICAO"))};
}

} // namespace corvane::quotation
