#pragma once
// The salary package: one employee's package for a year or a month, worked in two
// directions. Revora grosses up: from the take-home pay required it finds the gross salary
// and the total cost to the employer. Avanta runs forwards: from the total package the
// employer spends it finds the take-home pay. Both use the same building blocks: the
// company-car benefit, the rebate rule, the medical credits, the pension and provident
// contributions, the retirement-annuity limits, the tax due, UIF and SDL.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "payroll/PayeCommon.h"
#include "common/ReportRow.h"
#include "common/Working.h"
#include "tax/TaxEngine.h"
#include "tax/TaxYear.h"

namespace revora {

// The most characters the taxpayer's name on a package printout takes.
inline constexpr int TaxpayerNameLength = 50;

enum class PackageKind { RevoraAnnual, RevoraMonthly, AvantaAnnual, AvantaMonthly };

inline constexpr bool IsMonthly(PackageKind s) noexcept
{
    return s == PackageKind::RevoraMonthly || s == PackageKind::AvantaMonthly;
}
inline constexpr bool IsGrossUp(PackageKind s) noexcept
{
    return s == PackageKind::RevoraAnnual || s == PackageKind::RevoraMonthly;
}

// The eleven columns of the Setup row.
struct PackageSettings {
    double PensionCont = 0.0;      // employee pension, percent of the retirement-fund base
    double EmployerPenCont = 0.0;  // employer pension, percent
    double ProvCont = 0.0;         // employee provident, percent
    double EmployerProvCont = 0.0; // employer provident, percent
    double EmployeeUIF = 1.0;      // percent
    double EmployerUIF = 1.0;      // percent
    double SkillLevy = 1.0;        // SDL, percent
    double UIFLimit = 14872.0;     // rand a month
    double TAIncRate8020 = 0.8;    // taxable share of a travel allowance
    double CompCarFBRate8020 = 0.8; // taxable share of the company-car benefit
    bool CompCarMPYesNo = false;   // the car has a maintenance plan: 3.25 % a month, else 3.5 %
};

// The payroll columns of a package-wide settings value, and back.
PayeSettings PayrollPart(const PackageSettings& settings) noexcept;
PackageSettings WithPayrollPart(PackageSettings settings, const PayeSettings& payroll) noexcept;

// What the "Setup" panel changed: the values it opened with, read from the stored row, and
// those it holds when "O&K" is pressed. A column whose value differs is a change; laid over
// the row as it is stored now, every other column keeps the stored value, so a panel never
// writes back a value it only showed (another screen may have saved a new one since).
struct SettingsEdit {
    PackageSettings opened;
    PackageSettings edited;

    bool changes(double PackageSettings::*column) const noexcept { return opened.*column != edited.*column; }
    PackageSettings over(PackageSettings stored) const noexcept;
    // This edit and then `next`, made on the values this one left: the columns either changed,
    // at the values they were last given.
    SettingsEdit then(const SettingsEdit& next) const noexcept;
};

struct OtherDeduction {
    std::string Description;
    double Amount = 0.0;        // the employee's amount
    double CostToCompany = 0.0; // the employer's amount, printed only
};

// What the user typed. Every amount is for the screen's period (a year or a month).
struct PackageInputs {
    std::int16_t Age = 0;
    double Amount = 0.0;            // Revora: net salary required; Avanta: total package amount
    double AmountCostToCompany = 0.0; // Avanta: its mirror in the cost-to-company column, printed only
    double CarValue = 0.0;          // the car's determined value (a price, not a periodic amount)
    double CarCostToCompany = 0.0;  // the employer's periodic cost of the car
    double TravelAllowance = 0.0;
    double TravelAllowanceCostToCompany = 0.0; // mirror, printed only
    double EmployeeMedical = 0.0;   // medical scheme contributions paid by the employee
    double EmployerMedical = 0.0;   // paid by the employer
    int Members = 0;                // member-months on the annual screens, persons on the monthly ones
    double OtherFringeBenefits = 0.0;
    double OtherFringeBenefitsCostToCompany = 0.0; // mirror, printed only
    double MedicalDeduction = 0.0;  // only from age 65; cleared below it by every calculation
    double RADeduction = 0.0;       // R/A wanted; every calculation overwrites it with the R/A allowed
    bool RADirective = false;       // "&Yes": the R/A is covered by a directive
    std::array<OtherDeduction, 4> Other{};
    int AdditionalBeneficiaries = 0; // printed only

