// The edit control's window messages, one handler each, and the dispatch
// that picks the handler (HandleEditMessage).
#include <algorithm>
#include <cstring>

#include "user/controls/edit/edit_control.h"
#include "user/window/system_classes.h"
#include "win/gdi.h"
#include "win/imm.h"

namespace nbp::user::edit {
namespace {

constexpr size_t kMaxSingleLineLimit = 0x7FFFFFFE;
constexpr size_t kMaxMultiLineLimit = 0xFFFFFFFF;
constexpr size_t kRichDefaultMaxLimit = 65536;

LRESULT CopyOut(const std::string& text, size_t from, size_t length, char* out, size_t room, bool terminate) {
  if (!out || room == 0) return 0;
  std::string_view view = std::string_view(text).substr(from, length);
  size_t n = FitBytes(view, terminate ? room - 1 : room);
  std::memcpy(out, view.data(), n);
  if (terminate) out[n] = 0;
  return static_cast<LRESULT>(n);
}

size_t LineForIndex(const Edit* e, WPARAM wParam) {
  auto index = static_cast<int>(wParam);
  if (index < 0) return e->SelStart() != e->SelEnd() ? e->layout.LineOf(e->SelStart()) : e->layout.LineOf(e->caret, e->afterWrap);
  return e->layout.LineOf(std::min(static_cast<size_t>(index), e->text.size()));
}

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// After the format rectangle or the font changed.
void Reflow(Edit* e, bool invalidate) {
  Relayout(e);
  ScrollCaretIntoView(e);
  UpdateScrollBars(e);
  if (invalidate) InvalidateRect(e->hwnd, nullptr, TRUE);
}

// --- Window messages

LRESULT OnCreate(Edit* e, const CREATESTRUCT* cs) {
  ResetFormatRect(e);
  if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) e->text = ApplyCase(e, cs->lpszName);
  Relayout(e);
  UpdateScrollBars(e);
  return 0;
}

LRESULT OnPaint(Edit* e) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(e->hwnd, &ps);
  if (dc) Paint(e, dc);
  EndPaint(e->hwnd, &ps);
  return 0;
}

LRESULT OnSetFont(Edit* e, HFONT font, bool redraw) {
  ApplyFont(e, font);
  ResetFormatRect(e);
  if (e->focused) {
    CreateCaret(e->hwnd, nullptr, 1, e->lineHeight);
    ShowCaret(e->hwnd);
  }
  Reflow(e, redraw);
  return 0;
}

LRESULT OnSize(Edit* e) {
  ResetFormatRect(e);
  Reflow(e, true);
  return 0;
}

LRESULT OnStyleChanged(Edit* e, WPARAM which, const STYLESTRUCT* styles) {
  if (static_cast<int>(which) != GWL_STYLE || !styles) return 0;
  // The owner may switch these at any time; the rest are fixed at creation.
  const DWORD live = ES_NUMBER | ES_UPPERCASE | ES_LOWERCASE | ES_READONLY | ES_NOHIDESEL | ES_WANTRETURN;
  e->style = (e->style & ~live) | (styles->styleNew & live);
  InvalidateRect(e->hwnd, nullptr, TRUE);
  return 0;
}

LRESULT OnFocus(Edit* e, bool gained) {
  HWND hwnd = e->hwnd;
  e->focused = gained;
  if (gained) {
    CreateCaret(hwnd, nullptr, 1, e->lineHeight);
    UpdateCaret(e);
    ShowCaret(hwnd);
  } else {
    if (e->selecting && GetCapture() == hwnd) ReleaseCapture();
    e->selecting = false;
    DestroyCaret();
  }
  if (e->SelStart() != e->SelEnd() && !(e->style & ES_NOHIDESEL)) InvalidateRect(hwnd, nullptr, FALSE);
  Notify(e, gained ? EN_SETFOCUS : EN_KILLFOCUS);
  return 0;
}

LRESULT OnGetDlgCode(const Edit* e) {
  return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | (e->Multiline() ? DLGC_WANTALLKEYS : 0);
}

