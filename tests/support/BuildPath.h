#pragma once
// A path of this build or source tree as CMake names it: absolute, and under Wine a Unix path,
// which Wine shows as drive Z:.

#include <string>

#include "platform/Text.h"

namespace velmora::test {

inline std::wstring BuildPath(const char* cmakePath) {
  std::wstring path = platform::Widen(cmakePath);
  if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

}  // namespace velmora::test
