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

void Ornabutton::SelectDrawingTool(bool Enable, HDC DC, int32_t Kind, int32_t Color, bool WithPen,
                                   int32_t PenWidth, int32_t /*Reserved*/, int32_t PenStyle) {
  // Pens and brushes always go into the buffer: it owns exactly one of each, so every selection
  // deletes the one it replaces.
  const auto replace = [this](HGDIOBJ object) { DeleteObject(SelectObject(s.BufferDC, object)); };
  const auto pen = [&] { return CreatePen(PenStyle, PenWidth, static_cast<COLORREF>(Color)); };
  if (!Enable) {
    replace(s.BufferOldBrush);
    replace(s.BufferOldPen);
    return;
  }
  switch (Kind) {
    case 0:
      replace(CreateSolidBrush(static_cast<COLORREF>(Color)));
      if (WithPen) replace(pen());
      break;
    case 1:
      replace(pen());
      break;
    case 2:
      SetTextColor(DC, static_cast<COLORREF>(Translate(Color)));
      break;
    default:
      break;
  }
}

void Ornabutton::FillBox(HDC DC, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom,
                         int32_t FillColor, int32_t PenColor, int32_t PenWidth, int32_t PenStyle) {
  if (PenColor != -1) SelectDrawingTool(true, DC, 1, PenColor, true, PenWidth, 0, PenStyle);
  // Without a pen colour the outline is drawn in the fill colour: a solid block.
  SelectDrawingTool(true, DC, 0, FillColor, PenColor == -1, 1, 0, 0);
  Rectangle(DC, Left, Top, Right, Bottom);
}

void Ornabutton::PaintFace(int32_t BaseColor, int16_t& State, int16_t& DrawLevel, int32_t GradColor,
                           int32_t& HoverColor) {
  BeginFacePaint(DrawLevel);
  if (DrawLevel == 0) return;
  const bool pressed = PressedInside();
  State = pressed ? 2 : (s.StateFlags & Default) ? 1 : 0;
  if (HoverColor < 0) HoverColor = BaseColor;
  const bool hoverFill = s.Hovering && ((s.Mode == 0 && !pressed) || (s.Mode > 0 && !s.Value));
  const int32_t Fill = hoverFill ? HoverColor : BaseColor;
  const float W = UserControl.ScaleWidth(), H = UserControl.ScaleHeight();

  if (s.GradientMode != 0 && !s.Value && s.ButtonShape < 7) {
    // Under the pointer the gradient gives way to the hover colour, unless the hover colour is
    // the gradient's own second colour.
    if (s.Hovering && !pressed && s.GradientColor != s.HoverBackColor) {
      FillBox(s.BufferDC, 0, 0, nint(W), nint(H), HoverColor, -1, 0, 0);
      return;
    }
    if (GradColor < 0) GradColor = BaseColor;
    PaintGradient(BaseColor, GradColor);
    return;
  }
  if (s.ButtonStyle == 2 && (UserControl.Enabled() || s.Mode > 0)) {
    // One row per pixel, darkening by 25 levels from the top row to the bottom one.
    const int32_t N = H > 0 ? nint(H) : -1;
    for (int32_t i = 0; i <= N; ++i) {
      auto Amount = static_cast<int16_t>(nint(-(25.0f / H) * static_cast<float>(i)));
      const int32_t Row = ShiftColor(Fill, Amount, true, false, false);
      FillBox(s.BufferDC, 0, i, nint(W), i + 1, Row, -1, 0, 0);
    }
    return;
  }
  FillBox(s.BufferDC, 0, 0, nint(W), nint(H), Fill, -1, 0, 0);
}

void Ornabutton::BeginFacePaint(int16_t& DrawLevel) {
  if (ApplyClickOffset()) {
    DrawLevel = 0;  // moving the window has shown the existing image already
    return;
  }
  DrawLevel = 1;
  const bool pressed = PressedInside();
  if (s.ButtonStyle == 5 && !s.Hovering && !pressed && !s.Value) {
    SelectClipRgn(s.BufferDC, nullptr);
    return;
  }
  const int32_t rememberedMode = s.GradientMode;
  SelectClipRgn(s.BufferDC, nullptr);
  const bool ringShape = s.ButtonShape != 6 && s.ButtonShape != 7;
  // The rings are whole-face gradients of which only the band between the two inset regions
  // survives the clipping of the face fill: white over grey looks raised, grey over white
  // pushed.
  if (s.ButtonStyle == 5 && (s.Value || ringShape)) {
    s.GradientMode = 3;
    PaintGradient(0xFFFFFF, 0x808080);
    SelectClipRgn(s.BufferDC, s.InnerRegion);
    DrawLevel = 4;
  }
  if ((pressed || s.Value) && ringShape) {
    SelectClipRgn(s.BufferDC, s.ShapeRegion);
    s.GradientMode = 3;
    PaintGradient(0x808080, 0xFFFFFF);
    SelectClipRgn(s.BufferDC, s.InnerRegion);
    DrawLevel = 4;
  } else if (ringShape) {
    SelectClipRgn(s.BufferDC, s.ShapeRegion);
    DrawLevel = 3;
  } else if (s.ButtonShape == 7 || s.Hovering) {
    platform::UniqueRegion window(CreateRectRgn(0, 0, 0, 0));
    GetWindowRgn(UserControl.hWnd(), window.get());
    const int32_t edge = s.ButtonShape == 6 ? 0x000000 : Translate(s.BackColor);
    platform::UniqueBrush brush(CreateSolidBrush(static_cast<COLORREF>(edge)));
    FrameRgn(s.BufferDC, window.get(), brush.get(), 1, 1);
    SelectClipRgn(s.BufferDC, s.ShapeRegion);
    DrawLevel = 3;
  }
  s.GradientMode = rememberedMode;
}

void Ornabutton::PaintGradient(int32_t FromColor, int32_t ToColor) {
  const float W = UserControl.ScaleWidth(), H = UserControl.ScaleHeight();
  const int32_t Right = nint(W), Bottom = nint(H);
  const bool across = s.GradientMode == 1 || s.GradientMode == 2;
  if (!across && s.GradientMode != 3 && s.GradientMode != 4) return;
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
  RECT band = across ? RECT{0, 0, Band, Bottom} : RECT{0, 0, Right, Band};
  const bool forward = s.GradientMode % 2 == 1;
  for (int32_t k = 0; k < Count; ++k) {
    const int32_t Index = forward ? k : Count - 1 - k;
    FillBox(s.BufferDC, band.left, band.top, band.right, band.bottom, Ramp[Index], -1, 0, 0);
    OffsetRect(&band, across ? Band : 0, across ? 0 : Band);
  }
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

void Ornabutton::DrawBevelFrame(Points& points, Colors& colors, int16_t /*Reserved*/,
                                int32_t OuterPenStyle) {
  const float W = UserControl.ScaleWidth(), H = UserControl.ScaleHeight();
  const int32_t SL = (s.ButtonShape == 1 || s.ButtonShape == 3) ? 1 : 0;
  const int32_t SR = (s.ButtonShape == 2 || s.ButtonShape == 3) ? 1 : 0;
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
    if (colors[R] != LastColor)
      SelectDrawingTool(true, s.BufferDC, 1, colors[R], true, 1, 0, PenStyle);
    Polyline(s.BufferDC, &p[j], 2);
    LastColor = colors[R];
  }
  // The outer bottom again, through its last pixel, with whatever pen is current.
  if (W != static_cast<float>(SR)) Polyline(s.BufferDC, &p[14], 2);
}

}  // namespace velmora
