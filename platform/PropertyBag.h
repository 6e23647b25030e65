#pragma once
// The property bag of a user control in a stored design: named, typed values with keys matched
// without regard to case. Reading converts the stored value to the type asked for (a number
// stored as text reads as a number, as the runtime's conversions allow); writing a value equal
// to its default stores nothing. No Windows header.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "platform/Font.h"
#include "platform/HostError.h"

namespace velmora::platform {

// A picture as stored: the bytes of its file (BMP, ICO, CUR, GIF, JPEG). Empty: no picture.
struct PictureData {
  std::vector<uint8_t> bytes;
  bool empty() const { return bytes.empty(); }
  bool operator==(const PictureData&) const = default;
};

// A stored value that cannot be read as the type asked for.
class PropertyError : public std::runtime_error {
 public:
  PropertyError(int32_t number, const std::string& key, const std::string& problem)
      : std::runtime_error("key \"" + key + "\": " + problem), number_(number), key_(key) {}
  int32_t number() const { return number_; }
  const std::string& key() const { return key_; }
  HostError ToHostError() const { return {number_, what(), key_}; }

 private:
  int32_t number_;
  std::string key_;
};

class PropertyBag {
 public:
  // What a key holds: text, a whole number, a fraction, true/false, a font or a picture.
  using Value = std::variant<std::string, int64_t, double, bool, FontDesign, PictureData>;

  // Reads throw PropertyError for a stored value of the wrong type or out of range.
  std::string ReadString(std::string_view key, std::string_view def) const;
  int32_t ReadLong(std::string_view key, int32_t def) const;
  int16_t ReadInteger(std::string_view key, int16_t def) const;
  bool ReadBoolean(std::string_view key, bool def) const;
  std::optional<FontDesign> ReadFont(std::string_view key) const;  // none when absent
  PictureData ReadPicture(std::string_view key) const;            // empty when absent

  // Writes store nothing (and forget an earlier value) when the value equals the default;
  // without a default the value is always stored.
  void WriteString(std::string_view key, std::string_view value, std::string_view def);
  void WriteLong(std::string_view key, int32_t value, std::optional<int32_t> def);
  void WriteInteger(std::string_view key, int16_t value, std::optional<int16_t> def);
  void WriteBoolean(std::string_view key, bool value, std::optional<bool> def);
  void WriteFont(std::string_view key, const std::optional<FontDesign>& value);  // default: none
  void WritePicture(std::string_view key, const PictureData& value);           // default: empty

  bool Has(std::string_view key) const { return Find(key) != nullptr; }
  const Value* Find(std::string_view key) const;
  // Keys in the order they were first stored, spelled as last written.
  std::vector<std::string> Keys() const;
  bool empty() const { return entries_.empty(); }
  bool operator==(const PropertyBag&) const = default;

  // The design-file form: a JSON object, pictures as base64 of their file bytes. FromJson
  // throws DesignError naming the file, the control and the key.
  static PropertyBag FromJson(const nlohmann::ordered_json& object, const std::string& file,
                              const std::string& control);
  nlohmann::ordered_json ToJson() const;

 private:
  void Store(std::string_view key, Value value);
  void Forget(std::string_view key);
  std::vector<std::pair<std::string, Value>> entries_;
};

std::string Base64Encode(const std::vector<uint8_t>& bytes);
// Nothing for text that is not base64.
std::optional<std::vector<uint8_t>> Base64Decode(std::string_view text);

}  // namespace velmora::platform
