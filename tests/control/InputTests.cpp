// The button's behaviour under real input on real windows: hover tracking, presses and
// clicks in every mode, double clicks, keys, access keys, focus, option groups, drops.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

#include "control/HoverTimer.h"
#include "tests/support/ButtonHost.h"

namespace velmora {
namespace {

using test::PumpUntil;

// Writes down every event, with its arguments.
class Recorder : public OrnabuttonEvents {
 public:
  std::vector<std::string> log;
  int16_t swallowKey = 0;  // a KeyDown of this key is set to 0
  int32_t dropEffect = 0;

  void MouseDown(int16_t& b, int16_t&, float&, float&) override { Add("MouseDown", b); }
  void MouseUp(int16_t& b, int16_t&, float&, float&) override { Add("MouseUp", b); }
  void KeyDown(int16_t& k, int16_t&) override {
    Add("KeyDown", k);
    if (k == swallowKey) k = 0;
  }
  void KeyPress(int16_t& k) override { Add("KeyPress", k); }
  void KeyUp(int16_t& k, int16_t&) override { Add("KeyUp", k); }
  void MouseOnButton(bool& on) override { log.push_back(on ? "On" : "Off"); }
  void Click() override { log.push_back("Click"); }
  void DoubleClick(int16_t& b) override { Add("DoubleClick", b); }
  void OLEDragOver(platform::DataObject& d, int32_t& effect, int16_t&, int16_t&, float&, float&,
                   int16_t& state) override {
    Add(d.object ? "DragOver" : "DragOver(no data)", state);
    effect = dropEffect;
  }
  void OLEDragDrop(platform::DataObject&, int32_t& effect, int16_t&, int16_t&, float& x,
                   float& y) override {
    log.push_back("Drop at " + std::to_string(static_cast<int>(x)) + "," +
                  std::to_string(static_cast<int>(y)));
    effect = dropEffect;
  }
  size_t Count(const std::string& entry) const {
    return static_cast<size_t>(std::count(log.begin(), log.end(), entry));
  }
  bool Has(const std::string& entry) const { return Count(entry) > 0; }

 private:
  void Add(const char* name, int value) { log.push_back(std::string(name) + "(" + std::to_string(value) + ")"); }
};

class Input : public test::ButtonHost {
 protected:
  Ornabutton& Button(const std::string& name = "Ornabutton1", int32_t mode = 0) {
    Ornabutton& b = New(name);
    b.SetMode(mode);
    b.SetEvents(&events);
    return b;
  }
  HWND Window(const Ornabutton& b) { return b.hwnd(); }

  Recorder events;
};

TEST_F(Input, HoverStartsOnTheFirstMoveAndEndsByTheTimerAlone) {
  Ornabutton& b = Button();
  Front();
  test::MoveMouse(test::CenterOnScreen(b.hwnd()));
  ASSERT_TRUE(PumpUntil([&] { return events.Has("On"); }));
  EXPECT_TRUE(b.State().Hovering);
  EXPECT_TRUE(b.State().StateFlags & MouseOver);
  EXPECT_EQ(reinterpret_cast<Ornabutton*>(GetPropA(b.hwnd(), kHoverClassProperty)), &b);
  EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropA(b.hwnd(), kHoverTimerProperty)), kHoverTimerId);
  POINT p = test::CenterOnScreen(b.hwnd());
  p.x += 3;
  test::MoveMouse(p);  // more moves while hovering raise MouseMove only
  test::MoveMouse(Away());
  ASSERT_TRUE(PumpUntil([&] { return events.Has("Off"); }));
  EXPECT_FALSE(b.State().Hovering);
  EXPECT_FALSE(b.State().StateFlags & MouseOver);
  EXPECT_EQ(events.Count("On"), 1u);
  EXPECT_EQ(events.Count("Off"), 1u);
}

TEST_F(Input, AClickTogglesACheckBoxAndARightClickDoesNot) {
  Ornabutton& b = Button("Check", 1);
  Front();
  test::ClickCenter(b.hwnd());
  ASSERT_TRUE(PumpUntil([&] { return events.Has("Click"); }));
  EXPECT_TRUE(b.Value());
  EXPECT_EQ(events.log, (std::vector<std::string>{"On", "MouseDown(1)", "MouseUp(1)", "Click"}));
  events.log.clear();
  test::Click(test::CenterOnScreen(b.hwnd()), /*right=*/true);
  ASSERT_TRUE(PumpUntil([&] { return events.Has("MouseUp(2)"); }));
  test::ClickCenter(b.hwnd());
  ASSERT_TRUE(PumpUntil([&] { return events.Has("Click"); }));
  EXPECT_EQ(events.log, (std::vector<std::string>{"MouseDown(2)", "MouseUp(2)", "MouseDown(1)",
                                                  "MouseUp(1)", "Click"}));
  EXPECT_FALSE(b.Value());
}

