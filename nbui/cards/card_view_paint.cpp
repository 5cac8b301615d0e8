// The card views' painting: the whole client area composed off-screen and
// copied in one blit; only the cards whose cells meet the client area are
// described and drawn.
#include <algorithm>

#include "NbThemes/nbthemes.h"
#include "cards/card_paint_items.h"
#include "cards/card_view.h"
#include "frame/offscreen_paint.h"
#include "mfc/paint_dc.h"
#include "resources/resource_ids.h"

using namespace nbui::cards;

using namespace nbui::cards::paint;

CFont* CCardViewCore::GetLabelFont() const { return NbThemeGetFont(); }

void CCardViewCore::OnPaint() {
  CPaintDC dc(this);
  CRect client = ClientRect();
  nbui::PaintOffscreen(dc, client, [&](CDC* pDC) { PaintAll(pDC, client); });
}

void CCardViewCore::PaintAll(CDC* pDC, const CRect& client) {
  DrawBackground(pDC);
  DrawCards(pDC);
  if (ScrollMax() != 0) {
    // The edge against the scroll bar.
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* old = pDC->SelectObject(&pen);
    NbThemeDrawLine(pDC, client.right - 1, client.top, client.right - 1, client.bottom);
    pDC->SelectObject(old);
  }
}

void CCardViewCore::DrawBackground(CDC* pDC) {
  CRect client = ClientRect();
  NbThemeFillItem(pDC, &client, kItemBackground, 0);
}

void CCardViewCore::DrawCards(CDC* pDC) {
  CRect client = ClientRect();
  if (!m_aCards.empty()) {
    int first = 0, last = 0;
    GridVisibleRange(client.Height(), GetCardCount(), m_nColumns, FirstRow(), m_nCardHeight, &first, &last);
    for (int i = first; i < last; ++i) DrawCard(pDC, i);
    return;
  }
  CString text;
  if (!text.LoadString(IDS_NB_NO_ITEMS)) text = "\n\nThere are no items to show in this view";
  CFont* old = pDC->SelectObject(GetLabelFont());
  int oldMode = pDC->SetBkMode(TRANSPARENT);
  NbThemeDrawItemText(pDC, text, &client, kItemBackground, 0, kNoItemsFormat);
  pDC->SetBkMode(oldMode);
  pDC->SelectObject(old);
}

void CCardViewCore::DrawCard(CDC* pDC, int nIndex) {
  CRect cell, client = ClientRect(), meet;
  GetCardCell(nIndex, &cell);
  if (!meet.IntersectRect(&cell, &client)) return;
  CCardDesc desc;
  GetCardDescription(nIndex, desc);
  CCardRects rects;
  GetCardRects(cell, rects, desc.m_bPhoto);
  bool focus = HasFocus() && nIndex == m_nFocusCard;

  COLORREF background = 0;
  NbThemeGetItemColors(kItemBackground, &background, nullptr, nullptr, nullptr);
  CRect shadow = rects.m_rcCard;
  shadow.OffsetRect(2, 2);
  pDC->FillSolidRect(&shadow, NbThemeShadeColor(background, -64));
  if (focus) {
    CRect ring = rects.m_rcCard;
    ring.InflateRect(1, 1);
    pDC->FrameRect(&ring, StockBrush(BLACK_BRUSH));
  }
  pDC->FrameRect(&rects.m_rcCard, StockBrush(BLACK_BRUSH));
  CRect inner = rects.m_rcCard;
  inner.DeflateRect(1, 1);
  pDC->FrameRect(&inner, StockBrush(WHITE_BRUSH));

  DrawCardHeaderBackground(pDC, nIndex, desc, rects);
  if (desc.m_bContentHidden) {
    NbThemeFillItemAlt(pDC, &rects.m_rcBody, kItemBody, 0);
  } else {
    NbThemeFillItem(pDC, &rects.m_rcBody, kItemBody, 0);
  }
  DrawCardDescription(pDC, nIndex, desc, rects);
  if (focus) {
    COLORREF oldBk = pDC->SetBkColor(RGB(255, 255, 255));
    CRect mark = rects.m_rcCard;
    mark.DeflateRect(2, 2);
    NbThemeDrawFocus(pDC, &mark, kItemFocus);
    pDC->SetBkColor(oldBk);
  }
}

void CCardViewCore::DrawCardHeaderBackground(CDC* pDC, int nIndex, const CCardDesc& desc, const CCardRects& rects) {
  bool selected = IsCardSelected(nIndex) != 0;
  if (desc.m_bContentHidden) {
    NbThemeFillItemAlt(pDC, &rects.m_rcHeader, selected ? kItemSelectedHeader : kItemHeader, 0);
    return;
  }
  if (selected) {
    NbThemeFillItem(pDC, &rects.m_rcHeader, kItemSelectedHeader, 0);
    return;
  }
  NBTHEMEITEMINFO info{};
  bool gradient = NbThemeGetItemInfo(kItemHeader, &info) == 0 && info.nKind == NB_THEME_KIND_GRADIENT &&
                  (info.nGradientMode == NB_THEME_GRADIENT_HORIZONTAL || info.nGradientMode == NB_THEME_GRADIENT_SHEEN);
  if (gradient && m_nColumns > 1) {
    // One gradient runs across all the columns; each header is its slice.
    int column = nIndex % m_nColumns;
    COLORREF from = NbThemeBlendColor(info.crColor1, info.crColor2, m_nColumns, column);
    COLORREF to = NbThemeBlendColor(info.crColor1, info.crColor2, m_nColumns, column + 1);
    NbThemeFillGradient(pDC, &rects.m_rcHeader, from, to, info.nGradientMode);
  } else {
    NbThemeFillItem(pDC, &rects.m_rcHeader, kItemHeader, 0);
  }
}

