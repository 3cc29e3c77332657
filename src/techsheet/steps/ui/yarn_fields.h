#pragma once

// What the windows of the yarn steps (knitting, weaving) show alike.
#include "screens/field_rule.h"

#include <QString>

namespace corvane::techsheet {

// The yarn lookups of a yarn-code field: by code (Insert) and alphabetical
// (Ctrl+Insert), showing "Código", "Designacao" and "DTex".
screens::LookupSpec yarnLookup();
// A consumption in kg, with 7 decimals.
QString kgText(double kg);

} // namespace corvane::techsheet
