#pragma once

#include <algorithm>
#include <chrono>
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

}  // namespace mervanta::bench
