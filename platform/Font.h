#pragma once
// A font as forms and controls describe it: name, size in points, weight, character set and
// styles. No Windows header.

#include <cstdint>
#include <string>

namespace velmora::platform {

struct FontDesign {
  std::string name = "MS Sans Serif";
  double size = 8.25;  // points
  int32_t weight = 400;
  int32_t charset = 0;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;

  // Bold is a weight above the middle of the scale; setting it picks 700 or 400.
  bool Bold() const { return weight > 550; }
  void SetBold(bool bold) { weight = bold ? 700 : 400; }
  bool operator==(const FontDesign&) const = default;
};

}  // namespace velmora::platform
