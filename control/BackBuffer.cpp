#include "control/BackBuffer.h"

#include <utility>

namespace velmora {

void BackBuffer::Create(HDC screen) {
  if (dc_) return;
  dc_.reset(CreateCompatibleDC(screen));
  SetBkMode(dc_.get(), TRANSPARENT);
  brush_.reset(CreateSolidBrush(0));
  originalBrush_ = SelectObject(dc_.get(), brush_.get());
  pen_.reset(CreatePen(PS_SOLID, 1, 0));
  originalPen_ = SelectObject(dc_.get(), pen_.get());
}

void BackBuffer::MakeBitmap(HDC screen, int32_t width, int32_t height) {
  if (!dc_ || bitmap_) return;
  platform::UniqueBitmap bitmap(CreateCompatibleBitmap(screen, width, height));
  const HGDIOBJ replaced = SelectObject(dc_.get(), bitmap.get());
  if (!replaced || replaced == HGDI_ERROR) return;  // a failed bitmap is tried again next time
  originalBitmap_ = replaced;
  bitmap_ = std::move(bitmap);
}

void BackBuffer::DropBitmap() {
  if (!dc_ || !bitmap_) return;
  SelectObject(dc_.get(), originalBitmap_);
  originalBitmap_ = nullptr;
  bitmap_.reset();
}

void BackBuffer::SetFont(HFONT font) {
  platform::UniqueFont next(font);
  if (!dc_ || !next) return;
  const HGDIOBJ replaced = SelectObject(dc_.get(), next.get());
  if (!font_) originalFont_ = replaced;
  font_ = std::move(next);  // deletes our previous font, no longer selected
}

void BackBuffer::Release() {
  if (dc_) {
    HDC dc = dc_.get();
    if (brush_) SelectObject(dc, originalBrush_);
    if (pen_) SelectObject(dc, originalPen_);
    if (font_) SelectObject(dc, originalFont_);
    if (bitmap_) SelectObject(dc, originalBitmap_);
  }
  brush_.reset();
  pen_.reset();
  font_.reset();
  bitmap_.reset();
  dc_.reset();
  originalBitmap_ = originalFont_ = originalPen_ = originalBrush_ = nullptr;
  askedPen_.reset();
  askedBrush_.reset();
  madePen_.reset();
  madeBrush_.reset();
}

void BackBuffer::AskForPen(const PenSpec& pen) {
  askedPen_ = pen;
  if (straightforward_) DrawingDC();
}

void BackBuffer::AskForBrush(int32_t color) {
  askedBrush_ = color;
  if (straightforward_) DrawingDC();
}

void BackBuffer::SelectPen(platform::UniquePen pen) {
  if (!pen || !SelectObject(dc_.get(), pen.get())) return;
  pen_ = std::move(pen);  // the previous one, deselected, goes
}

void BackBuffer::SelectBrush(platform::UniqueBrush brush) {
  if (!brush || !SelectObject(dc_.get(), brush.get())) return;
  brush_ = std::move(brush);
}

HDC BackBuffer::DrawingDC() {
  if (askedBrush_) {
    if (straightforward_ || askedBrush_ != madeBrush_) {
      SelectBrush(platform::UniqueBrush(CreateSolidBrush(static_cast<COLORREF>(*askedBrush_))));
      madeBrush_ = askedBrush_;
    }
    askedBrush_.reset();
  }
  if (askedPen_) {
    // A styled pen is made afresh, as asked: its dashes start over.
    if (straightforward_ || askedPen_ != madePen_ || askedPen_->style != PS_SOLID) {
      const PenSpec& p = *askedPen_;
      SelectPen(platform::UniquePen(CreatePen(p.style, p.width, static_cast<COLORREF>(p.color))));
      madePen_ = askedPen_;
    }
    askedPen_.reset();
  }
  return dc_.get();
}

}  // namespace velmora
