#include "payroll/MonthlyPaye.h"

#include <cmath>
#include <optional>

#include "payroll/PayeSteps.h"
#include "payroll/PayeWorking.h"
#include "common/DayDate.h"
#include "tax/TaxYearRules.h"

namespace revora {
namespace {

constexpr const char* IncorrectDate = "Incorrect Date";

// Days in the month of the tax year that a date falls in: February has the year's own, its last
// day being the year's (29 in February 2016).
int DaysInTaxYearMonth(int month, const TaxYear& year) noexcept
{
    switch (month) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12:
        return 31;
    case 2:
        return CivilFromDayNumber(year.End).day;
    default:
        return 30;
    }
}

// The figures of the month's tax, as the calculation worked them, for its working.
struct MonthTax {
    double monthly;
    double annual; // the annual equivalent, before the retirement-fund cap
    const TaxBracketResult& withBonus;
    const TaxBracketResult& withoutBonus;
    double rebate;
    double taxWithBonus; // annual taxes after the rebate, never below 0
    double taxWithoutBonus;
    double bonusTax;
    double regular;
    int daysWorked;
    int daysInMonth;
    const paye::RetirementCap& cap;
};

// Kept out of line, so the calculation without a working runs as lean as it did before it
// could record one.
[[gnu::noinline]] void RecordMonth(Working& working, const PayeInputs& inputs, const PayeSettings& settings,
                   const TaxYear& year, const PeriodicPayeResult& r, const paye::PeriodLevies& levies,
                   const MonthTax& t)
{
    using namespace paye;
    Working w;
    const IncomeSteps income =
        RecordTaxableIncome(w, {"Taxable income of the month", "Belasbare inkomste vir die maand"}, inputs,
                            settings.TAIncRate8020, r.TaxableTravelAllowance, t.monthly);
    const bool partMonth = t.daysWorked != t.daysInMonth;
    const int annualStep = partMonth
        ? w.Add({"Annual equivalent", "Jaarlikse ekwivalent"},
                {"Annual equivalent of {3} days' pay in a month of {2} days",
                 "Jaarlikse ekwivalent van {3} dae se besoldiging in 'n maand van {2} dae"},
                "{1} \u00d7 ({2} \u00f7 {3}) \u00d7 12",
                {w.Step(income.taxable), Count(t.daysInMonth), Count(t.daysWorked)}, t.annual)
        : w.Add({"Annual equivalent", "Jaarlikse ekwivalent"},
                {"Annual equivalent of a month's pay", "Jaarlikse ekwivalent van 'n maand se besoldiging"},
                "{1} \u00d7 12", {w.Step(income.taxable)}, t.annual);
    const int taxedStep = RecordRetirementCap(w, annualStep, t.cap, year);
    const TableSteps table = RecordTableTaxes(w, taxedStep, inputs.Bonus, t.withBonus, t.withoutBonus);
    const int rebateStep = RecordRebate(w, inputs.Age, t.rebate, year);
    int bonusStep = 0;
    int without = 0;
    if (table.withBonus) {
        const int with = RecordLessRebate(w, {"Annual tax with the bonus", "Jaarlikse belasting met die bonus"},
                                          table.withBonus, rebateStep, t.taxWithBonus);
        without = RecordLessRebate(w, {"Annual tax without the bonus", "Jaarlikse belasting sonder die bonus"},
                                   table.withoutBonus, rebateStep, t.taxWithoutBonus);
        bonusStep = w.Add({"Tax on the bonus", "Belasting op die bonus"}, {}, "{1} \u2212 {2}",
                          {w.Step(with), w.Step(without)}, t.bonusTax);
    } else {
        without = RecordLessRebate(w, {"Annual tax less the rebate", "Jaarlikse belasting min die korting"},
                                   table.withoutBonus, rebateStep, t.taxWithoutBonus);
    }
    const Phrase regularLabel =
        RegularLabel(inputs.Bonus, t.regular, {"Regular tax of the month", "Gewone belasting vir die maand"});
    const int regularStep = partMonth
        ? w.Add(regularLabel,
                {"Annual tax brought back to {2} days of a month of {3} days",
                 "Jaarlikse belasting teruggebring na {2} dae van 'n maand van {3} dae"},
                "{1} \u00f7 12 \u00d7 {2} \u00f7 {3}", {w.Step(without), Count(t.daysWorked), Count(t.daysInMonth)},
                t.regular)
        : w.Add(regularLabel, {"Annual tax brought back to the month", "Jaarlikse belasting teruggebring na die maand"},
                "{1} \u00f7 12", {w.Step(without)}, t.regular);
    const int liability = RecordLiability(w, bonusStep, regularStep, t.regular, r.TaxLiability);
    RecordPeriodEnd(w, {inputs, settings, r, MonthCredit, income.travel, liability, levies.base, levies.uifOn,
                        levies.deduction, t.cap.bites, settings.UIFLimit, 0, year});
    HandOver(&working, std::move(w), levies.worked, r.TotalTaxDeduction);
}

} // namespace

