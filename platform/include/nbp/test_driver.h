// Acting as a user: the platform's test driver. It produces the input a user
// would, and the window system turns it into the same messages as for a real
// user (WM_SETCURSOR and WM_MOUSEMOVE before a click, double clicks by time
// and distance, WM_CHAR after WM_KEYDOWN), routed through the message pump
// with PreTranslateMessage. Host applications can test with it too.
//
// Points are in the client coordinates of the window given. After each action
// the driver dispatches every pending message, unless it runs inside a modal
// loop's idle step, where the loop dispatches them itself.
#pragma once

#include <cstdint>
#include <string>

#include "nbp/desktop.h"
#include "win/types.h"

namespace nbp::test {

enum Modifier : unsigned { kNoMods = 0, kShift = 1, kCtrl = 2, kAlt = 4 };
using input::Button;

// Mouse
void MoveTo(HWND hwnd, POINT client);
void Press(HWND hwnd, POINT client, Button button = Button::Left);
void Release(HWND hwnd, POINT client, Button button = Button::Left);
void Click(HWND hwnd, POINT client, Button button = Button::Left);
void RightClick(HWND hwnd, POINT client);
void DoubleClick(HWND hwnd, POINT client, Button button = Button::Left);
// Press at `from`, move in `steps` even steps to `to`, release there.
void Drag(HWND hwnd, POINT from, POINT to, int steps = 4);
// One notch is 120; positive turns away from the user.
void Wheel(HWND hwnd, POINT client, int delta);
// The same at screen coordinates.
void MoveToScreen(POINT screen);
void PressScreen(POINT screen, Button button = Button::Left);
void ReleaseScreen(POINT screen, Button button = Button::Left);

// Keyboard (virtual-key codes; modifiers are pressed before and released after)
void KeyDown(UINT vk, bool extended = false);
void KeyUp(UINT vk, bool extended = false);
void PressKey(UINT vk, unsigned modifiers = kNoMods, bool extended = false);
// Holds a key down long enough for `repeats` auto-repeats, then releases it.
void HoldKey(UINT vk, int repeats, unsigned modifiers = kNoMods);
void PressKeypadEnter();
// Types text as a user would: keys for what the keyboard has, input-method
// characters for the rest (any UTF-8 text).
void Type(const std::string& utf8);

// Time: moves the platform clock on (pinning it), firing every timer at the
// moment it comes due.
void AdvanceClock(uint64_t ms);

// Dispatches every pending message (including paints).
void Pump();

}  // namespace nbp::test
