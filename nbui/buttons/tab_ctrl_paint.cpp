// The tab control's painting: the page frame, the strip and the tabs, drawn
// into memory and copied to the screen at once.
#include "NbThemes/nbthemes.h"
#include "buttons/tab_ctrl.h"
#include "mfc/gdiobj.h"
#include "mfc/paint_dc.h"

void CNbTabCtrl::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  CDC mem;
  CBitmap bits;
  if (!mem.CreateCompatibleDC(&dc) || !bits.CreateCompatibleBitmap(&dc, client.Width(), client.Height())) return;
  CBitmap* oldBits = mem.SelectObject(&bits);
  OnInitDC(&mem);
  DrawEntireControl(&mem, &client);
  BOOL focus = GetFocus() == this;
  for (int i = 0; i < GetCount(); ++i) m_items[static_cast<size_t>(i)]->Draw(&mem, i == m_nActive, focus);
  dc.BitBlt(0, 0, client.Width(), client.Height(), &mem, 0, 0, SRCCOPY);
  OnEndDC(&mem);
  mem.SelectObject(oldBits);
}

void CNbTabCtrl::DrawEntireControl(CDC* pDC, const RECT* pRect) {
  COLORREF light = 0, shadow = 0;
  NbThemeGetItemColors(19, nullptr, &light, &shadow, nullptr);
  CPen lightPen(PS_SOLID, 1, light), shadowPen(PS_SOLID, 1, shadow);
  bool top = (GetStyle() & NBTCS_TOP) != 0;
  CRect client(pRect);
  CRect page = client;
  if (top) page.top += GetItemHeight() - 1;
  else page.bottom -= GetItemHeight() - 1;
  NbThemeFillItem(pDC, &page, 19, 0);

  CPen* oldPen = pDC->SelectObject(&shadowPen);
  int l = page.left, t = page.top, r = page.right, b = page.bottom;
  NbThemeDrawLine(pDC, l, b - 2, r, b - 2);
  pDC->SelectStockObject(BLACK_PEN);
  NbThemeDrawLine(pDC, l, b - 1, r, b - 1);
  pDC->SelectObject(&lightPen);
  NbThemeDrawLine(pDC, l, t, r - 1, t);
  NbThemeDrawLine(pDC, l, t, l, b - 1);
  pDC->SelectStockObject(BLACK_PEN);
  NbThemeDrawLine(pDC, r - 1, t, r - 1, b - 1);
  pDC->SelectObject(&shadowPen);
  NbThemeDrawLine(pDC, r - 2, t + 1, r - 2, b - 1);

  CRect strip = client;
  if (top) strip.bottom = page.top;
  else strip.top = page.bottom;
  NbThemeFillItem(pDC, &strip, m_nColorRole, 0);
  NBTHEMEITEMINFO info{};
  if (top && NbThemeGetItemInfo(m_nColorRole, &info) == 0 && info.nKind == NB_THEME_KIND_BEVEL) {
    CPen dark(PS_SOLID, 1, NbThemeShadeColor(info.crColor1, -64));
    CPen soft(PS_SOLID, 1, NbThemeShadeColor(info.crColor1, -16));
    pDC->SelectObject(&dark);
    NbThemeDrawLine(pDC, strip.left, strip.top, strip.right, strip.top);
    pDC->SelectObject(&soft);
    NbThemeDrawLine(pDC, strip.left, strip.top + 1, strip.right, strip.top + 1);
  }
  pDC->SelectObject(oldPen);
}
