#include "user/input/keyboard_layout.h"

#include <cctype>
#include <cstring>

#include "win/user_constants.h"

namespace nbp::user {
namespace {

struct KeyRow {
  UINT vk;
  UINT scan;
  char normal;
  char shifted;
};

// Set-1 scan codes of a US keyboard.
const KeyRow kKeys[] = {
    {VK_ESCAPE, 0x01, 0x1B, 0x1B}, {'1', 0x02, '1', '!'}, {'2', 0x03, '2', '@'}, {'3', 0x04, '3', '#'},
    {'4', 0x05, '4', '$'}, {'5', 0x06, '5', '%'}, {'6', 0x07, '6', '^'}, {'7', 0x08, '7', '&'},
    {'8', 0x09, '8', '*'}, {'9', 0x0A, '9', '('}, {'0', 0x0B, '0', ')'}, {VK_OEM_MINUS, 0x0C, '-', '_'},
    {VK_OEM_PLUS, 0x0D, '=', '+'}, {VK_BACK, 0x0E, 0x08, 0x08}, {VK_TAB, 0x0F, 0x09, 0x09},
    {'Q', 0x10, 'q', 'Q'}, {'W', 0x11, 'w', 'W'}, {'E', 0x12, 'e', 'E'}, {'R', 0x13, 'r', 'R'},
    {'T', 0x14, 't', 'T'}, {'Y', 0x15, 'y', 'Y'}, {'U', 0x16, 'u', 'U'}, {'I', 0x17, 'i', 'I'},
    {'O', 0x18, 'o', 'O'}, {'P', 0x19, 'p', 'P'}, {VK_OEM_4, 0x1A, '[', '{'}, {VK_OEM_6, 0x1B, ']', '}'},
    {VK_RETURN, 0x1C, 0x0D, 0x0D}, {VK_CONTROL, 0x1D, 0, 0}, {'A', 0x1E, 'a', 'A'}, {'S', 0x1F, 's', 'S'},
    {'D', 0x20, 'd', 'D'}, {'F', 0x21, 'f', 'F'}, {'G', 0x22, 'g', 'G'}, {'H', 0x23, 'h', 'H'},
    {'J', 0x24, 'j', 'J'}, {'K', 0x25, 'k', 'K'}, {'L', 0x26, 'l', 'L'}, {VK_OEM_1, 0x27, ';', ':'},
    {VK_OEM_7, 0x28, '\'', '"'}, {VK_OEM_3, 0x29, '`', '~'}, {VK_SHIFT, 0x2A, 0, 0},
    {VK_OEM_5, 0x2B, '\\', '|'}, {'Z', 0x2C, 'z', 'Z'}, {'X', 0x2D, 'x', 'X'}, {'C', 0x2E, 'c', 'C'},
    {'V', 0x2F, 'v', 'V'}, {'B', 0x30, 'b', 'B'}, {'N', 0x31, 'n', 'N'}, {'M', 0x32, 'm', 'M'},
    {VK_OEM_COMMA, 0x33, ',', '<'}, {VK_OEM_PERIOD, 0x34, '.', '>'}, {VK_OEM_2, 0x35, '/', '?'},
    {VK_RSHIFT, 0x36, 0, 0}, {VK_MULTIPLY, 0x37, '*', '*'}, {VK_MENU, 0x38, 0, 0},
    {VK_SPACE, 0x39, ' ', ' '}, {VK_CAPITAL, 0x3A, 0, 0}, {VK_F1, 0x3B, 0, 0}, {VK_F2, 0x3C, 0, 0},
    {VK_F3, 0x3D, 0, 0}, {VK_F4, 0x3E, 0, 0}, {VK_F5, 0x3F, 0, 0}, {VK_F6, 0x40, 0, 0},
    {VK_F7, 0x41, 0, 0}, {VK_F8, 0x42, 0, 0}, {VK_F9, 0x43, 0, 0}, {VK_F10, 0x44, 0, 0},
    {VK_NUMLOCK, 0x45, 0, 0}, {VK_SCROLL, 0x46, 0, 0}, {VK_NUMPAD7, 0x47, '7', '7'},
    {VK_NUMPAD8, 0x48, '8', '8'}, {VK_NUMPAD9, 0x49, '9', '9'}, {VK_SUBTRACT, 0x4A, '-', '-'},
    {VK_NUMPAD4, 0x4B, '4', '4'}, {VK_NUMPAD5, 0x4C, '5', '5'}, {VK_NUMPAD6, 0x4D, '6', '6'},
    {VK_ADD, 0x4E, '+', '+'}, {VK_NUMPAD1, 0x4F, '1', '1'}, {VK_NUMPAD2, 0x50, '2', '2'},
    {VK_NUMPAD3, 0x51, '3', '3'}, {VK_NUMPAD0, 0x52, '0', '0'}, {VK_DECIMAL, 0x53, '.', '.'},
    {VK_F11, 0x57, 0, 0}, {VK_F12, 0x58, 0, 0},
    // The extended block shares scan codes with the keypad.
    {VK_HOME, 0x47, 0, 0}, {VK_UP, 0x48, 0, 0}, {VK_PRIOR, 0x49, 0, 0}, {VK_LEFT, 0x4B, 0, 0},
    {VK_RIGHT, 0x4D, 0, 0}, {VK_END, 0x4F, 0, 0}, {VK_DOWN, 0x50, 0, 0}, {VK_NEXT, 0x51, 0, 0},
    {VK_INSERT, 0x52, 0, 0}, {VK_DELETE, 0x53, 0, 0}, {VK_DIVIDE, 0x35, '/', '/'},
    {VK_LSHIFT, 0x2A, 0, 0}, {VK_LCONTROL, 0x1D, 0, 0}, {VK_RCONTROL, 0x1D, 0, 0},
    {VK_LMENU, 0x38, 0, 0}, {VK_RMENU, 0x38, 0, 0}, {VK_LWIN, 0x5B, 0, 0}, {VK_RWIN, 0x5C, 0, 0},
    {VK_APPS, 0x5D, 0, 0},
};

const KeyRow* Find(UINT vk) {
  for (const KeyRow& k : kKeys) {
    if (k.vk == vk) return &k;
  }
  return nullptr;
}

}  // namespace

UINT ScanCodeOf(UINT vk) {
  const KeyRow* k = Find(vk);
  return k ? k->scan : 0;
}

UINT VirtualKeyOfScanCode(UINT scan) {
  for (const KeyRow& k : kKeys) {
    if (k.scan == scan) return k.vk;
  }
  return 0;
}

bool IsExtendedByDefault(UINT vk) {
  switch (vk) {
    case VK_HOME: case VK_UP: case VK_PRIOR: case VK_LEFT: case VK_RIGHT: case VK_END: case VK_DOWN:
    case VK_NEXT: case VK_INSERT: case VK_DELETE: case VK_DIVIDE: case VK_RCONTROL: case VK_RMENU:
    case VK_LWIN: case VK_RWIN: case VK_APPS:
      return true;
    default:
      return false;
  }
}

int CharOfKey(UINT vk, bool shift, bool capsLock, bool ctrl) {
  const KeyRow* k = Find(vk);
  if (!k || !k->normal) return 0;
  bool letter = vk >= 'A' && vk <= 'Z';
  if (ctrl) {
    // Ctrl with a letter gives the control characters 1 to 26.
    if (letter) return static_cast<int>(vk - 'A' + 1);
    if (vk == VK_OEM_4) return 0x1B;
    if (vk == VK_OEM_5) return 0x1C;
    if (vk == VK_OEM_6) return 0x1D;
    if (vk == VK_RETURN) return 0x0A;
    if (vk == VK_BACK) return 0x7F;
    if (vk == VK_SPACE) return ' ';
    return 0;
  }
  bool upper = letter ? (shift != capsLock) : shift;
  return static_cast<unsigned char>(upper ? k->shifted : k->normal);
}

UINT KeyOfChar(char c, bool* shift) {
  *shift = false;
  // Prefer the main block over the keypad for digits and signs.
  for (const KeyRow& k : kKeys) {
    if (k.vk >= VK_NUMPAD0 && k.vk <= VK_DIVIDE) continue;
    if (k.normal == c && c) return k.vk;
    if (k.shifted == c && c) {
      *shift = true;
      return k.vk;
    }
  }
  return 0;
}

}  // namespace nbp::user
