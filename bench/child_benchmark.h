// A benchmark iteration that runs a program as a child process: its wall
// time is the benchmark's time, its peak memory and processor time become
// the counters peak_rss_MiB and child_cpu_s.
#pragma once

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "child_usage.h"

namespace vorn::bench {

// `prepare` runs before every run, outside the timing (to restore the
// job folder, for instance).
template <class Prepare>
void benchmarkChild(benchmark::State& state, const std::vector<std::string>& argv, const std::string& input,
                    const std::string& folder, Prepare prepare) {
  ChildUsage used;
  double cpu = 0;
  for (auto _ : state) {
    state.PauseTiming();
    prepare();
    state.ResumeTiming();
    used = runMeasured(argv, input, folder);
    cpu += used.cpuSeconds;
  }
  state.counters["peak_rss_MiB"] = used.peakMiB;
  state.counters["child_cpu_s"] = cpu / static_cast<double>(state.iterations());
}

inline void benchmarkChild(benchmark::State& state, const std::vector<std::string>& argv, const std::string& input,
                           const std::string& folder) {
  benchmarkChild(state, argv, input, folder, [] {});
}

}  // namespace vorn::bench
