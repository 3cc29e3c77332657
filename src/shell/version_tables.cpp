#include "version_tables.h"

namespace corvane::shell {

using namespace corvane::db;

namespace {

Index uniqueIndex(const char* name, const QStringList& columns) {
    return Index{QString::fromLatin1(name), columns, true};
}

// A quotation table: ORCNRO as primary key, every other column nullable.
Table quotationTable(const char* name, const QList<Column>& columns) {
    const QString n = QString::fromLatin1(name);
    QList<Column> all{integer("ORCNRO", true)};
    all << columns;
    return Table{n, all, {QStringLiteral("ORCNRO")}, QStringLiteral("PK_") + n, {}};
}

// For each level 1..3: prefix + level, real.
QList<Column> levels(const QString& prefix) {
    return numbered(prefix + QStringLiteral("%1"), 1, 3, real({}));
}

} // namespace

Table operacoesTable() {
    return Table{QStringLiteral("OPERACOES"),
                 {integer("CODIGO", true), text("DESIGNACAO", 40), integer("TC", true), text("UNIDADE", 3),
                  text("TU", 1), real("PRECO"), text("TIPOCUSTO", 7, true)},
                 {},
                 {},
                 {uniqueIndex("OPERACOES0", {QStringLiteral("CODIGO")})}};
}

Table workftArtigosTable() {
    return Table{QStringLiteral("WORKFTARTIGOS"),
                 {text("UTIL", 15, true), text("CODIGO", 16, true), text("DESIGNACAO", 40),
                  text("TIPOARTIGO", 2), text("UNCOMPRA", 3), real("COMPRIM"), real("LARGURA"),
                  real("PMCUSTO"), real("PULENTRA"), real("CUSTOPADRAO"), real("EXIQTD"), smallint("TIPOMAT"),
                  real("CUSTO"), real("QTD"), real("PRECO"), text("OK", 1), text("INSERIDO", 1)},
                 {},
                 {},
                 {uniqueIndex("WORKFTARTIGOS0", {QStringLiteral("UTIL"), QStringLiteral("CODIGO")})}};
}

Table workftMaquinasTable() {
    return Table{QStringLiteral("WORKFTMAQUINAS"),
                 {text("UTIL", 15, true),
                  text("CODIGO", 10, true),
                  text("DESIGNACAO", 40),
                  text("UNIDADE", 3),
                  smallint("COMPRI"),
                  smallint("LARGURA"),
                  real("CUSTOPADRAO"),
                  smallint("PRODUCAO1"),
                  smallint("ACERTO1"),
                  integer("RAPORT"),
                  integer("FITAS"),
                  text("OK", 1),
                  real("QTD"),
                  real("PRECO"),
                  real("CUSTO"),
                  smallint("TIPOPRD"),
                  text("INSERIDO", 1),
                  smallint("PRODUCAO2"),
                  smallint("ACERTO2"),
                  real("RENDIMENTO"),
                  real("QTD_SEMACERTO"),
                  integer("LARG_RAPORT"),
                  real("LARG_PENTE"),
                  integer("NROPASSAGENS")},
                 {},
                 {},
                 {uniqueIndex("WORKFTMAQUINAS0", {QStringLiteral("UTIL"), QStringLiteral("CODIGO")})}};
}

Table fictecDetTable() {
    return Table{QStringLiteral("FICTECDET"),
                 {integer("TIPO", true), text("ARTIGO", 16, true), integer("DETAIL", true),
                  text("RELACFICTEC", 1), text("CODIGOMP", 16), text("DESIGN", 40), text("UNIDADE", 3),
                  real("QUANT"), real("PRECO"), real("VALOR"), text("TECELAGEM", 5), real("QUANT_FINAL"),
                  real("VALOR_FINAL"), real("TMPACE"), real("TMP_SEMACERTO"), text("FAMILIA", 20)},
                 {},
                 {},
                 {uniqueIndex("FICTECDETINDEX1",
                              {QStringLiteral("TIPO"), QStringLiteral("ARTIGO"), QStringLiteral("DETAIL")})}};
}

Table fictecMasTable() {
    // PESOKGS .. VAPORIZA belong to the knitted and printed sheets; they are
    // created with the table, after REF_INFORMAT.
    return Table{QStringLiteral("FICTECMAS"),
                 {text("CODIGO", 16, true), text("TIPOFICTEC", 2, true),
                  smallint("TIPOTRABALHO"), smallint("NROPASSAG"),
                  smallint("FITAS"),        smallint("RAPORT"),
                  smallint("TMPDESENHO"),   smallint("TMPCABIDE"),
                  real("DESPERD"),          text("CORTEULTRA", 1),
                  text("COSTURA", 1),       text("FRANJA", 1),
                  real("LARG_FRANJA"),      text("TEAR", 1),
                  text("ETIQUETA", 1),      text("CABIDE", 1),
                  text("REF_INFORMAT", 40), real("PESOKGS"),
                  real("PESOAMOSTRA"),      integer("NRPASSADAS"),
                  real("VELOCID_CARRO"),    real("VELOCID_TIRAGEM"),
                  text("RESOLUCAO", 10),    text("REMALHA", 1),
                  text("VAPORIZA", 1)},
                 {},
                 {},
                 {uniqueIndex("FICTECMAS0", {QStringLiteral("CODIGO")})}};
}

Table fictecFiosTable() {
    // The knitted sheets' shares TRn_PERC (and the unused TEn_PERC) follow the
    // consumptions they belong to.
    QList<Column> c{text("ARTIGO", 16, true)};
    for (int n = 1; n <= 8; ++n)
        c << integer(QStringLiteral("TR%1_PASSAGENS").arg(n))
          << text(QStringLiteral("TR%1_REFFIO").arg(n), 16);
    c << numbered("TR%1_QTD", 1, 8, real({})) << numbered("TR%1_PERC", 1, 8, real({}))
      << numbered("TE%1_NROFIOS", 1, 8, integer({})) << numbered("TE%1_REFFIO", 1, 8, text({}, 16))
      << numbered("TE%1_QTD", 1, 8, real({})) << numbered("TE%1_PERC", 1, 8, real({}));
    return Table{
        QStringLiteral("FICTECFIOS"), c, {QStringLiteral("ARTIGO")}, QStringLiteral("PK_FICTECFIOS"), {}};
}

Table fictecSubcontTable() {
    // MPTMAT1..3, the material types of the three materials, come with the table.
    QList<Column> c{text("ARTIGO", 16, true), text("RELACFICTEC", 1, true), text("SERVICO", 16, true),
                    real("PRECO")};
    c << numbered("MPTMAT%1", 1, 3, smallint({}));
    for (int n = 1; n <= 3; ++n)
        c << text(QStringLiteral("MPNRO%1").arg(n), 16) << real(QStringLiteral("MPQTD%1").arg(n))
          << text(QStringLiteral("MPUND%1").arg(n), 3) << real(QStringLiteral("MPPRECO%1").arg(n))
          << real(QStringLiteral("MPCUSTO%1").arg(n));
    return Table{QStringLiteral("FICTECSUBCONT"),
                 c,
                 {QStringLiteral("ARTIGO"), QStringLiteral("RELACFICTEC")},
                 QStringLiteral("PK_FICTECSUBCONT"),
                 {}};
}

QList<Table> quotationTables() {
    QList<Column> mas{integer("CLINRO"), text("ARTIGO", 16), datetime("DATAEMI")};
    mas << levels("QUANT") << levels("PRCORC") << levels("PRECOCLI") << levels("VALORCLI");
    mas << text("OBSERV1", 40) << text("OBSERV2", 40) << real("MARGEMLIQ") << text("ENCANO", 4)
        << text("ENCSEMANA", 2) << integer("ENCCNRO") << datetime("DATAAPROV") << text("APROVADO", 1)
        << real("PRECOAPROV") << real("VALORAPROV") << text("PRINTE", 1) << integer("VNDNRO")
        << text("CLINOM", 35) << text("DESIGN", 40) << real("QTDAPROV") << real("MARGEMAPROVPRC")
        << real("MARGEMAPROVVAL") << text("DESENHO", 1) << text("MANUAL_AUTO", 1) << text("TIPOFT", 1);

    QList<Column> cndpgt{integer("CNDPGT"), text("CNDPGTDES", 30), real("CNDPGTDIAS"), real("CNDPGTVALFIXO"),
                         real("CNDPGTPERC")};
    cndpgt << levels("CNDPGTVALTOT") << real("PRZPERC") << real("PRZVALFIXO") << levels("PRZVALTOT")
           << real("DESCPERC") << real("DESCVALFIXO") << levels("DESCVALTOT");

    QList<Column> com;
    for (const char* who : {"VND", "AGT", "ROY"}) {
        const QString w = QString::fromLatin1(who);
        com << integer(w + "NRO") << text(w + "NOM", 30) << real(w + "PERC") << levels(w + "VALTOT");
    }

    QList<Column> desc{real("PRECOPERC")};
    desc << levels("PRECOVALTOT") << real("QTDPERC") << levels("QTDVALTOT");

    QList<Column> tot;
    for (int n = 1; n <= 3; ++n)
        for (const char* part : {"MATERIAIS", "TRANSFORM", "DESPERDIC", "QUALIDADE", "ESTRUTURA", "COMISSOES",
                                 "TRANSPORT", "CONDPAGAM", "DESCONTOS", "EMBALAGEM", "MARGEMLIQ"})
            tot << real(QString::fromLatin1(part) + QString::number(n));
    tot << levels("MARGEMPRC") << levels("CUSTFIXOS") << levels("SUBCONT");

    QList<Column> transp{text("METEXP", 15), real("METEXPVALFIXO"), real("METEXPPERC")};
    transp << levels("METEXPVALTOT") << real("SEGVALFIXO") << real("SEGPERC") << levels("SEGVALTOT")
           << real("DESPVALFIXO") << real("DESPPERC") << levels("DESPVALTOT");

    return {quotationTable("ORCAMMAS", mas), quotationTable("ORCAMCNDPGT", cndpgt),
            quotationTable("ORCAMCOM", com), quotationTable("ORCAMDESC", desc),
            quotationTable("ORCAMTOT", tot), quotationTable("ORCAMTRANSP", transp)};
}

Table quotationCostTable() {
    QList<Column> c{datetime("DATACUSTO"), text("TIPOFT", 1), real("CUSTOFICHA"), real("CUSTOMAT"),
                    real("CUSTOFIX"),      real("CUSTODESP"), real("CUSTOQUAL"),  real("CUSTOEMB"),
                    real("CUSTOSUB"),      real("PERCESTR")};
    c << levels("CUSTOTRA");
    return quotationTable("ORCAMCUSTO", c);
}

QList<Table> chartTables() {
    QList<Table> out;
    for (const char* name : {"SALDOS", "SALDOS1", "SALDOS2"})
        out << Table{QString::fromLatin1(name),
                     {text("UTIL", 15, true), text("PROGRAMA", 11, true), smallint("SEQUENCIA", true),
                      text("LEGENDA", 9), real("VALOR")},
                     {},
                     {},
                     {}};
    return out;
}

} // namespace corvane::shell
