#pragma once
// The straightforward way to prepare a picture for a picture-cut shape, one pixel and one region
// combination at a time, to time the button's own preparation against.

#include <windows.h>

#include "platform/Handles.h"

namespace velmora::bench {

struct PreparedPicture {
  platform::UniqueBitmap scaled;
  platform::UniqueRegion target;  // starts as (0, 0, sw, sh)
  platform::UniqueRegion shape;
  platform::UniqueRegion inner;
};

// Scales picture to w x h, makes every pixel within 3 per channel of the top-left one exactly
// that colour, and cuts each run of such pixels out of the target region, enlarged by 1 out of
// the shape region and enlarged by 2 out of the inner region.
PreparedPicture ReferencePreparePicture(HBITMAP picture, int w, int h, int sw, int sh);

}  // namespace velmora::bench
