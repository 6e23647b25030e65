// Forms on real windows: layout from the design, standard controls, keyboard navigation,
// default and cancel buttons, painting, modal showing, unloading and the message loop.
#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <tuple>

#include "platform/Colors.h"
#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/Numeric.h"
#include "tests/support/TestSupport.h"

namespace velmora::platform {
namespace {

using test::PumpUntil;

class NavigationForm : public Form {
 public:
  NavigationForm() : Form(L"Navigation") {}
  int loads = 0, unloads = 0;
  std::vector<std::string> clicks;
  std::function<void()> onGo;

 protected:
  void OnLoad() override {
    ++loads;
    Get<CommandButton>("Go").SetOnClick([this] {
      clicks.push_back("Go");
      if (onGo) onGo();
    });
    Get<CommandButton>("Stop").SetOnClick([this] { clicks.push_back("Stop"); });
  }
  void OnUnload() override { ++unloads; }
};

class Forms : public testing::Test {
 protected:
  void ShowInFront() {
    form.Show();
    ASSERT_TRUE(test::BringToFront(form.hwnd()));
  }
  HWND Child(const char* name) { return form.Find(name)->hwnd(); }
  std::string Focused() {
    const Control* c = form.FocusedControl();
    return c ? c->Name() : "(none)";
  }
  int Px(int twips) { return TwipsToPixels(twips, form.Dpi()); }

  NavigationForm form;
};

TEST_F(Forms, WindowAndControlsFollowTheDesign) {
  form.Show();
  HWND hwnd = form.hwnd();
  EXPECT_EQ(test::WindowText(hwnd), L"Navigation");
  RECT client;
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, Px(4500));
  EXPECT_EQ(client.bottom, Px(3000));
  // A fixed dialog shown in the task bar, with its icon in both sizes, in the middle of the screen.
  EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME),
            WS_SYSMENU);
  EXPECT_EQ(GetWindowLongW(hwnd, GWL_EXSTYLE) & (WS_EX_APPWINDOW | WS_EX_DLGMODALFRAME),
            WS_EX_APPWINDOW | WS_EX_DLGMODALFRAME);
  EXPECT_NE(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0), 0);
  EXPECT_TRUE(test::CentredOnWorkArea(hwnd));

  // Controls sit in their containers' client areas at their twips.
  EXPECT_EQ((std::array{GetParent(Child("First")), GetParent(Child("Second")), GetParent(Child("Status"))}),
            (std::array{Child("Box"), hwnd, Child("Bar")}));
  const RECT first = test::RectInParent(Child("First")), second = test::RectInParent(Child("Second"));
  EXPECT_EQ((std::array<LONG, 6>{first.left, first.top, first.right - first.left,
                                 first.bottom - first.top, second.left, second.top}),
            (std::array<LONG, 6>{Px(150), Px(300), Px(1800), Px(300), Px(2700), Px(300)}));
  EXPECT_EQ(test::WindowText(Child("Third")), L"Th&ird");
  EXPECT_EQ((std::array{IsWindowVisible(Child("Hidden")), IsWindowEnabled(Child("Off")),
                        form.Get<CheckBox>("Third").Value(), form.Get<CheckBox>("First").Value(),
                        BOOL{form.Get<CommandButton>("Go").IsDefault()},
                        BOOL{(GetWindowLongW(Child("Go"), GWL_STYLE) & BS_DEFPUSHBUTTON) != 0}}),
            (std::array<BOOL, 6>{FALSE, FALSE, 2, 0, TRUE, TRUE}));
  EXPECT_THROW(form.Get<CheckBox>("Go"), std::logic_error);
  EXPECT_THROW(form.Get<CheckBox>("Nothing"), std::logic_error);
}

