// The edit control's window procedure and its model operations: replacing
// the selection (with the text limit and single-level undo), setting the
// text and selection, the clipboard, and the notifications to the parent.
#include <algorithm>
#include <cstring>

#include "nbp/desktop.h"
#include "user/controls/edit/edit_control.h"
#include "user/window/system_classes.h"
#include "win/gdi.h"
#include "win/imm.h"
#include "win/richedit.h"

namespace nbp::user::edit {
namespace {

constexpr size_t kMaxSingleLineLimit = 0x7FFFFFFE;
constexpr size_t kMaxMultiLineLimit = 0xFFFFFFFF;
constexpr size_t kRichDefaultMaxLimit = 65536;

// Without automatic scrolling the visible area bounds what the user may add.
bool ExceedsView(const Edit* e) {
  if (e->rich) return false;
  if (!e->Multiline()) return !(e->style & ES_AUTOHSCROLL) && e->layout.At(0).width > e->format.right - e->format.left;
  return !(e->style & ES_AUTOVSCROLL) && e->layout.Count() > VisibleLines(e);
}

void AfterChange(Edit* e) {
  ScrollCaretIntoView(e);
  UpdateScrollBars(e);
  InvalidateRect(e->hwnd, nullptr, FALSE);
}

// EN_UPDATE before the control repaints, EN_CHANGE once it shows the change.
void NotifyChanged(Edit* e) {
  HWND hwnd = e->hwnd;
  if (!Notify(e, EN_UPDATE)) return;
  UpdateWindow(hwnd);
  Notify(e, EN_CHANGE);
}

std::string ApplyCase(const Edit* e, std::string text) {
  if (e->style & ES_UPPERCASE) return ToUpper(text);
  if (e->style & ES_LOWERCASE) return ToLower(text);
  return text;
}

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

void OnFocus(Edit* e, bool gained) {
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
}

void SetPasswordChar(Edit* e, UINT ch) {
  if (e->Multiline()) return;
  e->passwordChar = ch ? EncodeUtf8(ch) : std::string();
  e->style = ch ? (e->style | ES_PASSWORD) : (e->style & ~ES_PASSWORD);
  LONG style = GetWindowLong(e->hwnd, GWL_STYLE);
  SetWindowLong(e->hwnd, GWL_STYLE, ch ? (style | ES_PASSWORD) : (style & ~ES_PASSWORD));
  Relayout(e);
  ScrollCaretIntoView(e);
  InvalidateRect(e->hwnd, nullptr, TRUE);
}

UINT PasswordCharCode(const Edit* e) {
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

// The text an input method finished composing arrives as typed text.
void OnImeComposition(Edit* e, LPARAM flags) {
  if (!(flags & GCS_RESULTSTR)) return;
  HIMC imc = ImmGetContext(e->hwnd);
  LONG size = ImmGetCompositionStringA(imc, GCS_RESULTSTR, nullptr, 0);
  std::string result(static_cast<size_t>(std::max<LONG>(size, 0)), '\0');
  if (size > 0) ImmGetCompositionStringA(imc, GCS_RESULTSTR, result.data(), static_cast<DWORD>(size));
  ImmReleaseContext(e->hwnd, imc);
  if (result.empty()) return;
  if (e->ReadOnly()) {
    MessageBeep(MB_OK);
    return;
  }
  ReplaceSelection(e, std::move(result), true, true, true);
}

}  // namespace

Edit* EditOf(HWND hwnd) { return ControlState<Edit>(hwnd); }

Edit* CreateEdit(HWND hwnd, const CREATESTRUCT* cs, bool rich) {
  Edit* e = CreateControlState<Edit>(hwnd);
  e->hwnd = hwnd;
  e->rich = rich;
  DWORD style = cs ? static_cast<DWORD>(cs->style) : 0;
  if (style & ES_MULTILINE) {
    // Scroll bars imply scrolling; a password is never shown on many lines.
    if (style & WS_VSCROLL) style |= ES_AUTOVSCROLL;
    if (style & WS_HSCROLL) style |= ES_AUTOHSCROLL;
    style &= ~ES_PASSWORD;
  } else if (style & ES_RIGHT) {
    style &= ~ES_CENTER;
  }
  e->style = style & 0xFFFF;
  if (e->style & ES_PASSWORD) e->passwordChar = "*";
  e->limit = rich ? 32767 : 30000;
  e->measureDc = CreateCompatibleDC(nullptr);
  ApplyFont(e, nullptr);
  return e;
}

void DestroyEdit(HWND hwnd) {
  Edit* e = EditOf(hwnd);
  if (!e) return;
  if (e->focused) DestroyCaret();
  SelectObject(e->measureDc, GetStockObject(SYSTEM_FONT));
  DeleteDC(e->measureDc);
  DeleteControlState<Edit>(hwnd);
}

bool Notify(Edit* e, WORD code) {
  if (e->rich) {
    DWORD need = code == EN_CHANGE ? ENM_CHANGE : code == EN_UPDATE ? ENM_UPDATE
               : (code == EN_VSCROLL || code == EN_HSCROLL) ? ENM_SCROLL : 0;
    if (need && !(e->eventMask & need)) return true;
  }
  HWND hwnd = e->hwnd;
  HWND parent = GetParent(hwnd);
  if (!parent) return true;
  SendMessage(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
  return IsWindow(hwnd) && EditOf(hwnd) == e;
}

void SetSelection(Edit* e, size_t anchor, size_t caret, bool afterWrap) {
  anchor = SnapToChar(e->text, anchor);
  caret = SnapToChar(e->text, caret);
  bool hadSelection = e->anchor != e->caret;
  bool changed = e->anchor != anchor || e->caret != caret;
  e->anchor = anchor;
  e->caret = caret;
  e->afterWrap = afterWrap;
  if (changed && (hadSelection || anchor != caret)) InvalidateRect(e->hwnd, nullptr, FALSE);
  UpdateCaret(e);
}

bool ReplaceSelection(Edit* e, std::string insert, bool canUndo, bool honorLimit, bool notify) {
  insert = ApplyCase(e, std::move(insert));
  size_t from = e->SelStart(), to = e->SelEnd();
  size_t kept = e->text.size() - (to - from);
  bool maxed = false;
  if (honorLimit && kept + insert.size() > e->limit) {
    // What does not fit is cut off, and the parent learns of it.
    maxed = true;
    insert.resize(FitBytes(insert, e->limit > kept ? e->limit - kept : 0));
  }
  if (insert.empty() && from == to) {
    if (maxed) Notify(e, EN_MAXTEXT);
    return false;
  }
  std::string removed = e->text.substr(from, to - from);
  // Only a change the visible area may refuse needs the undo step kept.
  bool bounded = honorLimit && !e->rich && !(e->style & (e->Multiline() ? ES_AUTOVSCROLL : ES_AUTOHSCROLL));
  UndoBuffer before;
  if (bounded) before = e->undo;
  if (canUndo) {
    e->undo.RecordDelete(from, removed);
    e->undo.RecordInsert(from, insert.size());
  } else {
    e->undo.Clear();
  }
  e->text.replace(from, to - from, insert);
  e->layout.Update(e->text, from, removed.size(), insert.size(), DcMeasurer(e));
  if (bounded && ExceedsView(e)) {
    e->text.replace(from, insert.size(), removed);
    e->layout.Update(e->text, from, insert.size(), removed.size(), DcMeasurer(e));
    e->undo = before;
    Notify(e, EN_MAXTEXT);
    return false;
  }
  e->anchor = e->caret = from + insert.size();
  e->afterWrap = false;
  e->modified = true;
  AfterChange(e);
  if (maxed && !Notify(e, EN_MAXTEXT)) return true;
  if (notify) NotifyChanged(e);
  return true;
}

void SetText(Edit* e, const char* text) {
  e->undo.Clear();
  e->text = ApplyCase(e, text ? text : "");
  e->anchor = e->caret = 0;
  e->afterWrap = false;
  e->topLine = 0;
  e->xOffset = 0;
  e->modified = false;
  Relayout(e);
  AfterChange(e);
  // A multi-line edit keeps quiet about text set by its owner.
  if (!e->Multiline() || e->rich) NotifyChanged(e);
}

bool Undo(Edit* e) {
  if (!e->undo.CanUndo() || e->ReadOnly()) return false;
  std::string restore = e->undo.Deleted();
  size_t pos = std::min(e->undo.Position(), e->text.size());
  size_t end = std::min(pos + e->undo.InsertCount(), e->text.size());
  e->anchor = pos;
  e->caret = end;
  e->undo.Clear();
  // Undoing records the reverse step, so undoing again redoes.
  HWND hwnd = e->hwnd;
  ReplaceSelection(e, restore, true, true, false);
  if (!IsWindow(hwnd) || EditOf(hwnd) != e) return true;
  e->anchor = e->undo.Position();
  e->caret = std::min(e->undo.Position() + e->undo.InsertCount(), e->text.size());
  AfterChange(e);
  NotifyChanged(e);
  return true;
}

void Copy(Edit* e) {
  if (!e->passwordChar.empty() || e->SelStart() == e->SelEnd()) return;
  nbp::CurrentDesktop().SetClipboardText(e->text.substr(e->SelStart(), e->SelEnd() - e->SelStart()));
}

void Clear(Edit* e) {
  if (e->ReadOnly() || e->SelStart() == e->SelEnd()) return;
  ReplaceSelection(e, std::string(), true, true, true);
}

void Cut(Edit* e) {
  // A password never leaves its field.
  if (!e->passwordChar.empty()) return;
  Copy(e);
  Clear(e);
}

void Paste(Edit* e) {
  if (e->ReadOnly()) return;
  std::string text;
  if (!nbp::CurrentDesktop().GetClipboardText(&text) || text.empty()) return;
  // A single-line edit takes the clipboard's first line.
  if (!e->Multiline()) text.resize(FindBreak(text, 0));
  ReplaceSelection(e, std::move(text), true, true, true);
}

LRESULT HandleEditMessage(Edit* e, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = e->hwnd;
  switch (msg) {
    case WM_CREATE: {
      auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
      ResetFormatRect(e);
      if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) e->text = ApplyCase(e, cs->lpszName);
      Relayout(e);
      UpdateScrollBars(e);
      return 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (dc) Paint(e, dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;  // painting fills the background itself
    case WM_SETTEXT: SetText(e, reinterpret_cast<const char*>(lParam)); return TRUE;
    case WM_GETTEXT:
      return CopyOut(e->text, 0, e->text.size(), reinterpret_cast<char*>(lParam), static_cast<size_t>(wParam), true);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(e->text.size());
    case WM_SETFONT:
      ApplyFont(e, reinterpret_cast<HFONT>(wParam));
      ResetFormatRect(e);
      Relayout(e);
      if (e->focused) {
        CreateCaret(hwnd, nullptr, 1, e->lineHeight);
        ShowCaret(hwnd);
      }
      ScrollCaretIntoView(e);
      UpdateScrollBars(e);
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(e->font);
    case WM_SIZE:
      ResetFormatRect(e);
      Relayout(e);
      ScrollCaretIntoView(e);
      UpdateScrollBars(e);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_STYLECHANGED:
      if (static_cast<int>(wParam) == GWL_STYLE && lParam) {
        // The owner may switch these at any time; the rest are fixed at creation.
        const DWORD live = ES_NUMBER | ES_UPPERCASE | ES_LOWERCASE | ES_READONLY | ES_NOHIDESEL | ES_WANTRETURN;
        DWORD now = reinterpret_cast<const STYLESTRUCT*>(lParam)->styleNew;
        e->style = (e->style & ~live) | (now & live);
        InvalidateRect(hwnd, nullptr, TRUE);
      }
      return 0;
    case WM_SETFOCUS: OnFocus(e, true); return 0;
    case WM_KILLFOCUS: OnFocus(e, false); return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | (e->Multiline() ? DLGC_WANTALLKEYS : 0);
    case WM_CHAR: OnChar(e, wParam); return 0;
    case WM_KEYDOWN: OnKeyDown(e, static_cast<UINT>(wParam)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
      OnMouse(e, msg, wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != hwnd) e->selecting = false;
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL: return OnScroll(e, msg, LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
    case WM_MOUSEWHEEL: {
      if (!e->Multiline()) return DefWindowProc(hwnd, msg, wParam, lParam);
      int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
      if (notches && ScrollBy(e, -3 * notches, 0)) Notify(e, EN_VSCROLL);
      return 0;
    }
    case WM_CONTEXTMENU:
      // The rich edit control leaves its menu to the parent.
      if (e->rich) return DefWindowProc(hwnd, msg, wParam, lParam);
      OnContextMenu(e, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_CUT: Cut(e); return 0;
    case WM_COPY: Copy(e); return 0;
    case WM_PASTE: Paste(e); return 0;
    case WM_CLEAR: Clear(e); return 0;
    case WM_UNDO:
    case EM_UNDO: return Undo(e) ? TRUE : FALSE;
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_ENDCOMPOSITION: return 0;
    case WM_IME_COMPOSITION: OnImeComposition(e, lParam); return 0;

    case EM_GETSEL: {
      auto start = static_cast<DWORD>(e->SelStart()), end = static_cast<DWORD>(e->SelEnd());
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = start;
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = end;
      return start > 0xFFFF || end > 0xFFFF ? -1 : static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(start, end)));
    }
    case EM_SETSEL: {
      auto start = static_cast<DWORD>(wParam), end = static_cast<DWORD>(lParam);
      // A start of -1 drops the selection and leaves the caret where it is.
      if (start == 0xFFFFFFFF) SetSelection(e, e->caret, e->caret);
      else SetSelection(e, std::min<size_t>(start, e->text.size()), std::min<size_t>(end, e->text.size()));
      return 0;
    }
    case EM_REPLACESEL:
      ReplaceSelection(e, reinterpret_cast<const char*>(lParam) ? reinterpret_cast<const char*>(lParam) : "",
                       wParam != 0, true, true);
      return 0;
    case EM_SCROLLCARET: ScrollCaretIntoView(e); return TRUE;
    case EM_LIMITTEXT: {
      size_t limit = static_cast<DWORD>(wParam);
      if (limit == 0) limit = e->rich ? kRichDefaultMaxLimit : e->Multiline() ? kMaxMultiLineLimit : kMaxSingleLineLimit;
      e->limit = limit;
      return 0;
    }
    case EM_GETLIMITTEXT: return static_cast<LRESULT>(e->limit);
    case EM_GETRECT:
      if (lParam) *reinterpret_cast<RECT*>(lParam) = e->format;
      return 0;
    case EM_SETRECT:
    case EM_SETRECTNP: {
      if (lParam) {
        const RECT& r = *reinterpret_cast<const RECT*>(lParam);
        SetFormatRect(e, r);
      } else {
        ResetFormatRect(e);
      }
      Relayout(e);
      ScrollCaretIntoView(e);
      UpdateScrollBars(e);
      if (msg == EM_SETRECT) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    }
    case EM_GETLINECOUNT: return static_cast<LRESULT>(e->layout.Count());
    case EM_LINEINDEX: {
      auto line = static_cast<int>(wParam);
      size_t index = line < 0 ? e->layout.LineOf(e->caret, e->afterWrap) : static_cast<size_t>(line);
      return index < e->layout.Count() ? static_cast<LRESULT>(e->layout.At(index).start) : -1;
    }
    case EM_LINELENGTH: {
      if (static_cast<int>(wParam) < 0) {
        // The unselected characters on the lines the selection touches.
        const Line& first = e->layout.At(e->layout.LineOf(e->SelStart()));
        const Line& last = e->layout.At(e->layout.LineOf(e->SelEnd()));
        return static_cast<LRESULT>((e->SelStart() - first.start) + (last.End() - std::min(e->SelEnd(), last.End())));
      }
      return static_cast<LRESULT>(e->layout.At(LineForIndex(e, wParam)).length);
    }
    case EM_LINEFROMCHAR: return static_cast<LRESULT>(LineForIndex(e, wParam));
    case EM_GETLINE: {
      auto* buffer = reinterpret_cast<char*>(lParam);
      if (!buffer) return 0;
      size_t room = *reinterpret_cast<const WORD*>(buffer);
      size_t line = e->Multiline() ? static_cast<size_t>(static_cast<DWORD>(wParam)) : 0;
      if (line >= e->layout.Count()) return 0;
      const Line& l = e->layout.At(line);
      return CopyOut(e->text, l.start, l.length, buffer, room, false);
    }
    case EM_CHARFROMPOS: {
      size_t line = 0;
      size_t pos = PositionAtPoint(e, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, false, nullptr, &line);
      return static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(pos, line)));
    }
    case EM_POSFROMCHAR: {
      if (static_cast<size_t>(static_cast<DWORD>(wParam)) >= e->text.size()) return -1;
      POINT p = PointOfPosition(e, SnapToChar(e->text, static_cast<DWORD>(wParam)), false);
      return static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(p.x, p.y)));
    }
    case EM_GETMODIFY: return e->modified ? TRUE : FALSE;
    case EM_SETMODIFY: e->modified = wParam != 0; return 0;
    case EM_CANUNDO: return e->undo.CanUndo() ? TRUE : FALSE;
    case EM_EMPTYUNDOBUFFER: e->undo.Clear(); return 0;
    case EM_SETREADONLY: {
      e->style = wParam ? (e->style | ES_READONLY) : (e->style & ~ES_READONLY);
      LONG style = GetWindowLong(hwnd, GWL_STYLE);
      SetWindowLong(hwnd, GWL_STYLE, wParam ? (style | ES_READONLY) : (style & ~ES_READONLY));
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case EM_SETPASSWORDCHAR: SetPasswordChar(e, static_cast<UINT>(wParam)); return 0;
    case EM_GETPASSWORDCHAR: return static_cast<LRESULT>(PasswordCharCode(e));
    case EM_GETFIRSTVISIBLELINE:
      if (e->Multiline()) return static_cast<LRESULT>(e->topLine);
      return static_cast<LRESULT>(PositionAtPoint(e, POINT{e->format.left, e->format.top}));
    case EM_LINESCROLL:
      if (!e->Multiline()) return FALSE;
      ScrollBy(e, static_cast<int>(lParam), static_cast<int>(wParam) * e->averageCharWidth);
      return TRUE;
    case EM_SCROLL: {
      if (!e->Multiline()) return FALSE;
      size_t before = e->topLine;
      OnScroll(e, WM_VSCROLL, static_cast<WORD>(wParam), 0);
      auto moved = static_cast<int>(e->topLine) - static_cast<int>(before);
      return static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(moved, TRUE)));
    }
    case EM_SETTABSTOPS: {
      // Dialog units: four to an average character.
      int average = e->averageCharWidth;
      if (wParam == 0) e->tabWidth = 8 * average;
      else if (lParam) e->tabWidth = std::max(1, *reinterpret_cast<const int*>(lParam) * average / 4);
      Relayout(e);
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case EM_FMTLINES: return wParam ? TRUE : FALSE;
    case EM_SETMARGINS:
      if (wParam & EC_LEFTMARGIN) e->leftMargin = wParam == EC_USEFONTINFO ? 1 : LOWORD(lParam);
      if (wParam & EC_RIGHTMARGIN) e->rightMargin = wParam == EC_USEFONTINFO ? 1 : HIWORD(lParam);
      ResetFormatRect(e);
      Relayout(e);
      ScrollCaretIntoView(e);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case EM_GETMARGINS: return static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(e->leftMargin, e->rightMargin)));
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace nbp::user::edit

namespace nbp::user {

LRESULT EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  using namespace edit;
  if (msg == WM_NCCREATE) {
    CreateEdit(hwnd, reinterpret_cast<const CREATESTRUCT*>(lParam), false);
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  Edit* e = EditOf(hwnd);
  if (!e) return DefWindowProc(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    DestroyEdit(hwnd);
    return 0;
  }
  return HandleEditMessage(e, msg, wParam, lParam);
}

}  // namespace nbp::user
