// The list box's geometry (items of one fixed height from the top index
// down), its selection and its scrolling.
//
//   client.top ─┬─────────────────┐  item top
//               │ item top + 1    │
//               │ ...             │  page = whole items shown
//               │ item top+page-1 │
//   client.bottom ┴───────────────┘  (a part of one more may show)
#include <algorithm>

#include "user/controls/listbox/listbox.h"
#include "user/window/system_classes.h"
#include "win/rect.h"

namespace nbp::user::listbox {

ListBox* ListOf(HWND hwnd) { return ControlState<ListBox>(hwnd); }

View ViewOf(const ListBox* lb) {
  View v;
  GetClientRect(lb->hwnd, &v.client);
  v.itemHeight = std::max(lb->itemHeight, 1);
  v.top = lb->top;
  v.count = lb->Count();
  int height = std::max(0, static_cast<int>(v.client.bottom - v.client.top));
  v.page = std::max(height / v.itemHeight, 1);
  v.visible = (height + v.itemHeight - 1) / v.itemHeight;
  return v;
}

RECT ItemRect(const View& v, int index) {
  int y = v.client.top + (index - v.top) * v.itemHeight;
  return RECT{v.client.left, y, v.client.right, y + v.itemHeight};
}

int ItemNearest(const View& v, POINT p) {
  if (v.count == 0) return -1;
  int dy = p.y - v.client.top;
  int row = dy >= 0 ? dy / v.itemHeight : -1;
  // Past the bottom edge the next item after the page is meant.
  if (p.y >= v.client.bottom) row = v.page;
  return std::clamp(v.top + row, 0, v.count - 1);
}

bool InClient(const View& v, POINT p) { return PtInRect(&v.client, p) != 0; }

int MaxTop(const View& v) { return std::max(v.count - v.page, 0); }

int TopShowing(const View& v, int index) {
  if (index < v.top) return index;
  if (index >= v.top + v.page) return index - v.page + 1;
  return v.top;
}

Owner OwnerOf(const ListBox* lb) {
  Owner o;
  if (lb->combo) {
    o.window = GetParent(lb->combo);
    o.control = lb->combo;
    o.id = static_cast<UINT>(GetDlgCtrlID(lb->combo));
    o.type = ODT_COMBOBOX;
  } else {
    o.window = GetParent(lb->hwnd);
    o.control = lb->hwnd;
    o.id = static_cast<UINT>(GetDlgCtrlID(lb->hwnd));
  }
  return o;
}

bool Notify(ListBox* lb, WORD code) {
  HWND hwnd = lb->hwnd;
  bool userChange = code == LBN_SELCHANGE || code == LBN_DBLCLK || code == LBN_SELCANCEL;
  if (!lb->combo && userChange && !(lb->style & LBS_NOTIFY)) return true;
  HWND to = lb->combo ? lb->combo : GetParent(hwnd);
  if (to) SendMessage(to, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
  return ListOf(hwnd) == lb;
}

void UpdateScrollBar(ListBox* lb) {
  if (!(lb->style & WS_VSCROLL)) return;
  View v = ViewOf(lb);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  if (lb->style & LBS_DISABLENOSCROLL) si.fMask |= SIF_DISABLENOSCROLL;
  si.nMin = 0;
  si.nMax = std::max(v.count - 1, 0);
  si.nPage = static_cast<UINT>(v.page);
  si.nPos = lb->top;
  SetScrollInfo(lb->hwnd, SB_VERT, &si, TRUE);
}

void SetTop(ListBox* lb, int top) {
  View v = ViewOf(lb);
  top = std::clamp(top, 0, MaxTop(v));
  if (top == lb->top) return;
  lb->top = top;
  UpdateScrollBar(lb);
  if (!(lb->style & LBS_NOREDRAW)) InvalidateRect(lb->hwnd, nullptr, TRUE);
}

bool Select(ListBox* lb, int index) {
  if (!lb->Valid(index)) index = -1;
  int oldSel = lb->sel;
  int oldCaret = lb->caret;
  int oldTop = lb->top;
  lb->sel = index;
  if (index >= 0) lb->caret = index;
  if (index >= 0) SetTop(lb, TopShowing(ViewOf(lb), index));
  // A scroll repaints everything; otherwise only the items that changed.
  if (lb->top == oldTop && !(lb->style & LBS_NOREDRAW)) {
    HWND hwnd = lb->hwnd;
    // The owner paints each item and may destroy the list meanwhile.
    auto alive = [&] { return ListOf(hwnd) == lb; };
    int newSel = lb->sel;
    if (lb->focused && oldCaret != lb->caret) RedrawItem(lb, oldCaret, ODA_FOCUS);
    if (oldSel != newSel && oldSel >= 0 && alive()) RedrawItem(lb, oldSel, ODA_SELECT);
    if (oldSel != newSel && newSel >= 0 && alive()) RedrawItem(lb, newSel, ODA_SELECT);
    if (alive() && lb->focused && oldCaret != lb->caret) RedrawItem(lb, lb->caret, ODA_FOCUS);
    return oldSel != newSel;
  }
  return oldSel != lb->sel;
}

}  // namespace nbp::user::listbox
