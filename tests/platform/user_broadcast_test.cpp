// A system-wide setting change reaches every window, parents first.
#include <cstring>

#include "nbp/desktop.h"
#include "user_fixture.h"

TEST_F(UserTest, SettingChangesReachEveryWindowAndTheirChildren) {
  HWND child = Child("Recorder", 0, 0, 50, 50);
  HWND grandchild = Child("Recorder", 0, 0, 20, 20, 0, 2, child);
  HWND hidden = CreateWindowEx(0, "Recorder", "Other", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  nbp::test::Pump();
  Log().clear();
  static const char kSection[] = "intl";
  nbp::BroadcastSettingChange(0x2A, kSection);
  std::vector<HWND> reached;
  for (const Recorded& r : Log()) {
    if (r.msg != WM_SETTINGCHANGE) continue;
    reached.push_back(r.hwnd);
    EXPECT_EQ(r.wParam, 0x2Au);
    EXPECT_STREQ(reinterpret_cast<const char*>(r.lParam), "intl");
  }
  ASSERT_EQ(reached.size(), 4u);
  auto at = [&](HWND h) { return std::find(reached.begin(), reached.end(), h) - reached.begin(); };
  EXPECT_LT(at(top_), at(child));
  EXPECT_LT(at(child), at(grandchild));
  EXPECT_LT(at(hidden), 4) << "hidden top-level windows hear it too";
}

TEST_F(UserTest, ASettingChangeHandlerMayDestroyWindows) {
  HWND child = Child("Recorder", 0, 0, 50, 50);
  React() = [&](HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT*) {
    if (msg == WM_SETTINGCHANGE && hwnd == top_) DestroyWindow(child);
    return false;
  };
  Log().clear();
  nbp::BroadcastSettingChange(0, nullptr);
  EXPECT_FALSE(IsWindow(child));
  for (const Recorded& r : Log()) EXPECT_FALSE(r.msg == WM_SETTINGCHANGE && r.hwnd == child);
}
