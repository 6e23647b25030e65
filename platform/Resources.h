#pragma once
// Data embedded in the executable's resources.

#include <windows.h>

#include <optional>
#include <string>

namespace velmora::platform {

// The bytes of a resource of the given type, or nothing when the module has no such resource.
std::optional<std::string> LoadResourceBytes(HMODULE module, const wchar_t* name,
                                             const wchar_t* type);

// Resource type of the embedded form designs.
inline constexpr wchar_t kDesignResourceType[] = L"DESIGN";

}  // namespace velmora::platform
