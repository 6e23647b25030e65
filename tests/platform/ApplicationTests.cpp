// The application object and the number rules.
#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "platform/Application.h"
#include "platform/Numeric.h"

namespace velmora::platform {
namespace {

TEST(Application, FolderOfPathKeepsASeparatorOnlyAtADriveRoot) {
  // Folders beyond the old 260-character limit and outside any ANSI code page stay whole.
  const std::wstring deep = L"C:\\Programme\\Ünïcødé 日本語 ✓\\" + std::wstring(300, L'x');
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"C:\\Program Files\\Velmora\\Corvane.exe", L"C:\\Program Files\\Velmora"},
      {L"C:\\Corvane.exe", L"C:\\"},
      {L"D:/Corvane.exe", L"D:/"},
      {L"\\\\server\\share\\Corvane.exe", L"\\\\server\\share"},
      {L"Corvane.exe", L""},
      {deep + L"\\Corvane.exe", deep}};
  for (const auto& [path, folder] : cases) EXPECT_EQ(FolderOfPath(path), folder);
}

// This executable's version is 3.14.9.15: the revision is the fourth field, not the build.
TEST(Application, PathTitleAndVersionAreThoseOfTheRunningExecutable) {
  wchar_t self[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
  EXPECT_EQ(ModuleFileName(nullptr), self);
  EXPECT_EQ(App().Path() + L"\\platform_tests.exe", std::wstring(self));
  EXPECT_EQ(App().Title(), L"Platform Tests");
  EXPECT_EQ((std::array<int, 4>{App().Major(), App().Minor(), App().Revision(), ReadVersionResource(nullptr).build}),
            (std::array<int, 4>{3, 14, 15, 9}));
}

// Halves go to the even neighbour, but forms round a half pixel up (also -0.5).
TEST(Numbers, RoundHalfToEvenAndTwipConversion) {
  EXPECT_EQ((std::array<int, 4>{nint(2.5), nint(3.5), nint(-2.5), nint(2.4999)}), (std::array<int, 4>{2, 4, -2, 2}));
  EXPECT_EQ((std::array<int, 5>{TwipsToPixels(7410, 96), TwipsToPixels(4905, 144), TwipsToPixels(-15, 48),
                                TwipsToPixels(7410, 144), TwipsToPixels(7410, 192)}),
            (std::array<int, 5>{494, 491, 0, 741, 988}));
  EXPECT_DOUBLE_EQ(TwipsPerPixel(192), 7.5);
}

}  // namespace
}  // namespace velmora::platform
