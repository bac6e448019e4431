#include "finance/Inflation.h"

#include <cmath>

namespace revora {
namespace {

// The box takes at most 40 years; a stray period larger than this is not looped year by year
// without end.
constexpr double MostLoopedYears = 10000.0;

} // namespace

void InflationCalc(InflationState& state, Working* working)
{
    double future = state.PresentCost;
    double power = state.PresentCost;
    const double rate = state.Rate;
    const double years = state.Period >= 1.0 ? std::floor(std::fmin(state.Period, MostLoopedYears)) : 0.0;
    double worked = years; // the years the amounts stand for
    for (double year = 1.0; year <= years; year += 1.0) {
        const double nextFuture = future + future * rate / 100.0;
        const double nextPower = power - power * rate / (rate + 100.0);
        // A year that would overflow (or divide by 0 at -100 %) ends the projection with the
        // last amounts that could be held.
        if (!std::isfinite(nextFuture) || !std::isfinite(nextPower)) {
            worked = year - 1.0;
            break;
        }
        if (nextFuture == future && nextPower == power)
            break; // nothing changes any more
        future = nextFuture;
        power = nextPower;
    }
    state.FutureValue = future;
    state.BuyingPower = power;
    if (!working)
        return;
    if (worked == 0.0) {
        working->Add({"Buying power"}, {"No whole year: the present cost"}, {}, power);
        working->Add({"Future value"}, {"No whole year: the present cost"}, {}, future);
        return;
    }
    // A falling price level reads 1 − 5 %, not 1 + -5 %.
    const bool falling = rate < 0.0;
    const std::initializer_list<WorkedFigure> figures{Amount(state.PresentCost), Percent(falling ? -rate : rate),
                                                      Count(worked)};
    working->Add({"Buying power"}, {"Buying power after {3} years"},
                 falling ? "{1} \u00f7 (1 \u2212 {2})^{3}" : "{1} \u00f7 (1 + {2})^{3}", figures, power);
    working->Add({"Future value"}, {"Future value after {3} years"},
                 falling ? "{1} \u00d7 (1 \u2212 {2})^{3}" : "{1} \u00d7 (1 + {2})^{3}", figures, future);
}

bool FutureValueTooLarge(const InflationState& state) noexcept
{
    return state.FutureValue > LargestShownFutureValue;
}

bool InflationPrintable(const InflationState& state) noexcept
{
    return state.FutureValue != 0.0 && !FutureValueTooLarge(state);
}

ReportRow InflationReportRow(const InflationState& state)
{
    return {
        {"PresCost", state.PresentCost},
        {"Period", state.Period},
        {"InflaRate", state.Rate},
        {"Ans1", state.FutureValue},
        {"ANS2", state.BuyingPower},
    };
}

} // namespace revora
