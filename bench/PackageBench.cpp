// Speed of the gross-up: the screens' search against the rand-by-rand one it stands for, on
// an annual net of R 1 000 000 and a monthly net of R 50 000. Neither may allocate.

#include <benchmark/benchmark.h>

#include "AllocationCount.h"
#include "package/SalaryPackage.h"

namespace {

using revora::bench::AllocationCount;
using revora::bench::ReportAllocations;

using GrossUp = revora::PackageOutcome (*)(revora::PackageKind, revora::PackageInputs&,
                                           const revora::PackageSettings&, revora::PackageResult&,
                                           revora::TaxBracketResult&, revora::Working*);

// Age 40, no car, an employee pension of 7.5 % and medical contributions from both sides.
void BM_GrossUp(benchmark::State& state, revora::PackageKind kind, double net, GrossUp routine)
{
    const double perYear = revora::IsMonthly(kind) ? 12.0 : 1.0;
    const revora::PackageSettings settings{.PensionCont = 7.5};
    const revora::PackageInputs typed{.Age = 40,
                                      .Amount = net,
                                      .EmployeeMedical = 18000 / perYear,
                                      .EmployerMedical = 30000 / perYear,
                                      .Members = revora::IsMonthly(kind) ? 3 : 36};
    revora::TaxBracketResult record;
    revora::PackageResult result;
    const long before = AllocationCount();
    for (auto _ : state) {
        revora::PackageInputs in = typed;
        benchmark::DoNotOptimize(routine(kind, in, settings, result, record));
        benchmark::DoNotOptimize(result);
    }
    ReportAllocations(state, before);
    state.counters["searchAmount"] = result.SearchAmount;
}

void BM_GrossUpAnnualFast(benchmark::State& state)
{
    BM_GrossUp(state, revora::PackageKind::RevoraAnnual, 1'000'000, revora::SalPackGrossUp);
}
void BM_GrossUpAnnualPlain(benchmark::State& state)
{
    BM_GrossUp(state, revora::PackageKind::RevoraAnnual, 1'000'000, revora::SalPackGrossUpReference);
}
void BM_GrossUpMonthlyFast(benchmark::State& state)
{
    BM_GrossUp(state, revora::PackageKind::RevoraMonthly, 50'000, revora::SalPackGrossUp);
}
void BM_GrossUpMonthlyPlain(benchmark::State& state)
{
    BM_GrossUp(state, revora::PackageKind::RevoraMonthly, 50'000, revora::SalPackGrossUpReference);
}
BENCHMARK(BM_GrossUpAnnualFast)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GrossUpAnnualPlain)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GrossUpMonthlyFast)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GrossUpMonthlyPlain)->Unit(benchmark::kMicrosecond);

} // namespace
