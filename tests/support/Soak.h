#pragma once
// A soak of the button: redraws in every look, shape, state and picture, resizes, property
// changes, and buttons made and destroyed (option buttons among them); and the GDI headroom
// that tells whether any drawing object was lost on the way.

namespace velmora::test {

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
