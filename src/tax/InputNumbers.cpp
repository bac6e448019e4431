#include "tax/InputNumbers.h"

#include <cmath>
#include <charconv>
#include <limits>

namespace revora {

double LeadingNumber(std::string_view text) noexcept
{
    // Longest number a box can meaningfully hold; the rest of a longer digit run only
    // scales the value, which is kept exact enough by counting the digits skipped.
    constexpr std::size_t MaxKept = 64;
    char buffer[MaxKept + 4];
    std::size_t used = 0;
    int droppedIntegerDigits = 0;
    bool negative = false;
    bool seenSign = false;
    bool seenPoint = false;
    bool seenDigit = false;

    for (char c : text) {
        if (c == ' ' || c == '\t') {
            continue;
        }
        if ((c == '-' || c == '+') && !seenSign && !seenDigit && !seenPoint) {
            seenSign = true;
            negative = c == '-';
            continue;
        }
        if (c == '.' && !seenPoint) {
            seenPoint = true;
            if (used < MaxKept)
                buffer[used++] = '.';
            continue;
        }
        if (c >= '0' && c <= '9') {
            seenDigit = true;
            // Leading zeros carry no value; kept, a long run of them would fill the buffer
            // and the digits after it would only scale a 0 (or give 0 x infinity, NaN).
            if (c == '0' && used == 0)
                continue;
            if (used < MaxKept)
                buffer[used++] = c;
            else if (!seenPoint)
                ++droppedIntegerDigits;
            continue;
        }
        break;
    }
    if (!seenDigit)
        return 0.0;
    // from_chars ignores the locale, so a typed point is a decimal point under every locale.
    double value = 0.0;
    std::from_chars(buffer, buffer + used, value);
    if (droppedIntegerDigits > 0)
        value *= std::pow(10.0, droppedIntegerDigits);
    return negative ? -value : value;
}

std::optional<std::int16_t> RoundHalfEvenToInt16(double value) noexcept
{
    if (!std::isfinite(value))
        return std::nullopt;
    // nearbyint rounds in the current mode, which is round-to-nearest-even unless changed.
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<std::int16_t>::min() || rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

} // namespace revora
