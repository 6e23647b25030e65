// Entry of every test executable: the common controls and OLE the runtime uses, then GoogleTest.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  OleInitialize(nullptr);
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  OleUninitialize();
  return result;
}
