// Caption, picture and focus frame, drawn into the back buffer over the painted face.
#include <windows.h>

#include <algorithm>
#include <optional>

#include "control/Ornabutton.h"
#include "platform/Handles.h"
#include "platform/Numeric.h"

namespace velmora {

namespace {

// A memory DC with a bitmap of its own selected; both go, and the DC's first bitmap comes
// back, when it goes out of scope.
class MemoryCanvas {
 public:
  MemoryCanvas(HDC compatibleWith, HBITMAP bitmap)
      : dc_(CreateCompatibleDC(compatibleWith)), bitmap_(bitmap), select_(dc_.get(), bitmap) {}
  HDC get() const { return dc_.get(); }

 private:
  platform::UniqueDc dc_;
  platform::UniqueBitmap bitmap_;  // destroyed after the selection is undone
  platform::SelectGuard select_;
};

}  // namespace

void Ornabutton::DrawCaption(int32_t BaseColor, int32_t TextColor, bool Pushed,
                             bool SingleDisabledCopy, int32_t HoverTextColor) {
  RECT T = s.CaptionRect, P = s.PictureRect;
  const bool pressed = PressedInside();
  if ((Pushed || pressed) && look() != Look::EtchedFlat) {
    // Pushed content moves down a pixel, and right one on the four-sided shapes.
    const int dx = HasBevelRings(shape()) ? 1 : 0;
    OffsetRect(&T, dx, 1);
    OffsetRect(&P, dx, 1);
  }
  if (!s.Value || shape() < Shape::Picture) DrawPicture(P);
  if (s.Caption.empty()) return;
  // These shapes show their caption only when set.
  if (shape() > Shape::Ellipse && !s.Value) return;

  const std::wstring S = CaptionLines(s.Caption);
  const auto align = static_cast<CaptionPlace>(s.CaptionAlign);
  const UINT Format = (align == CaptionPlace::Right    ? DT_RIGHT
                       : align == CaptionPlace::Centre ? DT_CENTER
                                                       : DT_LEFT) |
                      DT_WORDBREAK;
  const auto textColor = [this](int32_t color) { SelectTextColor(color); };
  const auto draw = [&] {
    DrawTextW(Buffer.DC(), S.c_str(), static_cast<int>(S.size()), &T, Format);
  };
  if (highContrast_) {
    // One copy in the colour given, without relief, hover colour or etched disabled copy.
    textColor(TextColor);
    draw();
    return;
  }

  if (UserControl.Enabled()) {
    int32_t Colour = 0;
    if (s.Hovering && !pressed) {
      Colour = Translate(HoverTextColor);
    } else if (look() == Look::RoundedFramed && (!HasGradient() || s.Value)) {
      Colour = TextColor;
    } else {
      Colour = Translate(UserControl.ForeColor());
    }
    const auto relief = static_cast<CaptionRelief>(s.CaptionStyle);
    if (relief != CaptionRelief::Flat) {
      // Embossed or engraved: a lighter and a darker copy of the face, up-left and down-right.
      const int16_t Amount = relief == CaptionRelief::Engraved ? 40 : -40;
      textColor(Shift(BaseColor, Amount));
      OffsetRect(&T, -1, 0);
      draw();
      textColor(Shift(BaseColor, static_cast<int16_t>(-Amount)));
      OffsetRect(&T, 2, 2);
      draw();
      OffsetRect(&T, -1, -1);
    }
    textColor(Colour);
    draw();
    return;
  }

  int32_t Colour = TextColor;
  if (TextColor < 0 || HasGradient()) {
    // A white copy one pixel down-right under a grey one: the etched disabled look.
    Colour = 0xFFFFFF;
    OffsetRect(&T, 1, 1);
    SingleDisabledCopy = false;
  }
  textColor(Colour);
  draw();
  if (!SingleDisabledCopy) {
    textColor(0x808080);
    OffsetRect(&T, -1, -1);
    draw();
  }
}

void Ornabutton::DrawPicture(RECT& Box) {
  if (s.PictureWidth + s.PictureHeight == 0) return;
  // Icons have no scaled copy, so for them this runs on every paint.
  if (!ScaledPicture) PreparePicture(Box.right - Box.left, Box.bottom - Box.top, nullptr);
  if (shape() > Shape::EllipseOutlined) {
    Box = {0, 0, nint(UserControl.ScaleWidth()), nint(UserControl.ScaleHeight())};
    if (PressedInside()) InflateRect(&Box, -1, -1);
  }
  int32_t w = Box.right - Box.left, h = Box.bottom - Box.top;
  RECT Dest = Box;
  const bool enabled = UserControl.Enabled();

  // A disabled picture is drawn over white on a canvas of its own first.
  std::optional<MemoryCanvas> canvas;
  HDC buffer = Buffer.DC();
  HDC Target = buffer;
  if (!enabled) {
    canvas.emplace(buffer, CreateCompatibleBitmap(buffer, w, h));
    Target = canvas->get();
    PatBlt(Target, 0, 0, w, h, WHITENESS);
    OffsetRect(&Dest, -Dest.left, -Dest.top);
  }
  if (s.PictureIsIcon == 1) {
    DrawIconEx(Target, Dest.left, Dest.top, s.Picture.Icon(), w, h, 0, nullptr, DI_NORMAL);
  } else {
    DrawBitmapTransparent(Target, Dest, ScaledPicture.get(), RECT{}, w, h);
  }
  if (enabled) return;

  // Grey wherever the picture is not white, the face everywhere else. The picture goes
  // through a one-bit mask first, so that a coloured pixel turns grey as a whole rather than
  // channel by channel.
  MemoryCanvas mask(Target, CreateBitmap(w, h, 1, 1, nullptr));
  SetBkColor(Target, 0xFFFFFF);
  BitBlt(mask.get(), 0, 0, w, h, Target, 0, 0, SRCCOPY);
  const COLORREF oldBack = SetBkColor(buffer, 0xFFFFFF);
  const COLORREF oldText = SetTextColor(buffer, 0x000000);
  {
    const platform::UniqueBrush grey(CreateSolidBrush(
        highContrast_ ? static_cast<COLORREF>(SystemColour(COLOR_GRAYTEXT)) : 0x808080));
    const platform::SelectGuard brush(buffer, grey.get());
    BitBlt(buffer, Box.left, Box.top, w, h, mask.get(), 0, 0, 0xB8074A);
  }
  SetTextColor(buffer, oldText);
  SetBkColor(buffer, oldBack);
}

void Ornabutton::DrawBitmapTransparent(HDC DestDC, RECT Dest, HBITMAP Source, RECT SourceRect,
                                       int32_t& Width, int32_t& Height) {
  std::optional<platform::WindowDc> screen(std::in_place, nullptr);
  HDC Screen = screen->get();
  const platform::UniqueDc SrcDC(CreateCompatibleDC(Screen));
  const platform::SelectGuard source(SrcDC.get(), Source);

  // An empty source or destination rectangle stands for the whole picture or the given size.
  if (SourceRect.right == 0) SourceRect.right = SourceRect.left + s.ScaledPictureWidth;
  if (SourceRect.bottom == 0) SourceRect.bottom = SourceRect.top + s.ScaledPictureHeight;
  const int32_t SrcW = SourceRect.right - SourceRect.left;
  const int32_t SrcH = SourceRect.bottom - SourceRect.top;
  const int32_t DstW = Dest.right != 0 ? Dest.right - Dest.left : Width;
  const int32_t DstH = Dest.bottom != 0 ? Dest.bottom - Dest.top : Height;
  if ((DstW < Width || DstH < Height) && Width > 0 && Height > 0) {
    const float Scale = std::min(static_cast<float>(DstW) / static_cast<float>(Width),
                                 static_cast<float>(DstH) / static_cast<float>(Height));
    Width = nint(Scale * static_cast<float>(Width));
    Height = nint(Scale * static_cast<float>(Height));
  }
  // The picture's top-left pixel is its transparent colour.
  const auto Key =
      static_cast<COLORREF>(Translate(static_cast<int32_t>(GetPixel(SrcDC.get(), 0, 0))));

  MemoryCanvas Mask(Screen, CreateBitmap(SrcW, SrcH, 1, 1, nullptr));
  MemoryCanvas Work(Screen, CreateCompatibleBitmap(Screen, DstW, DstH));
  MemoryCanvas Image(Screen, CreateCompatibleBitmap(Screen, SrcW, SrcH));
  screen.reset();

  SetMapMode(Work.get(), GetMapMode(DestDC));
  BitBlt(Work.get(), 0, 0, DstW, DstH, DestDC, Dest.left, Dest.top, SRCCOPY);
  SetBkColor(Image.get(), GetBkColor(SrcDC.get()));
  SetTextColor(Image.get(), GetTextColor(SrcDC.get()));
  BitBlt(Image.get(), 0, 0, SrcW, SrcH, SrcDC.get(), SourceRect.left, SourceRect.top, SRCCOPY);
  // Mask: white where the picture has the key colour.
  SetBkColor(Image.get(), Key);
  SetTextColor(Image.get(), 0xFFFFFF);
  BitBlt(Mask.get(), 0, 0, SrcW, SrcH, Image.get(), 0, 0, SRCCOPY);
  // The picture with black at its key pixels, to be ORed over the background.
  SetTextColor(Image.get(), 0x000000);
  SetBkColor(Image.get(), 0xFFFFFF);
  BitBlt(Image.get(), 0, 0, SrcW, SrcH, Mask.get(), 0, 0, 0x220326);
  StretchBlt(Work.get(), 0, 0, Width, Height, Mask.get(), 0, 0, SrcW, SrcH, SRCAND);
  StretchBlt(Work.get(), 0, 0, Width, Height, Image.get(), 0, 0, SrcW, SrcH, SRCPAINT);
  BitBlt(DestDC, Dest.left, Dest.top, DstW, DstH, Work.get(), 0, 0, SRCCOPY);
}

void Ornabutton::DrawFocusFrame(int32_t Color, bool Value, FocusAround Around, Points& points) {
  if (!(s.StateFlags & Default) || shape() > Shape::EllipseOutlined) return;
  if (shape() >= Shape::Ellipse) {
    if (look() == Look::RoundedHotTrack) return;
    Around = FocusAround::Content;
  }
  const float W = UserControl.ScaleWidth(), H = UserControl.ScaleHeight();
  // No colour means black, for the slanted frames too.
  if (Color < 0) Color = 0;
  SelectPen(Color, 1, PS_SOLID);
  // The pixels inside r along its edges, in the current pen.
  const auto lineInside = [&](const RECT& r) {
    const POINT frame[] = {{r.left, r.top},
                           {r.right - 1, r.top},
                           {r.right - 1, r.bottom - 1},
                           {r.left, r.bottom - 1},
                           {r.left, r.top}};
    Polyline(Buffer.DrawingDC(), frame, 5);
  };
  // The dotted frame inverts the face; in high contrast its dots take the frame's colour.
  const auto dotted = [&](const RECT& r) {
    if (!highContrast_) {
      DrawFocusRect(Buffer.DC(), &r);
      return;
    }
    SelectPen(Color, 1, PS_DOT);
    lineInside(r);
  };

  if (IsSlanted(shape())) {
    // The slanted shapes always get a solid frame along their sides.
    const int32_t SX = s.ShapeCut != 0 ? 1 : 0;
    const int32_t SY = W > static_cast<float>(s.ContentRight) ? 1 : 0;
    const int32_t bottom = nint(H - 5);
    points[0] = {s.ShapeCut + 4 - 6 * SX, bottom};
    points[1] = {4 * SX + 4, 4};
    points[2] = {s.ContentRight + 4 * SY - 5, 4};
    points[3] = {nint(W - 5 - 6 * SY), bottom};
    points[4] = {s.ShapeCut + 3 - 4 * SX, bottom};
    Polyline(Buffer.DrawingDC(), points.data(), 5);
    return;
  }

  RECT R{};
  if (Around == FocusAround::Content) {
    if (!s.Caption.empty()) {
      R = s.CaptionRect;
    } else {
      R = s.PictureRect;
      if (H - 4 < static_cast<float>(R.bottom)) R.bottom = nint(H - 4);
      if (W - 4 < static_cast<float>(R.right)) R.right = nint(W - 4);
    }
    // A wider margin when the caption keeps clear of the sides; pushed content moves the frame.
    const int32_t E =
        s.CaptionRect.right < s.ContentRight - 4 && s.CaptionRect.left > s.ShapeCut + 4 ? 2 : 1;
    const int32_t F = (Value || PressedInside()) && look() != Look::EtchedFlat ? 1 : 0;
    const int32_t G = HasBevelRings(shape()) ? 1 : 0;
    OffsetRect(&R, F * G - E, F - E);
    R.right += 2 * E + F * G;
    R.bottom += 2 * E + F;
    if (!Value) {
      dotted(R);
    } else {
      lineInside(R);
    }
    return;
  }

  R = {s.ShapeCut + 4, 4, s.ContentRight - 4, nint(H - 8) + 4};
  if (!Value) {
    dotted(R);
  } else {
    // One pixel outside the dotted frame at the right and bottom.
    const POINT frame[] = {{R.left, R.bottom},
                           {R.left, R.top},
                           {R.right, R.top},
                           {R.right, R.bottom},
                           {R.left, R.bottom}};
    Polyline(Buffer.DrawingDC(), frame, 5);
  }
}

}  // namespace velmora
