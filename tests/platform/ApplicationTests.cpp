// The application object and the number rules.
#include <gtest/gtest.h>

#include "platform/Application.h"
#include "platform/Numeric.h"

namespace velmora::platform {
namespace {

TEST(Application, FolderOfPathKeepsASeparatorOnlyAtADriveRoot) {
  EXPECT_EQ(FolderOfPath(L"C:\\Program Files\\Velmora\\Corvane.exe"), L"C:\\Program Files\\Velmora");
  EXPECT_EQ(FolderOfPath(L"C:\\Corvane.exe"), L"C:\\");
  EXPECT_EQ(FolderOfPath(L"D:/Corvane.exe"), L"D:/");
  EXPECT_EQ(FolderOfPath(L"\\\\server\\share\\Corvane.exe"), L"\\\\server\\share");
  EXPECT_EQ(FolderOfPath(L"Corvane.exe"), L"");
  // Folders beyond the old 260-character limit and outside any ANSI code page stay whole.
  const std::wstring deep = L"C:\\Programme\\Ünïcødé 日本語 ✓\\" + std::wstring(300, L'x');
  EXPECT_EQ(FolderOfPath(deep + L"\\Corvane.exe"), deep);
}

TEST(Application, PathIsTheFolderOfTheRunningExecutable) {
  wchar_t self[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
  EXPECT_EQ(ModuleFileName(nullptr), self);
  const std::wstring& path = App().Path();
  EXPECT_EQ(path + L"\\platform_tests.exe", std::wstring(self));
  EXPECT_NE(path.back(), L'\\');
}

TEST(Application, TitleAndVersionComeFromTheVersionResource) {
  // This executable's version is 3.14.9.15: the revision is the fourth field, not the build.
  EXPECT_EQ(App().Title(), L"Platform Tests");
  EXPECT_EQ(App().Major(), 3);
  EXPECT_EQ(App().Minor(), 14);
  EXPECT_EQ(App().Revision(), 15);
  EXPECT_EQ(ReadVersionResource(nullptr).build, 9);
}

TEST(Numbers, RoundHalfToEvenAndTwipConversion) {
  EXPECT_EQ(nint(2.5), 2);
  EXPECT_EQ(nint(3.5), 4);
  EXPECT_EQ(nint(-2.5), -2);
  EXPECT_EQ(nint(2.4999), 2);
  EXPECT_EQ(TruncDiv(-7, 2), -3);
  EXPECT_EQ(TwipsToPixels(7410, 96), 494);
  EXPECT_EQ(TwipsToPixels(4905, 144), 491);  // forms round the half pixel up
  EXPECT_EQ(TwipsToPixels(-15, 48), 0);  // -0.5 goes up too
  EXPECT_EQ(TwipsToPixels(7410, 144), 741);
  EXPECT_EQ(TwipsToPixels(7410, 192), 988);
  EXPECT_DOUBLE_EQ(TwipsPerPixel(192), 7.5);
}

}  // namespace
}  // namespace velmora::platform
