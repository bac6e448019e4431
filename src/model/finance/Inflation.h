#pragma once
// Inflation projection: a present cost carried forward year by year at a constant rate, what
// it will cost (future value) and what the present amount will be worth (buying power).

#include <string_view>

#include "common/ReportRow.h"
#include "common/Working.h"

namespace revora {

inline constexpr double MostInflationYears = 40.0;
inline constexpr double LeastInflationRate = -5.0;
inline constexpr double MostInflationRate = 40.0;
// Future values above this do not fit the box: "Amount too large to display".
inline constexpr double LargestShownFutureValue = 9999999999.0;
inline constexpr std::string_view TooLargeText = "Amount too large to display";
inline constexpr std::string_view InflationRateTitle = "Incorrect Inflation Rate!";
inline constexpr std::string_view InflationRateMessage = "The range of the Inflation Rate is between -5% and 40%";
inline constexpr std::string_view InflationPeriodTitle = "Incorrect Period!";
inline constexpr std::string_view InflationPeriodMessage = "The maximum period allowed 40 years";

// The program-wide values, results included; "&Initialise All" sets them all to 0.
struct InflationState {
    double PresentCost = 0.0;
    double Period = 0.0; // years; a fraction counts its whole years
    double Rate = 0.0;   // percent a year, -5 to 40
    double FutureValue = 0.0;
    double BuyingPower = 0.0;
};

// For each whole year: future += future x rate / 100; power -= power x rate / (rate + 100).
// Example: 100 000 at 6 % for 10 years: 179 084.77 and 55 839.48.
// `working`, when given, receives the buying power and, last, the future value, each as the
// compound form the years add up to: cost ÷ (1 + rate)^years and cost × (1 + rate)^years,
// over the whole years worked (fewer when an amount could not be held).
void InflationCalc(InflationState& state, Working* working = nullptr);

bool FutureValueTooLarge(const InflationState& state) noexcept;
// "&Print" writes only a future value that is not 0 and fits the box.
bool InflationPrintable(const InflationState& state) noexcept;

// The one row of "Inflation": PresCost, Period, InflaRate, Ans1, ANS2.
ReportRow InflationReportRow(const InflationState& state);

} // namespace revora
