// Speed of the income-tax engine: the salary-package gross-up calls it once per rand of its
// search, hundreds of thousands of times per click, so one call must cost nanoseconds.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "tax/QuickTax.h"
#include "tax/TaxEngine.h"

// Every allocation of the process is counted, so a benchmark can show that the engine makes none.
namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

// Allocations per iteration, reported beside the time (expected: 0).
void ReportAllocations(benchmark::State& state, long before)
{
    state.counters["allocs/iter"] =
        benchmark::Counter(static_cast<double>(allocations - before) / static_cast<double>(state.iterations()));
}

void BM_TaxFromTable(benchmark::State& state)
{
    const long before = allocations;
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
    const long before = allocations;
    for (auto _ : state) {
        record.TaxableIncome = 500'000.0;
        revora::QuickTaxCalculate(quick, record);
        benchmark::DoNotOptimize(quick.AverageRateAfterRebates);
    }
    ReportAllocations(state, before);
}
BENCHMARK(BM_QuickTaxCalculate);

} // namespace
