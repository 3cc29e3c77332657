#include "rounding.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace corvane {

double roundTo(double value, int decimals) {
    if (!std::isfinite(value))
        return value;
    if (decimals < 0)
        decimals = 0;
    if (decimals > 18)
        decimals = 18;

    // 15 significant digits, as d.dddddddddddddde±XX
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", value);
    std::string s(buf);
    const bool negative = s[0] == '-';
    if (negative)
        s.erase(0, 1);
    const auto ePos = s.find('e');
    const int exponent = std::atoi(s.c_str() + ePos + 1);
    std::string digits;
    for (std::size_t i = 0; i < ePos; ++i)
        if (s[i] != '.')
            digits.push_back(s[i]);
    // digits = 15 digits; the first one has weight 10^exponent.
    // Keep the digits down to weight 10^-decimals.
    const int keep = exponent + 1 + decimals; // how many leading digits survive
    if (keep >= static_cast<int>(digits.size()))
        return value; // already exact at this precision
    if (keep < 0)
        return negative ? -0.0 : 0.0;
    std::string kept = digits.substr(0, static_cast<std::size_t>(keep));
    const bool roundUp = digits[static_cast<std::size_t>(keep)] >= '5';
    int scale = exponent + 1; // digits before the decimal point within `kept`
    if (roundUp) {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') {
            kept[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0)
            kept[static_cast<std::size_t>(i)]++;
        else {
            kept.insert(kept.begin(), '1');
            ++scale;
        }
    }
    if (kept.empty())
        return negative ? -0.0 : 0.0;
    // Rebuild as "0.<kept>e<scale>" and let strtod do the exact conversion.
    std::string text = (negative ? "-0." : "0.") + kept + "e" + std::to_string(scale);
    return std::strtod(text.c_str(), nullptr);
}

double roundHalfEven(double value) {
    if (!std::isfinite(value))
        return value;
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff > 0.5)
        return lower + 1.0;
    if (diff < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

} // namespace corvane
