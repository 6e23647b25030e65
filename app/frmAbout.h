#pragma once
// The modal About dialog: title, version and a one-line description.

#include "platform/Forms.h"

namespace velmora {

class frmAbout final : public platform::Form {
 public:
  // mainForm lends the dialog its icon.
  explicit frmAbout(const platform::Form& mainForm);

 private:
  void OnLoad() override;
  const platform::Form& mainForm_;
};

}  // namespace velmora
