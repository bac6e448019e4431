#pragma once
// What the employees' tax fuzz targets share: the employer's settings and one period's
// amounts drawn from the fuzzer's bytes, and the rules every periodic result keeps.

#include "FuzzInput.h"
#include "payroll/PayeCommon.h"
#include "tax/TaxYearRules.h"

namespace revora::fuzz {

// The set-up panel takes percentages and a rand limit; beyond them only revora-calc goes.
inline PayeSettings ReadPayeSettings(FuzzInput& in)
{
    PayeSettings s;
    s.EmployeeUIF = in.Amount(100.0, false, {1.0});
    s.EmployerUIF = in.Amount(100.0, false, {1.0});
    s.SkillLevy = in.Amount(100.0, false, {1.0});
    s.UIFLimit = in.Amount(1'000'000.0, false, {14872.0});
    s.TAIncRate8020 = in.Flag() ? in.Pick({0.8, 0.2}) : in.Within(0.0, 1.0);
    return s;
}

// Amounts may be negative (the boxes take a minus sign); `periodsInYear` puts the tax
// table's edges into the period's own scale so they are met often.
inline PayeInputs ReadPayeInputs(FuzzInput& in, double periodsInYear, std::int16_t mostBeneficiaries)
{
    std::initializer_list<double> edges = {
        181900.0 / periodsInYear, 284100.0 / periodsInYear, 393200.0 / periodsInYear,
        550100.0 / periodsInYear, 701300.0 / periodsInYear, 14872.0 * 12.0 / periodsInYear};
    const double most = 10'000'000.0 / periodsInYear;
    PayeInputs p;
    p.Age = in.Count(0, 120);
    p.Salary = in.Amount(most, true, edges);
    p.EmployerMedical = in.Amount(most, true, edges);
    p.EmployeeMedical = in.Amount(most, true, edges);
    p.Commission = in.Amount(most, true, edges);
    p.Bonus = in.Amount(most, true, edges);
    p.TravelAllowance = in.Amount(most, true, edges);
    p.Beneficiaries = static_cast<std::int16_t>(in.Int(0, mostBeneficiaries));
    p.Pension = in.Amount(most, true, edges);
    p.RetirementAnnuity = in.Amount(most, true, edges);
    p.MedDeduction = in.Amount(most, true, edges);
    return p;
}

// The tax and the credits are floored at 0 by the rules; UIF and SDL are not (a negative
// salary gives negative UIF), so they are only held to be finite.
inline void CheckPeriodic(const PeriodicPayeResult& r)
{
    Finite(r.TaxableTravelAllowance, "taxable travel allowance");
    Finite(r.UIFEmployee, "employee UIF");
    Finite(r.UIFEmployer, "employer UIF");
    Finite(r.SDL, "SDL");
    FiniteNotNegative(r.TaxLiability, "tax of the period");
    FiniteNotNegative(r.MedicalCredit, "medical credit");
    FiniteNotNegative(r.AdditionalMedicalCredit, "additional medical credit");
    FiniteNotNegative(r.TotalTaxDeduction, "total tax deduction");
    Require(r.TotalTaxDeduction <= r.TaxLiability, "credits never add to the tax");
}

// UIF on a base that is not negative, at rates that are not negative, is not negative.
inline void CheckUifSign(const PayeInputs& p, const PayeSettings& s, const PeriodicPayeResult& r)
{
    const double base = p.Salary + p.EmployerMedical + p.Bonus + r.TaxableTravelAllowance;
    if (base >= 0.0 && s.EmployeeUIF >= 0.0 && s.EmployerUIF >= 0.0 && s.UIFLimit >= 0.0) {
        NotNegative(r.UIFEmployee, "employee UIF on a base not below 0");
        NotNegative(r.UIFEmployer, "employer UIF on a base not below 0");
    }
}

// The working is made of finite figures and ends on the calculation's total deduction.
inline void CheckWorking(const Working& working, double total)
{
    Require(!working.Empty() && working.AllFinite(), "the working has only finite figures");
    Require(working.Steps().back().Amount == total, "the working ends on the total deduction");
}

inline PrintLanguage ReadLanguage(FuzzInput& in) { return in.Flag() ? PrintLanguage::Afrikaans : PrintLanguage::English; }

// A day near the tax year, or any day at all now and then.
inline int ReadDay(FuzzInput& in)
{
    if ((in.Byte() & 15) == 0)
        return static_cast<int>(in.Int(-700000, 3000000));
    return static_cast<int>(in.Int(TaxYearStart - 40, TaxYearEnd + 40));
}

} // namespace revora::fuzz
