// The tooltip control: a top-level popup that shows a tool's text after the
// mouse has rested on the tool for the initial delay, and hides again when
// the mouse leaves the tool, a button is pressed, after the automatic pop
// delay, or when it is deactivated or popped.
//
//    cursor hot spot
//    +
//    |  (20 pixels down: below the arrow cursor)
//    +--------------------+
//    | margin + 2 px      |   1-pixel frame, COLOR_INFOBK fill,
//    |   text (DrawText)  |   COLOR_INFOTEXT text
//    +--------------------+
#include <algorithm>
#include <string>
#include <vector>

#include "user/window/system_classes.h"
#include "win/commctrl.h"
#include "win/gdi.h"
#include "win/rect.h"
#include "win/resources.h"
#include "win/syscolors.h"
#include "nbp/utf8_step.h"

namespace nbp::user {
namespace {

constexpr UINT_PTR kShowTimer = 1;   // the initial (or reshow) delay
constexpr UINT_PTR kPopTimer = 2;    // the automatic pop delay
constexpr UINT_PTR kLeaveTimer = 3;  // watches for the mouse leaving the tool
constexpr UINT kLeavePeriod = 100;
constexpr int kCursorDrop = 20;      // the tip's top below the cursor's hot spot
constexpr int kPadX = 2, kPadY = 1;  // between the frame and the margins

struct Tool {
  UINT flags = 0;
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  RECT rect{};
  HINSTANCE hinst = nullptr;
  bool callback = false;
  UINT textId = 0;  // a string resource of hinst, when nonzero
  std::string text;
  LPARAM lParam = 0;
};

struct Tooltip {
  std::vector<Tool> tools;
  int hot = -1;    // the tool under the mouse as last relayed or checked
  int shown = -1;  // the tool whose tip shows
  bool active = true;
  RECT margin{};
  int maxWidth = -1;
  int initial = -1, reshow = -1, autopop = -1;  // -1: derived from the double-click time
  COLORREF background = CLR_INVALID, foreground = CLR_INVALID;  // CLR_INVALID: the system colors
  HFONT font = nullptr;
  std::string shownText;
};

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)); }

int DelayOf(const Tooltip* t, int which) {
  int base = static_cast<int>(GetDoubleClickTime());
  switch (which) {
    case TTDT_INITIAL: return t->initial >= 0 ? t->initial : base;
    case TTDT_RESHOW: return t->reshow >= 0 ? t->reshow : base / 5;
    case TTDT_AUTOPOP: return t->autopop >= 0 ? t->autopop : base * 10;
    default: return 0;
  }
}

bool ToolInfoReadable(const TOOLINFO* ti) { return ti && ti->cbSize >= TTTOOLINFO_V1_SIZE; }

HWND ToolWindow(const Tool& tool) {
  return (tool.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool.id) : tool.hwnd;
}

// Windows' matching: a rectangle tool by (hwnd, uId) first, then a window
// tool by its window.
int FindTool(const Tooltip* t, const TOOLINFO* ti) {
  if (!ToolInfoReadable(ti)) return -1;
  for (size_t i = 0; i < t->tools.size(); ++i) {
    const Tool& tool = t->tools[i];
    if (!(tool.flags & TTF_IDISHWND) && tool.hwnd == ti->hwnd && tool.id == ti->uId) return static_cast<int>(i);
  }
  for (size_t i = 0; i < t->tools.size(); ++i) {
    const Tool& tool = t->tools[i];
    if ((tool.flags & TTF_IDISHWND) && tool.id == ti->uId) return static_cast<int>(i);
  }
  return -1;
}

// A rectangle tool under the point wins over a tool for the whole window.
int ToolAt(const Tooltip* t, HWND window, POINT client) {
  for (size_t i = 0; i < t->tools.size(); ++i) {
    const Tool& tool = t->tools[i];
    if (!(tool.flags & TTF_IDISHWND) && tool.hwnd == window && PtInRect(&tool.rect, client))
      return static_cast<int>(i);
  }
  for (size_t i = 0; i < t->tools.size(); ++i) {
    const Tool& tool = t->tools[i];
    if ((tool.flags & TTF_IDISHWND) && reinterpret_cast<HWND>(tool.id) == window) return static_cast<int>(i);
  }
  return -1;
}

