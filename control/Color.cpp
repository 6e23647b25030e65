#include "control/Color.h"

#include <initializer_list>

namespace velmora {

int32_t TranslateColor(int32_t Color, SystemColorLookup systemColor) {
  if (Color < 0) return systemColor(Color & 0xFF);
  return Color;
}

int32_t ShiftColor(int32_t Color, int16_t& Amount, bool ScaleBlue, bool AvoidExtremes,
                   bool Invert) {
  // Amounts of 255 or more could flip between black and white for ever; a few tries settle
  // every amount below that.
  for (int attempt = 0;; ++attempt) {
    int32_t R = Color & 0xFF;
    int32_t G = (Color / 0x100) & 0xFF;
    int32_t B = (Color / 0x10000) & 0xFF;
    R += Amount;
    G += Amount;
    B += ScaleBlue ? (Amount * B) / 192 : Amount;  // C++ division truncates toward zero
    for (int32_t* channel : {&R, &G, &B}) {
      if (*channel > 255) *channel = 255;
      if (*channel < 0) *channel = 0;
      if (Invert) *channel = 255 - *channel;
    }
    const int32_t result = R + G * 256 + B * 65536;
    if (!AvoidExtremes || (result != 0x000000 && result != 0xFFFFFF) || attempt == 3) return result;
    Amount = static_cast<int16_t>(-Amount);
    if (Amount == 0) Amount = 64;
  }
}

}  // namespace velmora
