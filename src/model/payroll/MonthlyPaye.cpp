#include "payroll/MonthlyPaye.h"

#include "payroll/PayeSteps.h"
#include "common/DayDate.h"
#include "tax/TaxYearRules.h"

namespace revora {
namespace {

constexpr const char* IncorrectDate = "Incorrect Date";

bool InTaxYear(int day) noexcept { return day >= TaxYearStart && day <= TaxYearEnd; }

// Days in the month of the tax year that a date falls in: February has 29 (February 2016).
int DaysInTaxYearMonth(int month) noexcept
{
    switch (month) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12:
        return 31;
    case 2:
        return 29;
    default:
        return 30;
    }
}

} // namespace

std::optional<PayeRefusal> CheckMonthlyPeriod(const MonthlyPeriod& period)
{
    // The date boxes take only dates of the tax year; a caller without them is held to the same.
    if (!InTaxYear(period.StartDate))
        return PayeRefusal{IncorrectDate, std::string(DateOutsideYearMessage), PayeFocus::StartDate};
    if (!InTaxYear(period.EndDate))
        return PayeRefusal{IncorrectDate, std::string(DateOutsideYearMessage), PayeFocus::EndDate};

    const CivilDate start = CivilFromDayNumber(period.StartDate);
    const CivilDate end = CivilFromDayNumber(period.EndDate);
    if (start.month != end.month)
        return PayeRefusal{IncorrectDate, "The Start and End dates entered must be for the same Month",
                           PayeFocus::EndDate};
    if (start.day > end.day)
        return PayeRefusal{IncorrectDate, "The Start date entered must be before the End date", PayeFocus::StartDate};
    return std::nullopt;
}

PeriodicPayeResult MonthlyPayeCalculate(const PayeInputs& inputs, const PayeSettings& settings,
                                        const MonthlyPeriod& period, TaxBracketResult& record) noexcept
{
    using namespace paye;
    // Days worked below 1 only without the period check: nothing to divide by, all zeros.
    const int daysWorked = period.EndDate - period.StartDate + 1;
    if (daysWorked < 1)
        return {};
    const int daysInMonth = DaysInTaxYearMonth(CivilFromDayNumber(period.StartDate).month);

    PeriodicPayeResult r;
    r.TaxableTravelAllowance = settings.TAIncRate8020 * inputs.TravelAllowance;

    // Medical scheme fees credit of the month.
    r.MedicalCredit =
        Contributes(inputs.EmployerMedical, inputs.EmployeeMedical) ? MedicalCreditPerMonth(inputs.Beneficiaries) : 0.0;

    // The month's tax: a part month is grossed up to the whole month, then annualised.
    const double monthly = PeriodTaxable(inputs, r.TaxableTravelAllowance);
    const double annual = (monthly * (static_cast<double>(daysInMonth) / daysWorked)) * 12.0;
    const double rebate = RebateForAge(inputs.Age);
    // With the bonus first, so the shared record keeps the income without it.
    const double withBonus = AtLeastZero(TaxBeforeRebatesFor(record, annual + inputs.Bonus) - rebate);
    const double withoutBonus = AtLeastZero(TaxBeforeRebatesFor(record, annual) - rebate);
    const double bonusTax = withBonus - withoutBonus;
    const double regular = (withoutBonus / 12.0) * daysWorked / daysInMonth;
    r.TaxLiability = AtLeastZero(bonusTax + regular);

    return FinishPeriod(r, inputs, settings, settings.UIFLimit);
}

} // namespace revora
