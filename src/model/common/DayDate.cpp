#include "common/DayDate.h"

#include <cstdio>

namespace revora {
namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's days_from_civil).
long DaysFromEpoch(int y, int m, int d) noexcept
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// 30 December 1899, day 0, counted from 1970-01-01.
constexpr long DayZero = -25569;

bool IsLeap(int y) noexcept { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) noexcept
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

} // namespace

int DayNumberFromCivil(CivilDate date) noexcept
{
    return static_cast<int>(DaysFromEpoch(date.year, date.month, date.day) - DayZero);
}

CivilDate CivilFromDayNumber(int dayNumber) noexcept
{
    long z = dayNumber + DayZero + 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int y = static_cast<int>(yoe + era * 400 + (m <= 2));
    return {y, m, d};
}

bool IsValidCivilDate(CivilDate date) noexcept
{
    return date.year >= 100 && date.year <= 9999 && date.month >= 1 && date.month <= 12 && date.day >= 1
        && date.day <= DaysInMonth(date.year, date.month);
}

std::optional<int> ParseDayDate(std::string_view text)
{
    int parts[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int part = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            if (++digits[part] > 4)
                return std::nullopt;
            parts[part] = parts[part] * 10 + (c - '0');
        } else if (c == '/' && part < 2 && digits[part] > 0) {
            ++part;
        } else {
            return std::nullopt;
        }
    }
    if (part != 2 || digits[0] > 2 || digits[1] > 2 || digits[2] != 4)
        return std::nullopt;
    const CivilDate date{parts[2], parts[1], parts[0]};
    if (!IsValidCivilDate(date))
        return std::nullopt;
    return DayNumberFromCivil(date);
}

std::string FormatDayDate(int dayNumber)
{
    const CivilDate date = CivilFromDayNumber(dayNumber);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", date.day, date.month, date.year);
    return buffer;
}

} // namespace revora
