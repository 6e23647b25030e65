#include "platform/Controls.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <stdexcept>

#include "platform/Forms.h"
#include "platform/HighContrast.h"
#include "platform/Numeric.h"
#include "platform/SystemLibrary.h"
#include "platform/Text.h"

namespace velmora::platform {

namespace {
constexpr wchar_t kContainerClass[] = L"VelmoraContainer";

int ScaleFrom96(int value, int dpi) { return MulDiv(value, dpi, 96); }

// The visual-style functions, from uxtheme.dll when the system has it.
struct ThemeFunctions {
  decltype(::OpenThemeData)* open =
      SystemFunction<decltype(::OpenThemeData)>(L"uxtheme.dll", "OpenThemeData");
  decltype(::CloseThemeData)* close =
      SystemFunction<decltype(::CloseThemeData)>(L"uxtheme.dll", "CloseThemeData");
  decltype(::DrawThemeBackground)* draw =
      SystemFunction<decltype(::DrawThemeBackground)>(L"uxtheme.dll", "DrawThemeBackground");
  decltype(::GetThemeEnumValue)* enumValue =
      SystemFunction<decltype(::GetThemeEnumValue)>(L"uxtheme.dll", "GetThemeEnumValue");
  decltype(::GetThemeBool)* boolValue =
      SystemFunction<decltype(::GetThemeBool)>(L"uxtheme.dll", "GetThemeBool");
  decltype(::GetThemeMargins)* margins =
      SystemFunction<decltype(::GetThemeMargins)>(L"uxtheme.dll", "GetThemeMargins");
};

const ThemeFunctions& Themes() {
  static const ThemeFunctions functions;
  return functions;
}

// How far inside its rectangle a part of the visual style can draw, in pixels, when it draws
// only a border of its image; 0 when it may draw anywhere in the rectangle or that is unknown.
int BorderBand(HTHEME theme, HDC dc, int part, int state, RECT rect, int dpi) {
  const ThemeFunctions& f = Themes();
  if (!f.enumValue || !f.boolValue || !f.margins) return 0;
  int background = 0, sizing = 0, glyph = GT_NONE;
  BOOL borderOnly = FALSE;
  MARGINS m{};
  if (FAILED(f.enumValue(theme, part, state, TMT_BGTYPE, &background)) ||
      background != BT_IMAGEFILE)
    return 0;
  if (FAILED(f.enumValue(theme, part, state, TMT_SIZINGTYPE, &sizing)) || sizing == ST_TRUESIZE)
    return 0;
  if (FAILED(f.boolValue(theme, part, state, TMT_BORDERONLY, &borderOnly)) || !borderOnly) return 0;
  if (SUCCEEDED(f.enumValue(theme, part, state, TMT_GLYPHTYPE, &glyph)) && glyph != GT_NONE)
    return 0;
  if (FAILED(f.margins(theme, dc, part, state, TMT_SIZINGMARGINS, &rect, &m))) return 0;
  const int widest = std::max({m.cxLeftWidth, m.cxRightWidth, m.cyTopHeight, m.cyBottomHeight, 0});
  // An image made for another resolution may be scaled to this one; a pixel more to be sure.
  return widest > 0 ? MulDiv(widest, std::max(dpi, 96), 96) + 1 : 0;
}

// Whether a rectangle lies whole inside another that is not empty.
bool Within(const RECT& inner, const RECT& outer) {
  return outer.left < outer.right && outer.top < outer.bottom && inner.left >= outer.left &&
         inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}
}  // namespace

// ---- Control ----

Control::Control(Form& form, const ControlDesign& design) : form_(form), design_(design) {}

HWND Control::MakeWindow(const wchar_t* windowClass, const std::wstring& text, DWORD style,
                         DWORD exStyle, HWND parent, UINT id) {
  style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (design_.visible) style |= WS_VISIBLE;
  if (!design_.enabled) style |= WS_DISABLED;
  const int dpi = form_.Dpi();
  const SIZE size = PixelSize(dpi);
  hwnd_ = CreateWindowExW(exStyle, windowClass, text.c_str(), style,
                          TwipsToPixels(design_.left, dpi), TwipsToPixels(design_.top, dpi),
                          size.cx, size.cy, parent,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                          GetModuleHandleW(nullptr), this);
  if (!hwnd_) throw std::runtime_error("could not create the window of control " + Name());
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form_.FontHandle(Font())), FALSE);
  return hwnd_;
}

