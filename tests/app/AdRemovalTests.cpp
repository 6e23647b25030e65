// The removal pass against the registry of the private Wine prefix, in a scratch key, and
// against a store that fails on demand.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <set>
#include <vector>

#include "app/Form1.h"
#include "app/ModReg.h"
#include "platform/Text.h"
#include "tests/support/TestSupport.h"

namespace velmora {
namespace {

// The advert values each box drives, with the file its path names.
const std::map<int, std::vector<std::pair<std::wstring, std::wstring>>> kAdvertsOfBox = {
    {1, {{L"banner url", L"blank.html"}, {L"Chat Adurl", L"blank.html"}}},
    {2, {{L"Change Room Banner", L"ChangeR.gif"}}},
    {3, {{L"Webcam Upload Ad", L"blank.html"}, {L"Webcam Viewer Ad", L"blank.html"}}},
    {4, {{L"Webcam Viewer Ad Big", L"blank.html"}}},
    {5, {{L"Webcam Viewer Ad Medium", L"blank.html"}}},
    {6, {{L"Auction Alert Ad URL", L"blank.html"}}},
    {7, {{L"Calendar Alert Ad URL", L"blank.html"}}},
    {8, {{L"News Alert Ad URL", L"blank.html"}}},
    {9, {{L"Personals Alert Ad URL", L"blank.html"}}},
    {10, {{L"Stock Alert Ad URL", L"blank.html"}}},
    {11, {{L"N2Phone Adurl", L"blank.html"}}},
    {12, {{L"Messenger Ad", L"blank.html"}}},
    {13, {{L"Conf Adurl", L"blank.html"}}},
    {14, {{L"Address Book", L"blank.html"}}},        // "Remove Address Book Ad"
    {15, {{L"Chat Transition Ad", L"blank.html"}}},  // "Remove Chat Transition Ad"
    {16, {{L"Mail Alert Ad URL", L"blank.html"}}},
    {17, {}},
};

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

class AdRemoval : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(scratch.Create(kAdKeyPath)); }

  void FillEveryAdvert() {
    for (const auto& [box, adverts] : kAdvertsOfBox)
      for (const auto& [name, file] : adverts) scratch.WriteString(kAdKeyPath, name, L"http://ads");
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
      for (const auto& [name, file] : kAdvertsOfBox.at(b)) values[name] = kFolder + L"\\" + file;
    return values;
  }
  std::map<std::wstring, std::wstring> Values() const { return scratch.Values(kAdKeyPath); }

  static inline const std::wstring kFolder = L"C:\\Program Files\\Velmora";
  test::ScratchKey scratch;
  RegistryAdKeyStore store{scratch.get()};
};

TEST_F(AdRemoval, EachBoxAloneWritesItsOwnAdvertsAndDeletesAllOthers) {
  for (int box = 1; box <= kAdBoxCount; ++box) {
    FillEveryAdvert();
    const RemovalOutcome outcome = Pass({box});
    EXPECT_EQ(outcome.status, RemovalOutcome::Status::Done) << "Check" << box;
    EXPECT_TRUE(outcome.failed.empty()) << "Check" << box;
    EXPECT_EQ(Values(), Expected({box})) << "Check" << box;
    EXPECT_EQ(StatusText(outcome), kDoneText);
  }
}

TEST_F(AdRemoval, AllBoxesWriteEighteenValuesAndDeleteNone) {
  const RemovalOutcome outcome = Pass({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17});
  EXPECT_EQ(outcome.status, RemovalOutcome::Status::Done);
  const auto values = Values();
  EXPECT_EQ(values.size(), 18u);
  EXPECT_EQ(values.at(L"Change Room Banner"), kFolder + L"\\ChangeR.gif");
  EXPECT_EQ(std::count_if(values.begin(), values.end(),
                          [](const auto& v) { return v.second == kFolder + L"\\blank.html"; }),
            17);
}

TEST_F(AdRemoval, NothingSelectedLeavesTheRegistryAlone) {
  FillEveryAdvert();
  const auto before = Values();
  FailingStore watched(store);
  const RemovalOutcome outcome = Pass({}, &watched);
  EXPECT_EQ(outcome.status, RemovalOutcome::Status::NothingSelected);
  EXPECT_TRUE(watched.calls.empty());
  EXPECT_EQ(Values(), before);
  EXPECT_EQ(StatusText(outcome), L" Please Select The any of the adds to kill, from the above..");
}

TEST_F(AdRemoval, OnlyTheWebCamBoxCountsAsASelectionAndDeletesEverything) {
  FillEveryAdvert();
  FailingStore watched(store);
  const RemovalOutcome outcome = Pass({17}, &watched);
  EXPECT_EQ(outcome.status, RemovalOutcome::Status::Done);
  EXPECT_TRUE(Values().empty());
  // One open, eighteen deletes in table order, one close.
  ASSERT_EQ(watched.calls.size(), 20u);
  EXPECT_EQ(watched.calls.front(), L"open");
  EXPECT_EQ(watched.calls[1], L"delete banner url");
  EXPECT_EQ(watched.calls[12], L"delete Stock ALert Ad URL");
  EXPECT_EQ(watched.calls[18], L"delete Mail Alert Ad URL");
  EXPECT_EQ(watched.calls.back(), L"close");
}

TEST_F(AdRemoval, CrossedBoxesNowChangeTheAdvertTheirCaptionNames) {
  FillEveryAdvert();
  Pass({14});
  EXPECT_EQ(Values(), Expected({14}));
  EXPECT_EQ(Values().count(L"Address Book"), 1u);
  FillEveryAdvert();
  Pass({15});
  EXPECT_EQ(Values().count(L"Chat Transition Ad"), 1u);
  EXPECT_EQ(Values().count(L"Address Book"), 0u);
}

