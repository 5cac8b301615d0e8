// The edit list's geometry: rows stacked from y = 1 without gaps, their
// positions read from prefix sums of the heights, and pixel scrolling.
//
//   y = 1 - pos  +------------------------------------------+  row 0
//                | label (L+5 .. X-5) |  value (X+2 .. R-2) |
//                +------------------------------------------+  row 1
//   X = m_nLabelWidth, or a third of the row width
#include <algorithm>
#include <climits>
#include <cstdlib>

#include "editlist/edit_list.h"

void CNbEditList::SyncHandedOut() const {
  for (const HandedOut& h : m_handedOut) {
    if (!ValidIndex(h.index)) continue;
    const CListItem& row = Row(h.index);
    if (!m_bHeightsStale) m_heights.Set(h.index, EffectiveHeight(row));
    if ((h.selected != 0) != (row.m_bSelected != 0)) m_selection.Set(h.index, row.m_bSelected != 0);
  }
  m_handedOut.clear();
}

void CNbEditList::EnsureHeights() const {
  SyncHandedOut();
  if (!m_bHeightsStale) return;
  std::vector<int> heights(static_cast<size_t>(GetItemCount()));
  for (int i = 0; i < GetItemCount(); ++i) heights[static_cast<size_t>(i)] = EffectiveHeight(Row(i));
  m_heights.Assign(heights);
  m_bHeightsStale = false;
}

void CNbEditList::SyncHeight(int nIndex) {
  if (!ValidIndex(nIndex) || m_bHeightsStale) return;
  m_heights.Set(nIndex, EffectiveHeight(Row(nIndex)));
}

CRect CNbEditList::ClientRect() const {
  CRect client;
  if (m_hWnd) GetClientRect(&client);
  return client;
}

int CNbEditList::ScrollPos() const { return m_hWnd ? GetScrollPos(SB_VERT) : 0; }

void CNbEditList::UpdateViewInfo() { UpdateLayout(TRUE); }

void CNbEditList::UpdateLayout(BOOL bRedrawBar) {
  if (!m_hWnd) return;
  CRect client = ClientRect();
  // Rows take their width from here (GetItem, GetItemSize), not by a walk
  // over every row.
  m_nLayoutWidth = client.Width();
  EnsureHeights();
  SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
  si.nMax = static_cast<int>(std::clamp<int64_t>(m_heights.Total(), 0, INT_MAX));
  si.nPage = static_cast<UINT>(client.Height() + 1);
  SetScrollInfo(SB_VERT, &si, bRedrawBar);
  // The range may have pulled the position back under an open editor.
  if (ValidIndex(m_nEditItem) && m_edit.IsWindowVisible()) {
    CListItemRects rects;
    GetItemRects(m_nEditItem, rects);
    m_edit.MoveWindow(&rects.m_rcValue, TRUE);
  }
}

void CNbEditList::GetItemCell(int nIndex, RECT* pRect) const {
  if (!pRect) return;
  if (!ValidIndex(nIndex)) {
    *pRect = RECT{};
    return;
  }
  EnsureHeights();
  int64_t top = 1 + m_heights.Top(nIndex) - ScrollPos();
  int width = m_hWnd ? m_nLayoutWidth : Row(nIndex).m_nWidth;
  int height = EffectiveHeight(Row(nIndex));
  top = std::clamp<int64_t>(top, INT_MIN / 2, INT_MAX / 2);
  *pRect = RECT{0, static_cast<int>(top), width, static_cast<int>(top) + height};
}

void CNbEditList::GetItemRects(int nIndex, CListItemRects& rects) const {
  CRect cell;
  GetItemCell(nIndex, &cell);
  GetItemRects(cell, rects);
}

void CNbEditList::GetItemRects(CRect rcCell, CListItemRects& rects) const {
  rects.m_rcCell = rcCell;
  int x = m_nLabelWidth > 0 ? m_nLabelWidth : rcCell.Width() / 3;
  rects.m_rcLabel = CRect(rcCell.left + 5, rcCell.top + 2, x - 5, rcCell.bottom - 3);
  rects.m_rcValue = CRect(x + 2, rcCell.top + 1, rcCell.right - 2, rcCell.bottom - 2);
}

