#include "finance/DailyBalance.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/Bounded.h"

namespace revora {

std::string EndDateTooLateMessage(std::string_view startAsShown)
{
    return "The date entered is more than 30 years(360 months) after " + std::string(startAsShown) + ".";
}

std::string StartDateTooEarlyMessage(std::string_view endAsShown)
{
    return "The date entered is more than 30 years(360 months) before " + std::string(endAsShown) + ".";
}

std::string EndDateBeforeStartMessage(std::string_view startAsShown)
{
    return "The date entered is before the start date " + std::string(startAsShown) + ".";
}

std::string StartDateNotBeforeEndMessage(std::string_view endAsShown)
{
    return "The date entered is not before the end date " + std::string(endAsShown) + ".";
}

EndDateStep StepEndDate(const DailyBalanceState& state, int direction) noexcept
{
    const long long from = state.EndDate == DateNotSet ? state.StartDate : state.EndDate;
    const long long to = from + (direction > 0 ? 1 : -1);
    if (to < state.StartDate || to > static_cast<long long>(state.StartDate) + DailyBalanceSpan)
        return {state.EndDate, true};
    return {static_cast<std::int32_t>(to), false};
}

DailyBalanceResult DailyBalanceCalc(const DailyBalanceState& state, Working* working)
{
    DailyBalanceResult result;
    // Worked in 64 bits: two extreme day numbers would overflow 32.
    const long long days = static_cast<long long>(state.EndDate) - state.StartDate;
    result.Days = static_cast<std::int32_t>(std::clamp<long long>(
        days, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
    constexpr Phrase interestLabel{"Interest accrued"};
    int daysStep = 0;
    if (working)
        daysStep = working->Add({"Number of days"}, {}, result.Days == days ? "{2} \u2212 {1}" : "",
                                {Date(state.StartDate), Date(state.EndDate)}, result.Days, FigureKind::Count);
    if (result.Days == 0) {
        if (working)
            working->Add(interestLabel, {"No days: no interest"}, {}, 0.0);
        return result; // also keeps an overflowing capital x rate from making 0 days NaN
    }
    float interest = state.Capital * state.Rate;
    interest = interest / 100.0F;
    interest = interest * static_cast<float>(result.Days);
    if (std::isnan(interest)) {
        interest = 0.0F;
    } else if (std::isinf(interest)) {
        // Too large for a float: the largest one, with its sign.
        interest = interest > 0 ? std::numeric_limits<float>::max() : std::numeric_limits<float>::lowest();
    }
    result.Interest = static_cast<float>(static_cast<double>(interest) / 365.0);
    if (working) {
        // Single precision holds about seven figures: a large interest is a few rand off the one
        // the figures give on a calculator, and the step says so, with that one.
        const double full = Bounded(static_cast<double>(state.Capital) * state.Rate / 100.0 * result.Days / 365.0);
        const bool sameCents = std::round(full * 100.0) == std::round(static_cast<double>(result.Interest) * 100.0);
        working->Add(interestLabel,
                     {sameCents ? "Simple interest on {1} at {2} a year for {3} days of a 365-day year"
                                : "Simple interest on {1} at {2} a year for {3} days of a 365-day year, worked "
                                  "to single precision (about seven figures); in full it is {4}"},
                     {Rand(state.Capital), Percent(state.Rate), working->Step(daysStep), Rand(full)},
                     static_cast<double>(result.Interest));
    }
    return result;
}

bool DailyBalancePrintable(const DailyBalanceResult& result) noexcept
{
    return result.Interest > 0.0F && result.Days > 0;
}

ReportRow DailyBalanceReportRow(const DailyBalanceState& state, const DailyBalanceResult& result)
{
    return {
        {"CapAmount", static_cast<double>(state.Capital)},
        {"StartDate", state.StartDate},
        {"EndDate", state.EndDate},
        {"IntRate", static_cast<double>(state.Rate)},
        {"ANS1", static_cast<double>(result.Interest)},
        {"ANS2", result.Days},
    };
}

} // namespace revora
