#include "platform/Picture.h"

// The GUIDs of the OLE picture interfaces are defined here, once.
#include <initguid.h>
#include <ocidl.h>
#include <olectl.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>


#include "platform/Handles.h"
#include "platform/Ole.h"

namespace velmora::platform {

BITMAPINFO TopDownBitmapInfo(int32_t width, int32_t height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

struct Picture::Impl {
  IPicture* picture = nullptr;  // owns the handle
  Kind kind = Kind::None;
  bool cursor = false;
  std::vector<uint8_t> bytes;  // what it was loaded from; empty when made from a handle
  ~Impl() {
    if (picture) picture->Release();
  }
};

namespace {

// Cursor files start like icon files but with resource type 2.
bool IsCursorFile(const std::vector<uint8_t>& b) {
  return b.size() >= 6 && b[0] == 0 && b[1] == 0 && b[2] == 2 && b[3] == 0;
}

HostResult Invalid(const std::string& why) {
  return HostResult::Fail(kErrInvalidPicture, "Invalid picture: " + why);
}

uint32_t Le16(const std::vector<uint8_t>& b, size_t at) { return b[at] | (b[at + 1] << 8); }
uint32_t Le32(const std::vector<uint8_t>& b, size_t at) { return Le16(b, at) | (Le16(b, at + 2) << 16); }

// Files whose headers promise more than the file holds are refused before any decoder sees
// them: the decoders would read past the end or show whatever follows.
std::string CutShort(const std::vector<uint8_t>& b) {
  if (b.size() >= 2 && b[0] == 'B' && b[1] == 'M') {
    if (b.size() < 14 + 40) return "the BMP file is cut short";
    const uint32_t offBits = Le32(b, 10), headerSize = Le32(b, 14);
    if (headerSize < 40 || 14 + headerSize > b.size()) return "the BMP header is damaged";
    const auto width = static_cast<int32_t>(Le32(b, 18));
    const auto height = static_cast<int32_t>(Le32(b, 22));
    const uint32_t bits = Le16(b, 28), compression = Le32(b, 30);
    if (width <= 0 || height == 0 || bits == 0 || bits > 32) return "the BMP header is damaged";
    if (compression == BI_RGB || compression == BI_BITFIELDS) {
      const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
      const uint64_t rows = static_cast<uint64_t>(height < 0 ? -static_cast<int64_t>(height) : height);
      if (offBits > b.size() || stride * rows > b.size() - offBits) return "the BMP file is cut short";
    }
  }
  if (b.size() >= 4 && b[0] == 0 && b[1] == 0 && (b[2] == 1 || b[2] == 2) && b[3] == 0) {
    const size_t count = Le16(b, 4);
    if (count == 0 || b.size() < 6 + 16 * count) return "the icon file is cut short";
    for (size_t i = 0; i < count; ++i) {
      const uint64_t size = Le32(b, 6 + 16 * i + 8), offset = Le32(b, 6 + 16 * i + 12);
      if (offset + size > b.size()) return "the icon file is cut short";
    }
  }
  return {};
}

// A 32-bit top-down DIB of a bitmap, as BMP file bytes.
std::vector<uint8_t> BmpFileOf(HBITMAP bitmap, bool withFileHeader, SIZE* sizeOut = nullptr) {
  BITMAP bm{};
  if (!GetObjectW(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return {};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = bm.bmWidth;
  info.biHeight = bm.bmHeight;  // bottom-up, as files and icons keep them
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  const size_t pixels = static_cast<size_t>(bm.bmWidth) * bm.bmHeight * 4;
  std::vector<uint8_t> out((withFileHeader ? sizeof(BITMAPFILEHEADER) : 0) + sizeof info + pixels);
  uint8_t* at = out.data();
  if (withFileHeader) {
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfSize = static_cast<DWORD>(out.size());
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof info;
    std::memcpy(at, &file, sizeof file);
    at += sizeof file;
  }
  std::memcpy(at, &info, sizeof info);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, static_cast<UINT>(bm.bmHeight), at + sizeof info,
            reinterpret_cast<BITMAPINFO*>(at), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (sizeOut) *sizeOut = {bm.bmWidth, bm.bmHeight};
  return out;
}

// An icon or cursor as ICO or CUR file bytes: one 32-bit image with its mask.
std::vector<uint8_t> IconFileOf(HICON icon, bool cursor) {
  ICONINFO ii{};
  if (!GetIconInfo(icon, &ii)) return {};
  std::vector<uint8_t> out;
  SIZE size{};
  std::vector<uint8_t> image = ii.hbmColor ? BmpFileOf(ii.hbmColor, false, &size) : std::vector<uint8_t>{};
  if (!image.empty()) {
    // The image's header counts colour and mask rows together; the mask follows, 1 bit each.
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(image.data());
    header->biHeight *= 2;
    const size_t maskStride = (static_cast<size_t>(size.cx) + 31) / 32 * 4;
    std::vector<uint8_t> mask(maskStride * size.cy);
    struct {
      BITMAPINFOHEADER h;
      RGBQUAD colors[2];
    } maskInfo{};
    maskInfo.h.biSize = sizeof maskInfo.h;
    maskInfo.h.biWidth = size.cx;
    maskInfo.h.biHeight = size.cy;
    maskInfo.h.biPlanes = 1;
    maskInfo.h.biBitCount = 1;
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, ii.hbmMask, 0, static_cast<UINT>(size.cy), mask.data(),
              reinterpret_cast<BITMAPINFO*>(&maskInfo), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    image.insert(image.end(), mask.begin(), mask.end());
    out.resize(6 + 16);
    const uint16_t head[3] = {0, static_cast<uint16_t>(cursor ? 2 : 1), 1};
    std::memcpy(out.data(), head, sizeof head);
    uint8_t* e = out.data() + 6;
    e[0] = static_cast<uint8_t>(size.cx < 256 ? size.cx : 0);
    e[1] = static_cast<uint8_t>(size.cy < 256 ? size.cy : 0);
    const uint16_t planesOrX = static_cast<uint16_t>(cursor ? ii.xHotspot : 1);
    const uint16_t bitsOrY = static_cast<uint16_t>(cursor ? ii.yHotspot : 32);
    const uint32_t bytes = static_cast<uint32_t>(image.size()), offset = 6 + 16;
    std::memcpy(e + 4, &planesOrX, 2);
    std::memcpy(e + 6, &bitsOrY, 2);
    std::memcpy(e + 8, &bytes, 4);
    std::memcpy(e + 12, &offset, 4);
    out.insert(out.end(), image.begin(), image.end());
  }
  if (ii.hbmColor) DeleteObject(ii.hbmColor);
  if (ii.hbmMask) DeleteObject(ii.hbmMask);
  return out;
}

}  // namespace

HostResult Picture::Load(const std::vector<uint8_t>& bytes, Picture& out) {
  out = Picture();
  if (bytes.empty()) return Invalid("the data is empty");
  if (const std::string why = CutShort(bytes); !why.empty()) return Invalid(why);
  if (IsCursorFile(bytes)) {
    // The picture loader reads icons only. A cursor file holds images like an icon file, each
    // with its hot spot in its directory entry; the system makes a cursor from the hot spot
    // followed by the image.
    const size_t count = bytes[4] | (bytes[5] << 8);
    if (count == 0 || bytes.size() < 6 + 16 * count) return Invalid("the cursor file is damaged");
    const auto word = [&](size_t at) { return static_cast<uint32_t>(bytes[at] | (bytes[at + 1] << 8)); };
    const auto dword = [&](size_t at) { return word(at) | (word(at + 2) << 16); };
    const size_t entry = 6;  // the first image
    const uint32_t size = dword(entry + 8), offset = dword(entry + 12);
    if (size < sizeof(BITMAPINFOHEADER) || offset > bytes.size() || size > bytes.size() - offset)
      return Invalid("the cursor file is damaged");
    std::vector<BYTE> resource(4 + size);
    resource[0] = bytes[entry + 4];
    resource[1] = bytes[entry + 5];
    resource[2] = bytes[entry + 6];
    resource[3] = bytes[entry + 7];
    std::copy(bytes.begin() + offset, bytes.begin() + offset + size, resource.begin() + 4);
    HICON cursor = CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()),
                                            FALSE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
    if (!cursor) return Invalid("the cursor file is damaged");
    out = FromIcon(cursor, true);
    out.impl_->bytes = bytes;
    return {};
  }
  IStream* stream = SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()));
  if (!stream) return HostResult::Fail(7, "Out of memory");
  UseOle();
  IPicture* picture = nullptr;
  const HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                                    reinterpret_cast<void**>(&picture));
  stream->Release();
  if (FAILED(hr) || !picture) return Invalid("not a BMP, ICO, CUR, GIF or JPEG file the system can read");
  SHORT type = PICTYPE_NONE;
  picture->get_Type(&type);
  if (type != PICTYPE_BITMAP && type != PICTYPE_ICON) {
    picture->Release();
    return Invalid("only bitmaps, icons and cursors are supported");
  }
  auto impl = std::make_shared<Impl>();
  impl->picture = picture;
  impl->kind = type == PICTYPE_BITMAP ? Kind::Bitmap : Kind::Icon;
  impl->bytes = bytes;
  out.impl_ = std::move(impl);
  return {};
}

