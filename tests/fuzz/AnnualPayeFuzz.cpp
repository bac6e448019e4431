// The annual employees' tax with its month-by-month medical credit, over any period the
// period check lets through, and its printout.

#include "PayeFuzzInput.h"
#include "payroll/AnnualPaye.h"
#include "payroll/PayePrintout.h"

using namespace revora;
using namespace revora::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const PayeSettings settings = ReadPayeSettings(in);
    AnnualPayeInputs inputs;
    inputs.Amounts = ReadPayeInputs(in, 1.0, MostBeneficiaries);
    inputs.StartDate = ReadDay(in);
    inputs.EndDate = ReadDay(in);
    // The boxes take up to 24 on leaving; typed counts reach the model up to 180.
    for (std::int16_t& members : inputs.MembersByMonth)
        members = static_cast<std::int16_t>(in.Flag() ? in.Int(0, MostMembersInAMonth) : in.Int(0, MostAnnualMembersInAMonth));
    const std::string employee = in.Text(EmployeeNameLength);
    const PrintLanguage language = ReadLanguage(in);

    if (CheckAnnualPeriod(inputs.StartDate, inputs.EndDate))
        return 0;
    TaxBracketResult record;
    Working working;
    const AnnualPayeResult r = AnnualPayeCalculate(inputs, settings, record, &working);
    CheckWorking(working, r.TotalTaxDeduction);
    FiniteNotNegative(r.TaxLiability, "annual tax liability");
    FiniteNotNegative(r.MedicalCredit, "annual medical credit");
    FiniteNotNegative(r.AdditionalMedicalCredit, "annual additional medical credit");
    FiniteNotNegative(r.TotalTaxDeduction, "annual total tax deduction");
    FiniteNotNegative(r.PAYE, "annual PAYE");
    FiniteNotNegative(r.SITE, "annual SITE");
    FiniteNotNegative(r.Total, "annual total");
    Require(r.TotalTaxDeduction <= r.TaxLiability, "credits never add to the tax");
    FiniteRow(AnnualPayeReportRow(inputs, settings, r, employee, language), "annual printout");
    return 0;
}
