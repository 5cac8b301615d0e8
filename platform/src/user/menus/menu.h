// The window system's record of menus, and the geometry of a popup menu
// window, shared by the menu functions, the tracking loop and the painter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "win/user.h"

namespace nbp::user {

// Item type and state bits as Windows keeps them apart (GetMenuState reports
// both together). MFT_RADIOCHECK shares its value with MF_USECHECKBITMAPS.
constexpr UINT kRadioCheck = 0x00000200;
constexpr UINT kTypeBits = MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_POPUP | MF_MENUBREAK |
                           MF_MENUBARBREAK | MF_RIGHTJUSTIFY | kRadioCheck;
constexpr UINT kStateBits = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT;

struct MenuItem {
  UINT type = 0;             // kTypeBits
  UINT state = 0;            // kStateBits
  UINT id = 0;               // command id; for a submenu item, the submenu's handle value
  HMENU submenu = nullptr;   // MF_POPUP items
  std::string text;          // UTF-8 label (string items)
  ULONG_PTR data = 0;        // owner-drawn: the item data; MF_BITMAP: the HBITMAP
  SIZE ownerSize{};          // owner-drawn: what WM_MEASUREITEM answered

  bool IsSeparator() const { return (type & MF_SEPARATOR) != 0; }
  bool IsOwnerDraw() const { return (type & MF_OWNERDRAW) != 0; }
  bool IsPopup() const { return (type & MF_POPUP) != 0; }
  bool IsBitmap() const { return (type & MF_BITMAP) != 0 && !IsOwnerDraw(); }
  bool IsGrayed() const { return (state & MF_GRAYED) != 0; }
  // Whether choosing it runs a command.
  bool IsChoosable() const {
    return !IsSeparator() && !IsPopup() && (state & (MF_GRAYED | MF_DISABLED)) == 0;
  }
};

struct Menu {
  HMENU handle = nullptr;
  std::vector<MenuItem> items;
  // Owner-drawn items are measured once and then remembered, as Windows does,
  // until the menu's items change.
  bool measured = false;
};

// Null for null, stale and invalid handles.
Menu* MenuFromHandle(HMENU menu);

// Where an item was found: its menu (a submenu for MF_BYCOMMAND lookups that
// descend) and its position there.
struct ItemRef {
  Menu* menu = nullptr;
  size_t pos = 0;
  MenuItem& item() const { return menu->items[pos]; }
};

// Finds `item` by position (MF_BYPOSITION in `flags`) or by command id,
// searching submenus depth first. False when there is no such item.
bool FindMenuItem(HMENU menu, UINT item, UINT flags, ItemRef* found);

// ---------------------------------------------------------------------------
// Popup menu window geometry
//
//   +---------------------------------------------------+  kMenuFrame: a raised
//   | +------+--------------------+---------+--------+ |  edge and one pixel
//   | |check | label              | accel   | arrow  | |  of menu color
//   | +------+--------------------+---------+--------+ |
//   | |------------- separator -----------------------| |
//   +---------------------------------------------------+
//
// A column holds the items up to the next MF_MENUBREAK/MF_MENUBARBREAK item;
// every item of a column is as wide as the widest one.

constexpr int kMenuFrame = 3;
constexpr int kSeparatorHeight = 9;
constexpr int kAccelGap = 12;      // between the widest label and the accelerator column
constexpr int kColumnBarWidth = 4;  // the etched line before a MF_MENUBARBREAK column

// What layout needs to know of text; painting and tests provide it.
struct MenuMetrics {
  int itemHeight = 0;   // a text item
  int checkColumn = 0;  // the check-mark column, left of the label
  int arrowColumn = 0;  // the submenu-arrow column, right of the label
  int checkWidth = 0;   // SM_CXMENUCHECK, added to owner-drawn widths
  // Width of a label (prefix '&' not counted); `bold` for the default item.
  std::function<int(const std::string&, bool bold)> textWidth;
};

struct MenuLayout {
  SIZE size{};                 // the whole menu window, frame included
  std::vector<RECT> items;     // one per item, in menu window coordinates
  std::vector<int> accelLeft;  // per item: where its accelerator text starts
  std::vector<int> barLines;   // x of the lines drawn between MF_MENUBARBREAK columns
};

// The label and the accelerator text right of its first tab.
void SplitLabel(const std::string& text, std::string* label, std::string* accel);

MenuLayout LayOutMenu(const std::vector<MenuItem>& items, const MenuMetrics& metrics);

// Where a popup menu of `size` goes for the point (x, y) and the TPM_*
// alignment flags: aligned around the point, flipped to the other side of
// the point when it would leave the screen, then kept on the screen;
// `exclude` (may be null, screen coordinates) is a rectangle to stay clear of.
RECT PlacePopupMenu(SIZE size, int x, int y, UINT flags, const RECT* exclude, SIZE screen);

// A menu built from template bytes (standard or extended format); NULL when
// they are malformed or end too soon.
HMENU MenuFromTemplate(const uint8_t* data, size_t size);

}  // namespace nbp::user
