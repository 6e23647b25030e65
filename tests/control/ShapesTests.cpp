// The nine window shapes, shape by shape: the window region with its corner trimming, the two
// inset regions, the content limits, the outline rings painted into the back buffer, and real
// clicks that miss the button where its region leaves a gap.
#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>

#include "tests/support/ButtonHost.h"
#include "tests/support/OrnabuttonProbe.h"
#include "tests/support/Pictures.h"

namespace velmora {
namespace {

using P = OrnabuttonProbe;
using platform::UniqueRegion;

constexpr int32_t kBack = 0xC0C0C0, kGreen = 0x00FF00, kMagenta = 0xFF00FF;

// The button's window region (empty when it has none).
UniqueRegion WindowRegion(const Ornabutton& b) {
  UniqueRegion r(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(b.hwnd(), r.get()) == ERROR) SetRectRgn(r.get(), 0, 0, 0, 0);
  return r;
}

UniqueRegion Polygon(std::initializer_list<POINT> points) {
  return UniqueRegion(CreatePolygonRgn(points.begin(), static_cast<int>(points.size()), WINDING));
}

// The pixels of a region inside a box, as text rows ('#' in, '.' out), for readable failures.
std::string Mask(HRGN r, RECT box) {
  std::string s;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) s += PtInRegion(r, x, y) ? '#' : '.';
    s += '\n';
  }
  return s;
}

// Whether two regions cover the same pixels (the platform may band equal regions differently).
bool Same(HRGN a, HRGN b) {
  const UniqueRegion difference(CreateRectRgn(0, 0, 0, 0));
  return CombineRgn(difference.get(), a, b, RGN_XOR) == NULLREGION;
}

SIZE ClientSize(const Ornabutton& b) {
  RECT r;
  GetClientRect(b.hwnd(), &r);
  return {r.right, r.bottom};
}

class Shapes : public test::ButtonHost {
 protected:
  Ornabutton& Button(int32_t style, int32_t shape, int w = 100, int h = 25) {
    Ornabutton& b = New("Shape" + std::to_string(++count_), false, w * 15, h * 15);
    b.SetBackColor(kBack);
    b.SetButtonStyle(style);
    b.SetButtonShape(shape);
    return b;
  }
  static COLORREF Px(Ornabutton& b, int x, int y) { return GetPixel(P::Buffer(b), x, y); }
  // Paints the whole buffer green and builds the shape again: what it paints stands out.
  static void Rebuild(Ornabutton& b) {
    SelectClipRgn(P::Buffer(b), nullptr);
    P::FillBox(b, 0, 0, 1000, 1000, kGreen);
    P::BuildShape(b);
  }
  int count_ = 0;
};

// ---- Rectangle (shape 0): corner trimming by style ----

TEST_F(Shapes, RectangleKeepsItsCornersInStylesWithoutRounding) {
  for (int32_t style : {0, 4, 5, 6}) {
    Ornabutton& b = Button(style, 0);
    const UniqueRegion r = WindowRegion(b);
    for (POINT p : {POINT{0, 0}, POINT{99, 0}, POINT{0, 24}, POINT{99, 24}})
      EXPECT_TRUE(PtInRegion(r.get(), p.x, p.y)) << "style " << style;
    EXPECT_EQ(P::State(b).ShapeRegion, nullptr);
    EXPECT_EQ(P::State(b).InnerRegion, nullptr);
    EXPECT_EQ(P::State(b).ShapeCut, 0);
    EXPECT_EQ(P::State(b).ContentRight, 100);
  }
}

TEST_F(Shapes, RectangleLosesItsFourCornerPixelsInFramedBevel) {
  Ornabutton& b = Button(1, 0);
  const UniqueRegion r = WindowRegion(b);
  for (POINT p : {POINT{0, 0}, POINT{99, 0}, POINT{0, 24}, POINT{99, 24}})
    EXPECT_FALSE(PtInRegion(r.get(), p.x, p.y)) << p.x << ", " << p.y;
  for (POINT p : {POINT{1, 0}, POINT{0, 1}, POINT{98, 24}, POINT{99, 23}, POINT{1, 1}})
    EXPECT_TRUE(PtInRegion(r.get(), p.x, p.y)) << p.x << ", " << p.y;
}

