// The eight style painters (filled in with the looks work); until then nothing is drawn.
#include "control/Ornabutton.h"

namespace velmora {

void Ornabutton::RaisedBevel(Points&, Colors&, int16_t&, int16_t& DrawLevel) { DrawLevel = 0; }
void Ornabutton::FramedBevel(Points&, Colors&, int16_t&, int16_t& DrawLevel) { DrawLevel = 0; }
void Ornabutton::RoundedHotTrack(Points&, Colors&, int16_t&, int16_t& DrawLevel) { DrawLevel = 0; }
void Ornabutton::EtchedFlat(Points&, Colors&, int16_t&, int16_t& DrawLevel) { DrawLevel = 0; }
void Ornabutton::ThinBevel(Points&, Colors&, int16_t&, int16_t& DrawLevel) { DrawLevel = 0; }
void Ornabutton::FlatHotTrack(Points&, Colors&, int16_t&, int16_t& DrawLevel) { DrawLevel = 0; }
void Ornabutton::SoftBevel(Points&, Colors&, int16_t&, int16_t& DrawLevel) { DrawLevel = 0; }
void Ornabutton::RoundedFramed(Points&, Colors&, int16_t&, int16_t& DrawLevel) { DrawLevel = 0; }

}  // namespace velmora
