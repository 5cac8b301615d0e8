// The rich edit control (classes "RichEdit20A" and "RICHEDIT"): the edit
// control's text, layout and input with the rich edit control's own
// messages and manners. It keeps plain text (no formatting runs), a default
// limit of 32767, notifications filtered by its event mask, its own
// background color instead of WM_CTLCOLOREDIT, and it beeps when typing
// would pass its limit.
#include <algorithm>
#include <cstring>

#include "user/controls/edit/edit_control.h"
#include "user/window/system_classes.h"
#include "win/gdi.h"
#include "win/richedit.h"
#include "win/syscolors.h"

namespace nbp::user {
namespace {

using edit::Edit;

constexpr size_t kDefaultMaxLimit = 65536;

size_t Clamp(const Edit* e, LONG pos) {
  return pos < 0 ? e->text.size() : std::min(static_cast<size_t>(pos), e->text.size());
}

LRESULT SetRange(Edit* e, const CHARRANGE* range) {
  if (!range) return static_cast<LRESULT>(e->SelEnd());
  if (range->cpMin < 0) {
    edit::SetSelection(e, e->caret, e->caret);  // no selection, the caret stays
  } else if (range->cpMin == 0 && range->cpMax == -1) {
    edit::SetSelection(e, 0, e->text.size());
  } else {
    edit::SetSelection(e, Clamp(e, range->cpMin), Clamp(e, range->cpMax));
  }
  edit::ScrollCaretIntoView(e);
  return static_cast<LRESULT>(e->SelEnd());
}

LRESULT CopyRange(const Edit* e, size_t from, size_t to, char* out) {
  if (!out) return 0;
  size_t n = to > from ? to - from : 0;
  std::memcpy(out, e->text.data() + from, n);
  out[n] = 0;
  return static_cast<LRESULT>(n);
}

}  // namespace

LRESULT RichEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  using namespace edit;
  if (msg == WM_NCCREATE) {
    CreateEdit(hwnd, reinterpret_cast<const CREATESTRUCT*>(lParam), true);
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  Edit* e = EditOf(hwnd);
  if (!e) return DefWindowProc(hwnd, msg, wParam, lParam);
  if (msg != WM_NCDESTROY) FlushLayoutBefore(e, msg, wParam);
  switch (msg) {
    case WM_NCDESTROY: DestroyEdit(hwnd); return 0;
    case WM_GETDLGCODE: {
      UINT code = DLGC_WANTCHARS | DLGC_WANTTAB | DLGC_WANTARROWS | DLGC_HASSETSEL;
      if (e->Multiline()) code |= DLGC_WANTMESSAGE;
      return code;
    }
    case EM_SETEDITSTYLE:
      if (lParam & SES_BEEPONMAXTEXT) e->beepOnMaxText = (wParam & SES_BEEPONMAXTEXT) != 0;
      return e->beepOnMaxText ? SES_BEEPONMAXTEXT : 0;
    case EM_GETEDITSTYLE:
      return e->beepOnMaxText ? SES_BEEPONMAXTEXT : 0;
    case EM_EXLIMITTEXT:
      e->limit = lParam > 0 ? static_cast<size_t>(lParam) : kDefaultMaxLimit;
      return 0;
    case EM_EXGETSEL:
      if (auto* range = reinterpret_cast<CHARRANGE*>(lParam)) {
        range->cpMin = static_cast<LONG>(e->SelStart());
        range->cpMax = static_cast<LONG>(e->SelEnd());
      }
      return 0;
    case EM_EXSETSEL: return SetRange(e, reinterpret_cast<const CHARRANGE*>(lParam));
    case EM_SETSEL: {
      CHARRANGE range{static_cast<LONG>(wParam), static_cast<LONG>(lParam)};
      SetRange(e, &range);
      return 0;
    }
    case EM_EXLINEFROMCHAR: return static_cast<LRESULT>(e->layout.LineOf(Clamp(e, static_cast<LONG>(lParam))));
    case EM_SETEVENTMASK: {
      DWORD old = e->eventMask;
      e->eventMask = static_cast<DWORD>(lParam);
      return static_cast<LRESULT>(old);
    }
    case EM_GETEVENTMASK: return static_cast<LRESULT>(e->eventMask);
    case EM_SETBKGNDCOLOR: {
      COLORREF old = e->systemBackground ? GetSysColor(COLOR_WINDOW) : e->background;
      e->systemBackground = wParam != 0;
      if (!wParam) e->background = static_cast<COLORREF>(lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return static_cast<LRESULT>(old);
    }
    case EM_GETSELTEXT: return CopyRange(e, e->SelStart(), e->SelEnd(), reinterpret_cast<char*>(lParam));
    case EM_GETTEXTRANGE: {
      auto* range = reinterpret_cast<TEXTRANGEA*>(lParam);
      if (!range) return 0;
      size_t from = Clamp(e, range->chrg.cpMin);
      size_t to = range->chrg.cpMax < 0 ? e->text.size() : Clamp(e, range->chrg.cpMax);
      return CopyRange(e, from, std::max(from, to), range->lpstrText);
    }
    case EM_HIDESELECTION:
      e->hideSelection = wParam != 0;
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case EM_CHARFROMPOS: {
      // The rich edit control takes the point by address and answers the position only.
      auto* p = reinterpret_cast<const POINTL*>(lParam);
      if (!p) return -1;
      return static_cast<LRESULT>(PositionAtPoint(e, POINT{p->x, p->y}));
    }
    case EM_POSFROMCHAR: {
      // The rich edit form passes a POINTL by address and the index in lParam;
      // the edit control's form (index in wParam, packed answer) works too,
      // told apart as the rich edit control does, by wParam's size.
      bool byAddress = wParam >= 0x40000;
      size_t index = Clamp(e, static_cast<LONG>(byAddress ? lParam : static_cast<LPARAM>(wParam)));
      POINT at = PointOfPosition(e, index, false);
      if (!byAddress) return static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(at.x, at.y)));
      auto* p = reinterpret_cast<POINTL*>(wParam);
      p->x = at.x;
      p->y = at.y;
      return 0;
    }
    default:
      return HandleEditMessage(e, msg, wParam, lParam);
  }
}

}  // namespace nbp::user
