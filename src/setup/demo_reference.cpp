// The costing reference rows of the demo company: a maker of woven and
// knitted scarves and hats with its cost types, operations, machines,
// materials, work types, packaging and general parameters.
#include "demo_rows.h"
#include "demo_site.h"

#include "reference/costing_rules.h"

namespace corvane::setup {

namespace {

// Cost types: every class 1 to 7 and every quotation group 1 to 7; 4 is the
// quality allowance, 20 design, 40 packaging and 50 subcontracts.
const QList<Row> kCostTypes = {
    {1, "Fios", 1, "N", 3.0, 1},
    {2, "Tintas de Estampar", 1, "N", 2.0, 1},
    {3, "Etiquetas Tecidas e Impressas", 2, "N", 1.0, 1},
    {4, "Qualidade e Defeitos", 4, "P", 0.0, 4},
    {5, "Etiquetas de Cartolina", 2, "N", 1.0, 1},
    {6, "Cabides", 2, "N", 0.5, 1},
    {7, "Franjas", 2, "N", 2.0, 1},
    {8, "Tecidos", 1, "N", 4.0, 1},
    {10, "Tempo de Máquina", 6, "N", 0.0, 2},
    {11, "Costura e Acabamento", 4, "N", 0.0, 2},
    {12, "Estrutura", 3, "P", 0.0, 5},
    {20, "Desenho e Amostras", 5, "N", 0.0, 3},
    {40, "Embalagem", 7, "N", 1.0, 6},
    {50, "Subcontratos", 4, "N", 1.5, 7},
};

struct Operation {
    int code;
    const char* name;
    int costType;
    const char* unit;
    const char* unitType;
    double price;
};
const QList<Operation> kOperations = {
    {1, "Desenho de Padrão", 20, "Min", "N", 0.45},      {2, "Amostra de Tecelagem", 20, "Und", "N", 25.0},
    {10, "Controlo de Qualidade", 4, "%", "P", 2.5},     {20, "Costura Lateral", 11, "Min", "N", 0.28},
    {21, "Colocação de Etiqueta", 11, "Min", "N", 0.25}, {22, "Colocação de Cabide", 11, "Min", "N", 0.22},
    {30, "Estrutura Geral", 12, "%", "P", 12.0},         {40, "Embalagem Individual", 40, "Min", "N", 0.20},
    {41, "Encaixotamento", 40, "Und", "N", 0.15},        {50, "Remalhar (Subcontrato)", 50, "Und", "N", 0.65},
    {51, "Bordado (Subcontrato)", 50, "Und", "N", 1.10},  {60, "Colocação de Cabide em Cachecol", 6, "Min", "N", 0.22},
    {61, "Colocação de Cabide em Gorro", 6, "Min", "N", 0.18},
    {62, "Aplicação de Etiqueta de Cartolina", 5, "Min", "N", 0.16},
};

const QList<Row> kMachineGroups = {
    {1, "Corte por Ultra-Sons", 1}, {2, "Corte e Coze", 2},         {3, "Teares de Tricotar", 3},
    {4, "Teares Jacquard", 4},      {5, "Ponto Corrido", 5},        {6, "Vaporizadores", 6},
    {7, "Remalhar e Bordar", 7},    {8, "Impressoras Digitais", 8}, {9, "Corte c/Serra Eléctrica", 9},
};

// CODIGO, DESIGNACAO, SIGLA, CCUSTO, GRUPO, COMPRIM, LARGURA, PRDHOR1, PRDHOR2,
// UNDPRD, TEMPO_ACERTO1, TEMPO_ACERTO2, DESPERDICIO, PRECO, INTERFACE_COD,
// PAINEL, RAPORT, LARG_PENTE, NROPASSAGENS. Looms cost per minute, the
// ultrasound cutter per minute, the other machines per hour.
const QList<Row> kMachines = {
    {"US01", "Cortadora Ultra-Sons 1,80 m", "ULTRASOM1", "3410", 1, 2000, 1800, 6, 4, "MTM", 10, 15, 1.0,
     0.35, 101, 1, 0, 0.0, 1},
    {"CC01", "Corte e Coze 4 Fios", "CORTECOZE1", "3420", 2, 600, 400, 12, 8, "UPM", 5, 8, 0.5, 14.0, 102, 2,
     0, 0.0, 1},
    {"TRI01", "Tear Tricotar Electrónico 7G", "TRICOT7G", "3310", 3, 0, 1800, 60, 45, "RPM", 20, 30, 2.0,
     12.5, 201, 3, 0, 0.0, 1},
    {"TRI02", "Tear Tricotar Gorros 12G", "TRICOT12G", "3310", 3, 0, 1200, 70, 50, "RPM", 25, 35, 2.5, 13.8,
     202, 4, 0, 0.0, 1},
    {"TEAR01", "Tear Jacquard Alta Def. 1,80 m", "JACQ180", "3210", 4, 0, 1800, 400, 320, "RPM", 15, 25, 2.0,
     0.55, 301, 5, 600, 1.85, 1},
    {"TEAR02", "Tear Jacquard 100% Acrílico 2,30 m", "JACQ230", "3210", 4, 0, 2300, 360, 300, "RPM", 20, 30,
     2.0, 0.62, 302, 6, 575, 2.35, 2},
    {"PC01", "Brunideira de Franjas", "BRUNIDEIRA", "3430", 5, 0, 900, 20, 15, "MTM", 10, 10, 0.5, 11.0, 103,
     7, 0, 0.0, 1},
    {"VAP01", "Túnel de Vaporização", "VAPOR1", "3440", 6, 3000, 1500, 15, 10, "UPM", 15, 15, 0.0, 9.5, 104,
     8, 0, 0.0, 1},
    {"REM01", "Remalhadeira 14G", "REMALHA14", "3450", 7, 0, 0, 2, 1, "UPM", 10, 10, 1.0, 10.0, 105, 9, 0,
     0.0, 1},
    {"BRD01", "Bordadora de 6 Cabeças", "BORDA6", "3450", 7, 0, 0, 3, 2, "UPM", 30, 30, 1.0, 16.0, 106, 10, 0,
     0.0, 1},
    {"IMP01", "Impressora Digital Têxtil 1,60 m", "IMPRDIG1", "3510", 8, 0, 1600, 5, 3, "MTM", 20, 30, 3.0,
     24.0, 107, 11, 0, 0.0, 1},
    {"SER01", "Serra Eléctrica de Corte", "SERRA1", "3420", 9, 0, 0, 30, 20, "UPM", 5, 5, 1.0, 8.0, 108, 12,
     0, 0.0, 1},
};

// Inks of the printing machine: four colours with their share of the ink.
const Row kPrinterInks = {"IMP01", "TIN.CIANO", 30.0, "TIN.MAGENTA", 25.0,      "TIN.AMARELO",
                          25.0,    "TIN.PRETO", 20.0, QVariant(),    QVariant()};

// One or two material types in every family range.
const QList<Row> kMaterialTypes = {
    {1, "Etiquetas Tecidas"},   {2, "Etiquetas Impressas"}, {11, "Etiquetas de Cartolina"},
    {12, "Tags de Preço"},      {21, "Tintas Reactivas"},   {22, "Tintas Pigmento"},
    {41, "Fio Acrílico"},       {42, "Fio Lã Merino"},      {43, "Fio Algodão"},
    {44, "Fio Viscose"},        {45, "Linhas de Costura"},  {100, "Tecido Polar"},
    {101, "Tecido Viscose"},    {120, "Sacos de Plástico"}, {121, "Caixas de Cartão"},
    {122, "Papel de Seda"},     {123, "Fitas e Laços"},
    {140, "Franjas Torcidas"},  {141, "Franjas de Nós"},    {160, "Cabides de Plástico"},
    {161, "Cabides de Cartão"},
};

const QList<Row> kWorkTypes = {
    {1, "Tafetá", 18},
    {2, "Sarja", 22},
    {3, "Jacquard Alta Definição", 36},
    {4, "Jacquard 100% Acrílico", 28},
    {5, "Espinha", 20},
};

const QList<Row> kPackaging = {
    {1, "Saco Individual com Cabide", 0.12, 40},
    {2, "Caixa de Oferta para Cachecol", 0.35, 40},
    {3, "Saco para Gorro com Etiqueta", 0.08, 40},
    {4, "Caixa de Cartão de 50 Unidades", 0.02, 40},
};

// CODIGO, then per material ARTNRO, DESIGNACAO, QTD, PRECO, and UND1..UND3.
const QList<Row> kPackagingMaterials = {
    {1, "EMB.SACO3040", "Saco Polipropileno 30x40", 1.0, 0.045, "EMB.SEDA5070", "Papel de Seda 50x70", 1.0,
     0.03, QVariant(), QVariant(), QVariant(), QVariant(), "Und", "Und", QVariant()},
    {2, "EMB.CXOFERTA", "Caixa de Oferta 35x25x5", 1.0, 0.62, "EMB.SEDA5070", "Papel de Seda 50x70", 2.0,
     0.03, "EMB.FITA", "Fita de Cetim 10 mm", 0.6, 0.08, "Und", "Und", "Mt"},
    {3, "EMB.SACO2025", "Saco Polipropileno 20x25", 1.0, 0.03, QVariant(), QVariant(), QVariant(), QVariant(),
     QVariant(), QVariant(), QVariant(), QVariant(), "Und", QVariant(), QVariant()},
    {4, "EMB.CX50", "Caixa de Cartão 60x40x40", 0.02, 0.95, QVariant(), QVariant(), QVariant(), QVariant(),
     QVariant(), QVariant(), QVariant(), QVariant(), "Und", QVariant(), QVariant()},
};

Row generalParameters() {
    return {1,
            // ORDFABVIA1..5, ORDNRO1..5
            "Original", "Tecelagem", "Tricotagem", "Acabamento", "Arquivo", 0, 0, 0, 0, 0,
            // ORCAMVIA1..5, ORCAMNRO1..5: one numbering series per thousand
            "Cliente", "Comercial", "Arquivo", QVariant(), QVariant(), 1000, 2000, 3000, 4000, 5000,
            // TIPOPRECO, DESP_GERAL, CONV_KGS_TINTAS, TINTAS_TC, MAQUINAS_TC, ESTRUTURA, FIOS_TC
            "CUP", 3.5, 0.0125, 2, 10, 30, 1,
            // CNDPGT1..5
            "Pagamento a 60 dias da data da factura.", "Desconto de 2% a pronto pagamento.",
            "Transferência bancária ou cheque.", QVariant(), QVariant(),
            // OBSERV1..4
            "Preços válidos por 60 dias, sujeitos a aprovação da amostra.",
            "Quantidades com tolerância de 5% para mais ou para menos.",
            "Cores conforme cartão de cores do cliente.", QVariant(),
            // TRANSPORTE, DEPARTAMENTO, TRS_CONSUMO, TRS_DEVOL, ARMNRO: the stock
            // movements and warehouses of the invoicing database (STKTRS, STKARMAZEM)
            "Por conta do cliente (EXW)", "Compras", 20, 21, 1,
            // REQVIA1..5, TRS_PRODUTO, ARMZ_PRODUTO, PRZENT
            "Armazém", "Produção", "Arquivo", QVariant(), QVariant(), 30, 2,
            "Entrega 4 a 6 semanas após aprovação da amostra.",
            // CABIDE_TC, FRANJA_TC, COSTURA_TC, ETIQ_TC, ETIQCART_TC, TECIDO_TC
            6, 7, 11, 3, 5, 8};
}

} // namespace

bool insertDemoReference(db::Database& corvane, QString* error) {
    QList<Row> operations;
    for (const Operation& o : kOperations)
        operations << Row{o.code,
                          QString::fromUtf8(o.name),
                          o.costType,
                          o.unit,
                          o.unitType,
                          o.price,
                          reference::compositeOperationCode(o.costType, o.code)};
    QStringList packagingMaterialColumns{QStringLiteral("CODIGO")};
    for (int n = 1; n <= 3; ++n)
        packagingMaterialColumns << QStringLiteral("ARTNRO%1,DESIGNACAO%1,QTD%1,PRECO%1").arg(n);
    packagingMaterialColumns << QStringLiteral("UND1,UND2,UND3");

    const QString parger =
        QStringLiteral("CODIGO,ORDFABVIA1,ORDFABVIA2,ORDFABVIA3,ORDFABVIA4,ORDFABVIA5,ORDNRO1,"
                       "ORDNRO2,ORDNRO3,ORDNRO4,ORDNRO5,ORCAMVIA1,ORCAMVIA2,ORCAMVIA3,ORCAMVIA4,"
                       "ORCAMVIA5,ORCAMNRO1,ORCAMNRO2,ORCAMNRO3,ORCAMNRO4,ORCAMNRO5,TIPOPRECO,"
                       "DESP_GERAL,CONV_KGS_TINTAS,TINTAS_TC,MAQUINAS_TC,ESTRUTURA,FIOS_TC,"
                       "CNDPGT1,CNDPGT2,CNDPGT3,CNDPGT4,CNDPGT5,OBSERV1,OBSERV2,OBSERV3,OBSERV4,"
                       "TRANSPORTE,DEPARTAMENTO,TRS_CONSUMO,TRS_DEVOL,ARMNRO,REQVIA1,REQVIA2,"
                       "REQVIA3,REQVIA4,REQVIA5,TRS_PRODUTO,ARMZ_PRODUTO,PRZENT,CABIDE_TC,"
                       "FRANJA_TC,COSTURA_TC,ETIQ_TC,ETIQCART_TC,TECIDO_TC");
    const QString machines =
        QStringLiteral("CODIGO,DESIGNACAO,SIGLA,CCUSTO,GRUPO,COMPRIM,LARGURA,PRDHOR1,PRDHOR2,UNDPRD,TEMPO_"
                       "ACERTO1,TEMPO_ACERTO2,"
                       "DESPERDICIO,PRECO,INTERFACE_COD,PAINEL,RAPORT,LARG_PENTE,NROPASSAGENS");
    return insertRows(corvane, QStringLiteral("TIPOCUSTO"),
                      QStringLiteral("CODIGO,DESIGNACAO,CLAS,TU,DESPERD,CLAS_ORC"), kCostTypes, error) &&
           insertRows(corvane, QStringLiteral("OPERACOES"),
                      QStringLiteral("CODIGO,DESIGNACAO,TC,UNIDADE,TU,PRECO,TIPOCUSTO"), operations, error) &&
           insertRows(corvane, QStringLiteral("GRUPOMAQUINAS"), QStringLiteral("CODIGO,DESIGNACAO,TIPOMAQ"),
                      kMachineGroups, error) &&
           insertRows(corvane, QStringLiteral("MAQUINAS"), machines, kMachines, error) &&
           insertRows(
               corvane, QStringLiteral("MAQUINASMP"),
               QStringLiteral("MAQNRO,CODIGO1,CONS_PERC1,CODIGO2,CONS_PERC2,CODIGO3,CONS_PERC3,CODIGO4,"
                              "CONS_PERC4,CODIGO5,CONS_PERC5"),
               {kPrinterInks}, error) &&
           insertRows(corvane, QStringLiteral("TIPOMATERIAL"), QStringLiteral("CODIGO,DESIGNACAO"),
                      kMaterialTypes, error) &&
           insertRows(corvane, QStringLiteral("TIPOTRABALHO"), QStringLiteral("CODIGO,DESIGNACAO,PASSAG_CM"),
                      kWorkTypes, error) &&
           insertRows(corvane, QStringLiteral("EMBALAGEM"),
                      QStringLiteral("CODIGO,DESIGNACAO,CUSTOFIXO,TIPOCUSTO"), kPackaging, error) &&
           insertRows(corvane, QStringLiteral("EMBALAGEMMP"), packagingMaterialColumns.join(QLatin1Char(',')),
                      kPackagingMaterials, error) &&
           insertRows(corvane, QStringLiteral("PARGER"), parger, {generalParameters()}, error);
}

} // namespace corvane::setup
