// The loan buster on any loan and extra payment the boxes allow, and its printout.

#include <algorithm>

#include "FuzzInput.h"
#include "finance/LoanBuster.h"

using namespace revora;
using namespace revora::fuzz;

namespace {

// The period box: whole months, at most 600.
constexpr std::int16_t MostPeriod = 600;

void CheckResult(const LoanBusterResult& r)
{
    FiniteNotNegative(r.Repayment, "repayment");
    FiniteNotNegative(r.TotalInterest, "total interest");
    FiniteNotNegative(r.TotalRepayments, "total repayments");
    FiniteNotNegative(r.NewPeriod, "new period");
    Finite(r.NewRepayment, "new repayment");
    FiniteNotNegative(r.NewTotalInterest, "new total interest");
    FiniteNotNegative(r.NewTotalRepayments, "new total repayments");
    Finite(r.Saving, "saving");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const double most = in.Scale();
    LoanBusterState state;
    state.Principal = in.AmountUpTo(most, {100000.0});
    state.Rate = static_cast<float>(in.Rate(50.0, {0.0, 0.01, 12.0, 50.0}));
    state.Extra = in.AmountUpTo(most, {100.0});
    const auto period = static_cast<std::int16_t>(in.Pick<std::int64_t>({0, 1, 240, MostPeriod, in.Int(0, MostPeriod)}));

    LoanBusterResult previous;
    for (int press = 0; press < 2; ++press) {
        // A second "&Calculate" starts from the extra the first wrote back.
        const double extra = state.Extra;
        const LoanBusterResult r = BBCalc(state, period);
        CheckResult(r);
        // The search starts a cent below R + X and only raises the repayment; on a loan with
        // nothing to repay it stays there, so no repayment and no extra show -0.01, and the
        // extra written back may be below 0. Never lower than where the search starts.
        const double start = r.Repayment + (extra - 0.01);
        if (10.0 * r.Repayment >= extra && std::isfinite(start))
            Require(r.NewRepayment >= start - 1e-9 * std::max(1.0, std::fabs(start)),
                    "new repayment below where the search starts");
        Finite(state.Extra, "extra written back");
        // The search starts a cent below R + X, so an extra under a cent may count a month or
        // more beyond the period (R 470 over 490 months at 2.67 %, no extra, shows 495): the
        // rules' own granularity. A cent or more a month never lengthens the loan.
        if (extra >= 0.01 && r.NewPeriod != previous.NewPeriod)
            Require(r.NewPeriod <= period, "paying more lengthened the loan");
        FiniteRow(LoanBusterReportRow(state, period, r), "loan buster printout");
        previous = r;
    }
    return 0;
}
