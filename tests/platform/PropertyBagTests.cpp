// The property bag: typed reads with the runtime's conversions, defaults on read and write,
// keys in any case, and the design-file form (also of whole designs).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <array>

#include "platform/DesignFile.h"
#include "platform/PropertyBag.h"

namespace velmora::platform {
namespace {

PropertyBag FromText(const std::string& text) {
  return PropertyBag::FromJson(nlohmann::ordered_json::parse(text), "Bag.json", "Button");
}

TEST(PropertyBag, ReadsConvertStoredValuesToTheTypeAskedFor) {
  const PropertyBag bag = FromText(R"({"long": 42, "neg": -7, "text": "Hello", "hex": "&H8000000F&",
      "hex2": "0x00FF00", "hex3": " &hff", "number": "12", "half": 2.5, "yes": true, "no": false, "yesText": "True",
      "font": {"name": "Arial", "size": 10, "bold": true}})");
  // Halves go to the even neighbour; True is -1.
  EXPECT_EQ((std::array{bag.ReadLong("long", 0), bag.ReadLong("NEG", 0), bag.ReadLong("hex", 0),
                        bag.ReadLong("hex2", 0), bag.ReadLong("hex3", 0), bag.ReadLong("number", 0),
                        bag.ReadLong("half", 0), bag.ReadLong("yes", 0), bag.ReadLong("no", 9),
                        int32_t{bag.ReadInteger("long", 0)}}),
            (std::array{42, -7, static_cast<int32_t>(0x8000000F), 0x00FF00, 0xFF, 12, 2, -1, 0, 42}));
  EXPECT_EQ((std::array{bag.ReadBoolean("yes", false), bag.ReadBoolean("no", true),
                        bag.ReadBoolean("yesText", false), bag.ReadBoolean("long", false)}),
            (std::array{true, false, true, true}));
  EXPECT_EQ(bag.ReadString("text", "") + bag.ReadString("long", "") + bag.ReadString("yes", ""),
            "Hello42True");
  EXPECT_TRUE(bag.ReadFont("font")->name == "Arial" && bag.ReadFont("font")->Bold());
  // Absent keys give the defaults.
  EXPECT_EQ(bag.ReadLong("missing", 7), 7);
  EXPECT_EQ(bag.ReadString("missing", "d"), "d");
  EXPECT_TRUE(!bag.ReadFont("missing").has_value() && bag.ReadPicture("missing").empty());
}

TEST(PropertyBag, ValuesOfTheWrongTypeOrSizeAreErrorsNamingTheKey) {
  const PropertyBag bag = FromText(R"({"text": "abc", "big": 70000, "huge": 4294967296,
      "font": {"name": "Arial"}, "pic": {"picture": "AAAA"}, "hex9": "&H123456789"})");
  const auto error = [&](auto read) {
    try {
      read();
    } catch (const PropertyError& e) {
      return std::to_string(e.number()) + " " + e.key() + " " + e.what();
    }
    return std::string("no error");
  };
  EXPECT_EQ(error([&] { bag.ReadLong("text", 0); }).rfind("13 text ", 0), 0u);
  EXPECT_EQ(error([&] { bag.ReadInteger("big", 0); }).rfind("6 big ", 0), 0u);
  EXPECT_EQ(error([&] { bag.ReadLong("huge", 0); }).rfind("6 huge ", 0), 0u);
  EXPECT_EQ(error([&] { bag.ReadBoolean("text", false); }).rfind("13 text ", 0), 0u);
  EXPECT_EQ(error([&] { bag.ReadString("font", ""); }).rfind("13 font ", 0), 0u);
  EXPECT_EQ(error([&] { bag.ReadFont("text"); }).rfind("13 text ", 0), 0u);
  EXPECT_EQ(error([&] { bag.ReadPicture("font"); }).rfind("13 font ", 0), 0u);
  EXPECT_EQ(error([&] { bag.ReadLong("pic", 0); }).rfind("13 pic ", 0), 0u);
  EXPECT_EQ(error([&] { bag.ReadLong("hex9", 0); }).rfind("13 hex9 ", 0), 0u) << "hexadecimal has 8 digits at most";
  EXPECT_NE(error([&] { bag.ReadLong("text", 0); }).find("key \"text\": type mismatch"),
            std::string::npos);
}

