// Creating and destroying windows, and the window tree.
#include <algorithm>
#include <cstring>

#include "nbp/desktop.h"
#include "nbp/hooks.h"
#include "user/window/user_state.h"
#include "user/window/window.h"

namespace nbp {
namespace {
CreateHook g_createHook = nullptr;
}  // namespace
void SetCreateHook(CreateHook hook) { g_createHook = hook; }

namespace {
PreTranslateHook g_preTranslate = nullptr;
IdleHook g_idle = nullptr;
}  // namespace
void SetPreTranslateHook(PreTranslateHook hook) { g_preTranslate = hook; }
PreTranslateHook GetPreTranslateHook() { return g_preTranslate; }
void SetIdleHook(IdleHook hook) { g_idle = hook; }
IdleHook GetIdleHook() { return g_idle; }
}  // namespace nbp

namespace nbp::user {
namespace {

void Unlink(Window* w) {
  auto& list = w->parent ? w->parent->children : TopLevelWindows();
  list.erase(std::remove(list.begin(), list.end(), w), list.end());
}

void SendSizeAndMove(Window* w) {
  RECT c;
  GetClientRect(w->handle, &c);
  Deliver(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right, c.bottom));
  if (!FromHandle(w->handle)) return;
  POINT o = w->parent ? POINT{w->rect.left + 0, w->rect.top + 0} : ClientOriginInScreen(w);
  if (w->parent) {
    RECT cw = ClientRectInWindow(w);
    o.x += cw.left;
    o.y += cw.top;
  }
  Deliver(w, WM_MOVE, 0, MAKELPARAM(o.x, o.y));
}


void SendDestroy(Window* w) {
  Deliver(w, WM_DESTROY, 0, 0);
  // Children first copied: a WM_DESTROY handler may destroy more windows.
  std::vector<HWND> kids;
  for (Window* c : w->children) kids.push_back(c->handle);
  for (HWND k : kids) {
    if (Window* c = FromHandle(k)) {
      c->destroying = true;
      SendDestroy(c);
    }
  }
}

void SendNcDestroyAndFree(Window* w) {
  std::vector<HWND> kids;
  for (Window* c : w->children) kids.push_back(c->handle);
  for (HWND k : kids) {
    if (Window* c = FromHandle(k)) SendNcDestroyAndFree(c);
  }
  HWND h = w->handle;
  Deliver(w, WM_NCDESTROY, 0, 0);
  // A top-level window's menu goes with it.
  if (!w->parent && w->menu && IsMenu(w->menu)) DestroyMenu(w->menu);
  RemoveWindowTimers(h);
  RemoveWindowMessages(h);
  ForgetWindowInput(w);
  Unlink(w);
  for (Window* c : w->children) c->parent = nullptr;  // already freed above; defensive
  w->children.clear();
  ForgetHandle(h);
  Graveyard().push_back(w);
}

}  // namespace

LRESULT Deliver(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!w || !w->proc) return 0;
  HWND h = w->handle;
  ++Sys().sendDepth;
  LRESULT r = w->proc(h, msg, wParam, lParam);
  --Sys().sendDepth;
  return r;
}

}  // namespace nbp::user

using namespace nbp::user;

