// A window's own scroll bars: the non-client bars of WS_VSCROLL/WS_HSCROLL.
//
//   +---+ <- arrow (line up)
//   |   | <- page up area
//   |###| <- thumb
//   |   | <- page down area
//   +---+ <- arrow (line down)
//
// While the user holds the mouse on a bar, the window system tracks it itself
// (as the window system's own modal tracking would), sending WM_VSCROLL or
// WM_HSCROLL and repeating arrow and page steps on its clock.
#include <algorithm>
#include <cstdint>

#include "nbp/clock.h"
#include "user/window/user_state.h"
#include "user/window/window.h"
#include "win/gdi.h"
#include "win/syscolors.h"

namespace nbp::user {
namespace {

enum Part { kNone, kArrowUp, kPageUp, kThumb, kPageDown, kArrowDown };

ScrollBar& BarOf(Window* w, int bar) { return bar == SB_VERT ? w->vbar : w->hbar; }

bool Scrollable(const ScrollBar& b) {
  return b.max > b.min && (b.page == 0 || static_cast<int>(b.page) <= b.max - b.min);
}

int MaxPos(const ScrollBar& b) { return b.max - std::max(static_cast<int>(b.page) - 1, 0); }

struct Layout {
  RECT bar{};
  int length = 0;  // along the bar
  int arrow = 0;
  int thumbStart = 0;  // from the bar's start; 0 with thumbLength 0 when no thumb
  int thumbLength = 0;
};

Layout LayoutOf(Window* w, int bar, int pos) {
  Layout l;
  l.bar = ScrollBarRectInWindow(w, bar);
  bool vert = bar == SB_VERT;
  l.length = vert ? l.bar.bottom - l.bar.top : l.bar.right - l.bar.left;
  int thickness = vert ? l.bar.right - l.bar.left : l.bar.bottom - l.bar.top;
  l.arrow = std::min(thickness, l.length / 2);
  const ScrollBar& b = BarOf(w, bar);
  int track = l.length - 2 * l.arrow;
  if (!Scrollable(b) || b.disabledArrows || track <= 0) return l;
  // Positions may use all 32 bits: the products are taken in 64.
  int64_t range = static_cast<int64_t>(b.max) - b.min + 1;
  int thumb = b.page ? std::max(static_cast<int>(track * static_cast<int64_t>(b.page) / range), 8)
                     : GetSystemMetrics(vert ? SM_CYVTHUMB : SM_CXHTHUMB);
  if (thumb > track) return l;
  int64_t span = static_cast<int64_t>(MaxPos(b)) - b.min;
  int64_t from = static_cast<int64_t>(std::clamp(pos, b.min, MaxPos(b))) - b.min;
  int offset = span > 0 ? static_cast<int>((track - thumb) * from / span) : 0;
  l.thumbStart = l.arrow + offset;
  l.thumbLength = thumb;
  return l;
}

Part PartAt(const Layout& l, bool vert, POINT inWindow) {
  if (inWindow.x < l.bar.left || inWindow.x >= l.bar.right || inWindow.y < l.bar.top || inWindow.y >= l.bar.bottom)
    return kNone;
  int along = vert ? inWindow.y - l.bar.top : inWindow.x - l.bar.left;
  if (along < l.arrow) return kArrowUp;
  if (along >= l.length - l.arrow) return kArrowDown;
  if (l.thumbLength == 0) return kNone;
  if (along < l.thumbStart) return kPageUp;
  if (along < l.thumbStart + l.thumbLength) return kThumb;
  return kPageDown;
}

struct Tracking {
  bool active = false;
  HWND hwnd = nullptr;
  int bar = SB_VERT;
  Part part = kNone;
  int grabOffset = 0;  // where on the thumb the mouse holds it
  POINT lastPoint{};
  uint64_t repeatDue = UINT64_MAX;
} g_track;

POINT ToWindow(Window* w, POINT screen) {
  RECT wr = WindowRectInScreen(w);
  return POINT{screen.x - wr.left, screen.y - wr.top};
}

void Send(Window* w, int bar, WORD code, WORD pos = 0) {
  Deliver(w, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, pos), 0);
}

WORD CodeOf(Part p) {
  switch (p) {
    case kArrowUp: return SB_LINEUP;
    case kArrowDown: return SB_LINEDOWN;
    case kPageUp: return SB_PAGEUP;
    case kPageDown: return SB_PAGEDOWN;
    default: return SB_ENDSCROLL;
  }
}

// Repeats go on only while the mouse stays on the pressed part (and, for the
// page areas, until the thumb reaches the mouse).
bool StillOnPart(Window* w) {
  Layout l = LayoutOf(w, g_track.bar, BarOf(w, g_track.bar).pos);
  return PartAt(l, g_track.bar == SB_VERT, ToWindow(w, g_track.lastPoint)) == g_track.part;
}

void Redraw(Window* w) { DrawNonClient(w); }

void EndTracking() {
  HWND h = g_track.hwnd;
  g_track = Tracking{};
  if (GetCapture() == h) ReleaseCapture();
  if (Window* w = FromHandle(h)) Redraw(w);
}

}  // namespace

