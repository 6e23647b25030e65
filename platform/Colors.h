#pragma once
// OLE colours as the forms runtime stores them: 0x00BBGGRR, or 0x800000nn for system colour nn.

#include <windows.h>

#include <cstdint>

namespace velmora::platform {

inline constexpr uint32_t kSystemColorFlag = 0x80000000u;

// The COLORREF an OLE colour stands for now (system colours follow the user's scheme).
inline COLORREF ResolveColor(uint32_t ole) {
  if (ole & kSystemColorFlag) return GetSysColor(static_cast<int>(ole & 0xFF));
  return static_cast<COLORREF>(ole & 0x00FFFFFF);
}

}  // namespace velmora::platform
