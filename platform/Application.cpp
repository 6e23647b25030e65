#include "platform/Application.h"

#include <cwchar>
#include <vector>

#include "platform/SystemLibrary.h"

namespace velmora::platform {

std::wstring ModuleFileName(HMODULE module) {
  // GetModuleFileNameW truncates silently when the buffer is short; grow until it fits.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) {
      buffer.resize(n);
      return buffer;
    }
    if (buffer.size() >= 32768 * 2) return {};
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring FolderOfPath(std::wstring_view filePath) {
  const size_t slash = filePath.find_last_of(L"\\/");
  if (slash == std::wstring_view::npos) return {};
  std::wstring folder(filePath.substr(0, slash));
  // A drive root keeps its separator: "C:" names the drive's current folder, not its root.
  if (folder.size() == 2 && folder[1] == L':') folder += filePath[slash];
  return folder;
}

VersionInfo ReadVersionResource(HMODULE module) {
  VersionInfo info;
  HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
  if (!res) return info;
  HGLOBAL loaded = LoadResource(module, res);
  const DWORD size = SizeofResource(module, res);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data || size == 0) return info;
  // VerQueryValue may need room to convert strings, so it works on a writable copy.
  std::vector<BYTE> copy(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size);
  copy.resize(size * 2);
  static const auto verQueryValue = SystemFunction<decltype(::VerQueryValueW)>(L"version.dll", "VerQueryValueW");
  if (!verQueryValue) return info;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  if (verQueryValue(copy.data(), L"\\", reinterpret_cast<void**>(&fixed), &len) && fixed &&
      len >= sizeof(VS_FIXEDFILEINFO)) {
    info.major = HIWORD(fixed->dwFileVersionMS);
    info.minor = LOWORD(fixed->dwFileVersionMS);
    info.build = HIWORD(fixed->dwFileVersionLS);
    info.revision = LOWORD(fixed->dwFileVersionLS);
  }
  struct Translation {
    WORD language, codePage;
  }* translations = nullptr;
  if (verQueryValue(copy.data(), L"\\VarFileInfo\\Translation",
                     reinterpret_cast<void**>(&translations), &len) &&
      translations && len >= sizeof(Translation)) {
    wchar_t query[64];
    swprintf(query, 64, L"\\StringFileInfo\\%04x%04x\\ProductName", translations->language,
             translations->codePage);
    wchar_t* name = nullptr;
    if (verQueryValue(copy.data(), query, reinterpret_cast<void**>(&name), &len) && name && len)
      info.productName.assign(name, wcsnlen(name, len));
  }
  return info;
}

Application::Application(HMODULE module)
    : version_(ReadVersionResource(module)) {
  const std::wstring file = ModuleFileName(module);
  path_ = FolderOfPath(file);
  title_ = version_.productName;
  if (title_.empty()) {
    // Without a version resource the title is the executable's name without extension.
    std::wstring name = file.substr(file.find_last_of(L"\\/") + 1);
    title_ = name.substr(0, name.find_last_of(L'.'));
  }
}

const Application& App() {
  static const Application app(GetModuleHandleW(nullptr));
  return app;
}

}  // namespace velmora::platform
