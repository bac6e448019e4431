#pragma once
// How typed box text becomes a number: the box keeps the leading number of its text, so
// "12abc" reads as 12 and "abc" as 0; counts and ages are 16-bit and rounded half to even.

#include <cstdint>
#include <optional>
#include <string_view>

namespace revora {

// The number at the start of the text: optional blanks, an optional sign, digits with an
// optional decimal point. Blanks between the digits are skipped, so a shown amount such as
// "500 000.00" reads back as 500000. Text with no leading number gives 0. A digit string too
// long for a double gives infinity; callers range-check the result.
double LeadingNumber(std::string_view text) noexcept;

// Round half to even (64.5 -> 64, 65.5 -> 66) into a 16-bit integer; nullopt when the
// rounded value is outside -32768..32767 or the input is not finite.
std::optional<std::int16_t> RoundHalfEvenToInt16(double value) noexcept;

} // namespace revora
