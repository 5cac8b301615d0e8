// The caret: one per desktop, owned by a window, drawn by inverting its
// rectangle in the owner's pixels so that drawing it twice removes it.
#include "nbp/clock.h"
#include "user/window/user_state.h"
#include "user/window/window.h"
#include "win/gdi.h"

namespace nbp::user {
namespace {

bool g_drawn = false;        // the caret's pixels are inverted right now
uint64_t g_nextBlink = UINT64_MAX;

void Invert() {
  State& s = Sys();
  HDC dc = GetDC(s.caretOwner);
  if (!dc) return;
  RECT r{s.caretPos.x, s.caretPos.y, s.caretPos.x + s.caretSize.cx, s.caretPos.y + s.caretSize.cy};
  InvertRect(dc, &r);
  ReleaseDC(s.caretOwner, dc);
  g_drawn = !g_drawn;
}

void Erase() {
  if (g_drawn && FromHandle(Sys().caretOwner)) Invert();
  g_drawn = false;
}

void Restart() {
  // A caret that moves or appears shows at once, then blinks.
  if (Sys().caretHide == 0 && FromHandle(Sys().caretOwner)) {
    if (!g_drawn) Invert();
    g_nextBlink = nbp::clock::NowMs() + GetCaretBlinkTime();
  } else {
    g_nextBlink = UINT64_MAX;
  }
}

}  // namespace

uint64_t CaretBlinkDue() { return g_nextBlink; }

void CaretBlink() {
  if (g_nextBlink == UINT64_MAX) return;
  if (Sys().caretHide != 0 || !FromHandle(Sys().caretOwner)) {
    g_nextBlink = UINT64_MAX;
    return;
  }
  Invert();
  g_nextBlink = nbp::clock::NowMs() + GetCaretBlinkTime();
}

}  // namespace nbp::user

using namespace nbp::user;

BOOL CreateCaret(HWND hwnd, HBITMAP, int width, int height) {
  if (!FromHandle(hwnd)) return FALSE;
  DestroyCaret();
  State& s = Sys();
  s.caretOwner = hwnd;
  s.caretSize = SIZE{width > 0 ? width : GetSystemMetrics(SM_CXBORDER), height > 0 ? height : 16};
  s.caretPos = POINT{0, 0};
  s.caretHide = 1;
  return TRUE;
}

BOOL DestroyCaret() {
  State& s = Sys();
  if (!s.caretOwner) return FALSE;
  Erase();
  s.caretOwner = nullptr;
  s.caretHide = 1;
  g_nextBlink = UINT64_MAX;
  return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
  State& s = Sys();
  if (!s.caretOwner || (hwnd && hwnd != s.caretOwner)) return FALSE;
  if (s.caretHide > 0 && --s.caretHide == 0) Restart();
  return TRUE;
}

BOOL HideCaret(HWND hwnd) {
  State& s = Sys();
  if (!s.caretOwner || (hwnd && hwnd != s.caretOwner)) return FALSE;
  if (s.caretHide++ == 0) {
    Erase();
    g_nextBlink = UINT64_MAX;
  }
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  State& s = Sys();
  if (!s.caretOwner) return FALSE;
  if (s.caretPos.x == x && s.caretPos.y == y) return TRUE;
  Erase();
  s.caretPos = POINT{x, y};
  Restart();
  return TRUE;
}

BOOL GetCaretPos(LPPOINT point) {
  if (!point || !Sys().caretOwner) return FALSE;
  *point = Sys().caretPos;
  return TRUE;
}

UINT GetCaretBlinkTime() { return 530; }
