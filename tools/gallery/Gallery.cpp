#include "tools/gallery/Gallery.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "control/Ornabutton.h"
#include "platform/DesignFile.h"
#include "platform/Forms.h"
#include "platform/Handles.h"
#include "platform/Text.h"
#include "platform/UserControl.h"

namespace velmora::gallery {

namespace {

using platform::Narrow;

constexpr int kStateCount = static_cast<int>(std::size(kStates));
constexpr COLORREF kRule = 0xB0B0B0;

constexpr const wchar_t* kStyleNames[] = {L"RaisedBevel", L"FramedBevel",  L"RoundedHotTrack",
                                          L"EtchedFlat",  L"ThinBevel",    L"FlatHotTrack",
                                          L"SoftBevel",   L"RoundedFramed"};
constexpr const wchar_t* kShapeNames[] = {L"rectangle",
                                          L"left edge slanted",
                                          L"right edge slanted",
                                          L"both edges slanted",
                                          L"ellipse",
                                          L"ellipse (caption only when checked)",
                                          L"ellipse (black ring under the pointer)",
                                          L"the picture's opaque part",
                                          L"the picture's opaque part (shaded ring)"};

// The look of every catalogue button: a classic face, a paler hover face, a blue gradient.
constexpr int32_t kFace = RGB(212, 208, 200), kHoverFace = RGB(236, 233, 216),
                  kGradient = RGB(150, 185, 235);

struct Variant {
  const wchar_t* label;
  const char* key;
  bool picture, gradient;
};
constexpr Variant kVariants[] = {{L"plain", "plain", false, false},
                                 {L"gradient", "gradient", false, true},
                                 {L"picture", "picture", true, false},
                                 {L"picture and gradient", "picture+gradient", true, true}};

SIZE ClientSize(const Ornabutton& b) {
  RECT r;
  GetClientRect(b.hwnd(), &r);
  return {r.right, r.bottom};
}

// Paints the button in one state at `at` on the sheet, over the sheet's own background, and
// puts back what the state changed. Returns where it landed.
RECT Render(Ornabutton& b, int state, Sheet& sheet, POINT at) {
  const SIZE size = ClientSize(b);
  const int32_t mode = b.Mode();
  const bool value = b.Value(), enabled = b.Enabled();
  Ornabutton::Interaction look;
  switch (state) {
    case 1:
      look.Hovering = true;
      break;
    case 2:
      look.Pressed = true;
      break;
    // At run time only a button that shows the focus rectangle takes the default look.
    case 3:
      look.IsDefault = b.ShowFocusRect();
      break;
    case 4:
      b.SetMode(1);  // a check box, also for an option button: no group to disturb
      b.SetValue(true);
      break;
    case 5:
      b.SetEnabled(false);
      break;
    default:
      break;
  }
  {
    const platform::UniqueBitmap canvas(CreateCompatibleBitmap(sheet.dc(), size.cx, size.cy));
    const platform::UniqueDc dc(CreateCompatibleDC(sheet.dc()));
    const platform::SelectGuard select(dc.get(), canvas.get());
    BitBlt(dc.get(), 0, 0, size.cx, size.cy, sheet.dc(), at.x, at.y, SRCCOPY);
    b.PaintInto(dc.get(), look);
    BitBlt(sheet.dc(), at.x, at.y, size.cx, size.cy, dc.get(), 0, 0, SRCCOPY);
  }
  if (state == 4) {
    b.SetValue(value);
    b.SetMode(mode);
  }
  if (state == 5) b.SetEnabled(enabled);
  return {at.x, at.y, at.x + size.cx, at.y + size.cy};
}

// Renders a row of states into cells of cellW x cellH starting at (left, top), each button
// centred in its cell.
void RenderRow(Ornabutton& b, Sheet& sheet, int left, int top, int cellW, int cellH, Cell proto,
               std::vector<Cell>& cells) {
  for (int state = 0; state < kStateCount; ++state) {
    const SIZE size = ClientSize(b);
    const POINT at{left + state * cellW + (cellW - size.cx) / 2, top + (cellH - size.cy) / 2};
    Cell cell = proto;
    cell.state = kStates[state];
    cell.rect = Render(b, state, sheet, at);
    cells.push_back(std::move(cell));
  }
}

// The state names over a group of columns.
void StateHeads(Sheet& sheet, int left, int top, int cellW) {
  for (int state = 0; state < kStateCount; ++state)
    sheet.Text({left + state * cellW, top, left + (state + 1) * cellW, top + 18},
               platform::Widen(kStates[state]), false, true);
}

// A 32 x 32 picture: a shaded disc on magenta, the colour the picture shapes cut away.
platform::Picture DiscPicture() {
  constexpr int n = 32;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), n, -n, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return {};
  auto* px = static_cast<uint32_t*>(bits);  // 0x00RRGGBB
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const double dx = x + 0.5 - n / 2.0, dy = y + 0.5 - n / 2.0;
      const double d = std::sqrt(dx * dx + dy * dy);
      uint32_t c = 0xFF00FF;
      if (d <= 13.5) {
        // Lit from the top-left: orange to deep red.
        const double light = std::clamp(1.0 - (dx + dy + 19.0) / 38.0, 0.0, 1.0);
        const auto r = static_cast<uint32_t>(170 + 85 * light);
        const auto g = static_cast<uint32_t>(40 + 150 * light);
        c = (r << 16) | (g << 8) | 0x20;
      }
      px[y * n + x] = c;
    }
  GdiFlush();
  return platform::Picture::FromBitmap(bitmap);
}

