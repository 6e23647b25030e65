// Caption and picture layout: where the caption and the picture go, the picture scaled to its
// drawn size with its near-key pixels made exactly the key, and the picture's transparent
// runs cut out of the window regions.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "control/Ornabutton.h"
#include "platform/Handles.h"
#include "platform/Numeric.h"
#include "platform/Picture.h"
#include "platform/Regions.h"

namespace velmora {

namespace {

// The runs of key-like pixels of one row, as [left, right) pairs from left to right.
using Runs = std::vector<std::pair<int32_t, int32_t>>;

// The union of every run rectangle enlarged by Grow on each side, as bands of non-overlapping
// rectangles; rows with the same spans share one band, which keeps the list short.
std::vector<RECT> GrownRuns(const std::vector<Runs>& rows, int32_t Grow) {
  std::vector<RECT> rects;
  const auto H = static_cast<int32_t>(rows.size());
  Runs spans, merged, previous;
  size_t band = 0;  // where the rectangles of the previous row start
  for (int32_t y = -Grow; y < H + Grow; ++y) {
    spans.clear();
    for (int32_t src = std::max(0, y - Grow); src <= std::min(H - 1, y + Grow); ++src)
      for (const auto& [left, right] : rows[static_cast<size_t>(src)])
        spans.emplace_back(left - Grow, right + Grow);
    std::sort(spans.begin(), spans.end());
    merged.clear();
    for (const auto& span : spans) {
      if (!merged.empty() && span.first <= merged.back().second) {
        merged.back().second = std::max(merged.back().second, span.second);
      } else {
        merged.push_back(span);
      }
    }
    if (!merged.empty() && merged == previous) {
      for (size_t i = band; i < rects.size(); ++i) rects[i].bottom = y + 1;
    } else {
      band = rects.size();
      for (const auto& [left, right] : merged) rects.push_back({left, y, right, y + 1});
    }
    std::swap(previous, merged);
  }
  return rects;
}

// Makes every pixel within 3 per channel of the top-left one exactly that colour and lists,
// row by row, the runs of such pixels. True when a pixel changed.
bool KeyRuns(uint32_t* pixels, int32_t W, int32_t H, std::vector<Runs>& rows) {
  const uint32_t key = pixels[0] & 0xFFFFFF;
  const auto keyLike = [key](uint32_t p, int shift) {
    const int v = static_cast<int>((p >> shift) & 0xFF),
              k = static_cast<int>((key >> shift) & 0xFF);
    return v >= k - 3 && v <= k + 3;
  };
  bool changed = false;
  for (int32_t y = 0; y < H; ++y) {
    uint32_t* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(W);
    Runs& runs = rows[static_cast<size_t>(y)];
    int32_t RunStart = -1;
    for (int32_t x = 0; x < W; ++x) {
      const uint32_t p = row[x];
      if ((p & 0xFFFFFF) == key || (keyLike(p, 16) && keyLike(p, 8) && keyLike(p, 0))) {
        if ((p & 0xFFFFFF) != key) {
          row[x] = key;
          changed = true;
        }
        if (RunStart == -1) RunStart = x;
      } else if (RunStart != -1) {
        runs.emplace_back(RunStart, x);
        RunStart = -1;
      }
    }
    if (RunStart != -1) runs.emplace_back(RunStart, W);
  }
  return changed;
}

}  // namespace

std::wstring Ornabutton::CaptionLines(const std::wstring& caption) {
  std::wstring text;
  text.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'|' && i + 1 < caption.size() && caption[i + 1] == L'|') {
      text += L"\r\n";
      ++i;
    } else {
      text += caption[i];
    }
  }
  return text;
}

