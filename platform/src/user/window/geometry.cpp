// Window geometry: frames, client areas and coordinate mapping. Everything is
// derived from a window's rectangle and styles, never stored twice.
#include <algorithm>

#include "user/window/user_state.h"
#include "user/window/window.h"

namespace nbp::user {
namespace {

struct Frame {
  int edge = 0;     // on every side
  int caption = 0;  // below the top edge
};

Frame FrameOf(DWORD style, DWORD exStyle) {
  Frame f;
  if (style & WS_THICKFRAME) {
    f.edge += GetSystemMetrics(SM_CXFRAME);
  } else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) {
    f.edge += GetSystemMetrics(SM_CXDLGFRAME);
  } else if (style & WS_BORDER) {
    f.edge += GetSystemMetrics(SM_CXBORDER);
  }
  if (exStyle & WS_EX_CLIENTEDGE) f.edge += GetSystemMetrics(SM_CXEDGE);
  if (exStyle & WS_EX_STATICEDGE) f.edge += GetSystemMetrics(SM_CXBORDER);
  if ((style & WS_CAPTION) == WS_CAPTION) f.caption = GetSystemMetrics(SM_CYCAPTION);
  return f;
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

}  // namespace

// The area inside the frame and caption, in window coordinates.
RECT InsideFrame(const Window* w) {
  Frame f = FrameOf(w->style, w->exStyle);
  RECT r{f.edge, f.edge + f.caption, Width(w->rect) - f.edge, Height(w->rect) - f.edge};
  r.right = std::max(r.right, r.left);
  r.bottom = std::max(r.bottom, r.top);
  return r;
}

RECT ClientRectInWindow(const Window* w) {
  RECT r = InsideFrame(w);
  if ((w->style & WS_VSCROLL) && w->vbar.shown) r.right = std::max(r.left, r.right - GetSystemMetrics(SM_CXVSCROLL));
  if ((w->style & WS_HSCROLL) && w->hbar.shown) r.bottom = std::max(r.top, r.bottom - GetSystemMetrics(SM_CYHSCROLL));
  return r;
}

RECT ScrollBarRectInWindow(const Window* w, int bar) {
  RECT inside = InsideFrame(w);
  bool v = (w->style & WS_VSCROLL) && w->vbar.shown;
  bool h = (w->style & WS_HSCROLL) && w->hbar.shown;
  int cx = GetSystemMetrics(SM_CXVSCROLL);
  int cy = GetSystemMetrics(SM_CYHSCROLL);
  if (bar == SB_VERT && v) {
    RECT r{std::max(inside.left, inside.right - cx), inside.top, inside.right, inside.bottom};
    if (h) r.bottom = std::max(r.top, r.bottom - cy);
    return r;
  }
  if (bar == SB_HORZ && h) {
    RECT r{inside.left, std::max(inside.top, inside.bottom - cy), inside.right, inside.bottom};
    if (v) r.right = std::max(r.left, r.right - cx);
    return r;
  }
  return RECT{0, 0, 0, 0};
}

POINT WindowOriginInTop(const Window* w) {
  POINT p{0, 0};
  while (w && w->parent) {
    RECT client = ClientRectInWindow(w->parent);
    p.x += w->rect.left + client.left;
    p.y += w->rect.top + client.top;
    w = w->parent;
  }
  return p;
}

POINT ClientOriginInTop(const Window* w) {
  POINT p = WindowOriginInTop(w);
  RECT client = ClientRectInWindow(w);
  return POINT{p.x + client.left, p.y + client.top};
}

RECT WindowRectInScreen(const Window* w) {
  const Window* top = w;
  while (top->parent) top = top->parent;
  POINT o = WindowOriginInTop(w);
  int x = top->rect.left + o.x;
  int y = top->rect.top + o.y;
  return RECT{x, y, x + Width(w->rect), y + Height(w->rect)};
}

POINT ClientOriginInScreen(const Window* w) {
  RECT wr = WindowRectInScreen(w);
  RECT client = ClientRectInWindow(w);
  return POINT{wr.left + client.left, wr.top + client.top};
}

bool IsVisible(const Window* w) {
  for (; w; w = w->parent) {
    if (!(w->style & WS_VISIBLE)) return false;
  }
  return true;
}

bool IsEnabledChain(const Window* w) {
  for (; w; w = w->parent) {
    if (w->style & WS_DISABLED) return false;
  }
  return true;
}

}  // namespace nbp::user

