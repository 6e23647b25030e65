#pragma once
// Picture objects: a possibly empty, shared reference to a bitmap (also a decoded GIF or JPEG)
// or an icon or cursor, decoded by the platform's own picture loader.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/HostError.h"
#include "platform/PropertyBag.h"

struct tagPICTDESC;  // olectl.h: the description a picture object is made from

namespace velmora::platform {

// How a 32-bit bitmap of width x height pixels lies in memory: rows from the top, each pixel
// 0x00RRGGBB.
BITMAPINFO TopDownBitmapInfo(int32_t width, int32_t height);

class Picture {
 public:
  enum class Kind { None, Bitmap, Icon };  // cursors are icons

  Picture() = default;  // the empty picture

  // Decodes BMP, ICO, CUR, GIF or JPEG bytes. On failure the picture stays empty and the
  // error says why.
  static HostResult Load(const std::vector<uint8_t>& bytes, Picture& out);
  static HostResult LoadFile(const std::wstring& path, Picture& out);
  // Wraps a handle the picture then owns.
  static Picture FromBitmap(HBITMAP bitmap);
  static Picture FromIcon(HICON icon, bool isCursor = false);

  bool IsEmpty() const { return !impl_; }
  Kind kind() const;
  bool IsCursor() const;
  // The bitmap or icon handle (owned by the picture), or nullptr.
  HANDLE Handle() const;
  HBITMAP Bitmap() const { return kind() == Kind::Bitmap ? static_cast<HBITMAP>(Handle()) : nullptr; }
  HICON Icon() const { return kind() == Kind::Icon ? static_cast<HICON>(Handle()) : nullptr; }
  // Size in pixels (0 x 0 when empty).
  SIZE PixelSize() const;
  // The stored form: the file bytes it was loaded from, or the picture saved in its own
  // format (BMP or ICO) when it was made from a handle.
  PictureData Data() const;

  // Pictures are references: equal when they are the same picture.
  bool operator==(const Picture& other) const { return impl_ == other.impl_; }

 private:
  static Picture Wrap(::tagPICTDESC& desc, Kind kind, bool cursor);
  struct Impl;
  std::shared_ptr<Impl> impl_;
};

}  // namespace velmora::platform
