#pragma once
// The standard controls of the forms runtime: check box, label, frame, picture box, command
// button and line. Each is created from its design entry by the form that holds it.

#include <windows.h>
#include <uxtheme.h>

#include <functional>
#include <string>
#include <string_view>

#include "platform/DesignFile.h"
#include "platform/Handles.h"

namespace velmora::platform {

class Form;

class Control {
 public:
  Control(Form& form, const ControlDesign& design);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return design_.name; }
  ControlKind Kind() const { return design_.kind; }
  const ControlDesign& Design() const { return design_; }
  Form& Owner() const { return form_; }
  // The frame or picture box holding this control; nullptr when it sits on the form itself.
  Control* Container() const { return container_; }
  // The control's own window (nullptr for a line, which its container draws).
  HWND hwnd() const { return hwnd_; }
  int32_t TabIndex() const { return design_.tabIndex; }

  // Position and size in twips, relative to the container.
  int32_t Left() const { return design_.left; }
  int32_t Top() const { return design_.top; }
  int32_t Width() const { return design_.width; }
  int32_t Height() const { return design_.height; }
  void Move(int32_t left, int32_t top, int32_t width, int32_t height);

  bool Visible() const { return design_.visible; }
  void SetVisible(bool visible);
  bool Enabled() const { return design_.enabled; }
  void SetEnabled(bool enabled);

  // OLE colours; a control without its own colours uses the system's button face and text.
  uint32_t BackColor() const { return design_.backColor.value_or(0x8000000F); }
  uint32_t ForeColor() const { return design_.foreColor.value_or(0x80000012); }
  void SetBackColor(uint32_t color);
  void SetForeColor(uint32_t color);
  // The control's own font, or the form's.
  const FontDesign& Font() const;

  // Whether Tab can stop here now.
  virtual bool TakesFocus() const;
  virtual bool IsContainer() const { return false; }
  // Push-button behaviour: the focused one shows the default look, the form's default one
  // answers Enter, its cancel one Esc.
  virtual bool ActsAsButton() const { return false; }
  virtual bool IsDefault() const { return false; }
  virtual bool IsCancel() const { return false; }
  virtual void PressCancel() {}
  virtual void ShowDefaultLook(bool /*isDefault*/) {}

  // Called by the form.
  virtual void Create(HWND parent, UINT id) = 0;
  virtual void ApplyDpi(int dpi);
  virtual void OnCommand(WORD /*code*/) {}
  virtual void Paint(HDC /*dc*/) {}
  void SetContainer(Control* container) { container_ = container; }

 protected:
  // Creates the control's window at its place with the form's font, the way the form's
  // resolution gives them.
  HWND MakeWindow(const wchar_t* windowClass, const std::wstring& text, DWORD style,
                  DWORD exStyle, HWND parent, UINT id);
  virtual SIZE PixelSize(int dpi) const;

  Form& form_;
  ControlDesign design_;
  Control* container_ = nullptr;
  HWND hwnd_ = nullptr;
};

// A control whose caption is its window text.
class CaptionedControl : public Control {
 public:
  using Control::Control;
  std::wstring Caption() const;
  void SetCaption(std::wstring_view caption);
};

class CheckBox final : public CaptionedControl {
 public:
  using CaptionedControl::CaptionedControl;
  // 0 clear, 1 ticked, 2 grey; other values are refused with std::out_of_range.
  int Value() const;
  void SetValue(int value);
  bool TakesFocus() const override;
  void Create(HWND parent, UINT id) override;
  void OnCommand(WORD code) override;
};

class Label final : public CaptionedControl {
 public:
  using CaptionedControl::CaptionedControl;
  void Create(HWND parent, UINT id) override;
  // Whether text, drawn as this label draws it (its font, word wrapping), lies whole inside
  // the part of the label its containers leave visible.
  bool ShowsWhole(std::wstring_view text) const;
};

class CommandButton final : public CaptionedControl {
 public:
  using CaptionedControl::CaptionedControl;
  bool ActsAsButton() const override { return true; }
  bool IsDefault() const override { return design_.isDefault; }
  bool IsCancel() const override { return design_.isCancel; }
  void PressCancel() override { Click(); }
  void ShowDefaultLook(bool isDefault) override;
  void SetOnClick(std::function<void()> handler) { onClick_ = std::move(handler); }
  // Runs the click handler, as a press and release or Enter/Esc would.
  void Click();
  bool TakesFocus() const override;
  void Create(HWND parent, UINT id) override;
  void OnCommand(WORD code) override;

 private:
  std::function<void()> onClick_;
};

// Whether a window has nothing to draw outside its client area (no border, edge or scroll bar),
// so that its WM_NCPAINT needs no work.
bool HasNoFrame(HWND hwnd);

// Frames and picture boxes hold other controls in a window of their own.
class ContainerControl : public Control {
 public:
  using Control::Control;
  bool IsContainer() const override { return true; }
  bool TakesFocus() const override { return false; }
  static void RegisterWindowClass();

 protected:
  void CreateContainer(HWND parent, UINT id, const std::wstring& text, DWORD exStyle);
  // The visual style, the colours or the settings changed, or the window goes.
  virtual void ForgetTheme() {}

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
};

class Frame final : public ContainerControl {
 public:
  using ContainerControl::ContainerControl;
  ~Frame() override;
  std::wstring Caption() const;
  void SetCaption(std::wstring_view caption);
  void Create(HWND parent, UINT id) override;
  void Paint(HDC dc) override;

 private:
  void ForgetTheme() override;
  // The visual style's group box, opened on the first paint and kept: a frame paints again
  // for each control inside that draws its background through it. nullptr: no visual style.
  HTHEME Theme();
  HTHEME theme_ = nullptr;
  bool themeOpened_ = false;
  int themeDpi_ = 0;
  int band_ = 0, bandState_ = -1;  // the style's border band, for that group-box state
};

class PictureBox final : public ContainerControl {
 public:
  using ContainerControl::ContainerControl;
  // The icon shown at the top left (the box keeps its own copy); nullptr shows none.
  void SetPicture(HICON icon);
  HICON Picture() const { return icon_.get(); }
  void Create(HWND parent, UINT id) override;
  void ApplyDpi(int dpi) override;
  void Paint(HDC dc) override;

 protected:
  SIZE PixelSize(int dpi) const override;

 private:
  void LoadPicture(int dpi);
  UniqueIcon icon_;
};

// A straight line drawn by its container.
class Line final : public Control {
 public:
  using Control::Control;
  bool TakesFocus() const override { return false; }
  void Create(HWND /*parent*/, UINT /*id*/) override {}
  void ApplyDpi(int /*dpi*/) override {}
  void Draw(HDC dc, int dpi) const;
};

}  // namespace velmora::platform