HostResult Picture::LoadFile(const std::wstring& path, Picture& out) {
  out = Picture();
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return HostResult::Fail(53, "File not found");
  LARGE_INTEGER size{};
  std::vector<uint8_t> bytes;
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (1LL << 30);
  if (ok) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ok = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
         read == bytes.size();
  }
  CloseHandle(file);
  if (!ok) return HostResult::Fail(75, "Path/File access error");
  return Load(bytes, out);
}

Picture Picture::Wrap(PICTDESC& desc, Kind kind, bool cursor) {
  Picture p;
  UseOle();
  IPicture* picture = nullptr;
  if (FAILED(OleCreatePictureIndirect(&desc, IID_IPicture, TRUE, reinterpret_cast<void**>(&picture)))) {
    // The picture did not take the handle over: it is still ours to delete.
    if (kind == Kind::Bitmap) DeleteObject(desc.bmp.hbitmap);
    if (kind == Kind::Icon) DestroyIcon(desc.icon.hicon);
    return p;
  }
  p.impl_ = std::make_shared<Impl>();
  p.impl_->picture = picture;
  p.impl_->kind = kind;
  p.impl_->cursor = cursor;
  return p;
}

Picture Picture::FromBitmap(HBITMAP bitmap) {
  if (!bitmap) return {};
  PICTDESC desc{};
  desc.cbSizeofstruct = sizeof desc;
  desc.picType = PICTYPE_BITMAP;
  desc.bmp.hbitmap = bitmap;
  return Wrap(desc, Kind::Bitmap, false);
}

