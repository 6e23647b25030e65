#pragma once
// The gallery's command line.

#include <optional>
#include <string>
#include <vector>

namespace velmora::gallery {

struct Options {
  bool help = false;
  std::wstring design;  // a form design to render; empty: every style in every shape
  std::wstring out;     // the PNG sheet; its index goes beside it
  bool highContrast = false;  // render as in a black high-contrast scheme
};

inline constexpr char kUsage[] =
    "usage: gallery --out SHEET.png\n"
    "         every style in every shape and state, one contact sheet\n"
    "       gallery --design FILE.json --out SHEET.png\n"
    "         every Ornabutton of a form design, in every state\n"
    "With --high-contrast the buttons are rendered as with the system's high-contrast\n"
    "setting on, in a black high-contrast colour scheme.\n"
    "The index of the cells (control, state, rectangle) is written beside the sheet as\n"
    "SHEET.json.\n";

// The options, or the reason the arguments (without the program name) are refused.
struct Parsed {
  std::optional<Options> options;
  std::string error;
};
Parsed ParseArguments(const std::vector<std::wstring>& args);

// SHEET.png -> SHEET.json
std::wstring IndexPathFor(const std::wstring& sheet);

}  // namespace velmora::gallery
