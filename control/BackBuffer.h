#pragma once
// The back buffer every paint of the button goes into: a memory DC with a bitmap of the
// control's size, the caption font and the pen and brush the drawing asked for last. It owns
// each of them and, when it goes, puts the DC's original objects back before deleting its own.

#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/Handles.h"

namespace velmora {

class BackBuffer {
 public:
  struct PenSpec {
    int32_t style, width, color;
    bool operator==(const PenSpec&) const = default;
  };

  BackBuffer() = default;
  ~BackBuffer() { Release(); }
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;

  HDC DC() const { return dc_.get(); }
  explicit operator bool() const { return static_cast<bool>(dc_); }

  // Makes the DC, compatible with screen, the first time: text without a background box, a
  // black solid brush and pen selected.
  void Create(HDC screen);
  bool HasBitmap() const { return static_cast<bool>(bitmap_); }
  // A bitmap of the given size, compatible with screen, selected in place of the original.
  void MakeBitmap(HDC screen, int32_t width, int32_t height);
  // The bitmap goes (a resize makes a new one); font, pen and brush stay.
  void DropBitmap();
  // Selects the caption font, which the buffer owns from here on, and deletes the previous one.
  void SetFont(HFONT font);
  // Puts the original objects back and deletes the DC and everything it held.
  void Release();

  // A pen or brush asked for is made only when something draws with it, and not at all when
  // the buffer already holds one like it; solid blocks are filled without either. A solid pen
  // carries no state between lines, so reusing one like it draws the same pixels.
  void AskForPen(const PenSpec& pen);
  void AskForBrush(int32_t color);
  // The buffer with the pen and brush last asked for made and selected: call it for every
  // drawing that uses them.
  HDC DrawingDC();

  // Makes every pen and brush as it is asked for, and the button fills with Rectangle: the
  // plain way the faster one is compared with.
  void DrawStraightforwardly() { straightforward_ = true; }
  bool Straightforward() const { return straightforward_; }

 private:
  void SelectPen(platform::UniquePen pen);
  void SelectBrush(platform::UniqueBrush brush);

  // Declared before what it holds, so that it is deleted after them.
  platform::UniqueDc dc_;
  platform::UniqueBitmap bitmap_;
  platform::UniqueFont font_;
  platform::UniquePen pen_;
  platform::UniqueBrush brush_;
  HGDIOBJ originalBitmap_ = nullptr, originalFont_ = nullptr, originalPen_ = nullptr,
          originalBrush_ = nullptr;

  std::optional<PenSpec> askedPen_;  // asked for and not made yet
  std::optional<int32_t> askedBrush_;
  std::optional<PenSpec> madePen_;  // ours, selected
  std::optional<int32_t> madeBrush_;
  bool straightforward_ = false;
};

}  // namespace velmora
