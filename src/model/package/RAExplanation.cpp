// The worked lines of the panel "R/A Explained(Annual Figures Shown)".

#include <cmath>

#include "common/AmountFormat.h"
#include "package/PackageSteps.h"

namespace revora {

RAExplanation ExplainRA(PackageKind kind, const PackageResult& result)
{
    const package::PeriodRules rules = package::RulesFor(kind);
    const double pension = rules.PensionYearFactor * result.EmployeePension;
    const double rest = package::RAYearLimitA - pension;
    RAExplanation lines;
    lines.LineA = "ie: R 3 500 - R" + FormatAmount(pension) + (rest < 0.0 ? " = - R" : " = R") + FormatAmount(std::fabs(rest));
    lines.LineC = "ie: R " + FormatAmount(result.NonRetirementIncome * rules.PeriodsInYear) + " X 15% = R"
        + FormatAmount(result.RALimitC * rules.PeriodsInYear);
    return lines;
}

} // namespace revora
