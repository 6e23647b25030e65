#pragma once
// The message loop of the forms runtime.

#include <windows.h>

namespace velmora::platform {

// Dispatches one message as the forms runtime does: dialog keys (Tab, Enter, Esc, access keys)
// go to the form that holds the window.
void DispatchFormMessage(MSG& msg);
// Runs the message loop until no form is loaded or WM_QUIT arrives; returns the exit code.
int RunMessageLoop();
// Dispatches the messages already queued, without waiting.
void PumpMessages();

}  // namespace velmora::platform
