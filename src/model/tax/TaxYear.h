#pragma once
// One tax year's published figures, as the year's data file holds them: the income-tax table,
// the rebates and thresholds, the medical scheme fees credits, UIF and SDL, the travel
// allowance's deemed costs, the company-car rates and the retirement-fund rule of the year.
// A tax year runs from 1 March to the last day of February and is named by the calendar year in
// which it ends (2016 = 1 March 2015 to 29 February 2016). Amounts are rand; rates are shares
// (0.18 is 18 %); per-km figures are cents; days are day numbers (common/DayDate.h).
// Every calculation of a year is handed its `const TaxYear&`; nothing here reads a file.

#include <optional>
#include <string>
#include <vector>

namespace revora {

// One row of the income-tax table: the tax on an annual taxable income above Over (and up to
// the next row's Over) is Base + Rate x (income - Over).
struct TaxYearBracket {
    double Over = 0.0; // rand, exclusive lower bound of the bracket
    double Base = 0.0; // rand, the tax on an income of exactly Over
    double Rate = 0.0; // share of the part of the income above Over
};

// The top bracket has no ceiling; where one is shown or printed for it, it is this.
inline constexpr double TopBracketCeiling = 9999999999.0;

// The annual rebates, rand. Everyone has the primary; from 65 the secondary is added, and from
// 75 the tertiary as well (each is the part added at that age, not the total).
struct TaxYearRebates {
    double Primary = 0.0;
    double Secondary = 0.0;
    double Tertiary = 0.0;
};

// The annual taxable income below which no tax is due, rand: the rebates of the age divided by
// the rate of the first bracket, to the rand.
struct TaxYearThresholds {
    double Under65 = 0.0;
    double From65To74 = 0.0;
    double From75 = 0.0;
};

// The medical scheme fees tax credit, rand a month per person on the scheme: the main member,
// the first dependant, and each further dependant.
struct TaxYearMedicalCredits {
    double MainMember = 0.0;
    double FirstDependant = 0.0;
    double EachAdditional = 0.0;
};

// An amount or a rate in force from a day (a day number) until the next one's day or the end
// of the year.
struct DatedAmount {
    int From = 0;
    double Amount = 0.0;
};

// UIF: each side pays its rate of the month's remuneration up to the monthly ceiling in force
// on the pay date. MonthlyCeilings is in date order, its first from the year's first day (the
// ceiling rose on 1 June 2021, inside the year 2022).
struct TaxYearUif {
    double EmployeeRate = 0.0;
    double EmployerRate = 0.0;
    std::vector<DatedAmount> MonthlyCeilings; // rand a month
};

// One band of the travel allowance's deemed-cost table, by the vehicle's determined value:
// bands in ascending order, each up to ValueUpTo inclusive (above the band before), the last
// one open (no ValueUpTo).
struct DeemedCostBand {
    std::optional<double> ValueUpTo; // rand
    double FixedCost = 0.0;          // rand a year
    double FuelCentsPerKm = 0.0;
    double MaintenanceCentsPerKm = 0.0;
};

// The taxable benefit of a company car: a share of its determined value a month (less with a
// maintenance plan), of which a share is included in the monthly remuneration for PAYE (less
// when the car is used mostly for business).
struct TaxYearCompanyCar {
    double RatePerMonth = 0.0;
    double RateWithMaintenancePlan = 0.0;
    double PayeInclusion = 0.0;
    double PayeInclusionBusinessUse = 0.0;
};

// How contributions to retirement funds are deducted:
//   SeparateLimits (up to 2016): pension, provident and retirement-annuity contributions each
//     under their own limit; the employer's contributions are no fringe benefit.
//   OneDeduction (from 2017, 1 March 2016 on): the employer's contributions are a taxable fringe
//     benefit, and one deduction covers pension, provident and R/A together: at most Rate of the
//     greater of remuneration and taxable income, and at most AnnualCap a year.
enum class RetirementRegime { SeparateLimits, OneDeduction };

struct TaxYearRetirement {
    RetirementRegime Regime = RetirementRegime::SeparateLimits;
    double Rate = 0.0;      // OneDeduction only: share
    double AnnualCap = 0.0; // OneDeduction only: rand a year
};

// What the published figures rest on: the figures (in words, "travel table") confirmed by one
// source only, the figures marked as not found, and notes on figures to check.
struct TaxYearSources {
    std::vector<std::string> SingleSourced;
    std::vector<std::string> Missing;
    std::vector<std::string> Notes;
};

// The bounds of a year's figures: every amount (a bracket's floor or base, a rebate, a
// threshold, a UIF ceiling, a deemed cost, cents a km, the retirement cap) lies above 0 and
// below LargestTaxYearAmount rand, and every medical credit a month below
// LargestMedicalCreditPerMonth. No published figure comes near either; a figure beyond them is a
// damaged file.
inline constexpr double LargestTaxYearAmount = 100000000.0;
inline constexpr double LargestMedicalCreditPerMonth = 10000.0;

struct TaxYear {
    int Year = 0;      // the calendar year in which the tax year ends: 2016
    std::string Label; // "2015/16"
    // Read from a file the user put in the data folder, not one the program ships: its figures
    // rest on the checks below alone (TaxYearFaults), so the year says so wherever it is named.
    bool AddedHere = false;
    int Start = 0;     // 1 March of the year before, a day number
    int End = 0;       // the last day of February, a day number
    std::vector<TaxYearBracket> Brackets; // ascending by Over, the first over 0
    TaxYearRebates Rebates;
    TaxYearThresholds Thresholds;
    TaxYearMedicalCredits MedicalCredits;
    TaxYearUif Uif;
    double SdlRate = 0.0; // SDL, share of the remuneration
    // Where the SDL rate changed inside the year (none paid from 1 May to 31 August 2020), the
    // rates in date order, the first from the year's first day; empty when SdlRate holds all year.
    std::vector<DatedAmount> SdlRatePeriods;
    std::optional<std::vector<DeemedCostBand>> DeemedCostTable; // empty when not published
    std::optional<double> RatePerKmCents; // the prescribed rate a km; empty when not published
    TaxYearCompanyCar CompanyCar;
    TaxYearRetirement Retirement;
    TaxYearSources Checked;
};

// The figures of a year that do not hold together, each as "<field>: <what is wrong>" with the
// field named as the data file names it ("brackets[3].base"); empty when the year is sound:
//   the year runs from 1 March of Year - 1 to the last day of February of Year
//   brackets: at least one, the first over 0 with base 0, ascending by over, and each base
//     continues from the bracket below: base[i] = base[i-1] + rate[i-1] x (over[i] - over[i-1]),
//     to the rand (the published base is that figure rounded, so within half a rand)
//   thresholds: under_65 = primary / r, 65_to_74 = (primary + secondary) / r, 75_plus =
//     (primary + secondary + tertiary) / r, r the first bracket's rate, each to the rand
//   every rate (brackets, UIF, SDL, company car, retirement) within 0..1, and each bracket's
//     rate above the rate of the bracket below
//   every amount above 0 and below LargestTaxYearAmount (the first bracket's over and base are
//     0), every medical credit above 0 and below LargestMedicalCreditPerMonth
//   UIF ceilings and SDL periods: the first from the year's first day, each inside the year,
//     ascending; at least one ceiling
//   deemed-cost bands: ascending by value, only the last one open
//   from 2017 (1 March 2016 on) the retirement rule is the one deduction, with its rate and cap
// A year with faults is never worked with: a damaged figure must not give a wrong tax.
// What these checks cannot see is a figure that no other figure ties: the top bracket's rate
// changed to another within the bounds (0.45 to 0.55), the top bracket deleted whole (the
// bracket below then runs open), a credit, ceiling or deemed cost changed to another amount in
// bounds. A shipped year's file is held to its digest, which sees every change; a year added
// here (AddedHere) rests on these checks and on whoever wrote it.
std::vector<std::string> TaxYearFaults(const TaxYear& year);

// " (added here)" after the name of a year the user added (AddedHere), else nothing: the
// caption, revora-calc years and the printouts mark such a year so.
std::string AddedHereMark(const TaxYear& year);

// What the year lacks that a calculation needs, in words: "no deemed-cost travel table",
// "no prescribed rate per km", then each figure the year marks as not found. A calculation that
// needs a missing figure refuses, saying so; no other year's figure stands in for it.
std::vector<std::string> TaxYearMissing(const TaxYear& year);

} // namespace revora