TEST_F(Input, ReleasingOutsideIsNoClickAndComingBackIsOne) {
  Ornabutton& b = Button("Check", 1);
  Front();
  test::MoveMouse(test::CenterOnScreen(b.hwnd()));
  test::MouseButton(true);
  ASSERT_TRUE(PumpUntil([&] { return events.Has("MouseDown(1)"); }));
  EXPECT_TRUE(b.State().PressHeld);
  test::MoveMouse(Away());
  ASSERT_TRUE(PumpUntil([&] { return events.Has("Off"); }));
  EXPECT_TRUE(b.State().StateFlags & ButtonDown) << "pressed outside";
  EXPECT_FALSE(b.State().PressHeld);
  test::MouseButton(false);
  ASSERT_TRUE(PumpUntil([&] { return events.Has("MouseUp(1)"); }));
  EXPECT_FALSE(events.Has("Click"));
  EXPECT_FALSE(b.Value());

  events.log.clear();
  // Pressed a few pixels from the first press, so that it does not count as a double click.
  POINT beside = test::CenterOnScreen(b.hwnd());
  beside.x += 2 * GetSystemMetrics(SM_CXDOUBLECLK);
  test::MoveMouse(beside);
  test::MouseButton(true);
  ASSERT_TRUE(PumpUntil([&] { return events.Has("MouseDown(1)"); }));
  test::MoveMouse(Away());
  ASSERT_TRUE(PumpUntil([&] { return events.Has("Off"); }));
  test::MoveMouse(test::CenterOnScreen(b.hwnd()));
  ASSERT_TRUE(PumpUntil([&] { return events.Count("On") == 2; }));
  EXPECT_TRUE(b.State().PressHeld) << "pressed inside again";
  test::MouseButton(false);
  ASSERT_TRUE(PumpUntil([&] { return events.Has("Click"); })) << testing::PrintToString(events.log);
  EXPECT_TRUE(b.Value());
}

TEST_F(Input, ADoubleClickIsOneClickAndOneDoubleClick) {
  Ornabutton& b = Button();
  Front();
  test::MoveMouse(test::CenterOnScreen(b.hwnd()));
  ASSERT_TRUE(PumpUntil([&] { return events.Has("On"); }));
  events.log.clear();
  test::MouseButton(true);
  test::MouseButton(false);
  test::MouseButton(true);
  test::MouseButton(false);
  ASSERT_TRUE(PumpUntil([&] { return events.Count("MouseUp(1)") == 2; }));
  EXPECT_EQ(events.log, (std::vector<std::string>{"MouseDown(1)", "MouseUp(1)", "Click",
                                                  "DoubleClick(1)", "MouseDown(1)", "MouseUp(1)"}));
  // In check-box mode the double click toggles once.
  events.log.clear();
  b.SetMode(1);
  POINT beside = test::CenterOnScreen(b.hwnd());
  beside.x += 2 * GetSystemMetrics(SM_CXDOUBLECLK);  // a new click, not a third one
  test::MoveMouse(beside);
  test::MouseButton(true);
  test::MouseButton(false);
  test::MouseButton(true);
  test::MouseButton(false);
  ASSERT_TRUE(PumpUntil([&] { return events.Count("MouseUp(1)") == 2; }));
  EXPECT_TRUE(b.Value());
  EXPECT_EQ(events.Count("Click"), 1u);
}

