// Input meant to break the button: picture files that stop short or lie about their size, a
// huge picture on a picture-shaped button, buttons of no size or one pixel, captions of
// 100 000 characters or only line breaks, and stored values of the wrong type, unreadable or
// out of range. Each ends in a clear error or a sane drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>
#include <tuple>

#include "platform/DesignFile.h"
#include "platform/Text.h"
#include "tests/support/ButtonHost.h"
#include "tests/support/OrnabuttonProbe.h"
#include "tests/support/Pictures.h"

namespace velmora {
namespace {

using P = OrnabuttonProbe;

class HostileInput : public test::ButtonHost {
 protected:
  // Draws the button hot, pressed and as the default button, then idle; the back buffer keeps
  // the size of the client area and the caption stays on it.
  static void ExpectSaneInEveryLook(Ornabutton& b, const std::string& what) {
    b.PaintInto(b.hdc(), {true, true, true});
    b.PaintInto(b.hdc(), {});
    BITMAP bm{};
    GetObjectW(GetCurrentObject(P::Buffer(b), OBJ_BITMAP), sizeof bm, &bm);
    const int w = static_cast<int>(P::Surface(b).ScaleWidth());
    const int h = static_cast<int>(P::Surface(b).ScaleHeight());
    EXPECT_TRUE(w <= 0 || h <= 0 || (bm.bmWidth == w && bm.bmHeight == h)) << what;
    EXPECT_LE(b.State().CaptionRect.right, std::max(w, 4) + 1) << what;
  }
};

// Truncated copies of picture files, and copies whose headers promise sizes the data does not
// hold.
std::vector<std::pair<std::string, std::vector<uint8_t>>> DamagedFiles() {
  std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
  for (const wchar_t* file : {L"DISC_BMP", L"ICON_ICO", L"SMALL_GIF", L"PHOTO_JPG"}) {
    const std::vector<uint8_t> whole = test::PictureFile(file);
    for (const size_t keep :
         {size_t{3}, size_t{10}, whole.size() / 4, whole.size() / 2, whole.size() - 2})
      files.emplace_back(platform::Narrow(file) + " cut to " + std::to_string(keep),
                         std::vector<uint8_t>(whole.begin(), whole.begin() + keep));
  }
  // Where 16-bit sizes are overwritten: in a JPEG from its frame header (height, then width).
  const std::tuple<const wchar_t*, std::vector<size_t>, uint16_t, const char*> lies[] = {
      {L"SMALL_GIF", {6, 8}, 0xFFFF, "gif with a 65535 x 65535 screen"},
      {L"SMALL_GIF", {6, 8, 0x1F, 0x21}, 0xFFFF, "gif with a 65535 x 65535 screen and image"},
      {L"PHOTO_JPG", {5, 7}, 0xFFFF, "jpg with a 65535 x 65535 frame"},
      {L"DISC_BMP", {18}, 0x7FFF, "bmp wider than its pixels"},
      {L"ICON_ICO", {14}, 0xFFFF, "ico whose image runs past the end"}};
  for (const auto& [file, offsets, size, what] : lies) {
    std::vector<uint8_t> bytes = test::PictureFile(file);
    const uint8_t jpegFrame[] = {0xFF, 0xC0};
    const size_t base =
        file == std::wstring(L"PHOTO_JPG")
            ? std::search(bytes.begin(), bytes.end(), jpegFrame, jpegFrame + 2) - bytes.begin()
            : 0;
    for (const size_t at : offsets)
      bytes[base + at] = size & 0xFF, bytes[base + at + 1] = size >> 8;
    files.emplace_back(what, bytes);
  }
  return files;
}

TEST_F(HostileInput, PictureFilesThatStopShortOrLieEndInAnErrorOrASanePicture) {
  Ornabutton& b = New();
  for (const auto& [what, bytes] : DamagedFiles()) {
    platform::Picture p;
    const platform::HostResult r = platform::Picture::Load(bytes, p);
    if (!r) {
      EXPECT_TRUE(r.error().number == platform::kErrInvalidPicture && p.IsEmpty()) << what;
      continue;
    }
    // What a decoder accepts is a picture of a size it really made.
    const SIZE size = p.PixelSize();
    EXPECT_TRUE(size.cx > 0 && size.cx <= 4096 && size.cy > 0 && size.cy <= 4096) << what;
    b.SetPicture(p);
    ExpectSaneInEveryLook(b, what);
  }
}

TEST_F(HostileInput, AHugePictureShapesTheButton) {
  // A disc on a magenta ground, 8000 x 8000 pixels (250 MB).
  platform::Picture huge = platform::Picture::FromBitmap(test::MakeDiscPicture(8000, 8000, false));
  ASSERT_EQ(huge.PixelSize().cx, 8000);
  Ornabutton& b = New("Ornabutton1", false, 1500, 1500);
  for (const int shape : {7, 8}) {
    b.SetPicture(huge);
    b.SetButtonShape(shape);
    b.Refresh();
    EXPECT_EQ(b.ButtonShape(), shape);
    // The window takes the disc's outline: its middle is in, its corner out.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(b.hwnd(), region), ERROR);
    EXPECT_TRUE(PtInRegion(region, 50, 50) && !PtInRegion(region, 1, 1)) << shape;
    DeleteObject(region);
    ExpectSaneInEveryLook(b, "shape " + std::to_string(shape));
  }
}

TEST_F(HostileInput, ButtonsOfNoSizeOrOnePixelInEveryShapeAndStyle) {
  const platform::Picture bitmap = test::TestBitmap(32, 16);
  for (const SIZE size : {SIZE{0, 0}, SIZE{0, 25}, SIZE{97, 0}, SIZE{1, 1}}) {
    const std::string name = std::to_string(size.cx) + " x " + std::to_string(size.cy);
    Ornabutton& b = New(name, false, size.cx * 15, size.cy * 15);
    b.SetPicture(bitmap);
    for (int style = 0; style < 8; ++style) {
      for (int shape = 0; shape < 9; ++shape) {
        P::Surface(b).Size(static_cast<float>(size.cx * 15), static_cast<float>(size.cy * 15));
        b.SetButtonStyle(style);
        b.SetButtonShape(shape);
        b.SetGradientMode(shape % 5);
        ExpectSaneInEveryLook(
            b, name + ", style " + std::to_string(style) + ", shape " + std::to_string(shape));
      }
    }
  }
}

TEST_F(HostileInput, CaptionsOfAHundredThousandCharactersOrOnlyLineBreaks) {
  Ornabutton& b = New();
  std::wstring words;
  while (words.size() < 100000) words += L"Remove ";
  words.resize(100000);
  int style = 0;
  // Each caption gets a look of its own, set first: laying out many words takes long.
  for (const std::wstring& caption :
       {std::wstring(100000, L'W'), std::wstring(L"||"), std::wstring(L"||||||||"),
        std::wstring(L"|||"), std::wstring(100000, L'|'), words}) {
    const std::string what = "caption of " + std::to_string(caption.size()) + " characters";
    b.SetButtonStyle(style++);
    b.SetCaption(caption);
    EXPECT_EQ(b.Caption(), caption);
    ExpectSaneInEveryLook(b, what);
    // The caption is cut to the face: 4 pixels in from the edges of the 97 x 25 button.
    const RECT& c = b.State().CaptionRect;
    EXPECT_TRUE(c.left >= 4 && c.top >= 4 && c.right <= 97 - 4 && c.bottom <= 25 - 5) << what;
  }
}

// The entries of a list "key value ! what an error says; key value; ...".
std::vector<std::array<std::string, 3>> Entries(const std::string& list) {
  std::vector<std::array<std::string, 3>> entries;
  std::istringstream in(list);
  for (std::string entry; std::getline(in, entry, ';');) {
    const size_t key = entry.find_first_not_of(" \n"), value = entry.find(' ', key),
                 bang = entry.find(" ! ");
    entries.push_back({entry.substr(key, value - key), entry.substr(value + 1, bang - value - 1),
                       bang == std::string::npos ? "" : entry.substr(bang + 3)});
  }
  return entries;
}

TEST_F(HostileInput, EveryStoredKeyThatCannotBeReadStopsTheFormNamingTheKey) {
  // Values no conversion turns into the key's type, numbers too large for it, pictures and
  // pointers the runtime refuses; with what the error says.
  std::string list = R"(Caption {"name": "Arial"} ! type mismatch; CapAlign "left" ! type mismatch;
      BackStyle "three" ! type mismatch; Shape [1]; Gradient "up"; cGradient "grey"; Font 12;
      cFore {"name": "Arial"}; Focus "perhaps"; Focus {"picture": ""}; Mode "check"; Value "maybe";
      CustomClick "left"; Image 42; Image {"picture": "JUNK"} ! Invalid picture; ImgSize "big";
      ImgSize 70000 ! overflow; ImgAlign "top"; cFHover "red"; Enabled "sometimes"; cBack "blue";
      cBHover [255]; LockHover "both"; CapStyle "raised"; mIcon "arrow.cur"; mPointer "hand";
      mPointer 42 ! Invalid property value)";
  list.replace(list.find("JUNK"), 4, platform::Base64Encode(test::PictureFile(L"JUNK_BIN")));
  for (const auto& [key, value, problem] : Entries(list)) {
    try {
      platform::Form(test::HostWithButton("{\"" + key + "\": " + value + "}")).Load();
      ADD_FAILURE() << key << " " << value << " loaded";
    } catch (const platform::DesignError& e) {
      EXPECT_EQ(e.file() + " " + e.control() + " " + e.key(),
                "Stored.json Ornabutton1 properties." + key);
      EXPECT_NE(e.problem().find(problem), std::string::npos)
          << key << " " << value << ": " << e.problem();
    }
  }
}

TEST_F(HostileInput, StoredValuesOutOfRangeLoadAsStoredAndDrawSanely) {
  const std::string picture = platform::Base64Encode(test::PictureFile(L"DISC_BMP"));
  for (const auto& [key, value, unused] : Entries(
           "CapAlign -7; BackStyle -1; BackStyle 2147483647; Shape 99; Shape -2147483648; Gradient "
           "9; Gradient -3; Mode 7; CustomClick -5; CustomClick 100; ImgSize -32768; ImgSize "
           "32767; ImgAlign 42; LockHover -1; CapStyle 12; cBack 2147483647; cBack -2147483393; "
           "cFore 16777217; cGradient -1; cBHover -2147483648; cFHover 2130706432")) {
    const std::string what = key + " = " + value;
    platform::Form stored(test::HostWithButton(R"({"caption": "Odd", "Image": {"picture": ")" +
                                               picture + R"("}, ")" + key + R"(": )" + value +
                                               "}"));
    ASSERT_NO_THROW(stored.Show()) << what;
    auto& storedSite = stored.Get<platform::UserControlSite>("Ornabutton1");
    EXPECT_EQ(storedSite.SaveDesign().properties.ReadLong(key, 12345), std::stol(value))
        << what << ": kept as stored";
    Ornabutton& b = storedSite.Client<Ornabutton>();
    ExpectSaneInEveryLook(b, what);
    // Whatever the stored picture size, the picture is drawn on the face.
    const RECT& box = b.State().PictureRect;
    EXPECT_TRUE(box.right - box.left <= 97 && box.bottom - box.top <= 25) << what;
  }
}

}  // namespace
}  // namespace velmora
