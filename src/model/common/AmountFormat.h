#pragma once
// Number formats of the screens and the printed reports.

#include <string>

namespace revora {

// "### ### ##0.00": digits grouped in threes with a blank, at least one whole digit, the
// given number of decimals (500000 -> "500 000.00", -1800 -> "-1 800.00"). A value that is
// not finite gives an empty text, so no "inf" or "nan" is ever shown or printed.
std::string FormatAmount(double value, int decimals = 2);

// Shortest text that reads back as the same double ("26.316600000000001" stays exact).
std::string FormatFullPrecision(double value);

} // namespace revora
