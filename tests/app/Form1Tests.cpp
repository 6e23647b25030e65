// The main window on a real window under Xvfb, driven with real input, its removal pass
// working on a scratch key; run by the test command at 96, 144 and 192 DPI. The About dialog.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <tuple>

#include "app/Form1.h"
#include "app/frmAbout.h"
#include "platform/Controls.h"
#include "platform/Numeric.h"
#include "platform/UserControl.h"
#include "tests/support/OrnabuttonProbe.h"
#include "tests/support/TestSupport.h"

namespace velmora {
namespace {

using platform::CheckBox;
using platform::Control;
using test::PumpUntil;

struct Row {
  const char* name;
  const char* container;
  const wchar_t* caption;
  int left, top, width, height, tabIndex;
};

// The controls of the main window, as the program is meant to show them.
const Row kControls[] = {
    {"Frame1", "Form1", L"Remove Yahoo! Messenger PM adds and Chad Adds!", 120, 0, 7215, 3495, 3},
    {"Check1", "Frame1", L"Remove Y!Chat add", 120, 360, 2175, 255, 4},
    {"Check2", "Frame1", L"Remove Change Room add", 120, 720, 2295, 255, 5},
    {"Check3", "Frame1", L"Remove Webcam Upload Ad", 120, 1080, 2415, 195, 6},
    {"Check4", "Frame1", L"Remoev Webcam Upload big Ad", 120, 1440, 2655, 255, 7},
    {"Check5", "Frame1", L"Remove Webcam Upload Medium Ad", 120, 1800, 3135, 255, 8},
    {"Check6", "Frame1", L"Remove Auction Alert Ad URL", 120, 2160, 2655, 255, 9},
    {"Check7", "Frame1", L"Remove Calendar Alert Ad URL", 120, 2520, 2775, 255, 10},
    {"Check8", "Frame1", L"Remove News Alert Ad URL", 120, 2880, 2655, 255, 11},
    {"Check9", "Frame1", L"Remove Personals Alert Ad URL", 3720, 360, 2655, 255, 12},
    {"Check10", "Frame1", L"Remove Stock Alert Ad URL", 3720, 720, 2895, 255, 13},
    {"Check11", "Frame1", L"Remove N2Phone Ad", 3720, 1080, 3015, 255, 14},
    {"Check12", "Frame1", L"Remove Messenger Ad", 3720, 1440, 2895, 255, 15},
    {"Check13", "Frame1", L"Remove Conf Ad", 3720, 1800, 3015, 255, 16},
    {"Check14", "Frame1", L"Remove Address Book Ad", 3720, 2160, 3135, 255, 17},
    {"Check15", "Frame1", L"Remove Chat Transition Ad", 3720, 2400, 2535, 375, 18},
    {"Check16", "Frame1", L"Remove Mail Alert Ad URL", 3720, 2760, 2775, 255, 19},
    {"Check17", "Frame1", L"Remove Web Cam Ad", 3720, 3120, 2655, 255, 20},
    {"Frame2", "Form1", L"Options", 120, 3480, 7215, 975, 21},
    {"Ornabutton1", "Frame2", L"Select all", 240, 240, 1455, 375, 24},
    {"Ornabutton2", "Frame2", L"Select None", 1680, 240, 1215, 375, 23},
    {"Ornabutton3", "Frame2", L"Remove Selected Ads", 2880, 240, 1815, 375, 22},
    {"Ornabutton4", "Frame2", L"About", 4680, 240, 2055, 375, 25},
    {"Picture1", "Form1", L"", 0, 4560, 7455, 375, 0},
    {"labelR", "Picture1", L"", 0, 0, 4215, 375, 1},
};

class MainWindow : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(scratch.Create(kAdKeyPath));
    form.Show();
  }
  HWND Window(const char* name) { return form.Find(name)->hwnd(); }
  int BoxValue(int box) { return form.Get<CheckBox>("Check" + std::to_string(box)).Value(); }
  bool AllBoxesAre(int value) {
    for (int box = 1; box <= kAdBoxCount; ++box)
      if (BoxValue(box) != value) return false;
    return true;
  }
  std::wstring Status() { return test::WindowText(Window("labelR")); }
  int Px(int twips) { return TwipsToPixels(twips, form.Dpi()); }

  test::ScratchKey scratch;
  RegistryAdKeyStore store{scratch.get()};
  Form1 form{store, L"C:\\Velmora"};
};

