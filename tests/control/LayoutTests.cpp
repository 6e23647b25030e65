// Where caption and picture go for each shape, alignment and picture size, and the picture
// prepared for drawing: its scaled copy, its key colour and the regions cut from it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Numeric.h"
#include "tests/support/ButtonHost.h"
#include "tests/support/OrnabuttonProbe.h"
#include "tests/support/Pictures.h"

namespace velmora {
namespace {

using P = OrnabuttonProbe;

class Layout : public test::ButtonHost {
 protected:
  Ornabutton& Button(int w, int h) {
    Ornabutton& b = New("Button" + std::to_string(++count_), false, w * 15, h * 15);
    EXPECT_NE(P::Buffer(b), nullptr);
    P::State(b).ContentRight = w;
    return b;
  }
  // The caption's size as the buffer's font measures it.
  static SIZE Measure(Ornabutton& b, const wchar_t* text) {
    RECT r{0, 0, 1000, 1000};
    DrawTextW(P::Buffer(b), text, -1, &r, DT_CALCRECT | DT_WORDBREAK);
    return {r.right, r.bottom};
  }
  static SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP bm{};
    GetObjectW(bitmap, sizeof bm, &bm);
    return {bm.bmWidth, bm.bmHeight};
  }
  int count_ = 0;
};

MATCHER_P4(IsRect, l, t, r, b, "") {
  return arg.left == l && arg.top == t && arg.right == r && arg.bottom == b;
}

TEST_F(Layout, CaptionIsPlacedByAlignmentInsideTheRectangle) {
  // The worked button: 97 x 25. A 40 x 13 caption lands at (28, 6, 68, 19).
  Ornabutton& b = Button(97, 25);
  b.SetCaption(L"Cancel");
  const SIZE t = Measure(b, L"Cancel");
  ASSERT_GT(t.cx, 10);
  const RECT& r = P::State(b).CaptionRect;
  P::LayoutContent(b);
  const int left = (97 - t.cx) / 2, top = (25 - t.cy) / 2;
  EXPECT_THAT(r, IsRect(left, top, left + t.cx, top + t.cy));
  b.SetCaptionAlign(0);
  EXPECT_EQ(r.left, 4);
  b.SetCaptionAlign(1);
  EXPECT_EQ(r.left, 97 - 4 - t.cx);
  EXPECT_EQ(r.right, 93);
  b.SetCaptionStyle(1);  // relief: two pixels more each way
  EXPECT_EQ(r.right - r.left, t.cx + 2);
  EXPECT_EQ(r.bottom - r.top, t.cy + 2);
}

TEST_F(Layout, DoublePipesBreakTheCaptionIntoCentredLines) {
  Ornabutton& b = Button(97, 50);
  b.SetCaption(L"One||Two");
  const SIZE line = Measure(b, L"One");
  const RECT r = P::State(b).CaptionRect;
  EXPECT_EQ(r.bottom - r.top, 2 * line.cy);
  EXPECT_EQ(r.right - r.left, std::max(line.cx, Measure(b, L"Two").cx));

  P::FillBox(b, 0, 0, 97, 50, 0xFFFFFF);
  P::DrawCaption(b, 0xFFFFFF, -1, false, false);
  int first = 0, second = 0;
  for (int x = 0; x < 97; ++x)
    for (int y = 0; y < line.cy; ++y) {
      first += GetPixel(P::Buffer(b), x, r.top + y) != 0xFFFFFF;
      second += GetPixel(P::Buffer(b), x, r.top + line.cy + y) != 0xFFFFFF;
    }
  EXPECT_GT(first, 10);
  EXPECT_GT(second, 10);
}

TEST_F(Layout, CaptionIsCutAtTheLimitsOfTheSpan) {
  Ornabutton& b = Button(97, 25);
  b.SetCaption(L"Wwwwwwwwwwwwwwwwwwwwwwwwwwwwwww");
  EXPECT_EQ(P::State(b).CaptionRect.left, 4);
  EXPECT_EQ(P::State(b).CaptionRect.right, 93);
  b.SetCaption(L"A||B||C||D");
  EXPECT_EQ(P::State(b).CaptionRect.top, 4);
  EXPECT_EQ(P::State(b).CaptionRect.bottom, 20);
}

TEST_F(Layout, SlantedAndPictureShapesNarrowTheSpan) {
  Ornabutton& b = Button(100, 25);
  auto& st = P::State(b);
  b.SetCaption(L"Next");
  const SIZE t = Measure(b, L"Next");
  struct Case {
    int32_t shape, cut, right, align, expectLeft;
  };
  // Shape 3: L = 26 - 8 + 3 = 21, X = 74 + 26 \ 3 = 82, span 61.
  const Case cases[] = {
      {3, 26, 74, 0, 25},         {3, 26, 74, 1, 78 - t.cx}, {3, 26, 74, 2, 21 + (61 - t.cx) / 2},
      {1, 26, 100, 1, 96 - t.cx},  // L = 21, X = 100
      {2, 0, 74, 1, 78 - t.cx},    // X = 82
      {7, 0, 100, 0, 7},           // L = 3, X = 97
      {8, 0, 100, 1, 93 - t.cx},
  };
  for (const Case& c : cases) {
    st.ButtonShape = c.shape;
    st.ShapeCut = c.cut;
    st.ContentRight = c.right;
    st.CaptionAlign = c.align;
    P::LayoutContent(b);
    EXPECT_EQ(st.CaptionRect.left, c.expectLeft) << "shape " << c.shape << " align " << c.align;
  }
}

TEST_F(Layout, SmallPicturesSitBesideAboveOrBelowTheCaption) {
  Ornabutton& b = Button(97, 25);
  auto& st = P::State(b);
  b.SetCaption(L"Add");
  const SIZE t = Measure(b, L"Add");
  b.SetPicture(test::TestBitmap(16, 16));
  b.SetCaptionAlign(0);
  EXPECT_EQ(st.PictureRect.left, 4);
  EXPECT_EQ(st.CaptionRect.left, 24);
  EXPECT_EQ(st.PictureRect.top, 4);  // (25 - 16) \ 2

  b.SetPictureAlign(3);  // right of the centred caption
  b.SetCaptionAlign(2);
  const int captionLeft = (97 - (t.cx + 16 + 4)) / 2;
  EXPECT_EQ(st.CaptionRect.left, captionLeft);
  EXPECT_EQ(st.PictureRect.left, captionLeft + t.cx + 4);

  Ornabutton& tall = Button(97, 60);
  tall.SetCaption(L"Add");
  tall.SetPicture(test::TestBitmap(16, 16));
  tall.SetPictureAlign(5);  // below: the pair is centred down the button
  const int32_t gap = nint(60.0 - (t.cy + 16)) / 2;
  EXPECT_EQ(P::State(tall).PictureRect.top, gap + t.cy + 4);
  EXPECT_EQ(P::State(tall).CaptionRect.top, gap + 2);
  EXPECT_EQ(P::State(tall).PictureRect.left, (97 - 16) / 2);
}

TEST_F(Layout, StretchedAndFittedPictureBoxes) {
  Ornabutton& b = Button(100, 30);
  b.SetPicture(test::TestBitmap(32, 16));
  b.SetPictureSize(3);
  EXPECT_THAT(P::State(b).PictureRect, IsRect(3, 3, 97, 27));
  SIZE scaled = BitmapSize(P::State(b).ScaledPicture);
  EXPECT_EQ(scaled.cx, 94);
  EXPECT_EQ(scaled.cy, 24);
  P::State(b).ButtonShape = 6;
  P::LayoutContent(b);
  EXPECT_THAT(P::State(b).PictureRect, IsRect(1, 1, 99, 29));

  // 32 x 16 into 88 x 28: scale min(2.75, 1.75).
  Ornabutton& fit = Button(100, 40);
  fit.SetPicture(test::TestBitmap(32, 16));
  fit.SetPictureSize(4);
  EXPECT_THAT(P::State(fit).PictureRect, IsRect(22, 6, 78, 34));
  scaled = BitmapSize(P::State(fit).ScaledPicture);
  EXPECT_EQ(scaled.cx, 56);
  EXPECT_EQ(scaled.cy, 28);
}

TEST_F(Layout, NearKeyPixelsBecomeTheKeyAndIconsGetNoScaledCopy) {
  Ornabutton& b = Button(97, 25);
  // Corner (200, 10, 10); one pixel 3 off in every channel, one 4 off in red.
  HBITMAP bitmap = test::MakePicture(8, 8, [](int x, int y) -> COLORREF {
    if (y == 1 && x == 1) return RGB(203, 7, 13);
    if (y == 1 && x == 2) return RGB(204, 10, 10);
    return x == 0 && y == 0 ? RGB(200, 10, 10) : RGB(0, 255, 0);
  });
  b.SetPicture(platform::Picture::FromBitmap(bitmap));
  P::PreparePicture(b, 8, 8, nullptr);
  const std::vector<COLORREF> out = test::BitmapPixels(P::State(b).ScaledPicture);
  EXPECT_EQ(out[9], RGB(200, 10, 10));
  EXPECT_EQ(out[10], RGB(204, 10, 10));
  EXPECT_EQ(out[11], RGB(0, 255, 0));

  b.SetPicture(test::TestIcon());
  P::PreparePicture(b, 16, 16, nullptr);
  EXPECT_EQ(P::State(b).ScaledPicture, nullptr);
}

// The scaled picture and the three regions match the one-pixel-at-a-time preparation.
TEST_F(Layout, PreparedPictureMatchesThePixelByPixelReference) {
  struct Case {
    const char* name;
    platform::Picture picture;
    int w, h;
  };
  platform::Picture disc, photo;
  ASSERT_TRUE(platform::Picture::Load(test::PictureFile(L"DISC_BMP"), disc));
  ASSERT_TRUE(platform::Picture::Load(test::PictureFile(L"PHOTO_JPG"), photo));
  const Case cases[] = {
      {"disc", platform::Picture::FromBitmap(test::MakeDiscPicture(64, 48, false)), 64, 48},
      {"speckled disc", platform::Picture::FromBitmap(test::MakeDiscPicture(64, 48, true)), 64, 48},
      {"speckled disc stretched",
       platform::Picture::FromBitmap(test::MakeDiscPicture(64, 48, true)), 90, 30},
      {"disc file", disc, 32, 32},
      {"disc file stretched", disc, 80, 40},
      {"photo", photo, 70, 35},
      {"all key", test::TestBitmap(32, 16), 50, 20},
  };
  Ornabutton& b = Button(90, 48);
  auto& st = P::State(b);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    b.SetPicture(c.picture);
    platform::UniqueRegion target(CreateRectRgn(0, 0, 90, 48));
    P::PreparePicture(b, c.w, c.h, target.get());
    const test::PreparedPicture ref =
        test::ReferencePreparePicture(c.picture.Bitmap(), c.w, c.h, 90, 48);
    EXPECT_TRUE(EqualRgn(target.get(), ref.target.get()));
    EXPECT_TRUE(EqualRgn(st.ShapeRegion, ref.shape.get()));
    EXPECT_TRUE(EqualRgn(st.InnerRegion, ref.inner.get()));
    EXPECT_TRUE(test::BitmapPixels(st.ScaledPicture) == test::BitmapPixels(ref.scaled.get()));
  }
}

}  // namespace
}  // namespace velmora
