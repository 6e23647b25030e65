#pragma once
// System DLLs that are not among the system's known DLLs (comctl32, uxtheme, oleacc,
// version). Windows would look for those in the program's own folder first, where anything
// downloaded beside the program may lie, so the program never imports them: it loads them
// from the system folder when first used and calls through the pointers found there.

#include <windows.h>

namespace velmora::platform {

// Limits every later DLL search of the process, the system DLLs' own searches included, to
// the system folder. The program calls it first thing.
void SearchDllsInSystemFolderOnly();

// The module of a system DLL, loaded from the system folder on first use; nullptr when it
// cannot be loaded.
HMODULE SystemLibrary(const wchar_t* dll);

// A function of a system DLL with the type of its declaration, e.g.
// SystemFunction<decltype(::OpenThemeData)>(L"uxtheme.dll", "OpenThemeData"); nullptr when
// the DLL or the function is missing.
template <typename Function>
Function* SystemFunction(const wchar_t* dll, const char* name) {
  const HMODULE module = SystemLibrary(dll);
  return module ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

}  // namespace velmora::platform
