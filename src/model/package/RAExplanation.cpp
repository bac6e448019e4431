// The worked lines of the panel "R/A Explained(Annual Figures Shown)".

#include <cmath>

#include "common/AmountFormat.h"
#include "package/PackageSteps.h"

namespace revora {

namespace {

// A share as a percentage without trailing zeros: 0.275 -> "27.5 %".
std::string PercentText(double share)
{
    std::string text = FormatAmount(share * 100.0, 2);
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text + " %";
}

std::string RandText(double amount) { return "R " + FormatAmount(amount); }

// The one deduction in annual figures (the monthly screens' figures x 12):
//   the rule; "ie: 27.5 % of R <income> = R <share>, at most R <cap> a year"; the four fund
//   contributions together; what they leave of the limit for the R/A.
std::vector<std::string> OneDeductionLines(const package::PeriodRules& rules, const PackageResult& r,
                                           const TaxYear& year)
{
    const double periods = rules.PeriodsInYear;
    const double rate = year.Retirement.Rate;
    const std::string cap = "R " + FormatAmount(year.Retirement.AnnualCap, 0);
    const double income = r.RetirementIncome * periods;
    const double limit = r.RetirementLimit * periods;
    const double funds
        = (r.EmployeePension + r.EmployerPension + r.EmployeeProvident + r.EmployerProvident) * periods;
    std::vector<std::string> lines{
        "One deduction covers the pension, provident and R/A contributions together, the employer's included "
        "(a taxable fringe benefit):",
        "at most " + PercentText(rate) + " of the greater of remuneration and taxable income, and at most " + cap
            + " a year.",
        "ie: " + PercentText(rate) + " of " + RandText(income) + " = " + RandText(rate * income) + ", at most " + cap
            + " a year",
        "Pension and provident contributions: " + RandText(funds),
    };
    lines.push_back(funds < limit
                        ? "R/A: at most " + RandText(limit) + " - " + RandText(funds) + " = " + RandText(limit - funds)
                        : "R/A: nothing, as the funds take the whole limit of " + RandText(limit));
    return lines;
}

} // namespace

RAExplanation ExplainRA(PackageKind kind, const PackageResult& result)
{
    return ExplainRA(kind, result, TaxYear2016());
}

RAExplanation ExplainRA(PackageKind kind, const PackageResult& result, const TaxYear& year)
{
    const package::PeriodRules rules = package::RulesFor(kind);
    RAExplanation lines;
    if (package::OneDeductionYear(year)) {
        lines.OneDeduction = OneDeductionLines(rules, result, year);
        return lines;
    }
    const double pension = rules.PensionYearFactor * result.EmployeePension;
    const double rest = package::RAYearLimitA - pension;
    lines.LineA = "ie: R 3 500 - R" + FormatAmount(pension) + (rest < 0.0 ? " = - R" : " = R") + FormatAmount(std::fabs(rest));
    lines.LineC = "ie: R " + FormatAmount(result.NonRetirementIncome * rules.PeriodsInYear) + " X 15% = R"
        + FormatAmount(result.RALimitC * rules.PeriodsInYear);
    return lines;
}

} // namespace revora