TEST_F(Input, SpacePressesAndReleasesInEveryMode) {
  test::MoveMouse(Away());
  for (int mode = 0; mode <= 2; ++mode) {
    Ornabutton& b = Button("Space" + std::to_string(mode), mode);
    Front();
    SetFocus(b.hwnd());
    events.log.clear();
    test::Key(VK_SPACE, true);
    ASSERT_TRUE(PumpUntil([&] { return events.Has("KeyDown(32)"); })) << mode;
    EXPECT_TRUE(b.State().StateFlags & ButtonDown) << mode;
    EXPECT_FALSE(b.State().StateFlags & MouseOver) << "only for the pressed look";
    test::Key(VK_SPACE, true);  // auto-repeat
    test::Key(VK_SPACE, false);
    ASSERT_TRUE(PumpUntil([&] { return events.Has("KeyUp(32)"); })) << mode;
    // An option button selected itself when it got the focus, so its Space raises no Click.
    const std::vector<std::string> expected =
        mode == 0   ? std::vector<std::string>{"KeyDown(32)", "KeyDown(32)", "Click", "KeyUp(32)"}
        : mode == 1 ? std::vector<std::string>{"KeyDown(32)", "KeyDown(32)", "KeyUp(32)", "Click"}
                    : std::vector<std::string>{"KeyDown(32)", "KeyDown(32)", "KeyUp(32)"};
    const auto withoutPresses = [&] {
      std::vector<std::string> v;
      for (const auto& e : events.log)
        if (e.rfind("KeyPress", 0) != 0) v.push_back(e);
      return v;
    }();
    EXPECT_EQ(withoutPresses, expected) << mode;
    EXPECT_FALSE(b.State().StateFlags & ButtonDown);
    if (mode > 0) {
      EXPECT_TRUE(b.Value()) << mode;
    }
  }
}

TEST_F(Input, SpaceTappedWhileTheMouseHoldsTheButtonAddsNoClick) {
  Ornabutton& b = Button();
  Front();
  test::MoveMouse(test::CenterOnScreen(b.hwnd()));
  test::MouseButton(true);
  ASSERT_TRUE(PumpUntil([&] { return events.Has("MouseDown(1)") && GetFocus() == b.hwnd(); }));
  test::Key(VK_SPACE, true);
  test::Key(VK_SPACE, false);
  ASSERT_TRUE(PumpUntil([&] { return events.Has("KeyUp(32)"); }));
  test::MouseButton(false);
  ASSERT_TRUE(PumpUntil([&] { return events.Has("MouseUp(1)"); }));
  EXPECT_EQ(events.Count("Click"), 1u) << testing::PrintToString(events.log);
}

TEST_F(Input, AReleaseThatChangesNoValueStillTakesThePressedLookAway) {
  // Left clicks (0: a Space tap instead) on buttons of style 2, which shows a hot face under
  // the pointer and a pressed one while held.
  const struct {
    int mode;
    bool value;
    size_t clicks;
  } cases[] = {{2, true, 1}, {2, true, 0}, {1, false, 2}, {2, false, 2}};
  const auto shown = [](HWND hwnd) {
    test::ClientPixels px(hwnd);
    std::vector<COLORREF> v;
    for (int y = 0; y < px.height(); ++y)
      for (int x = 0; x < px.width(); ++x) v.push_back(px.At(x, y));
    return v;
  };
  for (const auto& c : cases) {
    const std::string what = "case " + std::to_string(&c - cases);
    Ornabutton& b = Button(what, c.mode);
    b.SetButtonStyle(2);
    b.SetValue(c.value);
    Front();
    SetFocus(b.hwnd());
    test::MoveMouse(test::CenterOnScreen(b.hwnd()));
    ASSERT_TRUE(PumpUntil([&] { return b.State().Hovering; })) << what;
    events.log.clear();
    for (size_t i = 0; i < std::max<size_t>(c.clicks, 1); ++i) {
      c.clicks ? test::MouseButton(true) : test::Key(VK_SPACE, true);
      c.clicks ? test::MouseButton(false) : test::Key(VK_SPACE, false);
    }
    ASSERT_TRUE(PumpUntil([&] {
      return c.clicks ? events.Count("MouseUp(1)") == c.clicks : events.Has("KeyUp(32)");
    })) << what;
    const std::vector<COLORREF> released = shown(b.hwnd());
    b.Refresh();
    EXPECT_TRUE(released == shown(b.hwnd())) << what << ": the pressed look stayed";
  }
}

TEST_F(Input, KeysReachTheHandlersWhichMaySwallowThem) {
  Ornabutton& b = Button();
  Front();
  SetFocus(b.hwnd());
  test::PressKey('A');
  ASSERT_TRUE(PumpUntil([&] { return events.Has("KeyUp(65)"); }));
  EXPECT_TRUE(events.Has("KeyDown(65)"));
  EXPECT_TRUE(events.Has("KeyPress(97)"));
  // Shift's release is no KeyUp; arrows are neither KeyDown nor KeyUp.
  events.log.clear();
  test::PressKey(VK_SHIFT);
  test::PressKey(VK_F5);
  ASSERT_TRUE(PumpUntil([&] { return events.Has("KeyUp(116)"); }));
  EXPECT_TRUE(events.Has("KeyDown(16)"));
  EXPECT_FALSE(events.Has("KeyUp(16)"));
}

