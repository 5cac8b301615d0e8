// Moving through a popup menu and its submenus with keys and the mouse.
#include "nbp/menu_navigator.h"

#include "win/user.h"

namespace nbp {

MenuNavigator::MenuNavigator(const PopupMenuRequest& top) { levels_.push_back(Level{&top, -1}); }

bool MenuNavigator::Selectable(const MenuItemShown& item) {
  return !item.separator && !item.grayed && !(item.flags & MF_DISABLED);
}

void MenuNavigator::Key(UINT vk) {
  if (done_) return;
  Level& deepest = levels_.back();
  const std::vector<MenuItemShown>& items = deepest.request->items;
  switch (vk) {
    case VK_UP:
    case VK_DOWN:
      deepest.hot = NextSelectable(static_cast<int>(items.size()), deepest.hot, vk == VK_DOWN ? 1 : -1,
                                   [&](int i) { return Selectable(items[static_cast<size_t>(i)]); });
      break;
    case VK_RIGHT:
      OpenHot(true);
      break;
    case VK_RETURN: {
      int hot = deepest.hot;  // opening a submenu moves the levels
      if (hot < 0) Dismiss();
      else if (!items[static_cast<size_t>(hot)].popup) Choose();
      else OpenHot(true);
      break;
    }
    case VK_LEFT:
      if (levels_.size() > 1) levels_.pop_back();
      break;
    case VK_ESCAPE:
      if (levels_.size() > 1) levels_.pop_back();
      else Dismiss();
      break;
    default:
      break;
  }
}

void MenuNavigator::Hover(size_t depth, int item) {
  if (done_ || depth >= levels_.size()) return;
  const std::vector<MenuItemShown>& items = levels_[depth].request->items;
  bool valid = item >= 0 && static_cast<size_t>(item) < items.size() && Selectable(items[static_cast<size_t>(item)]);
  // Leaving a menu for nothing keeps its open submenu, so that the mouse can
  // cross a gap on its way there.
  if (!valid) {
    if (depth + 1 == levels_.size()) levels_[depth].hot = -1;
    return;
  }
  if (levels_[depth].hot == item && depth + 1 < levels_.size()) return;
  CloseBelow(depth);
  levels_[depth].hot = item;
  OpenHot(false);
}

void MenuNavigator::Click(size_t depth, int item) {
  if (done_ || depth >= levels_.size()) return;
  const std::vector<MenuItemShown>& items = levels_[depth].request->items;
  if (item < 0 || static_cast<size_t>(item) >= items.size() || !Selectable(items[static_cast<size_t>(item)])) return;
  if (items[static_cast<size_t>(item)].popup) {
    Hover(depth, item);
    return;
  }
  CloseBelow(depth);
  levels_[depth].hot = item;
  Choose();
}

void MenuNavigator::Dismiss() {
  done_ = true;
  answer_.clear();
}

void MenuNavigator::Choose() {
  answer_.clear();
  for (const Level& level : levels_) answer_.push_back(level.hot);
  done_ = true;
}

// Opens the hot item's submenu (with its first selectable item hot when
// `hotFirst`, as the keyboard does); false when the hot item opens nothing.
bool MenuNavigator::OpenHot(bool hotFirst) {
  const Level& deepest = levels_.back();
  if (deepest.hot < 0) return false;
  const MenuItemShown& item = deepest.request->items[static_cast<size_t>(deepest.hot)];
  if (!item.popup || !deepest.request->openSubmenu) return false;
  const PopupMenuRequest* sub = deepest.request->openSubmenu(static_cast<size_t>(deepest.hot));
  if (!sub) return false;
  Level level{sub, -1};
  if (hotFirst) {
    level.hot = NextSelectable(static_cast<int>(sub->items.size()), -1, 1,
                               [&](int i) { return Selectable(sub->items[static_cast<size_t>(i)]); });
  }
  levels_.push_back(level);
  return true;
}

}  // namespace nbp
