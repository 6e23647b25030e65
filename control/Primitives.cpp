// Drawing primitives: pens, brushes and the text colour; filled boxes; faces; gradients;
// bevel frames.
#include <windows.h>

#include <algorithm>
#include <cmath>

#include "control/Color.h"
#include "control/Ornabutton.h"
#include "platform/Numeric.h"
#include "platform/Screen.h"

namespace velmora {

// SelectDrawingTool's three kinds. Pens and brushes are the buffer's: it makes them when
// something draws with them.
void Ornabutton::SelectPen(int32_t Color, int32_t PenWidth, int32_t PenStyle) {
  Buffer.AskForPen({PenStyle, PenWidth, Color});
}

void Ornabutton::SelectBrush(int32_t Color, bool OutlineInFillColor) {
  Buffer.AskForBrush(Color);
  if (OutlineInFillColor) Buffer.AskForPen({PS_SOLID, 1, Color});
}

void Ornabutton::SelectTextColor(int32_t Color) {
  SetTextColor(Buffer.DC(), static_cast<COLORREF>(Translate(Color)));
}

void Ornabutton::FillBox(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom,
                         int32_t FillColor) {
  // The block's outline is drawn in the fill colour.
  SelectBrush(FillColor, /*OutlineInFillColor=*/true);
  // That block is filled directly, for plain RGB colours; the pen and brush stay asked for, as
  // later lines may draw with them. A one-pixel box is left to Rectangle: platforms differ on
  // whether it draws anything.
  HDC dc = Buffer.DC();
  if (!Buffer.Straightforward() && Left < Right && Top < Bottom &&
      Right - Left + Bottom - Top > 2 && (FillColor & 0xFF000000) == 0) {
    const RECT box{Left, Top, Right, Bottom};
    const COLORREF back = SetBkColor(dc, static_cast<COLORREF>(FillColor));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr);
    SetBkColor(dc, back);
    return;
  }
  Rectangle(Buffer.DrawingDC(), Left, Top, Right, Bottom);
}

void Ornabutton::PaintFace(int32_t BaseColor, int16_t& State, int16_t& DrawLevel, int32_t GradColor,
                           int32_t HoverColor) {
  BeginFacePaint(DrawLevel);
  const bool pressed = PressedInside();
  State = pressed ? 2 : (s.StateFlags & Default) ? 1 : 0;
  if (HoverColor < 0) HoverColor = BaseColor;
  const bool hoverFill =
      s.Hovering && ((IsCommandButton() && !pressed) || (IsCheckOrOption() && !s.Value));
  const int32_t Fill = hoverFill ? HoverColor : BaseColor;
  const float W = UserControl.ScaleWidth(), H = UserControl.ScaleHeight();

  // Only the four directions make a gradient face; any other stored mode paints a flat one.
  const bool gradientFace =
      gradient() >= GradientDirection::LeftToRight && gradient() <= GradientDirection::BottomToTop;
  if (gradientFace && !s.Value && shape() < Shape::Picture) {
    // Under the pointer the gradient gives way to the hover colour, unless the hover colour is
    // the gradient's own second colour.
    if (s.Hovering && !pressed && s.GradientColor != s.HoverBackColor) {
      FillBox(0, 0, nint(W), nint(H), HoverColor);
      return;
    }
    if (GradColor < 0) GradColor = BaseColor;
    PaintGradient(BaseColor, GradColor, gradient());
    return;
  }
  if (look() == Look::RoundedHotTrack && (UserControl.Enabled() || IsCheckOrOption())) {
    // One row per pixel, darkening by 25 levels from the top row to the bottom one.
    const int32_t N = H > 0 ? nint(H) : -1;
    for (int32_t i = 0; i <= N; ++i) {
      auto Amount = static_cast<int16_t>(nint(-(25.0f / H) * static_cast<float>(i)));
      const int32_t Row = ShiftColor(Fill, Amount, true, false, false);
      FillBox(0, i, nint(W), i + 1, Row);
    }
    return;
  }
  FillBox(0, 0, nint(W), nint(H), Fill);
}

