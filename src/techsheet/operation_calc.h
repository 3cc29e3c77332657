#pragma once

// Operation steps: design "H", hanger fitting "D", cardboard labels "I" and
// packaging "B" — the operation and packaging lines and their materials.
#include "sheet_lines.h"
#include "work_rows.h"

#include <optional>

namespace corvane::techsheet {

// Costs a ticked operation or packaging row: on "H" and "D" the time becomes
// OperationMinutes, otherwise the typed time stays; PRECO = CUSTOPADRAO and
// CUSTO = PRECO × QTD rounded to 3. A row without a typed time is refused.
bool costOperationRow(WorkArticleRow& row, const QString& stepCode, std::optional<double> typedTime,
                      double operationMinutes, Notes& notes);

// The cost types of the operation steps (PARGER CABIDE_TC and ETIQCART_TC);
// design takes 20 and packaging 40.
struct OperationCostTypes {
    int HangerCostType = 0;
    int CardLabelCostType = 0;
};
int operationCostType(const QString& stepCode, const OperationCostTypes& types);

// Refuses closing without a ticked row.
bool checkOperationChosen(const QString& stepCode, const std::vector<WorkArticleRow>& rows, Notes& notes);

// One operation or packaging line (OPERACAO "S", nothing rounded) for every
// ticked row with a time; rows whose cost type does not exist write none.
void operationLines(const QString& article, const QString& stepCode, const std::vector<WorkArticleRow>& rows,
                    const CostTypes& costTypes, const OperationCostTypes& types, int& detail,
                    std::vector<FictecDetLine>& lines);

// The material line of "D" and "I" (cost type of the step), or the packaging
// material lines of "B" (cost type 40), PRECO and VALOR rounded to 2. A
// missing cost type leaves the line out ("D"/"I" with their message).
void operationMaterialLines(const QString& article, const QString& stepCode,
                            const std::vector<MaterialEntry>& materials, const CostTypes& costTypes,
                            const OperationCostTypes& types, int& detail, std::vector<FictecDetLine>& lines,
                            Notes& notes);

} // namespace corvane::techsheet
