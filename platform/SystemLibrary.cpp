#include "platform/SystemLibrary.h"

#include <initializer_list>

namespace velmora::platform {

void SearchDllsInSystemFolderOnly() {
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // The common controls come from the side-by-side store, and some loaders resolve what they
  // import (the theme and image-blending libraries) along the old search path, program folder
  // first. Loaded from the system folder now, these are found among the loaded modules instead.
  for (const wchar_t* dll : {L"uxtheme.dll", L"msimg32.dll"}) SystemLibrary(dll);
}

HMODULE SystemLibrary(const wchar_t* dll) {
  // Never freed: the module stays for the life of the process, like an import. Callers keep
  // the functions they look up, so each DLL is loaded a few times at most.
  return LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace velmora::platform
