// The About dialog: opened modally by the main window's About button, closed by OK, Enter,
// Esc or its close box, loaded afresh each time.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/Form1.h"
#include "app/frmAbout.h"
#include "platform/Controls.h"
#include "platform/Numeric.h"
#include "platform/Text.h"
#include "tests/support/TestSupport.h"

namespace velmora {
namespace {

class About : public testing::Test {
 protected:
  void SetUp() override {
    form.Show();
    ASSERT_TRUE(test::BringToFront(form.hwnd()));
  }

  // Clicks About and, from inside the dialog's modal loop, notes what it shows and how it
  // stands to the main window, then presses key. Empty when the dialog never came.
  std::vector<std::wstring> OpenAndCloseWith(WORD key, HWND& dialog) {
    std::vector<std::wstring> seen;
    dialog = nullptr;
    test::RunFromLoop([&] {
      HWND d = test::FindOwnWindow(L"About Velmora");
      if (!d || GetForegroundWindow() != d) return false;
      dialog = d;
      seen = {IsWindowEnabled(form.hwnd()) ? L"main enabled" : L"main disabled",
              GetWindow(d, GW_OWNER) == form.hwnd() ? L"owned by main" : L"not owned by main",
              (GetWindowLongW(d, GWL_EXSTYLE) & WS_EX_APPWINDOW) ? L"in task bar" : L"not in task bar",
              SendMessageW(d, WM_GETICON, ICON_SMALL, 0) ? L"icon" : L"no icon"};
      for (HWND c = GetWindow(d, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c) && !test::WindowText(c).empty()) seen.push_back(test::WindowText(c));
      test::PressKey(key);
      return true;
    });
    // Each opening clicks a little further right, so that two openings in quick succession
    // are two clicks rather than one double click.
    POINT at = test::CenterOnScreen(form.Find("Ornabutton4")->hwnd());
    at.x += opened_++ * 2 * GetSystemMetrics(SM_CXDOUBLECLK);
    test::Click(at);
    EXPECT_TRUE(test::PumpUntil([&] { return dialog && !IsWindow(dialog); })) << "the dialog did not close";
    EXPECT_TRUE(IsWindowEnabled(form.hwnd()));
    return seen;
  }

  test::ScratchKey scratch;
  RegistryAdKeyStore store{scratch.get()};
  Form1 form{store, L"C:\\Velmora"};
  int opened_ = 0;
};

TEST_F(About, ShowsTitleVersionAndDescriptionModallyAndEscOrEnterClosesAFreshOne) {
  const auto has = [](const std::vector<std::wstring>& seen, const wchar_t* what) {
    return std::find(seen.begin(), seen.end(), what) != seen.end();
  };
  HWND first = nullptr, second = nullptr;
  for (const WORD key : {WORD{VK_ESCAPE}, WORD{VK_RETURN}}) {
    const auto seen = OpenAndCloseWith(key, key == VK_ESCAPE ? first : second);
    for (const wchar_t* what : {L"main disabled", L"owned by main", L"not in task bar", L"icon", L"Velmora",
                                L"Version 1.0.0", L"Remove all yahoo adds, and chat with out losing any bandwidth!"})
      EXPECT_TRUE(has(seen, what)) << platform::Narrow(what);
  }
  ASSERT_NE(first, nullptr);
  EXPECT_NE(second, first);
}

// The separator is a grey line over a white one a pixel lower; the grey one reaches one pixel
// further.
TEST(AboutDialog, TheSeparatorIsAnEtchedLine) {
  test::ScratchKey scratch;
  RegistryAdKeyStore store{scratch.get()};
  Form1 main{store, L"C:\\Velmora"};
  main.Show();
  frmAbout about(main);
  about.Show();
  EXPECT_EQ(test::WindowText(about.hwnd()), L"About Velmora");
  test::ClientPixels px(about.hwnd());
  const auto pixels = [&](int twips) { return TwipsToPixels(twips, about.Dpi()); };
  const int y = pixels(2160), x = pixels(120), grey = pixels(5684), white = pixels(5669);
  const COLORREF face = GetSysColor(COLOR_BTNFACE), g = RGB(128, 128, 128), w = RGB(255, 255, 255);
  const struct {
    int x, y;
    COLORREF color;
  } points[] = {{x, y, g},         {x, y + 1, w},         {x, y - 1, face},    {x - 1, y, face},
                {x - 1, y + 1, face}, {x, y + 2, face},   {grey - 1, y, g},    {grey, y, face},
                {white - 1, y + 1, w}, {white, y + 1, face}, {grey - 1, y - 1, face}, {white - 1, y + 2, face}};
  for (const auto& p : points) EXPECT_EQ(px.At(p.x, p.y), p.color) << p.x << "," << p.y;
}

}  // namespace
}  // namespace velmora
