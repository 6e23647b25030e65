// The button's behaviour through its public face. Properties are driven by scripts of
// "Key=value" words that name each property by its stored key: the change keys each setter
// reports (none for a value out of range or unchanged), what it stores, what screen readers hear,
// the designer's messages, the hover colour locks. Stored designs: every key written or left
// out, designs holding values in any form a bag may carry.
// Input on real windows: mouse and key sequences as events, Clicks and Values in each mode;
// hover under the real pointer; focus, the default look and arrows; option groups.
#include <gtest/gtest.h>

#include <ole2.h>
#include <oleacc.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <variant>

#include "platform/DesignFile.h"
#include "platform/Text.h"
#include "tests/support/ButtonHost.h"
#include "tests/support/OrnabuttonProbe.h"

namespace velmora {
namespace {

using platform::Form;
using test::PumpUntil;
using Text = std::string;
using O = Ornabutton;

// Pictures by name: bmp (made in memory), ico, cur (a cursor file), none.
platform::Picture Named(const Text& v) {
  platform::Picture p;
  EXPECT_TRUE(v != "cur" || platform::Picture::Load(test::PictureFile(L"ARROW_CUR"), p));
  return v == "bmp" ? test::TestBitmap() : v == "ico" ? test::TestIcon() : p;
}
Text NameOf(const platform::Picture& p) {
  return p.IsEmpty()                                   ? "none"
         : p.kind() == platform::Picture::Kind::Bitmap ? "bmp"
         : p.IsCursor()                                ? "cur"
                                                       : "ico";
}
int32_t Int(const Text& v) {
  return static_cast<int32_t>(std::stoll(v, nullptr, 0));
}
// Numbers (decimal or 0x hexadecimal) in one form; a "_" in text stands for a blank.
Text Norm(Text v) {
  if (!v.empty() && (std::isdigit(static_cast<unsigned char>(v[0])) || v[0] == '-'))
    return std::to_string(Int(v));
  std::replace(v.begin(), v.end(), '_', ' ');
  return v;
}
// What screen readers are told.
platform::AccessibleDescription Heard(O& b) {
  platform::AccessibleDescription d;
  EXPECT_TRUE(b.Describe(d));
  return d;
}

// Each property under its stored key: how to set it from text and read it back as text.
using Property = std::pair<std::function<void(O&, const Text&)>, std::function<Text(O&)>>;
template <auto Set, auto Get>
std::pair<const Text, Property> Num(const char* key) {
  return {key,
          {[](O& b, const Text& v) { (void)(b.*Set)(Int(v)); },
           [](O& b) { return std::to_string((b.*Get)()); }}};
}
#define NUM(Key, Name) Num<&O::Set##Name, &O::Name>(#Key)
#define READ(Key, expr) all[#Key].second = [](O& b) { return Text(expr); }
std::map<Text, Property> AllProperties() {
  std::map<Text, Property> all;
  all.insert({NUM(BackStyle, ButtonStyle), NUM(Mode, Mode), NUM(CapAlign, CaptionAlign),
              NUM(CapStyle, CaptionStyle), NUM(CustomClick, CustomClick), NUM(Shape, ButtonShape),
              NUM(ImgAlign, PictureAlign)});
  all.insert({NUM(ImgSize, PictureSize), NUM(Enabled, Enabled), NUM(Focus, ShowFocusRect),
              NUM(Value, Value), NUM(mPointer, MousePointer), NUM(FontStyle, FontStyle),
              NUM(cFore, ForeColor)});
  all.insert({NUM(cBack, BackColor), NUM(cGradient, GradientColor), NUM(Gradient, GradientMode),
              NUM(LockHover, HoverColorLocks), NUM(cFHover, HoverForeColor),
              NUM(cBHover, HoverBackColor), NUM(Reset, ResetDefaultColors)});
  all["Caption"] = {[](O& b, const Text& v) { b.SetCaption(platform::Widen(Norm(v))); },
                    [](O& b) { return platform::Narrow(b.Caption()); }};
  all["Image"] = {[](O& b, const Text& v) { b.SetPicture(Named(v)); },
                  [](O& b) { return NameOf(b.Picture()); }};
  all["mIcon"] = {[](O& b, const Text& v) { b.SetMouseIcon(Named(v)); },
                  [](O& b) { return NameOf(b.MouseIcon()); }};
  all["Font"] = {[](O& b, const Text& v) { (void)b.SetFont({v}); },
                 [](O& b) { return b.Font().name; }};
  all["FontSize"] = {[](O& b, const Text& v) { (void)b.SetFont({b.Font().name, std::stod(v)}); },
                     [](O& b) { return std::to_string(b.Font().size); }};
  // Read only: the picture box in pixels, the picture's size, the default look; the access key,
  // the window text the dialog manager reads, and what screen readers hear.
  READ(Pixels, std::to_string(b.State().PicturePixels));
  READ(Width, std::to_string(b.State().PictureWidth));
  READ(Height, std::to_string(b.State().PictureHeight));
  READ(LfHeight, [&] {  // the caption font's height in pixels
    LOGFONTW f{};
    GetObjectW(GetCurrentObject(OrnabuttonProbe::Buffer(b), OBJ_FONT), sizeof f, &f);
    return std::to_string(f.lfHeight);
  }());
  READ(Default, std::to_string(b.State().StateFlags & Default));
  READ(AccessKey, platform::Narrow(OrnabuttonProbe::Surface(b).AccessKeys()));
  READ(WindowText, platform::Narrow(test::WindowText(b.hwnd())));
  READ(Name, platform::Narrow(Heard(b).name));
  READ(Shortcut, platform::Narrow(Heard(b).keyboardShortcut));
  READ(Action, platform::Narrow(Heard(b).defaultAction));
  READ(Role, std::to_string(Heard(b).role));
  return all;
}
const std::map<Text, Property> kProperties = AllProperties();

std::vector<Text> Split(const Text& text, char by = ' ') {
  std::istringstream in(text);
  std::vector<Text> parts;
  for (Text p; std::getline(in, p, by);)
    if (by != ' ' || !p.empty()) parts.push_back(p);
  return parts;
}
Text Joined(const std::vector<Text>& words) {
  Text s;
  for (const Text& w : words) s += (s.empty() ? "" : " ") + w;
  return s;
}
Text KeyOf(const Text& word) {
  return word.substr(0, word.find('='));
}
// "Key=value ..." set in turn.
void Apply(O& b, const Text& script) {
  for (const Text& w : Split(script)) kProperties.at(KeyOf(w)).first(b, w.substr(w.find('=') + 1));
}
// The same "Key=value ..." with each value as the button holds it.
Text Read(O& b, const Text& expected) {
  Text out;
  for (const Text& w : Split(expected)) {
    const Text want = w.substr(w.find('=') + 1), got = kProperties.at(KeyOf(w)).second(b);
    out += (out.empty() ? "" : " ") + KeyOf(w) + "=" + (Norm(got) == Norm(want) ? want : got);
  }
  return out;
}
// Every event as a word: D1 = MouseDown(1), U1 = MouseUp(1), K32 / k32 = KeyDown / KeyUp of
// key 32, Dbl1 = DoubleClick(1), On / Off = MouseOnButton.
class Recorder : public OrnabuttonEvents {
 public:
  Text log;
  bool places = false;  // the first MouseDown's X and Y too
  void MouseDown(int16_t& b, int16_t&, float& x, float& y) override {
    const bool first = places && log.find('D') == Text::npos;
    Add("D" + std::to_string(b) +
        (first
             ? "@" + std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y))
             : ""));
  }
  void MouseUp(int16_t& b, int16_t&, float&, float&) override { Add("U" + std::to_string(b)); }
  void KeyDown(int16_t& k, int16_t&) override { Add("K" + std::to_string(k)); }
  void KeyUp(int16_t& k, int16_t&) override { Add("k" + std::to_string(k)); }
  void MouseOnButton(bool& on) override { Add(on ? "On" : "Off"); }
  void Click() override { Add("Click"); }
  void DoubleClick(int16_t& b) override { Add("Dbl" + std::to_string(b)); }

