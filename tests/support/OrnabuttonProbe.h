#pragma once
// Reaches the button's private state and drawing routines for tests and benchmarks.

#include "control/Ornabutton.h"

namespace velmora {

struct OrnabuttonProbe {
  static OrnabuttonState& State(Ornabutton& b) { return b.s; }
  static platform::UserControl& Surface(Ornabutton& b) { return b.UserControl; }
  static HDC Buffer(Ornabutton& b) { return b.s.BufferDC; }
  // How many frames the button has copied to its window.
  static int PaintCount(const Ornabutton& b) { return b.paintCount_; }
  // Every pen and brush made as asked and every fill a Rectangle: the plain way of drawing.
  static void DrawStraightforwardly(Ornabutton& b) { b.straightforwardDrawing_ = true; }

  static void FillBox(Ornabutton& b, int32_t left, int32_t top, int32_t right, int32_t bottom,
                      int32_t color) {
    b.FillBox(b.s.BufferDC, left, top, right, bottom, color, -1, 0, 0);
  }
  static void PaintFace(Ornabutton& b, int32_t base, int16_t& state, int16_t& drawLevel,
                        int32_t grad, int32_t& hover) {
    b.PaintFace(base, state, drawLevel, grad, hover);
  }
  static void BeginFacePaint(Ornabutton& b, int16_t& drawLevel) { b.BeginFacePaint(drawLevel); }
  static void PaintGradient(Ornabutton& b, int32_t from, int32_t to) { b.PaintGradient(from, to); }
  static void BuildGradientRamp(Ornabutton& b, std::vector<int32_t>& ramp, int32_t from,
                                int32_t to) {
    b.BuildGradientRamp(ramp, from, to);
  }
  static void DrawBevelFrame(Ornabutton& b, Ornabutton::Colors& colors, int32_t outerPenStyle) {
    Ornabutton::Points points{};
    b.DrawBevelFrame(points, colors, 0, outerPenStyle);
  }

  static void BuildShape(Ornabutton& b) { b.BuildShape(); }

  static void LayoutContent(Ornabutton& b, bool rebuildPicture = false) {
    b.LayoutContent(rebuildPicture);
  }
  static void PreparePicture(Ornabutton& b, int32_t w, int32_t h, HRGN target) {
    b.PreparePicture(w, h, target);
  }

  static void DrawCaption(Ornabutton& b, int32_t base, int32_t textColor, bool pushed,
                          bool modeFlag) {
    b.DrawCaption(base, textColor, pushed, modeFlag);
  }
  static void DrawPicture(Ornabutton& b, RECT box) { b.DrawPicture(box); }
  static void DrawFocusFrame(Ornabutton& b, int32_t color, bool value, bool solid) {
    Ornabutton::Points points{};
    b.DrawFocusFrame(color, value, solid, points);
  }
};

}  // namespace velmora
