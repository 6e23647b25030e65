// Starts Corvane.exe as a user would and drives it from outside, through its windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <thread>

#include "app/ModReg.h"
#include "platform/Application.h"
#include "platform/Numeric.h"
#include "platform/Text.h"
#include "tests/support/BuildPath.h"
#include "tests/support/TestSupport.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;

// Polls without a message loop of our own: the windows belong to the other process.
bool WaitFor(const std::function<bool()>& cond, std::chrono::milliseconds timeout = 30s) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!cond()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(10ms);
  }
  return true;
}

bool UnderWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

class Program : public testing::Test {
 protected:
  void SetUp() override {
    Launch(test::BuildPath(VELMORA_CORVANE_EXE));
  }
  // Starts the program and waits for its main window.
  void Launch(const std::wstring& program) {
    exe = program;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring commandLine = L"\"" + exe + L"\"";
    ASSERT_TRUE(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &si, &process))
        << "cannot start " << platform::Narrow(exe);
    ASSERT_TRUE(WaitFor([&] { return (window = FindMainWindow()) != nullptr; }))
        << "no window appeared";
  }
  void TearDown() override {
    if (process.hProcess) {
      if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 9);
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
  }

  HWND FindMainWindow() {
    for (HWND h : test::TopLevelWindowsOf(process.dwProcessId))
      if (IsWindowVisible(h) && test::WindowText(h) == L"Velmora") return h;
    return nullptr;
  }
  // A descendant of the main window, by its text.
  HWND Child(const std::wstring& text) {
    for (HWND h : test::Descendants(window))
      if (test::WindowText(h) == text) return h;
    return nullptr;
  }
  std::vector<HWND> CheckBoxes() {
    std::vector<HWND> boxes;
    for (HWND h : test::Descendants(window)) {
      wchar_t cls[32];
      GetClassNameW(h, cls, 32);
      if (_wcsicmp(cls, L"Button") == 0 && (GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK) == BS_3STATE)
        boxes.push_back(h);
    }
    return boxes;
  }
  // Makes the messenger's key in the private prefix for the program to change; the reason when
  // that must not happen: on Windows it would change a real user's settings, and settings the
  // prefix already has are left alone.
  std::string MessengerKeyUnusable() {
    if (!UnderWine()) return "needs the private Wine prefix";
    HKEY yahoo = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Yahoo", 0, KEY_READ, &yahoo) == ERROR_SUCCESS) {
      RegCloseKey(yahoo);
      return "the prefix already has messenger settings; leaving them alone";
    }
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kAdKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
      return "cannot make the messenger's key in the prefix";
    RegCloseKey(key);
    return {};
  }
  HWND About() {
    for (HWND h : test::TopLevelWindowsOf(process.dwProcessId))
      if (IsWindowVisible(h) && test::WindowText(h) == L"About Velmora") return h;
    return nullptr;
  }
  bool AllBoxesTicked() {
    for (HWND box : CheckBoxes())
      if (SendMessageW(box, BM_GETCHECK, 0, 0) != BST_CHECKED) return false;
    return true;
  }
  // Closes the main window; the program must end by itself, with exit code 0.
  void CloseAndExpectTheEnd() {
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    EXPECT_EQ(ExitCode(), 0u);
  }
  DWORD ExitCode() {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
  }

  std::wstring exe;
  PROCESS_INFORMATION process{};
  HWND window = nullptr;
};

TEST(ProgramFile, CarriesItsVersionInformation) {
  const std::wstring exe = test::BuildPath(VELMORA_CORVANE_EXE);
  DWORD ignored = 0;
  std::vector<BYTE> info(GetFileVersionInfoSizeW(exe.c_str(), &ignored));
  ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  const auto query = [&](const std::wstring& name) {
    void* value = nullptr;
    UINT len = 0;
    return VerQueryValueW(info.data(), name.c_str(), &value, &len) ? value : nullptr;
  };
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query(L"\\"));
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ((std::array{fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS}),
            (std::array<DWORD, 3>{MAKELONG(0, 1), 0, MAKELONG(0, 1)}));
  std::wstring texts;
  for (const wchar_t* name : {L"ProductName", L"InternalName", L"OriginalFilename", L"FileVersion",
                              L"ProductVersion", L"FileDescription"})
    if (const void* text = query(L"\\StringFileInfo\\040904b0\\" + std::wstring(name)))
      texts += L"|" + std::wstring(static_cast<const wchar_t*>(text));
  EXPECT_EQ(platform::Narrow(texts), "|Velmora|Corvane|Corvane|1.0.0.0|1.0.0.0|Removes the "
                                     "advertisements of Yahoo! Messenger");
}

// The program as shipped (the unpacked zip) when the test run names it, else the one built.
std::wstring ShippedProgram() {
  wchar_t shipped[4096];
  return test::BuildPath(GetEnvironmentVariableW(L"VELMORA_SHIPPED_EXE", shipped, 4096)
                             ? platform::Narrow(shipped).c_str()
                             : VELMORA_CORVANE_EXE);
}

