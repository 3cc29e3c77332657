#pragma once

// The inputs of the step windows, each declared once: a rule over the column
// it fills (its kind and width from the table's description at the program's
// version, its name as the window's widget has it, its lookup list) beside
// the step's check when the focus leaves it. Rows of materials, yarns and
// inks count from 1.
#include "screens/field_rule.h"

#include <QList>

#include <functional>

namespace corvane::techsheet {

struct StepInput {
    screens::FieldRule rule;
    // The step's check of what the input holds when the focus leaves it (or
    // a row is chosen in its lookup list); false keeps the focus in it.
    // None: the input only shows a value.
    std::function<bool(const QString& typed)> left;
};

// The tables the steps' inputs fill.
enum class StepTable {
    SheetLines,   // FICTECDET: a step's lines and their materials
    SheetHeader,  // FICTECMAS: the fabric's layout
    YarnLayout,   // FICTECFIOS: the yarns of the weaving and knitting steps
    Subcontract,  // FICTECSUBCONT: a service and the materials sent with it
    WorkArticles, // WORKFTARTIGOS: a material's type
};

// A rule over `column` of `table` for the input `name`, with `label` as its
// caption; "%1" in the column and the name becomes `n` (rows from 1).
screens::FieldRule stepRule(StepTable table, const char* column, const char* name, int n = 0,
                            const char* label = "");
// An input that only shows a value.
StepInput shownInput(StepTable table, const char* column, const char* name, int n = 0,
                     const char* label = "");
// The input with a lookup list; `labelName`: the label beside it that shows
// the designation of what it holds.
StepInput withLookup(StepInput input, const screens::LookupSpec& lookup, const QString& labelName = {});

// The lookups of a material or fabric code: by code (Insert, "Procurar
// &Codigo") and by designation (Ctrl+Insert, "Procurar &Designação").
screens::LookupSpec articleLookup();
// The lookup of a material type (TIPOMATERIAL).
screens::LookupSpec materialTypeLookup();
// The yarn lookups of a yarn-code field: by code (Insert) and alphabetical
// (Ctrl+Insert), showing "Código", "Designacao" and "DTex".
screens::LookupSpec yarnLookup();

} // namespace corvane::techsheet
