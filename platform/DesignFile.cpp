#include "platform/DesignFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>
#include <set>

namespace velmora::platform {

using json = nlohmann::ordered_json;

namespace {

struct KindInfo {
  ControlKind kind;
  std::string_view name;
  bool container;  // may hold other controls
  std::initializer_list<std::string_view> keys;  // keys besides the common ones
};

const std::initializer_list<std::string_view> kCommonKeys = {
    "kind", "name", "container", "left", "top", "width", "height", "tabIndex", "visible",
    "enabled"};

const std::array<KindInfo, 7> kKinds = {{
    {ControlKind::Frame, "frame", true, {"caption", "backColor", "foreColor", "font"}},
    {ControlKind::CheckBox, "checkbox", false,
     {"caption", "value", "backColor", "foreColor", "font", "tabStop"}},
    {ControlKind::Label, "label", false,
     {"caption", "backColor", "foreColor", "font", "alignment", "borderStyle", "useMnemonic"}},
    {ControlKind::PictureBox, "picturebox", true,
     {"backColor", "foreColor", "font", "borderStyle", "picture", "autoSize"}},
    {ControlKind::CommandButton, "commandbutton", false,
     {"caption", "default", "cancel", "font", "tabStop"}},
    {ControlKind::Line, "line", false,
     {"x1", "y1", "x2", "y2", "borderWidth", "borderColor", "borderStyle"}},
    {ControlKind::UserControl, "usercontrol", false,
     {"class", "properties", "default", "cancel", "tabStop"}},
}};

bool HasKey(const KindInfo& info, std::string_view key) {
  return std::find(info.keys.begin(), info.keys.end(), key) != info.keys.end();
}

const KindInfo& InfoOf(ControlKind kind) {
  return *std::find_if(kKinds.begin(), kKinds.end(),
                       [kind](const KindInfo& k) { return k.kind == kind; });
}

std::string TypeName(const json& v) {
  switch (v.type()) {
    case json::value_t::null: return "null";
    case json::value_t::boolean: return "true/false";
    case json::value_t::string: return "a string";
    case json::value_t::array: return "a list";
    case json::value_t::object: return "an object";
    case json::value_t::number_float: return "a fraction";
    default: return "a number";
  }
}

// Reads typed values out of one JSON object, reporting faults with the file, the control and
// the key they concern.
class Reader {
 public:
  Reader(const std::string& file, std::string control, const json& obj, std::string prefix = {})
      : file_(file), control_(std::move(control)), obj_(obj), prefix_(std::move(prefix)) {}

  [[noreturn]] void Fail(std::string_view key, const std::string& problem) const {
    throw DesignError(file_, control_, key.empty() ? std::string() : prefix_ + std::string(key),
                      problem);
  }

  bool Has(std::string_view key) const { return obj_.contains(key); }

  void RejectUnknown(std::initializer_list<std::string_view> a,
                     std::initializer_list<std::string_view> b = {}) const {
    for (const auto& item : obj_.items()) {
      const std::string& key = item.key();
      const auto known = [&](std::initializer_list<std::string_view> list) {
        return std::find(list.begin(), list.end(), key) != list.end();
      };
      if (!known(a) && !known(b)) Fail(key, "unknown key");
    }
  }

  const json& Need(std::string_view key) const {
    const auto it = obj_.find(key);
    if (it == obj_.end()) Fail(key, "missing");
    return *it;
  }

  std::string String(std::string_view key, std::optional<std::string> fallback = {}) const {
    if (!Has(key)) return fallback ? *fallback : (Need(key), std::string());
    const json& v = obj_.at(std::string(key));
    if (!v.is_string()) Fail(key, "expected a string, found " + TypeName(v));
    return v.get<std::string>();
  }

  bool Bool(std::string_view key, bool fallback) const {
    if (!Has(key)) return fallback;
    const json& v = obj_.at(std::string(key));
    if (!v.is_boolean()) Fail(key, "expected true or false, found " + TypeName(v));
    return v.get<bool>();
  }

  int32_t Int(std::string_view key, std::optional<int32_t> fallback, int64_t lo, int64_t hi) const {
    if (!Has(key)) return fallback ? *fallback : (Need(key), 0);
    const json& v = obj_.at(std::string(key));
    if (!v.is_number_integer()) Fail(key, "expected a whole number, found " + TypeName(v));
    const bool negative = v.is_number_integer() && !v.is_number_unsigned() && v.get<int64_t>() < 0;
    if (!negative && v.get<uint64_t>() > static_cast<uint64_t>(hi))
      Fail(key, "value " + v.dump() + " is above " + std::to_string(hi));
    const int64_t n = v.get<int64_t>();
    if (n < lo) Fail(key, "value " + v.dump() + " is below " + std::to_string(lo));
    return static_cast<int32_t>(n);
  }

