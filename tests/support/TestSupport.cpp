#include "tests/support/TestSupport.h"

#include <algorithm>
#include <atomic>
#include <initializer_list>
#include <thread>

#include "platform/Forms.h"
#include "platform/Text.h"

namespace velmora::test {

bool PumpUntil(const std::function<bool()>& cond, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    platform::PumpMessages();
    if (cond()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

namespace {
std::map<UINT_PTR, std::function<bool()>>& Steps() {
  static std::map<UINT_PTR, std::function<bool()>> steps;
  return steps;
}

void CALLBACK StepTimer(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = Steps().find(id);
  if (it == Steps().end()) return;
  auto step = it->second;  // the step may start another one
  if (step()) {
    KillTimer(nullptr, id);
    Steps().erase(id);
  }
}
}  // namespace

void RunFromLoop(std::function<bool()> step) {
  const UINT_PTR id = SetTimer(nullptr, 0, 10, &StepTimer);
  Steps()[id] = std::move(step);
}

bool BringToFront(HWND topLevel) {
  SetForegroundWindow(topLevel);
  return PumpUntil([&] { return GetForegroundWindow() == topLevel; }, 5s);
}

POINT CenterOnScreen(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void MoveMouse(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
  PumpUntil([&] {
    POINT p;
    GetCursorPos(&p);
    return p.x == screen.x && p.y == screen.y;
  }, 2s);
}

namespace {
INPUT MouseInput(bool down, bool right) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = right ? (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP)
                        : (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
  return in;
}
INPUT KeyInput(WORD vk, bool down) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  return in;
}
void Send(std::vector<INPUT> in) {
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}
}  // namespace

void Click(POINT screen, bool right) {
  MoveMouse(screen);
  Send({MouseInput(true, right), MouseInput(false, right)});
}

void ClickCenter(HWND hwnd) { Click(CenterOnScreen(hwnd)); }

void MouseButton(bool down, bool right) { Send({MouseInput(down, right)}); }

void PressKey(WORD vk, std::initializer_list<WORD> modifiers) {
  std::vector<INPUT> in;
  for (WORD m : modifiers) in.push_back(KeyInput(m, true));
  in.push_back(KeyInput(vk, true));
  in.push_back(KeyInput(vk, false));
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
    in.push_back(KeyInput(*it, false));
  Send(in);
}

ClientPixels::ClientPixels(HWND hwnd, const RECT* clip) {
  RECT r;
  GetClientRect(hwnd, &r);
  width_ = r.right;
  height_ = r.bottom;
  HDC screen = GetDC(nullptr);
  dc_ = CreateCompatibleDC(screen);
  bitmap_ = CreateCompatibleBitmap(screen, std::max(width_, 1), std::max(height_, 1));
  ReleaseDC(nullptr, screen);
  old_ = static_cast<HBITMAP>(SelectObject(dc_, bitmap_));
  if (clip) IntersectClipRect(dc_, clip->left, clip->top, clip->right, clip->bottom);
  SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT | PRF_ERASEBKGND);
}

ClientPixels::~ClientPixels() {
  SelectObject(dc_, old_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

ScratchKey::ScratchKey() {
  static std::atomic<int> counter{0};
  path_ = L"Software\\VelmoraTests\\" + std::to_wstring(GetCurrentProcessId()) + L"_" +
          std::to_wstring(counter++);
  RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
  RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                  nullptr);
}

ScratchKey::~ScratchKey() {
  if (key_) RegCloseKey(key_);
  RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\VelmoraTests");  // only when empty
}

bool ScratchKey::Create(const std::wstring& subKey) const {
  HKEY k = nullptr;
  if (RegCreateKeyExW(key_, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr) !=
      ERROR_SUCCESS)
    return false;
  RegCloseKey(k);
  return true;
}

bool ScratchKey::Exists(const std::wstring& subKey) const {
  HKEY k = nullptr;
  if (RegOpenKeyExW(key_, subKey.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

void ScratchKey::WriteString(const std::wstring& subKey, const std::wstring& name,
                             const std::wstring& data) const {
  RegSetKeyValueW(key_, subKey.c_str(), name.c_str(), REG_SZ, data.c_str(),
                  static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

std::optional<std::wstring> ScratchKey::ReadString(const std::wstring& subKey,
                                                   const std::wstring& name) const {
  std::wstring data(32768, L'\0');  // the longest text a value holds
  DWORD bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
  if (RegGetValueW(key_, subKey.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, data.data(),
                   &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  return data.c_str();
}

std::map<std::wstring, std::wstring> ScratchKey::Values(const std::wstring& subKey) const {
  std::map<std::wstring, std::wstring> values;
  HKEY k = nullptr;
  if (RegOpenKeyExW(key_, subKey.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return values;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameLen = 256;
    if (RegEnumValueW(k, i, name, &nameLen, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    values[name] = ReadString(subKey, name).value_or(L"<not a string>");
  }
  RegCloseKey(k);
  return values;
}

RecordingMessageBoxes::RecordingMessageBoxes()
    : previous_(platform::SetMessageBoxService(this)) {}

RecordingMessageBoxes::~RecordingMessageBoxes() { platform::SetMessageBoxService(previous_); }

int RecordingMessageBoxes::Show(const platform::MessageBoxRequest& request) {
  shown.push_back(request);
  return answer;
}

namespace {
BOOL CALLBACK Collect(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}
}  // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
  std::vector<HWND> all, mine;
  EnumWindows(&Collect, reinterpret_cast<LPARAM>(&all));
  for (HWND h : all) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == processId) mine.push_back(h);
  }
  return mine;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(parent, &Collect, reinterpret_cast<LPARAM>(&all));
  return all;
}

HWND FindOwnWindow(const std::wstring& caption) {
  for (HWND h : TopLevelWindowsOf(GetCurrentProcessId()))
    if (IsWindowVisible(h) && WindowText(h) == caption) return h;
  return nullptr;
}

testing::AssertionResult CentredOnWorkArea(HWND hwnd) {
  MONITORINFO mi{sizeof mi};
  GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &mi);
  RECT w, &a = mi.rcWork;
  GetWindowRect(hwnd, &w);
  if (std::abs(w.left + w.right - a.left - a.right) <= 1 &&
      std::abs(w.top + w.bottom - a.top - a.bottom) <= 1)
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "window at " << w.left << "," << w.top << " in a work area "
                                     << a.right - a.left << " x " << a.bottom - a.top;
}

std::wstring WindowText(HWND hwnd) { return platform::WindowText(hwnd); }

RECT RectInParent(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace velmora::test
