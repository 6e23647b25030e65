// The message loop of the forms runtime: dialog keys (Tab, Enter, Esc, access keys) go to the
// form that holds the window before anything else sees them.
#include "platform/MessageLoop.h"

#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/StartupTrace.h"

namespace velmora::platform {

void DispatchFormMessage(MSG& msg) {
  if (msg.hwnd) {
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (Form* form = Form::FromWindow(root)) {
      try {
        if (form->AccessKey(msg)) return;
      } catch (...) {
        ReportCurrentException(root);
        return;
      }
      // Keys posted to the form or a frame (the arrows a user control hands on) are theirs,
      // not the dialog manager's.
      const Control* target = msg.hwnd == root ? nullptr : form->FromChildWindow(msg.hwnd);
      const bool toContainer =
          msg.hwnd == root || (target && target->IsContainer() && target->hwnd() == msg.hwnd);
      if (!(toContainer && msg.message == WM_KEYDOWN) && IsDialogMessageW(root, &msg)) return;
    }
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

int RunMessageLoop() {
  MSG msg{};
  while (!Form::LoadedForms().empty()) {
    StartupTrace::Idle();
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return 1;
    DispatchFormMessage(msg);
  }
  return 0;
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    DispatchFormMessage(msg);
  }
}

}  // namespace velmora::platform
