// What a window does with a message its own procedure leaves to the system.
#include <algorithm>
#include <cstring>
#include <string>

#include "user/window/user_state.h"
#include "user/window/window.h"
#include "win/gdi.h"
#include "win/imm.h"
#include "win/rect.h"
#include "win/syscolors.h"
#include "nbp/utf8_step.h"

namespace nbp::user {
namespace {

LRESULT HitTestNonClient(Window* w, POINT screen) {
  RECT wr = WindowRectInScreen(w);
  if (screen.x < wr.left || screen.y < wr.top || screen.x >= wr.right || screen.y >= wr.bottom) return HTNOWHERE;
  POINT p{screen.x - wr.left, screen.y - wr.top};
  RECT c = ClientRectInWindow(w);
  if (p.x >= c.left && p.x < c.right && p.y >= c.top && p.y < c.bottom) return HTCLIENT;
  for (int bar : {SB_VERT, SB_HORZ}) {
    RECT r = ScrollBarRectInWindow(w, bar);
    if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return bar == SB_VERT ? HTVSCROLL : HTHSCROLL;
  }
  if ((w->style & WS_CAPTION) == WS_CAPTION) {
    int edge = (w->style & WS_THICKFRAME) ? GetSystemMetrics(SM_CXFRAME) : GetSystemMetrics(SM_CXDLGFRAME);
    if (p.y >= edge && p.y < edge + GetSystemMetrics(SM_CYCAPTION) && p.x >= edge && p.x < (wr.right - wr.left) - edge)
      return HTCAPTION;
  }
  if (w->style & WS_THICKFRAME) {
    int width = wr.right - wr.left, height = wr.bottom - wr.top, f = GetSystemMetrics(SM_CXFRAME);
    bool left = p.x < f, right = p.x >= width - f, top = p.y < f, bottom = p.y >= height - f;
    if (top && left) return HTTOPLEFT;
    if (top && right) return HTTOPRIGHT;
    if (bottom && left) return HTBOTTOMLEFT;
    if (bottom && right) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
  }
  return HTBORDER;
}

LPCTSTR CursorForHit(int hit) {
  switch (hit) {
    case HTLEFT: case HTRIGHT: return IDC_SIZEWE;
    case HTTOP: case HTBOTTOM: return IDC_SIZENS;
    case HTTOPLEFT: case HTBOTTOMRIGHT: return IDC_SIZENWSE;
    case HTTOPRIGHT: case HTBOTTOMLEFT: return IDC_SIZENESW;
    default: return IDC_ARROW;
  }
}

LRESULT CopyText(Window* w, WPARAM size, LPARAM buffer) {
  char* out = reinterpret_cast<char*>(buffer);
  if (!out || size == 0) return 0;
  size_t n = std::min(w->text.size(), static_cast<size_t>(size - 1));
  // Never cut a character in two.
  n = nbp::utf8::BackToCharStart(w->text, n);
  memcpy(out, w->text.data(), n);
  out[n] = 0;
  return static_cast<LRESULT>(n);
}

HBRUSH ControlColor(HDC dc, UINT msg) {
  bool field = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(field ? COLOR_WINDOW : COLOR_BTNFACE));
  return GetSysColorBrush(field ? COLOR_WINDOW : COLOR_BTNFACE);
}

}  // namespace

