// CEdit, CRichEditCtrl and CSpinButtonCtrl: thin members over their
// controls' messages, as the framework defines them.
#include "mfc/edit.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

namespace {

LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) { return ::SendMessage(hwnd, msg, wParam, lParam); }

template <typename T>
LPARAM Ptr(T* p) {
  return reinterpret_cast<LPARAM>(p);
}

int GetLineWithRoom(HWND hwnd, int nIndex, LPTSTR buffer, int nMaxLength) {
  if (!buffer || nMaxLength <= 0) return 0;
  if (nMaxLength < static_cast<int>(sizeof(WORD))) {
    // Too small for the size word: copy what fits through a larger one.
    char scratch[sizeof(WORD)] = {};
    *reinterpret_cast<WORD*>(scratch) = static_cast<WORD>(nMaxLength);
    int n = static_cast<int>(Send(hwnd, EM_GETLINE, static_cast<WPARAM>(nIndex), Ptr(scratch)));
    for (int i = 0; i < n; ++i) buffer[i] = scratch[i];
    return n;
  }
  *reinterpret_cast<WORD*>(buffer) = static_cast<WORD>(nMaxLength);
  return static_cast<int>(Send(hwnd, EM_GETLINE, static_cast<WPARAM>(nIndex), Ptr(buffer)));
}

}  // namespace

// --- CEdit

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(WC_EDIT, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CEdit::CanUndo() const { return static_cast<BOOL>(Send(m_hWnd, EM_CANUNDO)); }
int CEdit::GetLineCount() const { return static_cast<int>(Send(m_hWnd, EM_GETLINECOUNT)); }
BOOL CEdit::GetModify() const { return static_cast<BOOL>(Send(m_hWnd, EM_GETMODIFY)); }
void CEdit::SetModify(BOOL bModified) { Send(m_hWnd, EM_SETMODIFY, static_cast<WPARAM>(bModified)); }
void CEdit::GetRect(LPRECT lpRect) const { Send(m_hWnd, EM_GETRECT, 0, Ptr(lpRect)); }
DWORD CEdit::GetSel() const { return static_cast<DWORD>(Send(m_hWnd, EM_GETSEL)); }
void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
  DWORD start = 0, end = 0;
  Send(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), Ptr(&end));
  nStartChar = static_cast<int>(start);
  nEndChar = static_cast<int>(end);
}
int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer) const {
  return static_cast<int>(Send(m_hWnd, EM_GETLINE, static_cast<WPARAM>(nIndex), Ptr(lpszBuffer)));
}
int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const {
  return GetLineWithRoom(m_hWnd, nIndex, lpszBuffer, nMaxLength);
}
void CEdit::EmptyUndoBuffer() { Send(m_hWnd, EM_EMPTYUNDOBUFFER); }
BOOL CEdit::FmtLines(BOOL bAddEOL) { return static_cast<BOOL>(Send(m_hWnd, EM_FMTLINES, static_cast<WPARAM>(bAddEOL))); }
void CEdit::LimitText(int nChars) { Send(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(nChars)); }
int CEdit::LineFromChar(int nIndex) const {
  return static_cast<int>(Send(m_hWnd, EM_LINEFROMCHAR, static_cast<WPARAM>(nIndex)));
}
int CEdit::LineIndex(int nLine) const { return static_cast<int>(Send(m_hWnd, EM_LINEINDEX, static_cast<WPARAM>(nLine))); }
int CEdit::LineLength(int nLine) const {
  return static_cast<int>(Send(m_hWnd, EM_LINELENGTH, static_cast<WPARAM>(nLine)));
}
void CEdit::LineScroll(int nLines, int nChars) { Send(m_hWnd, EM_LINESCROLL, static_cast<WPARAM>(nChars), nLines); }
void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) {
  Send(m_hWnd, EM_REPLACESEL, static_cast<WPARAM>(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText));
}
void CEdit::SetPasswordChar(TCHAR ch) { Send(m_hWnd, EM_SETPASSWORDCHAR, static_cast<UCHAR>(ch)); }
void CEdit::SetRect(LPCRECT lpRect) { Send(m_hWnd, EM_SETRECT, 0, reinterpret_cast<LPARAM>(lpRect)); }
void CEdit::SetRectNP(LPCRECT lpRect) { Send(m_hWnd, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(lpRect)); }
void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll) {
  SetSel(static_cast<int>(LOWORD(dwSelection)), static_cast<int>(HIWORD(dwSelection)), bNoScroll);
}
void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll) {
  Send(m_hWnd, EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar);
  if (!bNoScroll) Send(m_hWnd, EM_SCROLLCARET);
}
BOOL CEdit::SetTabStops(int nTabStops, LPINT rgTabStops) {
  return static_cast<BOOL>(Send(m_hWnd, EM_SETTABSTOPS, static_cast<WPARAM>(nTabStops), Ptr(rgTabStops)));
}
void CEdit::SetTabStops() { Send(m_hWnd, EM_SETTABSTOPS); }
BOOL CEdit::SetTabStops(const int& cxEachStop) {
  return static_cast<BOOL>(Send(m_hWnd, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&cxEachStop)));
}
BOOL CEdit::Undo() { return static_cast<BOOL>(Send(m_hWnd, EM_UNDO)); }
void CEdit::Clear() { Send(m_hWnd, WM_CLEAR); }
void CEdit::Copy() { Send(m_hWnd, WM_COPY); }
void CEdit::Cut() { Send(m_hWnd, WM_CUT); }
void CEdit::Paste() { Send(m_hWnd, WM_PASTE); }
BOOL CEdit::SetReadOnly(BOOL bReadOnly) { return static_cast<BOOL>(Send(m_hWnd, EM_SETREADONLY, static_cast<WPARAM>(bReadOnly))); }
int CEdit::GetFirstVisibleLine() const { return static_cast<int>(Send(m_hWnd, EM_GETFIRSTVISIBLELINE)); }
TCHAR CEdit::GetPasswordChar() const { return static_cast<TCHAR>(Send(m_hWnd, EM_GETPASSWORDCHAR)); }
void CEdit::SetMargins(UINT nLeft, UINT nRight) {
  Send(m_hWnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(nLeft, nRight));
}
DWORD CEdit::GetMargins() const { return static_cast<DWORD>(Send(m_hWnd, EM_GETMARGINS)); }
void CEdit::SetLimitText(UINT nMax) { Send(m_hWnd, EM_SETLIMITTEXT, nMax); }
UINT CEdit::GetLimitText() const { return static_cast<UINT>(Send(m_hWnd, EM_GETLIMITTEXT)); }
CPoint CEdit::PosFromChar(UINT nChar) const { return CPoint(static_cast<DWORD>(Send(m_hWnd, EM_POSFROMCHAR, nChar))); }
int CEdit::CharFromPos(CPoint pt) const {
  return static_cast<int>(Send(m_hWnd, EM_CHARFROMPOS, 0, MAKELPARAM(pt.x, pt.y)));
}

