#pragma once
// What the gallery renders: every look of the button on one contact sheet, or every button of a
// form design in each interaction state.

#include <memory>
#include <string>
#include <vector>

#include "tools/gallery/Sheet.h"

namespace velmora::gallery {

// The interaction states of every cell row, in sheet order.
inline constexpr const char* kStates[] = {"normal",  "hover",   "pressed",
                                          "default", "checked", "disabled"};

// A rendered sheet and the index of its cells.
struct Rendering {
  std::unique_ptr<Sheet> sheet;
  std::vector<Cell> cells;
};

// Every style (0..7) in every shape (0..8) and state, plain, with a gradient, with a picture and
// with both.
Rendering RenderCatalogue();
// Every Ornabutton of the form design in the file, in each state. Throws DesignError for a
// design that cannot be used and std::runtime_error when the file cannot be read or holds no
// Ornabutton.
Rendering RenderDesign(const std::wstring& file);

}  // namespace velmora::gallery
