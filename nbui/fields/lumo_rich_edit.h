// CNbLumoUIRichEdit: a rich edit control that reports the user's gestures to
// its parent window (fields/field_messages.h): clicks, double clicks while
// not editable, the right button's release, Tab, the keypad's Enter and the
// focus loss. Escape does nothing, and typing at the text limit beeps.
#pragma once

#include "fields/field_messages.h"
#include "mfc/edit.h"
#include "frame/nbui_export.h"

class NBUI_API CNbLumoUIRichEdit : public CRichEditCtrl {
 public:
  CNbLumoUIRichEdit();
  ~CNbLumoUIRichEdit() override;

  // Nonzero: a double click selects a word as usual; zero (the default): it
  // is only reported (WM_RICHEDIT_DBLCLK).
  void SetEditable(int bEditable) { m_bEditable = bEditable; }

  // Takes the keypad's Enter before it can type a line break; its release
  // is reported instead (WM_RICHEDIT_KEYPADENTER).
  BOOL PreTranslateMessage(MSG* pMsg) override;

  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnRButtonUp(UINT nFlags, CPoint point);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKillfocus();
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnClose();
  void OnDestroy();
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);

 protected:
  BOOL m_bEditable = FALSE;

  void Post(UINT message, WPARAM wParam = 0);
  void Send(UINT message);

  DECLARE_MESSAGE_MAP()
};