TEST_F(Input, ArrowsGoToTheContainerAndSelectAnOptionButton) {
  Ornabutton& a = Button("A", 2);
  Ornabutton& c = Button("C", 2);
  Front();
  SetFocus(a.hwnd());
  ASSERT_TRUE(PumpUntil([&] { return a.Value(); })) << "focus selects the first option";
  events.log.clear();
  test::PressKey(VK_RIGHT);
  // The frame moves the focus on to the next button, whose release of the key selects it.
  ASSERT_TRUE(PumpUntil([&] { return c.Value(); }));
  EXPECT_FALSE(a.Value());
  EXPECT_EQ(GetFocus(), c.hwnd());
  for (const auto& e : events.log) {
    EXPECT_NE(e, "KeyDown(39)");
    EXPECT_NE(e, "KeyUp(39)");
  }
}

TEST_F(Input, OptionButtonsOfOneContainerExcludeEachOther) {
  Ornabutton& a = Button("A", 2);
  Ornabutton& b = Button("B", 2);
  Ornabutton& c = Button("C", 2);
  HWND box = form.Find("Box")->hwnd();
  EXPECT_EQ(reinterpret_cast<intptr_t>(GetPropA(box, "orn_OptCount")), 3);
  EXPECT_EQ(GetPropA(box, "orn_Obj1"), &a);
  EXPECT_EQ(GetPropA(box, "orn_Obj2"), &b);
  EXPECT_EQ(GetPropA(box, "orn_Obj3"), &c);
  Front();
  test::ClickCenter(b.hwnd());
  ASSERT_TRUE(PumpUntil([&] { return events.Has("Click"); }));
  EXPECT_TRUE(b.Value());
  c.SetValue(true);
  EXPECT_FALSE(b.Value());
  EXPECT_FALSE(a.Value());
  // Clicking the selected one raises nothing.
  events.log.clear();
  test::ClickCenter(c.hwnd());
  ASSERT_TRUE(PumpUntil([&] { return events.Has("MouseUp(1)"); }));
  EXPECT_FALSE(events.Has("Click"));
  EXPECT_TRUE(c.Value());

  // B leaves: the later entries move down.
  b.SetMode(0);
  EXPECT_EQ(reinterpret_cast<intptr_t>(GetPropA(box, "orn_OptCount")), 2);
  EXPECT_EQ(GetPropA(box, "orn_Obj1"), &a);
  EXPECT_EQ(GetPropA(box, "orn_Obj2"), &c);
  EXPECT_EQ(GetPropA(box, "orn_Obj3"), nullptr);
  a.SetMode(1);
  c.SetMode(1);
  EXPECT_EQ(GetPropA(box, "orn_OptCount"), nullptr);
  EXPECT_EQ(GetPropA(box, "orn_Obj1"), nullptr);
}

TEST_F(Input, ADestroyedOptionButtonLeavesItsGroup) {
  Ornabutton& a = Button("A", 2);
  Ornabutton& b = Button("B", 2);
  Ornabutton& c = Button("C", 2);
  const HWND box = form.Find("Box")->hwnd();
  b.SetValue(true);
  for (const char* name : {"A", "C"}) form.Get<platform::UserControlSite>(name).ClearChangedKeys();
  DestroyWindow(b.hwnd());
  EXPECT_FALSE(Ornabutton::IsLive(&b));
  for (const char* name : {"A", "C"})
    EXPECT_EQ(form.Get<platform::UserControlSite>(name).ChangedKeys(), std::vector<std::string>{})
        << name << " kept its Value";
  EXPECT_EQ(reinterpret_cast<intptr_t>(GetPropA(box, "orn_OptCount")), 2);
  EXPECT_EQ(GetPropA(box, "orn_Obj1"), &a);
  EXPECT_EQ(GetPropA(box, "orn_Obj2"), &c);
  Front();
  test::ClickCenter(c.hwnd());
  ASSERT_TRUE(PumpUntil([&] { return c.Value(); }));
  a.SetValue(true);
  EXPECT_FALSE(c.Value());
}