HWND CreateWindowEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parentHandle, HMENU menuOrId, HINSTANCE instance,
                    LPVOID param) {
  WindowClass* cls = FindClass(className, instance);
  if (!cls) return nullptr;
  Window* parent = nullptr;
  Window* owner = nullptr;
  if (parentHandle) {
    Window* p = FromHandle(parentHandle);
    if (!p) return nullptr;
    if (style & WS_CHILD) parent = p;
    else owner = TopLevelOf(p);
  } else if (style & WS_CHILD) {
    return nullptr;  // a child needs a parent
  }

  if (!parent) {
    if (x == CW_USEDEFAULT) { x = 40 + 24 * static_cast<int>(TopLevelWindows().size() % 8); y = x; }
    if (width == CW_USEDEFAULT) { width = 640; height = 480; }
  } else {
    if (x == CW_USEDEFAULT) x = y = 0;
    if (width == CW_USEDEFAULT) width = height = 0;
  }
  // Negative sizes become empty, as the window system does.
  width = std::max(width, 0);
  height = std::max(height, 0);

  auto* w = new Window;
  w->cls = cls;
  w->proc = cls->proc;
  w->parent = parent;
  w->owner = owner;
  w->style = style & ~WS_VISIBLE;
  w->exStyle = exStyle;
  if (parent) w->id = reinterpret_cast<UINT_PTR>(menuOrId);
  else w->menu = menuOrId;
  w->instance = instance;
  if (windowName && !IS_INTRESOURCE(windowName)) w->text = windowName;
  w->rect = RECT{x, y, x + width, y + height};
  w->extra.assign((cls->wndExtra + sizeof(LONG_PTR) - 1) / sizeof(LONG_PTR), 0);
  w->vbar.shown = (style & WS_VSCROLL) != 0;
  w->hbar.shown = (style & WS_HSCROLL) != 0;
  w->creating = true;
  w->handle = NewHandle(w);
  HWND hwnd = w->handle;
  if (parent) parent->children.push_back(w);  // new children go to the bottom of the z-order
  else TopLevelWindows().insert(TopLevelWindows().begin(), w);
  if (!parent) EnsureSurface(w);

  if (nbp::g_createHook) {
    nbp::g_createHook(hwnd);
    if (!FromHandle(hwnd)) return nullptr;
  }

  CREATESTRUCT cs{};
  cs.lpCreateParams = param;
  cs.hInstance = instance;
  cs.hMenu = menuOrId;
  cs.hwndParent = parentHandle;
  cs.cx = width;
  cs.cy = height;
  cs.x = x;
  cs.y = y;
  cs.style = static_cast<LONG>(style);
  cs.lpszName = windowName;
  cs.lpszClass = className;
  cs.dwExStyle = exStyle;

  bool ok = Deliver(w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) != 0;
  if (ok && FromHandle(hwnd)) ok = Deliver(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) != -1;
  if (!FromHandle(hwnd)) return nullptr;
  if (!ok) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  w->creating = false;
  SendSizeAndMove(w);
  if (!FromHandle(hwnd)) return nullptr;
  if (parent && !(exStyle & WS_EX_NOPARENTNOTIFY)) {
    Deliver(parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, w->id), reinterpret_cast<LPARAM>(hwnd));
    if (!FromHandle(hwnd)) return nullptr;
  }
  if (style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
  if (!FromHandle(hwnd)) return nullptr;
  return hwnd;
}

HWND CreateWindow(LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y, int width, int height,
                  HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param) {
  return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menuOrId, instance,
                        param);
}

BOOL DestroyWindow(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  if (!w || w->destroying) return FALSE;
  w->destroying = true;

  // Owned windows go first, as the window system destroys them with their owner.
  std::vector<HWND> owned;
  for (Window* t : TopLevelWindows()) {
    if (t->owner == w) owned.push_back(t->handle);
  }
  for (HWND o : owned) DestroyWindow(o);

  if (w->parent && !(w->exStyle & WS_EX_NOPARENTNOTIFY)) {
    Deliver(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, w->id), reinterpret_cast<LPARAM>(hwnd));
    if (!FromHandle(hwnd)) return TRUE;
  }
  if (w->style & WS_VISIBLE) {
    // Hide without WM_SHOWWINDOW, uncovering what lies beneath.
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!(w = FromHandle(hwnd))) return TRUE;
  }
  // The focus goes to the parent, and activation to another window, before
  // the window hears of its end.
  HWND focus = GetFocus();
  if (focus && (focus == hwnd || IsChild(hwnd, focus))) SetFocus(w->parent ? w->parent->handle : nullptr);
  if (!(w = FromHandle(hwnd))) return TRUE;
  HWND capture = GetCapture();
  if (capture && (capture == hwnd || IsChild(hwnd, capture))) ReleaseCapture();
  if (!(w = FromHandle(hwnd))) return TRUE;
  if (!w->parent && GetActiveWindow() == hwnd) {
    HWND next = nullptr;
    if (w->owner && IsWindowVisible(w->owner->handle) && IsWindowEnabled(w->owner->handle)) next = w->owner->handle;
    for (Window* t : TopLevelWindows()) {
      if (next) break;
      if (t != w && (t->style & WS_VISIBLE) && !(t->style & WS_DISABLED)) next = t->handle;
    }
    SetActiveWindow(next);
    if (!(w = FromHandle(hwnd))) return TRUE;
    if (Sys().active == hwnd) ActivateWindow(nullptr, WA_INACTIVE);
    if (!(w = FromHandle(hwnd))) return TRUE;
  }
  SendDestroy(w);
  if (!(w = FromHandle(hwnd))) return TRUE;
  Window* top = w->parent ? nullptr : w;
  SendNcDestroyAndFree(w);
  if (top) {
    nbp::CurrentDesktop().WindowChanged(hwnd);
  }
  return TRUE;
}

