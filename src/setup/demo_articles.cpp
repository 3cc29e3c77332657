// The articles of the demo company, a maker of knitted and woven scarves and
// hats: its products by model and colour, one colour and size grid, samples,
// yarns, inks, fabrics, labels, threads, fringes, hangers, packaging,
// services and sundries; the tables that classify them (customization
// parameters, levels and values, families, VAT, commissions, tariff
// positions, compositions), suppliers, countries, currencies, and the
// orders, invoices and stock rows that keep some of them from deletion.
#include "demo_rows.h"
#include "demo_site.h"

#include "articles/store/article_tables.h"

#include <QDate>

#include <algorithm>

#include <array>
#include <cmath>

namespace corvane::setup {

namespace {

double cents(double v) {
    return std::round(v * 100.0) / 100.0;
}

// Customization values: number = position + 1 in each list.
struct Value {
    const char* name;
    const char* reducedCode;
    const char* spanish = nullptr; // wordings of the levels kept per country
    const char* french = nullptr;
};

// Colours, shared by the three groups' "Côr" level.
enum Colour {
    Cru = 1,
    Preto,
    Branco,
    Cinzento,
    AzulMarinho,
    Vermelho,
    VerdeGarrafa,
    Bege,
    Camel,
    Bordeaux,
    Mostarda,
    Ciano,
    Magenta,
    Amarelo
};
const Value kColours[] = {
    {"Cru", "CRU", "Crudo", "Écru"},
    {"Preto", "PRE", "Negro", "Noir"},
    {"Branco", "BRA", "Blanco", "Blanc"},
    {"Cinzento", "CIN", "Gris", "Gris"},
    {"Azul Marinho", "AZM", "Azul Marino", "Bleu Marine"},
    {"Vermelho", "VER", "Rojo", "Rouge"},
    {"Verde Garrafa", "VGA", "Verde Botella", "Vert Bouteille"},
    {"Bege", "BEG", "Beige", "Beige"},
    {"Camel", "CAM", "Camel", "Camel"},
    {"Bordeaux", "BOR", "Burdeos", "Bordeaux"},
    {"Mostarda", "MOS", "Mostaza", "Moutarde"},
    {"Ciano", "CIA", "Cian", "Cyan"},
    {"Magenta", "MAG", "Magenta", "Magenta"},
    {"Amarelo", "AMA", "Amarillo", "Jaune"},
};
QString colourName(int c) {
    return QString::fromUtf8(kColours[c - 1].name);
}
QString colourCode(int c) {
    return QString::fromLatin1(kColours[c - 1].reducedCode);
}

// Group "1", products and samples.
const Value kKinds[] = {{"Cachecol", "CHC", "Bufanda", "Écharpe"}, {"Echarpe", "ECH", "Echarpe", "Étole"},
                        {"Xaile", "XAI", "Chal", "Châle"},         {"Gola", "GOL", "Cuello", "Snood"},
                        {"Gorro", "GOR", "Gorro", "Bonnet"},       {"Boina", "BOI", "Boina", "Béret"}};
const Value kSizes[] = {{"Único", "UN"},     {"Criança", "CR"}, {"Adulto", "AD"},    {"180x30", "18030"},
                        {"200x70", "20070"}, {"60x25", "6025"}, {"150x30", "15030"}, {"200x35", "20035"}};
const Value kFibres[] = {
    {"Acrílico", "AC"}, {"Lã Merino", "LA"}, {"Algodão", "AL"}, {"Viscose", "VI"}, {"Lã e Acrílico", "LC"}};
const Value kFinishes[] = {{"Liso", "LIS"},   {"Canelado", "CAN"},  {"Jacquard", "JAC"}, {"Xadrez", "XAD"},
                           {"Riscas", "RIS"}, {"Estampado", "EST"}, {"Franjas", "FRJ"},  {"Pompom", "POM"},
                           {"Dobra", "DOB"},  {"Feltrado", "FEL"}};
const Value kCollections[] = {{"Básicos", "BAS"}, {"Outono-Inverno", "OI"}, {"Primavera-Verão", "PV"}};
// Group "2", raw materials.
const Value kRawMaterials[] = {{"Acrílico", "AC"},     {"Lã Merino", "LM"},      {"Algodão", "AL"},
                               {"Viscose", "VI"},      {"Tinta Reactiva", "TR"}, {"Tinta Pigmento", "TP"},
                               {"Tecido Polar", "PO"}, {"Tecido Viscose", "TV"}};
const Value kCounts[] = {{"Nm 2/28", "228"}, {"Nm 2/32", "232"}, {"Nm 2/48", "248"}, {"Nm 1/15", "115"}};
// Group "3", everything else.
enum Kind3 {
    Etiqueta = 1,
    Linha,
    Franja,
    Cabide,
    Embalagem,
    Servico,
    Mercadoria,
    Feitio,
    SemiLaborado,
    Diverso
};
const Value kKinds3[] = {{"Etiqueta", "ETQ"},   {"Linha", "LIN"},     {"Franja", "FRJ"},
                         {"Cabide", "CAB"},     {"Embalagem", "EMB"}, {"Serviço", "SRV"},
                         {"Mercadoria", "MER"}, {"Feitio", "FEI"},    {"Semi-Laborado", "SEM"},
                         {"Diverso", "DIV"}};

struct Level {
    const char* group;
    const char* level;
    const char* caption;
    const char* seqRef;
    const char* perCountry;
    const char* refer;
    const Value* values;
    int count;
};
template <int N>
Level level(const char* g, const char* l, const char* caption, const char* seq, const char* pais,
            const char* refer, const Value (&values)[N]) {
    return {g, l, caption, seq, pais, refer, values, N};
}
QList<Level> levels() {
    return {level("1", "1", "Artigo", "1", "S", "S", kKinds),
            level("1", "2", "Côr", "3", "S", "N", kColours),
            level("1", "3", "Tamanho", "0", "N", "N", kSizes),
            level("1", "4", "Matéria", "2", "N", "N", kFibres),
            level("1", "5", "Acabamento", "0", "N", "N", kFinishes),
            level("1", "6", "Coleção", "0", "N", "N", kCollections),
            level("2", "1", "Matéria", "1", "N", "S", kRawMaterials),
            level("2", "2", "Côr", "2", "S", "N", kColours),
            level("2", "3", "Título", "0", "N", "N", kCounts),
            level("3", "1", "Família", "1", "N", "S", kKinds3),
            level("3", "2", "Côr", "0", "N", "N", kColours)};
}

// Families and the cost centres they propose: own production, merchandise, services.
struct Family {
    const char* name;
    const char* centre;
    const char* merchandise;
    const char* services;
    double margin;
    const char* salesAccount;
};
const Family kFamilies[] = {
    {"CACHECOIS", "3210", "7110", "7210", 35.0, "7121"},
    {"ECHARPES", "3510", "7110", "7210", 40.0, "7122"},
    {"GORROS", "3310", "7110", "7210", 35.0, "7123"},
    {"AMOSTRAS", "3210", "7110", "7210", 0.0, "7129"},
    {"FIOS", "3310", "7110", "7210", 10.0, "7141"},
    {"TINTAS", "3510", "7110", "7210", 10.0, "7142"},
    {"TECIDOS", "3420", "7110", "7210", 10.0, "7143"},
    {"ACESSORIOS", "3420", "7110", "7210", 10.0, "7144"},
    {"EMBALAGENS", "3420", "7110", "7210", 10.0, "7145"},
    {"SERVICOS", "7210", "7110", "7210", 20.0, "7211"},
    {"MERCADORIAS", "7110", "7110", "7210", 30.0, "7111"},
    {"DIVERSOS", "3420", "7110", "7210", 0.0, "7149"},
};
const Family& family(const QString& name) {
    for (const Family& f : kFamilies)
        if (name == QLatin1String(f.name))
            return f;
    return kFamilies[0];
}

// One article with what varies between articles; articleRow() fills the rest.
struct Article {
    QString code;
    QString name;
    QString type;
    QString family;
    std::array<int, 9> custom{};
    int materialType = 0;
    QString unit = QStringLiteral("Und");
    double length = 0, width = 0, height = 0, weight = 0;
    double standardCost = 0, averageCost = 0, lastEntryPrice = 0;
    double price = 0; // sale price 1
    int vat = 1, commission = 0, composition = 0;
    QString tariff;
    int yarnCount = 0;
    QString sheet = QStringLiteral("N");
    double minimum = 0, reorder = 0, maximum = 0;
    int packUnit = 1;
    // a variant of the colour and size grid
    QString base, colour, size;
};

QString ean13(int item) {
    const QString digits = QStringLiteral("560734%1").arg(item, 6, 10, QLatin1Char('0'));
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += digits.at(i).digitValue() * (i % 2 ? 3 : 1);
    return digits + QString::number((10 - sum % 10) % 10);
}

// Scarf and hat models, each made in the ten colours Preto to Mostarda.
struct Model {
    const char* code; // 7 characters; the article adds "." and the colour
    const char* name;
    int kind, material, finish, size, collection;
    double length, width, height, weight, cost, price;
    const char* tariff;
    const char* family;
};
const Model kModels[] = {
    {"CHCLA01", "Cachecol Lã Merino Liso", 1, 2, 1, 4, 1, 180, 30, 0.6, 0.16, 7.80, 16.50, "61171000",
     "CACHECOIS"},
    {"CHCLA02", "Cachecol Merino Canelado", 1, 2, 2, 4, 2, 180, 30, 0.8, 0.21, 8.90, 18.90, "61171000",
     "CACHECOIS"},
    {"CHCAC01", "Cachecol Acrílico Jacquard", 1, 1, 3, 4, 2, 180, 30, 0.4, 0.14, 4.10, 9.80, "62143000",
     "CACHECOIS"},
    {"CHCAC02", "Cachecol Acrílico Xadrez", 1, 1, 4, 4, 1, 180, 30, 0.4, 0.14, 3.90, 9.20, "62143000",
     "CACHECOIS"},
    {"CHCAL01", "Cachecol Algodão Riscas", 1, 3, 5, 4, 3, 180, 30, 0.3, 0.12, 3.60, 8.50, "62149000",
     "CACHECOIS"},
    {"ECHVI01", "Echarpe Viscose Estampada", 2, 4, 6, 5, 3, 200, 70, 0.2, 0.15, 5.20, 12.90, "62144000",
     "ECHARPES"},
    {"XAILC01", "Xaile Lã Franjas Torcidas", 3, 5, 7, 5, 2, 200, 70, 0.6, 0.32, 9.40, 21.00, "62142000",
     "ECHARPES"},
    {"GOLAC01", "Gola Tubular Acrílico", 4, 1, 2, 6, 1, 60, 25, 0.8, 0.09, 2.70, 6.90, "61171000",
     "CACHECOIS"},
    {"GORAC01", "Gorro Acrílico Canelado", 5, 1, 2, 3, 1, 22, 21, 0.5, 0.07, 2.20, 5.90, "65050090",
     "GORROS"},
    {"GORAC02", "Gorro Acrílico c/ Pompom", 5, 1, 8, 3, 2, 22, 24, 0.5, 0.09, 2.90, 7.50, "65050090",
     "GORROS"},
    {"GORLA01", "Gorro Lã Merino Dobra", 5, 2, 9, 3, 2, 22, 26, 0.6, 0.08, 5.10, 11.90, "65050090", "GORROS"},
    {"GORAL01", "Gorro Algodão Criança", 5, 3, 1, 2, 3, 18, 17, 0.4, 0.05, 1.90, 4.90, "65050090", "GORROS"},
    {"BOILA01", "Boina Lã Feltrada", 6, 2, 10, 3, 2, 28, 28, 3.0, 0.10, 6.30, 14.50, "65050090", "GORROS"},
};
// The models whose first colour has a technical sheet.
bool withSheet(const Model& m) {
    return m.code == QLatin1String("CHCLA01") || m.code == QLatin1String("CHCAC01") ||
           m.code == QLatin1String("ECHVI01") || m.code == QLatin1String("GORAC02");
}

Article product(const Model& m, int colour) {
    Article a;
    a.code = QStringLiteral("%1.%2").arg(QLatin1String(m.code), colourCode(colour));
    a.name = QString::fromUtf8(m.name) + QLatin1Char(' ') + colourName(colour);
    a.type = QStringLiteral("1");
    a.family = QLatin1String(m.family);
    a.custom = {m.kind, colour, m.size, m.material, m.finish, m.collection, 0, 0, 0};
    a.length = m.length;
    a.width = m.width;
    a.height = m.height;
    a.weight = m.weight;
    a.standardCost = m.cost;
    a.price = m.price;
    a.commission = 2;
    a.composition = m.material; // the compositions 1 to 5 are those of the materials
    a.tariff = QLatin1String(m.tariff);
    a.packUnit = 12;
    a.sheet = withSheet(m) && colour == Preto ? QStringLiteral("S") : QStringLiteral("N");
    return a;
}

// A material of group "3" (or "2" with materials): code, name, kind, material type, unit, costs.
struct Material {
    const char* code;
    const char* name;
    const char* type;
    int kind; // value of level 1 of its group
    int colour;
    int materialType;
    const char* unit;
    double standard, average, lastEntry;
    const char* family;
};

// The inks, packaging materials and the undyed acrylic yarn the costing
// screens were first shown with (their costs are what those screens show).
const Material kCostingMaterials[] = {
    {"TIN.CIANO", "Tinta Reactiva Ciano", "6", 5, Ciano, 21, "Kg", 9.5, 9.8, 10.2, "TINTAS"},
    {"TIN.MAGENTA", "Tinta Reactiva Magenta", "6", 5, Magenta, 21, "Kg", 9.5, 9.7, 0.0, "TINTAS"},
    {"TIN.AMARELO", "Tinta Reactiva Amarelo", "6", 5, Amarelo, 21, "Kg", 9.0, 0.0, 0.0, "TINTAS"},
    {"TIN.PRETO", "Tinta Pigmento Preto", "6", 6, Preto, 22, "Kg", 8.0, 8.4, 8.6, "TINTAS"},
    {"TIN.BRANCO", "Tinta Pigmento Branco", "6", 6, Branco, 22, "Kg", 0.0, 0.0, 0.0, "TINTAS"},
    {"EMB.SACO3040", "Saco Polipropileno 30x40", "8", Embalagem, 0, 120, "Und", 0.05, 0.045, 0.044,
     "EMBALAGENS"},
    {"EMB.SACO2025", "Saco Polipropileno 20x25", "8", Embalagem, 0, 120, "Und", 0.03, 0.0, 0.03,
     "EMBALAGENS"},
    {"EMB.SEDA5070", "Papel de Seda 50x70", "8", Embalagem, Branco, 122, "Und", 0.03, 0.0, 0.0, "EMBALAGENS"},
    {"EMB.CXOFERTA", "Caixa de Oferta 35x25x5", "8", Embalagem, 0, 121, "Und", 0.65, 0.62, 0.0, "EMBALAGENS"},
    {"EMB.FITA", "Fita de Cetim 10 mm", "8", Embalagem, Bordeaux, 123, "Mt", 2.0, 1.25, 0.0, "EMBALAGENS"},
    {"EMB.CARTAO", "Cartão de Embalagem", "8", Embalagem, 0, 121, "Und", 0.0, 0.0, 0.0, "EMBALAGENS"},
    {"FIO.ACR2/28", "Fio Acrílico 2/28", "6", 1, Cru, 41, "Kg", 6.2, 6.1, 6.3, "FIOS"},
};

// Further inks, fabrics, labels, threads, fringes, hangers, packaging,
// merchandise, services, piecework, semi-finished goods and sundries.
const Material kSupplies[] = {
    {"TIN.VERMELHO", "Tinta Reactiva Vermelho", "6", 5, Vermelho, 21, "Kg", 9.6, 9.6, 9.7, "TINTAS"},
    {"TIN.AZUL", "Tinta Reactiva Azul Marinho", "6", 5, AzulMarinho, 21, "Kg", 9.9, 10.1, 10.3, "TINTAS"},
    {"TIN.VERDE", "Tinta Pigmento Verde Garrafa", "6", 6, VerdeGarrafa, 22, "Kg", 8.3, 8.2, 8.5, "TINTAS"},
    {"TIN.BORDEAUX", "Tinta Pigmento Bordeaux", "6", 6, Bordeaux, 22, "Kg", 8.6, 8.6, 8.8, "TINTAS"},
    {"TEC.POL.PRE", "Tecido Polar 150 cm Preto", "6", 7, Preto, 100, "Mt", 3.4, 3.3, 3.5, "TECIDOS"},
    {"TEC.POL.CIN", "Tecido Polar 150 cm Cinzento", "6", 7, Cinzento, 100, "Mt", 3.4, 3.4, 3.4, "TECIDOS"},
    {"TEC.POL.AZM", "Tecido Polar 150 cm Azul Marinho", "6", 7, AzulMarinho, 100, "Mt", 3.4, 3.5, 3.6,
     "TECIDOS"},
    {"TEC.POL.BEG", "Tecido Polar 150 cm Bege", "6", 7, Bege, 100, "Mt", 3.4, 3.2, 3.3, "TECIDOS"},
    {"TEC.VIS.CRU", "Tecido Viscose 140 cm Cru", "6", 8, Cru, 101, "Mt", 4.1, 4.0, 4.2, "TECIDOS"},
    {"TEC.VIS.PRE", "Tecido Viscose 140 cm Preto", "6", 8, Preto, 101, "Mt", 4.6, 4.5, 4.6, "TECIDOS"},
    {"TEC.VIS.BEG", "Tecido Viscose 140 cm Bege", "6", 8, Bege, 101, "Mt", 4.6, 4.7, 4.8, "TECIDOS"},
    {"TEC.VIS.BOR", "Tecido Viscose 140 cm Bordeaux", "6", 8, Bordeaux, 101, "Mt", 4.6, 4.6, 4.6, "TECIDOS"},
    {"ETQ.TEC.MARCA", "Etiqueta Tecida de Marca 50x20", "8", Etiqueta, Preto, 1, "Und", 0.04, 0.04, 0.038,
     "ACESSORIOS"},
    {"ETQ.TEC.MARCA2", "Etiqueta Tecida Marca Bordeaux 50x20", "8", Etiqueta, Bordeaux, 1, "Und", 0.045,
     0.044, 0.045, "ACESSORIOS"},
    {"ETQ.IMP.COMP", "Etiqueta Impressa de Composição", "8", Etiqueta, Branco, 2, "Und", 0.012, 0.012, 0.011,
     "ACESSORIOS"},
    {"ETQ.IMP.CUID", "Etiqueta Impressa Cuidados Lavagem", "8", Etiqueta, Branco, 2, "Und", 0.012, 0.013,
     0.013, "ACESSORIOS"},
    {"ETQ.IMP.LOTE", "Etiqueta Impressa de Lote", "8", Etiqueta, Branco, 2, "Und", 0.008, 0.0, 0.008,
     "ACESSORIOS"},
    {"ETQ.CAR.MARCA", "Etiqueta Cartolina de Marca", "8", Etiqueta, Camel, 11, "Und", 0.06, 0.06, 0.058,
     "ACESSORIOS"},
    {"ETQ.CAR.COLEC", "Etiqueta Cartolina da Coleção", "8", Etiqueta, Cru, 11, "Und", 0.07, 0.0, 0.07,
     "ACESSORIOS"},
    {"ETQ.TAG.PRECO", "Tag de Preço com Fio", "8", Etiqueta, Branco, 12, "Und", 0.02, 0.02, 0.02,
     "ACESSORIOS"},
    {"ETQ.TAG.CODBAR", "Tag de Código de Barras", "8", Etiqueta, Branco, 12, "Und", 0.015, 0.015, 0.014,
     "ACESSORIOS"},
    {"ETQ.TAG.CLIENTE", "Tag de Preço do Cliente", "8", Etiqueta, Branco, 12, "Und", 0.025, 0.0, 0.0,
     "ACESSORIOS"},
    {"LIN.P120.PRE", "Linha Poliéster 120 Preto", "8", Linha, Preto, 45, "Und", 1.8, 1.75, 1.8, "ACESSORIOS"},
    {"LIN.P120.BRA", "Linha Poliéster 120 Branco", "8", Linha, Branco, 45, "Und", 1.8, 1.8, 1.8,
     "ACESSORIOS"},
    {"LIN.P120.CIN", "Linha Poliéster 120 Cinzento", "8", Linha, Cinzento, 45, "Und", 1.8, 1.7, 1.8,
     "ACESSORIOS"},
    {"LIN.P120.AZM", "Linha Poliéster 120 Azul Marinho", "8", Linha, AzulMarinho, 45, "Und", 1.8, 1.8, 1.85,
     "ACESSORIOS"},
    {"LIN.P120.VER", "Linha Poliéster 120 Vermelho", "8", Linha, Vermelho, 45, "Und", 1.8, 1.8, 1.8,
     "ACESSORIOS"},
    {"LIN.P120.BEG", "Linha Poliéster 120 Bege", "8", Linha, Bege, 45, "Und", 1.8, 1.8, 1.8, "ACESSORIOS"},
    {"LIN.REM.CRU", "Linha de Remalhar Cru", "8", Linha, Cru, 45, "Und", 2.4, 2.35, 2.4, "ACESSORIOS"},
    {"FRJ.TOR10.PRE", "Franja Torcida 10 cm Preto", "8", Franja, Preto, 140, "Mt", 0.9, 0.88, 0.9,
     "ACESSORIOS"},
    {"FRJ.TOR10.CIN", "Franja Torcida 10 cm Cinzento", "8", Franja, Cinzento, 140, "Mt", 0.9, 0.9, 0.92,
     "ACESSORIOS"},
    {"FRJ.TOR10.BEG", "Franja Torcida 10 cm Bege", "8", Franja, Bege, 140, "Mt", 0.9, 0.9, 0.9, "ACESSORIOS"},
    {"FRJ.TOR10.BOR", "Franja Torcida 10 cm Bordeaux", "8", Franja, Bordeaux, 140, "Mt", 0.9, 0.0, 0.9,
     "ACESSORIOS"},
    {"FRJ.NOS15.CRU", "Franja de Nós 15 cm Cru", "8", Franja, Cru, 141, "Mt", 1.2, 1.15, 1.2, "ACESSORIOS"},
    {"FRJ.NOS15.PRE", "Franja de Nós 15 cm Preto", "8", Franja, Preto, 141, "Mt", 1.2, 1.2, 1.25,
     "ACESSORIOS"},
    {"CAB.PLA.CACHECOL", "Cabide Plástico p/ Cachecol", "8", Cabide, Preto, 160, "Und", 0.09, 0.085, 0.09,
     "ACESSORIOS"},
    {"CAB.PLA.GORRO", "Cabide Plástico p/ Gorro", "8", Cabide, Preto, 160, "Und", 0.07, 0.07, 0.068,
     "ACESSORIOS"},
    {"CAB.CAR.CACHECOL", "Cabide Cartão p/ Cachecol", "8", Cabide, Camel, 161, "Und", 0.05, 0.05, 0.05,
     "ACESSORIOS"},
    {"CAB.CAR.GORRO", "Cabide Cartão p/ Gorro", "8", Cabide, Camel, 161, "Und", 0.04, 0.0, 0.04,
     "ACESSORIOS"},
    {"EMB.CXGORRO", "Caixa Oferta Gorro 25x25x12", "10", Embalagem, Preto, 121, "Und", 0.55, 0.54, 0.56,
     "EMBALAGENS"},
    {"EMB.CXXAILE", "Caixa Oferta Xaile 40x30x6", "10", Embalagem, Preto, 121, "Und", 0.72, 0.7, 0.72,
     "EMBALAGENS"},
    {"EMB.SACOKRAFT", "Saco Kraft com Asas 32x40", "10", Embalagem, Camel, 120, "Und", 0.18, 0.18, 0.17,
     "EMBALAGENS"},
    {"EMB.SACOORG", "Saco de Organza 20x30", "10", Embalagem, Branco, 120, "Und", 0.12, 0.0, 0.12,
     "EMBALAGENS"},
    {"EMB.SEDA.LOGO", "Papel de Seda com Logótipo", "10", Embalagem, Branco, 122, "Und", 0.05, 0.05, 0.05,
     "EMBALAGENS"},
    {"EMB.CX10", "Caixa de Cartão de 10 Unidades", "10", Embalagem, 0, 121, "Und", 0.35, 0.34, 0.35,
     "EMBALAGENS"},
    {"MER.LUV.AC.PRE", "Luvas de Malha Acrílico Preto", "2", Mercadoria, Preto, 0, "Par", 1.9, 1.85, 1.95,
     "MERCADORIAS"},
    {"MER.LUV.AC.CIN", "Luvas de Malha Acrílico Cinzento", "2", Mercadoria, Cinzento, 0, "Par", 1.9, 1.9, 1.9,
     "MERCADORIAS"},
    {"MER.MEI.LA.BEG", "Meias de Lã Bege", "2", Mercadoria, Bege, 0, "Par", 2.6, 2.6, 2.7, "MERCADORIAS"},
    {"MER.PORTACHAVES", "Porta-Chaves com Pompom", "2", Mercadoria, Vermelho, 0, "Und", 0.8, 0.0, 0.8,
     "MERCADORIAS"},
    {"SRV.BORDADO", "Bordado de Logótipo (Subcontrato)", "3", Servico, 0, 0, "Und", 1.1, 0, 0, "SERVICOS"},
    {"SRV.REMALHAR", "Remalhar (Subcontrato)", "3", Servico, 0, 0, "Und", 0.65, 0, 0, "SERVICOS"},
    {"SRV.TINTURARIA", "Tinturaria de Fio", "3", Servico, 0, 0, "Kg", 2.8, 0, 0, "SERVICOS"},
    {"SRV.ESTAMPAR", "Estampagem Digital (Subcontrato)", "3", Servico, 0, 0, "Mt", 3.2, 0, 0, "SERVICOS"},
    {"SRV.VAPORIZAR", "Vaporização (Subcontrato)", "3", Servico, 0, 0, "Und", 0.15, 0, 0, "SERVICOS"},
    {"SRV.FELTRAGEM", "Feltragem de Boinas", "3", Servico, 0, 0, "Und", 0.9, 0, 0, "SERVICOS"},
    {"SRV.TRANSPORTE", "Transporte Nacional", "3", Servico, 0, 0, "Und", 12.0, 0, 0, "SERVICOS"},
    {"SRV.DESENHO", "Desenho de Padrão", "3", Servico, 0, 0, "Und", 25.0, 0, 0, "SERVICOS"},
    {"FEI.CONF.GORRO", "Feitio de Confecção de Gorro", "5", Feitio, 0, 0, "Und", 0.45, 0, 0, "SERVICOS"},
    {"FEI.CONF.CACHEC", "Feitio de Confecção de Cachecol", "5", Feitio, 0, 0, "Und", 0.35, 0, 0, "SERVICOS"},
    {"FEI.FRANJAS", "Feitio de Colocação de Franjas", "5", Feitio, 0, 0, "Und", 0.25, 0, 0, "SERVICOS"},
    {"SEM.PAINEL.JAC", "Painel Jacquard Cru 180x70", "7", SemiLaborado, Cru, 0, "Und", 3.1, 3.0, 0,
     "CACHECOIS"},
    {"SEM.MALHA.CAN", "Malha Canelada Acrílico em Rolo", "7", SemiLaborado, Cru, 0, "Kg", 8.4, 8.2, 0,
     "CACHECOIS"},
    {"SEM.POMPOM.PRE", "Pompom de Lã Preto", "7", SemiLaborado, Preto, 0, "Und", 0.3, 0.3, 0, "GORROS"},
    {"SEM.POMPOM.BEG", "Pompom de Lã Bege", "7", SemiLaborado, Bege, 0, "Und", 0.3, 0.28, 0, "GORROS"},
    {"DIV.AGULHA7G", "Agulhas para Tear 7G (Caixa 100)", "9", Diverso, 0, 0, "Cx", 38.0, 37.5, 38.0,
     "DIVERSOS"},
    {"DIV.OLEO", "Óleo para Teares de Malha", "9", Diverso, 0, 0, "Lt", 6.5, 6.4, 6.6, "DIVERSOS"},
    {"DIV.TESOURA", "Tesoura de Corte Industrial", "9", Diverso, 0, 0, "Und", 24.0, 0, 24.0, "DIVERSOS"},
    {"DIV.CATALOGO", "Catálogo da Coleção", "11", Diverso, 0, 0, "Und", 2.5, 2.5, 2.5, "DIVERSOS"},
    {"DIV.MOSTRUARIO", "Mostruário de Cores de Fios", "11", Diverso, 0, 0, "Und", 15.0, 0, 15.0, "DIVERSOS"},
    {"DIV.EXPOSITOR", "Expositor de Balcão para Gorros", "11", Diverso, 0, 0, "Und", 42.0, 0, 0, "DIVERSOS"},
};

Article material(const Material& m) {
    Article a;
    a.code = QLatin1String(m.code);
    a.name = QString::fromUtf8(m.name);
    a.type = QLatin1String(m.type);
    a.family = QLatin1String(m.family);
    a.custom[0] = m.kind;
    a.custom[1] = m.colour;
    a.materialType = m.materialType;
    a.unit = QLatin1String(m.unit);
    a.standardCost = m.standard;
    a.averageCost = m.average;
    a.lastEntryPrice = m.lastEntry;
    if (m.materialType == 100)
        a.width = 150;
    else if (m.materialType == 101)
        a.width = 140;
    if (a.type == QLatin1String("2")) {
        a.price = cents(m.standard * 2.2);
        a.commission = 1;
    }
    if (a.type != QLatin1String("3") && a.type != QLatin1String("5")) {
        a.minimum = a.unit == QLatin1String("Kg") ? 5 : 50;
        a.reorder = a.minimum * 2;
        a.maximum = a.minimum * 10;
    }
    return a;
}

// Dyed yarns: kind (level 1 of group "2"), count (level 3), Nm, material type, cost.
struct Yarn {
    const char* code; // "FIO." + this + "." + colour
    const char* name;
    int material, count, nm, materialType;
    double cost;
    const char* tariff;
    int composition;
};
const Yarn kYarns[] = {
    {"ACR2/28", "Fio Acrílico 2/28", 1, 1, 28, 41, 6.2, "55093200", 1},
    {"ACR2/32", "Fio Acrílico 2/32", 1, 2, 32, 41, 6.6, "55093200", 1},
    {"MER2/48", "Fio Lã Merino 2/48", 2, 3, 48, 42, 24.5, "51071000", 2},
    {"MER2/28", "Fio Lã Merino 2/28", 2, 1, 28, 42, 22.0, "51071000", 2},
    {"ALG2/32", "Fio Algodão 2/32", 3, 2, 32, 43, 9.8, "52054200", 3},
    {"VIS1/15", "Fio Viscose 1/15", 4, 4, 15, 44, 7.4, "55103000", 4},
};
const int kYarnColours[] = {Preto, Branco, Cinzento, AzulMarinho, Vermelho, VerdeGarrafa, Camel};

Article yarn(const Yarn& y, int colour, int n) {
    Article a;
    a.code = colour ? QStringLiteral("FIO.%1.%2").arg(QLatin1String(y.code), colourCode(colour))
                    : QStringLiteral("FIO.%1").arg(QLatin1String(y.code));
    a.name = QString::fromUtf8(y.name) + (colour ? QLatin1Char(' ') + colourName(colour) : QString());
    a.type = QStringLiteral("6");
    a.family = QStringLiteral("FIOS");
    a.custom = {y.material, colour ? colour : int(Cru), y.count, 0, 0, 0, 0, 0, 0};
    a.materialType = y.materialType;
    a.unit = QStringLiteral("Kg");
    a.yarnCount = y.nm;
    // Dyed yarn costs a little more; the average and last prices wander around it.
    a.standardCost = cents(y.cost + (colour ? 0.45 : 0.0));
    a.averageCost = cents(a.standardCost * (0.97 + 0.01 * (n % 5)));
    a.lastEntryPrice = cents(a.standardCost * (0.98 + 0.01 * (n % 4)));
    a.composition = y.composition;
    a.tariff = QLatin1String(y.tariff);
    a.minimum = 20;
    a.reorder = 40;
    a.maximum = 300;
    return a;
}

Article sample(const char* code, const char* name, int kind, int material, int finish, double length,
               double width, double cost) {
    Article a;
    a.code = QLatin1String(code);
    a.name = QString::fromUtf8(name);
    a.type = QStringLiteral("4");
    a.family = QStringLiteral("AMOSTRAS");
    a.custom = {kind, 0, 0, material, finish, 2, 0, 0, 0};
    a.length = length;
    a.width = width;
    a.standardCost = cost;
    a.vat = 4;
    a.composition = material;
    return a;
}

// The base of the colour and size grid: exactly 12 characters.
const QString kGridBase = QStringLiteral("CHC.LA.LISO.");

QList<Article> demoArticles() {
    QList<Article> out;
    for (const Material& m : kCostingMaterials) {
        Article a = material(m);
        if (a.code == QLatin1String("FIO.ACR2/28")) {
            a = yarn(kYarns[0], 0, 0);
            a.standardCost = m.standard;
            a.averageCost = m.average;
            a.lastEntryPrice = m.lastEntry;
        }
        out << a;
    }
    for (const Model& m : kModels)
        for (int c = Preto; c <= Mostarda; ++c)
            out << product(m, c);
    int n = 0;
    for (const Yarn& y : kYarns)
        for (int c : kYarnColours)
            out << yarn(y, c, ++n);
    for (const Material& m : kSupplies)
        out << material(m);
    out << sample("AMO.CHC.001", "Amostra Cachecol Jacquard Alta Def.", 1, 1, 3, 180, 30, 6.5)
        << sample("AMO.CHC.002", "Amostra Cachecol Xadrez 180x30", 1, 1, 4, 180, 30, 5.8)
        << sample("AMO.GOR.001", "Amostra Gorro Canelado com Pompom", 5, 1, 8, 22, 24, 3.9)
        << sample("AMO.ECH.001", "Amostra Echarpe Estampagem Digital", 2, 4, 6, 200, 70, 7.2);

    // The grid: four colours in three sizes of the plain merino scarf.
    const int gridColours[] = {Preto, Cinzento, AzulMarinho, Camel};
    const char* const gridSizes[] = {"150x30", "180x30", "200x35"};
    const int sizeValues[] = {7, 4, 8};
    for (int c = 0; c < 4; ++c)
        for (int s = 0; s < 3; ++s) {
            Article a = product(kModels[0], gridColours[c]);
            a.code = kGridBase + QStringLiteral("%1%2")
                                     .arg(c + 1, 2, 10, QLatin1Char('0'))
                                     .arg(s + 1, 2, 10, QLatin1Char('0'));
            a.name = QStringLiteral("Cachecol Merino Liso %1 %2")
                         .arg(colourName(gridColours[c]), QLatin1String(gridSizes[s]));
            a.base = kGridBase;
            a.colour = colourName(gridColours[c]);
            a.size = QLatin1String(gridSizes[s]);
            a.custom[2] = sizeValues[s];
            a.length = 150 + 25 * s;
            a.sheet = QStringLiteral("N");
            out << a;
        }
    return out;
}

QString typeCentre(const Article& a) {
    const Family& f = family(a.family);
    if (a.type == QLatin1String("2"))
        return QLatin1String(f.merchandise);
    if (a.type == QLatin1String("3") || a.type == QLatin1String("5"))
        return QLatin1String(f.services);
    return QLatin1String(f.centre);
}

// Every column of ARTIGOSCLS for one article.
QVariantMap articleRow(const Article& a, int index, const QDate& today, double stock) {
    const bool variant = !a.base.isEmpty();
    const bool product = a.type == QLatin1String("1");
    const bool service = a.type == QLatin1String("3");
    const QDateTime opened(QDate(today.year() - 1, 1, 15).addDays(index % 300), QTime(0, 0));
    const double prices[] = {a.price, cents(a.price * 0.95), cents(a.price * 0.9), cents(a.price * 1.6)};
    const double vatRates[] = {23, 13, 6, 0};
    const double cost = a.averageCost > 0 ? a.averageCost : a.standardCost;
    QVariantMap r{{QStringLiteral("CODIGO"), a.code},
                  {QStringLiteral("CCUSTO"), typeCentre(a)},
                  {QStringLiteral("DESIGNACAO"), a.name},
                  {QStringLiteral("TIPOARTIGO"), a.type},
                  {QStringLiteral("FAMILIA"), a.family},
                  {QStringLiteral("UNVENDA"), a.unit},
                  {QStringLiteral("UNCOMPRA"), a.unit},
                  {QStringLiteral("UNCONV"), a.unit},
                  {QStringLiteral("FACTCONV"), 1.0},
                  {QStringLiteral("PESO"), a.weight},
                  {QStringLiteral("VOLUME"), a.length * a.width * a.height / 1e6},
                  {QStringLiteral("COMPRIM"), a.length},
                  {QStringLiteral("LARGURA"), a.width},
                  {QStringLiteral("ALTURA"), a.height},
                  {QStringLiteral("CODIVA"), a.vat},
                  {QStringLiteral("DESCONTINUADO"), QStringLiteral("N")},
                  {QStringLiteral("POSPAUTAL"), a.tariff},
                  {QStringLiteral("NROFOTOS"), 0},
                  {QStringLiteral("MEDIDAS"), QStringLiteral("S")},
                  {QStringLiteral("GRELHA"), variant ? QStringLiteral("S") : QStringLiteral("N")},
                  {QStringLiteral("CODIGOGRELHA"), variant ? 1 : 0},
                  {QStringLiteral("COMISSAO"), a.commission},
                  {QStringLiteral("COMPOSICAO"), a.composition},
                  {QStringLiteral("CORDES"), variant ? QVariant(a.colour) : QVariant()},
                  {QStringLiteral("TAMDES"), variant ? QVariant(a.size) : QVariant()},
                  {QStringLiteral("PTOENC"), a.reorder},
                  {QStringLiteral("STKMIN"), a.minimum},
                  {QStringLiteral("STKMAX"), a.maximum},
                  {QStringLiteral("ROTURA"), QStringLiteral("N")},
                  {QStringLiteral("DTABERTURA"), opened},
                  {QStringLiteral("PMCUSTO"), a.averageCost},
                  {QStringLiteral("PULENTRA"), a.lastEntryPrice},
                  {QStringLiteral("CUSTOPADRAO"), a.standardCost},
                  {QStringLiteral("EXIQTD"), stock},
                  {QStringLiteral("EXIVAL"), cents(stock * cost)},
                  {QStringLiteral("DESIGNACAO1"), a.name},
                  {QStringLiteral("QTDCALCULO"), product ? 1.0 : 0.0},
                  {QStringLiteral("FICTEC"), a.sheet},
                  {QStringLiteral("FICHABASE"), variant ? a.base : QString()},
                  {QStringLiteral("NEFIO"), a.yarnCount},
                  {QStringLiteral("VALOR_CUP"), cents(stock * a.standardCost)},
                  {QStringLiteral("VALOR_PUE"), cents(stock * a.lastEntryPrice)},
                  {QStringLiteral("VALOR_PMC"), cents(stock * a.averageCost)},
                  {QStringLiteral("USA_EXIST"), service ? QStringLiteral("N") : QStringLiteral("S")},
                  {QStringLiteral("CONJUNTO"), QStringLiteral("N")},
                  {QStringLiteral("CORBASE"), 0},
                  {QStringLiteral("CORBARRA"), 0},
                  {QStringLiteral("MEDIDA"), 0},
                  {QStringLiteral("GRAMAGEM"), 0},
                  {QStringLiteral("CODBARRAS"), product ? QVariant(ean13(index)) : QVariant()},
                  {QStringLiteral("UNIEMB"), a.packUnit},
                  {QStringLiteral("UTIL_ABERTURA"), kDemoUser},
                  {QStringLiteral("TIPOMAT"), a.materialType}};
    for (int n = 0; n < 4; ++n) {
        r.insert(QStringLiteral("PRECO%1").arg(n + 1), prices[n]);
        r.insert(QStringLiteral("PRECOIVA%1").arg(n + 1), cents(prices[n] * (1 + vatRates[a.vat - 1] / 100)));
    }
    for (int n = 0; n < 9; ++n)
        r.insert(QStringLiteral("CUSTOM%1").arg(n + 1), a.custom[n]);
    return r;
}

bool insertMaps(db::Database& db, const QString& table, const QStringList& columns,
                const QList<QVariantMap>& rows, QString* error) {
    QList<Row> values;
    for (const QVariantMap& m : rows) {
        Row row;
        for (const QString& c : columns)
            row << m.value(c);
        values << row;
    }
    return insertRows(db, table, columns, values, error);
}

// Stock per warehouse: the opening stock of every dyed yarn and of two
// scarf and hat models in the finished goods warehouse this year; the
// quoted black scarves in the main warehouse too, and their last year
// (whose closing stock is this year's opening).
struct Stock {
    QString article;
    int warehouse;
    double opening, now;
    int yearsBack = 0;
};
QList<Stock> demoStock() {
    QList<Stock> out;
    int n = 0;
    for (const Yarn& y : kYarns)
        for (int c : kYarnColours) {
            const QString code = QStringLiteral("FIO.%1.%2").arg(QLatin1String(y.code), colourCode(c));
            const double opening = 20 + 15 * (++n % 6);
            out << Stock{code, 1, opening,
                         code == QLatin1String("FIO.MER2/48.AZM") ? opening + 50 - 12 : opening};
        }
    for (const char* model : {"CHCLA01", "GORAC01"})
        for (int c = Preto; c <= Mostarda; ++c)
            out << Stock{QStringLiteral("%1.%2").arg(QLatin1String(model), colourCode(c)), 2,
                         double(12 * (c % 4)), double(12 * (c % 4))};
    out << Stock{QStringLiteral("CHCLA01.PRE"), 1, 60, 35}
        << Stock{QStringLiteral("CHCLA01.PRE"), 1, 80, 60, 1}
        << Stock{QStringLiteral("CHCLA01.PRE"), 2, 36, 24, 1}
        << Stock{QStringLiteral("CHCAC01.PRE"), 1, 150, 90} << Stock{QStringLiteral("CHCAC01.PRE"), 3, 40, 40}
        << Stock{QStringLiteral("CHCAC01.PRE"), 1, 200, 150, 1};
    return out;
}

bool insertArticles(db::Database& factura, const QDate& today, QString* error) {
    const QList<Stock> stock = demoStock();
    QList<QVariantMap> rows;
    int index = 0;
    for (const Article& a : demoArticles()) {
        double quantity = 0;
        for (const Stock& s : stock)
            if (s.article == a.code && s.yearsBack == 0)
                quantity += s.now;
        rows << articleRow(a, ++index, today, quantity);
    }
    QList<Row> warehouses;
    for (const Stock& s : stock) {
        const QVariantMap& row = *std::find_if(rows.cbegin(), rows.cend(), [&s](const QVariantMap& r) {
            return r.value(QStringLiteral("CODIGO")).toString() == s.article;
        });
        const double cost = row.value(QStringLiteral("PMCUSTO")).toDouble() > 0
                                ? row.value(QStringLiteral("PMCUSTO")).toDouble()
                                : row.value(QStringLiteral("CUSTOPADRAO")).toDouble();
        warehouses << Row{s.article,
                          QString::number(today.year() - s.yearsBack),
                          s.warehouse,
                          s.opening,
                          cents(s.opening * cost),
                          s.now,
                          cents(s.now * cost)};
    }
    return insertMaps(factura, QStringLiteral("ARTIGOSCLS"), articles::artigosClsTable().columnNames(), rows,
                      error) &&
           insertRows(factura, QStringLiteral("STKARTGARMZ"),
                      QStringLiteral("ARTIGO,ANO,CODIGO,EXIQTD00,EXIVAL00,EXIQTD,EXIVAL"), warehouses, error);
}

bool insertClassification(db::Database& factura, QString* error) {
    // Products and samples take group "1", yarns, inks and fabrics "2", the rest "3".
    Row parcustom{"1"};
    for (int type = 1; type <= 11; ++type)
        parcustom << (type == 1 || type == 4 ? "1" : type == 6 ? "2" : "3");
    parcustom << "PORTUGAL"
              << "N";
    // Automatic codes: the reduced codes, then a sequence of 4, 3 and 4 digits.
    const int seqStart[] = {9, 6, 4}, digits[] = {4, 3, 4};
    QStringList columns{QStringLiteral("CODIGO")};
    for (int n = 1; n <= 11; ++n)
        columns << QStringLiteral("GRUPOTIPO%1").arg(n);
    columns << QStringLiteral("PAISBASE") << QStringLiteral("REFARTIGO");
    for (const char* prefix : {"SEQREFINI", "REFDIG", "REFER"})
        for (int g = 1; g <= 9; ++g) {
            columns << QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(g);
            const bool used = g <= 3;
            if (QLatin1String(prefix) == QLatin1String("REFER"))
                parcustom << (used ? "S" : "N");
            else
                parcustom << (used ? (QLatin1String(prefix) == QLatin1String("SEQREFINI") ? seqStart[g - 1]
                                                                                          : digits[g - 1])
                                   : 0);
        }
    QList<Row> groups, values;
    for (const Level& l : levels()) {
        groups << Row{l.group, l.level, QString::fromUtf8(l.caption), l.seqRef, l.perCountry, l.refer};
        for (int i = 0; i < l.count; ++i) {
            const Value& v = l.values[i];
            const QString name = QString::fromUtf8(v.name);
            values << Row{l.group, "PORTUGAL", l.level, i + 1, name, v.reducedCode, name};
            if (QLatin1String(l.perCountry) == QLatin1String("S") && v.spanish)
                values << Row{l.group,
                              "ESPANHA",
                              l.level,
                              i + 1,
                              QString::fromUtf8(v.spanish),
                              v.reducedCode,
                              QString::fromUtf8(v.spanish)}
                       << Row{l.group,
                              QStringLiteral("FRANÇA"),
                              l.level,
                              i + 1,
                              QString::fromUtf8(v.french),
                              v.reducedCode,
                              QString::fromUtf8(v.french)};
        }
    }
    return insertRows(factura, QStringLiteral("PARCUSTOM"), columns, {parcustom}, error) &&
           insertRows(factura, QStringLiteral("PARGRUPOS"),
                      QStringLiteral("TABGRUPO,TABCOD,TABNOM,SEQREF,PAIS,REFER"), groups, error) &&
           insertRows(factura, QStringLiteral("CUSTARTG"),
                      QStringLiteral("TABGRUPO,PAIS,TABCOD,CODIGO,DESIGNACAO,REDUZCODIGO,REDUZDESIGN"),
                      values, error);
}

bool insertReferenceTables(db::Database& factura, QString* error) {
    QList<Row> families;
    for (const Family& f : kFamilies) {
        const QString sales = QLatin1String(f.salesAccount);
        families << Row{f.name,
                        f.margin,
                        f.centre,
                        f.merchandise,
                        f.services,
                        sales,
                        sales + QLatin1Char('7'),
                        QStringLiteral("682") + sales.right(1)};
    }
    QList<Row> vat;
    int code = 0;
    for (double rate : {23.0, 13.0, 6.0, 0.0}) {
        ++code;
        vat << Row{code, rate, QStringLiteral("24331%1").arg(code), QStringLiteral("24332%1").arg(code),
                   code};
    }
    return insertRows(
               factura, QStringLiteral("FAMILIAS"),
               QStringLiteral("FAMILIA,MARGEMCOM,CCUSTO,CCUSTOMERC,CCUSTOSERV,CONTAVENDAS,CONTADEVOLUCOES,"
                              "CONTADESCONTOS"),
               families, error) &&
           insertRows(factura, QStringLiteral("IVA"),
                      QStringLiteral("CODIGO,PRCIVA,CONTAVENDAS,CONTADEVOLUC,CODIVA"), vat, error) &&
           insertRows(factura, QStringLiteral("COMISSOES"), QStringLiteral("CODIGO,PRCCOM"),
                      {{1, 2.5}, {2, 5.0}, {3, 7.5}, {4, 10.0}}, error) &&
           insertRows(factura, QStringLiteral("PPAUTAL"), QStringLiteral("CODIGO,DESIGN,MLIQUIDA"),
                      {{"61171000", "Xailes, echarpes e cachecóis de malha", "S"},
                       {"62142000", "Xailes e cachecóis de lã, tecidos", "S"},
                       {"62143000", "Xailes e cachecóis de fibras sintéticas", "S"},
                       {"62144000", "Xailes e cachecóis de fibras artificiais", "S"},
                       {"62149000", "Xailes e cachecóis de outras matérias", "S"},
                       {"65050090", "Chapéus e gorros de malha", "S"},
                       {"55093200", "Fios de fibras acrílicas, retorcidos", "S"},
                       {"51071000", "Fios de lã penteada", "S"},
                       {"52054200", "Fios de algodão penteado, retorcidos", "S"},
                       {"55103000", "Fios de fibras artificiais descontínuas", "S"}},
                      error) &&
           insertRows(factura, QStringLiteral("ARTGCOMP"),
                      QStringLiteral("CODIGO,DESIGNACAO,REDUZCODIGO,REDUZDESIGN"),
                      {{1, "100% Acrílico", "AC100", "100% Acrílico"},
                       {2, "100% Lã Merino", "LM100", "100% Lã Merino"},
                       {3, "100% Algodão", "AL100", "100% Algodão"},
                       {4, "100% Viscose", "VI100", "100% Viscose"},
                       {5, "50% Lã 50% Acrílico", "LA50AC", "50% Lã, 50% Acrílico"},
                       {6, "100% Poliéster", "PL100", "100% Poliéster"},
                       {7, "70% Viscose 30% Seda", "VI70SE", "70% Viscose, 30% Seda"}},
                      error) &&
           insertRows(factura, QStringLiteral("PAISES"), QStringLiteral("PAIS"),
                      {{"PORTUGAL"},
                       {"ESPANHA"},
                       {QStringLiteral("FRANÇA")},
                       {"ALEMANHA"},
                       {"ITALIA"},
                       {"REINO UNIDO"}},
                      error);
}

bool insertSuppliers(db::Database& factura, QString* error) {
    return insertRows(factura, QStringLiteral("FORNECEDORES"),
                      QStringLiteral("CODIGO,NOME,SIGLA,MORADA1,MORADA2,CODPOSTAL,MOEDA,CNDPGT"),
                      {{1, "Fiação do Ave, S.A.", "FIACAO AVE", "Rua da Fiação, 120", "Santo Tirso",
                        "4780-453", "EUR", 60},
                       {2, "Lanifícios da Serra, Lda.", "LANIF SERRA", "Av. dos Lanifícios, 8", "Covilhã",
                        "6200-001", "EUR", 90},
                       {3, "Tintas Têxteis do Norte, Lda.", "TINTAS NORTE", "Zona Industrial, Lote 14",
                        "Guimarães", "4835-044", "EUR", 60},
                       {4, "Etiquetas e Acessórios do Minho, Lda.", "ETIQ MINHO", "Rua das Oficinas, 33",
                        "Barcelos", "4750-250", "EUR", 30},
                       {5, "Embalagens do Litoral, S.A.", "EMB LITORAL", "Estrada Nacional 109, km 4", "Ovar",
                        "3880-102", "EUR", 60},
                       {6, "Filature Lyonnaise S.A.R.L.", "FIL LYON", "12 Rue de la Soie", "Lyon", "69001",
                        "EUR", 60},
                       {7, "Yorkshire Wool Mills Ltd.", "YORKSHIRE", "Mill Lane, 4", "Bradford", "BD1 4AB",
                        "GBP", 30}},
                      error) &&
           insertRows(
               factura, QStringLiteral("STKARTGFORN"),
               QStringLiteral(
                   "CODARTG,CODFORN,NOME,VOSREF,PRECO,PRECO_MOE,PRCDESC,QUALID,PRAZO,DESCQTD1,"
                   "DESCPRCDESC1,DESCQTD2,DESCPRCDESC2,FABRICANTE,CODFABRIC,DESIGNACAO,VOS_MATERIAL"),
               {{"FIO.ACR2/28", 1, "Fiação do Ave, S.A.", "ACR-228-CRU", 6.3, 6.3, 0.0, "A", 15, 500.0, 2.0,
                 1000.0, 3.5, "FIACAO AVE", "ACR228", "Fio Acrílico Nm 2/28 Cru", "Cone de 1,25 kg"},
                {"FIO.ACR2/28", 6, "Filature Lyonnaise S.A.R.L.", "AC2-28-ECRU", 6.45, 6.45, 1.0, "A", 30,
                 800.0, 2.5, QVariant(), QVariant(), "FIL LYON", "AC228E", "Fil Acrylique Nm 2/28 Écru",
                 "Bobine 1 kg"},
                {"FIO.MER2/48.AZM", 2, "Lanifícios da Serra, Lda.", "M248-NAVY", 24.9, 24.9, 0.0, "A", 21,
                 200.0, 1.5, QVariant(), QVariant(), "LANIF SERRA", "MER248AZM",
                 "Fio Merino Extrafino 2/48 Azul Marinho", "Cone de 1 kg"},
                {"FIO.MER2/48.AZM", 7, "Yorkshire Wool Mills Ltd.", "YW-248-NV", 25.6, 21.8, 0.0, "B", 45,
                 QVariant(), QVariant(), QVariant(), QVariant(), "YORKSHIRE", "248NV",
                 "Merino Yarn 2/48 Navy", "Cone 1 kg"},
                {"TIN.CIANO", 3, "Tintas Têxteis do Norte, Lda.", "TR-CIANO-5", 10.2, 10.2, 0.0, "A", 8, 50.0,
                 3.0, QVariant(), QVariant(), "TINTAS NORTE", "TRC5", "Tinta Reactiva Ciano (Balde 5 kg)",
                 "Balde de 5 kg"},
                {"ETQ.TEC.MARCA", 4, "Etiquetas e Acessórios do Minho, Lda.", "ETM-5020", 0.038, 0.038, 0.0,
                 "A", 20, 10000.0, 5.0, 50000.0, 8.0, "ETIQ MINHO", "ETM5020", "Etiqueta Tecida 50x20 Preta",
                 "Rolo de 1000"},
                {"EMB.CXOFERTA", 5, "Embalagens do Litoral, S.A.", "CXO-35255", 0.62, 0.62, 0.0, "A", 10,
                 1000.0, 4.0, QVariant(), QVariant(), "EMB LITORAL", "CXO35255", "Caixa Oferta 35x25x5 Kraft",
                 "Fardo de 100"}},
               error);
}

bool insertPricesAndCountries(db::Database& factura, QString* error) {
    QList<Row> prices;
    for (const char* code : {"CHCLA01.PRE", "CHCLA01.CIN", "GORLA01.AZM"}) {
        const Model& m = QLatin1String(code).startsWith(QLatin1String("CHC")) ? kModels[0] : kModels[10];
        prices << Row{code, "USD", cents(m.price * 1.08)} << Row{code, "GBP", cents(m.price * 0.85)}
               << Row{code, "CHF", cents(m.price * 0.94)};
    }
    return insertRows(factura, QStringLiteral("ARTIGOSMOE"), QStringLiteral("ARTIGO,MOEDA,PRECO"), prices,
                      error) &&
           insertRows(factura, QStringLiteral("ARTIGOSPAIS"), QStringLiteral("ARTIGO,PAIS,DESIGNACAO"),
                      {{"CHCLA01.PRE", "ESPANHA", "Bufanda Lana Merino Lisa Negro"},
                       {"CHCLA01.PRE", QStringLiteral("FRANÇA"), "Écharpe Laine Mérinos Unie Noir"},
                       {"CHCLA01.CIN", "ESPANHA", "Bufanda Lana Merino Lisa Gris"},
                       {"GORLA01.AZM", "ESPANHA", "Gorro Lana Merino Vuelta Azul Marino"},
                       {"GORLA01.AZM", QStringLiteral("FRANÇA"), "Bonnet Laine Mérinos Revers Marine"},
                       {"GORLA01.AZM", "REINO UNIDO", "Merino Turn-up Beanie Navy"}},
                      error);
}

// What keeps articles from deletion: an article invoiced three times, one
// ordered, one with stock movements.
bool insertUsage(db::Database& factura, const QDate& today, QString* error) {
    const QDateTime day(today.addDays(-20), QTime(0, 0));
    QList<Row> invoices;
    for (int n = 1; n <= 3; ++n)
        invoices << Row{"FAC", 2000 + n, 1, "CHCAC01.AZM", 9.8, 50.0 * n, 0, 9.8 * 50 * n};
    return insertRows(factura, QStringLiteral("FACMOVDET"),
                      QStringLiteral("TIPDOC,DOCNRO,DETAIL,ARTIGO,PRECOVENDA,QUANTID,ENCOMENDA,VAL_VENDA"),
                      invoices, error) &&
           insertRows(factura, QStringLiteral("ENCCLIMAS"), QStringLiteral("ENCNRO,CLINRO,DATAENC"),
                      {{1001, 3, QDateTime(today.addDays(-10), QTime(0, 0))}}, error) &&
           insertRows(
               factura, QStringLiteral("ENCCLIDET"),
               QStringLiteral("ENCNRO,DETAIL,ARTIGO,DATAENTRG,ANO,SEMANA,PRECOVENDA,QUANTID,UNVEND,MARGEMPRC,"
                              "ORCNRO,TOTENT,VALLIQUIDO,VALLIQCAR,QTDCAR"),
               {{1001, 1, "GORAC02.VER", QDateTime(today.addDays(30), QTime(0, 0)),
                 QString::number(today.year()), today.addDays(30).weekNumber(), 7.5, 240.0, "Und", 32.0, 0,
                 "N", 1800.0, 0.0, 0.0}},
               error) &&
           insertRows(factura, QStringLiteral("STKMOV"),
                      QStringLiteral("MOVNRO,ARTNRO,DATA,TRSCOD,ARMNRO,QUANTID,VALOR"),
                      {{1, "FIO.MER2/48.AZM", day, 10, 1, 50.0, 1245.0},
                       {2, "FIO.MER2/48.AZM", day.addDays(5), 20, 1, -12.0, -298.8}},
                      error);
}

// Currencies of this year and the last; the escudo only in the last.
bool insertCurrencies(db::Database& contab, int year, QString* error) {
    QList<Row> rows;
    for (int y : {year - 1, year})
        for (const auto& [currency, rate] :
             QList<QPair<const char*, double>>{{"EUR", 1.0}, {"USD", 1.08}, {"GBP", 0.85}, {"CHF", 0.94}})
            rows << Row{QString::number(y), currency, y == year ? rate : cents(rate * 1.02)};
    rows << Row{QString::number(year - 1), "ESC", 200.482};
    return insertRows(contab, QStringLiteral("cntpmoeda"), QStringLiteral("ANO,DESCRI,CAMBEURO"), rows,
                      error);
}

} // namespace

bool insertDemoArticles(db::Database& factura, db::Database& contab, const QDate& today, QString* error) {
    return factura.transaction(
               [&] {
                   return insertClassification(factura, error) && insertReferenceTables(factura, error) &&
                          insertArticles(factura, today, error) && insertSuppliers(factura, error) &&
                          insertPricesAndCountries(factura, error) && insertUsage(factura, today, error);
               },
               error) &&
           contab.transaction([&] { return insertCurrencies(contab, today.year(), error); }, error);
}

} // namespace corvane::setup