  double Number(std::string_view key, double fallback, double lo, double hi) const {
    if (!Has(key)) return fallback;
    const json& v = obj_.at(std::string(key));
    if (!v.is_number()) Fail(key, "expected a number, found " + TypeName(v));
    const double d = v.get<double>();
    if (!std::isfinite(d) || d < lo || d > hi)
      Fail(key, "value " + v.dump() + " is outside " + std::to_string(lo) + ".." +
                    std::to_string(hi));
    return d;
  }

  // An OLE colour: a number 0..0xFFFFFFFF or a string "0x8000000F" / "&H8000000F&".
  std::optional<uint32_t> Color(std::string_view key) const {
    if (!Has(key)) return std::nullopt;
    const json& v = obj_.at(std::string(key));
    if (v.is_number_unsigned() && v.get<uint64_t>() <= 0xFFFFFFFFull)
      return static_cast<uint32_t>(v.get<uint64_t>());
    if (v.is_string()) {
      std::string s = v.get<std::string>();
      std::string digits;
      if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        digits = s.substr(2);
      } else if (s.size() > 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h')) {
        digits = s.substr(2);
        if (!digits.empty() && digits.back() == '&') digits.pop_back();
      }
      const bool hex = !digits.empty() && digits.size() <= 8 &&
                       std::all_of(digits.begin(), digits.end(),
                                   [](unsigned char c) { return std::isxdigit(c) != 0; });
      if (hex) return static_cast<uint32_t>(std::stoul(digits, nullptr, 16));
    }
    Fail(key, "expected a colour (0 to 0xFFFFFFFF, or a text such as \"0x8000000F\"), found " +
                  (v.is_string() ? "\"" + v.get<std::string>() + "\"" : v.dump()));
  }

  template <typename E>
  E Choice(std::string_view key, E fallback,
           std::initializer_list<std::pair<std::string_view, E>> choices) const {
    if (!Has(key)) return fallback;
    const std::string s = String(key);
    for (const auto& [text, value] : choices)
      if (text == s) return value;
    std::string list;
    for (const auto& [text, value] : choices) list += (list.empty() ? "" : ", ") + std::string(text);
    Fail(key, "unknown value \"" + s + "\" (expected one of " + list + ")");
  }

  FontDesign Font(std::string_view key) const {
    return FontFromJson(Need(key), file_, control_, prefix_ + std::string(key));
  }

  const json& Object(std::string_view key) const {
    const json& v = Need(key);
    if (!v.is_object()) Fail(key, "expected an object, found " + TypeName(v));
    return v;
  }