Picture Picture::FromIcon(HICON icon, bool isCursor) {
  if (!icon) return {};
  PICTDESC desc{};
  desc.cbSizeofstruct = sizeof desc;
  desc.picType = PICTYPE_ICON;
  desc.icon.hicon = icon;
  return Wrap(desc, Kind::Icon, isCursor);
}

Picture::Kind Picture::kind() const { return impl_ ? impl_->kind : Kind::None; }

bool Picture::IsCursor() const { return impl_ && impl_->cursor; }

HANDLE Picture::Handle() const {
  if (!impl_) return nullptr;
  OLE_HANDLE handle = 0;
  impl_->picture->get_Handle(&handle);
  return reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle));
}

SIZE Picture::PixelSize() const {
  SIZE size{0, 0};
  if (kind() == Kind::Bitmap) {
    BITMAP bm{};
    if (GetObjectW(Handle(), sizeof bm, &bm)) size = {bm.bmWidth, bm.bmHeight};
  } else if (kind() == Kind::Icon) {
    ICONINFO info{};
    if (GetIconInfo(static_cast<HICON>(Handle()), &info)) {
      BITMAP bm{};
      GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
      size = {bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
      if (info.hbmColor) DeleteObject(info.hbmColor);
      if (info.hbmMask) DeleteObject(info.hbmMask);
    }
  }
  return size;
}

PictureData Picture::Data() const {
  if (!impl_) return {};
  if (!impl_->bytes.empty()) return {impl_->bytes};
  // Made from a handle: written in its own file format.
  if (impl_->kind == Kind::Bitmap) return {BmpFileOf(static_cast<HBITMAP>(Handle()), true)};
  return {IconFileOf(static_cast<HICON>(Handle()), impl_->cursor)};
}

}  // namespace velmora::platform