void Ornabutton::BeginFacePaint(int16_t& DrawLevel) {
  DrawLevel = 1;
  HDC dc = Buffer.DC();
  const bool pressed = PressedInside();
  const bool flatHotTrack = look() == Look::FlatHotTrack;
  if (flatHotTrack && !s.Hovering && !pressed && !s.Value) {
    SelectClipRgn(dc, nullptr);
    return;
  }
  SelectClipRgn(dc, nullptr);
  const bool ringShape = shape() != Shape::EllipseOutlined && shape() != Shape::Picture;
  if (highContrast_) {
    BeginHighContrastFace(DrawLevel, pressed, ringShape);
    return;
  }
  // The rings are whole-face gradients of which only the band between the two inset regions
  // survives the clipping of the face fill: white over grey looks raised, grey over white
  // pushed.
  if (flatHotTrack && (s.Value || ringShape)) {
    PaintGradient(0xFFFFFF, 0x808080, GradientDirection::TopToBottom);
    SelectClipRgn(dc, InnerRegion.get());
    DrawLevel = 4;
  }
  if ((pressed || s.Value) && ringShape) {
    SelectClipRgn(dc, ShapeRegion.get());
    PaintGradient(0x808080, 0xFFFFFF, GradientDirection::TopToBottom);
    SelectClipRgn(dc, InnerRegion.get());
    DrawLevel = 4;
  } else if (ringShape) {
    SelectClipRgn(dc, ShapeRegion.get());
    DrawLevel = 3;
  } else if (shape() == Shape::Picture || s.Hovering) {
    platform::UniqueRegion window(CreateRectRgn(0, 0, 0, 0));
    GetWindowRgn(UserControl.hWnd(), window.get());
    const int32_t edge = shape() == Shape::EllipseOutlined ? 0x000000 : Translate(s.BackColor);
    platform::UniqueBrush brush(CreateSolidBrush(static_cast<COLORREF>(edge)));
    FrameRgn(dc, window.get(), brush.get(), 1, 1);
    SelectClipRgn(dc, ShapeRegion.get());
    DrawLevel = 3;
  }
}

void Ornabutton::BeginHighContrastFace(int16_t& DrawLevel, bool pressed, bool ringShape) {
  // As BeginFacePaint, with solid rings in place of the gradient ones: the band outside the
  // face is the outline, the band inside it shaded while the button is pushed.
  HDC dc = Buffer.DC();
  const int32_t W = nint(UserControl.ScaleWidth()), H = nint(UserControl.ScaleHeight());
  const int32_t Edge = SystemColour(COLOR_BTNTEXT);
  if (ringShape) {
    FillBox(0, 0, W, H, Edge);
    SelectClipRgn(dc, ShapeRegion.get());
    DrawLevel = 3;
    if (pressed || s.Value) {
      FillBox(0, 0, W, H, SystemColour(COLOR_3DSHADOW));
      SelectClipRgn(dc, InnerRegion.get());
      DrawLevel = 4;
    }
  } else if (shape() == Shape::Picture || s.Hovering) {
    platform::UniqueRegion window(CreateRectRgn(0, 0, 0, 0));
    GetWindowRgn(UserControl.hWnd(), window.get());
    platform::UniqueBrush brush(CreateSolidBrush(static_cast<COLORREF>(Edge)));
    FrameRgn(dc, window.get(), brush.get(), 1, 1);
    SelectClipRgn(dc, ShapeRegion.get());
    DrawLevel = 3;
  }
}

void Ornabutton::PaintGradient(int32_t FromColor, int32_t ToColor, GradientDirection Direction) {
  const float W = UserControl.ScaleWidth(), H = UserControl.ScaleHeight();
  const int32_t Right = nint(W), Bottom = nint(H);
  const bool across =
      Direction == GradientDirection::LeftToRight || Direction == GradientDirection::RightToLeft;
  if (!across && Direction != GradientDirection::TopToBottom &&
      Direction != GradientDirection::BottomToTop)
    return;
  const int32_t ScreenPx = across ? nint(platform::Screen::Width()) /
                                        std::max(1, nint(platform::Screen::TwipsPerPixelX()))
                                  : nint(platform::Screen::Height()) /
                                        std::max(1, nint(platform::Screen::TwipsPerPixelY()));
  const int32_t Size = across ? Right : Bottom;
  if (Size <= 0) return;
  // A face wider than a quarter of the screen takes 2-pixel bands, half as many rectangles.
  int32_t Band = 1, Count = Size;
  if (ScreenPx / Size < 4) {
    Count = Size / 2;
    Band = 2;
  }
  if (Count <= 0) return;
  std::vector<int32_t> Ramp(static_cast<size_t>(Count));
  BuildGradientRamp(Ramp, FromColor, ToColor);
  const bool forward =
      Direction == GradientDirection::LeftToRight || Direction == GradientDirection::TopToBottom;
  if (!Buffer.Straightforward() && PaintBands(Ramp, Band, across, forward, Right, Bottom)) return;
  RECT band = across ? RECT{0, 0, Band, Bottom} : RECT{0, 0, Right, Band};
  for (int32_t k = 0; k < Count; ++k) {
    const int32_t Index = forward ? k : Count - 1 - k;
    FillBox(band.left, band.top, band.right, band.bottom, Ramp[Index]);
    OffsetRect(&band, across ? Band : 0, across ? 0 : Band);
  }
}

