#include "platform/Forms.h"

#include <algorithm>
#include <exception>

#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/HighContrast.h"
#include "platform/MessageBox.h"
#include "platform/Numeric.h"
#include "platform/Resources.h"
#include "platform/Screen.h"
#include "platform/StartupTrace.h"
#include "platform/Text.h"
#include "platform/UserControl.h"

namespace velmora::platform {

namespace {

constexpr wchar_t kFormClass[] = L"VelmoraForm";
constexpr UINT kFirstControlId = 1000;  // keeps clear of IDOK and IDCANCEL

std::vector<Form*> g_loaded;

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

void StylesFor(const FormDesign& d, DWORD& style, DWORD& exStyle) {
  exStyle = WS_EX_CONTROLPARENT | (d.showInTaskbar ? WS_EX_APPWINDOW : 0);
  style = WS_CLIPCHILDREN;
  switch (d.borderStyle) {
    case FormBorder::None: style |= WS_POPUP; return;
    case FormBorder::FixedDialog: exStyle |= WS_EX_DLGMODALFRAME; [[fallthrough]];
    case FormBorder::FixedSingle: style |= WS_OVERLAPPED | WS_CAPTION; break;
    case FormBorder::Sizable: style |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME; break;
  }
  if (d.controlBox) {
    style |= WS_SYSMENU;
    if (d.minButton) style |= WS_MINIMIZEBOX;
    if (d.maxButton) style |= WS_MAXIMIZEBOX;
  }
}

// The hidden owner of forms that must stay out of the task bar but have no owner form.
HWND ParkingWindow() {
  static HWND parking = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                        Instance(), nullptr);
  return parking;
}

std::unique_ptr<Control> MakeControl(Form& form, const ControlDesign& d) {
  switch (d.kind) {
    case ControlKind::Frame: return std::make_unique<Frame>(form, d);
    case ControlKind::CheckBox: return std::make_unique<CheckBox>(form, d);
    case ControlKind::Label: return std::make_unique<Label>(form, d);
    case ControlKind::PictureBox: return std::make_unique<PictureBox>(form, d);
    case ControlKind::CommandButton: return std::make_unique<CommandButton>(form, d);
    case ControlKind::Line: return std::make_unique<Line>(form, d);
    case ControlKind::UserControl: return std::make_unique<UserControlSite>(form, d);
  }
  return nullptr;
}

}  // namespace

void ReportCurrentException(HWND owner) {
  std::wstring text = L"An unexpected error occurred.";
  try {
    throw;
  } catch (const std::exception& e) {
    text = Widen(e.what());
  } catch (...) {
  }
  ShowMessage({owner, text, App().Title(), MB_OK | MB_ICONERROR});
}

Form::Form(std::wstring designResource) : designResource_(std::move(designResource)) {}

Form::Form(FormDesign design) : design_(std::move(design)), designRead_(true) {}

Form::~Form() {
  if (hwnd_) {
    if (modal_) EnableOthers(true);
    DestroyWindow(hwnd_);
  }
}

const std::vector<Form*>& Form::LoadedForms() { return g_loaded; }

Form* Form::FromWindow(HWND hwnd) {
  for (Form* f : g_loaded)
    if (f->hwnd_ == hwnd) return f;
  return nullptr;
}

