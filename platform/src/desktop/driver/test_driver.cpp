#include "nbp/test_driver.h"

#include <algorithm>

#include "nbp/hooks.h"
#include "nbp/clock.h"
#include "nbp/headless.h"
#include "win/user.h"
#include "nbp/utf8_step.h"

namespace nbp::test {
namespace {

POINT ToScreen(HWND hwnd, POINT client) {
  ClientToScreen(hwnd, &client);
  return client;
}

void Settle() {
  HeadlessDesktop* headless = Headless();
  if (headless && headless->RunningIdleStep()) return;
  Pump();
}

void Modifiers(unsigned modifiers, bool down) {
  if (down) {
    if (modifiers & kCtrl) input::Key(VK_CONTROL, true);
    if (modifiers & kAlt) input::Key(VK_MENU, true);
    if (modifiers & kShift) input::Key(VK_SHIFT, true);
  } else {
    if (modifiers & kShift) input::Key(VK_SHIFT, false);
    if (modifiers & kAlt) input::Key(VK_MENU, false);
    if (modifiers & kCtrl) input::Key(VK_CONTROL, false);
  }
}

}  // namespace

void Pump() {
  // Bounded, so a window that keeps posting to itself can't hang a test.
  for (int i = 0; i < 100000; ++i) {
    MSG msg;
    if (!PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) break;
    if (msg.message == WM_QUIT) {
      PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
      continue;
    }
    if (!GetMessage(&msg, nullptr, 0, 0)) continue;
    PreTranslateHook preTranslate = GetPreTranslateHook();
    if (preTranslate && preTranslate(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  if (IdleHook idle = GetIdleHook()) idle();
}

void MoveToScreen(POINT screen) {
  input::MouseMove(screen);
  Settle();
}

void PressScreen(POINT screen, Button button) {
  input::MouseButton(button, true, screen);
  Settle();
}

void ReleaseScreen(POINT screen, Button button) {
  input::MouseButton(button, false, screen);
  Settle();
}

void MoveTo(HWND hwnd, POINT client) { MoveToScreen(ToScreen(hwnd, client)); }

void Press(HWND hwnd, POINT client, Button button) {
  POINT s = ToScreen(hwnd, client);
  PressScreen(s, button);
}

void Release(HWND hwnd, POINT client, Button button) {
  POINT s = ToScreen(hwnd, client);
  ReleaseScreen(s, button);
}

void Click(HWND hwnd, POINT client, Button button) {
  POINT s = ToScreen(hwnd, client);
  MoveToScreen(s);
  PressScreen(s, button);
  ReleaseScreen(s, button);
}

void RightClick(HWND hwnd, POINT client) { Click(hwnd, client, Button::Right); }

void DoubleClick(HWND hwnd, POINT client, Button button) {
  POINT s = ToScreen(hwnd, client);
  MoveToScreen(s);
  PressScreen(s, button);
  ReleaseScreen(s, button);
  PressScreen(s, button);
  ReleaseScreen(s, button);
}

void Drag(HWND hwnd, POINT from, POINT to, int steps) {
  POINT a = ToScreen(hwnd, from), b = ToScreen(hwnd, to);
  MoveToScreen(a);
  PressScreen(a);
  steps = steps < 1 ? 1 : steps;
  for (int i = 1; i <= steps; ++i) {
    MoveToScreen(POINT{a.x + (b.x - a.x) * i / steps, a.y + (b.y - a.y) * i / steps});
  }
  ReleaseScreen(b);
}

void Wheel(HWND hwnd, POINT client, int delta) {
  POINT s = ToScreen(hwnd, client);
  input::MouseWheel(delta, s);
  Settle();
}

void KeyDown(UINT vk, bool extended) {
  input::Key(vk, true, extended);
  Settle();
}

void KeyUp(UINT vk, bool extended) {
  input::Key(vk, false, extended);
  Settle();
}

void PressKey(UINT vk, unsigned modifiers, bool extended) {
  Modifiers(modifiers, true);
  input::Key(vk, true, extended);
  input::Key(vk, false, extended);
  Modifiers(modifiers, false);
  Settle();
}

void HoldKey(UINT vk, int repeats, unsigned modifiers) {
  Modifiers(modifiers, true);
  input::Key(vk, true);
  for (int i = 0; i < repeats; ++i) input::Key(vk, true);
  input::Key(vk, false);
  Modifiers(modifiers, false);
  Settle();
}

void PressKeypadEnter() { PressKey(VK_RETURN, kNoMods, true); }

void Type(const std::string& utf8) {
  for (size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    size_t n = std::min(nbp::utf8::LeadLength(c), utf8.size() - i);
    if (n == 1 && c < 0x80) {
      UINT vk = 0;
      bool shift = false;
      if (c == '\n' || c == '\r') vk = VK_RETURN;
      else if (c == '\t') vk = VK_TAB;
      else vk = input::KeyOfChar(static_cast<char>(c), &shift);
      if (vk) {
        if (shift) input::Key(VK_SHIFT, true);
        input::Key(vk, true);
        input::Key(vk, false);
        if (shift) input::Key(VK_SHIFT, false);
      } else {
        input::Text(std::string(1, static_cast<char>(c)));
      }
    } else {
      input::Text(utf8.substr(i, n));
    }
    i += n;
    Settle();
  }
}

void AdvanceClock(uint64_t ms) {
  if (!clock::IsPinned()) clock::Pin(clock::WallTime());
  uint64_t target = clock::NowMs() + ms;
  for (int guard = 0; guard < 1000000; ++guard) {
    uint64_t due = 0;
    if (!NextTimerDueMs(&due) || due > target) break;
    uint64_t now = clock::NowMs();
    if (due > now) clock::Advance(due - now);
    Pump();
    if (clock::NowMs() >= target) break;
    // A timer that fired resets itself to a later time; one that didn't
    // (its message was filtered) must not stop the clock.
    uint64_t next = 0;
    if (NextTimerDueMs(&next) && next <= clock::NowMs()) clock::Advance(1);
  }
  uint64_t now = clock::NowMs();
  if (target > now) clock::Advance(target - now);
  Pump();
}

}  // namespace nbp::test
