// The payroll file: any bytes as a file of any period. A file is taken whole or refused whole;
// a file taken holds only employees as the boxes take them (named, of an age from 0 to 130,
// every amount from 0 to the most a box holds, the period's counts within their limits), and
// a refused one says why in at most the listed lines.

#include <QString>
#include <algorithm>

#include "FuzzInput.h"
#include "PayrollCsv.h"
#include "payroll/PayePrintout.h"
#include "tax/TaxYearRules.h"

using namespace revora;
using namespace revora::fuzz;

namespace {

void AmountTaken(double amount, const char* what)
{
    Finite(amount, what);
    Require(amount >= 0.0 && amount <= LargestTypedAmount, what);
}

void EmployeeTaken(const PayrollEmployee& e, PayPeriod period, const TaxYear& year)
{
    Require(e.Employee.find_first_not_of(" \t\r\n") != std::string::npos, "an employee without a name");
    Require(QString::fromStdString(e.Employee).size() <= EmployeeNameLength, "a name longer than the name box");
    Require(std::none_of(e.Employee.begin(), e.Employee.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; }),
            "a control character in a name");
    const PayeInputs& in = e.Inputs;
    Require(in.Age >= 0 && in.Age <= MostAge, "an age beyond 0 to 130");
    for (const double amount : {in.Salary, in.EmployerMedical, in.EmployeeMedical, in.Commission, in.Bonus,
                                in.TravelAllowance, in.Pension, in.RetirementAnnuity, in.MedDeduction})
        AmountTaken(amount, "an amount beyond what a box takes");
    const std::int16_t most = period == PayPeriod::Daily ? MostDailyBeneficiaries : MostBeneficiaries;
    Require(in.Beneficiaries >= 0 && in.Beneficiaries <= most, "beneficiaries beyond the period's limit");
    if (period == PayPeriod::Monthly)
        Require(InTaxYear(e.Month.StartDate, year) && InTaxYear(e.Month.EndDate, year) &&
                    e.Month.StartDate <= e.Month.EndDate,
                "a month outside the year or ending before it starts");
    if (period == PayPeriod::Weekly || period == PayPeriod::Fortnightly)
        Require(e.Days.ThisDays >= 1 && e.Days.ThisDays <= e.Days.NormalDays, "a period's days out of order");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the period; the rest is the file.
    const auto period = static_cast<PayPeriod>(data[0] % 4);
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const TaxYear& year = TaxYear2016();
    const MonthlyPeriod march{TaxYearStart, TaxYearStart + 30};
    const PayrollCsv csv = ReadPayrollCsv("fuzz.csv", bytes, period, march, year);
    if (!csv.Refusals.empty()) {
        Require(csv.Employees.empty(), "a refused file kept employees");
        Require(csv.Refusals.size() <= MostListedRefusals, "more refusals listed than the most");
        Require(!PayrollCsvRefusalText(csv).empty(), "a refusal without a message");
        return 0;
    }
    Require(!csv.Employees.empty(), "a file taken without employees");
    for (const PayrollEmployee& employee : csv.Employees)
        EmployeeTaken(employee, period, year);
    return 0;
}
