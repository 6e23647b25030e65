// Drawing primitives: pens, brushes and the text colour; filled boxes; faces; gradients;
// bevel frames.
#include <windows.h>

#include "control/Ornabutton.h"

namespace velmora {

void Ornabutton::SelectDrawingTool(bool Enable, HDC DC, int32_t Kind, int32_t Color, bool WithPen,
                                   int32_t PenWidth, int32_t /*Reserved*/, int32_t PenStyle) {
  if (!Enable) {
    // Back to the pen and brush the buffer was made with; ours are deleted.
    DeleteObject(SelectObject(s.BufferDC, s.BufferOldBrush));
    DeleteObject(SelectObject(s.BufferDC, s.BufferOldPen));
    return;
  }
  switch (Kind) {
    case 0:
      DeleteObject(SelectObject(s.BufferDC, CreateSolidBrush(static_cast<COLORREF>(Color))));
      if (WithPen)
        DeleteObject(SelectObject(s.BufferDC, CreatePen(PenStyle, PenWidth, static_cast<COLORREF>(Color))));
      break;
    case 1:
      DeleteObject(SelectObject(s.BufferDC, CreatePen(PenStyle, PenWidth, static_cast<COLORREF>(Color))));
      break;
    case 2:
      SetTextColor(DC, static_cast<COLORREF>(Translate(Color)));
      break;
    default:
      break;
  }
}

void Ornabutton::FillBox(HDC, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}
void Ornabutton::PaintFace(int32_t, int16_t&, int16_t& DrawLevel, int32_t, int32_t&) { DrawLevel = 0; }
void Ornabutton::BeginFacePaint(int16_t& DrawLevel) { DrawLevel = 0; }
void Ornabutton::PaintGradient(int32_t, int32_t) {}
void Ornabutton::BuildGradientRamp(std::vector<int32_t>&, int32_t, int32_t) {}
void Ornabutton::DrawBevelFrame(Points&, Colors&, int16_t, int32_t) {}

}  // namespace velmora
