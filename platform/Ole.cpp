#include "platform/Ole.h"

#include <windows.h>
#include <ole2.h>

namespace velmora::platform {

namespace {
bool g_started = false;
}  // namespace

void UseOle() {
  if (g_started) return;
  // S_FALSE (already started on this thread) counts too, and is balanced the same way.
  g_started = SUCCEEDED(OleInitialize(nullptr));
}

void EndOle() {
  if (!g_started) return;
  g_started = false;
  OleUninitialize();
}

}  // namespace velmora::platform