// Windows looks for any other DLL in the program's folder first; a program may import only these.
TEST(ShippedProgram, ImportsOnlyTheSystemsKnownDlls) {
  const std::set<std::string> known = {
      "advapi32.dll", "clbcatq.dll", "combase.dll", "comdlg32.dll", "coml2.dll",    "difxapi.dll",
      "gdi32.dll",    "gdiplus.dll", "imagehlp.dll", "imm32.dll",   "kernel32.dll", "msctf.dll",
      "msvcrt.dll",   "normaliz.dll", "nsi.dll",     "ole32.dll",   "oleaut32.dll", "psapi.dll",
      "rpcrt4.dll",   "sechost.dll", "setupapi.dll", "shcore.dll",  "shell32.dll",  "shlwapi.dll",
      "user32.dll",   "wldap32.dll", "ws2_32.dll"};
  const std::wstring program = ShippedProgram();
  std::ifstream in(program.c_str(), std::ios::binary);
  const std::vector<char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(file.size(), 4096u) << platform::Narrow(program);
  const char* data = file.data();
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(data + reinterpret_cast<const IMAGE_DOS_HEADER*>(data)->e_lfanew);
  ASSERT_EQ(nt->Signature, static_cast<DWORD>(IMAGE_NT_SIGNATURE));
  const IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(nt);
  // Where an address of the loaded image lies in the file.
  const auto at = [&](DWORD rva) -> const char* {
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
      const IMAGE_SECTION_HEADER& sh = sections[i];
      if (rva >= sh.VirtualAddress && rva < sh.VirtualAddress + sh.SizeOfRawData &&
          sh.PointerToRawData + (rva - sh.VirtualAddress) < file.size())
        return data + sh.PointerToRawData + (rva - sh.VirtualAddress);
    }
    return nullptr;
  };
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  const IMAGE_DATA_DIRECTORY& delayed = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT];
  std::vector<std::string> names;
  const auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(imports.VirtualAddress));
  for (; d && d->Name && at(d->Name); ++d) {
    std::string name = at(d->Name);
    for (char& c : name) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    names.push_back(name);
  }
  EXPECT_EQ(delayed.VirtualAddress, 0u) << "delay-loaded DLLs are searched like imports";
  EXPECT_GE(names.size(), 4u) << "the import table was not read";
  for (const std::string& name : names) EXPECT_TRUE(known.count(name)) << name << " is not a known DLL";
}

// The shipped program in a folder of its own, as in a downloads folder, with stand-ins for the
// system DLLs that are not among the system's known DLLs beside it. Wine is told to prefer such
// files to its own, as Windows does, so a stand-in that the program or a system DLL loads on
// its behalf leaves a mark.
class PlantedDlls : public Program {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    const fs::path program = ShippedProgram();
    folder = fs::temp_directory_path() / ("velmora-planted-" + std::to_string(GetCurrentProcessId()));
    ASSERT_TRUE(fs::create_directory(folder)) << folder;
    std::error_code failed;
    for (const wchar_t* file : {L"Corvane.exe", L"blank.html", L"ChangeR.gif"})
      ASSERT_TRUE(fs::copy_file(program.parent_path() / file, folder / file, failed)) << program;
    std::wistringstream names(platform::Widen(VELMORA_PLANTED_DLLS));
    for (std::wstring name; std::getline(names, name, L',');) {
      planted.push_back(name + L".dll");
      ASSERT_TRUE(fs::copy_file(test::BuildPath(VELMORA_PLANTED_DIR) + L"\\" + planted.back(),
                                folder / planted.back(), failed))
          << name;
    }
    // Wine prefers its own copies of system DLLs; for this program it is told to look in the
    // program's folder first, as Windows does for DLLs that are not known DLLs.
    if (UnderWine()) {
      ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kOverrides, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                &overrides, nullptr),
                ERROR_SUCCESS);
      for (const std::wstring& dll : planted)
        RegSetValueExW(overrides, dll.substr(0, dll.size() - 4).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(L"native,builtin"), sizeof L"native,builtin");
    }
    Launch(folder / L"Corvane.exe");
  }
  void TearDown() override {
    Program::TearDown();
    if (process.hProcess) WaitForSingleObject(process.hProcess, 10000);
    std::string loaded;
    for (const std::wstring& dll : Marks()) loaded += " " + platform::Narrow(dll);
    EXPECT_TRUE(loaded.empty()) << "loaded from the program's folder:" << loaded;
    if (overrides) RegCloseKey(overrides), RegDeleteTreeW(HKEY_CURRENT_USER, kOverrides);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  std::vector<std::wstring> Marks() const {
    std::vector<std::wstring> loaded;
    for (const std::wstring& dll : planted)
      if (std::filesystem::exists(folder / (dll + L".loaded"))) loaded.push_back(dll);
    return loaded;
  }

  static constexpr wchar_t kOverrides[] = L"Software\\Wine\\AppDefaults\\Corvane.exe\\DllOverrides";
  HKEY overrides = nullptr;
  std::filesystem::path folder;
  std::vector<std::wstring> planted;
};

