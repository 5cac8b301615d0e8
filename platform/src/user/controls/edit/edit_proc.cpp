// The edit control's window procedure and its model operations: replacing
// the selection (with the text limit and single-level undo), setting the
// text and selection, the clipboard, and the notifications to the parent.
// Each window message has its handler in edit_messages.cpp.
#include <algorithm>

#include "nbp/desktop.h"
#include "user/controls/edit/edit_control.h"
#include "user/window/system_classes.h"
#include "win/gdi.h"
#include "win/richedit.h"

namespace nbp::user::edit {
namespace {

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

// EN_UPDATE, then EN_CHANGE. The change is painted with the next paint
// cycle, not here: painting after each of many characters arriving at once
// (a long input-method commit typed as characters) made them cost the square
// of their number.
void NotifyChanged(Edit* e) {
  if (!Notify(e, EN_UPDATE)) return;
  Notify(e, EN_CHANGE);
}

}  // namespace

std::string ApplyCase(const Edit* e, std::string text) {
  if (e->style & ES_UPPERCASE) return ToUpper(text);
  if (e->style & ES_LOWERCASE) return ToLower(text);
  return text;
}

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
  bool defer = e->deferLayout && !bounded;  // a bounded change must be measured to be refused
  if (defer) {
    e->layoutStale = true;
  } else {
    if (e->layoutStale) Relayout(e);  // the caret is placed below
    else e->layout.Update(e->text, from, removed.size(), insert.size(), DcMeasurer(e));
  }
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
  if (defer) InvalidateRect(e->hwnd, nullptr, FALSE);
  else AfterChange(e);
  if (maxed && !Notify(e, EN_MAXTEXT)) return true;
  if (notify) NotifyChanged(e);
  return true;
}

void FlushLayout(Edit* e) {
  Relayout(e);
  AfterChange(e);
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
  FlushLayoutBefore(e, msg, wParam);
  return HandleEditMessage(e, msg, wParam, lParam);
}

}  // namespace nbp::user
