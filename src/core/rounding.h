#pragma once

// The one place where money and quantities are rounded.
//
// roundTo(): "rounded to n decimals" — the value is written as fixed-point text
// at 15 significant digits and read back, so a value such as 2.675 (stored in
// binary just below the half) still rounds away from zero to 2.68.
//
// roundHalfEven(): "Round" to a whole number, halves going to the even
// neighbour (6.5 -> 6, 5.5 -> 6, -2.5 -> -2).
namespace corvane {

double roundTo(double value, int decimals);
double roundHalfEven(double value);

} // namespace corvane
