// Sending, posting and retrieving messages, and timers.
//
// Retrieval follows the window system's priorities: posted messages first,
// then input (turned into messages as it is retrieved, so that hit-testing and
// focus see the state left by earlier messages), then paint, then timers.
#include <algorithm>
#include <cstdio>

#include "nbp/clock.h"
#include "nbp/desktop.h"
#include "user/window/user_state.h"
#include "user/window/window.h"
#include "nbp/time_parts.h"

namespace nbp::user {

State& Sys() {
  static State state;
  return state;
}

UINT TimeNow() { return static_cast<UINT>(nbp::clock::NowMs()); }

void RemoveWindowMessages(HWND hwnd) {
  auto& s = Sys();
  auto gone = [hwnd](const MSG& m) { return m.hwnd == hwnd; };
  s.posted.erase(std::remove_if(s.posted.begin(), s.posted.end(), gone), s.posted.end());
  s.cooked.erase(std::remove_if(s.cooked.begin(), s.cooked.end(), gone), s.cooked.end());
}

void RemoveWindowTimers(HWND hwnd) {
  auto& t = Sys().timers;
  t.erase(std::remove_if(t.begin(), t.end(), [hwnd](const Timer& x) { return x.hwnd == hwnd; }), t.end());
}

bool NextTimerDue(uint64_t* dueMs) {
  bool any = false;
  uint64_t best = UINT64_MAX;
  for (const Timer& t : Sys().timers) {
    any = true;
    best = std::min(best, t.due);
  }
  if (ScrollBarTrackingActive()) {
    // The scroll bar's own repeat runs on the same clock.
    uint64_t d = ScrollBarRepeatDue();
    if (d != UINT64_MAX) {
      any = true;
      best = std::min(best, d);
    }
  }
  if (CaretBlinkDue() != UINT64_MAX) {
    any = true;
    best = std::min(best, CaretBlinkDue());
  }
  if (any && dueMs) *dueMs = best;
  return any;
}

namespace {

bool Matches(const MSG& m, HWND filter, UINT lo, UINT hi) {
  if (filter && m.hwnd != filter && !IsChild(filter, m.hwnd)) return false;
  if (lo == 0 && hi == 0) return true;
  return m.message >= lo && m.message <= hi;
}

MSG Make(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  MSG m{hwnd, msg, wParam, lParam, TimeNow(), Sys().cursor};
  return m;
}

// Takes the first message that matches, in priority order. Returns false
// when there is none.
bool Take(MSG* out, HWND filter, UINT lo, UINT hi, bool remove) {
  auto& s = Sys();
  for (auto it = s.posted.begin(); it != s.posted.end(); ++it) {
    if (!Matches(*it, filter, lo, hi)) continue;
    *out = *it;
    if (remove) s.posted.erase(it);
    return true;
  }
  if (s.quitPosted && (lo == 0 && hi == 0 ? true : (WM_QUIT >= lo && WM_QUIT <= hi))) {
    *out = Make(nullptr, WM_QUIT, static_cast<WPARAM>(s.quitCode), 0);
    if (remove) s.quitPosted = false;
    return true;
  }
  // Input is turned into messages only when the posted queue is empty.
  while (true) {
    for (auto it = s.cooked.begin(); it != s.cooked.end(); ++it) {
      if (!Matches(*it, filter, lo, hi)) continue;
      *out = *it;
      if (remove) s.cooked.erase(it);
      return true;
    }
    if (!s.posted.empty() || !CookNextInput()) break;
    // Cooking may post (WM_MOUSELEAVE): posted messages keep their priority.
    for (auto it = s.posted.begin(); it != s.posted.end(); ++it) {
      if (!Matches(*it, filter, lo, hi)) continue;
      *out = *it;
      if (remove) s.posted.erase(it);
      return true;
    }
  }
  if (lo == 0 && hi == 0 ? true : (WM_PAINT >= lo && WM_PAINT <= hi)) {
    HWND target = nullptr;
    if (filter) {
      Window* f = FromHandle(filter);
      if (f && IsVisible(f) && NeedsPaint(f)) target = filter;
    } else {
      FindPaintTarget(&target);
    }
    if (target) {
      *out = Make(target, WM_PAINT, 0, 0);
      return true;  // WM_PAINT stays until the window is validated
    }
  }
  uint64_t now = nbp::clock::NowMs();
  if (ScrollBarTrackingActive()) {
    if (ScrollBarRepeatDue() <= now) ScrollBarTimer();
  }
  if (CaretBlinkDue() <= now) CaretBlink();
  if (lo == 0 && hi == 0 ? true : (WM_TIMER >= lo && WM_TIMER <= hi)) {
    Timer* due = nullptr;
    for (Timer& t : s.timers) {
      if (t.due > now) continue;
      if (filter && t.hwnd != filter && !IsChild(filter, t.hwnd)) continue;
      if (!due || t.due < due->due) due = &t;
    }
    if (due) {
      *out = Make(due->hwnd, WM_TIMER, due->id, reinterpret_cast<LPARAM>(due->proc));
      // A timer that was late fires once, then waits a whole period again.
      if (remove) due->due = now + std::max<UINT>(due->period, 1);
      return true;
    }
  }
  return false;
}

}  // namespace

void PostInputMessage(const MSG& msg) { Sys().cooked.push_back(msg); }

}  // namespace nbp::user

