// Painting the list box: only the items in view are drawn, by the list
// itself (text, the highlight of the selection, the focus rectangle) or by
// its owner (WM_DRAWITEM with the action and the item's state).
#include <algorithm>

#include "user/controls/listbox/listbox.h"
#include "user/window/system_classes.h"
#include "win/gdi.h"
#include "win/syscolors.h"

namespace nbp::user::listbox {
namespace {

constexpr int kTextMargin = 2;

// The brush the owner paints the list with; the text color it chose stays
// selected in the DC.
HBRUSH Background(const ListBox* lb, HDC dc) {
  Owner o = OwnerOf(lb);
  HBRUSH brush = nullptr;
  if (o.window)
    brush = reinterpret_cast<HBRUSH>(SendMessage(o.window, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                                                 reinterpret_cast<LPARAM>(lb->hwnd)));
  if (!brush)
    brush = reinterpret_cast<HBRUSH>(DefWindowProc(lb->hwnd, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                                                   reinterpret_cast<LPARAM>(lb->hwnd)));
  return brush;
}

UINT StateOf(const ListBox* lb, int index) {
  UINT state = 0;
  if (index >= 0 && index == lb->sel) state |= ODS_SELECTED;
  if (lb->focused && index == lb->caret) state |= ODS_FOCUS;
  if (!IsWindowEnabled(lb->hwnd)) state |= ODS_DISABLED;
  return state;
}

void OwnerDraw(const ListBox* lb, HDC dc, const RECT& r, int index, UINT action) {
  Owner o = OwnerOf(lb);
  if (!o.window) return;
  DRAWITEMSTRUCT dis{};
  dis.CtlType = o.type;
  dis.CtlID = o.id;
  dis.itemID = static_cast<UINT>(index);
  dis.itemAction = action;
  dis.itemState = StateOf(lb, index);
  dis.hwndItem = o.control;
  dis.hDC = dc;
  dis.rcItem = r;
  if (lb->Valid(index)) dis.itemData = lb->items[static_cast<size_t>(index)].data;
  SendMessage(o.window, WM_DRAWITEM, o.id, reinterpret_cast<LPARAM>(&dis));
}

void DrawTextItem(const ListBox* lb, HDC dc, const RECT& r, int index, HBRUSH background, COLORREF text) {
  UINT state = StateOf(lb, index);
  bool selected = (state & ODS_SELECTED) != 0;
  FillRect(dc, &r, selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : background);
  if (lb->Valid(index)) {
    SetBkMode(dc, TRANSPARENT);
    COLORREF color = (state & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT)
                     : selected            ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                           : text;
    SetTextColor(dc, color);
    RECT t{r.left + kTextMargin, r.top, r.right, r.bottom};
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_LEFT;
    if (lb->style & LBS_USETABSTOPS) format |= DT_EXPANDTABS;
    const std::string& label = lb->items[static_cast<size_t>(index)].text;
    DrawText(dc, label.c_str(), static_cast<int>(label.size()), &t, format);
    SetTextColor(dc, text);
  }
  if (state & ODS_FOCUS) DrawFocusRect(dc, &r);
}

// One item (or, for an empty list, the focus place at the top). The font
// is selected and the background brush chosen by the caller.
void DrawItem(const ListBox* lb, HDC dc, const View& v, int index, UINT action, HBRUSH background) {
  RECT r = ItemRect(v, std::max(index, v.top));
  if (lb->OwnerDraw()) {
    OwnerDraw(lb, dc, r, index, action);
    return;
  }
  DrawTextItem(lb, dc, r, index, background, GetTextColor(dc));
}

}  // namespace

void Paint(ListBox* lb, HDC dc, const RECT& dirty) {
  View v = ViewOf(lb);
  HGDIOBJ oldFont = lb->font ? SelectObject(dc, lb->font) : nullptr;
  HBRUSH background = Background(lb, dc);
  int last = std::min(v.top + v.visible, v.count);  // one past the last item in view
  int first = std::max(v.top + (dirty.top - v.client.top) / v.itemHeight, v.top);
  last = std::min(last, v.top + (dirty.bottom - v.client.top + v.itemHeight - 1) / v.itemHeight);
  // Below the last item only the background shows.
  RECT below = v.client;
  below.top = ItemRect(v, std::min(v.count, v.top + v.visible)).top;
  if (below.top < below.bottom) FillRect(dc, &below, background);
  HWND hwnd = lb->hwnd;
  for (int i = first; i < last && ListOf(hwnd) == lb; ++i) DrawItem(lb, dc, v, i, ODA_DRAWENTIRE, background);
  // An empty list shows where the focus is, so that the user sees it.
  if (v.count == 0 && lb->focused) DrawItem(lb, dc, v, -1, ODA_FOCUS, background);
  if (oldFont) SelectObject(dc, oldFont);
}

void RedrawItem(ListBox* lb, int index, UINT action) {
  View v = ViewOf(lb);
  bool empty = v.count == 0 && index <= 0;
  if (!IsWindowVisible(lb->hwnd)) return;
  if (!empty && (index < v.top || index >= v.top + v.visible || index >= v.count)) return;
  HDC dc = GetDC(lb->hwnd);
  if (!dc) return;
  HGDIOBJ oldFont = lb->font ? SelectObject(dc, lb->font) : nullptr;
  HWND hwnd = lb->hwnd;
  HBRUSH background = Background(lb, dc);
  if (ListOf(hwnd) == lb) DrawItem(lb, dc, v, empty ? -1 : index, empty ? ODA_FOCUS : action, background);
  if (oldFont && ListOf(hwnd) == lb) SelectObject(dc, oldFont);
  ReleaseDC(hwnd, dc);
}

}  // namespace nbp::user::listbox
