#include "status_line.h"

#include "mfc/paint_dc.h"
#include "win/syscolors.h"

BEGIN_MESSAGE_MAP(CStatusLine, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CStatusLine::CreateLine(CWnd* parent, const CRect& rect, UINT id) {
  return CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, rect, parent, id);
}

void CStatusLine::Show(const CString& text) {
  if (m_strText == text) return;
  m_strText = text;
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CStatusLine::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  dc.FillSolidRect(&rc, GetSysColor(COLOR_BTNFACE));
  dc.Draw3dRect(&rc, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
  rc.DeflateRect(6, 0);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
  dc.DrawText(m_strText.IsEmpty() ? CString("Ready") : m_strText, &rc,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}
