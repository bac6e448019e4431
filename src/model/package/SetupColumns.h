#pragma once
// The eleven columns of the Setup row as the "Setup" panel shows them, each with the limit its
// box or pair of option buttons holds it to. Each limit is defined here once: the panel, the
// reader of the settings file, `revora-calc settings --set` and the settings given for one run
// all read it, so that no value one of them refuses reaches a calculation through another.

#include <array>
#include <string>
#include <string_view>

#include "common/InputNumbers.h"
#include "package/SalaryPackage.h"
#include "payroll/PayeCommon.h"

namespace revora {

// What a column holds, and so what it takes:
//   Percent        a share of the pay it is worked on, from 0 to MostLevyPercent (100 %):
//                  above it a contribution or a levy would be more than the pay it comes from;
//   Ceiling        the UIF monthly limit in rand: above 0, for a ceiling of 0 or less would
//                  give no UIF or a negative one, and at most MostUIFLimit;
//   InclusionRate  one of InclusionRates (0.8 or 0.2), the panel's two option buttons;
//   YesNo          the maintenance plan's "Yes" and "No".
enum class SetupKind { Percent, Ceiling, InclusionRate, YesNo };

// The most the UIF monthly limit's box takes: the most any number box takes.
inline constexpr double MostUIFLimit = LargestTypedAmount;

struct SetupColumn {
    std::string_view name;    // the column of table Setup
    std::string_view caption; // the panel's label
    SetupKind kind;
    int decimals;                          // as the panel's box shows the value
    double PackageSettings::*rate = nullptr; // the value held; none for the YesNo column
};

// The eleven, in the order of the table and the panel: the four contributions, the five
// payroll columns, the two company-car columns.
inline constexpr std::array<SetupColumn, 11> SetupColumns{{
    {"PensionCont", "Employee pension contribution", SetupKind::Percent, 2, &PackageSettings::PensionCont},
    {"EmployerPenCont", "Employer's pension contribution", SetupKind::Percent, 2, &PackageSettings::EmployerPenCont},
    {"ProvCont", "Employee provident contribution", SetupKind::Percent, 2, &PackageSettings::ProvCont},
    {"EmployerProvCont", "Employer's provident contribution", SetupKind::Percent, 2,
     &PackageSettings::EmployerProvCont},
    {"EmployeeUIF", "Employee UIF portion", SetupKind::Percent, 3, &PackageSettings::EmployeeUIF},
    {"EmployerUIF", "Employer UIF portion", SetupKind::Percent, 3, &PackageSettings::EmployerUIF},
    {"SkillLevy", "Skills levy", SetupKind::Percent, 3, &PackageSettings::SkillLevy},
    {"UIFLimit", "UIF monthly limit", SetupKind::Ceiling, 0, &PackageSettings::UIFLimit},
    {"TAIncRate8020", "Travel allowance inclusion rate", SetupKind::InclusionRate, 1, &PackageSettings::TAIncRate8020},
    {"CompCarFBRate8020", "Company car fringe benefit rate", SetupKind::InclusionRate, 1,
     &PackageSettings::CompCarFBRate8020},
    {"CompCarMPYesNo", "Company car has maintenance plan", SetupKind::YesNo, 0},
}};

// The column of that name, or nullptr.
const SetupColumn* FindSetupColumn(std::string_view name) noexcept;
// The column by name that the program itself uses; a name not among the eleven is a fault in
// the program (std::logic_error).
const SetupColumn& SetupColumnNamed(std::string_view name);

// The column's value in `settings`, the maintenance plan as 1 (yes) or 0 (no), and back.
double SetupValue(const SetupColumn& column, const PackageSettings& settings) noexcept;
void SetSetupValue(const SetupColumn& column, PackageSettings& settings, double value) noexcept;

// Whether the column takes the value: for YesNo, 1 (yes) or 0 (no).
bool SetupAllows(const SetupColumn& column, double value) noexcept;
// What the column takes, finishing "... must be ": "0 to 100", "above 0 and at most
// 999 999 999 999.99", "0.8 or 0.2", "yes or no".
std::string SetupLimitText(const SetupColumn& column);
// The panel's message for a value it does not take: "UIF monthly limit must be above 0 and at
// most 999 999 999 999.99."; a percentage, whose box takes no minus sign, "Skills levy can be
// at most 100 %." (LevyPercentTooLargeMessage).
std::string SetupRefusal(const SetupColumn& column);

} // namespace revora
