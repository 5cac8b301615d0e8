// The user's way through an open popup menu and its submenus, for any
// desktop: which item of each open menu is hot, what the keys and the mouse
// do, and the path to the chosen item. Desktops feed it what the user does
// and show its levels; the headless desktop feeds it scripted keys.
#pragma once

#include <vector>

#include "nbp/desktop.h"

namespace nbp {

class MenuNavigator {
 public:
  struct Level {
    const PopupMenuRequest* request = nullptr;
    int hot = -1;  // index of the hot item, -1 for none
  };

  explicit MenuNavigator(const PopupMenuRequest& top);

  // The open menus, the top one first.
  const std::vector<Level>& Levels() const { return levels_; }
  // True once an item was chosen or the menu dismissed.
  bool Done() const { return done_; }
  // The path to the chosen item; empty when dismissed or still open.
  MenuPath Answer() const { return answer_; }

  // Up and Down step through the deepest menu's selectable items, wrapping;
  // Right and Enter open the hot item's submenu with its first item hot;
  // Enter chooses any other hot item; Left and Escape close the deepest
  // submenu, and Escape in the top menu dismisses it.
  void Key(UINT vk);
  // The mouse is over `item` of the menu at `depth` (-1: over none of its
  // items): that item becomes hot, submenus below it close, and a submenu
  // item opens its own.
  void Hover(size_t depth, int item);
  // The button was released over `item` of the menu at `depth`.
  void Click(size_t depth, int item);
  void Dismiss();

  // Whether an item can be hot: no separator, nothing grayed or disabled.
  static bool Selectable(const MenuItemShown& item);

 private:
  void Choose();
  bool OpenHot(bool hotFirst);
  void CloseBelow(size_t depth) { levels_.resize(depth + 1); }

  std::vector<Level> levels_;
  MenuPath answer_;
  bool done_ = false;
};

// The selectable item after (step 1) or before (step -1) `hot` among `n`,
// wrapping around; `hot` itself when there is none.
template <typename IsSelectable>
int NextSelectable(int n, int hot, int step, const IsSelectable& selectable) {
  for (int k = 1; k <= n; ++k) {
    int i = ((hot < 0 ? (step > 0 ? -1 : 0) : hot) + step * k + n * 2) % n;
    if (selectable(i)) return i;
  }
  return hot;
}

}  // namespace nbp
