#pragma once
// The user's high-contrast setting. Programs read it through a replaceable source: tests put
// one of their own in its place, since not every system lets a program switch the setting on.

namespace velmora::platform {

class HighContrastSource {
 public:
  virtual ~HighContrastSource() = default;
  virtual bool On() = 0;
};

// Whether high contrast is on, as the current source says. The system's answer is kept until
// SettingsChanged: painting asks on every redraw.
bool HighContrastOn();
// The system's settings changed (the forms hear of it first): the setting is read again.
void SettingsChanged();

// Replaces the source; nullptr puts the system's setting back. Returns the previous one
// (nullptr for the system's).
HighContrastSource* SetHighContrastSource(HighContrastSource* source);

// The colour a form, frame, label or line shows for its stored OLE colour: the stored one, or,
// in high contrast, the system colour of the same role when the design fixed a colour of its
// own. `role` is a COLOR_ index (COLOR_BTNFACE for backgrounds, COLOR_BTNTEXT for text).
unsigned long DisplayColor(unsigned long ole, int role);

}  // namespace velmora::platform
