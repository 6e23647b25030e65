// The colour arithmetic and the derived colours of each style.
#include <gtest/gtest.h>

#include "control/Color.h"
#include "tests/support/ButtonHost.h"

namespace velmora {
namespace {

int32_t FakeSystemColor(int index) { return 0x010101 * index; }

int32_t Grey(int level) { return level * 0x010101; }

int32_t Shifted(int32_t color, int16_t amount, bool scaleBlue = false, bool invert = false) {
  return ShiftColor(color, amount, scaleBlue, false, invert);
}

TEST(ColorArithmetic, TranslateResolvesOnlySystemColours) {
  EXPECT_EQ(TranslateColor(static_cast<int32_t>(0x8000000F), &FakeSystemColor), 0x0F0F0F);
  EXPECT_EQ(TranslateColor(static_cast<int32_t>(0x80000012), &FakeSystemColor), 0x121212);
  EXPECT_EQ(TranslateColor(0, &FakeSystemColor), 0);
  EXPECT_EQ(TranslateColor(0x123456, &FakeSystemColor), 0x123456);
}

TEST(ColorArithmetic, ShiftMovesEachChannelAndClamps) {
  EXPECT_EQ(Shifted(0xFFFFFF, -32), Grey(223));
  EXPECT_EQ(Shifted(Grey(128), 12), Grey(140));
  EXPECT_EQ(Shifted(Grey(140), 31), Grey(171));
  EXPECT_EQ(Shifted(Grey(128), -16), Grey(112));
  EXPECT_EQ(Shifted(Grey(224), 31), 0xFFFFFF);
  EXPECT_EQ(Shifted(Grey(10), -20), 0x000000);
}

TEST(ColorArithmetic, ScaleBlueMovesBlueInProportionTruncating) {
  EXPECT_EQ(Shifted(Grey(128), 16, true), 138 << 16 | 144 << 8 | 144);
  EXPECT_EQ(Shifted(0xFFFFFF, -32, true), 213 << 16 | 223 << 8 | 223);  // -42.5 -> -42
  EXPECT_EQ(Shifted(Grey(192), 48, true), Grey(240));
}

TEST(ColorArithmetic, InvertMirrorsAfterClamping) {
  const int32_t color = 18 << 16 | 52 << 8 | 86;
  EXPECT_EQ(Shifted(color, 10, false, true), 227 << 16 | 193 << 8 | 159);
}

TEST(ColorArithmetic, AvoidExtremesRetriesAndHandsBackTheAmountUsed) {
  int16_t amount = 0;
  EXPECT_EQ(ShiftColor(0x000000, amount, false, true, false), Grey(64));
  EXPECT_EQ(amount, 64);
  amount = 0;
  EXPECT_EQ(ShiftColor(0xFFFFFF, amount, false, true, false), Grey(191));
  EXPECT_EQ(amount, -64);
  amount = 20;
  EXPECT_EQ(ShiftColor(0xFFFFFF, amount, false, true, false), Grey(235));
  EXPECT_EQ(amount, -20);
  amount = 20;
  EXPECT_EQ(ShiftColor(Grey(100), amount, false, true, false), Grey(120));
  EXPECT_EQ(amount, 20) << "left alone when no extreme was hit";
  amount = 1000;  // far beyond what callers use: settles instead of flipping for ever
  ShiftColor(0x000000, amount, false, true, false);
}

class DerivedColors : public test::ButtonHost {};

TEST_F(DerivedColors, EachStyleDerivesItsOwnSet) {
  Ornabutton& b = New();
  b.SetBackColor(Grey(224));
  b.SetHoverBackColor(Grey(200));
  const OrnabuttonState& s = b.State();
  for (int style : {0, 1, 4, 5, 6}) {
    b.SetButtonStyle(style);
    EXPECT_EQ(s.FaceColor, Grey(224)) << style;
    EXPECT_EQ(s.ShadowColor, Grey(224)) << style;
    EXPECT_EQ(s.HoverFaceColor, Grey(200)) << style;
    EXPECT_EQ(s.LightColor, Grey(223)) << style;
  }
  b.SetButtonStyle(3);
  EXPECT_EQ(s.FaceColor, Grey(224));
  EXPECT_EQ(s.ShadowColor, Grey(140));
  EXPECT_EQ(s.LightColor, Grey(171));
  b.SetBackColor(0x0000FF);
  EXPECT_EQ(s.ShadowColor, Grey(140)) << "whatever the back colour";
  EXPECT_EQ(s.LightColor, Grey(171));

  b.SetBackColor(Grey(192));
  b.SetButtonStyle(2);
  EXPECT_EQ(s.FaceColor, Grey(240));
  EXPECT_EQ(s.HoverFaceColor, Shifted(Grey(200), 48, true));
  EXPECT_EQ(s.ShadowColor, Shifted(Grey(240), -32, true));
  EXPECT_EQ(s.LightColor, Shifted(0xFFFFFF, -32, true));

  b.SetButtonStyle(7);
  EXPECT_EQ(s.FaceColor, Grey(223));
  EXPECT_EQ(s.HoverFaceColor, Grey(231));
  EXPECT_EQ(s.ShadowColor, Grey(112));
  EXPECT_EQ(s.LightColor, Shifted(Grey(128), 16, true));
}

TEST_F(DerivedColors, SystemColoursAreResolvedNow) {
  Ornabutton& b = New();
  b.SetBackColor(kButtonFace);
  EXPECT_EQ(b.State().FaceColor, static_cast<int32_t>(GetSysColor(COLOR_BTNFACE)));
}

TEST_F(DerivedColors, RemovingThePictureClearsItsMetrics) {
  Ornabutton& b = New();
  b.SetPicture(test::TestBitmap(40, 20));
  EXPECT_EQ(b.State().PictureWidth, 40);
  EXPECT_EQ(b.State().PictureHeight, 20);
  EXPECT_EQ(b.State().PictureIsIcon, 0);
  b.SetPicture(test::TestIcon());
  EXPECT_EQ(b.State().PictureIsIcon, 1);
  EXPECT_GT(b.State().PictureWidth, 0);
  b.SetPicture(platform::Picture());
  EXPECT_EQ(b.State().PictureWidth, 0);
  EXPECT_EQ(b.State().PictureHeight, 0);
  EXPECT_EQ(b.State().ScaledPicture, nullptr);
}

}  // namespace
}  // namespace velmora
