#pragma once
// The named values of the button's enumerated properties. The state record keeps them as the
// stored numbers, which may be anything a design holds; these names and predicates are how the
// code compares them. A scoped enum over int32_t holds every stored number, so an out-of-range
// value converts, compares by order and falls into no named case, as it always has.

#include <cstdint>

namespace velmora {

// ButtonStyle: the eight looks, each painted by the painter of the same name.
enum class Look : int32_t {
  RaisedBevel = 0,
  FramedBevel = 1,
  RoundedHotTrack = 2,
  EtchedFlat = 3,
  ThinBevel = 4,
  FlatHotTrack = 5,
  SoftBevel = 6,
  RoundedFramed = 7,
};

// ButtonShape: the window outlines.
enum class Shape : int32_t {
  Rectangle = 0,
  SlantedLeft = 1,
  SlantedRight = 2,
  SlantedBoth = 3,
  Ellipse = 4,          // ringed
  EllipseBare = 5,      // ringed; shows its caption only when Value is set
  EllipseOutlined = 6,  // a black outline instead of rings
  Picture = 7,          // the opaque part of the picture, framed in the back colour
  PictureRinged = 8,    // the same with a bevel ring
};

// The four-sided shapes with the left or right edge (or both) slanted.
constexpr bool IsSlanted(Shape s) {
  return s >= Shape::SlantedLeft && s <= Shape::SlantedBoth;
}
constexpr bool SlantsLeft(Shape s) {
  return s == Shape::SlantedLeft || s == Shape::SlantedBoth;
}
constexpr bool SlantsRight(Shape s) {
  return s == Shape::SlantedRight || s == Shape::SlantedBoth;
}
constexpr bool IsEllipse(Shape s) {
  return s >= Shape::Ellipse && s <= Shape::EllipseOutlined;
}
// The shapes cut out of the picture.
constexpr bool IsPictureShape(Shape s) {
  return s == Shape::Picture || s == Shape::PictureRinged;
}
// The four-sided shapes, which get the style's bevel rings; a stored value below 0 counts as
// one of them.
constexpr bool HasBevelRings(Shape s) {
  return s <= Shape::SlantedBoth;
}

// Mouse buttons as the input notifications give them; LastButton also holds
// kSecondPressOfDoubleClick, a press that brings no click.
inline constexpr int16_t kLeftButton = 1;
inline constexpr int16_t kSecondPressOfDoubleClick = -1;

// Mode: how a click behaves.
enum class ClickMode : int32_t {
  CommandButton = 0,
  CheckBox = 1,      // each click toggles Value
  OptionButton = 2,  // one Value set per container
};

// CustomClick: the direction the window moves while a command button is held down.
enum class ClickShift : int32_t {
  None = 0,
  Up = 1,
  UpRight = 2,
  UpLeft = 3,
  DownRight = 4,
  DownLeft = 5,
  Right = 6,
  Down = 7,
  Left = 8,
};

// PictureAlign: where the picture goes.
enum class PicturePlace : int32_t {
  LeftEdge = 0,
  LeftOfCaption = 1,
  RightEdge = 2,
  RightOfCaption = 3,
  TopCentre = 4,
  BottomCentre = 5,
};

constexpr bool IsStacked(PicturePlace p) {
  return p == PicturePlace::TopCentre || p == PicturePlace::BottomCentre;
}

// PictureSize: the picture box, 16 to 32 pixels beside the caption, stretched over the face,
// or fitted into it. PicturePixels keeps the box's edge in pixels.
enum class PictureBox : int32_t {
  Small16 = 0,
  Small24 = 1,
  Small32 = 2,
  Stretched = 3,
  Fitted = 4,
};

constexpr int16_t PixelsOf(PictureBox box) {
  return static_cast<int16_t>((static_cast<int32_t>(box) + 2) * 8);
}
inline constexpr int16_t kLargestSmallPicturePixels = PixelsOf(PictureBox::Small32);
inline constexpr int16_t kStretchedPicturePixels = PixelsOf(PictureBox::Stretched);
inline constexpr int16_t kFittedPicturePixels = PixelsOf(PictureBox::Fitted);

// GradientMode: the direction from the face colour to the gradient colour.
enum class GradientDirection : int32_t {
  None = 0,
  LeftToRight = 1,
  RightToLeft = 2,
  TopToBottom = 3,
  BottomToTop = 4,
};

// CaptionAlign and CaptionStyle.
enum class CaptionPlace : int32_t { Left = 0, Right = 1, Centre = 2 };
enum class CaptionRelief : int32_t { Flat = 0, Embossed = 1, Engraved = 2 };

// HoverColorLocks: which hover colours follow the normal ones.
enum class HoverLocks : int32_t {
  BothFollow = 0,
  CaptionFollows = 1,
  FaceFollows = 2,
  NoneFollow = 3
};
constexpr bool FaceFollows(HoverLocks l) {
  return l == HoverLocks::BothFollow || l == HoverLocks::FaceFollows;
}
constexpr bool CaptionFollows(HoverLocks l) {
  return l == HoverLocks::BothFollow || l == HoverLocks::CaptionFollows;
}

}  // namespace velmora
