#pragma once
// Regions built from lists of rectangles.

#include <windows.h>

#include <cstddef>

#include "platform/Handles.h"

namespace velmora::platform {

// The union of the rectangles. Some platforms merge the rectangles of one ExtCreateRegion call
// one at a time, which grows with the square of their number, so a long list is built in slices
// that are joined pairwise.
UniqueRegion RegionFromRects(const RECT* rects, size_t count);

// An equal region made afresh from the rectangles of region, which is deleted. Wine loses a
// drawing object now and then when it takes over an elliptic region as a window region; an
// equal region made from rectangles it takes over cleanly.
HRGN RegionRebuilt(HRGN region);

}  // namespace velmora::platform
