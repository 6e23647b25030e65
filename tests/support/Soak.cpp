#include "tests/support/Soak.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "control/Ornabutton.h"
#include "platform/DesignFile.h"
#include "platform/Forms.h"
#include "tests/support/OrnabuttonProbe.h"
#include "tests/support/Pictures.h"

namespace velmora::test {

namespace {

constexpr char kSoakDesign[] = R"({
  "name": "Soak", "caption": "Soak", "clientWidth": 6000, "clientHeight": 4500,
  "borderStyle": "fixedDialog", "showInTaskbar": true, "startUpPosition": "centerScreen",
  "controls": [
    {"kind": "frame", "name": "Box", "container": "Soak", "caption": "Box",
     "left": 120, "top": 120, "width": 5700, "height": 4200, "tabIndex": 0}]})";

constexpr Interaction kInteractions[] = {
    {false, false, false, 0, false, true}, {false, false, true, 0, false, true},
    {true, false, false, 0, false, true},  {true, true, false, 0, false, true},
    {true, false, true, 0, false, true},   {false, false, false, 1, true, true},
    {true, false, false, 1, true, true},   {false, false, true, 2, false, true},
    {false, false, false, 0, false, false}, {false, false, false, 1, true, false},
};

}  // namespace

std::span<const Interaction> Interactions() {
  return kInteractions;
}

void Apply(Ornabutton& b, const Interaction& i) {
  static const HDC screen = CreateCompatibleDC(nullptr);  // what a rendering tool paints into
  b.DelayDrawing(true);
  b.SetEnabled(i.enabled);
  b.SetMode(i.mode);
  if (i.mode > 0) b.SetValue(i.value);
  b.PaintInto(screen, {i.hovering, i.pressed, i.isDefault});
}

namespace {

Ornabutton& Place(platform::Form& form, const std::string& name, int32_t top) {
  return form.PlaceUserControl(Ornabutton::kClassName, name, "Box", 240, top, 1455, 375)
      .Client<Ornabutton>();
}

struct Pictures {
  platform::Picture none;
  platform::Picture bitmap = platform::Picture::FromBitmap(MakeDiscPicture(40, 32, false));
  platform::Picture icon =
      platform::Picture::FromIcon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
};

void Redraws(platform::Form& form, const Pictures& pictures, int count) {
  Ornabutton& b = Place(form, "Redraws", 240);
  const platform::Picture* const all[] = {&pictures.none, &pictures.bitmap, &pictures.icon};
  int done = 0;
  for (int cycle = 0; done < count; ++cycle) {
    for (int style = 0; style < 8 && done < count; ++style) {
      for (int shape = 0; shape < 9 && done < count; ++shape) {
        for (const platform::Picture* picture : all) {
          // Picture shapes take bitmaps only.
          if (shape >= 7 && picture != &pictures.bitmap) continue;
          b.SetButtonShape(0);
          OrnabuttonProbe::Surface(b).Size(1455, 375);
          b.SetPicture(*picture);
          b.SetPictureSize((style + cycle) % 5);
          b.SetGradientMode((shape + cycle) % 5);
          b.SetButtonStyle(style);
          b.SetButtonShape(shape);
          for (const Interaction& i : Interactions()) {
            if (done == count) break;
            Apply(b, i);
            ++done;
          }
        }
      }
    }
  }
}

void Resizes(platform::Form& form, const Pictures& pictures, int count) {
  Ornabutton& b = Place(form, "Resizes", 840);
  b.SetPicture(pictures.bitmap);
  for (int i = 0; i < count; ++i) {
    if (i % 50 == 0) {
      b.SetButtonStyle((i / 50) % 8);
      b.SetButtonShape((i / 400) % 9);
    }
    const int w = 1 + (i * 37) % 160, h = 1 + (i * 11) % 70;
    OrnabuttonProbe::Surface(b).Size(static_cast<float>(w * 15), static_cast<float>(h * 15));
  }
}

void PropertyChanges(platform::Form& form, const Pictures& pictures, int count) {
  Ornabutton& b = Place(form, "Changes", 1440);
  platform::FontDesign font = b.Font();
  const std::vector<std::function<void(int)>> changes = {
      [&](int i) { b.SetCaption(i % 3 ? L"Soak || " + std::to_wstring(i) : L""); },
      [&](int i) { b.SetButtonStyle(i % 8); },
      [&](int i) { b.SetBackColor(i % 2 ? 0x00E0C0A0 + i % 64 : kButtonFace); },
      [&](int i) { b.SetHoverBackColor(0x00102030 * (i % 5)); },
      [&](int i) { b.SetGradientColor(0x00FFFFFF - i % 4096); },
      [&](int i) { b.SetGradientMode(i % 5); },
      [&](int i) { b.SetFontStyle(i % 16); },
      [&](int i) {
        font.size = 6.0f + static_cast<float>(i % 12);
        (void)b.SetFont(font);
      },
      [&](int i) {
        b.SetPicture(i % 3 == 0 ? pictures.icon : i % 3 == 1 ? pictures.bitmap : pictures.none);
      },
      [&](int i) { b.SetPictureSize(i % 5); },
      [&](int i) { b.SetPictureAlign(i % 6); },
      [&](int i) { b.SetCaptionAlign(i % 3); },
      [&](int i) { b.SetCaptionStyle(i % 3); },
      [&](int i) { b.SetHoverColorLocks(i % 4); },
      [&](int i) { b.SetEnabled(i % 4 != 0); },
      [&](int i) { b.SetShowFocusRect(i % 2 == 0); },
      [&](int i) { b.SetMode(i % 3); },
      [&](int i) { b.SetButtonShape(i % 7); },
      [&](int i) { b.SetMouseIcon(i % 2 ? pictures.icon : pictures.none); },
      [&](int i) { (void)b.SetMousePointer(i % 16); },
      [&](int i) { b.SetForeColor(i % 2 ? 0x000080 : kButtonText); },
  };
  for (int i = 0; i < count; ++i) changes[static_cast<size_t>(i) % changes.size()](i);
}

void Buttons(const Pictures& pictures, int count) {
  for (int made = 0; made < count;) {
    platform::Form form{platform::ParseFormDesign(kSoakDesign, "Soak.json")};
    form.Show();
    for (int i = 0; i < 25 && made < count; ++i, ++made) {
      Ornabutton& b = Place(form, "Button" + std::to_string(i), 240 + 120 * (i % 25));
      b.SetPicture(i % 3 == 0 ? pictures.bitmap : pictures.icon);
      b.SetButtonStyle(i % 8);
      b.SetFontStyle(i % 16);
      b.SetMode(i % 2 ? 2 : i % 3);  // every other button an option button
      if (i % 2) b.SetValue(true);
      b.SetButtonShape(i % 4 == 0 ? 7 : i % 9);
    }
    form.Unload();
  }
}

}  // namespace

void RunSoak(const SoakSize& size) {
  const Pictures pictures;
  {
    platform::Form form{platform::ParseFormDesign(kSoakDesign, "Soak.json")};
    form.Show();
    Redraws(form, pictures, size.redraws);
    Resizes(form, pictures, size.resizes);
    PropertyChanges(form, pictures, size.propertyChanges);
    form.Unload();
  }
  Buttons(pictures, size.buttons);
}

int GdiHeadroom() {
  std::vector<HPEN> pens;
  for (int i = 0; i < 200000; ++i) {
    HPEN pen = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(i & 0xFFFFFF));
    if (!pen) break;
    pens.push_back(pen);
  }
  for (HPEN pen : pens) DeleteObject(pen);
  return static_cast<int>(pens.size());
}

}  // namespace velmora::test
