// Window shapes and regions (filled in with the shapes work).
#include "control/Ornabutton.h"

namespace velmora {

void Ornabutton::BuildShape() {}

}  // namespace velmora
