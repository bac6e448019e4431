// The printout of the four package screens: one row of "SalPackage", its layout and title.

#include <charconv>
#include <cmath>
#include <limits>

#include "package/PackageSteps.h"
#include "payroll/PayeCommon.h"
#include "tax/TaxYearRules.h"

namespace revora {
namespace {

// A count box as its 16-bit field.
std::int16_t Count(int value)
{
    return static_cast<std::int16_t>(std::clamp(value, int{std::numeric_limits<std::int16_t>::min()},
                                                int{std::numeric_limits<std::int16_t>::max()}));
}

// A number as plain text, shortest exact form without grouping (250000 -> "250000",
// 1234.5 -> "1234.5").
std::string Plain(double value)
{
    char text[400];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return std::string(text, written.ptr);
}

// The report heading and the window title of each screen, in the order of PackageKind.
struct ScreenTexts {
    const char* heading;
    const char* title;
};
constexpr ScreenTexts Texts[] = {
    {"Revora Salary Package Calculation : Annual", "Revora2016 Annual"},
    {"Revora Salary Package Calculation : Monthly", "Revora2016 Monthly"},
    {"Avanta Salary Package Calculation : Annual", "Avanta2016 Annual"},
    {"Avanta Salary Package Calculation : Monthly", "Avanta2016 Monthly"},
};
const ScreenTexts& TextsOf(PackageKind kind) { return Texts[static_cast<int>(kind)]; }

} // namespace

const char* PackageLayout(PackageKind kind) { return IsGrossUp(kind) ? "Revora.rpt" : "Avntx.rpt"; }

const char* PackageTitle(PackageKind kind) { return TextsOf(kind).title; }

ReportRow SalPackageReportRow(PackageKind kind, const PackageInputs& inputs, const PackageResult& result,
                              const std::string& taxpayer, const TaxYear& year)
{
    const auto shown = AsShownTwoDecimals;
    ReportRow row;
    const auto add = [&row](std::string name, ReportValue value) { row.push_back({std::move(name), std::move(value)}); };
    // A typed box that holds no finite number shows empty text, which reads as 0.
    const auto typed = [](double value) { return std::isfinite(value) ? value : 0.0; };
    add("MonAnn", std::string(TextsOf(kind).heading));
    add("TPName", taxpayer);
    add("TPAge", inputs.Age);
    add("MonAnnSal", std::string(IsMonthly(kind) ? "Net monthly salary required" : "Net annual salary required"));
    add("NetMonSal", typed(inputs.Amount));
    if (!IsGrossUp(kind))
        add("CostToComp", typed(inputs.AmountCostToCompany));
    add("CompCar", typed(inputs.CarValue));
    add("CompCarCC", typed(inputs.CarCostToCompany));
    add("TravAll", typed(inputs.TravelAllowance));
    add("TravAllCC", typed(inputs.TravelAllowanceCostToCompany));
    add("MedAidCont", typed(inputs.EmployeeMedical));
    add("MedAidContCC", typed(inputs.EmployerMedical));
    add("PMems", Count(inputs.Members));
    add("AddBens", Count(inputs.AdditionalBeneficiaries));
    add("TaxFreeMedPrint", 0.0);
    add("OtherTaxFB", typed(inputs.OtherFringeBenefits));
    add("OtherTaxFBCC", typed(inputs.OtherFringeBenefitsCostToCompany));
    add("PenDeduct", shown(result.EmployeePension));
    add("PenDeductCC", shown(result.EmployerPension));
    add("ProvDeduct", shown(result.EmployeeProvident));
    add("ProvDeductCC", shown(result.EmployerProvident));
    add("RADirective", std::string(inputs.RADirective ? "Yes" : "No"));
    add("RADeduct", typed(inputs.RADeduction));
    add("MedDeduct", typed(inputs.MedicalDeduction));
    add("UIFCont", shown(result.EmployeeUIF));
    add("UIFContCC", shown(result.EmployerUIF));
    add("SkillLevy", shown(result.SDL));
    add("TaxDue", shown(result.TaxDue));
    add("TaxCredit", result.TaxCredit);
    add("TaxDeduct", result.TaxDeduction);
    // Beside the members: the monthly credits the calculation used, the first two members'
    // and each further one's, as the year's rules give them.
    const auto perMember = [](double credit) { return "(R " + Plain(credit) + "pm each)"; };
    add("PrinMembers", perMember(year.MedicalCredits.MainMember));
    add("BenMembers", perMember(year.MedicalCredits.EachAdditional));

    // With no other deductions in total every line is emptied; otherwise a line is printed
    // only when its own amount is above 0.
    const bool anyOther = inputs.OtherDeductionsTotal() > 0.0;
    add("OEXPTXT", std::string(anyOther ? "Other Expenses :" : ""));
    const auto printed = [&](std::size_t i) { return anyOther && inputs.Other[i].Amount > 0.0; };
    for (std::size_t i = 0; i < inputs.Other.size(); ++i)
        add("ODedTxt" + std::to_string(i), printed(i) ? inputs.Other[i].Description : std::string());
    for (std::size_t i = 0; i < inputs.Other.size(); ++i)
        add("ODedR" + std::to_string(i), std::string(printed(i) ? "R" : ""));
    for (std::size_t i = 0; i < inputs.Other.size(); ++i)
        add("ODedNum" + std::to_string(i), printed(i) ? typed(inputs.Other[i].Amount) : 0.0);
    for (std::size_t i = 0; i < inputs.Other.size(); ++i)
        add("ODedNumCC" + std::to_string(i), printed(i) ? typed(inputs.Other[i].CostToCompany) : 0.0);

    add("GSal", result.Salary);
    add("TotCostComp", result.TotalCostToCompany);
    const bool onceOff = result.OnceOff > 0.0;
    add("PlusCompCar1", onceOff ? "(plus a 'once-off' cost of R " + Plain(result.OnceOff) : std::string());
    add("PlusCompCar2",
        std::string(onceOff ? "for the company car and this does not include fuel, maintenance etc)." : ""));
    return row;
}

} // namespace revora
