#include "platform/Resources.h"

namespace velmora::platform {

std::optional<std::string> LoadResourceBytes(HMODULE module, const wchar_t* name,
                                             const wchar_t* type) {
  HRSRC res = FindResourceW(module, name, type);
  if (!res) return std::nullopt;
  HGLOBAL loaded = LoadResource(module, res);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return std::nullopt;
  return std::string(static_cast<const char*>(data), SizeofResource(module, res));
}

}  // namespace velmora::platform
