// CNbEditTime's handling of the keyboard and the mouse.
#include "fields/edit_time.h"

#include "win/mbstring.h"

BEGIN_MESSAGE_MAP(CNbEditTime, CLumoEdit)
  ON_WM_CHAR()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_KEYDOWN()
  ON_WM_RBUTTONUP()
END_MESSAGE_MAP()

void CNbEditTime::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  switch (nChar) {
    case 8:  // Backspace
      m_bValid = FALSE;
      InsertChar(nChar, nRepCnt, nFlags);
      return;
    case ' ':
      if (m_bHasSeparator && m_bValid) InsertChar(nChar, nRepCnt, nFlags);
      else StepForward();
      return;
    case '+':
    case '=':
      StepForward();
      return;
    case '-':
      StepBack();
      return;
    case 'A':
    case 'a':
      ChooseHalf(false);
      return;
    case 'P':
    case 'p':
      ChooseHalf(true);
      return;
    default:
      break;
  }
  // Everything else, control characters included (so Enter, Tab, Escape and
  // the clipboard keys never reach the edit control), is dropped unless it
  // is a digit or the separator.
  if (nChar != 0 && _mbschr(reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(m_strAllowed)), nChar))
    InsertChar(nChar, nRepCnt, nFlags);
}

void CNbEditTime::InsertChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  CString upper;
  GetWindowText(upper);
  upper.MakeUpper();
  // The owner's placeholder ("NONE") goes as soon as the user types.
  if (upper.FindOneOf("NOE") >= 0) SelectAll();
  // An afternoon time shown with its marker keeps its half while edited.
  if (upper.Find('P') >= 0 && !m_bForceAM) m_bForcePM = TRUE;
  if (upper.Find('A') >= 0 && !m_bForcePM) m_bForceAM = TRUE;
  CLumoEdit::OnChar(nChar, nRepCnt, nFlags);
  if (nChar != 8 && m_hWnd) ReadTime(0);
}

void CNbEditTime::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_DELETE) m_bValid = FALSE;
  int step = (nChar == VK_DOWN || nChar == VK_NEXT) ? 1 : (nChar == VK_UP || nChar == VK_PRIOR) ? -1 : 0;
  if (CWnd* parent = GetParent()) parent->PostMessage(WM_NB_TIMESTEP, static_cast<WPARAM>(GetDlgCtrlID()), step);
  // The vertical keys are the parent's to act on; they never move the caret.
  if (step == 0) CLumoEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CNbEditTime::OnLButtonDblClk(UINT nFlags, CPoint point) { SelectAll(); }

// A right click opens no menu: the field offers no clipboard commands.
void CNbEditTime::OnRButtonUp(UINT nFlags, CPoint point) {}
