#include "tools/gallery/Arguments.h"

#include <cwctype>

#include "platform/Text.h"

namespace velmora::gallery {

namespace {
bool EndsWithPng(const std::wstring& path) {
  constexpr wchar_t kPng[] = L".png";
  if (path.size() < 5) return false;
  const size_t start = path.size() - 4;
  for (size_t i = 0; i < 4; ++i)
    if (std::towlower(path[start + i]) != static_cast<wint_t>(kPng[i])) return false;
  return true;
}
}  // namespace

Parsed ParseArguments(const std::vector<std::wstring>& args) {
  Options o;
  bool haveDesign = false, haveOut = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& a = args[i];
    if (a == L"--help" || a == L"-h" || a == L"/?") {
      o.help = true;
      return {o, {}};
    }
    if (a == L"--high-contrast") {
      if (o.highContrast) return {{}, "--high-contrast is given twice"};
      o.highContrast = true;
      continue;
    }
    if (a == L"--design" || a == L"--out") {
      const bool design = a == L"--design";
      if (design ? haveDesign : haveOut) return {{}, platform::Narrow(a) + " is given twice"};
      if (i + 1 >= args.size() || args[i + 1].empty() || args[i + 1].rfind(L"--", 0) == 0)
        return {{}, platform::Narrow(a) + (design ? " needs a design file" : " needs a .png file")};
      (design ? o.design : o.out) = args[++i];
      (design ? haveDesign : haveOut) = true;
      continue;
    }
    return {{}, "unknown argument \"" + platform::Narrow(a) + "\""};
  }
  if (!haveOut) return {{}, "--out SHEET.png is required"};
  if (!EndsWithPng(o.out))
    return {{}, "--out must name a .png file, not \"" + platform::Narrow(o.out) + "\""};
  return {o, {}};
}

std::wstring IndexPathFor(const std::wstring& sheet) {
  return sheet.substr(0, sheet.size() - 4) + L".json";
}

}  // namespace velmora::gallery
