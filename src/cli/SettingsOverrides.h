#pragma once
// The employer's settings given on the command line for one run. Each is read and checked with
// the other arguments, before the settings database is opened, so that a refused run writes
// nothing; once the stored row is read the given columns are laid over it. The database itself
// is never written.

#include <functional>
#include <string>
#include <vector>

#include "CalcCommand.h"
#include "payroll/PayeCommon.h"
#include "AmountFormat.h"

namespace revora::cli {

template <typename Settings>
class SettingsOverrides {
public:
    // A percentage or an amount: any number.
    SettingsOverrides& number(const ParsedOptions& options, const char* option, double Settings::*column)
    {
        if (const auto given = options.numberIfGiven(option))
            set(column, *given);
        return *this;
    }

    // A UIF or SDL rate: a share of the pay, from 0 to 100 %, as the settings panel takes it.
    SettingsOverrides& levy(const ParsedOptions& options, const char* option, double Settings::*column)
    {
        const auto given = options.numberIfGiven(option);
        if (!given)
            return *this;
        if (!IsLevyPercentAllowed(*given))
            throw UsageError(std::string("--") + option + ": '" + *options.value(option) + "' must be 0 to "
                             + FormatAmount(MostLevyPercent, 0));
        set(column, *given);
        return *this;
    }

    // An inclusion rate: only the two that the settings panel's option buttons offer.
    SettingsOverrides& inclusionRate(const ParsedOptions& options, const char* option, double Settings::*column)
    {
        const auto given = options.numberIfGiven(option);
        if (!given)
            return *this;
        if (*given != 0.8 && *given != 0.2)
            throw UsageError(std::string("--") + option + ": '" + *options.value(option) + "' must be 0.8 or 0.2");
        set(column, *given);
        return *this;
    }

    SettingsOverrides& yesNo(const ParsedOptions& options, const char* option, bool Settings::*column)
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
    template <typename Value>
    void set(Value Settings::*column, Value value)
    {
        given_.push_back([column, value](Settings& settings) { settings.*column = value; });
    }

    std::vector<std::function<void(Settings&)>> given_;
};

// The five columns the employees' tax and the salary package calculators share, under the
// same names in both kinds of settings.
template <typename Settings>
SettingsOverrides<Settings> PayrollOverrides(const ParsedOptions& options)
{
    SettingsOverrides<Settings> overrides;
    overrides.levy(options, "employee-uif", &Settings::EmployeeUIF)
        .levy(options, "employer-uif", &Settings::EmployerUIF)
        .levy(options, "sdl", &Settings::SkillLevy)
        .number(options, "uif-limit", &Settings::UIFLimit)
        .inclusionRate(options, "travel-inclusion", &Settings::TAIncRate8020);
    return overrides;
}

// Their options, as --help lists them.
inline std::vector<OptionDef> PayrollSettingOptions()
{
    return {
        {"employee-uif", true, "PERCENT  employee UIF portion, for this run only"},
        {"employer-uif", true, "PERCENT  employer UIF portion, for this run only"},
        {"sdl", true, "PERCENT  skills levy, for this run only"},
        {"uif-limit", true, "RAND  UIF monthly limit, for this run only"},
        {"travel-inclusion", true, "0.8|0.2  travel allowance inclusion rate, for this run only"},
    };
}

} // namespace revora::cli
