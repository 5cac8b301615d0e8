// The card views' layout: columns and rows, cells and card parts, hit-testing
// and scrolling by rows.
#include <algorithm>

#include "cards/card_view_core.h"

using namespace nbui::cards;

CRect CCardViewCore::ClientRect() const {
  CRect rc;
  GetClientRect(&rc);
  return rc;
}

int CCardViewCore::FirstRow() const { return m_hWnd ? std::max(GetScrollPos(SB_VERT), 0) : 0; }

int CCardViewCore::ScrollMax() const {
  if (!m_hWnd) return 0;
  int lo = 0, hi = 0;
  GetScrollRange(SB_VERT, &lo, &hi);
  return std::max(hi, 0);
}

void CCardViewCore::Repaint() {
  if (m_hWnd) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

bool CCardViewCore::HasFocus() const { return m_hWnd && ::GetFocus() == m_hWnd; }

void CCardViewCore::UpdateViewInfo() { UpdateLayout(TRUE); }

void CCardViewCore::UpdateLayout(BOOL bRedrawBar) {
  if (!m_hWnd) return;
  CRect rc = ClientRect();
  m_nColumns = GridColumns(rc.Width(), m_nCardWidth, m_defaults.nColumnShare);
  m_nVisibleRows = GridVisibleRows(rc.Height(), m_nCardHeight);
  // Setting an unchanged range would only redraw the bar; a host adding a
  // million cards without redrawing must not pay a bar redraw per card.
  int max = GridScrollMax(GetCardCount(), m_nColumns, m_nVisibleRows);
  int lo = 0, hi = 0;
  GetScrollRange(SB_VERT, &lo, &hi);
  if (lo != 0 || hi != max) SetScrollRange(SB_VERT, 0, max, bRedrawBar);
}

void CCardViewCore::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (!m_hWnd) return;
  UpdateViewInfo();
  Repaint();
}

void CCardViewCore::GetCardCell(int nIndex, RECT* pRect) const {
  if (pRect) *pRect = GridCell(nIndex, m_nColumns, FirstRow(), m_nCardWidth, m_nCardHeight);
}

void CCardViewCore::GetCardRects(int nIndex, CCardRects& rects) {
  CRect cell;
  GetCardCell(nIndex, &cell);
  CCardDesc desc;
  GetCardDescription(nIndex, desc);
  GetCardRects(cell, rects, desc.m_bPhoto);
}

int CCardViewCore::PtToCardIndex(CPoint pt) {
  // The outline does not depend on the description, so none is asked: a
  // point costs the same in a million cards as in ten.
  return GridHitTest(pt, GetCardCount(), m_nColumns, FirstRow(), m_nCardWidth, m_nCardHeight);
}

int CCardViewCore::EnsureVisible(int nIndex) {
  int first = FirstRow();
  int target = GridEnsureVisibleRow(nIndex, m_nColumns, first, m_nVisibleRows);
  if (target == first) return 0;
  ScrollToRow(target);
  return 1;
}

void CCardViewCore::Update(int nIndex) {
  if (!m_hWnd) return;
  CRect cell;
  GetCardCell(nIndex, &cell);
  RedrawWindow(&cell, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CCardViewCore::ScrollToRow(int nRow) {
  if (!m_hWnd) return;
  int p = FirstRow();
  int target = std::min(std::max(nRow, 0), ScrollMax());
  if (target == p) return;
  SCROLLINFO si{};
  si.cbSize = sizeof(SCROLLINFO);
  si.fMask = SIF_POS;
  si.nPos = target;
  SetScrollInfo(SB_VERT, &si, TRUE);
  // Rows far apart would overflow the pixel distance; the whole client area
  // is repainted anyway when the distance exceeds it.
  int64_t dy = -static_cast<int64_t>(target - p) * m_nCardHeight;
  dy = std::clamp<int64_t>(dy, -(1 << 20), 1 << 20);
  ScrollWindowEx(0, static_cast<int>(dy), nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
  UpdateWindow();
}

void CCardViewCore::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
  int p = FirstRow();
  int target = p;
  switch (nSBCode) {
    case SB_LINEUP: target = p - 1; break;
    case SB_LINEDOWN: target = p + 1; break;
    case SB_PAGEUP: target = p - m_nVisibleRows; break;
    case SB_PAGEDOWN: target = p + m_nVisibleRows; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      // The message carries only 16 bits of position; the scroll bar's
      // tracking position has them all, so a drag reaches row 65536 and on.
      SCROLLINFO si{};
      si.cbSize = sizeof(SCROLLINFO);
      si.fMask = SIF_TRACKPOS;
      target = GetScrollInfo(SB_VERT, &si, SIF_TRACKPOS) && (si.nTrackPos & 0xFFFF) == static_cast<int>(nPos & 0xFFFF)
                   ? si.nTrackPos
                   : static_cast<int>(nPos);
      break;
    }
    case SB_ENDSCROLL: return;
    default: break;
  }
  ScrollToRow(target);
}
