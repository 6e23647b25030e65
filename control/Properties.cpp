// The public properties: range checks, side effects in their order, the change keys reported
// to the host, the hover colour locks and the design-time messages.
#include <windows.h>

#include <cwctype>

#include "control/Color.h"
#include "control/Ornabutton.h"
#include "platform/Application.h"
#include "platform/MessageBox.h"
#include "platform/Text.h"

namespace velmora {

namespace {
int32_t SystemColor(int index) { return static_cast<int32_t>(GetSysColor(index)); }
bool Outside(int32_t value, int32_t hi) { return value < 0 || value > hi; }
}  // namespace

int32_t Ornabutton::Translate(int32_t color) const { return TranslateColor(color, &SystemColor); }

int32_t Ornabutton::Shift(int32_t color, int16_t amount) {
  return ShiftColor(color, amount, false, false, false);
}

int32_t Ornabutton::ShiftB(int32_t color, int16_t amount) {
  return ShiftColor(color, amount, true, false, false);
}

void Ornabutton::Inform(const std::wstring& text, const std::wstring& title) const {
  platform::ShowMessage({hwnd(), text, title.empty() ? platform::App().Title() : title,
                         MB_OK | MB_ICONINFORMATION});
}

void Ornabutton::SetButtonStyle(int32_t Style) {
  if (Outside(Style, 7)) return;
  const int32_t old = s.ButtonStyle;
  s.ButtonStyle = Style;
  if (s.ButtonShape < 4 || ((old == 5 || Style == 5) && s.ButtonShape < 7)) BuildShape();
  LayoutContent(false);
  RebuildDerived(L"BackColor");
  RedrawButton();
  Changed("BackStyle");
}

void Ornabutton::SetMode(int32_t nMode) {
  if (Outside(nMode, 2)) return;
  const int32_t old = s.Mode;
  if (old == 2 && nMode < 2) UpdateOptionGroup(-1);
  if (nMode == 2 && old < 2) UpdateOptionGroup(1);
  if (nMode == 0 && old > 0) SetValue(false);
  s.Mode = nMode;
  RedrawButton();
  Changed("Mode");
}

void Ornabutton::SetCaption(const std::wstring& sCaption) {
  // The access key is the character after the last "&" (none when it ends the text or is a
  // blank, which belongs to the focused control); a caption without "&" leaves the access keys
  // as they were.
  const size_t amp = sCaption.rfind(L'&');
  size_t keyAt = std::wstring::npos;
  if (amp != std::wstring::npos) {
    if (amp + 1 < sCaption.size() && !std::iswspace(sCaption[amp + 1])) keyAt = amp;
    UserControl.SetAccessKeys(keyAt == amp ? sCaption.substr(amp + 1, 1) : L"");
  }
  s.Caption = sCaption;
  // The dialog manager takes the first single "&" of the window text as the access key. In the
  // window text every "&" is doubled but the one before the control's own key, so that it
  // finds that key or none. Screen readers take the caption itself.
  if (hwnd()) {
    std::wstring text;
    for (size_t i = 0; i < sCaption.size(); ++i) {
      if (sCaption[i] == L'&' && i != keyAt) text += L'&';
      text += sCaption[i];
    }
    SetWindowTextW(hwnd(), text.c_str());
    platform::NotifyNameChange(hwnd());
  }
  LayoutContent(false);
  RedrawButton();
  Changed("Caption");
}

void Ornabutton::SetCaptionAlign(int32_t nAlign) {
  if (Outside(nAlign, 2)) return;
  const bool stacked = s.PictureAlign == 4 || s.PictureAlign == 5;
  if (nAlign != 2 && stacked && s.PictureWidth + s.PictureHeight > 0) {
    if (DesignMode())
      Inform(L"When button images are aligned top/bottom center, \r\n"
             L"button captions can only be center aligned");
    return;
  }
  s.CaptionAlign = nAlign;
  LayoutContent(false);
  RedrawButton();
  Changed("CapAlign");
}

void Ornabutton::SetCaptionStyle(int32_t nStyle) {
  if (Outside(nStyle, 2)) return;
  s.CaptionStyle = nStyle;
  Changed("CapStyle");
  if (!s.Caption.empty()) {
    LayoutContent(false);
    RedrawButton();
  }
}

void Ornabutton::SetCustomClick(int32_t nOpt) {
  if (Outside(nOpt, 8)) return;
  if (nOpt > 0 && s.ButtonShape < 7 && DesignMode())
    Inform(L"This property has no effect unless the Button Shape is a custom shape.");
  s.CustomClick = nOpt;
  Changed("CustomClick");
}

void Ornabutton::SetButtonShape(int32_t nShape) {
  if (Outside(nShape, 8)) return;
  if (nShape == 7 || nShape == 8) {
    if (s.Picture.IsEmpty() || s.PictureIsIcon == 1) {
      if (DesignMode())
        Inform(L"The Picture Property must be assigned first and must be a bitmap or JPEG.");
      return;
    }
    if (PictureSize() != 4) {
      DelayDrawing(true);
      SetPictureSize(4);  // accepted: the new shape is not stored yet
      s.DrawingDelayed = false;
    }
  }
  s.ButtonShape = nShape;
  if (s.CaptionAlign != 2) s.CaptionAlign = 2;
  Resize();
  DelayDrawing(false);
  Changed("Shape");
}

void Ornabutton::SetPicture(const platform::Picture& xPic) {
  s.Picture = xPic;
  if (s.PicturePixels == 0) s.PicturePixels = 16;
  RebuildDerived(L"Picture");
  if (s.ButtonShape <= 6) {
    LayoutContent(true);
    RedrawButton();
  }
  if (s.ButtonShape == 7 || s.ButtonShape == 8) {
    if (xPic.IsEmpty()) {
      SetButtonShape(0);
    } else if (s.PictureIsIcon == 1) {
      SetButtonShape(0);
      if (DesignMode())
        Inform(L"Icons cannot be used for custom buttons. Only use bitmaps or JPEGs.\r\n"
               L"Button was changed to Rectangular shaped.");
    }
    Resize();
  }
  Changed("Image");
}

void Ornabutton::SetPictureAlign(int32_t ImgAlign) {
  if (Outside(ImgAlign, 5)) return;
  s.PictureAlign = ImgAlign;
  if (ImgAlign == 4 || ImgAlign == 5) SetCaptionAlign(2);
  LayoutContent(false);
  RedrawButton();
  Changed("ImgAlign");
}

void Ornabutton::SetEnabled(bool bEnabled) {
  if (UserControl.Enabled() == bEnabled) return;
  UserControl.SetEnabled(bEnabled);
  if (s.ButtonStyle == 3 && s.Mode == 0 && s.ButtonShape < 4) {
    // The corner trimming of this style depends on Enabled.
    DelayDrawing(true);
    BuildShape();
    LayoutContent(false);
    DelayDrawing(false);
  } else {
    RedrawButton();
  }
  Changed("Enabled");
}

void Ornabutton::SetShowFocusRect(bool bShow) {
  s.ShowFocusRect = bShow;
  if (s.StateFlags & Default) {
    if (!DesignMode()) {
      s.StateFlags = static_cast<int16_t>(s.StateFlags & ~Default);
      RedrawButton();
    } else {
      Inform(L"The focus rectangle may appear on default buttons ONLY while in design mode, \r\n"
             L"but will not appear when the form is running.");
    }
  } else {
    RedrawButton();
  }
  Changed("Focus");
}

void Ornabutton::SetValue(bool bValue) {
  if (bValue && s.Mode == 0) {
    if (DesignMode()) Inform(L"This property is not applicable for command button modes.");
    return;
  }
  s.Value = bValue;
  if (bValue && s.Mode == 2) UpdateOptionGroup(0);
  RedrawButton();
  Changed("Value");
}

int32_t Ornabutton::PictureSize() {
  if (s.PicturePixels == 0) s.PicturePixels = 16;
  return s.PicturePixels / 8 - 2;
}

void Ornabutton::SetPictureSize(int32_t nSize) {
  if (Outside(nSize, 4)) return;
  if (s.ButtonShape >= 7) {
    if (DesignMode()) Inform(L"The picture size cannot be changed for Shaped buttons");
    return;
  }
  s.PicturePixels = static_cast<int16_t>((nSize + 2) * 8);
  LayoutContent(true);
  RedrawButton();
  Changed("ImgSize");
}

platform::HostResult Ornabutton::SetMousePointer(int32_t nPointer) {
  if (nPointer < INT16_MIN || nPointer > INT16_MAX)
    return platform::HostResult::Fail(platform::kErrOverflow, "Overflow");
  if (auto r = UserControl.SetMousePointer(static_cast<int16_t>(nPointer)); !r) return r;
  Changed("mPointer");
  return {};
}

void Ornabutton::SetMouseIcon(const platform::Picture& nIcon) {
  const platform::HostResult r = UserControl.SetMouseIcon(nIcon);
  if (!r) {
    if (DesignMode())
      Inform(platform::Widen(r.error().description),
             L"Select .ico Or .cur Files Only");
    return;
  }
  if (nIcon.IsEmpty()) return;
  (void)SetMousePointer(99);
  Changed("mIcon");
}

platform::HostResult Ornabutton::SetFont(const platform::FontDesign& nFont) {
  if (auto r = UserControl.SetFont(nFont); !r) return r;
  RebuildDerived(L"Font");
  LayoutContent(false);
  RedrawButton();
  Changed("Font");
  return {};
}

int32_t Ornabutton::FontStyle() const {
  const platform::FontDesign& f = UserControl.Font();
  return 2 * f.Bold() + 4 * f.italic + 8 * f.underline;
}

void Ornabutton::SetFontStyle(int32_t nStyle) {
  platform::FontDesign& f = UserControl.Font();
  f.SetBold((nStyle & 2) != 0);
  f.italic = (nStyle & 4) != 0;
  f.underline = (nStyle & 8) != 0;
  RebuildDerived(L"Font");
  LayoutContent(false);
  Changed("Font");
  RedrawButton();
}

void Ornabutton::SetForeColor(int32_t nColor) {
  if (nColor == UserControl.ForeColor()) return;
  UserControl.SetForeColor(nColor);
  if (CaptionLocked()) SetHoverForeColor(UserControl.ForeColor());
  s.DrawingDelayed = false;
  RedrawButton();
  Changed("cFore");
}

void Ornabutton::SetBackColor(int32_t nColor) {
  s.BackColor = nColor;
  // The hover face follows the gradient colour in a gradient mode, which usually differs from
  // the new back colour and so releases the lock.
  if (FaceLocked()) SetHoverBackColor(s.GradientMode != 0 ? s.GradientColor : nColor);
  RebuildDerived(L"BackColor");
  RedrawButton();
  Changed("cBack");
}

void Ornabutton::SetGradientColor(int32_t nColor) {
  if (FaceLocked() && s.GradientMode > 0) s.HoverBackColor = nColor;
  s.GradientColor = nColor;
  RebuildDerived(L"BackColor");
  if (s.GradientMode != 0) RedrawButton();
  Changed("cGradient");
}

void Ornabutton::SetGradientMode(int32_t nOpt) {
  if (Outside(nOpt, 4)) return;
  s.GradientMode = nOpt;
  if (FaceLocked()) {
    s.HoverBackColor = nOpt == 0 ? s.BackColor : s.GradientColor;
    RebuildDerived(L"BackColor");
  }
  RedrawButton();
  Changed("Gradient");
}

void Ornabutton::SetResetDefaultColors(bool nDefault) {
  if (!DesignMode() || !nDefault) return;
  DelayDrawing(true);
  s.BackColor = kButtonFace;
  SetForeColor(kButtonText);
  SetGradientColor(kButtonFace);
  SetGradientMode(0);
  SetHoverColorLocks(0);
  RebuildDerived(L"BackColor");
  DelayDrawing(false);
  Changed("cGradient");
  Changed("cBack");
}

void Ornabutton::SetHoverColorLocks(int32_t nLock) {
  s.HoverColorLocks = nLock;  // any value; one outside 0..3 locks neither colour
  if (nLock == 0 || nLock == 2) {
    s.HoverBackColor = s.GradientMode != 0 ? s.GradientColor : s.BackColor;
    Changed("cBHover");
  }
  if (nLock == 0 || nLock == 1) {
    s.HoverForeColor = UserControl.ForeColor();
    Changed("cFHover");
  }
  RebuildDerived(L"BackColor");
  Changed("LockHover");
}

void Ornabutton::SetHoverForeColor(int32_t nColor) {
  if (nColor == s.HoverForeColor) return;
  s.HoverForeColor = nColor;
  Changed("cFHover");
  if (nColor != UserControl.ForeColor()) {
    if (s.HoverColorLocks == 0) s.HoverColorLocks = 2;
    else if (s.HoverColorLocks == 1) s.HoverColorLocks = 3;
  }
  Changed("cFHover");
}

void Ornabutton::SetHoverBackColor(int32_t nColor) {
  if (nColor == s.HoverBackColor) return;
  s.HoverBackColor = nColor;
  if (nColor != s.BackColor) {
    if (s.HoverColorLocks == 0) s.HoverColorLocks = 1;
    else if (s.HoverColorLocks == 2) s.HoverColorLocks = 3;
  }
  RebuildDerived(L"BackColor");
  Changed("cBHover");
}

void Ornabutton::Refresh() {
  s.DrawingDelayed = false;
  RedrawButton();
}

void Ornabutton::DelayDrawing(bool bDelay) {
  s.DrawingDelayed = bDelay;
  if (!bDelay) Refresh();
}

}  // namespace velmora