bool ScrollBarTrackingActive() { return g_track.active; }

uint64_t ScrollBarRepeatDue() { return g_track.active ? g_track.repeatDue : UINT64_MAX; }

LRESULT ScrollBarNcHitTest(Window* w, POINT screen) {
  POINT p = ToWindow(w, screen);
  for (int bar : {SB_VERT, SB_HORZ}) {
    RECT r = ScrollBarRectInWindow(w, bar);
    if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return bar == SB_VERT ? HTVSCROLL : HTHSCROLL;
  }
  return HTNOWHERE;
}

void ScrollBarMouseDown(Window* w, int hit, POINT screen) {
  int bar = hit == HTVSCROLL ? SB_VERT : SB_HORZ;
  ScrollBar& b = BarOf(w, bar);
  if (!Scrollable(b) || b.disabledArrows) return;
  Layout l = LayoutOf(w, bar, b.pos);
  POINT p = ToWindow(w, screen);
  Part part = PartAt(l, bar == SB_VERT, p);
  if (part == kNone) return;
  g_track = Tracking{};
  g_track.active = true;
  g_track.hwnd = w->handle;
  g_track.bar = bar;
  g_track.part = part;
  g_track.lastPoint = screen;
  b.trackPos = b.pos;
  SetCapture(w->handle);
  if (part == kThumb) {
    int along = bar == SB_VERT ? p.y - l.bar.top : p.x - l.bar.left;
    g_track.grabOffset = along - l.thumbStart;
    Redraw(w);
    return;
  }
  Redraw(w);
  Send(w, bar, CodeOf(part));
  g_track.repeatDue = nbp::clock::NowMs() + 400;
}

bool ScrollBarHandleInput(UINT msg, POINT screen) {
  if (!g_track.active) return false;
  Window* w = FromHandle(g_track.hwnd);
  if (!w) {
    g_track = Tracking{};
    return false;
  }
  g_track.lastPoint = screen;
  ScrollBar& b = BarOf(w, g_track.bar);
  if (msg == WM_MOUSEMOVE && g_track.part == kThumb) {
    Layout l = LayoutOf(w, g_track.bar, b.pos);
    POINT p = ToWindow(w, screen);
    int along = (g_track.bar == SB_VERT ? p.y - l.bar.top : p.x - l.bar.left) - g_track.grabOffset;
    int track = l.length - 2 * l.arrow - l.thumbLength;
    int64_t span = static_cast<int64_t>(MaxPos(b)) - b.min;
    int pos = b.min;
    if (track > 0) pos = static_cast<int>(b.min + (std::clamp(along - l.arrow, 0, track) * span + track / 2) / track);
    if (pos != b.trackPos) {
      b.trackPos = pos;
      Send(w, g_track.bar, SB_THUMBTRACK, static_cast<WORD>(pos));
      if ((w = FromHandle(g_track.hwnd))) Redraw(w);
    }
    return true;
  }
  if (msg == WM_LBUTTONUP) {
    int bar = g_track.bar;
    if (g_track.part == kThumb) Send(w, bar, SB_THUMBPOSITION, static_cast<WORD>(b.trackPos));
    if ((w = FromHandle(g_track.hwnd))) Send(w, bar, SB_ENDSCROLL);
    EndTracking();
    return true;
  }
  return true;  // everything else belongs to the tracking while it lasts
}

