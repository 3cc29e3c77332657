#pragma once

// Machine steps: typed minutes, ultrasound minutes, the machine-time lines, the
// material line of a step, and the inks of printing.
#include "sheet_lines.h"
#include "work_rows.h"

#include <utility>

namespace corvane::techsheet {

// Typed minutes on leaving the time column: minutes rounded to whole ones are
// costed at CUSTOPADRAO rounded to 3 per hour (CUSTO rounded to 3); QTD keeps
// what was typed, QTD_SEMACERTO and TIPOPRD become 0. A time of 0 is refused.
bool costTypedMinutes(WorkMachineRow& row, Notes& notes);

// Ultrasound minutes for `mode` (1 or 2) by the row's production unit:
// "MTM" runs ArticleLength / R × n, "UPM" 1000 / R × n, any other 0.
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

// Printing inks.
struct InkRow {
    QString code;
    QString designation;
    double percent = 0;
    double quantity = 0;
    double price = 0; // S, per litre
    double cost = 0;
};

// The printed area A = ArticleLength × ArticleWidth / 100.
double printArea(double articleLength, double articleWidth);
// S := article price / CONV_KGS_TINTAS, rounded to 2 when `rounded`.
double inkPrice(double articlePrice, double convKgsTintas, bool rounded);
// Costs an ink row: L = s × A / 100 × p / 100, quantity = k × L, cost = L × k × S rounded to 2.
void costInk(InkRow& ink, double area, double printSurfacePercent, double convKgsTintas);

// Closing checks of printing: a ticked machine and inks of at most 100%.
bool checkPrintingClose(const std::vector<WorkMachineRow>& rows, const std::vector<InkRow>& inks,
                        Notes& notes);

// One ink line per row with a code (at most five).
void inkLines(const QString& article, const QString& stepCode, const std::vector<InkRow>& inks,
              const CostTypes& costTypes, int inkCostType, int& detail, std::vector<FictecDetLine>& lines,
              Notes& notes);

} // namespace corvane::techsheet
