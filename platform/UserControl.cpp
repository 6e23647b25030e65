#include "platform/UserControl.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "platform/Colors.h"
#include "platform/Forms.h"
#include "platform/Numeric.h"
#include "platform/Ole.h"
#include "platform/StartupTrace.h"
#include "platform/Text.h"

namespace velmora::platform {

namespace {

constexpr wchar_t kSiteClass[] = L"VelmoraUserControl";

struct ClassInfo {
  UserControlFactory factory;
  bool defaultCancel = false;
};

std::map<std::string, ClassInfo>& Classes() {
  static std::map<std::string, ClassInfo> classes;
  return classes;
}

std::string ClassKey(std::string_view name) {
  std::string key(name);
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

// The system cursor of a pointer code (0 and 99 are handled by the caller).
const wchar_t* CursorOf(int16_t pointer) {
  switch (pointer) {
    case 1: return IDC_ARROW;
    case 2: return IDC_CROSS;
    case 3: return IDC_IBEAM;
    case 4: return IDC_ICON;
    case 5: return IDC_SIZEALL;
    case 6: return IDC_SIZENESW;
    case 7: return IDC_SIZENS;
    case 8: return IDC_SIZENWSE;
    case 9: return IDC_SIZEWE;
    case 10: return IDC_UPARROW;
    case 11: return IDC_WAIT;
    case 12: return IDC_NO;
    case 13: return IDC_APPSTARTING;
    case 14: return IDC_HELP;
    case 15: return IDC_SIZEALL;
    default: return nullptr;
  }
}

int16_t ShiftBits() {
  return static_cast<int16_t>((GetKeyState(VK_SHIFT) < 0 ? 1 : 0) |
                              (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                              (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

int16_t ButtonsHeld(WPARAM keys) {
  return static_cast<int16_t>(((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
                              ((keys & MK_MBUTTON) ? 4 : 0));
}

int16_t ShiftOfKeyState(DWORD keys) {
  return static_cast<int16_t>(((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
                              ((keys & MK_ALT) ? 4 : 0));
}

}  // namespace

// Drops on the control reach it as OLEDragOver and OLEDragDrop. A drop is refused unless the
// control's handler names an effect, so nothing is ever moved away from its source by default.
class UserControlSite::SiteDropTarget final : public IDropTarget {
 public:
  explicit SiteDropTarget(UserControlSite& site) : site_(site) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IDropTarget) {
      *out = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override {
    data_ = data;
    return Over(keys, pt, effect, 0);
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override {
    return Over(keys, pt, effect, 2);
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    DWORD none = DROPEFFECT_NONE;
    Over(0, {0, 0}, &none, 1);
    data_ = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override {
    DataObject object{data};
    int32_t chosen = DROPEFFECT_NONE;
    int16_t button = ButtonsHeld(keys), shift = ShiftOfKeyState(keys);
    POINT p{pt.x, pt.y};
    ScreenToClient(site_.hwnd(), &p);
    float x = static_cast<float>(p.x), y = static_cast<float>(p.y);
    if (site_.client_ && !site_.terminated_) {
      try {
        site_.client_->OLEDragDrop(object, chosen, button, shift, x, y);
      } catch (...) {
        chosen = DROPEFFECT_NONE;
      }
    }
    *effect &= static_cast<DWORD>(chosen);
    data_ = nullptr;
    return S_OK;
  }

 private:
  HRESULT Over(DWORD keys, POINTL pt, DWORD* effect, int16_t state) {
    DataObject object{data_};
    int32_t chosen = DROPEFFECT_NONE;
    int16_t button = ButtonsHeld(keys), shift = ShiftOfKeyState(keys);
    POINT p{pt.x, pt.y};
    if (state != 1) ScreenToClient(site_.hwnd(), &p);
    float x = static_cast<float>(p.x), y = static_cast<float>(p.y);
    if (site_.client_ && !site_.terminated_) {
      try {
        site_.client_->OLEDragOver(object, chosen, button, shift, x, y, state);
      } catch (...) {
        chosen = DROPEFFECT_NONE;
      }
    }
    *effect &= static_cast<DWORD>(chosen);
    return S_OK;
  }

  UserControlSite& site_;
  IDataObject* data_ = nullptr;
  ULONG refs_ = 1;
};

void RegisterUserControlClass(const std::string& className, UserControlFactory factory,
                              bool defaultCancel) {
  Classes()[ClassKey(className)] = {std::move(factory), defaultCancel};
}

bool IsUserControlClassRegistered(std::string_view className) {
  return Classes().count(ClassKey(className)) != 0;
}

// ---- UserControl ----

HWND UserControl::hWnd() const { return site_.hwnd(); }

HDC UserControl::hDC() const { return site_.dc_; }

float UserControl::ScaleWidth() const {
  RECT r{};
  if (site_.hwnd()) GetClientRect(site_.hwnd(), &r);
  return static_cast<float>(r.right);
}

float UserControl::ScaleHeight() const {
  RECT r{};
  if (site_.hwnd()) GetClientRect(site_.hwnd(), &r);
  return static_cast<float>(r.bottom);
}

HostResult UserControl::SetFont(const FontDesign& font) {
  if (font.name.empty()) return HostResult::Fail(kErrInvalidPropertyValue, "Invalid property value");
  font_ = font;
  return {};
}

void UserControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  site_.design_.enabled = enabled;
  if (site_.hwnd()) EnableWindow(site_.hwnd(), enabled);
}

HostResult UserControl::SetMousePointer(int16_t pointer) {
  if (pointer != 0 && pointer != 99 && !CursorOf(pointer))
    return HostResult::Fail(kErrInvalidPropertyValue, "Invalid property value");
  mousePointer_ = pointer;
  return {};
}

HostResult UserControl::SetMouseIcon(const Picture& icon) {
  if (!icon.IsEmpty() && icon.kind() != Picture::Kind::Icon)
    return HostResult::Fail(kErrInvalidPicture, "Invalid picture");
  mouseIcon_ = icon;
  return {};
}

void UserControl::AcceptDrops(bool accept) { site_.AcceptDrops(accept); }

void UserControl::Refresh() {
  // Everything is drawn straight onto the window's own DC: what hDC shows is the window's
  // look, so a pending repaint of it is already done.
  if (site_.hwnd()) ValidateRect(site_.hwnd(), nullptr);
  GdiFlush();
}

const FontDesign& UserControl::ParentFont() const { return site_.Owner().Font(); }

int32_t UserControl::ParentBackColor() const {
  return static_cast<int32_t>(site_.Owner().BackColor());
}

HWND UserControl::ContainerHwnd() const {
  return site_.Container() ? site_.Container()->hwnd() : site_.Owner().hwnd();
}

float UserControl::TwipsPerPixelX() const {
  return static_cast<float>(TwipsPerPixel(site_.Owner().Dpi()));
}

float UserControl::TwipsPerPixelY() const { return TwipsPerPixelX(); }

void UserControl::PropertyChanged(std::string_view key) { site_.changedKeys_.emplace_back(key); }

void UserControl::Size(float width, float height) { site_.ResizeInTwips(width, height); }

// ---- UserControlSite ----

UserControlSite::UserControlSite(Form& form, const ControlDesign& design)
    : Control(form, design), surface_(*this) {
  const auto it = Classes().find(ClassKey(design.className));
  if (it == Classes().end())
    throw DesignError(form.Design().file, design.name, "class",
                      "no control class \"" + design.className + "\" is known");
  client_ = it->second.factory(surface_);
  defaultCancel_ = it->second.defaultCancel;
}

UserControlSite::~UserControlSite() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void UserControlSite::RegisterWindowClass() {
  // Its own DC, so the control's hDC stays valid between paints; double clicks arrive as such.
  RegisterWindowClassOnce(kSiteClass, &UserControlSite::WindowProc, CS_OWNDC | CS_DBLCLKS, 0);
}

void UserControlSite::Create(HWND parent, UINT id) {
  RegisterWindowClass();
  surface_.font_ = form_.Font();
  surface_.enabled_ = design_.enabled;
  surface_.ambient_.UserMode = form_.UserMode();
  surface_.ambient_.DisplayName = Widen(design_.name);
  surface_.ambient_.BackColor = static_cast<int32_t>(container_ ? container_->BackColor()
                                                                : form_.BackColor());
  MakeWindow(kSiteClass, Widen(design_.name), design_.tabStop ? WS_TABSTOP : 0, 0, parent, id);
  dc_ = GetDC(hwnd_);
  if (isNew_) {
    client_->InitProperties();
  } else {
    const HostResult read = client_->ReadProperties(design_.properties);
    if (!read) {
      const HostError& e = read.error();
      throw DesignError(form_.Design().file, design_.name,
                        e.key.empty() ? "properties" : "properties." + e.key, e.description);
    }
  }
  lifecycleStarted_ = true;
  client_->Resize();
  if (acceptDrops_) AcceptDrops(true);
}

void UserControlSite::AcceptDrops(bool accept) {
  acceptDrops_ = accept;
  if (!hwnd_ || accept == (dropTarget_ != nullptr)) return;
  if (!accept) {
    RevokeDragDrop(hwnd_);
    dropTarget_->Release();
    dropTarget_ = nullptr;
    return;
  }
  // Without OLE on this thread the control simply takes no drops.
  UseOle();
  dropTarget_ = new SiteDropTarget(*this);
  if (FAILED(RegisterDragDrop(hwnd_, dropTarget_))) {
    dropTarget_->Release();
    dropTarget_ = nullptr;
  }
}

void UserControlSite::OnCommand(WORD code) {
  // The dialog manager's Enter: on the focused control showing the default look, or on the
  // form's default button.
  if (code == BN_CLICKED && defaultCancel_) DeliverAccessKey(L'\r');
}

void UserControlSite::PressCancel() { DeliverAccessKey(L'\x1b'); }

void UserControlSite::DeliverAccessKey(wchar_t key) {
  if (!lifecycleStarted_ || terminated_) return;
  int16_t keyAscii = static_cast<int16_t>(key);
  client_->AccessKeyPress(keyAscii);
}

LRESULT UserControlSite::Mouse(UINT msg, WPARAM wp, LPARAM lp) {
  const float x = static_cast<float>(static_cast<int16_t>(LOWORD(lp)));
  const float y = static_cast<float>(static_cast<int16_t>(HIWORD(lp)));
  const int16_t shift = ShiftBits();
  int16_t button = 0;
  switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: button = 1; break;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: button = 2; break;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: button = 4; break;
    default: break;
  }
  switch (msg) {
    case WM_MOUSEMOVE:
      client_->MouseMove(ButtonsHeld(wp), shift, x, y);
      return 0;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
      // As with push buttons, only the left button takes the focus.
      if (button == 1 && design_.tabStop && GetFocus() != hwnd_) SetFocus(hwnd_);
      // The press and its release belong to the control, wherever the release happens.
      if (GetCapture() != hwnd_) SetCapture(hwnd_);
      if (!clickButton_) clickButton_ = button;
      client_->MouseDown(button, shift, x, y);
      return 0;
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
      // The second press of a double click arrives only as DblClick.
      if (GetCapture() != hwnd_) SetCapture(hwnd_);
      clickButton_ = button;
      afterDoubleClick_ = true;
      client_->DblClick();
      return 0;
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: {
      // Decided before the control's MouseUp, which may release the capture itself.
      const bool clicks = clickButton_ == button && !afterDoubleClick_;
      client_->MouseUp(button, shift, x, y);
      if (!hwnd_ || terminated_) return 0;
      if (clickButton_ == button) {
        clickButton_ = 0;
        afterDoubleClick_ = false;
      }
      if (!(wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && GetCapture() == hwnd_) ReleaseCapture();
      POINT p{static_cast<int16_t>(LOWORD(lp)), static_cast<int16_t>(HIWORD(lp))};
      ClientToScreen(hwnd_, &p);
      if (clicks && WindowFromPoint(p) == hwnd_) client_->Click();
      return 0;
    }
  }
  return 0;
}

LRESULT UserControlSite::Key(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      int16_t keyCode = static_cast<int16_t>(wp), shift = ShiftBits();
      client_->KeyDown(keyCode, shift);
      // A handler that clears the key code swallows the key.
      if (keyCode == 0 || msg == WM_KEYDOWN) return 0;
      break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      int16_t keyCode = static_cast<int16_t>(wp), shift = ShiftBits();
      client_->KeyUp(keyCode, shift);
      if (keyCode == 0 || msg == WM_KEYUP) return 0;
      break;
    }
    case WM_CHAR: {
      int16_t keyAscii = static_cast<int16_t>(wp);
      client_->KeyPress(keyAscii);
      return 0;
    }
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

void UserControlSite::ApplyDpi(int dpi) {
  if (!hwnd_) return;
  const SIZE size = PixelSize(dpi);
  SetWindowPos(hwnd_, nullptr, TwipsToPixels(design_.left, dpi), TwipsToPixels(design_.top, dpi),
               size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void UserControlSite::ResizeInTwips(float width, float height) {
  design_.width = nint(width);
  design_.height = nint(height);
  if (!hwnd_) return;
  const int dpi = form_.Dpi();
  const auto px = [dpi](float twips) {
    return static_cast<int>(std::floor(twips * dpi / 1440.0 + 0.5));
  };
  SetWindowPos(hwnd_, nullptr, 0, 0, std::max(px(width), 0), std::max(px(height), 0),
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

ControlDesign UserControlSite::SaveDesign() {
  ControlDesign saved = design_;
  saved.properties = PropertyBag();
  // The host's own keys: the extent in HIMETRIC (2540 per inch).
  saved.properties.WriteLong("_ExtentX", nint(design_.width * 2540.0 / 1440.0), std::nullopt);
  saved.properties.WriteLong("_ExtentY", nint(design_.height * 2540.0 / 1440.0), std::nullopt);
  client_->WriteProperties(saved.properties);
  return saved;
}

void UserControlSite::SetAmbientUserMode(bool userMode) {
  if (surface_.ambient_.UserMode == userMode) return;
  surface_.ambient_.UserMode = userMode;
  if (lifecycleStarted_ && !terminated_) client_->AmbientChanged("UserMode");
}

void UserControlSite::SetAmbientBackColor(int32_t color) {
  if (surface_.ambient_.BackColor == color) return;
  surface_.ambient_.BackColor = color;
  if (lifecycleStarted_ && !terminated_) client_->AmbientChanged("BackColor");
}

void UserControlSite::SetAmbientDisplayAsDefault(bool isDefault) {
  if (surface_.ambient_.DisplayAsDefault == isDefault) return;
  surface_.ambient_.DisplayAsDefault = isDefault;
  if (lifecycleStarted_ && !terminated_) client_->AmbientChanged("DisplayAsDefault");
}

void UserControlSite::NotifyShow() {
  if (lifecycleStarted_ && !terminated_) client_->Show();
}

LRESULT CALLBACK UserControlSite::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* created = static_cast<UserControlSite*>(
        static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    created->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<UserControlSite*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    return self->HandleMessage(hwnd, msg, wp, lp);
  } catch (...) {
    ReportCurrentException(hwnd);
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

LRESULT UserControlSite::HandleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  const bool live = lifecycleStarted_ && !terminated_;
  switch (msg) {
    case WM_SIZE:
      if (live) client_->Resize();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the control paints every pixel itself
    case WM_NCPAINT:
      if (HasNoFrame(hwnd)) return 0;
      break;
    case WM_PAINT:
      StartupTrace::Mark("first paint");
      ValidateRect(hwnd, nullptr);
      if (live) client_->Paint();
      StartupTrace::Mark("painting the user controls");
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT) {
        const int16_t pointer = surface_.mousePointer_;
        if (pointer == 99 && surface_.mouseIcon_.Icon()) {
          SetCursor(surface_.mouseIcon_.Icon());
          return TRUE;
        }
        if (const wchar_t* cursor = CursorOf(pointer)) {
          SetCursor(LoadCursorW(nullptr, cursor));
          return TRUE;
        }
      }
      break;
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTARROWS;
      if (defaultCancel_)
        code |= DLGC_BUTTON | (surface_.ambient_.DisplayAsDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
      return code;
    }
    case BM_SETSTYLE:
      // The dialog manager moves the default look between push buttons this way.
      if (defaultCancel_) SetAmbientDisplayAsDefault((wp & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
      return 0;
    case WM_SETFOCUS:
      surface_.focused_ = true;
      form_.FocusChanged(this);
      NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd, OBJID_CLIENT, CHILDID_SELF);
      if (live) client_->GotFocus();
      return 0;
    case WM_KILLFOCUS:
      surface_.focused_ = false;
      break;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != hwnd) {
        clickButton_ = 0;
        afterDoubleClick_ = false;
      }
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
      return live ? Mouse(msg, wp, lp) : 0;
    case WM_KEYDOWN: case WM_KEYUP: case WM_SYSKEYDOWN: case WM_SYSKEYUP: case WM_CHAR:
      if (live) return Key(msg, wp, lp);
      break;
    case WM_PRINTCLIENT:
      // The control draws on its own DC; copy what the window shows.
      BitBlt(reinterpret_cast<HDC>(wp), 0, 0, static_cast<int>(surface_.ScaleWidth()),
             static_cast<int>(surface_.ScaleHeight()), dc_, 0, 0, SRCCOPY);
      return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED:
      if (live) client_->SystemColorsChanged();
      return 0;
    case WM_GETOBJECT:
      if (live) {
        if (const LRESULT answer = accessible_.Answer(hwnd, wp, lp, *client_)) return answer;
      }
      break;
    case WM_DESTROY:
      accessible_.Disconnect();
      if (dropTarget_) {
        RevokeDragDrop(hwnd);
        dropTarget_->Release();
        dropTarget_ = nullptr;
      }
      if (live) {
        terminated_ = true;
        client_->Terminate();
      }
      terminated_ = true;
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      dc_ = nullptr;
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace velmora::platform