 private:
  void Add(const Text& word) { log += (log.empty() ? "" : " ") + word; }
};

class Button : public test::ButtonHost {
 protected:
  // A button of its own for each row, its hover colours following the normal ones.
  O& Fresh(bool designMode = false) {
    if (site) DestroyWindow(site->hwnd());
    O& b = New("B" + std::to_string(form.Controls().size()), designMode);
    b.SetHoverColorLocks(0);
    return b;
  }
  // A button at a place of the frame where it is wholly visible, raising its events to events.
  O& Place(const Text& name, int32_t mode, int32_t top = 240) {
    O& b = form.PlaceUserControl(O::kClassName, name, "Box", 240, top, 1455, 375).Client<O>();
    b.SetMode(mode);
    b.SetEvents(&events);
    return b;
  }
  platform::UserControlSite& Site(const Text& name) {
    return form.Get<platform::UserControlSite>(name);
  }
  // The form's design written out, read back and loaded as the program would.
  std::unique_ptr<Form> Reloaded() {
    auto again = std::make_unique<Form>(
        platform::ParseFormDesign(platform::WriteFormDesign(form.SaveDesign()), "Saved.json"));
    again->Show();
    return again;
  }
  Text BagKeys() { return Joined(site->SaveDesign().properties.Keys()); }
  Recorder events;
};

O& ButtonOf(Form& form) {
  return form.Get<platform::UserControlSite>("Ornabutton1").Client<O>();
}

