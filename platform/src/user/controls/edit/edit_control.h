// The edit control's state and the functions its files share: the window
// procedure (edit_proc.cpp), user input (edit_input.cpp), geometry and
// scrolling (edit_view.cpp) and painting (edit_paint.cpp). The rich edit
// control (richedit_control.cpp) is the same control with a few differences
// of its own.
#pragma once

#include <string>
#include <vector>

#include "user/controls/edit/edit_layout.h"
#include "user/controls/edit/edit_text.h"
#include "win/controls.h"
#include "win/user.h"

namespace nbp::user::edit {

struct Edit {
  HWND hwnd = nullptr;
  bool rich = false;
  // Rich edit only: beep when a character would pass the limit
  // (SES_BEEPONMAXTEXT, off by default as in the rich edit control).
  bool beepOnMaxText = false;
  DWORD style = 0;  // the ES_* bits as the control applies them

  std::string text;
  size_t anchor = 0;  // where the selection started; it extends from here
  size_t caret = 0;   // the selection's moving end
  bool afterWrap = false;  // the caret shows at the end of a wrapped line, not the start of the next
  UndoBuffer undo;
  bool modified = false;
  size_t limit = 30000;
  std::string passwordChar;  // UTF-8 of the character shown instead of each character; empty: none

  HFONT font = nullptr;
  HDC measureDc = nullptr;  // a memory DC with the font selected, for measuring
  int lineHeight = 16;
  int averageCharWidth = 4;
  int tabWidth = 32;
  int leftMargin = 1;
  int rightMargin = 1;
  RECT format{};            // the formatting rectangle, client coordinates
  Layout layout;
  // While an input method's result is fed through a subclassed control one
  // character at a time, the lines are measured once at the end instead of
  // after every character (`layoutStale` until then).
  bool deferLayout = false;
  bool layoutStale = false;
  size_t topLine = 0;       // first visible line (multi-line)
  int xOffset = 0;          // pixels scrolled to the left

  bool focused = false;
  bool selecting = false;   // the mouse is dragging a selection
  std::string pendingChar;  // WM_CHAR bytes of a character not yet complete
  size_t pendingNeed = 0;

  // Rich edit only.
  DWORD eventMask = 0;
  bool systemBackground = true;
  COLORREF background = 0;
  bool hideSelection = false;

  size_t SelStart() const { return anchor < caret ? anchor : caret; }
  size_t SelEnd() const { return anchor < caret ? caret : anchor; }
  bool Multiline() const { return (style & ES_MULTILINE) != 0; }
  bool ReadOnly() const { return (style & ES_READONLY) != 0; }
  // Multi-line edits without horizontal scrolling wrap their lines.
  bool Wraps() const { return Multiline() && !(style & ES_AUTOHSCROLL); }
};

Edit* EditOf(HWND hwnd);

// The shared window procedure (edit_messages.cpp); the rich edit procedure
// hands it every message it does not answer itself.
LRESULT HandleEditMessage(Edit* e, UINT msg, WPARAM wParam, LPARAM lParam);
Edit* CreateEdit(HWND hwnd, const CREATESTRUCT* cs, bool rich);
void DestroyEdit(HWND hwnd);

// Model operations (edit_proc.cpp).
// The text as ES_UPPERCASE or ES_LOWERCASE keeps it.
std::string ApplyCase(const Edit* e, std::string text);
// Replaces the selection with `insert`. `honorLimit`: the change comes from
// the user or EM_REPLACESEL, so the text limit and (without automatic
// scrolling) the visible area bound it. Returns false when nothing changed.
// `notify` sends EN_UPDATE and EN_CHANGE (the repaint waits for the next
// paint cycle); the window may be gone afterwards (check IsWindow).
bool ReplaceSelection(Edit* e, std::string insert, bool canUndo, bool honorLimit, bool notify);
void SetSelection(Edit* e, size_t anchor, size_t caret, bool afterWrap = false);
void SetText(Edit* e, const char* text);
bool Undo(Edit* e);
void Copy(Edit* e);
void Cut(Edit* e);
void Paste(Edit* e);
void Clear(Edit* e);
// Sends a notification by WM_COMMAND to the parent (rich edits only those
// their event mask asks for). False when the control was destroyed meanwhile.
bool Notify(Edit* e, WORD code);

// Geometry and scrolling (edit_view.cpp).
class DcMeasurer : public Measurer {
 public:
  explicit DcMeasurer(const Edit* e) : e_(e) {}
  void Edges(std::string_view text, std::vector<int>* edges) const override;

 private:
  const Edit* e_;
};
void ApplyFont(Edit* e, HFONT font);
void ResetFormatRect(Edit* e);
void SetFormatRect(Edit* e, const RECT& r);
void Relayout(Edit* e);
// Measures the lines a deferred feed left stale, and shows the caret.
void FlushLayout(Edit* e);
// Before any message that may read the lines: FlushLayout if they are stale.
void FlushLayoutBefore(Edit* e, UINT msg, WPARAM wParam);
size_t VisibleLines(const Edit* e);
// The x of the line's start in client coordinates (alignment and scrolling applied).
int LineLeft(const Edit* e, size_t line);
int LineTop(const Edit* e, size_t line);
// The edges of a line's characters as shown (password characters, tabs).
void LineEdges(const Edit* e, size_t line, std::vector<int>* edges);
POINT PointOfPosition(const Edit* e, size_t pos, bool afterWrap);
// The position nearest to a client point; `onChar` picks the character under
// the point instead of the nearest boundary. `afterWrap` tells whether the
// point was at the end of a wrapped line.
size_t PositionAtPoint(const Edit* e, POINT p, bool onChar = false, bool* afterWrap = nullptr, size_t* line = nullptr);
void ScrollCaretIntoView(Edit* e);
// Scrolls by lines (vertical) and pixels (horizontal); false when nothing moved.
bool ScrollBy(Edit* e, int lines, int pixels);
void UpdateScrollBars(Edit* e);
void UpdateCaret(Edit* e);

// Input (edit_input.cpp).
void OnChar(Edit* e, WPARAM ch);
void OnKeyDown(Edit* e, UINT vk);
void OnMouse(Edit* e, UINT msg, WPARAM flags, POINT p);
LRESULT OnScroll(Edit* e, UINT msg, WORD code, int pos);
void OnContextMenu(Edit* e, POINT screen);

// Painting (edit_paint.cpp).
void Paint(Edit* e, HDC dc);

}  // namespace nbp::user::edit