 private:
  const std::string& file_;
  std::string control_;
  const json& obj_;
  std::string prefix_;
};

constexpr int32_t kMaxTwips = 0x7FFFFFFF;

ControlDesign ReadControl(const std::string& file, const json& entry, size_t index) {
  const std::string where = "#" + std::to_string(index + 1);
  if (!entry.is_object())
    throw DesignError(file, where, "", "expected an object, found " + TypeName(entry));
  // Until the name is known the control is named by its place in the list.
  const Reader first(file, where, entry);
  ControlDesign c;
  c.name = first.String("name");
  if (c.name.empty()) first.Fail("name", "must not be empty");
  const Reader r(file, c.name, entry);
  const std::string kind = r.String("kind");
  const auto info = std::find_if(kKinds.begin(), kKinds.end(),
                                 [&](const KindInfo& k) { return k.name == kind; });
  if (info == kKinds.end()) {
    std::string list;
    for (const auto& k : kKinds) list += (list.empty() ? "" : ", ") + std::string(k.name);
    r.Fail("kind", "unknown kind \"" + kind + "\" (expected one of " + list + ")");
  }
  c.kind = info->kind;
  r.RejectUnknown(kCommonKeys, info->keys);
  c.container = r.String("container");
  c.visible = r.Bool("visible", true);
  c.enabled = r.Bool("enabled", true);
  if (c.kind == ControlKind::Line) {
    for (const char* key : {"left", "top", "width", "height", "tabIndex"})
      if (r.Has(key)) r.Fail(key, "a line has no such key (it is placed by x1, y1, x2, y2)");
    c.x1 = r.Int("x1", std::nullopt, -kMaxTwips, kMaxTwips);
    c.y1 = r.Int("y1", std::nullopt, -kMaxTwips, kMaxTwips);
    c.x2 = r.Int("x2", std::nullopt, -kMaxTwips, kMaxTwips);
    c.y2 = r.Int("y2", std::nullopt, -kMaxTwips, kMaxTwips);
    c.borderWidth = r.Int("borderWidth", 1, 1, 8192);
    if (auto color = r.Color("borderColor")) c.borderColor = *color;
    c.lineStyle = r.Choice("borderStyle", LineStyle::Solid,
                           {{"solid", LineStyle::Solid}, {"insideSolid", LineStyle::InsideSolid}});
    return c;
  }
  c.left = r.Int("left", std::nullopt, -kMaxTwips, kMaxTwips);
  c.top = r.Int("top", std::nullopt, -kMaxTwips, kMaxTwips);
  c.width = r.Int("width", std::nullopt, 0, kMaxTwips);
  c.height = r.Int("height", std::nullopt, 0, kMaxTwips);
  c.tabIndex = r.Int("tabIndex", std::nullopt, 0, 32767);
  if (r.Has("caption")) c.caption = r.String("caption");
  c.backColor = r.Color("backColor");
  c.foreColor = r.Color("foreColor");
  if (r.Has("font")) c.font = r.Font("font");
  c.tabStop = r.Bool("tabStop", true);
  c.value = r.Int("value", 0, 0, 2);
  c.isDefault = r.Bool("default", false);
  c.isCancel = r.Bool("cancel", false);
  c.alignment = r.Choice("alignment", TextAlign::Left,
                         {{"left", TextAlign::Left},
                          {"right", TextAlign::Right},
                          {"center", TextAlign::Center}});
  c.borderStyle = r.Int("borderStyle", c.kind == ControlKind::PictureBox ? 1 : 0, 0, 1);
  c.useMnemonic = r.Bool("useMnemonic", true);
  if (r.Has("picture")) c.picture = r.String("picture");
  c.autoSize = r.Bool("autoSize", false);
  if (c.kind == ControlKind::UserControl) {
    c.className = r.String("class");
    if (c.className.empty()) r.Fail("class", "must not be empty");
    if (r.Has("properties")) c.properties = PropertyBag::FromJson(r.Object("properties"), file, c.name);
  }
  return c;
}

// Containers must exist, be able to hold controls and not nest in a cycle; names and tab
// indexes must be unique.
void CheckStructure(const FormDesign& form) {
  std::map<std::string, const ControlDesign*> byName;
  const auto key = [](std::string_view name) {
    std::string k(name);
    for (char& ch : k) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return k;
  };
  for (const ControlDesign& c : form.controls) {
    if (SameName(c.name, form.name))
      throw DesignError(form.file, c.name, "name", "the form itself is called \"" + form.name + "\"");
    if (!byName.emplace(key(c.name), &c).second)
      throw DesignError(form.file, c.name, "name", "another control has the same name");
  }
  std::map<int32_t, std::string> byTab;
  for (const ControlDesign& c : form.controls) {
    if (c.kind != ControlKind::Line && !byTab.emplace(c.tabIndex, c.name).second)
      throw DesignError(form.file, c.name, "tabIndex",
                        "tab index " + std::to_string(c.tabIndex) + " is also used by \"" +
                            byTab[c.tabIndex] + "\"");
    if (SameName(c.container, form.name)) continue;
    const auto it = byName.find(key(c.container));
    if (it == byName.end())
      throw DesignError(form.file, c.name, "container",
                        "no control or form is called \"" + c.container + "\"");
    if (!InfoOf(it->second->kind).container)
      throw DesignError(form.file, c.name, "container",
                        "\"" + c.container + "\" is a " + std::string(KindName(it->second->kind)) +
                            ", which cannot hold controls");
  }
  for (const ControlDesign& c : form.controls) {
    std::set<std::string> seen{key(c.name)};
    for (const ControlDesign* up = &c; !SameName(up->container, form.name);) {
      up = byName.at(key(up->container));
      if (!seen.insert(key(up->name)).second)
        throw DesignError(form.file, c.name, "container",
                          "containers nest in a cycle through \"" + up->name + "\"");
    }
  }
}

}  // namespace

