// Speed of the income-tax engine: the salary-package gross-up calls it once per rand of its
// search, hundreds of thousands of times per click, so one call must cost nanoseconds.

#include <benchmark/benchmark.h>

#include "AllocationCount.h"
#include "tax/QuickTax.h"
#include "tax/TaxEngine.h"

namespace {

using revora::bench::AllocationCount;
using revora::bench::ReportAllocations;

void BM_TaxFromTable(benchmark::State& state)
{
    const long before = AllocationCount();
    revora::TaxBracketResult record;
    double income = 0.0;
    for (auto _ : state) {
        record.TaxableIncome = income;
        revora::TaxFromTable(record);
        benchmark::DoNotOptimize(record.TaxBeforeRebates);
        income = income < 1'200'000.0 ? income + 997.0 : 0.0; // walks every bracket
    }
    ReportAllocations(state, before);
}
BENCHMARK(BM_TaxFromTable);

// The gross-up's pattern: one call per rand over a whole annual salary range.
void BM_TaxFromTableGrossUpSweep(benchmark::State& state)
{
    revora::TaxBracketResult record;
    for (auto _ : state) {
        double sum = 0.0;
        for (int rand = 0; rand < 500'000; ++rand) {
            record.TaxableIncome = rand;
            revora::TaxFromTable(record);
            sum += record.TaxBeforeRebates;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 500'000);
}
BENCHMARK(BM_TaxFromTableGrossUpSweep)->Unit(benchmark::kMillisecond);

void BM_QuickTaxCalculate(benchmark::State& state)
{
    revora::TaxBracketResult record;
    revora::QuickTaxState quick;
    quick.Age = 66;
    const long before = AllocationCount();
    for (auto _ : state) {
        record.TaxableIncome = 500'000.0;
        revora::QuickTaxCalculate(quick, record);
        benchmark::DoNotOptimize(quick.AverageRateAfterRebates);
    }
    ReportAllocations(state, before);
}
BENCHMARK(BM_QuickTaxCalculate);

// The same with its working recorded, as --explain and the screens ask for it.
void BM_QuickTaxCalculateExplained(benchmark::State& state)
{
    revora::TaxBracketResult record;
    revora::QuickTaxState quick;
    quick.Age = 66;
    revora::Working working;
    for (auto _ : state) {
        working.Clear();
        record.TaxableIncome = 500'000.0;
        revora::QuickTaxCalculate(quick, record, &working);
        benchmark::DoNotOptimize(working.Steps().data());
    }
}
BENCHMARK(BM_QuickTaxCalculateExplained);

} // namespace