// The tool under the cursor now, found from the cursor's position (the
// owner relays only what happens inside its own window).
int ToolUnderCursor(const Tooltip* t) {
  POINT p;
  GetCursorPos(&p);
  HWND window = WindowFromPoint(p);
  if (!window) return -1;
  ScreenToClient(window, &p);
  return ToolAt(t, window, p);
}

void SetText(Tool* tool, const TOOLINFO* ti) {
  tool->callback = false;
  tool->textId = 0;
  tool->text.clear();
  if (ti->lpszText == LPSTR_TEXTCALLBACK) {
    tool->callback = true;
  } else if (ti->lpszText && IS_INTRESOURCE(ti->lpszText)) {
    tool->textId = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(ti->lpszText));
  } else if (ti->lpszText) {
    tool->text = ti->lpszText;
  }
}

std::string LoadText(HINSTANCE instance, UINT id) {
  char buffer[1024];
  int n = LoadString(instance, id, buffer, sizeof buffer);
  return std::string(buffer, static_cast<size_t>(std::max(n, 0)));
}

LRESULT Notify(HWND tip, const Tool& tool, NMHDR* header) {
  header->hwndFrom = tip;
  header->idFrom = tool.id;
  return SendMessage(tool.hwnd, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(header));
}

// The tool's text now: its own, a string resource, or the owner's answer
// to TTN_GETDISPINFO (kept when the owner sets TTF_DI_SETITEM).
std::string TextOf(HWND tip, Tool* tool) {
  if (tool->textId) return LoadText(tool->hinst, tool->textId);
  if (!tool->callback) return tool->text;
  NMTTDISPINFO info{};
  info.hdr.code = TTN_GETDISPINFO;
  info.lpszText = info.szText;
  info.hinst = tool->hinst;
  info.uFlags = tool->flags;
  info.lParam = tool->lParam;
  HWND owner = tool->hwnd;
  Notify(tip, *tool, &info.hdr);
  info.szText[sizeof info.szText - 1] = 0;
  std::string text;
  if (info.lpszText == info.szText) text = info.szText;
  else if (info.lpszText && IS_INTRESOURCE(info.lpszText))
    text = LoadText(info.hinst, static_cast<UINT>(reinterpret_cast<ULONG_PTR>(info.lpszText)));
  else if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACK) text = info.lpszText;
  if ((info.uFlags & TTF_DI_SETITEM) && IsWindow(owner)) {
    tool->callback = false;
    tool->text = text;
  }
  return text;
}

UINT TextFormat(HWND tip, const Tooltip* t) {
  UINT format = DT_EXPANDTABS | DT_LEFT | DT_TOP;
  if (StyleOf(tip) & TTS_NOPREFIX) format |= DT_NOPREFIX;
  format |= t->maxWidth >= 0 ? DT_WORDBREAK : DT_SINGLELINE;
  return format;
}

