#include "platform/HighContrast.h"

#include <windows.h>

#include "platform/Colors.h"

namespace velmora::platform {

namespace {

class SystemSetting final : public HighContrastSource {
 public:
  bool On() override {
    if (!known_) {
      HIGHCONTRASTW hc{};
      hc.cbSize = sizeof hc;
      on_ = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) &&
            (hc.dwFlags & HCF_HIGHCONTRASTON) != 0;
      known_ = true;
    }
    return on_;
  }
  void Forget() { known_ = false; }

 private:
  bool known_ = false, on_ = false;
};

SystemSetting g_system;
HighContrastSource* g_current = nullptr;

}  // namespace

bool HighContrastOn() {
  return (g_current ? g_current : &g_system)->On();
}

void SettingsChanged() {
  g_system.Forget();
}

HighContrastSource* SetHighContrastSource(HighContrastSource* source) {
  HighContrastSource* previous = g_current;
  g_current = source;
  return previous;
}

unsigned long DisplayColor(unsigned long ole, int role) {
  if (!(ole & kSystemColorFlag) && HighContrastOn()) return GetSysColor(role);
  return ResolveColor(static_cast<uint32_t>(ole));
}

}  // namespace velmora::platform