TEST_F(Shapes, RectangleInEtchedFlatLosesTwoCornersOnlyWhileEnabled) {
  Ornabutton& b = Button(3, 0);
  UniqueRegion r = WindowRegion(b);
  EXPECT_FALSE(PtInRegion(r.get(), 0, 24));
  EXPECT_FALSE(PtInRegion(r.get(), 99, 0));
  EXPECT_TRUE(PtInRegion(r.get(), 0, 0));
  EXPECT_TRUE(PtInRegion(r.get(), 99, 24));
  b.SetEnabled(false);
  r = WindowRegion(b);
  EXPECT_TRUE(PtInRegion(r.get(), 0, 24));
  EXPECT_TRUE(PtInRegion(r.get(), 99, 0));
  b.SetEnabled(true);
  r = WindowRegion(b);
  EXPECT_FALSE(PtInRegion(r.get(), 0, 24));
}

TEST_F(Shapes, RectangleLosesCornerTrianglesInRoundedStyles) {
  for (int32_t style : {2, 7}) {
    Ornabutton& b = Button(style, 0);
    const UniqueRegion r = WindowRegion(b);
    const auto removed = [&](int x0, int y0) {
      int n = 0;
      for (int y = y0; y < y0 + 4; ++y)
        for (int x = x0; x < x0 + 4; ++x) n += !PtInRegion(r.get(), x, y);
      return n;
    };
    const std::string corners = Mask(r.get(), {0, 0, 5, 5}) + "\n" + Mask(r.get(), {0, 20, 5, 25});
    SCOPED_TRACE("style " + std::to_string(style) + "\n" + corners);
    for (POINT p :
         {POINT{0, 0}, POINT{99, 0}, POINT{0, 24}, POINT{99, 24}, POINT{1, 24}, POINT{0, 23}})
      EXPECT_FALSE(PtInRegion(r.get(), p.x, p.y)) << p.x << ", " << p.y;
    EXPECT_TRUE(PtInRegion(r.get(), 3, 3));
    EXPECT_TRUE(PtInRegion(r.get(), 96, 21));
    EXPECT_GT(removed(0, 0), 0);
    EXPECT_EQ(removed(96, 0), removed(0, 0)) << "left and right alike";
    EXPECT_EQ(removed(96, 21), removed(0, 21));
    // Exactly the rectangle less the four triangles.
    UniqueRegion expected(CreateRectRgn(0, 0, 101, 26));
    const UniqueRegion triangles[] = {
        Polygon({{0, 0}, {2, 0}, {0, 2}}), Polygon({{0, 25}, {3, 25}, {0, 22}}),
        Polygon({{100, 0}, {98, 0}, {100, 2}}), Polygon({{100, 25}, {97, 25}, {100, 22}})};
    for (const auto& t : triangles) CombineRgn(expected.get(), expected.get(), t.get(), RGN_DIFF);
    EXPECT_TRUE(Same(r.get(), expected.get()));
  }
}

// ---- Slanted shapes (1, 2, 3) ----

TEST_F(Shapes, BothSidesSlantedMakeAParallelogram) {
  Ornabutton& b = Button(0, 3, 100, 25);
  const auto& st = P::State(b);
  EXPECT_EQ(ClientSize(b).cx, 100) << "wide enough: no resize";
  EXPECT_EQ(st.ShapeCut, 26);
  EXPECT_EQ(st.ContentRight, 74);
  const UniqueRegion r = WindowRegion(b);
  const UniqueRegion expected = Polygon({{0, 0}, {26, 26}, {101, 26}, {75, 0}});
  EXPECT_TRUE(Same(r.get(), expected.get())) << Mask(r.get(), {0, 0, 101, 26});
  EXPECT_TRUE(PtInRegion(r.get(), 0, 0));
  EXPECT_FALSE(PtInRegion(r.get(), 2, 24)) << "cut away at the bottom-left";
  EXPECT_FALSE(PtInRegion(r.get(), 98, 1)) << "cut away at the top-right";
  EXPECT_TRUE(PtInRegion(r.get(), 98, 24));
  EXPECT_EQ(st.ShapeRegion, nullptr);
}

