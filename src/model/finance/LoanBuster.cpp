#include "finance/LoanBuster.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/Bounded.h"
#include "finance/Annuity.h"

namespace revora {
namespace {

double NotBelowZero(double value) noexcept { return std::max(0.0, Bounded(value)); }

} // namespace

std::string ExtraTooLargeMessage(std::string_view mostAsShown)
{
    return "The extra payment may be at most ten times the monthly repayment: R " + std::string(mostAsShown);
}

LoanBusterResult BBCalc(LoanBusterState& state, std::int16_t period) noexcept
{
    LoanBusterResult result;
    const double months = period;
    const double rate = state.Rate;
    const double r = AnnuityRepayment(state.Principal, months, rate);
    result.Repayment = r;
    result.TotalInterest = NotBelowZero(r * months - state.Principal);
    result.TotalRepayments = NotBelowZero(months * r);

    const double typed = state.Extra;
    if (Bounded(MostExtraRepayments * r) < typed) {
        // With no repayment there is no loan to apply an extra to, and nothing to refuse.
        result.ExtraRefused = r > 0.0;
        return result;
    }

    const PeriodCount count = CountPeriod(state.Principal, rate, Bounded(r + (typed - 0.01)));
    const double extra = typed != 0.0 ? Bounded(count.repayment - r) : 0.0;
    state.Extra = extra;
    if (extra == 0.0) {
        result.NewPeriod = months;
        result.NewRepayment = r;
        result.NewTotalInterest = result.TotalInterest;
        result.NewTotalRepayments = result.TotalRepayments;
        return result;
    }
    result.NewPeriod = count.months;
    result.NewRepayment = count.repayment;
    result.NewTotalInterest = NotBelowZero(count.repayment * count.months - state.Principal);
    result.NewTotalRepayments = NotBelowZero(count.months * count.repayment);
    result.Saving = Bounded(Bounded(months * r) - Bounded(count.months * count.repayment));
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