int CNbEditList::PtToItemIndex(CPoint pt) const {
  if (pt.x < 0 || pt.x >= (m_hWnd ? m_nLayoutWidth : 0)) return -1;
  EnsureHeights();
  return m_heights.IndexAt(static_cast<int64_t>(pt.y) - 1 + ScrollPos());
}

void CNbEditList::ScrollTo(int nPos) {
  SCROLLINFO si{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, nPos, 0};
  SetScrollInfo(SB_VERT, &si, TRUE);
  Redraw();
  if (ValidIndex(m_nEditItem) && m_edit.IsWindowVisible()) {
    CListItemRects rects;
    GetItemRects(m_nEditItem, rects);
    m_edit.MoveWindow(&rects.m_rcValue, TRUE);
    m_edit.ShowScrollBar(SB_BOTH, FALSE);
  }
}

void CNbEditList::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
  SCROLLINFO si{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(SB_VERT, &si, SIF_ALL);
  int64_t pos = si.nPos, next = pos;
  int client = ClientRect().Height();
  switch (nSBCode) {
    case SB_LINEUP: next = pos - m_nRowHeight; break;
    case SB_LINEDOWN: next = pos + m_nRowHeight; break;
    case SB_PAGEUP: next = pos - client; break;
    case SB_PAGEDOWN: next = pos + client; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: next = static_cast<int>(nPos); break;
    case SB_ENDSCROLL: return;
    default: break;
  }
  next = std::clamp<int64_t>(next, 0, std::max(si.nMax, 0));
  if (next != pos) ScrollTo(static_cast<int>(next));
}

BOOL CNbEditList::OnMouseWheel(UINT, short zDelta, CPoint) {
  int notches = std::abs(zDelta / WHEEL_DELTA);
  for (int k = 0; k < notches; ++k) OnVScroll(zDelta < 0 ? SB_LINEDOWN : SB_LINEUP, 0, nullptr);
  return static_cast<BOOL>(Default());
}

int CNbEditList::EnsureVisible(int nIndex) {
  if (!ValidIndex(nIndex) || !m_hWnd) return 0;
  CRect cell, client = ClientRect();
  GetItemCell(nIndex, &cell);
  if (cell.top >= client.top && cell.bottom <= client.bottom) return 0;
  int shift = cell.top < client.top ? cell.top - client.top : cell.bottom - client.bottom;
  int64_t target = static_cast<int64_t>(ScrollPos()) + shift;
  OnVScroll(SB_THUMBPOSITION, static_cast<UINT>(std::clamp<int64_t>(target, 0, INT_MAX)), nullptr);
  return 0;
}

void CNbEditList::RefreshItem(int nIndex) {
  if (!ValidIndex(nIndex) || !m_hWnd) return;
  CRect cell, meet, client = ClientRect();
  GetItemCell(nIndex, &cell);
  if (meet.IntersectRect(&cell, &client)) InvalidateRect(&cell, TRUE);
}

void CNbEditList::InvalidateFrom(int nIndex) {
  if (!ValidIndex(nIndex) || !m_hWnd) return;
  CRect cell, client = ClientRect();
  GetItemCell(nIndex, &cell);
  CRect below(client.left, std::max(cell.top, client.top), client.right, client.bottom);
  if (!below.IsRectEmpty()) InvalidateRect(&below, TRUE);
}

void CNbEditList::Update(int nIndex) {
  if (!ValidIndex(nIndex) || !m_hWnd) return;
  CRect cell;
  GetItemCell(nIndex, &cell);
  RedrawWindow(&cell, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CNbEditList::Redraw(LPCRECT lpRect) {
  if (m_hWnd) RedrawWindow(lpRect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CNbEditList::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (!m_hWnd) return;
  UpdateViewInfo();
  Redraw();
}