TEST_F(Shapes, ALeftSlantTooNarrowGrowsInFivePixelSteps) {
  Ornabutton& b = Button(0, 1, 20, 25);
  EXPECT_EQ(ClientSize(b).cx, 35);
  EXPECT_EQ(ClientSize(b).cy, 25);
  const auto& st = P::State(b);
  EXPECT_EQ(st.ShapeCut, 26);
  EXPECT_EQ(st.ContentRight, 35);
  const UniqueRegion r = WindowRegion(b);
  const UniqueRegion expected = Polygon({{0, 0}, {26, 26}, {36, 26}, {36, 0}});
  EXPECT_TRUE(Same(r.get(), expected.get())) << Mask(r.get(), {0, 0, 36, 26});
  EXPECT_FALSE(st.DrawingDelayed) << "the resize leaves drawing on";
  // The back buffer followed the new width.
  BITMAP bm{};
  GetObjectW(GetCurrentObject(P::Buffer(b), OBJ_BITMAP), sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 35);
}

TEST_F(Shapes, ARightSlantEndsTheContentWhereTheSlantBegins) {
  Ornabutton& b = Button(0, 2, 100, 25);
  const auto& st = P::State(b);
  EXPECT_EQ(st.ShapeCut, 0);
  EXPECT_EQ(st.ContentRight, 74);
  const UniqueRegion r = WindowRegion(b);
  const UniqueRegion expected = Polygon({{0, 0}, {0, 26}, {101, 26}, {75, 0}});
  EXPECT_TRUE(Same(r.get(), expected.get()));
  // 30 pixels leave 4 beside the slant: one step to 35.
  Ornabutton& narrow = Button(0, 2, 30, 25);
  EXPECT_EQ(ClientSize(narrow).cx, 35);
  EXPECT_EQ(P::State(narrow).ContentRight, 9);
}

TEST_F(Shapes, SlantedShapesTrimOnlyTheirSquareSide) {
  // Right slant, FramedBevel: the two left corner pixels go.
  Ornabutton& right = Button(1, 2, 100, 25);
  UniqueRegion expected = Polygon({{0, 0}, {0, 26}, {101, 26}, {75, 0}});
  for (POINT p : {POINT{0, 0}, POINT{0, 24}}) {
    UniqueRegion pixel(CreateRectRgn(p.x, p.y, p.x + 1, p.y + 1));
    CombineRgn(expected.get(), expected.get(), pixel.get(), RGN_DIFF);
  }
  EXPECT_TRUE(Same(WindowRegion(right).get(), expected.get()));

  // Left slant, FramedBevel: the right corners.
  Ornabutton& left = Button(1, 1, 100, 25);
  UniqueRegion r = WindowRegion(left);
  EXPECT_FALSE(PtInRegion(r.get(), 99, 0));
  EXPECT_FALSE(PtInRegion(r.get(), 99, 24));
  EXPECT_TRUE(PtInRegion(r.get(), 0, 0));

  // Both slanted: no square side, nothing trimmed.
  Ornabutton& both = Button(1, 3, 100, 25);
  expected = Polygon({{0, 0}, {26, 26}, {101, 26}, {75, 0}});
  EXPECT_TRUE(Same(WindowRegion(both).get(), expected.get()));

  // EtchedFlat: one pixel on the square side only.
  Ornabutton& etched = Button(3, 2, 100, 25);
  r = WindowRegion(etched);
  EXPECT_FALSE(PtInRegion(r.get(), 0, 24));
  EXPECT_TRUE(PtInRegion(r.get(), 0, 0));
  Ornabutton& etchedLeft = Button(3, 1, 100, 25);
  r = WindowRegion(etchedLeft);
  EXPECT_FALSE(PtInRegion(r.get(), 99, 0));
  EXPECT_TRUE(PtInRegion(r.get(), 99, 24));

  // RoundedFramed: triangles on the square side.
  Ornabutton& rounded = Button(7, 2, 100, 25);
  r = WindowRegion(rounded);
  EXPECT_FALSE(PtInRegion(r.get(), 1, 0));
  EXPECT_FALSE(PtInRegion(r.get(), 1, 24));
  EXPECT_TRUE(PtInRegion(r.get(), 3, 3));
}

