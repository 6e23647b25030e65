// Mouse, keys, access keys, focus and container changes; how a press becomes a Click in each
// mode; the option groups kept on the container window; the events raised to the container.
#include <windows.h>

#include <cwchar>
#include <cwctype>
#include <string>
#include <unordered_set>
#include <utility>

#include "control/HoverTimer.h"
#include "control/Ornabutton.h"

namespace velmora {

namespace {

constexpr char kOptCount[] = "orn_OptCount";

std::string ObjKey(int32_t i) { return "orn_Obj" + std::to_string(i); }

std::unordered_set<const Ornabutton*>& LiveControls() {
  static std::unordered_set<const Ornabutton*> live;
  return live;
}

int32_t CountOn(HWND container) {
  return static_cast<int32_t>(reinterpret_cast<intptr_t>(GetPropA(container, kOptCount)));
}

Ornabutton* EntryOn(HWND container, int32_t i) {
  return static_cast<Ornabutton*>(GetPropA(container, ObjKey(i).c_str()));
}

bool SameText(const std::string& a, const char* b) {
  return _stricmp(a.c_str(), b) == 0;
}

}  // namespace

void Ornabutton::Register() {
  platform::RegisterUserControlClass(
      kClassName,
      [](platform::UserControl& surface) { return std::make_unique<Ornabutton>(surface); },
      /*defaultCancel=*/true);
}

Ornabutton::Ornabutton(platform::UserControl& surface) : UserControl(surface) {
  LiveControls().insert(this);
}

Ornabutton::~Ornabutton() {
  Terminate();
  LiveControls().erase(this);
}

void Ornabutton::SetEvents(OrnabuttonEvents* events) {
  events_ = events;
  UserControl.AcceptDrops(events && events->TakesDrops());
}

bool Ornabutton::IsLive(const Ornabutton* control) {
  return control && LiveControls().count(control) != 0 && !control->released_;
}

HWND Ornabutton::ContainerWindow() const {
  // The container's handle is kept as decimal text in the surface's Tag.
  const auto handle = reinterpret_cast<HWND>(
      static_cast<uintptr_t>(std::wcstoull(UserControl.Tag().c_str(), nullptr, 10)));
  return IsWindow(handle) ? handle : nullptr;
}

// ---- Mouse ----

void Ornabutton::MouseDown(int16_t Button, int16_t Shift, float X, float Y) {
  s.LastButton = Button;
  if (Button == kLeftButton) {
    // A press the Space key holds becomes the mouse's: its release clicks, Space's does not.
    spacePressed_ = false;
    s.StateFlags = static_cast<int16_t>(s.StateFlags | ButtonDown);
    s.PressHeld = true;
    s.DrawingDelayed = false;
    ShowInteraction();
    SetCapture(hwnd());
  }
  Raise([&](OrnabuttonEvents& e) { e.MouseDown(Button, Shift, X, Y); });
}

void Ornabutton::MouseMove(int16_t Button, int16_t Shift, float X, float Y) {
  if (!s.Hovering) {
    POINT p;
    if (GetCursorPos(&p) && WindowFromPoint(p) == hwnd()) {
      s.StateFlags = static_cast<int16_t>(s.StateFlags | MouseOver);
      bool onButton = true;
      Raise([&](OrnabuttonEvents& e) { e.MouseOnButton(onButton); });
      // Failures to start the tracking are ignored; the move is raised all the same.
      SetPropA(hwnd(), kHoverClassProperty, this);
      SetPropA(hwnd(), kHoverTimerProperty, reinterpret_cast<HANDLE>(kHoverTimerId));
      SetTimer(hwnd(), kHoverTimerId, kHoverTimerPeriod, &HoverTimerProc);
      s.Hovering = true;
      s.DrawingDelayed = false;
      if (Button == kLeftButton) s.PressHeld = true;
      ShowInteraction();
    }
  }
  Raise([&](OrnabuttonEvents& e) { e.MouseMove(Button, Shift, X, Y); });
}

void Ornabutton::MouseUp(int16_t Button, int16_t Shift, float X, float Y) {
  s.PressHeld = false;
  if (Button == kLeftButton) {
    ReleaseCapture();
    s.StateFlags = static_cast<int16_t>(s.StateFlags & ~ButtonDown);
    s.DrawingDelayed = false;
    spacePressed_ = false;
    // In check and option modes the redraw comes with the change of Value on the click; the
    // second press of a double click brings no click.
    if (IsCommandButton() || s.LastButton != kLeftButton) {
      ShowInteraction();
    } else {
      AnnounceState();
    }
  }
  Raise([&](OrnabuttonEvents& e) { e.MouseUp(Button, Shift, X, Y); });
  s.LastButton = Button;
}

void Ornabutton::RunClickLogic() {
  if (s.LastButton != kLeftButton) return;
  if (clickMode() == ClickMode::CheckBox || clickMode() == ClickMode::OptionButton) {
    if (clickMode() == ClickMode::OptionButton && s.Value) {
      // Nothing changes, but the look of the press that led here has to go.
      RedrawButton();
      return;
    }
    SetValue(!s.Value);
  }
  Raise([](OrnabuttonEvents& e) { e.Click(); });
}

void Ornabutton::Click() { RunClickLogic(); }

void Ornabutton::DblClick() {
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(hwnd(), &p);
  int16_t button = s.LastButton;
  Raise([&](OrnabuttonEvents& e) { e.DoubleClick(button); });
  if (s.LastButton == kLeftButton) {
    // The second press shows pressed and raises MouseDown like the first.
    MouseDown(kLeftButton, 0, static_cast<float>(p.x), static_cast<float>(p.y));
    s.LastButton = kSecondPressOfDoubleClick;
  } else {
    int16_t b = kLeftButton, shift = 0;
    float x = static_cast<float>(p.x), y = static_cast<float>(p.y);
    Raise([&](OrnabuttonEvents& e) { e.MouseDown(b, shift, x, y); });
  }
}

// ---- Hover end ----

void Ornabutton::CheckHoverEnd(UINT_PTR TimerId) {
  POINT p;
  if (GetCursorPos(&p) && WindowFromPoint(p) == hwnd()) return;
  KillTimer(hwnd(), TimerId);
  s.StateFlags = static_cast<int16_t>(s.StateFlags & ~MouseOver);
  s.Hovering = false;
  s.DrawingDelayed = false;
  bool onButton = false;
  Raise([&](OrnabuttonEvents& e) { e.MouseOnButton(onButton); });
  s.PressHeld = false;
  ShowInteraction();
}

void Ornabutton::StopHoverTracking() {
  HWND own = hwnd();
  if (!own) return;
  if (s.Hovering) KillTimer(own, kHoverTimerId);
  s.Hovering = false;
  RemovePropA(own, kHoverClassProperty);
  RemovePropA(own, kHoverTimerProperty);
}

// ---- Keyboard ----

void Ornabutton::KeyDown(int16_t& KeyCode, int16_t& Shift) {
  LPARAM arrow = 0;
  switch (KeyCode) {
    case VK_RIGHT: arrow = 0x4D0001; break;
    case VK_DOWN: arrow = 0x500001; break;
    case VK_LEFT: arrow = 0x4B0001; break;
    case VK_UP: arrow = 0x480001; break;
    case VK_SPACE:
      if (!(s.StateFlags & ButtonDown)) {
        // Drawn pressed inside; afterwards MouseOver stays only if the pointer is there.
        s.StateFlags = static_cast<int16_t>(s.StateFlags | MouseOver | ButtonDown);
        s.PressHeld = true;
        spacePressed_ = true;
        ShowInteraction();
        if (!s.Hovering) {
          s.StateFlags = static_cast<int16_t>(s.StateFlags & ~MouseOver);
          // No longer pressed inside: a CustomClick button goes back home at once.
          ApplyClickOffset();
        }
      }
      break;
  }
  if (arrow) {
    const int16_t key = KeyCode;
    KeyCode = 0;
    PostMessageA(ContainerWindow(), WM_KEYDOWN, static_cast<WPARAM>(key), arrow);
    return;
  }
  if (KeyCode != 0) Raise([&](OrnabuttonEvents& e) { e.KeyDown(KeyCode, Shift); });
}

void Ornabutton::KeyPress(int16_t& KeyAscii) {
  Raise([&](OrnabuttonEvents& e) { e.KeyPress(KeyAscii); });
}

void Ornabutton::KeyUp(int16_t& KeyCode, int16_t& Shift) {
  s.PressHeld = false;
  // Only a Space press that pressed the button clicks at its release; one tapped while the
  // mouse holds the button is an ordinary key, the mouse's release clicks.
  if (KeyCode == VK_SPACE && std::exchange(spacePressed_, false) && (s.StateFlags & ButtonDown)) {
    s.StateFlags = static_cast<int16_t>(s.StateFlags & ~ButtonDown);
    s.LastButton = kLeftButton;
    if (IsCommandButton()) {
      ShowInteraction();
    } else {
      AnnounceState();
      Raise([&](OrnabuttonEvents& e) { e.KeyUp(KeyCode, Shift); });
      KeyCode = 0;
    }
    RunClickLogic();
  } else if (KeyCode == VK_RIGHT || KeyCode == VK_DOWN || KeyCode == VK_LEFT || KeyCode == VK_UP) {
    KeyCode = 0;
    // The option button that receives the arrow's release selects itself.
    if (clickMode() == ClickMode::OptionButton && !s.Value) {
      s.LastButton = kLeftButton;
      RunClickLogic();
    }
  } else if (KeyCode == VK_SHIFT) {
    KeyCode = 0;
  }
  if (KeyCode != 0) Raise([&](OrnabuttonEvents& e) { e.KeyUp(KeyCode, Shift); });
}

void Ornabutton::AccessKeyPress(int16_t& KeyAscii) {
  const bool enterOrEsc = KeyAscii == VK_ESCAPE || KeyAscii == VK_RETURN;
  if (enterOrEsc && (clickMode() == ClickMode::CheckBox || clickMode() == ClickMode::OptionButton))
    return;
  if (!enterOrEsc && !(s.StateFlags & Default)) RedrawButton();
  s.LastButton = kLeftButton;
  RunClickLogic();
}

// ---- Focus, painting, container ----

void Ornabutton::GotFocus() {
  AnnounceState();
  if (clickMode() != ClickMode::OptionButton || s.Value) return;
  bool found = false;
  UpdateOptionGroup(GroupAction::FindSelected, found);
  if (!found) {
    s.LastButton = kLeftButton;
    RunClickLogic();
  }
}

void Ornabutton::Paint() {
  s.DrawingDelayed = false;
  RedrawButton();
}

void Ornabutton::AmbientChanged(const std::string& PropertyName) {
  if (SameText(PropertyName, "DisplayAsDefault")) {
    const bool isDefault =
        UserControl.Ambient().DisplayAsDefault && (s.ShowFocusRect || DesignMode());
    s.StateFlags = static_cast<int16_t>(isDefault ? (s.StateFlags | Default) : (s.StateFlags & ~Default));
    AnnounceState();
    if (shape() >= Shape::Picture && DesignMode()) {
      // The designer sees the default picture button outlined as under the pointer.
      s.Hovering = isDefault;
      RedrawButton();
      s.Hovering = false;
    } else {
      RedrawButton();
    }
  } else if (SameText(PropertyName, "BackColor")) {
    s.ContainerBackColor = Translate(UserControl.Ambient().BackColor);
    if (!HasBevelRings(shape()) || look() == Look::FlatHotTrack) RedrawButton();
  }
}

// ---- Option groups ----

void Ornabutton::UpdateOptionGroup(GroupAction Action, bool& Found) {
  Found = false;
  HWND container = ContainerWindow();
  if (!container) return;
  const int32_t count = CountOn(container);
  // Whatever the action, a button that is True clears the others of its group.
  if ((Action == GroupAction::Join || count > 0) && s.Value) {
    for (int32_t i = 1; i <= count; ++i) {
      Ornabutton* other = EntryOn(container, i);
      if (other == this) continue;
      if (!IsLive(other)) return;  // an entry that names no live button ends the routine
      other->SetValue(false);
    }
  }
  switch (Action) {
    case GroupAction::Join:
      SetPropA(container, kOptCount, reinterpret_cast<HANDLE>(static_cast<intptr_t>(count + 1)));
      SetPropA(container, ObjKey(count + 1).c_str(), this);
      break;
    case GroupAction::Leave:
      LeaveOptionGroup();
      break;
    case GroupAction::FindSelected:
      for (int32_t i = 1; i <= count; ++i) {
        Ornabutton* entry = EntryOn(container, i);
        if (!IsLive(entry)) return;
        if (entry->Value()) {
          Found = true;
          return;
        }
      }
      break;
    case GroupAction::Selected:
      break;
  }
}

void Ornabutton::LeaveOptionGroup() {
  HWND container = ContainerWindow();
  if (!container) return;
  const int32_t count = CountOn(container);
  // Only a registered button can leave; the later entries move down one place.
  bool found = false;
  for (int32_t i = 1; i <= count; ++i) {
    Ornabutton* entry = EntryOn(container, i);
    if (found) SetPropA(container, ObjKey(i - 1).c_str(), entry);
    if (entry == this) found = true;
  }
  if (!found) return;
  RemovePropA(container, ObjKey(count).c_str());
  if (count == 1) {
    RemovePropA(container, kOptCount);
  } else {
    SetPropA(container, kOptCount, reinterpret_cast<HANDLE>(static_cast<intptr_t>(count - 1)));
  }
}

// ---- OLE drag and drop: raised as they come ----

void Ornabutton::OLECompleteDrag(int32_t& Effect) {
  Raise([&](OrnabuttonEvents& e) { e.OLECompleteDrag(Effect); });
}

void Ornabutton::OLEDragDrop(platform::DataObject& Data, int32_t& Effect, int16_t& Button,
                             int16_t& Shift, float& X, float& Y) {
  Raise([&](OrnabuttonEvents& e) { e.OLEDragDrop(Data, Effect, Button, Shift, X, Y); });
}

void Ornabutton::OLEDragOver(platform::DataObject& Data, int32_t& Effect, int16_t& Button,
                             int16_t& Shift, float& X, float& Y, int16_t& State) {
  Raise([&](OrnabuttonEvents& e) { e.OLEDragOver(Data, Effect, Button, Shift, X, Y, State); });
}

void Ornabutton::OLEGiveFeedback(int32_t& Effect, bool& DefaultCursors) {
  Raise([&](OrnabuttonEvents& e) { e.OLEGiveFeedback(Effect, DefaultCursors); });
}

void Ornabutton::OLESetData(platform::DataObject& Data, int16_t& DataFormat) {
  Raise([&](OrnabuttonEvents& e) { e.OLESetData(Data, DataFormat); });
}

void Ornabutton::OLEStartDrag(platform::DataObject& Data, int32_t& AllowedEffects) {
  Raise([&](OrnabuttonEvents& e) { e.OLEStartDrag(Data, AllowedEffects); });
}

}  // namespace velmora
