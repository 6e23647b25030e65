// The About dialog: opened modally by the main window's About button, closed by OK, Enter,
// Esc or its close box, loaded afresh each time.
#include <gtest/gtest.h>

#include "app/Form1.h"
#include "app/frmAbout.h"
#include "platform/Controls.h"
#include "platform/Numeric.h"
#include "tests/support/TestSupport.h"

namespace velmora {
namespace {

using test::PumpUntil;

struct Seen {
  HWND dialog = nullptr;
  std::wstring title, version, description;
  bool mainEnabled = true;
  bool inTaskbar = true;
  HWND owner = nullptr;
  bool hasIcon = false;
};

class About : public testing::Test {
 protected:
  void SetUp() override {
    form.Show();
    ASSERT_TRUE(test::BringToFront(form.hwnd()));
  }

  // Clicks About, looks at the dialog from inside its modal loop, then presses key.
  Seen OpenAndCloseWith(WORD key) {
    Seen seen;
    bool closed = false;
    test::RunFromLoop([&] {
      HWND d = test::FindOwnWindow(L"About Velmora");
      if (!d || GetForegroundWindow() != d) return false;
      seen.dialog = d;
      seen.mainEnabled = IsWindowEnabled(form.hwnd()) != FALSE;
      seen.inTaskbar = (GetWindowLongW(d, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0;
      seen.owner = GetWindow(d, GW_OWNER);
      seen.hasIcon = SendMessageW(d, WM_GETICON, ICON_SMALL, 0) != 0;
      for (HWND c = GetWindow(d, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        const std::wstring text = test::WindowText(c);
        if (text.rfind(L"Version", 0) == 0) seen.version = text;
        if (text.rfind(L"Remove all", 0) == 0) seen.description = text;
        if (text == L"Velmora") seen.title = text;
      }
      test::PressKey(key);
      return true;
    });
    // Each opening clicks a little further right, so that two openings in quick succession
    // are two clicks rather than one double click.
    POINT at = test::CenterOnScreen(form.Find("Ornabutton4")->hwnd());
    at.x += opened_++ * 2 * GetSystemMetrics(SM_CXDOUBLECLK);
    test::Click(at);
    closed = PumpUntil([&] { return seen.dialog && !IsWindow(seen.dialog); });
    EXPECT_TRUE(closed) << "the dialog did not close";
    return seen;
  }

  test::ScratchKey scratch;
  RegistryAdKeyStore store{scratch.get()};
  Form1 form{store, L"C:\\Velmora"};
  int opened_ = 0;
};

TEST_F(About, ShowsTitleVersionAndDescriptionModallyAndEscOrEnterClosesAFreshOne) {
  const Seen seen = OpenAndCloseWith(VK_ESCAPE);
  ASSERT_NE(seen.dialog, nullptr);
  EXPECT_EQ(seen.title, L"Velmora");
  EXPECT_EQ(seen.version, L"Version 1.0.0");
  EXPECT_EQ(seen.description, L"Remove all yahoo adds, and chat with out losing any bandwidth!");
  EXPECT_FALSE(seen.mainEnabled);
  EXPECT_EQ(seen.owner, form.hwnd());
  EXPECT_FALSE(seen.inTaskbar);
  EXPECT_TRUE(seen.hasIcon);
  EXPECT_TRUE(IsWindowEnabled(form.hwnd()));
  const Seen second = OpenAndCloseWith(VK_RETURN);
  ASSERT_NE(second.dialog, nullptr);
  EXPECT_NE(second.dialog, seen.dialog);
  EXPECT_EQ(second.version, L"Version 1.0.0");
  EXPECT_TRUE(IsWindowEnabled(form.hwnd()));
}

TEST(AboutDialog, TheSeparatorIsAnEtchedLine) {
  test::ScratchKey scratch;
  RegistryAdKeyStore store{scratch.get()};
  Form1 main{store, L"C:\\Velmora"};
  main.Show();
  frmAbout about(main);
  about.Show();
  EXPECT_EQ(test::WindowText(about.hwnd()), L"About Velmora");
  test::ClientPixels px(about.hwnd());
  const auto px96 = [&](int twips) { return TwipsToPixels(twips, about.Dpi()); };
  const int y = px96(2160), x = px96(120);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(px.At(x, y), RGB(128, 128, 128));
  EXPECT_EQ(px.At(x, y + 1), RGB(255, 255, 255));
  EXPECT_EQ(px.At(x, y - 1), face);
  EXPECT_EQ(px.At(x - 1, y), face);
  // The grey line reaches one pixel further than the white one.
  EXPECT_EQ(px.At(px96(5684) - 1, y), RGB(128, 128, 128));
  EXPECT_EQ(px.At(px96(5684), y), face);
  EXPECT_EQ(px.At(px96(5669) - 1, y + 1), RGB(255, 255, 255));
  EXPECT_EQ(px.At(px96(5669), y + 1), face);
}

}  // namespace
}  // namespace velmora
