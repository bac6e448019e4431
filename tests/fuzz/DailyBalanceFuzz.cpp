// Daily balance interest between any two dates the date boxes take, with the rate spinner,
// and its printout.

#include "FuzzInput.h"
#include "finance/DailyBalance.h"
#include "finance/SpinStep.h"

using namespace revora;
using namespace revora::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    DailyBalanceState state;
    state.Capital = static_cast<float>(in.AmountUpTo(in.Scale(), {100000.0}));
    state.Rate = static_cast<float>(in.Rate(MostDailyBalanceRate, {0.0, 0.25, 10.0, 40.0}));
    state.RateStep = in.Pick({0.25, 0.5, 1.0});
    // Either date may be unset; set ones lie at most 30 years apart.
    state.StartDate = in.Flag() ? DateNotSet : static_cast<std::int32_t>(in.Int(2, 2958465));
    state.EndDate = in.Flag() ? DateNotSet : state.StartDate + static_cast<std::int32_t>(in.Int(-DailyBalanceSpan, DailyBalanceSpan));

    for (int click = in.Int(0, 4); click >= 0; --click) {
        const DailyBalanceResult r = DailyBalanceCalc(state);
        Require(std::isfinite(r.Interest), "interest is finite");
        if (DailyBalancePrintable(r)) {
            Require(r.Days > 0 && r.Interest > 0.0F, "only interest over days is printed");
            FiniteRow(DailyBalanceReportRow(state, r), "daily balance printout");
        }
        const SpinOutcome spun = Spin(DailyBalanceRateSpin(state.RateStep), state.Rate, in.Flag() ? 1 : -1);
        // The spinner wraps only a result of exactly 0: a rate typed off the quarter grid
        // (0.1) steps down past 0 to -0.15, as the rules word it, so only the top is bounded.
        Finite(spun.value, "spun rate");
        Require(spun.value <= 50.0, "spun rate beyond the wrap");
        state.Rate = static_cast<float>(spun.value);
    }
    return 0;
}
