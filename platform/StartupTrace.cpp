#include "platform/StartupTrace.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <iterator>

namespace velmora::platform::StartupTrace {

namespace {

enum class State { Unknown, Off, On };
State g_state = State::Unknown;
wchar_t g_file[MAX_PATH];
ULONGLONG g_last = 0;  // 100 ns units of the system clock

struct Phase {
  const char* name;
  ULONGLONG total;
};
Phase g_phases[32];
int g_count = 0;

ULONGLONG Now() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  return (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

bool On() {
  if (g_state == State::Unknown) {
    const DWORD length = GetEnvironmentVariableW(L"VELMORA_STARTUP_TRACE", g_file, MAX_PATH);
    g_state = length > 0 && length < MAX_PATH ? State::On : State::Off;
    FILETIME created, exited, kernel, user;
    if (g_state == State::On && GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
      g_last = (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
  }
  return g_state == State::On;
}

}  // namespace

void Mark(const char* phase) {
  if (g_state == State::Off || !On()) return;
  const ULONGLONG now = Now();
  int i = 0;
  while (i < g_count && std::strcmp(g_phases[i].name, phase) != 0) ++i;
  if (i == g_count) {
    if (g_count == static_cast<int>(std::size(g_phases))) return;
    g_phases[g_count++] = {phase, 0};
  }
  g_phases[i].total += now - g_last;
  g_last = now;
}

void Idle() {
  if (g_state == State::Off || !On()) return;
  MSG pending;
  if (PeekMessageW(&pending, nullptr, 0, 0, PM_NOREMOVE)) return;  // not waiting yet
  Mark("idle");
  g_state = State::Off;
  FILE* file = _wfopen(g_file, L"w");
  if (!file) return;
  for (int i = 0; i < g_count; ++i)
    std::fprintf(file, "%.3f %s\n", g_phases[i].total / 10000.0, g_phases[i].name);
  std::fclose(file);
}

}  // namespace velmora::platform::StartupTrace
