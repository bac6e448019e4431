// What the two package directions share outside their routines: the other-deductions total,
// the finiteness checks, and the figures worked from the result boxes after the routine.

#include "package/PackageSteps.h"
#include "package/SetupColumns.h"
#include "payroll/PayeCommon.h"

namespace revora {

double PackageInputs::OtherDeductionsTotal() const noexcept
{
    double total = 0.0;
    for (const OtherDeduction& line : Other)
        total += line.Amount;
    return total;
}

PayeSettings PayrollPart(const PackageSettings& s) noexcept
{
    return {s.EmployeeUIF, s.EmployerUIF, s.SkillLevy, s.UIFLimit, s.TAIncRate8020};
}

PackageSettings WithPayrollPart(PackageSettings settings, const PayeSettings& payroll) noexcept
{
    settings.EmployeeUIF = payroll.EmployeeUIF;
    settings.EmployerUIF = payroll.EmployerUIF;
    settings.SkillLevy = payroll.SkillLevy;
    settings.UIFLimit = payroll.UIFLimit;
    settings.TAIncRate8020 = payroll.TAIncRate8020;
    return settings;
}

PackageSettings SettingsEdit::over(PackageSettings stored) const noexcept
{
    for (const SetupColumn& setup : SetupColumns)
        if (double PackageSettings::*column = setup.rate; column && changes(column))
            stored.*column = edited.*column;
    if (opened.CompCarMPYesNo != edited.CompCarMPYesNo)
        stored.CompCarMPYesNo = edited.CompCarMPYesNo;
    return stored;
}

SettingsEdit SettingsEdit::then(const SettingsEdit& next) const noexcept
{
    SettingsEdit both = next;
    for (const SetupColumn& setup : SetupColumns) {
        double PackageSettings::*column = setup.rate;
        if (!column || !changes(column))
            continue;
        if (!next.changes(column))
            both.edited.*column = edited.*column;
        both.opened.*column = opened.*column;
    }
    const bool planChanged = opened.CompCarMPYesNo != edited.CompCarMPYesNo;
    if (planChanged && next.opened.CompCarMPYesNo == next.edited.CompCarMPYesNo)
        both.edited.CompCarMPYesNo = edited.CompCarMPYesNo;
    if (planChanged)
        both.opened.CompCarMPYesNo = opened.CompCarMPYesNo;
    return both;
}

namespace package {

bool AllFinite(const PackageInputs& in, const PackageSettings& s) noexcept
{
    const double values[] = {
        in.Amount, in.CarValue, in.CarCostToCompany, in.TravelAllowance, in.EmployeeMedical, in.EmployerMedical,
        in.OtherFringeBenefits, in.MedicalDeduction, in.RADeduction, in.OtherDeductionsTotal(), s.PensionCont,
        s.EmployerPenCont, s.ProvCont, s.EmployerProvCont, s.EmployeeUIF, s.EmployerUIF, s.SkillLevy, s.UIFLimit,
        s.TAIncRate8020, s.CompCarFBRate8020,
    };
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

bool AllFinite(const PackageResult& r) noexcept
{
    const double values[] = {
        r.CompanyCarBenefit, r.Rebate, r.MedicalCredit, r.AdditionalMedicalCredit, r.EmployeePension,
        r.EmployerPension, r.EmployeeProvident, r.EmployerProvident, r.RALimitA, r.RALimitB, r.RALimitC,
        r.NonRetirementIncome, r.RetirementIncome, r.RetirementLimit, r.FundDeduction, r.RAAllowed, r.TaxDue,
        r.EmployeeUIF, r.EmployerUIF, r.SDL, r.SearchAmount,
    };
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

void WorkShownFigures(PackageKind kind, const PackageInputs& in, PackageResult& r, Explaining explaining)
{
    // Each result box shows two decimals and the sums are worked from what the boxes show;
    // the typed boxes hold what was typed.
    const auto shown = AsShownTwoDecimals;
    const double credits = r.MedicalCredit + r.AdditionalMedicalCredit;
    r.TaxCredit = shown(credits);
    const double deduction = AtLeastZero(r.TaxDue - credits);
    r.TaxDeduction = shown(deduction);
    const double pension = shown(r.EmployeePension);
    const double provident = shown(r.EmployeeProvident);
    const double uif = shown(r.EmployeeUIF);
    const double salary = IsGrossUp(kind)
        ? in.Amount + pension + in.MedicalDeduction + uif + r.TaxDeduction + in.OtherDeductionsTotal() + provident
            + in.EmployeeMedical
        // The travel allowance stays in the take-home pay.
        : in.Amount - in.EmployeeMedical - in.OtherFringeBenefits - pension - provident - in.MedicalDeduction - uif
            - r.TaxDeduction - in.EmployerMedical;
    r.Salary = shown(salary);
    // The car's price is a once-off cost only when the employer has no periodic cost for it.
    const bool onceOff = in.CarValue > 0.0 && in.CarCostToCompany == 0.0 && r.CalcError == 0;
    r.OnceOff = onceOff ? shown(in.CarValue) : 0.0;
    const double employerPension = shown(r.EmployerPension);
    const double employerProvident = shown(r.EmployerProvident);
    const double employerUif = shown(r.EmployerUIF);
    const double levy = shown(r.SDL);
    if (IsGrossUp(kind)) {
        r.TotalCostToCompany = shown(r.Salary + in.EmployerMedical + employerPension + employerUif + levy
                                     + in.CarCostToCompany + employerProvident);
    } else {
        r.TotalCostToCompany =
            shown(in.Amount + employerPension + employerProvident + employerUif + levy + in.CarCostToCompany);
    }
    if (!explaining.working || r.CalcError != 0)
        return;

    Working& w = *explaining.working;
    if (explaining.credits > 0)
        w.Add({"Tax deduction"},
              deduction > 0.0 ? Phrase{} : Phrase{"Tax deduction, as the medical credits cover the tax"},
              deduction > 0.0 ? "{1} \u2212 {2}" : "", {w.Step(explaining.taxDue), w.Step(explaining.credits)},
              deduction);
    const auto onceOffStep = [&] {
        if (r.OnceOff > 0.0)
            w.Add({"Once-off car cost"},
                  {"Once-off car cost, the car's value, as the employer pays nothing for it each period"}, {},
                  r.OnceOff);
    };
    if (IsGrossUp(kind)) {
        SignedSum()
            .Plus(Amount(in.Amount))
            .Plus(Amount(pension))
            .Plus(Amount(in.MedicalDeduction))
            .Plus(Amount(uif))
            .Plus(Amount(r.TaxDeduction))
            .Plus(Amount(in.OtherDeductionsTotal()))
            .Plus(Amount(provident))
            .Plus(Amount(in.EmployeeMedical))
            .Record(w, {"Gross salary"}, {"Gross salary, the net required with the deductions and the tax"}, salary);
        onceOffStep();
        SignedSum()
            .Plus(Amount(r.Salary))
            .Plus(Amount(in.EmployerMedical))
            .Plus(Amount(employerPension))
            .Plus(Amount(employerUif))
            .Plus(Amount(levy))
            .Plus(Amount(in.CarCostToCompany))
            .Plus(Amount(employerProvident))
            .Record(w, {"Total cost to company"},
                    {"Total cost to company, the gross salary with the employer's contributions"},
                    r.TotalCostToCompany);
    } else {
        SignedSum()
            .Plus(Amount(in.Amount))
            .Plus(Amount(employerPension))
            .Plus(Amount(employerProvident))
            .Plus(Amount(employerUif))
            .Plus(Amount(levy))
            .Plus(Amount(in.CarCostToCompany))
            .Record(w, {"Total cost to company"},
                    {"Total cost to company, the package with the employer's contributions"}, r.TotalCostToCompany);
        onceOffStep();
        SignedSum()
            .Plus(Amount(in.Amount))
            .Minus(Amount(in.EmployeeMedical))
            .Minus(Amount(in.OtherFringeBenefits))
            .Minus(Amount(pension))
            .Minus(Amount(provident))
            .Minus(Amount(in.MedicalDeduction))
            .Minus(Amount(uif))
            .Minus(Amount(r.TaxDeduction))
            .Minus(Amount(in.EmployerMedical))
            .Record(w, {"Net salary (take-home)"},
                    {"Net salary (take-home), the package less the deductions and the tax"}, r.Salary);
    }
    // A figure too large for a double leaves no working rather than one with holes in it.
    if (!w.AllFinite())
        w.Clear();
}

PackageOutcome Refused(PackageKind kind, const PackageInputs& inputs, PackageResult& result,
                       PackageOutcome outcome) noexcept
{
    result.CalcError = 1;
    WorkShownFigures(kind, inputs, result);
    return outcome;
}

PackageOutcome Finished(PackageKind kind, PackageInputs& inputs, PackageResult& result, TaxBracketResult& record,
                        const PackageInputs& in, const PackageResult& work, const TaxBracketResult& engine,
                        Explaining explaining)
{
    inputs = in;
    inputs.RADeduction = work.RAAllowed;
    result = work;
    result.CalcError = 0;
    record = engine;
    WorkShownFigures(kind, inputs, result, explaining);
    return PackageOutcome::Done;
}

} // namespace package
} // namespace revora
