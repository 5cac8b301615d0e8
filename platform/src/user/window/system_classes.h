// The built-in controls: each a window procedure over its own state.
#pragma once

#include "win/user.h"

namespace nbp::user {

void RegisterSystemClasses();

LRESULT ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT RichEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT UpDownProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT TooltipProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT ListBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT ComboListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT ComboBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// A control's state lives behind the first window-extra slot; these keep the
// pointer there.
template <typename State>
State* ControlState(HWND hwnd) {
  return reinterpret_cast<State*>(GetWindowLongPtr(hwnd, 0));
}
template <typename State>
State* CreateControlState(HWND hwnd) {
  auto* s = new State;
  SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(s));
  return s;
}
template <typename State>
void DeleteControlState(HWND hwnd) {
  delete ControlState<State>(hwnd);
  SetWindowLongPtr(hwnd, 0, 0);
}

// The brush and colors the parent chooses for a control (WM_CTLCOLOR*).
HBRUSH ParentControlColor(HWND control, HDC dc, UINT message);

}  // namespace nbp::user