MonthlyPeriod FirstMonthOf(const TaxYear& year) noexcept
{
    return {year.Start, year.Start + 30};
}

std::optional<PayeRefusal> CheckMonthlyPeriod(const MonthlyPeriod& period)
{
    return CheckMonthlyPeriod(period, TaxYear2016());
}

std::optional<PayeRefusal> CheckMonthlyPeriod(const MonthlyPeriod& period, const TaxYear& year)
{
    // The date boxes take only dates of the tax year; a caller without them is held to the same.
    if (!InTaxYear(period.StartDate, year))
        return PayeRefusal{IncorrectDate, OutsideYearMessage(year), PayeFocus::StartDate};
    if (!InTaxYear(period.EndDate, year))
        return PayeRefusal{IncorrectDate, OutsideYearMessage(year), PayeFocus::EndDate};

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
    return MonthlyPayeCalculate(inputs, settings, TaxYear2016(), period, record, working);
}

PeriodicPayeResult MonthlyPayeCalculate(const PayeInputs& inputs, const PayeSettings& settings, const TaxYear& year,
                                        const MonthlyPeriod& period, TaxBracketResult& record, Working* working)
{
    using namespace paye;
    // Days worked below 1 only without the period check: nothing to divide by, all zeros.
    PeriodicPayeResult r;
    const int daysWorked = period.EndDate - period.StartDate + 1;
    if (daysWorked < 1)
        return r;
    const int daysInMonth = DaysInTaxYearMonth(CivilFromDayNumber(period.StartDate).month, year);
    r.TaxableTravelAllowance = settings.TAIncRate8020 * inputs.TravelAllowance;

    // Medical scheme fees credit of the month.
    r.MedicalCredit = Contributes(inputs.EmployerMedical, inputs.EmployeeMedical)
        ? MedicalCreditPerMonth(inputs.Beneficiaries, year)
        : 0.0;

    // The month's tax: a part month is grossed up to the whole month, then annualised; the
    // retirement-fund cap is applied to the annual figure and brought back the same way.
    const double monthly = PeriodTaxable(inputs, r.TaxableTravelAllowance);
    const auto annualise = [&](double amount) {
        return (amount * (static_cast<double>(daysInMonth) / daysWorked)) * 12.0;
    };
    const RetirementCap cap = CapRetirement(inputs, r.TaxableTravelAllowance, annualise, year);
    const double annualEquivalent = annualise(monthly);
    const double annual = cap.bites ? cap.Taxable() : annualEquivalent;
    const double deduction =
        cap.bites ? (cap.limit / 12.0) * daysWorked / daysInMonth : inputs.Pension + inputs.RetirementAnnuity;
    const double rebate = RebateForAge(inputs.Age, year);
    // With the bonus first, so the shared record keeps the income without it.
    const double tableWith = TaxBeforeRebatesFor(record, annual + inputs.Bonus, year);
    std::optional<TaxBracketResult> recordWith; // the engine's record with the bonus, for the working only
    if (working) [[unlikely]]
        recordWith = record;
    const double withBonus = AtLeastZero(tableWith - rebate);
    const double withoutBonus = AtLeastZero(TaxBeforeRebatesFor(record, annual, year) - rebate);
    const double bonusTax = withBonus - withoutBonus;
    const double regular = (withoutBonus / 12.0) * daysWorked / daysInMonth;
    r.TaxLiability = AtLeastZero(bonusTax + regular);

    PeriodLevies levies;
    FinishPeriod(r, inputs, settings, settings.UIFLimit, deduction, std::isfinite(bonusTax), levies);
    if (working) [[unlikely]]
        RecordMonth(*working, inputs, settings, year, r, levies,
                    {monthly, annualEquivalent, *recordWith, record, rebate, withBonus, withoutBonus, bonusTax,
                     regular, daysWorked, daysInMonth, cap});
    return r;
}

} // namespace revora