void Form::Load() {
  if (hwnd_) return;
  retired_.clear();
  if (!designRead_) {
    const std::string file = Narrow(designResource_) + ".json";
    auto bytes = LoadResourceBytes(Instance(), designResource_.c_str(), kDesignResourceType);
    if (!bytes) throw DesignError(file, "", "", "the program holds no such design");
    design_ = ParseFormDesign(*bytes, file);
    designRead_ = true;
    StartupTrace::Mark("reading the design");
  }
  // The dialog manager keeps its state (focus, default button) in the extra bytes, so Tab,
  // Enter, Esc and access keys work as in any dialog.
  RegisterWindowClassOnce(kFormClass, &Form::WindowProc, 0, DLGWINDOWEXTRA);

  DWORD style = 0, exStyle = 0;
  StylesFor(design_, style, exStyle);
  HWND owner = design_.showInTaskbar ? nullptr : ParkingWindow();
  CreateWindowExW(exStyle, kFormClass, Widen(design_.caption).c_str(), style, 0, 0, 0, 0, owner,
                  nullptr, Instance(), this);
  if (!hwnd_) throw std::runtime_error("could not create the window of form " + Name());
  g_loaded.push_back(this);
  StartupTrace::Mark("main window");
  try {
    dpi_ = static_cast<int>(GetDpiForWindow(hwnd_));
    for (const ControlDesign& d : design_.controls) controls_.push_back(MakeControl(*this, d));
    for (auto& c : controls_)
      if (!SameName(c->Design().container, design_.name)) c->SetContainer(Find(c->Design().container));
    // Every control is made at its place with its font; the hidden window paints all of them
    // when it is first shown.
    CreateControls(hwnd_, nullptr);
    LoadIcons();
    StartupTrace::Mark("icons");
    // A new window has no default button yet: only a form that has one tells the dialog
    // manager.
    UINT defaultId = 0;
    for (size_t i = 0; i < controls_.size(); ++i)
      if (controls_[i]->IsDefault()) defaultId = kFirstControlId + static_cast<UINT>(i);
    if (defaultId) SendMessageW(hwnd_, DM_SETDEFID, defaultId, 0);
    placed_ = false;
    OnLoad();
    StartupTrace::Mark("the form's Load");
  } catch (...) {
    DestroyWindow(hwnd_);
    throw;
  }
}

void Form::CreateControls(HWND parent, const Control* container) {
  // Within each container the windows are made in TabIndex order, which is also the order
  // the dialog manager walks.
  std::vector<Control*> children;
  for (auto& c : controls_)
    if (c->Container() == container && c->Kind() != ControlKind::Line) children.push_back(c.get());
  std::sort(children.begin(), children.end(),
            [](const Control* a, const Control* b) { return a->TabIndex() < b->TabIndex(); });
  for (Control* c : children) {
    const auto index = std::find_if(controls_.begin(), controls_.end(),
                                    [c](const auto& p) { return p.get() == c; }) -
                       controls_.begin();
    c->Create(parent, kFirstControlId + static_cast<UINT>(index));
    StartupTrace::Mark(c->IsContainer() ? "containers"
                       : c->Kind() == ControlKind::UserControl ? "user controls"
                                                               : "system controls");
    if (c->IsContainer()) CreateControls(c->hwnd(), c);
  }
}

void Form::ApplyDpi(int dpi) {
  dpi_ = dpi;
  std::vector<CachedFont> old;
  old.swap(fonts_);
  for (auto& c : controls_) c->ApplyDpi(dpi);
  // The old fonts are no longer selected anywhere once every control has its new one.
  old.clear();
  if (!design_.icon.empty() && bigIcon_) LoadIcons();
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

int32_t Form::ToPixels(int32_t twips) const { return TwipsToPixels(twips, dpi_); }

SIZE Form::WindowSizeFor(int dpi) const {
  DWORD style = 0, exStyle = 0;
  StylesFor(design_, style, exStyle);
  RECT r{0, 0, TwipsToPixels(design_.clientWidth, dpi), TwipsToPixels(design_.clientHeight, dpi)};
  AdjustWindowRectExForDpi(&r, style, FALSE, exStyle, static_cast<UINT>(dpi));
  return {r.right - r.left, r.bottom - r.top};
}

void Form::PlaceWindow() {
  const SIZE size = WindowSizeFor(dpi_);
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  if (owner == ParkingWindow()) owner = nullptr;
  const bool overOwner = design_.startUpPosition == StartUpPosition::CenterOwner && owner;
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromWindow(overOwner ? owner : hwnd_, MONITOR_DEFAULTTOPRIMARY), &mi);
  const RECT work = mi.rcWork;
  POINT pos{work.left + ScaleForDpi(32), work.top + ScaleForDpi(32)};
  switch (design_.startUpPosition) {
    case StartUpPosition::Manual:
      pos = {ToPixels(design_.left), ToPixels(design_.top)};
      break;
    case StartUpPosition::CenterOwner:
      if (overOwner) {
        RECT o;
        GetWindowRect(owner, &o);
        pos = {o.left + (o.right - o.left - size.cx) / 2, o.top + (o.bottom - o.top - size.cy) / 2};
        // Keep the whole window on the owner's screen.
        pos.x = std::max(work.left, std::min(pos.x, work.right - size.cx));
        pos.y = std::max(work.top, std::min(pos.y, work.bottom - size.cy));
        break;
      }
      [[fallthrough]];
    case StartUpPosition::CenterScreen:
      pos = {work.left + (work.right - work.left - size.cx) / 2,
             work.top + (work.bottom - work.top - size.cy) / 2};
      break;
    case StartUpPosition::WindowsDefault:
      break;
  }
  SetWindowPos(hwnd_, nullptr, pos.x, pos.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::ScaleForDpi(int pixelsAt96) const { return MulDiv(pixelsAt96, dpi_, 96); }

void Form::LoadIcons() {
  if (design_.icon.empty()) return;
  const std::wstring name = Widen(design_.icon);
  const auto load = [&](int cx, int cy) {
    return static_cast<HICON>(LoadImageW(Instance(), name.c_str(), IMAGE_ICON,
                                         GetSystemMetricsForDpi(cx, static_cast<UINT>(dpi_)),
                                         GetSystemMetricsForDpi(cy, static_cast<UINT>(dpi_)), 0));
  };
  UniqueIcon bigIcon(load(SM_CXICON, SM_CYICON)), smallIcon(load(SM_CXSMICON, SM_CYSMICON));
  if (!bigIcon || !smallIcon)
    throw DesignError(design_.file, "", "icon",
                      "the program has no icon resource named \"" + design_.icon + "\"");
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon.get()));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
  bigIcon_ = std::move(bigIcon);
  smallIcon_ = std::move(smallIcon);
}