void DrawNonClient(Window* w) {
  if (!IsVisible(w)) return;
  HDC dc = GetWindowDC(w->handle);
  if (!dc) return;
  int width = w->rect.right - w->rect.left, height = w->rect.bottom - w->rect.top;
  RECT r{0, 0, width, height};
  if (w->style & WS_THICKFRAME) {
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    RECT inner = r;
    for (int i = 2; i < GetSystemMetrics(SM_CXFRAME); ++i) {
      FrameRect(dc, &inner, GetSysColorBrush(COLOR_BTNFACE));
      InflateRect(&inner, -1, -1);
    }
    r = inner;
  } else if ((w->style & WS_DLGFRAME) || (w->exStyle & WS_EX_DLGMODALFRAME)) {
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    InflateRect(&r, -1, -1);
  } else if (w->style & WS_BORDER) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
  }
  if ((w->style & WS_CAPTION) == WS_CAPTION) {
    RECT cap{r.left, r.top, r.right, r.top + GetSystemMetrics(SM_CYCAPTION) - 1};
    bool active = Sys().active == w->handle;
    FillRect(dc, &cap, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    RECT line{cap.left, cap.bottom, cap.right, cap.bottom + 1};
    FillRect(dc, &line, GetSysColorBrush(COLOR_BTNFACE));
    LOGFONT lf{};
    lf.lfHeight = -11;
    lf.lfWeight = FW_BOLD;
    HFONT font = CreateFontIndirect(&lf);
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    RECT text = cap;
    text.left += 4;
    DrawText(dc, w->text.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteObject(font);
    r.top = cap.bottom + 1;
  }
  if (w->exStyle & WS_EX_CLIENTEDGE) {
    DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  }
  if (w->exStyle & WS_EX_STATICEDGE) {
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  }
  PaintScrollBars(w, dc);
  ReleaseDC(w->handle, dc);
}

// A window that does not read an input method's result itself gets it as
// typed characters, a WM_CHAR for each byte.
void TypeCompositionResult(HWND hwnd) {
  HIMC imc = ImmGetContext(hwnd);
  LONG size = ImmGetCompositionStringA(imc, GCS_RESULTSTR, nullptr, 0);
  std::string result(static_cast<size_t>(std::max<LONG>(size, 0)), '\0');
  if (size > 0) ImmGetCompositionStringA(imc, GCS_RESULTSTR, result.data(), static_cast<DWORD>(size));
  ImmReleaseContext(hwnd, imc);
  for (char c : result) {
    if (!IsWindow(hwnd)) break;
    SendMessage(hwnd, WM_CHAR, static_cast<unsigned char>(c), 1);
  }
}

LRESULT EraseBackground(Window* w, HDC dc) {
  HBRUSH brush = w->cls->background;
  if (!brush) return 0;
  RECT c;
  GetClientRect(w->handle, &c);
  FillRect(dc, &c, brush);
  return 1;
}

LRESULT SetCursorFor(Window* w, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = w->handle;
  if (w->parent) {
    if (Deliver(w->parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
    if (!(w = FromHandle(hwnd))) return TRUE;
  }
  int hit = static_cast<short>(LOWORD(lParam));
  UINT mouseMsg = HIWORD(lParam);
  if (hit == HTERROR) {
    if (mouseMsg == WM_LBUTTONDOWN || mouseMsg == WM_RBUTTONDOWN || mouseMsg == WM_MBUTTONDOWN) MessageBeep(0);
    return TRUE;
  }
  if (hit == HTCLIENT) {
    if (w->cls->cursor) {
      SetCursor(w->cls->cursor);
      return TRUE;
    }
    return FALSE;
  }
  SetCursor(LoadCursor(nullptr, CursorForHit(hit)));
  return TRUE;
}

LRESULT PositionChanged(Window* w, const WINDOWPOS* wp) {
  HWND hwnd = w->handle;
  if (!wp) return 0;
  if (!(wp->flags & SWP_NOSIZE)) {
    RECT c;
    GetClientRect(hwnd, &c);
    Deliver(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right, c.bottom));
    if (!(w = FromHandle(hwnd))) return 0;
  }
  if (!(wp->flags & SWP_NOMOVE)) {
    POINT o = ClientOriginInScreen(w);
    if (w->parent) ScreenToClient(w->parent->handle, &o);
    Deliver(w, WM_MOVE, 0, MAKELPARAM(o.x, o.y));
  }
  return 0;
}

}  // namespace nbp::user

using namespace nbp::user;

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(hwnd);
  if (!w) return 0;
  switch (msg) {
    case WM_NCCREATE: return TRUE;
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(lParam);
      w->text = text ? text : "";
      if ((w->style & WS_CAPTION) == WS_CAPTION) DrawNonClient(w);
      return TRUE;
    }
    case WM_GETTEXT: return CopyText(w, wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_IME_COMPOSITION:
      if (lParam & GCS_RESULTSTR) TypeCompositionResult(hwnd);
      return 0;
    case WM_NCHITTEST: return HitTestNonClient(w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT: DrawNonClient(w); return 0;
    case WM_NCACTIVATE:
      if ((w->style & WS_CAPTION) == WS_CAPTION) DrawNonClient(w);
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return EraseBackground(w, reinterpret_cast<HDC>(wParam));
    case WM_SETCURSOR: return SetCursorFor(w, wParam, lParam);
    case WM_MOUSEACTIVATE:
      if (w->parent) {
        LRESULT r = Deliver(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
        if (r) return r;
      }
      return 1;  // MA_ACTIVATE
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != hwnd && !IsChild(hwnd, focus)) SetFocus(hwnd);
      }
      return 0;
    case WM_WINDOWPOSCHANGED: return PositionChanged(w, reinterpret_cast<const WINDOWPOS*>(lParam));
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == 0xF060 /*SC_CLOSE*/) SendMessage(hwnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (wParam == HTVSCROLL || wParam == HTHSCROLL)
        ScrollBarMouseDown(w, static_cast<int>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_RBUTTONUP: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(hwnd, &p);
      SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(p.x, p.y));
      return 0;
    }
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
      // Unhandled, these go up to the parent.
      if (w->parent) return Deliver(w->parent, msg, wParam, lParam);
      return 0;
    case WM_CANCELMODE:
      if (GetCapture() == hwnd) ReleaseCapture();
      ScrollBarCancel();
      EndMenu();
      return 0;
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(ControlColor(reinterpret_cast<HDC>(wParam), msg));
    case WM_GETFONT: return 0;
    default: return 0;
  }
}
