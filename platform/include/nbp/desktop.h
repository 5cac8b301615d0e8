// The desktop: where top-level windows appear, and what the user answers.
//
// The window system keeps every window's pixels itself (in a backing store per
// top-level window); a desktop shows them, delivers the user's input, and
// answers the modal questions the window system asks: message boxes, popup
// menus. The headless desktop (the default) shows nothing and answers from a
// script; an interactive desktop shows real windows.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "win/types.h"

namespace nbp {

struct MessageBoxRequest {
  HWND owner = nullptr;
  std::string text;
  std::string caption;
  UINT type = 0;  // MB_* flags as passed
};

struct MenuItemShown {
  UINT id = 0;         // command id (0 for separators and submenus)
  UINT flags = 0;      // MF_* state and type flags
  std::string text;    // label, empty for separators and owner-drawn items
  ULONG_PTR data = 0;  // item data of owner-drawn items
  bool checked = false;
  bool grayed = false;
  bool separator = false;
  bool ownerDraw = false;
  bool popup = false;
  RECT rect{};         // where the item was laid out in the menu window
};

struct PopupMenuRequest {
  HMENU menu = nullptr;
  HWND owner = nullptr;
  UINT flags = 0;  // TPM_* flags as passed
  int x = 0;       // the point asked for, in screen coordinates
  int y = 0;
  RECT placed{};   // where the menu window was placed after alignment
  std::vector<MenuItemShown> items;
  int depth = 0;   // 0 for the menu TrackPopupMenu opened, 1 for its submenus, ...
  // Opens the submenu of items[item] (a popup item) beside it, as the user
  // pointing at it or pressing Right does: the owner hears of it, the submenu
  // is measured, painted (nbp/menu_image.h, at depth + 1) and placed, and its
  // request comes back; null when the item opens nothing. Opening closes any
  // other submenu open at that depth. The request stays valid until another
  // submenu of this menu opens or the whole menu closes; after the menu
  // closes, the function answers null.
  std::function<const PopupMenuRequest*(size_t item)> openSubmenu;
};

// The answer to a popup menu: the chosen item's index in the request's
// items, then, when that item is a submenu, the index in the submenu's items,
// and so on down; empty when the menu was dismissed without a choice.
using MenuPath = std::vector<int>;

class Desktop {
 public:
  virtual ~Desktop() = default;

  // Modal questions. The returned value is the answer (IDOK, IDYES, ... for a
  // message box; the path to the chosen item for a menu). A message box is
  // asked about while it shows as a window of its own (the active window); any
  // answer that is not one of its buttons (0) leaves it for the user to answer
  // there.
  virtual int AskMessageBox(const MessageBoxRequest& request) = 0;
  virtual MenuPath AskPopupMenu(const PopupMenuRequest& request) = 0;

  virtual void Beep(UINT type) = 0;
  virtual void CursorChanged(HCURSOR cursor) = 0;

  // A top-level window's pixels changed inside `dirty` (window coordinates).
  virtual void WindowPixelsChanged(HWND top, const RECT& dirty) = 0;
  // A top-level window was shown, hidden, moved, resized or destroyed.
  virtual void WindowChanged(HWND top) = 0;

  // Called when the message loop has nothing to do. Waits at most `timeoutMs`
  // (UINT32_MAX: no timer pending) for the user to act, delivering any input
  // through the platform's input functions. Returns false when nothing will
  // ever come (a headless desktop without a script), so that a loop waiting
  // for the user ends instead of hanging.
  virtual bool WaitForInput(uint32_t timeoutMs) = 0;

  // True when the desktop delivers typed characters itself (as text input
  // events); key presses then make only control characters.
  virtual bool DeliversText() const { return false; }

  // The desktop clipboard, as UTF-8 text.
  virtual void SetClipboardText(const std::string& text) = 0;
  virtual bool GetClipboardText(std::string* text) = 0;
};

// The current desktop. A headless one exists from the start.
Desktop& CurrentDesktop();
// Makes `desktop` current (null restores a fresh headless desktop).
void SetDesktop(std::unique_ptr<Desktop> desktop);

// Input from a desktop, in screen coordinates. These are what the user does;
// the window system turns them into window messages as it retrieves them
// (hit-testing, capture, focus, double-click detection, key state).
namespace input {
enum class Button { Left, Right, Middle };
void MouseMove(POINT screen);
void MouseButton(Button button, bool down, POINT screen);
void MouseWheel(int delta, POINT screen);
// `vk` a virtual-key code; `extended` for keys of the extended set (keypad
// Enter, the arrows and Insert/Delete/Home/End/PageUp/PageDown of their own
// block, right Ctrl and Alt, the keypad's divide).
void Key(UINT vk, bool down, bool extended = false, UINT scanCode = 0);
// Characters typed that no key press of the keyboard layout produces (text
// from an input method). One character arrives as WM_CHAR bytes of its UTF-8
// form; several arrive at once as an input method's result (nbp/ime.h),
// which an edit control inserts as one change and any other window receives
// as WM_CHAR bytes.
void Text(const std::string& utf8);
// The key of the simulated US layout that types an ASCII character (0: none),
// and whether Shift is needed for it.
UINT KeyOfChar(char c, bool* shift);
}  // namespace input

}  // namespace nbp

namespace nbp {
// When the next timer (or the window system's own repeat) comes due, on the
// platform clock; false when none is pending.
bool NextTimerDueMs(uint64_t* dueMs);
// A system-wide setting changed (the locale's formats, for instance): sends
// WM_SETTINGCHANGE with these arguments to every top-level window and every
// one of their descendants, parents before their children.
void BroadcastSettingChange(UINT flags, const char* section);
}  // namespace nbp
