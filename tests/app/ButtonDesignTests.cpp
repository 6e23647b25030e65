// The main window's four buttons as their stored designs make them.
#include <gtest/gtest.h>

#include <array>

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

// Stored: caption, style 3, centred caption, the font, back colour, white hover face, grey
// gradient and its mode, and black caption colours but for "About"; the rest read defaults.
TEST_F(ButtonDesigns, EachButtonLoadsItsStoredValuesAndTheDefaultsOfTheRest) {
  const struct {
    const wchar_t* caption;
    int32_t back, gradientMode, fore;
  } rows[] = {{L"Select all", 0x00E0E0E0, 2, 0}, {L"Select None", kFace, 2, 0},
              {L"Remove Selected Ads", kFace, 2, 0}, {L"About", kFace, 1, kText}};
  for (int i = 1; i <= 4; ++i) {
    const Ornabutton& b = Button(i);
    const auto& row = rows[i - 1];
    SCOPED_TRACE("Ornabutton" + std::to_string(i));
    EXPECT_EQ(b.Caption(), row.caption);
    EXPECT_EQ((std::array<int32_t, 7>{b.ButtonStyle(), b.CaptionAlign(), b.FontStyle(), b.HoverColorLocks(),
                                      b.Mode(), b.Value(), b.Font().weight}),
              (std::array<int32_t, 7>{3, 2, 0, 1, 0, 0, 400}));
    EXPECT_EQ(b.Font().name, "MS Sans Serif");
    EXPECT_DOUBLE_EQ(b.Font().size, 8.25);
    EXPECT_EQ((std::array<int32_t, 6>{b.BackColor(), b.HoverBackColor(), b.GradientColor(), b.GradientMode(),
                                      b.ForeColor(), b.HoverForeColor()}),
              (std::array<int32_t, 6>{row.back, 0x00FFFFFF, 0x00C0C0C0, row.gradientMode, row.fore, row.fore}));
  }
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
