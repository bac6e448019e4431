#pragma once
// Daily balance interest: the simple interest a capital earns between two dates,
// capital x rate / 100 x days / 365, in single precision as the screen holds its values.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/ReportRow.h"
#include "common/Working.h"

namespace revora {

// 01/01/1800: a date the user has not set yet.
inline constexpr std::int32_t DateNotSet = -36522;
// The dates may lie at most this many days apart ("30 years(360 months)").
inline constexpr std::int32_t DailyBalanceSpan = 10960;
inline constexpr double MostDailyBalanceRate = 40.0;

inline constexpr std::string_view InvalidDateTitle = "INVALID DATE";
inline constexpr std::string_view InvalidDateMessage = "The date entered is invalid please enter a valid date.";
inline constexpr std::string_view DateOutOfRangeTitle = "DATE OUT OF RANGE";
// "The date entered is more than 30 years(360 months) after " + start as shown + "."
std::string EndDateTooLateMessage(std::string_view startAsShown);
// "The date entered is more than 30 years(360 months) before " + end as shown + "."
std::string StartDateTooEarlyMessage(std::string_view endAsShown);
// An end date before the start, and a start date on or after the end: the span messages above
// would send the user 30 years the wrong way.
std::string EndDateBeforeStartMessage(std::string_view startAsShown);
std::string StartDateNotBeforeEndMessage(std::string_view endAsShown);
inline constexpr std::string_view DailyBalanceRateTitle = "Incorrect Interest Rate!";
inline constexpr std::string_view DailyBalanceRateMessage = "The maximum Interest Rate allowed is 40%";

// The program-wide values; "&Initialise All" puts them back to these.
struct DailyBalanceState {
    float Capital = 0.0F;
    float Rate = 0.0F;
    std::int32_t StartDate = DateNotSet;
    std::int32_t EndDate = DateNotSet;
    double RateStep = 0.25;
};

struct DailyBalanceResult {
    std::int32_t Days = 0; // end - start; negative when the end comes first
    float Interest = 0.0F;
};

// days = end - start; interest = capital x rate / 100 x days (single precision), / 365 in
// double precision, stored as single precision.
// Example: 100 000 at 10 % from 01/03/2015 to 31/03/2015: 30 days, 821.92.
// `working`, when given, receives the number of days (end - start) and, last, the interest.
// The interest is worked in single precision, which no formula at full precision gives
// exactly: its step says the rule in words.
DailyBalanceResult DailyBalanceCalc(const DailyBalanceState& state, Working* working = nullptr);

// The "Date" spinner: the end date one day up or down (from the start date while the end date
// is not set), kept within its allowed span, start to start + 10 960 days. A step past either
// end is stopped: the end date stays as it was.
struct EndDateStep {
    std::int32_t EndDate = DateNotSet;
    bool Stopped = false;
};
EndDateStep StepEndDate(const DailyBalanceState& state, int direction) noexcept;

// "&Print" writes only a result with interest and days above 0.
bool DailyBalancePrintable(const DailyBalanceResult& result) noexcept;

// The one row of "DailyBal": CapAmount, StartDate, EndDate (day numbers), IntRate, ANS1, ANS2.
ReportRow DailyBalanceReportRow(const DailyBalanceState& state, const DailyBalanceResult& result);

} // namespace revora