TEST_F(AdRemoval, TheStockAdvertWrittenOnceIsDeletedThoughItsNameDiffersInCase) {
  Pass({10});
  EXPECT_EQ(Values(), Expected({10}));
  Pass({1});
  EXPECT_EQ(Values(), Expected({1}));
}

TEST_F(AdRemoval, TwoIdenticalPassesLeaveWhatOnePassLeaves) {
  FillEveryAdvert();
  Pass({1, 5, 14, 17});
  const auto once = Values();
  EXPECT_EQ(once, Expected({1, 5, 14}));
  Pass({1, 5, 14, 17});
  EXPECT_EQ(Values(), once);
}

TEST_F(AdRemoval, AMissingKeyIsReportedAndNeverCreated) {
  test::ScratchKey empty;
  RegistryAdKeyStore noKey(empty.get());
  std::array<bool, kAdBoxCount> ticked{};
  ticked[0] = true;
  const RemovalOutcome outcome = RunRemovalPass(ticked, kFolder, noKey);
  EXPECT_EQ(outcome.status, RemovalOutcome::Status::KeyMissing);
  EXPECT_FALSE(empty.Exists(kAdKeyPath));
  EXPECT_FALSE(empty.Exists(L"Software"));
  const std::wstring text = StatusText(outcome);
  EXPECT_NE(text, kRemovingText);
  EXPECT_NE(text.find(L"No Messenger settings"), std::wstring::npos) << text;
  EXPECT_NE(text.find(L"nothing changed"), std::wstring::npos) << text;
}

TEST_F(AdRemoval, AKeyThatCannotBeOpenedForWritingChangesNothingAndSaysWhy) {
  FillEveryAdvert();
  const auto before = Values();
  FailingStore denied(store);
  denied.openError = ERROR_ACCESS_DENIED;
  RemovalOutcome outcome = Pass({1}, &denied);
  EXPECT_EQ(outcome.status, RemovalOutcome::Status::AccessDenied);
  EXPECT_EQ(denied.calls, std::vector<std::wstring>{L"open"});
  EXPECT_EQ(Values(), before);
  EXPECT_NE(StatusText(outcome).find(L"Access denied"), std::wstring::npos);
  EXPECT_NE(StatusText(outcome).find(L"nothing changed"), std::wstring::npos);

  denied.openError = ERROR_INVALID_HANDLE;
  outcome = Pass({1}, &denied);
  EXPECT_EQ(outcome.status, RemovalOutcome::Status::OpenFailed);
  EXPECT_NE(StatusText(outcome).find(L"Error 6 "), std::wstring::npos) << StatusText(outcome);
}

TEST_F(AdRemoval, FailedWritesAndDeletesAreNamedAndTheOthersStillHappen) {
  FillEveryAdvert();
  FailingStore flaky(store);
  flaky.failing = {L"Messenger Ad", L"Conf Adurl"};
  const RemovalOutcome outcome = Pass({1, 12}, &flaky);
  EXPECT_EQ(outcome.status, RemovalOutcome::Status::Done);
  EXPECT_EQ(outcome.failed, (std::vector<std::wstring>{L"Messenger Ad", L"Conf Adurl"}));
  EXPECT_EQ(StatusText(outcome), L"Done, but 2 settings could not be changed: Messenger Ad, Conf Adurl.");
  // Every other value was handled: the failed delete left its old value, the failed write
  // left the old address in place.
  auto expected = Expected({1});
  expected[L"Messenger Ad"] = L"http://ads";
  expected[L"Conf Adurl"] = L"http://ads";
  EXPECT_EQ(Values(), expected);
  EXPECT_EQ(flaky.calls.back(), L"close");

  flaky.failing = {L"banner url"};
  EXPECT_EQ(StatusText(Pass({1}, &flaky)), L"Done, but 1 setting could not be changed: banner url.");
}

TEST_F(AdRemoval, EachOfTheEighteenOperationsFailingAloneIsNamedAndTheOthersHappen) {
  for (const bool writing : {true, false}) {
    for (const AdSetting& failing : kAdSettings) {
      FillEveryAdvert();
      FailingStore flaky(store);
      flaky.failing = {writing ? failing.name : failing.deleteAs};
      const RemovalOutcome outcome =
          writing ? Pass({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}, &flaky)
                  : Pass({17}, &flaky);
      EXPECT_EQ(outcome.failed, std::vector<std::wstring>{failing.name});
      EXPECT_EQ(StatusText(outcome),
                std::wstring(L"Done, but 1 setting could not be changed: ") + failing.name + L".");
      const auto values = Values();
      // Every other value was written (or deleted); the failing one kept its old address.
      EXPECT_EQ(values.size(), writing ? 18u : 1u) << platform::Narrow(failing.name);
      EXPECT_EQ(values.at(failing.name), L"http://ads") << platform::Narrow(failing.name);
      for (const auto& [name, data] : values) {
        if (name != failing.name) {
          EXPECT_NE(data, L"http://ads") << platform::Narrow(name);
        }
      }
    }
  }
}

TEST_F(AdRemoval, DeletingAdvertsThatAreAlreadyGoneIsNoFailure) {
  const RemovalOutcome outcome = Pass({2});
  EXPECT_TRUE(outcome.failed.empty());
  EXPECT_EQ(StatusText(outcome), kDoneText);
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

}  // namespace
}  // namespace velmora