// At the DPI the prefix has: the client area of 7410 x 4905 twips and 8.25-point captions
// that fit their buttons.
TEST_F(MainWindow, ControlsHaveTheirCaptionsPlacesAndTabIndexesAtAnyDpi) {
  const int dpi = static_cast<int>(GetDpiForSystem());
  wchar_t expected[16];
  if (GetEnvironmentVariableW(L"VELMORA_EXPECT_DPI", expected, 16))
    ASSERT_EQ(dpi, _wtoi(expected)) << "the prefix does not have the DPI this run is for";
  const std::map<int, std::array<LONG, 3>> pixels = {
      {96, {494, 327, -11}}, {144, {741, 491, -16}}, {192, {988, 654, -22}}};
  ASSERT_EQ(pixels.count(dpi), 1u) << dpi;
  RECT client;
  GetClientRect(form.hwnd(), &client);
  EXPECT_EQ((std::array{client.right, client.bottom, LONG{form.Dpi()}}),
            (std::array{pixels.at(dpi)[0], pixels.at(dpi)[1], LONG{dpi}}));
  for (const Row& row : kControls) {
    const Control* c = form.Find(row.name);
    ASSERT_NE(c, nullptr) << row.name;
    const Control* container = c->Container();
    EXPECT_EQ(container ? container->Name() : std::string("Form1"), row.container) << row.name;
    EXPECT_EQ(GetParent(c->hwnd()), container ? container->hwnd() : form.hwnd()) << row.name;
    EXPECT_EQ(test::WindowText(c->hwnd()), row.caption) << row.name;
    const RECT r = test::RectInParent(c->hwnd());
    EXPECT_EQ((std::array<LONG, 4>{r.left, r.top, r.right - r.left, r.bottom - r.top}),
              (std::array<LONG, 4>{Px(row.left), Px(row.top), Px(row.width), Px(row.height)}))
        << row.name;
    EXPECT_EQ(c->TabIndex(), row.tabIndex) << row.name;
    if (std::string(row.name).rfind("Ornabutton", 0) != 0) continue;
    const HDC buffer = OrnabuttonProbe::Buffer(form.Get<platform::UserControlSite>(row.name).Client<Ornabutton>());
    LOGFONTW font{};
    GetObjectW(GetCurrentObject(buffer, OBJ_FONT), sizeof font, &font);
    RECT text{0, 0, 0, 0};
    DrawTextW(buffer, row.caption, -1, &text, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(font.lfHeight, pixels.at(dpi)[2]) << row.name;
    EXPECT_TRUE(text.right <= r.right - r.left - 8 && text.bottom <= r.bottom - r.top - 4)
        << row.name << ": the caption is larger than the face";
  }
  EXPECT_EQ(form.Find("Label1")->Container()->Name(), "Picture1");
  EXPECT_EQ(form.Find("Label1")->TabIndex(), 2);
  // The status label uses the system's window colours.
  EXPECT_EQ(form.Find("labelR")->BackColor(), 0x80000005u);
  EXPECT_EQ(form.Find("labelR")->ForeColor(), 0x80000008u);
  EXPECT_TRUE(AllBoxesAre(0));
  EXPECT_EQ(Status(), L"");
}

// Stored: style 3, centred caption, the font, a white hover face, a grey gradient down (across
// for "About"), hover colours locked, black captions but for "About" (the system's button text);
// "Select all" has a back colour of its own. The rest read their defaults.
TEST_F(MainWindow, EachButtonLoadsItsStoredValuesAndTheDefaultsOfTheRest) {
  constexpr int32_t face = static_cast<int32_t>(0x8000000F), text = static_cast<int32_t>(0x80000012);
  const std::array<int32_t, 3> rows[] = {{0xE0E0E0, 2, 0}, {face, 2, 0}, {face, 2, 0}, {face, 1, text}};
  for (int i = 1; i <= 4; ++i) {
    const auto& b = form.Get<platform::UserControlSite>("Ornabutton" + std::to_string(i)).Client<Ornabutton>();
    const auto [back, gradient, fore] = rows[i - 1];
    EXPECT_EQ((std::array<int32_t, 13>{b.ButtonStyle(), b.CaptionAlign(), b.FontStyle(), b.HoverColorLocks(),
                                       b.Mode(), b.Value(), b.Font().weight, b.BackColor(), b.HoverBackColor(),
                                       b.GradientColor(), b.GradientMode(), b.ForeColor(), b.HoverForeColor()}),
              (std::array<int32_t, 13>{3, 2, 0, 1, 0, 0, 400, back, 0xFFFFFF, 0xC0C0C0, gradient, fore, fore}))
        << i;
    EXPECT_EQ(b.Font().name + " " + std::to_string(b.Font().size), "MS Sans Serif 8.250000") << i;
  }
}

// Select all and Select None report nothing; Remove with only a grey box (a state the program
// never sets) asks for a selection and leaves the registry alone.
TEST_F(MainWindow, TheButtonsTickClearAndAskForASelection) {
  scratch.WriteString(kAdKeyPath, L"banner url", L"http://ads");
  ASSERT_TRUE(test::BringToFront(form.hwnd()));
  test::ClickCenter(Window("Ornabutton1"));
  EXPECT_TRUE(PumpUntil([&] { return AllBoxesAre(1); }));
  test::ClickCenter(Window("Ornabutton2"));
  EXPECT_TRUE(PumpUntil([&] { return AllBoxesAre(0); }));
  EXPECT_EQ(Status(), L"");
  form.Get<CheckBox>("Check1").SetValue(2);
  test::ClickCenter(Window("Ornabutton3"));
  EXPECT_TRUE(PumpUntil([&] { return Status() == kNothingSelectedText; })) << Status();
  EXPECT_EQ(scratch.ReadString(kAdKeyPath, L"banner url"), L"http://ads");
}

// The etched buttons show a solid frame in 0xCC9999 round the caption while they are the
// default button: the focused button, else none while a check box has the focus.
TEST_F(MainWindow, TabbingToAButtonGivesItTheFocusLookAndMovesTheDefaultLook) {
  const auto framed = [&](const char* name) {
    const auto& b = form.Get<platform::UserControlSite>(name).Client<Ornabutton>();
    RECT r;
    GetClientRect(b.hwnd(), &r);
    int n = 0;
    for (int y = 0; y < r.bottom; ++y)
      for (int x = 0; x < r.right; ++x) n += GetPixel(OrnabuttonProbe::Buffer(b), x, y) == RGB(0x99, 0x99, 0xCC);
    return n > 20 ? name : "";
  };
  const auto framedOnes = [&] {
    std::string all;
    for (const char* name : {"Ornabutton1", "Ornabutton2", "Ornabutton3", "Ornabutton4"}) all += framed(name);
    return all;
  };
  ASSERT_TRUE(test::BringToFront(form.hwnd()));
  SetFocus(Window("Check17"));
  EXPECT_EQ(framedOnes(), "");
  const struct {
    const char* to;
    bool shift;
  } steps[] = {{"Ornabutton3", false}, {"Ornabutton2", false}, {"Ornabutton3", true}, {"Check17", true}};
  for (const auto& step : steps) {
    step.shift ? test::PressKey(VK_TAB, {VK_SHIFT}) : test::PressKey(VK_TAB);
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == Window(step.to); })) << step.to;
    EXPECT_EQ(framedOnes(), step.to[0] == 'O' ? step.to : "") << "focus on " << step.to;
  }
}

