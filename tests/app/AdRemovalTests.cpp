// The removal pass against the registry of the private Wine prefix, in a scratch key, and
// against a store that fails on demand; and how the main window tells its outcome.
#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <set>
#include <vector>

#include "app/Form1.h"
#include "app/ModReg.h"
#include "platform/Controls.h"
#include "platform/Text.h"
#include "tests/support/TestSupport.h"

namespace velmora {
namespace {

using Status = RemovalOutcome::Status;

// The advert values each box drives: box 2's names ChangeR.gif, every other one blank.html.
// Check17 drives none.
const std::multimap<int, std::wstring> kAdvertsOfBox = {
    {1, L"banner url"}, {1, L"Chat Adurl"}, {2, L"Change Room Banner"}, {3, L"Webcam Upload Ad"},
    {3, L"Webcam Viewer Ad"}, {4, L"Webcam Viewer Ad Big"}, {5, L"Webcam Viewer Ad Medium"},
    {6, L"Auction Alert Ad URL"}, {7, L"Calendar Alert Ad URL"}, {8, L"News Alert Ad URL"},
    {9, L"Personals Alert Ad URL"}, {10, L"Stock Alert Ad URL"}, {11, L"N2Phone Adurl"},
    {12, L"Messenger Ad"}, {13, L"Conf Adurl"},
    {14, L"Address Book"},        // "Remove Address Book Ad"
    {15, L"Chat Transition Ad"},  // "Remove Chat Transition Ad"
    {16, L"Mail Alert Ad URL"}};

// Passes calls on to the registry, except those it is told to fail; remembers every call.
class FailingStore final : public AdKeyStore {
 public:
  explicit FailingStore(AdKeyStore& inner) : inner_(inner) {}
  LONG Open() override {
    calls.push_back(L"open");
    return openError != ERROR_SUCCESS ? openError : inner_.Open();
  }
  LONG SetString(const std::wstring& name, const std::wstring& data) override {
    calls.push_back(L"set " + name);
    return failing.count(name) ? ERROR_ACCESS_DENIED : inner_.SetString(name, data);
  }
  LONG DeleteValue(const std::wstring& name) override {
    calls.push_back(L"delete " + name);
    return failing.count(name) ? ERROR_ACCESS_DENIED : inner_.DeleteValue(name);
  }
  void Close() override {
    calls.push_back(L"close");
    inner_.Close();
  }

  LONG openError = ERROR_SUCCESS;
  std::set<std::wstring> failing;
  std::vector<std::wstring> calls;

 private:
  AdKeyStore& inner_;
};

const std::initializer_list<int> kEveryBox = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};

class AdRemoval : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(scratch.Create(kAdKeyPath)); }

  void FillEveryAdvert() {
    for (const auto& [box, name] : kAdvertsOfBox) scratch.WriteString(kAdKeyPath, name, L"http://ads");
  }
  RemovalOutcome Pass(std::initializer_list<int> boxes, AdKeyStore* through = nullptr,
                      const std::wstring& folder = kFolder) {
    std::array<bool, kAdBoxCount> ticked{};
    for (int b : boxes) ticked[static_cast<size_t>(b - 1)] = true;
    return RunRemovalPass(ticked, folder, through ? *through : store);
  }
  std::map<std::wstring, std::wstring> Expected(std::initializer_list<int> boxes) const {
    std::map<std::wstring, std::wstring> values;
    for (int b : boxes)
      for (auto [it, end] = kAdvertsOfBox.equal_range(b); it != end; ++it)
        values[it->second] = kFolder + (b == 2 ? L"\\ChangeR.gif" : L"\\blank.html");
    return values;
  }
  std::map<std::wstring, std::wstring> Values() const { return scratch.Values(kAdKeyPath); }

  static inline const std::wstring kFolder = L"C:\\Program Files\\Velmora";
  test::ScratchKey scratch;
  RegistryAdKeyStore store{scratch.get()};
};

// Box 17 alone counts as a selection and deletes every value; box 10's value is deleted under
// a spelling that differs in case, which the registry takes for the same name.
TEST_F(AdRemoval, EachBoxAloneWritesItsOwnAdvertsAndDeletesAllOthers) {
  for (int box = 1; box <= kAdBoxCount; ++box) {
    FillEveryAdvert();
    const RemovalOutcome outcome = Pass({box});
    EXPECT_EQ(outcome.status, Status::Done) << "Check" << box;
    EXPECT_EQ(Values(), Expected({box})) << "Check" << box;
    EXPECT_EQ(StatusText(outcome), kDoneText) << "Check" << box;
  }
}

