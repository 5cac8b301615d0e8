// What sets CNbCardView apart from the photo view: its sizes, its header of
// 20 or 32 pixels and a resize drag kept off the client area's edge.
#include <algorithm>

#include "cards/card_view.h"

using namespace nbui::cards;

CNbCardView::CNbCardView() : CCardViewCore(Defaults{220, 170, 50, 50, 2}) {}

void CNbCardView::GetCardRects(CRect rcCell, CCardRects& rects, BOOL bPhoto) {
  m_nHeaderHeight = bPhoto ? kPhotoHeaderHeight : kHeaderHeight;
  GridCardRects(rcCell, m_nHeaderHeight, rects);
}

int CNbCardView::DragSizeAt(CPoint point) {
  CRect client = ClientRect();
  if (m_nDragMode == DRAG_WIDTH) {
    // Keep the gap off the scroll bar's edge (or the window's, without one).
    int margin = ScrollMax() == 0 ? GetSystemMetrics(SM_CYVTHUMB) : 5;
    point.x = std::min<int>(point.x, client.right - margin);
    return GridDragSize(m_ptDragStart.x, point.x, m_nCardWidth, m_nMinCardWidth);
  }
  point.y = std::min<int>(point.y, client.bottom - 5);
  return GridDragSize(m_ptDragStart.y, point.y, m_nCardHeight, m_nMinCardHeight);
}
