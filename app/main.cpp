// Corvane.exe: starts the forms runtime with the main window.
#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "app/Form1.h"
#include "app/ModReg.h"
#include "platform/Application.h"
#include "platform/Forms.h"
#include "platform/MessageBox.h"
#include "platform/MessageLoop.h"
#include "platform/Ole.h"
#include "platform/StartupTrace.h"
#include "platform/SystemLibrary.h"
#include "platform/Text.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  velmora::platform::StartupTrace::Mark("process start to main");
  // Before anything can load a DLL: nothing is ever loaded from the program's own folder.
  velmora::platform::SearchDllsInSystemFolderOnly();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  if (const auto init = velmora::platform::SystemFunction<decltype(::InitCommonControlsEx)>(
          L"comctl32.dll", "InitCommonControlsEx"))
    init(&controls);
  velmora::platform::StartupTrace::Mark("common controls");
  using namespace velmora;
  RegistryAdKeyStore adKey(HKEY_CURRENT_USER);
  Form1 mainWindow(adKey, platform::App().Path());
  try {
    mainWindow.Show();
  } catch (const std::exception& e) {
    platform::ShowMessage({nullptr, L"Velmora cannot start: " + platform::Widen(e.what()),
                           platform::App().Title(), MB_OK | MB_ICONERROR});
    return 1;
  }
  const int exitCode = platform::RunMessageLoop();
  platform::EndOle();
  return exitCode;
}
