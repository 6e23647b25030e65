#pragma once
// A soak of the button: redraws in every look, shape, state and picture, resizes, property
// changes, and buttons made and destroyed (option buttons among them); and the GDI headroom
// that tells whether any drawing object was lost on the way.

#include <cstdint>
#include <span>

namespace velmora {
class Ornabutton;
}

namespace velmora::test {

// An interaction state a redraw can meet: what the pointer, the left button and the dialog
// manager set, and the mode, value and enabled state.
struct Interaction {
  bool hovering, pressed, isDefault;
  int32_t mode;
  bool value;
  bool enabled;
};
// Normal, default, hot, pressed, checked, option, disabled.
std::span<const Interaction> Interactions();
// Puts the button in that state and redraws it once, as a rendering tool would.
void Apply(Ornabutton& b, const Interaction& i);

struct SoakSize {
  int redraws = 0;
  int resizes = 0;
  int propertyChanges = 0;
  int buttons = 0;  // made and destroyed, in forms of 25
};

// Runs the soak on forms of its own, which are gone when it returns. The button class must be
// registered.
void RunSoak(const SoakSize& size);

// How many more pens the process can make: a leak of any GDI object shrinks it.
int GdiHeadroom();

}  // namespace velmora::test
