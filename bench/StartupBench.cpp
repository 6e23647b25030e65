// Times process start to the first painted main window: Corvane.exe against the same window
// made of system controls and against the minimal window program, both built beside this
// benchmark, all started the same way, in turn within each round, from this already running
// (warm) process. Nothing is clicked: the main window is closed as soon as it has painted.
// Then a few traced starts of Corvane.exe and the peer show where their time goes.
// Arguments (optional): another Corvane.exe to time, and the number of rounds.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>

#include "bench/BenchSupport.h"
#include "tests/support/BuildPath.h"

namespace {

using namespace velmora;

// Start-up times wander with whatever else the machine does; this many rounds give ratios
// that agree within a few hundredths from run to run.
constexpr int kRounds = 120;
int g_rounds = kRounds;
constexpr int kTracedStarts = 9;
constexpr DWORD kDeadlineMs = 60000;

struct Search {
  DWORD processId;
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK Match(HWND hwnd, LPARAM lp) {
  auto& s = *reinterpret_cast<Search*>(lp);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  wchar_t text[64] = {};
  GetWindowTextW(hwnd, text, 64);
  if (owner != s.processId || !IsWindowVisible(hwnd) || lstrcmpW(text, s.title) != 0) return TRUE;
  s.found = hwnd;
  return FALSE;
}

// The visible top-level window of a process with that title.
HWND WindowOf(DWORD processId, const wchar_t* title) {
  Search search{processId, title, nullptr};
  EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Starts a program and returns the milliseconds until its main window is visible, painted, and
// the program waits for input; -1 when that never happened.
double StartToFirstPaint(const std::wstring& exe, const wchar_t* title) {
  const std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
  std::wstring command = L"\"" + exe + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const ULONGLONG start = GetTickCount64();
  double ms = -1;
  const double us = bench::Microseconds([&] {
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &si, &pi))
      return;
    while (GetTickCount64() - start < kDeadlineMs) {
      // Idle means that nothing is left to paint in the program's queue either.
      const DWORD idle = WaitForInputIdle(pi.hProcess, 1);
      HWND window = WindowOf(pi.dwProcessId, title);
      if (window && idle == 0 && !GetUpdateRect(window, nullptr, FALSE)) {
        ms = 0;
        return;
      }
      if (idle != WAIT_TIMEOUT) Sleep(1);
    }
  });
  if (!pi.hProcess) return -1;
  if (ms == 0) ms = us / 1000;
  if (HWND window = WindowOf(pi.dwProcessId, title)) PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return ms;
}

std::wstring Beside(const wchar_t* relative) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  folder.erase(folder.find_last_of(L"\\/") + 1);
  return folder + relative;
}

struct Program {
  const wchar_t* label;
  std::wstring exe;
  const wchar_t* title;
  std::vector<double> times;
};

// The phases of traced starts of a program, "<milliseconds> <phase>" a line, as medians in the
// order the program reports them.
std::vector<std::pair<std::string, double>> TracedPhases(const Program& p) {
  const std::wstring file = Beside(L"startup-trace.txt");
  std::vector<std::string> order;
  std::map<std::string, std::vector<double>> samples;
  SetEnvironmentVariableW(L"VELMORA_STARTUP_TRACE", file.c_str());
  for (int i = 0; i < kTracedStarts; ++i) {
    DeleteFileW(file.c_str());
    if (StartToFirstPaint(p.exe, p.title) < 0) continue;
    FILE* in = _wfopen(file.c_str(), L"r");
    if (!in) continue;
    char line[256];
    while (std::fgets(line, sizeof line, in)) {
      double ms = 0;
      char phase[200] = {};
      if (std::sscanf(line, "%lf %199[^\n]", &ms, phase) != 2) continue;
      if (!samples.count(phase)) order.push_back(phase);
      samples[phase].push_back(ms);
    }
    std::fclose(in);
  }
  SetEnvironmentVariableW(L"VELMORA_STARTUP_TRACE", nullptr);
  DeleteFileW(file.c_str());
  std::vector<std::pair<std::string, double>> phases;
  for (const std::string& phase : order) {
    // A phase missing from some starts counts as zero there.
    std::vector<double> v = samples[phase];
    v.resize(kTracedStarts, 0.0);
    phases.emplace_back(phase, bench::Median(v));
  }
  return phases;
}

void PrintBreakdown(const Program& corvane, const Program& peer) {
  const auto a = TracedPhases(corvane), b = TracedPhases(peer);
  std::printf("where the time goes, median of %d traced starts (ms):\n", kTracedStarts);
  std::printf("  %-30s %10s %10s\n", "phase", "Corvane", "peer");
  std::vector<std::string> names;
  for (const auto& [name, ms] : a) names.push_back(name);
  for (const auto& [name, ms] : b)
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  const auto of = [](const auto& phases, const std::string& name) {
    for (const auto& [n, ms] : phases)
      if (n == name) return ms;
    return 0.0;
  };
  for (const std::string& name : names)
    std::printf("  %-30s %10.1f %10.1f\n", name.c_str(), of(a, name), of(b, name));
}

int Run(const std::wstring& corvane) {
  Program programs[] = {
      {L"Corvane.exe", corvane, L"Velmora", {}},
      {L"same window, system controls", Beside(L"bench_system_controls.exe"), L"System controls", {}},
      {L"minimal window program", Beside(L"bench_minimal_window.exe"), L"Minimal", {}},
  };
  for (int round = 0; round <= g_rounds; ++round) {  // round 0 warms up and is not counted
    for (Program& p : programs) {
      // Under Wine a start now and then never settles; one such start is started again, two
      // in a row end the run.
      double ms = StartToFirstPaint(p.exe, p.title);
      if (ms < 0) {
        std::fprintf(stderr, "%ls did not show its painted window in time; starting it again\n",
                     p.label);
        ms = StartToFirstPaint(p.exe, p.title);
      }
      if (ms < 0) {
        std::fprintf(stderr, "%ls did not show its painted window in time\n", p.label);
        return 1;
      }
      if (round > 0) p.times.push_back(ms);
    }
  }
  std::printf("process start to the first painted main window, median of %d starts:\n", g_rounds);
  for (const Program& p : programs)
    std::printf("  %-30ls %8.1f ms\n", p.label, bench::Median(p.times));
  const double a = bench::Median(programs[0].times), peer = bench::Median(programs[1].times),
               minimal = bench::Median(programs[2].times);
  bench::Figure("startup_first_paint_ratio", a / minimal, "x", 2);
  bench::Figure("startup_vs_peer_ratio", a / peer, "x", 2);
  PrintBreakdown(programs[0], programs[1]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::wstring corvane = velmora::test::BuildPath(VELMORA_CORVANE_EXE);
  if (argc > 1) corvane.assign(argv[1], argv[1] + std::char_traits<char>::length(argv[1]));
  if (argc > 2) {
    g_rounds = std::atoi(argv[2]);
    if (g_rounds < 1) {
      std::fprintf(stderr, "the number of rounds must be a whole number above 0, not \"%s\"\n", argv[2]);
      return 2;
    }
  }
  return bench::Main([&] { return Run(corvane); });
}
