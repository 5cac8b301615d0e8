// The edit list's painting: the client area composed off-screen and copied
// in one blit; only the rows that meet the client area are drawn.
#include <algorithm>

#include "NbThemes/nbthemes.h"
#include "cards/formatted_text.h"
#include "editlist/edit_list.h"
#include "frame/offscreen_paint.h"
#include "mfc/paint_dc.h"
#include "win/syscolors.h"

namespace {

constexpr int kItemBackground = 41;
constexpr int kItemSelectedFrame = 27;
constexpr int kItemText = 23;
constexpr UINT kLabelFormat = DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;
constexpr UINT kValueFormat = DT_NOPREFIX | DT_WORDBREAK;

COLORREF ItemColor(int item) {
  COLORREF c = 0;
  NbThemeGetItemColors(item, &c, nullptr, nullptr, nullptr);
  return c;
}

}  // namespace

void CNbEditList::OnPaint() {
  CPaintDC dc(this);
  nbui::PaintOffscreen(dc, ClientRect(), [this](CDC* pDC) {
    DrawBackground(pDC);
    DrawItems(pDC);
  });
}

void CNbEditList::OnSysColorChange() {
  Default();
  Redraw();
}

void CNbEditList::DrawBackground(CDC* pDC) {
  CRect client = ClientRect();
  pDC->FillSolidRect(&client, NbThemeShadeColor(ItemColor(kItemBackground), 32));
}

void CNbEditList::DrawItems(CDC* pDC) {
  CRect client = ClientRect();
  if (GetItemCount() == 0 || client.IsRectEmpty()) return;
  // The row at the top edge, found in the prefix sums; the rows below it
  // follow with a running top until one starts below the bottom edge.
  int first = std::max(PtToItemIndex(CPoint(0, client.top)), 0);
  CRect cell;
  GetItemCell(first, &cell);
  for (int i = first; i < GetItemCount() && cell.top < client.bottom; ++i) {
    cell.bottom = cell.top + EffectiveHeight(Row(i));
    CListItemRects rects;
    GetItemRects(cell, rects);
    DrawRow(pDC, i, rects);
    cell.top = cell.bottom;
  }
}

void CNbEditList::DrawItem(CDC* pDC, int nIndex) {
  if (!ValidIndex(nIndex)) return;
  CListItemRects rects;
  GetItemRects(nIndex, rects);
  DrawRow(pDC, nIndex, rects);
}

void CNbEditList::DrawRow(CDC* pDC, int nIndex, const CListItemRects& rects) {
  CRect client = ClientRect(), meet;
  if (!meet.IntersectRect(&rects.m_rcCell, &client) || Row(nIndex).m_bCollapsed) return;
  COLORREF background = ItemColor(kItemBackground);
  pDC->FillSolidRect(&rects.m_rcCell, NbThemeShadeColor(background, 32));
  bool selected = Row(nIndex).m_bSelected != 0;
  CBrush frame(selected ? ItemColor(kItemSelectedFrame) : NbThemeShadeColor(background, -32));
  CRect box = rects.m_rcValue;
  box.InflateRect(1, 1);
  pDC->FrameRect(&box, &frame);
  if (selected) {
    box.InflateRect(1, 1);
    pDC->FrameRect(&box, &frame);
  }
  pDC->FillSolidRect(&rects.m_rcValue, ::GetSysColor(COLOR_WINDOW));
  DrawRowTexts(pDC, nIndex, rects);
}

void CNbEditList::DrawItemDescription(CDC* pDC, int nIndex) {
  if (!ValidIndex(nIndex)) return;
  CListItemRects rects;
  GetItemRects(nIndex, rects);
  DrawRowTexts(pDC, nIndex, rects);
}

void CNbEditList::DrawRowTexts(CDC* pDC, int nIndex, const CListItemRects& rects) {
  const CListItem& row = Row(nIndex);
  int oldMode = pDC->SetBkMode(TRANSPARENT);
  CFont* oldFont = pDC->SelectObject(NbThemeGetFont());
  UINT labelFormat = kLabelFormat | (row.m_nType == NB_EDITLIST_TYPE_LEFTLABEL ? 0 : DT_RIGHT);
  CString label = row.m_desc.m_strLabel, value = row.m_desc.m_strValue;
  CRect labelRect = rects.m_rcLabel, valueRect = rects.m_rcValue;
  if (row.HasMenu()) NbThemeDrawMenuText(pDC, label, &labelRect, kItemText, 0, labelFormat);
  else NbThemeDrawItemText(pDC, label, &labelRect, kItemText, 0, labelFormat);
  NbThemeDrawItemText(pDC, value, &valueRect, kItemText, 0, kValueFormat);
  pDC->SelectObject(oldFont);
  pDC->SetBkMode(oldMode);
}

int CNbEditList::DrawFormattedText(CDC* pDC, const char* pszText, RECT* pRect) {
  return nbui::DrawFormattedLines(pDC, pszText, pRect, m_nTabStop);
}
