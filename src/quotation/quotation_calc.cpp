#include "quotation_calc.h"

#include "techsheet/step_lines.h"

#include "core/rounding.h"

namespace corvane::quotation {

namespace {

constexpr int kQualityCostType = 4;

// A percent of the sale value, given when the level has a quantity and a
// positive sale value; rounded to 2 (commissions and discounts).
void percentCharges(std::initializer_list<PercentCharge*> charges, const Levels& quantities, const Levels& v,
                    Levels& total) {
    total = {};
    for (PercentCharge* c : charges)
        for (std::size_t i = 0; i < 3; ++i) {
            double value = 0;
            if (quantities[i] > 0 && v[i] > 0)
                value = c->PERC * v[i] / 100;
            c->VALTOT[i] = roundTo(value, 2);
            total[i] += c->VALTOT[i];
        }
}

// A percent of a positive sale value, replaced by the fixed amount when there
// is one, on levels with a quantity; rounded to 2 (transport, payment).
void fixedOrPercentCharges(std::initializer_list<FixedOrPercentCharge*> charges, const Levels& quantities,
                           const Levels& v, Levels& total) {
    total = {};
    for (FixedOrPercentCharge* c : charges)
        for (std::size_t i = 0; i < 3; ++i) {
            double value = 0;
            if (quantities[i] > 0) {
                if (v[i] > 0 && c->PERC > 0)
                    value = c->PERC * v[i] / 100;
                if (c->VALFIXO > 0)
                    value = c->VALFIXO;
            }
            c->VALTOT[i] = roundTo(value, 2);
            total[i] += c->VALTOT[i];
        }
}

double fixedSum(const Quotation& q) {
    return q.cndpgt.CNDPGT.VALFIXO + q.cndpgt.PRZ.VALFIXO + q.cndpgt.DESC.VALFIXO + q.transp.METEXP.VALFIXO +
           q.transp.SEG.VALFIXO + q.transp.DESP.VALFIXO;
}

} // namespace

UnitCosts buildUnitCosts(const std::vector<FictecDetLine>& rows, const CostTypes& costTypes,
                         const Levels& quantities, Notes& notes, const QString& sheetKind) {
    UnitCosts u;
    for (const auto& row : rows) {
        const techsheet::TipoCusto* type = techsheet::findCostType(costTypes, row.TIPO);
        if (!type) {
            notes.say(QString("Tipo de Custo Inexistente : %1").arg(row.TIPO));
            continue;
        }
        const int k = type->CLAS_ORC;
        if (k <= 0 || k > 7) {
            notes.say(QString("Tipo de Custo %1 mal parametrizado !!!").arg(row.TIPO));
            continue;
        }
        switch (k) {
        case 1:
            u.M += row.VALOR;
            break;
        case 2: {
            const double perMinute =
                techsheet::lineRate(row.RELACFICTEC, sheetKind) == techsheet::MachineRate::PerHour
                    ? row.PRECO / 60
                    : row.PRECO;
            for (std::size_t i = 0; i < 3; ++i)
                if (quantities[i] > 0)
                    u.Tr[i] +=
                        perMinute * (row.TMPACE.value_or(0) + row.TMP_SEMACERTO.value_or(0) * quantities[i]);
            break;
        }
        case 3:
            u.F += row.VALOR;
            break;
        case 5:
            u.s = row.QUANT;
            break;
        case 6:
            u.E += row.VALOR;
            break;
        case 7:
            u.C += row.VALOR;
            break;
        default:
            break;
        }
        if (row.TIPO == kQualityCostType)
            u.QL += row.VALOR;
        if (type->DESPERD != 0)
            u.W += type->DESPERD * row.VALOR / 100;
    }
    return u;
}

std::array<LevelCost, 3> levelCosts(const UnitCosts& unit, const Levels& quantities, bool chargeFixedCosts) {
    std::array<LevelCost, 3> levels{};
    for (std::size_t i = 0; i < 3; ++i) {
        const double q = quantities[i];
        if (!(q > 0))
            continue;
        LevelCost& c = levels[i];
        c.Mat = q * unit.M;
        c.Tra = unit.Tr[i];
        c.Fix = chargeFixedCosts ? unit.F : 0;
        c.Was = q * unit.W;
        c.Qua = q * unit.QL;
        c.Sub = q * unit.C;
        c.Pac = roundTo(q * unit.E, 2);
        const double base = c.Mat + c.Tra + c.Fix + c.Was + c.Qua + c.Sub + c.Pac;
        c.Str = unit.s != 0 ? unit.s * base / 100 : 0;
        c.Base = c.Mat + c.Tra + c.Fix + c.Was + c.Qua + c.Str + c.Sub + c.Pac;
    }
    return levels;
}

double percentSum(const Quotation& q) {
    return q.com.VND.PERC + q.com.AGT.PERC + q.com.ROY.PERC + q.transp.METEXP.PERC + q.transp.SEG.PERC +
           q.transp.DESP.PERC + q.cndpgt.CNDPGT.PERC + q.cndpgt.PRZ.PERC + q.cndpgt.DESC.PERC +
           q.desc.PRECO.PERC + q.desc.QTD.PERC + q.mas.MARGEMLIQ;
}

bool calculateQuotation(Quotation& q, const UnitCosts& unit, LevelValues& values, Notes& notes) {
    const bool marginMode = q.mode == PriceMode::Margin;
    const double P = percentSum(q);
    if (marginMode && P >= 100)
        return notes.refuse(
            "A soma das percentagens (comissões, encargos, descontos e margem) não pode atingir "
            "os 100% ...");
    const Levels& qty = q.mas.QUANT;
    values = LevelValues{};
    values.cost = levelCosts(unit, qty, q.mas.DESENHO == "S");

    // Sale value.
    const double K = fixedSum(q);
    const double p = P > 0 ? P / 100 : P;
    for (std::size_t i = 0; i < 3; ++i) {
        if (!(qty[i] > 0))
            continue; // level values are zero without a quantity, level 1 included
        if (!marginMode)
            values.V[i] = q.mas.PRECOCLI[i] > 0 ? q.mas.PRECOCLI[i] * qty[i] : 0;
        else
            values.V[i] = p > 0 ? (values.cost[i].Base + K) / (1 - p) : values.cost[i].Base + K;
    }

    // Charges, table after table.
    percentCharges({&q.com.VND, &q.com.AGT, &q.com.ROY}, qty, values.V, values.Com);
    fixedOrPercentCharges({&q.transp.METEXP, &q.transp.SEG, &q.transp.DESP}, qty, values.V, values.Trp);
    fixedOrPercentCharges({&q.cndpgt.CNDPGT, &q.cndpgt.PRZ, &q.cndpgt.DESC}, qty, values.V, values.Pag);
    percentCharges({&q.desc.PRECO, &q.desc.QTD}, qty, values.V, values.Dsc);

    // Margin, prices and the master row.
    for (std::size_t i = 0; i < 3; ++i) {
        values.Chg[i] = values.Com[i] + values.Trp[i] + values.Pag[i] + values.Dsc[i];
        const double v = values.V[i];
        const bool priced = qty[i] > 0 && v > 0;
        q.mas.VALORCLI[i] = priced ? roundTo(v, i == 2 ? 3 : 2) : 0;
        if (priced) {
            values.Mg[i] = marginMode ? v * q.mas.MARGEMLIQ / 100 : v - (values.Chg[i] + values.cost[i].Base);
            values.MgPerc[i] = values.Mg[i] * 100 / v;
        }
        if (!(qty[i] > 0)) {
            q.mas.PRCORC[i] = 0;
            q.mas.PRECOCLI[i] = 0;
        } else if (marginMode) {
            q.mas.PRCORC[i] =
                q.mas.VALORCLI[i] > 0 ? roundTo(q.mas.VALORCLI[i] / qty[i], q.priceDecimals) : 0;
            q.mas.PRECOCLI[i] = q.mas.PRCORC[i];
        }
    }
    return true;
}

OrcamTot closingTotals(const LevelValues& values, int currencyDecimals) {
    OrcamTot t;
    for (std::size_t i = 0; i < 3; ++i) {
        const LevelCost& c = values.cost[i];
        auto money = [currencyDecimals](double v) { return roundTo(v, currencyDecimals); };
        t.MATERIAIS[i] = money(c.Mat);
        t.TRANSFORM[i] = money(c.Tra);
        t.CUSTFIXOS[i] = money(c.Fix);
        t.SUBCONT[i] = money(c.Sub);
        t.DESPERDIC[i] = money(c.Was);
        t.QUALIDADE[i] = money(c.Qua);
        t.ESTRUTURA[i] = money(c.Str);
        t.EMBALAGEM[i] = money(c.Pac);
        t.COMISSOES[i] = money(values.Com[i]);
        t.TRANSPORT[i] = money(values.Trp[i]);
        t.CONDPAGAM[i] = money(values.Pag[i]);
        t.DESCONTOS[i] = money(values.Dsc[i]);
        t.MARGEMLIQ[i] = money(values.Mg[i]);
        t.MARGEMPRC[i] = roundTo(values.MgPerc[i], 1);
    }
    return t;
}

} // namespace corvane::quotation
