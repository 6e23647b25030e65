#include "platform/MessageBox.h"

namespace velmora::platform {

namespace {

class SystemMessageBoxes final : public MessageBoxService {
 public:
  int Show(const MessageBoxRequest& r) override {
    return MessageBoxW(r.owner, r.text.c_str(), r.title.c_str(), r.flags);
  }
};

SystemMessageBoxes g_system;
MessageBoxService* g_current = nullptr;

}  // namespace

int ShowMessage(const MessageBoxRequest& request) {
  return (g_current ? g_current : &g_system)->Show(request);
}

MessageBoxService* SetMessageBoxService(MessageBoxService* service) {
  MessageBoxService* previous = g_current;
  g_current = service;
  return previous;
}

}  // namespace velmora::platform
