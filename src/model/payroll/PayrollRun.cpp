#include "payroll/PayrollRun.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "payroll/DailyPaye.h"
#include "payroll/PayeSteps.h"
#include "payroll/PublishedLevies.h"
#include "common/DayDate.h"

namespace revora {

std::string LowerPayPeriodName(PayPeriod period)
{
    std::string name = PayPeriodName(period);
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

namespace {

// One employee through the period's own calculation.
PeriodicPayeResult Calculate(PayPeriod period, const PayrollEmployee& e, const PayeSettings& settings,
                             const TaxYear& year, TaxBracketResult& record)
{
    switch (period) {
    case PayPeriod::Monthly:
        return MonthlyPayeCalculate(e.Inputs, settings, year, e.Month, record);
    case PayPeriod::Weekly:
        return WeekPayeCalculate(WeekKind::Weekly, e.Inputs, settings, year, e.Days, record);
    case PayPeriod::Fortnightly:
        return WeekPayeCalculate(WeekKind::Fortnightly, e.Inputs, settings, year, e.Days, record);
    case PayPeriod::Daily:
        break;
    }
    return DailyPayeCalculate(e.Inputs, settings, year, record);
}

// The payslip's figures in cents; false when one does not fit.
bool Printed(const PayeInputs& in, const PeriodicPayeResult& r, PayrollLine& line) noexcept
{
    std::int64_t salary = 0, commission = 0, bonus = 0, travel = 0;
    if (!PrintedCents(in.Salary, salary) || !PrintedCents(in.Commission, commission)
        || !PrintedCents(in.Bonus, bonus) || !PrintedCents(in.TravelAllowance, travel))
        return false;
    if (__builtin_add_overflow(salary, commission, &line.GrossCents)
        || __builtin_add_overflow(line.GrossCents, bonus, &line.GrossCents)
        || __builtin_add_overflow(line.GrossCents, travel, &line.GrossCents))
        return false;
    // The payslip works its total afresh from the tax and both credits; UIF and SDL are
    // printed as their two-decimal boxes show them, which the print rounds no further.
    return PrintedCents(paye::NetOfCredits(r.TaxLiability, r.MedicalCredit, r.AdditionalMedicalCredit), line.PAYECents)
        && PrintedCents(AsShownTwoDecimals(r.UIFEmployee), line.UIFEmployeeCents)
        && PrintedCents(AsShownTwoDecimals(r.UIFEmployer), line.UIFEmployerCents)
        && PrintedCents(AsShownTwoDecimals(r.SDL), line.SDLCents);
}

// Adds a line to the totals; false, with the totals unchanged, when they would not fit.
bool Add(PayrollTotals& totals, const PayrollLine& line) noexcept
{
    PayrollTotals t = totals;
    std::int64_t emp201 = 0;
    if (__builtin_add_overflow(t.PAYECents, line.PAYECents, &t.PAYECents)
        || __builtin_add_overflow(t.UIFCents, line.UIFEmployeeCents, &t.UIFCents)
        || __builtin_add_overflow(t.UIFCents, line.UIFEmployerCents, &t.UIFCents)
        || __builtin_add_overflow(t.SDLCents, line.SDLCents, &t.SDLCents)
        || __builtin_add_overflow(t.PAYECents, t.UIFCents, &emp201)
        || __builtin_add_overflow(emp201, t.SDLCents, &emp201))
        return false;
    ++t.Employees;
    totals = t;
    return true;
}

} // namespace

bool PrintedCents(double value, std::int64_t& cents) noexcept
{
    cents = 0;
    if (!std::isfinite(value))
        return true;
    // The very text the print writes (to_chars, two decimals), read back without its point.
    char text[400];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    char* const end = written.ptr;
    if (written.ec != std::errc{} || end - text < 3 || end[-3] != '.')
        return false;
    end[-3] = end[-2];
    end[-2] = end[-1];
    const auto read = std::from_chars(text, end - 1, cents);
    if (read.ec != std::errc{} || read.ptr != end - 1) { // "-0.00" reads as 0 all the same
        cents = 0;
        return false;
    }
    return true;
}

MonthlyPeriod RunMonthOf(const MonthlyPeriod& firstRow) noexcept
{
    CivilDate first = CivilFromDayNumber(firstRow.StartDate);
    first.day = 1;
    CivilDate next = first;
    next.month = first.month % 12 + 1;
    next.year = first.year + (first.month == 12 ? 1 : 0);
    return {DayNumberFromCivil(first), DayNumberFromCivil(next) - 1};
}

std::optional<PayeRefusal> CheckInRunMonth(const MonthlyPeriod& row, const MonthlyPeriod& runMonth)
{
    const auto inMonth = [&](int day) { return day >= runMonth.StartDate && day <= runMonth.EndDate; };
    if (inMonth(row.StartDate) && inMonth(row.EndDate))
        return std::nullopt;
    return PayeRefusal{"Incorrect Date",
                       FormatDayDate(row.StartDate) + " to " + FormatDayDate(row.EndDate)
                           + " is not in the run's month, " + FormatDayDate(runMonth.StartDate) + " to "
                           + FormatDayDate(runMonth.EndDate) + " (the month of the first employee's start date)",
                       PayeFocus::StartDate};
}

int RunPayDay(PayPeriod period, const std::vector<PayrollEmployee>& employees, const TaxYear& year) noexcept
{
    if (period != PayPeriod::Monthly || employees.empty())
        return UndatedPayDay(year);
    return RunMonthOf(employees.front().Month).EndDate;
}

PayrollRun RunPayroll(PayPeriod period, const std::vector<PayrollEmployee>& employees, const PayeSettings& settings,
                      const std::function<bool(std::size_t done)>& progress)
{
    return RunPayroll(period, employees, settings, TaxYear2016(), progress);
}

PayrollRun RunPayroll(PayPeriod period, const std::vector<PayrollEmployee>& employees, const PayeSettings& settings,
                      const TaxYear& year, const std::function<bool(std::size_t done)>& progress)
{
    PayrollRun run;
    run.Lines.reserve(employees.size());
    TaxBracketResult record; // the run's own: no employee's calculation sees another's
    for (std::size_t i = 0; i < employees.size(); ++i) {
        PayrollLine line;
        line.Result = Calculate(period, employees[i], settings, year, record);
        if (!Printed(employees[i].Inputs, line.Result, line) || !Add(run.Totals, line)) {
            run.TooLarge = true;
            return run;
        }
        run.Lines.push_back(std::move(line));
        const std::size_t done = i + 1;
        if (progress && done % PayrollProgressEvery == 0 && done < employees.size() && !progress(done)) {
            run.Cancelled = true;
            return run;
        }
    }
    if (progress)
        progress(employees.size());
    return run;
}

} // namespace revora
