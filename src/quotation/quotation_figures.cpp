#include "quotation_figures.h"

#include "core/rounding.h"

namespace corvane::quotation {

LevelFigures levelFigures(const OrcamTot& t, const OrcamMas& mas, int level, int currencyDecimals) {
    LevelFigures f;
    if (level < 1 || level > 3)
        return f;
    const std::size_t i = std::size_t(level - 1);
    f.materials = t.MATERIAIS[i];
    f.transformation = t.TRANSFORM[i];
    f.fixedCosts = t.CUSTFIXOS[i];
    f.waste = t.DESPERDIC[i];
    f.subcontracts = t.SUBCONT[i];
    f.quality = t.QUALIDADE[i];
    f.structure = t.ESTRUTURA[i];
    f.packaging = t.EMBALAGEM[i];
    // Sums of values already rounded: rounded again only to drop the binary remainder.
    f.base = roundTo(f.materials + f.transformation + f.fixedCosts + f.waste + f.subcontracts + f.packaging +
                         f.quality + f.structure,
                     currencyDecimals);
    f.commissions = t.COMISSOES[i];
    f.transport = t.TRANSPORT[i];
    f.payment = t.CONDPAGAM[i];
    f.discounts = t.DESCONTOS[i];
    f.commercial = roundTo(f.commissions + f.transport + f.payment + f.discounts, currencyDecimals);
    f.margin = t.MARGEMLIQ[i];
    f.marginPercent = t.MARGEMPRC[i];
    f.quotedPrice = mas.PRCORC[i];
    f.customerPrice = mas.PRECOCLI[i];
    f.orderTotal = roundTo(mas.VALORCLI[i], currencyDecimals);
    return f;
}

LevelFigures levelFigures(const LevelValues& values, const OrcamMas& mas, int level, int currencyDecimals) {
    return levelFigures(closingTotals(values, currencyDecimals), mas, level, currencyDecimals);
}

} // namespace corvane::quotation
