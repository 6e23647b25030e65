// Fuzz target: any bytes as a form design, and as arguments of the colour arithmetic. A design that is accepted must write out and read
// back to the same design, and every stored property must read as every type without
// anything but the bag's own errors.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "control/Color.h"
#include "platform/DesignFile.h"
#include "platform/PropertyBag.h"

using namespace velmora::platform;

namespace {

void ReadEveryWay(const PropertyBag& bag) {
  for (const std::string& key : bag.Keys()) {
    try { (void)bag.ReadString(key, ""); } catch (const PropertyError&) {}
    try { (void)bag.ReadLong(key, 0); } catch (const PropertyError&) {}
    try { (void)bag.ReadInteger(key, 0); } catch (const PropertyError&) {}
    try { (void)bag.ReadBoolean(key, false); } catch (const PropertyError&) {}
    try { (void)bag.ReadFont(key); } catch (const PropertyError&) {}
    try { (void)bag.ReadPicture(key); } catch (const PropertyError&) {}
  }
}

int32_t NoSystemColor(int index) { return index * 0x010101; }

// The colour arithmetic on the same bytes: every result is an RGB value, and a shift that avoids
// extremes ends on neither black nor white while the amount stays within 127 either way (the
// program uses -104 to +48; from 128 on, a mid grey can hit black one way and white the other).
void CheckColors(const uint8_t* data, size_t size) {
  if (size < 8) return;
  int32_t color = 0;
  int16_t amount = 0;
  std::memcpy(&color, data, 4);
  std::memcpy(&amount, data + 4, 2);
  const bool small = amount >= -127 && amount <= 127;
  const uint8_t flags = data[6];
  const int32_t rgb = velmora::ShiftColor(velmora::TranslateColor(color, &NoSystemColor), amount,
                                          flags & 1, flags & 2, flags & 4);
  if (rgb < 0 || rgb > 0xFFFFFF) std::abort();
  if ((flags & 2) && small && !(flags & 4) && (rgb == 0 || rgb == 0xFFFFFF)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckColors(data, size);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  FormDesign design;
  try {
    design = ParseFormDesign(text, "Fuzz.json");
  } catch (const DesignError&) {
    return 0;
  }
  for (const ControlDesign& c : design.controls) ReadEveryWay(c.properties);
  const FormDesign again = ParseFormDesign(WriteFormDesign(design), "Fuzz.json");
  if (!(again == design)) std::abort();  // a design must survive being written
  return 0;
}
