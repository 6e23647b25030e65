// The main window's four buttons as their stored designs make them.
#include <gtest/gtest.h>

#include "app/Form1.h"
#include "tests/support/OrnabuttonProbe.h"
#include "platform/UserControl.h"
#include "tests/support/TestSupport.h"

namespace velmora {
namespace {

constexpr int32_t kFace = static_cast<int32_t>(0x8000000F);
constexpr int32_t kText = static_cast<int32_t>(0x80000012);

class ButtonDesigns : public testing::Test {
 protected:
  void SetUp() override { form.Show(); }
  Ornabutton& Button(int i) {
    return form.Get<platform::UserControlSite>("Ornabutton" + std::to_string(i)).Client<Ornabutton>();
  }
  test::ScratchKey scratch;
  RegistryAdKeyStore store{scratch.get()};
  Form1 form{store, L"C:\\Velmora"};
};

TEST_F(ButtonDesigns, EachButtonLoadsItsStoredValuesAndTheDefaultsOfTheRest) {
  const wchar_t* captions[] = {L"Select all", L"Select None", L"Remove Selected Ads", L"About"};
  const int32_t backs[] = {0x00E0E0E0, kFace, kFace, kFace};
  const int32_t gradients[] = {2, 2, 2, 1};
  for (int i = 1; i <= 4; ++i) {
    const Ornabutton& b = Button(i);
    SCOPED_TRACE("Ornabutton" + std::to_string(i));
    EXPECT_EQ(b.Caption(), captions[i - 1]);
    EXPECT_EQ(b.ButtonStyle(), 3);
    EXPECT_EQ(b.CaptionAlign(), 2);
    EXPECT_EQ(b.Font().name, "MS Sans Serif");
    EXPECT_DOUBLE_EQ(b.Font().size, 8.25);
    EXPECT_EQ(b.Font().weight, 400);
    EXPECT_EQ(b.FontStyle(), 0);
    EXPECT_EQ(b.BackColor(), backs[i - 1]);
    EXPECT_EQ(b.HoverBackColor(), 0x00FFFFFF);
    EXPECT_EQ(b.HoverColorLocks(), 1);
    EXPECT_EQ(b.GradientColor(), 0x00C0C0C0);
    EXPECT_EQ(b.GradientMode(), gradients[i - 1]);
    EXPECT_EQ(b.Mode(), 0);
    EXPECT_FALSE(b.Value());
  }
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(Button(i).ForeColor(), 0);
    EXPECT_EQ(Button(i).HoverForeColor(), 0);
  }
  // "About" stores neither caption colour.
  EXPECT_EQ(Button(4).ForeColor(), kText);
  EXPECT_EQ(Button(4).HoverForeColor(), kText);
}

TEST_F(ButtonDesigns, TheAboutCaptionUsesTheSystemTextColour) {
  // Find the caption's pixels by their colour: the system's button text for "About", black
  // for the others.
  const auto captionPixels = [](const Ornabutton& b, COLORREF color) {
    int n = 0;
    RECT r;
    GetClientRect(b.hwnd(), &r);
    for (int y = 3; y < r.bottom - 3; ++y)
      for (int x = 3; x < r.right - 3; ++x) n += GetPixel(OrnabuttonProbe::Buffer(b), x, y) == color;
    return n;
  };
  EXPECT_GT(captionPixels(Button(4), GetSysColor(COLOR_BTNTEXT)), 10);
  EXPECT_GT(captionPixels(Button(3), RGB(0, 0, 0)), 10);
}

}  // namespace
}  // namespace velmora
