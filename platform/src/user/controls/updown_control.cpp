// The up-down (spin) control, class "msctls_updown32": two arrows that step a
// position within a range, asking the parent first (UDN_DELTAPOS) and telling
// it after (WM_VSCROLL or WM_HSCROLL), optionally showing the position in a
// buddy window and stepping from the buddy's arrow keys.
//
//   vertical        horizontal (UDS_HORZ)
//   ┌────┐          ┌────┬────┐
//   │ ▲  │ incr     │ ◀  │ ▶  │
//   ├────┤          │decr│incr│
//   │ ▼  │ decr     └────┴────┘
//   └────┘
//
// "incr" moves toward the range's maximum, which may be the smaller number:
// the default range runs from 100 down to 0.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "nbp/clock.h"
#include "user/window/system_classes.h"
#include "win/commctrl_updown.h"
#include "win/controls.h"
#include "win/gdi.h"

namespace nbp::user {
namespace {

enum class Arrow { kNone, kIncr, kDecr };

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 500;
constexpr UINT kRepeatMs = 50;
constexpr int kAlignedWidth = 16;
constexpr char kPrevProcProp[] = "NbUpDownPrevProc";
constexpr char kOwnerProp[] = "NbUpDownOwner";

struct UpDown {
  HWND hwnd = nullptr;
  int minVal = 100;
  int maxVal = 0;
  int pos = 0;
  int base = 10;
  HWND buddy = nullptr;
  std::vector<UDACCEL> accel;  // empty: every step is 1
  Arrow pressed = Arrow::kNone;
  bool mouseIn = false;        // the mouse is on the pressed arrow
  bool repeating = false;      // the first repeat has come
  uint64_t pressedAt = 0;
};

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)); }
bool Horizontal(const UpDown* u) { return (StyleOf(u->hwnd) & UDS_HORZ) != 0; }
int Low(const UpDown* u) { return std::min(u->minVal, u->maxVal); }
int High(const UpDown* u) { return std::max(u->minVal, u->maxVal); }
bool InRange(const UpDown* u, long long v) { return v >= Low(u) && v <= High(u); }

RECT ArrowRect(const UpDown* u, Arrow a) {
  RECT r{};
  GetClientRect(u->hwnd, &r);
  if (Horizontal(u)) {
    int mid = (r.left + r.right) / 2;
    return a == Arrow::kDecr ? RECT{r.left, r.top, mid, r.bottom} : RECT{mid, r.top, r.right, r.bottom};
  }
  int mid = (r.top + r.bottom) / 2;
  return a == Arrow::kIncr ? RECT{r.left, r.top, r.right, mid} : RECT{r.left, mid, r.right, r.bottom};
}

Arrow ArrowAt(const UpDown* u, POINT p) {
  for (Arrow a : {Arrow::kIncr, Arrow::kDecr}) {
    RECT r = ArrowRect(u, a);
    if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return a;
  }
  return Arrow::kNone;
}

bool IsSetBuddyInt(const UpDown* u) { return (StyleOf(u->hwnd) & UDS_SETBUDDYINT) && IsWindow(u->buddy); }

