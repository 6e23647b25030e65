// Derived colours, the caption font and picture metrics, the back buffer, and the redraw that
// lets the painter of the current style draw into the buffer and copies it to the window.
#include <windows.h>

#include <cwctype>

#include "control/Ornabutton.h"
#include "platform/Handles.h"
#include "platform/Numeric.h"
#include "platform/Text.h"

namespace velmora {

namespace {
bool SameWord(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  return true;
}
}  // namespace

void Ornabutton::RebuildDerived(std::wstring_view What) {
  if (SameWord(What, L"Font")) {
    // The font is built when the buffer exists (the buffer's creation builds it again).
    if (!s.BufferDC) return;
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
    HGDIOBJ replaced = SelectObject(s.BufferDC, CreateFontIndirectW(&lf));
    if (!s.BufferOldFont) {
      s.BufferOldFont = replaced;
    } else {
      DeleteObject(replaced);  // our previous caption font
    }
  } else if (SameWord(What, L"Picture")) {
    if (s.Picture.IsEmpty()) {
      if (s.ScaledPicture) DeleteObject(s.ScaledPicture);
      s.ScaledPicture = nullptr;
      s.PictureWidth = s.PictureHeight = 0;
      return;
    }
    // The picture object knows whether it is a bitmap or an icon, which holds also for
    // bitmaps the system keeps device-dependent.
    const SIZE size = s.Picture.PixelSize();
    s.PictureIsIcon = s.Picture.kind() == platform::Picture::Kind::Icon ? 1 : 0;
    s.PictureWidth = size.cx;
    s.PictureHeight = size.cy;
  } else if (SameWord(What, L"BackColor")) {
    const int32_t B = Translate(s.BackColor);
    const int32_t H = Translate(s.HoverBackColor);
    s.FaceColor = B;
    s.ShadowColor = B;
    s.HoverFaceColor = H;
    switch (s.ButtonStyle) {
      case 7:
        s.FaceColor = Shift(B, 31);
        s.ShadowColor = Shift(0x808080, -16);
        s.HoverFaceColor = Shift(H, 31);
        s.LightColor = ShiftB(0x808080, 16);
        break;
      case 2:
        s.FaceColor = ShiftB(B, 48);
        s.HoverFaceColor = ShiftB(H, 48);
        s.ShadowColor = ShiftB(s.FaceColor, -32);
        s.LightColor = ShiftB(0xFFFFFF, -32);
        break;
      case 3:
        s.ShadowColor = Shift(0x808080, 12);
        s.LightColor = Shift(s.ShadowColor, 31);
        break;
      default:
        s.LightColor = Shift(0xFFFFFF, -32);
        break;
    }
  }
}

void Ornabutton::UpdateBackBuffer(bool Create) {
  if (!Create) {
    BitBlt(ScreenDC(), 0, 0, nint(UserControl.ScaleWidth()), nint(UserControl.ScaleHeight()),
           s.BufferDC, 0, 0, SRCCOPY);
    return;
  }
  if (!s.BufferDC) {
    s.BufferDC = CreateCompatibleDC(UserControl.hDC());
    // Text is drawn over the face without a background box.
    SetBkMode(s.BufferDC, TRANSPARENT);
    s.BufferOldBrush = SelectObject(s.BufferDC, CreateSolidBrush(0));
    s.BufferOldPen = SelectObject(s.BufferDC, CreatePen(PS_SOLID, 1, 0));
  }
  RebuildDerived(L"Font");
  if (!s.BufferOldBitmap) {
    HBITMAP bitmap = CreateCompatibleBitmap(UserControl.hDC(), nint(UserControl.ScaleWidth()),
                                            nint(UserControl.ScaleHeight()));
    s.BufferOldBitmap = SelectObject(s.BufferDC, bitmap);
  }
}

void Ornabutton::RedrawButton() {
  if (s.DrawingDelayed || released_) return;
  // Every visible change passes here, so the states screen readers see are compared here.
  AnnounceState();
  Points points{};
  Colors colors{};
  int16_t State = 0;
  int16_t DrawLevel = 0;
  switch (s.ButtonStyle) {
    case 0: RaisedBevel(points, colors, State, DrawLevel); break;
    case 1: FramedBevel(points, colors, State, DrawLevel); break;
    case 2: RoundedHotTrack(points, colors, State, DrawLevel); break;
    case 3: EtchedFlat(points, colors, State, DrawLevel); break;
    case 4: ThinBevel(points, colors, State, DrawLevel); break;
    case 5: FlatHotTrack(points, colors, State, DrawLevel); break;
    case 6: SoftBevel(points, colors, State, DrawLevel); break;
    case 7: RoundedFramed(points, colors, State, DrawLevel); break;
    default: PlainFace(points, colors, State, DrawLevel); break;  // a stored style outside 0..7
  }
  int32_t OutlineColor = colors[12];
  if (DrawLevel == 0) return;
  UpdateBackBuffer(false);
  ++paintCount_;

  if (DrawLevel > 1) {
    HRGN region = nullptr;
    const auto windowRegion = [this] {
      HRGN copy = CreateRectRgn(0, 0, 0, 0);
      GetWindowRgn(UserControl.hWnd(), copy);
      return copy;
    };
    const bool pressed = PressedInside();
    if (s.ButtonShape >= 4 && s.ButtonShape <= 6) {
      if (s.ButtonStyle == 2 && !pressed) {
        region = s.ShapeRegion;
      } else if (s.ButtonShape == 6) {
        region = windowRegion();
      }
    } else if ((s.ButtonShape == 7 || s.ButtonShape == 8) && s.Hovering && !pressed) {
      if (s.ButtonStyle != 2) OutlineColor = s.HoverFaceColor;
      if (!(OutlineColor == Translate(s.BackColor) && s.ButtonStyle != 2)) region = windowRegion();
    } else if (s.ButtonShape == 7 || s.ButtonShape == 8) {
      if (s.StateFlags & Default) {
        region = s.ButtonShape == 8 ? s.InnerRegion : s.ShapeRegion;
        if (s.Value && s.ButtonStyle != 2) OutlineColor = Shift(s.ShadowColor, -32);
      }
    }
    if (region) {
      HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(OutlineColor));
      FrameRgn(ScreenDC(), region, brush, 1, 1);
      if (region != s.ShapeRegion && region != s.InnerRegion) DeleteObject(region);
      DeleteObject(brush);
    }
  }
  UserControl.Refresh();
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
  const int32_t customClick = s.CustomClick;
  s.CustomClick = 0;
  printTarget_ = dc;
  Refresh();
  printTarget_ = nullptr;
  s.CustomClick = customClick;
  RestoreDC(dc, saved);
}

bool Ornabutton::ApplyClickOffset() {
  if (s.CustomClick < 1 || s.CustomClick > 8 || s.Mode != 0) return false;
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
    UpdateBackBuffer(false);
    UserControl.Refresh();
    return true;
  }
  if ((s.StateFlags & Offset) && !pressed) {
    // The release table is the press table negated.
    MoveWindow(UserControl.hWnd(), corner.x - dx, corner.y - dy, W, H, TRUE);
    s.StateFlags = static_cast<int16_t>(s.StateFlags & ~Offset);
  }
  return false;
}

}  // namespace velmora
