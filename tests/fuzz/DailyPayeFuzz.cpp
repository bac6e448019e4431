// The daily employees' tax, which has no period check, and its printout.

#include "PayeFuzzInput.h"
#include "payroll/DailyPaye.h"
#include "payroll/PayePrintout.h"

using namespace revora;
using namespace revora::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const PayeSettings settings = ReadPayeSettings(in);
    const PayeInputs inputs = ReadPayeInputs(in, 260.0, MostDailyBeneficiaries);
    const std::string employee = in.Text(EmployeeNameLength);
    const PrintLanguage language = ReadLanguage(in);

    TaxBracketResult record;
    Working working;
    const PeriodicPayeResult result = DailyPayeCalculate(inputs, settings, record, &working);
    CheckWorking(working, result.TotalTaxDeduction);
    CheckPeriodic(result);
    CheckUifSign(inputs, settings, result);
    FiniteRow(DailyPayeReportRow(inputs, settings, result, employee, language), "daily printout");
    return 0;
}
