#pragma once
// Screen metrics in the forms runtime's units.

#include <cstdint>

namespace velmora::platform::Screen {

// Twips per pixel of the primary screen (15 at 96 DPI, 10 at 144, 7.5 at 192).
float TwipsPerPixelX();
float TwipsPerPixelY();
// Size of the primary screen in twips.
int32_t Width();
int32_t Height();

}  // namespace velmora::platform::Screen
