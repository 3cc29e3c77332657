#include "operation_calc.h"

#include "core/rounding.h"

#include <algorithm>

namespace corvane::techsheet {

namespace {

constexpr int kDesignCostType = 20;
constexpr int kPackagingCostType = 40;

} // namespace

bool costOperationRow(WorkArticleRow& row, const QString& stepCode, std::optional<double> typedTime,
                      double operationMinutes, Notes& notes) {
    row.OK = "S";
    const bool sheetTime = stepCode == "H" || stepCode == "D";
    if (!typedTime || (!sheetTime && *typedTime < 0)) // a negative time is no time either
        return notes.refuse("Introduza o tempo da operação ...");
    row.QTD = sheetTime ? operationMinutes : *typedTime;
    row.PRECO = row.CUSTOPADRAO;
    row.CUSTO = roundTo(row.PRECO * row.QTD, 3);
    return true;
}

int operationCostType(const QString& stepCode, const OperationCostTypes& types) {
    if (stepCode == "H")
        return kDesignCostType;
    if (stepCode == "D")
        return types.HangerCostType;
    if (stepCode == "I")
        return types.CardLabelCostType;
    return kPackagingCostType;
}

void operationMinutesNote(const QString& stepCode, double operationMinutes, Notes& notes) {
    if ((stepCode == "H" || stepCode == "D") && operationMinutes == 0)
        notes.say(QStringLiteral("Não vai poder seleccionar nenhuma Operação, use a tecla <CANCELAR> ..."));
}

bool operationStepHasMaterial(const QString& stepCode) {
    return stepCode != "H";
}

std::pair<int, int> operationMaterialTypes(const QString& stepCode) {
    return stepCode == "D" ? std::pair{160, 179} : std::pair{11, 20};
}

QStringList operationClosingQuestions(const QString& stepCode, const std::vector<MaterialEntry>& materials) {
    const QString noMaterial = QStringLiteral("Não inseriu o Material .Deseja Continuar ?");
    if (!operationStepHasMaterial(stepCode))
        return {};
    if (materials.empty() || materials.front().code.isEmpty())
        return {noMaterial};
    if (stepCode == "B")
        return {};
    QStringList out;
    if (materials.front().quantity == 0)
        out << QStringLiteral("Não inseriu o consumo de Material .Deseja Continuar ?");
    if (materials.front().price == 0)
        out << QStringLiteral("Não inseriu o Custo de Material .Deseja Continuar ?");
    return out;
}

std::array<MaterialEntry, 3> proposedPackagingMaterials(const PackagingSubsidiaries& row) {
    std::array<MaterialEntry, 3> out;
    for (std::size_t n = 0; n < out.size(); ++n) {
        const MaterialEntry& m = row.materials[n];
        if (m.code.trimmed().isEmpty())
            continue;
        out[n] = m;
        out[n].cost = m.quantity * m.price;
    }
    return out;
}

bool checkOperationChosen(const QString& stepCode, const std::vector<WorkArticleRow>& rows, Notes& notes) {
    if (std::any_of(rows.begin(), rows.end(), [](const auto& r) { return r.ticked(); }))
        return true;
    return notes.refuse(stepCode == "B"
                            ? "Não seleccionou nenhum tipo de Operação de Embalagem, reveja tudo de novo ..."
                            : "Não seleccionou nenhum tipo de Operação, reveja tudo de novo ...");
}

bool checkPackagingCostType(const QString& stepCode, const CostTypes& costTypes, Notes& notes) {
    return stepCode != "B" || findCostType(costTypes, kPackagingCostType) || notes.refuse(kNoCostType);
}

void operationLines(const QString& article, const QString& stepCode, const std::vector<WorkArticleRow>& rows,
                    const CostTypes& costTypes, const OperationCostTypes& types, int& detail,
                    std::vector<FictecDetLine>& lines) {
    const int code = operationCostType(stepCode, types);
    const TipoCusto* costType = findCostType(costTypes, code);
    if (!costType)
        return;
    for (const auto& row : rows) {
        if (!row.ticked() || row.QTD == 0)
            continue;
        FictecDetLine& line = appendLine(lines, costedLine(code, row.CODIGO, row.DESIGNACAO, row.UNCOMPRA),
                                         article, detail, stepCode);
        line.QUANT = row.QTD;
        line.PRECO = row.PRECO;
        line.VALOR = row.CUSTO;
        line.QUANT_FINAL = row.QTD + row.QTD * costType->DESPERD / 100;
        line.VALOR_FINAL = row.PRECO * line.QUANT_FINAL;
        line.OPERACAO = "S";
    }
}

void operationMaterialLines(const QString& article, const QString& stepCode,
                            const std::vector<MaterialEntry>& materials, const CostTypes& costTypes,
                            const OperationCostTypes& types, int& detail, std::vector<FictecDetLine>& lines,
                            Notes& notes) {
    if (stepCode == "H")
        return;
    const bool packaging = stepCode == "B";
    const TipoCusto* costType = findCostType(costTypes, operationCostType(stepCode, types));
    const std::size_t rows = std::min<std::size_t>(materials.size(), packaging ? 3 : 1);
    for (std::size_t r = 0; r < rows; ++r) {
        if (materials[r].code.isEmpty())
            continue;
        if (!costType) {
            if (!packaging)
                notes.say("Ainda não parametrizou o Desperdício dos Materiais ...");
            continue;
        }
        appendLine(lines, materialLine(materials[r], *costType, {2, 2}), article, detail, stepCode);
    }
}

} // namespace corvane::techsheet
