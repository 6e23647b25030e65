// The button as it paints itself: every look in every state, the nine shapes with their window
// regions and outlines, caption and picture placement and rendering, gradients, focus frames
// and redraw counts. Buttons paint through PaintInto onto a canvas of the test's, read pixel by
// pixel. The face is 0x60A0C0 (red 192, green 160, blue 96: the shifts that move blue in
// proportion to its value differ from the plain ones) and the hover face 0xA0C0E0; every
// expected colour below is worked out by hand from those two.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "control/Color.h"
#include "platform/DesignFile.h"
#include "platform/Handles.h"
#include "platform/HighContrast.h"
#include "platform/Picture.h"
#include "tests/support/ButtonHost.h"
#include "tests/support/OrnabuttonProbe.h"
#include "tests/support/Pictures.h"

namespace velmora {
namespace {

using platform::UniqueRegion;
using testing::Each;
using Sides = std::array<COLORREF, 4>;  // left, top, right, bottom
using Poly = std::vector<POINT>;
using Dots = std::vector<std::array<int, 3>>;  // x, y, colour

constexpr COLORREF kGround = 0x123456;    // the canvas, where the window region leaves a gap
constexpr COLORREF kF = 0xFFFFFFFF;       // in a ring: no line, the face shows through
constexpr COLORREF kDotted = 0xFFFFFFFE;  // a focus frame of every other pixel inverted
constexpr COLORREF kBack = 0x60A0C0, kHover = 0xA0C0E0, kW = 0xFFFFFF, kK = 0, kG = 0x808080,
                   kE9 = 0xE9E9E9, kLt = 0xDFDFDF, kPale = 0xE7E7E7, kDk = 0x666666,
                   kNavy = 0x733C00, kPic = 0x3060C0, kMagenta = 0xFF00FF, kHoverText = 0x2020C0;
constexpr auto Flat = [](COLORREF c) { return Sides{c, c, c, c}; };
const auto Rect = [](int l, int t, int r, int b) { return Poly{{l, t}, {r, t}, {r, b}, {l, b}}; };
const auto Dot = [](int x, int y) { return Rect(x, y, x + 1, y + 1); };

// DefaultUnframed: the default button with ShowFocusRect off.
enum St { Normal, Hover, Pressed, Default, Checked, Disabled, CheckedDefault, DefaultUnframed };

// A 40 x 20 picture: an opaque block (5, 3)-(35, 17) on magenta ground.
platform::Picture Block() {
  return platform::Picture::FromBitmap(test::MakePicture(40, 20, [](int x, int y) -> COLORREF {
    return x >= 5 && x < 35 && y >= 3 && y < 17 ? kPic : kMagenta;
  }));
}

class Painting : public test::ButtonHost {
 protected:
  Ornabutton& Button(int32_t style, int32_t shape = 0, int w = 100, int h = 30) {
    Ornabutton& b = New("B" + std::to_string(++count_), false, w * 15, h * 15);
    b.SetBackColor(static_cast<int32_t>(kBack));
    b.SetForeColor(0);
    b.SetHoverBackColor(static_cast<int32_t>(kHover));
    b.SetCaption(L"Go");
    b.SetButtonStyle(style);
    if (shape >= 7) b.SetPicture(Block());
    b.SetButtonShape(shape);
    return b;
  }
  // Puts the button in a state and paints it onto a fresh canvas.
  void Paint(Ornabutton& b, St st) {
    if (st == Checked || st == CheckedDefault) b.SetMode(1), b.SetValue(true);
    if (st == Disabled) b.SetEnabled(false);
    if (st == DefaultUnframed) b.SetShowFocusRect(false);
    Render(b, {st == Hover, st == Pressed,
               st == Default || st == CheckedDefault || st == DefaultUnframed});
  }
  void Render(Ornabutton& b, Ornabutton::Interaction look) {
    const BITMAPINFO info = platform::TopDownBitmapInfo(kCanvasW, kCanvasH);
    void* bits = nullptr;
    canvas_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<const uint32_t*>(bits);
    dc_.reset(CreateCompatibleDC(nullptr));
    SelectObject(dc_.get(), canvas_.get());
    std::fill_n(static_cast<uint32_t*>(bits), kCanvasW * kCanvasH, 0x563412);  // kGround
    b.PaintInto(dc_.get(), look);
    GdiFlush();
  }
  COLORREF Px(int x, int y) const {
    const uint32_t p = bits_[y * kCanvasW + x];
    return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
  }
  // The pixels from a to b, a straight or 45-degree line, both ends included.
  std::vector<COLORREF> Line(POINT a, POINT b) const {
    const int dx = (b.x > a.x) - (b.x < a.x), dy = (b.y > a.y) - (b.y < a.y);
    std::vector<COLORREF> line;
    for (int i = 0; i <= std::max(std::abs(b.x - a.x), std::abs(b.y - a.y)); ++i)
      line.push_back(Px(a.x + i * dx, a.y + i * dy));
    return line;
  }
  // Ring i (0 at the edge, 2 innermost) of a 100 x 30 button, each side all along but 5 pixels
  // at its ends. A slanted left side runs along x = y + i, a slanted right one along
  // x = 69 + y - i (the slant of a 30-pixel button takes 31 pixels).
  void ExpectRing(int i, Sides c, COLORREF face, int32_t shape) const {
    const bool l = shape == 1 || shape == 3, r = shape == 2 || shape == 3;
    for (COLORREF& side : c) side = side == kF ? face : side;
    EXPECT_THAT(Line({l ? 5 + i : i, 5}, {l ? 24 + i : i, 24}), Each(c[0])) << "left " << i;
    EXPECT_THAT(Line({l ? 36 : 8, i}, {r ? 63 : 91, i}), Each(c[1])) << "top " << i;
    EXPECT_THAT(Line({(r ? 74 : 99) - i, 5}, {(r ? 93 : 99) - i, 24}), Each(c[2])) << "right " << i;
    EXPECT_THAT(Line({l ? 36 : 8, 29 - i}, {r ? 90 : 91, 29 - i}), Each(c[3])) << "bottom " << i;
  }
  // The box of the pixels of one colour inside r (left > right when there are none).
  RECT Find(COLORREF c, RECT r) const {
    RECT f{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (Px(x, y) == c)
          f = {std::min<int>(f.left, x), std::min<int>(f.top, y), std::max<int>(f.right, x),
               std::max<int>(f.bottom, y)};
    return f;
  }
  void ExpectDots(const Dots& dots) const {
    for (const auto& [x, y, colour] : dots)
      EXPECT_EQ(Px(x, y), static_cast<COLORREF>(colour)) << x << ", " << y;
  }
  static constexpr int kCanvasW = 400, kCanvasH = 300;
  int count_ = 0;
  platform::UniqueBitmap canvas_;
  platform::UniqueDc dc_;
  const uint32_t* bits_ = nullptr;
};

// ---- Every look in every state, on a 100 x 30 button ----

// Style, shape, state; the face at (30, 26) (style 2 shades its rows: row 26 of 30 is its fill
// shifted by -22, -(25 / 30) x 26 rounded); the outer, middle and inner rings.
using LookRow = std::tuple<int32_t, int32_t, St, COLORREF, Sides, Sides, Sides>;

// Style 2's shifts of its face 0x78D0F0 (the back colour shifted by +48) are written out.
// clang-format off
const LookRow kLooks[] = {
    {0, 0, Normal, kBack, {kW, kW, kK, kK}, {kE9, kE9, kG, kG}, Flat(kF)},
    {0, 0, Hover, kHover, {kW, kW, kK, kK}, {kE9, kE9, kG, kG}, Flat(kF)},
    {0, 0, Pressed, kBack, {kW, kW, kK, kK}, {kF, kF, kG, kG}, Flat(kF)},
    {0, 0, Default, kBack, Flat(kK), {kW, kW, kK, kK}, {kE9, kE9, kG, kG}},
    {0, 0, Checked, kLt, {kK, kK, kW, kW}, {kF, kF, kE9, kE9}, Flat(kF)},
    {1, 0, Normal, kBack, Flat(kK), {kW, kW, kG, kG}, {kW, kW, kG, kG}},
    {1, 0, Pressed, kBack, Flat(kK), {kG, kG, kW, kW}, {kG, kG, kW, kW}},
    {1, 0, Checked, kLt, Flat(kK), {kG, kG, kW, kW}, {kG, kG, kW, kW}},
    {2, 0, Normal, 0x6BBADA, Flat(kNavy), {0x75CBEB, 0x82E0FF, 0x62ACCC, 0x5AA0C0},
                                       {0x72C6E6, 0x7EDAFA, 0x69B8D8, 0x64B0D0}},
    {2, 0, Hover, 0xB2DAE9, Flat(kNavy), {0x31B2FF, 0xA6E9FF, 0x31B2FF, 0x0096E7},
                                      {0x6BCBFF, 0x8CDBFF, 0x6BCBFF, 0x31B2FF}},
    {2, 0, Pressed, 0x599ABA, Flat(kNavy), {0x64B0D0, 0x64B0D0, 0x7BD5F5, 0x82E0FF},
                                        {0x6BBADA, 0x69B8D8, 0x78D0F0, 0x7EDAFA}},
    {2, 0, Default, 0x6BBADA, Flat(kNavy), {0xE7AE8C, 0xFFDFBF, 0xE7AE8C, 0xEF826B},
                                        {0xF0D1B5, 0xF7D7BD, 0xF0D1B5, 0xE7AE8C}},
    {2, 0, DefaultUnframed, 0x6BBADA, Flat(kNavy), {0x75CBEB, 0x82E0FF, 0x62ACCC, 0x5AA0C0},
                                                {0x72C6E6, 0x7EDAFA, 0x69B8D8, 0x64B0D0}},
    {2, 0, Checked, 0xBDC9C9, Flat(kNavy), {0xB2BFBF, 0xB2BFBF, 0xDAE4E4, 0xE6EFEF},
                                        {0xBDC9C9, 0xBBC7C7, 0xD5DFDF, 0xE0E9E9}},
    {2, 0, Disabled, 0x69B8D8, Flat(0x447C9C), Flat(kF), Flat(kF)},
    {3, 0, Normal, kBack, {kDk, kDk, kW, kW}, {kW, kW, kDk, kDk}, Flat(kF)},
    {3, 0, Pressed, 0x8C8C8C, {kDk, kDk, kW, kW}, {0x8C8C8C, 0x8C8C8C, kDk, kDk}, Flat(kF)},
    {3, 0, Default, kBack, {kDk, kDk, kW, kW}, {kW, kW, kDk, kDk}, Flat(kF)},
    {3, 0, Checked, 0xABABAB, {kDk, kDk, kW, kW}, {0xABABAB, 0xABABAB, kDk, kDk}, Flat(kF)},
    {3, 0, Disabled, kBack, Flat(kDk), Flat(kF), Flat(kF)},
    {4, 0, Normal, kBack, {kW, kW, kG, kG}, Flat(kF), Flat(kF)},
    {4, 0, Pressed, kBack, {kG, kG, kW, kW}, Flat(kF), Flat(kF)},
    {4, 0, Checked, kLt, {kG, kG, kW, kW}, Flat(kF), Flat(kF)},
    {5, 0, Normal, kBack, Flat(kF), Flat(kF), Flat(kF)},
    {5, 0, Hover, kHover, {kW, kW, kG, kG}, Flat(kF), Flat(kF)},
    {5, 0, Pressed, kBack, {kG, kG, kW, kW}, Flat(kF), Flat(kF)},
    {5, 0, Default, kBack, Flat(kF), Flat(kF), Flat(kF)},
    {5, 0, Checked, kLt, {kG, kG, kW, kW}, Flat(kF), Flat(kF)},
    {6, 0, Normal, kBack, {kPale, kPale, kG, kG}, {kPale, kPale, kG, kG}, Flat(kF)},
    {6, 0, Pressed, kBack, {kG, kG, kPale, kPale}, {kG, kG, kPale, kPale}, Flat(kF)},
    {6, 0, Checked, kLt, {kG, kG, kPale, kPale}, {kG, kG, kPale, kPale}, Flat(kF)},
    // Style 7: face 0x7FBFDF (back + 31), rings from it; pressed and checked rings from grey.
    {7, 0, Normal, 0x7FBFDF, Flat(kK), {0x93DEFE, 0x93DEFE, 0x557F9F, 0x557F9F}, {kW, kW, 0x7FBFDF, 0x7FBFDF}},
    {7, 0, Hover, 0xBFDFFF, Flat(kK), {0x93DEFE, 0x93DEFE, 0x557F9F, 0x557F9F}, {kW, kW, 0x7FBFDF, 0x7FBFDF}},
    {7, 0, Pressed, 0x707070, Flat(kK), {0x404040, 0x404040, 0x707070, 0x707070}, {0x606060, 0x606060, kG, kG}},
    {7, 0, Checked, 0x8A9090, Flat(kK), {0x404040, 0x404040, 0x707070, 0x707070}, {0x606060, 0x606060, kG, kG}},
    // Slanted shapes slant every ring (the rings of 1, 2 and 3 in FramedBevel; RaisedBevel's
    // default rings on 3).
    {1, 1, Normal, kBack, Flat(kK), {kW, kW, kG, kG}, {kW, kW, kG, kG}},
    {1, 2, Normal, kBack, Flat(kK), {kW, kW, kG, kG}, {kW, kW, kG, kG}},
    {1, 3, Normal, kBack, Flat(kK), {kW, kW, kG, kG}, {kW, kW, kG, kG}},
    {0, 3, Default, kBack, Flat(kK), {kW, kW, kK, kK}, {kE9, kE9, kG, kG}},
};
// clang-format on

TEST_F(Painting, EveryLookInEveryStateHasItsRingsAndFace) {
  for (const auto& [style, shape, st, face, outer, middle, inner] : kLooks) {
    SCOPED_TRACE(testing::PrintToString(std::vector<int>{style, shape, st}));
    Ornabutton& b = Button(style, shape);
    Paint(b, st);
    EXPECT_EQ(Px(30, 26), face);
    ExpectRing(0, outer, face, shape);
    ExpectRing(1, middle, face, shape);
    ExpectRing(2, inner, face, shape);
  }
}

// ---- The nine shapes: size, window region, outline, corner pixels ----

// Style, shape, state, the size asked for and the size taken; the window region (the first
// polygon less the others; the ellipses: (0, 0, w, h)); pixels as painted in that state.
using ShapeRow = std::tuple<int32_t, int32_t, St, int, int, SIZE, std::vector<Poly>, Dots>;

const Poly kTopLeft{{0, 0}, {2, 0}, {0, 2}}, kBottomLeft{{0, 30}, {3, 30}, {0, 27}},
    kTopRight{{100, 0}, {98, 0}, {100, 2}}, kBottomRight{{100, 30}, {97, 30}, {100, 27}};
// clang-format off
const ShapeRow kShapes[] = {
    // The corner pixels of the rounded looks (style 2 has no step to fill on a slanted side,
    // where its inner ring runs through (1, 28)).
    {7, 0, Normal, 100, 30, {100, 30}, {}, {{3, 3, kW}, {1, 27, 0x7FBFDF}, {2, 2, 0x93DEFE}, {1, 28, kK}, {1, 1, kK},
     {96, 26, 0x7FBFDF}, {97, 1, 0x7FBFDF}, {97, 27, 0x557F9F}, {98, 28, kK}, {98, 1, kK}}},
    {7, 0, Pressed, 100, 30, {100, 30}, {}, {{3, 3, 0x606060}, {1, 27, kG}, {2, 2, 0x404040}, {97, 27, 0x707070}}},
    {2, 0, Normal, 100, 30, {100, 30}, {}, {{1, 1, kNavy}, {1, 28, kNavy}, {98, 1, kNavy}, {98, 28, kNavy}}},
    {2, 0, Disabled, 100, 30, {100, 30}, {}, {{1, 1, 0x447C9C}, {98, 28, 0x447C9C}}},
    {2, 1, Normal, 100, 30, {100, 30}, {}, {{98, 1, kNavy}, {98, 28, kNavy}, {1, 1, kNavy}}},
    {0, 0, Normal, 100, 30, {100, 30}, {Rect(0, 0, 101, 31)}, {}},
    {1, 0, Normal, 100, 30, {100, 30}, {Rect(0, 0, 101, 31), Dot(0, 0), Dot(0, 29), Dot(99, 29), Dot(99, 0)},
     {{0, 0, kGround}, {99, 29, kGround}}},
    {3, 0, Normal, 100, 30, {100, 30}, {Rect(0, 0, 101, 31), Dot(0, 29), Dot(99, 0)}, {}},
    {3, 0, Disabled, 100, 30, {100, 30}, {Rect(0, 0, 101, 31)}, {}},
    {2, 0, Normal, 100, 30, {100, 30}, {Rect(0, 0, 101, 31), kTopLeft, kBottomLeft, kTopRight, kBottomRight}, {}},
    {7, 0, Normal, 100, 30, {100, 30}, {Rect(0, 0, 101, 31), kTopLeft, kBottomLeft, kTopRight, kBottomRight}, {}},
    {0, 1, Normal, 100, 30, {100, 30}, {{{0, 0}, {31, 31}, {101, 31}, {101, 0}}}, {}},
    {0, 2, Normal, 100, 30, {100, 30}, {{{0, 0}, {0, 31}, {101, 31}, {70, 0}}}, {}},
    {0, 3, Normal, 100, 30, {100, 30}, {{{0, 0}, {31, 31}, {101, 31}, {70, 0}}}, {}},
    {0, 1, Normal, 20, 25, {35, 25}, {{{0, 0}, {26, 26}, {36, 26}, {36, 0}}}, {}},
    {0, 2, Normal, 30, 25, {35, 25}, {{{0, 0}, {0, 26}, {36, 26}, {10, 0}}}, {}},
    {1, 2, Normal, 100, 30, {100, 30}, {{{0, 0}, {0, 31}, {101, 31}, {70, 0}}, Dot(0, 0), Dot(0, 29)}, {}},
    {3, 1, Normal, 100, 30, {100, 30}, {{{0, 0}, {31, 31}, {101, 31}, {101, 0}}, Dot(99, 0)}, {}},
    {7, 2, Normal, 100, 30, {100, 30}, {{{0, 0}, {0, 31}, {101, 31}, {70, 0}}, kTopLeft, kBottomLeft}, {}},
    // Ellipses: shapes 4 and 5 keep a white-to-grey ring (row 20 of 40: 255 - 20 x 127 / 39),
    // a pressed face shows the grey-to-white one inside it; shape 6 is black under the pointer.
    {0, 4, Normal, 100, 40, {100, 40}, {}, {{50, 0, kW}, {0, 20, 0xBDBDBD}, {1, 20, kBack}, {98, 20, 0xBDBDBD}}},
    {0, 5, Pressed, 100, 40, {100, 40}, {}, {{0, 20, 0xBDBDBD}, {1, 20, 0xC1C1C1}, {2, 20, kBack}}},
    {0, 6, Normal, 100, 40, {100, 40}, {}, {{0, 20, kBack}, {50, 0, kBack}}},
    {0, 6, Hover, 100, 40, {100, 40}, {}, {{0, 20, kK}, {50, 0, kK}, {98, 20, kK}, {1, 20, kHover}}},
    {5, 4, Normal, 100, 40, {100, 40}, {}, {{0, 20, kBack}}},
    {5, 4, Hover, 100, 40, {100, 40}, {}, {{0, 20, 0xBDBDBD}, {1, 20, kHover}}},
    // Style 2 outlines the inset ellipse: blue when default, orange under the pointer; at rest
    // its face (row 20 of 40 shifted by -12) shows there.
    {2, 4, Default, 100, 40, {100, 40}, {}, {{1, 20, 0xEF826B}, {50, 1, 0xEF826B}, {97, 20, 0xEF826B}}},
    {2, 4, Hover, 100, 40, {100, 40}, {}, {{1, 20, 0x0096E7}, {50, 37, 0x0096E7}}},
    {2, 4, Normal, 100, 40, {100, 40}, {}, {{1, 20, 0x71C4E4}, {0, 20, 0xBDBDBD}}},
    // Picture shapes of the block picture: the window is the block; shape 7 rings it in the
    // back colour, shape 8 in the white-to-grey ring (row 3 of 20); the default button is
    // outlined black one (7) or two (8) pixels in, a hovered one in its hover face.
    {0, 7, Normal, 40, 20, {40, 20}, {Rect(5, 3, 35, 17)}, {{20, 3, kBack}, {5, 10, kBack}, {20, 4, kPic}, {2, 1, kGround}}},
    {0, 7, Default, 40, 20, {40, 20}, {Rect(5, 3, 35, 17)}, {{20, 4, kK}, {33, 10, kK}}},
    {0, 7, Hover, 40, 20, {40, 20}, {Rect(5, 3, 35, 17)}, {{20, 3, kHover}, {34, 10, kHover}, {20, 4, kPic}}},
    {0, 8, Normal, 40, 20, {40, 20}, {Rect(5, 3, 35, 17)}, {{20, 3, 0xEAEAEA}, {20, 4, kPic}}},
    {0, 8, Default, 40, 20, {40, 20}, {Rect(5, 3, 35, 17)}, {{20, 5, kK}, {20, 4, kPic}, {32, 10, kK}}},
    // A picture scaled to the button shapes it at its new size: the block (12.5, 7.5)-(87.5, 42.5).
    {0, 7, Normal, 100, 100, {100, 50}, {}, {{50, 25, kPic}, {80, 35, kPic}, {50, 5, kGround}, {95, 45, kGround}}},
};
// clang-format on

TEST_F(Painting, EveryShapeHasItsSizeRegionAndOutline) {
  for (const auto& [style, shape, st, w, h, size, region, dots] : kShapes) {
    SCOPED_TRACE(testing::PrintToString(std::vector<int>{style, shape, st, w}));
    Ornabutton& b = Button(style, shape, w, h);
    Paint(b, st);
    RECT client;
    GetClientRect(b.hwnd(), &client);
    EXPECT_EQ((std::array{client.right, client.bottom}), (std::array{size.cx, size.cy}));
    const bool ellipse = shape >= 4 && shape <= 6;
    if (ellipse || !region.empty()) {
      UniqueRegion want(ellipse ? CreateEllipticRgn(0, 0, w, h)
                                : CreatePolygonRgn(region[0].data(), 4, WINDING));
      for (size_t i = 1; i < region.size(); ++i) {
        UniqueRegion cut(
            CreatePolygonRgn(region[i].data(), static_cast<int>(region[i].size()), WINDING));
        CombineRgn(want.get(), want.get(), cut.get(), RGN_DIFF);
      }
      UniqueRegion got(CreateRectRgn(0, 0, 0, 0));
      GetWindowRgn(b.hwnd(), got.get());
      EXPECT_EQ(CombineRgn(got.get(), got.get(), want.get(), RGN_XOR), NULLREGION);
    }
    ExpectDots(dots);
  }
}

// ---- Layout: where caption and picture go ----

// (a + k t) / d + m t + c, t the caption's measured width (lefts) or height (tops).
struct Lin {
  int a, k = 0, d = 1, m = 0, c = 0;
  int operator()(int t) const { return (a + k * t) / d + m * t + c; }
};

// Size, shape, caption alignment, picture alignment (-1: no picture) and size; the caption's
// left and top, the picture's left, top and size.
using LayoutRow = std::tuple<int, int, int, int, int, int, Lin, Lin, Lin, Lin, SIZE>;

// clang-format off
const LayoutRow kLayouts[] = {
    {97, 25, 0, 2, -1, 0, {97, -1, 2}, {25, -1, 2}, {0}, {0}, {0, 0}},
    {97, 25, 0, 0, -1, 0, {4}, {25, -1, 2}, {0}, {0}, {0, 0}},
    {97, 25, 0, 1, -1, 0, {93, -1}, {25, -1, 2}, {0}, {0}, {0, 0}},
    {97, 25, 0, 0, 0, 0, {24}, {25, -1, 2}, {4}, {4}, {16, 16}},
    {97, 25, 0, 2, 1, 0, {77, -1, 2, 0, 20}, {25, -1, 2}, {77, -1, 2}, {4}, {16, 16}},
    {97, 25, 0, 1, 2, 0, {73, -1}, {25, -1, 2}, {77}, {4}, {16, 16}},
    {97, 25, 0, 2, 3, 0, {77, -1, 2}, {25, -1, 2}, {77, -1, 2, 1, 4}, {4}, {16, 16}},
    {97, 60, 0, 2, 4, 0, {97, -1, 2}, {44, -1, 2, 0, 18}, {40}, {44, -1, 2}, {16, 16}},
    {97, 60, 0, 2, 5, 0, {97, -1, 2}, {44, -1, 2, 0, 2}, {40}, {44, -1, 2, 1, 4}, {16, 16}},
    {97, 60, 0, 2, 5, 1, {97, -1, 2}, {36, -1, 2, 0, 2}, {36}, {36, -1, 2, 1, 4}, {24, 24}},
    {100, 30, 0, 2, 0, 3, {100, -1, 2}, {30, -1, 2}, {3}, {3}, {94, 24}},
    {100, 30, 6, 2, 0, 3, {100, -1, 2}, {30, -1, 2}, {1}, {1}, {98, 28}},
    {100, 40, 0, 2, 0, 4, {100, -1, 2}, {40, -1, 2}, {22}, {6}, {56, 28}},
    // Slanted spans on 100 x 25 (slant 26): shape 3 from 21 to 82, shape 1 from 21 to 100,
    // shape 2 from 0 to 82; the block picture's shape 7 (50 x 25) from 3 to 47.
    {100, 25, 3, 0, -1, 0, {25}, {25, -1, 2}, {0}, {0}, {0, 0}},
    {100, 25, 3, 1, -1, 0, {78, -1}, {25, -1, 2}, {0}, {0}, {0, 0}},
    {100, 25, 3, 2, -1, 0, {61, -1, 2, 0, 21}, {25, -1, 2}, {0}, {0}, {0, 0}},
    {100, 25, 1, 1, -1, 0, {96, -1}, {25, -1, 2}, {0}, {0}, {0, 0}},
    {100, 25, 2, 1, -1, 0, {78, -1}, {25, -1, 2}, {0}, {0}, {0, 0}},
    {100, 25, 7, 0, -1, 4, {7}, {25, -1, 2}, {0}, {0}, {50, 25}},
    {100, 25, 7, 1, -1, 4, {43, -1}, {25, -1, 2}, {0}, {0}, {50, 25}},
};
// clang-format on

TEST_F(Painting, CaptionAndPictureGoWhereTheirAlignmentsSay) {
  for (const auto& [w, h, shape, captionAlign, pictureAlign, size, cl, ct, pl, pt, pictureSize] :
       kLayouts) {
    SCOPED_TRACE(testing::PrintToString(std::vector<int>{shape, captionAlign, pictureAlign, size}));
    Ornabutton& b = New("L" + std::to_string(++count_), false, w * 15, h * 15);
    b.SetCaption(L"Add");
    if (shape >= 7) b.SetPicture(Block());
    b.SetButtonShape(shape);
    if (pictureAlign >= 0) b.SetPicture(test::TestBitmap(32, 16)), b.SetPictureAlign(pictureAlign);
    if (size > 0 && shape < 7) b.SetPictureSize(size);
    b.SetCaptionAlign(captionAlign);
    RECT t{0, 0, 1000, 1000};
    DrawTextW(OrnabuttonProbe::Buffer(b), L"Add", -1, &t, DT_CALCRECT | DT_WORDBREAK);
    const RECT &c = b.State().CaptionRect, &p = b.State().PictureRect;
    EXPECT_EQ((std::array{c.left, c.top, c.right - c.left, c.bottom - c.top}),
              (std::array<LONG, 4>{cl(t.right), ct(t.bottom), t.right, t.bottom}));
    if (pictureSize.cx == 0) continue;
    EXPECT_EQ((std::array{p.left, p.top, p.right - p.left, p.bottom - p.top}),
              (std::array<LONG, 4>{pl(t.right), pt(t.bottom), pictureSize.cx, pictureSize.cy}));
  }
}

TEST_F(Painting, CaptionsAreCutAtTheSpanAndBrokenAtDoublePipes) {
  Ornabutton& b = New("Cut", false, 97 * 15, 25 * 15);
  const RECT& c = b.State().CaptionRect;
  b.SetCaption(L"Wwwwwwwwwwwwwwwwwwwwwwwwwwwwwww");
  EXPECT_EQ((std::array{c.left, c.right}), (std::array<LONG, 2>{4, 93}));
  b.SetCaption(L"A||B||C||D");
  EXPECT_EQ((std::array{c.top, c.bottom}), (std::array<LONG, 2>{4, 20}));
}

// ---- Caption rendering: colour, relief, disabled look and the pushed offset ----

// Each copy of the caption: its colour, where it lies from a plain caption's place, and which
// edges of its box show (later copies may cover the others).
enum Edges { All, TopLeft, BottomRight, Absent };
using Copy = std::tuple<COLORREF, int, int, Edges>;

// clang-format off
// Style, shape, mode, relief, state.
const std::tuple<int32_t, int32_t, int32_t, int32_t, St, std::vector<Copy>> kCaptions[] = {
    {0, 0, 0, 0, Normal, {{kK, 0, 0, All}}},
    {0, 0, 0, 0, Hover, {{kHoverText, 0, 0, All}, {kK, 0, 0, Absent}}},
    {0, 0, 0, 0, Pressed, {{kK, 1, 1, All}}},
    {0, 0, 1, 0, Checked, {{kK, 1, 1, All}}},
    {3, 0, 0, 0, Pressed, {{kK, 0, 0, All}}},
    {0, 4, 0, 0, Pressed, {{kK, 0, 1, All}}},
    {0, 5, 0, 0, Normal, {{kK, 0, 0, Absent}}},
    {0, 5, 1, 0, Checked, {{kK, 0, 1, All}}},
    {0, 0, 0, 0, Disabled, {{kG, 0, 0, All}, {kW, 1, 1, BottomRight}}},
    {0, 0, 1, 0, Disabled, {{kG, 0, 0, All}, {kW, 0, 0, Absent}}},
    {2, 0, 0, 0, Disabled, {{0x315070, 0, 0, All}, {kW, 0, 0, Absent}, {kG, 0, 0, Absent}}},
    {7, 0, 0, 0, Pressed, {{0x7FBFDF, 1, 1, All}, {kK, 0, 0, Absent}}},
    // Relief: the face shifted by +40 and -40 one pixel up-left and down-right.
    {0, 0, 0, 2, Normal, {{0x88C8E8, -1, 0, TopLeft}, {0x387898, 1, 2, BottomRight}, {kK, 0, 1, All}}},
    {0, 0, 0, 1, Normal, {{0x387898, -1, 0, TopLeft}, {0x88C8E8, 1, 2, BottomRight}, {kK, 0, 1, All}}},
};
// clang-format on

TEST_F(Painting, CaptionsTakeTheirColourReliefAndPushedPlace) {
  // Where the glyphs of a plain left-aligned caption lie inside its rectangle.
  Ornabutton& plain = Button(0);
  plain.SetCaptionAlign(0);
  Paint(plain, Normal);
  RECT g = Find(kK, {3, 3, 97, 27});
  OffsetRect(&g, -plain.State().CaptionRect.left, -plain.State().CaptionRect.top);
  ASSERT_LT(g.left, g.right);
  for (const auto& [style, shape, mode, relief, st, copies] : kCaptions) {
    SCOPED_TRACE(testing::PrintToString(std::vector<int>{style, shape, mode, relief, st}));
    Ornabutton& b = Button(style, shape);
    b.SetMode(mode);
    b.SetCaptionAlign(0);
    b.SetCaptionStyle(relief);
    b.SetHoverForeColor(static_cast<int32_t>(kHoverText));
    Paint(b, st);
    const RECT c = b.State().CaptionRect, &p = plain.State().CaptionRect;
    EXPECT_EQ(c.right - c.left, p.right - p.left + (relief ? 2 : 0)) << "room for the relief";
    for (const auto& [colour, dx, dy, edges] : copies) {
      const RECT f = Find(colour, {c.left - 3, c.top - 3, c.right + 3, c.bottom + 3});
      const RECT e{g.left + c.left + dx, g.top + c.top + dy, g.right + c.left + dx,
                   g.bottom + c.top + dy};
      const LONG tl = edges == All || edges == TopLeft, br = edges == All || edges == BottomRight;
      EXPECT_EQ(edges == Absent, f.left > f.right) << std::hex << colour;
      EXPECT_EQ((std::array{tl * f.left, tl * f.top, br * f.right, br * f.bottom}),
                (std::array{tl * e.left, tl * e.top, br * e.right, br * e.bottom}))
          << std::hex << colour;
    }
  }
}

// A 16-pixel picture at the left edge (4, 7): key ground with one pixel 3 off the key (ground
// too) and one 4 off (not), black, white and red bars. Pressed, it moves a pixel down and
// right; disabled, all but its white turns flat grey. The same picture twice as wide (each
// column doubled) is squeezed into the 16-pixel box and shows the same.
TEST_F(Painting, PicturesShowTheFaceThroughTheirKeyAndGreyOutWhenDisabled) {
  const auto picture = [](int x, int y) -> COLORREF {
    if (y == 1 && (x == 1 || x == 2)) return x == 1 ? RGB(252, 3, 252) : RGB(251, 0, 255);
    if (y < 4 || y >= 12) return kMagenta;
    return x < 5 ? kK : x < 10 ? kW : 0x0000FF;
  };
  const POINT at[] = {{0, 0}, {1, 1}, {2, 1}, {2, 8}, {7, 8}, {13, 8}, {15, 15}};
  const std::tuple<St, int, int, std::array<COLORREF, 7>> rows[] = {
      {Normal, 0, 1, {kBack, kBack, RGB(251, 0, 255), kK, kW, 0x0000FF, kBack}},
      {Normal, 0, 2, {kBack, kBack, RGB(251, 0, 255), kK, kW, 0x0000FF, kBack}},
      {Pressed, 1, 1, {kBack, kBack, RGB(251, 0, 255), kK, kW, 0x0000FF, kBack}},
      {Disabled, 0, 1, {kBack, kBack, kG, kG, kBack, kG, kBack}},
  };
  for (const auto& [st, shift, wide, colours] : rows) {
    Ornabutton& b = Button(4);
    b.SetPicture(platform::Picture::FromBitmap(test::MakePicture(
        16 * wide, 16, [&, w = wide](int x, int y) { return picture(x / w, y); })));
    b.SetCaption(L"");
    Paint(b, st);
    for (int i = 0; i < 7; ++i)
      EXPECT_EQ(Px(4 + at[i].x + shift, 7 + at[i].y + shift), colours[i]) << wide << st << i;
  }
}

// ---- Gradients: four directions, and two-pixel bands beyond a quarter of the screen ----

// Red to blue on a look without rings. 97 columns step by 255 / 96 (exact in single precision),
// 25 rows by 255 / 24; the 1280 x 1024 screen takes 2-pixel bands from 321 columns or 257 rows
// on (the first band then runs 255 / 159 and 255 / 127 down). Hover face 0: the gradient's own.
TEST_F(Painting, GradientsRunInEveryDirectionInBandsOfTheirSize) {
  const std::tuple<int32_t, int, int, St, COLORREF, Dots> rows[] = {
      // clang-format off
      {1, 97, 25, Normal, kHover, {{0, 2, 0xFF}, {1, 2, 0x0200FC}, {48, 2, 0x7F007F}, {96, 2, 0xFF0000},
                                   {0, 22, 0xFF}, {48, 22, 0x7F007F}, {96, 22, 0xFF0000}}},
      {2, 97, 25, Normal, kHover, {{0, 2, 0xFF0000}, {48, 22, 0x7F007F}, {95, 22, 0x0200FC}, {96, 2, 0xFF}}},
      {3, 97, 25, Normal, kHover, {{2, 0, 0xFF}, {2, 1, 0x0A00F4}, {94, 12, 0x7F007F}, {94, 24, 0xFF0000}}},
      {4, 97, 25, Normal, kHover, {{2, 0, 0xFF0000}, {94, 12, 0x7F007F}, {2, 23, 0x0A00F4}, {94, 24, 0xFF}}},
      {1, 320, 25, Normal, kHover, {{0, 2, 0xFF}, {1, 2, 0xFE}, {1, 22, 0xFE}}},
      {1, 321, 25, Normal, kHover, {{1, 2, 0xFF}, {2, 2, 0x0100FD}, {3, 22, 0x0100FD}, {320, 2, 0xFF}}},
      {3, 40, 256, Normal, kHover, {{2, 0, 0xFF}, {37, 1, 0x0100FE}}},
      {3, 40, 257, Normal, kHover, {{2, 1, 0xFF}, {37, 2, 0x0200FC}, {2, 3, 0x0200FC}}},
      {1, 97, 25, Hover, kHover, {{3, 3, kHover}, {93, 21, kHover}}},
      {1, 97, 25, Hover, 0xFF0000, {{2, 12, 0x0500F9}, {48, 22, 0x7F007F}}},
      {1, 97, 25, Checked, kHover, {{3, 3, kLt}, {50, 3, kLt}}},
      // clang-format on
  };
  for (const auto& [mode, w, h, st, hover, dots] : rows) {
    SCOPED_TRACE(testing::PrintToString(std::vector<int>{mode, w, h, st}));
    Ornabutton& b = Button(5, 0, w, h);
    b.SetBackColor(0x0000FF);
    b.SetGradientColor(0xFF0000);
    b.SetGradientMode(mode);
    b.SetHoverBackColor(static_cast<int32_t>(hover));
    Paint(b, st);
    ExpectDots(dots);
  }
}

// ---- Focus frames ----

// The frame's box, inclusive; around the caption: offsets from the caption's rectangle.
TEST_F(Painting, FocusFramesAreDottedOrSolidWhereEachLookDrawsThem) {
  const std::tuple<int32_t, int32_t, St, COLORREF, bool, RECT> rows[] = {
      {0, 0, Default, kDotted, false, {4, 4, 95, 25}},
      {5, 0, Default, kDotted, false, {4, 4, 95, 25}},
      {0, 0, CheckedDefault, kK, false, {4, 4, 96, 26}},
      {3, 0, Default, 0xCC9999, true, {-2, -2, 1, 1}},
      {3, 0, Pressed, kF, true, {-2, -2, 1, 1}},  // only the default button has one
      {7, 0, Default, kDotted, true, {-2, -2, 1, 1}},
      {7, 0, CheckedDefault, kK, true, {-1, -1, 3, 3}},
      {0, 4, Default, kDotted, true, {-2, -2, 1, 1}},
  };
  for (const auto& [style, shape, st, colour, aroundCaption, box] : rows) {
    SCOPED_TRACE(testing::PrintToString(std::vector<int>{style, shape, st}));
    Ornabutton& b = Button(style, shape);
    Paint(b, st);
    const RECT c = b.State().CaptionRect;
    const RECT f = aroundCaption ? RECT{c.left + box.left, c.top + box.top, c.right + box.right,
                                        c.bottom + box.bottom}
                                 : box;
    const COLORREF face = Px(f.left - 1, f.top + 2);  // just outside the frame
    const POINT corner[] = {
        {f.left, f.bottom}, {f.left, f.top}, {f.right, f.top}, {f.right, f.bottom}};
    for (int side = 0; side < 4; ++side) {
      // Solid: no pixel off the colour; dotted: about every other pixel off the face.
      const std::vector<COLORREF> line = Line(corner[side], corner[(side + 1) % 4]);
      const COLORREF want = colour == kDotted ? face : colour == kF ? face : colour;
      const double off =
          std::count_if(line.begin(), line.end(), [&](COLORREF p) { return p != want; });
      EXPECT_NEAR(off, colour == kDotted ? line.size() / 2.0 : 0, colour == kDotted ? 2 : 0)
          << side;
    }
  }
  // Slanted sides get a solid frame along the slant, in the face darkened by 48.
  Ornabutton& b = Button(0, 1);
  Paint(b, Default);
  const POINT path[] = {{29, 25}, {8, 4}, {95, 4}, {95, 25}, {31, 25}};
  for (int i = 0; i < 4; ++i) EXPECT_THAT(Line(path[i], path[i + 1]), Each(0x307090u)) << i;
}

// ---- Redraws ----

TEST_F(Painting, DelayedDrawingPaintsOnceAtTheEndAndAnUnknownStoredLookAFlatFace) {
  Ornabutton& b = Button(0);
  const int before = OrnabuttonProbe::PaintCount(b);
  b.DelayDrawing(true);
  b.SetBackColor(0x0000FF);
  b.SetButtonStyle(4);
  b.SetGradientMode(3);
  EXPECT_EQ(OrnabuttonProbe::PaintCount(b), before);
  b.DelayDrawing(false);
  EXPECT_EQ(OrnabuttonProbe::PaintCount(b), before + 1);
  // A teal face, black caption, a look and a gradient no painter knows: flat, no rings.
  platform::Form stored(test::HostWithButton(
      R"({"Caption": "Odd", "cBack": 12632064, "cFore": 0, "BackStyle": 9, "Gradient": -3})"));
  stored.Show();
  Ornabutton& odd = stored.Get<platform::UserControlSite>("Ornabutton1").Client<Ornabutton>();
  Render(odd, {});
  ExpectDots({{0, 0, 0xC0C000}, {8, 12, 0xC0C000}});
  const RECT& c = odd.State().CaptionRect;
  EXPECT_LT(Find(kK, c).left, c.right);
}

// A pressed CustomClick command button moves one pixel its way and back on release.
TEST_F(Painting, APressedCustomClickButtonMovesOnePixelAndBack) {
  const POINT press[] = {{0, -1}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}, {1, 0}, {0, 1}, {-1, 0}};
  Ornabutton& b = Button(0);
  Front();
  test::MoveMouse(test::CenterOnScreen(b.hwnd()));
  ASSERT_TRUE(test::PumpUntil([&] { return b.State().Hovering; }));
  for (int direction = 1; direction <= 8; ++direction) {
    b.SetCustomClick(direction);
    RECT home, moved, back;
    GetWindowRect(b.hwnd(), &home);
    SendMessageW(b.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    GetWindowRect(b.hwnd(), &moved);
    SendMessageW(b.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
    GetWindowRect(b.hwnd(), &back);
    const POINT d = press[direction - 1];
    EXPECT_EQ((std::array{moved.left, moved.top, moved.right, moved.bottom, back.left, back.top}),
              (std::array{home.left + d.x, home.top + d.y, home.right + d.x, home.bottom + d.y,
                          home.left, home.top}))
        << direction;
  }
}

// ---- High contrast ----

// The high-contrast setting on (or off, as `on` says) and the system colours of buttons set to
// values no look has of its own; both are put back when it goes.
class HighContrast final : public platform::HighContrastSource {
 public:
  static constexpr INT kParts[] = {COLOR_BTNFACE,       COLOR_BTNTEXT,  COLOR_3DSHADOW, COLOR_HIGHLIGHT,
                                   COLOR_HIGHLIGHTTEXT, COLOR_GRAYTEXT, COLOR_WINDOW};
  static constexpr COLORREF kFace = 0x102030, kText = 0x40F0E0, kShade = 0x705060, kLit = 0x2080C0,
                            kLitText = 0xF0A010, kGrey = 0x30B050, kWindow = 0x607080;
  explicit HighContrast(bool switchedOn) : on(switchedOn) {
    const COLORREF scheme[] = {kFace, kText, kShade, kLit, kLitText, kGrey, kWindow};
    for (size_t i = 0; i < std::size(kParts); ++i) saved_[i] = GetSysColor(kParts[i]);
    SetSysColors(static_cast<int>(std::size(kParts)), kParts, scheme);
    previous_ = platform::SetHighContrastSource(this);
  }
  ~HighContrast() override {
    platform::SetHighContrastSource(previous_);
    SetSysColors(static_cast<int>(std::size(kParts)), kParts, saved_);
  }
  bool On() override { return on; }
  bool on;

 private:
  COLORREF saved_[std::size(kParts)]{};
  platform::HighContrastSource* previous_ = nullptr;
};

TEST_F(Painting, InHighContrastEveryLookDrawsOnlyTheSystemColours) {
  using H = HighContrast;
  const H hc(true);
  const std::vector<COLORREF> system{kGround, H::kFace,    H::kText, H::kShade,
                                     H::kLit, H::kLitText, H::kGrey};
  for (int32_t style = 0; style <= 7; ++style)
    for (int32_t shape : {0, 3, 4, 6}) {
      // A gradient, a hover colour and an embossed caption of the button's own: none shows.
      Ornabutton& b = Button(style, shape);
      b.SetGradientColor(0x3070F0);
      b.SetGradientMode(3);
      b.SetHoverForeColor(0x0000FF);
      b.SetCaptionStyle(1);
      for (St st : {Normal, Hover, Pressed, Default, Checked, Disabled}) {
        SCOPED_TRACE(testing::PrintToString(std::vector<int>{style, shape, st}));
        b.SetMode(0);  // each state starts from an enabled command button
        b.SetEnabled(true);
        Paint(b, st);
        int foreign = 0;
        for (int y = 0; y < 30; ++y)
          for (int x = 0; x < 100; ++x)
            foreign += std::find(system.begin(), system.end(), Px(x, y)) == system.end();
        EXPECT_EQ(foreign, 0);
        if (shape == 4 && (st == Pressed || st == Checked))  // a pushed ellipse's shaded band
          ExpectDots({{0, 15, H::kText}, {1, 15, H::kShade}, {4, 15, H::kLit}});
        if (shape != 0) continue;
        if (style == 2 || style == 7)  // the steps at the rounded region's corners
          EXPECT_THAT((std::vector{Px(1, 1), Px(1, 28), Px(98, 1), Px(98, 28)}), Each(H::kText));
        // The named parts of the rectangle: face, caption, rings at both ends, focus frame.
        const bool lit = st == Hover || st == Pressed || st == Checked;
        const bool sunk = st == Pressed || st == Checked;
        const COLORREF face = lit ? H::kLit : H::kFace;
        const COLORREF text = st == Disabled ? H::kGrey : lit ? H::kLitText : H::kText;
        EXPECT_EQ(Px(30, 24), face);
        const RECT c = b.State().CaptionRect;
        const RECT found = Find(text, c);
        EXPECT_TRUE(found.left <= found.right && found.right - found.left >= 6);
        const bool edgeless = style == 5 && !lit;
        ExpectRing(0, Flat(edgeless ? kF : H::kText), face, 0);
        const COLORREF shade = style == 4 || style == 5 ? kF : H::kShade;
        ExpectRing(1, sunk ? Sides{shade, shade, kF, kF} : Sides{kF, kF, shade, shade}, face, 0);
        if (st != Default) continue;
        const bool aroundCaption = style == 3 || style == 7;
        const RECT f = aroundCaption ? RECT{c.left - 2, c.top - 2, c.right + 1, c.bottom + 1}
                                     : RECT{4, 4, 95, 25};
        const POINT corner[] = {
            {f.left, f.bottom}, {f.left, f.top}, {f.right, f.top}, {f.right, f.bottom}};
        for (int side = 0; side < 4; ++side) {
          const std::vector<COLORREF> line = Line(corner[side], corner[(side + 1) % 4]);
          EXPECT_THAT(line, Each(testing::AnyOf(text, face))) << side;
          EXPECT_GE(std::count(line.begin(), line.end(), text) * 3, std::ssize(line)) << side;
        }
      }
    }
}

TEST_F(Painting, HighContrastKeepsTheStoredColoursAndWritesThemBackAsTheyWere) {
  Ornabutton& b = Button(7);
  b.SetGradientColor(0x3070F0);
  b.SetGradientMode(1);
  b.SetHoverForeColor(0x0000FF);
  const std::string stored = platform::WriteFormDesign(form.SaveDesign());
  const HighContrast hc(true);
  Paint(b, Hover);
  EXPECT_EQ(b.BackColor(), static_cast<int32_t>(kBack));
  EXPECT_EQ(b.HoverBackColor(), static_cast<int32_t>(kHover));
  EXPECT_EQ(platform::WriteFormDesign(form.SaveDesign()), stored);
}

// A button on the system's window colour follows the scheme and the high-contrast setting live.
TEST_F(Painting, ButtonsFollowHighContrastAndTheSystemColoursLive) {
  HighContrast hc(false);
  Ornabutton& b = Button(0);
  b.SetBackColor(static_cast<int32_t>(0x80000000 | COLOR_WINDOW));
  Front();
  test::MoveMouse(Away());
  const auto shows = [&](COLORREF face) {
    return test::PumpUntil([&] { return test::ClientPixels(b.hwnd()).At(30, 24) == face; });
  };
  EXPECT_TRUE(shows(HighContrast::kWindow)) << "the system's window colour";
  hc.on = true;
  SendMessageW(form.hwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  EXPECT_TRUE(shows(HighContrast::kFace));
  // A new scheme reaches the form as WM_SYSCOLORCHANGE.
  const INT parts[] = {COLOR_BTNFACE, COLOR_WINDOW};
  const COLORREF other[] = {0x405060, 0x506070};
  SetSysColors(1, parts, other);
  EXPECT_TRUE(shows(other[0]));
  SetSysColors(2, parts, other);
  hc.on = false;
  SendMessageW(form.hwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  EXPECT_TRUE(shows(other[1]));
}

TEST(ShiftColor, MovesClampsMirrorsAndAvoidsTheExtremes) {
  // Colour, amount, ScaleBlue, AvoidExtremes, Invert; the result and the amount afterwards.
  const std::tuple<int32_t, int16_t, bool, bool, bool, int32_t, int16_t> rows[] = {
      // clang-format off
      {0x123456, 10, false, false, true, 0xE3C19F, 10}, {0x000000, 0, false, true, false, 0x404040, 64},
      {0xFFFFFF, 0, false, true, false, 0xBFBFBF, -64}, {0xFFFFFF, 20, false, true, false, 0xEBEBEB, -20},
      {0x646464, 20, false, true, false, 0x787878, 20},  {0x808080, 16, true, false, false, 0x8A9090, 16},
      // clang-format on
  };
  for (const auto& [color, amount, scaleBlue, avoid, invert, result, after] : rows) {
    int16_t a = amount;
    EXPECT_EQ(ShiftColor(color, a, scaleBlue, avoid, invert), result) << std::hex << color;
    EXPECT_EQ(a, after) << std::hex << color;
  }
}

}  // namespace
}  // namespace velmora
