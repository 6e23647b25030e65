#include "platform/Screen.h"

#include <windows.h>

#include "platform/Numeric.h"

namespace velmora::platform::Screen {

namespace {
float SystemTwipsPerPixel() { return static_cast<float>(TwipsPerPixel(GetDpiForSystem())); }
}  // namespace

float TwipsPerPixelX() { return SystemTwipsPerPixel(); }
float TwipsPerPixelY() { return SystemTwipsPerPixel(); }

int32_t Width() { return nint(GetSystemMetrics(SM_CXSCREEN) * static_cast<double>(TwipsPerPixelX())); }
int32_t Height() { return nint(GetSystemMetrics(SM_CYSCREEN) * static_cast<double>(TwipsPerPixelY())); }

}  // namespace velmora::platform::Screen
