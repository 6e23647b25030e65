// screenshots.exe PROGRAM FOLDER [SUFFIX]: starts PROGRAM (Corvane.exe), saves pictures of its
// main window and of its About dialog as FOLDER\main-window<SUFFIX>.png and
// FOLDER\about<SUFFIX>.png, and ends the program. The pictures are taken from the screen, so
// they show the windows exactly as a user sees them.
#include <windows.h>
#include <objbase.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "tools/gallery/Sheet.h"

namespace {

using namespace std::chrono_literals;

std::wstring TextOf(HWND hwnd) {
  wchar_t text[256] = L"";
  GetWindowTextW(hwnd, text, 256);
  return text;
}

BOOL CALLBACK Collect(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

HWND WindowOf(DWORD process, const std::wstring& caption) {
  std::vector<HWND> all;
  EnumWindows(&Collect, reinterpret_cast<LPARAM>(&all));
  for (HWND h : all) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == process && IsWindowVisible(h) && TextOf(h) == caption) return h;
  }
  return nullptr;
}

HWND ChildOf(HWND parent, const std::wstring& text) {
  std::vector<HWND> all;
  EnumChildWindows(parent, &Collect, reinterpret_cast<LPARAM>(&all));
  for (HWND h : all)
    if (TextOf(h) == text) return h;
  return nullptr;
}

template <typename F>
bool WaitFor(F&& condition) {
  for (int i = 0; i < 300; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(100ms);
  }
  return false;
}

void ClickCenter(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, in, sizeof in[0]);
}

bool Save(HWND hwnd, const std::wstring& path) {
  SetCursorPos(0, 0);                   // no hover look in the picture
  std::this_thread::sleep_for(700ms);   // the other program finishes painting
  RECT r;
  GetWindowRect(hwnd, &r);
  velmora::gallery::Sheet sheet(r.right - r.left, r.bottom - r.top);
  HDC screen = GetDC(nullptr);
  BitBlt(sheet.dc(), 0, 0, sheet.width(), sheet.height(), screen, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  std::string error;
  if (!sheet.SavePng(path, error)) {
    std::fwprintf(stderr, L"error: %ls: %hs\n", path.c_str(), error.c_str());
    return false;
  }
  std::wprintf(L"%ls\n", path.c_str());
  return true;
}

int Fail(const wchar_t* why) {
  std::fwprintf(stderr, L"error: %ls\n", why);
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return Fail(L"usage: screenshots PROGRAM FOLDER [SUFFIX]");
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const std::wstring program = argv[1], folder = argv[2], suffix = argc > 3 ? argv[3] : L"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring line = L"\"" + program + L"\"";
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &si, &pi))
    return Fail(L"cannot start the program");
  int status = 0;
  HWND main = nullptr, about = nullptr;
  if (!WaitFor([&] { return (main = WindowOf(pi.dwProcessId, L"Velmora")) != nullptr; })) {
    status = Fail(L"the main window did not appear");
  } else {
    SetForegroundWindow(main);
    if (!Save(main, folder + L"\\main-window" + suffix + L".png")) status = 1;
    ClickCenter(ChildOf(main, L"About"));
    if (!WaitFor([&] { return (about = WindowOf(pi.dwProcessId, L"About Velmora")) != nullptr; })) {
      status = Fail(L"the About dialog did not appear");
    } else {
      if (!Save(about, folder + L"\\about" + suffix + L".png")) status = 1;
      PostMessageW(about, WM_CLOSE, 0, 0);
      WaitFor([&] { return WindowOf(pi.dwProcessId, L"About Velmora") == nullptr; });
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
  }
  if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  CoUninitialize();
  return status;
}