void Ornabutton::LayoutContent(PictureCopy Copy) {
  bool RebuildPicture = Copy == PictureCopy::Rebuild;
  const float SW = UserControl.ScaleWidth(), SH = UserControl.ScaleHeight();
  const int32_t CR = s.ContentRight, SC = s.ShapeCut;

  // The content span: left margin L, right edge X and width R, inside the slanted edges.
  int32_t L = 0, X = nint(SW), R = CR;
  switch (shape()) {
    case Shape::SlantedLeft:
      L = SC - SC / 3 + 3;
      R = nint(SW - L);
      break;
    case Shape::SlantedRight:
      X = CR + nint(SW - CR) / 3;
      R = X;
      break;
    case Shape::SlantedBoth:
      L = SC - SC / 3 + 3;
      X = CR + nint(SW - CR) / 3;
      R = X - L;
      break;
    case Shape::Picture:
    case Shape::PictureRinged:
      L = 3;
      X = CR - 3;
      R = CR - 3;
      break;
    default:
      break;
  }

  // Room kept for a small picture beside, above or below the caption.
  const bool hasPicture = s.PictureWidth + s.PictureHeight > 0;
  const int32_t PP = s.PicturePixels == 0 ? PixelsOf(PictureBox::Small16) : s.PicturePixels;
  int32_t PL = 0, PR = 0, PT = 0, PB = 0;
  bool Beside = false, Stacked = false;
  if (hasPicture && PP <= kLargestSmallPicturePixels) {
    switch (picturePlace()) {
      case PicturePlace::LeftEdge:
      case PicturePlace::LeftOfCaption:
        PL = PP;
        Beside = true;
        break;
      case PicturePlace::RightEdge:
      case PicturePlace::RightOfCaption:
        PR = PP;
        Beside = true;
        break;
      case PicturePlace::TopCentre:
        PT = PP;
        Stacked = true;
        break;
      case PicturePlace::BottomCentre:
        PB = PP;
        Stacked = true;
        break;
      default:
        break;
    }
  }

  RECT caption{};
  int32_t TW = 0, TH = 0;
  const bool hasCaption = !s.Caption.empty();
  if (hasCaption) {
    const std::wstring text = CaptionLines(s.Caption);
    RECT box{0, 0, R - 8 - (Beside ? PP : 0), nint(SH - 8 - (Stacked ? PP : 0))};
    DrawTextW(Buffer.DC(), text.c_str(), static_cast<int>(text.size()), &box,
              DT_CALCRECT | DT_WORDBREAK);
    TW = box.right - box.left;
    TH = box.bottom - box.top;
    if (static_cast<CaptionRelief>(s.CaptionStyle) != CaptionRelief::Flat) {
      TW += 2;  // room for the relief copies
      TH += 2;
    }
    int32_t dx = 0;
    switch (static_cast<CaptionPlace>(s.CaptionAlign)) {
      case CaptionPlace::Left:
        dx = L + 4 + PL + (PL > 0 ? 4 : 0);
        break;
      case CaptionPlace::Right:
        dx = X - PR - 4 - TW - (PR > 0 ? 4 : 0);
        break;
      case CaptionPlace::Centre:
        if (PL > 0 && picturePlace() == PicturePlace::LeftOfCaption) {
          dx = L + 4 + PL + (R - (TW + PL + 4)) / 2;
        } else if (PR > 0 && picturePlace() == PicturePlace::RightOfCaption) {
          dx = L + (R - (TW + PR + 4)) / 2;
        } else {
          dx = L + PL + (R - (PL + PR) - TW) / 2;
        }
        break;
      default:
        break;
    }
    caption = {dx, 0, dx + TW, TH};
  }

  RECT picture{};
  int32_t dy = nint(SH - TH) / 2;
  if (hasPicture) {
    int32_t PX = 0, PY = nint(SH - PP) / 2;
    switch (picturePlace()) {
      case PicturePlace::LeftEdge:
        PX = L + 4;
        break;
      case PicturePlace::LeftOfCaption:
        PX = hasCaption ? caption.left - 4 - PL : L + 4;
        break;
      case PicturePlace::RightEdge:
        PX = X - 4 - PR;
        break;
      case PicturePlace::RightOfCaption:
        PX = hasCaption ? caption.right + 4 : X - 4 - PR;
        break;
      case PicturePlace::TopCentre: {
        const int32_t t = nint(SH - (TH + PT));
        PY = t / 2;
        dy = t / 2 + 2 + PT;
        PX = L + (R - PP) / 2;
        break;
      }
      case PicturePlace::BottomCentre: {
        const int32_t t = nint(SH - (TH + PB));
        PY = t / 2 + TH + 4;
        dy = PY - 2 - TH;
        PX = L + (R - PP) / 2;
        break;
      }
      default:
        break;
    }
    picture = {PX, PY, PX + PP, PY + PP};
  }
  OffsetRect(&caption, 0, dy);

  // Content keeps 4 pixels off the edges of the span; only an edge that crosses moves.
  const auto limit = [&](RECT& r) {
    if (r.top < 4) r.top = 4;
    if (r.left < L + 4) r.left = L + 4;
    if (r.right > X - 4) r.right = X - 4;
    if (SH - 5 < static_cast<float>(r.bottom)) r.bottom = nint(SH - 5);
  };
  limit(caption);
  s.CaptionRect = caption;

  if (PP <= kLargestSmallPicturePixels) {
    limit(picture);
  } else if (PP == kStretchedPicturePixels) {
    // Stretched over the face.
    picture = shape() == Shape::EllipseOutlined ? RECT{1, 1, nint(SW - 1), nint(SH - 1)}
                                                : RECT{3, 3, nint(SW - 3), nint(SH - 3)};
    RebuildPicture = true;
  } else if (PP == kFittedPicturePixels && IsPictureShape(shape())) {
    picture = {0, 0, nint(SW), nint(SH)};
  } else if (PP == kFittedPicturePixels && hasPicture) {
    // Fitted into the span with its proportions kept.
    int32_t FW = 0, FH = 0;
    FitPicture(R - 12, nint(SH - 12), FW, FH);
    const int32_t left = L + (R - FW) / 2, top = nint(SH - FH) / 2;
    picture = {left, top, left + FW, top + FH};
    RebuildPicture = true;
  } else if (PP != kFittedPicturePixels) {
    // A stored size no setter makes (up to 32 767 pixels) is held to the face like the small
    // sizes: a box of thousands of pixels would be scaled and drawn in full for every paint.
    limit(picture);
  }
  s.PictureRect = picture;

  if (RebuildPicture)
    PreparePicture(picture.right - picture.left, picture.bottom - picture.top, nullptr);
}

