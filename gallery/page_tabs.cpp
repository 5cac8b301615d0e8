#include "page_tabs.h"

#include "mfc/paint_dc.h"
#include "win/syscolors.h"

namespace {
constexpr int kTabWidth = 120;
}

BEGIN_MESSAGE_MAP(CPageTabs, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_KEYDOWN()
  ON_WM_GETDLGCODE()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

BOOL CPageTabs::CreateTabs(CWnd* parent, const CRect& rect, UINT id) {
  return CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, parent, id);
}

void CPageTabs::AddTab(const CString& title) {
  m_titles.push_back(title);
  if (m_nSel < 0) m_nSel = 0;
  if (m_hWnd) Invalidate();
}

void CPageTabs::SetCurSel(int index) {
  if (index < 0 || index >= GetCount() || index == m_nSel) return;
  m_nSel = index;
  if (m_hWnd) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

CRect CPageTabs::TabRect(int index) const {
  if (index < 0 || index >= GetCount()) return CRect(0, 0, 0, 0);
  CRect rc;
  GetClientRect(&rc);
  return CRect(4 + index * kTabWidth, 4, 4 + (index + 1) * kTabWidth - 2, rc.bottom);
}

void CPageTabs::Pick(int index) {
  if (index < 0 || index >= GetCount() || index == m_nSel) return;
  SetCurSel(index);
  if (CWnd* parent = GetParent())
    parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), kSelChange), reinterpret_cast<LPARAM>(m_hWnd));
}

void CPageTabs::OnLButtonDown(UINT, CPoint point) {
  SetFocus();
  for (int i = 0; i < GetCount(); ++i) {
    if (TabRect(i).PtInRect(point)) Pick(i);
  }
}

void CPageTabs::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_LEFT) Pick(m_nSel - 1);
  else if (nChar == VK_RIGHT) Pick(m_nSel + 1);
  else CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CPageTabs::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  dc.FillSolidRect(&rc, GetSysColor(COLOR_BTNFACE));
  dc.FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, GetSysColor(COLOR_BTNSHADOW));
  dc.SetBkMode(TRANSPARENT);
  for (int i = 0; i < GetCount(); ++i) {
    CRect tab = TabRect(i);
    bool selected = i == m_nSel;
    if (!selected) tab.top += 2;
    dc.FillSolidRect(&tab, selected ? GetSysColor(COLOR_WINDOW) : GetSysColor(COLOR_BTNFACE));
    dc.Draw3dRect(&tab, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    if (selected) dc.FillSolidRect(tab.left + 1, tab.bottom - 1, tab.Width() - 2, 1, GetSysColor(COLOR_WINDOW));
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    dc.DrawText(m_titles[static_cast<size_t>(i)], &tab, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (selected && GetFocus() == this) {
      CRect focus = tab;
      focus.DeflateRect(4, 4);
      dc.DrawFocusRect(&focus);
    }
  }
}
