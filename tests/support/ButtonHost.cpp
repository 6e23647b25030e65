#include "tests/support/ButtonHost.h"

#include "platform/DesignFile.h"
#include "platform/Resources.h"
#include "tests/support/Pictures.h"

namespace velmora::test {

platform::FormDesign HostWithButton(const std::string& properties) {
  std::string text = kButtonHostDesign;
  text.replace(text.rfind("]}"), 2,
               R"(, {"kind": "usercontrol", "class": "Tessorin.Ornabutton", "name": "Ornabutton1",
                  "container": "Box", "left": 240, "top": 240, "width": 1455, "height": 375,
                  "tabIndex": 1, "properties": )" +
                   properties + "}]}");
  return platform::ParseFormDesign(text, "Stored.json");
}

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
