// What the user does to an edit control: typed characters (WM_CHAR bytes
// assembled into whole UTF-8 characters), editing and moving keys, the mouse,
// and the scroll bars.
#include <cstring>
#include <string>

#include "nbp/desktop.h"
#include "nbp/utf8_step.h"
#include "user/controls/edit/edit_control.h"

namespace nbp::user::edit {
namespace {

bool Down(int vk) { return GetKeyState(vk) < 0; }

// The dialog manager takes Enter for the default button; an edit inside a
// dialog breaks lines on Enter only with ES_WANTRETURN.
bool InDialog(const Edit* e) {
  char name[16] = {};
  HWND parent = GetParent(e->hwnd);
  return parent && GetClassName(parent, name, sizeof name) > 0 && std::strcmp(name, "#32770") == 0;
}

bool Alive(HWND hwnd, const Edit* e) { return IsWindow(hwnd) && EditOf(hwnd) == e; }

// Removes [from, to) as the user's deletion: undoable, notified.
void DeleteRange(Edit* e, size_t from, size_t to) {
  if (from == to) return;
  e->anchor = from;
  e->caret = to;
  ReplaceSelection(e, std::string(), true, true, true);
}

void Type(Edit* e, std::string ch) {
  if (e->ReadOnly()) {
    MessageBeep(MB_OK);
    return;
  }
  if ((e->style & ES_NUMBER) && !(ch.size() == 1 && ch[0] >= '0' && ch[0] <= '9')) {
    MessageBeep(MB_OK);
    return;
  }
  // A rich edit asked to (SES_BEEPONMAXTEXT) beeps when a character would go past its limit.
  if (e->rich && e->beepOnMaxText && e->text.size() - (e->SelEnd() - e->SelStart()) + ch.size() > e->limit)
    MessageBeep(MB_OK);
  ReplaceSelection(e, std::move(ch), true, true, true);
}

void BreakLine(Edit* e) {
  if (!e->ReadOnly()) {
    ReplaceSelection(e, "\r\n", true, true, true);
    return;
  }
  // Read-only: Enter moves to the start of the next line.
  size_t line = e->layout.LineOf(e->caret, e->afterWrap);
  if (line + 1 < e->layout.Count()) SetSelection(e, e->layout.At(line + 1).start, e->layout.At(line + 1).start);
  ScrollCaretIntoView(e);
}

void Backspace(Edit* e, bool word) {
  if (e->ReadOnly()) return;
  if (e->SelStart() != e->SelEnd()) {
    Clear(e);
    return;
  }
  size_t from = PrevPosition(e->text, e->caret);
  if (word) {
    const Line& l = e->layout.At(e->layout.LineOf(e->caret, e->afterWrap));
    if (e->caret > l.start) from = WordStartBefore(e->text, l.start, e->caret);
  }
  DeleteRange(e, from, e->caret);
}

// Ctrl+Left: the start of the word before; at a line's start, the end of the line before.
size_t WordLeft(const Edit* e) {
  size_t line = e->layout.LineOf(e->caret, e->afterWrap);
  const Line& l = e->layout.At(line);
  if (e->caret > l.start) return WordStartBefore(e->text, l.start, e->caret);
  if (line == 0) return e->caret;
  const Line& prev = e->layout.At(line - 1);
  return prev.End() != e->caret ? prev.End() : WordStartBefore(e->text, prev.start, e->caret);
}

// Ctrl+Right: the start of the next word; at a line's end, the start of the next line.
size_t WordRight(const Edit* e) {
  size_t line = e->layout.LineOf(e->caret, e->afterWrap);
  const Line& l = e->layout.At(line);
  if (e->caret < l.End()) return WordStartAfter(e->text, l.End(), e->caret);
  return line + 1 < e->layout.Count() ? e->layout.At(line + 1).start : e->caret;
}

}  // namespace

void OnChar(Edit* e, WPARAM ch) {
  if (ch > 0xFF) {
    // A code point sent whole (not by the keyboard, which sends bytes).
    e->pendingChar.clear();
    if (ch >= 0x20) Type(e, EncodeUtf8(static_cast<unsigned>(ch)));
    return;
  }
  auto c = static_cast<unsigned char>(ch);
  if (c >= 0x80) {
    if (IsContinuation(c)) {
      if (e->pendingChar.empty()) return;  // a stray continuation byte
      e->pendingChar += static_cast<char>(c);
      if (--e->pendingNeed == 0) {
        std::string whole;
        whole.swap(e->pendingChar);
        Type(e, std::move(whole));
      }
      return;
    }
    e->pendingChar.assign(1, static_cast<char>(c));
    e->pendingNeed = nbp::utf8::LeadLength(c) - 1;
    if (e->pendingNeed == 0) e->pendingChar.clear();  // not a lead byte
    return;
  }
  e->pendingChar.clear();
  switch (c) {
    case 0x08: Backspace(e, false); return;
    case 0x7F: Backspace(e, true); return;  // Ctrl+Backspace
    case '\t':
      if (e->Multiline() && !e->ReadOnly()) ReplaceSelection(e, "\t", true, true, true);
      return;
    case '\r':
      if (e->Multiline() && ((e->style & ES_WANTRETURN) || !InDialog(e))) BreakLine(e);
      return;
    case '\n':  // Ctrl+Enter
      if (e->Multiline()) BreakLine(e);
      return;
    case 0x01: SetSelection(e, 0, e->text.size()); return;  // Ctrl+A
    case 0x03: Copy(e); return;                              // Ctrl+C
    case 0x16: Paste(e); return;                             // Ctrl+V
    case 0x18: Cut(e); return;                               // Ctrl+X
    case 0x1A: Undo(e); return;                              // Ctrl+Z
    default:
      if (c >= 0x20) Type(e, std::string(1, static_cast<char>(c)));
      return;
  }
}

void OnKeyDown(Edit* e, UINT vk) {
  bool shift = Down(VK_SHIFT), ctrl = Down(VK_CONTROL);
  auto move = [&](size_t pos, bool afterWrap = false) {
    SetSelection(e, shift ? e->anchor : pos, pos, afterWrap);
    ScrollCaretIntoView(e);
  };
  // Up and Down move between lines by the caret's x.
  auto moveLines = [&](int delta) {
    size_t line = e->layout.LineOf(e->caret, e->afterWrap);
    long long target = static_cast<long long>(line) + delta;
    target = target < 0 ? 0 : target >= static_cast<long long>(e->layout.Count()) ? static_cast<long long>(e->layout.Count()) - 1 : target;
    if (static_cast<size_t>(target) == line) {
      move(e->caret, e->afterWrap);
      return;
    }
    POINT p = PointOfPosition(e, e->caret, e->afterWrap);
    p.y = LineTop(e, static_cast<size_t>(target));
    bool afterWrap = false;
    size_t pos = PositionAtPoint(e, p, false, &afterWrap);
    move(pos, afterWrap);
  };
  size_t caretLine = e->layout.LineOf(e->caret, e->afterWrap);
  const Line& l = e->layout.At(caretLine);
  bool wrapsHere = l.breakLength == 0 && caretLine + 1 < e->layout.Count();
  switch (vk) {
    case VK_LEFT: move(ctrl ? WordLeft(e) : PrevPosition(e->text, e->caret)); return;
    case VK_RIGHT: move(ctrl ? WordRight(e) : NextPosition(e->text, e->caret)); return;
    case VK_UP:
      if (!e->Multiline()) move(ctrl ? WordLeft(e) : PrevPosition(e->text, e->caret));
      else moveLines(-1);
      return;
    case VK_DOWN:
      if (!e->Multiline()) move(ctrl ? WordRight(e) : NextPosition(e->text, e->caret));
      else moveLines(1);
      return;
    case VK_HOME: move(ctrl || !e->Multiline() ? 0 : l.start); return;
    case VK_END:
      if (ctrl || !e->Multiline()) move(e->text.size());
      else move(l.End(), wrapsHere);
      return;
    case VK_PRIOR:
    case VK_NEXT: {
      if (!e->Multiline()) return;
      int page = static_cast<int>(VisibleLines(e));
      int delta = vk == VK_PRIOR ? -page : page;
      ScrollBy(e, delta, 0);
      moveLines(delta);
      return;
    }
    case VK_DELETE: {
      if (e->ReadOnly()) return;
      if (e->SelStart() != e->SelEnd()) {
        if (shift) Cut(e);
        else Clear(e);
      } else if (shift) {
        Backspace(e, false);
      } else if (ctrl) {
        DeleteRange(e, e->caret, l.End());  // to the end of the line
      } else {
        DeleteRange(e, e->caret, NextPosition(e->text, e->caret));
      }
      return;
    }
    case VK_INSERT:
      if (shift) Paste(e);
      else if (ctrl) Copy(e);
      return;
    default:
      return;
  }
}

void OnMouse(Edit* e, UINT msg, WPARAM flags, POINT p) {
  HWND hwnd = e->hwnd;
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (GetFocus() != hwnd) {
        SetFocus(hwnd);
        if (!Alive(hwnd, e)) return;
      }
      SetCapture(hwnd);
      e->selecting = true;
      if (msg == WM_LBUTTONDBLCLK) {
        // A password shows no words, so a double click takes it all.
        if (!e->passwordChar.empty()) {
          SetSelection(e, 0, e->text.size());
        } else {
          size_t line = 0;
          size_t pos = PositionAtPoint(e, p, true, nullptr, &line);
          const Line& l = e->layout.At(line);
          if (pos >= l.End() && pos > l.start) pos = PrevChar(e->text, l.End());
          Range word = WordAt(e->text, l.start, l.End(), pos);
          SetSelection(e, word.start, word.end);
        }
      } else {
        bool afterWrap = false;
        size_t pos = PositionAtPoint(e, p, false, &afterWrap);
        SetSelection(e, (flags & MK_SHIFT) ? e->anchor : pos, pos, afterWrap);
      }
      ScrollCaretIntoView(e);
      return;
    }
    case WM_MOUSEMOVE: {
      if (!e->selecting || GetCapture() != hwnd) return;
      bool afterWrap = false;
      size_t pos = PositionAtPoint(e, p, false, &afterWrap);
      SetSelection(e, e->anchor, pos, afterWrap);
      ScrollCaretIntoView(e);
      return;
    }
    case WM_LBUTTONUP:
      if (!e->selecting) return;
      e->selecting = false;
      if (GetCapture() == hwnd) ReleaseCapture();
      return;
    default:
      return;
  }
}

