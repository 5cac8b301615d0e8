// The user's input: turning mouse and keyboard events into window messages
// (hit-testing, capture, activation, double clicks, key state), keyboard
// focus, activation, capture and mouse-leave tracking.
#include <algorithm>
#include <cstdlib>

#include "nbp/clock.h"
#include "nbp/desktop.h"
#include "nbp/ime.h"
#include "user/input/keyboard_layout.h"
#include "user/window/user_state.h"
#include "user/window/window.h"
#include "win/mbstring.h"

namespace nbp::input {

using nbp::user::RawInput;
using nbp::user::Sys;

namespace {
void Push(RawInput in) {
  in.time = nbp::user::TimeNow();
  Sys().input.push_back(in);
}
int ButtonIndex(Button b) { return b == Button::Left ? 0 : b == Button::Right ? 1 : 2; }
const UINT kButtonVk[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
}  // namespace

void MouseMove(POINT screen) {
  Sys().cursor = screen;
  RawInput in;
  in.kind = RawInput::MouseMove;
  in.pt = screen;
  Push(in);
}

void MouseButton(Button button, bool down, POINT screen) {
  Sys().cursor = screen;
  int b = ButtonIndex(button);
  Sys().asyncKeys[kButtonVk[b]] = down ? 0x80 : 0;
  RawInput in;
  in.kind = RawInput::MouseButton;
  in.pt = screen;
  in.button = b;
  in.down = down;
  Push(in);
}

void MouseWheel(int delta, POINT screen) {
  RawInput in;
  in.kind = RawInput::Wheel;
  in.pt = screen;
  in.delta = delta;
  Push(in);
}

void Key(UINT vk, bool down, bool extended, UINT scanCode) {
  vk &= 0xFF;
  Sys().asyncKeys[vk] = down ? 0x80 : 0;
  RawInput in;
  in.kind = RawInput::Key;
  in.vk = vk;
  in.down = down;
  in.extended = extended || nbp::user::IsExtendedByDefault(vk);
  in.scan = scanCode ? scanCode : nbp::user::ScanCodeOf(vk);
  Push(in);
}

void Text(const std::string& utf8) {
  if (_mbslen(reinterpret_cast<const unsigned char*>(utf8.c_str())) > 1) {
    // Several characters at once (an input method's commit) go in as one,
    // so that an edit control takes them as one change.
    RawInput in;
    in.kind = RawInput::Text;
    in.text = utf8;
    Push(std::move(in));
    return;
  }
  for (unsigned char c : utf8) {
    RawInput in;
    in.kind = RawInput::Char;
    in.ch = c;
    Push(in);
  }
}

}  // namespace nbp::input

namespace nbp::user {
namespace {

bool Down(BYTE state) { return (state & 0x80) != 0; }

WPARAM MouseKeyFlags() {
  const BYTE* k = Sys().keys;
  WPARAM f = 0;
  if (Down(k[VK_LBUTTON])) f |= MK_LBUTTON;
  if (Down(k[VK_RBUTTON])) f |= MK_RBUTTON;
  if (Down(k[VK_MBUTTON])) f |= MK_MBUTTON;
  if (Down(k[VK_SHIFT])) f |= MK_SHIFT;
  if (Down(k[VK_CONTROL])) f |= MK_CONTROL;
  return f;
}

void SetKey(UINT vk, bool down) {
  BYTE& s = Sys().keys[vk];
  if (down && !Down(s)) s ^= 0x01;  // the toggle bit flips on each press
  s = static_cast<BYTE>((s & 0x01) | (down ? 0x80 : 0));
}

void UpdateKeyState(UINT vk, bool down, bool extended) {
  SetKey(vk, down);
  switch (vk) {
    case VK_SHIFT: SetKey(VK_LSHIFT, down); break;
    case VK_CONTROL: SetKey(extended ? VK_RCONTROL : VK_LCONTROL, down); break;
    case VK_MENU: SetKey(extended ? VK_RMENU : VK_LMENU, down); break;
    case VK_LSHIFT: case VK_RSHIFT: SetKey(VK_SHIFT, Down(Sys().keys[VK_LSHIFT]) || Down(Sys().keys[VK_RSHIFT])); break;
    case VK_LCONTROL: case VK_RCONTROL: SetKey(VK_CONTROL, Down(Sys().keys[VK_LCONTROL]) || Down(Sys().keys[VK_RCONTROL])); break;
    case VK_LMENU: case VK_RMENU: SetKey(VK_MENU, Down(Sys().keys[VK_LMENU]) || Down(Sys().keys[VK_RMENU])); break;
    default: break;
  }
}

LPARAM ClientPoint(Window* w, POINT screen) {
  POINT o = ClientOriginInScreen(w);
  return MAKELPARAM(static_cast<WORD>(screen.x - o.x), static_cast<WORD>(screen.y - o.y));
}

LPARAM ScreenPoint(POINT screen) { return MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)); }

void Emit(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, const RawInput& in) {
  PostInputMessage(MSG{hwnd, msg, wParam, lParam, in.time, in.pt});
}

bool TakesMouseAt(const Window* w, POINT screen) {
  if (!(w->style & WS_VISIBLE) || (w->style & WS_DISABLED)) return false;
  RECT r = WindowRectInScreen(w);
  if (screen.x < r.left || screen.x >= r.right || screen.y < r.top || screen.y >= r.bottom) return false;
  return !w->shape || cairo_region_contains_point(w->shape, screen.x - r.left, screen.y - r.top);
}

Window* DeepestTaking(Window* w, POINT screen) {
  POINT o = ClientOriginInScreen(w);
  RECT c = ClientRectInWindow(w);
  if (screen.x < o.x || screen.y < o.y || screen.x >= o.x + c.right - c.left || screen.y >= o.y + c.bottom - c.top)
    return w;
  for (Window* child : w->children) {
    if (TakesMouseAt(child, screen)) return DeepestTaking(child, screen);
  }
  return w;
}

// Where the mouse goes when a child answers HTTRANSPARENT: the sibling
// beneath it at the point (a group box lets clicks through to the buttons
// it frames), else the parent.
Window* Beneath(Window* w, POINT screen) {
  auto& siblings = w->parent->children;
  auto it = std::find(siblings.begin(), siblings.end(), w);
  if (it != siblings.end()) {
    for (++it; it != siblings.end(); ++it) {
      if (TakesMouseAt(*it, screen)) return DeepestTaking(*it, screen);
    }
  }
  return w->parent;
}

// Finds the window under the point and what part of it is there.
Window* HitTest(POINT screen, int* hit) {
  Window* w = WindowAtScreenPoint(screen);
  while (w) {
    HWND h = w->handle;
    LRESULT r = Deliver(w, WM_NCHITTEST, 0, ScreenPoint(screen));
    if (!(w = FromHandle(h))) return nullptr;
    if (r == HTTRANSPARENT && w->parent) {
      w = Beneath(w, screen);
      continue;
    }
    *hit = static_cast<int>(r);
    return w;
  }
  return nullptr;
}

void CheckMouseLeave(Window* under, int hit) {
  HWND tracked = Sys().trackLeave;
  if (!tracked) return;
  if (under && under->handle == tracked && hit == HTCLIENT) return;
  Sys().trackLeave = nullptr;
  PostMessage(tracked, WM_MOUSELEAVE, 0, 0);
}

void ActivateForClick(Window* w, int hit, UINT msg, bool* eat) {
  *eat = false;
  Window* top = TopLevelOf(w);
  if (!top || Sys().active == top->handle) return;
  HWND h = w->handle;
  LRESULT r = Deliver(w, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->handle), MAKELPARAM(hit, msg));
  if (r == 2 /*MA_ACTIVATEANDEAT*/ || r == 4 /*MA_NOACTIVATEANDEAT*/) *eat = true;
  if (r == 3 || r == 4) return;
  if (!(w = FromHandle(h))) return;
  top = TopLevelOf(w);
  if (top->exStyle & WS_EX_NOACTIVATE) return;
  ActivateWindow(top, WA_CLICKACTIVE);
}