HFONT FontOf(const Tooltip* t) { return t->font ? t->font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// The window size for a text: the text's extent within the maximum width,
// plus padding, margins and the frame.
SIZE TipSize(HWND tip, const Tooltip* t, const std::string& text) {
  HDC dc = GetDC(tip);
  HGDIOBJ old = SelectObject(dc, FontOf(t));
  RECT r{0, 0, t->maxWidth >= 0 ? t->maxWidth : 0, 0};
  DrawText(dc, text.c_str(), -1, &r, TextFormat(tip, t) | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(tip, dc);
  return SIZE{r.right - r.left + 2 * kPadX + t->margin.left + t->margin.right + 2,
              r.bottom - r.top + 2 * kPadY + t->margin.top + t->margin.bottom + 2};
}

// Below the cursor, or above it when there is no room below; kept on the screen.
POINT TipPosition(SIZE size) {
  POINT cursor;
  GetCursorPos(&cursor);
  RECT screen;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &screen, 0);
  POINT p{cursor.x, cursor.y + kCursorDrop};
  if (p.y + size.cy > screen.bottom) p.y = cursor.y - size.cy - 2;
  if (p.x + size.cx > screen.right) p.x = screen.right - size.cx;
  p.x = std::max<LONG>(p.x, screen.left);
  p.y = std::max<LONG>(p.y, screen.top);
  return p;
}

void Hide(HWND tip, Tooltip* t) {
  KillTimer(tip, kPopTimer);
  KillTimer(tip, kLeaveTimer);
  if (t->shown < 0) return;
  int shown = t->shown;
  t->shown = -1;
  SetWindowPos(tip, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (shown < static_cast<int>(t->tools.size())) {
    NMHDR header{};
    header.code = TTN_POP;
    Notify(tip, t->tools[static_cast<size_t>(shown)], &header);
  }
}

// Lays the shown tip out for its current text; moves it to the cursor
// unless it stays where it is.
void Place(HWND tip, Tooltip* t, bool atCursor) {
  SIZE size = TipSize(tip, t, t->shownText);
  RECT now;
  GetWindowRect(tip, &now);
  POINT p = atCursor ? TipPosition(size) : POINT{now.left, now.top};
  SetWindowText(tip, t->shownText.c_str());
  SetWindowPos(tip, HWND_TOPMOST, p.x, p.y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(tip, nullptr, TRUE);
}

void Show(HWND tip, Tooltip* t, int index) {
  if (!t->active || index < 0 || index >= static_cast<int>(t->tools.size())) return;
  Tool& tool = t->tools[static_cast<size_t>(index)];
  HWND window = ToolWindow(tool);
  if (!IsWindowVisible(window)) return;
  if (!(StyleOf(tip) & TTS_ALWAYSTIP) && GetActiveWindow() != GetAncestor(window, GA_ROOT)) return;
  std::string text = TextOf(tip, &tool);
  if (!IsWindow(tip)) return;
  if (text.empty()) {
    Hide(tip, t);
    return;
  }
  t->shownText = text;
  t->shown = index;
  NMHDR header{};
  header.code = TTN_SHOW;
  Notify(tip, t->tools[static_cast<size_t>(index)], &header);
  if (!IsWindow(tip)) return;
  Place(tip, t, true);
  SetTimer(tip, kPopTimer, static_cast<UINT>(DelayOf(t, TTDT_AUTOPOP)), nullptr);
  SetTimer(tip, kLeaveTimer, kLeavePeriod, nullptr);
}

// The mouse moved to tool `now` (or none, -1), as relayed or as seen by the
// leave check.
void MouseAt(HWND tip, Tooltip* t, int now) {
  int before = t->hot;
  t->hot = now;
  if (now != before) {
    bool wasShown = t->shown >= 0;
    Hide(tip, t);
    KillTimer(tip, kShowTimer);
    if (now >= 0 && t->active)
      SetTimer(tip, kShowTimer, static_cast<UINT>(DelayOf(t, wasShown ? TTDT_RESHOW : TTDT_INITIAL)), nullptr);
  } else if (t->shown >= 0) {
    SetTimer(tip, kPopTimer, static_cast<UINT>(DelayOf(t, TTDT_AUTOPOP)), nullptr);
  } else if (now >= 0 && t->active) {
    // Still moving over the tool: the delay counts from when the mouse rests.
    SetTimer(tip, kShowTimer, static_cast<UINT>(DelayOf(t, TTDT_INITIAL)), nullptr);
  }
}

void Relay(HWND tip, Tooltip* t, const MSG* msg) {
  if (!msg) return;
  switch (msg->message) {
    case WM_MOUSEMOVE:
      MouseAt(tip, t, ToolAt(t, msg->hwnd, POINT{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)}));
      break;
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONDOWN: case WM_RBUTTONUP:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN:
      Hide(tip, t);
      KillTimer(tip, kShowTimer);
      break;
    default:
      break;
  }
}

void Timer(HWND tip, Tooltip* t, UINT_PTR id) {
  switch (id) {
    case kShowTimer: {
      KillTimer(tip, kShowTimer);
      int now = ToolUnderCursor(t);
      if (now >= 0 && now == t->hot) Show(tip, t, now);
      else t->hot = now;
      break;
    }
    case kPopTimer:
      Hide(tip, t);
      break;
    case kLeaveTimer:
      if (ToolUnderCursor(t) != t->hot) MouseAt(tip, t, ToolUnderCursor(t));
      break;
    default:
      break;
  }
}

void Paint(HWND tip, HDC dc, const Tooltip* t) {
  RECT r;
  GetClientRect(tip, &r);
  HBRUSH fill = t->background != CLR_INVALID ? CreateSolidBrush(t->background) : nullptr;
  FillRect(dc, &r, fill ? fill : GetSysColorBrush(COLOR_INFOBK));
  if (fill) DeleteObject(fill);
  FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
  RECT text{r.left + 1 + kPadX + t->margin.left, r.top + 1 + kPadY + t->margin.top,
            r.right - 1 - kPadX - t->margin.right, r.bottom - 1 - kPadY - t->margin.bottom};
  HGDIOBJ old = SelectObject(dc, FontOf(t));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, t->foreground != CLR_INVALID ? t->foreground : GetSysColor(COLOR_INFOTEXT));
  DrawText(dc, t->shownText.c_str(), -1, &text, TextFormat(tip, t));
  SelectObject(dc, old);
}

void CopyOut(const std::string& text, char* buffer, size_t size) {
  if (!buffer || size == 0) return;
  size_t n = std::min(text.size(), size - 1);
  // Never cut a character in two.
  n = nbp::utf8::BackToCharStart(text, n);
  text.copy(buffer, n);
  buffer[n] = 0;
}

void FillToolInfo(HWND tip, Tooltip* t, int index, TOOLINFO* ti) {
  Tool& tool = t->tools[static_cast<size_t>(index)];
  ti->uFlags = tool.flags;
  ti->hwnd = tool.hwnd;
  ti->uId = tool.id;
  ti->rect = tool.rect;
  ti->hinst = tool.hinst;
  if (ti->lpszText) {
    if (tool.callback) ti->lpszText = LPSTR_TEXTCALLBACK;
    else if (tool.textId) ti->lpszText = reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(tool.textId));
    else CopyOut(tool.text, ti->lpszText, 80);
  }
  if (ti->cbSize >= sizeof(TOOLINFO)) ti->lParam = tool.lParam;
}

