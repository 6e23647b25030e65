// Forms on real windows: layout from the design, standard controls, keyboard navigation,
// default and cancel buttons, painting, modal showing, unloading and the message loop.
#include <gtest/gtest.h>

#include <stdexcept>

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

  const auto style = GetWindowLongW(hwnd, GWL_STYLE);
  const auto exStyle = GetWindowLongW(hwnd, GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
  EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
  EXPECT_NE(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0), 0);

  EXPECT_TRUE(test::CentredOnWorkArea(hwnd));

  // Controls sit in their containers' client areas at their twips.
  EXPECT_EQ(GetParent(Child("First")), Child("Box"));
  EXPECT_EQ(GetParent(Child("Second")), hwnd);
  EXPECT_EQ(GetParent(Child("Status")), Child("Bar"));
  const RECT first = test::RectInParent(Child("First"));
  EXPECT_EQ(first.left, Px(150));
  EXPECT_EQ(first.top, Px(300));
  EXPECT_EQ(first.right - first.left, Px(1800));
  EXPECT_EQ(first.bottom - first.top, Px(300));
  const RECT second = test::RectInParent(Child("Second"));
  EXPECT_EQ(second.left, Px(2700));
  EXPECT_EQ(second.top, Px(300));
  EXPECT_EQ(test::WindowText(Child("Third")), L"Th&ird");
  EXPECT_FALSE(IsWindowVisible(Child("Hidden")));
  EXPECT_FALSE(IsWindowEnabled(Child("Off")));
  EXPECT_EQ(form.Get<CheckBox>("Third").Value(), 2);
  EXPECT_EQ(form.Get<CheckBox>("First").Value(), 0);
  EXPECT_TRUE(form.Get<CommandButton>("Go").IsDefault());
  EXPECT_TRUE(GetWindowLongW(Child("Go"), GWL_STYLE) & BS_DEFPUSHBUTTON);
  EXPECT_THROW(form.Get<CheckBox>("Go"), std::logic_error);
  EXPECT_THROW(form.Get<CheckBox>("Nothing"), std::logic_error);
}

