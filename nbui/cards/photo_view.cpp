// CNbPhotoView: its sizes, tile rectangles, bounded resize drag and the
// painting of the label band and the picture.
#include "cards/photo_view.h"

#include <algorithm>

#include "NbThemes/nbthemes.h"
#include "cards/card_paint_items.h"
#include "resources/resource_ids.h"

using namespace nbui::cards;
using namespace nbui::cards::paint;

namespace {

constexpr UINT kNoPhotoFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS;  // 0x8815
// The icons' column at the left of the body.
constexpr int kIconColumn = 16;

}  // namespace

CNbPhotoView::CNbPhotoView() : CCardViewCore(Defaults{144, 134, 80, 70, 5}) {}

void CNbPhotoView::GetCardRects(CRect rcCell, CPhotoCardRects& rects, BOOL) {
  GridPhotoCardRects(rcCell, m_nHeaderHeight, rects);
}

int CNbPhotoView::DragSizeAt(CPoint point) {
  // The pointer is not held off the client edge: the maximum bounds the
  // drag instead.
  bool width = m_nDragMode == DRAG_WIDTH;
  int size = width ? GridDragSize(m_ptDragStart.x, point.x, m_nCardWidth, m_nMinCardWidth)
                   : GridDragSize(m_ptDragStart.y, point.y, m_nCardHeight, m_nMinCardHeight);
  int lo = width ? m_nMinCardWidth : m_nMinCardHeight;
  int hi = width ? m_nMaxCardWidth : m_nMaxCardHeight;
  if (size < lo) return lo;
  return size > hi ? hi : size;
}

void CNbPhotoView::DrawCardDescription(CDC* pDC, int nIndex, const CPhotoCardDesc& desc,
                                       const CPhotoCardRects& rects) {
  if (desc.m_bContentHidden) return;
  int item = IsCardSelected(nIndex) ? kItemSelectedHeader : kItemHeader;
  int oldMode = pDC->SetBkMode(TRANSPARENT);
  CFont* oldFont = pDC->SelectObject(GetLabelFont());

  // Icons go before the body, so a host's picture may cover them.
  int y = rects.m_rcBody.top + 2;
  for (CBitmap* icon : {desc.m_bPrivate ? &m_bmpPrivate : nullptr, desc.m_bNote ? &m_bmpNote : nullptr}) {
    if (!icon) continue;
    CSize size = BitmapSize(*icon);
    NbThemeDrawTransparentBitmap(pDC, icon, rects.m_rcBody.left + (kIconColumn - size.cx) / 2 + 2, y,
                                 kIconTransparent);
    y += size.cy + 2;
  }

  CRect title = rects.m_rcHeader;
  title.DeflateRect(2, 2);
  if (m_nFlags & CVF_CHECKBOXES) {
    // The box takes clicks, so it is shown; the title keeps its centre by
    // giving up as much on the right as the box takes on the left.
    COLORREF c2 = 0, c3 = 0;
    NbThemeGetItemColors(item, nullptr, &c2, &c3, nullptr);
    DrawCheckBox(pDC, nIndex, rects, c2, c3);
    int take = rects.m_rcCheck.right + 3 - title.left;
    title.DeflateRect(take, 0);
  }
  NbThemeDrawItemText(pDC, desc.m_strTitle, &title, item, 0, kCategoryFormat);
  pDC->SelectObject(oldFont);

  DrawClippedBody(pDC, nIndex, rects);
  pDC->SetBkMode(oldMode);
}

void CNbPhotoView::DrawCardPhoto(CDC* pDC, int nIndex, const CPhotoCardRects& rects) {
  // No fill first: the body's background shows around and under the picture.
  CRect photo = rects.m_rcPhoto;
  DrawPhoto(pDC, nIndex, &photo);
}

void CNbPhotoView::DrawCardBody(CDC* pDC, int nIndex, RECT*) {
  CPhotoCardDesc desc;
  GetCardDescription(nIndex, desc);
  CPhotoCardRects rects;
  CRect cell;
  GetCardCell(nIndex, &cell);
  GetCardRects(cell, rects, desc.m_bPhoto);
  if (desc.m_bPhoto) {
    DrawCardPhoto(pDC, nIndex, rects);
    return;
  }
  CFont* oldFont = pDC->SelectObject(NbThemeGetBoldFont());
  CString text;
  if (!text.LoadString(IDS_NB_NO_PHOTO)) text = "No Photo";
  CRect r = rects.m_rcBody;
  r.DeflateRect(16, 0);
  CRect measured = r;
  pDC->DrawText(text, &measured, DT_CALCRECT | DT_WORDBREAK);
  r.OffsetRect(0, (r.Height() - measured.Height()) / 2);
  COLORREF color = 0;
  NbThemeGetItemColors(IsCardSelected(nIndex) ? kItemSelectedHeader : kItemHeader, &color, nullptr, nullptr,
                       nullptr);
  COLORREF oldText = pDC->SetTextColor(color);
  pDC->DrawText(text, &r, kNoPhotoFormat);
  pDC->SetTextColor(oldText);
  pDC->SelectObject(oldFont);
}