std::string Format(const UpDown* u, int value) {
  char buf[32];
  if (u->base == 16) {
    snprintf(buf, sizeof buf, "0x%04X", static_cast<unsigned>(value));
    return buf;
  }
  snprintf(buf, sizeof buf, "%d", value);
  if (StyleOf(u->hwnd) & UDS_NOTHOUSANDS) return buf;
  std::string_view digits = buf;
  std::string out;
  if (digits[0] == '-') {
    out += '-';
    digits.remove_prefix(1);
  }
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

// Reads the position back from the buddy's text, which the user may have
// typed; text that is not a number in range leaves the position as it was.
bool GetBuddyInt(UpDown* u) {
  if (!IsSetBuddyInt(u)) return false;
  char text[64] = {};
  GetWindowText(u->buddy, text, sizeof text);
  std::string digits;
  for (const char* c = text; *c; ++c) {
    if (*c != ',' && *c != ' ') digits += *c;
  }
  if (digits.empty()) return false;
  char* end = nullptr;
  long value = u->base == 16 ? std::strtol(digits.c_str(), &end, 16) : std::strtol(digits.c_str(), &end, 10);
  if (*end || !InRange(u, value)) return false;
  u->pos = static_cast<int>(value);
  return true;
}

void SetBuddyInt(const UpDown* u) {
  if (!IsSetBuddyInt(u)) return;
  std::string text = Format(u, u->pos);
  char old[64] = {};
  GetWindowText(u->buddy, old, sizeof old);
  if (text != old) SetWindowText(u->buddy, text.c_str());
}

// Applies a step, wrapping with UDS_WRAP and stopping at the ends otherwise.
bool Offset(UpDown* u, int delta) {
  long long target = static_cast<long long>(u->pos) + delta;
  if (!InRange(u, target)) {
    if (StyleOf(u->hwnd) & UDS_WRAP) {
      long long span = static_cast<long long>(High(u)) - Low(u) + 1;
      target = Low(u) + (((target - Low(u)) % span) + span) % span;
    } else {
      target = std::clamp<long long>(target, Low(u), High(u));
    }
  }
  bool changed = target != u->pos;
  u->pos = static_cast<int>(target);
  return changed;
}

int StepSize(const UpDown* u) {
  if (u->accel.empty()) return 1;
  uint64_t held = (nbp::clock::NowMs() - u->pressedAt) / 1000;
  int step = static_cast<int>(u->accel[0].nInc);
  for (const UDACCEL& a : u->accel) {
    if (held >= a.nSec) step = static_cast<int>(a.nInc);
  }
  return step;
}

void Redraw(const UpDown* u) { RedrawWindow(u->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

// One step: the parent may change or refuse it; it hears the position after
// in every case.
void Step(UpDown* u, Arrow arrow, int size) {
  HWND hwnd = u->hwnd;
  int delta = size * (arrow == Arrow::kIncr ? 1 : -1) * (u->maxVal < u->minVal ? -1 : 1);
  NMUPDOWN nm{};
  nm.hdr.hwndFrom = hwnd;
  nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
  nm.hdr.code = UDN_DELTAPOS;
  nm.iPos = u->pos;
  nm.iDelta = delta;
  HWND parent = GetParent(hwnd);
  LRESULT refused = parent ? SendMessage(parent, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm)) : 0;
  if (ControlState<UpDown>(hwnd) != u || !IsWindow(hwnd)) return;
  if (!refused && Offset(u, nm.iDelta)) SetBuddyInt(u);
  if (ControlState<UpDown>(hwnd) != u || !IsWindow(hwnd)) return;
  if (parent) {
    SendMessage(parent, Horizontal(u) ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, u->pos),
                reinterpret_cast<LPARAM>(hwnd));
  }
}

void EndPress(UpDown* u, bool notify) {
  if (u->pressed == Arrow::kNone) return;
  HWND hwnd = u->hwnd;
  u->pressed = Arrow::kNone;
  u->mouseIn = false;
  u->repeating = false;
  KillTimer(hwnd, kRepeatTimer);
  if (GetCapture() == hwnd) ReleaseCapture();
  Redraw(u);
  HWND parent = GetParent(hwnd);
  if (notify && parent) {
    SendMessage(parent, Horizontal(u) ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, u->pos),
                reinterpret_cast<LPARAM>(hwnd));
  }
}

// --- The buddy's arrow keys (UDS_ARROWKEYS): the buddy is subclassed, as the
// common controls do, and Up and Down step the control instead.

