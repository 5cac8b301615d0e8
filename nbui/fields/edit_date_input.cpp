// CNbEditDate's handling of the keyboard, the mouse and the focus.
#include "fields/edit_date.h"

BEGIN_MESSAGE_MAP(CNbEditDate, CLumoEdit)
  ON_WM_CHAR()
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_WM_SETFOCUS()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_KILLFOCUS()
  ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

void CNbEditDate::BlankAfterEdit() {
  SetBlank();
  if (!m_strBlank.IsEmpty()) SelectAll();
}

void CNbEditDate::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == '\r') return;
  Default();
  if (::IsWindow(m_hWnd) && GetWindowTextLength() == 0) BlankAfterEdit();
}

void CNbEditDate::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  HWND self = m_hWnd;
  CWnd* parent = GetParent();
  if (parent && parent->SendMessage(WM_NB_DATEKEYDOWN, nChar, 0) == WM_NB_DATEKEYDOWN) return;
  if (!::IsWindow(self)) return;
  CLumoEdit::OnKeyDown(nChar, nRepCnt, nFlags);
  if (nChar == VK_DELETE && ::IsWindow(self) && GetWindowTextLength() == 0) BlankAfterEdit();
}

void CNbEditDate::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  HWND self = m_hWnd;
  CWnd* parent = GetParent();
  if (parent && parent->SendMessage(WM_NB_DATEKEYUP, nChar, 0) == WM_NB_DATEKEYUP) return;
  if (::IsWindow(self)) Default();
}

void CNbEditDate::OnSetFocus(CWnd* pOldWnd) {
  Default();
  SelectAll();
}

void CNbEditDate::OnLButtonDblClk(UINT nFlags, CPoint point) { SelectAll(); }

void CNbEditDate::OnKillFocus(CWnd* pNewWnd) {
  CString text;
  GetWindowText(text);
  if (!text.IsEmpty()) {
    // A valid date is rewritten in the short form; anything else stays for
    // the user to correct.
    if (ReadFormat()) WriteFormat(0);
  } else if (!m_bAllowBlank) {
    if (!m_strBlank.IsEmpty()) {
      SetWindowText(m_strBlank);
    } else {
      ReadFormat();
      WriteFormat(1);
    }
  }
  Default();
}