// --- CRichEditCtrl

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(RICHEDIT_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CRichEditCtrl::CanUndo() const { return static_cast<BOOL>(Send(m_hWnd, EM_CANUNDO)); }
int CRichEditCtrl::GetLineCount() const { return static_cast<int>(Send(m_hWnd, EM_GETLINECOUNT)); }
BOOL CRichEditCtrl::GetModify() const { return static_cast<BOOL>(Send(m_hWnd, EM_GETMODIFY)); }
void CRichEditCtrl::SetModify(BOOL bModified) { Send(m_hWnd, EM_SETMODIFY, static_cast<WPARAM>(bModified)); }
void CRichEditCtrl::GetRect(LPRECT lpRect) const { Send(m_hWnd, EM_GETRECT, 0, Ptr(lpRect)); }
CPoint CRichEditCtrl::GetCharPos(long lChar) const {
  POINTL pt{};
  Send(m_hWnd, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), lChar);
  return CPoint(pt.x, pt.y);
}
int CRichEditCtrl::GetLine(int nIndex, LPTSTR lpszBuffer) const {
  return static_cast<int>(Send(m_hWnd, EM_GETLINE, static_cast<WPARAM>(nIndex), Ptr(lpszBuffer)));
}
int CRichEditCtrl::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const {
  return GetLineWithRoom(m_hWnd, nIndex, lpszBuffer, nMaxLength);
}
void CRichEditCtrl::GetSel(CHARRANGE& cr) const { Send(m_hWnd, EM_EXGETSEL, 0, Ptr(&cr)); }
void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const {
  CHARRANGE cr{};
  GetSel(cr);
  nStartChar = cr.cpMin;
  nEndChar = cr.cpMax;
}
long CRichEditCtrl::GetEventMask() const { return static_cast<long>(Send(m_hWnd, EM_GETEVENTMASK)); }
long CRichEditCtrl::GetLimitText() const { return static_cast<long>(Send(m_hWnd, EM_GETLIMITTEXT)); }
long CRichEditCtrl::GetSelText(LPSTR lpBuf) const { return static_cast<long>(Send(m_hWnd, EM_GETSELTEXT, 0, Ptr(lpBuf))); }
CString CRichEditCtrl::GetSelText() const {
  CHARRANGE cr{};
  GetSel(cr);
  CString text;
  LPTSTR buffer = text.GetBufferSetLength(cr.cpMax - cr.cpMin);
  Send(m_hWnd, EM_GETSELTEXT, 0, Ptr(buffer));
  text.ReleaseBuffer(cr.cpMax - cr.cpMin);
  return text;
}
long CRichEditCtrl::GetTextLength() const { return static_cast<long>(Send(m_hWnd, WM_GETTEXTLENGTH)); }
int CRichEditCtrl::GetFirstVisibleLine() const { return static_cast<int>(Send(m_hWnd, EM_GETFIRSTVISIBLELINE)); }
void CRichEditCtrl::LimitText(long nChars) { Send(m_hWnd, EM_EXLIMITTEXT, 0, nChars); }
long CRichEditCtrl::LineFromChar(long nIndex) const { return static_cast<long>(Send(m_hWnd, EM_EXLINEFROMCHAR, 0, nIndex)); }
int CRichEditCtrl::LineIndex(int nLine) const {
  return static_cast<int>(Send(m_hWnd, EM_LINEINDEX, static_cast<WPARAM>(nLine)));
}
int CRichEditCtrl::LineLength(int nLine) const {
  return static_cast<int>(Send(m_hWnd, EM_LINELENGTH, static_cast<WPARAM>(nLine)));
}
void CRichEditCtrl::LineScroll(int nLines, int nChars) { Send(m_hWnd, EM_LINESCROLL, static_cast<WPARAM>(nChars), nLines); }
void CRichEditCtrl::SetSel(long nStartChar, long nEndChar) {
  CHARRANGE cr{static_cast<LONG>(nStartChar), static_cast<LONG>(nEndChar)};
  SetSel(cr);
}
void CRichEditCtrl::SetSel(CHARRANGE& cr) { Send(m_hWnd, EM_EXSETSEL, 0, Ptr(&cr)); }
COLORREF CRichEditCtrl::SetBackgroundColor(BOOL bSysColor, COLORREF cr) {
  return static_cast<COLORREF>(Send(m_hWnd, EM_SETBKGNDCOLOR, static_cast<WPARAM>(bSysColor), static_cast<LPARAM>(cr)));
}
DWORD CRichEditCtrl::SetEventMask(DWORD dwEventMask) {
  return static_cast<DWORD>(Send(m_hWnd, EM_SETEVENTMASK, 0, static_cast<LPARAM>(dwEventMask)));
}
BOOL CRichEditCtrl::SetReadOnly(BOOL bReadOnly) {
  return static_cast<BOOL>(Send(m_hWnd, EM_SETREADONLY, static_cast<WPARAM>(bReadOnly)));
}
void CRichEditCtrl::SetRect(LPCRECT lpRect) { Send(m_hWnd, EM_SETRECT, 0, reinterpret_cast<LPARAM>(lpRect)); }
void CRichEditCtrl::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) {
  Send(m_hWnd, EM_REPLACESEL, static_cast<WPARAM>(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText));
}
void CRichEditCtrl::HideSelection(BOOL bHide, BOOL bPerm) { Send(m_hWnd, EM_HIDESELECTION, static_cast<WPARAM>(bHide), bPerm); }
void CRichEditCtrl::EmptyUndoBuffer() { Send(m_hWnd, EM_EMPTYUNDOBUFFER); }
BOOL CRichEditCtrl::Undo() { return static_cast<BOOL>(Send(m_hWnd, EM_UNDO)); }
void CRichEditCtrl::Clear() { Send(m_hWnd, WM_CLEAR); }
void CRichEditCtrl::Copy() { Send(m_hWnd, WM_COPY); }
void CRichEditCtrl::Cut() { Send(m_hWnd, WM_CUT); }
void CRichEditCtrl::Paste() { Send(m_hWnd, WM_PASTE); }

