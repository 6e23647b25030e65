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
// A value before the first named one or after the last.
template <typename Named>
bool Outside(int32_t value, Named last) {
  return value < 0 || value > static_cast<int32_t>(last);
}
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
  if (Outside(Style, Look::RoundedFramed)) return;
  const bool flatHotTrackBefore = look() == Look::FlatHotTrack;
  s.ButtonStyle = Style;
  // The style trims the corners of the four-sided shapes; the flat hot-track style draws no
  // ellipse ring.
  if (HasBevelRings(shape()) ||
      ((flatHotTrackBefore || look() == Look::FlatHotTrack) && shape() < Shape::Picture))
    BuildShape();
  LayoutContent(PictureCopy::Keep);
  RebuildDerived(Derived::BackColor);
  RedrawButton();
  Changed("BackStyle");
}

void Ornabutton::SetMode(int32_t nMode) {
  if (Outside(nMode, ClickMode::OptionButton)) return;
  const ClickMode old = clickMode(), next = static_cast<ClickMode>(nMode);
  if (old == ClickMode::OptionButton && next < ClickMode::OptionButton)
    UpdateOptionGroup(GroupAction::Leave);
  if (next == ClickMode::OptionButton && old < ClickMode::OptionButton)
    UpdateOptionGroup(GroupAction::Join);
  if (next == ClickMode::CommandButton && old > ClickMode::CommandButton) SetValue(false);
  s.Mode = nMode;
  AnnounceState();
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
  LayoutContent(PictureCopy::Keep);
  RedrawButton();
  Changed("Caption");
}

void Ornabutton::SetCaptionAlign(int32_t nAlign) {
  if (Outside(nAlign, CaptionPlace::Centre)) return;
  const bool stacked = IsStacked(picturePlace());
  if (static_cast<CaptionPlace>(nAlign) != CaptionPlace::Centre && stacked &&
      s.PictureWidth + s.PictureHeight > 0) {
    if (DesignMode())
      Inform(L"When button images are aligned top/bottom center, \r\n"
             L"button captions can only be center aligned");
    return;
  }
  s.CaptionAlign = nAlign;
  LayoutContent(PictureCopy::Keep);
  RedrawButton();
  Changed("CapAlign");
}

void Ornabutton::SetCaptionStyle(int32_t nStyle) {
  if (Outside(nStyle, CaptionRelief::Engraved)) return;
  s.CaptionStyle = nStyle;
  Changed("CapStyle");
  if (!s.Caption.empty()) {
    LayoutContent(PictureCopy::Keep);
    RedrawButton();
  }
}

void Ornabutton::SetCustomClick(int32_t nOpt) {
  if (Outside(nOpt, ClickShift::Left)) return;
  if (static_cast<ClickShift>(nOpt) != ClickShift::None && shape() < Shape::Picture && DesignMode())
    Inform(L"This property has no effect unless the Button Shape is a custom shape.");
  s.CustomClick = nOpt;
  Changed("CustomClick");
}

void Ornabutton::SetButtonShape(int32_t nShape) {
  if (Outside(nShape, Shape::PictureRinged)) return;
  if (IsPictureShape(static_cast<Shape>(nShape))) {
    if (s.Picture.IsEmpty() || s.PictureIsIcon == 1) {
      if (DesignMode())
        Inform(L"The Picture Property must be assigned first and must be a bitmap or JPEG.");
      return;
    }
    if (static_cast<PictureBox>(PictureSize()) != PictureBox::Fitted) {
      DelayDrawing(true);
      // Accepted: the new shape is not stored yet.
      SetPictureSize(static_cast<int32_t>(PictureBox::Fitted));
      s.DrawingDelayed = false;
    }
  }
  s.ButtonShape = nShape;
  s.CaptionAlign = static_cast<int32_t>(CaptionPlace::Centre);
  Resize();
  DelayDrawing(false);
  Changed("Shape");
}

void Ornabutton::SetPicture(const platform::Picture& xPic) {
  s.Picture = xPic;
  if (s.PicturePixels == 0) s.PicturePixels = PixelsOf(PictureBox::Small16);
  RebuildDerived(Derived::Picture);
  if (shape() <= Shape::EllipseOutlined) {
    LayoutContent(PictureCopy::Rebuild);
    RedrawButton();
  }
  if (IsPictureShape(shape())) {
    if (xPic.IsEmpty()) {
      SetButtonShape(static_cast<int32_t>(Shape::Rectangle));
    } else if (s.PictureIsIcon == 1) {
      SetButtonShape(static_cast<int32_t>(Shape::Rectangle));
      if (DesignMode())
        Inform(L"Icons cannot be used for custom buttons. Only use bitmaps or JPEGs.\r\n"
               L"Button was changed to Rectangular shaped.");
    }
    Resize();
  }
  Changed("Image");
}

