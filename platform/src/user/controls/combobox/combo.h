// The combo box's state and the functions its files share: the window
// procedure and the CB_ messages (combo_proc.cpp), opening and closing the
// drop-down list and the user's input (combo_drop.cpp), and painting
// (combo_paint.cpp). The items live in a list box of the class "ComboLBox",
// a popup window shown under the combo box while it is dropped.
//
//   ┌─────────────────────────┬────┐
//   │ selection field         │ ▼  │  the combo box window (field height)
//   └─────────────────────────┴────┘
//   ┌──────────────────────────────┐
//   │ the dropped list (a popup)   │  as high as the creation height left,
//   │ ...                          │  or the items, whichever is less
//   └──────────────────────────────┘
#pragma once

#include "win/controls.h"
#include "win/user.h"

namespace nbp::user::combo {

struct Combo {
  HWND hwnd = nullptr;
  DWORD style = 0;
  HWND list = nullptr;
  HFONT font = nullptr;
  int fieldHeight = 0;   // the item height of the selection field
  int listHeight = 0;    // the most the dropped list may take
  int droppedWidth = 0;  // the least width of the dropped list
  bool dropped = false;
  bool focused = false;
  bool pressed = false;  // the arrow button is drawn down
  int selAtDrop = -1;    // the selection when the list opened, back on a cancel

  bool OwnerDraw() const { return (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0; }
};

Combo* ComboOf(HWND hwnd);

// CBN_ codes to the parent; false when the combo box was destroyed meanwhile.
bool Notify(Combo* c, WORD code);
int CurSel(const Combo* c);

// The parts of the combo box window, client coordinates.
struct Parts {
  RECT client{};
  RECT field{};   // inside the border, left of the button
  RECT button{};
};
Parts PartsOf(const Combo* c);

// Opening and closing (combo_drop.cpp). Close with `ok` keeps the item
// highlighted in the list; otherwise the selection goes back.
void Drop(Combo* c);
void Close(Combo* c, bool ok);
LRESULT OnInput(Combo* c, UINT msg, WPARAM wParam, LPARAM lParam);
bool IsInputMessage(UINT msg);
// A notification from the list (WM_COMMAND from the "ComboLBox").
void OnListCommand(Combo* c, WORD code);

// Painting (combo_paint.cpp).
void Paint(Combo* c, HDC dc);
void RedrawField(Combo* c);

}  // namespace nbp::user::combo
