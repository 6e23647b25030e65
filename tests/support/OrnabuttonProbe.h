#pragma once
// What tests and benchmarks may see of the button beyond its public face: its state (to read),
// its surface, its back buffer and how many frames it has shown; the plain way of drawing it is
// compared with; and, for the benchmark, its picture preparation.

#include "control/Ornabutton.h"

namespace velmora {

struct OrnabuttonProbe {
  static const OrnabuttonState& State(const Ornabutton& b) { return b.s; }
  static platform::UserControl& Surface(Ornabutton& b) { return b.UserControl; }
  static HDC Buffer(Ornabutton& b) { return b.s.BufferDC; }
  // How many frames the button has copied to its window.
  static int PaintCount(const Ornabutton& b) { return b.paintCount_; }
  // Every pen and brush made as asked and every fill a Rectangle: the plain way of drawing.
  static void DrawStraightforwardly(Ornabutton& b) { b.straightforwardDrawing_ = true; }
  static void PreparePicture(Ornabutton& b, int32_t w, int32_t h, HRGN target) {
    b.PreparePicture(w, h, target);
  }
  // Lets the scaled picture and the shape's regions go, as rebuilding the shape does first.
  static void ForgetPreparedPicture(Ornabutton& b) {
    for (HGDIOBJ old : {static_cast<HGDIOBJ>(b.s.ScaledPicture),
                        static_cast<HGDIOBJ>(b.s.ShapeRegion), static_cast<HGDIOBJ>(b.s.InnerRegion)})
      DeleteObject(old);
    b.s.ScaledPicture = nullptr;
    b.s.ShapeRegion = b.s.InnerRegion = nullptr;
  }
};

}  // namespace velmora
