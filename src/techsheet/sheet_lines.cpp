#include "sheet_lines.h"

#include "core/rounding.h"

#include <algorithm>

namespace corvane::techsheet {

const TipoCusto* findCostType(const CostTypes& costTypes, int code) {
    const auto it = std::find_if(costTypes.begin(), costTypes.end(),
                                 [code](const TipoCusto& t) { return t.CODIGO == code; });
    return it == costTypes.end() ? nullptr : &*it;
}

int nextDetail(const std::vector<FictecDetLine>& articleLines) {
    int greatest = 0;
    for (const auto& line : articleLines)
        greatest = std::max(greatest, line.DETAIL);
    return greatest + 1;
}

FictecDetLine costedLine(int tipo, const QString& code, const QString& design, const QString& unit) {
    FictecDetLine line;
    line.TIPO = tipo;
    line.CODIGOMP = code;
    line.DESIGN = design;
    line.UNIDADE = unit;
    return line;
}

FictecDetLine& appendLine(std::vector<FictecDetLine>& lines, FictecDetLine line, const QString& article,
                          int& detail, const QString& stepCode) {
    line.ARTIGO = article;
    line.DETAIL = detail++;
    line.RELACFICTEC = stepCode;
    lines.push_back(std::move(line));
    return lines.back();
}

double priceByBasis(const QString& basis, double standard, double average, double lastEntry) {
    if (basis == QLatin1String("CUP"))
        return standard;
    if (basis == QLatin1String("PMC"))
        return average;
    if (basis == QLatin1String("PUE"))
        return lastEntry;
    return 0;
}

bool takeMaterialQuantity(MaterialEntry& material, double quantity, Notes& notes) {
    if (quantity == 0)
        return notes.refuse(QStringLiteral("Insira a Quantidade de Consumo ..."));
    material.quantity = quantity;
    material.cost = quantity * material.price;
    return true;
}

void takeMaterialPrice(MaterialEntry& material, double price) {
    material.price = price;
    material.cost = material.quantity * price;
}

bool takeMaterialCost(MaterialEntry& material, double cost, bool zeroRefused, Notes& notes) {
    if (zeroRefused && cost == 0)
        return notes.refuse(QStringLiteral("Insira o Custo ..."));
    material.cost = cost;
    return true;
}

double quantityWithWaste(double quantity, double wastePercent) {
    return wastePercent > 0 ? quantity + wastePercent * quantity / 100 : quantity;
}

FictecDetLine materialLine(const MaterialEntry& material, const TipoCusto& costType,
                           const MaterialLineRounding& rounding) {
    const double d = costType.DESPERD;
    const double q = roundTo(material.quantity, 4);
    const double qf = quantityWithWaste(q, d);
    FictecDetLine line = costedLine(costType.CODIGO, material.code, material.designation, material.unit);
    line.QUANT = q;
    line.PRECO = roundTo(material.price, rounding.priceDecimals);
    line.VALOR = roundTo(material.cost, rounding.valueDecimals);
    line.QUANT_FINAL = roundTo(qf, 4);
    line.VALOR_FINAL = roundTo(d * qf * material.price / 100 + line.VALOR, 2);
    line.TMPACE = 0;
    line.TMP_SEMACERTO = 0;
    line.OPERACAO = "N";
    return line;
}

} // namespace corvane::techsheet
