#pragma once
// What one click of a spinner does to the value beside it: a step up or down, wrapping round
// at the ends of its range and sounding a beep where the value reaches 0. The screens read the
// box, step, write the value back, recalculate and move the focus to "&OK".

#include <optional>

namespace revora {

struct SpinRule {
    double step = 1.0;
    bool onlyWhenNonZero = false;     // a box reading 0 does not step at all
    double upAbove = 0.0;             // up: a result above this ...
    double upWrapsTo = 0.0;           // ... becomes this
    std::optional<double> downBelow;  // down: a result below this ...
    double downWrapsTo = 0.0;         // ... becomes this
    bool upBeepsAtZero = false;       // up: a result of exactly 0 beeps (and stays 0)
    bool downBeepsAtZero = false;     // down: a result of exactly 0 beeps ...
    std::optional<double> downZeroWrapsTo; // ... and becomes this, when given
};

struct SpinOutcome {
    bool stepped = false; // false: the value was left alone (onlyWhenNonZero on a 0)
    double value = 0.0;
    bool beep = false;
};

// A step of +1 (up) or -1 (down). The result is rounded to the step's own decimals (a
// thousandth) so that repeated quarter steps never drift off the grid.
SpinOutcome Spin(const SpinRule& rule, double value, int direction) noexcept;

// The three spinners of the small calculators.
// Daily balance interest rate: 0.25 a step; up past 50 wraps to 0.25; down to 0 beeps and
// wraps to 50; up to 0 beeps. Only a rate that is not 0 steps.
SpinRule DailyBalanceRateSpin(double step = 0.25) noexcept;
// Inflation rate: 0.25 a step; up past 30 wraps to -5, up to exactly 0 beeps; down below -5
// wraps to 30.
SpinRule InflationRateSpin() noexcept;
// Inflation period: 1 year a step; up past 40 wraps to 1, up to 0 beeps; down to 0 beeps and
// wraps to 40. Only a period that is not 0 steps.
SpinRule InflationPeriodSpin() noexcept;

} // namespace revora
