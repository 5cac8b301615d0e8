// The tab control's painting: the page frame, the strip and the tabs, drawn
// into memory and copied to the screen at once.
#include "NbThemes/nbthemes.h"
#include "buttons/tab_ctrl.h"
#include "buttons/tab_pens_internal.h"
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
  bool top = (GetStyle() & NBTCS_TOP) != 0;
  CRect client(pRect);
  CRect page = client;
  if (top) page.top += GetItemHeight() - 1;
  else page.bottom -= GetItemHeight() - 1;
  NbThemeFillItem(pDC, &page, 19, 0);

  nbui::tabs::TabPens pens(pDC);
  int l = page.left, t = page.top, r = page.right, b = page.bottom;
  pens.Shadow();
  pens.Line(l, b - 2, r, b - 2);
  pens.Black();
  pens.Line(l, b - 1, r, b - 1);
  pens.Light();
  pens.Line(l, t, r - 1, t);
  pens.Line(l, t, l, b - 1);
  pens.Black();
  pens.Line(r - 1, t, r - 1, b - 1);
  pens.Shadow();
  pens.Line(r - 2, t + 1, r - 2, b - 1);

  CRect strip = client;
  if (top) strip.bottom = page.top;
  else strip.top = page.bottom;
  NbThemeFillItem(pDC, &strip, m_nColorRole, 0);
  NBTHEMEITEMINFO info{};
  if (top && NbThemeGetItemInfo(m_nColorRole, &info) == 0 && info.nKind == NB_THEME_KIND_BEVEL) {
    CPen dark(PS_SOLID, 1, NbThemeShadeColor(info.crColor1, -64));
    CPen soft(PS_SOLID, 1, NbThemeShadeColor(info.crColor1, -16));
    pens.Use(&dark);
    pens.Line(strip.left, strip.top, strip.right, strip.top);
    pens.Use(&soft);
    pens.Line(strip.left, strip.top + 1, strip.right, strip.top + 1);
    pens.Light();
  }
}
