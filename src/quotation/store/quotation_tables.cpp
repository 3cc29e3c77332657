#include "quotation_tables.h"

namespace corvane::quotation {

using namespace db;

namespace {
Table keyed(const QString& name, QList<Column> columns, const QString& key) {
    return Table{name, std::move(columns), {key}, QStringLiteral("PK_") + name, {}};
}

// A per-user scratch table: the user's rows found by UTIL.
Table scratch(const QString& name, QList<Column> columns) {
    return Table{
        name,
        std::move(columns),
        {},
        {},
        {Index{name + QStringLiteral("_UTIL"), {QStringLiteral("UTIL"), QStringLiteral("CLINRO")}, false}}};
}
} // namespace

QList<Table> customerTables() {
    return customerDefaultTables() + customerHistoryTables();
}

QList<Table> customerDefaultTables() {
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

QList<Table> customerHistoryTables() {
    return {Table{QStringLiteral("FACMOVIM"),
                  {text("TIPDOC", 3, true), integer("DOCNRO", true), datetime("DATEMI"), integer("CLINRO")},
                  {QStringLiteral("TIPDOC"), QStringLiteral("DOCNRO")},
                  QStringLiteral("PK_FACMOVIM"),
                  {Index{QStringLiteral("FACMOVIM_CLINRO"), {QStringLiteral("CLINRO")}, false},
                   // A customer's invoices by date, read from the index alone.
                   Index{QStringLiteral("FACMOVIM_CLINRO_DATEMI"),
                         {QStringLiteral("CLINRO"), QStringLiteral("DATEMI"), QStringLiteral("TIPDOC"),
                          QStringLiteral("DOCNRO")},
                         false}}},
            keyed(QStringLiteral("CLIVALCOB"),
                  {integer("CODIGO", true), real("DEB0"), real("DEB30"), real("DEB3060"), real("DEB6090"),
                   real("DEB90120"), real("DEB120180"), real("DEB180"), real("TITULOS"), real("PREDAT")},
                  QStringLiteral("CODIGO")),
            Table{QStringLiteral("CLICOBREC"),
                  {integer("RECNRO", true), integer("CLIENTE"), datetime("DATEMI"), real("VALTOT")},
                  {QStringLiteral("RECNRO")},
                  QStringLiteral("PK_CLICOBREC"),
                  {Index{QStringLiteral("CLICOBREC_CLIENTE"), {QStringLiteral("CLIENTE")}, false}}},
            scratch(QStringLiteral("WORKVENDASANO"),
                    {text("UTIL", 15), integer("CLINRO"), text("ANO", 4), real("VALOR")}),
            scratch(QStringLiteral("WORKVENDASMES"),
                    {text("UTIL", 15), integer("CLINRO"), text("ANO", 4), smallint("MES"), real("VALOR")}),
            scratch(QStringLiteral("WORKCLIRECANO"),
                    {text("UTIL", 15), integer("CLINRO"), text("ANO", 4), real("VALREC")}),
            scratch(QStringLiteral("WORKCLIRECMES"),
                    {text("UTIL", 15), integer("CLINRO"), text("ANO", 4), integer("MES"), real("VALREC")})};
}

} // namespace corvane::quotation
