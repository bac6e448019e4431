// The inflation projection over any period and rate the boxes take, with both spinners, and
// its printout.

#include "FuzzInput.h"
#include "finance/Inflation.h"
#include "finance/SpinStep.h"

using namespace revora;
using namespace revora::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    InflationState state;
    state.PresentCost = in.AmountUpTo(in.Scale(), {100000.0});
    state.Period = in.Flag() ? in.Within(0.0, MostInflationYears) : static_cast<double>(in.Int(0, 40));
    state.Rate = in.Flag() ? in.Within(LeastInflationRate, MostInflationRate) : in.Pick({-5.0, 0.0, 6.0, 30.0, 40.0});

    for (int click = in.Int(0, 4); click >= 0; --click) {
        InflationCalc(state);
        Finite(state.FutureValue, "future value");
        FiniteNotNegative(state.BuyingPower, "buying power");
        NotNegative(state.FutureValue, "future value");
        if (InflationPrintable(state)) {
            Require(!FutureValueTooLarge(state), "a printed future value fits its box");
            FiniteRow(InflationReportRow(state), "inflation printout");
        }
        const bool onRate = in.Flag();
        const SpinOutcome spun = onRate ? Spin(InflationRateSpin(), state.Rate, in.Flag() ? 1 : -1)
                                        : Spin(InflationPeriodSpin(), state.Period, in.Flag() ? 1 : -1);
        Finite(spun.value, "spun value");
        if (onRate) {
            Require(spun.value >= LeastInflationRate && spun.value <= MostInflationRate, "spun rate out of range");
            state.Rate = spun.value;
        } else {
            // Only a result of exactly 0 wraps to 40: a part year (0.5) steps down past 0,
            // as the rules word it, so only the top is bounded.
            Require(spun.value <= MostInflationYears, "spun period beyond the wrap");
            state.Period = spun.value;
        }
    }
    return 0;
}
