#pragma once
// Number rules shared by the forms runtime and the button control. No Windows header.

#include <cmath>
#include <cstdint>

namespace velmora {

// Single/Double to Long: nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// std::nearbyint follows the current rounding mode, which the program never changes from
// round-to-nearest-even.
inline int32_t nint(double v) { return static_cast<int32_t>(std::nearbyint(v)); }

// Integer division truncating toward zero (C++ already divides this way; the name marks the
// places where a formula depends on it).
inline int32_t TruncDiv(int32_t a, int32_t b) { return a / b; }

// Twips are 1/1440 inch; pixels depend on the dots per inch of the window they belong to.
// Forms round a half pixel up (4905 twips at 144 DPI are 491 pixels), unlike nint.
inline int32_t TwipsToPixels(int32_t twips, int dpi) {
  return static_cast<int32_t>(std::floor(twips * static_cast<double>(dpi) / 1440.0 + 0.5));
}
inline double TwipsPerPixel(int dpi) { return 1440.0 / dpi; }

}  // namespace velmora
