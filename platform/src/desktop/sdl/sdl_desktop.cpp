// The interactive desktop on SDL2.
//
// Each visible top-level window is an SDL window showing the window's pixels
// from the window system's backing store. A window with a caption becomes a
// decorated window that shows what lies inside its frame (the window manager
// draws the frame and title); other top-level windows (popups, menus, tips)
// show all their pixels in an undecorated window.
#include "nbp/sdl_desktop.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "nbp/desktop.h"
#include "nbp/display.h"
#include "nbp/ime.h"
#include "nbp/menu_image.h"
#include "nbp/menu_navigator.h"
#include "desktop/sdl/sdl_keys.h"
#include "win/rect.h"
#include "user/window/user_state.h"
#include "user/window/window.h"

namespace nbp {
namespace {

using user::Window;

struct Shown {
  SDL_Window* window = nullptr;
  RECT area{};          // the part of the top-level window shown, window coordinates
  bool decorated = false;
  bool dirty = true;
};

bool Decorated(const Window* w) { return (w->style & WS_CAPTION) == WS_CAPTION; }

RECT ShownArea(const Window* w) {
  if (Decorated(w)) return user::InsideFrame(w);
  return RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
}

int ButtonOf(Uint8 sdlButton, input::Button* out) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: *out = input::Button::Left; return 1;
    case SDL_BUTTON_RIGHT: *out = input::Button::Right; return 1;
    case SDL_BUTTON_MIDDLE: *out = input::Button::Middle; return 1;
    default: return 0;
  }
}

SDL_SystemCursor SystemCursorOf(HCURSOR cursor) {
  uintptr_t id = reinterpret_cast<uintptr_t>(cursor);
  switch (id) {
    case 32513: return SDL_SYSTEM_CURSOR_IBEAM;
    case 32514: return SDL_SYSTEM_CURSOR_WAIT;
    case 32515: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case 32642: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case 32643: return SDL_SYSTEM_CURSOR_SIZENESW;
    case 32644: return SDL_SYSTEM_CURSOR_SIZEWE;
    case 32645: return SDL_SYSTEM_CURSOR_SIZENS;
    case 32646: return SDL_SYSTEM_CURSOR_SIZEALL;
    case 32648: return SDL_SYSTEM_CURSOR_NO;
    case 32649: return SDL_SYSTEM_CURSOR_HAND;
    case 32650: return SDL_SYSTEM_CURSOR_WAITARROW;
    default: return SDL_SYSTEM_CURSOR_ARROW;
  }
}

class SdlDesktop : public Desktop {
 public:
  ~SdlDesktop() override {
    for (auto& [h, s] : shown_) SDL_DestroyWindow(s.window);
    for (auto& [k, c] : cursors_) SDL_FreeCursor(c);
  }

  // The box is a window of the window system's own, shown like any other:
  // the user answers it there.
  int AskMessageBox(const MessageBoxRequest&) override {
    PresentAll();
    return 0;
  }

  MenuPath AskPopupMenu(const PopupMenuRequest& request) override;

  void Beep(UINT) override { fputc('\a', stderr); }

  void CursorChanged(HCURSOR cursor) override {
    SDL_SystemCursor kind = SystemCursorOf(cursor);
    SDL_Cursor*& c = cursors_[kind];
    if (!c) c = SDL_CreateSystemCursor(kind);
    if (c) SDL_SetCursor(c);
  }

  void WindowPixelsChanged(HWND top, const RECT&) override {
    auto it = shown_.find(top);
    if (it != shown_.end()) it->second.dirty = true;
  }

