// How box text becomes values: the number any text says (or why not), its rounding into a
// 16-bit count, and dates read and written back as "dd/mm/yyyy".

#include <charconv>

#include "FuzzInput.h"
#include "common/DayDate.h"
#include "common/InputNumbers.h"

using namespace revora;
using namespace revora::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    // Any text is a finite number, or not a number with a reason.
    const TypedNumber read = ReadTypedNumber(text, true);
    Require(read.reading == TypedNumber::Reading::Number ? std::isfinite(read.value) : !read.problem.empty(),
            "a text read as no finite number and no reason");
    Require(read.reading != TypedNumber::Reading::Number || ReadTypedNumber(text, false).reading !=
                TypedNumber::Reading::Number || read.value >= 0, "a negative number where none may be");
    const double number = read.value;
    const auto count = RoundHalfEvenToInt16(number);
    if (count) {
        Require(std::fabs(number - *count) <= 0.5, "count more than a half from the number");
        // A half goes to the even neighbour.
        if (std::fabs(number - *count) == 0.5)
            Require(*count % 2 == 0, "a half rounded to an odd count");
        Require(RoundHalfEvenToInt16(static_cast<double>(*count)) == count, "a count does not round to itself");
    } else {
        Require(!std::isfinite(number) || number >= 32767.5 || number <= -32768.5, "an in-range number refused");
    }
    // A shown amount reads back as itself.
    if (std::isfinite(number) && std::fabs(number) < 1e15) {
        char shown[400]; // a tiny number written out in full takes over 300 digits
        const auto written = std::to_chars(shown, shown + sizeof shown, number, std::chars_format::fixed);
        Require(written.ec == std::errc(), "number not writable");
        const TypedNumber again =
            ReadTypedNumber(std::string_view(shown, static_cast<std::size_t>(written.ptr - shown)), true);
        Require(again.reading == TypedNumber::Reading::Number && again.value == number,
                "a written number does not read back as itself");
    }

    // A date that reads writes back as a date that reads as the same day.
    if (const auto day = ParseDayDate(text)) {
        const std::string again = FormatDayDate(*day);
        Require(again.size() == 10, "a date is written as dd/mm/yyyy");
        Require(ParseDayDate(again) == day, "a date does not read back as itself");
        const CivilDate civil = CivilFromDayNumber(*day);
        Require(IsValidCivilDate(civil), "a read date is not a calendar date");
        Require(DayNumberFromCivil(civil) == *day, "day number and calendar date disagree");
    }
    // Any day number of four-digit years round-trips.
    if (size >= 4) {
        std::int32_t raw;
        std::memcpy(&raw, data, sizeof raw);
        const int day = static_cast<int>(raw % 3'000'000);
        const CivilDate civil = CivilFromDayNumber(day);
        if (civil.year >= 1000 && civil.year <= 9999) {
            Require(IsValidCivilDate(civil), "a day number gives no calendar date");
            Require(DayNumberFromCivil(civil) == day, "day number and calendar date disagree");
            Require(ParseDayDate(FormatDayDate(day)) == day, "a written day does not read back");
        }
    }
    return 0;
}