void CNbCardView::DrawCardDescription(CDC* pDC, int nIndex, const CCardDesc& desc, const CCardRects& rects) {
  if (desc.m_bContentHidden) return;
  int item = IsCardSelected(nIndex) ? kItemSelectedHeader : kItemHeader;
  COLORREF c1 = 0, c2 = 0, c3 = 0, c4 = 0;
  NbThemeGetItemColors(item, &c1, &c2, &c3, &c4);
  int oldMode = pDC->SetBkMode(TRANSPARENT);
  CFont* oldFont = pDC->SelectObject(NbThemeGetBoldFont());
  const CRect& header = rects.m_rcHeader;

  // The category box at the header's right end, shown when it takes at most
  // half the header.
  int w = pDC->GetTextExtent(desc.m_strCategory).cx;
  CRect box(header.right - w - 4, header.top, header.right, header.bottom);
  bool category = !desc.m_strCategory.IsEmpty() && w + 4 <= header.Width() / 2;
  int titleRight = (category ? box.left : header.right) - 2;

  // Icons right to left, each taking its width from the title.
  for (CBitmap* icon : {desc.m_bNote ? &m_bmpNote : nullptr, desc.m_bPrivate ? &m_bmpPrivate : nullptr}) {
    if (!icon) continue;
    CSize size = BitmapSize(*icon);
    titleRight -= size.cx;
    NbThemeDrawTransparentBitmap(pDC, icon, titleRight, header.top + (header.Height() - size.cy) / 2 - 1,
                                 kIconTransparent);
  }
  if (desc.m_bPhoto) {
    CPen pen(PS_SOLID, 1, c4);
    CPen* oldPen = pDC->SelectObject(&pen);
    NbThemeDrawLine(pDC, rects.m_rcPhoto.right, header.top, rects.m_rcPhoto.right, header.bottom);
    pDC->SelectObject(oldPen);
    DrawCardPhoto(pDC, nIndex, rects);
  }

  CRect title(header.left, header.top, titleRight, header.bottom);
  title.DeflateRect(2, 2);
  if (desc.m_bPhoto) {
    // One or two wrapped lines, centred vertically.
    title.left = rects.m_rcPhoto.right + 5;
    CRect measured = title;
    pDC->DrawText(desc.m_strTitle, &measured, DT_CALCRECT | DT_WORDBREAK);
    if (measured.Height() < title.Height()) title.OffsetRect(0, (title.Height() - measured.Height()) / 2 - 1);
  } else if (m_nFlags & CVF_CHECKBOXES) {
    title.left = rects.m_rcCheck.right + 3;
  }
  if (m_nFlags & CVF_CHECKBOXES) DrawCheckBox(pDC, nIndex, rects, c2, c3);
  if (category) NbThemeDrawSeparator(pDC, CRect(box.left, header.top, box.left + 1, header.bottom), c1, c4);
  NbThemeDrawItemText(pDC, desc.m_strTitle, &title, item, 0, desc.m_bPhoto ? kPhotoTitleFormat : kTitleFormat);

  // The category was measured in the header font but shows in the label font.
  pDC->SelectObject(oldFont);
  oldFont = pDC->SelectObject(GetLabelFont());
  if (category) NbThemeDrawItemText(pDC, desc.m_strCategory, &box, item, 0, kCategoryFormat);

  DrawClippedBody(pDC, nIndex, rects);

  pDC->SelectObject(oldFont);
  pDC->SetBkMode(oldMode);
}

void CCardViewCore::DrawClippedBody(CDC* pDC, int nIndex, const CCardRects& rects) {
  CRect body = rects.m_rcBody;
  body.DeflateRect(2, 2);
  CRgn clip;
  clip.CreateRectRgnIndirect(&body);
  pDC->SelectClipRgn(&clip);
  DrawCardBody(pDC, nIndex, &body);
  pDC->SelectClipRgn(nullptr);
}

void CCardViewCore::DrawCheckBox(CDC* pDC, int nIndex, const CCardRects& rects, COLORREF c2, COLORREF c3) {
  CRect box = rects.m_rcCheck;
  pDC->Draw3dRect(&box, c3, c2);
  box.DeflateRect(1, 1);
  pDC->FrameRect(&box, StockBrush(BLACK_BRUSH));
  box.DeflateRect(1, 1);
  pDC->FillSolidRect(&box, RGB(255, 255, 255));
  if (IsCardChecked(nIndex)) NbThemeDrawBitmapInRect(pDC, &m_bmpCheck, &rects.m_rcCheck, 0);
}

void CNbCardView::DrawCardPhoto(CDC* pDC, int nIndex, const CCardRects& rects) {
  COLORREF fill = 0;
  NbThemeGetItemColors(kItemPhoto, &fill, nullptr, nullptr, nullptr);
  pDC->FillSolidRect(&rects.m_rcPhoto, fill);
  CRect photo = rects.m_rcPhoto;
  DrawPhoto(pDC, nIndex, &photo);
}

void CNbCardView::DrawCardBody(CDC* pDC, int nIndex, RECT* pRect) {
  CCardDesc desc;
  GetCardDescription(nIndex, desc);
  int oldMode = pDC->SetBkMode(TRANSPARENT);
  CFont* oldFont = pDC->SelectObject(GetLabelFont());
  COLORREF text = 0;
  NbThemeGetItemColors(kItemBody, nullptr, nullptr, nullptr, &text);
  COLORREF oldText = pDC->SetTextColor(text);
  DrawFormattedText(pDC, desc.m_strText, pRect);
  pDC->SetTextColor(oldText);
  pDC->SelectObject(oldFont);
  pDC->SetBkMode(oldMode);
}
