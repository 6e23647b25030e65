#pragma once
// Screen-reader support for user controls: the host answers WM_GETOBJECT with an IAccessible
// of its own that takes the role, name, states, shortcut and default action from the control
// and everything else (position, navigation) from the system's standard object.

#include <windows.h>

#include <string>

namespace velmora::platform {

struct AccessibleDescription {
  long role = 0;               // ROLE_SYSTEM_...
  std::wstring name;
  long state = 0;              // STATE_SYSTEM_... bits
  std::wstring keyboardShortcut;  // "Alt+S"
  std::wstring defaultAction;     // "Press", "Check", ...
};

// What a control tells assistive technology about itself.
class AccessibleSource {
 public:
  virtual ~AccessibleSource() = default;
  // False: the system describes the window.
  virtual bool Describe(AccessibleDescription& /*out*/) { return false; }
  virtual void DoDefaultAction() {}
};

class ControlAccessible;

// The answer to WM_GETOBJECT for one window; Disconnect when the source goes away, so that an
// assistive tool holding on to the object gets errors, never a dangling control.
class AccessibleAnswer {
 public:
  AccessibleAnswer() = default;
  ~AccessibleAnswer() { Disconnect(); }
  AccessibleAnswer(const AccessibleAnswer&) = delete;
  AccessibleAnswer& operator=(const AccessibleAnswer&) = delete;

  // For WM_GETOBJECT: nothing (0) unless the client object is asked for.
  LRESULT Answer(HWND hwnd, WPARAM wp, LPARAM lp, AccessibleSource& source);
  void Disconnect();

 private:
  ControlAccessible* object_ = nullptr;
};

// Tells assistive technology that the control's states or name changed.
void NotifyStateChange(HWND hwnd);
void NotifyNameChange(HWND hwnd);

}  // namespace velmora::platform