BOOL IsWindow(HWND hwnd) { return FromHandle(hwnd) != nullptr; }

BOOL IsChild(HWND parent, HWND hwnd) {
  Window* p = FromHandle(parent);
  Window* w = FromHandle(hwnd);
  if (!p || !w) return FALSE;
  for (w = w->parent; w; w = w->parent) {
    if (w == p) return TRUE;
  }
  return FALSE;
}

HWND GetParent(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  if (!w) return nullptr;
  if (w->parent) return w->parent->handle;
  // A popup's "parent" is its owner, as GetParent reports it.
  if ((w->style & WS_POPUP) && w->owner) return w->owner->handle;
  return nullptr;
}

HWND SetParent(HWND hwnd, HWND newParent) {
  Window* w = FromHandle(hwnd);
  if (!w) return nullptr;
  Window* np = nullptr;
  if (newParent) {
    np = FromHandle(newParent);
    if (!np) return nullptr;
    for (Window* a = np; a; a = a->parent) {
      if (a == w) return nullptr;  // would make a cycle
    }
  }
  HWND old = w->parent ? w->parent->handle : nullptr;
  bool visible = (w->style & WS_VISIBLE) != 0;
  if (visible) ShowWindow(hwnd, SW_HIDE);
  if (!(w = FromHandle(hwnd))) return nullptr;
  auto& list = w->parent ? w->parent->children : TopLevelWindows();
  list.erase(std::remove(list.begin(), list.end(), w), list.end());
  if (w->surface) DropSurface(w);
  w->parent = np;
  if (np) {
    np->children.insert(np->children.begin(), w);
    w->style |= WS_CHILD;
    w->style &= ~WS_POPUP;
  } else {
    TopLevelWindows().insert(TopLevelWindows().begin(), w);
    EnsureSurface(w);
  }
  if (visible) ShowWindow(hwnd, SW_SHOWNA);
  return old;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
  Window* w = FromHandle(hwnd);
  if (!w) return nullptr;
  switch (flags) {
    case GA_PARENT: return w->parent ? w->parent->handle : GetDesktopWindow();
    case GA_ROOT: return TopLevelOf(w)->handle;
    case GA_ROOTOWNER: {
      Window* t = TopLevelOf(w);
      while (t->owner) t = TopLevelOf(t->owner);
      return t->handle;
    }
    default: return nullptr;
  }
}

HWND GetWindow(HWND hwnd, UINT cmd) {
  Window* w = FromHandle(hwnd);
  if (!w) return nullptr;
  auto& siblings = w->parent ? w->parent->children : TopLevelWindows();
  auto it = std::find(siblings.begin(), siblings.end(), w);
  switch (cmd) {
    case GW_HWNDFIRST: return siblings.empty() ? nullptr : siblings.front()->handle;
    case GW_HWNDLAST: return siblings.empty() ? nullptr : siblings.back()->handle;
    case GW_HWNDNEXT:
      if (it == siblings.end() || it + 1 == siblings.end()) return nullptr;
      return (*(it + 1))->handle;
    case GW_HWNDPREV:
      if (it == siblings.end() || it == siblings.begin()) return nullptr;
      return (*(it - 1))->handle;
    case GW_OWNER: return w->owner ? w->owner->handle : nullptr;
    case GW_CHILD: return w->children.empty() ? nullptr : w->children.front()->handle;
    default: return nullptr;
  }
}

