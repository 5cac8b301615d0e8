// Accelerator tables: made from entries or from a resource, and translated
// by the framework's message pump for a main window and a dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "mfc/app.h"
#include "mfc/dialog.h"
#include "mfc/wnd.h"
#include "nbp/clock.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"
#include "win/resources.h"

namespace {

namespace drive = nbp::test;

class CommandWnd : public CWnd {
 public:
  std::vector<WPARAM> commands;
  std::vector<UINT> keys;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    commands.push_back(wParam);
    return CWnd::OnCommand(wParam, lParam);
  }
  void OnKeyDown(UINT nChar, UINT, UINT) { keys.push_back(nChar); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CommandWnd, CWnd)
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

class AcceleratorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    nbp::SetDesktop(nullptr);
    nbp::clock::Pin(1700000000);
    ASSERT_TRUE(main_.CreateEx(0, nullptr, "Main", WS_OVERLAPPED | WS_VISIBLE, 50, 50, 300, 200, nullptr, nullptr));
    app_.m_pMainWnd = &main_;
    main_.SetFocus();
  }
  void TearDown() override {
    main_.DestroyWindow();
    drive::Pump();
    nbp::clock::Unpin();
  }
  CWinApp app_{"Accelerator test"};
  CommandWnd main_;
};

}  // namespace

TEST_F(AcceleratorTest, MatchingKeysBecomeCommandsWithOneInTheHighWord) {
  ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'S', 100}, {FVIRTKEY, VK_F5, 101}, {0, '+', 102}};
  main_.m_hAccelTable = CreateAcceleratorTable(entries, 3);
  ASSERT_NE(main_.m_hAccelTable, nullptr);
  EXPECT_EQ(CopyAcceleratorTable(main_.m_hAccelTable, nullptr, 0), 3);
  drive::PressKey('S', drive::kCtrl);
  drive::PressKey(VK_F5);
  drive::Type("+");
  EXPECT_EQ(main_.commands, (std::vector<WPARAM>{MAKEWPARAM(100, 1), MAKEWPARAM(101, 1), MAKEWPARAM(102, 1)}));
  for (UINT vk : {UINT('S'), UINT(VK_F5)})
    EXPECT_EQ(std::find(main_.keys.begin(), main_.keys.end(), vk), main_.keys.end()) << "taken by the table: " << vk;
  main_.commands.clear();
  main_.keys.clear();
  drive::PressKey('S');
  drive::PressKey(VK_F5, drive::kShift);
  EXPECT_TRUE(main_.commands.empty()) << "the modifiers must match exactly";
  EXPECT_NE(std::find(main_.keys.begin(), main_.keys.end(), UINT('S')), main_.keys.end());
}

TEST_F(AcceleratorTest, TablesLoadFromResourcesAndStaleHandlesFail) {
  HINSTANCE module = AfxGetInstanceHandle();
  // F2 -> 7; Ctrl+N -> 8 (the last entry has 0x80 in its flags).
  std::vector<uint8_t> bytes = {FVIRTKEY, 0, VK_F2, 0, 7, 0, 0, 0, FVIRTKEY | FCONTROL | 0x80, 0, 'N', 0, 8, 0, 0, 0};
  nbp::res::AddData(module, RT_ACCELERATOR, MAKEINTRESOURCE(77), bytes);
  ASSERT_TRUE(main_.LoadAccelTable(MAKEINTRESOURCE(77)));
  ACCEL copy[2] = {};
  ASSERT_EQ(CopyAcceleratorTable(main_.m_hAccelTable, copy, 2), 2);
  EXPECT_EQ(copy[1].cmd, 8);
  EXPECT_EQ(copy[1].fVirt, FVIRTKEY | FCONTROL);
  drive::PressKey('N', drive::kCtrl);
  EXPECT_EQ(main_.commands, (std::vector<WPARAM>{MAKEWPARAM(8, 1)}));

  std::vector<uint8_t> unterminated(bytes.begin(), bytes.begin() + 8);
  nbp::res::AddData(module, RT_ACCELERATOR, MAKEINTRESOURCE(78), unterminated);
  EXPECT_EQ(LoadAccelerators(module, MAKEINTRESOURCE(78)), nullptr);
  EXPECT_EQ(LoadAccelerators(module, MAKEINTRESOURCE(79)), nullptr);

  ACCEL one{FVIRTKEY, VK_F9, 1};
  HACCEL gone = CreateAcceleratorTable(&one, 1);
  EXPECT_TRUE(DestroyAcceleratorTable(gone));
  EXPECT_FALSE(DestroyAcceleratorTable(gone));
  MSG msg{main_.m_hWnd, WM_KEYDOWN, VK_F9, 0, 0, {}};
  EXPECT_EQ(TranslateAccelerator(main_.m_hWnd, gone, &msg), 0);
}

TEST_F(AcceleratorTest, DialogsTranslateTheirOwnTable) {
  CommandWnd dialog;
  ASSERT_TRUE(dialog.CreateEx(0, nullptr, "Dialog", WS_POPUP | WS_VISIBLE, 80, 80, 200, 100, main_.m_hWnd, nullptr));
  HWND child = CreateWindowEx(0, "Edit", "", WS_CHILD | WS_VISIBLE, 5, 5, 100, 20, dialog.m_hWnd, nullptr, nullptr,
                              nullptr);
  ACCEL entry{FVIRTKEY | FALT, 'D', 55};
  dialog.m_hAccelTable = CreateAcceleratorTable(&entry, 1);
  SetActiveWindow(dialog.m_hWnd);
  SetFocus(child);
  ASSERT_EQ(GetFocus(), child);
  drive::PressKey('D', drive::kAlt);
  EXPECT_EQ(std::count(dialog.commands.begin(), dialog.commands.end(), MAKEWPARAM(55, 1)), 1)
      << "from the focused child up to the dialog";
  EXPECT_TRUE(main_.commands.empty());
}
