#pragma once

// Technical-sheet lines (FICTECDET), cost types (TIPOCUSTO) and the rules every
// step shares: line numbering, waste, and the messages a step reports.
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace corvane::techsheet {

// One FICTECDET row. TMPACE and TMP_SEMACERTO stay empty (null) on the lines
// whose step leaves them so.
struct FictecDetLine {
    int TIPO = 0;
    QString ARTIGO;
    int DETAIL = 0;
    QString RELACFICTEC;
    QString CODIGOMP;
    QString DESIGN;
    QString UNIDADE;
    double QUANT = 0;
    double PRECO = 0;
    double VALOR = 0;
    QString TECELAGEM;
    double QUANT_FINAL = 0;
    double VALOR_FINAL = 0;
    std::optional<double> TMPACE;
    std::optional<double> TMP_SEMACERTO;
    QString FAMILIA;
    double PERC_IMPR = 0;
    QString OPERACAO;
    double FACTCONV = 0;
};

// One TIPOCUSTO row: waste percent and budget class of a cost type.
struct TipoCusto {
    int CODIGO = 0;
    double DESPERD = 0;
    int CLAS_ORC = 0;
};

using CostTypes = std::vector<TipoCusto>;

const TipoCusto* findCostType(const CostTypes& costTypes, int code);

// A step whose lines all take a cost type that does not exist refuses to close.
inline const QString kNoCostType = QStringLiteral("Ainda não parametrizou o Tipo de Custo ...");

// Messages of a calculation in the order a screen shows them. A refusal is a
// message after which the calculation stops.
struct Notes {
    QStringList messages;
    bool refused = false;

    void say(const QString& text) { messages << text; }
    // Records the refusal and returns false, so callers can `return notes.refuse(...)`.
    bool refuse(const QString& text) {
        messages << text;
        refused = true;
        return false;
    }
};

// The article price PARGER.TIPOPRECO chooses: "CUP" standard cost, "PMC"
// average cost, "PUE" last entry price, any other 0.
double priceByBasis(const QString& basis, double standard, double average, double lastEntry);

// Greatest DETAIL of the article's lines plus one (1 for an article without lines).
int nextDetail(const std::vector<FictecDetLine>& articleLines);

// A line of cost type `tipo` for what is consumed: code, designation, unit.
FictecDetLine costedLine(int tipo, const QString& code, const QString& design, const QString& unit);

// Gives `line` the article, the next line number and the step code, appends it
// and returns the appended line.
FictecDetLine& appendLine(std::vector<FictecDetLine>& lines, FictecDetLine line, const QString& article,
                          int& detail, const QString& stepCode);

// Quantity with waste: q + d × q / 100 when d > 0, otherwise q (unrounded).
double quantityWithWaste(double quantity, double wastePercent);

// A consumed material as a step holds it: code, designation, unit, quantity,
// unit price and cost.
struct MaterialEntry {
    QString code;
    QString designation;
    QString unit;
    double quantity = 0;
    double price = 0;
    double cost = 0;
};

// A material's quantity as it is left: 0 refused; cost := quantity × price.
bool takeMaterialQuantity(MaterialEntry& material, double quantity, Notes& notes);
// A typed price: cost := quantity × price (a price of 0 is the caller's question).
void takeMaterialPrice(MaterialEntry& material, double price);
// A typed cost replaces the computed one; 0 is refused when `zeroRefused`.
bool takeMaterialCost(MaterialEntry& material, double cost, bool zeroRefused, Notes& notes);

// Material line as the machine, operation, packaging and subcontract steps
// write it: q = quantity rounded to 4, QUANT_FINAL = q with waste rounded to 4,
// VALOR_FINAL = D × QF × price / 100 + VALOR rounded to 2, set-up times 0.
// PRECO and VALOR are rounded to the decimals the step uses.
struct MaterialLineRounding {
    int priceDecimals = 2;
    int valueDecimals = 2;
};
FictecDetLine materialLine(const MaterialEntry& material, const TipoCusto& costType,
                           const MaterialLineRounding& rounding);

} // namespace corvane::techsheet
