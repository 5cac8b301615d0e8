// CLumoEdit: the host's edit control, the base of its date, time and name
// fields and of in-place editors. Beside the window system's own limit
// (EM_LIMITTEXT, in bytes) it keeps a limit in characters, which typing and
// pasting both respect, and it pastes text cleaned for an edit control:
// whole UTF-8 characters only, no control characters, one line in a
// single-line control.
#pragma once

#include "mfc/edit.h"
#include "nbhost_export.h"

class NBHOST_API CLumoEdit : public CEdit {
 public:
  CLumoEdit();
  ~CLumoEdit() override;

  // The most characters (not bytes) the user may bring into the text by
  // typing or pasting; 0 or less: no limit of the control's own. Text
  // already in the control is left as it is.
  void SetMaxChars(int nMaxChars);

  // Inserts the clipboard's text over the selection, cleaned and cut to what
  // both limits leave room for. Beeps when something had to be left out.
  void Paste();

  // WM_CHAR: a character that would pass the character limit beeps and is
  // dropped; Ctrl+V pastes through Paste(); everything else goes to the edit
  // control.
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  // WM_KEYDOWN: Shift+Insert pastes through Paste(); every other key goes to
  // the edit control.
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  UINT OnGetDlgCode();
  void OnSetFocus(CWnd* pOldWnd);
  void OnKillFocus(CWnd* pNewWnd);
  // WM_PASTE (the context menu's Paste, or a program's): Paste(); returns 0.
  LRESULT OnPasteText(WPARAM wParam, LPARAM lParam);

 protected:
  int m_nMaxChars = 0;

  DECLARE_MESSAGE_MAP()
};
