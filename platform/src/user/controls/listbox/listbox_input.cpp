// The list box's geometry, selection and scrolling, and what the user does
// to it: the mouse (click, drag, double click, wheel), the keys (arrows,
// pages, Home/End, type-ahead) and its own scroll bar. Every event costs
// O(visible items): positions are arithmetic on the fixed item height.
#include <algorithm>
#include <cstdlib>

#include "nbp/utf8_step.h"
#include "nbp/clock.h"
#include "user/controls/listbox/listbox.h"
#include "win/controls.h"

namespace nbp::user::listbox {
namespace {

constexpr UINT_PTR kAutoScrollTimer = 1;
constexpr UINT kAutoScrollMs = 50;
constexpr uint64_t kTypeAheadMs = 1000;

int WheelLines() {
  UINT lines = 3;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  return static_cast<int>(std::max(lines, 1u));
}

// Selects what the user chose and tells the parent when it changed.
void UserSelect(ListBox* lb, int index) {
  if (index < 0 || lb->NoSelection()) return;
  HWND hwnd = lb->hwnd;
  if (Select(lb, index) && ListOf(hwnd) == lb) Notify(lb, LBN_SELCHANGE);
}

// The item a key moves to from the caret, or -1 for a key the list ignores.
int KeyTarget(const ListBox* lb, const View& v, UINT vk) {
  int last = v.count - 1;
  int from = lb->caret;
  // With nothing selected, the first arrow selects the caret item itself.
  bool none = lb->sel < 0;
  int bottom = std::min(v.top + v.page - 1, last);
  switch (vk) {
    case VK_UP: case VK_LEFT: return none ? from : std::max(from - 1, 0);
    case VK_DOWN: case VK_RIGHT: return none ? from : std::min(from + 1, last);
    case VK_PRIOR: return from != v.top ? v.top : std::max(from - (v.page - 1), 0);
    case VK_NEXT: return from != bottom ? bottom : std::min(from + (v.page - 1), last);
    case VK_HOME: return 0;
    case VK_END: return last;
    default: return -1;
  }
}

// Asks the parent first when it wants the keys (LBS_WANTKEYBOARDINPUT):
// -2 it handled the key, -1 the list does, another value selects that item.
int AskParent(ListBox* lb, UINT msg, WPARAM key) {
  if (!(lb->style & LBS_WANTKEYBOARDINPUT) || lb->combo) return -1;
  HWND parent = GetParent(lb->hwnd);
  if (!parent) return -1;
  return static_cast<int>(SendMessage(parent, msg, MAKEWPARAM(LOWORD(key), lb->caret),
                                      reinterpret_cast<LPARAM>(lb->hwnd)));
}

void OnKeyDown(ListBox* lb, WPARAM vk) {
  HWND hwnd = lb->hwnd;
  int answer = AskParent(lb, WM_VKEYTOITEM, vk);
  if (ListOf(hwnd) != lb || answer == -2) return;
  if (answer >= 0) {
    UserSelect(lb, std::min(answer, lb->Count() - 1));
    return;
  }
  View v = ViewOf(lb);
  if (v.count == 0) return;
  UserSelect(lb, KeyTarget(lb, v, static_cast<UINT>(vk)));
}

// Whether the typed bytes end on a whole character: WM_CHAR brings a
// character of several bytes one byte at a time.
bool CharComplete(const std::string& typed) {
  size_t lead = typed.size();
  while (lead > 0 && (static_cast<unsigned char>(typed[lead - 1]) & 0xC0) == 0x80) --lead;
  if (lead == 0) return true;
  auto c = static_cast<unsigned char>(typed[lead - 1]);
  size_t need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 1;
  return typed.size() - (lead - 1) >= need;
}

// Typing selects the next item whose text starts with what was typed within
// the last second; the same letter typed again steps through the items that
// start with it.
void OnChar(ListBox* lb, WPARAM ch) {
  HWND hwnd = lb->hwnd;
  int answer = lb->HasStrings() ? -1 : AskParent(lb, WM_CHARTOITEM, ch);
  if (ListOf(hwnd) != lb || answer == -2) return;
  if (answer >= 0) {
    UserSelect(lb, std::min(answer, lb->Count() - 1));
    return;
  }
  auto byte = static_cast<unsigned char>(ch & 0xFF);
  if (!lb->HasStrings() || byte < 0x20 || byte == 0x7F) return;
  uint64_t now = nbp::clock::NowMs();
  if (now - lb->typedAt > kTypeAheadMs) lb->typed.clear();
  lb->typedAt = now;
  lb->typed += static_cast<char>(byte);
  if (!CharComplete(lb->typed)) return;
  size_t first = nbp::utf8::CharLen(lb->typed.c_str());
  bool repeated = true;
  for (size_t i = first; i + first <= lb->typed.size() && repeated; i += first)
    repeated = lb->typed.compare(i, first, lb->typed, 0, first) == 0;
  std::string prefix = repeated ? lb->typed.substr(0, first) : lb->typed;
  // Without a selection the search starts at the first item.
  int from = lb->sel < 0 ? -1 : lb->caret;
  int start = repeated ? from : std::max(from - 1, -1);
  LRESULT found = FindItem(lb, start, reinterpret_cast<LPARAM>(prefix.c_str()), false);
  if (found >= 0) UserSelect(lb, static_cast<int>(found));
}

// The mouse at a client point while the button is down: the item under it,
// or the next one beyond the edge the point passed, is selected.
void TrackTo(ListBox* lb, POINT p) {
  View v = ViewOf(lb);
  if (v.count == 0) return;
  int index = ItemNearest(v, p);
  bool outside = p.y < v.client.top || p.y >= v.client.bottom;
  if (outside) SetTimer(lb->hwnd, kAutoScrollTimer, kAutoScrollMs, nullptr);
  else KillTimer(lb->hwnd, kAutoScrollTimer);
  UserSelect(lb, index);
}

void EndTracking(ListBox* lb) {
  if (!lb->tracking) return;
  lb->tracking = false;
  KillTimer(lb->hwnd, kAutoScrollTimer);
  if (GetCapture() == lb->hwnd) ReleaseCapture();
}

void OnButtonDown(ListBox* lb, POINT p, bool dbl) {
  HWND hwnd = lb->hwnd;
  View v = ViewOf(lb);
  // A combo's list closes when the user clicks outside it.
  if (lb->combo && !InClient(v, p)) {
    Notify(lb, kListCancel);
    return;
  }
  if (!lb->combo && GetFocus() != hwnd) {
    SetFocus(hwnd);
    if (ListOf(hwnd) != lb) return;
  }
  lb->tracking = true;
  SetCapture(hwnd);
  int index = ItemNearest(v, p);
  UserSelect(lb, index);
  if (ListOf(hwnd) != lb) return;
  bool onItem = index >= 0 && InClient(v, p) && p.y < ItemRect(v, v.count - 1).bottom;
  if (dbl && onItem) Notify(lb, LBN_DBLCLK);
}

void OnButtonUp(ListBox* lb, POINT p) {
  bool wasTracking = lb->tracking;
  EndTracking(lb);
  // A combo's list takes the item the button was released on.
  if (lb->combo && (wasTracking || InClient(ViewOf(lb), p))) {
    Notify(lb, InClient(ViewOf(lb), p) ? kListChoose : kListCancel);
  }
}

void OnWheel(ListBox* lb, int delta) {
  lb->wheelRemainder += delta;
  int notches = lb->wheelRemainder / WHEEL_DELTA;
  lb->wheelRemainder -= notches * WHEEL_DELTA;
  if (notches) SetTop(lb, lb->top - notches * std::min(WheelLines(), ViewOf(lb).page));
}

void OnScroll(ListBox* lb, WORD code) {
  View v = ViewOf(lb);
  switch (code) {
    case SB_LINEUP: SetTop(lb, v.top - 1); break;
    case SB_LINEDOWN: SetTop(lb, v.top + 1); break;
    case SB_PAGEUP: SetTop(lb, v.top - std::max(v.page - 1, 1)); break;
    case SB_PAGEDOWN: SetTop(lb, v.top + std::max(v.page - 1, 1)); break;
    case SB_TOP: SetTop(lb, 0); break;
    case SB_BOTTOM: SetTop(lb, MaxTop(v)); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The message carries 16 bits of the position; the bar has all 32.
      SCROLLINFO si{};
      si.cbSize = sizeof si;
      si.fMask = SIF_TRACKPOS;
      if (GetScrollInfo(lb->hwnd, SB_VERT, &si)) SetTop(lb, si.nTrackPos);
      break;
    }
    default: break;
  }
}

}  // namespace

