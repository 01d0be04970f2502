#pragma once
// Timing helpers for benchmarks that compare against a baseline of the same run:
// a stopwatch around one piece of work, and the median of a run's samples, which a
// busy neighbour on a shared machine moves far less than the mean.

#include <algorithm>
#include <chrono>
#include <cstddef>
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

}  // namespace moxilo::bench