TEST_F(Input, AStoredOptionButtonJoinsItsGroupWhileLoading) {
  std::string text = test::kButtonHostDesign;
  text.replace(text.rfind("]}"), 2,
               R"(, {"kind": "usercontrol", "class": "Tessorin.Ornabutton", "name": "Opt",
                  "container": "Box", "left": 240, "top": 240, "width": 1455, "height": 375,
                  "tabIndex": 1, "properties": {"Mode": 2, "Value": true}}]})");
  platform::Form stored(platform::ParseFormDesign(text, "Stored.json"));
  stored.Show();
  const HWND box = stored.Find("Box")->hwnd();
  auto& opt = stored.Get<platform::UserControlSite>("Opt").Client<Ornabutton>();
  EXPECT_EQ(reinterpret_cast<intptr_t>(GetPropA(box, "orn_OptCount")), 1);
  EXPECT_EQ(GetPropA(box, "orn_Obj1"), &opt);
}

TEST_F(Input, FocusSelectsAnOptionButtonOnlyInAGroupWithoutSelection) {
  Ornabutton& a = Button("A", 2);
  Ornabutton& b = Button("B", 2);
  Front();
  SetFocus(b.hwnd());
  ASSERT_TRUE(PumpUntil([&] { return b.Value(); }));
  EXPECT_EQ(events.Count("Click"), 1u);
  SetFocus(a.hwnd());
  PumpUntil([&] { return GetFocus() == a.hwnd(); });
  EXPECT_FALSE(a.Value()) << "the group has a selection already";
  EXPECT_TRUE(b.Value());
}

TEST_F(Input, EnterAndEscDoNothingOnCheckAndOptionButtons) {
  Ornabutton& check = Button("Check", 1);
  Ornabutton& option = Button("Option", 2);
  for (wchar_t key : {L'\r', L'\x1b'}) {
    form.Get<platform::UserControlSite>("Check").DeliverAccessKey(key);
    form.Get<platform::UserControlSite>("Option").DeliverAccessKey(key);
  }
  EXPECT_FALSE(check.Value());
  EXPECT_FALSE(option.Value());
  EXPECT_FALSE(events.Has("Click"));
  Ornabutton& command = Button("Command", 0);
  form.Get<platform::UserControlSite>("Command").DeliverAccessKey(L'\r');
  EXPECT_EQ(events.Count("Click"), 1u);
  (void)command;
}

TEST_F(Input, AnAccessKeyFocusesAndClicksItsButton) {
  Ornabutton& other = Button("Other", 1);
  Ornabutton& go = Button("Go", 1);
  go.SetCaption(L"&Go");
  Front();
  SetFocus(other.hwnd());
  test::PressKey('G', {VK_MENU});
  ASSERT_TRUE(PumpUntil([&] { return go.Value(); }));
  EXPECT_EQ(GetFocus(), go.hwnd());
  EXPECT_FALSE(other.Value());
  // A control that takes no text lets a plain letter act as an access key too.
  test::PressKey('G');
  ASSERT_TRUE(PumpUntil([&] { return !go.Value(); }));
}

TEST_F(Input, ACaptionTakesNoOtherControlsKeyAndNoBlank) {
  // Caption, key, and whether the focus is on the button (where the dialog manager looks
  // first) or on the check box "&Other", which is to get the key either way.
  const struct {
    const char* caption;
    WORD key;
    bool focusOnButton;
  } cases[] = {{"&Open & &Save", 'O', true}, {"Salt && Pepper", VK_SPACE, false}};
  for (const auto& c : cases) {
    platform::FormDesign design =
        test::HostWithButton(std::string(R"({"Caption": ")") + c.caption + "\"}");
    platform::ControlDesign other = design.controls.back();  // below the button
    other.kind = platform::ControlKind::CheckBox, other.name = "Other", other.caption = "&Other";
    other.top += 720, other.tabIndex = 2;
    design.controls.push_back(other);
    platform::Form stored(design);
    stored.Show();
    ASSERT_TRUE(test::BringToFront(stored.hwnd()));
    auto& button = stored.Get<platform::UserControlSite>("Ornabutton1");
    button.Client<Ornabutton>().SetEvents(&events);
    SetFocus(c.focusOnButton ? button.hwnd() : stored.Find("Other")->hwnd());
    test::PressKey(c.key, c.focusOnButton ? std::initializer_list<WORD>{VK_MENU}
                                          : std::initializer_list<WORD>{});
    EXPECT_TRUE(PumpUntil([&] { return stored.Get<platform::CheckBox>("Other").Value() == 1; }))
        << c.caption;
    EXPECT_FALSE(events.Has("Click")) << c.caption;
  }
}

