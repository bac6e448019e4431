#pragma once
// An employee's tax for the tax year, or the part of it worked, with the medical credit
// counted month by month.

#include <array>
#include <optional>

#include "payroll/PayeCommon.h"
#include "tax/TaxEngine.h"

namespace revora {

struct AnnualPayeInputs {
    PayeInputs Amounts; // the period's amounts; Beneficiaries is what was last typed for every month
    int StartDate = 42064; // 01/03/2015
    int EndDate = 42429;   // 29/02/2016
    // Members on the medical scheme in each month, indexed by calendar month - 1
    // (0 January ... 11 December); the tax year runs from March (2) to February (1).
    std::array<std::int16_t, 12> MembersByMonth{};
};

struct AnnualPayeResult {
    double TaxLiability = 0.0; // total tax before medical credits
    double MedicalCredit = 0.0;
    double AdditionalMedicalCredit = 0.0;
    double TotalTaxDeduction = 0.0; // total - both credits, never below 0
    double PAYE = 0.0;              // PAYE part - both credits, never below 0
    double SITE = 0.0;              // 0: SITE ended before the years the program holds
    double Total = 0.0;             // total tax before medical credits
};

// The most members the beneficiaries boxes take on leaving and on "Duplicate March to all 12
// months ", and the message that says so (no title of its own).
inline constexpr std::int16_t MostMembersInAMonth = 24;
inline constexpr const char* MostMembersMessage =
    "Only a maximum of 24 are allowed i.e. Principal member & first beneficiary!";

// Dates outside the tax year, or an end before the start: the year's date messages of the date
// boxes (OutsideYearMessage, EndBeforeStartMessage), title "Incorrect Date".
std::optional<PayeRefusal> CheckAnnualPeriod(int startDate, int endDate, const TaxYear& year);
// The same in the year 2016.
std::optional<PayeRefusal> CheckAnnualPeriod(int startDate, int endDate);

// Whether a calendar month (1 January ... 12 December) lies within the period: its place in the
// tax year is at or after the start date's month and at or before the end date's month.
bool MonthInPeriod(const AnnualPayeInputs& inputs, int month) noexcept;

// "Medical aid fund beneficiaries": the count typed there goes into every month of the
// period, as "Duplicate March to all 12 months " copies March; the months outside it keep
// theirs (a calculation with a contribution clears them).
void SetMembersInPeriod(AnnualPayeInputs& inputs, std::int16_t members) noexcept;

// The annual calculation in a year (the period must have passed CheckAnnualPeriod in it). With
// a contribution, months outside the period have their counts set to 0 in `inputs`. The
// year's table, rebates and credits; a whole year of 365 or 366 days is not scaled.
//   D = end - start + 1; Y = travel x inclusion + salary + commission - pension - R/A +
//   employer's medical when travel + commission > 0, else salary - pension - R/A + employer's
//   medical; Y x 365 / D when D < 365
//   from 2016/17 (the one deduction): limit = min(27.5 % x the year's remuneration (Y before
//   pension and R/A, without the bonus, x 365 / D when D < 365), the year's cap); contributions
//   (x 365 / D likewise) above it give Y = remuneration - limit (paye::CapRetirement)
//   with = TaxBeforeRebates(Y + bonus) - rebate, without = TaxBeforeRebates(Y) - rebate, each
//   cut to whole rands (floor) when travel + commission > 0, then floored at 0
//   total = max((without x D / 365 when D < 365, else without) + (with - without), 0)
//   credit = sum over the months in the period of the year's MedicalCreditPerMonth(n): in 2016
//            n x 270 (n <= 2) or 540 + (n - 2) x 181
// Example (2016): the whole year, salary 300 000, age 40: total = TaxBeforeRebates(300 000) - 13 257.
// An income too large to tax gives zeros, as any figure that is not finite does.
// `working`, when given, gets the steps: the year's taxable income (annualised for a part
// year), the tax from the table with and without the bonus, the rebate, the annual taxes after
// it (in whole rands where they are cut), the tax on the bonus, the part year's share, the
// liability, the credit by runs of months with the same members, the additional credit from
// 65, and last the total deduction.
AnnualPayeResult AnnualPayeCalculate(AnnualPayeInputs& inputs, const PayeSettings& settings, const TaxYear& year,
                                     TaxBracketResult& record, Working* working = nullptr);
// The same in the year 2016 (TaxYear2016()).
AnnualPayeResult AnnualPayeCalculate(AnnualPayeInputs& inputs, const PayeSettings& settings,
                                     TaxBracketResult& record, Working* working = nullptr);

} // namespace revora
