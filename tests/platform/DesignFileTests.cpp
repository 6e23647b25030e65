// The design-file reader: what a good design yields and how each kind of bad one is reported.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/DesignFile.h"

namespace velmora::platform {
namespace {

const char* const kGood = R"({
  "name": "Sample", "caption": "Sample form", "clientWidth": 4500, "clientHeight": 3000,
  "borderStyle": "fixedDialog", "startUpPosition": "centerOwner", "icon": "APPICON",
  "font": {"name": "Tahoma", "size": 9.75, "bold": true, "italic": true},
  "controls": [
    {"kind": "frame", "name": "Frame1", "container": "Sample", "caption": "Group",
     "left": 120, "top": 0, "width": 3000, "height": 2000, "tabIndex": 2},
    {"kind": "checkbox", "name": "Check1", "container": "frame1", "caption": "One",
     "left": 120, "top": 360, "width": 1500, "height": 255, "tabIndex": 3, "value": 2,
     "backColor": "&H80000005&", "foreColor": 255},
    {"kind": "label", "name": "Label1", "container": "Sample", "caption": "Text",
     "left": 0, "top": 2100, "width": 900, "height": 255, "tabIndex": 0,
     "alignment": "center", "useMnemonic": false},
    {"kind": "picturebox", "name": "Picture1", "container": "Sample",
     "left": 0, "top": 2400, "width": 900, "height": 255, "tabIndex": 1, "picture": "APPICON",
     "autoSize": true, "backColor": "&hFF00"},
    {"kind": "commandbutton", "name": "OK", "container": "Sample", "caption": "OK",
     "left": 3200, "top": 2400, "width": 900, "height": 345, "tabIndex": 4,
     "default": true, "cancel": true},
    {"kind": "line", "name": "Rule", "container": "Sample",
     "x1": 120, "y1": 2160, "x2": 5684, "y2": 2160, "borderWidth": 2,
     "borderColor": "0x00808080", "borderStyle": "insideSolid"},
    {"kind": "usercontrol", "class": "Tessorin.Ornabutton", "name": "Go", "container": "Sample",
     "left": 0, "top": 0, "width": 900, "height": 345, "tabIndex": 5, "default": true,
     "properties": {"caption": "Go", "cback": "0x8000000F", "value": true,
       "font": {"name": "Tahoma", "size": 9.75, "italic": true}, "image": {"picture": "Qk0A/xA="}}}
  ]})";

// A fixed dialog has no minimise or maximise box and stays out of the task bar unless told;
// picture boxes have a border unless told; a line has no tab index.
TEST(DesignFile, GoodDesignYieldsEveryValueAndTheDefaults) {
  const FormDesign d = ParseFormDesign(kGood, "Sample.json");
  EXPECT_EQ(d.file + "|" + d.name + "|" + d.caption + "|" + d.font.name, "Sample.json|Sample|Sample form|Tahoma");
  EXPECT_EQ((std::array<int64_t, 9>{d.clientWidth, d.clientHeight, d.minButton, d.maxButton, d.showInTaskbar,
                                    d.backColor, d.font.weight, d.font.italic, d.controlBox}),
            (std::array<int64_t, 9>{4500, 3000, false, false, false, 0x8000000F, 700, true, true}));
  EXPECT_EQ(d.borderStyle, FormBorder::FixedDialog);
  EXPECT_EQ(d.startUpPosition, StartUpPosition::CenterOwner);
  EXPECT_DOUBLE_EQ(d.font.size, 9.75);
  ASSERT_EQ(d.controls.size(), 7u);

  const ControlDesign& check = *d.Find("CHECK1");
  EXPECT_EQ(check.kind, ControlKind::CheckBox);
  EXPECT_EQ(check.container, "frame1");
  EXPECT_EQ((std::array<int64_t, 8>{check.value, *check.backColor, *check.foreColor, check.left, check.top,
                                    check.width, check.height, check.tabIndex}),
            (std::array<int64_t, 8>{2, 0x80000005, 0x000000FF, 120, 360, 1500, 255, 3}));
  EXPECT_FALSE(check.font.has_value());
  const ControlDesign &label = *d.Find("Label1"), &picture = *d.Find("Picture1"), &ok = *d.Find("OK");
  EXPECT_EQ(label.alignment, TextAlign::Center);
  EXPECT_EQ(picture.backColor, 0xFF00u);
  EXPECT_EQ((std::array<int, 6>{label.useMnemonic, label.borderStyle, picture.borderStyle, picture.autoSize,
                                ok.isDefault, ok.isCancel}),
            (std::array<int, 6>{false, 0, 1, true, true, true}));
  const ControlDesign& rule = *d.Find("Rule");
  EXPECT_EQ(rule.kind, ControlKind::Line);
  EXPECT_EQ(rule.lineStyle, LineStyle::InsideSolid);
  EXPECT_EQ((std::array<int64_t, 6>{rule.x1, rule.x2, rule.y2, rule.borderWidth, rule.borderColor, rule.tabIndex}),
            (std::array<int64_t, 6>{120, 5684, 2160, 2, 0x00808080, -1}));
  EXPECT_EQ(d.Find("Go")->className, "Tessorin.Ornabutton");
  EXPECT_EQ(d.Find("Go")->properties.ReadString("Caption", ""), "Go");
  // Written out again, the design reads back equal.
  EXPECT_EQ(ParseFormDesign(WriteFormDesign(d), "Sample.json"), d);
}