LRESULT OnMouseWheel(Edit* e, WPARAM wParam, LPARAM lParam) {
  if (!e->Multiline()) return DefWindowProc(e->hwnd, WM_MOUSEWHEEL, wParam, lParam);
  int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
  if (notches && ScrollBy(e, -3 * notches, 0)) Notify(e, EN_VSCROLL);
  return 0;
}

LRESULT OnContextMenuMessage(Edit* e, WPARAM wParam, LPARAM lParam) {
  // The rich edit control leaves its menu to the parent.
  if (e->rich) return DefWindowProc(e->hwnd, WM_CONTEXTMENU, wParam, lParam);
  OnContextMenu(e, PointOf(lParam));
  return 0;
}

// A control whose window procedure another has taken over (a field that
// filters what is typed into it) must see every character as typed.
bool Subclassed(const Edit* e) {
  auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtr(e->hwnd, GWLP_WNDPROC));
  return proc != &EditProc && proc != &RichEditProc;
}

// The text an input method finished composing: one change, however long,
// with one EN_UPDATE and EN_CHANGE; in a subclassed control, the characters
// one by one through its own window (the default handling), so that its
// filters still hold.
LRESULT OnImeComposition(Edit* e, WPARAM wParam, LPARAM flags) {
  if (!(flags & GCS_RESULTSTR)) return 0;
  if (Subclassed(e)) {
    // Measuring the line after each character made a long result cost the
    // square of its length; it is measured once when the feed is over.
    HWND hwnd = e->hwnd;
    bool outer = !e->deferLayout;
    e->deferLayout = true;
    LRESULT result = DefWindowProc(hwnd, WM_IME_COMPOSITION, wParam, flags);
    if (outer && IsWindow(hwnd) && EditOf(hwnd) == e) {
      e->deferLayout = false;
      if (e->layoutStale) FlushLayout(e);
    }
    return result;
  }
  HIMC imc = ImmGetContext(e->hwnd);
  LONG size = ImmGetCompositionStringA(imc, GCS_RESULTSTR, nullptr, 0);
  std::string result(static_cast<size_t>(std::max<LONG>(size, 0)), '\0');
  if (size > 0) ImmGetCompositionStringA(imc, GCS_RESULTSTR, result.data(), static_cast<DWORD>(size));
  ImmReleaseContext(e->hwnd, imc);
  if (result.empty()) return 0;
  if (e->ReadOnly()) {
    MessageBeep(MB_OK);
    return 0;
  }
  ReplaceSelection(e, std::move(result), true, true, true);
  return 0;
}

// --- Edit messages

LRESULT OnGetSel(const Edit* e, DWORD* start, DWORD* end) {
  auto from = static_cast<DWORD>(e->SelStart()), to = static_cast<DWORD>(e->SelEnd());
  if (start) *start = from;
  if (end) *end = to;
  return from > 0xFFFF || to > 0xFFFF ? -1 : static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(from, to)));
}

LRESULT OnSetSel(Edit* e, DWORD start, DWORD end) {
  // A start of -1 drops the selection and leaves the caret where it is.
  if (start == 0xFFFFFFFF) SetSelection(e, e->caret, e->caret);
  else SetSelection(e, std::min<size_t>(start, e->text.size()), std::min<size_t>(end, e->text.size()));
  return 0;
}

LRESULT OnLimitText(Edit* e, size_t limit) {
  if (limit == 0) limit = e->rich ? kRichDefaultMaxLimit : e->Multiline() ? kMaxMultiLineLimit : kMaxSingleLineLimit;
  e->limit = limit;
  return 0;
}

LRESULT OnSetRect(Edit* e, const RECT* r, bool redraw) {
  if (r) SetFormatRect(e, *r);
  else ResetFormatRect(e);
  Reflow(e, redraw);
  return 0;
}

