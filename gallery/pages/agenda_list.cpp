#include "pages/agenda_list.h"

#include "mfc/paint_dc.h"

BEGIN_MESSAGE_MAP(CAgendaList, CWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_VSCROLL()
  ON_WM_MOUSEWHEEL()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

int CAgendaList::OnCreate(LPCREATESTRUCT cs) {
  if (CWnd::OnCreate(cs) == -1) return -1;
  UpdateScrollBar();
  return 0;
}

void CAgendaList::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  UpdateScrollBar();
}

void CAgendaList::UpdateScrollBar() {
  CRect rc;
  GetClientRect(&rc);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, kLines - 1, static_cast<UINT>(rc.Height() / kLineHeight), 0, 0};
  SetScrollInfo(SB_VERT, &si, TRUE);
}

void CAgendaList::ScrollTo(int line) {
  int pos = GetScrollPos(SB_VERT);
  SetScrollPos(SB_VERT, line, TRUE);
  int now = GetScrollPos(SB_VERT);
  if (now == pos) return;
  ScrollWindowEx(0, (pos - now) * kLineHeight, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
  UpdateWindow();
}

void CAgendaList::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
  int pos = GetScrollPos(SB_VERT);
  switch (nSBCode) {
    case SB_LINEUP: ScrollTo(pos - 1); break;
    case SB_LINEDOWN: ScrollTo(pos + 1); break;
    case SB_PAGEUP: ScrollTo(pos - 5); break;
    case SB_PAGEDOWN: ScrollTo(pos + 5); break;
    case SB_THUMBTRACK: ScrollTo(static_cast<int>(nPos)); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(kLines); break;
    default: break;
  }
}

BOOL CAgendaList::OnMouseWheel(UINT, short zDelta, CPoint) {
  ScrollTo(GetScrollPos(SB_VERT) - zDelta / WHEEL_DELTA * 3);
  return TRUE;
}

void CAgendaList::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  int first = GetScrollPos(SB_VERT);
  dc.SetBkMode(TRANSPARENT);
  static const char* const kWhat[] = {"Team meeting", "Call Anna Berger", "Dentist", "Lunch with Carl",
                                      "Review budget", "Pick up parcel", "Yoga", "Write report"};
  for (int i = first; i < kLines; ++i) {
    CRect line(rc.left, (i - first) * kLineHeight, rc.right, (i - first + 1) * kLineHeight);
    if (line.top >= rc.bottom) break;
    dc.FillSolidRect(&line, i % 2 ? RGB(245, 248, 252) : RGB(255, 255, 255));
    CString text;
    text.Format("%02d:%02d  %s", 8 + i / 4, (i % 4) * 15, kWhat[i % 8]);
    CRect t = line;
    t.left += 6;
    dc.SetTextColor(RGB(30, 30, 30));
    dc.DrawText(text, &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

BOOL CAgendaList::OnEraseBkgnd(CDC* pDC) {
  CRect rc;
  GetClientRect(&rc);
  pDC->FillSolidRect(&rc, RGB(255, 255, 255));
  return TRUE;
}