  void WindowChanged(HWND top) override {
    if (syncing_) return;
    Window* w = user::FromHandle(top);
    auto it = shown_.find(top);
    if (!w || !(w->style & WS_VISIBLE)) {
      if (it != shown_.end()) {
        SDL_DestroyWindow(it->second.window);
        shown_.erase(it);
      }
      return;
    }
    RECT area = ShownArea(w);
    int x = w->rect.left + area.left, y = w->rect.top + area.top;
    int width = std::max(1, static_cast<int>(area.right - area.left));
    int height = std::max(1, static_cast<int>(area.bottom - area.top));
    if (it == shown_.end()) {
      Shown s;
      s.decorated = Decorated(w);
      Uint32 flags = SDL_WINDOW_SHOWN;
      if (!s.decorated) flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR;
      if (w->style & WS_THICKFRAME) flags |= SDL_WINDOW_RESIZABLE;
      if (!s.decorated && w->owner) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
      s.window = SDL_CreateWindow(w->text.c_str(), x, y, width, height, flags);
      if (!s.window) return;
      s.area = area;
      it = shown_.emplace(top, s).first;
    } else {
      Shown& s = it->second;
      int cx, cy, cw, ch;
      SDL_GetWindowPosition(s.window, &cx, &cy);
      SDL_GetWindowSize(s.window, &cw, &ch);
      if (cx != x || cy != y) SDL_SetWindowPosition(s.window, x, y);
      if (cw != width || ch != height) SDL_SetWindowSize(s.window, width, height);
      SDL_SetWindowTitle(s.window, w->text.c_str());
      s.area = area;
    }
    it->second.dirty = true;
  }

  bool WaitForInput(uint32_t timeoutMs) override {
    PresentAll();
    FollowCaret();
    SDL_Event ev;
    int wait = timeoutMs == UINT32_MAX ? -1 : static_cast<int>(std::min<uint32_t>(timeoutMs, INT_MAX));
    if (SDL_WaitEventTimeout(&ev, wait)) {
      Handle(ev);
      while (SDL_PollEvent(&ev)) Handle(ev);
    }
    return true;
  }

  bool DeliversText() const override { return true; }

  void SetClipboardText(const std::string& text) override { SDL_SetClipboardText(text.c_str()); }
  bool GetClipboardText(std::string* text) override {
    if (!text || !SDL_HasClipboardText()) return false;
    char* t = SDL_GetClipboardText();
    if (!t) return false;
    *text = t;
    SDL_free(t);
    return true;
  }

 private:
  // The top-level window and the screen point of an SDL window's point.
  bool ToScreen(Uint32 windowId, int x, int y, POINT* screen) {
    for (auto& [h, s] : shown_) {
      if (SDL_GetWindowID(s.window) != windowId) continue;
      Window* w = user::FromHandle(h);
      if (!w) return false;
      *screen = POINT{w->rect.left + s.area.left + x, w->rect.top + s.area.top + y};
      return true;
    }
    return false;
  }

  HWND TopOf(Uint32 windowId) {
    for (auto& [h, s] : shown_) {
      if (SDL_GetWindowID(s.window) == windowId) return h;
    }
    return nullptr;
  }

  void Present(HWND h, Shown& s) {
    Window* w = user::FromHandle(h);
    if (!w || !w->surface) return;
    SDL_Surface* target = SDL_GetWindowSurface(s.window);
    if (!target) return;
    cairo_surface_flush(w->surface);
    int stride = cairo_image_surface_get_stride(w->surface);
    unsigned char* data = cairo_image_surface_get_data(w->surface);
    int width = cairo_image_surface_get_width(w->surface), height = cairo_image_surface_get_height(w->surface);
    SDL_Surface* source =
        SDL_CreateRGBSurfaceWithFormatFrom(data, width, height, 32, stride, SDL_PIXELFORMAT_RGB888);
    if (!source) return;
    SDL_Rect from{static_cast<int>(s.area.left), static_cast<int>(s.area.top),
                  static_cast<int>(s.area.right - s.area.left), static_cast<int>(s.area.bottom - s.area.top)};
    SDL_BlitSurface(source, &from, target, nullptr);
    SDL_FreeSurface(source);
    SDL_UpdateWindowSurface(s.window);
    s.dirty = false;
  }

  void PresentAll() {
    for (auto& [h, s] : shown_) {
      if (s.dirty) Present(h, s);
    }
  }

