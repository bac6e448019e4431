#include "finance/LoanBuster.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "finance/Annuity.h"

namespace revora {
namespace {

double Bounded(double value) noexcept
{
    if (std::isnan(value))
        return 0.0;
    if (std::isinf(value))
        return value > 0 ? std::numeric_limits<double>::max() : std::numeric_limits<double>::lowest();
    return value;
}

double NotBelowZero(double value) noexcept { return std::max(0.0, Bounded(value)); }

} // namespace

LoanBusterResult BBCalc(LoanBusterState& state, std::int16_t period, const LoanBusterResult& previous) noexcept
{
    LoanBusterResult result = previous;
    const double months = period;
    const double rate = state.Rate;
    const double r = AnnuityRepayment(state.Principal, months, rate);
    result.Repayment = r;
    result.TotalInterest = NotBelowZero(r * months - state.Principal);
    result.TotalRepayments = NotBelowZero(months * r);

    const double typed = state.Extra;
    if (Bounded(10.0 * r) < typed)
        return result; // too large an extra is not applied; the second column stays as it was

    const PeriodCount count = CountPeriod(state.Principal, rate, Bounded(r + (typed - 0.01)));
    const double newPeriod = count.months;
    const double newRepayment = count.repayment;
    const double extra = typed != 0.0 ? Bounded(newRepayment - r) : 0.0;
    result.NewPeriod = newPeriod;
    result.NewRepayment = newRepayment;
    if (extra == 0.0) {
        result.NewTotalInterest = result.TotalInterest;
        result.NewTotalRepayments = result.TotalRepayments;
        result.Saving = 0.0;
    } else {
        result.NewTotalInterest = NotBelowZero(newRepayment * newPeriod - state.Principal);
        result.NewTotalRepayments = NotBelowZero(newPeriod * newRepayment);
        result.Saving = Bounded(Bounded(months * r) - Bounded(newPeriod * newRepayment));
    }
    state.Extra = extra;
    return result;
}

ReportRow LoanBusterReportRow(const LoanBusterState& state, std::int16_t period, const LoanBusterResult& result)
{
    return {
        {"PAmt", state.Principal},
        {"Period", period},
        {"IntRate", static_cast<double>(state.Rate)},
        {"MonRep", result.Repayment},
        {"TotIntPaid", result.TotalInterest},
        {"TotRep", result.TotalRepayments},
        {"XtraPay", state.Extra},
        {"Xper", result.NewPeriod},
        {"XMonRep", result.NewRepayment},
        {"XTotIntPaid", result.NewTotalInterest},
        {"XTotRep", result.NewTotalRepayments},
        {"XTotSavings", result.Saving},
    };
}

} // namespace revora
