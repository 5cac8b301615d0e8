// The keyboard layout the platform simulates: a US keyboard, whose scan codes
// and characters the window system's messages carry.
#pragma once

#include "win/types.h"

namespace nbp::user {

// The set-1 scan code of a virtual key (0 when the layout has none).
UINT ScanCodeOf(UINT vk);
UINT VirtualKeyOfScanCode(UINT scan);
// Keys that are "extended" when pressed on their own block (arrows, Insert,
// Delete, Home, End, Page Up/Down, right Ctrl/Alt, the keypad's divide).
bool IsExtendedByDefault(UINT vk);
// The character a key produces with the given modifiers, or 0.
int CharOfKey(UINT vk, bool shift, bool capsLock, bool ctrl);
// The key (and whether Shift is needed) that types an ASCII character, or 0.
UINT KeyOfChar(char c, bool* shift);

}  // namespace nbp::user
