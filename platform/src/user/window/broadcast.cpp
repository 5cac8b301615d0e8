// Telling every window that a system-wide setting changed.
#include <vector>

#include "nbp/desktop.h"
#include "win/user.h"

namespace nbp {
namespace {

BOOL CollectChild(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

}  // namespace

void BroadcastSettingChange(UINT flags, const char* section) {
  // Every window is found first: a handler may create or destroy windows.
  std::vector<HWND> targets;
  for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT)) {
    targets.push_back(top);
    EnumChildWindows(top, &CollectChild, reinterpret_cast<LPARAM>(&targets));
  }
  for (HWND hwnd : targets) {
    if (IsWindow(hwnd)) SendMessage(hwnd, WM_SETTINGCHANGE, flags, reinterpret_cast<LPARAM>(section));
  }
}

}  // namespace nbp
