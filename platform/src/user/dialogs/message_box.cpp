// Message boxes: a modal dialog of the window system's own, the same on every
// desktop. It shows the icon of the MB_ICON* kind, the text wrapped to a
// readable width and the buttons of the MB_ type; the MB_DEFBUTTONn button
// has the focus and answers Enter, Escape (and the close box) answers Cancel
// where there is one and OK where it is the only button, Tab and the arrows
// move among the buttons, and a button's underlined letter presses it. The
// owner takes no input while the box runs.
//
// The desktop is asked first: it may answer at once (a headless desktop
// answers from its script and records every box), or leave the box to the
// user.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "nbp/desktop.h"
#include "user/dialogs/dialog_internal.h"
#include "win/controls.h"
#include "win/gdi.h"

namespace nbp {
int DefaultMessageBoxButton(UINT type);
}

namespace nbp::user {
namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kMaxTextWidth = 420;
constexpr int kButtonHeight = 24;
constexpr int kButtonMinWidth = 80;
constexpr int kButtonGap = 8;
constexpr int kTextId = 0xFFFF;  // the text's static, as the window system numbers it

struct BoxButton {
  int id;
  const char* label;
};

std::vector<BoxButton> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO: return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    default: return {{IDOK, "OK"}};
  }
}

bool IsButtonOf(UINT type, int id) {
  for (const BoxButton& b : ButtonsOf(type)) {
    if (b.id == id) return true;
  }
  return false;
}

// What Escape and the close box answer: Cancel where the box has it, OK
// where OK is all it has, and nothing where the user must choose (Yes/No,
// Abort/Retry/Ignore).
int EscapeAnswer(UINT type) {
  if (IsButtonOf(type, IDCANCEL)) return IDCANCEL;
  return (type & MB_TYPEMASK) == MB_OK || (type & MB_TYPEMASK) > MB_RETRYCANCEL ? IDOK : 0;
}

// The underlined letter of a label ("&Yes": 'Y'), upper-cased; 0 for none.
char Mnemonic(const char* label) {
  const char* amp = std::strchr(label, '&');
  if (!amp || !amp[1]) return 0;
  char c = amp[1];
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// --- The icon, drawn in the box's own colors so that it reads on any theme.

void DrawGlyph(HDC dc, const RECT& r, const char* glyph, COLORREF color) {
  HFONT font = CreateFont(-22, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "DejaVu Sans");
  HGDIOBJ oldFont = SelectObject(dc, font);
  int oldMode = SetBkMode(dc, TRANSPARENT);
  COLORREF oldColor = SetTextColor(dc, color);
  RECT box = r;
  DrawText(dc, glyph, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
  DeleteObject(font);
}

void DrawIconOf(HDC dc, UINT icon, int x, int y) {
  RECT r{x, y, x + kIconSize, y + kIconSize};
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  if (icon == MB_ICONEXCLAMATION) {
    HBRUSH fill = CreateSolidBrush(RGB(0xF2, 0xC0, 0x1E));
    HGDIOBJ oldBrush = SelectObject(dc, fill);
    POINT triangle[3] = {{x + kIconSize / 2, y + 1}, {x + kIconSize, y + kIconSize}, {x, y + kIconSize}};
    Polygon(dc, triangle, 3);
    SelectObject(dc, oldBrush);
    DeleteObject(fill);
    RECT lower{x, y + 6, x + kIconSize, y + kIconSize};
    DrawGlyph(dc, lower, "!", RGB(0, 0, 0));
  } else {
    COLORREF color = icon == MB_ICONHAND ? RGB(0xC4, 0x2B, 0x1C) : RGB(0x1E, 0x5A, 0xC8);
    HBRUSH fill = CreateSolidBrush(color);
    HGDIOBJ oldBrush = SelectObject(dc, fill);
    Ellipse(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, oldBrush);
    DeleteObject(fill);
    const char* glyph = icon == MB_ICONHAND ? "\xC3\x97" : icon == MB_ICONQUESTION ? "?" : "i";
    DrawGlyph(dc, r, glyph, RGB(0xFF, 0xFF, 0xFF));
  }
  SelectObject(dc, oldPen);
}

UINT IconOf(UINT type) {
  UINT icon = type & MB_ICONMASK;
  return icon == MB_ICONHAND || icon == MB_ICONQUESTION || icon == MB_ICONEXCLAMATION || icon == MB_ICONASTERISK
             ? icon
             : 0;
}

// --- The box's dialog procedure and its buttons' keyboard.

INT_PTR CALLBACK BoxProc(HWND box, UINT msg, WPARAM wParam, LPARAM) {
  auto type = static_cast<UINT>(GetWindowLongPtr(box, DWLP_USER));
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(box, &ps);
      if (dc && IconOf(type)) DrawIconOf(dc, IconOf(type), kMargin, kMargin);
      EndPaint(box, &ps);
      return TRUE;
    }
    case WM_COMMAND: {
      int id = LOWORD(wParam);
      if (IsButtonOf(type, id)) EndDialog(box, id);
      else if (id == IDCANCEL && EscapeAnswer(type)) EndDialog(box, EscapeAnswer(type));
      return TRUE;
    }
    default:
      return FALSE;
  }
}

