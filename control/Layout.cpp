// Caption and picture layout (filled in with the layout work).
#include "control/Ornabutton.h"

namespace velmora {

void Ornabutton::LayoutContent(bool& /*RebuildPicture*/) {}

void Ornabutton::FitPicture(int32_t /*BoxW*/, int32_t /*BoxH*/, int32_t& OutW, int32_t& OutH) const {
  OutW = OutH = 0;
}

void Ornabutton::PreparePicture(int32_t /*W*/, int32_t /*H*/, HRGN /*TargetRegion*/) {}

}  // namespace velmora
