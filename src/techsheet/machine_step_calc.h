#pragma once

// Machine steps: typed minutes, ultrasound minutes, the machine-time lines, the
// material line of a step, and the inks of printing.
#include "sheet_lines.h"
#include "work_rows.h"

#include <functional>
#include <optional>
#include <utility>

namespace corvane::techsheet {

// Typed minutes on leaving the time column: minutes rounded to whole ones are
// costed at CUSTOPADRAO rounded to 3 per hour (CUSTO rounded to 3); QTD keeps
// what was typed, QTD_SEMACERTO and TIPOPRD become 0. A time of 0 is refused.
bool costTypedMinutes(WorkMachineRow& row, Notes& notes);

// Ultrasound minutes for `mode` (1 or 2) by the row's production unit, with
// R the mode's rate and n the passages: "MTM" (metres a minute) runs
// ArticleLength (cm) / 100 / R × n minutes, "UPM" (units a minute) 1000 / R × n,
// the minutes of a thousand units; any other unit 0. QTD = set-up + run and
// QTD_SEMACERTO = run, both in minutes rounded to 2; CUSTO = QTD × PRECO (a
// price per minute) rounded to 3.
bool costUltrasound(WorkMachineRow& row, int mode, double articleLength, Notes& notes);

// What a machine step writes: which screen, the step code and the context.
enum class MachineScreen { Machines, Ultrasound, Printing };

// One machine-time line per ticked row, numbered from `detail`; a missing
// machine cost type writes none, with its message.
void machineTimeLines(MachineScreen screen, const QString& article, const QString& stepCode,
                      const std::vector<WorkMachineRow>& rows, const CostTypes& costTypes,
                      int machineCostType, int& detail, std::vector<FictecDetLine>& lines, Notes& notes);

// Refuses closing a machine step without a ticked machine.
bool checkMachineChosen(const std::vector<WorkMachineRow>& rows, Notes& notes);

// The message a machine screen opens with when the article's length or width is 0 (none otherwise).
void machineMeasuresNote(MachineScreen screen, double articleLength, double articleWidth, Notes& notes);

// A machine left unticked: its time, price, cost and time without set-up 0
// (on the ultrasound cut its mode too).
void untickMachine(WorkMachineRow& row, MachineScreen screen);

// Whether a typed-minute step takes a material (all but steaming "V").
bool machineStepHasMaterial(const QString& stepCode);
// The material types (TIPOMATERIAL.CODIGO) a typed-minute step offers, from and to.
std::pair<int, int> machineMaterialTypes(const QString& stepCode);
// "C" and "R" take one unit of their material at no price, and save at once.
bool freeMachineMaterial(const QString& stepCode);
// The questions "&Terminar" asks on a typed-minute step, in order, about a
// missing material, consumption or price; any answered no keeps the screen open.
QStringList machineClosingQuestions(const QString& stepCode, const MaterialEntry& material);

// The cost types of the material lines (PARGER), by step.
struct MaterialCostTypes {
    int YarnCostType = 0;
    int FringeCostType = 0;
    int LabelCostType = 0;
};

// Cost type of the material of a machine step; 0 on "V" (no material).
// The electric-saw step "S" takes the yarn cost type, as side seam and linking do.
int machineMaterialCostType(const QString& stepCode, const MaterialCostTypes& types);

// The material of a machine step once its article is chosen: on "C" and "R"
// quantity 1 and price 0; on "F" quantity FringeMeasure, unit "Cm" and the
// article price / 100; otherwise quantity 0 and the article price.
MaterialEntry machineMaterial(const QString& stepCode, const QString& code, const QString& designation,
                              const QString& purchaseUnit, double articlePrice, double fringeMeasure);

// The material line of a machine step (PRECO to 5 decimals, VALOR to 4).
bool machineMaterialLine(const QString& article, const QString& stepCode, const MaterialEntry& material,
                         const CostTypes& costTypes, const MaterialCostTypes& types, int& detail,
                         std::vector<FictecDetLine>& lines, Notes& notes);

// Printing inks: five rows, each an ink (an article of material types 21 to
// 40) with its share of the printed area.
constexpr int kInkRows = 5;
struct InkRow {
    QString code;
    QString designation;
    double percent = 0;  // share of the printed area
    double quantity = 0; // litres (unrounded)
    double price = 0;    // per purchase unit (UNCOMPRA: litre or kg)
    double cost = 0;     // quantity × price
};

// Decimals of an ink's price and of its values (per piece, an ink costs cents).
constexpr int kInkPriceDecimals = 5;
constexpr int kInkValueDecimals = 5;

// What an ink row is costed with: the area A (m²), the printed surface s (%)
// and PARGER.CONV_KGS_TINTAS k (litres per m² of printed surface).
struct InkCosting {
    double area = 0;
    double printSurfacePercent = 0;
    double convKgsTintas = 0;
};

// The piece's area A in m² = ArticleLength (cm) × ArticleWidth (cm) / 10000.
double printArea(double articleLength, double articleWidth);
// An ink's price: its price per purchase unit, to 5 decimals.
double inkPrice(double articlePrice);
// Costs an ink row: printed = A × s / 100 (m²), the ink's area = printed × p / 100,
// quantity = k × that area (litres, unrounded), cost = quantity × price rounded to 5.
void costInk(InkRow& ink, double area, double printSurfacePercent, double convKgsTintas);
void costInk(InkRow& ink, const InkCosting& c);

// The code of ink row n (1 to 5) as it is left. `found` is the ink of that
// code (code, designation and article price), none when it is not an ink.
// Empty: refused on row 1; on rows 2 to 5 accepted, the row cleared, when the
// rows that keep an ink share exactly 100 %. An ink already on another row is
// refused. An ink found takes its designation and its price per purchase unit
// (to 5 decimals, as the line keeps it), and is costed when it has a percent.
bool takeInkCode(std::vector<InkRow>& inks, int n, const QString& code, const MaterialEntry* found,
                 const InkCosting& c, Notes& notes);
// The percent of an ink row as it is left (`typed` empty: none): empty, 0 or
// above 100 refused; the row is costed when it has a price.
bool takeInkPercent(InkRow& ink, std::optional<double> typed, const InkCosting& c, Notes& notes);
// The price typed on an ink row (per purchase unit): empty or 0 refused; kept
// to 5 decimals, as the line keeps it, and the row costed.
bool takeInkPrice(InkRow& ink, std::optional<double> typed, const InkCosting& c, Notes& notes);
// The inks a printing machine proposes (MAQUINASMP CODIGOn, CONS_PERCn),
// each found ink priced and costed; `find` gives the ink of a code, or none.
void proposeInks(std::vector<InkRow>& inks, const std::vector<std::pair<QString, double>>& proposal,
                 const std::function<std::optional<MaterialEntry>(const QString&)>& find,
                 const InkCosting& c);
// An ink line read back as its row: the unrounded quantity the costing gives,
// when it gives what the line holds.
InkRow inkFromLine(const FictecDetLine& line, const InkCosting& c);

// The shares of the inks: a repeated ink, or more than 100 % in all, refused.
bool checkInkShares(const std::vector<InkRow>& inks, Notes& notes);
// Closing checks of printing: a ticked machine and inks of at most 100%.
bool checkPrintingClose(const std::vector<WorkMachineRow>& rows, const std::vector<InkRow>& inks,
                        Notes& notes);

// One ink line per row with a code (at most five), unit "Lts": QUANT and
// QUANT_FINAL (QF = QUANT + D × QUANT / 100, D the ink cost type's waste %)
// litres to 4 decimals, PRECO to 5, VALOR = litres × PRECO to 5, VALOR_FINAL =
// D × QF × PRECO / 100 + VALOR to 5; the litres taken unrounded throughout.
void inkLines(const QString& article, const QString& stepCode, const std::vector<InkRow>& inks,
              const CostTypes& costTypes, int inkCostType, int& detail, std::vector<FictecDetLine>& lines,
              Notes& notes);

inline const QString kNoInks = QStringLiteral("Não inseriu as Tintas .Deseja Continuar ?");

} // namespace corvane::techsheet