void Form::SetIcon(HICON icon) {
  design_.icon.clear();  // from now on the form keeps this icon, also across DPI changes
  const auto copy = [&](int cx, int cy) -> HICON {
    if (!icon) return nullptr;
    const int w = GetSystemMetricsForDpi(cx, static_cast<UINT>(dpi_));
    const int h = GetSystemMetricsForDpi(cy, static_cast<UINT>(dpi_));
    // From a resource icon this picks the image made for that size; otherwise it scales.
    if (HANDLE h1 = CopyImage(icon, IMAGE_ICON, w, h, LR_COPYFROMRESOURCE))
      return static_cast<HICON>(h1);
    return static_cast<HICON>(CopyImage(icon, IMAGE_ICON, w, h, 0));
  };
  UniqueIcon bigIcon(copy(SM_CXICON, SM_CYICON)), smallIcon(copy(SM_CXSMICON, SM_CYSMICON));
  if (hwnd_) {
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon.get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
  }
  bigIcon_ = std::move(bigIcon);
  smallIcon_ = std::move(smallIcon);
}

std::wstring Form::Caption() const {
  return hwnd_ ? WindowText(hwnd_) : Widen(design_.caption);
}

void Form::SetCaption(std::wstring_view caption) {
  design_.caption = Narrow(caption);
  if (hwnd_) SetWindowTextW(hwnd_, std::wstring(caption).c_str());
}

void Form::Show() {
  Load();
  if (!placed_) {
    PlaceWindow();
    placed_ = true;
    StartupTrace::Mark("placing the window");
  }
  const bool wasVisible = IsWindowVisible(hwnd_) != FALSE;
  ShowWindow(hwnd_, SW_SHOW);
  StartupTrace::Mark("show");
  if (!wasVisible)
    for (auto& c : controls_)
      if (auto* site = dynamic_cast<UserControlSite*>(c.get())) site->NotifyShow();
  StartupTrace::Mark("the user controls' Show");
  UpdateWindow(hwnd_);
  StartupTrace::Mark("first paint");
}

void Form::SetBackColor(uint32_t color) {
  design_.backColor = color;
  if (!hwnd_) return;
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  ContainerBackColorChanged(nullptr);
}

void Form::ContainerBackColorChanged(const Control* container) {
  const auto color = static_cast<int32_t>(container ? container->BackColor() : design_.backColor);
  for (auto& c : controls_)
    if (auto* site = dynamic_cast<UserControlSite*>(c.get()); site && c->Container() == container)
      site->SetAmbientBackColor(color);
}

