// What the two package directions share outside their routines: the other-deductions total,
// the finiteness checks, and the figures worked from the result boxes after the routine.

#include "package/PackageSteps.h"
#include "payroll/PayeCommon.h"

namespace revora {

double PackageInputs::OtherDeductionsTotal() const noexcept
{
    double total = 0.0;
    for (const OtherDeduction& line : Other)
        total += line.Amount;
    return total;
}

namespace {

// The ten numeric columns of the Setup row; the maintenance-plan flag is the eleventh.
constexpr double PackageSettings::*NumericColumns[] = {
    &PackageSettings::PensionCont, &PackageSettings::EmployerPenCont, &PackageSettings::ProvCont,
    &PackageSettings::EmployerProvCont, &PackageSettings::EmployeeUIF, &PackageSettings::EmployerUIF,
    &PackageSettings::SkillLevy, &PackageSettings::UIFLimit, &PackageSettings::TAIncRate8020,
    &PackageSettings::CompCarFBRate8020,
};

} // namespace

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
    for (double PackageSettings::*column : NumericColumns)
        if (changes(column))
            stored.*column = edited.*column;
    if (opened.CompCarMPYesNo != edited.CompCarMPYesNo)
        stored.CompCarMPYesNo = edited.CompCarMPYesNo;
    return stored;
}

SettingsEdit SettingsEdit::then(const SettingsEdit& next) const noexcept
{
    SettingsEdit both = next;
    for (double PackageSettings::*column : NumericColumns) {
        if (!changes(column))
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
        r.NonRetirementIncome, r.RAAllowed, r.TaxDue, r.EmployeeUIF, r.EmployerUIF, r.SDL, r.SearchAmount,
    };
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

void WorkShownFigures(PackageKind kind, const PackageInputs& in, PackageResult& r) noexcept
{
    // Each result box shows two decimals and the sums are worked from what the boxes show;
    // the typed boxes hold what was typed.
    const auto shown = AsShownTwoDecimals;
    const double credits = r.MedicalCredit + r.AdditionalMedicalCredit;
    r.TaxCredit = shown(credits);
    r.TaxDeduction = shown(AtLeastZero(r.TaxDue - credits));
    if (IsGrossUp(kind)) {
        r.Salary = shown(in.Amount + shown(r.EmployeePension) + in.MedicalDeduction + shown(r.EmployeeUIF)
                         + r.TaxDeduction + in.OtherDeductionsTotal() + shown(r.EmployeeProvident)
                         + in.EmployeeMedical);
    } else {
        // The travel allowance stays in the take-home pay.
        r.Salary = shown(in.Amount - in.EmployeeMedical - in.OtherFringeBenefits - shown(r.EmployeePension)
                         - shown(r.EmployeeProvident) - in.MedicalDeduction - shown(r.EmployeeUIF) - r.TaxDeduction
                         - in.EmployerMedical);
    }
    // The car's price is a once-off cost only when the employer has no periodic cost for it.
    const bool onceOff = in.CarValue > 0.0 && in.CarCostToCompany == 0.0 && r.CalcError == 0;
    r.OnceOff = onceOff ? shown(in.CarValue) : 0.0;
    if (IsGrossUp(kind)) {
        r.TotalCostToCompany = shown(r.Salary + in.EmployerMedical + shown(r.EmployerPension) + shown(r.EmployerUIF)
                                     + shown(r.SDL) + in.CarCostToCompany + shown(r.EmployerProvident));
    } else {
        r.TotalCostToCompany = shown(in.Amount + shown(r.EmployerPension) + shown(r.EmployerProvident)
                                     + shown(r.EmployerUIF) + shown(r.SDL) + in.CarCostToCompany);
    }
}

PackageOutcome Refused(PackageKind kind, const PackageInputs& inputs, PackageResult& result,
                       PackageOutcome outcome) noexcept
{
    result.CalcError = 1;
    WorkShownFigures(kind, inputs, result);
    return outcome;
}

PackageOutcome Finished(PackageKind kind, PackageInputs& inputs, PackageResult& result, TaxBracketResult& record,
                        const PackageInputs& in, const PackageResult& work, const TaxBracketResult& engine) noexcept
{
    inputs = in;
    inputs.RADeduction = work.RAAllowed;
    result = work;
    result.CalcError = 0;
    record = engine;
    WorkShownFigures(kind, inputs, result);
    return PackageOutcome::Done;
}

} // namespace package
} // namespace revora
