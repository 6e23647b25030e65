// Derived colours, the caption font and picture metrics, the back buffer, the redraw that lets
// the painter of the current style draw into the buffer and copies it to the window, and the
// CustomClick displacement that moves the window while a press lasts.
#include <windows.h>

#include "control/Ornabutton.h"
#include "platform/Handles.h"
#include "platform/HighContrast.h"
#include "platform/Numeric.h"
#include "platform/Text.h"

namespace velmora {

void Ornabutton::RebuildDerived(Derived What) {
  switch (What) {
    case Derived::Font: {
      // The font is built when the buffer exists (the buffer's creation builds it again).
      if (!Buffer) return;
      const platform::FontDesign& font = UserControl.Font();
      LOGFONTW lf{};
      lf.lfHeight = nint(-(font.size * 20) / UserControl.TwipsPerPixelY());
      lf.lfWeight = font.weight;
      lf.lfItalic = font.italic ? 1 : 0;
      lf.lfUnderline = font.underline ? 1 : 0;
      lf.lfStrikeOut = font.strikethrough ? 1 : 0;
      lf.lfCharSet = DEFAULT_CHARSET;
      const std::wstring face = platform::Widen(font.name);
      face.copy(lf.lfFaceName, LF_FACESIZE - 1);
      Buffer.SetFont(CreateFontIndirectW(&lf));
      break;
    }
    case Derived::Picture: {
      if (s.Picture.IsEmpty()) {
        ScaledPicture.reset();
        s.PictureWidth = s.PictureHeight = 0;
        return;
      }
      // The picture object knows whether it is a bitmap or an icon, which holds also for
      // bitmaps the system keeps device-dependent.
      const SIZE size = s.Picture.PixelSize();
      s.PictureIsIcon = s.Picture.kind() == platform::Picture::Kind::Icon ? 1 : 0;
      s.PictureWidth = size.cx;
      s.PictureHeight = size.cy;
      break;
    }
    case Derived::BackColor: {
      const int32_t B = Translate(s.BackColor);
      const int32_t H = Translate(s.HoverBackColor);
      s.FaceColor = B;
      s.ShadowColor = B;
      s.HoverFaceColor = H;
      switch (look()) {
        case Look::RoundedFramed:
          s.FaceColor = Shift(B, 31);
          s.ShadowColor = Shift(0x808080, -16);
          s.HoverFaceColor = Shift(H, 31);
          s.LightColor = ShiftB(0x808080, 16);
          break;
        case Look::RoundedHotTrack:
          s.FaceColor = ShiftB(B, 48);
          s.HoverFaceColor = ShiftB(H, 48);
          s.ShadowColor = ShiftB(s.FaceColor, -32);
          s.LightColor = ShiftB(0xFFFFFF, -32);
          break;
        case Look::EtchedFlat:
          s.ShadowColor = Shift(0x808080, 12);
          s.LightColor = Shift(s.ShadowColor, 31);
          break;
        default:
          s.LightColor = Shift(0xFFFFFF, -32);
          break;
      }
      break;
    }
  }
}

void Ornabutton::UpdateBackBuffer() {
  Buffer.Create(UserControl.hDC());
  RebuildDerived(Derived::Font);
  Buffer.MakeBitmap(UserControl.hDC(), nint(UserControl.ScaleWidth()),
                    nint(UserControl.ScaleHeight()));
}

void Ornabutton::ShowBackBuffer() {
  BitBlt(ScreenDC(), 0, 0, nint(UserControl.ScaleWidth()), nint(UserControl.ScaleHeight()),
         Buffer.DC(), 0, 0, SRCCOPY);
}

void Ornabutton::RedrawButton() {
  if (s.DrawingDelayed || released_) return;
  Points points{};
  Colors colors{};
  int16_t State = 0;
  int16_t DrawLevel = 0;
  highContrast_ = platform::HighContrastOn();
  if (highContrast_) {
    HighContrastLook(points, colors, State, DrawLevel);
  } else {
    switch (look()) {
      case Look::RaisedBevel:
        RaisedBevel(points, colors, State, DrawLevel);
        break;
      case Look::FramedBevel:
        FramedBevel(points, colors, State, DrawLevel);
        break;
      case Look::RoundedHotTrack:
        RoundedHotTrack(points, colors, State, DrawLevel);
        break;
      case Look::EtchedFlat:
        EtchedFlat(points, colors, State, DrawLevel);
        break;
      case Look::ThinBevel:
        ThinBevel(points, colors, State, DrawLevel);
        break;
      case Look::FlatHotTrack:
        FlatHotTrack(points, colors, State, DrawLevel);
        break;
      case Look::SoftBevel:
        SoftBevel(points, colors, State, DrawLevel);
        break;
      case Look::RoundedFramed:
        RoundedFramed(points, colors, State, DrawLevel);
        break;
      default:  // a stored style outside 0..7
        PlainFace(points, colors, State, DrawLevel);
        break;
    }
  }
  int32_t OutlineColor = colors[12];
  if (DrawLevel == 0) return;
  ShowBackBuffer();
  ++paintCount_;

  if (DrawLevel > 1) {
    // The outline follows one of the inset regions or a copy of the window's region.
    HRGN region = nullptr;
    platform::UniqueRegion window;
    const auto windowRegion = [&] {
      window.reset(CreateRectRgn(0, 0, 0, 0));
      GetWindowRgn(UserControl.hWnd(), window.get());
      return window.get();
    };
    const bool pressed = PressedInside();
    const bool hotTrack = look() == Look::RoundedHotTrack;
    if (IsEllipse(shape())) {
      if (hotTrack && !pressed) {
        region = ShapeRegion.get();
      } else if (shape() == Shape::EllipseOutlined) {
        region = windowRegion();
      }
    } else if (IsPictureShape(shape()) && s.Hovering && !pressed) {
      if (!hotTrack) OutlineColor = s.HoverFaceColor;
      if (highContrast_ || !(OutlineColor == Translate(s.BackColor) && !hotTrack))
        region = windowRegion();
    } else if (IsPictureShape(shape())) {
      if (s.StateFlags & Default) {
        region = shape() == Shape::PictureRinged ? InnerRegion.get() : ShapeRegion.get();
        if (s.Value && !hotTrack) OutlineColor = Shift(s.ShadowColor, -32);
      }
    }
    if (highContrast_) OutlineColor = SystemColour(COLOR_BTNTEXT);
    if (region) {
      const platform::UniqueBrush brush(CreateSolidBrush(static_cast<COLORREF>(OutlineColor)));
      FrameRgn(ScreenDC(), region, brush.get(), 1, 1);
    }
  }
  UserControl.Refresh();
}

void Ornabutton::SystemColorsChanged() {
  // Colours stored as system colours resolve anew, and high contrast may have come or gone.
  s.ContainerBackColor = Translate(UserControl.Ambient().BackColor);
  RebuildDerived(Derived::BackColor);
  RedrawButton();
}

void Ornabutton::ShowInteraction() {
  AnnounceState();
  if (!ApplyClickOffset()) RedrawButton();
}

void Ornabutton::PaintInto(HDC dc, const Interaction& look) {
  const bool over = look.Hovering || look.Pressed;
  int16_t flags = static_cast<int16_t>(s.StateFlags & ~(MouseOver | ButtonDown | Default));
  if (over) flags = static_cast<int16_t>(flags | MouseOver);
  if (look.Pressed) flags = static_cast<int16_t>(flags | ButtonDown);
  if (look.IsDefault) flags = static_cast<int16_t>(flags | Default);
  s.StateFlags = flags;
  s.Hovering = over;
  s.PressHeld = look.Pressed;
  // The window shows only what lies inside its region.
  const int saved = SaveDC(dc);
  const platform::UniqueRegion window(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(hwnd(), window.get()) != ERROR) ExtSelectClipRgn(dc, window.get(), RGN_AND);
  printTarget_ = dc;
  Refresh();
  printTarget_ = nullptr;
  RestoreDC(dc, saved);
}

bool Ornabutton::ApplyClickOffset() {
  if (s.DrawingDelayed || released_) return false;  // as for a redraw: nothing shows now
  const auto shift = static_cast<ClickShift>(s.CustomClick);
  if (shift < ClickShift::Up || shift > ClickShift::Left || !IsCommandButton()) return false;
  // Per direction, the press moves by (dx, dy) and the release by the opposite.
  static constexpr int kPress[9][2] = {{0, 0},  {0, -1}, {1, -1}, {-1, -1}, {1, 1},
                                       {-1, 1}, {1, 0},  {0, 1},  {-1, 0}};
  RECT r;
  GetWindowRect(UserControl.hWnd(), &r);
  POINT corner{r.left, r.top};
  ScreenToClient(ContainerWindow(), &corner);
  const int W = r.right - r.left, H = r.bottom - r.top;
  const int dx = kPress[s.CustomClick][0], dy = kPress[s.CustomClick][1];
  const bool pressed = PressedInside();
  if (pressed && !(s.StateFlags & Offset)) {
    MoveWindow(UserControl.hWnd(), corner.x + dx, corner.y + dy, W, H, TRUE);
    s.StateFlags = static_cast<int16_t>(s.StateFlags | Offset);
    ShowBackBuffer();
    UserControl.Refresh();
    return true;
  }
  if ((s.StateFlags & Offset) && !pressed) {
    MoveWindow(UserControl.hWnd(), corner.x - dx, corner.y - dy, W, H, TRUE);
    s.StateFlags = static_cast<int16_t>(s.StateFlags & ~Offset);
  }
  return false;
}

}  // namespace velmora
