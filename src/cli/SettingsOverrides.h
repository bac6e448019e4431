#pragma once
// The employer's settings given on the command line for one run. Each is read and checked with
// the other arguments, before the settings database is opened, so that a refused run writes
// nothing; once the stored row is read the given columns are laid over it. The database itself
// is never written.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "CalcCommand.h"
#include "payroll/PayeCommon.h"
#include "common/AmountFormat.h"

namespace revora::cli {

// The five settings the employees' tax and the salary package calculators share, under the
// same names in both kinds of settings.
inline const OptionDef EmployeeUifOption{.name = "employee-uif", .kind = OptionKind::Percentage,
                                         .help = "employee UIF portion, for this run only", .least = 0.0,
                                         .most = MostLevyPercent};
inline const OptionDef EmployerUifOption{.name = "employer-uif", .kind = OptionKind::Percentage,
                                         .help = "employer UIF portion, for this run only", .least = 0.0,
                                         .most = MostLevyPercent};
inline const OptionDef SdlOption{.name = "sdl", .kind = OptionKind::Percentage,
                                 .help = "skills levy, for this run only", .least = 0.0, .most = MostLevyPercent};
inline const OptionDef UifLimitOption{"uif-limit", OptionKind::Amount, "UIF monthly limit, for this run only"};
// The inclusion rates as the choices of an option.
inline const std::vector<std::string> InclusionRateChoices{FormatAmount(InclusionRates[0], 1),
                                                           FormatAmount(InclusionRates[1], 1)};
// Whether a number given is one of the inclusion rates.
inline bool IsInclusionRate(double rate)
{
    return std::find(InclusionRates.begin(), InclusionRates.end(), rate) != InclusionRates.end();
}
inline const OptionDef TravelInclusionOption{.name = "travel-inclusion", .kind = OptionKind::Choice,
                                             .help = "travel allowance inclusion rate, for this run only",
                                             .choices = InclusionRateChoices};

template <typename Settings>
class SettingsOverrides {
public:
    // A percentage or an amount: any number.
    SettingsOverrides& number(const ParsedOptions& options, const OptionDef& option, double Settings::*column)
    {
        if (const auto given = options.numberIfGiven(option))
            set(column, *given);
        return *this;
    }

    // A UIF or SDL rate: a share of the pay, from 0 to 100 %, as the settings panel takes it.
    SettingsOverrides& levy(const ParsedOptions& options, const OptionDef& option, double Settings::*column)
    {
        return checked(options, option, column, IsLevyPercentAllowed, "0 to " + FormatAmount(MostLevyPercent, 0));
    }

    // An inclusion rate: only one of the two.
    SettingsOverrides& inclusionRate(const ParsedOptions& options, const OptionDef& option, double Settings::*column)
    {
        return checked(options, option, column, IsInclusionRate, OneOf(option.choices));
    }

    SettingsOverrides& yesNo(const ParsedOptions& options, const OptionDef& option, bool Settings::*column)
    {
        if (const auto given = options.yesNoIfGiven(option))
            set(column, *given);
        return *this;
    }

    Settings appliedTo(Settings stored) const
    {
        for (const auto& apply : given_)
            apply(stored);
        return stored;
    }

private:
    // A number given, laid over the column when `allowed` takes it; any other refuses the run,
    // saying what the option must be.
    template <typename Allowed>
    SettingsOverrides& checked(const ParsedOptions& options, const OptionDef& option, double Settings::*column,
                               Allowed allowed, const std::string& mustBe)
    {
        const auto given = options.numberIfGiven(option);
        if (!given)
            return *this;
        if (!allowed(*given))
            throw UsageError("--" + option.name + ": '" + *options.value(option) + "' must be " + mustBe);
        set(column, *given);
        return *this;
    }

    template <typename Value>
    void set(Value Settings::*column, Value value)
    {
        given_.push_back([column, value](Settings& settings) { settings.*column = value; });
    }

    std::vector<std::function<void(Settings&)>> given_;
};

template <typename Settings>
SettingsOverrides<Settings> PayrollOverrides(const ParsedOptions& options)
{
    SettingsOverrides<Settings> overrides;
    overrides.levy(options, EmployeeUifOption, &Settings::EmployeeUIF)
        .levy(options, EmployerUifOption, &Settings::EmployerUIF)
        .levy(options, SdlOption, &Settings::SkillLevy)
        .number(options, UifLimitOption, &Settings::UIFLimit)
        .inclusionRate(options, TravelInclusionOption, &Settings::TAIncRate8020);
    return overrides;
}

// Their options, as --help lists them.
inline Options PayrollSettingOptions()
{
    return {&EmployeeUifOption, &EmployerUifOption, &SdlOption, &UifLimitOption, &TravelInclusionOption};
}

} // namespace revora::cli
