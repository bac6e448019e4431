// Speed of a monthly payroll run: 10 000 employees of varied pay, ages, part months, bonuses,
// medical schemes and travel, worked and added up as the payslips print them. The rate is
// reported per employee (items per second), the figure a run of any size scales by.

#include <benchmark/benchmark.h>

#include "common/DayDate.h"
#include "payroll/PayrollRun.h"

namespace {

std::vector<revora::PayrollEmployee> VariedStaff(std::size_t count)
{
    const int march = revora::DayNumberFromCivil({2015, 3, 1});
    std::vector<revora::PayrollEmployee> staff(count);
    for (std::size_t i = 0; i < count; ++i) {
        revora::PayrollEmployee& e = staff[i];
        const double salary = 3'000.0 + static_cast<double>(i * 7'919 % 120'000); // crosses every bracket
        e.Employee = "Employee " + std::to_string(i + 1);
        e.Inputs.Age = static_cast<std::int16_t>(18 + i % 62); // under 65, 65 to 74, 75 and over
        e.Inputs.Salary = salary;
        e.Inputs.Commission = i % 5 == 0 ? salary / 8 : 0.0;
        e.Inputs.Bonus = i % 12 == 0 ? salary : 0.0;
        e.Inputs.TravelAllowance = i % 4 == 0 ? 2'500.0 : 0.0;
        e.Inputs.Beneficiaries = static_cast<std::int16_t>(i % 6);
        e.Inputs.EmployerMedical = 400.0 * e.Inputs.Beneficiaries;
        e.Inputs.EmployeeMedical = 300.0 * e.Inputs.Beneficiaries;
        e.Inputs.Pension = i % 3 == 0 ? salary * 0.075 : 0.0;
        e.Inputs.RetirementAnnuity = i % 7 == 0 ? 1'000.0 : 0.0;
        e.Month = {march + static_cast<int>(i % 10 == 0 ? i % 15 : 0), march + 30}; // a tenth join mid-month
    }
    return staff;
}

void BM_MonthlyPayrollRun(benchmark::State& state)
{
    const auto staff = VariedStaff(static_cast<std::size_t>(state.range(0)));
    const revora::PayeSettings settings;
    for (auto _ : state) {
        const revora::PayrollRun run = revora::RunPayroll(revora::PayPeriod::Monthly, staff, settings);
        benchmark::DoNotOptimize(run.Totals);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MonthlyPayrollRun)->Arg(10'000)->Unit(benchmark::kMillisecond);

} // namespace
