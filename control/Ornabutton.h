#pragma once
// Ornabutton: a self-drawn button with eight looks, nine window shapes, gradient faces, hover
// colours, a caption with an optional picture, and command-button, check-box and
// option-button behaviour. It is a user control of the forms runtime: the runtime hands it its
// surface (UserControl) and its lifecycle and input notifications; it raises its events to the
// container through OrnabuttonEvents.

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "control/BackBuffer.h"
#include "control/Kinds.h"
#include "platform/Handles.h"
#include "platform/HostError.h"
#include "platform/Picture.h"
#include "platform/UserControl.h"

namespace velmora {

// The container's side: one virtual method per event, empty by default. Arguments are passed
// by reference; a handler may change them.
class OrnabuttonEvents {
 public:
  virtual ~OrnabuttonEvents() = default;
  virtual void MouseDown(int16_t& /*Button*/, int16_t& /*Shift*/, float& /*X*/, float& /*Y*/) {}
  virtual void MouseUp(int16_t& /*Button*/, int16_t& /*Shift*/, float& /*X*/, float& /*Y*/) {}
  virtual void MouseMove(int16_t& /*Button*/, int16_t& /*Shift*/, float& /*X*/, float& /*Y*/) {}
  virtual void KeyDown(int16_t& /*KeyCode*/, int16_t& /*Shift*/) {}
  virtual void KeyPress(int16_t& /*KeyAscii*/) {}
  virtual void KeyUp(int16_t& /*KeyCode*/, int16_t& /*Shift*/) {}
  virtual void MouseOnButton(bool& /*OnButton*/) {}
  virtual void Click() {}
  virtual void DoubleClick(int16_t& /*Button*/) {}
  virtual void OLECompleteDrag(int32_t& /*Effect*/) {}
  virtual void OLEDragDrop(platform::DataObject& /*Data*/, int32_t& /*Effect*/, int16_t& /*Button*/,
                           int16_t& /*Shift*/, float& /*X*/, float& /*Y*/) {}
  virtual void OLEDragOver(platform::DataObject& /*Data*/, int32_t& /*Effect*/, int16_t& /*Button*/,
                           int16_t& /*Shift*/, float& /*X*/, float& /*Y*/, int16_t& /*State*/) {}
  virtual void OLEGiveFeedback(int32_t& /*Effect*/, bool& /*DefaultCursors*/) {}
  virtual void OLESetData(platform::DataObject& /*Data*/, int16_t& /*DataFormat*/) {}
  virtual void OLEStartDrag(platform::DataObject& /*Data*/, int32_t& /*AllowedEffects*/) {}
  // Whether OLEDragOver and OLEDragDrop are wanted: only then does the button register for
  // drops. A handler that takes drops says so.
  virtual bool TakesDrops() const { return false; }
};

// The interaction bits of StateFlags.
enum StateFlag : int16_t {
  Default = 0x0001,     // draw as the default button
  ButtonDown = 0x0002,  // the left button or Space is held down on the control
  MouseOver = 0x0004,   // the pointer is over the control
  Offset = 0x0400,      // the CustomClick one-pixel displacement is applied
};

// The control's values: what its properties store, the colours derived from them, where the
// content goes and how the user is interacting. Colours are OLE colours (negative: system
// colour) except the derived ones, which are resolved RGB values. The drawing objects built
// from these values (back buffer, regions, scaled picture) belong to the control itself.
struct OrnabuttonState {
  // Stored by the properties (the enumerated ones as stored, see control/Kinds.h).
  std::wstring Caption;
  int32_t CaptionAlign = 0;
  int32_t CaptionStyle = 0;
  int32_t ButtonStyle = 0;
  int32_t ButtonShape = 0;
  bool ShowFocusRect = false;
  int32_t HoverBackColor = 0;
  int32_t HoverForeColor = 0;
  int32_t HoverColorLocks = 0;
  int32_t GradientMode = 0;
  int32_t GradientColor = 0;
  int32_t Mode = 0;
  bool Value = false;
  int32_t CustomClick = 0;
  platform::Picture Picture;
  int32_t PictureAlign = 0;
  int16_t PicturePixels = 0;
  int32_t BackColor = 0;

