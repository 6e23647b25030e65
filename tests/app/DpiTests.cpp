// The main window on screens of any DPI: run by the test command at 96, 144 and 192 DPI.
#include <gtest/gtest.h>

#include "app/Form1.h"
#include "platform/Numeric.h"
#include "platform/UserControl.h"
#include "tests/support/TestSupport.h"

namespace velmora {
namespace {

TEST(Dpi, TheMainWindowKeepsItsTwipsAndEveryCaptionFitsItsButton) {
  const int dpi = static_cast<int>(GetDpiForSystem());
  wchar_t expected[16];
  if (GetEnvironmentVariableW(L"VELMORA_EXPECT_DPI", expected, 16)) {
    ASSERT_EQ(dpi, _wtoi(expected)) << "the prefix does not have the DPI this run is for";
  }
  test::ScratchKey scratch;
  RegistryAdKeyStore store(scratch.get());
  Form1 form(store, L"C:\\Velmora");
  form.Show();
  EXPECT_EQ(static_cast<int>(GetDpiForWindow(form.hwnd())), dpi);
  RECT client;
  GetClientRect(form.hwnd(), &client);
  EXPECT_EQ(client.right, TwipsToPixels(7410, dpi));
  EXPECT_EQ(client.bottom, TwipsToPixels(4905, dpi));
  if (dpi == 144) {
    EXPECT_EQ(client.right, 741);
    EXPECT_EQ(client.bottom, 491);
  }
  for (int i = 1; i <= 4; ++i) {
    auto& site = form.Get<platform::UserControlSite>("Ornabutton" + std::to_string(i));
    const Ornabutton& button = site.Client<Ornabutton>();
    const RECT r = test::RectInParent(site.hwnd());
    EXPECT_EQ(r.right - r.left, TwipsToPixels(site.Width(), dpi)) << i;
    EXPECT_EQ(r.bottom - r.top, TwipsToPixels(site.Height(), dpi)) << i;
    // The caption font follows the screen: 8.25 points in pixels at this DPI.
    LOGFONTW font{};
    GetObjectW(GetCurrentObject(button.State().BufferDC, OBJ_FONT), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, nint(-(8.25 * 20) / (1440.0 / dpi))) << i;
    RECT text{0, 0, 0, 0};
    DrawTextW(button.State().BufferDC, button.Caption().c_str(), -1, &text,
              DT_CALCRECT | DT_SINGLELINE);
    EXPECT_LE(text.right, r.right - r.left - 8) << "caption " << i << " is wider than its face";
    EXPECT_LE(text.bottom, r.bottom - r.top - 4) << "caption " << i << " is taller than its face";
  }
}

}  // namespace
}  // namespace velmora
