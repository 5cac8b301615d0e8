// The headless desktop: every window paints into memory; the answers to
// message boxes and popup menus come from a script; beeps, message boxes and
// menus shown are recorded for a test or a snapshot program to read.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "nbp/desktop.h"

namespace nbp {

class HeadlessDesktop : public Desktop {
 public:
  // What a message box answers: a button id, or a function that reads the box.
  using MessageBoxAnswer = std::function<int(const MessageBoxRequest&)>;
  // What a popup menu answers: the index of the item to choose, or -1. A
  // submenu item opens its submenu, which is asked in turn.
  using MenuAnswer = std::function<int(const PopupMenuRequest&)>;
  // An answer to the whole menu, given the top one: it may open submenus
  // through the request (and a MenuNavigator, say) and return the path.
  using MenuScript = std::function<MenuPath(const PopupMenuRequest&)>;

  // Answers for the next message boxes, in order. Without one, a box answers
  // its default button (the first, or the MB_DEFBUTTONn one). The box shows
  // (the active window) while its answer is asked for; an answer of 0 leaves
  // it up for input to answer (idle steps pressing its keys or buttons).
  void AnswerMessageBox(int buttonId);
  void AnswerMessageBox(MessageBoxAnswer answer);
  // Answers for the next popup menus, in order. Without one, a menu is
  // dismissed. Submenus the answer passes through open as they would for a
  // user, and are recorded in Menus() after their menu.
  //  - the item with this command id (0: dismiss), in the menu itself or,
  //    failing that, in its submenus, depth first;
  //  - decided by a function, asked again for each submenu it opens;
  //  - decided by a script for the whole menu;
  //  - the item reached through these labels (text up to any tab, '&'
  //    prefixes left out), one per menu from the top;
  //  - the item at these positions, one per menu from the top;
  //  - what these keys do (VK_DOWN, VK_RIGHT, VK_RETURN, VK_ESCAPE, ...): a
  //    menu still open after the last key is dismissed.
  void ChooseMenuCommand(UINT id);
  void AnswerMenu(MenuAnswer answer);
  void AnswerMenuPath(MenuScript script);
  void ChooseMenuItem(std::vector<std::string> labels);
  void ChooseMenuItemAt(std::vector<int> positions);
  void PressMenuKeys(std::vector<UINT> keys);

  // Steps run, one each time the message loop would wait for the user (inside
  // a modal loop, for instance). A step usually drives input.
  void WhenIdle(std::function<void()> step);
  size_t PendingIdleSteps() const { return idleSteps_.size(); }
  // True while an idle step runs (input then waits for the running loop).
  bool RunningIdleStep() const { return runningStep_; }

  const std::vector<MessageBoxRequest>& MessageBoxes() const { return messageBoxes_; }
  const std::vector<PopupMenuRequest>& Menus() const { return menus_; }
  const std::vector<UINT>& Beeps() const { return beeps_; }
  HCURSOR Cursor() const { return cursor_; }
  void ClearRecords();

  int AskMessageBox(const MessageBoxRequest& request) override;
  MenuPath AskPopupMenu(const PopupMenuRequest& request) override;
  void Beep(UINT type) override;
  void CursorChanged(HCURSOR cursor) override { cursor_ = cursor; }
  void WindowPixelsChanged(HWND, const RECT&) override {}
  void WindowChanged(HWND) override {}
  bool WaitForInput(uint32_t timeoutMs) override;
  void SetClipboardText(const std::string& text) override { clipboard_ = text; hasClipboard_ = true; }
  bool GetClipboardText(std::string* text) override;

 private:
  std::deque<MessageBoxAnswer> boxAnswers_;
  // The copy of `request` (at its depth) the script sees: opening its
  // submenus records them.
  const PopupMenuRequest* Recorded(const PopupMenuRequest& request);

  std::deque<MenuScript> menuAnswers_;
  // The menu being answered and its open submenus, by depth, with the item
  // each submenu was opened from.
  std::vector<std::unique_ptr<PopupMenuRequest>> openMenus_;
  std::vector<size_t> openedFrom_;
  std::deque<std::function<void()>> idleSteps_;
  std::vector<MessageBoxRequest> messageBoxes_;
  std::vector<PopupMenuRequest> menus_;
  std::vector<UINT> beeps_;
  HCURSOR cursor_ = nullptr;
  std::string clipboard_;
  bool hasClipboard_ = false;
  bool runningStep_ = false;
};

// The current desktop when it is the headless one, else null.
HeadlessDesktop* Headless();

// Writes the pixels of a top-level window (with its children) as a PNG file.
bool SaveWindowPng(HWND hwnd, const char* path);
// Reads one pixel of a window, in its client coordinates (CLR_INVALID outside).
COLORREF WindowPixel(HWND hwnd, int x, int y);

}  // namespace nbp
