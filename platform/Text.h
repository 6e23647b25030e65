#pragma once
// UTF-8 (design files, names) to UTF-16 (Windows) and back.

#include <string>
#include <string_view>

namespace velmora::platform {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace velmora::platform
