#pragma once
// Steps the periodic employees' tax calculations share: used only by the
// payroll .cpp files, not by the screens.

#include <cmath>

#include "payroll/PayeCommon.h"
#include "tax/TaxEngine.h"
#include "tax/TaxYearRules.h"

namespace revora::paye {

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

// UIF base: salary + employer's medical + bonus + taxable travel (commission is not in it).
inline double UifBase(const PayeInputs& in, double taxableTravel) noexcept
{
    return in.Salary + in.EmployerMedical + in.Bonus + taxableTravel;
}

// SDL: (UIF base - (pension + R/A) + commission) x (rate / 100); no limit and no floor.
inline double SkillsLevy(const PayeInputs& in, double uifBase, double sdlPercent) noexcept
{
    return (uifBase - (in.Pension + in.RetirementAnnuity) + in.Commission) * (sdlPercent / 100.0);
}

// TaxBeforeRebates for an annual taxable income in the year's table, through the shared record.
inline double TaxBeforeRebatesFor(TaxBracketResult& record, double annualIncome, const TaxYear& year) noexcept
{
    record.TaxableIncome = annualIncome;
    TaxFromTable(record, year);
    return record.TaxBeforeRebates;
}

// "greater than 0, else 0": the floors of the rules (a NaN would stay NaN; see AllFinite).
inline double AtLeastZero(double value) noexcept { return value > 0.0 ? value : 0.0; }

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
    bool worked = false; // false: the result was given as zeros
};

// The last steps of every period once its tax and credit are known: UIF on the base up to
// the period's limit (the monthly limit x 12 / periods a year), SDL, the additional credit
// and the total deduction. A tax that could not be worked (`taxFinite` false: an annual income
// too large for a number) gives zeros, as a figure that is not finite does: a tax of 0 beside
// the levies would be a wrong answer, not an empty one.
inline void FinishPeriod(PeriodicPayeResult& r, const PayeInputs& in, const PayeSettings& settings, double periodLimit,
                         bool taxFinite, PeriodLevies& levies) noexcept
{
    levies.base = UifBase(in, r.TaxableTravelAllowance);
    levies.uifOn = levies.base > periodLimit ? periodLimit : levies.base;
    r.UIFEmployee = levies.uifOn * settings.EmployeeUIF / 100.0;
    r.UIFEmployer = levies.uifOn * settings.EmployerUIF / 100.0;
    r.SDL = SkillsLevy(in, levies.base, settings.SkillLevy);
    FinishCredits(r, in);
    levies.worked = taxFinite && AllFinite(r);
    if (!levies.worked)
        r = {};
}

} // namespace revora::paye
