#include "finance/LoanBuster.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/Bounded.h"
#include "finance/Annuity.h"

namespace revora {
namespace {

double NotBelowZero(double value) noexcept { return std::max(0.0, Bounded(value)); }

// Whether a and b, each to the cent, take away to a - b to the cent: otherwise the difference
// of the two figures shown is a cent off the one worked.
bool CentsTakeAway(double a, double b) noexcept
{
    return std::round(a * 100.0) - std::round(b * 100.0) == std::round((a - b) * 100.0);
}

// A loan's two totals from its repayment step: interest = n x R - principal and repayments =
// n x R, each from `paid` (n x R as the calculation multiplied it); one floored at 0 is shown
// in words. Returns the step of the total repayments.
int RecordTotals(Working& w, Phrase interestLabel, Phrase paidLabel, double months, WorkedFigure repayment,
                 double principal, double paid, double interest, double repayments)
{
    const bool interestFloored = interest != Bounded(paid - principal);
    w.Add(interestLabel, {interestFloored ? "Interest over {1} months, not below 0" : "Interest over {1} months"},
          interestFloored ? "" : "{1} \u00d7 {2} \u2212 {3}", {Count(months), repayment, AsUsed(principal)}, interest);
    const bool paidFloored = repayments != Bounded(paid);
    return w.Add(paidLabel, {paidFloored ? "Total of {1} repayments, not below 0" : "Total of {1} repayments"},
                 paidFloored ? "" : "{1} \u00d7 {2}", {Count(months), repayment}, repayments);
}

} // namespace

std::string ExtraTooLargeMessage(std::string_view mostAsShown)
{
    return "The extra payment may be at most ten times the monthly repayment: R " + std::string(mostAsShown);
}

LoanBusterResult BBCalc(LoanBusterState& state, std::int16_t period, Working* working)
{
    constexpr Phrase savingLabel{"Total saving"};
    LoanBusterResult result;
    const double months = period;
    const double rate = state.Rate;
    const double r = AnnuityRepayment(state.Principal, months, rate, working);
    result.Repayment = r;
    const double paid = months * r;
    result.TotalInterest = NotBelowZero(paid - state.Principal);
    result.TotalRepayments = NotBelowZero(paid);
    int repaymentStep = 0;
    int totalStep = 0;
    if (working) {
        repaymentStep = static_cast<int>(working->Steps().size());
        totalStep = RecordTotals(*working, {"Total interest"}, {"Total repayments"}, months,
                                 AsUsed(r, repaymentStep), state.Principal, paid, result.TotalInterest,
                                 result.TotalRepayments);
    }

    const double typed = state.Extra;
    if (Bounded(MostExtraRepayments * r) < typed) {
        // With no repayment there is no loan to apply an extra to, and nothing to refuse.
        result.ExtraRefused = r > 0.0;
        if (working)
            working->Add(savingLabel, {"An extra payment of {1}, more than {2} repayments of {3}, is not applied"},
                         {Rand(typed), Count(MostExtraRepayments), working->Step(repaymentStep)}, result.Saving);
        return result;
    }

    // With no extra payment typed the count is of the loan as it stands: nothing to explain.
    Working* counting = typed != 0.0 ? working : nullptr;
    const double withExtra = Bounded(r + (typed - 0.01));
    if (counting)
        counting->Add({"Repayment with the extra"}, {"Repayment with the extra payment less a cent"},
                      "{1} + ({2} \u2212 {3})", {AsUsed(r, repaymentStep), AsUsed(typed), Amount(0.01)},
                      withExtra);
    const PeriodCount count = CountPeriod(state.Principal, rate, withExtra, counting);
    const double extra = typed != 0.0 ? Bounded(count.repayment - r) : 0.0;
    state.Extra = extra;
    if (counting)
        counting->Add({"Extra payment needed"}, {"The new repayment less the normal one"}, "{1} \u2212 {2}",
                      {AsUsed(count.repayment), AsUsed(r, repaymentStep)}, extra);
    if (extra == 0.0) {
        result.NewPeriod = months;
        result.NewRepayment = r;
        result.NewTotalInterest = result.TotalInterest;
        result.NewTotalRepayments = result.TotalRepayments;
        if (working)
            working->Add(savingLabel, {"No extra payment: the loan runs as it stands"}, {}, result.Saving);
        return result;
    }
    result.NewPeriod = count.months;
    result.NewRepayment = count.repayment;
    // At 0 % nothing accrues: the last of the n' months pays only what is left, so the repayments
    // total the principal and nothing is saved. Counted as n' full repayments raised to the cent,
    // they would pass the principal by cents, shown as interest and a saving below 0.
    const bool noInterest = rate == 0.0;
    const double newPaid = noInterest ? paid : count.months * count.repayment;
    result.NewTotalInterest = NotBelowZero(newPaid - state.Principal);
    result.NewTotalRepayments = NotBelowZero(newPaid);
    result.Saving = Bounded(Bounded(paid) - Bounded(newPaid));
    if (working && noInterest) {
        working->Add({"Total interest with the extra"}, {"No interest at 0 %"}, {}, result.NewTotalInterest);
        working->Add({"Total repayments with the extra"},
                     {"The principal: the last of the {1} months pays only what is left"}, {Count(count.months)},
                     result.NewTotalRepayments);
        working->Add(savingLabel, {"No interest at 0 %, so none is saved"}, {}, result.Saving);
    } else if (working) {
        const int newTotalStep =
            RecordTotals(*working, {"Total interest with the extra"}, {"Total repayments with the extra"},
                         count.months, AsUsed(count.repayment), state.Principal, newPaid, result.NewTotalInterest,
                         result.NewTotalRepayments);
        // The two totals of repayments apart, unless one of them was floored at 0 or their
        // cents shown would not take away to the saving shown.
        if (result.TotalRepayments == Bounded(paid) && result.NewTotalRepayments == Bounded(newPaid) &&
            CentsTakeAway(result.TotalRepayments, result.NewTotalRepayments))
            working->Add(savingLabel, {}, "{1} \u2212 {2}", {working->Step(totalStep), working->Step(newTotalStep)},
                         result.Saving);
        else
            working->Add(savingLabel, {}, "{1} \u00d7 {2} \u2212 {3} \u00d7 {4}",
                         {Count(months), AsUsed(r, repaymentStep), Count(count.months), AsUsed(count.repayment)},
                         result.Saving);
    }
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