// The program sets any of the three values; a click ticks a clear or grey box and clears a
// ticked one.
TEST_F(Forms, CheckBoxesHoldThreeValuesAndClicksTickOrClear) {
  form.Show();
  CheckBox& first = form.Get<CheckBox>("First");
  first.SetValue(1);
  EXPECT_EQ(SendMessageW(first.hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
  first.SetValue(2);
  EXPECT_EQ(SendMessageW(first.hwnd(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  EXPECT_THROW(first.SetValue(3), std::out_of_range);
  EXPECT_THROW(first.SetValue(-1), std::out_of_range);
  for (const int after : {1, 0, 1}) {
    SendMessageW(first.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(first.Value(), after);
  }
}

TEST_F(Forms, TabFollowsTabIndexAcrossContainersAndSkipsWhatCannotTakeFocus) {
  ShowInFront();
  std::vector<std::string> order;
  for (const Control* c : form.TabOrder()) order.push_back(c->Name());
  EXPECT_EQ(order, (std::vector<std::string>{"First", "Second", "Third", "Go", "Stop"}));
  SetFocus(Child("First"));
  const std::pair<bool, const char*> steps[] = {
      {false, "Second"}, {false, "Third"}, {false, "Go"}, {false, "Stop"}, {false, "First"},
      {true, "Stop"}, {true, "Go"}, {true, "Third"}, {true, "Second"}, {true, "First"}};
  for (const auto& [shift, expected] : steps) {
    shift ? test::PressKey(VK_TAB, {VK_SHIFT}) : test::PressKey(VK_TAB);
    const std::string want = expected;
    EXPECT_TRUE(PumpUntil([&] { return Focused() == want; })) << (shift ? "Shift+Tab: " : "Tab: ") << Focused();
  }
}

// Enter reaches the default button and Esc the cancel button; a push button that Tab reaches
// becomes the default button and answers Enter itself. Alt and an access key act on its control.
TEST_F(Forms, DialogKeysReachTheirButtonsAndControls) {
  ShowInFront();
  SetFocus(Child("First"));
  test::PressKey(VK_RETURN);
  EXPECT_TRUE(PumpUntil([&] { return form.clicks.size() == 1; }));
  test::PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return form.clicks.size() == 2; }));
  test::PressKey(VK_TAB, {VK_SHIFT});
  ASSERT_TRUE(PumpUntil([&] { return Focused() == "Stop"; }));
  EXPECT_TRUE(GetWindowLongW(Child("Stop"), GWL_STYLE) & BS_DEFPUSHBUTTON);
  EXPECT_FALSE(GetWindowLongW(Child("Go"), GWL_STYLE) & BS_DEFPUSHBUTTON);
  test::PressKey(VK_RETURN);
  EXPECT_TRUE(PumpUntil([&] { return form.clicks.size() == 3; }));
  EXPECT_EQ(form.clicks, (std::vector<std::string>{"Go", "Stop", "Stop"}));

  test::PressKey('S', {VK_MENU});
  EXPECT_TRUE(PumpUntil([&] { return form.Get<CheckBox>("Second").Value() == 1; }));
  EXPECT_EQ(Focused(), "Second");
  test::PressKey('I', {VK_MENU});
  EXPECT_TRUE(PumpUntil([&] { return form.Get<CheckBox>("Third").Value() == 1; }));
  EXPECT_EQ(form.Get<CheckBox>("First").Value(), 0);
}

// The 2-pixel green line grows downward from its y and leaves out its end point; the thin
// red one is drawn over it. Each is checked at both ends and just past them.
TEST_F(Forms, LinesFrameAndLabelPaintTheirColours) {
  form.Show();
  const COLORREF face = GetSysColor(COLOR_BTNFACE), red = RGB(255, 0, 0), green = RGB(0, 255, 0);
  {
    test::ClientPixels px(form.hwnd());
    const int y = Px(2400), x1 = Px(3000);
    const std::tuple<int, int, COLORREF> points[] = {{x1, y, red},        {x1, y + 1, green},          {x1, y + 2, face},
                  {x1, y - 1, face},   {x1 - 1, y, face},           {x1 - 1, y + 1, face},
                  {Px(4200) - 1, y + 1, green}, {Px(4200), y + 1, face}, {Px(4200), y + 2, face},
                  {Px(4350) - 1, y, red}, {Px(4350), y, face}, {Px(4350) - 1, y - 1, face}};
    for (const auto& [x, y, color] : points)
      EXPECT_EQ(px.At(x, y), color) << x << "," << y;
  }
  {
    // A group border around a face-coloured inside, its caption breaking the top edge, which
    // starts lower, at half the caption.
    test::ClientPixels px(Child("Box"));
    const int w = px.width(), h = px.height();
    bool topEdge = false;
    for (int y = 0; y < h / 3; ++y) topEdge |= px.At(w - 4, y) != face;
    EXPECT_EQ((std::array{px.At(0, h / 2) != face, px.At(w - 1, h / 2) != face,
                          px.At(w / 2, h - 1) != face, px.At(w / 2, h / 2) == face, topEdge,
                          px.At(w - 4, 0) == face}),
              (std::array{true, true, true, true, true, true}));
    // Painted through a small clip box, as a themed check box inside asks for its background,
    // the frame shows there what a whole paint shows: across its border, inside it, under the
    // caption and below it.
    for (const RECT clip :
         {RECT{0, h / 2, 12, h / 2 + 8}, RECT{1, h / 2, 30, h / 2 + 8}, RECT{2, h / 2, 30, h / 2 + 8},
          RECT{w - 30, h / 2, w - 1, h / 2 + 8}, RECT{w / 2, h - 30, w / 2 + 8, h - 2},
          RECT{w / 3, h / 3, w / 2, h / 2}, RECT{8, 0, 40, 24}, RECT{w / 2, 2, w / 2 + 8, h / 2}}) {
      test::ClientPixels part(Child("Box"), &clip);
      int differ = 0;
      for (int y = clip.top; y < clip.bottom; ++y)
        for (int x = clip.left; x < clip.right; ++x) differ += part.At(x, y) != px.At(x, y);
      EXPECT_EQ(differ, 0) << clip.left << "," << clip.top;
    }
  }
  {
    test::ClientPixels px(Child("Status"));
    EXPECT_EQ(px.At(px.width() - 1, px.height() - 1), GetSysColor(COLOR_WINDOW));
    int reds = 0;
    for (int y = 0; y < px.height(); ++y)
      for (int x = 0; x < px.width() / 2; ++x) reds += px.At(x, y) == red;
    EXPECT_GT(reds, 5) << "the caption is drawn in the label's own text colour";
  }
}

// The close box unloads too, and the message loop ends with the last form.
TEST_F(Forms, UnloadDestroysEverythingAndTheNextShowLoadsAfresh) {
  ASSERT_TRUE(Form::LoadedForms().empty());
  form.Show();
  const HWND first = form.hwnd();
  form.Get<CheckBox>("Third").SetValue(0);
  form.Unload();
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(form.unloads, 1);
  EXPECT_EQ(Form::FromWindow(first), nullptr);
  EXPECT_EQ(form.Find("Third"), nullptr);

  form.Show();
  EXPECT_EQ(form.loads, 2);
  EXPECT_EQ(form.Get<CheckBox>("Third").Value(), 2);  // the design's value again
  const HWND second = form.hwnd();
  PostMessageW(second, WM_CLOSE, 0, 0);
  EXPECT_EQ(RunMessageLoop(), 0);
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_FALSE(IsWindow(second));
  EXPECT_EQ(form.unloads, 2);
  EXPECT_TRUE(Form::LoadedForms().empty());
}

// An error a handler throws is shown and the form lives on; a handler may unload its own form.
TEST_F(Forms, HandlersMayFailOrUnloadTheirForm) {
  test::RecordingMessageBoxes boxes;
  form.onGo = [] { throw std::runtime_error("the handler failed"); };
  form.Show();
  SendMessageW(Child("Go"), BM_CLICK, 0, 0);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"the handler failed");
  EXPECT_TRUE(boxes.shown[0].flags & MB_ICONERROR);
  EXPECT_TRUE(form.IsLoaded());
  form.onGo = [this] { form.Unload(); };
  SendMessageW(Child("Go"), BM_CLICK, 0, 0);
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_EQ(form.clicks, (std::vector<std::string>{"Go", "Go"}));
}

const char* const kDialog = R"({
  "name": "Dialog", "caption": "Dialog", "clientWidth": 2400, "clientHeight": 1200,
  "borderStyle": "fixedDialog", "startUpPosition": "centerOwner",
  "controls": [
    {"kind": "commandbutton", "name": "OK", "container": "Dialog", "caption": "OK",
     "left": 600, "top": 600, "width": 1200, "height": 375, "tabIndex": 0,
     "default": true, "cancel": true}]})";