void Ornabutton::FitPicture(int32_t BoxW, int32_t BoxH, int32_t& OutW, int32_t& OutH) const {
  if (s.PictureWidth <= 0 || s.PictureHeight <= 0) {
    OutW = OutH = 0;  // a picture without both dimensions has no proportions to keep
    return;
  }
  const double ratioW = static_cast<double>(BoxW) / s.PictureWidth;
  const double ratioH = static_cast<double>(BoxH) / s.PictureHeight;
  const double scale = ratioH < ratioW ? ratioH : ratioW;
  OutW = nint(s.PictureWidth * scale);
  OutH = nint(s.PictureHeight * scale);
}

void Ornabutton::PreparePicture(int32_t W, int32_t H, HRGN TargetRegion) {
  if (s.Picture.IsEmpty()) return;
  ScaledPicture.reset();
  if (s.PictureIsIcon != 0) return;  // icons are drawn from the picture itself

  if (TargetRegion) {
    const float SW = UserControl.ScaleWidth(), SH = UserControl.ScaleHeight();
    for (platform::UniqueRegion* region : {&ShapeRegion, &InnerRegion})
      region->reset(CreateRectRgn(0, 0, nint(SW), nint(SH)));
  }
  s.ScaledPictureWidth = W;
  s.ScaledPictureHeight = H;

  // The pixels are worked on in memory: 32-bit top-down rows of 0x00RRGGBB.
  BITMAPINFO info = platform::TopDownBitmapInfo(W, H);
  // The control's own DC stands for the screen: the scaled copy is made compatible with it.
  std::optional<platform::WindowDc> desktop;
  HDC dc = UserControl.hDC();
  if (!dc) dc = desktop.emplace(nullptr).get();
  const auto lines = static_cast<UINT>(std::max(H, 0));
  uint32_t* pixels = nullptr;
  std::vector<uint32_t> copy;
  // At its own size on a true-colour screen the stretched copy is the picture's pixels as
  // they are: they are read straight into a bitmap whose bits are at hand.
  const bool ownSize = W > 0 && H > 0 && W == s.PictureWidth && H == s.PictureHeight &&
                       GetDeviceCaps(dc, BITSPIXEL) == 32;
  if (ownSize) {
    void* bits = nullptr;
    ScaledPicture.reset(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (ScaledPicture &&
        GetDIBits(dc, s.Picture.Bitmap(), 0, lines, bits, &info, DIB_RGB_COLORS) == H)
      pixels = static_cast<uint32_t*>(bits);
  } else {
    ScaledPicture.reset(static_cast<HBITMAP>(CopyImage(s.Picture.Handle(), IMAGE_BITMAP, W, H, 0)));
    copy.resize(W > 0 && H > 0 ? static_cast<size_t>(W) * static_cast<size_t>(H) : 0);
    if (ScaledPicture && !copy.empty() &&
        GetDIBits(dc, ScaledPicture.get(), 0, lines, copy.data(), &info, DIB_RGB_COLORS) == H)
      pixels = copy.data();
  }
  if (!pixels) return;

  std::vector<Runs> rows(static_cast<size_t>(H));
  if (KeyRuns(pixels, W, H, rows) && !ownSize)
    SetDIBits(dc, ScaledPicture.get(), 0, lines, pixels, &info, DIB_RGB_COLORS);

  if (!TargetRegion) return;
  // Each region loses the runs once: exactly, enlarged by 1 and enlarged by 2.
  const std::pair<HRGN, int32_t> cuts[] = {
      {TargetRegion, 0}, {ShapeRegion.get(), 1}, {InnerRegion.get(), 2}};
  for (const auto& [region, grow] : cuts) {
    const std::vector<RECT> rects = GrownRuns(rows, grow);
    if (rects.empty()) continue;
    const platform::UniqueRegion cut = platform::RegionFromRects(rects.data(), rects.size());
    CombineRgn(region, region, cut.get(), RGN_DIFF);
  }
}

}  // namespace velmora