void Form::SetUserMode(bool userMode) {
  userMode_ = userMode;
  for (auto& c : controls_)
    if (auto* site = dynamic_cast<UserControlSite*>(c.get())) site->SetAmbientUserMode(userMode);
}

UserControlSite& Form::PlaceUserControl(const std::string& className, const std::string& name,
                                        const std::string& container, int32_t left, int32_t top,
                                        int32_t width, int32_t height) {
  Load();
  if (Find(name)) throw std::logic_error("form " + Name() + " already has a control " + name);
  Control* holder = SameName(container, design_.name) ? nullptr : Find(container);
  if (!SameName(container, design_.name) && (!holder || !holder->IsContainer()))
    throw std::logic_error("form " + Name() + " has no container " + container);
  ControlDesign d;
  d.kind = ControlKind::UserControl;
  d.className = className;
  d.name = name;
  d.container = container;
  d.left = left;
  d.top = top;
  d.width = width;
  d.height = height;
  d.tabIndex = 0;
  for (const auto& c : controls_) d.tabIndex = std::max(d.tabIndex, c->TabIndex() + 1);
  design_.controls.push_back(d);
  auto site = std::make_unique<UserControlSite>(*this, d);
  site->SetContainer(holder);
  site->MarkAsNew();
  UserControlSite& placed = *site;
  controls_.push_back(std::move(site));
  placed.Create(holder ? holder->hwnd() : hwnd_, kFirstControlId + static_cast<UINT>(controls_.size() - 1));
  if (IsWindowVisible(hwnd_)) placed.NotifyShow();
  return placed;
}

FormDesign Form::SaveDesign() {
  FormDesign saved = design_;
  for (auto& c : controls_)
    if (auto* site = dynamic_cast<UserControlSite*>(c.get()))
      for (ControlDesign& d : saved.controls)
        if (SameName(d.name, site->Name())) d = site->SaveDesign();
  return saved;
}

void Form::EnableOthers(bool enable) {
  if (!enable) {
    for (Form* f : g_loaded)
      if (f != this && IsWindowEnabled(f->hwnd_)) {
        EnableWindow(f->hwnd_, FALSE);
        disabledByModal_.push_back(f->hwnd_);
      }
    return;
  }
  for (HWND h : disabledByModal_)
    if (IsWindow(h)) EnableWindow(h, TRUE);
  disabledByModal_.clear();
}

void Form::ShowModal() {
  Load();
  HWND owner = GetActiveWindow();
  if (!FromWindow(owner) || owner == hwnd_) {
    owner = nullptr;
    for (Form* f : g_loaded)
      if (f != this && IsWindowVisible(f->hwnd_)) owner = f->hwnd_;
  }
  if (owner) SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  modal_ = true;
  EnableOthers(false);
  Show();
  MSG msg;
  while (hwnd_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      // Leave the quit request for the outer loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    DispatchFormMessage(msg);
  }
  if (hwnd_) Unload();
  modal_ = false;
}

void Form::Unload() {
  if (!hwnd_) return;
  OnUnload();
  // The owner must be enabled before the modal window goes, or the system activates some
  // other program's window.
  if (modal_) EnableOthers(true);
  if (hwnd_) DestroyWindow(hwnd_);
}

void Form::Released() {
  g_loaded.erase(std::remove(g_loaded.begin(), g_loaded.end(), this), g_loaded.end());
  hwnd_ = nullptr;
  for (auto& c : controls_) retired_.push_back(std::move(c));
  controls_.clear();
  fonts_.clear();
  brushes_.clear();
  bigIcon_.reset();
  smallIcon_.reset();
  placed_ = false;
}

Control* Form::Find(std::string_view name) const {
  for (const auto& c : controls_)
    if (SameName(c->Name(), name)) return c.get();
  return nullptr;
}

Control* Form::FromChild(HWND child) const {
  for (HWND h = child; h && h != hwnd_; h = GetParent(h))
    for (const auto& c : controls_)
      if (c->hwnd() == h) return c.get();
  return nullptr;
}

