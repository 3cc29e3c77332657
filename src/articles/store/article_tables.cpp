#include "article_tables.h"

namespace corvane::articles {

using namespace db;

namespace {
Table keyed(const QString& name, QList<Column> columns, QStringList key) {
    return Table{name, std::move(columns), key, QStringLiteral("PK_") + name, {}};
}
} // namespace

Table artigosClsTable() {
    QList<Column> c{text("CODIGO", 16, true),
                    text("CCUSTO", 8),
                    text("DESIGNACAO", 40),
                    text("TIPOARTIGO", 2),
                    text("FAMILIA", 20),
                    text("UNVENDA", 3),
                    text("UNCOMPRA", 3),
                    text("VOSREF", 15),
                    real("PESO"),
                    real("VOLUME"),
                    real("COMPRIM"),
                    real("LARGURA"),
                    real("ALTURA")};
    c << numbered(QStringLiteral("PRECO%1"), 1, 4, real({}));
    c << integer("CODIVA") << text("DESCONTINUADO", 1) << text("POSPAUTAL", 18) << smallint("NROFOTOS")
      << text("MEDIDAS", 1) << text("GRELHA", 1) << integer("CODIGOGRELHA") << integer("COMISSAO")
      << integer("COMPOSICAO") << text("CORDES", 15) << text("TAMDES", 7) << real("FACTCONV")
      << text("UNCONV", 3) << real("PTOENC") << real("STKMIN") << real("STKMAX") << text("ROTURA", 1)
      << datetime("DTABERTURA") << datetime("DTULTENT") << datetime("DTULTSAI") << datetime("DTULTDEV")
      << datetime("DTULTINV") << real("PMCUSTO") << real("PULENTRA") << real("CUSTOPADRAO") << real("EXIQTD")
      << real("EXIVAL");
    c << numbered(QStringLiteral("CUSTOM%1"), 1, 9, smallint({}));
    c << text("DESIGNACAO1", 40) << real("QTDCALCULO") << text("FICTEC", 1) << text("FICHABASE", 12)
      << smallint("NEFIO") << real("VALOR_CUP") << real("VALOR_PUE") << real("VALOR_PMC")
      << datetime("DATAACTPRECOS") << text("USA_EXIST", 1) << text("CODGRUPO", 16) << text("LOTE", 10)
      << text("CONJUNTO", 1) << integer("CORBASE") << integer("CORBARRA") << integer("MEDIDA")
      << integer("GRAMAGEM") << text("DESIGNACAO2", 40) << datetime("DTULTALTER") << text("UTILALTER", 15)
      << text("CODBARRAS", 20);
    c << numbered(QStringLiteral("PRECOIVA%1"), 1, 4, real({}));
    c << smallint("UNIEMB") << text("UTIL_ABERTURA", 15) << smallint("TIPOMAT");
    Table t = keyed(QStringLiteral("ARTIGOSCLS"), c, {QStringLiteral("CODIGO")});
    t.indexes << Index{QStringLiteral("ARTIGOSCLS_DESIGNACAO"), {QStringLiteral("DESIGNACAO")}, false}
              << Index{QStringLiteral("ARTIGOSCLS_GRELHA"),
                       {QStringLiteral("GRELHA"), QStringLiteral("CODIGO")},
                       false} // The list by designation: its rows in their order, a page at a time.
              << Index{QStringLiteral("ARTIGOSCLS_GRELHA_DESIGNACAO"),
                       {QStringLiteral("GRELHA"), QStringLiteral("DESIGNACAO"), QStringLiteral("CODIGO")},
                       false} // The step lists: yarns, services and purchase units by type,
                              // inks, packaging and fabrics by material type.
              << Index{QStringLiteral("ARTIGOSCLS_TIPOARTIGO"),
                       {QStringLiteral("TIPOARTIGO"), QStringLiteral("CODIGO")},
                       false}
              << Index{QStringLiteral("ARTIGOSCLS_TIPOMAT"),
                       {QStringLiteral("TIPOMAT"), QStringLiteral("CODIGO")},
                       false};
    return t;
}

Table artigosMoeTable() {
    return keyed(QStringLiteral("ARTIGOSMOE"),
                 {text("ARTIGO", 16, true), text("MOEDA", 3, true), real("PRECO")},
                 {QStringLiteral("ARTIGO"), QStringLiteral("MOEDA")});
}

Table artigosPaisTable() {
    return keyed(QStringLiteral("ARTIGOSPAIS"),
                 {text("ARTIGO", 16, true), text("PAIS", 20, true), text("DESIGNACAO", 40)},
                 {QStringLiteral("ARTIGO"), QStringLiteral("PAIS")});
}

Table artigosDocsTable() {
    Column detail = integer(QStringLiteral("DETAIL"), true);
    detail.identity = true;
    return keyed(QStringLiteral("ARTIGOSDOCS"),
                 {text("CODIGO", 16, true), detail, datetime("DATA"), smallint("HORA"), text("ASSUNTO", 15),
                  text("OBSERV", 30), text("PATH", 100)},
                 {QStringLiteral("CODIGO"), QStringLiteral("DETAIL")});
}

Table stkArtgFornTable() {
    QList<Column> c{text("CODARTG", 16, true),
                    integer("CODFORN", true),
                    text("NOME", 40),
                    text("VOSREF", 16),
                    real("PRECO"),
                    real("PRECO_MOE"),
                    real("PRCDESC"),
                    text("QUALID", 1),
                    smallint("PRAZO")};
    c << numbered(QStringLiteral("DESCQTD%1"), 1, 4, real({}));
    c << numbered(QStringLiteral("DESCPRCDESC%1"), 1, 4, real({}));
    c << text("FABRICANTE", 15) << text("CODFABRIC", 16) << text("DESIGNACAO", 40)
      << text("VOS_MATERIAL", 35);
    return keyed(QStringLiteral("STKARTGFORN"), c, {QStringLiteral("CODARTG"), QStringLiteral("CODFORN")});
}

Table parCustomTable() {
    QList<Column> c{text("CODIGO", 1, true)};
    c << numbered(QStringLiteral("GRUPOTIPO%1"), 1, 11, text({}, 1));
    c << text("PAISBASE", 20) << text("REFARTIGO", 1);
    c << numbered(QStringLiteral("SEQREFINI%1"), 1, 9, smallint({}));
    c << numbered(QStringLiteral("REFDIG%1"), 1, 9, smallint({}));
    c << numbered(QStringLiteral("REFER%1"), 1, 9, text({}, 1));
    return keyed(QStringLiteral("PARCUSTOM"), c, {QStringLiteral("CODIGO")});
}

Table parGruposTable() {
    return keyed(QStringLiteral("PARGRUPOS"),
                 {text("TABGRUPO", 1, true), text("TABCOD", 1, true), text("TABNOM", 15), text("SEQREF", 1),
                  text("PAIS", 1), text("REFER", 1)},
                 {QStringLiteral("TABGRUPO"), QStringLiteral("TABCOD")});
}

Table custArtgTable() {
    return keyed(QStringLiteral("CUSTARTG"),
                 {text("TABGRUPO", 1, true), text("PAIS", 20, true), text("TABCOD", 1, true),
                  integer("CODIGO", true), text("DESIGNACAO", 20), text("REDUZCODIGO", 6),
                  text("REDUZDESIGN", 30)},
                 {QStringLiteral("TABGRUPO"), QStringLiteral("PAIS"), QStringLiteral("TABCOD"),
                  QStringLiteral("CODIGO")});
}

QList<Table> articleInvoicingTables() {
    QList<Column> familias{text("FAMILIA", 20, true), real("MARGEMCOM"), text("CCUSTO", 8),
                           text("CCUSTOMERC", 8), text("CCUSTOSERV", 8)};
    for (const char* movement : {"VENDAS", "DEVOLUCOES", "DESCONTOS"})
        for (const char* market : {"", "MI", "O"})
            for (const char* kind : {"", "_M", "_S"})
                familias << text(
                    QStringLiteral("CONTA%1%2%3")
                        .arg(QLatin1String(movement), QLatin1String(market), QLatin1String(kind)),
                    20);
    const QList<Column> iva{integer("CODIGO", true),    real("PRCIVA"),
                            text("CONTAVENDAS", 20),    text("CONTADEVOLUC", 20),
                            text("CONTAVENDASMI", 20),  text("CONTAVENDASO", 20),
                            text("CONTADEVOLUCMI", 20), text("CONTADEVOLUCO", 20),
                            smallint("CODIVA"),         smallint("CODIVA_MC"),
                            smallint("CODIVA_OU")};
    return {
        artigosClsTable(),
        artigosMoeTable(),
        artigosPaisTable(),
        artigosDocsTable(),
        stkArtgFornTable(),
        parCustomTable(),
        parGruposTable(),
        custArtgTable(),
        keyed(QStringLiteral("FAMILIAS"), familias, {QStringLiteral("FAMILIA")}),
        keyed(QStringLiteral("IVA"), iva, {QStringLiteral("CODIGO")}),
        keyed(QStringLiteral("COMISSOES"), {integer("CODIGO", true), real("PRCCOM")},
              {QStringLiteral("CODIGO")}),
        keyed(QStringLiteral("PPAUTAL"), {text("CODIGO", 18, true), text("DESIGN", 40), text("MLIQUIDA", 1)},
              {QStringLiteral("CODIGO")}),
        keyed(QStringLiteral("ARTGCOMP"),
              {integer("CODIGO", true), text("DESIGNACAO", 30), text("REDUZCODIGO", 6),
               text("REDUZDESIGN", 30)},
              {QStringLiteral("CODIGO")}),
        keyed(QStringLiteral("FORNECEDORES"),
              {integer("CODIGO", true), text("NOME", 40), text("SIGLA", 15), text("MORADA1", 30),
               text("MORADA2", 30), text("CODPOSTAL", 8), text("MOEDA", 3), integer("CNDPGT")},
              {QStringLiteral("CODIGO")}),
        keyed(QStringLiteral("PAISES"), {text("PAIS", 20, true)}, {QStringLiteral("PAIS")}),
        Table{QStringLiteral("STKMOV"),
              {integer("MOVNRO", true), text("ARTNRO", 16), datetime("DATA"), integer("TRSCOD"),
               integer("ARMNRO"), real("QUANTID"), real("VALOR")},
              {QStringLiteral("MOVNRO")},
              QStringLiteral("PK_STKMOV"),
              {Index{QStringLiteral("STKMOV_ARTNRO"), {QStringLiteral("ARTNRO")}, false}}},
        Table{QStringLiteral("ENCCLIDET"),
              {integer("ENCNRO", true), integer("DETAIL", true), text("ARTIGO", 16), datetime("DATAENTRG"),
               text("ANO", 4), smallint("SEMANA"), real("PRECOVENDA"), real("QUANTID"), text("UNVEND", 3),
               real("MARGEMPRC"), integer("ORCNRO"), text("TOTENT", 1), real("VALLIQUIDO"), real("VALLIQCAR"),
               real("QTDCAR")},
              {QStringLiteral("ENCNRO"), QStringLiteral("DETAIL")},
              QStringLiteral("PK_ENCCLIDET"),
              {Index{QStringLiteral("ENCCLIDET_ARTIGO"), {QStringLiteral("ARTIGO")}, false},
               // The first line of an article in an order (an invoice line's order line).
               Index{QStringLiteral("ENCCLIDET_ENCNRO_ARTIGO"),
                     {QStringLiteral("ENCNRO"), QStringLiteral("ARTIGO"), QStringLiteral("DETAIL")},
                     false},
               // The open order book.
               Index{QStringLiteral("ENCCLIDET_TOTENT"),
                     {QStringLiteral("TOTENT"), QStringLiteral("ENCNRO")},
                     false}}},
        // The customer orders: the customer of an order's lines.
        Table{QStringLiteral("ENCCLIMAS"),
              {integer("ENCNRO", true), integer("CLINRO"), datetime("DATAENC")},
              {QStringLiteral("ENCNRO")},
              QStringLiteral("PK_ENCCLIMAS"),
              {Index{QStringLiteral("ENCCLIMAS_CLINRO"), {QStringLiteral("CLINRO")}, false}}},
        Table{QStringLiteral("FACMOVDET"),
              {text("TIPDOC", 3, true), integer("DOCNRO", true), integer("DETAIL", true), text("ARTIGO", 16),
               real("PRECOVENDA"), real("QUANTID"), integer("ENCOMENDA"), real("VAL_VENDA")},
              {QStringLiteral("TIPDOC"), QStringLiteral("DOCNRO"), QStringLiteral("DETAIL")},
              QStringLiteral("PK_FACMOVDET"),
              {Index{QStringLiteral("FACMOVDET_ARTIGO"), {QStringLiteral("ARTIGO")}, false},
               // An invoice's sale values, read from the index alone (a customer's sales).
               Index{QStringLiteral("FACMOVDET_VALOR"),
                     {QStringLiteral("TIPDOC"), QStringLiteral("DOCNRO"), QStringLiteral("VAL_VENDA")},
                     false}}},
        keyed(QStringLiteral("STKARTGARMZ"),
              {text("ARTIGO", 16, true), text("ANO", 4, true), integer("CODIGO", true), real("EXIQTD00"),
               real("EXIVAL00"), real("EXIQTD"), real("EXIVAL")},
              {QStringLiteral("ARTIGO"), QStringLiteral("ANO"), QStringLiteral("CODIGO")}),
    };
}

QList<Table> articleAccountingTables() {
    return {keyed(QStringLiteral("cntpmoeda"),
                  {text("ANO", 4, true), text("DESCRI", 3, true), real("CAMBEURO")},
                  {QStringLiteral("ANO"), QStringLiteral("DESCRI")})};
}

QStringList articleTypes() {
    QStringList out;
    for (int t = 1; t <= 11; ++t)
        out << QString::number(t);
    return out;
}

QString articleTypeCaption(const QString& type) {
    static const char* const captions[] = {"Produto",
                                           "Mercadoria",
                                           "Serviço",
                                           "Amostra",
                                           "Feitio",
                                           "Matéria Prima",
                                           "Semi-Laborados",
                                           "Matéria Subsidiária",
                                           "Materiais Diversos",
                                           "Embal. Consumo",
                                           "Diversos"};
    bool ok = false;
    const int n = type.trimmed().toInt(&ok);
    return ok && n >= 1 && n <= 11 ? QString::fromUtf8(captions[n - 1]) : QString();
}

} // namespace corvane::articles
