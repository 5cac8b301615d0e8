// The headless desktop's answers to popup menus: scripts that choose an item
// by command, label, position or keys, opening submenus on the way as a
// user would.
#include <algorithm>

#include "nbp/headless.h"
#include "nbp/menu_navigator.h"
#include "win/user.h"

namespace nbp {
namespace {

// The label as the user reads it: up to any tab, without '&' prefixes.
std::string Label(const std::string& text) {
  std::string label;
  for (size_t i = 0; i < text.size() && text[i] != '\t'; ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    label += text[i];
  }
  return label;
}

// The path to the item with command `id` in `menu` or its submenus, depth
// first; empty when there is none.
MenuPath FindCommand(const PopupMenuRequest& menu, UINT id) {
  for (size_t i = 0; i < menu.items.size(); ++i) {
    const MenuItemShown& item = menu.items[i];
    if (item.id == id && !item.separator && !item.popup) return MenuPath{static_cast<int>(i)};
  }
  for (size_t i = 0; i < menu.items.size(); ++i) {
    if (!menu.items[i].popup || !menu.openSubmenu) continue;
    const PopupMenuRequest* sub = menu.openSubmenu(i);
    MenuPath rest = sub ? FindCommand(*sub, id) : MenuPath{};
    if (rest.empty()) continue;
    rest.insert(rest.begin(), static_cast<int>(i));
    return rest;
  }
  return {};
}

// Follows `step`, which picks one item per menu, from the top menu down
// through at most `maxDepth` menus (SIZE_MAX: until it picks a command); a
// path longer than the submenus go is no answer.
template <typename Step>
MenuPath Walk(const PopupMenuRequest& top, size_t maxDepth, const Step& step) {
  MenuPath path;
  for (const PopupMenuRequest* menu = &top; menu && path.size() < maxDepth;) {
    int index = step(*menu, path.size());
    if (index < 0 || static_cast<size_t>(index) >= menu->items.size()) return {};
    path.push_back(index);
    const MenuItemShown& item = menu->items[static_cast<size_t>(index)];
    if (!item.popup || !menu->openSubmenu) return maxDepth == SIZE_MAX || path.size() == maxDepth ? path : MenuPath{};
    menu = menu->openSubmenu(static_cast<size_t>(index));
  }
  return path;
}

}  // namespace

void HeadlessDesktop::ChooseMenuCommand(UINT id) {
  menuAnswers_.push_back([id](const PopupMenuRequest& request) {
    return id == 0 ? MenuPath{} : FindCommand(request, id);
  });
}

void HeadlessDesktop::AnswerMenu(MenuAnswer answer) {
  menuAnswers_.push_back([answer = std::move(answer)](const PopupMenuRequest& request) {
    return Walk(request, SIZE_MAX, [&](const PopupMenuRequest& menu, size_t) { return answer(menu); });
  });
}

void HeadlessDesktop::AnswerMenuPath(MenuScript script) { menuAnswers_.push_back(std::move(script)); }

void HeadlessDesktop::ChooseMenuItem(std::vector<std::string> labels) {
  menuAnswers_.push_back([labels = std::move(labels)](const PopupMenuRequest& request) {
    return Walk(request, labels.size(), [&](const PopupMenuRequest& menu, size_t depth) {
      for (size_t i = 0; i < menu.items.size(); ++i) {
        const MenuItemShown& item = menu.items[i];
        if (!item.separator && Label(item.text) == labels[depth]) return static_cast<int>(i);
      }
      return -1;
    });
  });
}

void HeadlessDesktop::ChooseMenuItemAt(std::vector<int> positions) {
  menuAnswers_.push_back([positions = std::move(positions)](const PopupMenuRequest& request) {
    return Walk(request, positions.size(), [&](const PopupMenuRequest&, size_t depth) { return positions[depth]; });
  });
}

void HeadlessDesktop::PressMenuKeys(std::vector<UINT> keys) {
  menuAnswers_.push_back([keys = std::move(keys)](const PopupMenuRequest& request) {
    MenuNavigator navigator(request);
    for (UINT vk : keys) navigator.Key(vk);
    return navigator.Answer();
  });
}

const PopupMenuRequest* HeadlessDesktop::Recorded(const PopupMenuRequest& request) {
  size_t depth = static_cast<size_t>(std::max(0, request.depth));
  openMenus_.resize(std::min(openMenus_.size(), depth));
  openedFrom_.resize(openMenus_.size());
  menus_.push_back(request);
  auto copy = std::make_unique<PopupMenuRequest>(request);
  copy->openSubmenu = [this, depth, inner = request.openSubmenu](size_t item) -> const PopupMenuRequest* {
    // A submenu already open is shown again, not reopened.
    if (openMenus_.size() > depth + 1 && openedFrom_[depth + 1] == item) return openMenus_[depth + 1].get();
    const PopupMenuRequest* sub = inner ? inner(item) : nullptr;
    if (!sub) return nullptr;
    const PopupMenuRequest* shown = Recorded(*sub);
    openedFrom_[depth + 1] = item;
    return shown;
  };
  openMenus_.push_back(std::move(copy));
  openedFrom_.push_back(0);
  return openMenus_.back().get();
}

MenuPath HeadlessDesktop::AskPopupMenu(const PopupMenuRequest& request) {
  const PopupMenuRequest* top = Recorded(request);
  MenuPath answer;
  if (!menuAnswers_.empty()) {
    MenuScript script = std::move(menuAnswers_.front());
    menuAnswers_.pop_front();
    answer = script(*top);
  }
  openMenus_.clear();
  openedFrom_.clear();
  return answer;
}

}  // namespace nbp
