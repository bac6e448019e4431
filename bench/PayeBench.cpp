// Speed of the employees' tax calculations: each runs its period check and two engine calls
// (with and without the bonus) and must allocate nothing, so a screen or revora-calc can
// recalculate freely. Each is measured again recording its working (the "Recording" runs, a
// Working cleared every iteration), to set the cost of the steps beside the calculation.

#include <benchmark/benchmark.h>

#include "AllocationCount.h"
#include "common/Working.h"
#include "payroll/AnnualPaye.h"
#include "payroll/DailyPaye.h"
#include "payroll/MonthlyPaye.h"
#include "payroll/WeeklyPaye.h"

namespace {

using revora::bench::AllocationCount;
using revora::bench::ReportAllocations;

// An employee with every part of the calculation in play: a bonus, travel, commission,
// pension and R/A, medical contributions, beneficiaries and an age with the additional credit.
revora::PayeInputs Employee(double salary)
{
    revora::PayeInputs in;
    in.Age = 66;
    in.Salary = salary;
    in.EmployerMedical = salary / 10;
    in.EmployeeMedical = salary / 20;
    in.Commission = salary / 8;
    in.Bonus = salary;
    in.TravelAllowance = salary / 5;
    in.Beneficiaries = 3;
    in.Pension = salary / 15;
    in.RetirementAnnuity = salary / 30;
    return in;
}

// The salary walks a range so the calls cross the brackets.
double NextSalary(double salary, double step, double top) { return salary < top ? salary + step : step; }

// The working each run records into; null: none is recorded.
template <bool recording>
revora::Working* Recorded(revora::Working& working)
{
    if constexpr (!recording)
        return nullptr;
    working.Clear();
    return &working;
}

template <bool recording>
void MonthlyPaye(benchmark::State& state)
{
    revora::Working working;
    const revora::PayeSettings settings;
    const revora::MonthlyPeriod period{42064, 42078}; // 1 to 15 March: a part month
    revora::TaxBracketResult record;
    double salary = 1000.0;
    const long before = AllocationCount();
    for (auto _ : state) {
        const auto refusal = revora::CheckMonthlyPeriod(period);
        benchmark::DoNotOptimize(refusal);
        const auto result =
            revora::MonthlyPayeCalculate(Employee(salary), settings, period, record, Recorded<recording>(working));
        benchmark::DoNotOptimize(result);
        salary = NextSalary(salary, 997.0, 100'000.0);
    }
    ReportAllocations(state, before);
}
void BM_MonthlyPaye(benchmark::State& state) { MonthlyPaye<false>(state); }
void BM_MonthlyPayeRecording(benchmark::State& state) { MonthlyPaye<true>(state); }
BENCHMARK(BM_MonthlyPaye);
BENCHMARK(BM_MonthlyPayeRecording);

template <bool recording>
void WeekPaye(benchmark::State& state, revora::WeekKind kind)
{
    revora::Working working;
    const revora::PayeSettings settings;
    const revora::WeekPeriod period{5, 3};
    revora::TaxBracketResult record;
    double salary = 200.0;
    const long before = AllocationCount();
    for (auto _ : state) {
        const auto refusal = revora::CheckWeekPeriod(kind, period);
        benchmark::DoNotOptimize(refusal);
        const auto result =
            revora::WeekPayeCalculate(kind, Employee(salary), settings, period, record, Recorded<recording>(working));
        benchmark::DoNotOptimize(result);
        salary = NextSalary(salary, 233.0, 25'000.0);
    }
    ReportAllocations(state, before);
}
void BM_WeekPaye(benchmark::State& state, revora::WeekKind kind) { WeekPaye<false>(state, kind); }
void BM_WeekPayeRecording(benchmark::State& state, revora::WeekKind kind) { WeekPaye<true>(state, kind); }
BENCHMARK_CAPTURE(BM_WeekPaye, weekly, revora::WeekKind::Weekly);
BENCHMARK_CAPTURE(BM_WeekPaye, fortnightly, revora::WeekKind::Fortnightly);
BENCHMARK_CAPTURE(BM_WeekPayeRecording, weekly, revora::WeekKind::Weekly);
BENCHMARK_CAPTURE(BM_WeekPayeRecording, fortnightly, revora::WeekKind::Fortnightly);

template <bool recording>
void DailyPaye(benchmark::State& state)
{
    revora::Working working;
    const revora::PayeSettings settings;
    revora::TaxBracketResult record;
    double salary = 50.0;
    const long before = AllocationCount();
    for (auto _ : state) {
        const auto result =
            revora::DailyPayeCalculate(Employee(salary), settings, record, Recorded<recording>(working));
        benchmark::DoNotOptimize(result);
        salary = NextSalary(salary, 47.0, 5'000.0);
    }
    ReportAllocations(state, before);
}
void BM_DailyPaye(benchmark::State& state) { DailyPaye<false>(state); }
void BM_DailyPayeRecording(benchmark::State& state) { DailyPaye<true>(state); }
BENCHMARK(BM_DailyPaye);
BENCHMARK(BM_DailyPayeRecording);

template <bool recording>
void AnnualPaye(benchmark::State& state)
{
    revora::Working working;
    const revora::PayeSettings settings;
    revora::TaxBracketResult record;
    double salary = 10'000.0;
    const long before = AllocationCount();
    for (auto _ : state) {
        // 1 June to 29 February: a part year, whose months March to May are cleared.
        revora::AnnualPayeInputs in;
        in.Amounts = Employee(salary);
        in.StartDate = 42156;
        in.EndDate = 42429;
        in.MembersByMonth.fill(2);
        const auto refusal = revora::CheckAnnualPeriod(in.StartDate, in.EndDate);
        benchmark::DoNotOptimize(refusal);
        const auto result = revora::AnnualPayeCalculate(in, settings, record, Recorded<recording>(working));
        benchmark::DoNotOptimize(result);
        salary = NextSalary(salary, 9'973.0, 1'200'000.0);
    }
    ReportAllocations(state, before);
}
void BM_AnnualPaye(benchmark::State& state) { AnnualPaye<false>(state); }
void BM_AnnualPayeRecording(benchmark::State& state) { AnnualPaye<true>(state); }
BENCHMARK(BM_AnnualPaye);
BENCHMARK(BM_AnnualPayeRecording);

} // namespace
