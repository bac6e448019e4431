#include "payroll/PayrollPrintout.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "common/DayDate.h"

namespace revora {
namespace {

double Rand(std::int64_t cents) { return static_cast<double>(cents) / 100.0; }

} // namespace

ReportRow PayrollSummaryRow(PayPeriod period, const std::vector<PayrollEmployee>& employees, const PayrollRun& run)
{
    // The employees' rows may each carry their own dates: the run spans them all.
    std::string start, end;
    const std::size_t worked = std::min(run.Lines.size(), employees.size());
    if (period == PayPeriod::Monthly && worked > 0) {
        const auto dated = employees.begin() + static_cast<std::ptrdiff_t>(worked);
        const auto earliest = std::min_element(employees.begin(), dated, [](const auto& a, const auto& b) {
            return a.Month.StartDate < b.Month.StartDate;
        });
        const auto latest = std::max_element(employees.begin(), dated, [](const auto& a, const auto& b) {
            return a.Month.EndDate < b.Month.EndDate;
        });
        start = FormatDayDate(earliest->Month.StartDate);
        end = FormatDayDate(latest->Month.EndDate);
    }
    const PayrollTotals& t = run.Totals;
    const auto count = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(t.Employees, 0, std::numeric_limits<std::int32_t>::max()));
    return {{"Period", std::string(PayPeriodName(period))},
            {"StartDate", start},
            {"EndDate", end},
            {"Employees", count},
            {"PAYE", Rand(t.PAYECents)},
            {"UIF", Rand(t.UIFCents)},
            {"SDL", Rand(t.SDLCents)},
            {"EMP201Total", Rand(t.EMP201Cents())}};
}

std::vector<ReportRow> PayrollSummaryLines(const std::vector<PayrollEmployee>& employees, const PayrollRun& run)
{
    std::vector<ReportRow> lines;
    const std::size_t worked = std::min(run.Lines.size(), employees.size());
    lines.reserve(worked);
    for (std::size_t i = 0; i < worked; ++i) {
        const PayrollLine& line = run.Lines[i];
        lines.push_back({{"Employee", employees[i].Employee},
                         {"Gross", Rand(line.GrossCents)},
                         {"PAYE", Rand(line.PAYECents)},
                         {"UIFEmployee", Rand(line.UIFEmployeeCents)},
                         {"UIFEmployer", Rand(line.UIFEmployerCents)},
                         {"SDL", Rand(line.SDLCents)}});
    }
    return lines;
}

const PayePrintoutTarget& PayslipPrintout(PayPeriod period)
{
    switch (period) {
    case PayPeriod::Monthly:
        return MonthlyPrintout;
    case PayPeriod::Weekly:
        return WeeklyPrintout;
    case PayPeriod::Fortnightly:
        return FortnightlyPrintout;
    case PayPeriod::Daily:
        break;
    }
    return DailyPrintout;
}

ReportRow PayslipRow(PayPeriod period, const PayrollEmployee& employee, const PayrollLine& line,
                     const PayeSettings& settings, PrintLanguage language)
{
    const PayeInputs& in = employee.Inputs;
    switch (period) {
    case PayPeriod::Monthly:
        return MonthlyPayeReportRow(in, settings, employee.Month, line.Result, employee.Employee, language);
    case PayPeriod::Weekly:
        return WeekPayeReportRow(WeekKind::Weekly, in, settings, employee.Days, line.Result, employee.Employee,
                                 language);
    case PayPeriod::Fortnightly:
        return WeekPayeReportRow(WeekKind::Fortnightly, in, settings, employee.Days, line.Result,
                                 employee.Employee, language);
    case PayPeriod::Daily:
        break;
    }
    return DailyPayeReportRow(in, settings, line.Result, employee.Employee, language);
}

} // namespace revora
