#pragma once
// Timing helpers for benchmarks that compare against a baseline of the same run:
// a stopwatch around one piece of work, and the median of a run's samples, which a
// busy neighbour on a shared machine moves far less than the mean.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace moxilo::bench {

template <typename Work>
double secondsFor(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// 0 for no samples.
inline double median(std::vector<double> samples) {
    if (samples.empty()) {
        return 0;
    }
    const auto middle = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2);
    std::nth_element(samples.begin(), middle, samples.end());
    return *middle;
}

// The times of a piece of work and of its baseline, taken in turn in one run.
class PairedTimes {
public:
    void add(double workSeconds, double baselineSeconds) {
        work_.push_back(workSeconds);
        baseline_.push_back(baselineSeconds);
    }

    // Counters `<work>_ms` and `<baseline>_ms` (the medians) and `ratio`, the one over the other.
    void report(benchmark::State& state, const std::string& work, const std::string& baseline,
                const std::string& ratio) const {
        state.counters[work + "_ms"] = median(work_) * 1e3;
        state.counters[baseline + "_ms"] = median(baseline_) * 1e3;
        state.counters[ratio] = median(work_) / median(baseline_);
    }

private:
    std::vector<double> work_;
    std::vector<double> baseline_;
};

}  // namespace moxilo::bench
