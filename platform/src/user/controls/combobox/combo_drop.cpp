// Opening and closing the combo box's list, and what the user does to the
// combo box: a click or F4 or Alt+Down opens the list; a click on an item,
// Enter, F4 or Alt+Up takes the highlighted item; Escape, a click outside
// the list or the focus going elsewhere cancels. While the list is closed the
// arrow keys and typed letters change the selection directly.
//
// What the parent hears:
//   opening       CBN_DROPDOWN
//   taking        CBN_SELCHANGE (when the item changed), CBN_SELENDOK, CBN_CLOSEUP
//   cancelling    CBN_SELENDCANCEL, CBN_CLOSEUP
#include <algorithm>

#include "nbp/display.h"
#include "user/controls/combobox/combo.h"
#include "user/controls/listbox/listbox.h"

namespace nbp::user::combo {
namespace {

int Count(const Combo* c) { return static_cast<int>(SendMessage(c->list, LB_GETCOUNT, 0, 0)); }

// Where the list goes on the screen: under the combo box, or above it when
// there is no room below.
RECT ListPlace(const Combo* c) {
  RECT box{};
  GetWindowRect(c->hwnd, &box);
  int itemHeight = static_cast<int>(SendMessage(c->list, LB_GETITEMHEIGHT, 0, 0));
  int frame = 2 * GetSystemMetrics(SM_CYBORDER);
  int wanted = std::max(Count(c), 1) * itemHeight + frame;
  int height = std::max(std::min(wanted, c->listHeight), itemHeight + frame);
  int width = std::max(static_cast<int>(box.right - box.left), c->droppedWidth);
  int top = box.bottom;
  if (top + height > nbp::display::ScreenHeight() && box.top - height >= 0) top = box.top - height;
  return RECT{box.left, top, box.left + width, top + height};
}

void SetPressed(Combo* c, bool pressed) {
  if (c->pressed == pressed) return;
  c->pressed = pressed;
  InvalidateRect(c->hwnd, nullptr, FALSE);
}

// While closed, keys act on the selection itself.
void KeyWhileClosed(Combo* c, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (wParam) {
    case VK_UP: case VK_DOWN: case VK_LEFT: case VK_RIGHT: case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END:
      SendMessage(c->list, msg, wParam, lParam);
      break;
    default: break;
  }
}

void OnKeyDown(Combo* c, WPARAM vk, LPARAM lParam) {
  if (vk == VK_F4) {
    if (c->dropped) Close(c, true);
    else Drop(c);
    return;
  }
  if (!c->dropped) {
    KeyWhileClosed(c, WM_KEYDOWN, vk, lParam);
    return;
  }
  if (vk == VK_RETURN) Close(c, true);
  else if (vk == VK_ESCAPE) Close(c, false);
  else SendMessage(c->list, WM_KEYDOWN, vk, lParam);
}

void OnSysKeyDown(Combo* c, WPARAM vk, LPARAM lParam) {
  bool alt = (lParam & (1 << 29)) != 0;
  if (alt && (vk == VK_DOWN || vk == VK_UP)) {
    if (c->dropped) Close(c, true);
    else if (vk == VK_DOWN) Drop(c);
    return;
  }
  DefWindowProc(c->hwnd, WM_SYSKEYDOWN, vk, lParam);
}

void OnButtonDown(Combo* c) {
  HWND hwnd = c->hwnd;
  if (GetFocus() != hwnd) {
    SetFocus(hwnd);
    if (ComboOf(hwnd) != c) return;
  }
  if (c->dropped) Close(c, false);
  else Drop(c);
}

}  // namespace

void Drop(Combo* c) {
  if (c->dropped || !IsWindowEnabled(c->hwnd)) return;
  HWND hwnd = c->hwnd;
  if (!Notify(c, CBN_DROPDOWN)) return;
  c->selAtDrop = CurSel(c);
  c->dropped = true;
  SetPressed(c, true);
  RECT place = ListPlace(c);
  SetWindowPos(c->list, HWND_TOPMOST, place.left, place.top, place.right - place.left, place.bottom - place.top,
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  if (ComboOf(hwnd) != c) return;
  if (c->selAtDrop >= 0) SendMessage(c->list, LB_SETTOPINDEX, static_cast<WPARAM>(c->selAtDrop), 0);
  SetCapture(c->list);
  UpdateWindow(c->list);
}

void Close(Combo* c, bool ok) {
  if (!c->dropped) return;
  HWND hwnd = c->hwnd;
  c->dropped = false;
  SetPressed(c, false);
  if (GetCapture() == c->list) ReleaseCapture();
  ShowWindow(c->list, SW_HIDE);
  int now = CurSel(c);
  if (!ok && now != c->selAtDrop) SendMessage(c->list, LB_SETCURSEL, static_cast<WPARAM>(c->selAtDrop), 0);
  RedrawField(c);
  if (ok && now != c->selAtDrop && !Notify(c, CBN_SELCHANGE)) return;
  if (!Notify(c, ok ? CBN_SELENDOK : CBN_SELENDCANCEL)) return;
  if (ComboOf(hwnd) == c) Notify(c, CBN_CLOSEUP);
}

void OnListCommand(Combo* c, WORD code) {
  switch (code) {
    case listbox::kListChoose: Close(c, true); break;
    case listbox::kListCancel: Close(c, false); break;
    case LBN_SELCHANGE:
      // While the list is open the highlight moves freely; the choice is
      // told when the list closes.
      if (c->dropped) break;
      RedrawField(c);
      Notify(c, CBN_SELCHANGE);
      break;
    default: break;
  }
}

bool IsInputMessage(UINT msg) {
  switch (msg) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_CHAR: case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: case WM_MOUSEWHEEL:
      return true;
    default:
      return false;
  }
}

LRESULT OnInput(Combo* c, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_KEYDOWN: OnKeyDown(c, wParam, lParam); return 0;
    case WM_SYSKEYDOWN: OnSysKeyDown(c, wParam, lParam); return 0;
    case WM_CHAR:
      // Typing picks an item by its first letters, open or closed.
      if (wParam != VK_RETURN && wParam != VK_ESCAPE && wParam != VK_TAB) SendMessage(c->list, WM_CHAR, wParam, lParam);
      return 0;
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: OnButtonDown(c); return 0;
    case WM_LBUTTONUP: return 0;
    case WM_MOUSEWHEEL:
      // The wheel steps the selection of a closed combo box.
      if (!c->dropped) {
        int delta = GET_WHEEL_DELTA_WPARAM(wParam);
        if (delta) KeyWhileClosed(c, WM_KEYDOWN, delta > 0 ? VK_UP : VK_DOWN, 0);
      }
      return 0;
    default: return 0;
  }
}

}  // namespace nbp::user::combo
