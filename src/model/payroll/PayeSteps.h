#pragma once
// Steps the periodic employees' tax calculations share: used only by the
// payroll .cpp files, not by the screens.

#include <cmath>

#include "payroll/PayeCommon.h"
#include "tax/TaxEngine.h"
#include "tax/TaxYearRules.h"

namespace revora::paye {

// "greater than 0, else 0": the floors of the rules (a NaN would stay NaN; see AllFinite).
inline double AtLeastZero(double value) noexcept { return value > 0.0 ? value : 0.0; }

// A medical scheme credit is given only when the employer or the employee contributes.
inline bool Contributes(double employerMedical, double employeeMedical) noexcept
{
    return employerMedical > 0.0 || employeeMedical > 0.0;
}

// The period's taxable income: taxable travel + salary + commission - pension - R/A +
// employer's medical, in the order the rules add it.
inline double PeriodTaxable(const PayeInputs& in, double taxableTravel) noexcept
{
    return taxableTravel + in.Salary + in.Commission - in.Pension - in.RetirementAnnuity + in.EmployerMedical;
}

// The period's remuneration: taxable travel + salary + commission + employer's medical (a
// taxable benefit), before the retirement funds and without the bonus.
inline double PeriodRemuneration(const PayeInputs& in, double taxableTravel) noexcept
{
    return taxableTravel + in.Salary + in.Commission + in.EmployerMedical;
}

// The employees' tax deduction of pension and R/A on the annual figure a calculation works
// with. In a year of the one deduction (from 2016/17) the employer deducts at most Rate of the
// annual remuneration, and at most AnnualCap a year:
//   limit = min(Rate x annual remuneration, AnnualCap)
//   annual taxable = annual remuneration - limit when the annual contributions exceed it
// The remuneration is the regular pay's annual equivalent, without the bonus: the same
// deduction comes off the taxes with and without the bonus, so the tax on the bonus stays
// their difference, and a once-off bonus is not annualised into room for contributions. (The
// greater of remuneration and taxable income is the assessment's rule, not the employer's.) In
// the years of separate limits the contributions are deducted as typed.
struct RetirementCap {
    double remuneration = 0.0;  // a year
    double contributions = 0.0; // a year, as typed
    double limit = 0.0;         // the most deducted a year
    bool bites = false;         // the contributions exceed the limit
    double Taxable() const noexcept { return remuneration - limit; }
};
template <typename Annualise>
RetirementCap CapRetirement(const PayeInputs& in, double taxableTravel, Annualise annualise, const TaxYear& year)
{
    RetirementCap cap;
    if (year.Retirement.Regime != RetirementRegime::OneDeduction)
        return cap;
    cap.remuneration = annualise(PeriodRemuneration(in, taxableTravel));
    cap.contributions = annualise(in.Pension + in.RetirementAnnuity);
    const double share = year.Retirement.Rate * cap.remuneration;
    cap.limit = AtLeastZero(share < year.Retirement.AnnualCap ? share : year.Retirement.AnnualCap);
    cap.bites = cap.contributions > cap.limit;
    return cap;
}

// UIF base: salary + employer's medical + bonus + taxable travel (commission is not in it).
inline double UifBase(const PayeInputs& in, double taxableTravel) noexcept
{
    return in.Salary + in.EmployerMedical + in.Bonus + taxableTravel;
}

// SDL: (UIF base - retirement-fund deduction + commission) x (rate / 100), never below 0: a
// levy is never owed back. The deduction is the one the period's tax allowed (the contributions
// as typed, or the cap brought back to the period); no limit.
inline double SkillsLevy(const PayeInputs& in, double uifBase, double deduction, double sdlPercent) noexcept
{
    return AtLeastZero(uifBase - deduction + in.Commission) * (sdlPercent / 100.0);
}

// TaxBeforeRebates for an annual taxable income in the year's table, through the shared record.
inline double TaxBeforeRebatesFor(TaxBracketResult& record, double annualIncome, const TaxYear& year) noexcept
{
    record.TaxableIncome = annualIncome;
    TaxFromTable(record, year);
    return record.TaxBeforeRebates;
}

// Tax less both medical credits, 0 unless greater than 0.
inline double NetOfCredits(double tax, double credit, double additional) noexcept
{
    return AtLeastZero(tax - (credit + additional));
}

// The screens show no "inf" or "nan": a result with a figure that is not finite (absurdly
// large amounts) is given as zeros.
inline bool AllFinite(const PeriodicPayeResult& r) noexcept
{
    return std::isfinite(r.TaxableTravelAllowance) && std::isfinite(r.UIFEmployee) && std::isfinite(r.UIFEmployer)
        && std::isfinite(r.SDL) && std::isfinite(r.TaxLiability) && std::isfinite(r.MedicalCredit)
        && std::isfinite(r.AdditionalMedicalCredit) && std::isfinite(r.TotalTaxDeduction);
}

// Steps shared after the period's tax and credit are known: the additional credit (the same
// conditions on every screen) and the total deduction.
inline void FinishCredits(PeriodicPayeResult& r, const PayeInputs& in) noexcept
{
    r.AdditionalMedicalCredit =
        AdditionalMedicalCredit(in.EmployerMedical, in.EmployeeMedical, r.MedicalCredit, in.Age);
    r.TotalTaxDeduction = NetOfCredits(r.TaxLiability, r.MedicalCredit, r.AdditionalMedicalCredit);
}

// What the UIF is worked on: the remuneration and the part of it up to the period's limit.
struct PeriodLevies {
    double base = 0.0;
    double uifOn = 0.0;
    double deduction = 0.0; // the retirement-fund deduction the SDL subtracts
    bool worked = false; // false: the result was given as zeros
};

// The last steps of every period once its tax and credit are known: UIF on the base up to
// the period's limit (the monthly limit x 12 / periods a year), SDL less the period's
// retirement-fund `deduction`, the additional credit and the total deduction. A tax that
// could not be worked (`taxFinite` false: an annual income too large for a number) gives zeros,
// as a figure that is not finite does: a tax of 0 beside the levies would be a wrong answer,
// not an empty one.
inline void FinishPeriod(PeriodicPayeResult& r, const PayeInputs& in, const PayeSettings& settings, double periodLimit,
                         double deduction, bool taxFinite, PeriodLevies& levies) noexcept
{
    levies.deduction = deduction;
    levies.base = UifBase(in, r.TaxableTravelAllowance);
    levies.uifOn = levies.base > periodLimit ? periodLimit : levies.base;
    r.UIFEmployee = levies.uifOn * settings.EmployeeUIF / 100.0;
    r.UIFEmployer = levies.uifOn * settings.EmployerUIF / 100.0;
    r.SDL = SkillsLevy(in, levies.base, deduction, settings.SkillLevy);
    FinishCredits(r, in);
    levies.worked = taxFinite && AllFinite(r);
    if (!levies.worked)
        r = {};
}

} // namespace revora::paye
