#include "tools/gallery/Sheet.h"

#include <initguid.h>
#include <wincodec.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "platform/HighContrast.h"
#include "platform/Text.h"

namespace velmora::gallery {

namespace {

// Releases a COM interface when it goes out of scope.
template <typename T>
class Com {
 public:
  Com() = default;
  ~Com() {
    if (p_) p_->Release();
  }
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  T** put() { return &p_; }
  T* operator->() const { return p_; }
  T* get() const { return p_; }

 private:
  T* p_ = nullptr;
};

std::string Hex(HRESULT hr) {
  char text[16];
  wsprintfA(text, "0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

}  // namespace

Sheet::Sheet(int width, int height) : width_(width), height_(height) {
  HDC screen = GetDC(nullptr);
  dc_.reset(CreateCompatibleDC(screen));
  ReleaseDC(nullptr, screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  oldBitmap_ = SelectObject(dc_.get(), bitmap_.get());
  // In high contrast the sheet is a window of the scheme: its face and text colours.
  const bool highContrast = platform::HighContrastOn();
  Fill({0, 0, width, height}, highContrast ? GetSysColor(COLOR_BTNFACE) : kSheetBack);
  const auto font = [](int weight) {
    return CreateFontW(-12, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, L"Tahoma");
  };
  font_.reset(font(FW_NORMAL));
  bold_.reset(font(FW_BOLD));
  SetBkMode(dc_.get(), TRANSPARENT);
  SetTextColor(dc_.get(), highContrast ? GetSysColor(COLOR_BTNTEXT) : 0x202020);
}

Sheet::~Sheet() {
  SelectObject(dc_.get(), oldBitmap_);
}

void Sheet::Text(RECT box, std::wstring_view text, bool bold, bool centred) {
  const platform::SelectGuard font(dc_.get(), bold ? bold_.get() : font_.get());
  DrawTextW(
      dc_.get(), text.data(), static_cast<int>(text.size()), &box,
      (centred ? DT_CENTER : DT_LEFT) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void Sheet::Line(int x0, int y0, int x1, int y1, COLORREF color) {
  const platform::UniquePen pen(CreatePen(PS_SOLID, 1, color));
  const platform::SelectGuard select(dc_.get(), pen.get());
  MoveToEx(dc_.get(), x0, y0, nullptr);
  LineTo(dc_.get(), x1, y1);
}

void Sheet::Fill(RECT box, COLORREF color) {
  const platform::UniqueBrush brush(CreateSolidBrush(color));
  FillRect(dc_.get(), &box, brush.get());
}

bool Sheet::SavePng(const std::wstring& path, std::string& error) const {
  GdiFlush();
  const auto fail = [&](const char* step, HRESULT hr) {
    error = std::string(step) + " failed (" + Hex(hr) + ")";
    return false;
  };
  Com<IWICImagingFactory> factory;
  HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(factory.put()));
  if (FAILED(hr)) return fail("making the image encoder", hr);
  Com<IWICBitmap> source;
  hr = factory->CreateBitmapFromHBITMAP(bitmap_.get(), nullptr, WICBitmapIgnoreAlpha, source.put());
  if (FAILED(hr)) return fail("reading the sheet", hr);
  Com<IWICStream> stream;
  if (FAILED(hr = factory->CreateStream(stream.put()))) return fail("making a stream", hr);
  if (FAILED(hr = stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)))
    return fail("opening the file", hr);
  Com<IWICBitmapEncoder> encoder;
  if (FAILED(hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put())))
    return fail("making the PNG encoder", hr);
  if (FAILED(hr = encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)))
    return fail("starting the PNG", hr);
  Com<IWICBitmapFrameEncode> frame;
  Com<IPropertyBag2> options;
  if (FAILED(hr = encoder->CreateNewFrame(frame.put(), options.put())))
    return fail("making the frame", hr);
  if (FAILED(hr = frame->Initialize(options.get()))) return fail("starting the frame", hr);
  if (FAILED(hr = frame->SetSize(static_cast<UINT>(width_), static_cast<UINT>(height_))))
    return fail("sizing the frame", hr);
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (FAILED(hr = frame->SetPixelFormat(&format))) return fail("choosing the pixel format", hr);
  // The encoder may settle on another format than the sheet's: convert to the one it took.
  Com<IWICBitmapSource> converted;
  if (FAILED(hr = WICConvertBitmapSource(format, source.get(), converted.put())))
    return fail("converting the pixels", hr);
  if (FAILED(hr = frame->WriteSource(converted.get(), nullptr)))
    return fail("writing the pixels", hr);
  if (FAILED(hr = frame->Commit())) return fail("finishing the frame", hr);
  if (FAILED(hr = encoder->Commit())) return fail("finishing the PNG", hr);
  return true;
}

bool SaveIndex(const std::wstring& path, const std::wstring& sheetPath, int width, int height,
               const std::vector<Cell>& cells, std::string& error) {
  nlohmann::ordered_json index;
  const size_t slash = sheetPath.find_last_of(L"\\/");
  index["sheet"] =
      platform::Narrow(slash == std::wstring::npos ? sheetPath : sheetPath.substr(slash + 1));
  index["width"] = width;
  index["height"] = height;
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const Cell& c : cells) {
    nlohmann::ordered_json cell;
    cell["control"] = c.control;
    cell["state"] = c.state;
    if (c.style >= 0) {
      cell["style"] = c.style;
      cell["shape"] = c.shape;
      cell["variant"] = c.variant;
    }
    cell["rect"] = {{"left", c.rect.left},
                    {"top", c.rect.top},
                    {"right", c.rect.right},
                    {"bottom", c.rect.bottom}};
    list.push_back(std::move(cell));
  }
  index["cells"] = std::move(list);
  std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  if (!file) {
    error = "cannot write " + platform::Narrow(path);
    return false;
  }
  file << index.dump(1) << '\n';
  if (!file.flush()) {
    error = "cannot write " + platform::Narrow(path);
    return false;
  }
  return true;
}

}  // namespace velmora::gallery