TEST_F(Button, EachSetterReportsItsKeysStoresOnlyValuesInItsRangeAndTellsTheDesignerOnly) {
  // What a designer is told, by number; "^" stands for a line break.
  const char* const told[] = {
      "",
      "When button images are aligned top/bottom center, ^button captions can only be center "
      "aligned",
      "This property has no effect unless the Button Shape is a custom shape.",
      "The Picture Property must be assigned first and must be a bitmap or JPEG.",
      "The picture size cannot be changed for Shaped buttons",
      "Icons cannot be used for custom buttons. Only use bitmaps or JPEGs.^Button was changed to "
      "Rectangular shaped.",
      "This property is not applicable for command button modes.",
      "Invalid picture",
      "The focus rectangle may appear on default buttons ONLY while in design mode, ^but will not "
      "appear when the form is running."};
  // "Set up; act; the keys it reports; what holds besides the last value the act gave; the
  // message a designer gets (d: the row is run at design time, - at run time)". The button shows
  // the default look. In a gradient, BackColor hands the gradient colour to the hover setter,
  // which holds it already (row "Gradient=1").
  for (const char* row :
       {";BackStyle=7 Mode=2 Caption=&Save CapAlign=1 CapStyle=2 CustomClick=8 Gradient=4 Focus=0; "
        "BackStyle Mode Caption CapAlign CapStyle CustomClick Gradient Focus;Default=0",
        ";mPointer=15 Font=Arial FontStyle=6 ImgSize=4 cGradient=0xFF; mPointer Font Font ImgSize "
        "cGradient;Pixels=48 cBHover=0x8000000F",
        ";BackStyle=8 BackStyle=-1 Mode=3 Mode=-1 CapAlign=3 CapStyle=-1 CapStyle=3 CustomClick=9 "
        "CustomClick=-1 Shape=9 ImgAlign=6 ImgSize=5 ImgSize=-1 Gradient=5 Gradient=-1 mPointer=16 "
        "mPointer=40000 Value=1 Reset=1;;BackStyle=0 Mode=0 CapAlign=2 CapStyle=0 CustomClick=0 "
        "Shape=0 ImgAlign=0 Pixels=0 Gradient=0 mPointer=0 Value=0 Reset=0 ImgSize=0",
        "Mode=1 Value=1;Mode=0;Value Mode;Value=0",
        "CapAlign=0;Shape=6;Shape;CapAlign=2",
        ";Image=bmp ImgAlign=5;Image CapAlign ImgAlign;Pixels=16 Width=32 CapAlign=2",
        ";ImgSize=2;ImgSize;Pixels=32",
        ";Enabled=0 Enabled=0 Mode=1 Value=1 Value=1;Enabled Mode Value Value",
        ";mIcon=ico;mPointer mIcon;mPointer=99",
        "mIcon=ico;mIcon=bmp mIcon=none;;mPointer=99",
        "FontStyle=14;FontStyle=1;Font;FontStyle=0",
        // 11 points are 14.67 pixels, 10.875 are 14.5: rounded half to even.
        ";FontSize=11;Font;LfHeight=-15", ";FontSize=10.875;Font;LfHeight=-14",
        ";cFore=0xFF cFore=0xFF;cFHover cFHover cFore;cFHover=0xFF LockHover=0",
        ";cBack=0xFF;cBHover cBack;cBHover=0xFF LockHover=0",
        "cBack=0xFF;cBHover=0xFF0000 cBHover=0xFF0000 cBack=0xFF00;cBHover cBack;LockHover=1",
        "Gradient=3;cGradient=0xFF00;cGradient;cBHover=0xFF00",
        "Gradient=1 cGradient=0xFF00;cBack=0xFF;cBack;cBHover=0xFF00 LockHover=0",
        "cGradient=0xFF00 cBack=0xFF;Gradient=2 Gradient=0;Gradient Gradient;cBHover=0xFF",
        ";LockHover=3 LockHover=1 LockHover=2;LockHover cFHover LockHover cBHover LockHover",
        "LockHover=7;cFore=0xFF cBack=0xFF;cFore cBack;cFHover=0x80000012 cBHover=0x8000000F",
        "LockHover=3 cBack=0xFF cFore=0xFF;LockHover=0;cBHover cFHover LockHover; cBHover=0xFF "
        "cFHover=0xFF",
        ";cFHover=0x80000012 cFHover=0xFF00 cFHover=0xFF00;cFHover cFHover;LockHover=2",
        "LockHover=1;cFHover=0xFF cFore=0xFF00;cFHover cFHover cFore;cFHover=0xFF LockHover=3",
        "LockHover=2;cBHover=0xFF00 cBHover=0xFF00;cBHover;LockHover=3",
        "LockHover=2;Gradient=2 cGradient=0xFF00;Gradient cGradient;cBHover=0xFF00",
        ";Mode=2 Caption=&Open_&_&Save;Mode Caption;AccessKey=S WindowText=&&Open_&&_&Save "
        "Name=Open_Save Shortcut=Alt+S Action=Select Role=45",
        ";Caption=&Remove_||_all;Caption;AccessKey=R WindowText=&Remove_||_all Name=Remove_all "
        "Action=Press Shortcut=Alt+R Role=43",
        ";Mode=1 Caption=Save&;Mode Caption;AccessKey= WindowText=Save&& Name=Save Shortcut= "
        "Action=Check Role=44",
        ";Mode=1 Value=1 Caption=A&&B;Mode Value Caption;AccessKey=B WindowText=A&&&B Name=A&B "
        "Action=Uncheck",
        "Caption=&Save;Caption=Plain;Caption;AccessKey=S Name=Plain",
        ";Caption=Salt_&&_Pepper;Caption;AccessKey= WindowText=Salt_&&&&_Pepper Name=Salt_&_Pepper",
        "cBack=0xFF cFore=0xFF0000 cGradient=0xFF00 Gradient=3 LockHover=3 cBHover=0xFF00 "
        "cFHover=0xFF00;Reset=0 Reset=1;cFore cGradient Gradient cBHover cFHover LockHover "
        "cGradient cBack;cBack=0x8000000F cFore=0x80000012 cGradient=0x8000000F Gradient=0 "
        "LockHover=0 cBHover=0x8000000F cFHover=0x80000012 Reset=0;d",
        "Image=bmp ImgAlign=4;CapAlign=0;;CapAlign=2;d1",
        "Image=bmp ImgAlign=4;CapAlign=0;;CapAlign=2;-",
        "ImgAlign=4;CapAlign=0;CapAlign;;d",
        ";CustomClick=3;CustomClick;;d2",
        ";Shape=7;;Shape=0;d3",
        "Image=ico;Shape=8;;Shape=0;d3",
        "Image=bmp CapAlign=0;Shape=7;ImgSize Shape;Pixels=48 CapAlign=2;d",
        "Image=bmp Shape=7;ImgSize=1;;Pixels=48 ImgSize=4;d4",
        "Image=bmp Shape=7;ImgSize=1;;Pixels=48 ImgSize=4;-",
        "Image=bmp Shape=8;Image=ico;Shape Image;Shape=0;d5",
        "Image=bmp Shape=8;Image=ico;Shape Image;Shape=0;-",
        "Image=bmp Shape=8;Image=none;Shape Image;Shape=0 Width=0;d",
        ";Value=1;;Value=0;d6",
        ";mIcon=bmp;;mIcon=none;d7",
        ";Focus=0;Focus;Default=1;d8"}) {
    std::vector<Text> f = Split(row, ';');
    f.resize(5);
    const bool designMode = f[4].rfind('d', 0) == 0;
    const int message = f[4].size() > 1 ? Int(f[4].substr(1)) : 0;
    O& b = Fresh(designMode);
    site->SetAmbientDisplayAsDefault(true);
    Apply(b, f[0]);
    Messages(), Keys();
    Apply(b, f[1]);
    EXPECT_EQ(Joined(Keys()), Joined(Split(f[2]))) << f[1];
    std::map<Text, Text> last;
    for (const Text& w : Split(f[1])) last[KeyOf(w)] = w;
    for (const Text& w : Split(f[3])) last.erase(KeyOf(w));
    Text holds = f[3];
    for (const auto& [key, w] : last) holds += " " + w;
    EXPECT_EQ(Read(b, holds), Joined(Split(holds))) << f[1];
    Text expected = told[message];
    if (expected.find('^') != Text::npos) expected.replace(expected.find('^'), 1, "\r\n");
    EXPECT_EQ(Messages(),
              message ? std::vector{platform::Widen(expected)} : std::vector<std::wstring>{})
        << f[1];
  }
  // Information boxes, under the program's title or their own.
  Apply(Fresh(true), "Value=1 mIcon=bmp");
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].title + L"|" + boxes.shown[1].title,
            L"Control Tests|Select .ico Or .cur Files Only");
  EXPECT_EQ(boxes.shown[0].flags | boxes.shown[1].flags,
            static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}

