// Stored designs of the button: what a new control writes, write-then-read round trips,
// keys in any case, the stored pointer, values taken as stored, unreadable values, pictures,
// and the release of everything the control made.
#include <gtest/gtest.h>

#include "platform/DesignFile.h"
#include "platform/Text.h"
#include "tests/support/ButtonHost.h"
#include "tests/support/Soak.h"

namespace velmora {
namespace {

using platform::ControlDesign;
using platform::DesignError;
using platform::Form;
using platform::FormDesign;
using platform::ParseFormDesign;
using platform::PropertyBag;
using test::ButtonHost;

Ornabutton& ButtonOf(Form& form) {
  return form.Get<platform::UserControlSite>("Ornabutton1").Client<Ornabutton>();
}

class Persistence : public ButtonHost {};

TEST_F(Persistence, ANewControlSavedAtOnceWritesOnlyWhatDiffersFromTheDefaults) {
  New();
  const ControlDesign saved = site->SaveDesign();
  EXPECT_EQ(saved.properties.Keys(),
            (std::vector<std::string>{"_ExtentX", "_ExtentY", "Caption", "Font", "cGradient",
                                      "Mode", "Value", "ImgSize", "cBack"}));
  const PropertyBag& bag = saved.properties;
  EXPECT_EQ(bag.ReadString("Caption", "?"), "Ornabutton1");
  EXPECT_EQ(bag.ReadLong("cGradient", -1), 0) << "black: the new control's gradient colour";
  EXPECT_EQ(bag.ReadLong("Mode", -1), 0);
  EXPECT_FALSE(bag.ReadBoolean("Value", true));
  EXPECT_EQ(bag.ReadInteger("ImgSize", -1), 0);
  EXPECT_EQ(bag.ReadLong("cBack", 0), kButtonFace);
  EXPECT_EQ(bag.ReadFont("Font"), form.Font()) << "a new control takes the form's font";
  EXPECT_EQ(bag.ReadLong("_ExtentX", 0), 2566);  // 1455 twips in HIMETRIC
  EXPECT_EQ(bag.ReadLong("_ExtentY", 0), 661);

  // Once the picture size has been read, 16 pixels is stored and no longer written.
  site->Client<Ornabutton>().PictureSize();
  EXPECT_FALSE(site->SaveDesign().properties.Has("ImgSize"));
}

TEST_F(Persistence, WritingThenReadingGivesBackEveryProperty) {
  Ornabutton& b = New("Ornabutton1", /*designMode=*/true);
  b.SetCaption(L"&Remove || all");
  b.SetButtonStyle(5);
  b.SetMode(1);
  b.SetValue(true);
  b.SetCaptionAlign(0);
  b.SetCaptionStyle(2);
  b.SetCustomClick(6);
  b.SetButtonShape(3);
  b.SetPictureAlign(3);
  b.SetPictureSize(2);
  b.SetGradientMode(4);
  b.SetGradientColor(0x00C0C0C0);
  b.SetBackColor(0x00E0E0E0);
  b.SetForeColor(0x00000080);
  b.SetHoverColorLocks(3);
  b.SetHoverBackColor(0x00FFFFFF);
  b.SetHoverForeColor(0x00800000);
  b.SetShowFocusRect(false);
  b.SetFontStyle(10);
  platform::Picture picture;
  ASSERT_TRUE(platform::Picture::Load(test::PictureFile(L"DISC_BMP"), picture));
  b.SetPicture(picture);
  platform::Picture cursor;
  ASSERT_TRUE(platform::Picture::Load(test::PictureFile(L"ARROW_CUR"), cursor));
  b.SetMouseIcon(cursor);
  ASSERT_TRUE(b.SetMousePointer(99));
  b.SetEnabled(false);

  const std::string text = platform::WriteFormDesign(form.SaveDesign());
  Form reloaded(ParseFormDesign(text, "Saved.json"));
  reloaded.Show();
  Ornabutton& r = ButtonOf(reloaded);
  EXPECT_EQ(r.Caption(), L"&Remove || all");
  EXPECT_EQ(r.ButtonStyle(), 5);
  EXPECT_EQ(r.Mode(), 1);
  EXPECT_TRUE(r.Value());
  EXPECT_EQ(r.CaptionAlign(), 2) << "a slanted shape centres the caption";
  EXPECT_EQ(r.CaptionStyle(), 2);
  EXPECT_EQ(r.CustomClick(), 6);
  EXPECT_EQ(r.ButtonShape(), 3);
  EXPECT_EQ(r.PictureAlign(), 3);
  EXPECT_EQ(r.State().PicturePixels, 32);
  EXPECT_EQ(r.GradientMode(), 4);
  EXPECT_EQ(r.GradientColor(), 0x00C0C0C0);
  EXPECT_EQ(r.BackColor(), 0x00E0E0E0);
  EXPECT_EQ(r.ForeColor(), 0x00000080);
  EXPECT_EQ(r.HoverColorLocks(), 3);
  EXPECT_EQ(r.HoverBackColor(), 0x00FFFFFF);
  EXPECT_EQ(r.HoverForeColor(), 0x00800000);
  EXPECT_FALSE(r.ShowFocusRect());
  EXPECT_EQ(r.FontStyle(), 10);
  EXPECT_EQ(r.Font().name, b.Font().name);
  EXPECT_EQ(r.Picture().kind(), platform::Picture::Kind::Bitmap);
  EXPECT_EQ(r.State().PictureWidth, 32);
  EXPECT_EQ(r.State().PictureHeight, 32);
  EXPECT_TRUE(r.MouseIcon().IsCursor());
  EXPECT_EQ(r.MousePointer(), 99);
  EXPECT_FALSE(r.Enabled());
  EXPECT_EQ(reloaded.Find("Ornabutton1")->hwnd() != nullptr, true);
  EXPECT_FALSE(IsWindowEnabled(reloaded.Find("Ornabutton1")->hwnd()));
  // And the design written from the reloaded form is the same again.
  FormDesign again = reloaded.SaveDesign();
  again.file = "Saved.json";
  FormDesign first = ParseFormDesign(text, "Saved.json");
  EXPECT_EQ(again, first);
}

TEST_F(Persistence, KeysAreFoundWhateverTheirCase) {
  Form stored(test::HostWithButton(R"({"caption": "Select all", "capalign": 0, "BACKSTYLE": 3,
      "cBhover": 16777215, "lockhover": 1, "cfore": 0, "cfhover": 0, "cgradient": 12632256,
      "gradient": 2, "mode": 0, "value": false, "cback": 14737632,
      "font": {"name": "MS Sans Serif", "size": 8.25}})"));
  stored.Show();
  Ornabutton& b = ButtonOf(stored);
  EXPECT_EQ(b.Caption(), L"Select all");
  EXPECT_EQ(b.CaptionAlign(), 0);
  EXPECT_EQ(b.ButtonStyle(), 3);
  EXPECT_EQ(b.HoverBackColor(), 0xFFFFFF);
  EXPECT_EQ(b.HoverColorLocks(), 1);
  EXPECT_EQ(b.ForeColor(), 0);
  EXPECT_EQ(b.HoverForeColor(), 0);
  EXPECT_EQ(b.GradientColor(), 0xC0C0C0);
  EXPECT_EQ(b.GradientMode(), 2);
  EXPECT_EQ(b.BackColor(), 0xE0E0E0);
  EXPECT_EQ(b.State().ContainerBackColor, static_cast<int32_t>(GetSysColor(COLOR_BTNFACE)))
      << "the frame's back colour, resolved";
}

TEST_F(Persistence, MissingKeysTakeTheirReadDefaults) {
  Form stored(test::HostWithButton(R"({"caption": "Defaults"})"));
  stored.Show();
  Ornabutton& b = ButtonOf(stored);
  EXPECT_EQ(b.CaptionAlign(), 2);
  EXPECT_TRUE(b.ShowFocusRect());
  EXPECT_EQ(b.GradientColor(), kButtonFace);
  EXPECT_EQ(b.ForeColor(), kButtonText);
  EXPECT_EQ(b.HoverForeColor(), kButtonText);
  EXPECT_EQ(b.State().PicturePixels, 16);
  // No "cBack": the form's back colour; no "cBHover": that same colour.
  EXPECT_EQ(b.BackColor(), 0x00C0FFC0);
  EXPECT_EQ(b.HoverBackColor(), 0x00C0FFC0);
  EXPECT_TRUE(b.Enabled());
  // Colours may also be stored as text.
  Form text(test::HostWithButton(R"({"cback": "&H8000000F&", "cfore": "0x00FF0000"})"));
  text.Show();
  EXPECT_EQ(ButtonOf(text).BackColor(), kButtonFace);
  EXPECT_EQ(ButtonOf(text).ForeColor(), 0x00FF0000);
}

TEST_F(Persistence, AStoredIconWithoutAStoredPointerLoadsTheDefaultPointer) {
  const std::string icon =
      platform::Base64Encode(test::PictureFile(L"ICON_ICO"));
  Form noPointer(test::HostWithButton(R"({"mIcon": {"picture": ")" + icon + R"("}})"));
  noPointer.Show();
  EXPECT_EQ(ButtonOf(noPointer).MousePointer(), 0);
  EXPECT_FALSE(ButtonOf(noPointer).MouseIcon().IsEmpty());
  Form withPointer(test::HostWithButton(R"({"mIcon": {"picture": ")" + icon + R"("}, "mPointer": 99})"));
  withPointer.Show();
  EXPECT_EQ(ButtonOf(withPointer).MousePointer(), 99);
}

TEST_F(Persistence, StoredValuesAreTakenAsTheyAre) {
  Form stored(test::HostWithButton(R"({"BackStyle": 9, "CapAlign": 7, "ImgSize": 20, "LockHover": 12})"));
  stored.Show();
  Ornabutton& b = ButtonOf(stored);
  EXPECT_EQ(b.ButtonStyle(), 9);
  EXPECT_EQ(b.CaptionAlign(), 7);
  EXPECT_EQ(b.State().PicturePixels, 20);
  EXPECT_EQ(b.HoverColorLocks(), 12);
  b.Refresh();  // a style outside 0..7 draws a plain face and breaks nothing
}

TEST_F(Persistence, AnUnreadableStoredValueStopsTheFormWithItsKey) {
  const auto errorOf = [](const std::string& properties) {
    Form stored(test::HostWithButton(properties));
    try {
      stored.Load();
    } catch (const DesignError& e) {
      EXPECT_EQ(e.file(), "Stored.json");
      EXPECT_EQ(e.control(), "Ornabutton1");
      return e.key() + " | " + e.problem();
    }
    return std::string("loaded");
  };
  EXPECT_NE(errorOf(R"({"BackStyle": "three"})").find("properties.BackStyle | "), std::string::npos);
  EXPECT_NE(errorOf(R"({"BackStyle": "three"})").find("type mismatch"), std::string::npos);
  EXPECT_NE(errorOf(R"({"ImgSize": 70000})").find("overflow"), std::string::npos);
  EXPECT_NE(errorOf(R"({"Focus": {"picture": ""}})").find("properties.Focus"), std::string::npos);
  const std::string junk = platform::Base64Encode(test::PictureFile(L"JUNK_BIN"));
  EXPECT_NE(errorOf(R"({"Image": {"picture": ")" + junk + R"("}})").find("properties.Image | Invalid picture"),
            std::string::npos);
  EXPECT_NE(errorOf(R"({"mPointer": 42})").find("properties.mPointer | Invalid property value"),
            std::string::npos);
}

TEST(Pictures, ThePlatformDecodersReadEveryKindOfPictureFile) {
  struct Case {
    const wchar_t* resource;
    platform::Picture::Kind kind;
    SIZE size;
  };
  for (const Case& c : {Case{L"DISC_BMP", platform::Picture::Kind::Bitmap, {32, 32}},
                        Case{L"SMALL_GIF", platform::Picture::Kind::Bitmap, {8, 6}},
                        Case{L"PHOTO_JPG", platform::Picture::Kind::Bitmap, {16, 12}},
                        Case{L"ICON_ICO", platform::Picture::Kind::Icon, {32, 32}},
                        Case{L"ARROW_CUR", platform::Picture::Kind::Icon, {32, 32}}}) {
    platform::Picture p;
    const platform::HostResult r = platform::Picture::Load(test::PictureFile(c.resource), p);
    ASSERT_TRUE(r) << platform::Narrow(c.resource) << ": " << r.error().description;
    EXPECT_EQ(p.kind(), c.kind) << platform::Narrow(c.resource);
    EXPECT_EQ(p.PixelSize().cx, c.size.cx) << platform::Narrow(c.resource);
    EXPECT_EQ(p.PixelSize().cy, c.size.cy) << platform::Narrow(c.resource);
    EXPECT_EQ(p.Data().bytes, test::PictureFile(c.resource)) << "stored as loaded";
  }
  for (const wchar_t* bad : {L"JUNK_BIN", L"TRUNCATED_BMP"}) {
    platform::Picture p = test::TestIcon();
    const platform::HostResult r = platform::Picture::Load(test::PictureFile(bad), p);
    EXPECT_FALSE(r) << platform::Narrow(bad);
    EXPECT_EQ(r.error().number, platform::kErrInvalidPicture);
    EXPECT_TRUE(p.IsEmpty());
  }
  platform::Picture none;
  EXPECT_FALSE(platform::Picture::Load({}, none));
  // A picture made in memory is stored in its own file format and reads back alike.
  platform::Picture made = test::TestBitmap(12, 7), again;
  ASSERT_TRUE(platform::Picture::Load(made.Data().bytes, again));
  EXPECT_EQ(again.PixelSize().cx, 12);
  EXPECT_EQ(again.PixelSize().cy, 7);
}

TEST_F(Persistence, TerminateReleasesEveryDrawingObjectItMade) {
  // The first round fills the system's own caches (fonts, region machinery); what it keeps is
  // no leak of ours, so the count starts after it.
  int before = 0;
  for (int round = 0; round <= 40; ++round) {
    if (round == 1) before = test::GdiHeadroom();
    Form host(ParseFormDesign(test::kButtonHostDesign, "Host.json"));
    host.Show();
    for (int i = 0; i < 25; ++i) {
      auto& b = host.PlaceUserControl(Ornabutton::kClassName, "Button" + std::to_string(i), "Box",
                                      240, 240, 1455, 375)
                    .Client<Ornabutton>();
      b.SetFontStyle(2);
      b.SetPicture(test::TestBitmap());
      b.SetMode(2);
      b.SetButtonShape(4);
    }
  }
  EXPECT_EQ(test::GdiHeadroom(), before) << "1000 buttons made and destroyed";
}

}  // namespace
}  // namespace velmora
