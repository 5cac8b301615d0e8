#include "desktop/sdl/sdl_keys.h"

#include "win/user_constants.h"

namespace nbp::sdl {

UINT VirtualKeyOf(const SDL_Keysym& key, bool* extended) {
  *extended = false;
  SDL_Keycode k = key.sym;
  if (k >= SDLK_a && k <= SDLK_z) return static_cast<UINT>('A' + (k - SDLK_a));
  if (k >= SDLK_0 && k <= SDLK_9) return static_cast<UINT>('0' + (k - SDLK_0));
  if (k >= SDLK_F1 && k <= SDLK_F12) return static_cast<UINT>(VK_F1 + (k - SDLK_F1));
  switch (k) {
    case SDLK_RETURN: return VK_RETURN;
    case SDLK_KP_ENTER: *extended = true; return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_MINUS: return VK_OEM_MINUS;
    case SDLK_EQUALS: return VK_OEM_PLUS;
    case SDLK_LEFTBRACKET: return VK_OEM_4;
    case SDLK_RIGHTBRACKET: return VK_OEM_6;
    case SDLK_BACKSLASH: return VK_OEM_5;
    case SDLK_SEMICOLON: return VK_OEM_1;
    case SDLK_QUOTE: return VK_OEM_7;
    case SDLK_BACKQUOTE: return VK_OEM_3;
    case SDLK_COMMA: return VK_OEM_COMMA;
    case SDLK_PERIOD: return VK_OEM_PERIOD;
    case SDLK_SLASH: return VK_OEM_2;
    case SDLK_CAPSLOCK: return VK_CAPITAL;
    case SDLK_NUMLOCKCLEAR: return VK_NUMLOCK;
    case SDLK_SCROLLLOCK: return VK_SCROLL;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_INSERT: *extended = true; return VK_INSERT;
    case SDLK_DELETE: *extended = true; return VK_DELETE;
    case SDLK_HOME: *extended = true; return VK_HOME;
    case SDLK_END: *extended = true; return VK_END;
    case SDLK_PAGEUP: *extended = true; return VK_PRIOR;
    case SDLK_PAGEDOWN: *extended = true; return VK_NEXT;
    case SDLK_LEFT: *extended = true; return VK_LEFT;
    case SDLK_RIGHT: *extended = true; return VK_RIGHT;
    case SDLK_UP: *extended = true; return VK_UP;
    case SDLK_DOWN: *extended = true; return VK_DOWN;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL: return VK_CONTROL;
    case SDLK_RCTRL: *extended = true; return VK_CONTROL;
    case SDLK_LALT: return VK_MENU;
    case SDLK_RALT: *extended = true; return VK_MENU;
    case SDLK_LGUI: *extended = true; return VK_LWIN;
    case SDLK_RGUI: *extended = true; return VK_RWIN;
    case SDLK_APPLICATION: *extended = true; return VK_APPS;
    case SDLK_KP_DIVIDE: *extended = true; return VK_DIVIDE;
    case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    case SDLK_KP_PLUS: return VK_ADD;
    case SDLK_KP_PERIOD: return VK_DECIMAL;
    case SDLK_KP_0: return VK_NUMPAD0;
    case SDLK_KP_1: return VK_NUMPAD1;
    case SDLK_KP_2: return VK_NUMPAD2;
    case SDLK_KP_3: return VK_NUMPAD3;
    case SDLK_KP_4: return VK_NUMPAD4;
    case SDLK_KP_5: return VK_NUMPAD5;
    case SDLK_KP_6: return VK_NUMPAD6;
    case SDLK_KP_7: return VK_NUMPAD7;
    case SDLK_KP_8: return VK_NUMPAD8;
    case SDLK_KP_9: return VK_NUMPAD9;
    default: return 0;
  }
}

}  // namespace nbp::sdl
