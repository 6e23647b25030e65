// The public properties of the button: ranges, refusals and their design-time messages, the
// change keys each setter reports, and the hover colour locks.
#include <gtest/gtest.h>

#include "tests/support/ButtonHost.h"

namespace velmora {
namespace {

using KeyList = std::vector<std::string>;
using test::ButtonHost;

constexpr int32_t kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00, kYellow = 0x00FFFF;

class Properties : public ButtonHost {};

TEST_F(Properties, OutOfRangeValuesChangeNothingAndReportNothing) {
  Ornabutton& b = New();
  b.SetButtonStyle(8);
  b.SetButtonStyle(-1);
  b.SetMode(3);
  b.SetMode(-1);
  b.SetCaptionAlign(3);
  b.SetCaptionStyle(-1);
  b.SetCustomClick(9);
  b.SetButtonShape(9);
  b.SetPictureAlign(6);
  b.SetPictureSize(5);
  b.SetGradientMode(5);
  EXPECT_EQ(Keys(), KeyList{});
  EXPECT_EQ(b.ButtonStyle(), 0);
  EXPECT_EQ(b.Mode(), 0);
  EXPECT_EQ(b.CaptionAlign(), 2);
  EXPECT_EQ(b.CaptionStyle(), 0);
  EXPECT_EQ(b.CustomClick(), 0);
  EXPECT_EQ(b.ButtonShape(), 0);
  EXPECT_EQ(b.PictureAlign(), 0);
  EXPECT_EQ(b.GradientMode(), 0);
  EXPECT_EQ(b.State().PicturePixels, 0);

  // The top of each range is accepted.
  b.SetButtonStyle(7);
  b.SetCaptionAlign(1);
  b.SetCaptionStyle(2);
  b.SetCustomClick(8);
  b.SetButtonShape(6);
  b.SetPictureAlign(5);
  b.SetPictureSize(4);
  b.SetGradientMode(4);
  b.SetMode(2);
  EXPECT_EQ(b.ButtonStyle(), 7);
  EXPECT_EQ(b.CaptionAlign(), 2);  // PictureAlign 5 centres it, but there is no picture
  EXPECT_EQ(b.CaptionStyle(), 2);
  EXPECT_EQ(b.CustomClick(), 8);
  EXPECT_EQ(b.ButtonShape(), 6);
  EXPECT_EQ(b.PictureAlign(), 5);
  EXPECT_EQ(b.State().PicturePixels, 48);
  EXPECT_EQ(b.GradientMode(), 4);
  EXPECT_EQ(b.Mode(), 2);
  EXPECT_TRUE(Messages().empty()) << "no message at run time";
}

TEST_F(Properties, EachSetterReportsItsChangeKeysInOrder) {
  Ornabutton& b = New();
  b.SetButtonStyle(3);
  EXPECT_EQ(Keys(), KeyList{"BackStyle"});
  b.SetMode(1);
  EXPECT_EQ(Keys(), KeyList{"Mode"});
  b.SetValue(true);
  EXPECT_EQ(Keys(), KeyList{"Value"});
  b.SetMode(0);  // Value becomes False on the way
  EXPECT_EQ(Keys(), (KeyList{"Value", "Mode"}));
  EXPECT_FALSE(b.Value());
  b.SetCaption(L"&Save");
  EXPECT_EQ(Keys(), KeyList{"Caption"});
  b.SetCaptionAlign(0);
  EXPECT_EQ(Keys(), KeyList{"CapAlign"});
  b.SetCaptionStyle(1);
  EXPECT_EQ(Keys(), KeyList{"CapStyle"});
  b.SetCustomClick(4);
  EXPECT_EQ(Keys(), KeyList{"CustomClick"});
  b.SetButtonShape(4);
  EXPECT_EQ(Keys(), KeyList{"Shape"});
  EXPECT_EQ(b.CaptionAlign(), 2) << "a new shape centres the caption";
  b.SetPicture(test::TestBitmap());
  EXPECT_EQ(Keys(), KeyList{"Image"});
  b.SetPictureAlign(5);
  EXPECT_EQ(Keys(), (KeyList{"CapAlign", "ImgAlign"}));
  b.SetEnabled(false);
  EXPECT_EQ(Keys(), KeyList{"Enabled"});
  b.SetEnabled(false);
  EXPECT_EQ(Keys(), KeyList{});
  b.SetShowFocusRect(false);
  EXPECT_EQ(Keys(), KeyList{"Focus"});
  b.SetPictureSize(2);
  EXPECT_EQ(Keys(), KeyList{"ImgSize"});
  ASSERT_TRUE(b.SetMousePointer(2));
  EXPECT_EQ(Keys(), KeyList{"mPointer"});
  b.SetMouseIcon(test::TestIcon());
  EXPECT_EQ(Keys(), (KeyList{"mPointer", "mIcon"}));
  EXPECT_EQ(b.MousePointer(), 99);
  platform::FontDesign font = b.Font();
  font.name = "Arial";
  ASSERT_TRUE(b.SetFont(font));
  EXPECT_EQ(Keys(), KeyList{"Font"});
  b.SetFontStyle(8);
  EXPECT_EQ(Keys(), KeyList{"Font"});
  b.SetForeColor(kRed);  // the caption lock carries the hover caption colour along
  EXPECT_EQ(Keys(), (KeyList{"cFHover", "cFHover", "cFore"}));
  b.SetForeColor(kRed);
  EXPECT_EQ(Keys(), KeyList{});
  b.SetBackColor(kBlue);
  EXPECT_EQ(Keys(), (KeyList{"cBHover", "cBack"}));
  b.SetGradientColor(kYellow);
  EXPECT_EQ(Keys(), KeyList{"cGradient"});
  b.SetGradientMode(1);
  EXPECT_EQ(Keys(), KeyList{"Gradient"});
  b.SetHoverColorLocks(3);
  EXPECT_EQ(Keys(), KeyList{"LockHover"});
  b.SetHoverColorLocks(0);
  EXPECT_EQ(Keys(), (KeyList{"cBHover", "cFHover", "LockHover"}));
  b.SetHoverForeColor(kGreen);
  EXPECT_EQ(Keys(), (KeyList{"cFHover", "cFHover"}));
  b.SetHoverBackColor(kGreen);
  EXPECT_EQ(Keys(), KeyList{"cBHover"});
  b.SetResetDefaultColors(true);  // run time: nothing
  EXPECT_EQ(Keys(), KeyList{});
}

TEST_F(Properties, TheAccessKeyIsTheCharacterAfterTheLastAmpersand) {
  Ornabutton& b = New();
  platform::UserControl& surface = site->Surface();
  b.SetCaption(L"&Save");
  EXPECT_EQ(surface.AccessKeys(), L"S");
  b.SetCaption(L"Plain");
  EXPECT_EQ(surface.AccessKeys(), L"S") << "a caption without & keeps the access key";
  b.SetCaption(L"Save&");
  EXPECT_EQ(surface.AccessKeys(), L"");
  b.SetCaption(L"A&&B");
  EXPECT_EQ(surface.AccessKeys(), L"B");
  EXPECT_EQ(b.Caption(), L"A&&B");
}

TEST_F(Properties, CaptionAlignmentGivesWayToAPictureAboveOrBelow) {
  Ornabutton& b = New("Ornabutton1", /*designMode=*/true);
  b.SetCaptionAlign(0);
  b.SetCaptionAlign(1);
  EXPECT_EQ(b.CaptionAlign(), 1) << "without a picture left and right are fine";
  b.SetPicture(test::TestBitmap());
  b.SetPictureAlign(4);
  EXPECT_EQ(b.CaptionAlign(), 2);
  Keys();
  b.SetCaptionAlign(0);
  EXPECT_EQ(b.CaptionAlign(), 2);
  EXPECT_EQ(Keys(), KeyList{});
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text,
            L"When button images are aligned top/bottom center, \r\n"
            L"button captions can only be center aligned");
  EXPECT_EQ(boxes.shown[0].title, L"Control Tests");
  EXPECT_EQ(boxes.shown[0].flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  boxes.shown.clear();
  b.SetCaptionAlign(2);
  EXPECT_EQ(Keys(), KeyList{"CapAlign"});
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Properties, PictureShapesNeedABitmap) {
  Ornabutton& b = New("Ornabutton1", /*designMode=*/true);
  b.SetButtonShape(7);
  EXPECT_EQ(b.ButtonShape(), 0);
  EXPECT_EQ(Messages(), std::vector<std::wstring>{
                            L"The Picture Property must be assigned first and must be a bitmap or JPEG."});
  b.SetPicture(test::TestIcon());
  Keys();
  b.SetButtonShape(8);
  EXPECT_EQ(b.ButtonShape(), 0);
  EXPECT_EQ(Keys(), KeyList{});
  EXPECT_EQ(Messages().size(), 1u);

  b.SetPicture(test::TestBitmap());
  b.SetCaptionAlign(0);
  Keys();
  b.SetButtonShape(7);
  EXPECT_EQ(b.ButtonShape(), 7);
  EXPECT_EQ(b.State().PicturePixels, 48);
  EXPECT_EQ(b.CaptionAlign(), 2);
  EXPECT_EQ(Keys(), (KeyList{"ImgSize", "Shape"}));
  b.SetPictureSize(1);  // refused on a shaped button
  EXPECT_EQ(b.State().PicturePixels, 48);
  EXPECT_EQ(Messages(), std::vector<std::wstring>{L"The picture size cannot be changed for Shaped buttons"});

  // An icon on a picture-shaped button turns it rectangular, with a word to the designer.
  b.SetPicture(test::TestIcon());
  EXPECT_EQ(b.ButtonShape(), 0);
  EXPECT_EQ(Messages(), std::vector<std::wstring>{
                            L"Icons cannot be used for custom buttons. Only use bitmaps or JPEGs.\r\n"
                            L"Button was changed to Rectangular shaped."});
  // So does taking the picture away.
  b.SetPicture(test::TestBitmap());
  b.SetButtonShape(8);
  Keys();
  b.SetPicture(platform::Picture());
  EXPECT_EQ(b.ButtonShape(), 0);
  EXPECT_EQ(Keys(), (KeyList{"Shape", "Image"}));
  EXPECT_EQ(b.State().PictureWidth, 0);
}

TEST_F(Properties, RefusalsAndWarningsSpeakOnlyAtDesignTime) {
  Ornabutton& running = New("Running");
  running.SetValue(true);
  running.SetButtonShape(7);
  running.SetCustomClick(3);
  EXPECT_FALSE(running.Value());
  EXPECT_EQ(running.CustomClick(), 3) << "stored all the same";
  EXPECT_TRUE(Messages().empty());

  Ornabutton& designed = New("Designed", /*designMode=*/true);
  designed.SetValue(true);
  EXPECT_FALSE(designed.Value());
  EXPECT_EQ(Keys(), KeyList{});
  designed.SetCustomClick(3);
  EXPECT_EQ(designed.CustomClick(), 3);
  EXPECT_EQ(Messages(), (std::vector<std::wstring>{
                            L"This property is not applicable for command button modes.",
                            L"This property has no effect unless the Button Shape is a custom shape."}));
}

TEST_F(Properties, ShowFocusRectOnADefaultButton) {
  // At design time the default look stays and the designer is told why; at run time the
  // default look goes.
  Ornabutton& b = New("Ornabutton1", /*designMode=*/true);
  site->SetAmbientDisplayAsDefault(true);
  ASSERT_TRUE(b.State().StateFlags & Default);
  Keys();
  b.SetShowFocusRect(false);
  EXPECT_TRUE(b.State().StateFlags & Default);
  EXPECT_FALSE(b.ShowFocusRect());
  EXPECT_EQ(Keys(), KeyList{"Focus"});
  EXPECT_EQ(Messages(), std::vector<std::wstring>{
                            L"The focus rectangle may appear on default buttons ONLY while in "
                            L"design mode, \r\nbut will not appear when the form is running."});
  form.SetUserMode(true);
  b.SetShowFocusRect(true);
  site->SetAmbientDisplayAsDefault(false);
  site->SetAmbientDisplayAsDefault(true);
  ASSERT_TRUE(b.State().StateFlags & Default);
  b.SetShowFocusRect(false);
  EXPECT_FALSE(b.State().StateFlags & Default);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Properties, PictureSizeFontStyleAndPointers) {
  Ornabutton& b = New();
  EXPECT_EQ(b.State().PicturePixels, 0);
  EXPECT_EQ(b.PictureSize(), 0);
  EXPECT_EQ(b.State().PicturePixels, 16) << "reading stores the 16-pixel box";
  b.SetPictureSize(2);
  EXPECT_EQ(b.State().PicturePixels, 32);
  EXPECT_EQ(b.PictureSize(), 2);

  b.SetFontStyle(6);
  EXPECT_TRUE(b.Font().Bold());
  EXPECT_TRUE(b.Font().italic);
  EXPECT_FALSE(b.Font().underline);
  EXPECT_EQ(b.FontStyle(), 6);
  b.SetFontStyle(1);
  EXPECT_EQ(b.FontStyle(), 0);
  EXPECT_FALSE(b.Font().Bold());

  Keys();
  const platform::HostResult overflow = b.SetMousePointer(40000);
  EXPECT_FALSE(overflow);
  EXPECT_EQ(overflow.error().number, platform::kErrOverflow);
  const platform::HostResult unknown = b.SetMousePointer(50);
  EXPECT_FALSE(unknown);
  EXPECT_EQ(unknown.error().number, platform::kErrInvalidPropertyValue);
  EXPECT_EQ(b.MousePointer(), 0);
  EXPECT_EQ(Keys(), KeyList{});
}

TEST_F(Properties, AMouseIconMustBeAnIconOrACursor) {
  Ornabutton& b = New("Ornabutton1", /*designMode=*/true);
  b.SetMouseIcon(test::TestBitmap());
  EXPECT_TRUE(b.MouseIcon().IsEmpty());
  EXPECT_EQ(b.MousePointer(), 0);
  EXPECT_EQ(Keys(), KeyList{});
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, L"Select .ico Or .cur Files Only");
  EXPECT_EQ(boxes.shown[0].text, L"Invalid picture");
  EXPECT_EQ(boxes.shown[0].flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  Messages();
  b.SetMouseIcon(test::TestIcon());
  EXPECT_EQ(b.MousePointer(), 99);
  b.SetMouseIcon(platform::Picture());  // clears the icon only
  EXPECT_EQ(b.MousePointer(), 99);
  EXPECT_EQ(Keys(), (KeyList{"mPointer", "mIcon"}));
}

TEST_F(Properties, HoverFaceFollowsTheFaceUntilGivenAColourOfItsOwn) {
  Ornabutton& b = New();
  b.SetHoverColorLocks(0);
  b.SetBackColor(kRed);
  EXPECT_EQ(b.HoverBackColor(), kRed);
  EXPECT_EQ(b.HoverColorLocks(), 0);
  b.SetHoverBackColor(kBlue);
  EXPECT_EQ(b.HoverColorLocks(), 1);
  b.SetBackColor(kGreen);
  EXPECT_EQ(b.HoverBackColor(), kBlue);
  EXPECT_EQ(b.HoverColorLocks(), 1);
}

TEST_F(Properties, InAGradientTheHoverFaceFollowsTheGradientColour) {
  Ornabutton& b = New();
  b.SetHoverColorLocks(0);
  b.SetGradientMode(1);
  b.SetGradientColor(kYellow);
  EXPECT_EQ(b.HoverBackColor(), kYellow);
  // BackColor hands the gradient colour to the HoverBackColor setter, which holds it already
  // and so changes nothing: the lock stays.
  b.SetBackColor(kRed);
  EXPECT_EQ(b.HoverBackColor(), kYellow);
  EXPECT_EQ(b.HoverColorLocks(), 0);
  // With a hover face of another colour, the same step releases the lock.
  b.SetHoverColorLocks(0);
  b.SetGradientMode(0);
  EXPECT_EQ(b.HoverBackColor(), kRed);
  b.SetGradientMode(2);
  b.SetHoverColorLocks(2);
  EXPECT_EQ(b.HoverBackColor(), kYellow);
  b.SetGradientColor(kGreen);
  EXPECT_EQ(b.HoverBackColor(), kGreen);
  b.SetHoverBackColor(kBlue);
  EXPECT_EQ(b.HoverColorLocks(), 3);
}

TEST_F(Properties, HoverCaptionFollowsTheCaptionColour) {
  Ornabutton& b = New();
  b.SetHoverColorLocks(0);
  b.SetHoverForeColor(b.ForeColor());
  EXPECT_EQ(b.HoverColorLocks(), 0);
  b.SetForeColor(kRed);
  EXPECT_EQ(b.HoverForeColor(), kRed);
  b.SetHoverForeColor(kBlue);
  EXPECT_EQ(b.HoverColorLocks(), 2);
  b.SetForeColor(kGreen);
  EXPECT_EQ(b.HoverForeColor(), kBlue);
  b.SetHoverColorLocks(1);
  EXPECT_EQ(b.HoverForeColor(), kGreen);
  b.SetHoverForeColor(kRed);
  EXPECT_EQ(b.HoverColorLocks(), 3);
  b.SetHoverColorLocks(7);  // locks neither
  b.SetForeColor(kBlue);
  EXPECT_EQ(b.HoverForeColor(), kRed);
}

TEST_F(Properties, ResetDefaultColorsWorksOnlyAtDesignTime) {
  Ornabutton& running = New("Running");
  running.SetBackColor(kRed);
  running.SetResetDefaultColors(true);
  EXPECT_EQ(running.BackColor(), kRed);

  Ornabutton& b = New("Designed", /*designMode=*/true);
  b.SetBackColor(kRed);
  b.SetForeColor(kBlue);
  b.SetGradientColor(kYellow);
  b.SetGradientMode(3);
  b.SetHoverColorLocks(3);
  b.SetHoverBackColor(kGreen);
  Keys();
  b.SetResetDefaultColors(false);
  EXPECT_EQ(Keys(), KeyList{});
  b.SetResetDefaultColors(true);
  EXPECT_EQ(b.BackColor(), kButtonFace);
  EXPECT_EQ(b.ForeColor(), kButtonText);
  EXPECT_EQ(b.GradientColor(), kButtonFace);
  EXPECT_EQ(b.GradientMode(), 0);
  EXPECT_EQ(b.HoverColorLocks(), 0);
  EXPECT_EQ(b.HoverBackColor(), kButtonFace);
  EXPECT_EQ(b.HoverForeColor(), kButtonText);
  EXPECT_FALSE(b.ResetDefaultColors());
  EXPECT_EQ(Keys(), (KeyList{"cFore", "cGradient", "Gradient", "cBHover", "cFHover", "LockHover",
                          "cGradient", "cBack"}));
}

TEST_F(Properties, ValueIsTheDefaultMember) {
  Ornabutton& b = New();
  b.SetMode(1);
  b = true;
  EXPECT_TRUE(b.Value());
  b = false;
  EXPECT_FALSE(b.Value());
}

}  // namespace
}  // namespace velmora
