#pragma once
// One employee's printout on each of the five employees' tax screens, as its print writes it:
// the real calculation over the same inputs, in the language asked for.

#include <string>

#include "payroll/AnnualPaye.h"
#include "payroll/DailyPaye.h"
#include "payroll/PayePrintout.h"
#include "tax/TaxEngine.h"

namespace revora::testing {

// The longest name the print panel takes, with characters that HTML must escape.
inline const std::string EmployeeName = "Anna-Marie O'Reilly & Johannes van der Westhuizens";

inline ReportRow PayeRow(const PayePrintoutTarget& target, PrintLanguage language)
{
    constexpr PayeInputs in{.Age = 67, .Salary = 20000, .EmployerMedical = 1000, .EmployeeMedical = 500,
                            .Commission = 300, .Bonus = 2000, .TravelAllowance = 3000, .Beneficiaries = 3,
                            .Pension = 400, .RetirementAnnuity = 200, .MedDeduction = 250};
    TaxBracketResult record;
    const std::string layout = target.Layout;
    if (layout == MonthlyPrintout.Layout)
        return MonthlyPayeReportRow(in, {}, {}, MonthlyPayeCalculate(in, {}, {}, record), EmployeeName, language);
    if (layout == DailyPrintout.Layout)
        return DailyPayeReportRow(in, {}, DailyPayeCalculate(in, {}, record), EmployeeName, language);
    if (layout == AnnualPrintout.Layout) {
        AnnualPayeInputs annual{.Amounts = in};
        const AnnualPayeResult result = AnnualPayeCalculate(annual, {}, record);
        return AnnualPayeReportRow(annual, {}, result, EmployeeName, language);
    }
    const WeekKind kind = layout == WeeklyPrintout.Layout ? WeekKind::Weekly : WeekKind::Fortnightly;
    const WeekPeriod week = kind == WeekKind::Weekly ? WeekPeriod{5, 3} : WeekPeriod{10, 7};
    return WeekPayeReportRow(kind, in, {}, week, WeekPayeCalculate(kind, in, {}, week, record), EmployeeName, language);
}

} // namespace revora::testing
