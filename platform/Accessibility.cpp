#include "platform/Accessibility.h"

// The interface GUIDs of the accessibility headers are defined here.
#include <initguid.h>
#include <oleacc.h>

#include "platform/Ole.h"
#include "platform/SystemLibrary.h"

namespace velmora::platform {

class ControlAccessible final : public IAccessible {
 public:
  ControlAccessible(HWND hwnd, AccessibleSource& source, IAccessible* standard)
      : hwnd_(hwnd), source_(&source), standard_(standard) {}

  void Disconnect() {
    source_ = nullptr;
    if (standard_) {
      standard_->Release();
      standard_ = nullptr;
    }
  }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IAccessible) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = InterlockedDecrement(&refs_);
    if (left == 0) {
      Disconnect();
      delete this;
    }
    return left;
  }

  // IDispatch: the accessibility clients call the interface directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible: the control's own answers for itself...
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return Text(child, name, &AccessibleDescription::name, &IAccessible::get_accName);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    AccessibleDescription d;
    if (!Self(child)) return Forward([&](IAccessible* s) { return s->get_accRole(child, role); });
    if (!source_) return CO_E_OBJNOTCONNECTED;
    if (!Describe(d)) return Forward([&](IAccessible* s) { return s->get_accRole(child, role); });
    role->vt = VT_I4;
    role->lVal = d.role;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    AccessibleDescription d;
    if (!Self(child)) return Forward([&](IAccessible* s) { return s->get_accState(child, state); });
    if (!source_) return CO_E_OBJNOTCONNECTED;
    if (!Describe(d)) return Forward([&](IAccessible* s) { return s->get_accState(child, state); });
    state->vt = VT_I4;
    state->lVal = d.state;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return Text(child, shortcut, &AccessibleDescription::keyboardShortcut,
                &IAccessible::get_accKeyboardShortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return Text(child, action, &AccessibleDescription::defaultAction,
                &IAccessible::get_accDefaultAction);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!Self(child)) return E_INVALIDARG;
    if (!source_) return CO_E_OBJNOTCONNECTED;
    AccessibleDescription d;
    if (!Describe(d)) return Forward([&](IAccessible* s) { return s->accDoDefaultAction(child); });
    if (d.state & STATE_SYSTEM_UNAVAILABLE) return E_FAIL;
    try {
      source_->DoDefaultAction();
    } catch (...) {
      return E_FAIL;
    }
    return S_OK;
  }

  // ...and the system's for the rest.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return Forward([&](IAccessible* s) { return s->get_accParent(parent); });
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    return Forward([&](IAccessible* s) { return s->get_accChildCount(count); });
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    return Forward([&](IAccessible* s) { return s->get_accChild(child, out); });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return Forward([&](IAccessible* s) { return s->get_accValue(child, value); });
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return Forward([&](IAccessible* s) { return s->get_accDescription(child, text); });
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return Forward([&](IAccessible* s) { return s->get_accHelp(child, help); });
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return Forward([&](IAccessible* s) { return s->get_accHelpTopic(file, child, topic); });
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    return Forward([&](IAccessible* s) { return s->get_accFocus(focus); });
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return Forward([&](IAccessible* s) { return s->get_accSelection(selection); });
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return Forward([&](IAccessible* s) { return s->accSelect(flags, child); });
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT child) override {
    return Forward([&](IAccessible* s) { return s->accLocation(x, y, w, h, child); });
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long dir, VARIANT start, VARIANT* end) override {
    return Forward([&](IAccessible* s) { return s->accNavigate(dir, start, end); });
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    return Forward([&](IAccessible* s) { return s->accHitTest(x, y, child); });
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  static bool Self(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

  bool Describe(AccessibleDescription& d) {
    try {
      return source_->Describe(d);
    } catch (...) {
      return false;
    }
  }

  template <typename F>
  HRESULT Forward(F&& call) {
    if (!source_ || !standard_) return CO_E_OBJNOTCONNECTED;
    return call(standard_);
  }

  HRESULT Text(VARIANT child, BSTR* out, std::wstring AccessibleDescription::*field,
               HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*)) {
    *out = nullptr;
    if (!Self(child)) return Forward([&](IAccessible* s) { return (s->*standard)(child, out); });
    if (!source_) return CO_E_OBJNOTCONNECTED;
    AccessibleDescription d;
    if (!Describe(d)) return Forward([&](IAccessible* s) { return (s->*standard)(child, out); });
    const std::wstring& text = d.*field;
    if (text.empty()) return S_FALSE;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
  }

  HWND hwnd_;
  AccessibleSource* source_;
  IAccessible* standard_;
  LONG refs_ = 1;
};

LRESULT AccessibleAnswer::Answer(HWND hwnd, WPARAM wp, LPARAM lp, AccessibleSource& source) {
  if (static_cast<LONG>(lp) != OBJID_CLIENT) return 0;
  static const auto createStandard =
      SystemFunction<decltype(::CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject");
  static const auto lresultFromObject =
      SystemFunction<decltype(::LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
  if (!createStandard || !lresultFromObject) return 0;
  UseOle();  // the answer is a marshalled object
  if (!object_) {
    IAccessible* standard = nullptr;
    if (FAILED(createStandard(hwnd, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&standard))))
      return 0;
    object_ = new ControlAccessible(hwnd, source, standard);
  }
  return lresultFromObject(IID_IAccessible, wp, static_cast<IAccessible*>(object_));
}

void AccessibleAnswer::Disconnect() {
  if (!object_) return;
  object_->Disconnect();
  object_->Release();
  object_ = nullptr;
}

void NotifyStateChange(HWND hwnd) {
  NotifyWinEvent(EVENT_OBJECT_STATECHANGE, hwnd, OBJID_CLIENT, CHILDID_SELF);
}

void NotifyNameChange(HWND hwnd) {
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace velmora::platform
