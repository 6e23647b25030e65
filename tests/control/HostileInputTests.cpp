// Input meant to break the button: picture files that stop short or lie about their size, a
// huge picture on a picture-shaped button, buttons of no size or one pixel, captions of
// 100 000 characters or only line breaks, and stored values of the wrong type or out of
// range. Each ends in a clear error or a sane drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

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
  // The back buffer has the size of the button's client area.
  static void ExpectSaneBuffer(Ornabutton& b, const std::string& what) {
    BITMAP bm{};
    GetObjectW(GetCurrentObject(P::Buffer(b), OBJ_BITMAP), sizeof bm, &bm);
    const int w = static_cast<int>(P::Surface(b).ScaleWidth());
    const int h = static_cast<int>(P::Surface(b).ScaleHeight());
    if (w > 0 && h > 0) {
      EXPECT_EQ(bm.bmWidth, w) << what;
      EXPECT_EQ(bm.bmHeight, h) << what;
    }
    const RECT& c = P::State(b).CaptionRect;
    EXPECT_LE(c.right, std::max(w, 4) + 1) << what;
  }
};

void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v, bool bigEndian = false) {
  b[at] = static_cast<uint8_t>(bigEndian ? v >> 8 : v);
  b[at + 1] = static_cast<uint8_t>(bigEndian ? v : v >> 8);
}

// Truncated copies and copies whose headers promise sizes the data does not hold.
std::vector<std::pair<std::string, std::vector<uint8_t>>> DamagedFiles() {
  std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
  for (const auto& [name, resource] :
       {std::pair{"bmp", L"DISC_BMP"}, std::pair{"ico", L"ICON_ICO"},
        std::pair{"gif", L"SMALL_GIF"}, std::pair{"jpg", L"PHOTO_JPG"}}) {
    const std::vector<uint8_t> whole = test::PictureFile(resource);
    for (const size_t keep :
         {size_t{3}, size_t{10}, whole.size() / 4, whole.size() / 2, whole.size() - 2})
      files.emplace_back(std::string(name) + " cut to " + std::to_string(keep),
                         std::vector<uint8_t>(whole.begin(), whole.begin() + keep));
  }
  std::vector<uint8_t> gif = test::PictureFile(L"SMALL_GIF");
  Put16(gif, 6, 0xFFFF);  // the logical screen
  Put16(gif, 8, 0xFFFF);
  files.emplace_back("gif with a 65535 x 65535 screen", gif);
  Put16(gif, 0x1F, 0xFFFF);  // and an image as large
  Put16(gif, 0x21, 0xFFFF);
  files.emplace_back("gif with a 65535 x 65535 image", gif);
  std::vector<uint8_t> jpg = test::PictureFile(L"PHOTO_JPG");
  for (size_t i = 2; i + 8 < jpg.size(); ++i)
    if (jpg[i] == 0xFF && jpg[i + 1] == 0xC0) {  // the frame header: height, then width
      Put16(jpg, i + 5, 0xFFFF, true);
      Put16(jpg, i + 7, 0xFFFF, true);
      break;
    }
  files.emplace_back("jpg with a 65535 x 65535 frame", jpg);
  std::vector<uint8_t> bmp = test::PictureFile(L"DISC_BMP");
  Put16(bmp, 18, 0x7FFF);  // width
  files.emplace_back("bmp wider than its pixels", bmp);
  std::vector<uint8_t> ico = test::PictureFile(L"ICON_ICO");
  Put16(ico, 6 + 8, 0xFFFF);  // the image's byte count
  files.emplace_back("ico whose image runs past the end", ico);
  return files;
}

TEST_F(HostileInput, PictureFilesThatStopShortOrLieEndInAnErrorOrASanePicture) {
  Ornabutton& b = New();
  for (const auto& [what, bytes] : DamagedFiles()) {
    platform::Picture p;
    const platform::HostResult r = platform::Picture::Load(bytes, p);
    if (!r) {
      EXPECT_EQ(r.error().number, platform::kErrInvalidPicture) << what;
      EXPECT_TRUE(p.IsEmpty()) << what;
      continue;
    }
    // What a decoder accepts is a picture of a size it really made.
    const SIZE size = p.PixelSize();
    EXPECT_GT(size.cx, 0) << what;
    EXPECT_LE(size.cx, 4096) << what;
    EXPECT_LE(size.cy, 4096) << what;
    b.SetPicture(p);
    b.Refresh();
    ExpectSaneBuffer(b, what);
  }
  b.SetPicture(platform::Picture());
}

