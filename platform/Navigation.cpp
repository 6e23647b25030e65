// Keyboard navigation on a form: Tab and Shift+Tab in TabIndex order across the whole form,
// arrow keys within a container, access keys of user controls, and the default-button look
// that follows the focus.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/UserControl.h"

namespace velmora::platform {

void Form::FocusChanged(const Control* focused) {
  const Control* look = focused && focused->ActsAsButton() ? focused : nullptr;
  if (!look)
    for (const auto& c : controls_)
      if (c->IsDefault()) look = c.get();
  for (const auto& c : controls_)
    if (c->ActsAsButton()) c->ShowDefaultLook(c.get() == look);
}

bool Form::ArrowKey(const Control* container, WPARAM key) {
  const bool forward = key == VK_RIGHT || key == VK_DOWN;
  if (!forward && key != VK_LEFT && key != VK_UP) return false;
  std::vector<Control*> group;
  for (Control* c : TabOrder())
    if (c->Container() == container) group.push_back(c);
  const Control* focused = FocusedControl();
  const auto at = std::find(group.begin(), group.end(), focused);
  if (group.empty() || at == group.end()) return true;
  const size_t i = static_cast<size_t>(at - group.begin());
  Control* next = group[forward ? (i + 1) % group.size() : (i + group.size() - 1) % group.size()];
  SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next->hwnd()), TRUE);
  return true;
}

bool Form::AccessKey(const MSG& msg) {
  if (msg.message != WM_SYSCHAR && msg.message != WM_CHAR) return false;
  const auto key = static_cast<wchar_t>(msg.wParam);
  if (key < L' ') return false;
  if (msg.message == WM_CHAR) {
    // A plain character is an access key only where the focus takes no text.
    const LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&msg));
    if (code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE | DLGC_HASSETSEL)) return false;
  }
  for (const auto& c : controls_) {
    auto* site = dynamic_cast<UserControlSite*>(c.get());
    if (!site || !site->hwnd() || !IsWindowVisible(site->hwnd()) || !IsWindowEnabled(site->hwnd()))
      continue;
    for (wchar_t k : site->Surface().AccessKeys()) {
      if (CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(k))) !=
          CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(key))))
        continue;
      if (site->TakesFocus() && GetFocus() != site->hwnd())
        SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(site->hwnd()), TRUE);
      site->DeliverAccessKey(k);
      return true;
    }
  }
  return false;
}

Control* Form::FocusedControl() const {
  HWND focus = GetFocus();
  return focus ? FromChild(focus) : nullptr;
}

std::vector<Control*> Form::TabOrder() const {
  std::vector<Control*> order;
  for (const auto& c : controls_) {
    if (!c->TakesFocus() || !c->hwnd() || !IsWindowVisible(c->hwnd())) continue;
    bool enabled = true;
    for (const Control* up = c.get(); up && enabled; up = up->Container())
      enabled = IsWindowEnabled(up->hwnd()) != FALSE;
    if (enabled) order.push_back(c.get());
  }
  std::sort(order.begin(), order.end(),
            [](const Control* a, const Control* b) { return a->TabIndex() < b->TabIndex(); });
  return order;
}

HWND Form::NextTabStop(bool backward) const {
  const std::vector<Control*> order = TabOrder();
  if (order.empty()) return nullptr;
  const Control* current = FocusedControl();
  if (!current) return (backward ? order.back() : order.front())->hwnd();
  if (backward) {
    for (auto it = order.rbegin(); it != order.rend(); ++it)
      if ((*it)->TabIndex() < current->TabIndex()) return (*it)->hwnd();
    return order.back()->hwnd();
  }
  for (Control* c : order)
    if (c->TabIndex() > current->TabIndex()) return c->hwnd();
  return order.front()->hwnd();
}

}  // namespace velmora::platform