std::string_view KindName(ControlKind kind) { return InfoOf(kind).name; }

FontDesign FontFromJson(const json& value, const std::string& file, const std::string& control,
                        const std::string& key) {
  if (!value.is_object())
    throw DesignError(file, control, key, "expected an object, found " + TypeName(value));
  const Reader r(file, control, value, key + ".");
  r.RejectUnknown({"name", "size", "weight", "charset", "bold", "italic", "underline",
                   "strikethrough"});
  FontDesign f;
  f.name = r.String("name");
  if (f.name.empty()) r.Fail("name", "must not be empty");
  f.size = r.Number("size", f.size, 1.0, 2048.0);
  f.weight = r.Int("weight", r.Bool("bold", false) ? 700 : 400, 0, 1000);
  f.charset = r.Int("charset", 0, 0, 255);
  f.italic = r.Bool("italic", false);
  f.underline = r.Bool("underline", false);
  f.strikethrough = r.Bool("strikethrough", false);
  return f;
}

json FontToJson(const FontDesign& font) {
  return {{"name", font.name},         {"size", font.size},
          {"weight", font.weight},     {"charset", font.charset},
          {"italic", font.italic},     {"underline", font.underline},
          {"strikethrough", font.strikethrough}};
}

namespace {

std::string HexColor(uint32_t color) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", color);
  return text;
}

json WriteControl(const ControlDesign& c) {
  const KindInfo& info = InfoOf(c.kind);
  json out = {{"kind", std::string(info.name)}, {"name", c.name}, {"container", c.container}};
  if (c.kind == ControlKind::Line) {
    out["x1"] = c.x1;
    out["y1"] = c.y1;
    out["x2"] = c.x2;
    out["y2"] = c.y2;
    out["borderWidth"] = c.borderWidth;
    out["borderColor"] = HexColor(c.borderColor);
    out["borderStyle"] = c.lineStyle == LineStyle::InsideSolid ? "insideSolid" : "solid";
  } else {
    if (HasKey(info, "caption")) out["caption"] = c.caption;
    out["left"] = c.left;
    out["top"] = c.top;
    out["width"] = c.width;
    out["height"] = c.height;
    out["tabIndex"] = c.tabIndex;
    if (HasKey(info, "tabStop") && !c.tabStop) out["tabStop"] = false;
    if (HasKey(info, "backColor") && c.backColor) out["backColor"] = HexColor(*c.backColor);
    if (HasKey(info, "foreColor") && c.foreColor) out["foreColor"] = HexColor(*c.foreColor);
    if (HasKey(info, "font") && c.font) out["font"] = FontToJson(*c.font);
    if (HasKey(info, "value") && c.value) out["value"] = c.value;
    if (HasKey(info, "default") && c.isDefault) out["default"] = true;
    if (HasKey(info, "cancel") && c.isCancel) out["cancel"] = true;
    if (HasKey(info, "alignment") && c.alignment != TextAlign::Left)
      out["alignment"] = c.alignment == TextAlign::Right ? "right" : "center";
    if (HasKey(info, "borderStyle")) out["borderStyle"] = c.borderStyle;
    if (HasKey(info, "useMnemonic") && !c.useMnemonic) out["useMnemonic"] = false;
    if (HasKey(info, "picture") && !c.picture.empty()) out["picture"] = c.picture;
    if (HasKey(info, "autoSize") && c.autoSize) out["autoSize"] = true;
    if (c.kind == ControlKind::UserControl) {
      out["class"] = c.className;
      out["properties"] = c.properties.ToJson();
    }
  }
  if (!c.visible) out["visible"] = false;
  if (!c.enabled) out["enabled"] = false;
  return out;
}

}  // namespace

