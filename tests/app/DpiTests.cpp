// The main window on screens of any DPI: run by the test command at 96, 144 and 192 DPI.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <set>

#include "app/Form1.h"
#include "tests/support/OrnabuttonProbe.h"
#include "platform/Controls.h"
#include "platform/Numeric.h"
#include "platform/Text.h"
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
  // The client area is 7410 x 4905 twips; the caption font is 8.25 points.
  const std::map<int, std::array<LONG, 3>> pixels = {
      {96, {494, 327, -11}}, {144, {741, 491, -16}}, {192, {988, 654, -22}}};
  ASSERT_EQ(pixels.count(dpi), 1u) << dpi;
  const auto [width, height, fontHeight] = pixels.at(dpi);
  RECT client;
  GetClientRect(form.hwnd(), &client);
  EXPECT_EQ(client.right, width);
  EXPECT_EQ(client.bottom, height);
  for (int i = 1; i <= 4; ++i) {
    auto& site = form.Get<platform::UserControlSite>("Ornabutton" + std::to_string(i));
    const Ornabutton& button = site.Client<Ornabutton>();
    const RECT r = test::RectInParent(site.hwnd());
    EXPECT_EQ(r.right - r.left, TwipsToPixels(site.Width(), dpi)) << i;
    EXPECT_EQ(r.bottom - r.top, TwipsToPixels(site.Height(), dpi)) << i;
    LOGFONTW font{};
    GetObjectW(GetCurrentObject(OrnabuttonProbe::Buffer(button), OBJ_FONT), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, fontHeight) << i;
    RECT text{0, 0, 0, 0};
    DrawTextW(OrnabuttonProbe::Buffer(button), button.Caption().c_str(), -1, &text,
              DT_CALCRECT | DT_SINGLELINE);
    EXPECT_LE(text.right, r.right - r.left - 8) << "caption " << i << " is wider than its face";
    EXPECT_LE(text.bottom, r.bottom - r.top - 4) << "caption " << i << " is taller than its face";
  }
}

// A messenger key whose open fails with a chosen code, or whose chosen values cannot be
// changed (all of them with failAll).
class ScriptedStore final : public AdKeyStore {
 public:
  LONG openError = ERROR_SUCCESS;
  bool failAll = false;
  std::set<std::wstring> failing;
  LONG Open() override { return openError; }
  LONG SetString(const std::wstring& name, const std::wstring&) override { return Result(name); }
  LONG DeleteValue(const std::wstring& name) override { return Result(name); }
  void Close() override {}

 private:
  LONG Result(const std::wstring& name) const {
    return failAll || failing.count(name) ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
  }
};

// The part of a window's client area that its parents' client areas leave visible, in its own
// client coordinates.
RECT VisiblePart(HWND hwnd) {
  RECT visible;
  GetClientRect(hwnd, &visible);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&visible), 2);
  for (HWND child = hwnd; GetWindowLongW(child, GWL_STYLE) & WS_CHILD;) {
    const HWND parent = child = GetParent(child);
    RECT client;
    GetClientRect(parent, &client);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
    IntersectRect(&visible, &visible, &client);
  }
  MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&visible), 2);
  return visible;
}

// Each outcome's text either fits the visible part of the status label whole, or the label
// gives a brief text and one information message gives every name.
TEST(Dpi, EveryStatusShowsWholeInTheVisiblePartOfTheStatusLabel) {
  const struct {
    bool tick;
    LONG openError;
    std::set<std::wstring> failing;
    bool failAll;
    const wchar_t* shows;  // a part of what the label must show
    int messages;          // information messages: 0 or 1, or -1 for either
    const wchar_t* told;   // in the label, or in the message when there is one
  } cases[] = {
      {false, ERROR_SUCCESS, {}, false, L"Please Select", 0, nullptr},
      {true, ERROR_SUCCESS, {}, false, L"Killed", 0, nullptr},
      {true, ERROR_FILE_NOT_FOUND, {}, false, L"No Messenger settings", 0, nullptr},
      {true, ERROR_ACCESS_DENIED, {}, false, L"Access denied", 0, nullptr},
      {true, ERROR_INVALID_HANDLE, {}, false, L"Error 6 ", 0, nullptr},
      {true, 2147483647, {}, false, L"nothing changed", -1, L"2147483647"},
      {true, ERROR_SUCCESS, {L"Conf Adurl"}, false, L"1 setting could not be changed: Conf Adurl.", 0, nullptr},
      {true, ERROR_SUCCESS, {}, true, L"Done, but 18 settings could not be changed.", 1, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(platform::Narrow(c.shows));
    ScriptedStore store;
    store.openError = c.openError;
    store.failing = c.failing;
    store.failAll = c.failAll;
    test::RecordingMessageBoxes boxes;
    Form1 form(store, L"C:\\Velmora");
    form.Show();
    if (c.tick) form.Get<platform::CheckBox>("Check1").SetValue(1);
    form.RemoveSelectedAds();

    const HWND label = form.Find("labelR")->hwnd();
    const std::wstring text = test::WindowText(label);
    EXPECT_NE(text.find(c.shows), std::wstring::npos) << platform::Narrow(text);
    RECT client, needed{0, 0, 0, 0};
    GetClientRect(label, &client);
    needed.right = client.right;
    const HDC dc = GetDC(label);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    const RECT visible = VisiblePart(label);
    EXPECT_LE(needed.right, visible.right) << platform::Narrow(text);
    EXPECT_LE(needed.bottom, visible.bottom) << platform::Narrow(text);
    EXPECT_GE(visible.bottom, needed.bottom - needed.top) << "the label shows less than one line";

    if (c.messages >= 0) {
      EXPECT_EQ(boxes.shown.size(), static_cast<size_t>(c.messages));
    }
    ASSERT_LE(boxes.shown.size(), 1u);
    const std::wstring message = boxes.shown.empty() ? L"" : boxes.shown[0].text;
    if (!boxes.shown.empty()) {
      EXPECT_EQ(boxes.shown[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    }
    if (c.told) {
      EXPECT_NE((boxes.shown.empty() ? text : message).find(c.told), std::wstring::npos);
    }
    if (c.failAll) {
      for (const AdSetting& s : kAdSettings)
        EXPECT_NE(message.find(std::wstring(L"\n") + s.name), std::wstring::npos) << platform::Narrow(s.name);
    }
  }
}

}  // namespace
}  // namespace velmora
