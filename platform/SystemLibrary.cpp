#include "platform/SystemLibrary.h"

#include <map>
#include <string>

namespace velmora::platform {

void SearchDllsInSystemFolderOnly() {
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // The common controls come from the side-by-side store, and some loaders resolve what they
  // import (the theme and image-blending libraries) along the old search path, program folder
  // first. Loaded from the system folder now, these are found among the loaded modules instead.
  for (const wchar_t* dll : {L"uxtheme.dll", L"msimg32.dll"}) SystemLibrary(dll);
}

HMODULE SystemLibrary(const wchar_t* dll) {
  // Loaded once and kept for the life of the process, like an import. One thread only.
  static std::map<std::wstring, HMODULE> loaded;
  const auto found = loaded.find(dll);
  if (found != loaded.end()) return found->second;
  const HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  loaded.emplace(dll, module);
  return module;
}

}  // namespace velmora::platform
