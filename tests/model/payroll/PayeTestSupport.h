#pragma once
// Helpers of the employees' tax tests: dates by calendar day, and settings written out in full
// so no expected figure depends on the defaults of PayeSettings.

#include "payroll/PayeCommon.h"
#include "common/DayDate.h"
#include "tax/TaxYearRules.h"

namespace revora::testing {

// Day number of a calendar date (01/03/2015 is 42064).
inline int Date(int day, int month, int year) { return DayNumberFromCivil({year, month, day}); }

// UIF 1 % each, SDL 1 %, UIF monthly limit 14 872, travel allowance 80 % taxable.
inline PayeSettings Settings(double uifLimit = 14872.0, double inclusionRate = 0.8, double employeeUif = 1.0,
                             double employerUif = 1.0, double skillLevy = 1.0)
{
    PayeSettings s;
    s.EmployeeUIF = employeeUif;
    s.EmployerUIF = employerUif;
    s.SkillLevy = skillLevy;
    s.UIFLimit = uifLimit;
    s.TAIncRate8020 = inclusionRate;
    return s;
}

// The year 2016's figures under the one deduction of later years (27.5 %, capped at `cap` a
// year); 0: the year 2016 itself, whose contributions are deducted as typed.
inline TaxYear YearWithCap(double cap)
{
    TaxYear year = TaxYear2016();
    if (cap > 0.0)
        year.Retirement = {RetirementRegime::OneDeduction, 0.275, cap};
    return year;
}

} // namespace revora::testing