using namespace nbp::user;

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(hwnd);
  if (!w) return 0;
  return Deliver(w, msg, wParam, lParam);
}

BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd && !FromHandle(hwnd)) return FALSE;
  Sys().posted.push_back(MSG{hwnd, msg, wParam, lParam, TimeNow(), Sys().cursor});
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  Sys().quitPosted = true;
  Sys().quitCode = exitCode;
}

BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
  FreeGraveyard();
  MSG m{};
  if (!Take(&m, hwnd, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0)) return FALSE;
  if (msg) *msg = m;
  if (removeFlags & PM_REMOVE) Sys().lastMessage = m;
  return TRUE;
}

BOOL GetMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  MSG m{};
  while (true) {
    FreeGraveyard();
    if (Take(&m, hwnd, filterMin, filterMax, true)) break;
    uint64_t due = 0;
    uint32_t timeout = UINT32_MAX;
    if (NextTimerDue(&due)) {
      uint64_t now = nbp::clock::NowMs();
      timeout = due > now ? static_cast<uint32_t>(std::min<uint64_t>(due - now, UINT32_MAX - 1)) : 0;
    }
    if (!nbp::CurrentDesktop().WaitForInput(timeout)) {
      // Nothing will ever arrive: end the loop rather than hang.
      fprintf(stderr, "nbp: a message loop waits for input that will not come; ending it\n");
      m = MSG{nullptr, WM_QUIT, 0, 0, TimeNow(), Sys().cursor};
      break;
    }
  }
  if (msg) *msg = m;
  Sys().lastMessage = m;
  return m.message == WM_QUIT ? FALSE : TRUE;
}

BOOL WaitMessage() {
  MSG m;
  if (PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
  uint64_t due = 0;
  uint32_t timeout = UINT32_MAX;
  if (NextTimerDue(&due)) {
    uint64_t now = nbp::clock::NowMs();
    timeout = due > now ? static_cast<uint32_t>(due - now) : 0;
  }
  return nbp::CurrentDesktop().WaitForInput(timeout) ? TRUE : FALSE;
}

LRESULT DispatchMessage(const MSG* msg) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    proc(msg->hwnd, WM_TIMER, msg->wParam, TimeNow());
    return 0;
  }
  Window* w = FromHandle(msg->hwnd);
  if (!w) return 0;
  unsigned paints = w->beginPaintCount;
  LRESULT r = Deliver(w, msg->message, msg->wParam, msg->lParam);
  if (msg->message == WM_PAINT) {
    // A window that ignored its WM_PAINT is validated so that the loop does
    // not spin on it; one that painted and invalidated itself again keeps
    // the new update region.
    if ((w = FromHandle(msg->hwnd)) && w->beginPaintCount == paints && NeedsPaint(w)) {
      PAINTSTRUCT ps;
      if (BeginPaint(msg->hwnd, &ps)) EndPaint(msg->hwnd, &ps);
    }
  }
  return r;
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!proc) return 0;
  ++Sys().sendDepth;
  LRESULT r = proc(hwnd, msg, wParam, lParam);
  --Sys().sendDepth;
  return r;
}

BOOL InSendMessage() { return FALSE; }
DWORD GetMessageTime() { return Sys().lastMessage.time; }
DWORD GetMessagePos() {
  return static_cast<DWORD>(MAKELONG(static_cast<WORD>(Sys().lastMessage.pt.x), static_cast<WORD>(Sys().lastMessage.pt.y)));
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (hwnd && !FromHandle(hwnd)) return 0;
  // Periods below the window system's minimum run at the minimum.
  elapse = std::max<UINT>(elapse, 10);
  auto& timers = Sys().timers;
  if (!hwnd) id = ++Sys().nextTimerId;
  uint64_t due = nbp::clock::NowMs() + elapse;
  for (Timer& t : timers) {
    if (t.hwnd == hwnd && t.id == id) {
      t.period = elapse;
      t.proc = proc;
      t.due = due;
      return hwnd ? (id ? id : 1) : id;
    }
  }
  timers.push_back(Timer{hwnd, id, elapse, proc, due});
  return hwnd ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  auto& timers = Sys().timers;
  auto it = std::find_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
  if (it == timers.end()) return FALSE;
  timers.erase(it);
  // A WM_TIMER already retrieved is not taken back; none is queued ahead.
  return TRUE;
}

DWORD GetTickCount() { return static_cast<DWORD>(nbp::clock::NowMs()); }

static void FillSystemTime(const struct tm& t, LPSYSTEMTIME st) {
  *st = nbp::time_parts::ToSystemTime(t);
  st->wMilliseconds = static_cast<WORD>(nbp::clock::WallMillis());
}

void GetLocalTime(LPSYSTEMTIME st) {
  if (!st) return;
  time_t now = nbp::clock::WallTime();
  struct tm t{};
  localtime_r(&now, &t);
  FillSystemTime(t, st);
}

void GetSystemTime(LPSYSTEMTIME st) {
  if (!st) return;
  time_t now = nbp::clock::WallTime();
  struct tm t{};
  gmtime_r(&now, &t);
  FillSystemTime(t, st);
}

UINT GetDoubleClickTime() { return Sys().doubleClickTime; }
BOOL SetDoubleClickTime(UINT ms) {
  Sys().doubleClickTime = ms ? ms : 500;
  return TRUE;
}

bool nbp::NextTimerDueMs(uint64_t* dueMs) { return nbp::user::NextTimerDue(dueMs); }
