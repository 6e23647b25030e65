#pragma once
// UTF-8 (design files, names) to UTF-16 (Windows) and back, and window texts.

#include <windows.h>

#include <string>
#include <string_view>

namespace velmora::platform {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// The text of a window (its caption).
std::wstring WindowText(HWND hwnd);

}  // namespace velmora::platform
