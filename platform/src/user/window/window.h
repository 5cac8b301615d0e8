// The window system's own record of a window, and the tables that find them.
#pragma once

#include <cairo.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "win/user.h"

namespace nbp::user {

struct WindowClass {
  std::string name;  // as registered; looked up without regard to ASCII case
  UINT style = 0;
  WNDPROC proc = nullptr;
  int clsExtra = 0;
  int wndExtra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  std::string menuName;
};

struct ScrollBar {
  int min = 0;
  int max = 0;
  UINT page = 0;
  int pos = 0;
  int trackPos = 0;
  bool shown = false;     // the bar takes space (the style bit says the same)
  bool disabledArrows = false;
};

struct Window {
  HWND handle = nullptr;
  WindowClass* cls = nullptr;
  WNDPROC proc = nullptr;
  Window* parent = nullptr;        // null for top-level windows
  Window* owner = nullptr;         // top-level windows only
  std::vector<Window*> children;   // z-order: front first
  DWORD style = 0;
  DWORD exStyle = 0;
  UINT_PTR id = 0;                 // child id (the hMenu argument of children)
  HMENU menu = nullptr;            // top-level windows
  HINSTANCE instance = nullptr;
  std::string text;
  RECT rect{};                     // window rectangle in the parent's client coordinates (screen for top-level)
  std::vector<LONG_PTR> extra;     // cbWndExtra, in LONG_PTR slots
  LONG_PTR userData = 0;
  std::map<std::string, HANDLE> props;

  cairo_region_t* update = nullptr;  // client coordinates; null when valid
  bool erasePending = false;
  bool internalPaint = false;
  bool ncPaintPending = false;
  unsigned beginPaintCount = 0;   // how often BeginPaint ran, to see whether WM_PAINT was answered
  cairo_region_t* shape = nullptr;   // SetWindowRgn, window coordinates; null for none

  ScrollBar vbar;
  ScrollBar hbar;

  bool creating = false;
  bool destroying = false;

  // Top-level windows only: the backing store of the window and its children.
  cairo_surface_t* surface = nullptr;

  bool IsChild() const { return (style & WS_CHILD) != 0; }
};

// Handle lookups; null for stale, invalid or destroyed windows.
Window* FromHandle(HWND hwnd);
Window* TopLevelOf(Window* w);
std::vector<Window*>& TopLevelWindows();  // z-order, front first

// Geometry, all derived from the window's rectangle and styles.
RECT WindowRectInScreen(const Window* w);
RECT ClientRectInWindow(const Window* w);    // client area in window coordinates
RECT InsideFrame(const Window* w);           // inside the frame and caption, window coordinates
POINT ClientOriginInScreen(const Window* w);
POINT ClientOriginInTop(const Window* w);    // client origin in the top-level window's pixels
POINT WindowOriginInTop(const Window* w);
RECT ScrollBarRectInWindow(const Window* w, int bar);  // empty when the bar is not shown
bool IsVisible(const Window* w);             // the window and every ancestor
bool IsEnabledChain(const Window* w);

// Calls the window's procedure (the unit every send goes through).
LRESULT Deliver(Window* w, UINT msg, WPARAM wParam, LPARAM lParam);

// Painting internals shared with the scroll bars and the menu windows.
// childMode: 0 children too unless the window clips them (WS_CLIPCHILDREN), 1 always, 2 never.
void InvalidateClient(Window* w, const cairo_region_t* region, bool erase, int childMode);
cairo_region_t* VisibleRegion(const Window* w, bool clientOnly, bool clipChildren);  // top-level pixels
bool NeedsPaint(const Window* w);
void InvalidateNonClient(Window* w);
void DropSurface(Window* top);
void EnsureSurface(Window* top);
bool PaintPendingWindow();  // sends one WM_PAINT, if any window needs it
bool FindPaintTarget(HWND* target);
void NotifyDirty(Window* w, const RECT& rectInTop);
void DrawNonClient(Window* w);

// Scroll bar internals.
LRESULT ScrollBarNcHitTest(Window* w, POINT screen);
bool ScrollBarTrackingActive();
void ScrollBarMouseDown(Window* w, int hit, POINT screen);
bool ScrollBarHandleInput(UINT msg, POINT screen);  // true when tracking consumed it
void ScrollBarTimer();
uint64_t ScrollBarRepeatDue();
uint64_t CaretBlinkDue();  // UINT64_MAX when the caret does not blink
void CaretBlink();  // UINT64_MAX when no repeat is pending
void PaintScrollBars(Window* w, HDC windowDc);
void ScrollBarCancel();

// Focus, capture and activation internals.
void ForgetWindowInput(Window* w);
void ActivateOnShow(Window* w);
void ActivateWindow(Window* top, WORD how);  // null deactivates

// Timers.
void RemoveWindowTimers(HWND hwnd);
bool NextTimerDue(uint64_t* dueMs);

// Message queue.
void RemoveWindowMessages(HWND hwnd);

}  // namespace nbp::user

namespace nbp::user {
Window* WindowAtScreenPoint(POINT screen);
}  // namespace nbp::user