constexpr char kGalleryForm[] = R"({"name": "Gallery", "caption": "Gallery",
  "clientWidth": 9000, "clientHeight": 6000, "backColor": "0x00F0F0F0", "controls": []})";

}  // namespace

Rendering RenderCatalogue() {
  constexpr int kButtonW = 76, kButtonH = 26, kCellW = 84, kCellH = 32, kLabelW = 140;
  constexpr int kHeadH = 42, kShapeHeadH = 24, kStyles = 8, kShapes = 9;
  constexpr int kGroupW = kStateCount * kCellW;
  constexpr int width = kLabelW + static_cast<int>(std::size(kVariants)) * kGroupW + 6;
  constexpr int blockH = kShapeHeadH + kStyles * kCellH;
  constexpr int height = kHeadH + kShapes * blockH + 6;
  Rendering out{std::make_unique<Sheet>(width, height), {}};
  Sheet& sheet = *out.sheet;

  sheet.Text({6, 2, kLabelW, 20}, L"Ornabutton", true);
  sheet.Text({6, 20, kLabelW, 38}, L"style \\ state");
  for (size_t v = 0; v < std::size(kVariants); ++v) {
    const int left = kLabelW + static_cast<int>(v) * kGroupW;
    sheet.Text({left, 2, left + kGroupW, 20}, kVariants[v].label, true, true);
    StateHeads(sheet, left, 20, kCellW);
    sheet.Line(left - 2, 4, left - 2, height - 4, kRule);
  }

  const platform::Picture disc = DiscPicture();
  int serial = 0;
  for (int shape = 0; shape < kShapes; ++shape) {
    // A form of its own for each shape, so that the buttons' drawing objects go with it.
    platform::Form form(platform::ParseFormDesign(kGalleryForm, "Gallery.json"));
    form.Load();
    const auto twips = [&](int px) { return px * 1440 / form.Dpi(); };
    const int top = kHeadH + shape * blockH;
    sheet.Line(4, top, width - 4, top, kRule);
    sheet.Text({6, top + 2, width, top + kShapeHeadH},
               L"Shape " + std::to_wstring(shape) + L": " + kShapeNames[shape], true);
    for (int style = 0; style < kStyles; ++style) {
      const int rowTop = top + kShapeHeadH + style * kCellH;
      sheet.Text({12, rowTop, kLabelW, rowTop + kCellH},
                 std::to_wstring(style) + L"  " + kStyleNames[style]);
      for (size_t v = 0; v < std::size(kVariants); ++v) {
        const Variant& variant = kVariants[v];
        const int left = kLabelW + static_cast<int>(v) * kGroupW;
        if (shape >= 7 && !variant.picture) {
          sheet.Text({left, rowTop, left + kGroupW, rowTop + kCellH},
                     L"(this shape needs a picture)", false, true);
          continue;
        }
        const std::string name = "Look" + std::to_string(++serial);
        Ornabutton& b = form.PlaceUserControl(Ornabutton::kClassName, name, "Gallery", 0, 0,
                                              twips(kButtonW), twips(kButtonH))
                            .Client<Ornabutton>();
        b.DelayDrawing(true);
        b.SetCaption(L"Button");
        b.SetBackColor(kFace);
        b.SetHoverBackColor(kHoverFace);
        b.SetButtonStyle(style);
        if (variant.picture) b.SetPicture(disc);
        if (variant.gradient) {
          b.SetGradientColor(kGradient);
          b.SetGradientMode(1);
        }
        b.DelayDrawing(false);
        // After the batch: a shape set while drawing is delayed is not built.
        b.SetButtonShape(shape);
        Cell proto;
        proto.control = "style " + std::to_string(style) + " shape " + std::to_string(shape) + " " +
                        variant.key;
        proto.style = style;
        proto.shape = shape;
        proto.variant = variant.key;
        RenderRow(b, sheet, left, rowTop, kCellW, kCellH, proto, out.cells);
      }
    }
  }
  return out;
}

