#include "weaving_calc.h"

#include "core/rounding.h"
#include "step_lines.h"

#include <algorithm>
#include <cmath>

namespace corvane::techsheet {

namespace {

const QString kRaportUndefined = QStringLiteral("Largura do Raport não está definida ...");
const QString kProductionUndefined = QStringLiteral("Produção do Tear não está definida ...");
const QString kCheckMeasures = QStringLiteral("Verifique medidas da máquina seleccionada...");

QString weftInvalid(int n) {
    return QString("Artigo-%1 da Trama Inválido !!!").arg(n);
}
QString weftUnknown(int n) {
    return QString("Artigo-%1 da Trama Inexistente : ").arg(n);
}
QString warpInvalid(int n) {
    return QString("Artigo-%1 da Teia de Baixo Inválido !!!").arg(n);
}
QString warpUnknown(int n) {
    return QString("Artigo-%1 da Teia de Baixo Inexistente : ").arg(n);
}

int totalPassages(const WeavingInput& input) {
    int total = 0;
    for (const auto& needle : input.weft)
        total += needle.count;
    return total;
}

void clearTime(WorkMachineRow& row) {
    row.QTD = 0;
    row.QTD_SEMACERTO = 0;
    row.PRECO = 0;
    row.CUSTO = 0;
}

// Checks the yarn code of a used position and returns its count (Nm), or
// nothing when the check refused.
const Yarn* positionYarn(const std::vector<Yarn>& yarns, const YarnPosition& pos, int n, bool weft,
                         Notes& notes) {
    return checkedYarn(yarns, pos.yarn, weft ? weftInvalid(n) : warpInvalid(n),
                       weft ? weftUnknown(n) : warpUnknown(n), notes);
}

// Consumption in kg rounded to 8 decimals; `measure` is the article width
// (weft) or length (warp) in cm, `divisor` the strips on the warp.
bool consumption(const Yarn& yarn, int count, double measure, double contraction, double divisor,
                 const QString& countText, const QString& measureText, double& kg, Notes& notes) {
    kg = 0;
    if (yarn.NEFIO <= 0)
        return notes.refuse(countText);
    if (measure < 1)
        return notes.refuse(measureText);
    kg = roundTo(count * (measure / 100) / yarn.NEFIO * (contraction / 100 + 1) / divisor / 1000, 8);
    if (kg == 0)
        return notes.refuse("Calculo de Consumo Errado, no Fio : " + yarn.CODIGO);
    return true;
}

} // namespace

bool checkWeftGiven(const WeavingInput& input, Notes& notes) {
    return std::any_of(input.weft.begin(), input.weft.end(),
                       [](const YarnPosition& p) { return p.count >= 1; }) ||
           notes.refuse(weftInvalid(1));
}

bool computeLooms(const WeavingInput& input, std::vector<WorkMachineRow>& looms, LoomChoice& choice,
                  Notes& notes) {
    if (input.ArticleWidth == 0)
        return notes.refuse("Largura do Artigo não está definida ...");
    const int passages = totalPassages(input);
    for (auto& row : looms) {
        const bool ticked = row.ticked();
        if (row.LARG_RAPORT == 0) {
            if (ticked)
                return notes.refuse(kRaportUndefined);
            clearTime(row); // nothing to divide by: the row stays uncomputed
            continue;
        }
        const double raports = std::trunc(row.LARGURA / row.LARG_RAPORT);
        const double perRaport = std::trunc(row.LARG_RAPORT / input.ArticleWidth);
        const double strips = raports * perRaport / 10;
        if (strips == 0) {
            if (ticked)
                return notes.refuse(kCheckMeasures);
            continue;
        }
        if (ticked) {
            if (strips != std::trunc(strips))
                return notes.refuse(kCheckMeasures);
            choice.LoomRaports = QString::number(raports);
            choice.LoomStrips = QString::number(strips);
            choice.strips = static_cast<int>(strips);
        }
        if (row.production() == 0) {
            if (ticked)
                return notes.refuse(kProductionUndefined);
            clearTime(row);
            continue;
        }
        // One pick crosses every strip across the loom: the passages of one
        // piece weave `strips` pieces at once, so a piece takes its share.
        const double running = passages / row.production() / strips;
        row.QTD_SEMACERTO = roundTo(running, 2);
        row.QTD = roundTo(row.setUp() + running, 2);
        row.RAPORT = static_cast<int>(raports);
        row.FITAS = strips;
        row.PRECO = row.CUSTOPADRAO;
        row.CUSTO = roundTo(row.QTD * row.PRECO, 2);
    }
    return true;
}

bool computeWeft(const WeavingInput& input, const std::vector<Yarn>& yarns, std::array<double, 8>& kg,
                 Notes& notes) {
    kg.fill(0);
    for (int i = 0; i < 8; ++i) {
        const auto& needle = input.weft[static_cast<std::size_t>(i)];
        if (needle.count < 1)
            continue;
        const Yarn* yarn = positionYarn(yarns, needle, i + 1, true, notes);
        if (!yarn)
            return false;
        if (!consumption(*yarn, needle.count, input.ArticleWidth, input.ContractionPercent, 1,
                         "Na Trama, o Fio : " + yarn->CODIGO + " o Nºmétrico do Fio está errado",
                         "Largura de Consumo Inválida, no Artigo : " + input.ArticleCode,
                         kg[static_cast<std::size_t>(i)], notes))
            return false;
    }
    return true;
}

bool computeWarp(const WeavingInput& input, const std::vector<Yarn>& yarns,
                 const std::vector<WorkMachineRow>& looms, int strips, std::array<double, 8>& kg,
                 Notes& notes) {
    kg.fill(0);
    bool anyColour = false;
    for (const auto& colour : input.warp)
        anyColour = anyColour || colour.count >= 1;
    if (!anyColour)
        return true;
    if (tickedCount(looms) != 1 || strips <= 0)
        return notes.refuse(kMachineCountRefused);
    for (int i = 0; i < 8; ++i) {
        const auto& colour = input.warp[static_cast<std::size_t>(i)];
        if (colour.count < 1)
            continue;
        const Yarn* yarn = positionYarn(yarns, colour, i + 1, false, notes);
        if (!yarn)
            return false;
        if (!consumption(*yarn, colour.count, input.ArticleLength, input.ContractionPercent, strips,
                         "Na Teia, o Fio : " + yarn->CODIGO + " o Nº métrico do Fio está errado",
                         "Comprimento de Consumo Inválida, no Artigo : " + input.ArticleCode,
                         kg[static_cast<std::size_t>(i)], notes))
            return false;
    }
    return true;
}

WeavingResult computeWeaving(const WeavingInput& input, std::vector<WorkMachineRow>& looms,
                             const std::vector<Yarn>& yarns) {
    WeavingResult result;
    if (computeLooms(input, looms, result.choice, result.notes) &&
        computeWeft(input, yarns, result.weftKg, result.notes))
        computeWarp(input, yarns, looms, result.choice.strips, result.warpKg, result.notes);
    return result;
}

bool weavingLoomLine(const WeavingInput& input, const std::vector<WorkMachineRow>& looms,
                     const CostTypes& costTypes, int machineCostType, int& detail,
                     std::vector<FictecDetLine>& lines, Notes& notes) {
    if (tickedCount(looms) != 1)
        return notes.refuse(kMachineCountRefused);
    const TipoCusto* costType = findCostType(costTypes, machineCostType);
    if (!costType) {
        notes.say("Ainda não parametrizou o Desperdício das Máquinas ...");
        return true;
    }
    for (const auto& row : looms) {
        if (!row.ticked())
            continue;
        appendLine(lines,
                   machineTimeLine(row, machineCostType, costType->DESPERD, MachineRate::PerMinute,
                                   WasteForm::Factor),
                   input.ArticleCode, detail, "T");
    }
    return true;
}

bool weavingYarnLines(const WeavingInput& layout, const std::array<double, 8>& weftKg,
                      const std::array<double, 8>& warpKg, const std::vector<Yarn>& yarns,
                      const CostTypes& costTypes, int yarnCostType, int& detail,
                      std::vector<FictecDetLine>& lines, Notes& notes) {
    for (int side = 0; side < 2; ++side) {
        const bool weft = side == 0;
        for (int i = 0; i < 8; ++i) {
            const auto idx = static_cast<std::size_t>(i);
            const YarnPosition& pos = weft ? layout.weft[idx] : layout.warp[idx];
            if (pos.count <= 0)
                continue;
            const Yarn* yarn = positionYarn(yarns, pos, i + 1, weft, notes);
            if (!yarn)
                return false;
            const TipoCusto* costType = findCostType(costTypes, yarnCostType);
            if (!costType) {
                notes.say("Ainda não parametrizou o Desperdício do Fio ...");
                continue;
            }
            FictecDetLine& line = appendLine(
                lines, yarnLine(*yarn, weft ? weftKg[idx] : warpKg[idx], yarnCostType, costType->DESPERD, 7),
                layout.ArticleCode, detail, "G");
            line.TECELAGEM = yarnPosition(weft ? "TR" : "TE", i + 1);
            line.FACTCONV = 1000;
        }
    }
    return true;
}

} // namespace corvane::techsheet
