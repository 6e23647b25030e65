// The eight looks. Each painter fills the face, draws caption and picture, the style's bevel
// rings from its colour table, and the focus frame, into the back buffer; DrawLevel tells the
// redraw whether anything was drawn and whether the window region wants its outline.
#include <windows.h>

#include "control/Ornabutton.h"
#include "platform/Numeric.h"

namespace velmora {

namespace {
constexpr int32_t kWhite = 0xFFFFFF, kGrey = 0x808080, kBlack = 0x000000;

void SetRange(Ornabutton::Colors& colors, int first, int last, int32_t color) {
  for (int i = first; i <= last; ++i) colors[static_cast<size_t>(i)] = color;
}
}  // namespace

void Ornabutton::CloseShape(Colors& colors, int16_t& DrawLevel) const {
  // Shapes 7 and 8, and 6 under the pointer or pressed, keep their level so that the redraw
  // outlines the window region, in black.
  if (shape() < Shape::EllipseOutlined ||
      (shape() == Shape::EllipseOutlined && !s.Hovering && !PressedInside())) {
    DrawLevel = 1;
  } else {
    colors[12] = kBlack;
  }
}

template <typename Bevel>
void Ornabutton::PaintPlain(Points& points, Colors& colors, int16_t& State, int16_t& DrawLevel,
                            Bevel&& bevel) {
  const int32_t Base = Checked() ? s.LightColor : s.FaceColor;
  const int32_t Grad = Translate(s.GradientColor);
  PaintFace(Base, State, DrawLevel, Grad, s.HoverFaceColor);
  int32_t TextColor = (!UserControl.Enabled() && IsCheckOrOption()) ? kGrey : -1;
  DrawCaption(Base, TextColor, s.Value, IsCheckOrOption(), s.HoverForeColor);
  if (HasBevelRings(shape())) {
    // The style sets its rings (and may set TextColor, which from here on is the focus colour).
    if (shape() > Shape::Rectangle && !CheckedOrHeld()) TextColor = Shift(Base, -48);
    bevel(Base, TextColor);
    DrawBevelFrame(points, colors, -1);
  }
  CloseShape(colors, DrawLevel);
  DrawFocusFrame(TextColor, s.Value, FocusAround::Face, points);
}

void Ornabutton::RaisedBevel(Points& points, Colors& colors, int16_t& State, int16_t& DrawLevel) {
  PaintPlain(points, colors, State, DrawLevel, [&](int32_t Base, int32_t& TextColor) {
    int32_t Light = PressedInside() ? Base : 0xE9E9E9;
    if (CheckedOrHeld()) {
      State = 3;
      Light = 0xE9E9E9;
      TextColor = kBlack;
    }
    const size_t k = static_cast<size_t>(State);  // 0 normal, 1 default, 2 pressed, 3 checked
    const std::array<int32_t, 4> innerLeftTop{-1, Light, -1, -1};
    const std::array<int32_t, 4> innerRightBottom{-1, kGrey, -1, -1};
    const std::array<int32_t, 4> middleLeftTop{Light, kWhite, -1, -1};
    const std::array<int32_t, 4> middleRightBottom{kGrey, kBlack, kGrey, Light};
    if (k < 4) {
      SetRange(colors, 1, 2, innerLeftTop[k]);
      SetRange(colors, 3, 4, innerRightBottom[k]);
      SetRange(colors, 5, 6, middleLeftTop[k]);
      SetRange(colors, 7, 8, middleRightBottom[k]);
    }
    if (CheckedOrHeld()) {
      SetRange(colors, 9, 10, kBlack);
      SetRange(colors, 11, 12, kWhite);
    } else {
      SetRange(colors, 9, 10, (s.StateFlags & Default) ? kBlack : kWhite);
      SetRange(colors, 11, 12, kBlack);
    }
  });
}

void Ornabutton::FramedBevel(Points& points, Colors& colors, int16_t& State, int16_t& DrawLevel) {
  PaintPlain(points, colors, State, DrawLevel, [&](int32_t, int32_t& TextColor) {
    if (CheckedOrHeld()) {
      TextColor = kBlack;
      State = 2;
    } else if (State == 0) {
      State = 1;
    }
    const int32_t L = State == 2 ? kGrey : kWhite;
    const int32_t D = State == 2 ? kWhite : kGrey;
    for (int i : {1, 2, 5, 6}) colors[static_cast<size_t>(i)] = L;
    for (int i : {3, 4, 7, 8}) colors[static_cast<size_t>(i)] = D;
    SetRange(colors, 9, 12, kBlack);
  });
}

void Ornabutton::ThinBevel(Points& points, Colors& colors, int16_t& State, int16_t& DrawLevel) {
  PaintPlain(points, colors, State, DrawLevel, [&](int32_t, int32_t& TextColor) {
    SetRange(colors, 1, 8, -1);
    if (CheckedOrHeld()) {
      TextColor = kBlack;
      State = 2;
    } else if (State == 0) {
      State = 1;
    }
    SetRange(colors, 9, 10, State == 2 ? kGrey : kWhite);
    SetRange(colors, 11, 12, State == 2 ? kWhite : kGrey);
  });
}

void Ornabutton::SoftBevel(Points& points, Colors& colors, int16_t& State, int16_t& DrawLevel) {
  PaintPlain(points, colors, State, DrawLevel, [&](int32_t, int32_t& TextColor) {
    const int32_t Pale = Shift(0xDFDFDF, 8);
    SetRange(colors, 1, 4, -1);
    if (CheckedOrHeld()) {
      TextColor = kBlack;
      State = 1;
    } else {
      State = PressedInside() ? 1 : 0;
    }
    for (int i : {5, 6, 9, 10}) colors[static_cast<size_t>(i)] = State == 0 ? Pale : kGrey;
    for (int i : {7, 8, 11, 12}) colors[static_cast<size_t>(i)] = State == 0 ? kGrey : Pale;
  });
}

void Ornabutton::EtchedFlat(Points& points, Colors& colors, int16_t& State, int16_t& DrawLevel) {
  int32_t Base = s.FaceColor;
  if (Checked()) Base = s.LightColor;
  if (IsCommandButton() && PressedInside()) Base = s.ShadowColor;
  PaintFace(Base, State, DrawLevel, Translate(s.GradientColor), s.HoverFaceColor);
  const bool enabled = UserControl.Enabled();
  const int32_t TextColor = enabled ? kGrey : Shift(kGrey, -16);
  // The content never moves.
  DrawCaption(Base, TextColor, /*Pushed=*/false, /*SingleDisabledCopy=*/true, s.HoverForeColor);
  if (HasBevelRings(shape())) {
    const int32_t Dark = Shift(kGrey, -26);
    int32_t Hi = kWhite;
    if (enabled || IsCheckOrOption()) {
      SetRange(colors, 1, 4, -1);
      if (IsCheckOrOption()) State = (s.Value || s.PressHeld) ? 2 : 3;
      if (State == 0) State = 1;
      // Indexed by State itself: 1 and 3 light, 2 the face.
      SetRange(colors, 5, 6, State == 2 ? Base : Hi);
      SetRange(colors, 7, 8, Dark);
    } else {
      SetRange(colors, 1, 8, Base);
      Hi = Dark;
    }
    SetRange(colors, 9, 10, Dark);
    SetRange(colors, 11, 12, Hi);
    DrawBevelFrame(points, colors, -1);
  }
  CloseShape(colors, DrawLevel);
  DrawFocusFrame(0xCC9999, /*Value=*/true, FocusAround::Content, points);
}

void Ornabutton::FlatHotTrack(Points& points, Colors& colors, int16_t& State, int16_t& DrawLevel) {
  const int32_t Base = Checked() ? s.LightColor : s.FaceColor;
  PaintFace(Base, State, DrawLevel, Translate(s.GradientColor), s.HoverFaceColor);
  const int32_t TextColor = (!UserControl.Enabled() && IsCheckOrOption()) ? kGrey : -1;
  DrawCaption(Base, TextColor, s.Value, IsCheckOrOption(), s.HoverForeColor);
  int32_t Focus = kBlack;
  if (!Checked() && shape() > Shape::Rectangle) Focus = Shift(s.ContainerBackColor, -32);
  const bool design = DesignMode();
  if (design && IsEllipse(shape())) {
    // A dotted outline shows the designer where the flat button is.
    SelectClipRgn(Buffer.DC(), nullptr);
    SelectPen(Shift(s.ContainerBackColor, -32), 1, PS_DOT);
    Arc(Buffer.DrawingDC(), 0, 0, nint(UserControl.ScaleWidth() - 1),
        nint(UserControl.ScaleHeight() - 1), 0, 0, 0, 0);
    SelectClipRgn(Buffer.DC(), ShapeRegion.get());
  } else if (HasBevelRings(shape())) {
    SetRange(colors, 1, 8, -1);
    if ((s.StateFlags & MouseOver) || s.Value) {
      if (CheckedOrHeld()) State = 2;
      if (State == 0) State = 1;
      SetRange(colors, 9, 10, State == 2 ? kGrey : kWhite);
      SetRange(colors, 11, 12, State == 2 ? kWhite : kGrey);
    } else {
      int32_t C = -1;  // no edge at all at run time
      if (design) {
        C = Shift(s.ContainerBackColor, -64);
        if (C == kBlack) C = kWhite;
      }
      SetRange(colors, 9, 12, C);
    }
    DrawBevelFrame(points, colors, design ? PS_DOT : PS_SOLID);
  }
  CloseShape(colors, DrawLevel);
  DrawFocusFrame(Focus, s.Value, FocusAround::Face, points);
}

void Ornabutton::RoundedFramed(Points& points, Colors& colors, int16_t& State, int16_t& DrawLevel) {
  const bool pressed = PressedInside();
  const bool enabled = UserControl.Enabled();
  int32_t Base = s.FaceColor;
  if (IsCommandButton() && pressed) Base = s.ShadowColor;
  if (Checked()) Base = s.LightColor;
  int32_t Grad = Base;
  if (!s.Value && HasGradient()) {
    Grad = Shift(Translate(s.GradientColor), 31);
    if (pressed) Base = s.FaceColor;
  }
  PaintFace(Base, State, DrawLevel, Grad, s.HoverFaceColor);

  int32_t TextColor = -1;
  if ((pressed && IsCommandButton()) || s.Value) {
    TextColor = (!enabled && s.Value) ? ShiftB(Base, -32) : s.FaceColor;
  } else if (!enabled && IsCheckOrOption()) {
    TextColor = kGrey;
  } else if (enabled) {
    TextColor = Translate(UserControl.ForeColor());
  }
  // When the hover caption colour is the normal one, or the button is set, the caption keeps
  // TextColor under the pointer too, and the focus frame takes the hover colour.
  int32_t HoverText = s.HoverForeColor;
  int32_t Focus = -1;
  if (UserControl.ForeColor() == s.HoverForeColor || s.Value) {
    HoverText = TextColor;
    Focus = s.HoverForeColor;
  }
  DrawCaption(Base, TextColor, s.Value, IsCheckOrOption(), HoverText);

  if (HasBevelRings(shape())) {
    if (CheckedOrHeld()) State = s.Value ? 2 : 0;
    int32_t Hi = kWhite, Mid = ShiftB(Base, 31), Dark = ShiftB(Base, -64);
    if (State == 2) {
      const int32_t G = HasGradient() ? s.FaceColor : kGrey;
      Base = G;
      Hi = Shift(G, -32);
      Mid = Shift(G, -64);
      Dark = Shift(G, -16);
    }
    SetRange(colors, 1, 2, Hi);
    SetRange(colors, 3, 4, Base);
    SetRange(colors, 5, 6, Mid);
    SetRange(colors, 7, 8, Dark);
    SetRange(colors, 9, 12, kBlack);
    DrawBevelFrame(points, colors, -1);
    // The corner pixels round the frame off.
    const float W = UserControl.ScaleWidth(), H = UserControl.ScaleHeight();
    HDC dc = Buffer.DC();
    if (s.ShapeCut == 0) {
      SetPixel(dc, 3, 3, static_cast<COLORREF>(Hi));
      SetPixel(dc, 1, nint(H - 3), static_cast<COLORREF>(Base));
      SetPixel(dc, 2, 2, static_cast<COLORREF>(Mid));
      SetPixel(dc, 1, nint(H - 2), kBlack);
      SetPixel(dc, 1, 1, kBlack);
    }
    if (W == static_cast<float>(s.ContentRight)) {
      SetPixel(dc, nint(W - 4), nint(H - 4), static_cast<COLORREF>(Base));
      SetPixel(dc, nint(W - 3), 1, static_cast<COLORREF>(Base));
      SetPixel(dc, nint(W - 3), nint(H - 3), static_cast<COLORREF>(Dark));
      SetPixel(dc, nint(W - 2), nint(H - 2), kBlack);
      SetPixel(dc, nint(W - 2), 1, kBlack);
    }
  }
  CloseShape(colors, DrawLevel);
  DrawFocusFrame(Focus, s.Value, FocusAround::Content, points);
}

void Ornabutton::HighContrastLook(Points& points, Colors& colors, int16_t& State,
                                  int16_t& DrawLevel) {
  // The look keeps its shape, its rings' places and its content; the colours are the system's:
  // the highlight while the pointer is over it, it is pushed or it is set.
  const bool enabled = UserControl.Enabled();
  const bool pressed = PressedInside();
  const bool lit = enabled && (s.Hovering || pressed || s.Value);
  const int32_t Face = SystemColour(lit ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
  const int32_t Text = SystemColour(!enabled ? COLOR_GRAYTEXT
                                    : lit    ? COLOR_HIGHLIGHTTEXT
                                             : COLOR_BTNTEXT);
  const int32_t Edge = SystemColour(COLOR_BTNTEXT), Shade = SystemColour(COLOR_3DSHADOW);
  BeginFacePaint(DrawLevel);
  State = pressed ? 2 : (s.StateFlags & Default) ? 1 : 0;
  FillBox(0, 0, nint(UserControl.ScaleWidth()), nint(UserControl.ScaleHeight()), Face);
  DrawCaption(Face, Text, s.Value, /*SingleDisabledCopy=*/true, Text);
  // The flat look shows no edge at rest, as it does in its own colours.
  const bool edgeless = look() == Look::FlatHotTrack && !(s.StateFlags & MouseOver) && !s.Value;
  if (HasBevelRings(shape()) && !edgeless) {
    SetRange(colors, 1, 12, -1);
    // The outer ring outlines the button; the middle one, where the look has it, is shaded
    // right and below when raised, left and above when pushed.
    SetRange(colors, 9, 12, Edge);
    if (look() != Look::ThinBevel && look() != Look::FlatHotTrack) {
      if (pressed || CheckedOrHeld()) {
        SetRange(colors, 5, 6, Shade);
      } else {
        SetRange(colors, 7, 8, Shade);
      }
    }
    DrawBevelFrame(points, colors, -1);
    if (look() == Look::RoundedHotTrack || look() == Look::RoundedFramed) {
      // The corner steps of the rounded region belong to the outline.
      const int32_t W = nint(UserControl.ScaleWidth()), H = nint(UserControl.ScaleHeight());
      for (const POINT corner :
           {POINT{1, 1}, POINT{1, H - 2}, POINT{W - 2, 1}, POINT{W - 2, H - 2}}) {
        const bool left = corner.x == 1;
        if (left ? s.ShapeCut == 0 : W == s.ContentRight)
          SetPixel(Buffer.DC(), corner.x, corner.y, static_cast<COLORREF>(Edge));
      }
    }
  }
  CloseShape(colors, DrawLevel);
  const bool aroundContent = look() == Look::EtchedFlat || look() == Look::RoundedFramed;
  DrawFocusFrame(Text, s.Value, aroundContent ? FocusAround::Content : FocusAround::Face, points);
}

void Ornabutton::PlainFace(Points& points, Colors& colors, int16_t& State, int16_t& DrawLevel) {
  const int32_t Base = Checked() ? s.LightColor : s.FaceColor;
  PaintFace(Base, State, DrawLevel, Translate(s.GradientColor), s.HoverFaceColor);
  int32_t TextColor = (!UserControl.Enabled() && IsCheckOrOption()) ? kGrey : -1;
  DrawCaption(Base, TextColor, s.Value, IsCheckOrOption(), s.HoverForeColor);
  CloseShape(colors, DrawLevel);
  DrawFocusFrame(TextColor, s.Value, FocusAround::Face, points);
}

void Ornabutton::RoundedHotTrack(Points& points, Colors& colors, int16_t& State, int16_t& DrawLevel) {
  const bool enabled = UserControl.Enabled();
  int32_t Base = 0, Fill = 0;
  if (IsCommandButton()) {
    Base = s.FaceColor;
    if (PressedInside() && !HasGradient()) {
      Fill = s.ShadowColor;
    } else {
      Fill = enabled ? Base : ShiftB(Base, -24);
    }
  } else {
    Base = Fill = s.Value ? s.LightColor : s.FaceColor;
  }
  const int32_t TextColor = enabled ? kBlack : ShiftB(Fill, -104);
  int32_t Grad = 0;
  if (shape() < Shape::Picture)
    Grad = HasGradient() ? ShiftB(Translate(s.GradientColor), 48) : Fill;
  PaintFace(Fill, State, DrawLevel, Grad, s.HoverFaceColor);
  DrawCaption(Fill, TextColor, s.Value, /*SingleDisabledCopy=*/true, s.HoverForeColor);

  if (!HasBevelRings(shape())) {
    // The redraw outlines the shape: blue for the default button, orange under the pointer.
    if ((s.StateFlags & Default) && !s.Hovering) {
      colors[12] = 0xEF826B;
    } else if (s.Hovering) {
      colors[12] = 0x0096E7;
    } else {
      DrawLevel = 1;
    }
    return;
  }
  int32_t Border = 0x733C00;
  if (!enabled) {
    SetRange(colors, 1, 8, -1);
    Border = ShiftB(Base, -84);
  } else {
    if (CheckedOrHeld()) State = (s.StateFlags & Default) ? 1 : 2;
    if ((s.StateFlags & MouseOver) && !(s.StateFlags & ButtonDown)) {
      State = 3;  // hot
    } else if (State == 1 && !s.ShowFocusRect) {
      State = 0;
    }
    const int32_t B = Base;
    // Per entry: normal, default, pressed, hot.
    const std::array<std::array<int32_t, 4>, 9> table{{
        {},
        {ShiftB(B, -10), 0xF0D1B5, ShiftB(B, -22), 0x6BCBFF},
        {ShiftB(B, 10), 0xF7D7BD, ShiftB(B, -24), 0x8CDBFF},
        {ShiftB(B, -24), 0xF0D1B5, B, 0x6BCBFF},
        {ShiftB(B, -32), 0xE7AE8C, ShiftB(B, 10), 0x31B2FF},
        {ShiftB(B, -5), 0xE7AE8C, ShiftB(B, -32), 0x31B2FF},
        {ShiftB(B, 16), 0xFFDFBF, ShiftB(B, -32), 0xA6E9FF},
        {ShiftB(B, -36), 0xE7AE8C, ShiftB(B, 5), 0x31B2FF},
        {ShiftB(B, -48), 0xEF826B, ShiftB(B, 16), 0x0096E7},
    }};
    const auto k = static_cast<size_t>(State);
    if (k < 4)
      for (size_t i = 1; i <= 8; ++i) colors[i] = table[i][k];
  }
  SetRange(colors, 9, 12, Border);
  DrawBevelFrame(points, colors, -1);
  // Fill the diagonal corner steps of the rounded window region.
  const float W = UserControl.ScaleWidth(), H = UserControl.ScaleHeight();
  if (s.ShapeCut == 0) {
    SetPixel(Buffer.DC(), 1, nint(H - 2), static_cast<COLORREF>(Border));
    SetPixel(Buffer.DC(), 1, 1, static_cast<COLORREF>(Border));
  }
  if (W == static_cast<float>(s.ContentRight)) {
    SetPixel(Buffer.DC(), nint(W - 2), nint(H - 2), static_cast<COLORREF>(Border));
    SetPixel(Buffer.DC(), nint(W - 2), 1, static_cast<COLORREF>(Border));
  }
}

}  // namespace velmora
