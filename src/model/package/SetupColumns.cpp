#include "package/SetupColumns.h"

#include <algorithm>
#include <stdexcept>

#include "common/AmountFormat.h"

namespace revora {

const SetupColumn* FindSetupColumn(std::string_view name) noexcept
{
    const auto found = std::find_if(SetupColumns.begin(), SetupColumns.end(),
                                    [name](const SetupColumn& column) { return column.name == name; });
    return found == SetupColumns.end() ? nullptr : &*found;
}

const SetupColumn& SetupColumnNamed(std::string_view name)
{
    if (const SetupColumn* column = FindSetupColumn(name))
        return *column;
    throw std::logic_error("no column " + std::string(name) + " in the Setup row");
}

double SetupValue(const SetupColumn& column, const PackageSettings& settings) noexcept
{
    if (column.rate)
        return settings.*column.rate;
    return settings.CompCarMPYesNo ? 1.0 : 0.0;
}

void SetSetupValue(const SetupColumn& column, PackageSettings& settings, double value) noexcept
{
    if (column.rate)
        settings.*column.rate = value;
    else
        settings.CompCarMPYesNo = value != 0.0;
}

bool SetupAllows(const SetupColumn& column, double value) noexcept
{
    switch (column.kind) {
    case SetupKind::Percent:
        return IsLevyPercentAllowed(value);
    case SetupKind::Ceiling:
        return value > 0.0 && value <= MostUIFLimit;
    case SetupKind::InclusionRate:
        return std::find(InclusionRates.begin(), InclusionRates.end(), value) != InclusionRates.end();
    case SetupKind::YesNo:
        return value == 0.0 || value == 1.0;
    }
    return false;
}

std::string SetupLimitText(const SetupColumn& column)
{
    switch (column.kind) {
    case SetupKind::Percent:
        return "0 to " + FormatAmount(MostLevyPercent, 0);
    case SetupKind::Ceiling:
        return "above 0 and at most " + FormatAmount(MostUIFLimit, 2);
    case SetupKind::InclusionRate:
        return FormatAmount(InclusionRates[0], 1) + " or " + FormatAmount(InclusionRates[1], 1);
    case SetupKind::YesNo:
        return "yes or no";
    }
    return {};
}

std::string SetupRefusal(const SetupColumn& column)
{
    if (column.kind == SetupKind::Percent)
        return LevyPercentTooLargeMessage(column.caption);
    return std::string(column.caption) + " must be " + SetupLimitText(column) + ".";
}

} // namespace revora
