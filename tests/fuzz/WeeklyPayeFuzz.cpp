// The weekly and fortnightly employees' tax over any day counts the period check lets
// through, and their printouts.

#include "PayeFuzzInput.h"
#include "payroll/PayePrintout.h"
#include "payroll/WeeklyPaye.h"

using namespace revora;
using namespace revora::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const WeekKind kind = in.Flag() ? WeekKind::Fortnightly : WeekKind::Weekly;
    const PayeSettings settings = ReadPayeSettings(in);
    const PayeInputs inputs = ReadPayeInputs(in, RulesFor(kind).PeriodsPerYear, MostBeneficiaries);
    WeekPeriod period;
    period.NormalDays = in.Count(-1, 15);
    period.ThisDays = in.Count(-1, 15);
    const std::string employee = in.Text(EmployeeNameLength);
    const PrintLanguage language = ReadLanguage(in);

    if (CheckWeekPeriod(kind, period))
        return 0;
    TaxBracketResult record;
    Working working;
    const PeriodicPayeResult result = WeekPayeCalculate(kind, inputs, settings, period, record, &working);
    CheckWorking(working, result.TotalTaxDeduction);
    CheckPeriodic(result);
    CheckUifSign(inputs, settings, result);
    FiniteRow(WeekPayeReportRow(kind, inputs, settings, period, result, employee, language), "weekly printout");
    return 0;
}
