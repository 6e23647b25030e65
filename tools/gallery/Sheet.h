#pragma once
// A contact sheet: a picture of many cells with GDI text labels, saved as PNG through the
// platform's image encoder (WIC), and an index of its cells saved as JSON.

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/Handles.h"

namespace velmora::gallery {

inline constexpr COLORREF kSheetBack = 0xF0F0F0;

// One cell of the index: which control, in which state, and where in the sheet.
struct Cell {
  std::string control;
  std::string state;
  RECT rect{};
  int style = -1, shape = -1;  // the contact sheet of every look names them; a design does not
  std::string variant;
};

class Sheet {
 public:
  Sheet(int width, int height);
  ~Sheet();
  Sheet(const Sheet&) = delete;
  Sheet& operator=(const Sheet&) = delete;
  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }

  // Text in a box: left-aligned or centred, one line, cut at the box.
  void Text(RECT box, std::wstring_view text, bool bold = false, bool centred = false);
  void Line(int x0, int y0, int x1, int y1, COLORREF color);
  void Fill(RECT box, COLORREF color);

  // Writes the sheet as PNG; false with a reason on failure.
  bool SavePng(const std::wstring& path, std::string& error) const;

 private:
  int width_, height_;
  platform::UniqueDc dc_;
  platform::UniqueBitmap bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
  platform::UniqueFont font_, bold_;
};

// Writes the index: the sheet's file name and size, and every cell.
bool SaveIndex(const std::wstring& path, const std::wstring& sheetPath, int width, int height,
               const std::vector<Cell>& cells, std::string& error);

}  // namespace velmora::gallery
