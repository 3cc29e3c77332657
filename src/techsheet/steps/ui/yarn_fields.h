#pragma once

// What the windows of the yarn steps (knitting, weaving) show alike.
#include <QString>

namespace corvane::techsheet {

// A consumption in kg, with 7 decimals.
QString kgText(double kg);

} // namespace corvane::techsheet
