#pragma once
// The message-box service. Programs show boxes through it; tests put a recorder in its place
// to read what would have been shown.

#include <windows.h>

#include <string>

namespace velmora::platform {

struct MessageBoxRequest {
  HWND owner = nullptr;
  std::wstring text;
  std::wstring title;
  UINT flags = MB_OK;
};

class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  // Returns the button pressed (IDOK, ...).
  virtual int Show(const MessageBoxRequest& request) = 0;
};

// Shows a box through the current service.
int ShowMessage(const MessageBoxRequest& request);

// Replaces the service; nullptr puts the system's message box back. Returns the previous one
// (nullptr for the system's).
MessageBoxService* SetMessageBoxService(MessageBoxService* service);

}  // namespace velmora::platform
