#pragma once
// How text typed or pasted into a number box becomes the number a person means, and how
// counts and ages become 16-bit numbers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace revora {

// The most any number box takes: beyond it no typed amount is meaningful, and tax on it stays
// finite.
inline constexpr double LargestTypedAmount = 999'999'999'999.99;
// The most a percentage box takes: a share of the whole, never more than all of it.
inline constexpr double MostPercent = 100.0;

// What a box's text says, read as a clerk writes amounts:
//   - blanks around the number; an optional sign and an optional "R" (either case, either
//     order), so "R 15 000", "-R500" and "R -500" are all read;
//   - digits, grouped in thousands by blanks or commas: a group after the first holds exactly
//     three digits ("15 000", "1,250,000");
//   - a decimal point, or a decimal comma where no comma groups thousands ("15 000,50",
//     "1,5"). A lone comma with exactly three digits after it, no point and no blank groups,
//     groups thousands ("1,500" is 1500), as amounts are pasted from spreadsheets;
//   - non-breaking and thin blanks count as blanks, and the typographic minus as a minus.
// An empty text is 0. A text that may still become a number as more is typed ("R", "-",
// "1 23") is Unfinished; anything else that is not a number is Refused. Both say what is not
// understood, in words that finish the sentence "It was not understood: ...".
struct TypedNumber {
    enum class Reading { Number, Unfinished, Refused };
    Reading reading = Reading::Number;
    double value = 0.0;  // the number, when read; a digit run too long for a double is Refused
    std::string problem; // when Unfinished or Refused
};
TypedNumber ReadTypedNumber(std::string_view text, bool negativeAllowed);

// Round half to even (64.5 -> 64, 65.5 -> 66) into a 16-bit integer; nullopt when the
// rounded value is outside -32768..32767 or the input is not finite.
std::optional<std::int16_t> RoundHalfEvenToInt16(double value) noexcept;

} // namespace revora
