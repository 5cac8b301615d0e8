// CButton, CStatic and CToolTipCtrl: thin members over the controls' messages.
#include "mfc/controls.h"

#include "win/resources.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

// --- CButton

CButton::~CButton() {
  if (m_hWnd) DestroyWindow();
}

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(WC_BUTTON, lpszCaption, dwStyle, rect, pParentWnd, nID);
}

UINT CButton::GetState() const { return static_cast<UINT>(::SendMessage(m_hWnd, BM_GETSTATE, 0, 0)); }
void CButton::SetState(BOOL bHighlight) { ::SendMessage(m_hWnd, BM_SETSTATE, static_cast<WPARAM>(bHighlight), 0); }
int CButton::GetCheck() const { return static_cast<int>(::SendMessage(m_hWnd, BM_GETCHECK, 0, 0)); }
void CButton::SetCheck(int nCheck) { ::SendMessage(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(nCheck), 0); }
UINT CButton::GetButtonStyle() const { return static_cast<UINT>(::GetWindowLong(m_hWnd, GWL_STYLE)) & 0xff; }
void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) {
  ::SendMessage(m_hWnd, BM_SETSTYLE, nStyle, static_cast<LPARAM>(bRedraw));
}
HICON CButton::SetIcon(HICON hIcon) {
  return reinterpret_cast<HICON>(::SendMessage(m_hWnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon)));
}
HICON CButton::GetIcon() const { return reinterpret_cast<HICON>(::SendMessage(m_hWnd, BM_GETIMAGE, IMAGE_ICON, 0)); }
HBITMAP CButton::SetBitmap(HBITMAP hBitmap) {
  return reinterpret_cast<HBITMAP>(
      ::SendMessage(m_hWnd, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}
HBITMAP CButton::GetBitmap() const {
  return reinterpret_cast<HBITMAP>(::SendMessage(m_hWnd, BM_GETIMAGE, IMAGE_BITMAP, 0));
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  // The parent's WM_DRAWITEM for this button reaches DrawItem, so that a
  // derived class paints without a message map entry.
  if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (pResult) *pResult = TRUE;
  return TRUE;
}

// --- CStatic

CStatic::~CStatic() {
  if (m_hWnd) DestroyWindow();
}

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(WC_STATIC, lpszText, dwStyle, rect, pParentWnd, nID);
}

HICON CStatic::SetIcon(HICON hIcon) {
  return reinterpret_cast<HICON>(::SendMessage(m_hWnd, STM_SETICON, reinterpret_cast<WPARAM>(hIcon), 0));
}
HICON CStatic::GetIcon() const { return reinterpret_cast<HICON>(::SendMessage(m_hWnd, STM_GETICON, 0, 0)); }
HBITMAP CStatic::SetBitmap(HBITMAP hBitmap) {
  return reinterpret_cast<HBITMAP>(
      ::SendMessage(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}
HBITMAP CStatic::GetBitmap() const {
  return reinterpret_cast<HBITMAP>(::SendMessage(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0));
}
HCURSOR CStatic::SetCursor(HCURSOR hCursor) {
  return reinterpret_cast<HCURSOR>(
      ::SendMessage(m_hWnd, STM_SETIMAGE, IMAGE_CURSOR, reinterpret_cast<LPARAM>(hCursor)));
}
HCURSOR CStatic::GetCursor() {
  return reinterpret_cast<HCURSOR>(::SendMessage(m_hWnd, STM_GETIMAGE, IMAGE_CURSOR, 0));
}

// --- CToolTipCtrl

CToolTipCtrl::~CToolTipCtrl() {
  if (m_hWnd) DestroyWindow();
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
  return CreateEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, nullptr, nullptr);
}

void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT nIDTool) const {
  ti = TOOLINFO{};
  ti.cbSize = sizeof(TOOLINFO);
  HWND hwnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
  if (nIDTool == 0) {
    ti.hwnd = ::GetParent(hwnd);
    ti.uFlags = TTF_IDISHWND;
    ti.uId = reinterpret_cast<UINT_PTR>(hwnd);
  } else {
    ti.hwnd = hwnd;
    ti.uId = nIDTool;
  }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT nIDTool) {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  if (lpRectTool) ti.rect = *lpRectTool;
  ti.hinst = AfxFindResourceHandle(MAKEINTRESOURCE((nIDText >> 4) + 1), RT_STRING);
  ti.lpszText = reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(nIDText));
  return static_cast<BOOL>(::SendMessage(m_hWnd, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT nIDTool) {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  if (lpRectTool) ti.rect = *lpRectTool;
  ti.lpszText = const_cast<LPSTR>(lpszText);
  return static_cast<BOOL>(::SendMessage(m_hWnd, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT nIDTool) {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ::SendMessage(m_hWnd, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::Activate(BOOL bActivate) { ::SendMessage(m_hWnd, TTM_ACTIVATE, static_cast<WPARAM>(bActivate), 0); }

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT nIDTool) {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ti.lpszText = const_cast<LPSTR>(lpszText);
  ::SendMessage(m_hWnd, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT nIDTool) {
  CString text;
  text.LoadString(nIDText);
  UpdateTipText(text, pWnd, nIDTool);
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg) { ::SendMessage(m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg)); }

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT nIDTool) const {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  char buffer[256] = {};
  ti.lpszText = buffer;
  ::SendMessage(m_hWnd, TTM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(&ti));
  str = buffer;
}

BOOL CToolTipCtrl::GetToolInfo(LPTOOLINFO lpToolInfo, CWnd* pWnd, UINT nIDTool) const {
  if (!lpToolInfo) return FALSE;
  LPSTR text = lpToolInfo->lpszText;
  FillInToolInfo(*lpToolInfo, pWnd, nIDTool);
  lpToolInfo->lpszText = text;
  return static_cast<BOOL>(::SendMessage(m_hWnd, TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(lpToolInfo)));
}

void CToolTipCtrl::SetToolInfo(LPTOOLINFO lpToolInfo) {
  ::SendMessage(m_hWnd, TTM_SETTOOLINFO, 0, reinterpret_cast<LPARAM>(lpToolInfo));
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT nIDTool, LPCRECT lpRect) {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  if (lpRect) ti.rect = *lpRect;
  ::SendMessage(m_hWnd, TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&ti));
}

int CToolTipCtrl::GetToolCount() const { return static_cast<int>(::SendMessage(m_hWnd, TTM_GETTOOLCOUNT, 0, 0)); }

BOOL CToolTipCtrl::HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFO lpToolInfo) const {
  TTHITTESTINFO hit{};
  hit.hwnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
  hit.pt = pt;
  hit.ti.cbSize = sizeof(TOOLINFO);
  if (lpToolInfo) hit.ti.lpszText = lpToolInfo->lpszText;
  BOOL found = static_cast<BOOL>(::SendMessage(m_hWnd, TTM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (found && lpToolInfo) *lpToolInfo = hit.ti;
  return found;
}

void CToolTipCtrl::SetDelayTime(UINT nDelay) {
  ::SendMessage(m_hWnd, TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(nDelay, 0));
}
void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime) {
  ::SendMessage(m_hWnd, TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0));
}
int CToolTipCtrl::GetDelayTime(DWORD dwDuration) const {
  return static_cast<int>(::SendMessage(m_hWnd, TTM_GETDELAYTIME, dwDuration, 0));
}
void CToolTipCtrl::SetMargin(LPRECT lprc) { ::SendMessage(m_hWnd, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(lprc)); }
void CToolTipCtrl::GetMargin(LPRECT lprc) const {
  ::SendMessage(m_hWnd, TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(lprc));
}
int CToolTipCtrl::SetMaxTipWidth(int iWidth) {
  return static_cast<int>(::SendMessage(m_hWnd, TTM_SETMAXTIPWIDTH, 0, iWidth));
}
int CToolTipCtrl::GetMaxTipWidth() const { return static_cast<int>(::SendMessage(m_hWnd, TTM_GETMAXTIPWIDTH, 0, 0)); }
void CToolTipCtrl::SetTipBkColor(COLORREF clr) { ::SendMessage(m_hWnd, TTM_SETTIPBKCOLOR, clr, 0); }
COLORREF CToolTipCtrl::GetTipBkColor() const {
  return static_cast<COLORREF>(::SendMessage(m_hWnd, TTM_GETTIPBKCOLOR, 0, 0));
}
void CToolTipCtrl::SetTipTextColor(COLORREF clr) { ::SendMessage(m_hWnd, TTM_SETTIPTEXTCOLOR, clr, 0); }
COLORREF CToolTipCtrl::GetTipTextColor() const {
  return static_cast<COLORREF>(::SendMessage(m_hWnd, TTM_GETTIPTEXTCOLOR, 0, 0));
}
void CToolTipCtrl::Pop() { ::SendMessage(m_hWnd, TTM_POP, 0, 0); }
void CToolTipCtrl::Update() { ::SendMessage(m_hWnd, TTM_UPDATE, 0, 0); }
