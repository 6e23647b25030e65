#include "platform/PropertyBag.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <limits>
#include <nlohmann/json.hpp>

#include "platform/DesignFile.h"

namespace velmora::platform {

using json = nlohmann::ordered_json;

namespace {

std::string Describe(const PropertyBag::Value& v) {
  struct {
    std::string operator()(const std::string& s) const { return "the text \"" + s + "\""; }
    std::string operator()(int64_t n) const { return "the number " + std::to_string(n); }
    std::string operator()(double d) const { return "the number " + std::to_string(d); }
    std::string operator()(bool b) const { return b ? "True" : "False"; }
    std::string operator()(const FontDesign&) const { return "a font"; }
    std::string operator()(const PictureData&) const { return "a picture"; }
  } describe;
  return std::visit(describe, v);
}

[[noreturn]] void Mismatch(std::string_view key, const std::string& wanted,
                           const PropertyBag::Value& v) {
  throw PropertyError(kErrTypeMismatch, std::string(key),
                      "type mismatch: expected " + wanted + ", found " + Describe(v));
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Text as a number, the way the runtime converts it: decimal (with a fraction rounded half to
// even) or hexadecimal after "&H" or "0x" (eight digits at most, as a signed 32-bit value).
std::optional<double> NumberFromText(std::string_view text) {
  std::string t(text);
  t.erase(0, t.find_first_not_of(" \t"));
  t.erase(t.find_last_not_of(" \t") + 1);
  std::string digits;
  if (t.size() > 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h')) {
    digits = t.substr(2);
    if (!digits.empty() && digits.back() == '&') digits.pop_back();
  } else if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    digits = t.substr(2);
  }
  if (!digits.empty()) {
    if (digits.size() > 8 || !std::all_of(digits.begin(), digits.end(), [](unsigned char c) {
          return std::isxdigit(c) != 0;
        }))
      return std::nullopt;
    return static_cast<double>(static_cast<int32_t>(std::stoul(digits, nullptr, 16)));
  }
  if (t.empty()) return std::nullopt;
  char* end = nullptr;
  const double d = std::strtod(t.c_str(), &end);
  if (end != t.c_str() + t.size() || !std::isfinite(d)) return std::nullopt;
  return d;
}

// Any stored value as a whole number in [lo, hi], or the runtime's errors.
int64_t WholeNumber(std::string_view key, const PropertyBag::Value& v, int64_t lo, int64_t hi,
                    const std::string& wanted) {
  if (const auto* n = std::get_if<int64_t>(&v)) {
    if (*n < lo || *n > hi)
      throw PropertyError(kErrOverflow, std::string(key),
                          "overflow: " + std::to_string(*n) + " does not fit " + wanted);
    return *n;
  }
  if (const auto* b = std::get_if<bool>(&v)) return *b ? -1 : 0;
  double d = 0;
  if (const auto* f = std::get_if<double>(&v)) {
    d = *f;
  } else if (const auto* s = std::get_if<std::string>(&v)) {
    const auto parsed = NumberFromText(*s);
    if (!parsed) Mismatch(key, wanted, v);
    d = *parsed;
  } else {
    Mismatch(key, wanted, v);
  }
  const double rounded = std::nearbyint(d);
  if (rounded < static_cast<double>(lo) || rounded > static_cast<double>(hi))
    throw PropertyError(kErrOverflow, std::string(key),
                        "overflow: " + Describe(v) + " does not fit " + wanted);
  return static_cast<int64_t>(rounded);
}

const char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

}  // namespace

std::string Base64Encode(const std::vector<uint8_t>& bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const uint32_t n = (uint32_t{bytes[i]} << 16) |
                       (i + 1 < bytes.size() ? uint32_t{bytes[i + 1]} << 8 : 0) |
                       (i + 2 < bytes.size() ? uint32_t{bytes[i + 2]} : 0);
    out += kBase64[(n >> 18) & 63];
    out += kBase64[(n >> 12) & 63];
    out += i + 1 < bytes.size() ? kBase64[(n >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? kBase64[n & 63] : '=';
  }
  return out;
}

std::optional<std::vector<uint8_t>> Base64Decode(std::string_view text) {
  if (text.size() % 4 != 0) return std::nullopt;
  std::vector<uint8_t> out;
  out.reserve(text.size() / 4 * 3);
  for (size_t i = 0; i < text.size(); i += 4) {
    uint32_t n = 0;
    int padding = 0;
    for (size_t j = 0; j < 4; ++j) {
      const char c = text[i + j];
      const char* at = c ? std::strchr(kBase64, c) : nullptr;
      if (c == '=' && i + 4 == text.size() && j >= 2) {
        ++padding;
        n <<= 6;
      } else if (at && !padding) {
        n = (n << 6) | static_cast<uint32_t>(at - kBase64);
      } else {
        return std::nullopt;
      }
    }
    out.push_back(static_cast<uint8_t>(n >> 16));
    if (padding < 2) out.push_back(static_cast<uint8_t>(n >> 8));
    if (padding < 1) out.push_back(static_cast<uint8_t>(n));
  }
  return out;
}

const PropertyBag::Value* PropertyBag::Find(std::string_view key) const {
  for (const auto& [k, v] : entries_)
    if (SameName(k, key)) return &v;
  return nullptr;
}

std::vector<std::string> PropertyBag::Keys() const {
  std::vector<std::string> keys;
  for (const auto& [k, v] : entries_) keys.push_back(k);
  return keys;
}

void PropertyBag::Store(std::string_view key, Value value) {
  for (auto& [k, v] : entries_)
    if (SameName(k, key)) {
      k = std::string(key);
      v = std::move(value);
      return;
    }
  entries_.emplace_back(std::string(key), std::move(value));
}

void PropertyBag::Forget(std::string_view key) {
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                [&](const auto& e) { return SameName(e.first, key); }),
                 entries_.end());
}

std::string PropertyBag::ReadString(std::string_view key, std::string_view def) const {
  const Value* v = Find(key);
  if (!v) return std::string(def);
  if (const auto* s = std::get_if<std::string>(v)) return *s;
  if (const auto* n = std::get_if<int64_t>(v)) return std::to_string(*n);
  if (const auto* b = std::get_if<bool>(v)) return *b ? "True" : "False";
  if (const auto* d = std::get_if<double>(v)) {
    json j = *d;
    return j.dump();
  }
  Mismatch(key, "a text", *v);
}

int32_t PropertyBag::ReadLong(std::string_view key, int32_t def) const {
  const Value* v = Find(key);
  if (!v) return def;
  return static_cast<int32_t>(WholeNumber(key, *v, std::numeric_limits<int32_t>::min(),
                                          std::numeric_limits<int32_t>::max(),
                                          "a 32-bit whole number"));
}

int16_t PropertyBag::ReadInteger(std::string_view key, int16_t def) const {
  const Value* v = Find(key);
  if (!v) return def;
  return static_cast<int16_t>(WholeNumber(key, *v, std::numeric_limits<int16_t>::min(),
                                          std::numeric_limits<int16_t>::max(),
                                          "a 16-bit whole number"));
}

bool PropertyBag::ReadBoolean(std::string_view key, bool def) const {
  const Value* v = Find(key);
  if (!v) return def;
  if (const auto* b = std::get_if<bool>(v)) return *b;
  if (const auto* s = std::get_if<std::string>(v)) {
    const std::string lower = Lower(*s);
    if (lower == "true") return true;
    if (lower == "false") return false;
    if (const auto n = NumberFromText(*s)) return *n != 0;
    Mismatch(key, "True or False", *v);
  }
  if (std::holds_alternative<int64_t>(*v) || std::holds_alternative<double>(*v))
    return WholeNumber(key, *v, std::numeric_limits<int64_t>::min(),
                       std::numeric_limits<int64_t>::max(), "True or False") != 0;
  Mismatch(key, "True or False", *v);
}

std::optional<FontDesign> PropertyBag::ReadFont(std::string_view key) const {
  const Value* v = Find(key);
  if (!v) return std::nullopt;
  if (const auto* f = std::get_if<FontDesign>(v)) return *f;
  Mismatch(key, "a font", *v);
}

PictureData PropertyBag::ReadPicture(std::string_view key) const {
  const Value* v = Find(key);
  if (!v) return {};
  if (const auto* p = std::get_if<PictureData>(v)) return *p;
  Mismatch(key, "a picture", *v);
}

void PropertyBag::WriteString(std::string_view key, std::string_view value, std::string_view def) {
  if (value == def) return Forget(key);
  Store(key, std::string(value));
}

void PropertyBag::WriteLong(std::string_view key, int32_t value, std::optional<int32_t> def) {
  if (def && value == *def) return Forget(key);
  Store(key, int64_t{value});
}

void PropertyBag::WriteInteger(std::string_view key, int16_t value, std::optional<int16_t> def) {
  if (def && value == *def) return Forget(key);
  Store(key, int64_t{value});
}

void PropertyBag::WriteBoolean(std::string_view key, bool value, std::optional<bool> def) {
  if (def && value == *def) return Forget(key);
  Store(key, value);
}

void PropertyBag::WriteFont(std::string_view key, const std::optional<FontDesign>& value) {
  if (!value) return Forget(key);
  Store(key, *value);
}

void PropertyBag::WritePicture(std::string_view key, const PictureData& value) {
  if (value.empty()) return Forget(key);
  Store(key, value);
}

PropertyBag PropertyBag::FromJson(const json& object, const std::string& file,
                                  const std::string& control) {
  PropertyBag bag;
  for (const auto& [key, value] : object.items()) {
    const std::string where = "properties." + key;
    if (bag.Has(key)) throw DesignError(file, control, where, "the key is stored twice");
    switch (value.type()) {
      case json::value_t::string: bag.Store(key, value.get<std::string>()); break;
      case json::value_t::boolean: bag.Store(key, value.get<bool>()); break;
      case json::value_t::number_integer: bag.Store(key, value.get<int64_t>()); break;
      case json::value_t::number_unsigned:
        if (value.get<uint64_t>() > static_cast<uint64_t>(std::numeric_limits<int64_t>::max()))
          throw DesignError(file, control, where, "the number is too large");
        bag.Store(key, static_cast<int64_t>(value.get<uint64_t>()));
        break;
      case json::value_t::number_float: bag.Store(key, value.get<double>()); break;
      case json::value_t::object:
        if (value.contains("picture")) {
          const json& data = value.at("picture");
          if (value.size() != 1 || !data.is_string())
            throw DesignError(file, control, where,
                              "a picture is stored as {\"picture\": \"<base64 of its file>\"}");
          auto bytes = Base64Decode(data.get<std::string>());
          if (!bytes) throw DesignError(file, control, where, "the picture is not valid base64");
          bag.Store(key, PictureData{std::move(*bytes)});
        } else {
          bag.Store(key, FontFromJson(value, file, control, where));
        }
        break;
      default:
        throw DesignError(file, control, where,
                          "expected a text, number, true/false, font or picture");
    }
  }
  return bag;
}

json PropertyBag::ToJson() const {
  json out = json::object();
  for (const auto& [key, value] : entries_) {
    struct {
      json operator()(const std::string& s) const { return s; }
      json operator()(int64_t n) const { return n; }
      json operator()(double d) const { return d; }
      json operator()(bool b) const { return b; }
      json operator()(const FontDesign& f) const { return FontToJson(f); }
      json operator()(const PictureData& p) const { return {{"picture", Base64Encode(p.bytes)}}; }
    } toJson;
    out[key] = std::visit(toJson, value);
  }
  return out;
}

}  // namespace velmora::platform
