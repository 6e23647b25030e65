// Runs gallery.exe as a developer would: the sheet of a form design and its index, and the
// messages for arguments it cannot use.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>

#include "platform/Application.h"
#include "platform/Text.h"
#include "tests/support/BuildPath.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// A path of the source tree as the Windows side sees it.
fs::path SourcePath(const std::string& relative) {
  return fs::path(test::BuildPath(VELMORA_SOURCE_DIR)) / fs::path(relative);
}

struct Outcome {
  DWORD exitCode = STILL_ACTIVE;
  std::string output;  // standard output and error together
};

// Runs gallery.exe with the arguments and waits for it to end.
Outcome RunGallery(const std::wstring& arguments) {
  const std::wstring exe = test::BuildPath(VELMORA_GALLERY_EXE);
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  Outcome o;
  if (!CreatePipe(&read, &write, &sa, 0)) return o;
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = si.hStdError = write;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                      CREATE_NO_WINDOW, nullptr, nullptr, &si, &process);
  CloseHandle(write);
  if (!started) {
    CloseHandle(read);
    o.output = "cannot start " + platform::Narrow(exe);
    return o;
  }
  char buffer[4096];
  DWORD n = 0;
  while (ReadFile(read, buffer, sizeof buffer, &n, nullptr) && n > 0) o.output.append(buffer, n);
  WaitForSingleObject(process.hProcess, INFINITE);
  GetExitCodeProcess(process.hProcess, &o.exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(read);
  return o;
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

class Gallery : public testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("velmora-gallery-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(dir);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  static std::wstring Quoted(const fs::path& p) { return L"\"" + p.wstring() + L"\""; }

  fs::path dir;
};

TEST_F(Gallery, ADesignsButtonsAreRenderedInEveryStateAndIndexed) {
  const fs::path sheet = dir / "form1.png", index = dir / "form1.json";
  const Outcome o = RunGallery(L"--design " + Quoted(SourcePath("app/resources/Form1.json")) +
                               L" --out " + Quoted(sheet));
  ASSERT_EQ(o.exitCode, 0u) << o.output;
  ASSERT_TRUE(fs::exists(sheet));
  ASSERT_TRUE(fs::exists(index));

  std::ifstream in(index);
  const nlohmann::json doc = nlohmann::json::parse(in);
  EXPECT_EQ(doc.at("sheet"), "form1.png");
  const LONG width = doc.at("width"), height = doc.at("height");
  const std::set<std::string> states = {"normal",  "hover",   "pressed",
                                        "default", "checked", "disabled"};
  std::map<std::string, std::map<std::string, RECT>> cells;
  for (const auto& cell : doc.at("cells")) {
    const auto& r = cell.at("rect");
    const RECT rect{r.at("left").get<LONG>(), r.at("top").get<LONG>(), r.at("right").get<LONG>(),
                    r.at("bottom").get<LONG>()};
    EXPECT_TRUE(states.count(cell.at("state").get<std::string>())) << cell.dump();
    EXPECT_GE(rect.left, 0);
    EXPECT_LE(rect.right, width);
    EXPECT_LE(rect.bottom, height);
    cells[cell.at("control").get<std::string>()][cell.at("state").get<std::string>()] = rect;
  }
  ASSERT_EQ(cells.size(), 4u);
  for (const char* name : {"Ornabutton1", "Ornabutton2", "Ornabutton3", "Ornabutton4"})
    EXPECT_EQ(cells[name].size(), states.size()) << name;
  // Each cell holds a button of the design's size: 1455 x 375 twips is 97 x 25 pixels.
  const RECT r = cells["Ornabutton1"]["normal"];
  EXPECT_EQ(r.right - r.left, 97);
  EXPECT_EQ(r.bottom - r.top, 25);
}

TEST_F(Gallery, BadArgumentsAreRefusedWithAReason) {
  struct Case {
    std::wstring arguments;
    std::string says;
  };
  const std::wstring out = L" --out " + Quoted(dir / "x.png");
  for (const Case& c : {Case{L"--colour red" + out, "unknown argument \"--colour\""},
                        Case{L"--design", "--design needs a design file"},
                        Case{L"--design a.json", "--out sheet.png is required"},
                        Case{L"--out sheet.bmp", "--out must name a .png file"},
                        Case{out + out, "--out is given twice"}}) {
    const Outcome o = RunGallery(c.arguments);
    EXPECT_EQ(o.exitCode, 2u) << platform::Narrow(c.arguments);
    EXPECT_NE(Lower(o.output).find(Lower(c.says)), std::string::npos) << o.output;
    EXPECT_NE(o.output.find("usage: gallery"), std::string::npos);
  }
  EXPECT_FALSE(fs::exists(dir / "x.png"));
  const Outcome help = RunGallery(L"--help");
  EXPECT_EQ(help.exitCode, 0u);
  EXPECT_NE(help.output.find("--design FILE.json --out SHEET.png"), std::string::npos);
}

}  // namespace
}  // namespace velmora