  // Derived: colours, the picture's natural size and kind, the container's back colour.
  int32_t FaceColor = 0;
  int32_t ShadowColor = 0;
  int32_t HoverFaceColor = 0;
  int32_t LightColor = 0;
  int32_t PictureWidth = 0;
  int32_t PictureHeight = 0;
  int32_t PictureIsIcon = 0;
  int32_t ContainerBackColor = 0;

  // Layout: the usable face of the slanted shapes, where caption and picture go, the size of
  // the scaled picture.
  int32_t ShapeCut = 0;
  int32_t ContentRight = 0;
  RECT CaptionRect{};
  RECT PictureRect{};
  int32_t ScaledPictureWidth = 0;
  int32_t ScaledPictureHeight = 0;

  // Interaction.
  int16_t StateFlags = 0;
  int16_t LastButton = 0;
  bool Hovering = false;
  bool PressHeld = false;
  bool DrawingDelayed = false;
};

// OLE colours the control uses by name.
inline constexpr int32_t kButtonFace = static_cast<int32_t>(0x8000000F);
inline constexpr int32_t kButtonText = static_cast<int32_t>(0x80000012);

// The hover timer: its id, period and the window properties that lead a tick to its control.
inline constexpr UINT_PTR kHoverTimerId = 237;
inline constexpr UINT kHoverTimerPeriod = 50;

class Ornabutton final : public platform::UserControlClient {
 public:
  static constexpr char kClassName[] = "Tessorin.Ornabutton";
  // Makes the class known to the forms runtime.
  static void Register();

  explicit Ornabutton(platform::UserControl& surface);
  ~Ornabutton() override;
  Ornabutton(const Ornabutton&) = delete;
  Ornabutton& operator=(const Ornabutton&) = delete;

  // Where the events go; nullptr raises them to no one.
  void SetEvents(OrnabuttonEvents* events);

  // ---- The public members, in the order of the control's interface ----
  int32_t ButtonStyle() const { return s.ButtonStyle; }
  void SetButtonStyle(int32_t Style);
  int32_t Mode() const { return s.Mode; }
  void SetMode(int32_t nMode);
  const std::wstring& Caption() const { return s.Caption; }
  void SetCaption(const std::wstring& sCaption);
  int32_t CaptionAlign() const { return s.CaptionAlign; }
  void SetCaptionAlign(int32_t nAlign);
  int32_t CaptionStyle() const { return s.CaptionStyle; }
  void SetCaptionStyle(int32_t nStyle);
  int32_t CustomClick() const { return s.CustomClick; }
  void SetCustomClick(int32_t nOpt);
  int32_t ButtonShape() const { return s.ButtonShape; }
  void SetButtonShape(int32_t nShape);
  const platform::Picture& Picture() const { return s.Picture; }
  void SetPicture(const platform::Picture& xPic);
  int32_t PictureAlign() const { return s.PictureAlign; }
  void SetPictureAlign(int32_t ImgAlign);
  bool Enabled() const { return UserControl.Enabled(); }
  void SetEnabled(bool bEnabled);
  bool ShowFocusRect() const { return s.ShowFocusRect; }
  void SetShowFocusRect(bool bShow);
  bool Value() const { return s.Value; }
  void SetValue(bool bValue);
  // Reading stores 16 pixels first when no size was ever given.
  int32_t PictureSize();
  void SetPictureSize(int32_t nSize);
  int32_t MousePointer() const { return UserControl.MousePointer(); }
  platform::HostResult SetMousePointer(int32_t nPointer);
  const platform::Picture& MouseIcon() const { return UserControl.MouseIcon(); }
  void SetMouseIcon(const platform::Picture& nIcon);
  const platform::FontDesign& Font() const { return UserControl.Font(); }
  platform::HostResult SetFont(const platform::FontDesign& nFont);
  int32_t FontStyle() const;
  void SetFontStyle(int32_t nStyle);
  int32_t ForeColor() const { return UserControl.ForeColor(); }
  void SetForeColor(int32_t nColor);
  int32_t BackColor() const { return s.BackColor; }
  void SetBackColor(int32_t nColor);
  int32_t GradientColor() const { return s.GradientColor; }
  void SetGradientColor(int32_t nColor);
  int32_t GradientMode() const { return s.GradientMode; }
  void SetGradientMode(int32_t nOpt);
  bool ResetDefaultColors() const { return false; }
  void SetResetDefaultColors(bool nDefault);
  int32_t HoverColorLocks() const { return s.HoverColorLocks; }
  void SetHoverColorLocks(int32_t nLock);
  int32_t HoverForeColor() const { return s.HoverForeColor; }
  void SetHoverForeColor(int32_t nColor);
  int32_t HoverBackColor() const { return s.HoverBackColor; }
  void SetHoverBackColor(int32_t nColor);
  HDC hdc() const { return UserControl.hDC(); }
  HWND hwnd() const { return UserControl.hWnd(); }
  void Refresh();
  void DelayDrawing(bool bDelay);

