#pragma once

// The texts of the quotation screen's inputs, shared by its source files.
#include <QString>

namespace corvane::quotation {

// A number as an input shows it.
inline QString numberText(double v) {
    return QString::number(v, 'g', 15);
}
// A charge's input: empty when it holds nothing.
inline QString chargeText(double v) {
    return v == 0 ? QString() : numberText(v);
}

} // namespace corvane::quotation
