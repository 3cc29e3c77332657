#pragma once

// The grid DBGrid1 of a step screen over the candidate rows its logic holds:
// an "OK" column shown as a check box, one column typed in (the time, or the
// mode of a loom or an ultrasound cutter), the other columns shown as the
// logic has them. Each grid is a column table the framework's GridModel shows.
#include "screens/grid_columns.h"
#include "screens/ui/grid_model.h"
#include "techsheet/work_rows.h"

#include <functional>
#include <initializer_list>
#include <vector>

class QGridLayout;
class QTableView;

namespace corvane::screens {
class ScreenDialog;
}

namespace corvane::techsheet {

struct TechSheetContext;
class WeavingStep;
class OperationStepScreen;
class MachineStepScreen;

// The head of a step window: `caption` and the article (code and both
// designations, "Label_Artigo") on the first row, "Comprim" and "Largura"
// on the second; a step adds its own labels from column 2 of that row.
QGridLayout* articleHeader(QWidget* owner, const TechSheetContext& ctx, const QString& caption);

// Before a step screen closes, an editor open in its grid is left, so its
// value is taken as leaving the cell would.
void leaveGridEditor(QWidget* dialog, QWidget* grid);

// A step screen opened on a sheet another user holds: its inputs and grids
// take nothing (finishing is refused by the logic as well).
void showLookOnly(screens::ScreenDialog* form, const TechSheetContext& ctx,
                  std::initializer_list<screens::GridModel*> models);

// Numbers as the step windows show them.
inline QString stepNumber(double v) {
    return screens::gridNumber(v);
}

// Ticking or clearing a row's "OK", and what is typed in a row's typed
// column (false refuses it, the row unchanged).
using OkLeft = std::function<void(int row, bool ticked)>;
using TypedLeft = std::function<bool(int row, const QString& typed)>;

// The looms of the weaving step: the mode "T.P.?" typed, "OK" ticked.
screens::GridColumns loomColumns(WeavingStep& logic);
// The rows of the operation and packaging steps: the minutes typed.
screens::GridColumns workColumns(OperationStepScreen& logic);

// The machines of a step: those of the machine and printing steps, of
// ultrasound cutting (the mode "T.P.?" between "OK" and the time, typed
// instead of the time) and of knitting (drawn narrower).
enum class MachineGrid { Steps, Ultrasound, Knitting };
screens::GridColumns machineColumns(const std::vector<WorkMachineRow>& rows, MachineGrid grid, OkLeft okLeft,
                                    TypedLeft typedLeft);
// The grid of a machine step or of ultrasound cutting over its logic.
screens::GridColumns machineColumns(MachineStepScreen& logic);

// The grid DBGrid1 of a step screen over `model`, its columns as wide as
// their table says and no narrower than their titles; the rows come ordered
// by "Código", and a click on the title of column 0 ("Código") or 1
// ("Designação") orders them by CODIGO or DESIGNACAO through `sortBy`, then
// `sorted` runs. The user's edits in it count as typed work of the owner's screen.
QTableView* makeStepGrid(QWidget* owner, screens::GridModel* model,
                         std::function<void(const QString& column)> sortBy,
                         std::function<void()> sorted = {});

} // namespace corvane::techsheet
