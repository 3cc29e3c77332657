#pragma once

#include <QString>

namespace corvane {

// Reading what a user typed into a numeric input. Each refusal comes with the
// text shown to the user; the input's text itself is never changed.

// A whole number ("12", " 7 "); false with "'x' não é um número inteiro válido".
bool readWholeNumber(const QString& text, int* out, QString* message);
// A number with a comma or a point for decimals; false with "'x' não é um número válido".
bool readNumber(const QString& text, double* out, QString* message);
// A number as the screens and listings show it: up to 15 significant digits,
// never in scientific notation (0,00002314, not 2.314e-05), a comma for
// decimals, no grouping of thousands.
QString numberText(double value);
// A number with a fixed count of decimals (0 to 10), a comma for decimals;
// a value that is not finite reads 0.
QString fixedNumberText(double value, int decimals);
// The range of a small-integer column: false with the range message outside it.
bool withinSmallInteger(int value, QString* message);

} // namespace corvane