  void Handle(const SDL_Event& ev) {
    POINT p{};
    input::Button button;
    switch (ev.type) {
      case SDL_MOUSEMOTION:
        if (ToScreen(ev.motion.windowID, ev.motion.x, ev.motion.y, &p)) input::MouseMove(p);
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        if (ButtonOf(ev.button.button, &button) && ToScreen(ev.button.windowID, ev.button.x, ev.button.y, &p))
          input::MouseButton(button, ev.type == SDL_MOUSEBUTTONDOWN, p);
        break;
      case SDL_MOUSEWHEEL: {
        int steps = ev.wheel.y * (ev.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1);
        POINT cursor;
        GetCursorPos(&cursor);
        if (steps) input::MouseWheel(steps * WHEEL_DELTA, cursor);
        break;
      }
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        bool extended = false;
        UINT vk = sdl::VirtualKeyOf(ev.key.keysym, &extended);
        if (vk) input::Key(vk, ev.type == SDL_KEYDOWN, extended);
        break;
      }
      case SDL_TEXTEDITING:
        Composition(ev.edit.text);
        break;
      case SDL_TEXTEDITING_EXT:
        Composition(ev.editExt.text);
        SDL_free(ev.editExt.text);
        break;
      case SDL_TEXTINPUT:
        if (ime::Composing()) ime::Commit(ev.text.text);
        else input::Text(ev.text.text);
        break;
      case SDL_WINDOWEVENT:
        HandleWindowEvent(ev.window);
        break;
      case SDL_QUIT:
        PostQuitMessage(0);
        break;
      default:
        break;
    }
  }

  // The input method's composition in progress; an empty one was abandoned.
  static void Composition(const char* text) {
    if (text && text[0]) ime::Compose(text);
    else ime::Cancel();
  }

  // The input method shows its candidates under the caret: the caret's
  // rectangle, in the coordinates of the SDL window that shows it.
  void FollowCaret() {
    const user::State& st = user::Sys();
    HWND owner = st.caretOwner;
    if (!owner || !IsWindow(owner)) return;
    POINT at = st.caretPos;
    ClientToScreen(owner, &at);
    HWND top = GetAncestor(owner, GA_ROOT);
    auto it = shown_.find(top);
    Window* w = user::FromHandle(top);
    if (it == shown_.end() || !w) return;
    SDL_Rect r{static_cast<int>(at.x - w->rect.left - it->second.area.left),
               static_cast<int>(at.y - w->rect.top - it->second.area.top), std::max<int>(st.caretSize.cx, 1),
               std::max<int>(st.caretSize.cy, 1)};
    if (r.x == caretRect_.x && r.y == caretRect_.y && r.h == caretRect_.h) return;
    caretRect_ = r;
    SDL_SetTextInputRect(&r);
  }

  void HandleWindowEvent(const SDL_WindowEvent& e) {
    HWND top = TopOf(e.windowID);
    if (!top) return;
    Shown& s = shown_[top];
    switch (e.event) {
      case SDL_WINDOWEVENT_EXPOSED: Present(top, s); break;
      case SDL_WINDOWEVENT_CLOSE: PostMessage(top, WM_CLOSE, 0, 0); break;
      case SDL_WINDOWEVENT_FOCUS_GAINED:
        if (GetActiveWindow() != top && IsWindowEnabled(top)) SetActiveWindow(top);
        break;
      case SDL_WINDOWEVENT_MOVED: {
        // The window manager placed or moved it: the window system follows.
        Window* w = user::FromHandle(top);
        if (!w) break;
        syncing_ = true;
        SetWindowPos(top, nullptr, e.data1 - s.area.left, e.data2 - s.area.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        syncing_ = false;
        break;
      }
      case SDL_WINDOWEVENT_SIZE_CHANGED: {
        Window* w = user::FromHandle(top);
        if (!w) break;
        int frameX = (w->rect.right - w->rect.left) - (s.area.right - s.area.left);
        int frameY = (w->rect.bottom - w->rect.top) - (s.area.bottom - s.area.top);
        syncing_ = true;
        SetWindowPos(top, nullptr, 0, 0, e.data1 + frameX, e.data2 + frameY, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        syncing_ = false;
        if ((w = user::FromHandle(top))) s.area = ShownArea(w);
        s.dirty = true;
        break;
      }
      default:
        break;
    }
  }

  std::map<HWND, Shown> shown_;
  std::map<int, SDL_Cursor*> cursors_;
  SDL_Rect caretRect_{-1, -1, 0, 0};
  bool syncing_ = false;
};

// Shows the menu's image in its window, with the hot item's band inverted.
void DrawPopupMenu(SDL_Window* menu, cairo_surface_t* image, const RECT* hot) {
  SDL_Surface* target = SDL_GetWindowSurface(menu);
  if (!target) return;
  int width = cairo_image_surface_get_width(image), height = cairo_image_surface_get_height(image);
  cairo_surface_flush(image);
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(cairo_image_surface_get_data(image), width, height, 32,
                                                           cairo_image_surface_get_stride(image), SDL_PIXELFORMAT_RGB888);
  if (!source) return;
  SDL_BlitSurface(source, nullptr, target, nullptr);
  SDL_FreeSurface(source);
  if (hot) {
    // The item under the mouse shows in the selection colors' place as an
    // inverted band, which reads on any theme.
    const RECT& r = *hot;
    SDL_LockSurface(target);
    for (int y = std::max<int>(0, r.top); y < std::min<int>(height, r.bottom); ++y) {
      auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(target->pixels) + y * target->pitch);
      for (int x = std::max<int>(0, r.left + 2); x < std::min<int>(width, r.right - 2); ++x) row[x] ^= 0x00FFFFFF;
    }
    SDL_UnlockSurface(target);
  }
  SDL_UpdateWindowSurface(menu);
}

