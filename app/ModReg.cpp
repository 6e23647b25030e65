#include "app/ModReg.h"

namespace velmora {

LONG RegistryAdKeyStore::Open() {
  Close();
  // KEY_WRITE only, and RegOpenKeyEx rather than RegCreateKeyEx: the key of a messenger that
  // is not installed for this user must stay absent.
  return RegOpenKeyExW(root_, kAdKeyPath, 0, KEY_WRITE, &hAdKey);
}

LONG RegistryAdKeyStore::SetString(const std::wstring& name, const std::wstring& data) {
  if (!hAdKey) return ERROR_INVALID_HANDLE;
  // Unicode, so a program folder outside the ANSI code page is stored exactly.
  const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(hAdKey, name.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(data.c_str()), bytes);
}

LONG RegistryAdKeyStore::DeleteValue(const std::wstring& name) {
  if (!hAdKey) return ERROR_INVALID_HANDLE;
  return RegDeleteValueW(hAdKey, name.c_str());
}

void RegistryAdKeyStore::Close() {
  if (hAdKey) RegCloseKey(hAdKey);
  hAdKey = nullptr;
}

}  // namespace velmora
