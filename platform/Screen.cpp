#include "platform/Screen.h"

#include <windows.h>

#include <atomic>

#include "platform/Numeric.h"

namespace velmora::platform::Screen {

namespace {
float SystemTwipsPerPixel() {
  return static_cast<float>(TwipsPerPixel(GetDpiForSystem()));
}

// The primary screen's size in pixels, width in the low half; 0 until asked.
std::atomic<uint64_t> pixelSize{0};

uint64_t PixelSize() {
  uint64_t size = pixelSize.load(std::memory_order_relaxed);
  if (size == 0) {
    size = static_cast<uint32_t>(GetSystemMetrics(SM_CXSCREEN)) |
           static_cast<uint64_t>(static_cast<uint32_t>(GetSystemMetrics(SM_CYSCREEN))) << 32;
    pixelSize.store(size, std::memory_order_relaxed);
  }
  return size;
}
}  // namespace

float TwipsPerPixelX() {
  return SystemTwipsPerPixel();
}
float TwipsPerPixelY() {
  return SystemTwipsPerPixel();
}

int32_t Width() {
  const auto pixels = static_cast<int32_t>(PixelSize() & 0xFFFFFFFF);
  return nint(pixels * static_cast<double>(TwipsPerPixelX()));
}
int32_t Height() {
  const auto pixels = static_cast<int32_t>(PixelSize() >> 32);
  return nint(pixels * static_cast<double>(TwipsPerPixelY()));
}

void DisplayChanged() {
  pixelSize.store(0, std::memory_order_relaxed);
}

}  // namespace velmora::platform::Screen
