#pragma once
// Registry access for the removal pass: the messenger's per-user key of advertisement
// addresses, opened for writing and never created.

#include <windows.h>

#include <string>

namespace velmora {

// Where the messenger keeps its advertisement addresses, below the per-user root.
inline constexpr wchar_t kAdKeyPath[] = L"Software\\Yahoo\\Pager\\yurl";

// The key as the removal pass uses it. Results are Windows error codes (ERROR_SUCCESS, ...).
class AdKeyStore {
 public:
  virtual ~AdKeyStore() = default;
  // Opens the existing key for writing; ERROR_FILE_NOT_FOUND when there is none.
  virtual LONG Open() = 0;
  virtual LONG SetString(const std::wstring& name, const std::wstring& data) = 0;
  // Deleting a value that does not exist gives ERROR_FILE_NOT_FOUND.
  virtual LONG DeleteValue(const std::wstring& name) = 0;
  virtual void Close() = 0;
};

// The Windows registry below a root key: HKEY_CURRENT_USER for the program, a scratch key in
// tests. Value names are matched without regard to case, as the registry does.
class RegistryAdKeyStore final : public AdKeyStore {
 public:
  explicit RegistryAdKeyStore(HKEY root) : root_(root) {}
  ~RegistryAdKeyStore() override { Close(); }
  RegistryAdKeyStore(const RegistryAdKeyStore&) = delete;
  RegistryAdKeyStore& operator=(const RegistryAdKeyStore&) = delete;

  LONG Open() override;
  LONG SetString(const std::wstring& name, const std::wstring& data) override;
  LONG DeleteValue(const std::wstring& name) override;
  void Close() override;

 private:
  HKEY root_;
  HKEY hAdKey = nullptr;  // the open key, between Open and Close
};

}  // namespace velmora
