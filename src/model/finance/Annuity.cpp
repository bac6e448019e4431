#include "finance/Annuity.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>

#include "common/AmountFormat.h"
#include "common/Bounded.h"

namespace revora {
namespace {

constexpr Phrase MonthlyRateLabel{"Monthly rate"};
constexpr Phrase PeriodLabel{"Repayment period"};
// The rule's cent, as a figure of the steps that add or take it off.
constexpr double Cent = 0.01;

// The value of repayments against the principal they are to repay. The arithmetic that
// forms a value (6 x 19 999.999999999996 for 6 x 20 000) is a hair off the sum a person works
// out on paper; a difference of a hundred-billionth of the principal, and never more than a
// tenth of a cent, is that noise (a cent more a month adds more than that to any value), so
// such a value repays the principal exactly: no month is taken off and no cent added for it.
enum class Reach { Short, Exact, Past };
Reach Compare(double value, double principal) noexcept
{
    const double noise = std::min(std::fabs(principal) * 1e-14, 0.001);
    if (value < principal - noise)
        return Reach::Short;
    return value > principal + noise ? Reach::Past : Reach::Exact;
}

// A repayment that is a whole number of cents but for that noise (10 000 + 9 999.99 need not
// be 19 999.99 exactly) as that number of cents, so whole-cent repayments multiply out to the
// totals worked on paper; any other amount as it is.
double OnTheCent(double amount) noexcept
{
    const double cents = std::round(amount * 100.0);
    return std::fabs(amount * 100.0 - cents) <= std::fabs(cents) * 1e-14 ? cents / 100.0 : amount;
}

// 1 + j rounds to 1: the rate counts for nothing and the loan is repaid in equal parts.
bool NoInterest(double j) noexcept { return 1.0 + j == 1.0; }

// The present value of 1 a month for n months: (1 - (1 + j)^-n) / j. A rate so small that
// 1 + j rounds to 1 takes the limit n, where the formula would divide 0 by j.
double AnnuityFactor(double months, double j) noexcept
{
    if (NoInterest(j))
        return months;
    return (1.0 - std::pow(1.0 + j, -months)) / j;
}

// `value`, the present value of `months` repayments, as the step `label`: R x (1 - (1 + i)^-n)
// / i, or n x R at no interest.
void RecordValue(Working& working, Phrase label, Phrase words, double annualRatePercent, double repayment,
                 double months, double value)
{
    const double j = MonthlyRate(annualRatePercent);
    if (NoInterest(j)) {
        working.Add(label, words, "{3} \u00d7 {1}", {AsUsed(repayment), Factor(j), Count(months)}, value);
        return;
    }
    RecordMonthlyRate(working, annualRatePercent);
    working.Add(label, words, "{1} \u00d7 (1 \u2212 (1 + {2} \u00f7 12)^\u2212{3}) \u00f7 ({2} \u00f7 12)",
                {AsUsed(repayment), Percent(annualRatePercent), Count(months)}, value);
}

} // namespace

std::string FinanceAmountMessage()
{
    return "The maximum amount allowed is R " + FormatAmount(MostFinanceAmount);
}

WorkedFigure AsUsed(double value, int fromStep) noexcept
{
    const double cents = std::round(value * 100.0) / 100.0;
    // Within half a millionth of whole cents the six decimals would show the cents anyway.
    const FigureKind kind = std::fabs(value - cents) < 5e-7 ? FigureKind::Amount : FigureKind::Factor;
    return {value, kind, fromStep};
}

int RecordMonthlyRate(Working& working, double annualRatePercent)
{
    const double j = MonthlyRate(annualRatePercent);
    const auto& steps = working.Steps();
    for (auto step = steps.rbegin(); step != steps.rend(); ++step)
        if (std::string_view(step->Label.English) == MonthlyRateLabel.English) {
            if (step->Amount == j && step->Prefix.empty())
                return static_cast<int>(steps.rend() - step);
            break;
        }
    return working.Add(MonthlyRateLabel, {}, "{1} \u00f7 12", {Percent(annualRatePercent)}, j, FigureKind::Factor);
}

double AnnuityRepayment(double principal, double months, double annualRatePercent, Working* working)
{
    constexpr Phrase label{"Monthly repayment"};
    if (principal == 0.0 || months == 0.0) {
        if (working)
            working->Add(label, {"No principal or no period: nothing to repay"}, {}, 0.0);
        return 0.0;
    }
    const double j = MonthlyRate(annualRatePercent);
    if (NoInterest(j)) {
        const double repayment = Bounded(principal / months);
        if (working)
            working->Add(label, {"Monthly repayment over {2} months at no interest"}, "{1} \u00f7 {2}",
                         {AsUsed(principal), Count(months)}, repayment);
        return repayment;
    }
    const double repayment = Bounded(j * principal / (1.0 - std::pow(1.0 + j, -months)));
    if (working) {
        RecordMonthlyRate(*working, annualRatePercent);
        working->Add(label, {"Monthly repayment over {3} months"},
                     "{1} \u00d7 {2} \u00f7 12 \u00f7 (1 \u2212 (1 + {2} \u00f7 12)^\u2212{3})",
                     {AsUsed(principal), Percent(annualRatePercent), Count(months)}, repayment);
    }
    return repayment;
}

double AnnuityPrincipal(double months, double annualRatePercent, double repayment, Working* working)
{
    if (months == 0.0 || repayment == 0.0) {
        if (working)
            working->Add({"Principal amount"}, {"No period or no repayment: no principal"}, {}, 0.0);
        return 0.0;
    }
    const double principal = Bounded(AnnuityFactor(months, MonthlyRate(annualRatePercent)) * repayment);
    if (working)
        RecordValue(*working, {"Principal amount"}, {"Principal that {3} repayments repay"}, annualRatePercent,
                    repayment, months, principal);
    return principal;
}

PeriodCount CountPeriod(double principal, double annualRatePercent, double repayment, Working* working)
{
    const PeriodCount none{0.0, repayment};
    if (principal == 0.0 || repayment == 0.0) {
        if (working)
            working->Add(PeriodLabel, {"No principal or no repayment: no period"}, {}, 0.0, FigureKind::Count);
        return none;
    }
    constexpr Phrase falls{"Value short of the principal"};
    constexpr Phrase passes{"Value past the principal"};
    constexpr Phrase valueOf{"Value of {3} repayments"};
    double shortOf = 0.0; // the value of one repayment fewer
    for (int n = 1;; ++n) {
        if (n > MostLoanMonths) {
            if (working) {
                RecordValue(*working, falls, valueOf, annualRatePercent, repayment, MostLoanMonths, shortOf);
                working->Add(PeriodLabel, {"No period up to {1} months repays {2}"},
                             {Count(MostLoanMonths), Rand(principal)}, 0.0, FigureKind::Count);
            }
            return none;
        }
        const double value = AnnuityPrincipal(n, annualRatePercent, repayment);
        const Reach reach = Compare(value, principal);
        if (reach == Reach::Exact) {
            if (working) {
                RecordValue(*working, {"Value of the repayments"}, valueOf, annualRatePercent, repayment, n, value);
                working->Add(PeriodLabel, {"Months whose repayments are worth exactly {1}"}, {Rand(principal)}, n,
                             FigureKind::Count);
            }
            return {static_cast<double>(n), OnTheCent(repayment)};
        }
        if (reach == Reach::Short) {
            shortOf = value;
            continue;
        }
        const int months = n - 1;
        if (working) {
            if (months > 0)
                RecordValue(*working, falls, valueOf, annualRatePercent, repayment, months, shortOf);
            RecordValue(*working, passes, valueOf, annualRatePercent, repayment, n, value);
        }
        if (months == 0) {
            if (working)
                working->Add(PeriodLabel, {"A single repayment is worth more than {1}"}, {Rand(principal)}, 1.0,
                             FigureKind::Count);
            return {1.0, repayment};
        }
        // The smallest k >= 1 with PV(given + k x 0.01) >= principal. Stepping a cent at a time
        // could take billions of steps on a large loan, so k is worked out and then checked
        // against the very comparison the steps would make.
        const auto covers = [&](double k) {
            return Compare(AnnuityPrincipal(months, annualRatePercent, repayment + k * Cent), principal) != Reach::Short;
        };
        const double factor = AnnuityFactor(months, MonthlyRate(annualRatePercent));
        double k = std::ceil((principal / factor - repayment) / Cent);
        if (!std::isfinite(k) || k < 1.0)
            k = 1.0;
        for (int tries = 0; tries < 8 && !covers(k); ++tries)
            k += 1.0;
        for (int tries = 0; tries < 8 && k > 1.0 && covers(k - 1.0); ++tries)
            k -= 1.0;
        const double raised = Bounded(OnTheCent(repayment + k * Cent));
        if (working) {
            working->Add({"Repayment raised"}, {"Repayment raised by whole cents until {4} months cover {5}"},
                         "{1} + {2} \u00d7 {3}",
                         {AsUsed(repayment), Count(k), Amount(Cent), Count(months), Rand(principal)}, raised);
            working->Add(PeriodLabel, {"Months before the repayments are worth more than {1}"}, {Rand(principal)},
                         months, FigureKind::Count);
        }
        return {static_cast<double>(months), raised};
    }
}

} // namespace revora
