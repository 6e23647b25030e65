// Times a full redraw of the button (painter into the back buffer, copy to the window) in each
// of its eight looks with the main window's gradient design, against the system's own push
// button painting itself into a memory DC (WM_PRINTCLIENT), at the same size and caption.
// Every round measures all nine, so the ratios come from one run on the same machine state.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdio>
#include <string>

#include "bench/BenchSupport.h"
#include "control/Ornabutton.h"
#include "platform/DesignFile.h"
#include "platform/Forms.h"

namespace {

using namespace velmora;

constexpr int kWidth = 97, kHeight = 25;
constexpr int kRounds = 15;
constexpr int kPaintsPerRound = 200;
constexpr wchar_t kCaption[] = L"Remove Selected Ads";

// The main window's "Remove Selected Ads" button at 97 x 25 pixels.
constexpr char kDesign[] = R"({
  "name": "Bench", "caption": "Bench", "clientWidth": 3000, "clientHeight": 1500,
  "borderStyle": "fixedDialog", "showInTaskbar": true, "startUpPosition": "centerScreen",
  "controls": [
    {"kind": "usercontrol", "class": "Tessorin.Ornabutton", "name": "Subject", "container": "Bench",
     "left": 120, "top": 120, "width": 1455, "height": 375, "tabIndex": 0,
     "properties": {"caption": "Remove Selected Ads", "capalign": 2, "backstyle": 0,
       "font": {"name": "MS Sans Serif", "size": 8.25, "weight": 400, "charset": 0},
       "cfore": 0, "cfhover": 0, "cbhover": "0x00FFFFFF", "lockhover": 1,
       "cgradient": "0x00C0C0C0", "gradient": 2, "mode": 0, "value": false,
       "cback": "0x8000000F"}}]})";

// The platform's push button, painted into a memory DC of its size.
class SystemButton {
 public:
  explicit SystemButton(HWND parent) {
    button_ =
        CreateWindowExW(0, L"BUTTON", kCaption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 120, 160,
                        kWidth, kHeight, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    LOGFONTW lf{};
    lf.lfHeight = -11;  // 8.25 points at 96 DPI
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyW(lf.lfFaceName, L"MS Sans Serif");
    font_ = CreateFontIndirectW(&lf);
    SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, kWidth, kHeight);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~SystemButton() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    DestroyWindow(button_);
    DeleteObject(font_);
  }
  SystemButton(const SystemButton&) = delete;
  SystemButton& operator=(const SystemButton&) = delete;
  HWND hwnd() const { return button_; }
  void Paint() const {
    SendMessageW(button_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
  }

 private:
  HWND button_ = nullptr;
  HFONT font_ = nullptr;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

// Whether a button is the themed one of the common controls 6 (only that one knows its ideal
// size).
bool Themed(HWND button) {
  SIZE size{};
  return SendMessageW(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&size)) != 0;
}

template <typename Paint>
double MicrosecondsPerPaint(Paint&& paint) {
  return bench::Microseconds([&] {
           for (int i = 0; i < kPaintsPerRound; ++i) paint();
         }) /
         kPaintsPerRound;
}

int Run() {
  Ornabutton::Register();
  platform::Form form{platform::ParseFormDesign(kDesign, "Bench.json")};
  form.Show();
  // Whatever waits to be painted is painted first: the rounds time redraws alone.
  for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
  Ornabutton& button = form.Get<platform::UserControlSite>("Subject").Client<Ornabutton>();
  const SystemButton system(form.hwnd());

  std::array<std::vector<double>, 8> styles;
  std::vector<double> reference;
  for (int round = 0; round <= kRounds; ++round) {  // round 0 warms up and is not counted
    for (int style = 0; style < 8; ++style) {
      button.SetButtonStyle(style);
      const double us = MicrosecondsPerPaint([&] { button.Refresh(); });
      if (round > 0) styles[static_cast<size_t>(style)].push_back(us);
    }
    const double us = MicrosecondsPerPaint([&] { system.Paint(); });
    if (round > 0) reference.push_back(us);
  }

  std::printf("redraw of a 97 x 25 button, gradient design, median of %d rounds of %d paints\n",
              kRounds, kPaintsPerRound);
  std::printf("system button (%s): WM_PRINTCLIENT into a memory DC\n",
              Themed(system.hwnd()) ? "common controls 6" : "NOT the common controls 6");
  const double system_us = bench::Median(reference);
  double worst = 0;
  for (int style = 0; style < 8; ++style) {
    const double us = bench::Median(styles[static_cast<size_t>(style)]);
    worst = std::max(worst, us / system_us);
    const std::string name = "redraw_style" + std::to_string(style) + "_us";
    bench::Figure(name.c_str(), us, "us");
  }
  bench::Figure("system_button_printclient_us", system_us, "us");
  bench::Figure("redraw_vs_system_worst", worst, "x", 2);
  form.Unload();
  return 0;
}

}  // namespace

int main() {
  return bench::Main(Run);
}