TEST_F(Forms, CheckBoxesHoldThreeValuesAndClicksTickOrClear) {
  form.Show();
  CheckBox& first = form.Get<CheckBox>("First");
  first.SetValue(1);
  EXPECT_EQ(SendMessageW(first.hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
  first.SetValue(2);
  EXPECT_EQ(SendMessageW(first.hwnd(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  EXPECT_THROW(first.SetValue(3), std::out_of_range);
  EXPECT_THROW(first.SetValue(-1), std::out_of_range);
  EXPECT_EQ(first.Value(), 2);

  SendMessageW(first.hwnd(), BM_CLICK, 0, 0);  // grey -> ticked
  EXPECT_EQ(first.Value(), 1);
  SendMessageW(first.hwnd(), BM_CLICK, 0, 0);  // ticked -> clear
  EXPECT_EQ(first.Value(), 0);
  SendMessageW(first.hwnd(), BM_CLICK, 0, 0);  // clear -> ticked
  EXPECT_EQ(first.Value(), 1);
}

TEST_F(Forms, RealMouseClickTicksABox) {
  ShowInFront();
  const CheckBox& second = form.Get<CheckBox>("Second");
  test::ClickCenter(second.hwnd());
  EXPECT_TRUE(PumpUntil([&] { return second.Value() == 1; }));
  test::ClickCenter(second.hwnd());
  EXPECT_TRUE(PumpUntil([&] { return second.Value() == 0; }));
}

TEST_F(Forms, TabFollowsTabIndexAcrossContainersAndSkipsWhatCannotTakeFocus) {
  ShowInFront();
  std::vector<std::string> order;
  for (const Control* c : form.TabOrder()) order.push_back(c->Name());
  EXPECT_EQ(order, (std::vector<std::string>{"First", "Second", "Third", "Go", "Stop"}));

  SetFocus(Child("First"));
  const std::vector<std::string> forward{"Second", "Third", "Go", "Stop", "First"};
  for (const std::string& expected : forward) {
    test::PressKey(VK_TAB);
    EXPECT_TRUE(PumpUntil([&] { return Focused() == expected; })) << "after Tab: " << Focused();
  }
  const std::vector<std::string> backward{"Stop", "Go", "Third", "Second", "First"};
  for (const std::string& expected : backward) {
    test::PressKey(VK_TAB, {VK_SHIFT});
    EXPECT_TRUE(PumpUntil([&] { return Focused() == expected; })) << "after Shift+Tab: " << Focused();
  }
}

TEST_F(Forms, EnterReachesTheDefaultButtonAndEscTheCancelButton) {
  ShowInFront();
  SetFocus(Child("First"));
  test::PressKey(VK_RETURN);
  EXPECT_TRUE(PumpUntil([&] { return form.clicks.size() == 1; }));
  test::PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return form.clicks.size() == 2; }));
  EXPECT_EQ(form.clicks, (std::vector<std::string>{"Go", "Stop"}));
  // A push button that Tab reaches becomes the default button and answers Enter itself.
  test::PressKey(VK_TAB, {VK_SHIFT});
  ASSERT_TRUE(PumpUntil([&] { return Focused() == "Stop"; }));
  EXPECT_TRUE(GetWindowLongW(Child("Stop"), GWL_STYLE) & BS_DEFPUSHBUTTON);
  EXPECT_FALSE(GetWindowLongW(Child("Go"), GWL_STYLE) & BS_DEFPUSHBUTTON);
  test::PressKey(VK_RETURN);
  EXPECT_TRUE(PumpUntil([&] { return form.clicks.size() == 3; }));
  EXPECT_EQ(form.clicks.back(), "Stop");
  EXPECT_EQ(form.Get<CheckBox>("First").Value(), 0);
}

TEST_F(Forms, AccessKeysActOnTheirControls) {
  ShowInFront();
  SetFocus(Child("First"));
  test::PressKey('S', {VK_MENU});
  EXPECT_TRUE(PumpUntil([&] { return form.Get<CheckBox>("Second").Value() == 1; }));
  EXPECT_EQ(Focused(), "Second");
  test::PressKey('I', {VK_MENU});
  EXPECT_TRUE(PumpUntil([&] { return form.Get<CheckBox>("Third").Value() == 1; }));
  EXPECT_EQ(form.Get<CheckBox>("First").Value(), 0);
}

TEST_F(Forms, LinesFrameAndLabelPaintTheirColours) {
  form.Show();
  {
    // The 2-pixel green line grows downward from its y; the thin red one is drawn over it.
    test::ClientPixels px(form.hwnd());
    const int y = Px(2400), x1 = Px(3000);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(px.At(x1, y), RGB(255, 0, 0));
    EXPECT_EQ(px.At(x1, y + 1), RGB(0, 255, 0));
    EXPECT_EQ(px.At(x1, y + 2), face);
    EXPECT_EQ(px.At(x1, y - 1), face);
    EXPECT_EQ(px.At(Px(4200) - 1, y + 1), RGB(0, 255, 0));
    EXPECT_EQ(px.At(Px(4200), y + 1), face);  // the end point is not drawn
    EXPECT_EQ(px.At(Px(4350) - 1, y), RGB(255, 0, 0));
    EXPECT_EQ(px.At(Px(4350), y), face);
  }
  {
    // A group border around a face-coloured inside, its caption breaking the top edge.
    test::ClientPixels px(Child("Box"));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_NE(px.At(0, px.height() / 2), face);
    EXPECT_NE(px.At(px.width() - 1, px.height() / 2), face);
    EXPECT_NE(px.At(px.width() / 2, px.height() - 1), face);
    EXPECT_EQ(px.At(px.width() / 2, px.height() / 2), face);
    bool topEdge = false;  // right of the caption, somewhere in the top third
    for (int y = 0; y < px.height() / 3; ++y) topEdge |= px.At(px.width() - 4, y) != face;
    EXPECT_TRUE(topEdge);
    EXPECT_EQ(px.At(px.width() - 4, 0), face);  // the edge starts lower, at half the caption
  }
  {
    test::ClientPixels px(Child("Status"));
    EXPECT_EQ(px.At(px.width() - 1, px.height() - 1), GetSysColor(COLOR_WINDOW));
    int red = 0;
    for (int y = 0; y < px.height(); ++y)
      for (int x = 0; x < px.width() / 2; ++x) red += px.At(x, y) == RGB(255, 0, 0);
    EXPECT_GT(red, 5) << "the caption is drawn in the label's own text colour";
  }
}

TEST_F(Forms, UnloadDestroysEverythingAndTheNextShowLoadsAfresh) {
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

  // The close box unloads too.
  const HWND second = form.hwnd();
  SendMessageW(second, WM_CLOSE, 0, 0);
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_FALSE(IsWindow(second));
  EXPECT_EQ(form.unloads, 2);
}

TEST_F(Forms, AHandlerMayUnloadItsOwnForm) {
  form.Show();
  form.onGo = [this] { form.Unload(); };
  SendMessageW(Child("Go"), BM_CLICK, 0, 0);
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_EQ(form.clicks, std::vector<std::string>{"Go"});
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
  bool ownerEnabled = true, inTaskbar = true, seen = false;
  HWND owner = nullptr;
  POINT dialogCentre{}, ownerCentre = test::CenterOnScreen(form.hwnd());
  test::RunFromLoop([&] {
    HWND d = test::FindOwnWindow(L"Dialog");
    if (!d) return false;
    seen = true;
    ownerEnabled = IsWindowEnabled(form.hwnd()) != FALSE;
    owner = GetWindow(d, GW_OWNER);
    inTaskbar = (GetWindowLongW(d, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0;
    dialogCentre = test::CenterOnScreen(d);
    EXPECT_TRUE(dialog.IsModal());
    PostMessageW(d, WM_CLOSE, 0, 0);
    return true;
  });
  dialog.ShowModal();
  EXPECT_TRUE(seen);
  EXPECT_FALSE(ownerEnabled);
  EXPECT_EQ(owner, form.hwnd());
  EXPECT_FALSE(inTaskbar);
  EXPECT_NEAR(dialogCentre.x, ownerCentre.x, 1);
  EXPECT_NEAR(dialogCentre.y, ownerCentre.y, 1);
  EXPECT_FALSE(dialog.IsLoaded());
  EXPECT_FALSE(dialog.IsModal());
  EXPECT_TRUE(IsWindowEnabled(form.hwnd()));
}

TEST_F(Forms, TheMessageLoopEndsWhenTheLastFormCloses) {
  ASSERT_TRUE(Form::LoadedForms().empty());
  form.Show();
  PostMessageW(form.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(RunMessageLoop(), 0);
  EXPECT_TRUE(Form::LoadedForms().empty());
}

TEST_F(Forms, MissingOrBrokenDesignsAreReportedWithTheirPlace) {
  Form missing(L"NoSuchDesign");
  try {
    missing.Load();
    FAIL() << "a missing design loaded";
  } catch (const DesignError& e) {
    EXPECT_EQ(e.file(), "NoSuchDesign.json");
  }
  Form broken(L"Broken");
  try {
    broken.Load();
    FAIL() << "a broken design loaded";
  } catch (const DesignError& e) {
    EXPECT_EQ(e.file(), "Broken.json");
    EXPECT_EQ(e.control(), "Check1");
    EXPECT_EQ(e.key(), "top");
  }
  EXPECT_FALSE(broken.IsLoaded());
  EXPECT_TRUE(Form::LoadedForms().empty());
}

TEST_F(Forms, AnErrorInAHandlerIsShownAndTheFormLivesOn) {
  test::RecordingMessageBoxes boxes;
  form.onGo = [] { throw std::runtime_error("the handler failed"); };
  form.Show();
  SendMessageW(Child("Go"), BM_CLICK, 0, 0);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"the handler failed");
  EXPECT_TRUE(boxes.shown[0].flags & MB_ICONERROR);
  EXPECT_TRUE(form.IsLoaded());
}

TEST_F(Forms, ADpiChangeLaysTheControlsOutAgain) {
  form.Show();
  const auto fontHeight = [&] {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Child("First"), WM_GETFONT, 0, 0)), sizeof lf,
               &lf);
    return lf.lfHeight;
  };
  const LONG before = fontHeight();
  RECT suggested;
  GetWindowRect(form.hwnd(), &suggested);
  SendMessageW(form.hwnd(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(form.Dpi(), 192);
  const RECT first = test::RectInParent(Child("First"));
  EXPECT_EQ(first.left, TwipsToPixels(150, 192));
  EXPECT_EQ(first.right - first.left, TwipsToPixels(1800, 192));
  EXPECT_EQ(fontHeight(), -nint(8.25 * 192 / 72.0));
  EXPECT_LT(fontHeight(), before);  // larger: heights are negative character heights
  RECT w;
  GetWindowRect(form.hwnd(), &w);
  EXPECT_EQ(w.left, suggested.left);
  EXPECT_EQ(w.top, suggested.top);
}

}  // namespace
}  // namespace velmora::platform
