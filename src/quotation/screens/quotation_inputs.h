#pragma once

// The texts of the quotation screen's inputs, shared by its source files.
#include "core/number_input.h"

#include <QString>

namespace corvane::quotation {

using corvane::numberText;
// A charge's input: empty when it holds nothing.
inline QString chargeText(double v) {
    return v == 0 ? QString() : numberText(v);
}

} // namespace corvane::quotation