    double OtherDeductionsTotal() const noexcept;
};

// The working values of the last calculation that ran, and what the result boxes show.
struct PackageResult {
    double CompanyCarBenefit = 0.0;
    double Rebate = 0.0;
    double MedicalCredit = 0.0;
    double AdditionalMedicalCredit = 0.0;
    double EmployeePension = 0.0;
    double EmployerPension = 0.0;
    double EmployeeProvident = 0.0;
    double EmployerProvident = 0.0;
    double RALimitA = 0.0;
    double RALimitB = 0.0;
    double RALimitC = 0.0;
    double NonRetirementIncome = 0.0; // the income raLimitC is 15 % of
    // A year of one deduction (the limits A, B and C and their income are then 0):
    double RetirementIncome = 0.0; // the greater of remuneration and taxable income, before it
    double RetirementLimit = 0.0;  // the most deducted for every contribution together
    double FundDeduction = 0.0;    // the pension and provident contributions deducted
    double RAAllowed = 0.0;
    double TaxDue = 0.0;
    double EmployeeUIF = 0.0;
    double EmployerUIF = 0.0;
    double SDL = 0.0;
    double SearchAmount = 0.0; // gross-up only
    // Worked from the boxes after the routine, whether or not it ran:
    double TaxCredit = 0.0;    // MedicalCredit + AdditionalMedicalCredit
    double TaxDeduction = 0.0; // TaxDue - TaxCredit when above 0, else 0
    double Salary = 0.0;       // Revora: "Gross salary"; Avanta: "Net salary(take-home)"
    double TotalCostToCompany = 0.0;
    double OnceOff = 0.0;      // the car value when the once-off lines show, else 0
    std::int16_t CalcError = 0; // 1 when the routine did not run
};

enum class PackageOutcome {
    Done,
    NoAmount,               // the amount is 0: nothing runs, no message
    FringeBenefitsTooLarge, // gross-up only: the message below, nothing runs
    NoGrossSalary,          // gross-up only: the search cannot end; the message below
    AmountTooLarge,         // gross-up only: the amounts put the search beyond its reach
};

inline constexpr const char* FringeBenefitsMessage = "Fringe benefits more than salary required!";
inline constexpr const char* NoGrossSalaryMessage =
    "No gross salary gives this net salary with these settings: together they take a rand or more of every rand "
    "added to the salary.";
// The search counts in rands up to a bound that grows with the amounts typed; amounts that put
// that bound beyond what it can count exactly are refused by their size, not by the rates.
inline constexpr const char* AmountTooLargeMessage =
    "The amounts entered are too large: no gross salary that large can be searched for. Enter a smaller "
    "net salary.";

// The plain search, the reference: searchAmount k rises by R 1 from R 1 until the take-home
// pay exceeds the net salary required (equality goes on). At step k:
//   retirementFundBase = k - credits + employee's medical
//   taxable  = car + k + travel x rate + other f/benefits + other deductions - pension - R/A
//              - medical deduction + employee's and employer's medical - credits
//   take-home = k + travel - pension - medical deduction - tax due - employee UIF - provident
// where the allowed R/A without a directive is the maximum when the entered amount is above
// it, else the previous step's value. The search stops after
//   1 000 000 + 20 x (|net| + |car benefit| + |travel| + |other f/benefits| + |other
//   deductions| + |both medical contributions| + |medical deduction| + |entered R/A|)
// steps with NoGrossSalary; amounts that are not finite, or a pension, provident or employee's
// UIF rate beyond 1 000 000 %, are refused the same way; a bound beyond R 2^40 (a net salary
// of some R 55 000 million or more) with AmountTooLarge. Runs the
// whole calculation: the routine, then the figures worked from the boxes. Updates `inputs` as
// the screen's boxes are updated (the R/A allowed, a cleared medical deduction or member
// count) only when a gross salary is found; leaves `result`'s working values and `record` as
// they were when the routine does not finish (the additional medical credit, the routine's
// first step, is 0 then).
// With a `working`, a gross salary found records its working (nothing of the search's trials):
// the fixed blocks (car benefit, rebate, medical credits, taxable travel allowance, other
// deductions) where they apply; "Salary searched for", searchAmount, with its take-home pay,
// the net required and the take-home pay of the rand below it, which is not above the net;
// then that salary's evaluation: the retirement-fund base and the contributions, the R/A
// limits A, B and C with the most allowed and the R/A allowed, the taxable income, its tax
// (annual equivalent, table, less the rebate, back to the month), the remuneration base, UIF
// and SDL, the take-home pay; then the tax deduction, "Gross salary", the once-off car cost
// and, last, "Total cost to company", each where it applies. A refusal records nothing.
PackageOutcome SalPackGrossUpReference(PackageKind kind, PackageInputs& inputs, const PackageSettings& settings,
                                       PackageResult& result, TaxBracketResult& record, Working* working = nullptr);

// The same calculation with a search that returns exactly the reference's searchAmount and
// working values, in a few dozen steps instead of one per rand, and the same working.
PackageOutcome SalPackGrossUp(PackageKind kind, PackageInputs& inputs, const PackageSettings& settings,
                              PackageResult& result, TaxBracketResult& record, Working* working = nullptr);

// The retirement funds in a year of one deduction (RetirementRegime::OneDeduction, from 1 March
// 2016): the employer's pension and provident contributions are a taxable fringe benefit, and
// one deduction covers the employee's pension, provident and R/A contributions together with
// the employer's (deemed contributed by the employee):
//   remuneration  = the remuneration base UIF and SDL are taken on + employer's pension
//                   + employer's provident
//   taxable before = the taxable income with no pension or R/A deducted + employer's pension
//                   + employer's provident
//   income  = the greater of remuneration and taxable before
//   limit   = the smaller of Rate x income and AnnualCap / periods in a year (never below 0)
//   funds   = the smaller of the four fund contributions together and the limit
//   R/A room = limit - the four contributions, never below 0
//   R/A allowed: with a directive the amount entered; without one the smaller of the amount
//     entered and the room, at the salary worked (the gross-up carries no cut over from a
//     lower salary: that is the separate limits' search only)
//   taxable = taxable before - funds - R/A allowed
// UIF, SDL and the take-home pay are worked as in every year. The figures are for the
// screen's period; the monthly screens' cap is a twelfth of the year's.
// Worked example, annual gross-up in 2024 (Rate 27.5 %, cap R 350 000): a remuneration of
// R 480 000 with the employer's 10 % pension of R 40 000 inside it and the employee's 7.5 %,
// R 30 000; no medical deduction, so taxable before = R 480 000 as well: limit = 27.5 % of
// R 480 000 = R 132 000 (below the cap); funds = R 70 000; R/A room = R 62 000; an R/A of
// R 80 000 without a directive is cut to R 62 000; taxable = 480 000 - 70 000 - 62 000
// = R 348 000. At R 2 000 000 of remuneration 27.5 % is R 550 000, and the cap of R 350 000
// is the limit.
// Remuneration and taxable income differ here only by the medical deduction (from age 65);
// the package knows no other income.
//
// The same four, worked in `year` (a sound year: TaxYearFaults empty): its tax table,
// rebates, medical credits, company-car rates and retirement rule. The UIF and SDL are the
// settings' (the caller hands the year's, LeviesForYear). In TaxYear2016() each is the
// function above, bit for bit. The fast search takes the year of one deduction too: with no
// cut carried over, every step's figures follow from the step alone, and it leaps as far as
// take-home pay cannot reach the net, exactly as the rand-by-rand search would find.
PackageOutcome SalPackGrossUpReferenceInYear(PackageKind kind, PackageInputs& inputs,
                                             const PackageSettings& settings, const TaxYear& year,
                                             PackageResult& result, TaxBracketResult& record,
                                             Working* working = nullptr);
PackageOutcome SalPackGrossUpInYear(PackageKind kind, PackageInputs& inputs, const PackageSettings& settings,
                                    const TaxYear& year, PackageResult& result, TaxBracketResult& record,
                                    Working* working = nullptr);

// The forward calculation in one pass, then the figures worked from the boxes. With P the
// package: retirementFundBase = P - travel - other f/benefits - employer's medical;
//   taxable = P - travel + travel x rate + car - pension - allowed R/A (no credits, no medical
//   deduction); take-home = P - both medical contributions - other f/benefits - pension
//   - provident - medical deduction - UIF - tax deduction, each as its box shows it.
// A package of 0, or an amount that is not finite, runs nothing (NoAmount).
// With a `working` the pass records its steps in that order, each where it applies: the car
// benefit, rebate, medical credits and taxable travel allowance, the retirement-fund base and
// contributions, the R/A limits A, B and C with the most allowed and the R/A allowed, the
// taxable income and its tax, the remuneration base, UIF and SDL, the tax deduction, "Total
// cost to company", the once-off car cost and, last, "Net salary (take-home)". A package that
// runs nothing records nothing.
PackageOutcome SalPackForward(PackageKind kind, PackageInputs& inputs, const PackageSettings& settings,
                              PackageResult& result, TaxBracketResult& record, Working* working = nullptr);
PackageOutcome SalPackForwardInYear(PackageKind kind, PackageInputs& inputs, const PackageSettings& settings,
                                    const TaxYear& year, PackageResult& result, TaxBracketResult& record,
                                    Working* working = nullptr);

// The panel "R/A Explained(Annual Figures Shown)": its two worked lines, in annual figures.
struct RAExplanation {
    std::string LineA; // "ie: R 3 500 - R" ...
    std::string LineC; // "ie: R " ... " X 15% = R" ...
    // In a year of one deduction, every line of the panel in order instead (LineA and LineC
    // empty): the rule, then its figures, in annual figures:
    //   "ie: 27.5 % of R 480 000.00 = R 132 000.00, at most R 350 000 a year"
    std::vector<std::string> OneDeduction;
};
RAExplanation ExplainRA(PackageKind kind, const PackageResult& result);
RAExplanation ExplainRA(PackageKind kind, const PackageResult& result, const TaxYear& year);

// The report table "SalPackage", its layouts and titles.
const char* PackageLayout(PackageKind kind); // "Revora.rpt" or "Avntx.rpt"
const char* PackageTitle(PackageKind kind);  // "Revora2016 Annual" ... without the export hint

// The one row of "SalPackage" in the order written; the Revora screens leave out CostToComp.
// PrinMembers and BenMembers print the monthly medical credits of `year`, the year the figures
// were worked in: "(R 364pm each)" and "(R 246pm each)" in 2024/25.
ReportRow SalPackageReportRow(PackageKind kind, const PackageInputs& inputs, const PackageResult& result,
                              const std::string& taxpayer, const TaxYear& year);

} // namespace revora
