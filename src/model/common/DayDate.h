#pragma once
// Dates are whole day numbers counted from 30 December 1899 (so 1 January 1900 is day 2 and
// 01/03/2015 is 42064), typed and shown as "dd/mm/yyyy".

#include <optional>
#include <string>
#include <string_view>

namespace revora {

struct CivilDate {
    int year;
    int month; // 1..12
    int day;   // 1..31
};

// Day number of a calendar date; the date must be valid.
int DayNumberFromCivil(CivilDate date) noexcept;
CivilDate CivilFromDayNumber(int dayNumber) noexcept;

bool IsValidCivilDate(CivilDate date) noexcept;

// "dd/mm/yyyy"; one- or two-digit day and month are accepted, the year needs four digits.
std::optional<int> ParseDayDate(std::string_view text);
std::string FormatDayDate(int dayNumber);

} // namespace revora
