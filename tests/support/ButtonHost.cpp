#include "tests/support/ButtonHost.h"

#include "platform/Resources.h"

namespace velmora::test {

platform::Picture TestBitmap(int width, int height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* pixels = static_cast<uint32_t*>(bits);
  for (int i = 0; i < width * height; ++i) pixels[i] = 0x00FF00FF;  // magenta
  return platform::Picture::FromBitmap(bitmap);
}

platform::Picture TestIcon() {
  return platform::Picture::FromIcon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
}

std::vector<uint8_t> PictureFile(const wchar_t* resource) {
  const auto bytes = platform::LoadResourceBytes(nullptr, resource, RT_RCDATA);
  if (!bytes) return {};
  return std::vector<uint8_t>(bytes->begin(), bytes->end());
}

}  // namespace velmora::test
