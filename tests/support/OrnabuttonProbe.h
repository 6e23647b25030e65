#pragma once
// What tests and benchmarks may see of the button beyond its public face: its state (to read),
// its surface, its back buffer and how many frames it has shown; the plain way of drawing it is
// compared with; and, for the benchmark, its picture preparation on its own.

#include "control/Ornabutton.h"

namespace velmora {

struct OrnabuttonProbe {
  static const OrnabuttonState& State(const Ornabutton& b) { return b.s; }
  static platform::UserControl& Surface(Ornabutton& b) { return b.UserControl; }
  static HDC Buffer(const Ornabutton& b) { return b.Buffer.DC(); }
  // How many frames the button has copied to its window.
  static int PaintCount(const Ornabutton& b) { return b.paintCount_; }
  // Every pen and brush made as asked and every fill a Rectangle: the plain way of drawing.
  static void DrawStraightforwardly(Ornabutton& b) { b.Buffer.DrawStraightforwardly(); }

  // The picture preparation on its own. The shape drops the previous copy and inset regions
  // before it prepares the picture.
  static void DropPictureCopies(Ornabutton& b) {
    b.ScaledPicture.reset();
    b.ShapeRegion.reset();
    b.InnerRegion.reset();
  }
  static void PreparePicture(Ornabutton& b, int32_t w, int32_t h, HRGN target) {
    b.PreparePicture(w, h, target);
  }
  static HBITMAP ScaledPicture(const Ornabutton& b) { return b.ScaledPicture.get(); }
  static HRGN ShapeRegion(const Ornabutton& b) { return b.ShapeRegion.get(); }
  static HRGN InnerRegion(const Ornabutton& b) { return b.InnerRegion.get(); }
};

}  // namespace velmora