TEST_F(HostileInput, AHugePictureShapesTheButtonInBoundedTime) {
  // A disc on a magenta ground, 8000 x 8000 pixels (250 MB).
  platform::Picture huge = platform::Picture::FromBitmap(test::MakeDiscPicture(8000, 8000, false));
  ASSERT_EQ(huge.PixelSize().cx, 8000);
  Ornabutton& b = New("Ornabutton1", false, 1500, 1500);
  for (const int shape : {7, 8}) {
    const auto start = std::chrono::steady_clock::now();
    b.SetPicture(huge);
    b.SetButtonShape(shape);
    b.Refresh();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("8000 x 8000 picture, shape %d, 100 x 100 button: %.0f ms\n", shape, ms);
    EXPECT_EQ(b.ButtonShape(), shape);
    // The window takes the disc's outline: its middle is in, its corner out.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(b.hwnd(), region), ERROR);
    EXPECT_TRUE(PtInRegion(region, 50, 50));
    EXPECT_FALSE(PtInRegion(region, 1, 1));
    DeleteObject(region);
    ExpectSaneBuffer(b, "shape " + std::to_string(shape));
  }
}

TEST_F(HostileInput, ButtonsOfNoSizeOrOnePixelInEveryShapeAndStyle) {
  const platform::Picture bitmap = test::TestBitmap(32, 16);
  for (const SIZE size : {SIZE{0, 0}, SIZE{0, 25}, SIZE{97, 0}, SIZE{1, 1}}) {
    Ornabutton& b = New("Tiny" + std::to_string(size.cx) + "x" + std::to_string(size.cy), false,
                        size.cx * 15, size.cy * 15);
    b.SetPicture(bitmap);
    for (int style = 0; style < 8; ++style) {
      for (int shape = 0; shape < 9; ++shape) {
        const std::string what = std::to_string(size.cx) + " x " + std::to_string(size.cy) +
                                 ", style " + std::to_string(style) + ", shape " +
                                 std::to_string(shape);
        P::Surface(b).Size(static_cast<float>(size.cx * 15), static_cast<float>(size.cy * 15));
        b.SetButtonStyle(style);
        b.SetButtonShape(shape);
        b.SetGradientMode(shape % 5);
        for (const int16_t flags :
             {int16_t{0}, int16_t{Default}, int16_t{ButtonDown | MouseOver}}) {
          P::State(b).StateFlags = flags;
          P::State(b).Hovering = flags != 0;
          b.Refresh();
        }
        P::State(b).StateFlags = 0;
        P::State(b).Hovering = false;
        ExpectSaneBuffer(b, what);
        b.SetButtonShape(0);
      }
    }
  }
}

TEST_F(HostileInput, CaptionsOfAHundredThousandCharactersOrOnlyLineBreaks) {
  Ornabutton& b = New();
  std::wstring words;
  while (words.size() < 100000) words += L"Remove ";
  words.resize(100000);
  const std::wstring captions[] = {words,  std::wstring(100000, L'W'), L"||", L"||||||||",
                                   L"|||", std::wstring(100000, L'|')};
  for (const std::wstring& caption : captions) {
    const std::string what = "caption of " + std::to_string(caption.size()) + " characters";
    b.SetCaption(caption);
    EXPECT_EQ(b.Caption(), caption);
    for (const int style : {0, 2, 7}) {
      b.SetButtonStyle(style);
      b.Refresh();
    }
    // The caption is cut to the face: 4 pixels in from the edges.
    const RECT& c = P::State(b).CaptionRect;
    EXPECT_GE(c.left, 4) << what;
    EXPECT_GE(c.top, 4) << what;
    EXPECT_LE(c.right, 97 - 4) << what;
    EXPECT_LE(c.bottom, 25 - 5) << what;
    ExpectSaneBuffer(b, what);
  }
}

