#pragma once
// The building blocks both package directions share: what differs between the four screens
// held as data, the car benefit, the rebate and credits, the R/A limits, the tax due, UIF and
// SDL, and the steps of their working. Used only by the package .cpp files. Every building
// block is plain arithmetic (no allocation): the gross-up runs them once per rand searched; the
// working is recorded once, from the figures of the calculation that stands.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "common/Working.h"
#include "package/SalaryPackage.h"
#include "tax/TaxEngine.h"
#include "tax/TaxYearRules.h"

namespace revora::package {

// What the period and the direction change. A factor of 1 leaves a figure exactly as the
// annual rule words it (x 1 and / 1 are exact), so one formula serves all four screens.
struct PeriodRules {
    double MonthsInPeriod;   // car benefit x this, UIF ceiling = this x the monthly limit: 12 or 1
    double PeriodsInYear;    // into the engine x this, the tax / this, R/A limits / this: 1 or 12
    double PensionYearFactor; // raLimitA = (3 500 - this x employee pension) / PeriodsInYear
    bool CountsMemberMonths; // the credit by member-months (annual) or persons (monthly)
};

constexpr PeriodRules RulesFor(PackageKind kind) noexcept
{
    switch (kind) {
    case PackageKind::RevoraMonthly:
        return {1.0, 12.0, 12.0, false};
    case PackageKind::AvantaMonthly:
        // The monthly pension is not made annual here before it is taken off 3 500.
        return {1.0, 12.0, 1.0, false};
    case PackageKind::RevoraAnnual:
    case PackageKind::AvantaAnnual:
        break;
    }
    return {12.0, 1.0, 1.0, true};
}

// "greater than 0, else 0".
inline double AtLeastZero(double value) noexcept { return value > 0.0 ? value : 0.0; }

// The car's value taxed each month, the year's rate: with a maintenance plan the lower one
// (3.25 % in 2016), else 3.5 %.
inline double CarBenefitMonthlyRate(const PackageSettings& s, const TaxYear& year) noexcept
{
    return s.CompCarMPYesNo ? year.CompanyCar.RateWithMaintenancePlan : year.CompanyCar.RatePerMonth;
}

// car value x monthly rate x inclusion rate x 12 (annual).
inline double CompanyCarBenefit(const PackageInputs& in, const PackageSettings& s, const TaxYear& year,
                                const PeriodRules& rules) noexcept
{
    return in.CarValue * CarBenefitMonthlyRate(s, year) * s.CompCarFBRate8020 * rules.MonthsInPeriod;
}

inline bool OneDeductionYear(const TaxYear& year) noexcept
{
    return year.Retirement.Regime == RetirementRegime::OneDeduction;
}

inline bool AnyFund(const PackageSettings& s) noexcept
{
    return s.PensionCont > 0.0 || s.EmployerPenCont > 0.0 || s.ProvCont > 0.0 || s.EmployerProvCont > 0.0;
}

// The car benefit, the rebate, the medical credit and the additional credit, which stay fixed
// for the whole calculation, and the two boxes they clear: the medical deduction below 65 and
// the beneficiaries when nobody contributes.
// The retirement figures of the other regime are 0 throughout.
inline void FixedBlocks(PackageInputs& in, const PackageSettings& s, const TaxYear& year, const PeriodRules& rules,
                        PackageResult& r) noexcept
{
    if (OneDeductionYear(year))
        r.RALimitA = r.RALimitB = r.RALimitC = r.NonRetirementIncome = 0.0;
    else
        r.RetirementIncome = r.RetirementLimit = r.FundDeduction = 0.0;
    r.CompanyCarBenefit = CompanyCarBenefit(in, s, year, rules);
    r.Rebate = RebateForAge(in.Age, year);
    if (in.Age < 65)
        in.MedicalDeduction = 0.0;
    if (!(in.EmployeeMedical > 0.0 || in.EmployerMedical > 0.0)) {
        r.MedicalCredit = 0.0;
        in.Members = 0;
    } else if (rules.CountsMemberMonths) {
        r.MedicalCredit = MedicalCreditForMemberMonths(in.Members, year);
    } else {
        // Counts are 16-bit on the screens; a larger number of persons is held at the limit
        // rather than wrapped round to a negative count.
        r.MedicalCredit = MedicalCreditPerMonth(
            static_cast<std::int16_t>(std::clamp(in.Members, int{std::numeric_limits<std::int16_t>::min()},
                                                 int{std::numeric_limits<std::int16_t>::max()})),
            year);
    }
    r.AdditionalMedicalCredit = AdditionalMedicalCredit(in.EmployerMedical, in.EmployeeMedical, r.MedicalCredit, in.Age);
}

// The same in the year 2016.
inline void FixedBlocks(PackageInputs& in, const PackageSettings& s, const PeriodRules& rules,
                        PackageResult& r) noexcept
{
    FixedBlocks(in, s, TaxYear2016(), rules, r);
}

// The four fund contributions on the retirement-fund base, each percent x base / 100. The
// gross-up gives the employee no contribution unless the percentage is above 0; the forward
// calculation applies every percentage as it stands.
inline void FundContributions(double base, const PackageSettings& s, bool employeeOnlyAboveZero,
                              PackageResult& r) noexcept
{
    const auto employee = [&](double percent) {
        return employeeOnlyAboveZero && !(percent > 0.0) ? 0.0 : base * percent / 100.0;
    };
    r.EmployeePension = employee(s.PensionCont);
    r.EmployerPension = base * s.EmployerPenCont / 100.0;
    r.EmployeeProvident = employee(s.ProvCont);
    r.EmployerProvident = base * s.EmployerProvCont / 100.0;
}

// The R/A limits of the year: A is 3 500 less the pension, B 1 750, C 15 % of the income that
// no retirement fund is paid from.
inline constexpr double RAYearLimitA = 3500.0;
inline constexpr double RAYearLimitB = 1750.0;
inline constexpr double RAIncomeShare = 0.15;

// raLimitA = (3 500 - f x employee pension) / periods; raLimitB = 1 750 / periods.
inline double RALimitA(double employeePension, const PeriodRules& rules) noexcept
{
    return (RAYearLimitA - rules.PensionYearFactor * employeePension) / rules.PeriodsInYear;
}
inline double RALimitB(const PeriodRules& rules) noexcept { return RAYearLimitB / rules.PeriodsInYear; }
inline double RALimitC(double nonRetirementIncome) noexcept { return RAIncomeShare * nonRetirementIncome; }

// The greater of A and B, then the greater of that and C.
inline double RAMaximum(double a, double b, double c) noexcept
{
    const double ab = a > b ? a : b;
    return ab > c ? ab : c;
}

// With a directive the amount entered stands; without one an amount above the maximum is cut
// to it, and otherwise the deduction keeps the value it holds.
inline double AllowedRA(bool directive, double entered, double maximum, double held) noexcept
{
    if (directive)
        return entered;
    return entered > maximum ? maximum : held;
}

// The one deduction of the year (SalaryPackage.h gives the rule): from the remuneration and
// the taxable income before it, both with the employer's contributions, it sets the income,
// the limit and the funds' part in `r` (the four contributions already there) and returns the
// room left for the R/A.
inline double OneDeductionRoom(double remuneration, double taxableBefore, const TaxYear& year,
                               const PeriodRules& rules, PackageResult& r) noexcept
{
    r.RetirementIncome = remuneration > taxableBefore ? remuneration : taxableBefore;
    const double share = year.Retirement.Rate * r.RetirementIncome;
    const double cap = year.Retirement.AnnualCap / rules.PeriodsInYear;
    r.RetirementLimit = AtLeastZero(share < cap ? share : cap);
    const double funds = r.EmployeePension + r.EmployerPension + r.EmployeeProvident + r.EmployerProvident;
    r.FundDeduction = funds < r.RetirementLimit ? funds : r.RetirementLimit;
    return AtLeastZero(r.RetirementLimit - funds);
}

// (TaxBeforeRebates(periods x taxable, floored at 0) - rebate, floored at 0) / periods.
inline double TaxDue(double taxable, double rebate, const PeriodRules& rules, const TaxYear& year,
                     TaxBracketResult& record) noexcept
{
    record.TaxableIncome = AtLeastZero(rules.PeriodsInYear * taxable);
    TaxFromTable(record, year);
    return AtLeastZero(record.TaxBeforeRebates - rebate) / rules.PeriodsInYear;
}

// The same in the year 2016.
inline double TaxDue(double taxable, double rebate, const PeriodRules& rules, TaxBracketResult& record) noexcept
{
    return TaxDue(taxable, rebate, rules, TaxYear2016(), record);
}

// UIF on the remuneration base up to the period's ceiling; SDL on the base less the employee
// pension and the allowed R/A, with no ceiling. Reads EmployeePension and RAAllowed from `r`.
inline void UifAndSdl(double base, const PackageSettings& s, const PeriodRules& rules, PackageResult& r) noexcept
{
    const double ceiling = rules.MonthsInPeriod * s.UIFLimit;
    const double uifOn = base > ceiling ? ceiling : base;
    r.EmployeeUIF = uifOn * s.EmployeeUIF / 100.0;
    r.EmployerUIF = uifOn * s.EmployerUIF / 100.0;
    r.SDL = (base - (r.EmployeePension + r.RAAllowed)) * s.SkillLevy / 100.0;
}

// Every typed amount and setting is a finite number (a box reading "1e999" holds infinity).
bool AllFinite(const PackageInputs& in, const PackageSettings& s) noexcept;
// Every working value is finite, so no "inf" or "nan" reaches a box or a report.
bool AllFinite(const PackageResult& r) noexcept;

// The routine stopped: the working values stay as they are, flagged, and the boxes are worked
// from them.
PackageOutcome Refused(PackageKind kind, const PackageInputs& inputs, PackageResult& result,
                       PackageOutcome outcome) noexcept;

// ---- The working ----------------------------------------------------------------------------

// Where the figures the boxes are worked from were recorded: a Working to go on with (null:
// none) and the numbers of the steps the last ones take their amounts from.
struct Explaining {
    Working* working = nullptr;
    int taxDue = 0;
    int credits = 0; // 0: no medical credits
};

// The figures worked from the boxes once the routine has run or stopped: the tax credit, the
// tax deduction, "Gross salary" or "Net salary(take-home)", the once-off car cost and the total
// cost to company, each term taken as its box shows it. With a working, records the tax
// deduction (where there are credits), the once-off cost and the two totals, the screen's
// headline last: the total cost to company on the gross-up, the take-home pay forwards.
void WorkShownFigures(PackageKind kind, const PackageInputs& in, PackageResult& r, Explaining explaining = {});

// A sum recorded as one step whose formula shows only the terms that are not 0, the ones added
// first: "50 506.00 + 84 000.00 − 3 787.95 − 1 750.00". Up to MostTerms terms.
class SignedSum {
public:
    static constexpr int MostTerms = 12;
    SignedSum& Plus(WorkedFigure term) noexcept { return Put(term, plus_, plusCount_); }
    SignedSum& Minus(WorkedFigure term) noexcept { return Put(term, minus_, minusCount_); }
    // The step, its amount as the calculation worked it; without a term, no formula.
    int Record(Working& working, Phrase label, Phrase words, double amount) const;

private:
    SignedSum& Put(WorkedFigure term, std::array<WorkedFigure, MostTerms>& into, int& count) noexcept
    {
        if (term.Value != 0.0 && plusCount_ + minusCount_ < MostTerms)
            into[static_cast<std::size_t>(count++)] = term;
        return *this;
    }
    std::array<WorkedFigure, MostTerms> plus_{};
    std::array<WorkedFigure, MostTerms> minus_{};
    int plusCount_ = 0;
    int minusCount_ = 0;
};

// An earlier step's amount where there is such a step (its number above 0), else the value.
WorkedFigure StepOr(const Working& working, int step, double value);

// The steps of the fixed blocks that later steps refer to (0: not recorded).
struct FixedSteps {
    int car = 0;
    int rebate = 0;
    int credits = 0;         // the medical credits together
    int taxableTravel = 0;
    int otherDeductions = 0; // only where they count (the gross-up)
};
// The company-car benefit, the rebate for the age, the medical credits, the taxable part of the
// travel allowance and, where they count, the other deductions: each where it applies.
FixedSteps RecordFixedBlocks(Working& w, const PeriodRules& rules, const PackageInputs& in, const PackageSettings& s,
                             const TaxYear& year, const PackageResult& r, double taxableTravel,
                             bool otherDeductionsCount);

// The four fund contributions on the retirement-fund base (recorded by the caller), those that
// are not 0. Returns the steps of the employee's pension and provident fund (0: none).
struct FundSteps {
    int pension = 0;
    int provident = 0;
};
bool AnyContribution(const PackageResult& r) noexcept;
FundSteps RecordFunds(Working& w, int baseStep, const PackageSettings& s, const PackageResult& r);

// Whether the R/A limits decide the deduction: an amount entered (or allowed) without a
// directive. With a directive the amount entered stands.
bool RALimitsDecide(const PackageInputs& in, double allowed) noexcept;
// Limits A, B and C (C on the income of step `incomeStep`) and the most allowed. Returns the
// step of the most allowed.
int RecordRALimits(Working& w, const PeriodRules& rules, int pensionStep, int incomeStep, const PackageResult& r,
                   double maximum);
// The R/A deduction allowed against the most allowed (step `maximumStep`, 0 with a directive);
// nothing when no R/A is entered or allowed. Returns its step, or 0.
int RecordRAAllowed(Working& w, const PackageInputs& in, double allowed, int maximumStep);

// The steps of the taxable income and of the R/A allowed (0: not recorded).
struct DeductionSteps {
    int taxable = 0;
    int allowed = 0;
};
// The one deduction, from the taxable income before it (step `beforeStep`, recorded by the
// caller with the employer's contributions in it): the limit, the funds deducted, the R/A room
// and the R/A allowed where the limit decides it, and the taxable income.
DeductionSteps RecordOneDeduction(Working& w, const PeriodRules& rules, const TaxYear& year, const PackageInputs& in,
                                  const PackageResult& r, int beforeStep, double remuneration, double taxableBefore,
                                  double taxable);

// The taxable income of step `taxableStep` to the tax due: its annual equivalent on a monthly
// screen, the tax from the table, less the rebate, back to the period. Returns the step of the
// tax due.
int RecordTaxDue(Working& w, const PeriodRules& rules, int taxableStep, int rebateStep, const TaxBracketResult& engine,
                 double taxDue);

// UIF of both sides on the remuneration base of step `baseStep` up to the period's ceiling, and
// the levy on the base less the pension and the R/A. Returns the employee UIF's step, or 0.
int RecordUifAndSdl(Working& w, const PeriodRules& rules, const PackageSettings& s, int baseStep,
                    WorkedFigure pension, WorkedFigure allowed, const PackageResult& r);

// The routine ran on copies: they become the screen's, the R/A box takes the allowed deduction,
// and the boxes are worked from them (and their working recorded, as WorkShownFigures says).
PackageOutcome Finished(PackageKind kind, PackageInputs& inputs, PackageResult& result, TaxBracketResult& record,
                        const PackageInputs& in, const PackageResult& work, const TaxBracketResult& engine,
                        Explaining explaining);

} // namespace revora::package