HWND GetTopWindow(HWND hwnd) {
  if (!hwnd) return TopLevelWindows().empty() ? nullptr : TopLevelWindows().front()->handle;
  return GetWindow(hwnd, GW_CHILD);
}

HWND GetNextWindow(HWND hwnd, UINT cmd) { return GetWindow(hwnd, cmd); }

HWND GetDesktopWindow() {
  // There is no desktop window object; callers use it as "no parent".
  return nullptr;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM param) {
  Window* p = FromHandle(parent);
  if (!p || !proc) return FALSE;
  std::vector<HWND> all;
  std::vector<Window*> stack(p->children.rbegin(), p->children.rend());
  while (!stack.empty()) {
    Window* c = stack.back();
    stack.pop_back();
    all.push_back(c->handle);
    stack.insert(stack.end(), c->children.rbegin(), c->children.rend());
  }
  for (HWND h : all) {
    if (IsWindow(h) && !proc(h, param)) break;
  }
  return TRUE;
}

HWND GetDlgItem(HWND dialog, int id) {
  Window* d = FromHandle(dialog);
  if (!d) return nullptr;
  for (Window* c : d->children) {
    if (static_cast<int>(c->id) == id) return c->handle;
  }
  return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  if (!w || !w->parent) return 0;
  return static_cast<int>(w->id);
}

int SetDlgCtrlID(HWND hwnd, int id) {
  Window* w = FromHandle(hwnd);
  if (!w || !w->parent) return 0;
  int old = static_cast<int>(w->id);
  w->id = static_cast<UINT_PTR>(id);
  return old;
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND item = GetDlgItem(dialog, id);
  return item ? SendMessage(item, msg, wParam, lParam) : 0;
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
  Window* w = FromHandle(hwnd);
  if (!w) return 0;
  if (index >= 0) {
    size_t slot = static_cast<size_t>(index) / sizeof(LONG_PTR);
    return slot < w->extra.size() ? w->extra[slot] : 0;
  }
  switch (index) {
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWL_HWNDPARENT: return reinterpret_cast<LONG_PTR>(GetParent(hwnd));
    case GWL_STYLE: return static_cast<LONG_PTR>(static_cast<LONG>(w->style));
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(static_cast<LONG>(w->exStyle));
    case GWL_USERDATA: return w->userData;
    case GWL_ID: return static_cast<LONG_PTR>(w->id);
    default: return 0;
  }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
  Window* w = FromHandle(hwnd);
  if (!w) return 0;
  LONG_PTR old = GetWindowLongPtr(hwnd, index);
  if (index >= 0) {
    size_t slot = static_cast<size_t>(index) / sizeof(LONG_PTR);
    if (slot >= w->extra.size()) return 0;
    w->extra[slot] = value;
    return old;
  }
  switch (index) {
    case GWL_WNDPROC:
      if (!value) return 0;
      w->proc = reinterpret_cast<WNDPROC>(value);
      break;
    case GWL_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); break;
    case GWL_STYLE: {
      STYLESTRUCT ss{w->style, static_cast<DWORD>(value)};
      Deliver(w, WM_STYLECHANGING, static_cast<WPARAM>(GWL_STYLE), reinterpret_cast<LPARAM>(&ss));
      if (!(w = FromHandle(hwnd))) return old;
      // Visibility changes only through ShowWindow and SetWindowPos.
      DWORD keepVisible = w->style & WS_VISIBLE;
      w->style = (ss.styleNew & ~WS_VISIBLE) | keepVisible;
      w->vbar.shown = (w->style & WS_VSCROLL) != 0;
      w->hbar.shown = (w->style & WS_HSCROLL) != 0;
      Deliver(w, WM_STYLECHANGED, static_cast<WPARAM>(GWL_STYLE), reinterpret_cast<LPARAM>(&ss));
      break;
    }
    case GWL_EXSTYLE: {
      STYLESTRUCT ss{w->exStyle, static_cast<DWORD>(value)};
      Deliver(w, WM_STYLECHANGING, static_cast<WPARAM>(GWL_EXSTYLE), reinterpret_cast<LPARAM>(&ss));
      if (!(w = FromHandle(hwnd))) return old;
      w->exStyle = ss.styleNew;
      Deliver(w, WM_STYLECHANGED, static_cast<WPARAM>(GWL_EXSTYLE), reinterpret_cast<LPARAM>(&ss));
      break;
    }
    case GWL_USERDATA: w->userData = value; break;
    case GWL_ID: w->id = static_cast<UINT_PTR>(value); break;
    default: return 0;
  }
  return old;
}

