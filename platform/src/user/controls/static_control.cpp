// The built-in static control: text, frames, rectangles, etched lines,
// bitmaps and owner-drawn statics.
#include <string>

#include "user/window/system_classes.h"
#include "win/controls.h"
#include "win/gdi.h"
#include "win/rect.h"
#include "win/syscolors.h"

namespace nbp::user {
namespace {

// Styles beside those of win/controls.h.
constexpr DWORD kRealSizeControl = 0x00000040;  // SS_REALSIZECONTROL: an image does not resize the control
constexpr DWORD kEditControl = 0x00002000;      // SS_EDITCONTROL
constexpr DWORD kPathEllipsis = 0x00008000;     // SS_PATHELLIPSIS
constexpr DWORD kWordEllipsis = 0x0000C000;     // SS_WORDELLIPSIS
constexpr DWORD kEllipsisMask = 0x0000C000;     // SS_ELLIPSISMASK

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
    if (s->image) {
      int size = GetSystemMetrics(SM_CXICON);
      int x = 0, y = 0;
      if (style & SS_CENTERIMAGE) {
        x = (r.right - size) / 2;
        y = (r.bottom - size) / 2;
      }
      DrawIcon(dc, x, y, static_cast<HICON>(s->image));
    }
    return;
  }
  FillRect(dc, &r, background);
  HFONT old = s->font ? static_cast<HFONT>(SelectObject(dc, s->font)) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  if (!IsWindowEnabled(hwnd)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  UINT format;
  switch (type) {
    case SS_CENTER: format = DT_CENTER | DT_EXPANDTABS | DT_WORDBREAK; break;
    case SS_RIGHT: format = DT_RIGHT | DT_EXPANDTABS | DT_WORDBREAK; break;
    case SS_SIMPLE: format = DT_LEFT | DT_SINGLELINE; break;
    case SS_LEFTNOWORDWRAP: format = DT_LEFT | DT_EXPANDTABS; break;  // lines break only at line ends
    default: format = DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK; break;
  }
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  if (type != SS_SIMPLE) {
    if (style & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    if (style & kEditControl) format |= DT_EDITCONTROL;
    DWORD ellipsis = style & kEllipsisMask;
    if (ellipsis) {
      format = (format & ~DT_WORDBREAK) | DT_SINGLELINE;
      format |= ellipsis == SS_ENDELLIPSIS ? DT_END_ELLIPSIS : ellipsis == kPathEllipsis ? DT_PATH_ELLIPSIS
                                                                                          : DT_WORD_ELLIPSIS;
    }
  }
  int length = GetWindowTextLength(hwnd);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  GetWindowText(hwnd, text.data(), length + 1);
  DrawText(dc, text.c_str(), -1, &r, format);
  if (old) SelectObject(dc, old);
}

// An image static takes its image's size unless it centers the image or
// keeps its own size.
void SizeToImage(HWND hwnd, const Static* s, UINT kind) {
  DWORD style = StyleOf(hwnd);
  if (!s->image || (style & (SS_CENTERIMAGE | kRealSizeControl))) return;
  int w = 0, h = 0;
  if (kind == IMAGE_BITMAP) {
    BITMAP bm{};
    if (!GetObject(static_cast<HBITMAP>(s->image), sizeof bm, &bm)) return;
    w = bm.bmWidth;
    h = bm.bmHeight;
  } else {
    w = GetSystemMetrics(SM_CXICON);
    h = GetSystemMetrics(SM_CYICON);
  }
  SetWindowPos(hwnd, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

LRESULT StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Static* s = ControlState<Static>(hwnd);
  if (!s && msg != WM_NCCREATE) return DefWindowProc(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_NCCREATE:
      CreateControlState<Static>(hwnd);
      if (StyleOf(hwnd) & SS_SUNKEN) SetWindowLong(hwnd, GWL_EXSTYLE, GetWindowLong(hwnd, GWL_EXSTYLE) | WS_EX_STATICEDGE);
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
      // The image must suit the static's kind: a bitmap for SS_BITMAP, an
      // icon or cursor for SS_ICON.
      DWORD type = StyleOf(hwnd) & SS_TYPEMASK;
      UINT kind = msg == STM_SETICON ? IMAGE_ICON : static_cast<UINT>(wParam);
      bool fits = kind == IMAGE_BITMAP ? type == SS_BITMAP : type == SS_ICON;
      if (!fits) return 0;
      HANDLE old = s->image;
      s->image = reinterpret_cast<HANDLE>(msg == STM_SETICON ? wParam : lParam);
      SizeToImage(hwnd, s, kind);
      InvalidateRect(hwnd, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETIMAGE: {
      DWORD type = StyleOf(hwnd) & SS_TYPEMASK;
      bool fits = wParam == IMAGE_BITMAP ? type == SS_BITMAP : type == SS_ICON;
      return fits ? reinterpret_cast<LRESULT>(s->image) : 0;
    }
    case STM_GETICON:
      return (StyleOf(hwnd) & SS_TYPEMASK) == SS_ICON ? reinterpret_cast<LRESULT>(s->image) : 0;
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace nbp::user
