// Menu templates come from language modules on disk: any bytes must be
// refused or give a menu, never be read past their end, and a menu read
// must be whole (every submenu reachable and destroyed with it).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "user/menus/menu.h"

namespace {

// Walks the menu as a program showing it would, gathering its submenus.
void Walk(HMENU menu, std::vector<HMENU>& seen, int depth) {
  if (depth > 64) __builtin_trap();  // the reader refuses deeper nesting
  int count = GetMenuItemCount(menu);
  if (count < 0) __builtin_trap();
  for (int i = 0; i < count; ++i) {
    char text[64];
    GetMenuString(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    if (HMENU sub = GetSubMenu(menu, i)) {
      seen.push_back(sub);
      Walk(sub, seen, depth + 1);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly the given size, so that reading one byte too far is caught.
  std::vector<uint8_t> bytes(data, data + size);
  HMENU menu = nbp::user::MenuFromTemplate(bytes.data(), bytes.size());
  if (!menu) return 0;
  std::vector<HMENU> submenus;
  Walk(menu, submenus, 0);
  if (!DestroyMenu(menu)) __builtin_trap();
  if (IsMenu(menu)) __builtin_trap();
  for (HMENU sub : submenus) {
    if (IsMenu(sub)) __builtin_trap();  // left behind by its parent
  }
  return 0;
}
