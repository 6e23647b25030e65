// When the button paints: delayed drawing, stored looks no painter knows, and the one-pixel
// displacement of a pressed CustomClick button.
#include <gtest/gtest.h>

#include "tests/support/ButtonHost.h"
#include "tests/support/OrnabuttonProbe.h"

namespace velmora {
namespace {

using test::PumpUntil;

class Redraw : public test::ButtonHost {
 protected:
  static int Painted(const Ornabutton& b) { return OrnabuttonProbe::PaintCount(b); }
  RECT WindowRect(const Ornabutton& b) {
    RECT r;
    GetWindowRect(b.hwnd(), &r);
    return r;
  }
};

TEST_F(Redraw, DelayedDrawingPaintsNothingUntilItEndsAndThenPaintsOnce) {
  Ornabutton& b = New();
  const int before = Painted(b);
  ASSERT_GT(before, 0) << "a new button has painted itself";
  b.DelayDrawing(true);
  b.SetBackColor(0x0000FF);
  b.SetCaption(L"Delayed");
  b.SetButtonStyle(4);
  b.SetGradientMode(3);
  b.SetValue(false);
  EXPECT_EQ(Painted(b), before);
  b.DelayDrawing(false);
  EXPECT_EQ(Painted(b), before + 1);
  b.Refresh();
  EXPECT_EQ(Painted(b), before + 2);
  // A batch bracketed by the setter itself paints once too.
  b.SetMode(1);
  const int batch = Painted(b);
  b.SetButtonShape(2);
  EXPECT_LE(Painted(b) - batch, 2) << "resize and the closing delay each may paint";
}

TEST_F(Redraw, AStoredStyleOrGradientWithoutPainterDrawsAFlatFaceAndTheCaption) {
  test::MoveMouse(Away());
  for (const char* odd :
       {R"("BackStyle": 9)", R"("BackStyle": -1)", R"("Gradient": 9)", R"("Gradient": -3)"}) {
    // A teal face with a black caption.
    platform::Form stored(test::HostWithButton(
        std::string(R"({"Caption": "Odd", "cBack": 12632064, "cFore": 0, )") + odd + "}"));
    stored.Show();
    Ornabutton& b = stored.Get<platform::UserControlSite>("Ornabutton1").Client<Ornabutton>();
    b.Refresh();
    EXPECT_EQ(GetPixel(b.hdc(), 8, 12), 0xC0C000u) << odd;
    const RECT& text = b.State().CaptionRect;
    int black = 0;
    for (int y = text.top; y < text.bottom; ++y)
      for (int x = text.left; x < text.right; ++x) black += GetPixel(b.hdc(), x, y) == 0;
    EXPECT_GT(black, 0) << odd;
  }
}

TEST_F(Redraw, APressedCustomClickButtonMovesOnePixelAndBack) {
  const POINT press[9] = {{0, 0},  {0, -1}, {1, -1}, {-1, -1}, {1, 1},
                          {-1, 1}, {1, 0},  {0, 1},  {-1, 0}};
  Ornabutton& b = New();
  ASSERT_TRUE(test::BringToFront(form.hwnd()));
  for (int direction = 1; direction <= 8; ++direction) {
    b.SetCustomClick(direction);
    const RECT home = WindowRect(b);
    POINT at = test::CenterOnScreen(b.hwnd());
    at.x += (direction % 3) * 2 * GetSystemMetrics(SM_CXDOUBLECLK);  // no double clicks
    test::MoveMouse(at);
    ASSERT_TRUE(PumpUntil([&] { return b.State().Hovering; }));
    test::MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] {
      const RECT r = WindowRect(b);
      return r.left == home.left + press[direction].x && r.top == home.top + press[direction].y;
    })) << "direction " << direction;
    EXPECT_TRUE(b.State().StateFlags & Offset);
    EXPECT_EQ(WindowRect(b).right - WindowRect(b).left, home.right - home.left) << "same size";
    test::MouseButton(false);
    ASSERT_TRUE(PumpUntil([&] {
      const RECT r = WindowRect(b);
      return r.left == home.left && r.top == home.top;
    })) << "direction " << direction;
    EXPECT_FALSE(b.State().StateFlags & Offset);
  }
  // Check and option buttons never move.
  for (int mode : {1, 2}) {
    b.SetMode(mode);
    const RECT home = WindowRect(b);
    POINT at = test::CenterOnScreen(b.hwnd());
    at.x -= mode * 2 * GetSystemMetrics(SM_CXDOUBLECLK);
    test::MoveMouse(at);
    test::MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return (b.State().StateFlags & ButtonDown) != 0; }));
    EXPECT_EQ(WindowRect(b).left, home.left);
    EXPECT_EQ(WindowRect(b).top, home.top);
    test::MouseButton(false);
    ASSERT_TRUE(PumpUntil([&] { return (b.State().StateFlags & ButtonDown) == 0; }));
  }
}

TEST_F(Redraw, KeyboardFocusShowsEveryStylesFocusLook) {
  ASSERT_TRUE(test::BringToFront(form.hwnd()));
  for (int style = 0; style <= 7; ++style) {
    Ornabutton& b = New("Style" + std::to_string(style));
    b.SetButtonStyle(style);
    b.SetCaption(L"Focus");
    RECT r;
    GetClientRect(b.hwnd(), &r);
    const auto picture = [&] {
      std::vector<COLORREF> pixels;
      for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x) pixels.push_back(GetPixel(b.State().BufferDC, x, y));
      return pixels;
    };
    const std::vector<COLORREF> unfocused = picture();
    SetFocus(b.hwnd());
    ASSERT_TRUE(PumpUntil([&] { return (b.State().StateFlags & Default) != 0; })) << style;
    EXPECT_NE(picture(), unfocused) << "style " << style << " looks the same with the focus";
  }
}

}  // namespace
}  // namespace velmora