std::string WriteFormDesign(const FormDesign& d) {
  const auto border = [&] {
    switch (d.borderStyle) {
      case FormBorder::None: return "none";
      case FormBorder::FixedSingle: return "fixedSingle";
      case FormBorder::FixedDialog: return "fixedDialog";
      case FormBorder::Sizable: break;
    }
    return "sizable";
  }();
  const auto position = [&] {
    switch (d.startUpPosition) {
      case StartUpPosition::Manual: return "manual";
      case StartUpPosition::CenterOwner: return "centerOwner";
      case StartUpPosition::CenterScreen: return "centerScreen";
      case StartUpPosition::WindowsDefault: break;
    }
    return "windowsDefault";
  }();
  json out = {{"name", d.name},
              {"caption", d.caption},
              {"left", d.left},
              {"top", d.top},
              {"clientWidth", d.clientWidth},
              {"clientHeight", d.clientHeight},
              {"borderStyle", border},
              {"controlBox", d.controlBox},
              {"minButton", d.minButton},
              {"maxButton", d.maxButton},
              {"showInTaskbar", d.showInTaskbar},
              {"startUpPosition", position},
              {"backColor", HexColor(d.backColor)},
              {"foreColor", HexColor(d.foreColor)},
              {"font", FontToJson(d.font)}};
  if (!d.icon.empty()) out["icon"] = d.icon;
  json controls = json::array();
  for (const ControlDesign& c : d.controls) controls.push_back(WriteControl(c));
  out["controls"] = std::move(controls);
  return out.dump(2);
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

const ControlDesign* FormDesign::Find(std::string_view controlName) const {
  for (const ControlDesign& c : controls)
    if (SameName(c.name, controlName)) return &c;
  return nullptr;
}

DesignError::DesignError(std::string file, std::string control, std::string key,
                         std::string problem)
    : std::runtime_error(file + ": " + (control.empty() ? "form" : "control \"" + control + "\"") +
                         (key.empty() ? "" : ": key \"" + key + "\"") + ": " + problem),
      file_(std::move(file)),
      control_(std::move(control)),
      key_(std::move(key)),
      problem_(std::move(problem)) {}

FormDesign ParseFormDesign(std::string_view text, std::string_view fileName) {
  FormDesign form;
  form.file = std::string(fileName);
  json doc;
  try {
    doc = json::parse(text.begin(), text.end());
  } catch (const json::exception& e) {
    // Syntax errors, and numbers too large for any number type.
    throw DesignError(form.file, "", "", std::string("not valid JSON (") + e.what() + ")");
  }
  if (!doc.is_object())
    throw DesignError(form.file, "", "", "expected an object at the top, found " + TypeName(doc));
  const Reader r(form.file, "", doc);
  r.RejectUnknown({"name", "caption", "left", "top", "clientWidth", "clientHeight", "borderStyle",
                   "controlBox", "minButton", "maxButton", "showInTaskbar", "startUpPosition",
                   "icon", "backColor", "foreColor", "font", "controls"});
  form.name = r.String("name");
  if (form.name.empty()) r.Fail("name", "must not be empty");
  form.caption = r.String("caption", std::string());
  form.left = r.Int("left", 0, -kMaxTwips, kMaxTwips);
  form.top = r.Int("top", 0, -kMaxTwips, kMaxTwips);
  form.clientWidth = r.Int("clientWidth", std::nullopt, 0, kMaxTwips);
  form.clientHeight = r.Int("clientHeight", std::nullopt, 0, kMaxTwips);
  form.borderStyle = r.Choice("borderStyle", FormBorder::Sizable,
                              {{"none", FormBorder::None},
                               {"fixedSingle", FormBorder::FixedSingle},
                               {"sizable", FormBorder::Sizable},
                               {"fixedDialog", FormBorder::FixedDialog}});
  form.controlBox = r.Bool("controlBox", true);
  const bool dialog = form.borderStyle == FormBorder::FixedDialog;
  form.minButton = r.Bool("minButton", !dialog);
  form.maxButton = r.Bool("maxButton", !dialog);
  form.showInTaskbar = r.Bool("showInTaskbar", !dialog);
  form.startUpPosition = r.Choice("startUpPosition", StartUpPosition::WindowsDefault,
                                  {{"manual", StartUpPosition::Manual},
                                   {"centerOwner", StartUpPosition::CenterOwner},
                                   {"centerScreen", StartUpPosition::CenterScreen},
                                   {"windowsDefault", StartUpPosition::WindowsDefault}});
  if (r.Has("icon")) form.icon = r.String("icon");
  if (auto c = r.Color("backColor")) form.backColor = *c;
  if (auto c = r.Color("foreColor")) form.foreColor = *c;
  if (r.Has("font")) form.font = r.Font("font");
  if (r.Has("controls")) {
    const json& list = doc.at("controls");
    if (!list.is_array()) r.Fail("controls", "expected a list, found " + TypeName(list));
    for (size_t i = 0; i < list.size(); ++i) form.controls.push_back(ReadControl(form.file, list[i], i));
  }
  CheckStructure(form);
  return form;
}

}  // namespace velmora::platform