LRESULT OnLineIndex(const Edit* e, int line) {
  size_t index = line < 0 ? e->layout.LineOf(e->caret, e->afterWrap) : static_cast<size_t>(line);
  return index < e->layout.Count() ? static_cast<LRESULT>(e->layout.At(index).start) : -1;
}

LRESULT OnLineLength(const Edit* e, WPARAM wParam) {
  if (static_cast<int>(wParam) >= 0) return static_cast<LRESULT>(e->layout.At(LineForIndex(e, wParam)).length);
  // The unselected characters on the lines the selection touches.
  const Line& first = e->layout.At(e->layout.LineOf(e->SelStart()));
  const Line& last = e->layout.At(e->layout.LineOf(e->SelEnd()));
  return static_cast<LRESULT>((e->SelStart() - first.start) + (last.End() - std::min(e->SelEnd(), last.End())));
}

LRESULT OnGetLine(const Edit* e, WPARAM wParam, char* buffer) {
  if (!buffer) return 0;
  size_t room = *reinterpret_cast<const WORD*>(buffer);
  size_t line = e->Multiline() ? static_cast<size_t>(static_cast<DWORD>(wParam)) : 0;
  if (line >= e->layout.Count()) return 0;
  const Line& l = e->layout.At(line);
  return CopyOut(e->text, l.start, l.length, buffer, room, false);
}

LRESULT OnCharFromPos(const Edit* e, LPARAM lParam) {
  size_t line = 0;
  size_t pos = PositionAtPoint(e, PointOf(lParam), false, nullptr, &line);
  return static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(pos, line)));
}

LRESULT OnPosFromChar(const Edit* e, WPARAM wParam) {
  if (static_cast<size_t>(static_cast<DWORD>(wParam)) >= e->text.size()) return -1;
  POINT p = PointOfPosition(e, SnapToChar(e->text, static_cast<DWORD>(wParam)), false);
  return static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(p.x, p.y)));
}

LRESULT OnSetReadOnly(Edit* e, bool readOnly) {
  e->style = readOnly ? (e->style | ES_READONLY) : (e->style & ~ES_READONLY);
  LONG style = GetWindowLong(e->hwnd, GWL_STYLE);
  SetWindowLong(e->hwnd, GWL_STYLE, readOnly ? (style | ES_READONLY) : (style & ~ES_READONLY));
  InvalidateRect(e->hwnd, nullptr, TRUE);
  return TRUE;
}

LRESULT OnSetPasswordChar(Edit* e, UINT ch) {
  if (e->Multiline()) return 0;
  e->passwordChar = ch ? EncodeUtf8(ch) : std::string();
  e->style = ch ? (e->style | ES_PASSWORD) : (e->style & ~ES_PASSWORD);
  LONG style = GetWindowLong(e->hwnd, GWL_STYLE);
  SetWindowLong(e->hwnd, GWL_STYLE, ch ? (style | ES_PASSWORD) : (style & ~ES_PASSWORD));
  Relayout(e);
  ScrollCaretIntoView(e);
  InvalidateRect(e->hwnd, nullptr, TRUE);
  return 0;
}

LRESULT OnGetPasswordChar(const Edit* e) {
  const std::string& p = e->passwordChar;
  if (p.empty()) return 0;
  auto b = [&](size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(p[i])); };
  switch (p.size()) {
    case 1: return b(0);
    case 2: return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    case 3: return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    default: return ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
  }
}

LRESULT OnGetFirstVisibleLine(const Edit* e) {
  if (e->Multiline()) return static_cast<LRESULT>(e->topLine);
  return static_cast<LRESULT>(PositionAtPoint(e, POINT{e->format.left, e->format.top}));
}

LRESULT OnLineScroll(Edit* e, int chars, int lines) {
  if (!e->Multiline()) return FALSE;
  ScrollBy(e, lines, chars * e->averageCharWidth);
  return TRUE;
}

LRESULT OnScrollMessage(Edit* e, WORD code) {
  if (!e->Multiline()) return FALSE;
  size_t before = e->topLine;
  OnScroll(e, WM_VSCROLL, code, 0);
  auto moved = static_cast<int>(e->topLine) - static_cast<int>(before);
  return static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(moved, TRUE)));
}

