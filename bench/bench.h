#pragma once
// A small frame for the benchmarks: time a piece of work a few times and
// print the best and the median, in a form that is easy to read and to grep.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace bench {

struct Timing {
  double best_ms;
  double median_ms;
};

inline Timing Measure(int runs, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    auto start = std::chrono::steady_clock::now();
    work();
    auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::sort(times.begin(), times.end());
  return {times.front(), times[times.size() / 2]};
}

inline void Report(const std::string& what, const Timing& t, const std::string& extra = "") {
  std::printf("%-44s best %9.2f ms   median %9.2f ms%s%s\n", what.c_str(), t.best_ms, t.median_ms,
              extra.empty() ? "" : "   ", extra.c_str());
  std::fflush(stdout);
}

// A folder for the benchmark's files: the system's temporary folder.
std::string TempFile(const std::string& name);

}  // namespace bench