TEST_F(HostileInput, EveryStoredKeyWithAValueOfTheWrongTypeStopsTheFormNamingTheKey) {
  // Values no conversion turns into the key's type.
  const std::pair<const char*, const char*> cases[] = {
      {"Caption", R"({"name": "Arial"})"},
      {"CapAlign", R"("left")"},
      {"BackStyle", R"("three")"},
      {"Shape", R"([1])"},
      {"Gradient", R"("up")"},
      {"cGradient", R"("grey")"},
      {"cFore", R"({"name": "Arial"})"},
      {"Font", "12"},
      {"Focus", R"("perhaps")"},
      {"Mode", R"("check")"},
      {"Value", R"("maybe")"},
      {"CustomClick", R"("left")"},
      {"Image", "42"},
      {"ImgSize", R"("big")"},
      {"ImgAlign", R"("top")"},
      {"cFHover", R"("red")"},
      {"Enabled", R"("sometimes")"},
      {"cBack", R"("blue")"},
      {"cBHover", R"([255])"},
      {"LockHover", R"("both")"},
      {"CapStyle", R"("raised")"},
      {"mIcon", R"("arrow.cur")"},
      {"mPointer", R"("hand")"},
  };
  for (const auto& [key, value] : cases) {
    try {
      platform::Form stored(
          test::HostWithButton(std::string(R"({")") + key + R"(": )" + value + "}"));
      stored.Load();
      ADD_FAILURE() << key << " = " << value << " loaded";
    } catch (const platform::DesignError& e) {
      EXPECT_EQ(e.control(), "Ornabutton1") << key;
      EXPECT_EQ(e.key(), std::string("properties.") + key) << e.what();
    }
  }
}

TEST_F(HostileInput, StoredValuesOutOfRangeLoadAsStoredAndDrawSanely) {
  const std::pair<const char*, const char*> cases[] = {
      {"CapAlign", "-7"},          {"BackStyle", "-1"},
      {"BackStyle", "2147483647"}, {"Shape", "99"},
      {"Shape", "-2147483648"},    {"Gradient", "9"},
      {"Gradient", "-3"},          {"Mode", "7"},
      {"CustomClick", "-5"},       {"CustomClick", "100"},
      {"ImgSize", "-32768"},       {"ImgSize", "32767"},
      {"ImgAlign", "42"},          {"LockHover", "-1"},
      {"CapStyle", "12"},          {"cBack", "2147483647"},
      {"cBack", "-2147483393"},    {"cFore", "16777217"},
      {"cGradient", "-1"},         {"cBHover", "-2147483648"},
      {"cFHover", "2130706432"},
  };
  const std::string picture = platform::Base64Encode(test::PictureFile(L"DISC_BMP"));
  for (const auto& [key, value] : cases) {
    const std::string what = std::string(key) + " = " + value;
    platform::Form stored(
        test::HostWithButton(std::string(R"({"caption": "Odd", "Image": {"picture": ")") + picture +
                             R"("}, ")" + key + R"(": )" + value + "}"));
    ASSERT_NO_THROW(stored.Show()) << what;
    Ornabutton& b = stored.Get<platform::UserControlSite>("Ornabutton1").Client<Ornabutton>();
    const platform::ControlDesign saved =
        stored.Get<platform::UserControlSite>("Ornabutton1").SaveDesign();
    EXPECT_EQ(saved.properties.ReadLong(key, 12345), std::stol(value))
        << what << ": kept as stored";
    for (const int16_t flags : {int16_t{0}, int16_t{Default}, int16_t{ButtonDown | MouseOver}}) {
      P::State(b).StateFlags = flags;
      P::State(b).Hovering = flags != 0;
      b.Refresh();
    }
    ExpectSaneBuffer(b, what);
    // Whatever the stored picture size, the picture is drawn on the face.
    const RECT& box = P::State(b).PictureRect;
    EXPECT_LE(box.right - box.left, 97) << what;
    EXPECT_LE(box.bottom - box.top, 25) << what;
  }
}

}  // namespace
}  // namespace velmora
