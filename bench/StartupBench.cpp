// Times process start to the first painted main window: Corvane.exe against the minimal
// window program built beside this benchmark, both started the same way, alternately, from
// this already running (warm) process. Nothing is clicked: the main window is closed as soon
// as it has painted.
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/BenchSupport.h"
#include "tests/support/BuildPath.h"

namespace {

using namespace velmora;

constexpr int kRounds = 9;
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

int Run(const std::wstring& corvane) {
  const std::wstring minimal = Beside(L"bench_minimal_window.exe");
  std::vector<double> program, reference;
  for (int round = 0; round <= kRounds; ++round) {  // round 0 warms up and is not counted
    const double a = StartToFirstPaint(corvane, L"Velmora");
    const double b = StartToFirstPaint(minimal, L"Minimal");
    if (a < 0 || b < 0) {
      std::fprintf(stderr, "a program did not show its painted window in time\n");
      return 1;
    }
    if (round == 0) continue;
    program.push_back(a);
    reference.push_back(b);
  }
  const double a = bench::Median(program), b = bench::Median(reference);
  std::printf("process start to the first painted main window, median of %d starts:\n", kRounds);
  std::printf("  Corvane.exe:                 %8.1f ms\n", a);
  std::printf("  minimal window program:      %8.1f ms\n", b);
  bench::Figure("startup_first_paint_ratio", a / b, "x", 2);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::wstring corvane = velmora::test::BuildPath(VELMORA_CORVANE_EXE);
  if (argc > 1) corvane.assign(argv[1], argv[1] + std::char_traits<char>::length(argv[1]));
  return bench::Main([&] { return Run(corvane); });
}
