#include "finance/Annuity.h"

#include <cmath>
#include <limits>

#include "common/Bounded.h"

namespace revora {
namespace {

// The present value of 1 a month for n months: (1 - (1 + j)^-n) / j. A rate so small that
// 1 + j rounds to 1 takes the limit n, where the formula would divide 0 by j.
double AnnuityFactor(double months, double j) noexcept
{
    if (1.0 + j == 1.0)
        return months;
    return (1.0 - std::pow(1.0 + j, -months)) / j;
}

} // namespace

double AnnuityRepayment(double principal, double months, double annualRatePercent) noexcept
{
    if (principal == 0.0 || months == 0.0)
        return 0.0;
    const double j = MonthlyRate(annualRatePercent);
    if (1.0 + j == 1.0)
        return Bounded(principal / months);
    return Bounded(j * principal / (1.0 - std::pow(1.0 + j, -months)));
}

double AnnuityPrincipal(double months, double annualRatePercent, double repayment) noexcept
{
    if (months == 0.0 || repayment == 0.0)
        return 0.0;
    return Bounded(AnnuityFactor(months, MonthlyRate(annualRatePercent)) * repayment);
}

PeriodCount CountPeriod(double principal, double annualRatePercent, double repayment) noexcept
{
    const PeriodCount none{0.0, repayment};
    if (principal == 0.0 || repayment == 0.0)
        return none;
    for (int n = 1;; ++n) {
        if (n > MostLoanMonths)
            return none;
        const double value = AnnuityPrincipal(n, annualRatePercent, repayment);
        if (value == principal)
            return {static_cast<double>(n), repayment};
        if (value < principal)
            continue;
        const int months = n - 1;
        if (months == 0)
            return {1.0, repayment};
        // The smallest k >= 1 with PV(given + k x 0.01) >= principal. Stepping a cent at a time
        // could take billions of steps on a large loan, so k is worked out and then checked
        // against the very comparison the steps would make.
        const auto covers = [&](double k) {
            return AnnuityPrincipal(months, annualRatePercent, repayment + k * 0.01) >= principal;
        };
        const double factor = AnnuityFactor(months, MonthlyRate(annualRatePercent));
        double k = std::ceil((principal / factor - repayment) / 0.01);
        if (!std::isfinite(k) || k < 1.0)
            k = 1.0;
        for (int tries = 0; tries < 8 && !covers(k); ++tries)
            k += 1.0;
        for (int tries = 0; tries < 8 && k > 1.0 && covers(k - 1.0); ++tries)
            k -= 1.0;
        return {static_cast<double>(months), Bounded(repayment + k * 0.01)};
    }
}

} // namespace revora
