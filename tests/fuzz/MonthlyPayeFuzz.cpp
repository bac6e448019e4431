// The monthly employees' tax over any period the period check lets through, and its printout.

#include "PayeFuzzInput.h"
#include "payroll/MonthlyPaye.h"
#include "payroll/PayePrintout.h"

using namespace revora;
using namespace revora::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const PayeSettings settings = ReadPayeSettings(in);
    const PayeInputs inputs = ReadPayeInputs(in, 12.0, MostBeneficiaries);
    MonthlyPeriod period;
    period.StartDate = ReadDay(in);
    period.EndDate = in.Flag() ? period.StartDate + static_cast<int>(in.Int(-2, 32)) : ReadDay(in);
    const std::string employee = in.Text(EmployeeNameLength);
    const PrintLanguage language = ReadLanguage(in);

    if (CheckMonthlyPeriod(period))
        return 0;
    TaxBracketResult record;
    Working working;
    const PeriodicPayeResult result = MonthlyPayeCalculate(inputs, settings, period, record, &working);
    CheckWorking(working, result.TotalTaxDeduction);
    CheckPeriodic(result);
    CheckUifSign(inputs, settings, result);
    FiniteRow(MonthlyPayeReportRow(inputs, settings, period, result, employee, language), "monthly printout");
    return 0;
}