TEST_F(Button, EveryKeyIsWrittenInItsOrderUnlessItHoldsItsDefaultAndReadsBack) {
  O& b = New("Ornabutton1", /*designMode=*/true);
  // A new control: its name as caption, a black gradient colour, no picture box yet, the form's
  // font; the picture box getter stores 16 pixels, which are not written.
  EXPECT_EQ(BagKeys(), "_ExtentX _ExtentY Caption Font cGradient Mode Value ImgSize cBack");
  EXPECT_EQ(Read(b, "Caption=Ornabutton1 cGradient=0 Pixels=0 cBack=0x8000000F Font=MS_Sans_Serif"),
            "Caption=Ornabutton1 cGradient=0 Pixels=0 cBack=0x8000000F Font=MS_Sans_Serif");
  EXPECT_EQ(site->SaveDesign().properties.ReadLong("_ExtentX", 0), 2566);  // 1455 twips in HIMETRIC
  EXPECT_EQ(Read(b, "ImgSize=0"), "ImgSize=0");
  EXPECT_EQ(BagKeys(), "_ExtentX _ExtentY Caption Font cGradient Mode Value cBack");
  // Values other than the defaults, in an order where no setter undoes an earlier one; then the
  // defaults. cBack is always written: 0xD0D0D0 is one for which the writer leaves out a cBHover
  // equal to it.
  const Text others =
      "Caption=&Go||on Shape=3 CapAlign=0 BackStyle=5 Gradient=4 cGradient=0xC0C0C0 cFore=0x80 "
      "Font=Arial Focus=0 Mode=1 Value=1 CustomClick=6 Image=bmp ImgSize=2 ImgAlign=3 "
      "cFHover=0x800000 Enabled=0 cBack=0xE0E0E0 cBHover=0xFFFFFF LockHover=3 CapStyle=2 mIcon=cur "
      "mPointer=2";
  Text plains =
      "Caption= Shape=0 CapAlign=2 BackStyle=0 Gradient=0 cGradient=0x8000000F cFore=0x80000012 "
      "Focus=1 Mode=0 Value=0 CustomClick=0 Image=none ImgSize=0 ImgAlign=0 cFHover=0x80000012 "
      "Enabled=1 cBack=0xD0D0D0 cBHover=0xD0D0D0 LockHover=0 CapStyle=0 mIcon=none mPointer=0";
  Apply(b, others);
  EXPECT_EQ(BagKeys(),
            "_ExtentX _ExtentY Caption CapAlign BackStyle Shape Font cFore cFHover cBHover Focus "
            "LockHover cGradient Gradient CapStyle Mode Value CustomClick ImgAlign Image ImgSize "
            "Enabled cBack mPointer mIcon");
  for (const char* boolean : {"Focus", "Value", "Enabled"})
    EXPECT_TRUE(std::holds_alternative<bool>(*site->SaveDesign().properties.Find(boolean)))
        << boolean;
  // The picture box comes first: the ImgSize getter stores 16 pixels when it finds none.
  EXPECT_EQ(Read(ButtonOf(*Reloaded()), "Pixels=32 Width=32 " + others),
            "Pixels=32 Width=32 " + others);
  Apply(b, plains);
  EXPECT_EQ(BagKeys(), "_ExtentX _ExtentY Font Mode Value cBack");
  EXPECT_EQ(Read(ButtonOf(*Reloaded()), "Pixels=16 " + plains), "Pixels=16 " + plains);
  // A design without the keys: cBack is the form's back colour, and cBHover that same colour.
  Form empty(test::HostWithButton("{}"));
  empty.Show();
  for (int i = 0; i < 2; ++i) plains.replace(plains.find("0xD0D0D0"), 8, "0xC0FFC0");
  EXPECT_EQ(Read(ButtonOf(empty), "Pixels=16 " + plains), "Pixels=16 " + plains);
}

