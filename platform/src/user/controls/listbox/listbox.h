// The list box's state and the functions its files share: the window
// procedure (listbox_proc.cpp), the items and their order (listbox_model.cpp),
// the user's mouse and keys (listbox_input.cpp) and painting
// (listbox_paint.cpp). A combo box keeps its items in a list box of its own
// (the class "ComboLBox"), which speaks to the combo box instead of its parent.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "win/controls.h"
#include "win/user.h"

namespace nbp::user::listbox {

struct Item {
  std::string text;  // empty for owner-drawn lists without strings
  ULONG_PTR data = 0;
};

struct ListBox {
  HWND hwnd = nullptr;
  DWORD style = 0;
  std::vector<Item> items;
  int sel = -1;     // the selected item, -1 for none
  int caret = 0;    // the item with the focus rectangle
  int top = 0;      // the first item shown
  int itemHeight = 16;
  HFONT font = nullptr;
  bool focused = false;
  bool tracking = false;  // the left button is down on the list
  int wheelRemainder = 0;
  std::string typed;      // type-ahead prefix
  uint64_t typedAt = 0;   // when its last character came, on the platform clock
  HWND combo = nullptr;   // the combo box this list belongs to, if any

  int Count() const { return static_cast<int>(items.size()); }
  bool Valid(int i) const { return i >= 0 && i < Count(); }
  bool OwnerDraw() const { return (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
  // Owner-drawn lists keep strings only with LBS_HASSTRINGS; otherwise an
  // item is its data.
  bool HasStrings() const { return !OwnerDraw() || (style & LBS_HASSTRINGS); }
  bool Sorted() const { return (style & LBS_SORT) != 0; }
  bool NoSelection() const { return (style & LBS_NOSEL) != 0; }
};

// What one event needs of the geometry, computed once and shared by painting
// and hit-testing.
struct View {
  RECT client{};
  int itemHeight = 1;
  int top = 0;
  int count = 0;
  int page = 1;     // items wholly visible, at least 1
  int visible = 0;  // items at least partly visible from the top
};
View ViewOf(const ListBox* lb);
RECT ItemRect(const View& v, int index);  // may lie outside the client area
// The item under a client point, clamped to the items: the one above or
// below when the point is above or below them; -1 for an empty list.
int ItemNearest(const View& v, POINT p);
bool InClient(const View& v, POINT p);
// The top index that shows `index` wholly, moving as little as possible.
int TopShowing(const View& v, int index);
int MaxTop(const View& v);

ListBox* ListOf(HWND hwnd);

// Who hears about the list: the combo box for a combo's list, else the
// parent. Owner messages (draw, measure, compare, delete) go to the window
// that owns the control, in the control's name.
struct Owner {
  HWND window = nullptr;  // receives WM_DRAWITEM and its kin
  HWND control = nullptr; // hwndItem of the records
  UINT id = 0;
  UINT type = ODT_LISTBOX;
};
Owner OwnerOf(const ListBox* lb);
// LBN_* to the parent (LBS_NOTIFY decides for selection and double clicks);
// false when the list was destroyed meanwhile.
bool Notify(ListBox* lb, WORD code);

// What a combo's list tells the combo beside the LBN_ codes: the user took
// the item under the mouse, or clicked outside the list.
constexpr WORD kListChoose = 0x100;
constexpr WORD kListCancel = 0x101;

// Model (listbox_model.cpp). Each returns the index or an LB_ error value.
LRESULT AddItem(ListBox* lb, LPARAM value);
LRESULT InsertItem(ListBox* lb, int index, LPARAM value);
LRESULT DeleteItem(ListBox* lb, int index);
void ResetContent(ListBox* lb);
// Finds from after `start` (-1: from the first), wrapping once round.
// `exact` compares whole texts; otherwise a text that starts with `value`.
LRESULT FindItem(const ListBox* lb, int start, LPARAM value, bool exact);
LRESULT GetText(const ListBox* lb, int index, char* out);
LRESULT GetTextLength(const ListBox* lb, int index);
void MeasureFixedHeight(ListBox* lb);
// The height of a line of text in `font` (null: the system font), at least 1;
// the item height of a list and of a combo box's field.
int TextHeight(HFONT font);
void ApplyFont(ListBox* lb, HFONT font);

// Geometry, selection and scrolling (listbox_view.cpp); input
// (listbox_input.cpp).
// Selects `index` (-1: none), moves the caret there and shows it; redraws
// what changed. Returns whether the selection changed.
bool Select(ListBox* lb, int index);
void SetTop(ListBox* lb, int top);
void UpdateScrollBar(ListBox* lb);
LRESULT OnInput(ListBox* lb, UINT msg, WPARAM wParam, LPARAM lParam);
bool IsInputMessage(UINT msg);
void EndMouseTracking(ListBox* lb);

// Painting (listbox_paint.cpp).
void Paint(ListBox* lb, HDC dc, const RECT& dirty);
// Redraws one item at once for a change of selection or focus: owner-drawn
// lists receive WM_DRAWITEM with ODA_SELECT or ODA_FOCUS.
void RedrawItem(ListBox* lb, int index, UINT action);

LRESULT ListBoxMessage(ListBox* lb, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace nbp::user::listbox
