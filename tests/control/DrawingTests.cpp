// The drawing primitives (face fills, gradients, bevel rings, face clipping) and the caption,
// picture and focus frame rendering, checked pixel by pixel in the back buffer.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "tests/support/ButtonHost.h"
#include "tests/support/OrnabuttonProbe.h"
#include "tests/support/Pictures.h"

namespace velmora {
namespace {

using P = OrnabuttonProbe;

constexpr int32_t kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00, kWhite = 0xFFFFFF,
                  kGrey = 0x808080, kMagenta = 0xFF00FF;

// The inclusive bounding box of the pixels of one colour.
struct Bounds {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  bool empty() const { return left > right; }
};

class Drawing : public test::ButtonHost {
 protected:
  // A button of w x h pixels whose back buffer is ready, laid out as a plain rectangle.
  Ornabutton& Button(int w = 97, int h = 25) {
    Ornabutton& b = New("Button" + std::to_string(++count_), false, w * 15, h * 15);
    EXPECT_NE(P::Buffer(b), nullptr);
    P::State(b).ContentRight = w;
    return b;
  }
  static COLORREF Px(Ornabutton& b, int x, int y) { return GetPixel(P::Buffer(b), x, y); }
  static void Face(Ornabutton& b, int32_t color) {
    SelectClipRgn(P::Buffer(b), nullptr);
    P::FillBox(b, 0, 0, 2000, 2000, color);
  }
  // Paints the face and reads it at (x, 12).
  COLORREF FaceAt(Ornabutton& b, int32_t base, int32_t grad, int32_t& hover, int x = 48) {
    P::PaintFace(b, base, state_, level_, grad, hover);
    return Px(b, x, 12);
  }
  // A gradient over a green face.
  static void Gradient(Ornabutton& b, int32_t mode, int32_t from, int32_t to) {
    Face(b, kGreen);
    P::State(b).GradientMode = mode;
    P::PaintGradient(b, from, to);
  }
  static Bounds Find(Ornabutton& b, COLORREF color) {
    Bounds r;
    const auto& st = P::State(b);
    BITMAP bm{};
    GetObjectW(GetCurrentObject(st.BufferDC, OBJ_BITMAP), sizeof bm, &bm);
    for (int y = 0; y < bm.bmHeight; ++y)
      for (int x = 0; x < bm.bmWidth; ++x)
        if (GetPixel(st.BufferDC, x, y) == color) {
          r.left = std::min(r.left, x), r.right = std::max(r.right, x);
          r.top = std::min(r.top, y), r.bottom = std::max(r.bottom, y);
        }
    return r;
  }
  static platform::Picture Picture(int w, int h, const std::function<COLORREF(int, int)>& rgb) {
    return platform::Picture::FromBitmap(test::MakePicture(w, h, rgb));
  }
  int count_ = 0;
  int16_t state_ = -1, level_ = -1;
};

TEST_F(Drawing, FaceTakesTheHoverColourOnlyWhereHoverApplies) {
  Ornabutton& b = Button();
  auto& st = P::State(b);
  int32_t hover = -1;
  EXPECT_EQ(FaceAt(b, kRed, -1, hover), kRed);
  EXPECT_EQ(hover, kRed) << "no hover colour: the caller's variable becomes the base";
  EXPECT_EQ(level_, 3);
  st.Hovering = true;
  hover = kBlue;
  EXPECT_EQ(FaceAt(b, kRed, -1, hover), kBlue);
  st.StateFlags = ButtonDown | MouseOver;
  EXPECT_EQ(FaceAt(b, kRed, -1, hover), kRed) << "pressed inside";
  EXPECT_EQ(state_, 2);
  st.StateFlags = 0;

  // A gradient face gives way to the hover colour, unless that is the gradient's own colour.
  st.GradientMode = 1;
  st.GradientColor = kBlue;
  st.HoverBackColor = kGreen;
  hover = kGreen;
  EXPECT_EQ(FaceAt(b, kRed, kBlue, hover, 0), kGreen);
  st.HoverBackColor = kBlue;
  EXPECT_EQ(FaceAt(b, kRed, kBlue, hover, 0), kRed);
  EXPECT_EQ(Px(b, 96, 12), kBlue);
  st.Mode = 1;
  st.Value = true;  // checked: the flat base colour, even under the pointer
  EXPECT_EQ(FaceAt(b, kRed, kBlue, hover, 96), kRed);
}

TEST_F(Drawing, Style2ShadesTheFaceRowByRowUnlessADisabledCommandButton) {
  Ornabutton& b = Button();
  auto& st = P::State(b);
  st.ButtonStyle = 2;
  int32_t hover = -1;
  const int32_t fill = 0x80C0E0;                    // blue 128 moves by two thirds of the amount
  EXPECT_EQ(FaceAt(b, fill, -1, hover), 0x78B4D4);  // -12 on row 12
  EXPECT_EQ(Px(b, 50, 0), fill);
  EXPECT_EQ(Px(b, 0, 24), 0x70A8C8);  // -24 on the last row of a 25-pixel face
  EXPECT_EQ(Px(b, 96, 24), 0x70A8C8);

  P::Surface(b).SetEnabled(false);
  EXPECT_EQ(FaceAt(b, fill, -1, hover), fill);
  st.Mode = 1;
  EXPECT_EQ(FaceAt(b, fill, -1, hover), 0x78B4D4);
}

TEST_F(Drawing, GradientsRunInAllFourDirections) {
  Ornabutton& b = Button();
  // 97 columns: a step of 255/96 per entry, exact in single precision.
  Gradient(b, 1, kRed, kBlue);
  EXPECT_EQ(Px(b, 0, 0), kRed);
  EXPECT_EQ(Px(b, 48, 0), 0x7F007F);
  EXPECT_EQ(Px(b, 48, 24), 0x7F007F);
  EXPECT_EQ(Px(b, 96, 12), kBlue);
  for (int x = 1; x < 97; ++x) ASSERT_LT(GetRValue(Px(b, x, 5)), GetRValue(Px(b, x - 1, 5)));

  Gradient(b, 2, kRed, kBlue);
  EXPECT_EQ(Px(b, 0, 12), kBlue);
  EXPECT_EQ(Px(b, 96, 12), kRed);

  // 25 rows: a step of 10.625.
  Gradient(b, 3, kRed, kBlue);
  EXPECT_EQ(Px(b, 50, 0), kRed);
  EXPECT_EQ(Px(b, 0, 1), 0x0A00F4);
  EXPECT_EQ(Px(b, 96, 24), kBlue);

  Gradient(b, 4, kRed, kBlue);
  EXPECT_EQ(Px(b, 50, 0), kBlue);
  EXPECT_EQ(Px(b, 50, 23), 0x0A00F4);
  EXPECT_EQ(Px(b, 50, 24), kRed);
}

TEST_F(Drawing, FacesOverAQuarterOfTheScreenTakeTwoPixelBandsAndLeaveTheOddLineAlone) {
  // The Xvfb screen is 1280 x 1024: 341 columns and 259 rows are more than a quarter.
  Ornabutton& wide = Button(341, 25);
  Gradient(wide, 1, kRed, kBlue);
  EXPECT_EQ(Px(wide, 0, 10), kRed);
  EXPECT_EQ(Px(wide, 1, 10), kRed);
  EXPECT_NE(Px(wide, 2, 10), kRed);
  EXPECT_EQ(Px(wide, 2, 10), Px(wide, 3, 10));
  EXPECT_EQ(Px(wide, 338, 10), kBlue);  // 170 entries
  EXPECT_EQ(Px(wide, 339, 10), kBlue);
  EXPECT_EQ(Px(wide, 340, 10), kGreen);

  Ornabutton& tall = Button(40, 259);
  Gradient(tall, 4, kRed, kBlue);
  EXPECT_EQ(Px(tall, 20, 0), kBlue);
  EXPECT_EQ(Px(tall, 20, 257), kRed);
  EXPECT_EQ(Px(tall, 20, 256), kRed);
  EXPECT_EQ(Px(tall, 20, 258), kGreen);
}

TEST_F(Drawing, AOnePixelGradientFaceIsTheStartColour) {
  Ornabutton& narrow = Button(1, 25);
  Gradient(narrow, 1, kRed, kBlue);
  EXPECT_EQ(Px(narrow, 0, 0), kRed);
  EXPECT_EQ(Px(narrow, 0, 24), kRed);

  Ornabutton& flat = Button(97, 1);
  Gradient(flat, 4, kRed, kBlue);
  EXPECT_EQ(Px(flat, 0, 0), kRed);
  EXPECT_EQ(Px(flat, 96, 0), kRed);
}

TEST_F(Drawing, RampsStartExactlyAndTruncateTheirChannels) {
  Ornabutton& b = Button();
  std::vector<int32_t> ramp(10);
  P::BuildGradientRamp(b, ramp, 0x000000, 0x0000FF);
  EXPECT_EQ(ramp[0], 0);
  EXPECT_EQ(ramp[1], 28);   // 28.33 truncated
  EXPECT_EQ(ramp[9], 254);  // the single-precision sum falls just short of 255
  P::BuildGradientRamp(b, ramp, 0x0000FF, 0x000000);
  EXPECT_EQ(ramp[1], 226);
  EXPECT_EQ(ramp[9], 0);
  std::vector<int32_t> one(1);
  P::BuildGradientRamp(b, one, 0x123456, 0xFFFFFF);
  EXPECT_EQ(one[0], 0x123456);
}

TEST_F(Drawing, FacePaintClipsToTheShapeAndDrawsTheRingsOfPressedButtons) {
  Ornabutton& b = Button(100, 40);
  auto& st = P::State(b);
  st.ButtonShape = 4;
  st.ShapeRegion = CreateEllipticRgn(1, 1, 99, 39);
  st.InnerRegion = CreateEllipticRgn(2, 2, 98, 38);
  st.GradientMode = 1;
  HDC dc = P::Buffer(b);

  Face(b, kGreen);
  int16_t level = 0;
  P::BeginFacePaint(b, level);
  EXPECT_EQ(level, 3);
  P::FillBox(b, 0, 0, 100, 40, kRed);
  SelectClipRgn(dc, nullptr);
  EXPECT_EQ(Px(b, 50, 1), kRed);
  EXPECT_EQ(Px(b, 0, 0), kGreen);
  EXPECT_EQ(Px(b, 50, 0), kGreen);

  Face(b, kGreen);
  st.StateFlags = ButtonDown | MouseOver;
  P::BeginFacePaint(b, level);
  EXPECT_EQ(level, 4);
  EXPECT_EQ(st.GradientMode, 1) << "the ring's own gradient mode is put back";
  P::FillBox(b, 0, 0, 100, 40, kRed);
  SelectClipRgn(dc, nullptr);
  EXPECT_EQ(Px(b, 50, 20), kRed);
  EXPECT_EQ(Px(b, 0, 0), kGreen);
  // Grey at the top to white at the bottom: the pushed ring, outside the red inner face.
  int y = 0, z = 39;
  while (y < 20 && Px(b, 50, y) == kGreen) ++y;
  while (z > 20 && Px(b, 50, z) == kGreen) --z;
  const COLORREF top = Px(b, 50, y), bottom = Px(b, 50, z);
  EXPECT_TRUE(GetRValue(top) >= 0x80 && GetRValue(top) < 0x88) << std::hex << top;
  EXPECT_TRUE(GetRValue(bottom) > 0xF0 && GetBValue(bottom) > 0xF0) << std::hex << bottom;
  EXPECT_EQ(Px(b, 50, y + 1), kRed);
  EXPECT_EQ(Px(b, 50, z - 1), kRed);
  st.StateFlags = 0;

  st.CustomClick = 4;  // a press that moves the window draws nothing
  st.StateFlags = ButtonDown | MouseOver;
  P::BeginFacePaint(b, level);
  EXPECT_EQ(level, 0);
  st.StateFlags = 0;
  P::BeginFacePaint(b, level);
  EXPECT_EQ(st.StateFlags & Offset, 0) << "the release moved it back";
}

// Bevel rings: the pixel at the middle of each side, per shape, for Colors(1) to Colors(12).
struct BevelCase {
  int32_t shape, shapeCut, contentRight;
  int left[3], right[3];  // inner, middle, outer x at row 12 (45 degree sides on slants)
};

class BevelRings : public Drawing, public testing::WithParamInterface<BevelCase> {};

TEST_P(BevelRings, EachSideInItsColourAndNegativeEntriesLeftAlone) {
  const BevelCase c = GetParam();
  Ornabutton& b = Button(100, 25);
  auto& st = P::State(b);
  st.ButtonShape = c.shape;
  st.ShapeCut = c.shapeCut;
  st.ContentRight = c.contentRight;
  Ornabutton::Colors colors{};
  for (int i = 1; i <= 12; ++i) colors[i] = 0x10 * i;  // distinct reds
  Face(b, kGreen);
  P::DrawBevelFrame(b, colors, -1);
  for (int ring = 0; ring < 3; ++ring) {
    const int base = 1 + 4 * ring;  // inner 1..4, middle 5..8, outer 9..12
    SCOPED_TRACE("ring " + std::to_string(ring));
    EXPECT_EQ(Px(b, c.left[ring], 12), colors[base]);
    EXPECT_EQ(Px(b, 50, 2 - ring), colors[base + 1]);
    EXPECT_EQ(Px(b, c.right[ring], 12), colors[base + 2]);
    EXPECT_EQ(Px(b, 50, 22 + ring), colors[base + 3]);
  }

  Face(b, kGreen);
  for (int i : {1, 2, 3, 4, 6, 9}) colors[i] = -1;
  P::DrawBevelFrame(b, colors, -1);
  for (int ring = 0; ring < 3; ++ring) {
    EXPECT_EQ(Px(b, 50, 2 - ring) == kGreen, colors[2 + 4 * ring] < 0);
    EXPECT_EQ(Px(b, c.left[ring], 12) == kGreen, colors[1 + 4 * ring] < 0);
  }
  EXPECT_EQ(Px(b, c.right[0], 12), kGreen);
  EXPECT_EQ(Px(b, 50, 22), kGreen);

  // The closing line of the outer bottom draws with the pen in hand, even without a colour.
  Face(b, kGreen);
  colors[12] = -1;
  P::DrawBevelFrame(b, colors, -1);
  EXPECT_EQ(Px(b, 50, 24), colors[11]);
}

INSTANTIATE_TEST_SUITE_P(Shapes, BevelRings,
                         testing::Values(BevelCase{0, 0, 100, {2, 1, 0}, {97, 98, 99}},
                                         BevelCase{1, 26, 100, {14, 13, 12}, {97, 98, 99}},
                                         BevelCase{2, 0, 74, {2, 1, 0}, {84, 85, 86}},
                                         BevelCase{3, 26, 74, {14, 13, 12}, {84, 85, 86}}));

TEST_F(Drawing, BevelKeepsThePreviousPenWhileTheColourStaysTheSame) {
  Ornabutton& b = Button(100, 25);
  Ornabutton::Colors colors{};
  for (int i = 1; i <= 8; ++i) colors[i] = -1;
  colors[8] = kRed;  // middle bottom, then the outer left in the same colour: no new pen
  colors[9] = kRed;
  colors[10] = kBlue;  // a new colour takes the dotted outer style
  colors[11] = colors[12] = -1;
  Face(b, kWhite);
  P::DrawBevelFrame(b, colors, PS_DOT);
  int solid = 0, dotted = 0;
  for (int y = 1; y < 24; ++y) solid += Px(b, 0, y) == kRed;
  for (int x = 1; x < 99; ++x) dotted += Px(b, x, 0) == kBlue;
  EXPECT_EQ(solid, 23);
  EXPECT_GT(dotted, 20);
  EXPECT_LT(dotted, 90);
}

TEST_F(Drawing, CaptionTakesItsColourAndMovesWhenPushed) {
  Ornabutton& b = Button(97, 25);
  auto& st = P::State(b);
  b.SetForeColor(kBlue);
  b.SetHoverForeColor(kRed);
  b.SetCaption(L"Save");
  P::LayoutContent(b);
  Face(b, kWhite);
  P::DrawCaption(b, kWhite, -1, false, false);
  const Bounds plain = Find(b, kBlue);
  ASSERT_FALSE(plain.empty());
  const RECT& r = st.CaptionRect;
  EXPECT_GE(plain.left, r.left);
  EXPECT_LT(plain.right, r.right);
  EXPECT_GE(plain.top, r.top);
  EXPECT_LT(plain.bottom, r.bottom);

  Face(b, kWhite);
  P::DrawCaption(b, kWhite, -1, true, false);
  const Bounds pushed = Find(b, kBlue);
  EXPECT_EQ(pushed.left, plain.left + 1);
  EXPECT_EQ(pushed.top, plain.top + 1);

  st.ButtonStyle = 3;  // this look never moves its content
  Face(b, kWhite);
  P::DrawCaption(b, kWhite, -1, true, false);
  EXPECT_EQ(Find(b, kBlue).left, plain.left);
  st.ButtonStyle = 0;

  st.Hovering = true;
  Face(b, kWhite);
  P::DrawCaption(b, kWhite, -1, false, false);
  EXPECT_TRUE(Find(b, kBlue).empty());
  EXPECT_EQ(Find(b, kRed).left, plain.left);
  st.Hovering = false;

  st.ButtonShape = 5;  // shown only while set
  Face(b, kWhite);
  P::DrawCaption(b, kWhite, -1, false, false);
  EXPECT_TRUE(Find(b, kBlue).empty());
}

TEST_F(Drawing, EngravedCaptionLaysTwoShiftedCopiesOfTheFaceAroundTheText) {
  Ornabutton& b = Button(97, 25);
  b.SetForeColor(0x000000);
  b.SetCaption(L"Open");
  P::LayoutContent(b);
  Face(b, kGrey);
  P::DrawCaption(b, kGrey, -1, false, false);
  const Bounds plain = Find(b, 0x000000);

  P::State(b).CaptionStyle = 2;
  Face(b, kGrey);
  P::DrawCaption(b, kGrey, -1, false, false);
  const Bounds text = Find(b, 0x000000), light = Find(b, 0xA8A8A8), dark = Find(b, 0x585858);
  EXPECT_EQ(text.left, plain.left);
  EXPECT_EQ(text.top, plain.top + 1);
  EXPECT_EQ(light.left, plain.left - 1);
  EXPECT_EQ(light.top, plain.top);
  EXPECT_EQ(dark.right, plain.right + 1);
  EXPECT_EQ(dark.bottom, plain.bottom + 2);
}

TEST_F(Drawing, DisabledCaptionIsGreyOverAWhiteCopyOrOneGreyCopyOnAFlatCheckBox) {
  Ornabutton& b = Button(97, 25);
  b.SetCaption(L"Close");
  P::LayoutContent(b);
  const int32_t face = 0xC0C0C0;
  Face(b, face);
  P::DrawCaption(b, face, -1, false, false);
  const Bounds plain = Find(b, GetSysColor(COLOR_BTNTEXT));

  P::Surface(b).SetEnabled(false);
  Face(b, face);
  P::DrawCaption(b, face, -1, false, false);
  const Bounds grey = Find(b, kGrey), white = Find(b, kWhite);
  EXPECT_EQ(grey.left, plain.left);
  EXPECT_EQ(grey.top, plain.top);
  EXPECT_EQ(white.right, grey.right + 1);
  EXPECT_EQ(white.bottom, grey.bottom + 1);

  Face(b, face);
  P::DrawCaption(b, face, kGrey, false, true);
  EXPECT_TRUE(Find(b, kWhite).empty());
  EXPECT_EQ(Find(b, kGrey).left, plain.left);

  P::State(b).GradientMode = 1;  // on a gradient face the pair comes back
  Face(b, face);
  P::DrawCaption(b, face, kGrey, false, true);
  EXPECT_FALSE(Find(b, kWhite).empty());
}

TEST_F(Drawing, PictureShowsTheFaceThroughKeyPixels) {
  Ornabutton& b = Button(97, 25);
  // Magenta ground (one pixel just off it), a blue square in the middle.
  b.SetPicture(Picture(16, 16, [](int x, int y) -> COLORREF {
    if (x == 1 && y == 1) return 0xFD02FE;
    return x >= 4 && x < 12 && y >= 4 && y < 12 ? kBlue : kMagenta;
  }));
  P::LayoutContent(b, true);
  const RECT box = P::State(b).PictureRect;
  ASSERT_EQ(box.right - box.left, 16);
  Face(b, kGreen);
  P::DrawPicture(b, box);
  EXPECT_EQ(Px(b, box.left, box.top), kGreen);
  EXPECT_EQ(Px(b, box.left + 1, box.top + 1), kGreen);
  EXPECT_EQ(Px(b, box.left + 15, box.top + 15), kGreen);
  EXPECT_EQ(Px(b, box.left + 4, box.top + 4), kBlue);
  EXPECT_EQ(Px(b, box.left + 11, box.top + 11), kBlue);
  EXPECT_EQ(Px(b, box.left + 12, box.top + 11), kGreen);
  EXPECT_EQ(Px(b, box.left - 1, box.top + 8), kGreen);
}

TEST_F(Drawing, DisabledPictureIsAFlatGreySilhouette) {
  Ornabutton& b = Button(97, 25);
  // Black, white and red bars on magenta.
  b.SetPicture(Picture(16, 16, [](int x, int y) -> COLORREF {
    if (y < 4 || y >= 12) return kMagenta;
    return x < 5 ? 0x000000 : x < 10 ? kWhite : kRed;
  }));
  P::LayoutContent(b, true);
  const RECT box = P::State(b).PictureRect;
  P::Surface(b).SetEnabled(false);
  const int32_t face = 0xC0D0E0;
  Face(b, face);
  P::DrawPicture(b, box);
  EXPECT_EQ(Px(b, box.left + 2, box.top + 8), kGrey);
  EXPECT_EQ(Px(b, box.left + 7, box.top + 8), face);
  EXPECT_EQ(Px(b, box.left + 13, box.top + 8), kGrey);
  EXPECT_EQ(Px(b, box.left + 8, box.top + 1), face);
}

TEST_F(Drawing, FocusFrameIsDottedUncheckedAndSolidChecked) {
  Ornabutton& b = Button(97, 25);
  auto& st = P::State(b);
  Face(b, kWhite);
  P::DrawFocusFrame(b, kRed, false, false);
  EXPECT_TRUE(Find(b, kRed).empty() && Find(b, kWhite).left == 0) << "only with the default look";

  st.StateFlags = Default;
  // The frame (4, 4, 93, 21): XOR dots on the unchecked button.
  P::DrawFocusFrame(b, kRed, false, false);
  int changed = 0;
  for (int x = 4; x < 93; ++x) changed += Px(b, x, 4) != kWhite;
  EXPECT_GT(changed, 30);
  EXPECT_LT(changed, 60);
  EXPECT_EQ(Px(b, 3, 4), kWhite);

  Face(b, kWhite);
  P::DrawFocusFrame(b, kRed, true, false);
  for (int x = 4; x <= 93; ++x) ASSERT_EQ(Px(b, x, 4), kRed) << x;
  for (int y = 4; y <= 21; ++y) ASSERT_EQ(Px(b, 93, y), kRed) << y;
  EXPECT_EQ(Px(b, 50, 21), kRed);

  Face(b, kWhite);
  P::DrawFocusFrame(b, -1, true, false);
  EXPECT_EQ(Px(b, 50, 4), 0x000000) << "no colour draws black";

  // Asked for solid: around the caption, 2 pixels out when it keeps clear of the sides, and
  // moved with the content of the checked button.
  b.SetCaption(L"Go");
  P::LayoutContent(b);
  const RECT c = st.CaptionRect;
  Face(b, kWhite);
  P::DrawFocusFrame(b, kRed, true, true);
  EXPECT_EQ(Px(b, c.left - 1, c.top - 1), kRed);
  EXPECT_EQ(Px(b, c.right + 3, c.bottom + 3), kRed);
  EXPECT_EQ(Px(b, c.left - 2, c.top - 1), kWhite);
  Face(b, kWhite);
  P::DrawFocusFrame(b, kRed, false, true);
  EXPECT_TRUE(Find(b, kRed).empty());
  int dots = 0;
  for (int x = c.left - 2; x < c.right + 2; ++x) dots += Px(b, x, c.top - 2) != kWhite;
  EXPECT_GT(dots, 2);

  // Slanted sides always get the solid polyline.
  st.ButtonShape = 1;
  st.ShapeCut = 26;
  Face(b, kWhite);
  P::DrawFocusFrame(b, kRed, false, false);
  EXPECT_EQ(Px(b, 50, 4), kRed);
  EXPECT_EQ(Px(b, 50, 20), kRed);
}

}  // namespace
}  // namespace velmora