WNDPROC& ButtonClassProc() {
  static WNDPROC proc = nullptr;
  return proc;
}

// A letter presses the button it underlines, with or without Alt.
LRESULT CALLBACK BoxButtonProc(HWND button, UINT msg, WPARAM wParam, LPARAM lParam) {
  if ((msg == WM_CHAR || msg == WM_SYSCHAR) && wParam < 0x80) {
    HWND box = GetParent(button);
    auto type = static_cast<UINT>(GetWindowLongPtr(box, DWLP_USER));
    char key = static_cast<char>(wParam >= 'a' && wParam <= 'z' ? wParam - 'a' + 'A' : wParam);
    for (const BoxButton& b : ButtonsOf(type)) {
      if (key && Mnemonic(b.label) == key) {
        SendMessage(box, WM_COMMAND, MAKEWPARAM(b.id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, b.id)));
        return 0;
      }
    }
  }
  return CallWindowProc(ButtonClassProc(), button, msg, wParam, lParam);
}

// --- Building the box.

struct BoxLayout {
  RECT text{};
  std::vector<RECT> buttons;
  SIZE client{};
};

BoxLayout LayOut(HFONT font, const std::string& text, UINT type) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  BoxLayout l;
  int textLeft = IconOf(type) ? kMargin + kIconSize + kMargin : kMargin;
  RECT measured{0, 0, kMaxTextWidth, 0};
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &measured,
           DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  int textWidth = std::min<int>(kMaxTextWidth, measured.right), textHeight = measured.bottom;
  int top = kMargin;
  if (IconOf(type) && textHeight < kIconSize) top += (kIconSize - textHeight) / 2;
  l.text = RECT{textLeft, top, textLeft + textWidth, top + textHeight};

  std::vector<int> widths;
  int rowWidth = 0;
  for (const BoxButton& b : ButtonsOf(type)) {
    SIZE extent{};
    std::string shown;
    for (const char* p = b.label; *p; ++p) {
      if (*p != '&') shown += *p;
    }
    GetTextExtentPoint32(dc, shown.c_str(), static_cast<int>(shown.size()), &extent);
    widths.push_back(std::max<int>(kButtonMinWidth, extent.cx + 24));
    rowWidth += widths.back() + (widths.size() > 1 ? kButtonGap : 0);
  }
  SelectObject(dc, old);
  DeleteDC(dc);

  int contentBottom = std::max<int>(l.text.bottom, IconOf(type) ? kMargin + kIconSize : 0);
  l.client.cx = std::max<int>(l.text.right + kMargin, rowWidth + 2 * kMargin);
  int x = (l.client.cx - rowWidth) / 2, y = contentBottom + 2 * kMargin;
  for (int w : widths) {
    l.buttons.push_back(RECT{x, y, x + w, y + kButtonHeight});
    x += w + kButtonGap;
  }
  l.client.cy = y + kButtonHeight + kMargin;
  return l;
}

// Centred on the owner (or the screen), kept on the screen.
POINT Placement(HWND owner, SIZE window) {
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT over = area;
  if (owner) GetWindowRect(owner, &over);
  int x = over.left + ((over.right - over.left) - window.cx) / 2;
  int y = over.top + ((over.bottom - over.top) - window.cy) / 2;
  x = std::max<int>(area.left, std::min<int>(x, area.right - window.cx));
  y = std::max<int>(area.top, std::min<int>(y, area.bottom - window.cy));
  return POINT{x, y};
}