bool IsDoubleClick(Window* w, int button, POINT pt, bool nonClient, uint64_t now) {
  State& s = Sys();
  bool dbl = s.lastDownWindow == w->handle && s.lastDownButton == button && s.lastDownNonClient == nonClient &&
             now - s.lastDownTime <= s.doubleClickTime &&
             std::abs(pt.x - s.lastDownPoint.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
             std::abs(pt.y - s.lastDownPoint.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  if (dbl) {
    // A third click starts over.
    s.lastDownWindow = nullptr;
    s.lastDownButton = -1;
  } else {
    s.lastDownWindow = w->handle;
    s.lastDownButton = button;
    s.lastDownTime = now;
    s.lastDownPoint = pt;
    s.lastDownNonClient = nonClient;
  }
  return dbl;
}

void CookMouse(const RawInput& in) {
  State& s = Sys();
  static const UINT kDown[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
  static const UINT kUp[3] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
  static const UINT kDbl[3] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
  static const UINT kNcOffset = WM_NCMOUSEMOVE - WM_MOUSEMOVE;

  UINT msg = WM_MOUSEMOVE;
  if (in.kind == RawInput::MouseButton) {
    UpdateKeyState(in.button == 0 ? VK_LBUTTON : in.button == 1 ? VK_RBUTTON : VK_MBUTTON, in.down, false);
    msg = in.down ? kDown[in.button] : kUp[in.button];
  }
  if (ScrollBarTrackingActive() && ScrollBarHandleInput(msg, in.pt)) return;

  int hit = HTCLIENT;
  Window* under = HitTest(in.pt, &hit);
  Window* target = under;
  if (s.capture) {
    target = FromHandle(s.capture);
    hit = HTCLIENT;
  }
  CheckMouseLeave(under, under ? hit : HTNOWHERE);
  s.lastMouseWindow = under ? under->handle : nullptr;
  if (!target) return;
  HWND h = target->handle;

  if (!s.capture && !IsEnabledChain(target)) {
    // A window disabled by a modal dialog: only the cursor answers.
    Deliver(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTERROR, msg));
    return;
  }
  bool eat = false;
  if (in.kind == RawInput::MouseButton && in.down && !s.capture) {
    ActivateForClick(target, hit, msg, &eat);
    if (!(target = FromHandle(h))) return;
  }
  if (!s.capture) {
    Deliver(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(hit, msg));
    if (!(target = FromHandle(h))) return;
  }
  if (eat) return;

  bool client = hit == HTCLIENT;
  if (in.kind == RawInput::MouseButton && in.down) {
    bool wantsDbl = !client || (target->cls->style & CS_DBLCLKS);
    bool dbl = IsDoubleClick(target, in.button, in.pt, !client, in.time);
    if (dbl && wantsDbl) msg = kDbl[in.button];
  }
  if (client) {
    Emit(h, msg, MouseKeyFlags(), ClientPoint(target, in.pt), in);
  } else {
    Emit(h, msg + kNcOffset, static_cast<WPARAM>(hit), ScreenPoint(in.pt), in);
  }
}

void CookWheel(const RawInput& in) {
  State& s = Sys();
  HWND target = s.focus ? s.focus : s.active;
  if (!target) return;
  WPARAM wParam = MAKEWPARAM(static_cast<WORD>(MouseKeyFlags()), static_cast<WORD>(static_cast<short>(in.delta)));
  Emit(target, WM_MOUSEWHEEL, wParam, ScreenPoint(in.pt), in);
}

void CookKey(const RawInput& in) {
  State& s = Sys();
  bool wasDown = Down(s.keys[in.vk]);
  UpdateKeyState(in.vk, in.down, in.extended);
  bool alt = Down(s.keys[VK_MENU]);
  bool ctrl = Down(s.keys[VK_CONTROL]);
  HWND target = s.focus;
  bool sys = (alt && !ctrl) || in.vk == VK_F10 || (in.vk == VK_MENU);
  if (!target) {
    target = s.active;
    sys = true;
  }
  if (!target) return;
  LPARAM lp = 1 | (static_cast<LPARAM>(in.scan & 0xFF) << 16);
  if (in.extended) lp |= 1L << 24;
  if (alt) lp |= 1L << 29;
  if (!in.down || wasDown) lp |= 1L << 30;
  if (!in.down) lp |= 1L << 31;
  UINT msg = in.down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
  Emit(target, msg, in.vk, static_cast<LPARAM>(static_cast<DWORD>(lp)), in);
}

void CookChar(const RawInput& in) {
  HWND target = Sys().focus ? Sys().focus : Sys().active;
  if (!target) return;
  Emit(target, WM_CHAR, in.ch, 1, in);
}

}  // namespace

bool CookNextInput() {
  State& s = Sys();
  if (s.input.empty()) return false;
  RawInput in = s.input.front();
  s.input.pop_front();
  switch (in.kind) {
    case RawInput::MouseMove:
    case RawInput::MouseButton: CookMouse(in); break;
    case RawInput::Wheel: CookWheel(in); break;
    case RawInput::Key: CookKey(in); break;
    case RawInput::Char: CookChar(in); break;
    case RawInput::Text: nbp::ime::Commit(in.text); break;
  }
  return true;
}

void ActivateWindow(Window* top, WORD how) {
  State& s = Sys();
  HWND newActive = top ? top->handle : nullptr;
  HWND old = s.active;
  if (old == newActive) return;
  s.active = newActive;
  if (top) {
    auto& tops = TopLevelWindows();
    tops.erase(std::remove(tops.begin(), tops.end(), top), tops.end());
    tops.insert(tops.begin(), top);
  }
  if (Window* o = FromHandle(old)) {
    Deliver(o, WM_NCACTIVATE, FALSE, 0);
    if ((o = FromHandle(old))) Deliver(o, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(newActive));
  }
  if (s.active != newActive) return;
  if (!newActive) {
    if (s.focus) SetFocus(nullptr);
    return;
  }
  if (Window* n = FromHandle(newActive)) {
    Deliver(n, WM_NCACTIVATE, TRUE, 0);
    if ((n = FromHandle(newActive))) Deliver(n, WM_ACTIVATE, MAKEWPARAM(how, 0), reinterpret_cast<LPARAM>(old));
  }
}

void ActivateOnShow(Window* w) {
  if (w->parent || (w->exStyle & WS_EX_NOACTIVATE) || (w->style & WS_DISABLED)) return;
  ActivateWindow(w, WA_ACTIVE);
}

void ForgetWindowInput(Window* w) {
  State& s = Sys();
  HWND h = w->handle;
  if (s.focus == h) s.focus = nullptr;
  if (s.capture == h) s.capture = nullptr;
  if (s.active == h) s.active = nullptr;
  if (s.trackLeave == h) s.trackLeave = nullptr;
  if (s.lastMouseWindow == h) s.lastMouseWindow = nullptr;
  if (s.lastDownWindow == h) s.lastDownWindow = nullptr;
  if (s.caretOwner == h) s.caretOwner = nullptr;
}

}  // namespace nbp::user

