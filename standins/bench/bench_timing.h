// The benchmarks' clock and their samples of call times.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace bench {

// The moment of a call, in seconds.
inline double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / frequency;
}

// Call times in seconds. The median is the figure to compare: other work on
// the machine lengthens single calls, which moves the mean.
struct Timing {
  std::vector<double> samples;
  void add(double seconds) { samples.push_back(seconds); }
  // Room for n samples, taken and written once before the first cycle, so
  // that filling it neither takes heap memory nor touches fresh pages
  // between the two readings of the memory.
  void Reserve(int64_t n) {
    samples.assign(static_cast<std::size_t>(n), 0.0);
    samples.clear();
  }
  double mean() const {
    double total = 0;
    for (double s : samples) total += s;
    return samples.empty() ? 0 : total / static_cast<double>(samples.size());
  }
  double median() const {
    if (samples.empty()) return 0;
    std::vector<double> sorted = samples;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
    return sorted[sorted.size() / 2];
  }
  double least() const {
    return samples.empty() ? 0 : *std::min_element(samples.begin(), samples.end());
  }
  double most() const {
    return samples.empty() ? 0 : *std::max_element(samples.begin(), samples.end());
  }
};

}  // namespace bench