HWND CreateBox(const MessageBoxRequest& request, HWND owner) {
  auto font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  BoxLayout l = LayOut(font, request.text, request.type);
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  const DWORD exStyle = WS_EX_DLGMODALFRAME;
  RECT frame{0, 0, l.client.cx, l.client.cy};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  SIZE size{frame.right - frame.left, frame.bottom - frame.top};
  POINT at = Placement(owner, size);
  HWND box = CreateWindowEx(exStyle, WC_DIALOG, request.caption.c_str(), style, at.x, at.y, size.cx, size.cy, owner,
                            nullptr, nullptr, nullptr);
  if (!box) return nullptr;
  DialogInfo* info = EnsureDialogInfo(box);
  info->font = font;
  info->baseUnits = FontBaseUnits(font);
  SetWindowLongPtr(box, DWLP_USER, static_cast<LONG_PTR>(request.type));
  SetWindowLongPtr(box, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(&BoxProc));

  auto child = [&](const char* cls, const char* text, DWORD childStyle, const RECT& r, int id) {
    HWND h = CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | childStyle, r.left, r.top, r.right - r.left,
                            r.bottom - r.top, box, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    if (h) SendMessage(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return h;
  };
  child(WC_STATIC, request.text.c_str(), SS_LEFT | SS_NOPREFIX, l.text, kTextId);
  std::vector<BoxButton> buttons = ButtonsOf(request.type);
  size_t def = std::min<size_t>((request.type & MB_DEFMASK) >> 8, buttons.size() - 1);
  HWND focus = nullptr;
  for (size_t i = 0; i < buttons.size(); ++i) {
    DWORD buttonStyle = WS_TABSTOP | (i == 0 ? WS_GROUP : 0) | (i == def ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    HWND h = child(WC_BUTTON, buttons[i].label, buttonStyle, l.buttons[i], buttons[i].id);
    if (!h) {
      DestroyWindow(box);
      return nullptr;
    }
    auto previous = reinterpret_cast<WNDPROC>(SetWindowLongPtr(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BoxButtonProc)));
    if (!ButtonClassProc()) ButtonClassProc() = previous;
    if (i == def) focus = h;
  }
  info = DialogOf(box);
  if (!info) return nullptr;
  info->defId = static_cast<WORD>(buttons[def].id);
  info->savedFocus = focus;
  return box;
}

int RunMessageBox(const MessageBoxRequest& request) {
  HWND owner = request.owner ? GetAncestor(request.owner, GA_ROOT) : nullptr;
  HWND focusBefore = GetFocus();
  HWND box = CreateBox(request, owner);
  if (!box) {
    // Never a box skipped without a word: the desktop still hears of it.
    fprintf(stderr, "nbp: a message box could not be built: %s\n", request.text.c_str());
    int answer = CurrentDesktop().AskMessageBox(request);
    return IsButtonOf(request.type, answer) ? answer : DefaultMessageBoxButton(request.type);
  }
  if (owner && IsWindowEnabled(owner)) {
    EnableWindow(owner, FALSE);
    if (DialogInfo* info = DialogOf(box)) info->ownerDisabled = true;
  }
  ShowWindow(box, SW_SHOWNORMAL);
  if (DialogInfo* info = DialogOf(box); info && info->savedFocus) SetFocus(info->savedFocus);
  UpdateWindow(box);

  int answer = CurrentDesktop().AskMessageBox(request);
  if (IsWindow(box) && IsButtonOf(request.type, answer)) EndDialog(box, answer);
  INT_PTR result = IsWindow(box) ? RunDialogLoop(box, owner) : answer;
  if (IsWindow(box)) DestroyWindow(box);
  if (focusBefore && IsWindow(focusBefore) && IsWindowEnabled(focusBefore) && IsWindowVisible(focusBefore))
    SetFocus(focusBefore);
  int chosen = static_cast<int>(result);
  return IsButtonOf(request.type, chosen) ? chosen : DefaultMessageBoxButton(request.type);
}

}  // namespace
}  // namespace nbp::user

namespace nbp {

int DefaultMessageBoxButton(UINT type) {
  std::vector<user::BoxButton> buttons = user::ButtonsOf(type);
  size_t def = (type & MB_DEFMASK) >> 8;
  if (def > 2) def = 0;
  return buttons[std::min(def, buttons.size() - 1)].id;
}

}  // namespace nbp

int MessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type) {
  if (owner && !IsWindow(owner)) owner = nullptr;
  // A modal box ends any mouse tracking in progress.
  if (HWND capture = GetCapture()) SendMessage(capture, WM_CANCELMODE, 0, 0);
  nbp::MessageBoxRequest request;
  request.owner = owner;
  request.text = text ? text : "";
  request.caption = caption ? caption : "Error";
  request.type = type;
  return nbp::user::RunMessageBox(request);
}