bool IsInputMessage(UINT msg) {
  switch (msg) {
    case WM_KEYDOWN: case WM_CHAR: case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_LBUTTONUP:
    case WM_MOUSEMOVE: case WM_MOUSEWHEEL: case WM_TIMER: case WM_VSCROLL: case WM_CAPTURECHANGED:
      return true;
    default:
      return false;
  }
}

LRESULT OnInput(ListBox* lb, UINT msg, WPARAM wParam, LPARAM lParam) {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (msg) {
    case WM_KEYDOWN: OnKeyDown(lb, wParam); return 0;
    case WM_CHAR: OnChar(lb, wParam); return 0;
    case WM_LBUTTONDOWN: OnButtonDown(lb, p, false); return 0;
    case WM_LBUTTONDBLCLK: OnButtonDown(lb, p, true); return 0;
    case WM_LBUTTONUP: OnButtonUp(lb, p); return 0;
    case WM_MOUSEMOVE:
      // A dropped combo list follows the mouse even with the button up.
      if ((lb->tracking && GetCapture() == lb->hwnd) || (lb->combo && InClient(ViewOf(lb), p))) TrackTo(lb, p);
      return 0;
    case WM_TIMER:
      if (wParam == kAutoScrollTimer && lb->tracking) {
        POINT cursor{};
        GetCursorPos(&cursor);
        ScreenToClient(lb->hwnd, &cursor);
        TrackTo(lb, cursor);
      }
      return 0;
    case WM_MOUSEWHEEL: OnWheel(lb, GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_VSCROLL: OnScroll(lb, LOWORD(wParam)); return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != lb->hwnd) {
        lb->tracking = false;
        KillTimer(lb->hwnd, kAutoScrollTimer);
      }
      return 0;
    default: return 0;
  }
}

void EndMouseTracking(ListBox* lb) { EndTracking(lb); }

}  // namespace nbp::user::listbox