// The menu windows of an open popup menu, one per level of `navigator`,
// each showing its level's image with the hot item marked.
class MenuWindows {
 public:
  ~MenuWindows() {
    for (SDL_Window* w : windows_) SDL_DestroyWindow(w);
  }

  // Opens and closes windows to match the navigator's levels, and redraws.
  void Sync(const MenuNavigator& navigator) {
    const auto& levels = navigator.Levels();
    // A level that shows another menu or place (another submenu at its
    // depth) gets a window of its own. Requests are told apart by what they
    // show, since a new one may take a closed one's address.
    size_t keep = 0;
    while (keep < windows_.size() && keep < levels.size() && SameWindow(shown_[keep], *levels[keep].request)) ++keep;
    while (windows_.size() > keep) {
      SDL_DestroyWindow(windows_.back());
      windows_.pop_back();
      shown_.pop_back();
    }
    for (size_t depth = windows_.size(); depth < levels.size(); ++depth) {
      cairo_surface_t* image = LastPopupMenuImageAt(static_cast<int>(depth));
      const RECT& placed = levels[depth].request->placed;
      SDL_Window* w = image ? SDL_CreateWindow("", placed.left, placed.top, cairo_image_surface_get_width(image),
                                               cairo_image_surface_get_height(image),
                                               SDL_WINDOW_BORDERLESS | SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR |
                                                   SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SHOWN)
                            : nullptr;
      if (!w) break;
      windows_.push_back(w);
      shown_.push_back(Placement{levels[depth].request->menu, placed});
    }
    for (size_t depth = 0; depth < windows_.size(); ++depth) {
      int hot = levels[depth].hot;
      const auto& items = levels[depth].request->items;
      DrawPopupMenu(windows_[depth], LastPopupMenuImageAt(static_cast<int>(depth)),
                    hot >= 0 ? &items[static_cast<size_t>(hot)].rect : nullptr);
    }
  }

  // The depth of the menu window with this SDL id; -1 for none.
  int DepthOf(Uint32 windowId) const {
    for (size_t i = 0; i < windows_.size(); ++i) {
      if (SDL_GetWindowID(windows_[i]) == windowId) return static_cast<int>(i);
    }
    return -1;
  }

