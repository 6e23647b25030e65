// The button's faster drawing (solid blocks filled directly, gradients copied in one go, pens
// and brushes made only when used and not remade alike) against the plain way (a pen and a
// brush made for every fill, one Rectangle per band): two buttons go through the same looks,
// shapes, pictures, gradients, sizes and states, and their back buffers must match pixel for
// pixel after every step.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "tests/support/ButtonHost.h"
#include "tests/support/OrnabuttonProbe.h"
#include "tests/support/Pictures.h"
#include "tests/support/Soak.h"

namespace velmora {
namespace {

using P = OrnabuttonProbe;

class DrawingIdentity : public test::ButtonHost {
 protected:
  void Pair(int w, int h, bool designMode = false) {
    plain_ = &New("Plain" + std::to_string(++count_), designMode, w * 15, h * 15);
    P::DrawStraightforwardly(*plain_);
    fast_ = &New("Fast" + std::to_string(count_), designMode, w * 15, h * 15);
    for (Ornabutton* b : {plain_, fast_}) b->SetCaption(L"Remove || Selected Ads");
  }
  // Does the same to both buttons, then compares their back buffers.
  void Both(const std::function<void(Ornabutton&)>& step, const std::string& what) {
    step(*plain_);
    step(*fast_);
    ++steps_;
    const auto a = Pixels(*plain_), b = Pixels(*fast_);
    ASSERT_EQ(a.size(), b.size()) << what;
    for (size_t i = 0; i < a.size(); ++i) {
      if (a[i] == b[i]) continue;
      const int w = static_cast<int>(P::Surface(*plain_).ScaleWidth());
      FAIL() << what << ": pixel (" << i % w << ", " << i / w << ") is " << std::hex << b[i]
             << " instead of " << a[i];
    }
  }
  static std::vector<COLORREF> Pixels(Ornabutton& b) {
    return test::BitmapPixels(static_cast<HBITMAP>(GetCurrentObject(P::Buffer(b), OBJ_BITMAP)));
  }
  // Every look and shape, with no picture, a bitmap and (when icons is set) an icon; the
  // gradient mode and caption relief vary with them. Each picture of a look and shape meets
  // every stride-th state, in turn, so that together they meet all; picture shapes, which take
  // one picture, meet them all.
  void EveryLook(int32_t backColor, int stride, bool icons = false) {
    const platform::Picture bitmap =
        platform::Picture::FromBitmap(test::MakeDiscPicture(40, 32, false));
    const platform::Picture icon = test::TestIcon();
    const platform::Picture* const pictures[] = {nullptr, &bitmap, &icon};
    for (int style = 0; style < 8; ++style) {
      for (int shape = 0; shape < 9; ++shape) {
        for (const platform::Picture* picture : pictures) {
          if (picture == &icon && !icons) continue;
          if (shape >= 7 && picture != &bitmap) continue;  // picture shapes take bitmaps only
          std::ostringstream what;
          what << "style " << style << ", shape " << shape << ", picture "
               << (picture == &bitmap ? "bitmap"
                   : picture          ? "icon"
                                      : "none");
          Both(
              [&](Ornabutton& b) {
                // One redraw for the lot: the shape setter ends the delay.
                b.DelayDrawing(true);
                b.SetBackColor(backColor);
                b.SetPicture(picture ? *picture : platform::Picture());
                b.SetPictureSize((style + shape) % 5);
                b.SetGradientMode((style + shape) % 5);
                b.SetCaptionStyle(shape % 3);
                b.SetButtonStyle(style);
                b.SetButtonShape(shape);
                if (P::State(b).DrawingDelayed) b.DelayDrawing(false);
              },
              what.str());
          if (HasFatalFailure()) return;
          ++config_;
          const auto interactions = test::Interactions();
          for (int k = 0; k < static_cast<int>(interactions.size()); ++k) {
            if (shape < 7 && (k + config_) % stride != 0) continue;
            Both([&](Ornabutton& b) { test::Apply(b, interactions[static_cast<size_t>(k)]); },
                 what.str() + ", state " + std::to_string(k));
            if (HasFatalFailure()) return;
          }
        }
      }
    }
  }

  Ornabutton* plain_ = nullptr;
  Ornabutton* fast_ = nullptr;
  int count_ = 0;
  int steps_ = 0;
  int config_ = 0;
};

TEST_F(DrawingIdentity, TheMainWindowsButtonSizeInEveryLookShapeAndState) {
  Pair(97, 25);
  for (Ornabutton* b : {plain_, fast_}) {
    b->SetCaption(L"Remove Selected Ads");
    b->SetGradientColor(0x00C0C0C0);
    b->SetHoverBackColor(0x00FFFFFF);
  }
  EveryLook(kButtonFace, 3, /*icons=*/true);
  EXPECT_GT(steps_, 850);
}

TEST_F(DrawingIdentity, TallAndWideFacesAndColoursThatAreNoPlainRgb) {
  // Wider than a quarter of the screen: 2-pixel bands and an odd last column. (The two ways of
  // drawing differ in fills, pens and gradients, not in how an icon is drawn: the main size's
  // run covers icons.)
  Pair(341, 31);
  EveryLook(0x00E0A060, 12);
  // A tall one, and a back colour that is a palette-relative value rather than plain RGB.
  Pair(41, 57);
  EveryLook(0x02C08040, 12);
}

TEST_F(DrawingIdentity, DesignTimeOutlinesAndTinyFaces) {
  Pair(60, 30, /*designMode=*/true);
  EveryLook(kButtonFace, 6);
  // One pixel, where a fill may draw nothing at all.
  Pair(1, 1);
  EveryLook(kButtonFace, 12);
}

}  // namespace
}  // namespace velmora