// ---- Ellipses (4, 5, 6) ----

TEST_F(Shapes, EllipsesFillTheControlWithInsetRegionsOneAndTwoPixelsIn) {
  for (int32_t shape : {4, 5, 6}) {
    Ornabutton& b = Button(0, shape, 100, 40);
    const auto& st = P::State(b);
    const UniqueRegion window(CreateEllipticRgn(0, 0, 100, 40)),
        shapeRegion(CreateEllipticRgn(1, 1, 99, 39)), inner(CreateEllipticRgn(2, 2, 98, 38));
    EXPECT_TRUE(Same(WindowRegion(b).get(), window.get())) << "shape " << shape;
    EXPECT_TRUE(Same(st.ShapeRegion, shapeRegion.get()));
    EXPECT_TRUE(Same(st.InnerRegion, inner.get()));
    EXPECT_EQ(st.ShapeCut, 0);
    EXPECT_EQ(st.ContentRight, 100);
  }
}

TEST_F(Shapes, EllipseRingsShadeFromWhiteToGreyOrAreBlackOrAbsent) {
  // Shapes 4 and 5: a gradient over the whole buffer; the face, clipped to the inset region,
  // leaves its outer pixels as the ring.
  for (int32_t shape : {4, 5}) {
    Ornabutton& b = Button(0, shape, 100, 40);
    Rebuild(b);
    EXPECT_EQ(Px(b, 50, 0), 0xFFFFFFu) << "white at the top";
    const COLORREF bottom = Px(b, 50, 39);
    EXPECT_EQ(GetRValue(bottom), GetBValue(bottom));
    EXPECT_NEAR(GetRValue(bottom), 0x80, 1) << "grey at the bottom";
    EXPECT_EQ(P::State(b).GradientMode, 0) << "the ring's gradient mode is put back";
    b.Refresh();
    EXPECT_EQ(Px(b, 50, 0), 0xFFFFFFu) << "the ring survives the face";
    EXPECT_EQ(Px(b, 50, 1), static_cast<COLORREF>(kBack));
  }
  // Shape 6: a black frame around the window region, which only the look under the pointer
  // keeps; at rest the flat face covers it.
  Ornabutton& six = Button(0, 6, 100, 40);
  Rebuild(six);
  EXPECT_EQ(Px(six, 50, 0), 0u);
  EXPECT_EQ(Px(six, 0, 20), 0u);
  EXPECT_EQ(Px(six, 50, 1), static_cast<COLORREF>(kGreen));
  six.Refresh();
  EXPECT_EQ(Px(six, 50, 0), static_cast<COLORREF>(kBack));
  P::State(six).Hovering = true;
  six.Refresh();
  EXPECT_EQ(Px(six, 50, 0), 0u);
  P::State(six).Hovering = false;

  // FlatHotTrack: no ring at all.
  for (int32_t shape : {4, 5, 6}) {
    Ornabutton& flat = Button(5, shape, 100, 40);
    Rebuild(flat);
    EXPECT_EQ(Px(flat, 50, 0), static_cast<COLORREF>(kGreen)) << "shape " << shape;
    EXPECT_EQ(Px(flat, 0, 20), static_cast<COLORREF>(kGreen));
  }
}

// ---- Picture shapes (7, 8) ----

