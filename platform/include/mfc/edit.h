// The framework's wrappers of the text controls: CEdit over the window
// system's "Edit" control, CRichEditCtrl over the rich edit control and
// CSpinButtonCtrl over the up-down control, with MFC 4.2's members. Each
// member sends its control the message of the same name.
#pragma once

#include "mfc/wnd.h"
#include "win/commctrl_updown.h"
#include "win/controls.h"
#include "win/richedit.h"

class CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)

 public:
  CEdit() = default;
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  BOOL CanUndo() const;
  int GetLineCount() const;
  BOOL GetModify() const;
  void SetModify(BOOL bModified = TRUE);
  void GetRect(LPRECT lpRect) const;
  DWORD GetSel() const;
  void GetSel(int& nStartChar, int& nEndChar) const;
  // The line's text without a terminating zero; the first form reads the
  // buffer's size from its first WORD, as EM_GETLINE does.
  int GetLine(int nIndex, LPTSTR lpszBuffer) const;
  int GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const;

  void EmptyUndoBuffer();
  BOOL FmtLines(BOOL bAddEOL);
  // The most bytes the user may enter (default 30000); 0: as many as the
  // control holds. Text set by the owner is not bound by it.
  void LimitText(int nChars = 0);
  // -1: the caret's line, or the line where the selection starts.
  int LineFromChar(int nIndex = -1) const;
  // -1: the caret's line. Returns -1 for a line that does not exist.
  int LineIndex(int nLine = -1) const;
  // The length of the line holding character nLine (a character index, as
  // the control takes it); -1: the unselected characters of the selected lines.
  int LineLength(int nLine = -1) const;
  void LineScroll(int nLines, int nChars = 0);
  void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
  void SetPasswordChar(TCHAR ch);
  void SetRect(LPCRECT lpRect);
  void SetRectNP(LPCRECT lpRect);
  // Sets the selection, then scrolls the caret into view unless bNoScroll.
  // A start of -1 removes the selection; an end of -1 is the end of the text;
  // positions inside a character move to its start. The DWORD form packs
  // two 16-bit positions.
  void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE);
  void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
  BOOL SetTabStops(int nTabStops, LPINT rgTabStops);
  void SetTabStops();
  BOOL SetTabStops(const int& cxEachStop);

  BOOL Undo();
  void Clear();
  void Copy();
  void Cut();
  void Paste();

  BOOL SetReadOnly(BOOL bReadOnly = TRUE);
  int GetFirstVisibleLine() const;
  TCHAR GetPasswordChar() const;

  void SetMargins(UINT nLeft, UINT nRight);
  DWORD GetMargins() const;
  void SetLimitText(UINT nMax);
  UINT GetLimitText() const;
  CPoint PosFromChar(UINT nChar) const;
  // EM_CHARFROMPOS's whole answer: the character in the low word, the line in the high word.
  int CharFromPos(CPoint pt) const;
};

class CRichEditCtrl : public CWnd {
  DECLARE_DYNAMIC(CRichEditCtrl)

 public:
  CRichEditCtrl() = default;
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  BOOL CanUndo() const;
  int GetLineCount() const;
  BOOL GetModify() const;
  void SetModify(BOOL bModified = TRUE);
  void GetRect(LPRECT lpRect) const;
  CPoint GetCharPos(long lChar) const;
  int GetLine(int nIndex, LPTSTR lpszBuffer) const;
  int GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const;
  void GetSel(CHARRANGE& cr) const;
  void GetSel(long& nStartChar, long& nEndChar) const;
  long GetEventMask() const;
  // Default 32767; typing past it beeps and is refused.
  long GetLimitText() const;
  long GetSelText(LPSTR lpBuf) const;
  CString GetSelText() const;
  long GetTextLength() const;
  int GetFirstVisibleLine() const;

  // 0: the rich edit control's maximum, 65536.
  void LimitText(long nChars = 0);
  long LineFromChar(long nIndex) const;
  int LineIndex(int nLine = -1) const;
  int LineLength(int nLine = -1) const;
  void LineScroll(int nLines, int nChars = 0);
  // 0 to -1 selects everything; a start of -1 removes the selection.
  void SetSel(long nStartChar, long nEndChar);
  void SetSel(CHARRANGE& cr);
  // Returns the previous background color.
  COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr);
  DWORD SetEventMask(DWORD dwEventMask);
  BOOL SetReadOnly(BOOL bReadOnly = TRUE);
  void SetRect(LPCRECT lpRect);
  void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
  void HideSelection(BOOL bHide, BOOL bPerm);

  void EmptyUndoBuffer();
  BOOL Undo();
  void Clear();
  void Copy();
  void Cut();
  void Paste();
};

class CSpinButtonCtrl : public CWnd {
  DECLARE_DYNAMIC(CSpinButtonCtrl)

 public:
  CSpinButtonCtrl() = default;
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  // Without a table every step is 1.
  BOOL SetAccel(int nAccel, UDACCEL* pAccel);
  UINT GetAccel(int nAccel, UDACCEL* pAccel) const;
  int SetBase(int nBase);
  UINT GetBase() const;
  CWnd* SetBuddy(CWnd* pWndBuddy);
  CWnd* GetBuddy() const;
  // The old position; positions outside the range are brought into it.
  int SetPos(int nPos);
  // The position in the low word; the high word is nonzero when the buddy's
  // text is not a number in range.
  int GetPos() const;
  // The default range runs from 100 down to 0: the up arrow subtracts.
  void SetRange(int nLower, int nUpper);
  void SetRange32(int nLower, int nUpper);
  DWORD GetRange() const;
  void GetRange(int& lower, int& upper) const;
  void GetRange32(int& lower, int& upper) const;
};
