// The window system's global state: one desktop, one input queue, one thread.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "user/window/window.h"

namespace nbp::user {

struct RawInput {
  enum Kind { MouseMove, MouseButton, Wheel, Key, Char, Text } kind = MouseMove;
  POINT pt{};
  int button = 0;  // 0 left, 1 right, 2 middle
  bool down = false;
  int delta = 0;
  UINT vk = 0;
  bool extended = false;
  UINT scan = 0;
  BYTE ch = 0;
  std::string text;  // Text: several characters at once, delivered as an input method's result
  DWORD time = 0;
};

struct Timer {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  UINT period = 0;
  TIMERPROC proc = nullptr;
  uint64_t due = 0;
};

struct State {
  int sendDepth = 0;
  std::deque<MSG> posted;
  std::deque<RawInput> input;
  std::deque<MSG> cooked;  // input already turned into messages
  bool quitPosted = false;
  int quitCode = 0;
  MSG lastMessage{};       // GetMessageTime / GetMessagePos

  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  BYTE keys[256] = {};       // as the messages retrieved so far say (GetKeyState)
  BYTE asyncKeys[256] = {};  // as the input so far says (GetAsyncKeyState)
  POINT cursor{};            // screen
  HCURSOR cursorShape = nullptr;
  int cursorShowCount = 0;

  // Double clicks.
  UINT doubleClickTime = 500;
  HWND lastDownWindow = nullptr;
  int lastDownButton = -1;
  uint64_t lastDownTime = 0;
  POINT lastDownPoint{};
  bool lastDownNonClient = false;

  // Mouse-leave tracking.
  HWND trackLeave = nullptr;
  // The window the mouse was last over (for mouse-leave detection).
  HWND lastMouseWindow = nullptr;

  std::vector<Timer> timers;
  UINT_PTR nextTimerId = 0x7F00;

  // Caret.
  HWND caretOwner = nullptr;
  POINT caretPos{};
  SIZE caretSize{};
  int caretHide = 1;
};

State& Sys();

// Handles.
HWND NewHandle(Window* w);
void ForgetHandle(HWND hwnd);
std::vector<Window*>& Graveyard();
void FreeGraveyard();
WindowClass* FindClass(LPCTSTR name, HINSTANCE instance);

// Input processing (input.cpp).
bool CookNextInput();
void PostInputMessage(const MSG& msg);
UINT TimeNow();

}  // namespace nbp::user
