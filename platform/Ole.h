#pragma once
// OLE on the user-interface thread, started when something first needs it (pictures, drop
// targets, the objects screen readers ask for), so that a start that needs none of them does
// not pay for it.

namespace velmora::platform {

// Starts OLE on this thread the first time; later calls do nothing.
void UseOle();
// Ends OLE if UseOle started it; the program calls it once, at its end.
void EndOle();

}  // namespace velmora::platform
