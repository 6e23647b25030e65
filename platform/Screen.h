#pragma once
// Screen metrics in the forms runtime's units.

#include <cstdint>

namespace velmora::platform::Screen {

// Twips per pixel of the primary screen (15 at 96 DPI, 10 at 144, 7.5 at 192).
float TwipsPerPixelX();
float TwipsPerPixelY();
// Size of the primary screen in twips. The pixel size is asked of the system once and again
// after each DisplayChanged: some systems take a long time to answer, and every gradient
// redraw needs it.
int32_t Width();
int32_t Height();
// The display settings changed (the forms hear of it first): the size is asked again.
void DisplayChanged();

}  // namespace velmora::platform::Screen