// The edit control's own context menu; its commands are the messages of the
// same numbers, as the window system's menu has them.
void OnContextMenu(Edit* e, POINT screen) {
  HWND hwnd = e->hwnd;
  bool selection = e->SelStart() != e->SelEnd();
  bool hidden = !e->passwordChar.empty();
  std::string clipboard;
  bool canPaste = nbp::CurrentDesktop().GetClipboardText(&clipboard) && !clipboard.empty();
  auto state = [](bool enabled) { return MF_STRING | (enabled ? 0u : static_cast<UINT>(MF_GRAYED)); };
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, state(e->undo.CanUndo() && !e->ReadOnly()), EM_UNDO, "&Undo");
  AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenu(menu, state(selection && !hidden && !e->ReadOnly()), WM_CUT, "Cu&t");
  AppendMenu(menu, state(selection && !hidden), WM_COPY, "&Copy");
  AppendMenu(menu, state(canPaste && !e->ReadOnly()), WM_PASTE, "&Paste");
  AppendMenu(menu, state(selection && !e->ReadOnly()), WM_CLEAR, "&Delete");
  AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenu(menu, state(e->SelStart() > 0 || e->SelEnd() < e->text.size()), EM_SETSEL, "Select &All");
  if (screen.x == -1 && screen.y == -1) {
    // From the keyboard: at the caret.
    screen = PointOfPosition(e, e->caret, e->afterWrap);
    screen.y += e->lineHeight;
    ClientToScreen(hwnd, &screen);
  }
  if (GetFocus() != hwnd) SetFocus(hwnd);
  UINT command = static_cast<UINT>(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                                                  screen.x, screen.y, 0, hwnd, nullptr));
  DestroyMenu(menu);
  if (!Alive(hwnd, e)) return;
  if (command == EM_SETSEL) SendMessage(hwnd, EM_SETSEL, 0, -1);
  else if (command) SendMessage(hwnd, command, 0, 0);
}

LRESULT OnScroll(Edit* e, UINT msg, WORD code, int pos) {
  bool vertical = msg == WM_VSCROLL;
  if (vertical && !e->Multiline()) return 0;
  int page = vertical ? static_cast<int>(VisibleLines(e)) : std::max(1, e->format.right - e->format.left);
  int step = vertical ? 1 : e->averageCharWidth;
  int current = vertical ? static_cast<int>(e->topLine) : e->xOffset;
  int delta = 0;
  switch (code) {
    case SB_LINEUP: delta = -step; break;
    case SB_LINEDOWN: delta = step; break;
    case SB_PAGEUP: delta = -page; break;
    case SB_PAGEDOWN: delta = page; break;
    case SB_TOP: delta = -current; break;
    case SB_BOTTOM: delta = vertical ? static_cast<int>(e->layout.Count()) : e->layout.MaxWidth(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: delta = pos - current; break;
    default: return 0;  // SB_ENDSCROLL
  }
  // The parent hears of the user's scrolling before the control repaints.
  if (!Notify(e, vertical ? EN_VSCROLL : EN_HSCROLL)) return 0;
  ScrollBy(e, vertical ? delta : 0, vertical ? 0 : delta);
  return 0;
}

}  // namespace nbp::user::edit
