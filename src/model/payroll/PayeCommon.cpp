#include "payroll/PayeCommon.h"

#include <charconv>
#include <cmath>

#include "common/AmountFormat.h"
#include "payroll/PayeSteps.h"

namespace revora {

std::optional<PayeRefusal> CheckContributions(const PayeInputs& in, double inclusionRate)
{
    const double contributions = in.Pension + in.RetirementAnnuity;
    const double income = paye::PeriodRemuneration(in, inclusionRate * in.TravelAllowance) + in.Bonus;
    if (!(contributions > income))
        return std::nullopt;
    return PayeRefusal{"Incorrect Contributions",
                       "The pension and R/A contributions, " + FormatAmount(contributions)
                           + ", are more than the period's income, " + FormatAmount(income)
                           + " (salary, commissions, bonus, taxable travel allowance and the employer's medical "
                             "contribution).",
                       PayeFocus::Pension};
}

std::string TooManyBeneficiariesMessage(std::int16_t most)
{
    return "The number of medical aid beneficiaries can be at most " + std::to_string(most) + ".";
}

std::string LevyPercentTooLargeMessage(std::string_view caption)
{
    char most[32];
    const auto written = std::to_chars(most, most + sizeof most, MostLevyPercent);
    return std::string(caption) + " can be at most " + std::string(most, written.ptr) + " %.";
}

double AsShownTwoDecimals(double value) noexcept
{
    // A box shows no "inf" or "nan" (its text is empty), and empty text reads as 0.
    if (!std::isfinite(value))
        return 0.0;
    // The text a two-decimal box shows, written and read without the C locale's say (a
    // program may run under a locale whose decimal mark is a comma).
    char text[400];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    double shown = 0.0;
    std::from_chars(text, written.ptr, shown);
    return shown + 0.0; // "-0.00" reads as 0
}

} // namespace revora
