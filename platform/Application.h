#pragma once
// The application object: where the program lives, its title and its version.

#include <windows.h>

#include <string>
#include <string_view>

namespace velmora::platform {

struct VersionInfo {
  int major = 0, minor = 0, build = 0, revision = 0;  // FILEVERSION a.b.c.d
  std::wstring productName;
};

class Application {
 public:
  explicit Application(HMODULE module);
  // Folder of the executable, without a trailing separator except at a drive root (C:\).
  const std::wstring& Path() const { return path_; }
  // The product name of the version resource.
  const std::wstring& Title() const { return title_; }
  // Version numbers: the first, second and fourth fields of the file version, the fourth being
  // the one the runtime counts as the revision (the third is the build, unused here).
  int Major() const { return version_.major; }
  int Minor() const { return version_.minor; }
  int Revision() const { return version_.revision; }

 private:
  std::wstring path_;
  std::wstring title_;
  VersionInfo version_;
};

// The running program's application object.
const Application& App();

// Full path of a loaded module, however long.
std::wstring ModuleFileName(HMODULE module);
// The folder part of a file path: "C:\a\b.exe" -> "C:\a", "C:\b.exe" -> "C:\".
std::wstring FolderOfPath(std::wstring_view filePath);
// The version resource of a module (zeros and an empty name when it has none).
VersionInfo ReadVersionResource(HMODULE module);

}  // namespace velmora::platform