SIZE Control::PixelSize(int dpi) const {
  return {TwipsToPixels(design_.width, dpi), TwipsToPixels(design_.height, dpi)};
}

void Control::ApplyDpi(int dpi) {
  if (!hwnd_) return;
  const SIZE size = PixelSize(dpi);
  SetWindowPos(hwnd_, nullptr, TwipsToPixels(design_.left, dpi), TwipsToPixels(design_.top, dpi),
               size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form_.FontHandle(Font())), FALSE);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void Control::Move(int32_t left, int32_t top, int32_t width, int32_t height) {
  design_.left = left;
  design_.top = top;
  design_.width = std::max(width, 0);
  design_.height = std::max(height, 0);
  ApplyDpi(form_.Dpi());
}

void Control::SetVisible(bool visible) {
  design_.visible = visible;
  if (hwnd_) {
    ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
  } else if (form_.IsLoaded()) {
    InvalidateRect(container_ ? container_->hwnd() : form_.hwnd(), nullptr, TRUE);
  }
}

void Control::SetEnabled(bool enabled) {
  design_.enabled = enabled;
  if (hwnd_) EnableWindow(hwnd_, enabled);
}

void Control::SetBackColor(uint32_t color) {
  design_.backColor = color;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
  if (IsContainer()) form_.ContainerBackColorChanged(this);
}

