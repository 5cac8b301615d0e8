// The list box's items: adding in order (by text, or by asking the owner
// with WM_COMPAREITEM when an owner-drawn list keeps no strings), deleting
// with WM_DELETEITEM, finding, and the fixed item height.
#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

#include "user/controls/listbox/listbox.h"
#include "win/gdi.h"
#include "win/mbstring.h"

namespace nbp::user::listbox {
namespace {

constexpr DWORD kUserDefaultLocale = 0x0400;

// The owner's order of a new item (data `value`) against item `index`:
// negative when the new one goes before.
int CompareWithOwner(const ListBox* lb, ULONG_PTR value, int index) {
  Owner o = OwnerOf(lb);
  if (!o.window) return 1;
  COMPAREITEMSTRUCT cis{};
  cis.CtlType = o.type;
  cis.CtlID = o.id;
  cis.hwndItem = o.control;
  cis.itemID1 = static_cast<UINT>(-1);
  cis.itemData1 = value;
  cis.itemID2 = static_cast<UINT>(index);
  cis.itemData2 = lb->items[static_cast<size_t>(index)].data;
  cis.dwLocaleId = kUserDefaultLocale;
  return static_cast<int>(SendMessage(o.window, WM_COMPAREITEM, o.id, reinterpret_cast<LPARAM>(&cis)));
}

// Compares a new value (text, or data without strings) with item `index`.
int CompareNew(const ListBox* lb, LPARAM value, int index) {
  if (!lb->HasStrings()) return CompareWithOwner(lb, static_cast<ULONG_PTR>(value), index);
  const char* text = reinterpret_cast<const char*>(value);
  return lstrcmpi(text ? text : "", lb->items[static_cast<size_t>(index)].text.c_str());
}

// Where a new value goes in a sorted list: after every item that does not
// sort after it, so that equal items keep the order they came in. The owner
// may have destroyed the list while it was asked: -1 then.
int SortedPosition(const ListBox* lb, LPARAM value) {
  HWND hwnd = lb->hwnd;
  int low = 0, high = lb->Count();
  while (low < high) {
    int mid = low + (high - low) / 2;
    int order = CompareNew(lb, value, mid);
    if (ListOf(hwnd) != lb) return -1;
    if (order < 0) high = mid;
    else low = mid + 1;
  }
  return low;
}

Item MakeItem(const ListBox* lb, LPARAM value) {
  Item item;
  if (lb->HasStrings()) {
    const char* text = reinterpret_cast<const char*>(value);
    item.text = text ? text : "";
  } else {
    item.data = static_cast<ULONG_PTR>(value);
  }
  return item;
}

void SendDeleteItem(const ListBox* lb, int index, const Item& item) {
  if (!item.data && !lb->OwnerDraw()) return;
  Owner o = OwnerOf(lb);
  if (!o.window) return;
  DELETEITEMSTRUCT dis{};
  dis.CtlType = o.type;
  dis.CtlID = o.id;
  dis.itemID = static_cast<UINT>(index);
  dis.hwndItem = o.control;
  dis.itemData = item.data;
  SendMessage(o.window, WM_DELETEITEM, o.id, reinterpret_cast<LPARAM>(&dis));
}

// The selection, caret and top follow the items they were on.
void AfterInsert(ListBox* lb, int index) {
  if (lb->sel >= index) ++lb->sel;
  // Without a selection the caret stays where it is, on the first item at
  // the start, so that the first arrow key selects from there.
  if (lb->sel >= 0 && lb->caret >= index && lb->Count() > 1) ++lb->caret;
}

void AfterDelete(ListBox* lb, int index) {
  if (lb->sel == index) lb->sel = -1;
  else if (lb->sel > index) --lb->sel;
  if (lb->caret > index) --lb->caret;
  lb->caret = std::clamp(lb->caret, 0, std::max(lb->Count() - 1, 0));
  lb->top = std::clamp(lb->top, 0, MaxTop(ViewOf(lb)));
}

void Changed(ListBox* lb) {
  UpdateScrollBar(lb);
  if (!(lb->style & LBS_NOREDRAW)) InvalidateRect(lb->hwnd, nullptr, TRUE);
}

LRESULT Insert(ListBox* lb, int index, LPARAM value) {
  try {
    Item item = MakeItem(lb, value);
    lb->items.insert(lb->items.begin() + index, std::move(item));
  } catch (const std::bad_alloc&) {
    return LB_ERRSPACE;
  } catch (const std::length_error&) {
    return LB_ERRSPACE;
  }
  AfterInsert(lb, index);
  Changed(lb);
  return index;
}

bool MatchesText(const std::string& text, const char* value, bool exact) {
  if (exact) return lstrcmpi(text.c_str(), value) == 0;
  size_t n = std::strlen(value);
  return _mbsnbicmp(reinterpret_cast<const unsigned char*>(text.c_str()),
                    reinterpret_cast<const unsigned char*>(value), n) == 0;
}

}  // namespace

LRESULT AddItem(ListBox* lb, LPARAM value) {
  if (!lb->Sorted()) return Insert(lb, lb->Count(), value);
  int at = SortedPosition(lb, value);
  if (at < 0) return LB_ERR;
  return Insert(lb, at, value);
}

LRESULT InsertItem(ListBox* lb, int index, LPARAM value) {
  if (index == -1) index = lb->Count();
  if (index < 0 || index > lb->Count()) return LB_ERR;
  return Insert(lb, index, value);
}

LRESULT DeleteItem(ListBox* lb, int index) {
  if (!lb->Valid(index)) return LB_ERR;
  HWND hwnd = lb->hwnd;
  Item gone = lb->items[static_cast<size_t>(index)];
  SendDeleteItem(lb, index, gone);
  if (ListOf(hwnd) != lb || !lb->Valid(index)) return LB_ERR;
  lb->items.erase(lb->items.begin() + index);
  AfterDelete(lb, index);
  Changed(lb);
  return lb->Count();
}

void ResetContent(ListBox* lb) {
  HWND hwnd = lb->hwnd;
  std::vector<Item> gone;
  gone.swap(lb->items);
  lb->sel = -1;
  lb->caret = 0;
  lb->top = 0;
  for (size_t i = 0; i < gone.size(); ++i) {
    SendDeleteItem(lb, static_cast<int>(i), gone[i]);
    if (ListOf(hwnd) != lb) return;
  }
  Changed(lb);
}

LRESULT FindItem(const ListBox* lb, int start, LPARAM value, bool exact) {
  int n = lb->Count();
  if (n == 0) return LB_ERR;
  if (start < -1 || start >= n) start = -1;
  const char* text = reinterpret_cast<const char*>(value);
  if (lb->HasStrings() && !text) return LB_ERR;
  HWND hwnd = lb->hwnd;
  for (int k = 1; k <= n; ++k) {
    int i = (start + k) % n;
    bool match = false;
    if (lb->HasStrings()) {
      match = MatchesText(lb->items[static_cast<size_t>(i)].text, text, exact);
    } else if (lb->Sorted()) {
      // A sorted list without strings finds through the owner's order.
      match = CompareWithOwner(lb, static_cast<ULONG_PTR>(value), i) == 0;
      if (ListOf(hwnd) != lb) return LB_ERR;
    } else {
      match = lb->items[static_cast<size_t>(i)].data == static_cast<ULONG_PTR>(value);
    }
    if (match) return i;
  }
  return LB_ERR;
}

LRESULT GetText(const ListBox* lb, int index, char* out) {
  if (!lb->Valid(index) || !out) return LB_ERR;
  const Item& item = lb->items[static_cast<size_t>(index)];
  if (!lb->HasStrings()) {
    std::memcpy(out, &item.data, sizeof item.data);
    return sizeof item.data;
  }
  std::memcpy(out, item.text.c_str(), item.text.size() + 1);
  return static_cast<LRESULT>(item.text.size());
}

LRESULT GetTextLength(const ListBox* lb, int index) {
  if (!lb->Valid(index)) return LB_ERR;
  if (!lb->HasStrings()) return sizeof(ULONG_PTR);
  return static_cast<LRESULT>(lb->items[static_cast<size_t>(index)].text.size());
}

int TextHeight(HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  TEXTMETRIC tm{};
  GetTextMetrics(dc, &tm);
  if (old) SelectObject(dc, old);
  DeleteDC(dc);
  return std::max(1, static_cast<int>(tm.tmHeight));
}

void ApplyFont(ListBox* lb, HFONT font) {
  lb->font = font;
  // An owner-drawn list keeps the height its owner gave it.
  if (!lb->OwnerDraw()) lb->itemHeight = TextHeight(font);
}

// Owner-drawn lists ask their owner once, at creation, how high an item is.
void MeasureFixedHeight(ListBox* lb) {
  if (!lb->OwnerDraw()) return;
  lb->itemHeight = TextHeight(lb->font);
  Owner o = OwnerOf(lb);
  if (!o.window) return;
  RECT client{};
  GetClientRect(lb->hwnd, &client);
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = o.type;
  mis.CtlID = o.id;
  mis.itemID = 0;
  mis.itemWidth = static_cast<UINT>(client.right - client.left);
  mis.itemHeight = static_cast<UINT>(lb->itemHeight);
  SendMessage(o.window, WM_MEASUREITEM, o.id, reinterpret_cast<LPARAM>(&mis));
  if (mis.itemHeight > 0 && mis.itemHeight <= 255) lb->itemHeight = static_cast<int>(mis.itemHeight);
}

}  // namespace nbp::user::listbox
