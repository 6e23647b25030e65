// Creation, stored designs and release: InitProperties, ReadProperties, WriteProperties, Show,
// Resize and Terminate.
#include <windows.h>

#include <optional>

#include "control/Ornabutton.h"
#include "platform/Text.h"

namespace velmora {

using platform::HostResult;
using platform::PropertyBag;
using platform::PropertyError;

namespace {
std::wstring HandleText(HWND hwnd) {
  return std::to_wstring(reinterpret_cast<uintptr_t>(hwnd));
}

// A stored picture as a picture object; an unreadable one is an error naming its key.
HostResult LoadStoredPicture(const PropertyBag& bag, const char* key, platform::Picture& out) {
  const platform::PictureData data = bag.ReadPicture(key);
  out = platform::Picture();
  if (data.empty()) return {};
  HostResult r = platform::Picture::Load(data.bytes, out);
  if (!r) return platform::HostError{r.error().number, r.error().description, key};
  return {};
}
}  // namespace

void Ornabutton::InitProperties() {
  UserControl.SetTag(HandleText(UserControl.ContainerHwnd()));
  s.Caption = UserControl.Ambient().DisplayName;
  s.CaptionAlign = static_cast<int32_t>(CaptionPlace::Centre);
  s.ShowFocusRect = true;
  s.HoverForeColor = kButtonText;
  s.HoverBackColor = kButtonFace;
  if (!UserControl.ParentIsMdiForm()) (void)UserControl.SetFont(UserControl.ParentFont());
  s.ContainerBackColor = Translate(UserControl.Ambient().BackColor);
  s.BackColor = kButtonFace;
  RebuildDerived(Derived::BackColor);
  for (const char* key : {"Caption", "CapAlign", "Focus", "cFHover", "cBHover", "Font"})
    Changed(key);
}

HostResult Ornabutton::ReadProperties(const PropertyBag& bag) {
  UserControl.SetTag(HandleText(UserControl.ContainerHwnd()));
  s.ContainerBackColor = Translate(UserControl.Ambient().BackColor);
  DelayDrawing(true);
  // Stored values are taken as they are, without the setters' range checks. The first key
  // that cannot be read ends the reading; the error goes back to the host.
  try {
    s.Caption = platform::Widen(bag.ReadString("Caption", ""));
    s.CaptionAlign = bag.ReadLong("CapAlign", 2);
    s.ButtonStyle = bag.ReadLong("BackStyle", 0);
    s.ButtonShape = bag.ReadLong("Shape", 0);
    s.GradientMode = bag.ReadLong("Gradient", 0);
    s.GradientColor = bag.ReadLong("cGradient", kButtonFace);
    UserControl.SetForeColor(bag.ReadLong("cFore", kButtonText));
    // The writer always stores a font; without one the surface keeps the font it has.
    if (const auto font = bag.ReadFont("Font")) {
      if (HostResult r = UserControl.SetFont(*font); !r)
        return platform::HostError{r.error().number, r.error().description, "Font"};
    }
    s.ShowFocusRect = bag.ReadBoolean("Focus", true);
    s.Mode = bag.ReadLong("Mode", 0);
    s.Value = bag.ReadBoolean("Value", false);
    s.CustomClick = bag.ReadLong("CustomClick", 0);
    if (HostResult r = LoadStoredPicture(bag, "Image", s.Picture); !r) return r;
    s.PicturePixels = bag.ReadInteger("ImgSize", 16);
    s.PictureAlign = bag.ReadLong("ImgAlign", 0);
    s.HoverForeColor = bag.ReadLong("cFHover", kButtonText);
    UserControl.SetEnabled(bag.ReadBoolean("Enabled", true));
    s.BackColor = bag.ReadLong("cBack", UserControl.ParentBackColor());
    s.HoverBackColor = bag.ReadLong("cBHover", s.BackColor);
    s.HoverColorLocks = bag.ReadLong("LockHover", 0);
    s.CaptionStyle = bag.ReadLong("CapStyle", 0);
    platform::Picture icon;
    if (HostResult r = LoadStoredPicture(bag, "mIcon", icon); !r) return r;
    SetMouseIcon(icon);
    if (HostResult r = SetMousePointer(bag.ReadInteger("mPointer", 0)); !r)
      return platform::HostError{r.error().number, r.error().description, "mPointer"};
  } catch (const PropertyError& e) {
    return e.ToHostError();
  }
  // From here on every step runs whatever the one before did.
  RebuildDerived(Derived::Picture);
  RebuildDerived(Derived::BackColor);
  SetCaption(s.Caption);  // the access key and the layout; the redraw waits
  if (clickMode() == ClickMode::OptionButton) UpdateOptionGroup(GroupAction::Join);
  // The host's Resize, which always follows, builds the shape and draws.
  s.DrawingDelayed = false;
  return {};
}

void Ornabutton::WriteProperties(PropertyBag& bag) {
  bag.WriteString("Caption", platform::Narrow(s.Caption), "");
  bag.WriteLong("CapAlign", s.CaptionAlign, 2);
  bag.WriteLong("BackStyle", s.ButtonStyle, 0);
  bag.WriteLong("Shape", s.ButtonShape, 0);
  bag.WriteFont("Font", UserControl.Font());
  bag.WriteLong("cFore", UserControl.ForeColor(), kButtonText);
  bag.WriteLong("cFHover", s.HoverForeColor, kButtonText);
  bag.WriteLong("cBHover", s.HoverBackColor, s.BackColor);
  bag.WriteBoolean("Focus", s.ShowFocusRect, true);
  bag.WriteLong("LockHover", s.HoverColorLocks, 0);
  bag.WriteLong("cGradient", s.GradientColor, kButtonFace);
  bag.WriteLong("Gradient", s.GradientMode, 0);
  bag.WriteLong("CapStyle", s.CaptionStyle, 0);
  bag.WriteLong("Mode", s.Mode, std::nullopt);
  bag.WriteBoolean("Value", s.Value, std::nullopt);
  bag.WriteLong("CustomClick", s.CustomClick, 0);
  bag.WriteLong("ImgAlign", s.PictureAlign, 0);
  bag.WritePicture("Image", s.Picture.Data());
  bag.WriteInteger("ImgSize", s.PicturePixels, 16);
  bag.WriteBoolean("Enabled", UserControl.Enabled(), true);
  bag.WriteLong("cBack", s.BackColor, std::nullopt);
  bag.WriteInteger("mPointer", UserControl.MousePointer(), 0);
  bag.WritePicture("mIcon", UserControl.MouseIcon().Data());
}

void Ornabutton::Show() {
  if (DesignMode() && s.ShowFocusRect && UserControl.Ambient().DisplayAsDefault) {
    s.StateFlags = static_cast<int16_t>(s.StateFlags | Default);
    AnnounceState();
    RedrawButton();
  }
}

void Ornabutton::Resize() {
  // A bitmap of the new size; font, pen and brush stay.
  Buffer.DropBitmap();
  UpdateBackBuffer();
  if (!s.DrawingDelayed) {
    BuildShape();
    LayoutContent(PictureCopy::Keep);
    RedrawButton();
  }
}

void Ornabutton::Terminate() {
  if (released_) return;
  released_ = true;
  StopHoverTracking();
  // An option button leaves its group, so that no window property names a control that is
  // gone; the other buttons keep their Value.
  if (clickMode() == ClickMode::OptionButton) LeaveOptionGroup();
  InnerRegion.reset();
  ShapeRegion.reset();
  Buffer.Release();
  ScaledPicture.reset();
}

}  // namespace velmora