// The About dialog has the main window's icon; its separator is a grey line over a white one a
// pixel lower, the grey one reaching one pixel further.
TEST_F(MainWindow, TheAboutDialogsSeparatorIsAnEtchedLine) {
  frmAbout about(form);
  about.Show();
  EXPECT_EQ(test::WindowText(about.hwnd()), L"About Velmora");
  EXPECT_NE(SendMessageW(about.hwnd(), WM_GETICON, ICON_SMALL, 0), 0) << "the main window's icon";
  test::ClientPixels px(about.hwnd());
  const int y = Px(2160), x = Px(120), grey = Px(5684), white = Px(5669);
  const COLORREF face = GetSysColor(COLOR_BTNFACE), g = RGB(128, 128, 128), w = RGB(255, 255, 255);
  const std::tuple<int, int, COLORREF> points[] = {
      {x, y, g},           {x, y + 1, w},          {x, y - 1, face},           {x - 1, y, face},
      {x - 1, y + 1, face}, {x, y + 2, face},       {grey - 1, y, g},           {grey, y, face},
      {white - 1, y + 1, w}, {white, y + 1, face}, {grey - 1, y - 1, face}, {white - 1, y + 2, face}};
  for (const auto& [atX, atY, color] : points)
    EXPECT_EQ(px.At(atX, atY), color) << atX << "," << atY;
}

}  // namespace
}  // namespace velmora
