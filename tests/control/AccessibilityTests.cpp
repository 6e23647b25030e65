// What screen readers learn about a button through the accessibility interfaces.
#include <gtest/gtest.h>

#include <oleacc.h>

#include "tests/support/ButtonHost.h"

namespace velmora {
namespace {

using test::PumpUntil;

// The accessible object of a window, as a screen reader obtains it.
class Accessible {
 public:
  explicit Accessible(HWND hwnd) {
    AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                               reinterpret_cast<void**>(&acc_));
  }
  ~Accessible() {
    if (acc_) acc_->Release();
  }
  explicit operator bool() const { return acc_ != nullptr; }
  long Role() const { return Long(&IAccessible::get_accRole); }
  long State() const { return Long(&IAccessible::get_accState); }
  std::wstring Name() const { return Text(&IAccessible::get_accName); }
  std::wstring Shortcut() const { return Text(&IAccessible::get_accKeyboardShortcut); }
  std::wstring Action() const { return Text(&IAccessible::get_accDefaultAction); }
  HRESULT DoDefaultAction() const { return acc_->accDoDefaultAction(Self()); }
  HRESULT NameResult() const {
    BSTR name = nullptr;
    const HRESULT hr = acc_->get_accName(Self(), &name);
    SysFreeString(name);
    return hr;
  }

 private:
  static VARIANT Self() {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = CHILDID_SELF;
    return v;
  }
  long Long(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*)) const {
    VARIANT out;
    VariantInit(&out);
    if (FAILED((acc_->*get)(Self(), &out)) || out.vt != VT_I4) return -1;
    return out.lVal;
  }
  std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) const {
    BSTR text = nullptr;
    if (FAILED((acc_->*get)(Self(), &text)) || !text) return L"";
    std::wstring out(text, SysStringLen(text));
    SysFreeString(text);
    return out;
  }
  IAccessible* acc_ = nullptr;
};

class Accessibility : public test::ButtonHost {};

TEST_F(Accessibility, RoleNameShortcutAndActionFollowTheModeAndCaption) {
  Ornabutton& b = New();
  b.SetCaption(L"&Remove || all");
  Accessible acc(b.hwnd());
  ASSERT_TRUE(acc);
  EXPECT_EQ(acc.Role(), ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(acc.Name(), L"Remove all");
  EXPECT_EQ(acc.Shortcut(), L"Alt+R");
  EXPECT_EQ(acc.Action(), L"Press");
  b.SetMode(1);
  EXPECT_EQ(acc.Role(), ROLE_SYSTEM_CHECKBUTTON);
  EXPECT_EQ(acc.Action(), L"Check");
  b.SetValue(true);
  EXPECT_EQ(acc.Action(), L"Uncheck");
  b.SetMode(2);
  EXPECT_EQ(acc.Role(), ROLE_SYSTEM_RADIOBUTTON);
  EXPECT_EQ(acc.Action(), L"Select");
  b.SetCaption(L"Fish && Chips");
  EXPECT_EQ(acc.Name(), L"Fish & Chips");
  EXPECT_EQ(test::WindowText(b.hwnd()), L"Fish &&&& Chips")
      << "no access key for the dialog manager";
}

TEST_F(Accessibility, StatesTrackFocusCheckingAvailabilityHoverAndPress) {
  Ornabutton& b = New();
  b.SetMode(1);
  Accessible acc(b.hwnd());
  ASSERT_TRUE(acc);
  EXPECT_TRUE(acc.State() & STATE_SYSTEM_FOCUSABLE);
  EXPECT_FALSE(acc.State() & (STATE_SYSTEM_CHECKED | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_UNAVAILABLE));
  ASSERT_TRUE(test::BringToFront(form.hwnd()));
  SetFocus(b.hwnd());
  EXPECT_TRUE(acc.State() & STATE_SYSTEM_FOCUSED);
  EXPECT_TRUE(acc.State() & STATE_SYSTEM_DEFAULT) << "the focused button is the default one";
  test::MoveMouse(test::CenterOnScreen(b.hwnd()));
  ASSERT_TRUE(PumpUntil([&] { return (acc.State() & STATE_SYSTEM_HOTTRACKED) != 0; }));
  test::MouseButton(true);
  ASSERT_TRUE(PumpUntil([&] { return (acc.State() & STATE_SYSTEM_PRESSED) != 0; }));
  test::MouseButton(false);
  ASSERT_TRUE(PumpUntil([&] { return (acc.State() & STATE_SYSTEM_CHECKED) != 0; }));
  EXPECT_FALSE(acc.State() & STATE_SYSTEM_PRESSED);
  b.SetEnabled(false);
  EXPECT_TRUE(acc.State() & STATE_SYSTEM_UNAVAILABLE);
}

class Counter : public OrnabuttonEvents {
 public:
  int clicks = 0;
  void Click() override { ++clicks; }
};

TEST_F(Accessibility, TheDefaultActionClicksThroughTheButtonsOwnLogic) {
  Counter counter;
  Ornabutton& b = New();
  b.SetEvents(&counter);
  Accessible acc(b.hwnd());
  ASSERT_TRUE(acc);
  EXPECT_EQ(acc.DoDefaultAction(), S_OK);
  EXPECT_EQ(counter.clicks, 1);
  b.SetMode(1);
  acc.DoDefaultAction();
  EXPECT_TRUE(b.Value());
  EXPECT_TRUE(acc.State() & STATE_SYSTEM_CHECKED) << "a check-mode button reports checked";
  b.SetMode(2);
  b.SetValue(true);
  acc.DoDefaultAction();  // a selected option button stays selected and raises nothing
  EXPECT_EQ(counter.clicks, 2);
  b.SetEnabled(false);
  EXPECT_EQ(acc.DoDefaultAction(), E_FAIL);
  EXPECT_EQ(counter.clicks, 2);
}

TEST_F(Accessibility, AnObjectHeldAfterTheButtonIsGoneAnswersWithErrors) {
  Ornabutton& b = New();
  Accessible acc(b.hwnd());
  ASSERT_TRUE(acc);
  DestroyWindow(b.hwnd());
  EXPECT_EQ(acc.NameResult(), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(acc.DoDefaultAction(), CO_E_OBJNOTCONNECTED);
}

}  // namespace
}  // namespace velmora
