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
  // The row at the top edge, found in the prefix sums; rows follow until
  // one starts below the bottom edge.
  int first = std::max(PtToItemIndex(CPoint(0, client.top)), 0);
  for (int i = first; i < GetItemCount(); ++i) {
    CRect cell;
    GetItemCell(i, &cell);
    if (cell.top >= client.bottom) break;
    DrawItem(pDC, i);
  }
}

void CNbEditList::DrawItem(CDC* pDC, int nIndex) {
  if (!ValidIndex(nIndex)) return;
  CRect cell, client = ClientRect(), meet;
  GetItemCell(nIndex, &cell);
  if (!meet.IntersectRect(&cell, &client) || Row(nIndex).m_bCollapsed) return;
  CListItemRects rects;
  GetItemRects(cell, rects);
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
  DrawItemDescription(pDC, nIndex);
}

void CNbEditList::DrawItemDescription(CDC* pDC, int nIndex) {
  if (!ValidIndex(nIndex)) return;
  CListItemRects rects;
  GetItemRects(nIndex, rects);
  const CListItem& row = Row(nIndex);
  int oldMode = pDC->SetBkMode(TRANSPARENT);
  CFont* oldFont = pDC->SelectObject(NbThemeGetFont());
  UINT labelFormat = kLabelFormat | (row.m_nType == NB_EDITLIST_TYPE_LEFTLABEL ? 0 : DT_RIGHT);
  CString label = row.m_desc.m_strLabel, value = row.m_desc.m_strValue;
  if (row.HasMenu()) NbThemeDrawMenuText(pDC, label, &rects.m_rcLabel, kItemText, 0, labelFormat);
  else NbThemeDrawItemText(pDC, label, &rects.m_rcLabel, kItemText, 0, labelFormat);
  NbThemeDrawItemText(pDC, value, &rects.m_rcValue, kItemText, 0, kValueFormat);
  pDC->SelectObject(oldFont);
  pDC->SetBkMode(oldMode);
}

int CNbEditList::DrawFormattedText(CDC* pDC, const char* pszText, RECT* pRect) {
  return nbui::DrawFormattedLines(pDC, pszText, pRect, m_nTabStop);
}
