// The built-in button: push buttons, check boxes, radio buttons, group boxes
// and owner-drawn buttons.
#include <algorithm>

#include "user/dialogs/dialog_internal.h"
#include "user/window/system_classes.h"
#include "win/controls.h"
#include "win/gdi.h"
#include "win/rect.h"
#include "win/syscolors.h"

namespace nbp::user {
namespace {

struct Button {
  UINT check = BST_UNCHECKED;  // 0, 1 or 2 (indeterminate)
  bool pushed = false;         // drawn pressed
  bool focused = false;
  bool tracking = false;       // the mouse holds it
  bool spaceDown = false;
  HFONT font = nullptr;
  HANDLE image = nullptr;      // BM_SETIMAGE; not owned
  UINT imageType = IMAGE_BITMAP;
};

UINT Type(HWND hwnd) { return static_cast<UINT>(GetWindowLong(hwnd, GWL_STYLE)) & BS_TYPEMASK; }

bool IsCheck(UINT type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}
bool IsRadio(UINT type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }
bool IsPush(UINT type) { return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_USERBUTTON; }

void Notify(HWND hwnd, WORD code) {
  HWND parent = GetParent(hwnd);
  if (parent) SendMessage(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
}

void Redraw(HWND hwnd) { RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

// What a click does before it is reported: the automatic kinds change their own state.
void Click(HWND hwnd, Button* b) {
  UINT type = Type(hwnd);
  if (type == BS_AUTOCHECKBOX) {
    b->check = b->check ? BST_UNCHECKED : BST_CHECKED;
  } else if (type == BS_AUTO3STATE) {
    b->check = (b->check + 1) % 3;
  } else if (type == BS_AUTORADIOBUTTON) {
    SendMessage(hwnd, BM_SETCHECK, BST_CHECKED, 0);
    if (!IsWindow(hwnd)) return;
  }
  Redraw(hwnd);
  Notify(hwnd, BN_CLICKED);
}

// The other automatic radio buttons of the group (from the WS_GROUP sibling
// before it up to the next one) go off.
void UncheckGroup(HWND hwnd) {
  HWND first = hwnd;
  while (!(GetWindowLong(first, GWL_STYLE) & WS_GROUP)) {
    HWND prev = GetWindow(first, GW_HWNDPREV);
    if (!prev) break;
    first = prev;
  }
  for (HWND h = first; h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (h != first && (GetWindowLong(h, GWL_STYLE) & WS_GROUP)) break;
    if (h != hwnd && Type(h) == BS_AUTORADIOBUTTON) SendMessage(h, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

// In a dialog, the push button with the focus looks like the default one.
void TellDialog(HWND hwnd, HWND focus) {
  HWND parent = GetParent(hwnd);
  if (parent && DialogOf(parent)) DialogUpdateDefButton(parent, focus);
}

void DrawImage(HDC dc, const RECT& face, const Button* b, bool pushed) {
  int x = 0, y = 0, w = 0, h = 0;
  if (b->imageType == IMAGE_BITMAP) {
    BITMAP bm{};
    if (!GetObject(static_cast<HBITMAP>(b->image), sizeof bm, &bm)) return;
    w = bm.bmWidth;
    h = bm.bmHeight;
  } else {
    w = h = GetSystemMetrics(SM_CXICON);
  }
  x = (face.left + face.right - w) / 2 + (pushed ? 1 : 0);
  y = (face.top + face.bottom - h) / 2 + (pushed ? 1 : 0);
  if (b->imageType == IMAGE_BITMAP) {
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, b->image);
    BitBlt(dc, x, y, w, h, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
  } else {
    DrawIcon(dc, x, y, static_cast<HICON>(b->image));
  }
}

void DrawLabel(HWND hwnd, HDC dc, RECT r, UINT format, bool enabled) {
  char text[512];
  GetWindowText(hwnd, text, sizeof text);
  if (!enabled) {
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  }
  DrawText(dc, text, -1, &r, format);
}

void Paint(HWND hwnd, HDC dc, Button* b) {
  RECT r;
  GetClientRect(hwnd, &r);
  UINT type = Type(hwnd);
  DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
  bool enabled = IsWindowEnabled(hwnd) != 0;
  HFONT old = b->font ? static_cast<HFONT>(SelectObject(dc, b->font)) : nullptr;

  if (type == BS_OWNERDRAW) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = (b->pushed ? ODS_SELECTED : 0) | (b->focused ? ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED);
    dis.hwndItem = hwnd;
    dis.hDC = dc;
    dis.rcItem = r;
    if (HWND parent = GetParent(hwnd)) SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    if (old) SelectObject(dc, old);
    return;
  }

  HBRUSH background = ParentControlColor(hwnd, dc, IsPush(type) ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC);
  SetBkMode(dc, TRANSPARENT);
  if (IsPush(type)) {
    RECT face = r;
    if (type == BS_DEFPUSHBUTTON) {
      FrameRect(dc, &face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      InflateRect(&face, -1, -1);
    }
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (b->pushed ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE));
    RECT text = face;
    if (b->pushed) OffsetRect(&text, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    if ((style & (BS_BITMAP | BS_ICON)) && b->image) DrawImage(dc, face, b, b->pushed);
    else DrawLabel(hwnd, dc, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE, enabled);
    if (b->focused) {
      RECT focus = face;
      InflateRect(&focus, -4, -4);
      DrawFocusRect(dc, &focus);
    }
  } else if (type == BS_GROUPBOX) {
    FillRect(dc, &r, background);
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    RECT frame{r.left, r.top + tm.tmHeight / 2, r.right, r.bottom};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    char text[512];
    GetWindowText(hwnd, text, sizeof text);
    if (text[0]) {
      RECT label{r.left + 8, r.top, r.right - 8, r.top + tm.tmHeight};
      RECT measured = label;
      DrawText(dc, text, -1, &measured, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
      measured.right = std::min(measured.right + 2, label.right);
      measured.left -= 2;
      FillRect(dc, &measured, background);
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      DrawLabel(hwnd, dc, label, DT_LEFT | DT_SINGLELINE, enabled);
    }
  } else {
    FillRect(dc, &r, background);
    int box = 13;
    bool leftText = (style & BS_LEFTTEXT) != 0;
    int top = r.top + (r.bottom - r.top - box) / 2;
    RECT mark = leftText ? RECT{r.right - box, top, r.right, top + box} : RECT{r.left, top, r.left + box, top + box};
    UINT state = IsRadio(type) ? DFCS_BUTTONRADIO : (type == BS_3STATE || type == BS_AUTO3STATE) && b->check == 2
                                                        ? DFCS_BUTTON3STATE
                                                        : DFCS_BUTTONCHECK;
    if (b->check) state |= DFCS_CHECKED;
    if (b->pushed) state |= DFCS_PUSHED;
    if (!enabled) state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &mark, DFC_BUTTON, state);
    RECT text = leftText ? RECT{r.left, r.top, mark.left - 4, r.bottom} : RECT{mark.right + 4, r.top, r.right, r.bottom};
    UINT format = DT_VCENTER | (style & BS_MULTILINE ? DT_WORDBREAK : DT_SINGLELINE) | (leftText ? DT_RIGHT : DT_LEFT);
    DrawLabel(hwnd, dc, text, format, enabled);
    if (b->focused) {
      RECT focus = text;
      char label[512];
      GetWindowText(hwnd, label, sizeof label);
      DrawText(dc, label, -1, &focus, DT_CALCRECT | DT_SINGLELINE);
      int h = focus.bottom - focus.top;
      focus.top = r.top + (r.bottom - r.top - h) / 2 - 1;
      focus.bottom = focus.top + h + 2;
      focus.left -= 1;
      focus.right += 1;
      DrawFocusRect(dc, &focus);
    }
  }
  if (old) SelectObject(dc, old);
}

bool Inside(HWND hwnd, LPARAM lParam) {
  RECT r;
  GetClientRect(hwnd, &r);
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  return PtInRect(&r, p) != 0;
}

}  // namespace

HBRUSH ParentControlColor(HWND control, HDC dc, UINT message) {
  HWND parent = GetParent(control);
  HBRUSH brush = parent ? reinterpret_cast<HBRUSH>(SendMessage(parent, message, reinterpret_cast<WPARAM>(dc),
                                                               reinterpret_cast<LPARAM>(control)))
                        : nullptr;
  if (!brush) brush = reinterpret_cast<HBRUSH>(DefWindowProc(control, message, reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(control)));
  return brush;
}

namespace {

LRESULT OnPaint(HWND hwnd, Button* b) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc) Paint(hwnd, dc, b);
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT OnGetDlgCode(UINT type) {
  if (type == BS_GROUPBOX) return DLGC_STATIC;
  if (IsRadio(type)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
  if (type == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
  // An owner-drawn button is not a push button to the dialog manager,
  // which would otherwise restyle it as the focus moves.
  if (IsPush(type)) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
  return DLGC_BUTTON;
}

LRESULT OnSetFocus(HWND hwnd, Button* b) {
  b->focused = true;
  InvalidateRect(hwnd, nullptr, TRUE);
  TellDialog(hwnd, hwnd);
  if (!IsWindow(hwnd)) return 0;
  if (GetWindowLong(hwnd, GWL_STYLE) & BS_NOTIFY) Notify(hwnd, BN_SETFOCUS);
  return 0;
}

LRESULT OnKillFocus(HWND hwnd, Button* b, HWND to) {
  b->focused = false;
  if (b->tracking || b->spaceDown) {
    b->tracking = b->spaceDown = false;
    b->pushed = false;
    if (GetCapture() == hwnd) ReleaseCapture();
  }
  InvalidateRect(hwnd, nullptr, TRUE);
  if (to && IsChild(GetParent(hwnd), to)) TellDialog(hwnd, to);
  if (!IsWindow(hwnd)) return 0;
  if (GetWindowLong(hwnd, GWL_STYLE) & BS_NOTIFY) Notify(hwnd, BN_KILLFOCUS);
  return 0;
}

LRESULT OnLButtonDown(HWND hwnd, Button* b, UINT type) {
  if (type == BS_GROUPBOX) return 0;
  SetFocus(hwnd);
  SetCapture(hwnd);
  b->tracking = true;
  b->pushed = true;
  Redraw(hwnd);
  return 0;
}

LRESULT OnLButtonDblClk(HWND hwnd, Button* b, UINT type) {
  if (type == BS_RADIOBUTTON || type == BS_USERBUTTON || type == BS_OWNERDRAW ||
      (GetWindowLong(hwnd, GWL_STYLE) & BS_NOTIFY)) {
    Notify(hwnd, BN_DOUBLECLICKED);
    return 0;
  }
  return OnLButtonDown(hwnd, b, type);
}

LRESULT OnMouseMove(HWND hwnd, Button* b, LPARAM lParam) {
  if (b->tracking && GetCapture() == hwnd) {
    bool inside = Inside(hwnd, lParam);
    if (inside != b->pushed) {
      b->pushed = inside;
      Redraw(hwnd);
    }
  }
  return 0;
}

LRESULT OnLButtonUp(HWND hwnd, Button* b) {
  if (!b->tracking) return 0;
  b->tracking = false;
  ReleaseCapture();
  if (b->pushed) {
    b->pushed = false;
    Click(hwnd, b);
  }
  return 0;
}

LRESULT OnCaptureChanged(HWND hwnd, Button* b, HWND newCapture) {
  if (b->tracking && newCapture != hwnd) {
    b->tracking = false;
    b->pushed = false;
    InvalidateRect(hwnd, nullptr, TRUE);
  }
  return 0;
}

LRESULT OnKeyDown(HWND hwnd, Button* b, UINT type, WPARAM wParam, LPARAM lParam) {
  if (wParam == VK_SPACE && !b->spaceDown && type != BS_GROUPBOX) {
    b->spaceDown = true;
    b->pushed = true;
    Redraw(hwnd);
    return 0;
  }
  return DefWindowProc(hwnd, WM_KEYDOWN, wParam, lParam);
}

LRESULT OnKeyUp(HWND hwnd, Button* b, WPARAM wParam, LPARAM lParam) {
  if (wParam == VK_SPACE && b->spaceDown) {
    b->spaceDown = false;
    b->pushed = false;
    Click(hwnd, b);
    return 0;
  }
  return DefWindowProc(hwnd, WM_KEYUP, wParam, lParam);
}

LRESULT OnSetCheck(HWND hwnd, Button* b, UINT type, UINT check) {
  if (check > BST_INDETERMINATE || (check == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE))
    check = check ? BST_CHECKED : BST_UNCHECKED;
  if (!IsCheck(type) && !IsRadio(type)) return 0;
  if (b->check != check) {
    b->check = check;
    InvalidateRect(hwnd, nullptr, TRUE);
  }
  // A checked radio button takes the tab stop of its group; checking an
  // automatic one unchecks the others.
  if (IsRadio(type)) {
    LONG style = GetWindowLong(hwnd, GWL_STYLE);
    LONG next = check ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
    if (next != style) SetWindowLong(hwnd, GWL_STYLE, next);
    if (type == BS_AUTORADIOBUTTON && check == BST_CHECKED && (style & WS_CHILD)) UncheckGroup(hwnd);
  }
  return 0;
}

LRESULT OnSetState(HWND hwnd, Button* b, bool pushed) {
  if (pushed != b->pushed) {
    b->pushed = pushed;
    Redraw(hwnd);
  }
  return 0;
}

LRESULT OnSetStyle(HWND hwnd, WPARAM type, bool redraw) {
  // Only the type changes: the dialog manager switches push buttons
  // between BS_PUSHBUTTON and BS_DEFPUSHBUTTON without losing their
  // other styles.
  LONG style = GetWindowLong(hwnd, GWL_STYLE);
  LONG next = static_cast<LONG>((style & ~BS_TYPEMASK) | (type & BS_TYPEMASK));
  if (next != style) SetWindowLong(hwnd, GWL_STYLE, next);
  if (redraw) InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

LRESULT OnClick(HWND hwnd, UINT type) {
  // As a click of the mouse: the button takes the focus and is pressed and released.
  if (!IsWindowEnabled(hwnd) || type == BS_GROUPBOX) return 0;
  SendMessage(hwnd, WM_LBUTTONDOWN, 0, 0);
  SendMessage(hwnd, WM_LBUTTONUP, 0, 0);
  return 0;
}

LRESULT OnSetImage(HWND hwnd, Button* b, WPARAM imageType, LPARAM image) {
  if (imageType != IMAGE_BITMAP && imageType != IMAGE_ICON) return 0;
  HANDLE old = b->imageType == imageType ? b->image : nullptr;
  b->image = reinterpret_cast<HANDLE>(image);
  b->imageType = static_cast<UINT>(imageType);
  InvalidateRect(hwnd, nullptr, TRUE);
  return reinterpret_cast<LRESULT>(old);
}

}  // namespace

LRESULT ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Button* b = ControlState<Button>(hwnd);
  if (!b && msg != WM_NCCREATE) return DefWindowProc(hwnd, msg, wParam, lParam);
  UINT type = Type(hwnd);
  switch (msg) {
    case WM_NCCREATE:
      CreateControlState<Button>(hwnd);
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_NCDESTROY:
      DeleteControlState<Button>(hwnd);
      return 0;
    case WM_PAINT: return OnPaint(hwnd, b);
    case WM_ERASEBKGND: return 1;  // painting covers it all
    case WM_GETDLGCODE: return OnGetDlgCode(type);
    case WM_NCHITTEST:
      if (type == BS_GROUPBOX) return HTTRANSPARENT;
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_SETFONT:
      b->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(b->font);
    case WM_SETTEXT:
    case WM_ENABLE: {
      LRESULT r = DefWindowProc(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return r;
    }
    case WM_SETFOCUS: return OnSetFocus(hwnd, b);
    case WM_KILLFOCUS: return OnKillFocus(hwnd, b, reinterpret_cast<HWND>(wParam));
    case WM_LBUTTONDBLCLK: return OnLButtonDblClk(hwnd, b, type);
    case WM_LBUTTONDOWN: return OnLButtonDown(hwnd, b, type);
    case WM_MOUSEMOVE: return OnMouseMove(hwnd, b, lParam);
    case WM_LBUTTONUP: return OnLButtonUp(hwnd, b);
    case WM_CAPTURECHANGED: return OnCaptureChanged(hwnd, b, reinterpret_cast<HWND>(lParam));
    case WM_KEYDOWN: return OnKeyDown(hwnd, b, type, wParam, lParam);
    case WM_KEYUP: return OnKeyUp(hwnd, b, wParam, lParam);
    case BM_GETCHECK: return b->check;
    case BM_SETCHECK: return OnSetCheck(hwnd, b, type, static_cast<UINT>(wParam));
    case BM_GETSTATE: return b->check | (b->pushed ? BST_PUSHED : 0) | (b->focused ? BST_FOCUS : 0);
    case BM_SETSTATE: return OnSetState(hwnd, b, wParam != 0);
    case BM_SETSTYLE: return OnSetStyle(hwnd, wParam, LOWORD(lParam) != 0);
    case BM_CLICK: return OnClick(hwnd, type);
    case BM_SETIMAGE: return OnSetImage(hwnd, b, wParam, lParam);
    case BM_GETIMAGE: return b->imageType == wParam ? reinterpret_cast<LRESULT>(b->image) : 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace nbp::user