struct BadCase {
  const char* what;
  std::string json;
  std::string control;  // expected DesignError::control()
  std::string key;      // expected DesignError::key()
  std::string problem;  // expected part of the problem text
};

std::string FormWith(const std::string& controls) {
  return R"({"name": "Bad", "clientWidth": 3000, "clientHeight": 2000, "controls": [)" + controls +
         "]}";
}
const std::string kCheck =
    R"({"kind": "checkbox", "name": "Check1", "container": "Bad", "caption": "One", )"
    R"("left": 120, "top": 360, "width": 1500, "height": 255, "tabIndex": 0})";
// The form with the check box, one piece of its entry replaced.
std::string Changed(const std::string& from, const std::string& to) {
  std::string s = kCheck;
  s.replace(s.find(from), from.size(), to);
  return FormWith(s);
}
// The form with the check box and one more key.
std::string Added(const std::string& keyAndValue) { return Changed(R"("tabIndex": 0)", R"("tabIndex": 0, )" + keyAndValue); }
std::string Entry(const char* kind, const std::string& name, const std::string& container, int tab) {
  return std::string(R"({"kind": ")") + kind + R"(", "name": ")" + name + R"(", "container": ")" +
         container + R"(", "left": 0, "top": 0, "width": 100, "height": 100, "tabIndex": )" +
         std::to_string(tab) + "}";
}

class DesignFileErrors : public testing::TestWithParam<BadCase> {};

