#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace mervanta::bench {

using TClock = std::chrono::steady_clock;

inline double Milliseconds(TClock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

// Medians keep a figure steady on a machine that others share.
inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

inline double TimeOnce(const std::function<void()>& work) {
  const auto start = TClock::now();
  work();
  return Milliseconds(TClock::now() - start);
}

inline double MedianOf(int runs, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) times.push_back(TimeOnce(work));
  return Median(times);
}

// A figure beside the baseline measured in the same run.
inline void Report(const char* what, double value, double baseline, const char* goal) {
  std::printf("%-46s %9.3f ms  baseline %9.3f ms  ratio %6.3f  (goal %s)\n", what, value, baseline,
              baseline > 0 ? value / baseline : 0.0, goal);
}

}  // namespace mervanta::bench