void ScrollBarTimer() {
  if (!g_track.active || g_track.part == kThumb) return;
  Window* w = FromHandle(g_track.hwnd);
  if (!w) {
    g_track = Tracking{};
    return;
  }
  g_track.repeatDue = nbp::clock::NowMs() + 50;
  if (StillOnPart(w)) Send(w, g_track.bar, CodeOf(g_track.part));
}

void ScrollBarCancel() {
  if (g_track.active) EndTracking();
}

void PaintScrollBars(Window* w, HDC dc) {
  bool both = true;
  for (int bar : {SB_VERT, SB_HORZ}) {
    ScrollBar& b = BarOf(w, bar);
    RECT r = ScrollBarRectInWindow(w, bar);
    if (r.right <= r.left || r.bottom <= r.top) {
      both = false;
      continue;
    }
    bool vert = bar == SB_VERT;
    bool tracking = g_track.active && g_track.hwnd == w->handle && g_track.bar == bar;
    int pos = tracking && g_track.part == kThumb ? b.trackPos : b.pos;
    Layout l = LayoutOf(w, bar, pos);
    bool enabled = Scrollable(b) && !b.disabledArrows;
    bool onPart = tracking && g_track.part != kThumb && StillOnPart(w);
    auto segment = [&](int from, int to) {
      return vert ? RECT{r.left, r.top + from, r.right, r.top + to} : RECT{r.left + from, r.top, r.left + to, r.bottom};
    };
    RECT up = segment(0, l.arrow), down = segment(l.length - l.arrow, l.length);
    UINT inactive = enabled ? 0 : DFCS_INACTIVE;
    DrawFrameControl(dc, &up, DFC_SCROLL, (vert ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | inactive |
                                              (onPart && g_track.part == kArrowUp ? DFCS_PUSHED | DFCS_FLAT : 0));
    DrawFrameControl(dc, &down, DFC_SCROLL, (vert ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | inactive |
                                                (onPart && g_track.part == kArrowDown ? DFCS_PUSHED | DFCS_FLAT : 0));
    RECT track = segment(l.arrow, l.length - l.arrow);
    FillRect(dc, &track, GetSysColorBrush(COLOR_SCROLLBAR));
    if (l.thumbLength > 0) {
      if (onPart && (g_track.part == kPageUp || g_track.part == kPageDown)) {
        RECT pressed = g_track.part == kPageUp ? segment(l.arrow, l.thumbStart)
                                               : segment(l.thumbStart + l.thumbLength, l.length - l.arrow);
        FillRect(dc, &pressed, GetSysColorBrush(COLOR_3DDKSHADOW));
      }
      RECT thumb = segment(l.thumbStart, l.thumbStart + l.thumbLength);
      FillRect(dc, &thumb, GetSysColorBrush(COLOR_BTNFACE));
      DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
    }
  }
  if (both) {
    RECT v = ScrollBarRectInWindow(w, SB_VERT), h = ScrollBarRectInWindow(w, SB_HORZ);
    RECT corner{v.left, h.top, v.right, h.bottom};
    FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
  }
}

}  // namespace nbp::user

using namespace nbp::user;

namespace {

void ApplyVisibility(Window* w, int bar, bool show) {
  ScrollBar& b = BarOf(w, bar);
  DWORD bit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
  bool shown = b.shown && (w->style & bit);
  if (shown == show) return;
  RECT before;
  GetClientRect(w->handle, &before);
  b.shown = show;
  if (show) w->style |= bit;
  else w->style &= ~bit;
  if (IsVisible(w)) {
    InvalidateNonClient(w);
    InvalidateClient(w, nullptr, true, 0);
    DrawNonClient(w);
  }
  RECT after;
  GetClientRect(w->handle, &after);
  if (after.right != before.right || after.bottom != before.bottom)
    Deliver(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(after.right, after.bottom));
}

}  // namespace

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw) {
  Window* w = FromHandle(hwnd);
  if (!w || !info || (bar != SB_VERT && bar != SB_HORZ)) return 0;
  if (info->cbSize != sizeof(SCROLLINFO) && info->cbSize != sizeof(SCROLLINFO) - sizeof(int)) return 0;
  ScrollBar& b = BarOf(w, bar);
  if (info->fMask & SIF_RANGE) {
    b.min = info->nMin;
    b.max = std::max(info->nMax, info->nMin);
  }
  if (info->fMask & SIF_PAGE) b.page = info->nPage;
  // The page never exceeds the range.
  UINT rangeSize = static_cast<UINT>(static_cast<int64_t>(b.max) - b.min + 1);
  if (b.page > rangeSize) b.page = rangeSize;
  if (info->fMask & SIF_POS) b.pos = info->nPos;
  b.pos = std::clamp(b.pos, b.min, std::max(b.min, MaxPos(b)));
  if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
    bool scrollable = Scrollable(b);
    if (info->fMask & SIF_DISABLENOSCROLL) {
      b.disabledArrows = !scrollable;
      ApplyVisibility(w, bar, true);
    } else {
      b.disabledArrows = false;
      ApplyVisibility(w, bar, scrollable);
    }
    if (!(w = FromHandle(hwnd))) return 0;
  }
  if (redraw) DrawNonClient(w);
  return BarOf(w, bar).pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
  Window* w = FromHandle(hwnd);
  if (!w || !info || (bar != SB_VERT && bar != SB_HORZ)) return FALSE;
  ScrollBar& b = BarOf(w, bar);
  if (info->fMask & SIF_RANGE) {
    info->nMin = b.min;
    info->nMax = b.max;
  }
  if (info->fMask & SIF_PAGE) info->nPage = b.page;
  if (info->fMask & SIF_POS) info->nPos = b.pos;
  if (info->fMask & SIF_TRACKPOS) {
    bool tracking = ScrollBarTrackingActive() && GetCapture() == hwnd;
    info->nTrackPos = tracking ? b.trackPos : b.pos;
  }
  return (info->fMask & SIF_ALL) ? TRUE : FALSE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  Window* w = FromHandle(hwnd);
  if (!w || (bar != SB_VERT && bar != SB_HORZ)) return 0;
  int old = BarOf(w, bar).pos;
  SCROLLINFO si{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
  SetScrollInfo(hwnd, bar, &si, redraw);
  return old;
}

