#pragma once
// What the benchmarks share: timing, medians, the "figure" lines scripts read, and the start
// of a benchmark program (common controls, OLE, no exception escaping).
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <vector>

namespace velmora::bench {

template <typename Work>
double Microseconds(Work&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
      .count();
}

inline double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// One figure, in the form scripts read: "figure <name> = <number> <unit>".
inline void Figure(const char* name, double value, const char* unit, int decimals = 1) {
  std::printf("figure %s = %.*f %s\n", name, decimals, value, unit);
  std::fflush(stdout);
}

// Runs a benchmark with common controls and OLE ready; a failure is reported, not thrown.
template <typename Run>
int Main(Run&& run) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  OleInitialize(nullptr);
  int result = 1;
  try {
    result = run();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench failed: %s\n", e.what());
  }
  OleUninitialize();
  return result;
}

}  // namespace velmora::bench
