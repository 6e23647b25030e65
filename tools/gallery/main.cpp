// gallery.exe: renders the button's looks onto a contact sheet (PNG) with an index of its cells
// (JSON), for the README and for checking looks from outside the program.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <exception>
#include <iterator>
#include <optional>

#include "control/Ornabutton.h"
#include "platform/HighContrast.h"
#include "platform/MessageBox.h"
#include "platform/Text.h"
#include "tools/gallery/Arguments.h"
#include "tools/gallery/Gallery.h"

namespace {

// A tool on the command line shows no boxes: what one would say goes to the error output.
class ConsoleMessages final : public velmora::platform::MessageBoxService {
 public:
  int Show(const velmora::platform::MessageBoxRequest& request) override {
    std::fprintf(stderr, "gallery: %s\n", velmora::platform::Narrow(request.text).c_str());
    return IDOK;
  }
};

// High contrast as the buttons see it: the setting on and a black scheme of system colours, for
// this process only while it renders; the previous colours come back when it goes.
class HighContrastScheme final : public velmora::platform::HighContrastSource {
 public:
  HighContrastScheme() {
    for (size_t i = 0; i < std::size(kElements); ++i) saved_[i] = GetSysColor(kElements[i]);
    SetSysColors(static_cast<int>(std::size(kElements)), kElements, kScheme);
    previous_ = velmora::platform::SetHighContrastSource(this);
  }
  ~HighContrastScheme() override {
    velmora::platform::SetHighContrastSource(previous_);
    SetSysColors(static_cast<int>(std::size(kElements)), kElements, saved_);
  }
  HighContrastScheme(const HighContrastScheme&) = delete;
  HighContrastScheme& operator=(const HighContrastScheme&) = delete;
  bool On() override { return true; }

 private:
  static constexpr INT kElements[] = {COLOR_BTNFACE,   COLOR_BTNTEXT,       COLOR_3DSHADOW,
                                      COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_GRAYTEXT,
                                      COLOR_WINDOW,    COLOR_WINDOWTEXT};
  static constexpr COLORREF kScheme[] = {RGB(0, 0, 0),      RGB(255, 255, 255), RGB(128, 128, 128),
                                         RGB(26, 235, 255), RGB(0, 0, 0),       RGB(63, 242, 63),
                                         RGB(0, 0, 0),      RGB(255, 255, 255)};
  COLORREF saved_[std::size(kElements)]{};
  velmora::platform::HighContrastSource* previous_ = nullptr;
};

int Run(const velmora::gallery::Options& options) {
  using namespace velmora;
  std::optional<HighContrastScheme> scheme;
  if (options.highContrast) scheme.emplace();
  gallery::Rendering r =
      options.design.empty() ? gallery::RenderCatalogue() : gallery::RenderDesign(options.design);
  std::string error;
  const std::wstring index = gallery::IndexPathFor(options.out);
  if (!r.sheet->SavePng(options.out, error)) {
    std::fprintf(stderr, "gallery: cannot write %s: %s\n", platform::Narrow(options.out).c_str(),
                 error.c_str());
    return 1;
  }
  if (!gallery::SaveIndex(index, options.out, r.sheet->width(), r.sheet->height(), r.cells,
                          error)) {
    std::fprintf(stderr, "gallery: %s\n", error.c_str());
    return 1;
  }
  std::printf("gallery: %zu cells on %s (%d x %d), index %s\n", r.cells.size(),
              platform::Narrow(options.out).c_str(), r.sheet->width(), r.sheet->height(),
              platform::Narrow(index).c_str());
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using namespace velmora;
  const gallery::Parsed parsed =
      gallery::ParseArguments(std::vector<std::wstring>(argv + 1, argv + argc));
  if (!parsed.options) {
    std::fprintf(stderr, "gallery: %s\n%s", parsed.error.c_str(), gallery::kUsage);
    return 2;
  }
  if (parsed.options->help) {
    std::fputs(gallery::kUsage, stdout);
    return 0;
  }
  ConsoleMessages messages;
  platform::SetMessageBoxService(&messages);
  OleInitialize(nullptr);
  int status = 1;
  try {
    Ornabutton::Register();
    status = Run(*parsed.options);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "gallery: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "gallery: an unexpected error stopped the rendering\n");
  }
  OleUninitialize();
  platform::SetMessageBoxService(nullptr);
  return status;
}