bool Ornabutton::PaintBands(const std::vector<int32_t>& Ramp, int32_t Band, bool across,
                            bool forward, int32_t Right, int32_t Bottom) {
  // Only the first entry can be something else than a plain RGB colour (a raw stored value);
  // only true-colour buffers take the colours exactly as a fill does.
  const auto Count = static_cast<int32_t>(Ramp.size());
  BITMAP bm{};
  if ((Ramp[0] & 0xFF000000) != 0 ||
      !GetObjectW(GetCurrentObject(Buffer.DC(), OBJ_BITMAP), sizeof bm, &bm) || bm.bmBitsPixel < 24)
    return false;
  const int32_t w = across ? Count * Band : Right, h = across ? Bottom : Count * Band;
  // As for any fill: one-pixel bands are left to Rectangle.
  if (w <= 0 || h <= 0 || (Band == 1 && (across ? h : w) == 1)) return false;
  bandPixels_.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
  for (int32_t y = 0; y < h; ++y) {
    uint32_t* row = bandPixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(w);
    for (int32_t x = 0; x < w; ++x) {
      const int32_t k = (across ? x : y) / Band;
      const auto c = static_cast<uint32_t>(Ramp[static_cast<size_t>(forward ? k : Count - 1 - k)]);
      row[x] = (c & 0x00FF00) | (c & 0xFF) << 16 | (c >> 16 & 0xFF);  // 0x00RRGGBB
    }
  }
  BITMAPINFO info = platform::TopDownBitmapInfo(w, h);
  SetDIBitsToDevice(Buffer.DC(), 0, 0, static_cast<DWORD>(w), static_cast<DWORD>(h), 0, 0, 0,
                    static_cast<UINT>(h), bandPixels_.data(), &info, DIB_RGB_COLORS);
  // As after the fill of the last band.
  const int32_t last = Ramp[static_cast<size_t>(forward ? Count - 1 : 0)];
  SelectBrush(last, /*OutlineInFillColor=*/true);
  return true;
}

void Ornabutton::BuildGradientRamp(std::vector<int32_t>& Ramp, int32_t FromColor, int32_t ToColor) {
  if (Ramp.empty()) return;
  Ramp[0] = FromColor;
  // A one-entry ramp has no step: it is the start colour alone.
  const auto U = static_cast<int32_t>(Ramp.size()) - 1;
  if (U < 1) return;
  float Cur[3], Step[3];
  for (int c = 0; c < 3; ++c) {
    Cur[c] = static_cast<float>((FromColor >> (8 * c)) & 0xFF);
    const auto End = static_cast<float>((ToColor >> (8 * c)) & 0xFF);
    Step[c] = (End - Cur[c]) / static_cast<float>(U);
  }
  for (int32_t k = 1; k <= U; ++k) {
    int32_t color = 0;
    for (int c = 0; c < 3; ++c) {
      Cur[c] = std::clamp(Cur[c] + Step[c], 0.0f, 255.0f);
      color |= static_cast<int32_t>(std::floor(Cur[c])) << (8 * c);
    }
    Ramp[k] = color;
  }
}

void Ornabutton::DrawBevelFrame(Points& points, Colors& colors, int32_t OuterPenStyle) {
  const float W = UserControl.ScaleWidth(), H = UserControl.ScaleHeight();
  const int32_t SL = SlantsLeft(shape()) ? 1 : 0;
  const int32_t SR = SlantsRight(shape()) ? 1 : 0;
  const int32_t SC = s.ShapeCut, CR = s.ContentRight;
  const int32_t Y3 = nint(H - 3), Y1 = nint(H - 1);
  Points& p = points;
  // Three rings, each left side up, top rightwards, right side down, bottom leftwards; the
  // slant flags tilt the left or right side of every ring.
  p[0] = {SC + 2 - 4 * SL, Y3};
  p[1] = {2 * SL + 2, 2};
  p[2] = {CR - 3 + 3 * SR, 2};
  p[3] = {nint(W - 3 - 3 * SR), Y3};
  p[4] = {SC + 1 - 4 * SL, Y3};
  p[5] = {p[0].x + SL - 1, p[0].y + 1};
  p[6] = {p[1].x - SL - 1, p[1].y - 1};
  p[7] = {p[2].x + 1 - SR, p[2].y - 1};
  p[8] = {p[3].x + SR + 1, p[3].y + 1};
  p[9] = {p[4].x - 1, p[4].y + 1};
  p[10] = {SC - SL, nint(H - 1 + SL)};
  p[11] = {0, 0};
  p[12] = {CR + SR - 1, 0};
  p[13] = {nint(W - 1), nint(H - 1 + SR)};
  p[14] = {SC - 2 * SL - 1, Y1};
  p[15] = {nint(W - 1), Y1};

  int32_t PenStyle = PS_SOLID;
  int32_t LastColor = -1;
  for (int j = 0; j <= 13; ++j) {
    const int R = j <= 3 ? j + 1 : j <= 8 ? j : j - 1;
    if (j >= 9 && OuterPenStyle > -1) PenStyle = OuterPenStyle;
    if (j == 4 || j == 9) continue;  // these would join one ring to the next
    if (colors[R] < 0) continue;
    // A pen is made only when the colour changes, so a side may keep the previous pen's style.
    if (colors[R] != LastColor) SelectPen(colors[R], 1, PenStyle);
    Polyline(Buffer.DrawingDC(), &p[j], 2);
    LastColor = colors[R];
  }
  // The outer bottom again, through its last pixel, with whatever pen is current.
  if (W != static_cast<float>(SR)) Polyline(Buffer.DrawingDC(), &p[14], 2);
}

}  // namespace velmora