TEST(PropertyBag, WritingTheDefaultStoresNothingAndForgetsAnEarlierValue) {
  PropertyBag bag;
  bag.WriteLong("CapAlign", 2, 2);
  bag.WriteString("Caption", "", "");
  bag.WriteBoolean("Focus", true, true);
  bag.WriteFont("Font", std::nullopt);
  bag.WritePicture("Image", {});
  EXPECT_TRUE(bag.empty());
  bag.WriteLong("Mode", 0, std::nullopt);  // no default: always stored
  bag.WriteLong("CapAlign", 0, 2);
  bag.WriteInteger("ImgSize", 0, 16);
  EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"Mode", "CapAlign", "ImgSize"}));
  bag.WriteLong("capalign", 2, 2);  // the same key in another case, now at its default
  EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"Mode", "ImgSize"}));
  bag.WriteLong("IMGSIZE", 24, 16);
  EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"Mode", "IMGSIZE"}));
  EXPECT_EQ(bag.ReadInteger("ImgSize", 0), 24);
}

TEST(PropertyBag, TheDesignFileFormKeepsEveryValue) {
  PropertyBag bag;
  bag.WriteString("Caption", "Ünïcødé & more", "");
  bag.WriteLong("cBack", static_cast<int32_t>(0x8000000F), std::nullopt);
  bag.WriteBoolean("Value", true, std::nullopt);
  FontDesign font;
  font.name = "Tahoma";
  font.size = 9.75;
  font.italic = true;
  bag.WriteFont("Font", font);
  bag.WritePicture("Image", {{0x42, 0x4D, 0x00, 0xFF, 0x10}});
  const PropertyBag back = PropertyBag::FromJson(bag.ToJson(), "Bag.json", "Button");
  EXPECT_EQ(back, bag);
  EXPECT_EQ(back.Keys(), bag.Keys());
  EXPECT_EQ(bag.ToJson()["Image"]["picture"], "Qk0A/xA=");
}

TEST(PropertyBag, MalformedStoredValuesAreDesignErrors) {
  const auto problem = [](const std::string& text) {
    try {
      FromText(text);
    } catch (const DesignError& e) {
      EXPECT_EQ(e.control(), "Button");
      return e.key() + ": " + e.problem();
    }
    return std::string("accepted");
  };
  EXPECT_EQ(problem(R"({"a": null})"), "properties.a: expected a text, number, true/false, font or picture");
  EXPECT_EQ(problem(R"({"a": [1]})"), "properties.a: expected a text, number, true/false, font or picture");
  EXPECT_EQ(problem(R"({"a": {"picture": "not base64!"}})"), "properties.a: the picture is not valid base64");
  EXPECT_EQ(problem(R"({"a": {"picture": 5}})").rfind("properties.a: a picture is stored as", 0), 0u);
  EXPECT_EQ(problem(R"({"a": {"size": 3}})"), "properties.a.name: missing");
  EXPECT_EQ(problem(R"({"a": 1, "A": 2})"), "properties.A: the key is stored twice");
}

TEST(PropertyBag, Base64RoundTripsAnyBytesAndRejectsNonsense) {
  for (size_t n = 0; n < 10; ++n) {
    std::vector<uint8_t> bytes(n);
    for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<uint8_t>(i * 37 + 200);
    EXPECT_EQ(Base64Decode(Base64Encode(bytes)), bytes) << n;
  }
  EXPECT_FALSE(Base64Decode("abc").has_value());
  EXPECT_FALSE(Base64Decode("ab=c").has_value());
  EXPECT_FALSE(Base64Decode("a===").has_value());
}

}  // namespace
}  // namespace velmora::platform