int GetScrollPos(HWND hwnd, int bar) {
  Window* w = FromHandle(hwnd);
  if (!w || (bar != SB_VERT && bar != SB_HORZ)) return 0;
  return BarOf(w, bar).pos;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
  Window* w = FromHandle(hwnd);
  if (!w || (bar != SB_VERT && bar != SB_HORZ)) return FALSE;
  SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE, minPos, maxPos, 0, 0, 0};
  SetScrollInfo(hwnd, bar, &si, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, LPINT minPos, LPINT maxPos) {
  Window* w = FromHandle(hwnd);
  if (!w || !minPos || !maxPos || (bar != SB_VERT && bar != SB_HORZ)) return FALSE;
  *minPos = BarOf(w, bar).min;
  *maxPos = BarOf(w, bar).max;
  return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
  Window* w = FromHandle(hwnd);
  if (!w) return FALSE;
  if (bar == SB_VERT || bar == SB_BOTH) ApplyVisibility(w, SB_VERT, show != FALSE);
  if ((w = FromHandle(hwnd)) && (bar == SB_HORZ || bar == SB_BOTH)) ApplyVisibility(w, SB_HORZ, show != FALSE);
  return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
  Window* w = FromHandle(hwnd);
  if (!w) return FALSE;
  bool disable = arrows == ESB_DISABLE_BOTH;
  if (bar == SB_VERT || bar == SB_BOTH) w->vbar.disabledArrows = disable;
  if (bar == SB_HORZ || bar == SB_BOTH) w->hbar.disabledArrows = disable;
  DrawNonClient(w);
  return TRUE;
}
