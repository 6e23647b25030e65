// The eight looks, style by style: the bevel rings, faces, corner pixels and focus frames each
// painter leaves in the back buffer, in the normal, default, hovered, pressed, checked and
// disabled states.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <ostream>

#include "control/Color.h"
#include "tests/support/ButtonHost.h"
#include "tests/support/OrnabuttonProbe.h"

namespace velmora {
namespace {

using P = OrnabuttonProbe;
using Look = Ornabutton::Interaction;

constexpr int32_t kBack = 0xC0C0C0, kWhite = 0xFFFFFF, kGrey = 0x808080, kBlack = 0x000000,
                  kLight = 0xE9E9E9;
constexpr int W = 100, H = 30;  // every button here, unless a test says otherwise

int32_t Shift(int32_t color, int16_t amount) {
  return ShiftColor(color, amount, false, false, false);
}
int32_t ShiftB(int32_t color, int16_t amount) {
  return ShiftColor(color, amount, true, false, false);
}

// The inclusive bounding box of the pixels of one colour inside a box.
struct Bounds {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  bool empty() const { return left > right; }
  bool operator==(const Bounds&) const = default;
};

// The colours of one ring at the middle of its four sides: left, top, right, bottom.
struct Ring {
  COLORREF left, top, right, bottom;
  bool operator==(const Ring&) const = default;
};
void PrintTo(const Ring& r, std::ostream* os) {
  *os << std::hex << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

class Looks : public test::ButtonHost {
 protected:
  // A new command button of w x h pixels in a style, on a mid-grey back colour.
  Ornabutton& Button(int32_t style, int w = W, int h = H) {
    Ornabutton& b = New("Look" + std::to_string(++count_), false, w * 15, h * 15);
    b.SetBackColor(kBack);
    b.SetForeColor(kBlack);
    b.SetButtonStyle(style);
    return b;
  }
  // Paints the button in an interaction state through the rendering hook; the back buffer
  // then holds the look, and canvas_ what the window would show.
  void Paint(Ornabutton& b, Look look = {}) {
    canvas_.reset(CreateCompatibleBitmap(P::Buffer(b), 400, 200));
    dc_.reset(CreateCompatibleDC(P::Buffer(b)));
    SelectObject(dc_.get(), canvas_.get());
    b.PaintInto(dc_.get(), look);
  }
  static COLORREF Px(Ornabutton& b, int x, int y) { return GetPixel(P::Buffer(b), x, y); }
  COLORREF Shown(int x, int y) const { return GetPixel(dc_.get(), x, y); }
  // Ring 0 is the outer one, at the edge; 1 the middle; 2 the inner one.
  static Ring RingOf(Ornabutton& b, int ring, int w = W, int h = H) {
    return {Px(b, ring, h / 2), Px(b, w / 2, ring), Px(b, w - 1 - ring, h / 2),
            Px(b, w / 2, h - 1 - ring)};
  }
  static Ring Flat(COLORREF c) { return {c, c, c, c}; }
  static Bounds Find(Ornabutton& b, COLORREF color, RECT box) {
    Bounds r;
    for (int y = box.top; y < box.bottom; ++y)
      for (int x = box.left; x < box.right; ++x)
        if (Px(b, x, y) == color) {
          r.left = std::min(r.left, x), r.right = std::max(r.right, x);
          r.top = std::min(r.top, y), r.bottom = std::max(r.bottom, y);
        }
    return r;
  }
  // Where the caption's black pixels are, well inside the rings.
  static Bounds Caption(Ornabutton& b) { return Find(b, kBlack, {4, 4, W - 4, H - 4}); }

  int count_ = 0;
  platform::UniqueBitmap canvas_;
  platform::UniqueDc dc_;
};

// ---- RaisedBevel (style 0) ----

TEST_F(Looks, RaisedBevelIsWhiteAndLightOverGreyAndBlack) {
  Ornabutton& b = Button(0);
  Paint(b);
  EXPECT_EQ(Px(b, 0, 0), kWhite);
  EXPECT_EQ(Px(b, 1, 1), kLight);
  EXPECT_EQ(Px(b, W - 1, H - 1), kBlack);
  EXPECT_EQ(Px(b, W - 2, H - 2), kGrey);
  EXPECT_EQ(RingOf(b, 0), (Ring{kWhite, kWhite, kBlack, kBlack}));
  EXPECT_EQ(RingOf(b, 1), (Ring{kLight, kLight, kGrey, kGrey}));
  EXPECT_EQ(RingOf(b, 2), Flat(kBack)) << "no inner ring";

  // The default button: a black ring all round, the bevel one ring further in.
  Paint(b, {.IsDefault = true});
  EXPECT_EQ(RingOf(b, 0), Flat(kBlack));
  EXPECT_EQ(RingOf(b, 1), (Ring{kWhite, kWhite, kBlack, kBlack}));
  EXPECT_EQ(RingOf(b, 2), (Ring{kLight, kLight, kGrey, kGrey}));

  // Pressed default: the black ring and one grey line at the bottom-right.
  Paint(b, {.Pressed = true, .IsDefault = true});
  EXPECT_EQ(RingOf(b, 0), Flat(kBlack));
  EXPECT_EQ(RingOf(b, 1), (Ring{kBack, kBack, kGrey, kGrey}));
  EXPECT_EQ(RingOf(b, 2), Flat(kBack));
  Paint(b, {.Pressed = true});
  EXPECT_EQ(RingOf(b, 0), (Ring{kWhite, kWhite, kBlack, kBlack}));
}

TEST_F(Looks, RaisedBevelCheckedIsSunken) {
  Ornabutton& b = Button(0);
  b.SetMode(1);
  b.SetValue(true);
  Paint(b);
  const int32_t base = P::State(b).LightColor;  // a checked button's face
  EXPECT_EQ(RingOf(b, 0), (Ring{kBlack, kBlack, kWhite, kWhite}));
  EXPECT_EQ(RingOf(b, 1),
            (Ring{static_cast<COLORREF>(base), static_cast<COLORREF>(base), kLight, kLight}));
  EXPECT_EQ(RingOf(b, 2), Flat(base));

  // A check box held down looks checked before it is.
  b.SetValue(false);
  Paint(b, {.Pressed = true});
  EXPECT_EQ(RingOf(b, 0), (Ring{kBlack, kBlack, kWhite, kWhite}));
}

TEST_F(Looks, SlantedButtonsFrameTheirFocusInADarkerFace) {
  Ornabutton& b = Button(0);
  b.SetButtonShape(3);  // the frame's top runs along y = 4 between the two slants
  Paint(b, {.IsDefault = true});
  EXPECT_EQ(Px(b, 40, 4), static_cast<COLORREF>(Shift(kBack, -48)));
  b.SetMode(1);
  b.SetValue(true);
  Paint(b, {.IsDefault = true});
  EXPECT_EQ(Px(b, 40, 4), kBlack) << "checked: black";
}

// ---- FramedBevel (style 1) ----

TEST_F(Looks, FramedBevelInvertsInsideItsBlackFrameWhenPressed) {
  Ornabutton& b = Button(1);
  Paint(b);
  EXPECT_EQ(RingOf(b, 0), Flat(kBlack));
  EXPECT_EQ(RingOf(b, 1), (Ring{kWhite, kWhite, kGrey, kGrey}));
  EXPECT_EQ(RingOf(b, 2), (Ring{kWhite, kWhite, kGrey, kGrey}));

  Paint(b, {.Pressed = true});
  EXPECT_EQ(RingOf(b, 0), Flat(kBlack));
  EXPECT_EQ(RingOf(b, 1), (Ring{kGrey, kGrey, kWhite, kWhite}));
  EXPECT_EQ(RingOf(b, 2), (Ring{kGrey, kGrey, kWhite, kWhite}));

  b.SetMode(1);
  b.SetValue(true);
  Paint(b);
  EXPECT_EQ(RingOf(b, 1), (Ring{kGrey, kGrey, kWhite, kWhite}));
}

// ---- RoundedHotTrack (style 2) ----

TEST_F(Looks, RoundedHotTrackRingsAreOrangeWhenHotBlueWhenDefaultAndDarkerWhenPressed) {
  Ornabutton& b = Button(2);
  const int32_t B = P::State(b).FaceColor;
  constexpr COLORREF kBorder = 0x733C00;

  Paint(b, {.Hovering = true});
  EXPECT_EQ(RingOf(b, 0), Flat(kBorder));
  EXPECT_EQ(RingOf(b, 1), (Ring{0x31B2FF, 0xA6E9FF, 0x31B2FF, 0x0096E7}));
  EXPECT_EQ(RingOf(b, 2), (Ring{0x6BCBFF, 0x8CDBFF, 0x6BCBFF, 0x31B2FF}));

  Paint(b, {.IsDefault = true});
  EXPECT_EQ(RingOf(b, 0), Flat(kBorder));
  EXPECT_EQ(RingOf(b, 1), (Ring{0xE7AE8C, 0xFFDFBF, 0xE7AE8C, 0xEF826B}));
  EXPECT_EQ(RingOf(b, 2), (Ring{0xF0D1B5, 0xF7D7BD, 0xF0D1B5, 0xE7AE8C}));

  Paint(b, {.Pressed = true});
  EXPECT_EQ(RingOf(b, 1),
            (Ring{static_cast<COLORREF>(ShiftB(B, -32)), static_cast<COLORREF>(ShiftB(B, -32)),
                  static_cast<COLORREF>(ShiftB(B, 5)), static_cast<COLORREF>(ShiftB(B, 16))}));
  EXPECT_EQ(RingOf(b, 2),
            (Ring{static_cast<COLORREF>(ShiftB(B, -22)), static_cast<COLORREF>(ShiftB(B, -24)),
                  static_cast<COLORREF>(B), static_cast<COLORREF>(ShiftB(B, 10))}));
  // Pressed without a gradient, the face is the shadow colour, shaded row by row.
  EXPECT_EQ(Px(b, 8, 3), static_cast<COLORREF>(ShiftB(P::State(b).ShadowColor, -2)));

  // Without the focus rectangle the default button looks like any other.
  Paint(b);
  const Ring normalMiddle = RingOf(b, 1), normalInner = RingOf(b, 2);
  EXPECT_EQ(normalMiddle.left, static_cast<COLORREF>(ShiftB(B, -5)));
  b.SetShowFocusRect(false);
  Paint(b, {.IsDefault = true});
  EXPECT_EQ(RingOf(b, 1), normalMiddle);
  EXPECT_EQ(RingOf(b, 2), normalInner);
}

TEST_F(Looks, RoundedHotTrackFillsItsCornerStepsInTheBorderColour) {
  Ornabutton& b = Button(2);
  constexpr COLORREF kBorder = 0x733C00;
  for (Look look : {Look{}, Look{.Hovering = true}, Look{.Pressed = true}}) {
    Paint(b, look);
    EXPECT_EQ(Px(b, 1, 1), kBorder);
    EXPECT_EQ(Px(b, 1, H - 2), kBorder);
    EXPECT_EQ(Px(b, W - 2, 1), kBorder);
    EXPECT_EQ(Px(b, W - 2, H - 2), kBorder);
    EXPECT_NE(Px(b, 2, 1), kBorder) << "only the corner pixel";
  }
  // A slanted side has no corner step to fill.
  b.SetButtonShape(1);
  Paint(b);
  EXPECT_NE(Px(b, 1, H - 2), kBorder);
  EXPECT_EQ(Px(b, W - 2, 1), kBorder);

  // Disabled: no inner rings, the border a darker face.
  b.SetButtonShape(0);
  b.SetEnabled(false);
  Paint(b);
  const int32_t border = ShiftB(P::State(b).FaceColor, -84);
  EXPECT_EQ(RingOf(b, 0), Flat(border));
  EXPECT_EQ(Px(b, 1, 1), static_cast<COLORREF>(border));
  EXPECT_EQ(Px(b, W / 2, 2), Px(b, W / 2, 3)) << "the flat face shows through";
}

TEST_F(Looks, RoundedHotTrackOnAnEllipseLeavesTheOutlineToTheRedraw) {
  Ornabutton& b = Button(2);
  b.SetButtonShape(4);
  const HRGN inset = P::State(b).ShapeRegion;
  // The outline runs along the inset region: its top pixel in the middle column.
  int top = 0;
  while (!PtInRegion(inset, W / 2, top)) ++top;
  Paint(b, {.IsDefault = true});
  EXPECT_EQ(Shown(W / 2, top), 0xEF826Bu);
  Paint(b, {.Hovering = true});
  EXPECT_EQ(Shown(W / 2, top), 0x0096E7u);
  Paint(b);
  EXPECT_EQ(Shown(W / 2, top), Px(b, W / 2, top)) << "no outline at rest";
}

// ---- EtchedFlat (style 3) ----

TEST_F(Looks, EtchedFlatNeverMovesItsCaption) {
  Ornabutton& b = Button(3);
  Paint(b);
  const Bounds rest = Caption(b);
  ASSERT_FALSE(rest.empty());
  Paint(b, {.Pressed = true});
  EXPECT_EQ(Caption(b), rest);
  EXPECT_EQ(Px(b, 10, H / 2), static_cast<COLORREF>(P::State(b).ShadowColor)) << "pressed face";
  b.SetMode(1);
  b.SetValue(true);
  Paint(b);
  EXPECT_EQ(Caption(b), rest);

  // Any other style moves pushed content a pixel down and right.
  Ornabutton& raised = Button(0);
  Paint(raised);
  Bounds moved = Caption(raised);
  Paint(raised, {.Pressed = true});
  moved.left += 1, moved.right += 1, moved.top += 1, moved.bottom += 1;
  EXPECT_EQ(Caption(raised), moved);
}

TEST_F(Looks, EtchedFlatFramesTheFocusedCaptionSolidInItsOwnColour) {
  Ornabutton& b = Button(3);
  constexpr COLORREF kFocus = 0xCC9999;
  Paint(b);
  EXPECT_TRUE(Find(b, kFocus, {0, 0, W, H}).empty());
  Paint(b, {.IsDefault = true});
  const RECT c = P::State(b).CaptionRect;
  const Bounds frame = Find(b, kFocus, {0, 0, W, H});
  EXPECT_EQ(frame, (Bounds{c.left - 2, c.top - 2, c.right + 1, c.bottom + 1}));
  for (int x = frame.left; x <= frame.right; ++x) {
    ASSERT_EQ(Px(b, x, frame.top), kFocus) << x;
    ASSERT_EQ(Px(b, x, frame.bottom), kFocus) << x;
  }
  for (int y = frame.top; y <= frame.bottom; ++y) ASSERT_EQ(Px(b, frame.left, y), kFocus) << y;
  Paint(b, {.Pressed = true, .IsDefault = true});
  EXPECT_EQ(Find(b, kFocus, {0, 0, W, H}), frame) << "it stays with the caption";
}

TEST_F(Looks, EtchedFlatEdgesEnabledAndDisabled) {
  Ornabutton& b = Button(3);
  const COLORREF dark = Shift(kGrey, -26);
  Paint(b);
  EXPECT_EQ(RingOf(b, 0), (Ring{dark, dark, kWhite, kWhite}));
  EXPECT_EQ(RingOf(b, 1), (Ring{kWhite, kWhite, dark, dark}));
  EXPECT_EQ(RingOf(b, 2), Flat(kBack));
  // Pressed: the middle ring's light sides take the pressed face.
  Paint(b, {.Pressed = true});
  const COLORREF shadow = P::State(b).ShadowColor;
  EXPECT_EQ(RingOf(b, 1), (Ring{shadow, shadow, dark, dark}));

  b.SetEnabled(false);
  Paint(b);
  EXPECT_EQ(RingOf(b, 0), Flat(dark));
  EXPECT_EQ(RingOf(b, 1), Flat(kBack));
  EXPECT_EQ(RingOf(b, 2), Flat(kBack));
}

// ---- ThinBevel (style 4) and SoftBevel (style 6) ----

TEST_F(Looks, ThinBevelIsOneRingThatInvertsWhenPressed) {
  Ornabutton& b = Button(4);
  Paint(b);
  EXPECT_EQ(RingOf(b, 0), (Ring{kWhite, kWhite, kGrey, kGrey}));
  EXPECT_EQ(RingOf(b, 1), Flat(kBack));
  Paint(b, {.Pressed = true});
  EXPECT_EQ(RingOf(b, 0), (Ring{kGrey, kGrey, kWhite, kWhite}));
  EXPECT_EQ(RingOf(b, 1), Flat(kBack));
}

TEST_F(Looks, SoftBevelIsPaleOverGreyAndInvertsWhenPressed) {
  Ornabutton& b = Button(6);
  const COLORREF pale = Shift(0xDFDFDF, 8);
  Paint(b, {.IsDefault = true});
  EXPECT_EQ(RingOf(b, 0), (Ring{pale, pale, kGrey, kGrey}));
  EXPECT_EQ(RingOf(b, 1), (Ring{pale, pale, kGrey, kGrey}));
  EXPECT_EQ(RingOf(b, 2), Flat(kBack));
  Paint(b, {.Pressed = true});
  EXPECT_EQ(RingOf(b, 0), (Ring{kGrey, kGrey, pale, pale}));
  EXPECT_EQ(RingOf(b, 1), (Ring{kGrey, kGrey, pale, pale}));
}

// ---- FlatHotTrack (style 5) ----

TEST_F(Looks, FlatHotTrackShowsARingOnlyUnderThePointer) {
  Ornabutton& b = Button(5);
  b.SetHoverBackColor(0xC0E0FF);
  Front();
  Paint(b);
  EXPECT_EQ(RingOf(b, 0), Flat(kBack)) << "no edge away from the pointer";
  EXPECT_EQ(RingOf(b, 1), Flat(kBack));

  // Real pointer over it: a one-pixel white and grey ring around the hover face.
  test::MoveMouse(test::CenterOnScreen(b.hwnd()));
  ASSERT_TRUE(test::PumpUntil([&] { return b.State().Hovering; }));
  EXPECT_EQ(RingOf(b, 0), (Ring{kWhite, kWhite, kGrey, kGrey}));
  EXPECT_EQ(RingOf(b, 1), Flat(0xC0E0FF));
  test::MoveMouse(Away());
  ASSERT_TRUE(test::PumpUntil([&] { return !b.State().Hovering; }));
  EXPECT_EQ(RingOf(b, 0), Flat(kBack));

  // Checked, it keeps a pushed ring.
  b.SetMode(1);
  b.SetValue(true);
  Paint(b);
  EXPECT_EQ(RingOf(b, 0), (Ring{kGrey, kGrey, kWhite, kWhite}));
}

TEST_F(Looks, FlatHotTrackShowsTheDesignerADottedOutline) {
  Ornabutton& b = New("Designed", /*designMode=*/true, W * 15, H * 15);
  b.SetBackColor(kBack);
  b.SetButtonStyle(5);
  Paint(b);
  int32_t outline = Shift(P::State(b).ContainerBackColor, -64);
  if (outline == kBlack) outline = kWhite;
  int dots = 0, gaps = 0;
  for (int x = 1; x < W - 1; ++x) (Px(b, x, 0) == static_cast<COLORREF>(outline) ? dots : gaps)++;
  EXPECT_GT(dots, 10);
  EXPECT_GT(gaps, 10) << "dotted, not solid";

  // On an ellipse, a dotted arc all round instead.
  b.SetButtonShape(4);
  Paint(b);
  const int32_t arc = Shift(P::State(b).ContainerBackColor, -32);
  int onArc = 0;
  for (int x = 0; x < W; ++x)
    for (int y = 0; y < 3; ++y) onArc += Px(b, x, y) == static_cast<COLORREF>(arc);
  EXPECT_GT(onArc, 10);
}

// ---- RoundedFramed (style 7) ----

TEST_F(Looks, RoundedFramedPressedWithoutGradientDerivesFromGrey) {
  Ornabutton& b = Button(7);
  const auto& st = P::State(b);
  Paint(b, {.Pressed = true});
  const COLORREF hi = Shift(kGrey, -32), mid = Shift(kGrey, -64), dark = Shift(kGrey, -16);
  EXPECT_EQ(Px(b, 10, H / 2), static_cast<COLORREF>(st.ShadowColor)) << "face";
  EXPECT_EQ(RingOf(b, 0), Flat(kBlack));
  EXPECT_EQ(RingOf(b, 1), (Ring{mid, mid, dark, dark}));
  EXPECT_EQ(RingOf(b, 2), (Ring{hi, hi, kGrey, kGrey}));
  // Corners rounded off in the same colours.
  EXPECT_EQ(Px(b, 3, 3), hi);
  EXPECT_EQ(Px(b, 2, 2), mid);
  EXPECT_EQ(Px(b, 1, 1), kBlack);
  EXPECT_EQ(Px(b, 1, H - 3), kGrey);
  EXPECT_EQ(Px(b, 1, H - 2), kBlack);
  EXPECT_EQ(Px(b, W - 4, H - 4), kGrey);
  EXPECT_EQ(Px(b, W - 3, 1), kGrey);
  EXPECT_EQ(Px(b, W - 3, H - 3), dark);
  EXPECT_EQ(Px(b, W - 2, H - 2), kBlack);
  EXPECT_EQ(Px(b, W - 2, 1), kBlack);
  // The caption in the face colour, not the fore colour.
  EXPECT_FALSE(Find(b, static_cast<COLORREF>(st.FaceColor), {4, 4, W - 4, H - 4}).empty());
  EXPECT_TRUE(Caption(b).empty());

  // With a gradient the pressed rings derive from the face colour instead.
  b.SetGradientMode(1);
  Paint(b, {.Pressed = true});
  EXPECT_EQ(RingOf(b, 2).left, static_cast<COLORREF>(Shift(st.FaceColor, -32)));
  EXPECT_EQ(RingOf(b, 1).left, static_cast<COLORREF>(Shift(st.FaceColor, -64)));
}

TEST_F(Looks, RoundedFramedAtRestHasHighlightedRings) {
  Ornabutton& b = Button(7);
  const int32_t base = P::State(b).FaceColor;
  Paint(b);
  const COLORREF mid = ShiftB(base, 31), dark = ShiftB(base, -64);
  EXPECT_EQ(RingOf(b, 0), Flat(kBlack));
  EXPECT_EQ(RingOf(b, 1), (Ring{mid, mid, dark, dark}));
  EXPECT_EQ(RingOf(b, 2),
            (Ring{kWhite, kWhite, static_cast<COLORREF>(base), static_cast<COLORREF>(base)}));
  EXPECT_FALSE(Caption(b).empty()) << "caption in the fore colour";
}

// ---- All styles ----

TEST_F(Looks, NoStyleDrawsBevelRingsOnAnEllipse) {
  // Outside the ellipse, the corners keep the ring's top-to-bottom shading, the same on the
  // left and on the right of each row; a bevel would draw its left and right sides through
  // them in different colours.
  for (int32_t style = 0; style <= 7; ++style) {
    Ornabutton& b = Button(style);
    b.SetButtonShape(4);
    for (Look look :
         {Look{}, Look{.IsDefault = true}, Look{.Hovering = true}, Look{.Pressed = true}}) {
      Paint(b, look);
      for (int y : {0, 1, 2, 3, H - 4, H - 3, H - 2, H - 1})
        for (int x = 0; x < 4; ++x)
          ASSERT_EQ(Px(b, x, y), Px(b, W - 1 - x, y))
              << "style " << style << " at (" << x << ", " << y << ")";
    }
  }
}

TEST_F(Looks, PictureShapesOutlineTheDefaultButtonAlongTheInsetRegion) {
  platform::Picture disc;
  ASSERT_TRUE(platform::Picture::Load(test::PictureFile(L"DISC_BMP"), disc));
  for (int32_t style : {0, 2}) {
    Ornabutton& b = Button(style, 32, 32);
    b.SetPicture(disc);
    b.SetButtonShape(7);
    const HRGN inset = P::State(b).ShapeRegion;
    int top = 0;
    while (!PtInRegion(inset, 16, top)) ++top;
    Paint(b, {.IsDefault = true});
    // The painters close with black; RoundedHotTrack keeps its own blue.
    EXPECT_EQ(Shown(16, top), style == 2 ? 0xEF826Bu : kBlack) << "style " << style;
    Paint(b);
    EXPECT_EQ(Shown(16, top), Px(b, 16, top)) << "no outline without the default look";
  }
}

}  // namespace
}  // namespace velmora