TEST_F(PlantedDlls, NoneIsLoadedWhileTheProgramStartsShowsAboutAndRemoves) {
  ASSERT_TRUE(test::BringToFront(window));
  test::ClickCenter(Child(L"About"));
  HWND about = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (about = About()) != nullptr; }));
  PostMessageW(about, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return About() == nullptr; }));
  if (MessengerKeyUnusable().empty()) {
    ASSERT_TRUE(test::BringToFront(window));
    test::ClickCenter(Child(L"Select all"));
    test::ClickCenter(Child(L"Remove Selected Ads"));
    EXPECT_TRUE(WaitFor([&] { return Child(L"Done.. All Yahoo adds Killed :)") != nullptr; }));
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Yahoo");
  }
  CloseAndExpectTheEnd();
  // No stand-in left a mark (checked when the test ends); and they do leave one when loaded.
  const auto before = Marks();
  const HMODULE one = LoadLibraryW((folder / planted.back()).c_str());
  ASSERT_NE(one, nullptr);
  FreeLibrary(one);
  EXPECT_EQ(Marks().size(), before.size() + 1);
  std::filesystem::remove(folder / (planted.back() + L".loaded"));
}

// The colour on the screen at a point of a window (the screen, so it works across processes).
COLORREF ScreenPixel(HWND hwnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(hwnd, &p);
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c;
}

TEST_F(Program, AUserSessionWithRealInput) {
  // It opens centred at its design's size, with seventeen clear boxes.
  const int dpi = static_cast<int>(GetDpiForWindow(window));
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, TwipsToPixels(7410, dpi));
  EXPECT_EQ(client.bottom, TwipsToPixels(4905, dpi));
  EXPECT_TRUE(test::CentredOnWorkArea(window));
  const auto boxes = CheckBoxes();
  EXPECT_EQ(boxes.size(), 17u);
  for (HWND box : boxes) EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  if (const std::string why = MessengerKeyUnusable(); !why.empty()) GTEST_SKIP() << why;
  ASSERT_TRUE(test::BringToFront(window));

  // Under the pointer "Remove Selected Ads" shows its white hover face instead of the gradient.
  HWND remove = Child(L"Remove Selected Ads");
  RECT r;
  GetClientRect(remove, &r);
  test::MoveMouse({0, 0});  // the pointer may rest where an earlier window had a button
  COLORREF resting = 0;     // the grey gradient face, once the window has painted it
  ASSERT_TRUE(WaitFor([&] {
    resting = ScreenPixel(remove, 3, 3);
    return resting != 0 && resting != CLR_INVALID && resting != RGB(255, 255, 255);
  }));
  test::MoveMouse(test::CenterOnScreen(remove));
  EXPECT_TRUE(WaitFor([&] { return ScreenPixel(remove, 3, 3) == RGB(255, 255, 255); }))
      << "no hover look";
  EXPECT_EQ(ScreenPixel(remove, r.right - 4, 3), RGB(255, 255, 255));
  test::MoveMouse({0, 0});
  EXPECT_TRUE(WaitFor([&] { return ScreenPixel(remove, 3, 3) == resting; })) << "hover look stays";

  test::ClickCenter(Child(L"Select all"));
  EXPECT_TRUE(WaitFor([&] { return AllBoxesTicked(); }));
  test::ClickCenter(remove);
  EXPECT_TRUE(WaitFor([&] { return Child(L"Done.. All Yahoo adds Killed :)") != nullptr; }));
  // The pictures' paths are those beside the running program.
  wchar_t data[4096];
  DWORD bytes = sizeof data;
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, kAdKeyPath, L"Change Room Banner", RRF_RT_REG_SZ,
                         nullptr, data, &bytes),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(data), platform::FolderOfPath(exe) + L"\\ChangeR.gif");
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Yahoo");

  // The About dialog, twice, loaded afresh each time: closed with Enter, then with Esc. It is
  // owned by the main window, has no task-bar button, and while it is open the main window
  // takes no input: a click on "Select None" there clears nothing.
  HWND before = nullptr;
  for (const WORD closeKey : {WORD{VK_RETURN}, WORD{VK_ESCAPE}}) {
    POINT at = test::CenterOnScreen(Child(L"About"));
    at.x += closeKey == VK_ESCAPE ? 2 * GetSystemMetrics(SM_CXDOUBLECLK) : 0;
    test::Click(at);
    HWND about = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (about = About()) != nullptr; }));
    std::vector<std::wstring> texts;
    for (HWND c : test::Descendants(about)) texts.push_back(test::WindowText(c));
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"Velmora"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"Version 1.0.0"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        L"Remove all yahoo adds, and chat with out losing any bandwidth!"),
              texts.end());
    EXPECT_FALSE(IsWindowEnabled(window));
    EXPECT_TRUE(GetWindow(about, GW_OWNER) == window && about != before);
    EXPECT_EQ(GetWindowLongW(about, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    before = about;
    test::ClickCenter(Child(L"Select None"));
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == about; }));
    test::PressKey(closeKey);
    ASSERT_TRUE(WaitFor([&] { return About() == nullptr; })) << "the dialog stays open";
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(window) != FALSE; }));
    EXPECT_TRUE(AllBoxesTicked());
  }
  CloseAndExpectTheEnd();
}

}  // namespace
}  // namespace velmora
