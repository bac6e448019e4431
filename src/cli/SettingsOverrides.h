#pragma once
// The employer's settings given on the command line for one run. Each is read and checked with
// the other arguments, before the settings database is opened, so that a refused run writes
// nothing; once the stored row is read the given columns are laid over it. The database itself
// is never written. Each option takes what its column's box or option buttons on the "Setup"
// panel take (SetupAllows), and its help names the limit.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "CalcCommand.h"
#include "common/AmountFormat.h"
#include "package/SetupColumns.h"

namespace revora::cli {

// A percentage of the Setup row, 0 to 100, for this run only.
inline OptionDef SetupPercentOption(std::string name, const std::string& caption)
{
    return {.name = std::move(name), .kind = OptionKind::Percentage,
            .help = caption + ", {least} to {most} %, for this run only", .least = 0.0, .most = MostLevyPercent};
}
// The inclusion rates as the choices of an option.
inline const std::vector<std::string> InclusionRateChoices{FormatAmount(InclusionRates[0], 1),
                                                           FormatAmount(InclusionRates[1], 1)};
inline OptionDef InclusionRateOption(std::string name, const std::string& caption)
{
    return {.name = std::move(name), .kind = OptionKind::Choice, .help = caption + ", for this run only",
            .choices = InclusionRateChoices};
}

// The five settings the employees' tax and the salary package calculators share, under the
// same names in both kinds of settings.
inline const OptionDef EmployeeUifOption = SetupPercentOption("employee-uif", "employee UIF portion");
inline const OptionDef EmployerUifOption = SetupPercentOption("employer-uif", "employer UIF portion");
inline const OptionDef SdlOption = SetupPercentOption("sdl", "skills levy");
inline const OptionDef UifLimitOption{.name = "uif-limit", .kind = OptionKind::Amount,
                                      .help = "UIF monthly limit, above {least}, for this run only", .least = 0.0,
                                      .most = MostUIFLimit};
inline const OptionDef TravelInclusionOption =
    InclusionRateOption("travel-inclusion", "travel allowance inclusion rate");

// The salary package calculators' own.
inline const OptionDef PensionPct = SetupPercentOption("pension-pct", "employee pension contribution");
inline const OptionDef EmployerPensionPct =
    SetupPercentOption("employer-pension-pct", "employer's pension contribution");
inline const OptionDef ProvidentPct = SetupPercentOption("provident-pct", "employee provident contribution");
inline const OptionDef EmployerProvidentPct =
    SetupPercentOption("employer-provident-pct", "employer's provident contribution");
inline const OptionDef CarInclusion = InclusionRateOption("car-inclusion", "company car fringe benefit rate");
inline const OptionDef MaintenancePlan =
    YesNoOption("maintenance-plan", "the company car has a maintenance plan, for this run only");

template <typename Settings>
class SettingsOverrides {
public:
    // A number given for the column named, laid over it when the column takes it; any other
    // refuses the run, saying what the option must be.
    SettingsOverrides& number(const ParsedOptions& options, const OptionDef& option, double Settings::*member,
                              std::string_view column)
    {
        const auto given = options.numberIfGiven(option);
        if (!given)
            return *this;
        const SetupColumn& limits = SetupColumnNamed(column);
        if (!SetupAllows(limits, *given))
            throw UsageError("--" + option.name + ": '" + *options.value(option) + "' must be " +
                             SetupLimitText(limits));
        set(member, *given);
        return *this;
    }

    SettingsOverrides& yesNo(const ParsedOptions& options, const OptionDef& option, bool Settings::*member)
    {
        if (const auto given = options.yesNoIfGiven(option))
            set(member, *given);
        return *this;
    }

    Settings appliedTo(Settings stored) const
    {
        for (const auto& apply : given_)
            apply(stored);
        return stored;
    }

private:
    template <typename Value>
    void set(Value Settings::*member, Value value)
    {
        given_.push_back([member, value](Settings& settings) { settings.*member = value; });
    }

    std::vector<std::function<void(Settings&)>> given_;
};

template <typename Settings>
SettingsOverrides<Settings> PayrollOverrides(const ParsedOptions& options)
{
    SettingsOverrides<Settings> overrides;
    overrides.number(options, EmployeeUifOption, &Settings::EmployeeUIF, "EmployeeUIF")
        .number(options, EmployerUifOption, &Settings::EmployerUIF, "EmployerUIF")
        .number(options, SdlOption, &Settings::SkillLevy, "SkillLevy")
        .number(options, UifLimitOption, &Settings::UIFLimit, "UIFLimit")
        .number(options, TravelInclusionOption, &Settings::TAIncRate8020, "TAIncRate8020");
    return overrides;
}

inline SettingsOverrides<PackageSettings> PackageOverrides(const ParsedOptions& options)
{
    auto overrides = PayrollOverrides<PackageSettings>(options);
    overrides.number(options, PensionPct, &PackageSettings::PensionCont, "PensionCont")
        .number(options, EmployerPensionPct, &PackageSettings::EmployerPenCont, "EmployerPenCont")
        .number(options, ProvidentPct, &PackageSettings::ProvCont, "ProvCont")
        .number(options, EmployerProvidentPct, &PackageSettings::EmployerProvCont, "EmployerProvCont")
        .number(options, CarInclusion, &PackageSettings::CompCarFBRate8020, "CompCarFBRate8020")
        .yesNo(options, MaintenancePlan, &PackageSettings::CompCarMPYesNo);
    return overrides;
}

// Their options, as --help lists them.
inline Options PayrollSettingOptions()
{
    return {&EmployeeUifOption, &EmployerUifOption, &SdlOption, &UifLimitOption, &TravelInclusionOption};
}

} // namespace revora::cli