Rendering RenderDesign(const std::wstring& file) {
  std::ifstream in(std::filesystem::path(file), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read the design file \"" + Narrow(file) + "\"");
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  platform::FormDesign design = platform::ParseFormDesign(text, Narrow(file));
  // The form's icon is a resource of the program the design belongs to; buttons do not need it.
  design.icon.clear();
  platform::Form form(std::move(design));
  form.Load();

  std::vector<std::pair<std::string, Ornabutton*>> buttons;
  for (const platform::ControlDesign& c : form.Design().controls)
    if (c.kind == platform::ControlKind::UserControl &&
        platform::SameName(c.className, Ornabutton::kClassName))
      buttons.emplace_back(c.name,
                           &form.Get<platform::UserControlSite>(c.name).Client<Ornabutton>());
  if (buttons.empty())
    throw std::runtime_error(Narrow(file) + ": the design holds no Ornabutton control");

  int maxW = 0, maxH = 0;
  for (const auto& [name, b] : buttons) {
    const SIZE size = ClientSize(*b);
    maxW = std::max<int>(maxW, size.cx);
    maxH = std::max<int>(maxH, size.cy);
  }
  constexpr int kLabelW = 140, kHeadH = 42;
  const int cellW = std::max(maxW + 16, 84), cellH = maxH + 12;
  const int width = kLabelW + kStateCount * cellW + 6;
  const int height = kHeadH + static_cast<int>(buttons.size()) * cellH + 6;
  Rendering out{std::make_unique<Sheet>(width, height), {}};
  Sheet& sheet = *out.sheet;
  std::wstring title = file;
  if (const size_t slash = title.find_last_of(L"\\/"); slash != std::wstring::npos)
    title = title.substr(slash + 1);
  sheet.Text({6, 2, width, 20}, title, true);
  StateHeads(sheet, kLabelW, 20, cellW);
  for (size_t i = 0; i < buttons.size(); ++i) {
    const int top = kHeadH + static_cast<int>(i) * cellH;
    sheet.Line(4, top, width - 4, top, kRule);
    sheet.Text({12, top, kLabelW, top + cellH}, platform::Widen(buttons[i].first));
    Cell proto;
    proto.control = buttons[i].first;
    RenderRow(*buttons[i].second, sheet, kLabelW, top, cellW, cellH, proto, out.cells);
  }
  return out;
}

}  // namespace velmora::gallery
