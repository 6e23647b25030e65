#pragma once
// The button's colour arithmetic: OLE colour to RGB, and brightening or darkening. Pure
// functions with no Windows header; the system colours come from a lookup the caller gives.

#include <cstdint>

namespace velmora {

// The RGB value (0x00BBGGRR) of system colour number `index`.
using SystemColorLookup = int32_t (*)(int index);

// A colour below 0 (0x800000nn) is system colour nn; any other value is returned unchanged.
int32_t TranslateColor(int32_t Color, SystemColorLookup systemColor);

// Adds Amount to each channel (to blue in proportion to its value with ScaleBlue), clamps to
// 0..255 and, with Invert, mirrors each channel. With AvoidExtremes a result of pure black or
// white is retried with the amount negated (64 when that is 0), and the amount used is written
// back to the caller.
int32_t ShiftColor(int32_t Color, int16_t& Amount, bool ScaleBlue, bool AvoidExtremes, bool Invert);

}  // namespace velmora