void Control::SetForeColor(uint32_t color) {
  design_.foreColor = color;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

const FontDesign& Control::Font() const { return design_.font ? *design_.font : form_.Font(); }

bool Control::TakesFocus() const { return false; }

// ---- CaptionedControl ----

std::wstring CaptionedControl::Caption() const {
  return hwnd_ ? WindowText(hwnd_) : Widen(design_.caption);
}

void CaptionedControl::SetCaption(std::wstring_view caption) {
  design_.caption = Narrow(caption);
  if (hwnd_) SetWindowTextW(hwnd_, std::wstring(caption).c_str());
}

// ---- CheckBox ----

int CheckBox::Value() const {
  if (!hwnd_) return design_.value;
  return static_cast<int>(SendMessageW(hwnd_, BM_GETCHECK, 0, 0));
}

void CheckBox::SetValue(int value) {
  if (value < 0 || value > 2)
    throw std::out_of_range("check box " + Name() + ": value " + std::to_string(value) +
                            " is not 0, 1 or 2");
  design_.value = value;
  if (hwnd_) SendMessageW(hwnd_, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

bool CheckBox::TakesFocus() const { return design_.tabStop; }

void CheckBox::Create(HWND parent, UINT id) {
  // A three-state box whose state this runtime sets, so that the grey state stays a state
  // only the program gives: a click ticks a clear or grey box and clears a ticked one.
  MakeWindow(L"BUTTON", Widen(design_.caption),
             BS_3STATE | BS_MULTILINE | BS_NOTIFY | (design_.tabStop ? WS_TABSTOP : 0), 0, parent,
             id);
  SendMessageW(hwnd_, BM_SETCHECK, static_cast<WPARAM>(design_.value), 0);
}

void CheckBox::OnCommand(WORD code) {
  // Focus notifications come with double clicks reported apart: the second click of a double
  // click ticks or clears the box as well.
  if (code == BN_CLICKED || code == BN_DOUBLECLICKED) SetValue(Value() == 1 ? 0 : 1);
  if (code == BN_SETFOCUS) form_.FocusChanged(this);
}

// ---- Label ----

void Label::Create(HWND parent, UINT id) {
  DWORD style = design_.alignment == TextAlign::Right    ? SS_RIGHT
                : design_.alignment == TextAlign::Center ? SS_CENTER
                                                         : SS_LEFT;
  if (!design_.useMnemonic) style |= SS_NOPREFIX;
  MakeWindow(L"STATIC", Widen(design_.caption), style,
             design_.borderStyle ? WS_EX_STATICEDGE : 0, parent, id);
}

bool Label::ShowsWhole(std::wstring_view text) const {
  const HWND label = hwnd();
  // The label's client area, cut by the client area of every window that contains it.
  RECT visible;
  GetClientRect(label, &visible);
  MapWindowPoints(label, nullptr, reinterpret_cast<POINT*>(&visible), 2);
  for (HWND w = GetParent(label); w; w = (GetWindowLongW(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr) {
    RECT client;
    GetClientRect(w, &client);
    MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&client), 2);
    IntersectRect(&visible, &visible, &client);
  }
  MapWindowPoints(nullptr, label, reinterpret_cast<POINT*>(&visible), 2);
  RECT client;
  GetClientRect(label, &client);
  WindowDc dc(label);
  SelectGuard font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
  UINT flags = DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS;
  if (GetWindowLongW(label, GWL_STYLE) & SS_NOPREFIX) flags |= DT_NOPREFIX;
  RECT needed{0, 0, client.right, 0};
  DrawTextW(dc.get(), text.data(), static_cast<int>(text.size()), &needed, flags);
  return needed.left >= visible.left && needed.top >= visible.top && needed.right <= visible.right &&
         needed.bottom <= visible.bottom;
}

// ---- CommandButton ----

void CommandButton::Click() {
  // The handler may unload the form, which retires this object: run a copy.
  const auto handler = onClick_;
  if (handler) handler();
}

bool CommandButton::TakesFocus() const { return design_.tabStop; }

void CommandButton::Create(HWND parent, UINT id) {
  MakeWindow(L"BUTTON", Widen(design_.caption),
             (design_.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_MULTILINE | BS_NOTIFY |
                 (design_.tabStop ? WS_TABSTOP : 0),
             0, parent, id);
}

void CommandButton::OnCommand(WORD code) {
  if (code == BN_CLICKED || code == BN_DOUBLECLICKED) Click();
  if (code == BN_SETFOCUS) form_.FocusChanged(this);
}

void CommandButton::ShowDefaultLook(bool isDefault) {
  if (hwnd_) SendMessageW(hwnd_, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool HasNoFrame(HWND hwnd) {
  const auto style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE));
  return !(style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_HSCROLL | WS_VSCROLL)) &&
         !(exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME));
}

// ---- ContainerControl ----

void ContainerControl::RegisterWindowClass() {
  RegisterWindowClassOnce(kContainerClass, &ContainerControl::WindowProc, CS_HREDRAW | CS_VREDRAW, 0);
}

void ContainerControl::CreateContainer(HWND parent, UINT id, const std::wstring& text,
                                       DWORD exStyle) {
  RegisterWindowClass();
  MakeWindow(kContainerClass, text, WS_CLIPCHILDREN, exStyle | WS_EX_CONTROLPARENT, parent, id);
}

LRESULT CALLBACK ContainerControl::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* created = static_cast<ContainerControl*>(
        static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* self = reinterpret_cast<ContainerControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    switch (msg) {
      // Notifications of the controls inside go to the form, as if they sat on it.
      case WM_COMMAND:
      case WM_NOTIFY:
      case WM_DRAWITEM:
      case WM_MEASUREITEM:
      case WM_CTLCOLORBTN:
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLOREDIT:
      case WM_CTLCOLORLISTBOX:
        if (HWND form = self->form_.hwnd()) return SendMessageW(form, msg, wp, lp);
        break;
      case WM_ERASEBKGND: {
        RECT rc;
        GetClientRect(hwnd, &rc);
        FillRect(reinterpret_cast<HDC>(wp), &rc,
                 self->form_.Brush(DisplayColor(self->BackColor(), COLOR_BTNFACE)));
        return 1;
      }
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        self->Paint(dc);
        self->form_.PaintLines(dc, self);
        EndPaint(hwnd, &ps);
        return 0;
      }
      case WM_PRINTCLIENT: {
        auto* dc = reinterpret_cast<HDC>(wp);
        if (lp & PRF_ERASEBKGND) SendMessageW(hwnd, WM_ERASEBKGND, wp, 0);
        self->Paint(dc);
        self->form_.PaintLines(dc, self);
        return 0;
      }
      case WM_UPDATEUISTATE:
        // Access-key underlines in a frame caption come and go with the keyboard cues.
        DefWindowProcW(hwnd, msg, wp, lp);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
      case WM_NCPAINT:
        if (HasNoFrame(hwnd)) return 0;
        break;
      case WM_GETDLGCODE:
        // Like a label: the access key of a frame caption moves to the next control.
        return self->Kind() == ControlKind::Frame ? DLGC_STATIC : 0;
      case WM_KEYDOWN:
        if (self->form_.ArrowKey(self, wp)) return 0;
        break;
      case WM_THEMECHANGED:
      case WM_SETTINGCHANGE:
      case WM_SYSCOLORCHANGE:
        self->ForgetTheme();
        break;
      case WM_NCDESTROY:
        self->ForgetTheme();
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        break;
    }
  } catch (...) {
    // Painting and forwarding raise nothing of their own; never let anything cross into
    // the system's dispatcher.
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// ---- Frame ----

std::wstring Frame::Caption() const { return Widen(design_.caption); }

void Frame::SetCaption(std::wstring_view caption) {
  design_.caption = Narrow(caption);
  if (hwnd_) {
    SetWindowTextW(hwnd_, std::wstring(caption).c_str());
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
}

void Frame::Create(HWND parent, UINT id) { CreateContainer(parent, id, Widen(design_.caption), 0); }

Frame::~Frame() { ForgetTheme(); }

void Frame::ForgetTheme() {
  if (theme_) Themes().close(theme_);
  theme_ = nullptr;
  themeOpened_ = false;
  bandState_ = -1;
}

HTHEME Frame::Theme() {
  const ThemeFunctions& f = Themes();
  // The style's images are chosen for the window's DPI when it is opened.
  if (themeOpened_ && themeDpi_ != form_.Dpi()) ForgetTheme();
  if (!themeOpened_ && hwnd_ && f.open && f.close && f.draw) {
    theme_ = f.open(hwnd_, L"BUTTON");
    themeOpened_ = true;
    themeDpi_ = form_.Dpi();
  }
  return theme_;
}

void Frame::Paint(HDC dc) {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  SelectGuard font(dc, form_.FontHandle(Font()));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  RECT box = rc;
  box.top += tm.tmHeight / 2;
  const bool enabled = IsWindowEnabled(hwnd_) != FALSE;
  // A control inside that draws its background through the frame (a themed check box does)
  // asks for the small part behind it: what would fall outside that part is left out.
  RECT clip{};
  const bool clipped = GetClipBox(dc, &clip) != ERROR;
  if (const HTHEME theme = Theme()) {
    const int state = enabled ? GBS_NORMAL : GBS_DISABLED;
    RECT inside = box;
    // The band is a property of the style, kept with it: a frame paints once for every
    // control inside it that draws its background through it.
    if (bandState_ != state) band_ = BorderBand(theme, dc, BP_GROUPBOX, state, box, form_.Dpi());
    bandState_ = state;
    const int band = band_;
    InflateRect(&inside, -band, -band);
    if (!(band > 0 && clipped && Within(clip, inside)))
      Themes().draw(theme, dc, BP_GROUPBOX, state, &box, nullptr);
  } else {
    DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
  }
  const std::wstring text = Caption();
  // The caption and the gap it makes in the border lie in the top rows.
  if (text.empty() || (clipped && clip.top >= tm.tmHeight)) return;
  UINT flags = DT_SINGLELINE | DT_LEFT | DT_TOP;
  if (SendMessageW(hwnd_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) flags |= DT_HIDEPREFIX;
  const int dpi = form_.Dpi();
  const int inset = ScaleFrom96(6, dpi), pad = ScaleFrom96(2, dpi);
  RECT textRect{inset + pad, 0, rc.right - inset - pad, tm.tmHeight};
  RECT measured = textRect;
  DrawTextW(dc, text.c_str(), -1, &measured, flags | DT_CALCRECT);
  textRect.right = std::min(textRect.right, measured.right);
  RECT gap{inset, 0, textRect.right + pad, tm.tmHeight};
  FillRect(dc, &gap, form_.Brush(DisplayColor(BackColor(), COLOR_BTNFACE)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, enabled ? DisplayColor(ForeColor(), COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT));
  DrawTextW(dc, text.c_str(), -1, &textRect, flags | DT_END_ELLIPSIS);
}

// ---- PictureBox ----

void PictureBox::Create(HWND parent, UINT id) {
  LoadPicture(form_.Dpi());  // an auto-sized box takes the picture's size
  CreateContainer(parent, id, std::wstring(), design_.borderStyle ? WS_EX_CLIENTEDGE : 0);
}

void PictureBox::LoadPicture(int dpi) {
  if (design_.picture.empty()) return;
  const std::wstring name = Widen(design_.picture);
  auto* icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_ICON,
                                             GetSystemMetricsForDpi(SM_CXICON, dpi),
                                             GetSystemMetricsForDpi(SM_CYICON, dpi), 0));
  if (!icon)
    throw DesignError(form_.Design().file, Name(), "picture",
                      "the program has no icon resource named \"" + design_.picture + "\"");
  icon_.reset(icon);
}

void PictureBox::SetPicture(HICON icon) {
  design_.picture.clear();
  icon_.reset(icon ? CopyIcon(icon) : nullptr);
  ApplyDpi(form_.Dpi());
}

void PictureBox::ApplyDpi(int dpi) {
  LoadPicture(dpi);
  Control::ApplyDpi(dpi);
}

SIZE PictureBox::PixelSize(int dpi) const {
  if (!design_.autoSize || !icon_) return Control::PixelSize(dpi);
  ICONINFO info{};
  SIZE size{0, 0};
  if (GetIconInfo(icon_.get(), &info)) {
    BITMAP bm{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    size = {bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
  if (design_.borderStyle) {
    size.cx += 2 * GetSystemMetricsForDpi(SM_CXEDGE, dpi);
    size.cy += 2 * GetSystemMetricsForDpi(SM_CYEDGE, dpi);
  }
  return size;
}

void PictureBox::Paint(HDC dc) {
  if (icon_) DrawIconEx(dc, 0, 0, icon_.get(), 0, 0, 0, nullptr, DI_NORMAL);
}

// ---- Line ----

void Line::Draw(HDC dc, int dpi) const {
  if (!design_.visible) return;
  const int x1 = TwipsToPixels(design_.x1, dpi), y1 = TwipsToPixels(design_.y1, dpi);
  const int x2 = TwipsToPixels(design_.x2, dpi), y2 = TwipsToPixels(design_.y2, dpi);
  // The width is given in pixels at 96 DPI and scales with the screen, never below one pixel.
  const int width = std::max(1, nint(design_.borderWidth * dpi / 96.0));
  const COLORREF color = DisplayColor(design_.borderColor, COLOR_BTNTEXT);
  if (x1 == x2 && y1 == y2) return;
  if (x1 == x2 || y1 == y2) {
    // Straight lines are filled rectangles that grow right and down from their coordinates,
    // so a wide line keeps inside them and the last point is not drawn, as with LineTo.
    RECT r = y1 == y2 ? RECT{std::min(x1, x2), y1, std::max(x1, x2), y1 + width}
                      : RECT{x1, std::min(y1, y2), x1 + width, std::max(y1, y2)};
    UniqueBrush brush(CreateSolidBrush(color));
    FillRect(dc, &r, brush.get());
    return;
  }
  LOGBRUSH lb{BS_SOLID, color, 0};
  UniquePen pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, static_cast<DWORD>(width),
                             &lb, 0, nullptr));
  SelectGuard guard(dc, pen.get());
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

}  // namespace velmora::platform
