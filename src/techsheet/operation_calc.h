#pragma once

// Operation steps: design "H", hanger fitting "D", cardboard labels "I" and
// packaging "B" — the operation and packaging lines and their materials.
#include "sheet_lines.h"
#include "work_rows.h"

#include <array>
#include <optional>
#include <utility>

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

// The message the operations screen opens with on "H" and "D" when the sheet gives no time.
void operationMinutesNote(const QString& stepCode, double operationMinutes, Notes& notes);

// Whether an operation step takes a material ("D", "I" and packaging).
bool operationStepHasMaterial(const QString& stepCode);
// The material types (TIPOMATERIAL.CODIGO) of "D" (hangers) and "I" (cardboard labels), from and to.
std::pair<int, int> operationMaterialTypes(const QString& stepCode);
// The packaging materials are articles of these material types (the packaging
// types' subsidiary materials).
inline constexpr std::pair<int, int> kPackagingMaterialTypes{120, 139};

// The questions "&Terminar" asks, in order, about a missing material,
// consumption or price (on packaging only about material row 1); any
// answered no keeps the screen open.
QStringList operationClosingQuestions(const QString& stepCode, const std::vector<MaterialEntry>& materials);

// The materials a packaging type proposes (its EMBALAGEMMP row): rows 1 to 3
// with a code, each costing quantity × price.
struct PackagingSubsidiaries {
    QString CODIGO; // the packaging type's code, as its work row has it
    std::array<MaterialEntry, 3> materials;
};
std::array<MaterialEntry, 3> proposedPackagingMaterials(const PackagingSubsidiaries& row);

// Refuses closing without a ticked row.
bool checkOperationChosen(const QString& stepCode, const std::vector<WorkArticleRow>& rows, Notes& notes);
// Refuses closing the packaging ("B") while cost type 40 does not exist: it
// would write neither packaging nor material lines.
bool checkPackagingCostType(const QString& stepCode, const CostTypes& costTypes, Notes& notes);

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