LRESULT BuddyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto previous = reinterpret_cast<WNDPROC>(GetProp(hwnd, kPrevProcProp));
  auto owner = static_cast<HWND>(GetProp(hwnd, kOwnerProp));
  UpDown* u = owner && IsWindow(owner) ? ControlState<UpDown>(owner) : nullptr;
  if (u && msg == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN) && IsWindowEnabled(owner)) {
    GetBuddyInt(u);
    Step(u, wParam == VK_UP ? Arrow::kIncr : Arrow::kDecr, u->accel.empty() ? 1 : static_cast<int>(u->accel[0].nInc));
    return 0;
  }
  if (u && msg == WM_KEYUP && (wParam == VK_UP || wParam == VK_DOWN)) return 0;
  if (msg == WM_NCDESTROY) {
    RemoveProp(hwnd, kOwnerProp);
    RemoveProp(hwnd, kPrevProcProp);
    if (previous && reinterpret_cast<WNDPROC>(GetWindowLongPtr(hwnd, GWL_WNDPROC)) == &BuddyProc)
      SetWindowLongPtr(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  }
  return previous ? CallWindowProc(previous, hwnd, msg, wParam, lParam) : DefWindowProc(hwnd, msg, wParam, lParam);
}

void ReleaseBuddy(UpDown* u) {
  HWND buddy = u->buddy;
  if (!IsWindow(buddy) || GetProp(buddy, kOwnerProp) != u->hwnd) return;
  auto previous = reinterpret_cast<WNDPROC>(GetProp(buddy, kPrevProcProp));
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtr(buddy, GWL_WNDPROC)) == &BuddyProc) {
    SetWindowLongPtr(buddy, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemoveProp(buddy, kPrevProcProp);
    RemoveProp(buddy, kOwnerProp);
  } else {
    // Someone subclassed the buddy after us: our procedure stays in the
    // chain and only passes messages on.
    SetProp(buddy, kOwnerProp, nullptr);
  }
}

void HookBuddy(UpDown* u) {
  HWND buddy = u->buddy;
  if (!(StyleOf(u->hwnd) & UDS_ARROWKEYS) || !IsWindow(buddy)) return;
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtr(buddy, GWL_WNDPROC)) != &BuddyProc && !GetProp(buddy, kPrevProcProp)) {
    LONG_PTR previous = SetWindowLongPtr(buddy, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&BuddyProc));
    SetProp(buddy, kPrevProcProp, reinterpret_cast<HANDLE>(previous));
  }
  SetProp(buddy, kOwnerProp, u->hwnd);
}

// UDS_ALIGNLEFT/UDS_ALIGNRIGHT: the buddy gives up room at its side and the
// control takes it, as tall as the buddy.
void AlignToBuddy(UpDown* u) {
  DWORD style = StyleOf(u->hwnd);
  if (!(style & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT)) || !IsWindow(u->buddy)) return;
  RECT b{};
  GetWindowRect(u->buddy, &b);
  HWND parent = GetParent(u->buddy);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&b), 2);
  int x;
  if (style & UDS_ALIGNLEFT) {
    x = b.left;
    b.left += kAlignedWidth;
  } else {
    b.right -= kAlignedWidth;
    x = b.right;
  }
  SetWindowPos(u->buddy, nullptr, b.left, b.top, b.right - b.left, b.bottom - b.top, SWP_NOACTIVATE | SWP_NOZORDER);
  SetWindowPos(u->hwnd, nullptr, x, b.top, kAlignedWidth, b.bottom - b.top, SWP_NOACTIVATE | SWP_NOZORDER);
}

HWND SetBuddy(UpDown* u, HWND buddy) {
  HWND old = u->buddy;
  ReleaseBuddy(u);
  u->buddy = IsWindow(buddy) ? buddy : nullptr;
  HookBuddy(u);
  AlignToBuddy(u);
  SetBuddyInt(u);
  return old;
}