TEST_F(Button, StoredDesignsLoadWhateverFormTheirValuesTake) {
  const auto file = [](const wchar_t* r) {
    return R"({"picture": ")" + platform::Base64Encode(test::PictureFile(r)) + R"("})";
  };
  const std::pair<Text, Text> rows[] = {
      // The main window's way: keys in lower or mixed case.
      {R"({"caption": "Select", "capalign": 0, "BACKSTYLE": 3, "cBhover": 16777215, "lockhover": 1,
           "cfore": 0, "cfhover": 0, "cgradient": 12632256, "gradient": 2, "cback": 14737632})",
       "Caption=Select CapAlign=0 BackStyle=3 cBHover=0xFFFFFF LockHover=1 cFore=0 cFHover=0 "
       "cGradient=0xC0C0C0 Gradient=2 cBack=0xE0E0E0 Focus=1 Enabled=1 Mode=0 Value=0"},
      // Numbers and truth values as text; cBHover follows the stored cBack.
      {R"({"Caption": 42, "CapAlign": "1", "BackStyle": "&H5&", "cBack": "&H8000000F&", "Mode": "1",
           "cFore": "0x00FF0000", "Focus": "False", "Enabled": 0, "Value": "True", "ImgSize": "24"})",
       "Caption=42 CapAlign=1 BackStyle=5 cBack=0x8000000F cBHover=0x8000000F cFore=0xFF0000 "
       "Focus=0 Enabled=0 Mode=1 Value=1 Pixels=24"},
      // Fractions round half to even; True is -1; values out of range are kept as stored.
      {R"({"Shape": 2.5, "Gradient": 3.5, "CustomClick": true, "Focus": 1, "Mode": 2, "Value": -1,
           "BackStyle": 9, "CapAlign": 7, "ImgSize": 20, "LockHover": 12})",
       "Shape=2 Gradient=4 CustomClick=-1 Focus=1 Mode=2 Value=1 BackStyle=9 CapAlign=7 Pixels=20 "
       "LockHover=12"},
      {R"({"Image": )" + file(L"SMALL_GIF") + "}", "Pixels=16 Image=bmp Width=8 Height=6"},
      // A stored icon sets the custom pointer, and the stored pointer (default 0) replaces it.
      {R"({"Image": )" + file(L"ICON_ICO") + R"(, "mIcon": )" + file(L"ICON_ICO") + "}",
       "Image=ico Width=32 mIcon=ico mPointer=0"},
      {R"({"mIcon": )" + file(L"ICON_ICO") + R"(, "mPointer": 99})", "mIcon=ico mPointer=99"}};
  for (const auto& [properties, read] : rows) {
    Form stored(test::HostWithButton(properties));
    stored.Show();
    EXPECT_EQ(Read(ButtonOf(stored), read), read) << properties;
  }
}

