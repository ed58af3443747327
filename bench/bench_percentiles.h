// The timing benchmarks' report: percentiles of the per-event times, in ms,
// as the benchmark's counters.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

inline double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(p * double(v.size())))];
}

inline void ReportPercentiles(benchmark::State& state, const std::vector<double>& ms) {
    state.counters["p50_ms"] = Percentile(ms, 0.50);
    state.counters["p99_ms"] = Percentile(ms, 0.99);
    state.counters["max_ms"] = Percentile(ms, 1.0);
}