void Ornabutton::SetPictureAlign(int32_t ImgAlign) {
  if (Outside(ImgAlign, PicturePlace::BottomCentre)) return;
  s.PictureAlign = ImgAlign;
  if (IsStacked(picturePlace())) SetCaptionAlign(static_cast<int32_t>(CaptionPlace::Centre));
  LayoutContent(PictureCopy::Keep);
  RedrawButton();
  Changed("ImgAlign");
}

void Ornabutton::SetEnabled(bool bEnabled) {
  if (UserControl.Enabled() == bEnabled) return;
  UserControl.SetEnabled(bEnabled);
  AnnounceState();
  if (look() == Look::EtchedFlat && IsCommandButton() && HasBevelRings(shape())) {
    // The corner trimming of this style depends on Enabled.
    DelayDrawing(true);
    BuildShape();
    LayoutContent(PictureCopy::Keep);
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
      AnnounceState();
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
  if (bValue && IsCommandButton()) {
    if (DesignMode()) Inform(L"This property is not applicable for command button modes.");
    return;
  }
  s.Value = bValue;
  AnnounceState();
  if (bValue && clickMode() == ClickMode::OptionButton) UpdateOptionGroup(GroupAction::Selected);
  RedrawButton();
  Changed("Value");
}

int32_t Ornabutton::PictureSize() {
  if (s.PicturePixels == 0) s.PicturePixels = PixelsOf(PictureBox::Small16);
  return s.PicturePixels / 8 - 2;
}

void Ornabutton::SetPictureSize(int32_t nSize) {
  if (Outside(nSize, PictureBox::Fitted)) return;
  if (shape() >= Shape::Picture) {
    if (DesignMode()) Inform(L"The picture size cannot be changed for Shaped buttons");
    return;
  }
  s.PicturePixels = PixelsOf(static_cast<PictureBox>(nSize));
  LayoutContent(PictureCopy::Rebuild);
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
  RebuildDerived(Derived::Font);
  LayoutContent(PictureCopy::Keep);
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
  RebuildDerived(Derived::Font);
  LayoutContent(PictureCopy::Keep);
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
  if (FaceLocked()) SetHoverBackColor(HasGradient() ? s.GradientColor : nColor);
  RebuildDerived(Derived::BackColor);
  RedrawButton();
  Changed("cBack");
}

void Ornabutton::SetGradientColor(int32_t nColor) {
  if (FaceLocked() && gradient() > GradientDirection::None) s.HoverBackColor = nColor;
  s.GradientColor = nColor;
  RebuildDerived(Derived::BackColor);
  if (HasGradient()) RedrawButton();
  Changed("cGradient");
}

void Ornabutton::SetGradientMode(int32_t nOpt) {
  if (Outside(nOpt, GradientDirection::BottomToTop)) return;
  s.GradientMode = nOpt;
  if (FaceLocked()) {
    s.HoverBackColor = HasGradient() ? s.GradientColor : s.BackColor;
    RebuildDerived(Derived::BackColor);
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
  SetGradientMode(static_cast<int32_t>(GradientDirection::None));
  SetHoverColorLocks(static_cast<int32_t>(HoverLocks::BothFollow));
  RebuildDerived(Derived::BackColor);
  DelayDrawing(false);
  Changed("cGradient");
  Changed("cBack");
}

void Ornabutton::SetHoverColorLocks(int32_t nLock) {
  s.HoverColorLocks = nLock;  // any value; one outside 0..3 locks neither colour
  if (FaceLocked()) {
    s.HoverBackColor = HasGradient() ? s.GradientColor : s.BackColor;
    Changed("cBHover");
  }
  if (CaptionLocked()) {
    s.HoverForeColor = UserControl.ForeColor();
    Changed("cFHover");
  }
  RebuildDerived(Derived::BackColor);
  Changed("LockHover");
}

void Ornabutton::SetHoverForeColor(int32_t nColor) {
  if (nColor == s.HoverForeColor) return;
  s.HoverForeColor = nColor;
  Changed("cFHover");
  // The caption's hover colour no longer follows.
  if (nColor != UserControl.ForeColor()) {
    const auto locks = static_cast<HoverLocks>(s.HoverColorLocks);
    if (locks == HoverLocks::BothFollow)
      s.HoverColorLocks = static_cast<int32_t>(HoverLocks::FaceFollows);
    else if (locks == HoverLocks::CaptionFollows)
      s.HoverColorLocks = static_cast<int32_t>(HoverLocks::NoneFollow);
  }
  Changed("cFHover");
}

void Ornabutton::SetHoverBackColor(int32_t nColor) {
  if (nColor == s.HoverBackColor) return;
  s.HoverBackColor = nColor;
  // The face's hover colour no longer follows.
  if (nColor != s.BackColor) {
    const auto locks = static_cast<HoverLocks>(s.HoverColorLocks);
    if (locks == HoverLocks::BothFollow)
      s.HoverColorLocks = static_cast<int32_t>(HoverLocks::CaptionFollows);
    else if (locks == HoverLocks::FaceFollows)
      s.HoverColorLocks = static_cast<int32_t>(HoverLocks::NoneFollow);
  }
  RebuildDerived(Derived::BackColor);
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