TEST_F(Button, InputSequencesGiveTheirEventsClicksAndValuesInEachMode) {
  // "Mode Value input | events | Value after", the input as the form delivers it: d / u = left
  // press / release at (30, 10), o = left release outside once the pointer has left, r = right
  // click, 2 = the second press of a double click, s / S = Space down / up, > = Right down and
  // up, a = the access key, E / X = Enter / Esc as the default or cancel button, F = F5 down and
  // up, H = Shift down and up.
  // Each button has the pointer over it and starts with the focus on a selected option button
  // beside it, so that focus selects nothing by itself; only a left press takes the focus.
  std::istringstream rows(R"(
      0 0 du   | D1@30,10 U1 Click | 0              0 0 do   | D1@30,10 Off U1 | 0
      0 0 r    | D2@30,10 U2 | 0                    0 0 du2u | D1@30,10 U1 Click Dbl1 D1 U1 | 0
      0 0 sssS | K32 K32 K32 Click k32 | 0          0 0 dsSu | D1@30,10 K32 k32 U1 Click | 0
      0 0 sdSu | K32 D1@30,10 k32 U1 Click | 0      1 0 sdSu | K32 D1@30,10 k32 U1 Click | 1
      0 0 EXa  | Click Click Click | 0              0 0 FH>  | K116 k116 K16 | 0
      1 0 du   | D1@30,10 U1 Click | 1              1 1 du   | D1@30,10 U1 Click | 0
      1 0 do   | D1@30,10 Off U1 | 0                1 0 r    | D2@30,10 U2 | 0
      1 0 du2u | D1@30,10 U1 Click Dbl1 D1 U1 | 1   1 0 ssS  | K32 K32 k32 Click | 1
      1 1 EX>  | | 1                                1 0 a    | Click | 1
      2 0 du   | D1@30,10 U1 Click | 1              2 1 du   | D1@30,10 U1 | 1
      2 0 sS   | K32 k32 Click | 1                  2 1 sS   | K32 k32 | 1
      2 0 EX   | | 0                                2 0 a    | Click | 1
      2 0 r    | D2@30,10 U2 | 0                    2 0 >    | Click | 1)");
  Front();
  int mode = 0, value = 0, after = 0;
  for (Text script, word; rows >> mode >> value >> script >> word;) {
    Text log, n = std::to_string(rows.tellg()), row = std::to_string(mode) + " " + script;
    while (rows >> word && word != "|") log += (log.empty() ? "" : " ") + word;
    rows >> after;
    O& sibling = Place("A" + n, 2, 840);
    sibling.SetValue(!value);
    O& b = Place("B" + n, mode);
    b.SetButtonStyle(2);  // a hot face and a pressed one
    b.SetValue(value);
    SetFocus(sibling.hwnd());
    const HWND w = b.hwnd();
    test::MoveMouse(test::CenterOnScreen(w));  // hovering, so that a press shows the pressed look
    ASSERT_TRUE(PumpUntil([&] { return b.State().Hovering; })) << row;
    events = {};
    events.places = true;
    const auto send = [w](UINT msg, WPARAM wp, int y = 10) {
      SendMessageW(w, msg, wp, MAKELPARAM(30, y));
    };
    for (const char c : script) {
      if (c == 'd' || c == '2') send(c == 'd' ? WM_LBUTTONDOWN : WM_LBUTTONDBLCLK, MK_LBUTTON);
      if (c == 'o') test::MoveMouse(Away()), PumpUntil([&] { return !b.State().Hovering; });
      if (c == 'u' || c == 'o') send(WM_LBUTTONUP, 0, c == 'u' ? 10 : 400);
      if (c == 'r') send(WM_RBUTTONDOWN, MK_RBUTTON), send(WM_RBUTTONUP, 0);
      if (c == 's' || c == 'S') send(c == 's' ? WM_KEYDOWN : WM_KEYUP, VK_SPACE);
      const WORD key = c == 'F' ? VK_F5 : c == 'H' ? VK_SHIFT : c == '>' ? VK_RIGHT : 0;
      if (key) send(WM_KEYDOWN, key), send(WM_KEYUP, key);
      if (c == 'a' || c == 'E' || c == 'X')
        Site("B" + n).DeliverAccessKey(c == 'a' ? L'g' : c == 'E' ? L'\r' : L'\x1b');
    }
    EXPECT_EQ(events.log, log) << row;
    EXPECT_EQ(b.Value(), after != 0) << row;
    EXPECT_TRUE(mode != 2 || sibling.Value() != b.Value()) << row << ": one option selected";
    EXPECT_EQ(GetFocus(), script.find('d') == Text::npos ? sibling.hwnd() : w) << row;
    EXPECT_FALSE(b.State().StateFlags & ButtonDown) << row;
    // What is shown is what the state draws: no pressed look stays behind.
    std::vector<COLORREF> shown[2];
    for (auto& pixels : shown) {
      test::ClientPixels px(w);
      for (int i = 0; i < px.width() * px.height(); ++i)
        pixels.push_back(px.At(i % px.width(), i / px.width()));
      b.Refresh();
    }
    EXPECT_TRUE(shown[0] == shown[1]) << row << ": the look is stale";
    if (script.find('>') != Text::npos)
      PumpUntil([] { return false; }, std::chrono::milliseconds(50));
    DestroyWindow(w), DestroyWindow(sibling.hwnd());
  }
}

