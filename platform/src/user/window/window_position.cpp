// Moving, sizing, showing, hiding and enabling windows.
#include <algorithm>

#include "nbp/desktop.h"
#include "user/window/user_state.h"
#include "user/window/window.h"

namespace nbp::user {
namespace {

// Invalidates what a window covered in its parent (or nothing for a top-level
// window: the desktop shows what lies beneath).
void ExposeInParent(Window* w, const RECT& rectInParent) {
  if (!w->parent) return;
  cairo_rectangle_int_t r{rectInParent.left, rectInParent.top, rectInParent.right - rectInParent.left,
                          rectInParent.bottom - rectInParent.top};
  if (r.width <= 0 || r.height <= 0) return;
  cairo_region_t* region = cairo_region_create_rectangle(&r);
  InvalidateClient(w->parent, region, true, 1);
  cairo_region_destroy(region);
}

void InvalidateWhole(Window* w) {
  InvalidateNonClient(w);
  InvalidateClient(w, nullptr, true, 1);
}

void Reorder(Window* w, HWND insertAfter) {
  auto& list = w->parent ? w->parent->children : TopLevelWindows();
  auto it = std::find(list.begin(), list.end(), w);
  if (it == list.end()) return;
  list.erase(it);
  if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
    list.insert(list.begin(), w);
  } else if (insertAfter == HWND_BOTTOM) {
    list.push_back(w);
  } else {
    Window* after = FromHandle(insertAfter);
    auto pos = std::find(list.begin(), list.end(), after);
    if (pos == list.end()) list.insert(list.begin(), w);
    else list.insert(pos + 1, w);
  }
}

void ActivateAnotherThan(Window* w) {
  if (Sys().active != w->handle) return;
  Window* next = nullptr;
  if (w->owner && IsVisible(w->owner) && !(w->owner->style & WS_DISABLED)) next = w->owner;
  for (Window* t : TopLevelWindows()) {
    if (next) break;
    if (t != w && (t->style & WS_VISIBLE) && !(t->style & WS_DISABLED) && !(t->style & WS_CHILD)) next = t;
  }
  SetActiveWindow(next ? next->handle : nullptr);
}

}  // namespace
}  // namespace nbp::user

using namespace nbp::user;

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  Window* w = FromHandle(hwnd);
  if (!w) return FALSE;
  WINDOWPOS wp{hwnd, insertAfter, x, y, std::max(cx, 0), std::max(cy, 0), flags};
  RECT old = w->rect;
  if (flags & SWP_NOMOVE) { wp.x = old.left; wp.y = old.top; }
  if (flags & SWP_NOSIZE) { wp.cx = old.right - old.left; wp.cy = old.bottom - old.top; }
  if (!(flags & SWP_NOSENDCHANGING)) {
    Deliver(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if (!(w = FromHandle(hwnd))) return FALSE;
  }
  wp.cx = std::max(wp.cx, 0);
  wp.cy = std::max(wp.cy, 0);
  RECT now{wp.x, wp.y, wp.x + wp.cx, wp.y + wp.cy};
  bool moved = now.left != old.left || now.top != old.top;
  bool sized = (now.right - now.left) != (old.right - old.left) || (now.bottom - now.top) != (old.bottom - old.top);
  if (!moved) wp.flags |= SWP_NOMOVE;
  if (!sized) wp.flags |= SWP_NOSIZE;

  bool wasVisible = IsVisible(w);
  bool showing = (wp.flags & SWP_SHOWWINDOW) && !(w->style & WS_VISIBLE);
  bool hiding = (wp.flags & SWP_HIDEWINDOW) && (w->style & WS_VISIBLE);
  bool reorder = !(wp.flags & SWP_NOZORDER);

  if (wasVisible && (moved || sized || hiding || reorder) && !(wp.flags & SWP_NOREDRAW)) ExposeInParent(w, old);

  w->rect = now;
  if (reorder) Reorder(w, wp.hwndInsertAfter);
  if (showing) w->style |= WS_VISIBLE;
  if (hiding) w->style &= ~WS_VISIBLE;
  if (!w->parent && sized) DropSurface(w);
  if (!w->parent) EnsureSurface(w);

  bool visibleNow = IsVisible(w);
  if (visibleNow && (moved || sized || showing || reorder || (wp.flags & SWP_FRAMECHANGED)) &&
      !(wp.flags & SWP_NOREDRAW)) {
    InvalidateWhole(w);
  }
  if (hiding) {
    if (Sys().capture && (Sys().capture == hwnd || IsChild(hwnd, Sys().capture))) ReleaseCapture();
    if (!w->parent) ActivateAnotherThan(w);
    if (!(w = FromHandle(hwnd))) return TRUE;
  }
  if (!w->parent) nbp::CurrentDesktop().WindowChanged(hwnd);

  Deliver(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
  if (!(w = FromHandle(hwnd))) return TRUE;
  if (showing && !w->parent && !(wp.flags & SWP_NOACTIVATE)) ActivateOnShow(w);
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL ShowWindow(HWND hwnd, int cmd) {
  Window* w = FromHandle(hwnd);
  if (!w) return FALSE;
  bool wasVisible = (w->style & WS_VISIBLE) != 0;
  bool show = cmd != SW_HIDE;
  if (show == wasVisible) {
    if (show && !w->parent && cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE && cmd != SW_SHOWMINNOACTIVE)
      SetActiveWindow(hwnd);
    return wasVisible;
  }
  Deliver(w, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
  if (!FromHandle(hwnd)) return wasVisible;
  UINT flags = SWP_NOMOVE | SWP_NOSIZE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
  if (w->parent || cmd == SW_SHOWNA || cmd == SW_SHOWNOACTIVATE || cmd == SW_SHOWMINNOACTIVE || !show)
    flags |= SWP_NOACTIVATE | SWP_NOZORDER;
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, flags);
  return wasVisible;
}

BOOL IsWindowVisible(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  return w && IsVisible(w) ? TRUE : FALSE;
}

BOOL IsIconic(HWND) { return FALSE; }
BOOL IsZoomed(HWND) { return FALSE; }

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  Window* w = FromHandle(hwnd);
  if (!w) return FALSE;
  bool wasDisabled = (w->style & WS_DISABLED) != 0;
  if (enable && wasDisabled) {
    w->style &= ~WS_DISABLED;
    Deliver(w, WM_ENABLE, TRUE, 0);
  } else if (!enable && !wasDisabled) {
    Deliver(w, WM_CANCELMODE, 0, 0);
    if (!(w = FromHandle(hwnd))) return FALSE;
    w->style |= WS_DISABLED;
    if (Sys().focus && (Sys().focus == hwnd || IsChild(hwnd, Sys().focus))) SetFocus(nullptr);
    if (Sys().capture == hwnd) ReleaseCapture();
    if (!(w = FromHandle(hwnd))) return FALSE;
    Deliver(w, WM_ENABLE, FALSE, 0);
  }
  return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL BringWindowToTop(HWND hwnd) {
  return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