TEST_F(AdRemoval, NothingSelectedLeavesTheRegistryAlone) {
  FillEveryAdvert();
  const auto before = Values();
  FailingStore watched(store);
  const RemovalOutcome outcome = Pass({}, &watched);
  EXPECT_EQ(outcome.status, Status::NothingSelected);
  EXPECT_TRUE(watched.calls.empty());
  EXPECT_EQ(Values(), before);
  EXPECT_EQ(StatusText(outcome), L" Please Select The any of the adds to kill, from the above..");
}

TEST_F(AdRemoval, APassOpensTheKeyOnceTriesEachValueOnceAndClosesIt) {
  FailingStore watched(store);
  Pass({17}, &watched);
  ASSERT_EQ(watched.calls.size(), 20u);
  EXPECT_EQ(watched.calls.front(), L"open");
  EXPECT_EQ(watched.calls.back(), L"close");
}

TEST_F(AdRemoval, AMissingKeyIsReportedAndNeverCreated) {
  test::ScratchKey empty;
  RegistryAdKeyStore noKey(empty.get());
  EXPECT_EQ(Pass({1}, &noKey).status, Status::KeyMissing);
  EXPECT_FALSE(empty.Exists(L"Software"));
}

TEST_F(AdRemoval, AKeyThatCannotBeOpenedChangesNothingAndSaysWhy) {
  const struct {
    LONG error;
    Status status;
    const wchar_t* says;
  } cases[] = {
      {ERROR_FILE_NOT_FOUND, Status::KeyMissing, L"No Messenger settings for this user: nothing changed."},
      {ERROR_PATH_NOT_FOUND, Status::KeyMissing, L"No Messenger settings for this user: nothing changed."},
      {ERROR_ACCESS_DENIED, Status::AccessDenied, L"Access denied to Messenger settings: nothing changed."},
      {ERROR_INVALID_HANDLE, Status::OpenFailed, L"Error 6 opening Messenger settings: nothing changed."}};
  FillEveryAdvert();
  const auto before = Values();
  for (const auto& c : cases) {
    FailingStore denied(store);
    denied.openError = c.error;
    const RemovalOutcome outcome = Pass({1}, &denied);
    EXPECT_EQ(outcome.status, c.status) << c.error;
    EXPECT_EQ(denied.calls, std::vector<std::wstring>{L"open"}) << c.error;
    EXPECT_EQ(Values(), before) << c.error;
    EXPECT_EQ(StatusText(outcome), c.says);
  }
}

TEST_F(AdRemoval, FailedWritesAndDeletesAreNamedAndTheOthersStillHappen) {
  FillEveryAdvert();
  FailingStore flaky(store);
  flaky.failing = {L"Messenger Ad", L"Conf Adurl"};
  const RemovalOutcome outcome = Pass({1, 12}, &flaky);
  EXPECT_EQ(outcome.status, Status::Done);
  EXPECT_EQ(StatusText(outcome), L"Done, but 2 settings could not be changed: Messenger Ad, Conf Adurl.");
  // The failed write left the old address in place, the failed delete its old value.
  auto expected = Expected({1});
  expected[L"Messenger Ad"] = expected[L"Conf Adurl"] = L"http://ads";
  EXPECT_EQ(Values(), expected);
  EXPECT_EQ(flaky.calls.back(), L"close");
}

TEST_F(AdRemoval, EachOfTheEighteenOperationsFailingAloneIsNamedAndTheOthersHappen) {
  for (const bool writing : {true, false}) {
    for (const AdSetting& failing : kAdSettings) {
      FillEveryAdvert();
      FailingStore flaky(store);
      flaky.failing = {writing ? failing.name : failing.deleteAs};
      const RemovalOutcome outcome = writing ? Pass(kEveryBox, &flaky) : Pass({17}, &flaky);
      EXPECT_EQ(StatusText(outcome),
                std::wstring(L"Done, but 1 setting could not be changed: ") + failing.name + L".");
      const auto values = Values();
      // Every other value was written (or deleted); the failing one kept its old address.
      EXPECT_EQ(values.size(), writing ? 18u : 1u) << platform::Narrow(failing.name);
      EXPECT_EQ(values.at(failing.name), L"http://ads") << platform::Narrow(failing.name);
      for (const auto& [name, data] : values)
        EXPECT_TRUE(name == failing.name || data != L"http://ads") << platform::Narrow(name);
    }
  }
}

TEST_F(AdRemoval, DeletingAdvertsThatAreAlreadyGoneIsNoFailure) {
  EXPECT_EQ(StatusText(Pass({2})), kDoneText);
}

