// Window shapes: the region the window takes (clicks outside it do not reach the button), the
// two inset regions that clip the face, the content limits of the slanted shapes, and the
// outline rings of the ellipses and picture shapes.
#include <windows.h>

#include "control/Ornabutton.h"
#include "platform/Numeric.h"
#include "platform/Regions.h"

namespace velmora {

namespace {

void Subtract(HRGN from, HRGN piece) {
  CombineRgn(from, from, piece, RGN_DIFF);
  DeleteObject(piece);
}

void SubtractPixel(HRGN from, int x, int y) { Subtract(from, CreateRectRgn(x, y, x + 1, y + 1)); }

void SubtractTriangle(HRGN from, POINT a, POINT b, POINT c) {
  const POINT corner[3] = {a, b, c};
  Subtract(from, CreatePolygonRgn(corner, 3, WINDING));
}

}  // namespace

void Ornabutton::TrimCorners(HRGN region, bool left, bool right) const {
  const float SW = UserControl.ScaleWidth(), SH = UserControl.ScaleHeight();
  switch (s.ButtonStyle) {
    case 1:
      if (left) {
        SubtractPixel(region, 0, 0);
        SubtractPixel(region, 0, nint(SH - 1));
      }
      if (right) {
        SubtractPixel(region, nint(SW - 1), nint(SH - 1));
        SubtractPixel(region, nint(SW - 1), 0);
      }
      break;
    case 2:
    case 7: {
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
    case 3:
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
  if (s.BufferDC) SelectClipRgn(s.BufferDC, nullptr);
  if (s.InnerRegion) DeleteObject(s.InnerRegion);
  if (s.ShapeRegion) DeleteObject(s.ShapeRegion);
  s.InnerRegion = s.ShapeRegion = nullptr;

  HRGN WR = nullptr;
  switch (s.ButtonShape) {
    case 0:
      WR = CreateRectRgn(0, 0, nint(SW + 1), nint(SH + 1));
      TrimCorners(WR, true, true);
      break;
    case 1:
    case 2:
    case 3: {
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
      if (s.ButtonShape == 1 || s.ButtonShape == 3) {
        P[1].x = Q;
        s.ShapeCut = Q;
      }
      if (s.ButtonShape == 2 || s.ButtonShape == 3) {
        P[3].x = D + 1;
        s.ContentRight = D;
      }
      WR = CreatePolygonRgn(P, 4, WINDING);
      // Only the square side is trimmed.
      TrimCorners(WR, s.ButtonShape == 2, s.ButtonShape == 1);
      break;
    }
    case 4:
    case 5:
    case 6:
      // The same ellipse as plain rectangles: some platforms lose an object with each
      // elliptic window region they take over.
      WR = platform::RegionRebuilt(CreateEllipticRgn(0, 0, nint(SW), nint(SH)));
      if (s.ButtonStyle != 5) {
        if (s.ButtonShape == 6) {
          HBRUSH black = CreateSolidBrush(0);
          FrameRgn(s.BufferDC, WR, black, 1, 1);
          DeleteObject(black);
        } else {
          const int32_t mode = s.GradientMode;
          s.GradientMode = 3;  // white at the top, grey at the bottom
          PaintGradient(0xFFFFFF, 0x808080);
          s.GradientMode = mode;
        }
        SelectClipRgn(s.BufferDC, nullptr);
      }
      s.ShapeRegion = CreateEllipticRgn(1, 1, nint(SW - 1), nint(SH - 1));
      s.InnerRegion = CreateEllipticRgn(2, 2, nint(SW - 2), nint(SH - 2));
      break;
    case 7:
    case 8: {
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
      WR = CreateRectRgn(0, 0, nint(SW), nint(SH));
      PreparePicture(nint(SW), nint(SH), WR);
      // The inset regions start one and two pixels inside the window region's box.
      RECT BW{}, BS{}, BI{};
      GetRgnBox(WR, &BW);
      if (s.ShapeRegion) {
        GetRgnBox(s.ShapeRegion, &BS);
        OffsetRgn(s.ShapeRegion, BW.left - BS.left + 1, BW.top - BS.top + 1);
      }
      if (s.InnerRegion) {
        GetRgnBox(s.InnerRegion, &BI);
        OffsetRgn(s.InnerRegion, BW.left - BI.left + 2, BW.top - BI.top + 2);
      }
      if (s.ButtonShape == 8) {
        const int32_t mode = s.GradientMode;
        s.GradientMode = 3;
        PaintGradient(0xFFFFFF, 0x808080);
        s.GradientMode = mode;
      } else {
        HBRUSH back = CreateSolidBrush(static_cast<COLORREF>(Translate(s.BackColor)));
        FrameRgn(s.BufferDC, WR, back, 1, 1);
        DeleteObject(back);
      }
      SelectClipRgn(s.BufferDC, s.ShapeRegion);
      break;
    }
    default:
      break;  // a stored shape outside 0..8: a plain rectangular window
  }
  // The platform owns the region from here on.
  SetWindowRgn(UserControl.hWnd(), WR, TRUE);
  if (s.ContentRight == 0) s.ContentRight = nint(SW);
}

}  // namespace velmora
