#pragma once
// Pictures made in memory and read back.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>


namespace velmora::test {

// A 32-bit top-down bitmap whose pixel (x, y) has the colour color(x, y) (0x00BBGGRR).
HBITMAP MakePicture(int width, int height, const std::function<COLORREF(int, int)>& color);
// The pixels of a bitmap as 0x00BBGGRR, rows from the top.
std::vector<COLORREF> BitmapPixels(HBITMAP bitmap);

// A 32-bit picture on a magenta ground: a disc of shaded colours, with some pixels of the
// ground just off the key colour. Speckled adds near-key holes in the disc and opaque specks
// on the ground, many short runs.
HBITMAP MakeDiscPicture(int width, int height, bool speckled);

}  // namespace velmora::test
