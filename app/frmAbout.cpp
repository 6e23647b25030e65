#include "app/frmAbout.h"

#include "platform/Application.h"
#include "platform/Controls.h"

namespace velmora {

using platform::App;

frmAbout::frmAbout(const platform::Form& mainForm) : Form(L"frmAbout"), mainForm_(mainForm) {}

void frmAbout::OnLoad() {
  SetIcon(mainForm_.Icon());
  SetCaption(L"About " + App().Title());
  Get<platform::Label>("lblVersion")
      .SetCaption(L"Version " + std::to_wstring(App().Major()) + L"." +
                  std::to_wstring(App().Minor()) + L"." + std::to_wstring(App().Revision()));
  Get<platform::Label>("lblTitle").SetCaption(App().Title());
  Get<platform::CommandButton>("cmdOK").SetOnClick([this] { Unload(); });
}

}  // namespace velmora