  // Value is the default member: assigning a Boolean to the control sets it.
  Ornabutton& operator=(bool bValue) {
    SetValue(bValue);
    return *this;
  }

  // The state record, for tools and tests.
  const OrnabuttonState& State() const { return s; }

  // Rendering tools (the gallery) show looks without real input. The interaction state is
  // what the pointer, the left button and the dialog manager would have set.
  struct Interaction {
    bool Hovering = false;   // the pointer is over the button
    bool Pressed = false;    // the left button is held down on it (the pointer is over it too)
    bool IsDefault = false;  // it shows the default-button look
  };
  // Sets that state and paints the button into dc at its origin, as its window would show it
  // (window region and outline included), instead of onto the window. Raises no event and
  // starts no hover timer; the state stays set. The CustomClick displacement is left out: it
  // moves the window rather than painting.
  void PaintInto(HDC dc, const Interaction& look);

  // ---- Host notifications ----
  void InitProperties() override;
  platform::HostResult ReadProperties(const platform::PropertyBag& bag) override;
  void WriteProperties(platform::PropertyBag& bag) override;
  void Show() override;
  void Resize() override;
  void Paint() override;
  void Terminate() override;
  void MouseDown(int16_t Button, int16_t Shift, float X, float Y) override;
  void MouseMove(int16_t Button, int16_t Shift, float X, float Y) override;
  void MouseUp(int16_t Button, int16_t Shift, float X, float Y) override;
  void Click() override;
  void DblClick() override;
  void KeyDown(int16_t& KeyCode, int16_t& Shift) override;
  void KeyPress(int16_t& KeyAscii) override;
  void KeyUp(int16_t& KeyCode, int16_t& Shift) override;
  void AccessKeyPress(int16_t& KeyAscii) override;
  void GotFocus() override;
  void AmbientChanged(const std::string& PropertyName) override;
  void SystemColorsChanged() override;
  void OLECompleteDrag(int32_t& Effect) override;
  void OLEDragDrop(platform::DataObject& Data, int32_t& Effect, int16_t& Button, int16_t& Shift,
                   float& X, float& Y) override;
  void OLEDragOver(platform::DataObject& Data, int32_t& Effect, int16_t& Button, int16_t& Shift,
                   float& X, float& Y, int16_t& State) override;
  void OLEGiveFeedback(int32_t& Effect, bool& DefaultCursors) override;
  void OLESetData(platform::DataObject& Data, int16_t& DataFormat) override;
  void OLEStartDrag(platform::DataObject& Data, int32_t& AllowedEffects) override;

  // Assistive technology.
  bool Describe(platform::AccessibleDescription& d) override;
  void DoDefaultAction() override;

  // A tick of the hover timer (modHoverTimer hands it over).
  void CheckHoverEnd(UINT_PTR TimerId);
  // Whether a control object is alive (the hover timer checks before it calls one).
  static bool IsLive(const Ornabutton* control);

  // The painter's scratch tables: 16 points, and 12 colours at indices 1 to 12.
  using Points = std::array<POINT, 16>;
  using Colors = std::array<int32_t, 13>;

 private:
  // Tests reach the private state and back buffer through this probe (tests/support).
  friend struct OrnabuttonProbe;

