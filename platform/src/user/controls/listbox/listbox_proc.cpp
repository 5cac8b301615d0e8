// The list box's window procedure, class "ListBox": its life, focus, size
// and the LB_ messages. A combo box's list ("ComboLBox") is the same control
// created with the combo's handle as its creation parameter.
#include <algorithm>

#include "user/controls/listbox/listbox.h"
#include "user/window/system_classes.h"
#include "win/gdi.h"

namespace nbp::user::listbox {
namespace {

constexpr int kMaxItemHeight = 255;

// Without LBS_NOINTEGRALHEIGHT the list is as high as a whole number of
// items, so that no item shows cut off at the bottom.
void KeepIntegralHeight(ListBox* lb) {
  if ((lb->style & LBS_NOINTEGRALHEIGHT) || lb->combo) return;
  RECT client{};
  GetClientRect(lb->hwnd, &client);
  int extra = client.bottom % std::max(lb->itemHeight, 1);
  if (extra == 0 || client.bottom < lb->itemHeight) return;
  RECT window{};
  GetWindowRect(lb->hwnd, &window);
  SetWindowPos(lb->hwnd, nullptr, 0, 0, window.right - window.left, window.bottom - window.top - extra,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnCreate(ListBox* lb, const CREATESTRUCT* cs) {
  lb->style = static_cast<DWORD>(cs->style);
  // Multiple selection is not offered: such a list selects one item.
  lb->style &= ~static_cast<DWORD>(LBS_MULTIPLESEL | LBS_EXTENDEDSEL);
  ApplyFont(lb, nullptr);
  MeasureFixedHeight(lb);
}

void OnFocus(ListBox* lb, bool gained) {
  HWND hwnd = lb->hwnd;
  lb->focused = gained;
  if (!gained) EndMouseTracking(lb);
  RedrawItem(lb, lb->caret, ODA_FOCUS);
  if (ListOf(hwnd) == lb) Notify(lb, gained ? LBN_SETFOCUS : LBN_KILLFOCUS);
}

LRESULT SetCurSel(ListBox* lb, WPARAM wParam) {
  auto index = static_cast<int>(wParam);
  if (lb->NoSelection()) return LB_ERR;
  if (index != -1 && !lb->Valid(index)) return LB_ERR;
  Select(lb, index);
  return index == -1 ? LB_ERR : index;
}

LRESULT SelectString(ListBox* lb, WPARAM wParam, LPARAM lParam) {
  LRESULT found = FindItem(lb, static_cast<int>(wParam), lParam, false);
  if (found < 0) return LB_ERR;
  if (!lb->NoSelection()) Select(lb, static_cast<int>(found));
  return found;
}

LRESULT GetItemRect(const ListBox* lb, WPARAM wParam, LPARAM lParam) {
  auto index = static_cast<int>(wParam);
  auto* out = reinterpret_cast<RECT*>(lParam);
  if (!out || (!lb->Valid(index) && !(index == 0 && lb->Count() == 0))) return LB_ERR;
  *out = ItemRect(ViewOf(lb), index);
  return 1;
}

// MAKELONG(item nearest the point, 1 when the point is outside the client area).
LRESULT ItemFromPoint(const ListBox* lb, LPARAM lParam) {
  View v = ViewOf(lb);
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  int index = ItemNearest(v, p);
  bool outside = !InClient(v, p) || index < 0 || p.y >= ItemRect(v, index).bottom;
  return MAKELONG(std::max(index, 0), outside ? 1 : 0);
}

LRESULT SetItemHeight(ListBox* lb, LPARAM lParam) {
  int height = LOWORD(lParam);
  if (height <= 0 || height > kMaxItemHeight) return LB_ERR;
  lb->itemHeight = height;
  lb->top = std::clamp(lb->top, 0, MaxTop(ViewOf(lb)));
  UpdateScrollBar(lb);
  InvalidateRect(lb->hwnd, nullptr, TRUE);
  return LB_OKAY;
}

// The LB_ messages; `handled` is cleared for any other message.
LRESULT ListMessage(ListBox* lb, UINT msg, WPARAM wParam, LPARAM lParam, bool* handled) {
  auto index = static_cast<int>(wParam);
  switch (msg) {
    case LB_ADDSTRING: return AddItem(lb, lParam);
    case LB_INSERTSTRING: return InsertItem(lb, index, lParam);
    case LB_DELETESTRING: return DeleteItem(lb, index);
    case LB_RESETCONTENT: ResetContent(lb); return 0;
    case LB_GETCOUNT: return lb->Count();
    case LB_SETCURSEL: return SetCurSel(lb, wParam);
    case LB_GETCURSEL: return lb->sel;
    case LB_GETSEL: return lb->Valid(index) ? (index == lb->sel ? 1 : 0) : LB_ERR;
    case LB_SETSEL: case LB_GETSELCOUNT: case LB_GETSELITEMS: case LB_SELITEMRANGEEX:
      return LB_ERR;  // these belong to multiple-selection lists
    case LB_GETTEXT: return GetText(lb, index, reinterpret_cast<char*>(lParam));
    case LB_GETTEXTLEN: return GetTextLength(lb, index);
    case LB_GETITEMDATA:
      return lb->Valid(index) ? static_cast<LRESULT>(lb->items[static_cast<size_t>(index)].data) : LB_ERR;
    case LB_SETITEMDATA:
      if (!lb->Valid(index)) return LB_ERR;
      lb->items[static_cast<size_t>(index)].data = static_cast<ULONG_PTR>(lParam);
      return TRUE;
    case LB_FINDSTRING: return FindItem(lb, index, lParam, false);
    case LB_FINDSTRINGEXACT: return FindItem(lb, index, lParam, true);
    case LB_SELECTSTRING: return SelectString(lb, wParam, lParam);
    case LB_GETTOPINDEX: return lb->top;
    case LB_SETTOPINDEX:
      if (!lb->Valid(index) && !(index == 0 && lb->Count() == 0)) return LB_ERR;
      SetTop(lb, index);
      return LB_OKAY;
    case LB_GETITEMRECT: return GetItemRect(lb, wParam, lParam);
    case LB_ITEMFROMPOINT: return ItemFromPoint(lb, lParam);
    case LB_GETITEMHEIGHT: return lb->itemHeight;
    case LB_SETITEMHEIGHT: return SetItemHeight(lb, lParam);
    case LB_GETCARETINDEX: return lb->caret;
    case LB_SETCARETINDEX:
      // The focus rectangle moves into view; the selection stays.
      if (!lb->Valid(index)) return LB_ERR;
      lb->caret = index;
      SetTop(lb, TopShowing(ViewOf(lb), index));
      InvalidateRect(lb->hwnd, nullptr, FALSE);
      return LB_OKAY;
    default:
      *handled = false;
      return 0;
  }
}

LRESULT WindowMessage(ListBox* lb, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = lb->hwnd;
  switch (msg) {
    case WM_CREATE:
      OnCreate(lb, reinterpret_cast<const CREATESTRUCT*>(lParam));
      KeepIntegralHeight(lb);
      UpdateScrollBar(lb);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (dc) Paint(lb, dc, ps.rcPaint);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;  // painting covers it all
    case WM_SIZE:
      lb->top = std::clamp(lb->top, 0, MaxTop(ViewOf(lb)));
      UpdateScrollBar(lb);
      KeepIntegralHeight(lb);
      return 0;
    case WM_SETFOCUS: OnFocus(lb, true); return 0;
    case WM_KILLFOCUS: OnFocus(lb, false); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFONT:
      ApplyFont(lb, reinterpret_cast<HFONT>(wParam));
      lb->top = std::clamp(lb->top, 0, MaxTop(ViewOf(lb)));
      UpdateScrollBar(lb);
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(lb->font);
    case WM_SETREDRAW:
      if (wParam) lb->style &= ~static_cast<DWORD>(LBS_NOREDRAW);
      else lb->style |= LBS_NOREDRAW;
      if (wParam) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_CANCELMODE: EndMouseTracking(lb); return 0;
    default:
      if (IsInputMessage(msg)) return OnInput(lb, msg, wParam, lParam);
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

LRESULT Destroy(HWND hwnd) {
  ListBox* lb = ListOf(hwnd);
  // The owner hears of every item with data, as on a reset.
  if (lb && !lb->items.empty()) ResetContent(lb);
  DeleteControlState<ListBox>(hwnd);
  return 0;
}

}  // namespace

LRESULT ListBoxMessage(ListBox* lb, UINT msg, WPARAM wParam, LPARAM lParam) {
  bool handled = true;
  LRESULT result = ListMessage(lb, msg, wParam, lParam, &handled);
  if (handled) return result;
  return WindowMessage(lb, msg, wParam, lParam);
}

}  // namespace nbp::user::listbox

namespace nbp::user {

LRESULT ListBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  using namespace listbox;
  ListBox* lb = ListOf(hwnd);
  if (msg == WM_NCCREATE) {
    lb = CreateControlState<ListBox>(hwnd);
    lb->hwnd = hwnd;
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  if (!lb) return DefWindowProc(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) return Destroy(hwnd);
  return ListBoxMessage(lb, msg, wParam, lParam);
}

LRESULT ComboListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  using namespace listbox;
  if (msg == WM_NCCREATE) {
    LRESULT r = ListBoxProc(hwnd, msg, wParam, lParam);
    auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
    if (ListBox* lb = ListOf(hwnd); lb && cs) lb->combo = static_cast<HWND>(cs->lpCreateParams);
    return r;
  }
  // The combo box keeps the focus while its list is open.
  if (msg == WM_MOUSEACTIVATE) return 3;  // MA_NOACTIVATE
  return ListBoxProc(hwnd, msg, wParam, lParam);
}

}  // namespace nbp::user
