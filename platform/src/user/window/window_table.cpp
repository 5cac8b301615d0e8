// Window handles and window classes.
//
// Handles are numbers that are never reused, so a handle kept after its window
// is gone is recognised as stale. Window records are freed only when no
// message is being delivered, so a procedure that destroys its own window can
// still return through code that holds the record.
#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "user/window/system_classes.h"
#include "user/window/user_state.h"
#include "user/window/window.h"

namespace nbp::user {
namespace {

std::unordered_map<uintptr_t, Window*>& Handles() {
  static std::unordered_map<uintptr_t, Window*> table;
  return table;
}
uintptr_t g_nextHandle = 0x10010;

std::vector<std::unique_ptr<WindowClass>>& Classes() {
  static std::vector<std::unique_ptr<WindowClass>> classes;
  return classes;
}

bool SameName(const std::string& a, LPCTSTR b) {
  return strcasecmp(a.c_str(), b) == 0;
}

std::string ClassKey(LPCTSTR name) {
  // Classes named by an atom are stored under "#atom".
  if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<uintptr_t>(name));
  return name;
}

}  // namespace

Window* FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto& table = Handles();
  auto it = table.find(reinterpret_cast<uintptr_t>(hwnd));
  if (it == table.end()) return nullptr;
  return it->second;
}

HWND NewHandle(Window* w) {
  uintptr_t value = g_nextHandle;
  g_nextHandle += 4;
  Handles()[value] = w;
  return reinterpret_cast<HWND>(value);
}

void ForgetHandle(HWND hwnd) { Handles().erase(reinterpret_cast<uintptr_t>(hwnd)); }

std::vector<Window*>& TopLevelWindows() {
  static std::vector<Window*> tops;
  return tops;
}

std::vector<Window*>& Graveyard() {
  static std::vector<Window*> dead;
  return dead;
}

void FreeGraveyard() {
  if (Sys().sendDepth > 0) return;
  auto& dead = Graveyard();
  for (Window* w : dead) {
    if (w->update) cairo_region_destroy(w->update);
    if (w->shape) cairo_region_destroy(w->shape);
    if (w->surface) cairo_surface_destroy(w->surface);
    delete w;
  }
  dead.clear();
}

Window* TopLevelOf(Window* w) {
  while (w && w->parent) w = w->parent;
  return w;
}

WindowClass* FindClass(LPCTSTR name, HINSTANCE instance) {
  if (!name) return nullptr;
  RegisterSystemClasses();
  std::string key = ClassKey(name);
  WindowClass* global = nullptr;
  for (auto& c : Classes()) {
    if (!SameName(c->name, key.c_str())) continue;
    if (c->instance == instance) return c.get();
    if (!global) global = c.get();
  }
  // Classes are shared by every module of the process: the library registers
  // its controls once and any module may create them.
  return global;
}

}  // namespace nbp::user

using namespace nbp::user;

ATOM RegisterClass(const WNDCLASS* wc) {
  if (!wc || !wc->lpszClassName || !wc->lpfnWndProc) return 0;
  std::string key = ClassKey(wc->lpszClassName);
  for (auto& c : Classes()) {
    if (SameName(c->name, key.c_str()) && c->instance == wc->hInstance) return 0;  // already registered
  }
  auto c = std::make_unique<WindowClass>();
  c->name = key;
  c->style = wc->style;
  c->proc = wc->lpfnWndProc;
  c->clsExtra = std::max(0, wc->cbClsExtra);
  c->wndExtra = std::max(0, wc->cbWndExtra);
  c->instance = wc->hInstance;
  c->icon = wc->hIcon;
  c->cursor = wc->hCursor;
  c->background = wc->hbrBackground;
  if (wc->lpszMenuName && !IS_INTRESOURCE(wc->lpszMenuName)) c->menuName = wc->lpszMenuName;
  Classes().push_back(std::move(c));
  // Atoms count from 0xC000 as the window system's string atoms do.
  return static_cast<ATOM>(0xC000 + Classes().size() - 1);
}

BOOL UnregisterClass(LPCTSTR className, HINSTANCE instance) {
  if (!className) return FALSE;
  std::string key = ClassKey(className);
  auto& classes = Classes();
  for (auto it = classes.begin(); it != classes.end(); ++it) {
    if (!SameName((*it)->name, key.c_str()) || (*it)->instance != instance) continue;
    // A class still used by a window stays.
    for (auto& [handle, w] : Handles()) {
      if (w->cls == it->get()) return FALSE;
    }
    classes.erase(it);
    return TRUE;
  }
  return FALSE;
}

BOOL GetClassInfo(HINSTANCE instance, LPCTSTR className, LPWNDCLASS wc) {
  WindowClass* c = FindClass(className, instance);
  if (!c || !wc) return FALSE;
  wc->style = c->style;
  wc->lpfnWndProc = c->proc;
  wc->cbClsExtra = c->clsExtra;
  wc->cbWndExtra = c->wndExtra;
  wc->hInstance = c->instance;
  wc->hIcon = c->icon;
  wc->hCursor = c->cursor;
  wc->hbrBackground = c->background;
  wc->lpszMenuName = c->menuName.empty() ? nullptr : c->menuName.c_str();
  wc->lpszClassName = c->name.c_str();
  return TRUE;
}

int GetClassName(HWND hwnd, LPTSTR buffer, int maxCount) {
  Window* w = FromHandle(hwnd);
  if (!w || !buffer || maxCount <= 0) return 0;
  size_t n = std::min(w->cls->name.size(), static_cast<size_t>(maxCount - 1));
  memcpy(buffer, w->cls->name.data(), n);
  buffer[n] = 0;
  return static_cast<int>(n);
}

DWORD GetClassLong(HWND hwnd, int index) {
  Window* w = FromHandle(hwnd);
  if (!w) return 0;
  switch (index) {
    case GCL_STYLE: return w->cls->style;
    case GCL_HCURSOR: return static_cast<DWORD>(reinterpret_cast<uintptr_t>(w->cls->cursor));
    case GCL_HBRBACKGROUND: return static_cast<DWORD>(reinterpret_cast<uintptr_t>(w->cls->background));
    default: return 0;
  }
}