void Paint(UpDown* u, HDC dc) {
  bool enabled = IsWindowEnabled(u->hwnd) != 0;
  bool horizontal = Horizontal(u);
  for (Arrow a : {Arrow::kIncr, Arrow::kDecr}) {
    RECT r = ArrowRect(u, a);
    UINT kind = horizontal ? (a == Arrow::kIncr ? DFCS_SCROLLRIGHT : DFCS_SCROLLLEFT)
                           : (a == Arrow::kIncr ? DFCS_SCROLLUP : DFCS_SCROLLDOWN);
    if (u->pressed == a && u->mouseIn) kind |= DFCS_PUSHED;
    if (!enabled) kind |= DFCS_INACTIVE;
    DrawFrameControl(dc, &r, DFC_SCROLL, kind);
  }
}

void SetPos(UpDown* u, long long value) {
  u->pos = static_cast<int>(std::clamp<long long>(value, Low(u), High(u)));
  SetBuddyInt(u);
}

LRESULT GetPos(UpDown* u, BOOL* failed) {
  bool ok = IsSetBuddyInt(u) ? GetBuddyInt(u) : true;
  if (!InRange(u, u->pos)) {
    u->pos = std::clamp(u->pos, Low(u), High(u));
    ok = false;
  }
  if (failed) *failed = ok ? FALSE : TRUE;
  return u->pos;
}

LRESULT OnPaint(UpDown* u) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(u->hwnd, &ps);
  if (dc) Paint(u, dc);
  EndPaint(u->hwnd, &ps);
  return 0;
}

LRESULT OnLButtonDown(UpDown* u, POINT pt) {
  HWND hwnd = u->hwnd;
  Arrow a = ArrowAt(u, pt);
  if (a == Arrow::kNone || u->pressed != Arrow::kNone) return 0;
  // The buddy takes the focus, so that typing goes on there.
  if (IsWindow(u->buddy) && GetFocus() != u->buddy) {
    SetFocus(u->buddy);
    if (ControlState<UpDown>(hwnd) != u) return 0;
  }
  SetCapture(hwnd);
  u->pressed = a;
  u->mouseIn = true;
  u->repeating = false;
  u->pressedAt = nbp::clock::NowMs();
  Redraw(u);
  GetBuddyInt(u);
  Step(u, a, StepSize(u));
  if (ControlState<UpDown>(hwnd) == u && u->pressed != Arrow::kNone) SetTimer(hwnd, kRepeatTimer, kFirstRepeatMs, nullptr);
  return 0;
}

LRESULT OnMouseMove(UpDown* u, POINT pt) {
  if (u->pressed == Arrow::kNone) return 0;
  bool in = ArrowAt(u, pt) == u->pressed;
  if (in != u->mouseIn) {
    u->mouseIn = in;
    Redraw(u);
  }
  return 0;
}

LRESULT OnTimer(UpDown* u, WPARAM id) {
  if (id != kRepeatTimer || u->pressed == Arrow::kNone) return 0;
  if (!u->repeating) {
    // Held past the first delay: repeat quickly from now on.
    u->repeating = true;
    SetTimer(u->hwnd, kRepeatTimer, kRepeatMs, nullptr);
  }
  if (u->mouseIn) Step(u, u->pressed, StepSize(u));
  return 0;
}

LRESULT OnSetAccel(UpDown* u, size_t count, const UDACCEL* table) {
  if (!table && count) return FALSE;
  u->accel.assign(table, table + count);
  return TRUE;
}

LRESULT OnGetAccel(const UpDown* u, size_t room, UDACCEL* out) {
  size_t n = std::min<size_t>(room, u->accel.size());
  if (out) std::copy(u->accel.begin(), u->accel.begin() + static_cast<std::ptrdiff_t>(n), out);
  return static_cast<LRESULT>(u->accel.size());
}

LRESULT OnSetBase(UpDown* u, WPARAM base) {
  if (base != 10 && base != 16) return 0;
  int old = u->base;
  u->base = static_cast<int>(base);
  SetBuddyInt(u);
  return old;
}