TEST_F(Button, ThePointerHoversPressesLeavesAndComesBackAsScreenReadersHear) {
  test::MoveMouse(Away());
  O& b = Place("Check", 1);
  IAccessible* acc = nullptr;
  AccessibleObjectFromWindow(b.hwnd(), static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                             reinterpret_cast<void**>(&acc));
  ASSERT_NE(acc, nullptr);
  VARIANT self, state;
  self.vt = VT_I4, self.lVal = CHILDID_SELF;
  const auto states = [&] { return SUCCEEDED(acc->get_accState(self, &state)) ? state.lVal : -1; };
  Front();
  SetFocus(b.hwnd());
  const POINT center = test::CenterOnScreen(b.hwnd()), nudged{center.x + 3, center.y};
  const POINT beside{center.x + 2 * GetSystemMetrics(SM_CXDOUBLECLK), center.y};  // no double click
  const long F = STATE_SYSTEM_FOCUSED, H = STATE_SYSTEM_HOTTRACKED, P = STATE_SYSTEM_PRESSED,
             C = STATE_SYSTEM_CHECKED;
  const int over = MouseOver, down = ButtonDown;
  // Each step, the events so far, the interaction flags and the states a reader hears.
  const auto step = [&](const std::function<void()>& act, const Text& log, int flags, long heard) {
    act();
    ASSERT_TRUE(PumpUntil([&] { return events.log == log; }))
        << events.log << " instead of " << log;
    EXPECT_EQ(b.State().StateFlags & (ButtonDown | MouseOver), flags) << log;
    EXPECT_EQ(states() & (F | H | P | C), heard) << log;
  };
  step([] {}, "", 0, F);
  step([&] { test::MoveMouse(center); }, "On", over, F | H);
  step([&] { test::MoveMouse(nudged), test::MouseButton(true); }, "On D1", over | down, F | H | P);
  step([&] { test::MoveMouse(Away()); }, "On D1 Off", down, F | P);  // pressed outside
  EXPECT_FALSE(b.State().PressHeld || b.State().Hovering);
  step([&] { test::MouseButton(false); }, "On D1 Off U1", 0, F);  // released outside: no click
  step([&] { test::MoveMouse(beside); }, "On D1 Off U1 On", over, F | H);
  step([&] { test::MouseButton(true); }, "On D1 Off U1 On D1", over | down, F | H | P);
  step([&] { test::MoveMouse(Away()); }, "On D1 Off U1 On D1 Off", down, F | P);
  step([&] { test::MoveMouse(center); }, "On D1 Off U1 On D1 Off On", over | down, F | H | P);
  EXPECT_TRUE(b.State().PressHeld) << "pressed inside again";
  step([&] { test::MouseButton(false); }, "On D1 Off U1 On D1 Off On U1 Click", over, F | H | C);
  // The default action clicks through the button's own logic: it unchecks, then selects once.
  EXPECT_EQ(acc->accDoDefaultAction(self), S_OK);
  b.SetMode(2);
  acc->accDoDefaultAction(self), acc->accDoDefaultAction(self);
  step([] {}, "On D1 Off U1 On D1 Off On U1 Click Click Click", over, F | H | C);
  b.SetEnabled(false);
  EXPECT_EQ(acc->accDoDefaultAction(self), E_FAIL);
  EXPECT_TRUE(states() & STATE_SYSTEM_UNAVAILABLE);
  // A button destroyed under the pointer raises nothing more; a reader holding it gets errors.
  DestroyWindow(b.hwnd());
  test::MoveMouse(Away());
  PumpUntil([] { return false; }, std::chrono::milliseconds(200));
  EXPECT_TRUE(events.log.ends_with("Click Click"));
  EXPECT_EQ(acc->accDoDefaultAction(self), CO_E_OBJNOTCONNECTED);
  acc->Release();
}