HFONT Form::FontHandle(const FontDesign& font) {
  for (const CachedFont& f : fonts_)
    if (f.dpi == dpi_ && f.design == font) return f.handle.get();
  HFONT h = CreateFontW(-nint(font.size * dpi_ / 72.0), 0, 0, 0, font.weight, font.italic,
                        font.underline, font.strikethrough, static_cast<DWORD>(font.charset),
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, Widen(font.name).c_str());
  fonts_.push_back({font, dpi_, UniqueFont(h)});
  return h;
}

HBRUSH Form::Brush(COLORREF color) {
  for (const auto& [c, brush] : brushes_)
    if (c == color) return brush.get();
  brushes_.emplace_back(color, UniqueBrush(CreateSolidBrush(color)));
  return brushes_.back().second.get();
}

void Form::PaintLines(HDC dc, const Control* container) const {
  for (const auto& c : controls_)
    if (c->Kind() == ControlKind::Line && c->Container() == container)
      static_cast<const Line&>(*c).Draw(dc, dpi_);
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* created = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    created->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefDlgProcW(hwnd, msg, wp, lp);
  try {
    return self->HandleMessage(hwnd, msg, wp, lp);
  } catch (...) {
    ReportCurrentException(hwnd);
    return 0;
  }
}

LRESULT Form::HandleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND: {
      const auto from = reinterpret_cast<HWND>(lp);
      if (from) {
        if (Control* c = FromChild(from); c && c->hwnd() == from) c->OnCommand(HIWORD(wp));
        return 0;
      }
      // Esc from the dialog manager: the cancel button answers it.
      if (LOWORD(wp) == IDCANCEL) {
        for (const auto& c : controls_) {
          if (c->IsCancel() && IsWindowEnabled(c->hwnd()) && IsWindowVisible(c->hwnd())) {
            c->PressCancel();
            break;
          }
        }
      }
      return 0;
    }
    case WM_NEXTDLGCTL:
      // Tab and Shift+Tab follow the TabIndex of the whole form, across frames.
      if (!LOWORD(lp)) {
        if (HWND next = NextTabStop(wp != 0))
          return DefDlgProcW(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
        return 0;
      }
      break;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      const Control* c = FromChild(reinterpret_cast<HWND>(lp));
      const COLORREF back = DisplayColor(c ? c->BackColor() : design_.backColor, COLOR_BTNFACE);
      auto* dc = reinterpret_cast<HDC>(wp);
      SetTextColor(dc, DisplayColor(c ? c->ForeColor() : design_.foreColor, COLOR_BTNTEXT));
      SetBkColor(dc, back);
      return reinterpret_cast<LRESULT>(Brush(back));
    }
    case WM_CTLCOLORDLG:
      return reinterpret_cast<LRESULT>(Brush(DisplayColor(design_.backColor, COLOR_BTNFACE)));
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      PaintLines(dc, nullptr);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      if (lp & PRF_ERASEBKGND) SendMessageW(hwnd, WM_ERASEBKGND, wp, 0);
      PaintLines(reinterpret_cast<HDC>(wp), nullptr);
      return 0;
    case WM_CLOSE:
      Unload();
      return 0;
    case WM_KEYDOWN:
      if (ArrowKey(nullptr, wp)) return 0;
      break;
    case WM_DPICHANGED: {
      ApplyDpi(HIWORD(wp));
      const auto* suggested = reinterpret_cast<const RECT*>(lp);
      const SIZE size = WindowSizeFor(dpi_);
      SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_DISPLAYCHANGE:
      Screen::DisplayChanged();
      break;
    // Top-level windows hear of new colours, settings (high contrast among them) and visual
    // styles; the controls, the buttons among them, hear of them from the form.
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
      if (msg == WM_SETTINGCHANGE) SettingsChanged();
      brushes_.clear();
      for (const auto& c : controls_)
        if (c->hwnd()) SendMessageW(c->hwnd(), msg, wp, lp);
      RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return 0;
    case WM_NCDESTROY: {
      const LRESULT result = DefDlgProcW(hwnd, msg, wp, lp);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      Released();
      return result;
    }
  }
  return DefDlgProcW(hwnd, msg, wp, lp);
}

}  // namespace velmora::platform