TEST_P(DesignFileErrors, NameTheFileTheControlAndTheKey) {
  const BadCase& c = GetParam();
  try {
    ParseFormDesign(c.json, "Bad.json");
    FAIL() << c.what << ": the design was accepted";
  } catch (const DesignError& e) {
    EXPECT_EQ(e.file(), "Bad.json") << c.what;
    EXPECT_EQ(e.control(), c.control) << c.what;
    EXPECT_EQ(e.key(), c.key) << c.what;
    EXPECT_NE(e.problem().find(c.problem), std::string::npos) << c.what << ": " << e.what();
    // The message itself carries all three, so whoever reads it knows where to look.
    const std::string message = e.what();
    EXPECT_EQ(message.find("Bad.json"), 0u) << message;
    if (!c.control.empty()) {
      EXPECT_NE(message.find('"' + c.control + '"'), std::string::npos) << message;
    }
    if (!c.key.empty()) {
      EXPECT_NE(message.find('"' + c.key + '"'), std::string::npos) << message;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    BadDesigns, DesignFileErrors,
    testing::Values(
        BadCase{"wrong type", Changed(R"("top": 360)", R"("top": "360")"), "Check1", "top", "expected a whole number, found a string"},
        BadCase{"fraction for twips", Changed(R"("top": 360)", R"("top": 360.5)"), "Check1", "top", "expected a whole number"},
        BadCase{"unknown kind", Changed(R"("kind": "checkbox")", R"("kind": "button")"), "Check1", "kind", "unknown kind \"button\""},
        BadCase{"missing field", Changed(R"("top": 360, )", ""), "Check1", "top", "missing"},
        BadCase{"missing name", Changed(R"("name": "Check1", )", ""), "#1", "name", "missing"},
        BadCase{"unknown key", Added(R"("colour": 1)"), "Check1", "colour", "unknown key"},
        BadCase{"key of another kind", Added(R"("default": true)"), "Check1", "default", "unknown key"},
        BadCase{"check value out of range", Added(R"("value": 3)"), "Check1", "value", "above 2"},
        BadCase{"negative check value", Added(R"("value": -1)"), "Check1", "value", "below 0"},
        BadCase{"negative width", Changed(R"("width": 1500)", R"("width": -1)"), "Check1", "width", "below 0"},
        BadCase{"negative tab index", Changed(R"("tabIndex": 0)", R"("tabIndex": -1)"), "Check1", "tabIndex", "below 0"},
        BadCase{"twips beyond 32 bits", Changed(R"("left": 120)", R"("left": 4294967296)"), "Check1", "left", "above"},
        BadCase{"bad colour", Added(R"("backColor": "0xZZ")"), "Check1", "backColor", "expected a colour"},
        BadCase{"colour beyond 32 bits", Added(R"("backColor": 4294967296)"), "Check1", "backColor", "expected a colour"},
        BadCase{"font size of wrong type", Added(R"("font": {"name": "Arial", "size": "8"})"), "Check1", "font.size", "expected a number"},
        BadCase{"missing container", Changed(R"("container": "Bad")", R"("container": "Nowhere")"), "Check1", "container",
                "no control or form is called \"Nowhere\""},
        BadCase{"check box as container", FormWith(kCheck + "," + Entry("checkbox", "Check2", "Check1", 1)), "Check2",
                "container", "\"Check1\" is a checkbox, which cannot hold controls"},
        BadCase{"containers in a cycle", FormWith(Entry("frame", "A", "B", 0) + "," + Entry("frame", "B", "A", 1)), "A",
                "container", "cycle"},
        BadCase{"duplicate name in another case", FormWith(kCheck + "," + Entry("checkbox", "CHECK1", "Bad", 1)), "CHECK1",
                "name", "same name"},
        BadCase{"duplicate tab index", FormWith(Entry("frame", "A", "Bad", 0) + "," + kCheck), "Check1", "tabIndex",
                "also used by \"A\""},
        BadCase{"control named like the form", Changed(R"("name": "Check1")", R"("name": "bad")"), "bad", "name", "the form itself"},
        BadCase{"line placed like a box",
                FormWith(R"({"kind": "line", "name": "L", "container": "Bad", "left": 0, "x1": 0, "y1": 0, "x2": 1, "y2": 1})"),
                "L", "left", "a line has no such key"},
        BadCase{"unknown form key", R"({"name": "Bad", "clientWidth": 1, "clientHeight": 1, "colour": 3})", "", "colour", "unknown key"},
        BadCase{"unknown border style", R"({"name": "Bad", "clientWidth": 1, "clientHeight": 1, "borderStyle": "thin"})", "",
                "borderStyle", "unknown value \"thin\""},
        BadCase{"controls not a list", R"({"name": "Bad", "clientWidth": 1, "clientHeight": 1, "controls": {}})", "", "controls",
                "expected a list"},
        BadCase{"control not an object", FormWith("42"), "#1", "", "expected an object"},
        BadCase{"not JSON", R"({"name": "Bad", )", "", "", "not valid JSON"},
        BadCase{"number beyond any number type", R"({"name": "Bad", "clientWidth": 1, "clientHeight": 4E905})", "", "",
                "not valid JSON"},
        BadCase{"not an object", "[1, 2]", "", "", "expected an object at the top"}));

}  // namespace
}  // namespace velmora::platform
