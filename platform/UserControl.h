#pragma once
// User controls: controls whose code lives in the program (the Ornabutton), hosted by the
// forms runtime. The host gives each one a surface (UserControl) with its window, DC, font,
// colours, pointer, access keys, tag and ambient values, and delivers lifecycle and input
// notifications to it (UserControlClient). UserControlSite is the form's control that holds it.

#include <windows.h>
#include <objidl.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Accessibility.h"
#include "platform/Controls.h"
#include "platform/Font.h"
#include "platform/HostError.h"
#include "platform/Picture.h"
#include "platform/PropertyBag.h"

namespace velmora::platform {

// Values the container tells the control about itself.
struct AmbientProperties {
  bool UserMode = true;          // False while the container is being designed
  std::wstring DisplayName;      // the control's instance name
  int32_t BackColor = static_cast<int32_t>(0x8000000F);  // the container's back colour
  bool DisplayAsDefault = false;  // the container shows the control as its default button
};

// A data object of an OLE drag and drop, as the drag notifications hand it on.
struct DataObject {
  IDataObject* object = nullptr;  // borrowed for the length of the notification
};

// What a user control implements; the host calls it. Arguments the control may change for the
// host are passed by reference.
class UserControlClient : public AccessibleSource {
 public:
  virtual ~UserControlClient() = default;

  // Lifecycle. ReadProperties returns the error that stopped it, if any.
  virtual void InitProperties() {}
  virtual HostResult ReadProperties(const PropertyBag& /*bag*/) { return {}; }
  virtual void WriteProperties(PropertyBag& /*bag*/) {}
  virtual void Show() {}
  virtual void Resize() {}
  virtual void Paint() {}
  virtual void Terminate() {}

  // Input. Buttons: 1 left, 2 right, 4 middle; shift bits: 1 Shift, 2 Ctrl, 4 Alt; X and Y
  // in the control's pixels.
  virtual void MouseDown(int16_t /*button*/, int16_t /*shift*/, float /*x*/, float /*y*/) {}
  virtual void MouseMove(int16_t /*button*/, int16_t /*shift*/, float /*x*/, float /*y*/) {}
  virtual void MouseUp(int16_t /*button*/, int16_t /*shift*/, float /*x*/, float /*y*/) {}
  virtual void Click() {}
  virtual void DblClick() {}
  virtual void KeyDown(int16_t& /*keyCode*/, int16_t& /*shift*/) {}
  virtual void KeyPress(int16_t& /*keyAscii*/) {}
  virtual void KeyUp(int16_t& /*keyCode*/, int16_t& /*shift*/) {}
  virtual void AccessKeyPress(int16_t& /*keyAscii*/) {}
  virtual void GotFocus() {}
  virtual void AmbientChanged(const std::string& /*propertyName*/) {}
  // The system's colours, settings (high contrast among them) or visual style changed.
  virtual void SystemColorsChanged() {}

  // OLE drag and drop.
  virtual void OLECompleteDrag(int32_t& /*effect*/) {}
  virtual void OLEDragDrop(DataObject& /*data*/, int32_t& /*effect*/, int16_t& /*button*/,
                           int16_t& /*shift*/, float& /*x*/, float& /*y*/) {}
  virtual void OLEDragOver(DataObject& /*data*/, int32_t& /*effect*/, int16_t& /*button*/,
                           int16_t& /*shift*/, float& /*x*/, float& /*y*/, int16_t& /*state*/) {}
  virtual void OLEGiveFeedback(int32_t& /*effect*/, bool& /*defaultCursors*/) {}
  virtual void OLESetData(DataObject& /*data*/, int16_t& /*dataFormat*/) {}
  virtual void OLEStartDrag(DataObject& /*data*/, int32_t& /*allowedEffects*/) {}
};

class UserControlSite;

// The surface a user control draws on and keeps some of its properties in.
class UserControl {
 public:
  explicit UserControl(UserControlSite& site) : site_(site) {}
  UserControl(const UserControl&) = delete;
  UserControl& operator=(const UserControl&) = delete;

  HWND hWnd() const;
  // A DC of the control's window that stays valid while the window lives.
  HDC hDC() const;
  // Client size in pixels, the control's own scale.
  float ScaleWidth() const;
  float ScaleHeight() const;

  const FontDesign& Font() const { return font_; }
  FontDesign& Font() { return font_; }  // for changes in place
  HostResult SetFont(const FontDesign& font);
  int32_t ForeColor() const { return foreColor_; }
  void SetForeColor(int32_t color) { foreColor_ = color; }
  bool Enabled() const { return enabled_; }
  // Whether the control's window has the keyboard focus, as its focus messages told it;
  // cheaper than asking the system on every redraw.
  bool HasFocus() const { return focused_; }
  void SetEnabled(bool enabled);
  // 0 default, 1 arrow, 2 cross, 3 I-beam, 4 icon, 5 size, 6 NE-SW, 7 N-S, 8 NW-SE, 9 W-E,
  // 10 up arrow, 11 hourglass, 12 no drop, 13 arrow and hourglass, 14 arrow and question mark,
  // 15 size all, 99 custom (MouseIcon). Other codes are refused.
  int16_t MousePointer() const { return mousePointer_; }
  HostResult SetMousePointer(int16_t pointer);
  // Icons and cursors only (or the empty picture).
  const Picture& MouseIcon() const { return mouseIcon_; }
  HostResult SetMouseIcon(const Picture& icon);
  // The characters that activate the control with Alt (or alone, see the host's rules).
  const std::wstring& AccessKeys() const { return accessKeys_; }
  void SetAccessKeys(std::wstring keys) { accessKeys_ = std::move(keys); }
  const std::wstring& Tag() const { return tag_; }
  void SetTag(std::wstring tag) { tag_ = std::move(tag); }
  // Makes what was drawn on hDC the window's current look.
  void Refresh();

