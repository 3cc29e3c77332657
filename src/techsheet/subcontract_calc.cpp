#include "subcontract_calc.h"

#include "core/rounding.h"

#include <algorithm>

namespace corvane::techsheet {

QStringList subcontractClosingQuestions(const SubcontractEntry& entry) {
    QStringList questions;
    if (entry.SERVICO.isEmpty())
        questions << "Não inseriu o Serviço .Deseja Continuar ?";
    if (entry.materials.empty() || entry.materials.front().code.isEmpty())
        questions << "Não inseriu o Material .Deseja Continuar ?";
    return questions;
}

void subcontractLines(const QString& article, const QString& stepCode, const SubcontractEntry& entry,
                      const CostTypes& costTypes, int& detail, std::vector<FictecDetLine>& lines) {
    const TipoCusto* costType = findCostType(costTypes, kSubcontractCostType);
    if (!costType)
        return;
    auto add = [&](const MaterialEntry& m, const char* operacao) {
        appendLine(lines, materialLine(m, *costType, {2, 2}), article, detail, stepCode).OPERACAO = operacao;
    };
    add({entry.SERVICO, entry.serviceDesignation, "UND", 1, entry.PRECO, entry.PRECO}, "S");
    const std::size_t rows = std::min<std::size_t>(entry.materials.size(), 3);
    for (std::size_t r = 0; r < rows; ++r)
        if (!entry.materials[r].code.isEmpty())
            add(entry.materials[r], "N");
}

double fabricWidth(double fabricLARGURA) {
    return fabricLARGURA / 1000;
}

bool computeFabricLayout(FabricLayout& layout, double articleLength, double articleWidth, Notes& notes) {
    if (layout.ClothWidth == 0)
        return notes.refuse("Insira a Largura do Tecido ...");
    const QString fitting = layout.ClothFitting.toUpper();
    if (fitting != "C" && fitting != "L")
        return notes.refuse("Insira <L> para Largura ; <C> para Comprimento ...");
    layout.ClothFitting = fitting;
    const bool byLength = fitting == "C";
    if (layout.ClothPieces == 0)
        return notes.refuse(byLength ? "Insira o nº de peças para enquadramento pelo Comprimento ..."
                                     : "Insira o nº de peças para enquadramento pela Largura ...");
    layout.ClothMetres = layout.ClothPieces * (byLength ? articleLength : articleWidth);
    if (layout.ClothMetres != 0)
        layout.ClothMetres /= 1000;
    layout.consumption = layout.ClothWidth * layout.ClothMetres / layout.ClothPieces;
    layout.cost = layout.consumption * layout.price;
    return true;
}

bool fabricLine(const QString& article, int detail, const MaterialEntry& fabric, const CostTypes& costTypes,
                int clothCostType, FictecDetLine& line, Notes& notes) {
    const TipoCusto* costType = findCostType(costTypes, clothCostType);
    if (!costType) {
        notes.say("Ainda não parametrizou o Desperdício  ...");
        return false;
    }
    const double d = costType->DESPERD;
    const double qf = quantityWithWaste(fabric.quantity, d);
    line = costedLine(clothCostType, fabric.code, fabric.designation, fabric.unit);
    line.ARTIGO = article;
    line.DETAIL = detail;
    line.RELACFICTEC = "L";
    line.QUANT = roundTo(fabric.quantity, 4);
    line.PRECO = roundTo(fabric.price, 5);
    line.VALOR = roundTo(fabric.cost, 5);
    line.QUANT_FINAL = qf;
    line.VALOR_FINAL = roundTo(d * qf * fabric.price / 100 + fabric.cost, 5);
    line.TMPACE = 0;
    line.TMP_SEMACERTO = 0;
    line.OPERACAO = "N";
    return true;
}

} // namespace corvane::techsheet
