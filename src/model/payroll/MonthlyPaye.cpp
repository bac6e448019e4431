#include "payroll/MonthlyPaye.h"

#include <cmath>

#include "payroll/PayeSteps.h"
#include "payroll/PayeWorking.h"
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
                                        const MonthlyPeriod& period, TaxBracketResult& record, Working* working)
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
    const double tableWith = TaxBeforeRebatesFor(record, annual + inputs.Bonus);
    TaxBracketResult recordWith;
    if (working)
        recordWith = record;
    const double withBonus = AtLeastZero(tableWith - rebate);
    const double withoutBonus = AtLeastZero(TaxBeforeRebatesFor(record, annual) - rebate);
    const double bonusTax = withBonus - withoutBonus;
    const double regular = (withoutBonus / 12.0) * daysWorked / daysInMonth;
    r.TaxLiability = AtLeastZero(bonusTax + regular);

    PeriodLevies levies;
    r = FinishPeriod(r, inputs, settings, settings.UIFLimit, std::isfinite(bonusTax), levies);
    if (!working)
        return r;

    Working w;
    const IncomeSteps income = RecordTaxableIncome(w, {"Taxable income of the month", "Belasbare inkomste vir die maand"},
                                                   inputs, settings.TAIncRate8020, r.TaxableTravelAllowance, monthly);
    const bool partMonth = daysWorked != daysInMonth;
    const int annualStep = partMonth
        ? w.Add({"Annual equivalent", "Jaarlikse ekwivalent"},
                {"Annual equivalent of {3} days' pay in a month of {2} days",
                 "Jaarlikse ekwivalent van {3} dae se besoldiging in 'n maand van {2} dae"},
                "{1} \u00d7 ({2} \u00f7 {3}) \u00d7 12", {w.Step(income.taxable), Count(daysInMonth), Count(daysWorked)},
                annual)
        : w.Add({"Annual equivalent", "Jaarlikse ekwivalent"},
                {"Annual equivalent of a month's pay", "Jaarlikse ekwivalent van 'n maand se besoldiging"}, "{1} \u00d7 12",
                {w.Step(income.taxable)}, annual);
    const TableSteps table = RecordTableTaxes(w, annualStep, inputs.Bonus, recordWith, record);
    const int rebateStep = RecordRebate(w, inputs.Age, rebate);
    int bonusStep = 0;
    int without = 0;
    if (table.withBonus) {
        const int with = RecordLessRebate(w, {"Annual tax with the bonus", "Jaarlikse belasting met die bonus"},
                                          table.withBonus, rebateStep, withBonus);
        without = RecordLessRebate(w, {"Annual tax without the bonus", "Jaarlikse belasting sonder die bonus"},
                                   table.withoutBonus, rebateStep, withoutBonus);
        bonusStep = w.Add({"Tax on the bonus", "Belasting op die bonus"}, {}, "{1} \u2212 {2}",
                          {w.Step(with), w.Step(without)}, bonusTax);
    } else {
        without = RecordLessRebate(w, {"Annual tax less the rebate", "Jaarlikse belasting min die korting"},
                                   table.withoutBonus, rebateStep, withoutBonus);
    }
    const Phrase regularLabel =
        RegularLabel(inputs.Bonus, regular, {"Regular tax of the month", "Gewone belasting vir die maand"});
    const int regularStep = partMonth
        ? w.Add(regularLabel,
                {"Annual tax brought back to {2} days of a month of {3} days",
                 "Jaarlikse belasting teruggebring na {2} dae van 'n maand van {3} dae"},
                "{1} \u00f7 12 \u00d7 {2} \u00f7 {3}", {w.Step(without), Count(daysWorked), Count(daysInMonth)}, regular)
        : w.Add(regularLabel, {"Annual tax brought back to the month", "Jaarlikse belasting teruggebring na die maand"},
                "{1} \u00f7 12", {w.Step(without)}, regular);
    const int liability = RecordLiability(w, bonusStep, regularStep, regular, r.TaxLiability);
    RecordPeriodEnd(w, {inputs, settings, r, MonthCredit, income.travel, liability, levies.base, levies.uifOn,
                        settings.UIFLimit, 0});
    HandOver(working, std::move(w), levies.worked, r.TotalTaxDeduction);
    return r;
}

} // namespace revora
