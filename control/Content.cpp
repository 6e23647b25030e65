// Caption, picture and focus frame (filled in with the rendering work).
#include "control/Ornabutton.h"

namespace velmora {

void Ornabutton::DrawCaption(int32_t, int32_t, bool, bool&) {}
void Ornabutton::DrawPicture(RECT&) {}
void Ornabutton::DrawBitmapTransparent(HDC, RECT, HBITMAP, RECT, int32_t, int32_t&, int32_t&) {}
void Ornabutton::DrawFocusFrame(int32_t&, bool, bool, Points&) {}

}  // namespace velmora