using namespace nbp::user;

HWND SetFocus(HWND hwnd) {
  State& s = Sys();
  HWND old = s.focus;
  if (hwnd) {
    Window* w = FromHandle(hwnd);
    if (!w || !IsEnabledChain(w)) return nullptr;
    if (hwnd == old) return old;
    Window* top = TopLevelOf(w);
    if (s.active != top->handle) {
      ActivateWindow(top, WA_ACTIVE);
      if (!FromHandle(hwnd)) return nullptr;
      old = s.focus;
      if (old == hwnd) return old;
    }
  } else if (!old) {
    return nullptr;
  }
  s.focus = hwnd;
  if (Window* o = FromHandle(old)) {
    Deliver(o, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    // A WM_KILLFOCUS handler that moved the focus elsewhere wins.
    if (s.focus != hwnd) return old;
  }
  if (Window* n = FromHandle(hwnd)) Deliver(n, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return FromHandle(old) ? old : nullptr;
}

HWND GetFocus() { return Sys().focus; }
HWND GetActiveWindow() { return Sys().active; }
HWND GetForegroundWindow() { return Sys().active; }

HWND SetActiveWindow(HWND hwnd) {
  HWND old = Sys().active;
  if (!hwnd) {
    ActivateWindow(nullptr, WA_INACTIVE);
    return old;
  }
  Window* w = FromHandle(hwnd);
  if (!w) return nullptr;
  w = TopLevelOf(w);
  if (!IsVisible(w) || (w->style & WS_DISABLED)) return nullptr;
  ActivateWindow(w, WA_ACTIVE);
  return old;
}

BOOL SetForegroundWindow(HWND hwnd) { return SetActiveWindow(hwnd) || GetActiveWindow() == hwnd; }

HWND SetCapture(HWND hwnd) {
  State& s = Sys();
  HWND old = s.capture;
  if (hwnd && !FromHandle(hwnd)) return nullptr;
  if (old == hwnd) return old;
  s.capture = hwnd;
  if (Window* o = FromHandle(old)) Deliver(o, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return old;
}

BOOL ReleaseCapture() {
  State& s = Sys();
  HWND old = s.capture;
  s.capture = nullptr;
  if (Window* o = FromHandle(old)) Deliver(o, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() { return Sys().capture; }

SHORT GetKeyState(int vk) {
  if (vk < 0 || vk > 255) return 0;
  BYTE k = Sys().keys[vk];
  return static_cast<SHORT>(((k & 0x80) ? 0xFF80 : 0) | (k & 0x01));
}

SHORT GetAsyncKeyState(int vk) {
  if (vk < 0 || vk > 255) return 0;
  return static_cast<SHORT>((Sys().asyncKeys[vk] & 0x80) ? 0x8000 : 0);
}

BOOL GetKeyboardState(BYTE* keyState) {
  if (!keyState) return FALSE;
  std::copy(std::begin(Sys().keys), std::end(Sys().keys), keyState);
  return TRUE;
}

BOOL GetCursorPos(LPPOINT point) {
  if (!point) return FALSE;
  *point = Sys().cursor;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  nbp::input::MouseMove(POINT{x, y});
  return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR old = Sys().cursorShape;
  if (old != cursor) {
    Sys().cursorShape = cursor;
    nbp::CurrentDesktop().CursorChanged(cursor);
  }
  return old;
}

HCURSOR GetCursor() { return Sys().cursorShape; }

int ShowCursor(BOOL show) { return show ? ++Sys().cursorShowCount : --Sys().cursorShowCount; }

BOOL _TrackMouseEvent(LPTRACKMOUSEEVENT tme) {
  if (!tme || tme->cbSize < sizeof(TRACKMOUSEEVENT)) return FALSE;
  State& s = Sys();
  if (tme->dwFlags & TME_CANCEL) {
    if ((tme->dwFlags & TME_LEAVE) && s.trackLeave == tme->hwndTrack) s.trackLeave = nullptr;
    return TRUE;
  }
  Window* w = FromHandle(tme->hwndTrack);
  if (!w) return FALSE;
  if (tme->dwFlags & TME_LEAVE) {
    // Asking while the mouse is already elsewhere gets the answer at once.
    RECT c;
    GetClientRect(tme->hwndTrack, &c);
    POINT p = s.cursor;
    ScreenToClient(tme->hwndTrack, &p);
    Window* under = WindowAtScreenPoint(s.cursor);
    bool inside = under == w && p.x >= 0 && p.y >= 0 && p.x < c.right && p.y < c.bottom;
    if (!inside) {
      PostMessage(tme->hwndTrack, WM_MOUSELEAVE, 0, 0);
      if (s.trackLeave == tme->hwndTrack) s.trackLeave = nullptr;
    } else {
      s.trackLeave = tme->hwndTrack;
    }
  }
  return TRUE;
}

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT tme) { return _TrackMouseEvent(tme); }

UINT MapVirtualKey(UINT code, UINT mapType) {
  switch (mapType) {
    case MAPVK_VK_TO_VSC: return ScanCodeOf(code);
    case MAPVK_VSC_TO_VK: return VirtualKeyOfScanCode(code);
    case MAPVK_VK_TO_CHAR: return static_cast<UINT>(CharOfKey(code, false, false, false));
    default: return 0;
  }
}

BOOL TranslateMessage(const MSG* msg) {
  if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
  UINT vk = static_cast<UINT>(msg->wParam);
  const BYTE* k = Sys().keys;
  bool alt = (k[VK_MENU] & 0x80) != 0;
  bool ctrl = (k[VK_CONTROL] & 0x80) != 0;
  bool shift = (k[VK_SHIFT] & 0x80) != 0;
  bool caps = (k[VK_CAPITAL] & 0x01) != 0;
  // Ctrl+Alt is AltGr on the layouts that have it; the US layout makes nothing.
  if (ctrl && alt) return FALSE;
  int ch = CharOfKey(vk, shift, caps, ctrl);
  if (!ch) return FALSE;
  // A desktop with its own text input (and keyboard layout) sends printable
  // characters itself.
  if (ch >= 0x20 && ch != 0x7F && nbp::CurrentDesktop().DeliversText()) return FALSE;
  UINT charMsg = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
  Sys().posted.push_back(MSG{msg->hwnd, charMsg, static_cast<WPARAM>(ch), msg->lParam, msg->time, msg->pt});
  return TRUE;
}

UINT nbp::input::KeyOfChar(char c, bool* shift) {
  bool s = false;
  UINT vk = nbp::user::KeyOfChar(c, &s);
  if (shift) *shift = s;
  return vk;
}