  const AmbientProperties& Ambient() const { return ambient_; }
  // The form that holds the control.
  const FontDesign& ParentFont() const;
  int32_t ParentBackColor() const;
  bool ParentIsMdiForm() const { return false; }
  // The window of the control's container (frame, picture box or form).
  HWND ContainerHwnd() const;
  // Twips per pixel of the control's window.
  float TwipsPerPixelX() const;
  float TwipsPerPixelY() const;

  // Tells the host that a stored property changed, so the design counts as modified.
  void PropertyChanged(std::string_view key);
  // Resizes the control, in the container's units (twips).
  void Size(float width, float height);
  // Whether drops on the control reach it (OLEDragOver, OLEDragDrop). Off at first: a window
  // that takes no drops refuses them all the same, and needs no OLE.
  void AcceptDrops(bool accept);

 private:
  friend class UserControlSite;
  UserControlSite& site_;
  FontDesign font_;
  int32_t foreColor_ = static_cast<int32_t>(0x80000012);
  bool enabled_ = true;
  bool focused_ = false;
  int16_t mousePointer_ = 0;
  Picture mouseIcon_;
  std::wstring accessKeys_;
  std::wstring tag_;
  AmbientProperties ambient_;
};

// Makes the user control of a registered class on the surface it is given.
using UserControlFactory = std::function<std::unique_ptr<UserControlClient>(UserControl&)>;
// defaultCancel: the control can be the form's default or cancel button, takes part in the
// dialog manager's default-button rules and gets Enter and Esc as access keys.
void RegisterUserControlClass(const std::string& className, UserControlFactory factory,
                              bool defaultCancel);
bool IsUserControlClassRegistered(std::string_view className);

// The form's control that hosts one user control in a window of its own.
class UserControlSite final : public Control {
 public:
  UserControlSite(Form& form, const ControlDesign& design);
  ~UserControlSite() override;

  UserControl& Surface() { return surface_; }
  UserControlClient& Client() { return *client_; }
  template <typename T>
  T& Client() {
    return dynamic_cast<T&>(*client_);
  }
  const std::string& ClassName() const { return design_.className; }

  // The keys the control reported through PropertyChanged, oldest first.
  const std::vector<std::string>& ChangedKeys() const { return changedKeys_; }
  void ClearChangedKeys() { changedKeys_.clear(); }
  bool Modified() const { return !changedKeys_.empty(); }

  // The stored design of the control as it is now: its properties written by the control,
  // beside the host's own extent keys.
  ControlDesign SaveDesign();
  // Tells the control that an ambient value changed.
  void SetAmbientUserMode(bool userMode);
  void SetAmbientBackColor(int32_t color);
  void SetAmbientDisplayAsDefault(bool isDefault);
  // Called by the form each time it becomes visible.
  void NotifyShow();

  bool TakesFocus() const override { return design_.tabStop; }
  void Create(HWND parent, UINT id) override;
  void ApplyDpi(int dpi) override;
  // Enter on the form's default button, or on this control while it shows the default look.
  void OnCommand(WORD code) override;
  bool ActsAsButton() const override { return defaultCancel_; }
  bool IsDefault() const override { return defaultCancel_ && design_.isDefault; }
  bool IsCancel() const override { return defaultCancel_ && design_.isCancel; }
  void PressCancel() override;
  void ShowDefaultLook(bool isDefault) override { SetAmbientDisplayAsDefault(isDefault); }
  // Delivers an access key (the control's own or Enter/Esc).
  void DeliverAccessKey(wchar_t key);
  // The drop target registered for the control's window (nullptr while it takes no drops).
  IDropTarget* DropTarget() const { return dropTarget_; }

  static void RegisterWindowClass();
  // Set before Create: place a new control (InitProperties) instead of reading its design.
  void MarkAsNew() { isNew_ = true; }

 private:
  friend class UserControl;
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void ResizeInTwips(float width, float height);
  LRESULT Mouse(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Key(UINT msg, WPARAM wp, LPARAM lp);
  void AcceptDrops(bool accept);
  class SiteDropTarget;

  UserControl surface_;
  std::unique_ptr<UserControlClient> client_;
  HDC dc_ = nullptr;
  bool isNew_ = false;
  bool defaultCancel_ = false;
  bool lifecycleStarted_ = false;  // Resize is delivered once the properties are in
  bool terminated_ = false;
  std::vector<std::string> changedKeys_;
  int16_t clickButton_ = 0;        // the button pressed on the control, while it is down
  bool afterDoubleClick_ = false;  // its release gives no Click
  IDropTarget* dropTarget_ = nullptr;
  bool acceptDrops_ = false;  // asked for by the control; registered while the window lives
  AccessibleAnswer accessible_;
};

}  // namespace velmora::platform