 private:
  struct Placement {
    HMENU menu = nullptr;
    RECT placed{};
  };
  static bool SameWindow(const Placement& p, const PopupMenuRequest& r) {
    return p.menu == r.menu && EqualRect(&p.placed, &r.placed);
  }

  std::vector<SDL_Window*> windows_;
  std::vector<Placement> shown_;
};

int ItemAt(const PopupMenuRequest& request, int x, int y) {
  for (size_t i = 0; i < request.items.size(); ++i) {
    const RECT& r = request.items[i].rect;
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return static_cast<int>(i);
  }
  return -1;
}

MenuPath SdlDesktop::AskPopupMenu(const PopupMenuRequest& request) {
  PresentAll();
  if (!LastPopupMenuImageAt(0)) return {};
  MenuNavigator navigator(request);
  MenuWindows windows;
  windows.Sync(navigator);
  while (!navigator.Done()) {
    SDL_Event ev;
    if (!SDL_WaitEvent(&ev)) break;
    switch (ev.type) {
      case SDL_MOUSEMOTION: {
        int depth = windows.DepthOf(ev.motion.windowID);
        if (depth < 0) break;
        const PopupMenuRequest& menu = *navigator.Levels()[static_cast<size_t>(depth)].request;
        navigator.Hover(static_cast<size_t>(depth), ItemAt(menu, ev.motion.x, ev.motion.y));
        break;
      }
      case SDL_MOUSEBUTTONUP: {
        int depth = windows.DepthOf(ev.button.windowID);
        if (depth < 0) break;
        const PopupMenuRequest& menu = *navigator.Levels()[static_cast<size_t>(depth)].request;
        navigator.Click(static_cast<size_t>(depth), ItemAt(menu, ev.button.x, ev.button.y));
        break;
      }
      case SDL_MOUSEBUTTONDOWN:
        // A click outside every menu window dismisses the menu.
        if (windows.DepthOf(ev.button.windowID) < 0) navigator.Dismiss();
        break;
      case SDL_KEYDOWN: {
        bool extended = false;
        UINT vk = sdl::VirtualKeyOf(ev.key.keysym, &extended);
        if (vk) navigator.Key(vk);
        break;
      }
      case SDL_WINDOWEVENT:
        if (ev.window.event == SDL_WINDOWEVENT_EXPOSED && windows.DepthOf(ev.window.windowID) < 0) Handle(ev);
        break;
      case SDL_QUIT:
        PostQuitMessage(0);
        navigator.Dismiss();
        break;
      default:
        break;
    }
    if (!navigator.Done()) windows.Sync(navigator);
  }
  return navigator.Answer();
}

}  // namespace

bool DisplayAvailable() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  if (!getenv("DISPLAY") && !getenv("WAYLAND_DISPLAY")) return false;
  // Compositions longer than an event's 32 bytes come whole, in their own event.
  SDL_SetHint(SDL_HINT_IME_SUPPORT_EXTENDED_TEXT, "1");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  return true;
}

bool UseSdlDesktop() {
  if (!DisplayAvailable()) return false;
  SDL_Rect bounds;
  if (SDL_GetDisplayBounds(0, &bounds) == 0) display::SetScreenSize(bounds.w, bounds.h);
  // The display's density, or a setting, decides the logical pixels per inch.
  int dpi = 0;
  if (const char* forced = getenv("NBUI_DPI")) dpi = atoi(forced);
  float ddpi = 0, hdpi = 0, vdpi = 0;
  if (dpi <= 0 && SDL_GetDisplayDPI(0, &ddpi, &hdpi, &vdpi) == 0 && hdpi >= 110) dpi = static_cast<int>(std::lround(hdpi));
  if (dpi >= 96) display::SetLogPixels(dpi);
  SDL_StartTextInput();
  SetDesktop(std::make_unique<SdlDesktop>());
  // Windows already on screen appear now.
  for (user::Window* w : user::TopLevelWindows()) CurrentDesktop().WindowChanged(w->handle);
  return true;
}

}  // namespace nbp
