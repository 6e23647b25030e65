// Window shapes: the region the window takes (clicks outside it do not reach the button), the
// two inset regions that clip the face, the content limits of the slanted shapes, and the
// outline rings of the ellipses and picture shapes.
#include <windows.h>

#include "control/Ornabutton.h"
#include "platform/Handles.h"
#include "platform/Numeric.h"
#include "platform/Regions.h"

namespace velmora {

namespace {

void Subtract(HRGN from, HRGN piece) {
  const platform::UniqueRegion owned(piece);
  CombineRgn(from, from, owned.get(), RGN_DIFF);
}

void SubtractPixel(HRGN from, int x, int y) { Subtract(from, CreateRectRgn(x, y, x + 1, y + 1)); }

void SubtractTriangle(HRGN from, POINT a, POINT b, POINT c) {
  const POINT corner[3] = {a, b, c};
  Subtract(from, CreatePolygonRgn(corner, 3, WINDING));
}

}  // namespace

void Ornabutton::TrimCorners(HRGN region, bool left, bool right) const {
  const float SW = UserControl.ScaleWidth(), SH = UserControl.ScaleHeight();
  switch (look()) {
    case Look::FramedBevel:
      if (left) {
        SubtractPixel(region, 0, 0);
        SubtractPixel(region, 0, nint(SH - 1));
      }
      if (right) {
        SubtractPixel(region, nint(SW - 1), nint(SH - 1));
        SubtractPixel(region, nint(SW - 1), 0);
      }
      break;
    case Look::RoundedHotTrack:
    case Look::RoundedFramed: {
      // The top corners lose a 2-pixel triangle, the bottom ones a 3-pixel one.
      const int W = nint(SW), H = nint(SH);
      if (left) {
        SubtractTriangle(region, {0, 0}, {2, 0}, {0, 2});
        SubtractTriangle(region, {0, H}, {3, H}, {0, H - 3});
      }
      if (right) {
        SubtractTriangle(region, {W, 0}, {W - 2, 0}, {W, 2});
        SubtractTriangle(region, {W, H}, {W - 3, H}, {W, H - 3});
      }
      break;
    }
    case Look::EtchedFlat:
      if (!UserControl.Enabled()) break;
      if (left) SubtractPixel(region, 0, nint(SH - 1));
      if (right) SubtractPixel(region, nint(SW - 1), 0);
      break;
    default:
      break;
  }
}

void Ornabutton::BuildShape() {
  float SW = UserControl.ScaleWidth(), SH = UserControl.ScaleHeight();
  s.ShapeCut = 0;
  s.ContentRight = nint(SW);
  if (Buffer) SelectClipRgn(Buffer.DC(), nullptr);
  InnerRegion.reset();
  ShapeRegion.reset();

  platform::UniqueRegion WR;
  switch (shape()) {
    case Shape::Rectangle:
      WR.reset(CreateRectRgn(0, 0, nint(SW + 1), nint(SH + 1)));
      TrimCorners(WR.get(), true, true);
      break;
    case Shape::SlantedLeft:
    case Shape::SlantedRight:
    case Shape::SlantedBoth: {
      const float q = 4.0f * ((SH + 1.0f) / 4.0f);
      const int32_t Q = nint(q);
      int32_t W = nint(SW);
      while (W - Q < 5) W += 5;  // too narrow for its slant: grow in 5-pixel steps
      if (static_cast<float>(W) != SW) {
        DelayDrawing(true);
        UserControl.Size(W * UserControl.TwipsPerPixelX(), SH * UserControl.TwipsPerPixelY());
        SW = UserControl.ScaleWidth();
        s.ContentRight = nint(SW);
        s.DrawingDelayed = false;
      }
      const int32_t D = nint(SW - Q);
      POINT P[4] = {{0, 0}, {0, nint(SH + 1)}, {nint(SW + 1), nint(SH + 1)}, {nint(SW + 1), 0}};
      if (SlantsLeft(shape())) {
        P[1].x = Q;
        s.ShapeCut = Q;
      }
      if (SlantsRight(shape())) {
        P[3].x = D + 1;
        s.ContentRight = D;
      }
      WR.reset(CreatePolygonRgn(P, 4, WINDING));
      // Only the square side is trimmed.
      TrimCorners(WR.get(), shape() == Shape::SlantedRight, shape() == Shape::SlantedLeft);
      break;
    }
    case Shape::Ellipse:
    case Shape::EllipseBare:
    case Shape::EllipseOutlined:
      // The same ellipse as plain rectangles: some platforms lose an object with each
      // elliptic window region they take over.
      WR.reset(platform::RegionRebuilt(CreateEllipticRgn(0, 0, nint(SW), nint(SH))));
      if (look() != Look::FlatHotTrack) {
        if (shape() == Shape::EllipseOutlined) {
          const platform::UniqueBrush black(CreateSolidBrush(0));
          FrameRgn(Buffer.DC(), WR.get(), black.get(), 1, 1);
        } else {
          PaintGradient(0xFFFFFF, 0x808080, GradientDirection::TopToBottom);  // the ring
        }
        SelectClipRgn(Buffer.DC(), nullptr);
      }
      ShapeRegion.reset(CreateEllipticRgn(1, 1, nint(SW - 1), nint(SH - 1)));
      InnerRegion.reset(CreateEllipticRgn(2, 2, nint(SW - 2), nint(SH - 2)));
      break;
    case Shape::Picture:
    case Shape::PictureRinged: {
      if (s.PictureWidth == 0 || s.PictureHeight == 0) return;  // the window keeps its region
      // The control takes the picture's proportions.
      DelayDrawing(true);
      int32_t FW = 0, FH = 0;
      FitPicture(nint(SW), nint(SH), FW, FH);
      UserControl.Size(FW * UserControl.TwipsPerPixelX(), FH * UserControl.TwipsPerPixelY());
      SW = UserControl.ScaleWidth();
      SH = UserControl.ScaleHeight();
      s.ContentRight = nint(SW);
      s.DrawingDelayed = false;
      WR.reset(CreateRectRgn(0, 0, nint(SW), nint(SH)));
      PreparePicture(nint(SW), nint(SH), WR.get());
      // The inset regions start one and two pixels inside the window region's box.
      RECT BW{}, BS{}, BI{};
      GetRgnBox(WR.get(), &BW);
      if (ShapeRegion) {
        GetRgnBox(ShapeRegion.get(), &BS);
        OffsetRgn(ShapeRegion.get(), BW.left - BS.left + 1, BW.top - BS.top + 1);
      }
      if (InnerRegion) {
        GetRgnBox(InnerRegion.get(), &BI);
        OffsetRgn(InnerRegion.get(), BW.left - BI.left + 2, BW.top - BI.top + 2);
      }
      if (shape() == Shape::PictureRinged) {
        PaintGradient(0xFFFFFF, 0x808080, GradientDirection::TopToBottom);  // the ring
      } else {
        const platform::UniqueBrush back(
            CreateSolidBrush(static_cast<COLORREF>(Translate(s.BackColor))));
        FrameRgn(Buffer.DC(), WR.get(), back.get(), 1, 1);
      }
      SelectClipRgn(Buffer.DC(), ShapeRegion.get());
      break;
    }
    default:
      break;  // a stored shape outside 0..8: a plain rectangular window
  }
  // The platform owns the region from here on.
  SetWindowRgn(UserControl.hWnd(), WR.release(), TRUE);
  if (s.ContentRight == 0) s.ContentRight = nint(SW);
}

}  // namespace velmora
