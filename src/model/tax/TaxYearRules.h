#pragma once
// The fixed rules of the tax year 1 March 2015 to 29 February 2016: its dates, the income-tax
// table, the rebates by age and the medical scheme fees tax credits. They are the one place of
// these 2016 figures; TaxYear2016() is the same year as a TaxYear.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "tax/TaxYear.h"

namespace revora {

inline constexpr int TaxYearStart = 42064; // 01/03/2015
inline constexpr int TaxYearEnd = 42429;   // 29/02/2016

inline constexpr std::string_view DateOutsideYearMessage =
    "The date entered is not correct please enter a date between 01/03/2015 and 29/02/2016";
inline constexpr std::string_view DatePairOutsideYearMessage =
    "The dates entered are not correct please enter a dates between 01/03/2015 and 29/02/2016";
// An end date before the start date; the start date is quoted as the user typed it.
std::string EndBeforeStartMessage(std::string_view startAsTyped);
// A typed text that is no date at all ("31/04/2015", "abc", an empty box): said plainly, since
// a range message would send the user looking for a date that is inside the range already.
std::string NotADateMessage(std::string_view typed);

struct TaxBracket {
    double floor;   // exclusive
    double ceiling; // inclusive; the last one (TopBracketCeiling) is only shown and printed
    double rate;    // percent
    double baseTax; // tax on an income equal to the floor
};

// Stored as constants, not derived: each base tax is the previous base plus the previous
// bracket's rate times its width.
inline constexpr std::array<TaxBracket, 6> TaxTable{{
    {0.0, 181900.0, 18.0, 0.0},
    {181900.0, 284100.0, 26.0, 32742.0},
    {284100.0, 393200.0, 31.0, 59314.0},
    {393200.0, 550100.0, 36.0, 93135.0},
    {550100.0, 701300.0, 39.0, 149619.0},
    {701300.0, TopBracketCeiling, 41.0, 208587.0},
}};

inline constexpr double PrimaryRebateAmount = 13257.0;
inline constexpr double SecondaryRebatePart = 7407.0; // ages 65 to 74
inline constexpr double TertiaryRebatePart = 9873.0;  // ages 75 and over

// Annual rebate in 2016 (RebateForAge of TaxYear2016()): 13 257 below 65, 20 664 from 65 to 74,
// 23 130 from 75.
double RebateForAge(std::int16_t age) noexcept;

// The oldest age the age boxes, the payroll file and revora-calc take: no taxpayer is older,
// and an age beyond it is a slip (1 000 for 100) that would still be given the age rebates.
inline constexpr std::int16_t MostAge = 130;
inline constexpr std::string_view AgeLimitTitle = "Incorrect Age";
inline constexpr std::string_view AgeLimitMessage = "Please enter an age of at most 130 years";

// The year 1 March 2015 to 29 February 2016 as a TaxYear, built from the constants above: its
// dates, the table (each rate its percent / 100), the rebates (the tertiary being what is added
// from 75 beyond the secondary: 9 873 - 7 407), the thresholds (each rebate total over the first
// rate, to the rand) and the medical credits; UIF 1 % each side up to 14 872 a month, SDL 1 %,
// the deemed-cost table the vehicles read (DeemedCostFor), the prescribed 318 c a km, the
// company car's 3.5 % (3.25 % with a maintenance plan) with 80 % (20 %) in PAYE, and separate
// retirement limits. It is the year the calculations work in when they are handed no other.
const TaxYear& TaxYear2016();

// A day of the year: from 1 March to the last day of February, both included.
bool InTaxYear(int day, const TaxYear& year) noexcept;
// A date of one tax year moved into another on a change of year: the same day and month in the
// year's own calendar year (March to December in the first, January and February in the second),
// 29 February becoming 28 February where the new year has none. A day outside every year's
// March-to-February pattern cannot occur: every date has a day and a month.
int MoveIntoTaxYear(int day, const TaxYear& year) noexcept;

// The date messages of a year; in 2016 each is the text above ("…between 01/03/2015 and
// 29/02/2016"), with the year's own first and last days in another.
std::string OutsideYearMessage(const TaxYear& year);
std::string PairOutsideYearMessage(const TaxYear& year);
std::string EndBeforeStartMessage(std::string_view startAsTyped, const TaxYear& year);
// The example date is the year's first day.
std::string NotADateMessage(std::string_view typed, const TaxYear& year);

// The year's medical credit a month for n people on the scheme: the main member's, the first
// dependant's, and each further dependant's credit (n <= 0 gives n x the main member's):
//   n = 1: main; n = 2: main + first; n > 2: main + first + each additional x (n - 2)
double MedicalCreditPerMonth(std::int16_t members, const TaxYear& year) noexcept;
// The same counted in member-months m over the year: the first 12 at the main member's credit,
// the next 12 at the first dependant's, the rest at the additional credit.
double MedicalCreditForMemberMonths(int memberMonths, const TaxYear& year) noexcept;

// The UIF ceiling a month and the SDL rate (a share) in force on a day of the year: the last
// dated figure from on or before it (before the year's first day, the first).
double UifCeilingOn(const TaxYear& year, int day) noexcept;
double SdlRateOn(const TaxYear& year, int day) noexcept;

// Monthly medical scheme fees credit for n members: 270 each for the first two, 181 for each
// further one (n <= 2: 270 n; n > 2: 540 + 181 (n - 2)). The caller applies the rule that
// without a contribution there is no credit, and converts to its own pay period.
double MedicalCreditPerMonth(std::int16_t members) noexcept;

// The annual package screens count member-months m: m <= 24 gives 270 m, more gives
// 6 480 + 181 (m - 24).
double MedicalCreditForMemberMonths(int memberMonths) noexcept;

// The share of the contributions above three times the credit that is credited from age 65.
inline constexpr double AdditionalCreditShare = 0.333;

// Extra credit from age 65: (employer + employee contribution - 3 x period credit) x 0.333,
// never negative; 0 unless the credit is above 0, a contribution is above 0 and age >= 65.
double AdditionalMedicalCredit(double employerContribution, double employeeContribution, double periodCredit,
                               std::int16_t age) noexcept;

} // namespace revora