// --- CSpinButtonCtrl

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(UPDOWN_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CSpinButtonCtrl::SetAccel(int nAccel, UDACCEL* pAccel) {
  return static_cast<BOOL>(Send(m_hWnd, UDM_SETACCEL, static_cast<WPARAM>(nAccel), Ptr(pAccel)));
}
UINT CSpinButtonCtrl::GetAccel(int nAccel, UDACCEL* pAccel) const {
  return static_cast<UINT>(Send(m_hWnd, UDM_GETACCEL, static_cast<WPARAM>(nAccel), Ptr(pAccel)));
}
int CSpinButtonCtrl::SetBase(int nBase) { return static_cast<int>(Send(m_hWnd, UDM_SETBASE, static_cast<WPARAM>(nBase))); }
UINT CSpinButtonCtrl::GetBase() const { return static_cast<UINT>(Send(m_hWnd, UDM_GETBASE)); }
CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy) {
  HWND buddy = pWndBuddy ? pWndBuddy->GetSafeHwnd() : nullptr;
  return CWnd::FromHandle(reinterpret_cast<HWND>(Send(m_hWnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy))));
}
CWnd* CSpinButtonCtrl::GetBuddy() const { return CWnd::FromHandle(reinterpret_cast<HWND>(Send(m_hWnd, UDM_GETBUDDY))); }
int CSpinButtonCtrl::SetPos(int nPos) {
  return static_cast<short>(LOWORD(Send(m_hWnd, UDM_SETPOS, 0, MAKELPARAM(nPos, 0))));
}
int CSpinButtonCtrl::GetPos() const { return static_cast<int>(Send(m_hWnd, UDM_GETPOS)); }
void CSpinButtonCtrl::SetRange(int nLower, int nUpper) { Send(m_hWnd, UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower)); }
void CSpinButtonCtrl::SetRange32(int nLower, int nUpper) {
  Send(m_hWnd, UDM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper);
}
DWORD CSpinButtonCtrl::GetRange() const { return static_cast<DWORD>(Send(m_hWnd, UDM_GETRANGE)); }
void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
  DWORD range = GetRange();
  lower = static_cast<short>(HIWORD(range));
  upper = static_cast<short>(LOWORD(range));
}
void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const {
  Send(m_hWnd, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), Ptr(&upper));
}