  // Properties
  bool DesignMode() const { return !UserControl.Ambient().UserMode; }
  void Inform(const std::wstring& text, const std::wstring& title = {}) const;
  void Changed(std::string_view key) { UserControl.PropertyChanged(key); }
  // The stored numbers under their names (control/Kinds.h).
  Look look() const { return static_cast<Look>(s.ButtonStyle); }
  Shape shape() const { return static_cast<Shape>(s.ButtonShape); }
  ClickMode clickMode() const { return static_cast<ClickMode>(s.Mode); }
  GradientDirection gradient() const { return static_cast<GradientDirection>(s.GradientMode); }
  PicturePlace picturePlace() const { return static_cast<PicturePlace>(s.PictureAlign); }
  bool IsCommandButton() const { return clickMode() == ClickMode::CommandButton; }
  // A check box or option button (or a stored mode above them).
  bool IsCheckOrOption() const { return clickMode() > ClickMode::CommandButton; }
  // A check box or option button that is set.
  bool Checked() const { return !IsCommandButton() && s.Value; }
  bool HasGradient() const { return gradient() != GradientDirection::None; }
  bool FaceLocked() const { return FaceFollows(static_cast<HoverLocks>(s.HoverColorLocks)); }
  bool CaptionLocked() const { return CaptionFollows(static_cast<HoverLocks>(s.HoverColorLocks)); }
  bool PressedInside() const {
    return (s.StateFlags & ButtonDown) && (s.StateFlags & MouseOver);
  }
  int32_t Translate(int32_t color) const;
  static int32_t Shift(int32_t color, int16_t amount);
  static int32_t ShiftB(int32_t color, int16_t amount);

  // Colours and redraw
  enum class Derived { Font, Picture, BackColor };
  void RebuildDerived(Derived What);
  // Makes sure the back buffer exists, holds a bitmap of the control's size and the current
  // caption font.
  void UpdateBackBuffer();
  // Copies the back buffer onto the screen.
  void ShowBackBuffer();
  void RedrawButton();
  // After the press or hover state changed: tells screen readers, moves a CustomClick button
  // as its press starts or ends, and redraws.
  void ShowInteraction();
  // Moves the window for a CustomClick press or back after it; true when it has just moved
  // for a press and shown the image the buffer holds, which then is not painted again.
  bool ApplyClickOffset();

  // Input, focus and option groups
  void RunClickLogic();
  enum class GroupAction : int16_t { Selected = 0, Join = 1, Leave = -1, FindSelected = 2 };
  void UpdateOptionGroup(GroupAction Action, bool& Found);
  void UpdateOptionGroup(GroupAction Action) {
    bool found = false;
    UpdateOptionGroup(Action, found);
  }
  // Takes this button out of its container's option group, touching no other button.
  void LeaveOptionGroup();
  HWND ContainerWindow() const;
  void StopHoverTracking();

  // Layout. The picture's scaled copy is made again on request, and whenever the picture box
  // is stretched or fitted.
  enum class PictureCopy { Keep, Rebuild };
  void LayoutContent(PictureCopy Copy);
  void FitPicture(int32_t BoxW, int32_t BoxH, int32_t& OutW, int32_t& OutH) const;
  void PreparePicture(int32_t W, int32_t H, HRGN TargetRegion);
  // The caption as drawn: every "||" becomes a line break.
  static std::wstring CaptionLines(const std::wstring& caption);

  // Shapes
  void BuildShape();
  // Window regions: corner trimming of the current style on the left and right sides.
  void TrimCorners(HRGN region, bool left, bool right) const;

  // Caption, picture and focus frame. HoverTextColor is the caption's colour under the
  // pointer; with SingleDisabledCopy a disabled caption in a colour of its own is drawn once,
  // without the etched copy.
  void DrawCaption(int32_t BaseColor, int32_t TextColor, bool Pushed, bool SingleDisabledCopy,
                   int32_t HoverTextColor);
  void DrawPicture(RECT& Box);
  void DrawBitmapTransparent(HDC DestDC, RECT Dest, HBITMAP Source, RECT SourceRect, int32_t& Width,
                             int32_t& Height);
  // The focus frame goes round the face's inner edge or round the content (caption, else
  // picture); with Value (the button is set) it is a line instead of dots, round pushed content.
  enum class FocusAround { Face, Content };
  void DrawFocusFrame(int32_t Color, bool Value, FocusAround Around, Points& points);