// The range and position messages.
LRESULT OnValueMessage(UpDown* u, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case UDM_SETRANGE:
      u->maxVal = static_cast<short>(LOWORD(lParam));
      u->minVal = static_cast<short>(HIWORD(lParam));
      return 0;
    case UDM_GETRANGE: return static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(u->maxVal, u->minVal)));
    case UDM_SETRANGE32:
      u->minVal = static_cast<int>(wParam);
      u->maxVal = static_cast<int>(lParam);
      return 0;
    case UDM_GETRANGE32:
      if (wParam) *reinterpret_cast<int*>(wParam) = u->minVal;
      if (lParam) *reinterpret_cast<int*>(lParam) = u->maxVal;
      return 0;
    case UDM_SETPOS: {
      int old = u->pos;
      SetPos(u, static_cast<short>(LOWORD(lParam)));
      return static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(old, 0)));
    }
    case UDM_GETPOS: {
      BOOL failed = FALSE;
      LRESULT pos = GetPos(u, &failed);
      return static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(pos, failed)));
    }
    case UDM_SETPOS32: {
      int old = u->pos;
      SetPos(u, static_cast<int>(lParam));
      return old;
    }
    case UDM_GETPOS32: return GetPos(u, reinterpret_cast<BOOL*>(lParam));
    default: return 0;
  }
}

}  // namespace

LRESULT UpDownProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  UpDown* u = ControlState<UpDown>(hwnd);
  if (msg == WM_NCCREATE) {
    CreateControlState<UpDown>(hwnd)->hwnd = hwnd;
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  if (!u) return DefWindowProc(hwnd, msg, wParam, lParam);
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (msg) {
    case WM_CREATE:
      if (StyleOf(hwnd) & UDS_AUTOBUDDY) SetBuddy(u, GetWindow(hwnd, GW_HWNDPREV));
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd, kRepeatTimer);
      ReleaseBuddy(u);
      return 0;
    case WM_NCDESTROY:
      DeleteControlState<UpDown>(hwnd);
      return 0;
    case WM_PAINT: return OnPaint(u);
    case WM_ERASEBKGND: return 1;  // the arrows cover the whole client area
    case WM_ENABLE:
      if (!wParam) EndPress(u, true);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return OnLButtonDown(u, pt);
    case WM_MOUSEMOVE: return OnMouseMove(u, pt);
    case WM_LBUTTONUP: EndPress(u, true); return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != hwnd) EndPress(u, true);
      return 0;
    case WM_TIMER: return OnTimer(u, wParam);
    case UDM_SETRANGE:
    case UDM_GETRANGE:
    case UDM_SETRANGE32:
    case UDM_GETRANGE32:
    case UDM_SETPOS:
    case UDM_GETPOS:
    case UDM_SETPOS32:
    case UDM_GETPOS32: return OnValueMessage(u, msg, wParam, lParam);
    case UDM_SETBUDDY: return reinterpret_cast<LRESULT>(SetBuddy(u, reinterpret_cast<HWND>(wParam)));
    case UDM_GETBUDDY: return reinterpret_cast<LRESULT>(u->buddy);
    case UDM_SETACCEL: return OnSetAccel(u, wParam, reinterpret_cast<const UDACCEL*>(lParam));
    case UDM_GETACCEL: return OnGetAccel(u, wParam, reinterpret_cast<UDACCEL*>(lParam));
    case UDM_SETBASE: return OnSetBase(u, wParam);
    case UDM_GETBASE: return u->base;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace nbp::user

HWND CreateUpDownControl(DWORD style, int x, int y, int cx, int cy, HWND parent, int id, HINSTANCE instance,
                         HWND buddy, int upper, int lower, int pos) {
  HWND hwnd = CreateWindowEx(0, UPDOWN_CLASS, nullptr, style, x, y, cx, cy, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (!hwnd) return nullptr;
  SendMessage(hwnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  SendMessage(hwnd, UDM_SETRANGE, 0, MAKELPARAM(upper, lower));
  SendMessage(hwnd, UDM_SETPOS, 0, MAKELPARAM(pos, 0));
  return hwnd;
}