class PictureShapes : public Shapes {
 protected:
  // A button of the disc picture: 32 x 32 pixels, magenta around a disc.
  Ornabutton& Disc(int32_t shape, int32_t style = 0) {
    platform::Picture disc;
    EXPECT_TRUE(platform::Picture::Load(test::PictureFile(L"DISC_BMP"), disc));
    Ornabutton& b = New("Disc" + std::to_string(++count_), false, 32 * 15, 32 * 15);
    b.SetBackColor(kBack);
    b.SetButtonStyle(style);
    b.SetPicture(disc);
    b.SetButtonShape(shape);
    pixels_ = test::BitmapPixels(disc.Bitmap());
    return b;
  }
  bool Opaque(int x, int y) const {
    return x >= 0 && y >= 0 && x < 32 && y < 32 &&
           pixels_[static_cast<size_t>(y * 32 + x)] != kMagenta;
  }
  // Every pixel whose (2n+1) x (2n+1) neighbourhood is opaque: the disc shrunk by n pixels.
  bool Shrunk(int x, int y, int n) const {
    for (int dy = -n; dy <= n; ++dy)
      for (int dx = -n; dx <= n; ++dx)
        if (!Opaque(x + dx, y + dy)) return false;
    return true;
  }
  std::vector<COLORREF> pixels_;
};

TEST_F(PictureShapes, ADiscOnMagentaMakesADiscShapedWindowWithInsetsOfOneAndTwo) {
  for (int32_t shape : {7, 8}) {
    Ornabutton& b = Disc(shape);
    const auto& st = P::State(b);
    ASSERT_EQ(ClientSize(b).cx, 32);
    const UniqueRegion window = WindowRegion(b);
    int opaque = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        opaque += Opaque(x, y);
        ASSERT_EQ(PtInRegion(window.get(), x, y) != 0, Opaque(x, y)) << x << ", " << y;
        ASSERT_EQ(PtInRegion(st.ShapeRegion, x, y) != 0, Shrunk(x, y, 1)) << x << ", " << y;
        ASSERT_EQ(PtInRegion(st.InnerRegion, x, y) != 0, Shrunk(x, y, 2)) << x << ", " << y;
      }
    EXPECT_GT(opaque, 300);
    RECT bw, bs, bi;
    GetRgnBox(window.get(), &bw);
    GetRgnBox(st.ShapeRegion, &bs);
    GetRgnBox(st.InnerRegion, &bi);
    EXPECT_EQ(bs.left, bw.left + 1);
    EXPECT_EQ(bs.top, bw.top + 1);
    EXPECT_EQ(bi.left, bw.left + 2);
    EXPECT_EQ(bi.bottom, bw.bottom - 2);
    // The face is clipped to the one-pixel inset.
    UniqueRegion clip(CreateRectRgn(0, 0, 0, 0));
    P::BuildShape(b);
    ASSERT_EQ(GetClipRgn(P::Buffer(b), clip.get()), 1);
    EXPECT_TRUE(Same(clip.get(), st.ShapeRegion));
    EXPECT_EQ(st.ContentRight, 32);
    EXPECT_EQ(st.ShapeCut, 0);
  }
}

TEST_F(PictureShapes, TheRingIsTheBackColourForShape7AndAGradientForShape8) {
  Ornabutton& seven = Disc(7);
  Rebuild(seven);
  // The disc's top row runs from x = 12 to 20, its left column from y = 12 to 20.
  EXPECT_EQ(Px(seven, 16, 4), static_cast<COLORREF>(kBack));
  EXPECT_EQ(Px(seven, 4, 16), static_cast<COLORREF>(kBack));
  EXPECT_EQ(Px(seven, 16, 5), static_cast<COLORREF>(kGreen)) << "inside the ring";

  Ornabutton& eight = Disc(8);
  Rebuild(eight);
  const COLORREF top = Px(eight, 16, 4), bottom = Px(eight, 16, 27);
  EXPECT_EQ(GetRValue(top), GetBValue(top));
  EXPECT_GT(GetRValue(top), GetRValue(bottom)) << "lighter at the top";
  EXPECT_GT(GetRValue(bottom), 0x80 - 1);
  EXPECT_NE(top, static_cast<COLORREF>(kGreen));
}

