// Menu handles and the functions that build, change and query menus.
//
// Handles are numbers that are never reused, so a handle kept after its menu
// was destroyed is recognised as stale and every call fails as Windows fails:
// FALSE, -1 (0xFFFFFFFF), 0 or NULL. Handles stay below 0x10000000, so the
// handle of a submenu can stand for its item's id in MF_BYCOMMAND lookups, as
// it does on Windows.
#include <algorithm>
#include <memory>
#include <set>
#include <unordered_map>

#include "nbp/utf8_step.h"
#include "user/menus/menu.h"
#include "user/window/window.h"

namespace nbp::user {
namespace {

// Menus nest; a menu made its own descendant must not send a lookup round
// for ever, so descents stop here.
constexpr int kMaxDepth = 64;

std::unordered_map<uintptr_t, std::unique_ptr<Menu>>& Menus() {
  static std::unordered_map<uintptr_t, std::unique_ptr<Menu>> table;
  return table;
}
uintptr_t g_nextMenu = 0x30010;

HMENU NewMenu() {
  auto menu = std::make_unique<Menu>();
  menu->handle = reinterpret_cast<HMENU>(g_nextMenu);
  g_nextMenu += 4;
  HMENU handle = menu->handle;
  Menus()[reinterpret_cast<uintptr_t>(handle)] = std::move(menu);
  return handle;
}

bool FindByCommand(Menu* menu, UINT id, ItemRef* found, int depth) {
  if (depth > kMaxDepth) return false;
  // A submenu item whose own id matches is taken only when nothing inside
  // it matches, so commands of nested items win over the submenu's handle.
  ItemRef fallback;
  for (size_t i = 0; i < menu->items.size(); ++i) {
    MenuItem& item = menu->items[i];
    if (item.IsPopup()) {
      if (Menu* sub = MenuFromHandle(item.submenu); sub && FindByCommand(sub, id, found, depth + 1)) return true;
      if (item.id == id && !fallback.menu) fallback = ItemRef{menu, i};
    } else if (item.id == id) {
      *found = ItemRef{menu, i};
      return true;
    }
  }
  if (!fallback.menu) return false;
  *found = fallback;
  return true;
}

// Fills `item` from the flags and arguments of AppendMenu, InsertMenu and
// ModifyMenu. False when a submenu handle is not a menu.
bool MakeItem(UINT flags, UINT_PTR idOrPopup, LPCTSTR text, MenuItem* item) {
  MenuItem made;
  made.type = flags & kTypeBits;
  made.state = flags & kStateBits;
  made.id = static_cast<UINT>(idOrPopup);
  if (made.IsPopup()) {
    made.submenu = reinterpret_cast<HMENU>(idOrPopup);
    if (!MenuFromHandle(made.submenu)) return false;
  }
  if (made.IsOwnerDraw() || (made.type & MF_BITMAP)) {
    // The "string" argument is the item's data (or its bitmap).
    made.data = reinterpret_cast<ULONG_PTR>(text);
  } else if (!made.IsSeparator()) {
    if (text) made.text = text;
    else made.type |= MF_SEPARATOR;
  }
  *item = std::move(made);
  return true;
}

void Changed(Menu* menu) { menu->measured = false; }

void CollectSubmenus(Menu* menu, std::set<uintptr_t>* seen) {
  if (!seen->insert(reinterpret_cast<uintptr_t>(menu->handle)).second) return;
  for (const MenuItem& item : menu->items)
    if (item.IsPopup())
      if (Menu* sub = MenuFromHandle(item.submenu)) CollectSubmenus(sub, seen);
}

// Every command id in [first, last] that a lookup can find, ascending.
void CollectIds(Menu* menu, UINT first, UINT last, std::set<UINT>* ids, int depth) {
  if (depth > kMaxDepth) return;
  for (const MenuItem& item : menu->items) {
    if (item.id >= first && item.id <= last) ids->insert(item.id);
    if (item.IsPopup())
      if (Menu* sub = MenuFromHandle(item.submenu)) CollectIds(sub, first, last, ids, depth + 1);
  }
}

// Removes an item; with `destroy`, a submenu it opens goes with it.
BOOL TakeOut(HMENU handle, UINT position, UINT flags, bool destroy) {
  ItemRef ref;
  if (!FindMenuItem(handle, position, flags, &ref)) return FALSE;
  HMENU sub = ref.item().IsPopup() ? ref.item().submenu : nullptr;
  ref.menu->items.erase(ref.menu->items.begin() + static_cast<ptrdiff_t>(ref.pos));
  Changed(ref.menu);
  if (destroy && sub) DestroyMenu(sub);
  return TRUE;
}

}  // namespace

Menu* MenuFromHandle(HMENU menu) {
  if (!menu) return nullptr;
  auto& table = Menus();
  auto it = table.find(reinterpret_cast<uintptr_t>(menu));
  return it == table.end() ? nullptr : it->second.get();
}

bool FindMenuItem(HMENU handle, UINT item, UINT flags, ItemRef* found) {
  Menu* menu = MenuFromHandle(handle);
  if (!menu) return false;
  if (flags & MF_BYPOSITION) {
    if (item >= menu->items.size()) return false;
    *found = ItemRef{menu, item};
    return true;
  }
  return FindByCommand(menu, item, found, 0);
}

}  // namespace nbp::user

