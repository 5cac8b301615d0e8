// A menu button that tells its page when the user chooses another of its
// menu's items: the library's button tells nobody, so a host that acts on
// the choice derives from it, as this one does.
#pragma once

#include <functional>

#include "buttons/menu_button.h"

class CChoiceButton : public CNbMenuButton {
 public:
  // Called with the new position after the user chose another item.
  std::function<void(int)> onChoice;

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
    int before = GetMenuIndex();
    BOOL handled = CNbMenuButton::OnChildNotify(message, wParam, lParam, pResult);
    if (message == WM_COMMAND && m_hWnd && GetMenuIndex() != before && onChoice) onChoice(GetMenuIndex());
    return handled;
  }
};