LONG GetWindowLong(HWND hwnd, int index) { return static_cast<LONG>(GetWindowLongPtr(hwnd, index)); }
LONG SetWindowLong(HWND hwnd, int index, LONG value) {
  // Window procedures don't fit in 32 bits; callers use the pointer-sized form.
  if (index == GWL_WNDPROC) return 0;
  return static_cast<LONG>(SetWindowLongPtr(hwnd, index, value));
}

BOOL SetProp(HWND hwnd, LPCTSTR name, HANDLE data) {
  Window* w = FromHandle(hwnd);
  if (!w || !name) return FALSE;
  std::string key = IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<uintptr_t>(name)) : name;
  w->props[key] = data;
  return TRUE;
}

HANDLE GetProp(HWND hwnd, LPCTSTR name) {
  Window* w = FromHandle(hwnd);
  if (!w || !name) return nullptr;
  std::string key = IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<uintptr_t>(name)) : name;
  auto it = w->props.find(key);
  return it == w->props.end() ? nullptr : it->second;
}

HANDLE RemoveProp(HWND hwnd, LPCTSTR name) {
  Window* w = FromHandle(hwnd);
  if (!w || !name) return nullptr;
  std::string key = IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<uintptr_t>(name)) : name;
  auto it = w->props.find(key);
  if (it == w->props.end()) return nullptr;
  HANDLE h = it->second;
  w->props.erase(it);
  return h;
}

BOOL SetWindowText(HWND hwnd, LPCTSTR text) {
  if (!IsWindow(hwnd)) return FALSE;
  return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

int GetWindowText(HWND hwnd, LPTSTR buffer, int maxCount) {
  if (!IsWindow(hwnd) || !buffer || maxCount <= 0) return 0;
  return static_cast<int>(SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hwnd) {
  if (!IsWindow(hwnd)) return 0;
  return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL SetDlgItemText(HWND dialog, int id, LPCTSTR text) {
  HWND item = GetDlgItem(dialog, id);
  return item ? SetWindowText(item, text) : FALSE;
}

UINT GetDlgItemText(HWND dialog, int id, LPTSTR buffer, int maxCount) {
  HWND item = GetDlgItem(dialog, id);
  if (!item) {
    if (buffer && maxCount > 0) buffer[0] = 0;
    return 0;
  }
  return static_cast<UINT>(GetWindowText(item, buffer, maxCount));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  char buf[16];
  if (isSigned) snprintf(buf, sizeof buf, "%d", static_cast<int>(value));
  else snprintf(buf, sizeof buf, "%u", value);
  return SetDlgItemText(dialog, id, buf);
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
  char buf[32] = {};
  if (translated) *translated = FALSE;
  if (!GetDlgItemText(dialog, id, buf, sizeof buf)) return 0;
  char* p = buf;
  while (*p == ' ') ++p;
  char* end = nullptr;
  long long v = strtoll(p, &end, 10);
  if (end == p) return 0;
  while (*end == ' ') ++end;
  if (*end) return 0;
  if (!isSigned && v < 0) return 0;
  if (isSigned ? (v < INT32_MIN || v > INT32_MAX) : (v > UINT32_MAX)) return 0;
  if (translated) *translated = TRUE;
  return static_cast<UINT>(v);
}
