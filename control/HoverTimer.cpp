#include "control/HoverTimer.h"

#include "control/Ornabutton.h"

namespace velmora {

void CALLBACK HoverTimerProc(HWND hwnd, UINT, UINT_PTR timerId, DWORD) {
  auto* control = static_cast<Ornabutton*>(GetPropA(hwnd, kHoverClassProperty));
  const auto id = reinterpret_cast<UINT_PTR>(GetPropA(hwnd, kHoverTimerProperty));
  // The property holds a borrowed identity: a tick for a window whose control is gone (or was
  // never there) only stops its timer.
  if (!Ornabutton::IsLive(control) || control->hwnd() != hwnd) {
    KillTimer(hwnd, timerId);
    return;
  }
  try {
    control->CheckHoverEnd(id);
  } catch (...) {
    // Nothing the hover end does throws; the system's dispatcher must never see an exception.
  }
}

}  // namespace velmora
