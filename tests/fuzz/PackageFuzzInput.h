#pragma once
// What the two salary package fuzz targets share: the set-up row and the screen's boxes drawn
// from the fuzzer's bytes, and the rules every package result keeps.

#include <string>

#include "FuzzInput.h"
#include "package/SalaryPackage.h"
#include "tax/TaxYearRules.h"

namespace revora::fuzz {

inline PackageSettings ReadPackageSettings(FuzzInput& in)
{
    PackageSettings s;
    s.PensionCont = in.Amount(100.0, false, {7.5});
    s.EmployerPenCont = in.Amount(100.0, false, {7.5});
    s.ProvCont = in.Amount(100.0, false, {7.5});
    s.EmployerProvCont = in.Amount(100.0, false, {7.5});
    s.EmployeeUIF = in.Amount(100.0, false, {1.0});
    s.EmployerUIF = in.Amount(100.0, false, {1.0});
    s.SkillLevy = in.Amount(100.0, false, {1.0});
    s.UIFLimit = in.Amount(1'000'000.0, false, {14872.0});
    s.TAIncRate8020 = in.Flag() ? in.Pick({0.8, 0.2}) : in.Within(0.0, 1.0);
    s.CompCarFBRate8020 = in.Flag() ? in.Pick({0.8, 0.2}) : in.Within(0.0, 1.0);
    s.CompCarMPYesNo = in.Flag();
    return s;
}

// Every amount up to `most` (the boxes take no minus sign here), the age and the count as
// 16-bit boxes hold them.
inline PackageInputs ReadPackageInputs(FuzzInput& in, double amount, double most)
{
    PackageInputs p;
    p.Age = in.Count(0, 120);
    p.Amount = amount;
    p.AmountCostToCompany = in.Amount(most);
    p.CarValue = in.Amount(most);
    p.CarCostToCompany = in.Amount(most);
    p.TravelAllowance = in.Amount(most);
    p.TravelAllowanceCostToCompany = in.Amount(most);
    p.EmployeeMedical = in.Amount(most);
    p.EmployerMedical = in.Amount(most);
    p.Members = in.Count(0, 36);
    if (p.Members < 0)
        p.Members = -p.Members;
    p.OtherFringeBenefits = in.Amount(most);
    p.OtherFringeBenefitsCostToCompany = in.Amount(most);
    p.MedicalDeduction = in.Amount(most);
    p.RADeduction = in.Amount(most, false, {1750.0, 3500.0});
    p.RADirective = in.Flag();
    for (OtherDeduction& line : p.Other) {
        line.Description = in.Text(30);
        line.Amount = in.Amount(most);
        line.CostToCompany = in.Amount(most);
    }
    p.AdditionalBeneficiaries = static_cast<int>(in.Int(0, 20));
    return p;
}

inline void CheckPackageResult(const PackageResult& r)
{
    const double anySign[] = {r.EmployeePension, r.EmployerPension, r.EmployeeProvident, r.EmployerProvident,
                              r.RALimitA, r.RALimitB, r.RALimitC, r.NonRetirementIncome, r.RAAllowed,
                              r.EmployeeUIF, r.EmployerUIF, r.SDL, r.SearchAmount, r.Salary,
                              r.TotalCostToCompany, r.OnceOff, r.CompanyCarBenefit};
    for (const double v : anySign)
        Finite(v, "package working value");
    FiniteNotNegative(r.Rebate, "package rebate");
    FiniteNotNegative(r.MedicalCredit, "package medical credit");
    FiniteNotNegative(r.AdditionalMedicalCredit, "package additional medical credit");
    FiniteNotNegative(r.TaxDue, "package tax due");
    FiniteNotNegative(r.TaxCredit, "package tax credit");
    FiniteNotNegative(r.TaxDeduction, "package tax deduction");
    Require(r.CalcError == 0 || r.CalcError == 1, "calculation flag is 0 or 1");
}

inline void CheckPackagePrintout(PackageKind screen, const PackageInputs& p, const PackageResult& r,
                                 const std::string& taxpayer)
{
    FiniteRow(SalPackageReportRow(screen, p, r, taxpayer, TaxYear2016()), "package printout");
    const RAExplanation explained = ExplainRA(screen, r);
    Require(explained.LineA.find("nan") == std::string::npos && explained.LineA.find("inf") == std::string::npos,
            "R/A explanation shows no nan or inf");
    Require(explained.LineC.find("nan") == std::string::npos && explained.LineC.find("inf") == std::string::npos,
            "R/A explanation shows no nan or inf");
}

} // namespace revora::fuzz