TEST_F(Forms, ShowModalDisablesTheOtherFormsUntilTheDialogIsClosed) {
  ShowInFront();
  Form dialog(ParseFormDesign(kDialog, "Dialog.json"));
  bool ownerEnabled = true, inTaskbar = true, modal = false;
  HWND owner = nullptr;
  POINT dialogCentre{-1, -1}, ownerCentre = test::CenterOnScreen(form.hwnd());
  test::RunFromLoop([&] {
    HWND d = test::FindOwnWindow(L"Dialog");
    if (!d) return false;
    ownerEnabled = IsWindowEnabled(form.hwnd()) != FALSE;
    owner = GetWindow(d, GW_OWNER);
    inTaskbar = (GetWindowLongW(d, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0;
    dialogCentre = test::CenterOnScreen(d);
    modal = dialog.IsModal();
    PostMessageW(d, WM_CLOSE, 0, 0);
    return true;
  });
  dialog.ShowModal();
  EXPECT_TRUE(modal);
  EXPECT_FALSE(ownerEnabled);
  EXPECT_EQ(owner, form.hwnd());
  EXPECT_FALSE(inTaskbar);
  EXPECT_NEAR(dialogCentre.x, ownerCentre.x, 1);
  EXPECT_NEAR(dialogCentre.y, ownerCentre.y, 1);
  EXPECT_FALSE(dialog.IsLoaded());
  EXPECT_FALSE(dialog.IsModal());
  EXPECT_TRUE(IsWindowEnabled(form.hwnd()));
}

TEST_F(Forms, MissingOrBrokenDesignsAreReportedWithTheirPlace) {
  const auto where = [](const wchar_t* design) {
    Form f(design);
    try {
      f.Load();
    } catch (const DesignError& e) {
      EXPECT_FALSE(f.IsLoaded());
      return e.file() + " " + e.control() + " " + e.key();
    }
    return std::string("loaded");
  };
  EXPECT_EQ(where(L"NoSuchDesign"), "NoSuchDesign.json  ");
  EXPECT_EQ(where(L"Broken"), "Broken.json Check1 top");
  EXPECT_TRUE(Form::LoadedForms().empty());
}

TEST_F(Forms, ADpiChangeLaysTheControlsOutAgain) {
  form.Show();
  const auto fontHeight = [&] {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Child("First"), WM_GETFONT, 0, 0)), sizeof lf,
               &lf);
    return lf.lfHeight;
  };
  RECT suggested;
  GetWindowRect(form.hwnd(), &suggested);
  SendMessageW(form.hwnd(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(form.Dpi(), 192);
  const RECT first = test::RectInParent(Child("First"));
  EXPECT_EQ(first.left, 20);                 // 150 twips
  EXPECT_EQ(first.right - first.left, 240);  // 1800 twips
  EXPECT_EQ(fontHeight(), -22);              // 8.25 points
  RECT w;
  GetWindowRect(form.hwnd(), &w);
  EXPECT_EQ(w.left, suggested.left);
  EXPECT_EQ(w.top, suggested.top);
}

}  // namespace
}  // namespace velmora::platform