LRESULT OnSetTabStops(Edit* e, WPARAM count, const int* stops) {
  // Dialog units: four to an average character.
  int average = e->averageCharWidth;
  if (count == 0) e->tabWidth = 8 * average;
  else if (stops) e->tabWidth = std::max(1, *stops * average / 4);
  Relayout(e);
  InvalidateRect(e->hwnd, nullptr, TRUE);
  return TRUE;
}

LRESULT OnSetMargins(Edit* e, WPARAM which, LPARAM margins) {
  if (which & EC_LEFTMARGIN) e->leftMargin = which == EC_USEFONTINFO ? 1 : LOWORD(margins);
  if (which & EC_RIGHTMARGIN) e->rightMargin = which == EC_USEFONTINFO ? 1 : HIWORD(margins);
  ResetFormatRect(e);
  Relayout(e);
  ScrollCaretIntoView(e);
  InvalidateRect(e->hwnd, nullptr, TRUE);
  return 0;
}

LRESULT OnReplaceSel(Edit* e, bool canUndo, const char* text) {
  ReplaceSelection(e, text ? text : "", canUndo, true, true);
  return 0;
}

LRESULT OnCaptureChanged(Edit* e, HWND gaining) {
  if (gaining != e->hwnd) e->selecting = false;
  return 0;
}

template <typename T>
T* Ptr(LPARAM lParam) {
  return reinterpret_cast<T*>(lParam);
}

// The edit messages (EM_*); false when `msg` is none of them.
bool HandleEditRequest(Edit* e, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  LRESULT& r = *result;
  switch (msg) {
    case EM_GETSEL: r = OnGetSel(e, reinterpret_cast<DWORD*>(wParam), Ptr<DWORD>(lParam)); return true;
    case EM_SETSEL: r = OnSetSel(e, static_cast<DWORD>(wParam), static_cast<DWORD>(lParam)); return true;
    case EM_REPLACESEL: r = OnReplaceSel(e, wParam != 0, Ptr<const char>(lParam)); return true;
    case EM_SCROLLCARET: ScrollCaretIntoView(e); r = TRUE; return true;
    case EM_LIMITTEXT: r = OnLimitText(e, static_cast<DWORD>(wParam)); return true;
    case EM_GETLIMITTEXT: r = static_cast<LRESULT>(e->limit); return true;
    case EM_GETRECT: if (lParam) *Ptr<RECT>(lParam) = e->format; r = 0; return true;
    case EM_SETRECT:
    case EM_SETRECTNP: r = OnSetRect(e, Ptr<const RECT>(lParam), msg == EM_SETRECT); return true;
    case EM_GETLINECOUNT: r = static_cast<LRESULT>(e->layout.Count()); return true;
    case EM_LINEINDEX: r = OnLineIndex(e, static_cast<int>(wParam)); return true;
    case EM_LINELENGTH: r = OnLineLength(e, wParam); return true;
    case EM_LINEFROMCHAR: r = static_cast<LRESULT>(LineForIndex(e, wParam)); return true;
    case EM_GETLINE: r = OnGetLine(e, wParam, Ptr<char>(lParam)); return true;
    case EM_CHARFROMPOS: r = OnCharFromPos(e, lParam); return true;
    case EM_POSFROMCHAR: r = OnPosFromChar(e, wParam); return true;
    case EM_GETMODIFY: r = e->modified ? TRUE : FALSE; return true;
    case EM_SETMODIFY: e->modified = wParam != 0; r = 0; return true;
    case EM_CANUNDO: r = e->undo.CanUndo() ? TRUE : FALSE; return true;
    case EM_EMPTYUNDOBUFFER: e->undo.Clear(); r = 0; return true;
    case EM_SETREADONLY: r = OnSetReadOnly(e, wParam != 0); return true;
    case EM_SETPASSWORDCHAR: r = OnSetPasswordChar(e, static_cast<UINT>(wParam)); return true;
    case EM_GETPASSWORDCHAR: r = OnGetPasswordChar(e); return true;
    case EM_GETFIRSTVISIBLELINE: r = OnGetFirstVisibleLine(e); return true;
    case EM_LINESCROLL: r = OnLineScroll(e, static_cast<int>(wParam), static_cast<int>(lParam)); return true;
    case EM_SCROLL: r = OnScrollMessage(e, static_cast<WORD>(wParam)); return true;
    case EM_SETTABSTOPS: r = OnSetTabStops(e, wParam, Ptr<const int>(lParam)); return true;
    case EM_FMTLINES: r = wParam ? TRUE : FALSE; return true;
    case EM_SETMARGINS: r = OnSetMargins(e, wParam, lParam); return true;
    case EM_GETMARGINS: r = static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(e->leftMargin, e->rightMargin))); return true;
    default: return false;
  }
}

}  // namespace

