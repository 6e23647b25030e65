#include "tests/support/ButtonHost.h"

#include "platform/Resources.h"
#include "tests/support/Pictures.h"

namespace velmora::test {

platform::Picture TestBitmap(int width, int height) {
  return platform::Picture::FromBitmap(
      MakePicture(width, height, [](int, int) { return RGB(0xFF, 0x00, 0xFF); }));
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
