// The combo box's window procedure, class "ComboBox": its life, focus and
// size, and the CB_ messages, most of them answered by its list.
#include <algorithm>
#include <cstring>
#include <string>

#include "user/controls/combobox/combo.h"
#include "user/controls/listbox/listbox.h"
#include "user/window/system_classes.h"
#include "win/gdi.h"

namespace nbp::user::combo {
namespace {

constexpr int kFieldPadding = 6;  // border and margin above and below the field's item

DWORD ListStyle(DWORD comboStyle) {
  DWORD style = WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  if (comboStyle & CBS_SORT) style |= LBS_SORT;
  if (comboStyle & CBS_OWNERDRAWFIXED) style |= LBS_OWNERDRAWFIXED;
  if (comboStyle & CBS_OWNERDRAWVARIABLE) style |= LBS_OWNERDRAWVARIABLE;
  if (comboStyle & CBS_HASSTRINGS) style |= LBS_HASSTRINGS;
  return style;
}

// An owner-drawn combo box asks its owner for the field's height (item -1);
// its list asks for the items' height when it is made.
void MeasureField(Combo* c) {
  c->fieldHeight = listbox::TextHeight(c->font);
  HWND parent = GetParent(c->hwnd);
  if (!c->OwnerDraw() || !parent) return;
  RECT client{};
  GetClientRect(c->hwnd, &client);
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_COMBOBOX;
  mis.CtlID = static_cast<UINT>(GetDlgCtrlID(c->hwnd));
  mis.itemID = static_cast<UINT>(-1);
  mis.itemWidth = static_cast<UINT>(client.right);
  mis.itemHeight = static_cast<UINT>(c->fieldHeight);
  SendMessage(parent, WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
  if (mis.itemHeight > 0 && mis.itemHeight <= 255) c->fieldHeight = static_cast<int>(mis.itemHeight);
}

int WindowHeight(const Combo* c) { return c->fieldHeight + kFieldPadding; }

LRESULT OnCreate(Combo* c, const CREATESTRUCT* cs) {
  c->style = static_cast<DWORD>(cs->style);
  MeasureField(c);
  // The height asked for is the combo box with its list open.
  c->listHeight = std::max(cs->cy - WindowHeight(c), 0);
  c->list = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST, "ComboLBox", "", ListStyle(c->style),
                           0, 0, std::max(cs->cx, 1), std::max(c->listHeight, 1), c->hwnd, nullptr, nullptr, c->hwnd);
  if (!c->list) return -1;
  // A scroll bar asked for belongs to the list.
  ShowScrollBar(c->hwnd, SB_BOTH, FALSE);
  SetWindowPos(c->hwnd, nullptr, 0, 0, cs->cx, WindowHeight(c), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

// Any other height given to the window is the height of the open list.
void OnWindowPosChanging(Combo* c, WINDOWPOS* wp) {
  if (!c->list || (wp->flags & SWP_NOSIZE)) return;
  if (wp->cy != WindowHeight(c)) c->listHeight = std::max(wp->cy - WindowHeight(c), 0);
  wp->cy = WindowHeight(c);
}

void OnFocus(Combo* c, bool gained) {
  HWND hwnd = c->hwnd;
  c->focused = gained;
  if (!gained) Close(c, false);
  if (ComboOf(hwnd) != c) return;
  InvalidateRect(hwnd, nullptr, FALSE);
  Notify(c, gained ? CBN_SETFOCUS : CBN_KILLFOCUS);
}

LRESULT GetText(const Combo* c, WPARAM room, char* out) {
  int sel = CurSel(c);
  if (!out || room == 0) return 0;
  out[0] = 0;
  if (sel < 0) return 0;
  LRESULT length = SendMessage(c->list, LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0);
  if (length < 0) return 0;
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessage(c->list, LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text.data()));
  size_t n = std::min(static_cast<size_t>(length), static_cast<size_t>(room) - 1);
  std::memcpy(out, text.data(), n);
  out[n] = 0;
  return static_cast<LRESULT>(n);
}

// A selection change made by the program: no notification, the field shows it.
LRESULT SelectionMessage(Combo* c, UINT lbMsg, WPARAM wParam, LPARAM lParam) {
  LRESULT r = SendMessage(c->list, lbMsg, wParam, lParam);
  RedrawField(c);
  return r;
}

// The CB_ messages with a list box equivalent, and what they become.
UINT ListMessageFor(UINT msg) {
  switch (msg) {
    case CB_ADDSTRING: return LB_ADDSTRING;
    case CB_INSERTSTRING: return LB_INSERTSTRING;
    case CB_DELETESTRING: return LB_DELETESTRING;
    case CB_GETCOUNT: return LB_GETCOUNT;
    case CB_GETCURSEL: return LB_GETCURSEL;
    case CB_GETLBTEXT: return LB_GETTEXT;
    case CB_GETLBTEXTLEN: return LB_GETTEXTLEN;
    case CB_FINDSTRING: return LB_FINDSTRING;
    case CB_FINDSTRINGEXACT: return LB_FINDSTRINGEXACT;
    case CB_GETITEMDATA: return LB_GETITEMDATA;
    case CB_SETITEMDATA: return LB_SETITEMDATA;
    default: return 0;
  }
}

LRESULT ComboMessage(Combo* c, UINT msg, WPARAM wParam, LPARAM lParam, bool* handled) {
  if (UINT lbMsg = ListMessageFor(msg)) {
    LRESULT r = SendMessage(c->list, lbMsg, wParam, lParam);
    // The field shows the selection, which deleting may have removed.
    if (msg == CB_DELETESTRING || msg == CB_INSERTSTRING || msg == CB_ADDSTRING) InvalidateRect(c->hwnd, nullptr, FALSE);
    return r;
  }
  switch (msg) {
    case CB_RESETCONTENT: return SelectionMessage(c, LB_RESETCONTENT, 0, 0);
    case CB_SETCURSEL: return SelectionMessage(c, LB_SETCURSEL, wParam, lParam);
    case CB_SELECTSTRING: return SelectionMessage(c, LB_SELECTSTRING, wParam, lParam);
    case CB_SHOWDROPDOWN:
      if (wParam) Drop(c);
      else Close(c, false);
      return TRUE;
    case CB_GETDROPPEDSTATE: return c->dropped ? TRUE : FALSE;
    case CB_GETDROPPEDCONTROLRECT: {
      auto* out = reinterpret_cast<RECT*>(lParam);
      if (!out) return CB_ERR;
      GetWindowRect(c->hwnd, out);
      out->right = std::max(out->right, out->left + c->droppedWidth);
      out->bottom += c->listHeight;
      return TRUE;
    }
    case CB_SETITEMHEIGHT: {
      int height = LOWORD(lParam);
      if (height <= 0 || height > 255) return CB_ERR;
      if (static_cast<int>(wParam) != -1) return SendMessage(c->list, LB_SETITEMHEIGHT, 0, lParam);
      c->fieldHeight = height;
      SetWindowPos(c->hwnd, nullptr, 0, 0, PartsOf(c).client.right, WindowHeight(c),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      return CB_OKAY;
    }
    case CB_GETITEMHEIGHT:
      return static_cast<int>(wParam) == -1 ? c->fieldHeight : SendMessage(c->list, LB_GETITEMHEIGHT, 0, 0);
    case CB_GETDROPPEDWIDTH: return std::max(c->droppedWidth, static_cast<int>(PartsOf(c).client.right));
    case CB_SETDROPPEDWIDTH: c->droppedWidth = static_cast<int>(wParam); return c->droppedWidth;
    case CB_LIMITTEXT: case CB_GETEDITSEL: case CB_SETEDITSEL: return CB_ERR;  // no edit field
    default: *handled = false; return 0;
  }
}

LRESULT WindowMessage(Combo* c, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = c->hwnd;
  switch (msg) {
    case WM_CREATE: return OnCreate(c, reinterpret_cast<const CREATESTRUCT*>(lParam));
    case WM_WINDOWPOSCHANGING: OnWindowPosChanging(c, reinterpret_cast<WINDOWPOS*>(lParam)); return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (dc) Paint(c, dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_SETFOCUS: OnFocus(c, true); return 0;
    case WM_KILLFOCUS: OnFocus(c, false); return 0;
    case WM_CANCELMODE: Close(c, false); return 0;
    case WM_GETDLGCODE:
      // Enter and Escape belong to the open list, not to the dialog.
      return DLGC_WANTARROWS | DLGC_WANTCHARS | (c->dropped ? DLGC_WANTMESSAGE : 0);
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == c->list) OnListCommand(c, HIWORD(wParam));
      return 0;
    case WM_SETFONT:
      c->font = reinterpret_cast<HFONT>(wParam);
      SendMessage(c->list, WM_SETFONT, wParam, 0);
      if (!c->OwnerDraw()) SendMessage(hwnd, CB_SETITEMHEIGHT, WPARAM(-1), listbox::TextHeight(c->font));
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(c->font);
    case WM_GETTEXT: return GetText(c, wParam, reinterpret_cast<char*>(lParam));
    case WM_GETTEXTLENGTH: {
      int sel = CurSel(c);
      return sel < 0 ? 0 : std::max<LRESULT>(SendMessage(c->list, LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0), 0);
    }
    case WM_SETTEXT: {
      // A drop-down list shows only its items: the text must name one.
      LRESULT found = SendMessage(c->list, LB_FINDSTRINGEXACT, WPARAM(-1), lParam);
      if (found < 0) return CB_ERR;
      SelectionMessage(c, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
      return TRUE;
    }
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    default:
      if (IsInputMessage(msg)) return OnInput(c, msg, wParam, lParam);
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

Combo* ComboOf(HWND hwnd) { return ControlState<Combo>(hwnd); }

int CurSel(const Combo* c) { return static_cast<int>(SendMessage(c->list, LB_GETCURSEL, 0, 0)); }

bool Notify(Combo* c, WORD code) {
  HWND hwnd = c->hwnd;
  if (HWND parent = GetParent(hwnd))
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
  return ComboOf(hwnd) == c;
}

}  // namespace nbp::user::combo

namespace nbp::user {

LRESULT ComboBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  using namespace combo;
  Combo* c = ComboOf(hwnd);
  if (msg == WM_NCCREATE) {
    c = CreateControlState<Combo>(hwnd);
    c->hwnd = hwnd;
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  if (!c) return DefWindowProc(hwnd, msg, wParam, lParam);
  if (msg == WM_DESTROY && c->list) {
    // The list goes first, so that its items are let go of while the combo
    // box can still speak for them.
    HWND list = c->list;
    c->list = nullptr;
    DestroyWindow(list);
    return 0;
  }
  if (msg == WM_NCDESTROY) {
    DeleteControlState<Combo>(hwnd);
    return 0;
  }
  if (msg == WM_CREATE) return WindowMessage(c, msg, wParam, lParam);
  if (!c->list) return DefWindowProc(hwnd, msg, wParam, lParam);
  bool handled = true;
  LRESULT result = ComboMessage(c, msg, wParam, lParam, &handled);
  if (handled) return result;
  return WindowMessage(c, msg, wParam, lParam);
}

}  // namespace nbp::user