TEST_F(AdRemoval, PathsAreStoredExactlyWhateverTheFolder) {
  const std::wstring unicode = L"C:\\Programme\\Velmora ÄÖÜ 日本語 ✓\\" + std::wstring(300, L'x');
  Pass({1}, nullptr, unicode);
  EXPECT_EQ(scratch.ReadString(kAdKeyPath, L"banner url"), unicode + L"\\blank.html");
  Pass({2}, nullptr, L"C:\\");
  EXPECT_EQ(scratch.ReadString(kAdKeyPath, L"Change Room Banner"), L"C:\\ChangeR.gif");
  EXPECT_EQ(ProgramFilePath(L"D:/", L"blank.html"), L"D:/blank.html");
  EXPECT_EQ(ProgramFilePath(L"\\\\server\\share", L"blank.html"), L"\\\\server\\share\\blank.html");
}

// The part of a window's client area that its parents' client areas leave visible, in its own
// client coordinates.
RECT VisiblePart(HWND hwnd) {
  RECT visible;
  GetClientRect(hwnd, &visible);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&visible), 2);
  for (HWND child = hwnd; GetWindowLongW(child, GWL_STYLE) & WS_CHILD;) {
    const HWND parent = child = GetParent(child);
    RECT client;
    GetClientRect(parent, &client);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
    IntersectRect(&visible, &visible, &client);
  }
  MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&visible), 2);
  return visible;
}

// Each outcome's text either fits the visible part of the status label whole (at any DPI), or
// the label gives a brief text and one information message names every setting.
TEST_F(AdRemoval, TheMainWindowShowsEveryOutcomeWholeOrInAMessageAtAnyDpi) {
  const struct {
    bool tick;
    LONG openError;
    const wchar_t* failing;  // "*": every value
    const wchar_t* shows;    // a part of what the label must show
    int messages;            // information messages: 0 or 1, or -1 for either
    const wchar_t* told;     // in the label, or in the message when there is one
  } cases[] = {
      {false, ERROR_SUCCESS, L"", L"Please Select", 0, L""},
      {true, ERROR_SUCCESS, L"", L"Killed", 0, L""},
      {true, ERROR_FILE_NOT_FOUND, L"", L"No Messenger settings", 0, L""},
      {true, ERROR_ACCESS_DENIED, L"", L"Access denied", 0, L""},
      {true, ERROR_INVALID_HANDLE, L"", L"Error 6 ", 0, L""},
      {true, 2147483647, L"", L"nothing changed", -1, L"2147483647"},
      {true, ERROR_SUCCESS, L"Conf Adurl", L"1 setting could not be changed: Conf Adurl.", 0, L""},
      {true, ERROR_SUCCESS, L"*", L"Done, but 18 settings could not be changed.", 1, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(platform::Narrow(c.shows));
    FailingStore flaky(store);
    flaky.openError = c.openError;
    const bool all = c.failing == std::wstring(L"*");
    flaky.failing = {c.failing};
    for (const AdSetting& s : kAdSettings)
      if (all) flaky.failing.insert(s.name), flaky.failing.insert(s.deleteAs);
    test::RecordingMessageBoxes boxes;
    Form1 form(flaky, L"C:\\Velmora");
    form.Show();
    form.Get<platform::CheckBox>("Check1").SetValue(c.tick);
    form.RemoveSelectedAds();

    const HWND label = form.Find("labelR")->hwnd();
    const std::wstring text = test::WindowText(label);
    RECT needed{0, 0, 0, 0};
    GetClientRect(label, &needed);
    needed.bottom = 0;
    const HDC dc = GetDC(label);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    const RECT visible = VisiblePart(label);
    EXPECT_NE(text.find(c.shows), std::wstring::npos) << platform::Narrow(text);
    EXPECT_TRUE(needed.right <= visible.right && needed.bottom <= visible.bottom &&
                visible.bottom - visible.top >= needed.bottom - needed.top)
        << platform::Narrow(text) << " does not show whole";
    ASSERT_LE(boxes.shown.size(), 1u);
    EXPECT_TRUE(c.messages < 0 || boxes.shown.size() == static_cast<size_t>(c.messages));
    const std::wstring message = boxes.shown.empty() ? L"" : boxes.shown[0].text;
    EXPECT_TRUE(boxes.shown.empty() || (boxes.shown[0].flags & MB_ICONMASK) == MB_ICONINFORMATION);
    EXPECT_NE((message.empty() ? text : message).find(c.told), std::wstring::npos);
    for (const AdSetting& s : kAdSettings)
      EXPECT_TRUE(!all || message.find(std::wstring(L"\n") + s.name) != std::wstring::npos)
          << platform::Narrow(s.name);
  }
}

}  // namespace
}  // namespace velmora
