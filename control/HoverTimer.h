#pragma once
// modHoverTimer: the callback of the buttons' hover timers. It reaches the control through
// the window properties the control puts on its own window when the pointer arrives.

#include <windows.h>

namespace velmora {

inline constexpr char kHoverClassProperty[] = "orn_ClassID";
inline constexpr char kHoverTimerProperty[] = "orn_TimerID";

void CALLBACK HoverTimerProc(HWND hwnd, UINT message, UINT_PTR timerId, DWORD time);

}  // namespace velmora
