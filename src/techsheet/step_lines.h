#pragma once

#include "sheet_lines.h"
#include "work_rows.h"

namespace corvane::techsheet {

// How a machine's standard price is applied to its minutes.
enum class MachineRate {
    PerMinute, // cost = minutes × price (looms, ultrasound)
    PerHour,   // cost = minutes × price / 60 (knitting, typed-minute machines, printing)
};

// The rate the PRECO of a machine-time line of step `step` on a sheet of kind
// `sheetKind` is given in: per hour on the knitting line ("A"), the machine
// steps ("C", "E", "F", "V", "R", "M", "S") and the printing machine ("T" on a
// printed sheet); per minute on the loom ("T" on a woven sheet) and ultrasound
// cutting ("J").
MachineRate lineRate(const QString& step, const QString& sheetKind);

// The production mode whose set-up a machine line holds: 1 when its TMPACE
// is the row's ACERTO1 (or absent), else 2.
int productionModeOf(const WorkMachineRow& row, const FictecDetLine& line);

// How the quantity with waste is formed: QTD × (1 + W/100) on the loom and
// knitting lines, QTD + W × QTD / 100 on the machine steps. Both only when W > 0.
enum class WasteForm { Factor, Addition };

// The machine-time line of a ticked row: QUANT = QTD rounded to 4, PRECO
// rounded to 2, VALOR = CUSTO rounded to 2, QUANT_FINAL rounded to 4 and
// VALOR_FINAL = CUSTO + (price per minute) × W × QF / 100 rounded to 2, with
// unrounded operands; TMPACE the set-up minutes of the row's mode and
// TMP_SEMACERTO the row's QTD_SEMACERTO. The caller sets the step's own columns.
FictecDetLine machineTimeLine(const WorkMachineRow& row, int costTypeCode, double wastePercent,
                              MachineRate rate, WasteForm form);

// A yarn line of the weaving or knitting step: QUANT = kg, PRECO = the yarn's
// CUSTOPADRAO, VALOR = QUANT × PRECO rounded to 2, QUANT_FINAL = QUANT with
// waste rounded to `finalDecimals`, VALOR_FINAL = VALOR + W × QF × PRECO / 100
// rounded to 2 (VALOR rounded, QF not). The caller sets the step's columns.
FictecDetLine yarnLine(const Yarn& yarn, double kg, int costTypeCode, double wastePercent, int finalDecimals);

// The yarn of a used position: an empty code is refused with `invalidText`, an
// unknown one with `unknownPrefix` + code. Returns nullptr when refused.
const Yarn* checkedYarn(const std::vector<Yarn>& yarns, const QString& code, const QString& invalidText,
                        const QString& unknownPrefix, Notes& notes);

// "TR-01".."TR-08" (weft needles, knitted rows) and "TE-01".."TE-08" (warp colours).
QString yarnPosition(const char* prefix, int position);

} // namespace corvane::techsheet