  // Drawing primitives. The three kinds of drawing tool: a pen, a brush (outlined in its own
  // colour or not) and the text colour.
  void SelectPen(int32_t Color, int32_t PenWidth, int32_t PenStyle);
  void SelectBrush(int32_t Color, bool OutlineInFillColor);
  void SelectTextColor(int32_t Color);
  // A solid block in one colour.
  void FillBox(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t FillColor);
  void PaintFace(int32_t BaseColor, int16_t& State, int16_t& DrawLevel, int32_t GradColor,
                 int32_t HoverColor);
  void BeginFacePaint(int16_t& DrawLevel);
  void BeginHighContrastFace(int16_t& DrawLevel, bool pressed, bool ringShape);
  void PaintGradient(int32_t FromColor, int32_t ToColor, GradientDirection Direction);
  void BuildGradientRamp(std::vector<int32_t>& Ramp, int32_t FromColor, int32_t ToColor);
  // All bands of a gradient in one copy; false when they have to be filled one by one.
  bool PaintBands(const std::vector<int32_t>& Ramp, int32_t Band, bool across, bool forward,
                  int32_t Right, int32_t Bottom);
  void DrawBevelFrame(Points& points, Colors& colors, int32_t OuterPenStyle);

  // The eight style painters
  void RaisedBevel(Points& points, Colors& colors, int16_t& State, int16_t& DrawLevel);
  void FramedBevel(Points& points, Colors& colors, int16_t& State, int16_t& DrawLevel);
  void RoundedHotTrack(Points& points, Colors& colors, int16_t& State, int16_t& DrawLevel);
  void EtchedFlat(Points& points, Colors& colors, int16_t& State, int16_t& DrawLevel);
  void ThinBevel(Points& points, Colors& colors, int16_t& State, int16_t& DrawLevel);
  void FlatHotTrack(Points& points, Colors& colors, int16_t& State, int16_t& DrawLevel);
  void SoftBevel(Points& points, Colors& colors, int16_t& State, int16_t& DrawLevel);
  void RoundedFramed(Points& points, Colors& colors, int16_t& State, int16_t& DrawLevel);
  // Any look while high contrast is on: the system's colours on the look's shape and rings.
  void HighContrastLook(Points& points, Colors& colors, int16_t& State, int16_t& DrawLevel);
  // System colour `index` (COLOR_BTNFACE, ...) as an RGB value.
  int32_t SystemColour(int index) const {
    return Translate(static_cast<int32_t>(0x80000000u | static_cast<uint32_t>(index)));
  }
  // A stored style outside 0..7: the face and the caption, without rings.
  void PlainFace(Points& points, Colors& colors, int16_t& State, int16_t& DrawLevel);
  // The sequence the plainer painters share: face, caption, the style's bevel (a callable
  // that fills Colors and may change State and the focus colour), closing rule, focus frame.
  template <typename Bevel>
  void PaintPlain(Points& points, Colors& colors, int16_t& State, int16_t& DrawLevel, Bevel&& bevel);
  void CloseShape(Colors& colors, int16_t& DrawLevel) const;
  bool CheckedOrHeld() const { return s.Value || (IsCheckOrOption() && s.PressHeld); }

  // Screen readers hear of state changes once per change, from where the state changes.
  long AccessibleState() const;
  void AnnounceState();

  // Raising events
  template <typename F>
  void Raise(F&& raise) {
    if (events_) raise(*events_);
  }

  // Where a redraw shows the buffer: the window, or the DC of PaintInto.
  HDC ScreenDC() const { return printTarget_ ? printTarget_ : UserControl.hDC(); }

  platform::UserControl& UserControl;
  OrnabuttonState s;
  // The drawing objects, each with its owner.
  BackBuffer Buffer;                                // BufferDC and what it holds
  platform::UniqueRegion ShapeRegion, InnerRegion;  // the shape inset by 1 and 2 pixels
  platform::UniqueBitmap ScaledPicture;             // the picture at its drawn size
  std::vector<uint32_t> bandPixels_;  // the gradient's pixels, kept for the next paint
  HDC printTarget_ = nullptr;
  bool highContrast_ = false;  // read as each redraw starts
  OrnabuttonEvents* events_ = nullptr;
  bool released_ = false;
  bool spacePressed_ = false;  // the Space key held now pressed the button
  long announcedState_ = -1;
  int paintCount_ = 0;  // frames copied to the window, for tests and benchmarks
};

}  // namespace velmora
