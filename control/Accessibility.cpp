// What the button tells screen readers: its role by mode, its caption as name, its states,
// its access key and its default action, which clicks it through its own click logic.
#include <windows.h>
#include <oleacc.h>

#include <cwctype>

#include "control/Ornabutton.h"

namespace velmora {

namespace {

// The caption as it reads: access-key markers dropped ("&&" is one "&"), line breaks as
// spaces.
std::wstring ReadableCaption(const std::wstring& caption) {
  std::wstring out;
  for (size_t i = 0; i < caption.size(); ++i) {
    const wchar_t c = caption[i];
    if (c == L'&') {
      if (i + 1 < caption.size() && caption[i + 1] == L'&') {
        out += L'&';
        ++i;
      }
      continue;
    }
    if (c == L'|' && i + 1 < caption.size() && caption[i + 1] == L'|') {
      out += L' ';
      ++i;
      continue;
    }
    out += c;
  }
  std::wstring collapsed;
  for (wchar_t c : out) {
    const bool space = std::iswspace(c) != 0;
    if (space && (collapsed.empty() || collapsed.back() == L' ')) continue;
    collapsed += space ? L' ' : c;
  }
  while (!collapsed.empty() && collapsed.back() == L' ') collapsed.pop_back();
  return collapsed;
}

}  // namespace

long Ornabutton::AccessibleState() const {
  long state = STATE_SYSTEM_FOCUSABLE;
  if (UserControl.HasFocus()) state |= STATE_SYSTEM_FOCUSED;
  if (s.StateFlags & ButtonDown) state |= STATE_SYSTEM_PRESSED;
  if (Checked()) state |= STATE_SYSTEM_CHECKED;
  if ((s.StateFlags & Default) || UserControl.Ambient().DisplayAsDefault) state |= STATE_SYSTEM_DEFAULT;
  if (!UserControl.Enabled()) state |= STATE_SYSTEM_UNAVAILABLE;
  if (s.Hovering) state |= STATE_SYSTEM_HOTTRACKED;
  if (!IsWindowVisible(hwnd())) state |= STATE_SYSTEM_INVISIBLE;
  return state;
}

bool Ornabutton::Describe(platform::AccessibleDescription& d) {
  d.role = clickMode() == ClickMode::CheckBox       ? ROLE_SYSTEM_CHECKBUTTON
           : clickMode() == ClickMode::OptionButton ? ROLE_SYSTEM_RADIOBUTTON
                                                    : ROLE_SYSTEM_PUSHBUTTON;
  d.name = ReadableCaption(s.Caption);
  d.state = AccessibleState();
  const std::wstring& keys = UserControl.AccessKeys();
  if (!keys.empty()) d.keyboardShortcut = std::wstring(L"Alt+") + static_cast<wchar_t>(std::towupper(keys[0]));
  d.defaultAction = IsCommandButton()                        ? L"Press"
                    : clickMode() == ClickMode::OptionButton ? L"Select"
                    : s.Value                                ? L"Uncheck"
                                                             : L"Check";
  return true;
}

void Ornabutton::DoDefaultAction() {
  s.LastButton = kLeftButton;
  RunClickLogic();
}

void Ornabutton::AnnounceState() {
  if (!hwnd()) return;
  const long state = AccessibleState();
  if (state == announcedState_) return;
  announcedState_ = state;
  platform::NotifyStateChange(hwnd());
}

}  // namespace velmora
