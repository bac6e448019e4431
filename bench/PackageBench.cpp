// Speed of the gross-up: the screens' search against the rand-by-rand one it stands for, on
// an annual net of R 1 000 000 and a monthly net of R 50 000. Neither may allocate. Beside
// them the same with the working recorded, as the screens and --explain ask for it, and the
// forward pass either way.

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
const revora::PackageSettings Pension7{.PensionCont = 7.5};

revora::PackageInputs Typed(revora::PackageKind kind, double net)
{
    const double perYear = revora::IsMonthly(kind) ? 12.0 : 1.0;
    return {.Age = 40,
            .Amount = net,
            .EmployeeMedical = 18000 / perYear,
            .EmployerMedical = 30000 / perYear,
            .Members = revora::IsMonthly(kind) ? 3 : 36};
}

// With a `working`, cleared each time, the steps are recorded (and allocated).
void BM_GrossUp(benchmark::State& state, revora::PackageKind kind, double net, GrossUp routine,
                revora::Working* working = nullptr)
{
    const revora::PackageInputs typed = Typed(kind, net);
    revora::TaxBracketResult record;
    revora::PackageResult result;
    const long before = AllocationCount();
    for (auto _ : state) {
        revora::PackageInputs in = typed;
        if (working)
            working->Clear();
        benchmark::DoNotOptimize(routine(kind, in, Pension7, result, record, working));
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
void BM_GrossUpAnnualFastExplained(benchmark::State& state)
{
    revora::Working working;
    BM_GrossUp(state, revora::PackageKind::RevoraAnnual, 1'000'000, revora::SalPackGrossUp, &working);
}
void BM_GrossUpMonthlyFastExplained(benchmark::State& state)
{
    revora::Working working;
    BM_GrossUp(state, revora::PackageKind::RevoraMonthly, 50'000, revora::SalPackGrossUp, &working);
}

// The forward pass on a package of the gross-up's size, the working recorded or not.
void BM_Forward(benchmark::State& state, revora::Working* working)
{
    const revora::PackageInputs typed = Typed(revora::PackageKind::AvantaAnnual, 1'500'000);
    revora::TaxBracketResult record;
    revora::PackageResult result;
    for (auto _ : state) {
        revora::PackageInputs in = typed;
        if (working)
            working->Clear();
        benchmark::DoNotOptimize(
            revora::SalPackForward(revora::PackageKind::AvantaAnnual, in, Pension7, result, record, working));
        benchmark::DoNotOptimize(result);
    }
}
void BM_ForwardAnnual(benchmark::State& state) { BM_Forward(state, nullptr); }
void BM_ForwardAnnualExplained(benchmark::State& state)
{
    revora::Working working;
    BM_Forward(state, &working);
}

BENCHMARK(BM_GrossUpAnnualFast)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GrossUpAnnualFastExplained)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GrossUpMonthlyFastExplained)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ForwardAnnual);
BENCHMARK(BM_ForwardAnnualExplained);
BENCHMARK(BM_GrossUpAnnualPlain)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GrossUpMonthlyFast)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GrossUpMonthlyPlain)->Unit(benchmark::kMicrosecond);

} // namespace