TEST_F(Input, TheFocusedButtonShowsTheDefaultLook) {
  Ornabutton& a = Button("A");
  Ornabutton& b = Button("B");
  Front();
  SetFocus(a.hwnd());
  ASSERT_TRUE(PumpUntil([&] { return (a.State().StateFlags & Default) != 0; }));
  EXPECT_TRUE(form.Get<platform::UserControlSite>("A").Surface().Ambient().DisplayAsDefault);
  test::PressKey(VK_TAB);
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == b.hwnd(); }));
  EXPECT_TRUE(b.State().StateFlags & Default);
  EXPECT_FALSE(a.State().StateFlags & Default);
  // Without ShowFocusRect a running button never takes the default look.
  b.SetShowFocusRect(false);
  SetFocus(a.hwnd());
  SetFocus(b.hwnd());
  EXPECT_FALSE(b.State().StateFlags & Default);
}

TEST_F(Input, OnlyTheLeftButtonTakesTheFocus) {
  Ornabutton& a = Button("A");
  Ornabutton& b = Button("B");
  Front();
  SetFocus(a.hwnd());
  const struct {
    UINT down, up;
    HWND focus;
  } presses[] = {{WM_RBUTTONDOWN, WM_RBUTTONUP, a.hwnd()},
                 {WM_MBUTTONDOWN, WM_MBUTTONUP, a.hwnd()},
                 {WM_LBUTTONDOWN, WM_LBUTTONUP, b.hwnd()}};
  for (const auto& p : presses) {
    SendMessageW(b.hwnd(), p.down, 0, MAKELPARAM(5, 5));
    SendMessageW(b.hwnd(), p.up, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(GetFocus(), p.focus) << std::hex << p.down;
  }
  for (const char* e : {"MouseDown(2)", "MouseUp(2)", "MouseDown(4)", "MouseUp(4)"})
    EXPECT_TRUE(events.Has(e)) << e;
}

TEST_F(Input, NoTimerTickReachesAControlThatIsGone) {
  Ornabutton& b = Button();
  Front();
  test::MoveMouse(test::CenterOnScreen(b.hwnd()));
  ASSERT_TRUE(PumpUntil([&] { return b.State().Hovering; }));
  const HWND hwnd = b.hwnd();
  DestroyWindow(hwnd);
  EXPECT_FALSE(Ornabutton::IsLive(&b));
  test::MoveMouse(Away());
  PumpUntil([] { return false; }, std::chrono::milliseconds(200));
  EXPECT_FALSE(events.Has("Off")) << "the control is gone; nothing is raised";

  // A tick for a window whose property names no live control only stops that timer.
  HWND stray = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  SetPropA(stray, kHoverClassProperty, reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x12345678)));
  SetPropA(stray, kHoverTimerProperty, reinterpret_cast<HANDLE>(kHoverTimerId));
  SetTimer(stray, kHoverTimerId, 10, &HoverTimerProc);
  PumpUntil([] { return false; }, std::chrono::milliseconds(100));
  EXPECT_FALSE(KillTimer(stray, kHoverTimerId)) << "the tick stopped its timer";
  DestroyWindow(stray);
}

// A data object that offers nothing: enough to be dragged.
class EmptyData final : public IDataObject {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    *out = (riid == IID_IUnknown || riid == IID_IDataObject) ? this : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return DV_E_FORMATETC; }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
};

TEST_F(Input, DropsReachTheControlAndAreRefusedUnlessItChoosesAnEffect) {
  Ornabutton& b = Button();
  IDropTarget* target = form.Get<platform::UserControlSite>("Ornabutton1").DropTarget();
  ASSERT_NE(target, nullptr) << "the control is registered as a drop target";
  EmptyData data;
  RECT r;
  GetWindowRect(b.hwnd(), &r);
  const POINTL at{r.left + 5, r.top + 6};
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  target->DragEnter(&data, MK_LBUTTON, at, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  events.dropEffect = DROPEFFECT_COPY;
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  target->DragOver(MK_LBUTTON, at, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  effect = DROPEFFECT_MOVE;
  target->DragOver(MK_LBUTTON, at, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "never more than the source allows";
  effect = DROPEFFECT_COPY;
  target->Drop(&data, 0, at, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(events.log, (std::vector<std::string>{"DragOver(0)", "DragOver(2)", "DragOver(2)",
                                                  "Drop at 5,6"}));
}

}  // namespace
}  // namespace velmora
