#pragma once
// Pictures made in memory and read back, and the straightforward way to prepare a picture, one
// pixel and one region combination at a time, to compare the button's own preparation with
// (tests) and to time it against (bench).

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/Handles.h"

namespace velmora::test {

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

// A 32-bit top-down bitmap whose pixel (x, y) has the colour color(x, y) (0x00BBGGRR).
HBITMAP MakePicture(int width, int height, const std::function<COLORREF(int, int)>& color);
// The pixels of a bitmap as 0x00BBGGRR, rows from the top.
std::vector<COLORREF> BitmapPixels(HBITMAP bitmap);

// A 32-bit picture on a magenta ground: a disc of shaded colours, with some pixels of the
// ground just off the key colour. Speckled adds near-key holes in the disc and opaque specks
// on the ground, many short runs.
HBITMAP MakeDiscPicture(int width, int height, bool speckled);

}  // namespace velmora::test