// What TTM_ADDTOOL and TTM_SETTOOLINFO both take from the caller's record.
void ReadToolInfo(Tool* tool, const TOOLINFO* ti) {
  tool->flags = ti->uFlags;
  tool->rect = ti->rect;
  tool->hinst = ti->hinst;
  if (ti->cbSize >= sizeof(TOOLINFO)) tool->lParam = ti->lParam;
  SetText(tool, ti);
}

LRESULT OnAddTool(Tooltip* t, const TOOLINFO* ti) {
  if (!ToolInfoReadable(ti)) return FALSE;
  Tool tool;
  tool.hwnd = ti->hwnd;
  tool.id = ti->uId;
  ReadToolInfo(&tool, ti);
  t->tools.push_back(std::move(tool));
  return TRUE;
}

LRESULT OnDelTool(HWND tip, Tooltip* t, const TOOLINFO* ti) {
  int i = FindTool(t, ti);
  if (i < 0) return 0;
  if (t->shown == i) Hide(tip, t);
  if (t->hot == i) {
    t->hot = -1;
    KillTimer(tip, kShowTimer);
  }
  t->tools.erase(t->tools.begin() + i);
  if (t->shown > i) --t->shown;
  if (t->hot > i) --t->hot;
  return 0;
}

LRESULT OnPop(HWND tip, Tooltip* t) {
  Hide(tip, t);
  KillTimer(tip, kShowTimer);
  return 0;
}