using namespace nbp::user;

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
  Window* w = FromHandle(hwnd);
  if (!w || !rect) return FALSE;
  RECT c = ClientRectInWindow(w);
  *rect = RECT{0, 0, c.right - c.left, c.bottom - c.top};
  return TRUE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
  Window* w = FromHandle(hwnd);
  if (!w || !rect) return FALSE;
  *rect = WindowRectInScreen(w);
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
  Window* w = FromHandle(hwnd);
  if (!w || !point) return FALSE;
  POINT o = ClientOriginInScreen(w);
  point->x += o.x;
  point->y += o.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
  Window* w = FromHandle(hwnd);
  if (!w || !point) return FALSE;
  POINT o = ClientOriginInScreen(w);
  point->x -= o.x;
  point->y -= o.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  POINT a{0, 0}, b{0, 0};
  if (from) {
    Window* w = FromHandle(from);
    if (!w) return 0;
    a = ClientOriginInScreen(w);
  }
  if (to) {
    Window* w = FromHandle(to);
    if (!w) return 0;
    b = ClientOriginInScreen(w);
  }
  int dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

namespace nbp::user {
namespace {

bool PointInWindowShape(const Window* w, POINT screen) {
  RECT r = WindowRectInScreen(w);
  if (screen.x < r.left || screen.x >= r.right || screen.y < r.top || screen.y >= r.bottom) return false;
  if (w->shape && !cairo_region_contains_point(w->shape, screen.x - r.left, screen.y - r.top)) return false;
  return true;
}

// The deepest visible child under the point. Disabled children are passed
// over so that their parent sees the mouse, as the window system does.
Window* DeepestAt(Window* w, POINT screen, bool skipDisabled) {
  POINT o = ClientOriginInScreen(w);
  RECT c = ClientRectInWindow(w);
  int cx = screen.x - o.x, cy = screen.y - o.y;
  if (cx < 0 || cy < 0 || cx >= c.right - c.left || cy >= c.bottom - c.top) return w;
  for (Window* child : w->children) {
    if (!(child->style & WS_VISIBLE)) continue;
    if (skipDisabled && (child->style & WS_DISABLED)) continue;
    if (!PointInWindowShape(child, screen)) continue;
    return DeepestAt(child, screen, skipDisabled);
  }
  return w;
}

}  // namespace

Window* WindowAtScreenPoint(POINT screen) {
  for (Window* top : TopLevelWindows()) {
    if (!(top->style & WS_VISIBLE)) continue;
    if (!PointInWindowShape(top, screen)) continue;
    return DeepestAt(top, screen, true);
  }
  return nullptr;
}

}  // namespace nbp::user

HWND WindowFromPoint(POINT point) {
  Window* w = WindowAtScreenPoint(point);
  return w ? w->handle : nullptr;
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
  Window* w = FromHandle(parent);
  if (!w) return nullptr;
  POINT screen = point;
  ClientToScreen(parent, &screen);
  RECT c;
  GetClientRect(parent, &c);
  if (point.x < 0 || point.y < 0 || point.x >= c.right || point.y >= c.bottom) return nullptr;
  for (Window* child : w->children) {
    if (PointInWindowShape(child, screen)) return child->handle;
  }
  return parent;
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
  if (!rect) return FALSE;
  Frame f = FrameOf(style, exStyle);
  rect->left -= f.edge;
  rect->right += f.edge;
  rect->top -= f.edge + f.caption + (menu ? GetSystemMetrics(SM_CYMENU) : 0);
  rect->bottom += f.edge;
  return TRUE;
}
