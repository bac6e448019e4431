#include "common/AmountFormat.h"

#include <charconv>
#include <cmath>

namespace revora {

std::string FormatAmount(double value, int decimals)
{
    if (!std::isfinite(value))
        return {};
    // to_chars ignores the locale: the program runs under the user's, where the decimal mark
    // may be a comma, and the boxes and reports always show a point.
    char raw[400];
    const auto written = std::to_chars(raw, raw + sizeof raw, value, std::chars_format::fixed, decimals);
    std::string text(raw, written.ptr);
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        text.erase(0, 1);
    const std::size_t point = text.find('.');
    const std::size_t wholeDigits = point == std::string::npos ? text.size() : point;

    std::string out;
    out.reserve(text.size() + wholeDigits / 3 + 1);
    // "-0.00" is shown as "0.00": a rounded-away negative is no debit.
    if (negative && text.find_first_not_of("0.") != std::string::npos)
        out += '-';
    for (std::size_t i = 0; i < wholeDigits; ++i) {
        if (i > 0 && (wholeDigits - i) % 3 == 0)
            out += ' ';
        out += text[i];
    }
    out.append(text, wholeDigits, std::string::npos);
    return out;
}

std::string FormatFullPrecision(double value)
{
    if (!std::isfinite(value))
        return {};
    char buffer[400];
    // Plain decimals read best for money; the shortest form is exact either way.
    const auto format = std::fabs(value) < 1e15 ? std::chars_format::fixed : std::chars_format::general;
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format);
    return std::string(buffer, result.ptr);
}

} // namespace revora