LRESULT OnUpdateTipText(HWND tip, Tooltip* t, const TOOLINFO* ti) {
  int i = FindTool(t, ti);
  if (i < 0) return 0;
  Tool& tool = t->tools[static_cast<size_t>(i)];
  if (ti->hinst) tool.hinst = ti->hinst;
  SetText(&tool, ti);
  if (t->shown == i) {
    t->shownText = TextOf(tip, &t->tools[static_cast<size_t>(i)]);
    if (t->shownText.empty()) Hide(tip, t);
    else Place(tip, t, false);
  }
  return 0;
}

LRESULT OnGetText(HWND tip, Tooltip* t, size_t size, TOOLINFO* ti) {
  int i = FindTool(t, ti);
  if (i < 0 || !ti->lpszText) return 0;
  std::string text = TextOf(tip, &t->tools[static_cast<size_t>(i)]);
  CopyOut(text, ti->lpszText, size ? size : 80);
  return 0;
}

LRESULT OnSetToolInfo(Tooltip* t, const TOOLINFO* ti) {
  int i = FindTool(t, ti);
  if (i >= 0) ReadToolInfo(&t->tools[static_cast<size_t>(i)], ti);
  return 0;
}

LRESULT OnHitTest(HWND tip, Tooltip* t, TTHITTESTINFO* hit) {
  if (!hit) return FALSE;
  int i = ToolAt(t, hit->hwnd, hit->pt);
  if (i < 0) return FALSE;
  if (hit->ti.cbSize >= TTTOOLINFO_V1_SIZE) FillToolInfo(tip, t, i, &hit->ti);
  return TRUE;
}

LRESULT OnSetDelayTime(Tooltip* t, WPARAM which, int value) {
  switch (which) {
    case TTDT_AUTOMATIC:
      t->initial = value >= 0 ? value : -1;
      t->reshow = value >= 0 ? value / 5 : -1;
      t->autopop = value >= 0 ? value * 10 : -1;
      break;
    case TTDT_INITIAL: t->initial = value >= 0 ? value : -1; break;
    case TTDT_RESHOW: t->reshow = value >= 0 ? value : -1; break;
    case TTDT_AUTOPOP: t->autopop = value >= 0 ? value : -1; break;
    default: break;
  }
  return 0;
}

LRESULT OnSetMaxTipWidth(Tooltip* t, int width) {
  int old = t->maxWidth;
  t->maxWidth = width >= 0 ? width : -1;
  return old;
}

LRESULT OnSetColor(HWND tip, COLORREF* color, WPARAM value) {
  *color = static_cast<COLORREF>(value);
  InvalidateRect(tip, nullptr, TRUE);
  return 0;
}

