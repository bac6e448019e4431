// The worked lines of the panel "R/A Explained(Annual Figures Shown)".

#include <charconv>
#include <cmath>

#include "package/PackageSteps.h"

namespace revora {
namespace {

// "### ### ##0.00": two decimals, the whole digits in threes parted by a blank. Written
// without the C locale, whose decimal mark may be a comma.
std::string Grouped(double value)
{
    if (!std::isfinite(value))
        return {};
    char digits[400];
    const auto written = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 2);
    std::string text(digits, written.ptr);
    const std::size_t sign = text.front() == '-' ? 1 : 0;
    // Blanks go in from the decimal point leftwards, three digits apart.
    for (std::size_t at = text.size() - 3; at > sign + 3; at -= 3)
        text.insert(at - 3, 1, ' ');
    if (text.find_first_of("123456789") == std::string::npos)
        text.erase(0, sign); // a rounded-away negative shows as "0.00"
    return text;
}

} // namespace

RAExplanation ExplainRA(PackageKind kind, const PackageResult& result)
{
    const package::PeriodRules rules = package::RulesFor(kind);
    const double pension = rules.PensionYearFactor * result.EmployeePension;
    const double rest = 3500.0 - pension;
    RAExplanation lines;
    lines.LineA = "ie: R 3 500 - R" + Grouped(pension) + (rest < 0.0 ? " = - R" : " = R") + Grouped(std::fabs(rest));
    lines.LineC = "ie: R " + Grouped(result.NonRetirementIncome * rules.PeriodsInYear) + " X 15% = R"
        + Grouped(result.RALimitC * rules.PeriodsInYear);
    return lines;
}

} // namespace revora
