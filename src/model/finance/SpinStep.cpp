#include "finance/SpinStep.h"

#include <cmath>

namespace revora {
namespace {

// Beyond this the value has no thousandths to keep and x 1000 could overflow.
constexpr double RoundingReach = 1e12;

double ToThousandth(double value) noexcept
{
    if (!std::isfinite(value) || std::fabs(value) >= RoundingReach)
        return value;
    return std::round(value * 1000.0) / 1000.0;
}

} // namespace

SpinOutcome Spin(const SpinRule& rule, double value, int direction) noexcept
{
    if (rule.onlyWhenNonZero && value == 0.0)
        return {false, value, false};
    SpinOutcome out{true, ToThousandth(value + (direction > 0 ? rule.step : -rule.step)), false};
    if (direction > 0) {
        if (rule.upBeepsAtZero && out.value == 0.0)
            out.beep = true;
        if (out.value > rule.upAbove)
            out.value = rule.upWrapsTo;
    } else {
        if (rule.downBeepsAtZero && out.value == 0.0) {
            out.beep = true;
            if (rule.downZeroWrapsTo)
                out.value = *rule.downZeroWrapsTo;
        }
        if (rule.downBelow && out.value < *rule.downBelow)
            out.value = rule.downWrapsTo;
    }
    if (!std::isfinite(out.value))
        out.value = value;
    if (out.value == 0.0)
        out.value = 0.0; // no "-0" in the box
    return out;
}

SpinRule DailyBalanceRateSpin(double step) noexcept
{
    SpinRule rule;
    rule.step = step;
    rule.onlyWhenNonZero = true;
    rule.upAbove = 50.0;
    rule.upWrapsTo = 0.25;
    rule.upBeepsAtZero = true;
    rule.downBeepsAtZero = true;
    rule.downZeroWrapsTo = 50.0;
    return rule;
}

SpinRule InflationRateSpin() noexcept
{
    SpinRule rule;
    rule.step = 0.25;
    rule.upAbove = 30.0;
    rule.upWrapsTo = -5.0;
    rule.upBeepsAtZero = true;
    rule.downBelow = -5.0;
    rule.downWrapsTo = 30.0;
    return rule;
}

SpinRule InflationPeriodSpin() noexcept
{
    SpinRule rule;
    rule.step = 1.0;
    rule.onlyWhenNonZero = true;
    rule.upAbove = 40.0;
    rule.upWrapsTo = 1.0;
    rule.upBeepsAtZero = true;
    rule.downBeepsAtZero = true;
    rule.downZeroWrapsTo = 40.0;
    return rule;
}

} // namespace revora
