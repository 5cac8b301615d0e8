// Acting on the category dialogs as a user: buttons, list items, names typed
// into the name dialog, and what the list shows. Each is meant for an idle
// step of a modal loop (nbp::Headless()->WhenIdle), where input is queued
// and the loop dispatches it when the step returns.
#pragma once

#include <string>
#include <vector>

#include "library_test_env.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"
#include "win/controls.h"
#include "win/dialogs.h"

namespace catdrv {

inline HWND Active() { return GetActiveWindow(); }

inline void Click(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  RECT r{};
  GetClientRect(control, &r);
  nbp::test::Click(control, POINT{r.right / 2, r.bottom / 2});
}

inline std::string Text(HWND hwnd) {
  char buffer[512] = {};
  GetWindowText(hwnd, buffer, sizeof buffer);
  return buffer;
}

// The names the list shows, top to bottom (each item's data is its name).
inline std::vector<std::string> Names(HWND dialog, int listId) {
  HWND list = GetDlgItem(dialog, listId);
  std::vector<std::string> names;
  int count = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i)
    names.emplace_back(reinterpret_cast<const char*>(SendMessage(list, LB_GETITEMDATA, i, 0)));
  return names;
}

inline int Selection(HWND dialog, int listId) {
  return static_cast<int>(SendMessage(GetDlgItem(dialog, listId), LB_GETCURSEL, 0, 0));
}

inline std::string SelectedName(HWND dialog, int listId) {
  int sel = Selection(dialog, listId);
  return sel < 0 ? std::string() : Names(dialog, listId)[static_cast<size_t>(sel)];
}

// Clicks the item of that name (scrolling it into view first).
inline void ClickItem(HWND dialog, int listId, const std::string& name) {
  HWND list = GetDlgItem(dialog, listId);
  std::vector<std::string> names = Names(dialog, listId);
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] != name) continue;
    SendMessage(list, LB_SETTOPINDEX, i, 0);
    RECT r{};
    SendMessage(list, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    nbp::test::Click(list, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    return;
  }
  ADD_FAILURE() << "no item " << name;
}

// Replaces the name field's text with `name` and presses OK.
inline void EnterName(const std::string& name) {
  HWND dialog = Active();
  HWND field = GetDlgItem(dialog, 142);
  RECT r{};
  GetClientRect(field, &r);
  nbp::test::Click(field, POINT{r.right - 2, r.bottom / 2});
  nbp::test::PressKey(VK_END);
  nbp::test::PressKey(VK_HOME, nbp::test::kShift);
  nbp::test::PressKey(VK_DELETE);
  nbp::test::Type(name);
  Click(dialog, IDOK);
}

}  // namespace catdrv
