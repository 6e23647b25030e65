#include "bench/ReferencePicture.h"

namespace velmora::bench {

PreparedPicture ReferencePreparePicture(HBITMAP picture, int w, int h, int sw, int sh) {
  PreparedPicture r;
  r.scaled.reset(static_cast<HBITMAP>(CopyImage(picture, IMAGE_BITMAP, w, h, 0)));
  r.target.reset(CreateRectRgn(0, 0, sw, sh));
  r.shape.reset(CreateRectRgn(0, 0, sw, sh));
  r.inner.reset(CreateRectRgn(0, 0, sw, sh));

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, r.scaled.get());
  const COLORREF key = GetPixel(dc, 0, 0);
  const int kr = GetRValue(key), kg = GetGValue(key), kb = GetBValue(key);
  const auto near3 = [](int v, int k) { return v >= k - 3 && v <= k + 3; };
  const auto cut = [](HRGN region, const RECT& rc) {
    HRGN piece = CreateRectRgnIndirect(&rc);
    CombineRgn(region, region, piece, RGN_DIFF);
    DeleteObject(piece);
  };
  for (int y = 0; y < h; ++y) {
    int runStart = -1;
    const auto endRun = [&](int right) {
      RECT rc{runStart, y, right, y + 1};
      cut(r.target.get(), rc);
      InflateRect(&rc, 1, 1);
      cut(r.shape.get(), rc);
      InflateRect(&rc, 1, 1);
      cut(r.inner.get(), rc);
      runStart = -1;
    };
    for (int x = 0; x < w; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      if (near3(GetRValue(c), kr) && near3(GetGValue(c), kg) && near3(GetBValue(c), kb)) {
        SetPixel(dc, x, y, key);
        if (runStart == -1) runStart = x;
      } else if (runStart != -1) {
        endRun(x);
      }
    }
    if (runStart != -1) endRun(w);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return r;
}

}  // namespace velmora::bench
