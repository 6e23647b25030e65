#include "tests/support/Pictures.h"

#include <cstdint>

#include "platform/Picture.h"

namespace velmora::test {

HBITMAP MakePicture(int width, int height, const std::function<COLORREF(int, int)>& color) {
  const BITMAPINFO bi = platform::TopDownBitmapInfo(width, height);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* pixels = static_cast<uint32_t*>(bits);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF c = color(x, y);  // stored blue first
      pixels[static_cast<size_t>(y) * width + x] = RGB(GetBValue(c), GetGValue(c), GetRValue(c));
    }
  return bitmap;
}

std::vector<COLORREF> BitmapPixels(HBITMAP bitmap) {
  BITMAP bm{};
  GetObjectW(bitmap, sizeof bm, &bm);
  BITMAPINFO bi = platform::TopDownBitmapInfo(bm.bmWidth, bm.bmHeight);
  std::vector<COLORREF> pixels(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, bm.bmHeight, pixels.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  for (COLORREF& p : pixels) p = RGB(GetBValue(p), GetGValue(p), GetRValue(p));
  return pixels;
}

HBITMAP MakeDiscPicture(int width, int height, bool speckled) {
  const double cx = width / 2.0, cy = height / 2.0, r = (width < height ? width : height) * 0.4;
  return MakePicture(width, height, [&](int x, int y) -> COLORREF {
    const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
    if (dx * dx + dy * dy <= r * r) {
      if (speckled && (x * 7 + y * 13) % 29 == 0) return RGB(0xFE, 0x02, 0xFD);  // a near-key hole
      return RGB(x * 255 / width, y * 255 / height, 0x40);
    }
    if ((x + 3 * y) % 11 == 5) return RGB(0xFD, 0x03, 0xFC);  // just off the key: transparent
    if (speckled && (x * 5 + y) % 37 == 7) return RGB(0xFA, 0x00, 0xFF);  // 5 off in red: opaque
    return RGB(0xFF, 0x00, 0xFF);
  });
}

}  // namespace velmora::test