TEST_F(PictureShapes, TheControlTakesThePicturesProportions) {
  // 64 x 32 on 100 x 100: the largest size of those proportions is 100 x 50.
  platform::Picture wide = platform::Picture::FromBitmap(test::MakePicture(
      64, 32, [](int x, int y) { return x < 2 || y < 2 ? RGB(255, 0, 255) : RGB(0, 0, 200); }));
  Ornabutton& b = New("Wide", false, 1500, 1500);
  b.SetPicture(wide);
  b.SetButtonShape(7);
  EXPECT_EQ(ClientSize(b).cx, 100);
  EXPECT_EQ(ClientSize(b).cy, 50);
  RECT box;
  const UniqueRegion r = WindowRegion(b);
  GetRgnBox(r.get(), &box);
  EXPECT_GT(box.left, 0) << "the magenta border is cut away";
  EXPECT_LT(box.left, 5);
  EXPECT_GT(box.top, 0);
  EXPECT_EQ(box.right, 100);
  EXPECT_EQ(box.bottom, 50);
  EXPECT_EQ(P::State(b).ContentRight, 100);
}

TEST_F(PictureShapes, WithoutAPictureTheWindowKeepsItsRegion) {
  Ornabutton& b = Button(0, 4, 100, 40);
  auto& st = P::State(b);
  const UniqueRegion before = WindowRegion(b);
  st.ButtonShape = 7;  // as a stored design without its picture leaves it
  st.ShapeCut = 5;
  P::BuildShape(b);
  EXPECT_TRUE(Same(WindowRegion(b).get(), before.get()));
  EXPECT_EQ(st.ShapeRegion, nullptr);
  EXPECT_EQ(st.InnerRegion, nullptr);
  EXPECT_EQ(st.ShapeCut, 0);
  EXPECT_EQ(st.ContentRight, 100);
}

// ---- Hit testing ----

// Counts the button's presses and clicks.
class Clicks : public OrnabuttonEvents {
 public:
  int downs = 0, clicks = 0;
  void MouseDown(int16_t&, int16_t&, float&, float&) override { ++downs; }
  void Click() override { ++clicks; }
};

class HitTesting : public Shapes {
 protected:
  // Clicks at a point of the button's client area (which may lie outside its region), then
  // in its middle; only the second reaches the button.
  void ExpectMissedAt(Ornabutton& b, POINT client, POINT middle) {
    Clicks events;
    b.SetEvents(&events);
    Front();
    POINT miss = client, hit = middle;
    ClientToScreen(b.hwnd(), &miss);
    ClientToScreen(b.hwnd(), &hit);
    EXPECT_NE(WindowFromPoint(miss), b.hwnd());
    EXPECT_EQ(WindowFromPoint(hit), b.hwnd());
    test::Click(miss);
    test::Click(hit);
    ASSERT_TRUE(test::PumpUntil([&] { return events.clicks > 0; }));
    test::MoveMouse(Away());
    test::PumpUntil([&] { return !b.State().Hovering; });
    EXPECT_EQ(events.downs, 1) << "the click at (" << client.x << ", " << client.y << ")";
    EXPECT_EQ(events.clicks, 1);
    b.SetEvents(nullptr);
  }
};

TEST_F(HitTesting, ATrimmedCornerDoesNotReachTheButton) {
  ExpectMissedAt(Button(1, 0, 100, 25), {0, 0}, {50, 12});
}

TEST_F(HitTesting, OutsideAnEllipseDoesNotReachTheButton) {
  ExpectMissedAt(Button(0, 4, 100, 40), {2, 2}, {50, 20});
}

TEST_F(HitTesting, ThePicturesTransparentPartDoesNotReachTheButton) {
  platform::Picture disc;
  ASSERT_TRUE(platform::Picture::Load(test::PictureFile(L"DISC_BMP"), disc));
  Ornabutton& b = New("Disc", false, 32 * 15, 32 * 15);
  b.SetPicture(disc);
  b.SetButtonShape(7);
  ExpectMissedAt(b, {6, 6}, {16, 16});
}

}  // namespace
}  // namespace velmora