using nbp::user::FindMenuItem;
using nbp::user::ItemRef;
using nbp::user::Menu;
using nbp::user::MenuFromHandle;
using nbp::user::MenuItem;

HMENU CreateMenu() { return nbp::user::NewMenu(); }

HMENU CreatePopupMenu() { return nbp::user::NewMenu(); }

BOOL DestroyMenu(HMENU handle) {
  Menu* menu = MenuFromHandle(handle);
  if (!menu) return FALSE;
  std::set<uintptr_t> doomed;
  nbp::user::CollectSubmenus(menu, &doomed);
  for (uintptr_t h : doomed) nbp::user::Menus().erase(h);
  return TRUE;
}

BOOL IsMenu(HMENU menu) { return MenuFromHandle(menu) ? TRUE : FALSE; }

BOOL AppendMenu(HMENU handle, UINT flags, UINT_PTR idOrPopup, LPCTSTR text) {
  return InsertMenu(handle, static_cast<UINT>(-1), (flags & ~MF_BYCOMMAND) | MF_BYPOSITION, idOrPopup, text);
}

BOOL InsertMenu(HMENU handle, UINT position, UINT flags, UINT_PTR idOrPopup, LPCTSTR text) {
  Menu* menu = MenuFromHandle(handle);
  if (!menu) return FALSE;
  MenuItem item;
  if (!nbp::user::MakeItem(flags, idOrPopup, text, &item)) return FALSE;
  // By position, -1 or any position past the end appends; by command, the
  // new item goes before the one found, in whichever submenu holds it.
  size_t at = menu->items.size();
  if (flags & MF_BYPOSITION) {
    at = std::min<size_t>(position, menu->items.size());
  } else {
    ItemRef ref;
    if (!FindMenuItem(handle, position, flags, &ref)) return FALSE;
    menu = ref.menu;
    at = ref.pos;
  }
  menu->items.insert(menu->items.begin() + static_cast<ptrdiff_t>(at), std::move(item));
  nbp::user::Changed(menu);
  return TRUE;
}

BOOL ModifyMenu(HMENU handle, UINT position, UINT flags, UINT_PTR idOrPopup, LPCTSTR text) {
  ItemRef ref;
  if (!FindMenuItem(handle, position, flags, &ref)) return FALSE;
  MenuItem item;
  if (!nbp::user::MakeItem(flags, idOrPopup, text, &item)) return FALSE;
  // A submenu replaced by anything else is destroyed with its item.
  HMENU old = ref.item().IsPopup() ? ref.item().submenu : nullptr;
  ref.item() = std::move(item);
  nbp::user::Changed(ref.menu);
  if (old && old != ref.item().submenu && old != handle) DestroyMenu(old);
  return TRUE;
}

BOOL DeleteMenu(HMENU handle, UINT position, UINT flags) {
  return nbp::user::TakeOut(handle, position, flags, true);
}

BOOL RemoveMenu(HMENU handle, UINT position, UINT flags) {
  return nbp::user::TakeOut(handle, position, flags, false);
}

DWORD CheckMenuItem(HMENU handle, UINT position, UINT check) {
  ItemRef ref;
  if (!FindMenuItem(handle, position, check, &ref)) return 0xFFFFFFFF;
  MenuItem& item = ref.item();
  DWORD previous = item.state & MF_CHECKED;
  item.state = (item.state & ~MF_CHECKED) | (check & MF_CHECKED);
  return previous;
}

