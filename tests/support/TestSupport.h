#pragma once
// Helpers shared by the test executables: message pumping with deadlines, real input, work
// from inside modal loops, a scratch registry key and a message-box recorder.

#include <windows.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/MessageBox.h"

namespace velmora::test {

using namespace std::chrono_literals;

// Dispatches messages as the program's loop does until cond holds; false after the deadline.
bool PumpUntil(const std::function<bool()>& cond, std::chrono::milliseconds timeout = 10s);

// Runs step from the thread's message loop, whichever loop that is (a modal one included),
// every few milliseconds until it returns true.
void RunFromLoop(std::function<bool()> step);

// Real input, through SendInput.
bool BringToFront(HWND topLevel);
POINT CenterOnScreen(HWND hwnd);
void MoveMouse(POINT screen);
void Click(POINT screen, bool right = false);
// One button going down or up where the pointer is.
void MouseButton(bool down, bool right = false);
void ClickCenter(HWND hwnd);
void PressKey(WORD vk, std::initializer_list<WORD> modifiers = {});

// Pixels of a window's client area as it paints itself (WM_PRINTCLIENT into a memory DC), the
// whole area or only what a clip box lets through (black elsewhere).
class ClientPixels {
 public:
  explicit ClientPixels(HWND hwnd, const RECT* clip = nullptr);
  ~ClientPixels();
  ClientPixels(const ClientPixels&) = delete;
  ClientPixels& operator=(const ClientPixels&) = delete;
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr, old_ = nullptr;
  int width_ = 0, height_ = 0;
};

// A key of its own below HKCU\Software\VelmoraTests, removed with all it holds at the end.
class ScratchKey {
 public:
  ScratchKey();
  ~ScratchKey();
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;

  HKEY get() const { return key_; }
  bool Create(const std::wstring& subKey) const;
  bool Exists(const std::wstring& subKey) const;
  void WriteString(const std::wstring& subKey, const std::wstring& name,
                   const std::wstring& data) const;
  std::optional<std::wstring> ReadString(const std::wstring& subKey, const std::wstring& name) const;
  // Every REG_SZ value of a sub-key, by name.
  std::map<std::wstring, std::wstring> Values(const std::wstring& subKey) const;

 private:
  std::wstring path_;
  HKEY key_ = nullptr;
};

// Keeps message boxes from showing while it lives and records what they would have said.
class RecordingMessageBoxes final : public platform::MessageBoxService {
 public:
  RecordingMessageBoxes();
  ~RecordingMessageBoxes() override;
  int Show(const platform::MessageBoxRequest& request) override;

  std::vector<platform::MessageBoxRequest> shown;
  int answer = IDOK;

 private:
  platform::MessageBoxService* previous_;
};

// Window lists: the top-level windows of a process, and every descendant of a window.
std::vector<HWND> TopLevelWindowsOf(DWORD processId);
std::vector<HWND> Descendants(HWND parent);
// The top-level window of this process with that caption, if it is visible.
HWND FindOwnWindow(const std::wstring& caption);
// Whether a window's middle is the middle of its screen's work area, to a pixel.
testing::AssertionResult CentredOnWorkArea(HWND hwnd);
// The text of a window.
std::wstring WindowText(HWND hwnd);
// A rectangle of a child window in its parent's client coordinates.
RECT RectInParent(HWND child);

}  // namespace velmora::test