TEST_F(Button, OptionButtonsExcludeEachOtherAsTheyJoinAndLeaveAndTheFocusedOneLooksDefault) {
  Form stored(test::HostWithButton(R"({"Mode": 2, "Value": true})"));
  stored.Show();
  O& late = stored.PlaceUserControl(O::kClassName, "Late", "Box", 240, 840, 1455, 375).Client<O>();
  late.SetMode(2), late.SetValue(true);
  EXPECT_FALSE(ButtonOf(stored).Value()) << "a stored option button joins its group while loading";
  O* all[] = {&Place("A", 2), &Place("B", 2, 840), &Place("C", 2, 1440)};
  O &a = *all[0], &b = *all[1], &c = *all[2];
  // Picks buttons in turn, telling after each which ones are True.
  const auto pick = [&](std::initializer_list<O*> order) {
    Text s;
    for (O* x : order) {
      x->SetValue(true);
      for (O* o : all) s += O::IsLive(o) && o->Value() ? "1" : "0";
    }
    return s;
  };
  EXPECT_EQ(pick({&b, &c, &a, &c, &b, &a}), "010001100001010100");
  b.SetMode(1);  // B leaves: A and C still exclude each other, and B is free
  EXPECT_EQ(pick({&b, &c, &a}), "110011110");
  b.SetMode(2);  // B joins while True: the others are cleared
  EXPECT_EQ(pick({&c}), "001");
  Site("A").ClearChangedKeys();
  DestroyWindow(c.hwnd());  // C goes with its window; the others keep their Value
  EXPECT_TRUE(Site("A").ChangedKeys().empty());
  EXPECT_EQ(pick({&b, &a}), "010100");
  // The focused button shows the default look, and focus selects an option button in a group
  // without selection. An arrow goes to the frame, which moves the focus on; the option button
  // getting the key's release selects itself.
  const auto looks = [&] {
    return Text() + "01"[a.Value()] + "01"[b.Value()] +
           "01"[(a.State().StateFlags & Default) != 0] +
           "01"[(b.State().StateFlags & Default) != 0];
  };
  stored.Unload();
  a.SetValue(false), b.SetValue(false);
  Front();
  SetFocus(a.hwnd());
  ASSERT_TRUE(PumpUntil([&] { return looks() == "1010"; })) << looks();
  test::PressKey(VK_RIGHT);
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == b.hwnd() && looks() == "0101"; })) << looks();
  b.SetShowFocusRect(false);  // a running button without it never shows the default look
  SetFocus(a.hwnd()), SetFocus(b.hwnd());
  ASSERT_TRUE(PumpUntil([&] { return looks() == "0100"; })) << looks();
}

// A button registers its window for drops only while its handler takes them.
TEST_F(Button, RegistersForDropsOnlyWhileItsHandlerTakesThem) {
  struct Taker final : OrnabuttonEvents {
    bool TakesDrops() const override { return true; }
  } taker;
  Place("Drops", 0);  // its handler takes no drops
  platform::UserControlSite& s = Site("Drops");
  EXPECT_EQ(s.DropTarget(), nullptr);
  EXPECT_EQ(RevokeDragDrop(s.hwnd()), DRAGDROP_E_NOTREGISTERED);
  s.Client<O>().SetEvents(&taker);
  ASSERT_NE(s.DropTarget(), nullptr);
  EXPECT_EQ(RegisterDragDrop(s.hwnd(), s.DropTarget()), DRAGDROP_E_ALREADYREGISTERED);
  s.Client<O>().SetEvents(nullptr);
  EXPECT_EQ(s.DropTarget(), nullptr);
  EXPECT_EQ(RevokeDragDrop(s.hwnd()), DRAGDROP_E_NOTREGISTERED);
}

}  // namespace
}  // namespace velmora
