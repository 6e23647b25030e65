// The start-up peer: Corvane.exe's main window as a Win32 engineer would write it with the
// system's own controls. Same client size, font and manifest; the same controls at the same
// places, from a table made of the main window's design file: group boxes for the frames,
// check boxes, push buttons for the four buttons, and the status strip's two labels. Its
// message loop runs the dialog manager's keyboard handling.
#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <cstring>
#include <initializer_list>

#include "Form1Table.h"
#include "platform/StartupTrace.h"

namespace {

using namespace velmora::design;
namespace Trace = velmora::platform::StartupTrace;

int g_dpi = 96;
HBRUSH g_windowBrush = nullptr;  // the first status label has the window colour behind it

// The program's rounding: half a pixel rounds up.
int Pixels(int twips) { return static_cast<int>(std::floor(twips * g_dpi / 1440.0 + 0.5)); }

bool Is(const ControlRow& row, const char* kind) { return std::strcmp(row.kind, kind) == 0; }

LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CTLCOLORSTATIC:
      if (GetDlgCtrlID(reinterpret_cast<HWND>(lp)) == 101) {  // the row of the first label
        SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(g_windowBrush);
      }
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND CreateControl(const ControlRow& row, int id, HWND window, HFONT font, HINSTANCE instance) {
  const wchar_t* windowClass = L"BUTTON";
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  if (Is(row, "frame")) {
    style |= BS_GROUPBOX;
  } else if (Is(row, "checkbox")) {
    style |= BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP;
  } else if (Is(row, "usercontrol")) {
    style |= BS_PUSHBUTTON | WS_TABSTOP;
  } else {
    windowClass = L"STATIC";
    style |= SS_LEFT | SS_NOPREFIX;
  }
  HWND control = CreateWindowExW(
      0, windowClass, row.caption, style, Pixels(row.containerLeft) + Pixels(row.left),
      Pixels(row.containerTop) + Pixels(row.top), Pixels(row.width), Pixels(row.height), window,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

// Each new child window goes below its siblings: the controls first, in TabIndex order (the
// order Tab walks), then the group boxes and the status strip behind them.
void CreateControls(HWND window, HFONT font, HINSTANCE instance) {
  const auto isContainer = [](const ControlRow& row) {
    return Is(row, "frame") || Is(row, "picturebox");
  };
  for (bool containers : {false, true}) {
    int id = 100;
    for (const ControlRow& row : kControls) {
      if (isContainer(row) == containers) {
        CreateControl(row, id, window, font, instance);
        Trace::Mark(containers ? "containers" : "system controls");
      }
      ++id;
    }
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  Trace::Mark("process start to main");
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  Trace::Mark("common controls");
  g_dpi = static_cast<int>(GetDpiForSystem());
  g_windowBrush = GetSysColorBrush(COLOR_WINDOW);
  WNDCLASSW wc{};
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = L"VelmoraSystemControls";
  RegisterClassW(&wc);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
  RECT r{0, 0, Pixels(kClientWidth), Pixels(kClientHeight)};
  AdjustWindowRectExForDpi(&r, style, FALSE, exStyle, static_cast<UINT>(g_dpi));
  HWND window = CreateWindowExW(exStyle, wc.lpszClassName, L"System controls", style,
                                CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top,
                                nullptr, nullptr, instance, nullptr);
  Trace::Mark("main window");
  HFONT font = CreateFontW(-static_cast<int>(std::nearbyint(kFontSize * g_dpi / 72.0)), 0, 0, 0,
                           FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           kFontName);
  CreateControls(window, font, instance);
  ShowWindow(window, show);
  Trace::Mark("show");
  UpdateWindow(window);
  Trace::Mark("first paint");
  MSG msg;
  for (;;) {
    Trace::Idle();
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
    if (IsDialogMessageW(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  DeleteObject(font);
  return 0;
}
