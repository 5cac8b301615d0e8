// The built-in static control: text, frames, rectangles, etched lines,
// bitmaps and owner-drawn statics.
#include <string>

#include "user/system_classes.h"
#include "win/controls.h"
#include "win/gdi.h"
#include "win/rect.h"
#include "win/syscolors.h"

namespace nbp::user {
namespace {

struct Static {
  HFONT font = nullptr;
  HANDLE image = nullptr;  // STM_SETIMAGE; not owned
};

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)); }

void FillWith(HDC dc, const RECT& r, int sysColor) {
  FillRect(dc, &r, GetSysColorBrush(sysColor));
}

void Paint(HWND hwnd, HDC dc, Static* s) {
  RECT r;
  GetClientRect(hwnd, &r);
  DWORD style = StyleOf(hwnd);
  DWORD type = style & SS_TYPEMASK;
  switch (type) {
    case SS_BLACKRECT: FillWith(dc, r, COLOR_WINDOWFRAME); return;
    case SS_GRAYRECT: FillWith(dc, r, COLOR_BTNSHADOW); return;
    case SS_WHITERECT: FillWith(dc, r, COLOR_WINDOW); return;
    case SS_BLACKFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME)); return;
    case SS_GRAYFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW)); return;
    case SS_WHITEFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOW)); return;
    case SS_ETCHEDHORZ: DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP); return;
    case SS_ETCHEDVERT: DrawEdge(dc, &r, EDGE_ETCHED, BF_LEFT); return;
    case SS_ETCHEDFRAME: DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT); return;
    case SS_OWNERDRAW: {
      DRAWITEMSTRUCT dis{};
      dis.CtlType = ODT_STATIC;
      dis.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
      dis.itemAction = ODA_DRAWENTIRE;
      dis.itemState = IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED;
      dis.hwndItem = hwnd;
      dis.hDC = dc;
      dis.rcItem = r;
      if (HWND parent = GetParent(hwnd)) SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
      return;
    }
    default: break;
  }
  HBRUSH background = ParentControlColor(hwnd, dc, WM_CTLCOLORSTATIC);
  if (type == SS_BITMAP) {
    FillRect(dc, &r, background);
    auto bitmap = static_cast<HBITMAP>(s->image);
    BITMAP bm{};
    if (bitmap && GetObject(bitmap, sizeof bm, &bm)) {
      HDC mem = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(mem, bitmap);
      int x = 0, y = 0;
      if (style & SS_CENTERIMAGE) {
        x = (r.right - bm.bmWidth) / 2;
        y = (r.bottom - bm.bmHeight) / 2;
      }
      BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
      SelectObject(mem, old);
      DeleteDC(mem);
    }
    return;
  }
  if (type == SS_ICON) {
    FillRect(dc, &r, background);
    if (s->image) DrawIcon(dc, 0, 0, static_cast<HICON>(s->image));
    return;
  }
  FillRect(dc, &r, background);
  HFONT old = s->font ? static_cast<HFONT>(SelectObject(dc, s->font)) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  if (!IsWindowEnabled(hwnd)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  UINT format = DT_EXPANDTABS;
  if (type == SS_CENTER) format |= DT_CENTER | DT_WORDBREAK;
  else if (type == SS_RIGHT) format |= DT_RIGHT | DT_WORDBREAK;
  else if (type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP) format |= DT_LEFT | DT_SINGLELINE;
  else format |= DT_LEFT | DT_WORDBREAK;
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  if (style & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
  if (style & SS_ENDELLIPSIS) format |= DT_END_ELLIPSIS;
  int length = GetWindowTextLength(hwnd);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  GetWindowText(hwnd, text.data(), length + 1);
  DrawText(dc, text.c_str(), -1, &r, format);
  if (old) SelectObject(dc, old);
}

}  // namespace

LRESULT StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Static* s = ControlState<Static>(hwnd);
  if (!s && msg != WM_NCCREATE) return DefWindowProc(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_NCCREATE:
      CreateControlState<Static>(hwnd);
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_NCDESTROY:
      DeleteControlState<Static>(hwnd);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (dc) Paint(hwnd, dc, s);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_NCHITTEST:
      // Statics let the mouse through to their parent unless asked to notify.
      if (!(StyleOf(hwnd) & SS_NOTIFY)) return HTTRANSPARENT;
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case WM_SETTEXT:
    case WM_ENABLE: {
      LRESULT r = DefWindowProc(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return r;
    }
    case WM_LBUTTONDOWN:
      if (StyleOf(hwnd) & SS_NOTIFY) {
        if (HWND parent = GetParent(hwnd))
          SendMessage(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), STN_CLICKED), reinterpret_cast<LPARAM>(hwnd));
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      if (StyleOf(hwnd) & SS_NOTIFY) {
        if (HWND parent = GetParent(hwnd))
          SendMessage(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), STN_DBLCLK), reinterpret_cast<LPARAM>(hwnd));
      }
      return 0;
    case STM_SETIMAGE:
    case STM_SETICON: {
      HANDLE old = s->image;
      s->image = reinterpret_cast<HANDLE>(msg == STM_SETICON ? wParam : lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETIMAGE:
    case STM_GETICON: return reinterpret_cast<LRESULT>(s->image);
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace nbp::user
