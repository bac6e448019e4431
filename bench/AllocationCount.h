#pragma once
// Every allocation of the benchmark process is counted (the counting operator new lives in
// AllocationCount.cpp, once for the whole executable), so a benchmark can show that the code
// it measures allocates nothing.

#include <benchmark/benchmark.h>

namespace revora::bench {

// Allocations made through operator new since the process started.
long AllocationCount() noexcept;

// Allocations per iteration since `before`, reported beside the time (expected: 0).
inline void ReportAllocations(benchmark::State& state, long before)
{
    state.counters["allocs/iter"] = benchmark::Counter(static_cast<double>(AllocationCount() - before)
                                                       / static_cast<double>(state.iterations()));
}

} // namespace revora::bench
