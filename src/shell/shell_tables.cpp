#include "shell_tables.h"

namespace corvane::shell {

using namespace corvane::db;

QList<Table> generalTables() {
    Table empresas{QStringLiteral("EMPRESAS"), {}, {QStringLiteral("EMPNRO")}, QStringLiteral("PK_EMPRESAS"), {}};
    empresas.columns = {
        integer("EMPNRO", true), text("NOME", 40), text("MORADA1", 30), text("MORADA2", 30), text("CODPOSTAL", 5),
        text("LOCALIDADE", 30), text("NAIRROFISCAL", 5), text("FREGUESIA", 30), text("CONCELHO", 30),
        text("NIF", 9), text("TELEFONE", 18), text("TELFAX", 18), text("EMAIL", 30), text("BANCOS", 1),
        text("ANALITICA", 1), text("MOEDAESTRG", 1), text("IMOBILIZADO", 1), text("ARQUIVO", 1),
        text("PATHARQUIVO", 70), text("PATHFOTOSLOGO", 50), text("BDCONTAB", 30), text("BDFACTURA", 30),
        text("BDFINANC", 30), text("BDARQUIVO", 30), text("BDSTKPROD", 30), text("BDSTKMATPRM", 30),
        text("BDENCOME", 30), text("BDSALARIOS", 30), text("BDESPECIF01", 30), text("BDESPECIF02", 30),
        text("BDSIGLACONTAB", 3), text("BDSIGLAFACTURA", 3), text("BDSIGLAFINANC", 3), text("BDSIGLAARQUIVO", 3),
        text("BDSIGLASTKPROD", 3), text("BDSIGLAMATPRM", 3), text("BDSIGLAENCOME", 3), text("BDSIGLASALARIOS", 3),
        text("BDSIGLAESPECIF01", 3), text("BDSIGLAESPECIF02", 3), text("BDDESIGNCONTAB", 40),
        text("BDDESIGNFACTURA", 40), text("BDDESIGNFINANC", 40), text("BDDESIGNARQUIVO", 40),
        text("BDDESIGNSTKPROD", 40), text("BDDESIGNMATPRM", 40), text("BDDESIGNENCOME", 40),
        text("BDDESIGNSALARIOS", 40), text("BDDESIGNESPECIF01", 40), text("BDDESIGNESPECIF02", 40),
        text("BDGERAL", 30), integer("CODIGO"), text("DISTRITO", 30), text("BENEFICIARIO", 15), text("IRC", 10),
        money("VALORIRC"), money("VOLUMEVENDAS"), money("CAPITALSOCIAL"), real("PRCPRIVADONAC"),
        real("PRCESTRANGEIRO"), real("PRCPUBLICO"), text("CONSTITUICAO", 5), text("ASSOCPATRONAL", 30),
        text("ACTIVPRINCIPAL", 30), text("NATJURIDICA", 30), text("FORMAGESTAO", 30), smallint("EMPSEXMASC"),
        smallint("EMPSEXFEMI"), smallint("MESPROC"), datetime("ULTPAGAMTO"), text("SIGLAEMPR", 2),
        text("FICTEC", 1)};

    Table utilPassword{QStringLiteral("UTILPASSWORD"),
                       {text("UTIL", 15, true), integer("EMPRESA", true), text("BDUSERNAME", 25),
                        text("BDPASSWORD", 25)},
                       {QStringLiteral("UTIL"), QStringLiteral("EMPRESA")},
                       QStringLiteral("PK_UTILPASSWORD"),
                       {}};

    Table paramUtil{QStringLiteral("PARAMUTIL"),
                    {text("COMP_NAME", 30, true), text("UTIL", 10), integer("EMPNRO"), text("APLICACAO", 40, true),
                     text("ANO", 4), datetime("DATA"), text("PASSWOR", 15)},
                    {},
                    {},
                    {Index{QStringLiteral("PARAMUTIL0"), {QStringLiteral("APLICACAO"), QStringLiteral("COMP_NAME")},
                           false}}};
    return {empresas, utilPassword, paramUtil};
}

Table aplicacaoCapTable() {
    return Table{QStringLiteral("APLICACAOCAP"),
                 {text("APLICACAO", 20, true), text("CAPITULO", 30, true)},
                 {QStringLiteral("APLICACAO"), QStringLiteral("CAPITULO")},
                 QStringLiteral("PK_APLICACAOCAP"),
                 {}};
}

Table aplicacaoMstTable() {
    return Table{QStringLiteral("APLICACAOMST"),
                 {text("APLICACAO", 20, true), text("CAPITULO", 30, true), text("PROGRAMA", 40, true)},
                 {QStringLiteral("APLICACAO"), QStringLiteral("CAPITULO"), QStringLiteral("PROGRAMA")},
                 QStringLiteral("PK_APLICACAOMST"),
                 {}};
}

Table aplicacaoDetTable() {
    return Table{QStringLiteral("APLICACAODET"),
                 {text("APLICACAO", 20, true), text("CAPITULO", 30, true), text("PROGRAMA", 40, true),
                  integer("EMPNRO", true), text("UTIL", 15, true), text("ACEDER", 1), text("INSERIR", 1),
                  text("ALTERAR", 1), text("ELIMINAR", 1), text("IMPORTAR", 1), text("IMPRIMIR", 1),
                  text("ARQUIVAR", 1), text("MAIL", 1), text("SCANNER", 1)},
                 {QStringLiteral("APLICACAO"), QStringLiteral("CAPITULO"), QStringLiteral("PROGRAMA"),
                  QStringLiteral("EMPNRO"), QStringLiteral("UTIL")},
                 QStringLiteral("PK_APLICACAODET"),
                 {}};
}

QList<Table> programShellTables() {
    // UPGRADE_LICENSE is added by version step 7.
    Table utilizadores{QStringLiteral("UTILIZADORES"),
                       {text("NRO", 15, true), text("PASSWOR", 15), text("NOM", 30), text("TITULO", 10),
                        text("MORADA", 30), text("MORADA1", 30), text("LOCALIDADE", 30), text("TELEFONE", 18),
                        text("TELFAX", 18), datetime("DATABERT"), text("SUPUTIL", 1), text("SPECIAL", 1),
                        smallint("TIPO_EMAIL"), text("EMAIL", 50), text("EMAIL1", 50), text("SMTPSERVER", 50)},
                       {QStringLiteral("NRO")},
                       QStringLiteral("PK_UTILIZADORES"),
                       {}};
    Table paramTmp{QStringLiteral("PARAMTMP"),
                   {text("UTIL", 15, true), text("APLICACAO", 30, true), integer("EMPNRO"), text("EMPNOM", 40),
                    datetime("DATA"), datetime("HORA"), text("ANO", 4), text("MES", 2), text("DIA", 2),
                    text("WORKANO", 4)},
                   {QStringLiteral("UTIL"), QStringLiteral("APLICACAO")},
                   QStringLiteral("PK_PARAMTMP"),
                   {}};
    return {utilizadores, aplicacaoCapTable(), aplicacaoMstTable(), aplicacaoDetTable(), paramTmp};
}

QList<Table> invoicingShellTables() {
    Table parger{QStringLiteral("PARGER"),
                 {text("ANO", 4, true), text("STOCKS", 1), text("ENCOMENDAS", 1), text("CONTABILIDADE", 1),
                  text("PATHFOTO", 50), text("PATHINFARTIGOS", 60), text("EXTFOTO", 4), smallint("PRC_DECIMAIS"),
                  text("CODANLSEQ", 1)},
                 {QStringLiteral("ANO")},
                 QStringLiteral("PK_PARGER"),
                 {}};
    return {parger, aplicacaoCapTable(), aplicacaoMstTable(), aplicacaoDetTable()};
}

} // namespace corvane::shell
