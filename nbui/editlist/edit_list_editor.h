// CEditListEditor: the edit list's in-place editor, a multi-line edit laid
// over the value of the edited row. It reports Tab, Shift+Tab, every other
// character and the loss of the focus to the list, and shows text an input
// method is composing inline, at the caret, until it is committed or
// cancelled.
#pragma once

#include "HostCommon/lumo_edit.h"

#ifndef NBUI_API
#define NBUI_API __attribute__((visibility("default")))
#endif

// Sent by the editor to the list (wParam and lParam 0, answered with 0).
#define WM_EDITLIST_TABNEXT 0x4AA        // Tab typed in the editor
#define WM_EDITLIST_TABPREV 0x4AB        // Shift+Tab typed in the editor
#define WM_EDITLIST_ITEMKILLFOCUS 0x4B4  // the editor lost the focus
#define WM_EDITLIST_CHARENTERED 0x4B5    // any other character was typed

class NBUI_API CEditListEditor : public CLumoEdit {
 public:
  CEditListEditor() = default;

  // Set while a paste is handled: losing the focus meanwhile keeps the edit.
  BOOL m_bPasting = FALSE;

  // The most characters the user may bring in: the host edit's own limit,
  // and a byte limit of four bytes a character for the edit control.
  void SetEditLimit(int nMaxChars);

  // True while an input method's composition is shown in the text.
  bool IsComposing() const { return m_bComposing; }
  // Takes a composition still shown out of the text (the edit is closing:
  // what was never committed is not part of the value).
  void DropComposition();

 protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnPaint();
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  LRESULT OnWheel(WPARAM wParam, LPARAM lParam);
  void OnSetFocus(CWnd* pOldWnd);
  void OnKillFocus(CWnd* pNewWnd);
  LRESULT OnPaste(WPARAM wParam, LPARAM lParam);
  LRESULT OnImeStartComposition(WPARAM wParam, LPARAM lParam);
  LRESULT OnImeComposition(WPARAM wParam, LPARAM lParam);
  LRESULT OnImeEndComposition(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  // Takes the shown composition out of the text, leaving the caret where it
  // began.
  void RemoveComposition();
  void ShowComposition(const CString& text);
  // Underlines the composition shown, as input methods mark text not yet
  // committed.
  void UnderlineComposition();

  bool m_bComposing = false;
  int m_nCompStart = 0;   // byte offset where the composition begins
  int m_nCompLength = 0;  // bytes of it now in the text
};
