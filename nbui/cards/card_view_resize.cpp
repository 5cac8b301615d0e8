// The card views' resizing of all cards by dragging a gap between columns or
// rows: bands drawn by inversion follow the pointer, the size is applied on
// release (or on WM_CANCELMODE) and dropped on Escape.
#include <algorithm>

#include "cards/card_view_core.h"
#include "mfc/paint_dc.h"
#include "win/resources.h"
#include "resources/resource_ids.h"

using namespace nbui::cards;

void CCardViewCore::GetDragRects(CArray<CRect, CRect&>* pOut, int nSize, int nMode) {
  if (!pOut) return;
  pOut->RemoveAll();
  nSize = std::max(nSize, 1);
  CRect client = ClientRect();
  // Measured as a cell without a photo, like every band computation.
  CCardRects rects;
  GetCardRects(CRect(0, 0, nSize, nSize), rects, FALSE);
  int extent = nMode == DRAG_HEIGHT ? client.Height() : client.Width();
  int n = (extent + nSize - 1) / nSize;
  for (int k = 0; k < n; ++k) {
    int edge = (k + 1) * nSize;
    CRect band = nMode == DRAG_HEIGHT ? CRect(0, edge - 4, client.Width(), edge + 1)
                                      : CRect(edge - 4, 0, edge + 1, client.Height());
    pOut->Add(band);
  }
}

int CCardViewCore::PtInDragRects(CPoint pt, CArray<CRect, CRect&>* pOut, int* pMode) {
  if (m_aCards.empty() || (m_nFlags & CVF_NORESIZE) != 0) return 0;
  for (int mode : {DRAG_WIDTH, DRAG_HEIGHT}) {
    CArray<CRect, CRect&> bands;
    GetDragRects(&bands, mode == DRAG_WIDTH ? m_nCardWidth : m_nCardHeight, mode);
    for (INT_PTR k = 0; k < bands.GetSize(); ++k) {
      if (!bands[k].PtInRect(pt)) continue;
      if (pOut) pOut->Copy(bands);
      if (pMode) *pMode = mode;
      return 1;
    }
  }
  return 0;
}

void CCardViewCore::DrawDragRects(CArray<CRect, CRect&>* pNew, CArray<CRect, CRect&>* pOld) {
  CClientDC dc(this);
  CBrush gray;
  gray.CreateSolidBrush(RGB(128, 128, 128));
  for (CArray<CRect, CRect&>* bands : {pOld, pNew}) {
    if (!bands || bands->GetSize() == 0) continue;
    // A frame as thick as the band inverts all of it.
    CSize whole(bands->GetAt(0).Width(), bands->GetAt(0).Height());
    for (INT_PTR k = 0; k < bands->GetSize(); ++k) dc.DrawDragRect(&bands->ElementAt(k), whole, nullptr, CSize(0, 0), &gray);
  }
}

void CCardViewCore::OnDragRectComplete(BOOL bCancel) {
  DrawDragRects(&m_aDragRects, nullptr);
  m_aDragRects.RemoveAll();
  if (!bCancel) {
    int& size = m_nDragMode == DRAG_WIDTH ? m_nCardWidth : m_nCardHeight;
    if ((m_nDragMode == DRAG_WIDTH || m_nDragMode == DRAG_HEIGHT) && m_nDragSize != size) {
      size = std::max(m_nDragSize, 1);
      UpdateViewInfo();
      Repaint();
    }
  }
  m_nDragMode = DRAG_NONE;
}

void CCardViewCore::OnMouseMove(UINT nFlags, CPoint point) {
  if (GetCapture() != this || (m_nDragMode != DRAG_WIDTH && m_nDragMode != DRAG_HEIGHT)) {
    CWnd::OnMouseMove(nFlags, point);
    return;
  }
  SetResizeCursor(m_nDragMode);
  int size = DragSizeAt(point);
  if (size != m_nDragSize) {
    CArray<CRect, CRect&> bands;
    GetDragRects(&bands, size, m_nDragMode);
    m_nDragSize = size;
    DrawDragRects(&bands, &m_aDragRects);
    m_aDragRects.Copy(bands);
    SetResizeCursor(m_nDragMode);
  }
  CWnd::OnMouseMove(nFlags, point);
}

void CCardViewCore::OnCancelMode() {
  CWnd::OnCancelMode();
  // Losing the mouse keeps the size reached so far.
  if (m_nDragMode == DRAG_WIDTH || m_nDragMode == DRAG_HEIGHT) OnDragRectComplete(FALSE);
}

void CCardViewCore::SetResizeCursor(int nMode) {
  UINT id = nMode == DRAG_WIDTH ? IDC_NB_RESIZE_COLUMN : IDC_NB_RESIZE_ROW;
  // The cursors come with the application's resources (a language module);
  // without them the system's sizing cursors serve.
  HCURSOR cursor = nullptr;
  if (HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_CURSOR)) {
    cursor = LoadCursor(module, MAKEINTRESOURCE(id));
  }
  if (!cursor) cursor = LoadCursor(nullptr, nMode == DRAG_WIDTH ? IDC_SIZEWE : IDC_SIZENS);
  SetCursor(cursor);
}

BOOL CCardViewCore::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (pWnd == this && nHitTest == HTCLIENT && (m_nFlags & CVF_NORESIZE) == 0) {
    CPoint pt;
    GetCursorPos(&pt);
    ScreenToClient(&pt);
    int mode = DRAG_NONE;
    if (PtInDragRects(pt, nullptr, &mode)) {
      SetResizeCursor(mode);
      return TRUE;
    }
  }
  return CWnd::OnSetCursor(pWnd, nHitTest, message);
}
