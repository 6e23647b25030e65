// A short soak: hundreds of redraws in every look, shape, state and picture, resizes,
// property changes and buttons made and destroyed lose no drawing object. (tools/bench runs
// the long one.)
#include <gtest/gtest.h>

#include "control/Ornabutton.h"
#include "tests/support/Soak.h"
#include "tests/support/TestSupport.h"

namespace velmora {
namespace {

TEST(Soak, RedrawsResizesChangesAndButtonsMadeAndDestroyedLoseNoDrawingObject) {
  test::RecordingMessageBoxes boxes;
  Ornabutton::Register();
  // The first round fills the system's own caches (fonts, region machinery).
  test::RunSoak({100, 10, 20, 25});
  const int before = test::GdiHeadroom();
  test::RunSoak({250, 25, 50, 25});
  EXPECT_EQ(test::GdiHeadroom(), before);
}

}  // namespace
}  // namespace velmora