void FlushLayoutBefore(Edit* e, UINT msg, WPARAM wParam) {
  if (!e->layoutStale) return;
  switch (msg) {
    // What a filtering field asks between the characters of a feed.
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case EM_GETSEL:
    case EM_GETMODIFY:
    case EM_GETLIMITTEXT:
    case WM_GETFONT:
    case WM_GETDLGCODE:
      return;
    case WM_CHAR:
      // Typing a character is the deferred work itself; editing keys
      // (Backspace, Ctrl+Backspace, Enter) read the lines.
      if (wParam >= 0x20 && wParam != 0x7F) return;
      break;
    default: break;
  }
  FlushLayout(e);
}

LRESULT HandleEditMessage(Edit* e, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = e->hwnd;
  switch (msg) {
    case WM_CREATE: return OnCreate(e, Ptr<const CREATESTRUCT>(lParam));
    case WM_PAINT: return OnPaint(e);
    case WM_ERASEBKGND: return 1;  // painting fills the background itself
    case WM_SETTEXT: SetText(e, Ptr<const char>(lParam)); return TRUE;
    case WM_GETTEXT: return CopyOut(e->text, 0, e->text.size(), Ptr<char>(lParam), static_cast<size_t>(wParam), true);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(e->text.size());
    case WM_SETFONT: return OnSetFont(e, reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
    case WM_GETFONT: return reinterpret_cast<LRESULT>(e->font);
    case WM_SIZE: return OnSize(e);
    case WM_STYLECHANGED: return OnStyleChanged(e, wParam, Ptr<const STYLESTRUCT>(lParam));
    case WM_SETFOCUS: return OnFocus(e, true);
    case WM_KILLFOCUS: return OnFocus(e, false);
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_GETDLGCODE: return OnGetDlgCode(e);
    case WM_CHAR: OnChar(e, wParam); return 0;
    case WM_KEYDOWN: OnKeyDown(e, static_cast<UINT>(wParam)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE: OnMouse(e, msg, wParam, PointOf(lParam)); return 0;
    case WM_CAPTURECHANGED: return OnCaptureChanged(e, reinterpret_cast<HWND>(lParam));
    case WM_VSCROLL:
    case WM_HSCROLL: return OnScroll(e, msg, LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
    case WM_MOUSEWHEEL: return OnMouseWheel(e, wParam, lParam);
    case WM_CONTEXTMENU: return OnContextMenuMessage(e, wParam, lParam);
    case WM_CUT: Cut(e); return 0;
    case WM_COPY: Copy(e); return 0;
    case WM_PASTE: Paste(e); return 0;
    case WM_CLEAR: Clear(e); return 0;
    case WM_UNDO:
    case EM_UNDO: return Undo(e) ? TRUE : FALSE;
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_ENDCOMPOSITION: return 0;
    case WM_IME_COMPOSITION: return OnImeComposition(e, wParam, lParam);
    default: break;
  }
  LRESULT result = 0;
  if (HandleEditRequest(e, msg, wParam, lParam, &result)) return result;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

}  // namespace nbp::user::edit
