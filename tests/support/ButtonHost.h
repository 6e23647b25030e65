#pragma once
// A form to put Ornabutton controls on, as a designer (new controls) or from a design.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/Ornabutton.h"
#include "platform/Forms.h"
#include "platform/UserControl.h"
#include "tests/support/TestSupport.h"

namespace velmora::test {

// A form with a frame "Box"; its back colour is pale green so that defaults taken from it
// can be told apart from the system colours.
inline constexpr char kButtonHostDesign[] = R"({
  "name": "Host", "caption": "Host", "clientWidth": 6000, "clientHeight": 4500,
  "borderStyle": "fixedDialog", "showInTaskbar": true, "startUpPosition": "centerScreen",
  "backColor": "0x00C0FFC0",
  "controls": [
    {"kind": "frame", "name": "Box", "container": "Host", "caption": "Box",
     "left": 120, "top": 120, "width": 5700, "height": 4200, "tabIndex": 0}]})";

class ButtonHost : public testing::Test {
 protected:
  static void SetUpTestSuite() { Ornabutton::Register(); }
  void SetUp() override { form.Show(); }

  // A new button placed on the frame; designMode makes the form a design surface first.
  Ornabutton& New(const std::string& name = "Ornabutton1", bool designMode = false,
                  int32_t width = 1455, int32_t height = 375) {
    form.SetUserMode(!designMode);
    site = &form.PlaceUserControl(Ornabutton::kClassName, name, "Box", 240,
                                  240 + 480 * static_cast<int32_t>(form.Controls().size()),
                                  width, height);
    site->ClearChangedKeys();
    return site->Client<Ornabutton>();
  }
  // The change keys reported since the last call.
  std::vector<std::string> Keys() {
    std::vector<std::string> keys = site->ChangedKeys();
    site->ClearChangedKeys();
    return keys;
  }
  // The form in front, so that real input reaches it; a point on the screen away from it.
  void Front() { ASSERT_TRUE(BringToFront(form.hwnd())); }
  POINT Away() const {
    RECT r;
    GetWindowRect(form.hwnd(), &r);
    return {r.right + 40, r.bottom + 40};
  }
  // The texts of the message boxes shown since the last call.
  std::vector<std::wstring> Messages() {
    std::vector<std::wstring> texts;
    for (const auto& b : boxes.shown) texts.push_back(b.text);
    boxes.shown.clear();
    return texts;
  }

  RecordingMessageBoxes boxes;
  platform::Form form{platform::ParseFormDesign(kButtonHostDesign, "Host.json")};
  platform::UserControlSite* site = nullptr;
};

// The host design with one button "Ornabutton1" on the frame, its stored properties given as
// JSON; the design's file is "Stored.json".
platform::FormDesign HostWithButton(const std::string& properties);

// Pictures made in memory: a 32 x 16 bitmap and the system's application icon.
platform::Picture TestBitmap(int width = 32, int height = 16);
platform::Picture TestIcon();
// The bytes of a picture file embedded in the test executable (RCDATA).
std::vector<uint8_t> PictureFile(const wchar_t* resource);

}  // namespace velmora::test