BOOL EnableMenuItem(HMENU handle, UINT position, UINT enable) {
  ItemRef ref;
  if (!FindMenuItem(handle, position, enable, &ref)) return -1;
  MenuItem& item = ref.item();
  UINT previous = item.state & (MF_GRAYED | MF_DISABLED);
  item.state = (item.state & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
  return static_cast<BOOL>(previous);
}

BOOL CheckMenuRadioItem(HMENU handle, UINT first, UINT last, UINT check, UINT flags) {
  Menu* menu = MenuFromHandle(handle);
  if (!menu || first > last) return FALSE;
  // The items first..last that live in the same menu as the first one found
  // become a group: `check` gets a bullet, the others lose their mark.
  std::vector<std::pair<UINT, ItemRef>> group;
  if (flags & MF_BYPOSITION) {
    for (size_t i = first; i <= last && i < menu->items.size(); ++i)
      group.emplace_back(static_cast<UINT>(i), ItemRef{menu, i});
  } else {
    std::set<UINT> ids;
    nbp::user::CollectIds(menu, first, last, &ids, 0);
    Menu* home = nullptr;
    for (UINT id : ids) {
      ItemRef ref;
      if (!FindMenuItem(handle, id, MF_BYCOMMAND, &ref)) continue;
      if (!home) home = ref.menu;
      if (ref.menu == home) group.emplace_back(id, ref);
    }
  }
  BOOL done = FALSE;
  for (auto& [key, ref] : group) {
    MenuItem& item = ref.item();
    if (item.IsSeparator()) continue;
    if (key == check) {
      item.type |= nbp::user::kRadioCheck;
      item.state |= MF_CHECKED;
      done = TRUE;
    } else {
      item.state &= ~MF_CHECKED;
    }
  }
  return done;
}

UINT GetMenuState(HMENU handle, UINT position, UINT flags) {
  ItemRef ref;
  if (!FindMenuItem(handle, position, flags, &ref)) return 0xFFFFFFFF;
  const MenuItem& item = ref.item();
  UINT bits = item.type | item.state;
  if (!item.IsPopup()) return bits;
  // A submenu item reports its submenu's item count in the high byte.
  Menu* sub = MenuFromHandle(item.submenu);
  UINT count = sub ? static_cast<UINT>(sub->items.size()) : 0;
  return ((count & 0xFF) << 8) | (bits & 0xFF);
}

UINT GetMenuItemID(HMENU handle, int position) {
  ItemRef ref;
  if (position < 0 || !FindMenuItem(handle, static_cast<UINT>(position), MF_BYPOSITION, &ref)) return 0xFFFFFFFF;
  if (ref.item().IsPopup()) return 0xFFFFFFFF;
  return ref.item().id;
}

int GetMenuItemCount(HMENU handle) {
  Menu* menu = MenuFromHandle(handle);
  return menu ? static_cast<int>(menu->items.size()) : -1;
}

int GetMenuString(HMENU handle, UINT position, LPTSTR buffer, int maxCount, UINT flags) {
  if (buffer && maxCount > 0) buffer[0] = '\0';
  ItemRef ref;
  if (!FindMenuItem(handle, position, flags, &ref)) return 0;
  const MenuItem& item = ref.item();
  if (item.IsSeparator() || item.IsOwnerDraw() || item.IsBitmap()) return 0;
  const std::string& text = item.text;
  if (!buffer || maxCount <= 0) return static_cast<int>(text.size());
  // Truncated to whole characters, leaving room for the zero.
  size_t room = static_cast<size_t>(maxCount - 1);
  size_t n = 0;
  while (n < text.size()) {
    size_t len = nbp::utf8::CharLen(text.data() + n, text.size() - n);
    if (n + len > room) break;
    n += len;
  }
  std::copy_n(text.data(), n, buffer);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

HMENU GetSubMenu(HMENU handle, int position) {
  ItemRef ref;
  if (position < 0 || !FindMenuItem(handle, static_cast<UINT>(position), MF_BYPOSITION, &ref)) return nullptr;
  const MenuItem& item = ref.item();
  return item.IsPopup() && MenuFromHandle(item.submenu) ? item.submenu : nullptr;
}

BOOL SetMenuDefaultItem(HMENU handle, UINT position, UINT byPosition) {
  Menu* menu = MenuFromHandle(handle);
  if (!menu) return FALSE;
  // Only the menu's own items take part; a menu has at most one default.
  for (MenuItem& item : menu->items) item.state &= ~MF_DEFAULT;
  if (position == static_cast<UINT>(-1)) return TRUE;
  for (size_t i = 0; i < menu->items.size(); ++i) {
    MenuItem& item = menu->items[i];
    if (byPosition ? i == position : item.id == position) {
      item.state |= MF_DEFAULT;
      return TRUE;
    }
  }
  return FALSE;
}

HMENU GetMenu(HWND hwnd) {
  nbp::user::Window* w = nbp::user::FromHandle(hwnd);
  if (!w || w->IsChild()) return nullptr;
  return w->menu;
}

BOOL SetMenu(HWND hwnd, HMENU menu) {
  nbp::user::Window* w = nbp::user::FromHandle(hwnd);
  if (!w || w->IsChild()) return FALSE;
  if (menu && !MenuFromHandle(menu)) return FALSE;
  w->menu = menu;
  return TRUE;
}

DWORD GetMenuCheckMarkDimensions() {
  return static_cast<DWORD>(MAKELONG(GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENUCHECK)));
}
