#pragma once
// What the five employees' tax calculations share: the employer's settings, one employee's
// inputs for a pay period, the results of a periodic calculation, and the refusal a period
// check gives. Plain values; the screens and revora-calc fill them.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/Working.h"

namespace revora {

// The five payroll columns of the Setup row.
struct PayeSettings {
    double EmployeeUIF = 1.0;    // percent
    double EmployerUIF = 1.0;    // percent
    double SkillLevy = 1.0;      // SDL, percent
    double UIFLimit = 14872.0;   // monthly remuneration ceiling for UIF, rand
    double TAIncRate8020 = 0.8;  // taxable part of a travel allowance: 0.8 or 0.2
};

// The taxable share of a travel allowance or of a company-car benefit is one of these two, as
// the settings panel's pair of option buttons offers them.
inline constexpr std::array<double, 2> InclusionRates{0.8, 0.2};

// The UIF and SDL rates are shares of the remuneration they are worked on: above 100 % a
// contribution would be more than the pay it comes from. The settings panel and revora-calc
// refuse such rates with this limit.
inline constexpr double MostLevyPercent = 100.0;
inline constexpr bool IsLevyPercentAllowed(double percent) noexcept
{
    return percent >= 0.0 && percent <= MostLevyPercent;
}
// "Employee UIF portion can be at most 100 %."
std::string LevyPercentTooLargeMessage(std::string_view caption);

// One employee's amounts for the pay period (a month, week, fortnight or day).
struct PayeInputs {
    std::int16_t Age = 0;
    double Salary = 0.0;
    double EmployerMedical = 0.0; // employer's medical scheme contribution (a taxable benefit)
    double EmployeeMedical = 0.0; // employee's own medical scheme contribution
    double Commission = 0.0;
    double Bonus = 0.0;           // bonus or other irregular amount paid this period
    double TravelAllowance = 0.0;
    std::int16_t Beneficiaries = 0; // members and dependants on the medical scheme
    double Pension = 0.0;           // allowable pension contributions
    double RetirementAnnuity = 0.0; // allowable R/A contributions
    double MedDeduction = 0.0;      // "Med Aid contribution deduction": printed only
};

// Results of the monthly, weekly, fortnightly and daily calculations.
struct PeriodicPayeResult {
    double TaxableTravelAllowance = 0.0; // inclusion rate x travel allowance, unrounded
    double UIFEmployee = 0.0;
    double UIFEmployer = 0.0;
    double SDL = 0.0;
    double TaxLiability = 0.0;            // the period's tax before the medical credits
    double MedicalCredit = 0.0;           // medical scheme fees tax credit of the period
    double AdditionalMedicalCredit = 0.0; // from age 65
    double TotalTaxDeduction = 0.0;       // tax less both credits, never below 0
};

// The input a refused calculation sends the user back to.
enum class PayeFocus { StartDate, EndDate, NormalDays, ThisDays, Calculate, Beneficiaries, Pension };

// A calculation that cannot run: the message box's title and text, and where the focus goes.
struct PayeRefusal {
    std::string title;
    std::string message;
    PayeFocus focus;
};

// Pension + R/A above the period's income would leave a negative income to tax and a levy
// owed back: refused, naming both figures, title "Incorrect Contributions", focus on the
// pension. The income is everything paid for the period that the contributions come from:
// salary + commission + bonus + the taxable travel allowance (`inclusionRate` x the allowance)
// + the employer's medical contribution, a taxable benefit in the remuneration as it is in the
// UIF base. The screens, the payroll file and revora-calc refuse with this.
std::optional<PayeRefusal> CheckContributions(const PayeInputs& inputs, double inclusionRate);

// The medical credits are worked in 16-bit products, which overflow beyond these counts, so
// larger counts are refused where they are typed.
inline constexpr std::int16_t MostBeneficiaries = 183;         // monthly, weekly, fortnightly
inline constexpr std::int16_t MostDailyBeneficiaries = 17;     // (n - 2) x 181 x 12
inline constexpr std::int16_t MostAnnualMembersInAMonth = 180; // 540 + 181 x (n - 2)
// "The number of medical aid beneficiaries can be at most 183."
std::string TooManyBeneficiariesMessage(std::int16_t most);

// The value a two-decimal result box shows, read back as a number: the printouts carry UIF
// and SDL as shown, not unrounded.
double AsShownTwoDecimals(double value) noexcept;

} // namespace revora
