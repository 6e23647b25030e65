#pragma once
// Forms built from design files: a top-level window with its controls, loaded on first use,
// shown normally or modally, unloaded when closed. Keyboard navigation follows the controls'
// TabIndex; Enter and Esc reach the default and cancel buttons.

#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DesignFile.h"
#include "platform/Handles.h"
#include "platform/MessageLoop.h"  // the loop that runs the forms, for their users

namespace velmora::platform {

class Control;
class UserControlSite;

class Form {
 public:
  // A form whose design is embedded in the executable's resources (type "DESIGN"); it is read
  // when the form is loaded.
  explicit Form(std::wstring designResource);
  // A form from a design already parsed.
  explicit Form(FormDesign design);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Creates the window and its controls if they do not exist yet, then runs OnLoad. Throws
  // DesignError for a design that cannot be used and std::runtime_error when Windows refuses a
  // window.
  void Load();
  bool IsLoaded() const { return hwnd_ != nullptr; }
  // Loads if needed and shows the window; the first showing places it as the design says.
  void Show();
  // Loads if needed and shows the window owned by the active form, with every other form
  // disabled; returns when the form has been unloaded.
  void ShowModal();
  // Runs OnUnload and destroys the window and its controls. The next use loads afresh.
  void Unload();

  HWND hwnd() const { return hwnd_; }
  const FormDesign& Design() const { return design_; }
  const std::string& Name() const { return design_.name; }
  std::wstring Caption() const;
  void SetCaption(std::wstring_view caption);
  // The form's icon (the large one); SetIcon copies the given icon.
  HICON Icon() const { return bigIcon_.get(); }
  void SetIcon(HICON icon);
  uint32_t BackColor() const { return design_.backColor; }
  void SetBackColor(uint32_t color);
  const FontDesign& Font() const { return design_.font; }
  int Dpi() const { return dpi_; }
  bool IsModal() const { return modal_; }

  // Controls of the loaded form.
  Control* Find(std::string_view name) const;
  template <typename T>
  T& Get(std::string_view name) const {
    T* c = dynamic_cast<T*>(Find(name));
    if (!c) throw std::logic_error("form " + Name() + " has no such control: " + std::string(name));
    return *c;
  }
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
  // The controls Tab can reach now, in TabIndex order.
  std::vector<Control*> TabOrder() const;
  // The control that holds the keyboard focus (or contains the window that does), if any.
  Control* FocusedControl() const;
  // The control a window belongs to (its own window or one inside it).
  Control* FromChildWindow(HWND child) const { return FromChild(child); }

  // The ambient UserMode of the form's user controls: False makes the form a design-time
  // surface (the controls then show their design-time messages).
  bool UserMode() const { return userMode_; }
  void SetUserMode(bool userMode);
  // Places a new user control on the loaded form, as a designer does: the control starts
  // from InitProperties instead of a stored design.
  UserControlSite& PlaceUserControl(const std::string& className, const std::string& name,
                                    const std::string& container, int32_t left, int32_t top,
                                    int32_t width, int32_t height);
  // The design as it is now, with every user control's properties written by the control.
  FormDesign SaveDesign();

  // Used by the controls.
  void ContainerBackColorChanged(const Control* container);
  // Focus arrived at a control: the focused push button shows the default look, else the
  // form's default button does.
  void FocusChanged(const Control* focused);
  // An arrow key sent to a container (or the form): focus moves to the next or previous
  // control of that container. False when the key is no arrow.
  bool ArrowKey(const Control* container, WPARAM key);
  // An access key typed with Alt, or alone on a control that takes no text: the user control
  // that has it gets it. False when none has it.
  bool AccessKey(const MSG& msg);
  int32_t ToPixels(int32_t twips) const;
  HFONT FontHandle(const FontDesign& font);
  HBRUSH Brush(COLORREF color);
  void PaintLines(HDC dc, const Control* container) const;

  // Every loaded form, in load order.
  static const std::vector<Form*>& LoadedForms();
  // The form a top-level window belongs to.
  static Form* FromWindow(HWND hwnd);

 protected:
  virtual void OnLoad() {}
  virtual void OnUnload() {}

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  int ScaleForDpi(int pixelsAt96) const;
  void CreateControls(HWND parent, const Control* container);
  void ApplyDpi(int dpi);
  SIZE WindowSizeFor(int dpi) const;
  void PlaceWindow();
  void LoadIcons();
  void Released();
  Control* FromChild(HWND child) const;
  HWND NextTabStop(bool backward) const;
  void EnableOthers(bool enable);

  std::wstring designResource_;
  FormDesign design_;
  bool designRead_ = false;
  HWND hwnd_ = nullptr;
  int dpi_ = 96;
  bool placed_ = false;
  bool modal_ = false;
  bool userMode_ = true;
  std::vector<HWND> disabledByModal_;
  std::vector<std::unique_ptr<Control>> controls_;
  // Controls of an unloaded form wait here until the next load or the form's end: the click
  // handler that unloaded the form may still be on the stack.
  std::vector<std::unique_ptr<Control>> retired_;
  struct CachedFont {
    FontDesign design;
    int dpi;
    UniqueFont handle;
  };
  std::vector<CachedFont> fonts_;
  std::vector<std::pair<COLORREF, UniqueBrush>> brushes_;
  UniqueIcon bigIcon_, smallIcon_;
};

// Shows the exception being handled through the message-box service; window procedures use
// it so that nothing crosses the system's dispatcher.
void ReportCurrentException(HWND owner);

}  // namespace velmora::platform
