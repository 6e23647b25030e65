// Fuzz target: any bytes as a form design. A design that is accepted must write out and read
// back to the same design, and every stored property must read as every type without
// anything but the bag's own errors.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
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
