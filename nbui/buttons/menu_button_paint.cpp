// The menu button's drawing in theme item 13: a black frame, beveled edges
// that sink while pressed, the record's background, the focus mark and the
// caption on one line.
#include "NbThemes/nbthemes.h"
#include "buttons/menu_button.h"
#include "mfc/gdiobj.h"

namespace {
constexpr int kButtonItem = 13;
constexpr UINT kCaptionFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;  // 0x8025
}  // namespace

void CNbMenuButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  NBTHEMEITEMINFO info{};
  if (NbThemeGetItemInfo(kButtonItem, &info) != 0) return;
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  if (!pDC) return;
  bool pressed = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
  bool focused = (lpDrawItemStruct->itemState & ODS_FOCUS) != 0;
  CRect r(lpDrawItemStruct->rcItem);
  CBrush black(RGB(0, 0, 0));
  pDC->FrameRect(&r, &black);
  r.DeflateRect(1, 1);
  COLORREF light = 0, shadow = 0;
  NbThemeGetItemColors(kButtonItem, nullptr, &light, &shadow, nullptr);
  if (pressed) pDC->Draw3dRect(&r, shadow, light);
  else pDC->Draw3dRect(&r, light, shadow);
  r.DeflateRect(1, 1);
  pDC->FillSolidRect(&r, info.crColor1);
  if (focused) {
    CRect mark = r;
    mark.DeflateRect(1, 1);
    COLORREF oldBack = pDC->SetBkColor(info.crColor1);
    NbThemeDrawFocus(pDC, &mark, kButtonItem);
    pDC->SetBkColor(oldBack);
  }
  if (pressed) r.OffsetRect(1, 1);
  CFont* oldFont = pDC->SelectObject(NbThemeGetFont());
  int oldMode = pDC->SetBkMode(TRANSPARENT);
  CString caption;
  GetWindowText(caption);
  CRect text = r;
  text.DeflateRect(5, 0);
  NbThemeDrawItemText(pDC, caption, &text, kButtonItem, 0, kCaptionFormat);
  pDC->SetBkMode(oldMode);
  if (oldFont) pDC->SelectObject(oldFont);
}