LRESULT Message(HWND tip, Tooltip* t, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* ti = reinterpret_cast<TOOLINFO*>(lParam);
  switch (msg) {
    case TTM_ADDTOOL: return OnAddTool(t, ti);
    case TTM_DELTOOL: return OnDelTool(tip, t, ti);
    case TTM_ACTIVATE:
      t->active = wParam != 0;
      if (!t->active) OnPop(tip, t);
      return 0;
    case TTM_POP: return OnPop(tip, t);
    case TTM_RELAYEVENT:
      Relay(tip, t, reinterpret_cast<const MSG*>(lParam));
      return 0;
    case TTM_UPDATETIPTEXT: return OnUpdateTipText(tip, t, ti);
    case TTM_UPDATE:
      if (t->shown >= 0) Place(tip, t, false);
      return 0;
    case TTM_GETTEXT: return OnGetText(tip, t, wParam, ti);
    case TTM_GETTOOLCOUNT: return static_cast<LRESULT>(t->tools.size());
    case TTM_ENUMTOOLS:
      if (!ToolInfoReadable(ti) || wParam >= t->tools.size()) return FALSE;
      FillToolInfo(tip, t, static_cast<int>(wParam), ti);
      return TRUE;
    case TTM_GETTOOLINFO: {
      int i = FindTool(t, ti);
      if (i < 0) return FALSE;
      FillToolInfo(tip, t, i, ti);
      return TRUE;
    }
    case TTM_SETTOOLINFO: return OnSetToolInfo(t, ti);
    case TTM_NEWTOOLRECT: {
      int i = FindTool(t, ti);
      if (i >= 0) t->tools[static_cast<size_t>(i)].rect = ti->rect;
      return 0;
    }
    case TTM_GETCURRENTTOOL:
      if (t->shown < 0) return FALSE;
      if (ToolInfoReadable(ti)) FillToolInfo(tip, t, t->shown, ti);
      return TRUE;
    case TTM_HITTEST: return OnHitTest(tip, t, reinterpret_cast<TTHITTESTINFO*>(lParam));
    case TTM_WINDOWFROMPOINT: {
      auto* p = reinterpret_cast<const POINT*>(lParam);
      return p ? reinterpret_cast<LRESULT>(WindowFromPoint(*p)) : 0;
    }
    case TTM_SETDELAYTIME: return OnSetDelayTime(t, wParam, static_cast<short>(LOWORD(lParam)));
    case TTM_GETDELAYTIME: return DelayOf(t, static_cast<int>(wParam) == TTDT_AUTOMATIC ? TTDT_AUTOPOP : static_cast<int>(wParam));
    case TTM_SETMARGIN:
      if (ti) t->margin = *reinterpret_cast<const RECT*>(lParam);
      return 0;
    case TTM_GETMARGIN:
      if (lParam) *reinterpret_cast<RECT*>(lParam) = t->margin;
      return 0;
    case TTM_SETMAXTIPWIDTH: return OnSetMaxTipWidth(t, static_cast<int>(lParam));
    case TTM_GETMAXTIPWIDTH: return t->maxWidth;
    case TTM_SETTIPBKCOLOR: return OnSetColor(tip, &t->background, wParam);
    case TTM_SETTIPTEXTCOLOR: return OnSetColor(tip, &t->foreground, wParam);
    case TTM_GETTIPBKCOLOR: return t->background != CLR_INVALID ? t->background : GetSysColor(COLOR_INFOBK);
    case TTM_GETTIPTEXTCOLOR: return t->foreground != CLR_INVALID ? t->foreground : GetSysColor(COLOR_INFOTEXT);
    default: return DefWindowProc(tip, msg, wParam, lParam);
  }
}

}  // namespace

LRESULT TooltipProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Tooltip* t = ControlState<Tooltip>(hwnd);
  if (!t && msg != WM_NCCREATE) return DefWindowProc(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_NCCREATE: {
      CreateControlState<Tooltip>(hwnd);
      // A tip is a popup that never takes activation or shows in a task list.
      SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>((StyleOf(hwnd) & ~WS_CHILD) | WS_POPUP));
      SetWindowLong(hwnd, GWL_EXSTYLE,
                    GetWindowLong(hwnd, GWL_EXSTYLE) | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE);
      return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    case WM_NCDESTROY:
      DeleteControlState<Tooltip>(hwnd);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (dc) Paint(hwnd, dc, t);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_TIMER:
      Timer(hwnd, t, wParam);
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      // The mouse on the tip itself: the tip makes way.
      Hide(hwnd, t);
      return 0;
    case WM_MOUSEACTIVATE: return 3;  // MA_NOACTIVATE
    case WM_SETFONT:
      t->font = reinterpret_cast<HFONT>(wParam);
      if (t->shown >= 0) Place(hwnd, t, false);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(t->font);
    default:
      if (msg >= WM_USER) return Message(hwnd, t, msg, wParam, lParam);
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace nbp::user
