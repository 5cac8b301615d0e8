// The bitmap button's drawing: background, flat border or 3-D edges, then
// the picture, the caption or the default picture, and the focus.
#include "NbThemes/nbthemes.h"
#include "buttons/bitmap_button.h"
#include "cards/image_geometry.h"
#include "win/syscolors.h"

namespace {

constexpr int kCaptionItem = 21;
constexpr UINT kMeasureFormat = DT_WORDBREAK | DT_CENTER | DT_CALCRECT;  // 0x411
constexpr UINT kCaptionFormat = DT_CENTER | DT_WORDBREAK;                // 17

// The picture as a disabled button shows it: grey, and halfway to the
// button's face, so it reads as unavailable at a glance.
CxImage Greyed(const CxImage& image) {
  CxImage grey;
  grey.Copy(image);
  if (grey.GetBpp() < 24) grey.IncreaseBpp(24);
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (long y = 0; y < static_cast<long>(grey.GetHeight()); ++y) {
    for (long x = 0; x < static_cast<long>(grey.GetWidth()); ++x) {
      RGBQUAD c = grey.GetPixelColor(x, y);
      int luma = (c.rgbRed * 30 + c.rgbGreen * 59 + c.rgbBlue * 11) / 100;
      c.rgbRed = static_cast<BYTE>((luma + GetRValue(face)) / 2);
      c.rgbGreen = static_cast<BYTE>((luma + GetGValue(face)) / 2);
      c.rgbBlue = static_cast<BYTE>((luma + GetBValue(face)) / 2);
      grey.SetPixelColor(x, y, c);
    }
  }
  return grey;
}

}  // namespace

void CNbBitmapButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  if (!pDC) return;
  m_bPressed = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
  m_bFocused = (lpDrawItemStruct->itemState & ODS_FOCUS) != 0;
  int oldMode = pDC->SetBkMode(TRANSPARENT);
  CRect item(lpDrawItemStruct->rcItem);
  CRect r = item;
  if (!m_bFlat && m_bFocused) {
    CBrush black(RGB(0, 0, 0));
    pDC->FrameRect(&r, &black);
    r.DeflateRect(1, 1);
  }
  OnDrawBackground(pDC, &r);
  if (m_bPressed) {
    if (m_bFlat) {
      if (m_bBorder) OnDrawBorder(pDC, &r);
    } else {
      CBrush shadow(GetSysColor(COLOR_BTNSHADOW));
      pDC->FrameRect(&r, &shadow);
    }
  } else if (m_bFlat) {
    if (m_bHover && m_bBorder) OnDrawBorder(pDC, &r);
  } else {
    CRect edge = r;
    pDC->Draw3dRect(&edge, GetSysColor(COLOR_BTNHILIGHT), GetSysColor(COLOR_3DDKSHADOW));
    edge.DeflateRect(1, 1);
    pDC->Draw3dRect(&edge, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNSHADOW));
  }

  CString caption;
  GetWindowText(caption);
  CRect captionRect = item;
  if (m_pImage && m_pImage->IsValid()) {
    DrawTheBitmap(pDC, !caption.IsEmpty(), &item, &captionRect, m_bPressed);
  } else if (!caption.IsEmpty()) {
    DrawTheText(pDC, caption, &item, &captionRect, m_bPressed);
  } else {
    NbThemeDrawBitmapInRect(pDC, &m_bmpDefault, &item, 0);
  }

  if (m_bFocused && (!m_bFlat || m_bFlatFocus)) {
    CRect focus = r;
    focus.DeflateRect(3, 3);
    pDC->DrawFocusRect(&focus);
  }
  pDC->SetBkMode(oldMode);
}

DWORD CNbBitmapButton::OnDrawBackground(CDC* pDC, const RECT* pRect) {
  pDC->FillSolidRect(pRect, GetSysColor(COLOR_BTNFACE));
  return 0;
}

DWORD CNbBitmapButton::OnDrawBorder(CDC* pDC, const RECT* pRect) {
  COLORREF light = GetSysColor(COLOR_BTNHILIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  if (m_bPressed) pDC->Draw3dRect(pRect, shadow, light);
  else pDC->Draw3dRect(pRect, light, shadow);
  return 0;
}

void CNbBitmapButton::DrawTheBitmap(CDC* pDC, BOOL, RECT* rpItem, CRect*, BOOL) {
  if (IsWindowEnabled()) {
    NBDrawRectImage(pDC, m_pImage, rpItem);
    return;
  }
  CxImage grey = Greyed(*m_pImage);
  NBDrawRectImage(pDC, &grey, rpItem);
}

void CNbBitmapButton::DrawTheText(CDC* pDC, LPCTSTR lpszText, RECT*, CRect* rpCaption, BOOL) {
  CRect text = *rpCaption;
  pDC->DrawText(lpszText, -1, &text, kMeasureFormat);
  // Centred in the caption rectangle as it was before measuring; the
  // halves round toward zero.
  int dx = (rpCaption->Width() - text.Width()) / 2, dy = (rpCaption->Height() - text.Height()) / 2;
  text.OffsetRect(rpCaption->left + dx - text.left, rpCaption->top + dy - text.top);
  if (IsWindowEnabled()) {
    NbThemeDrawItemText(pDC, lpszText, &text, kCaptionItem, 0, kCaptionFormat);
    return;
  }
  COLORREF old = pDC->SetTextColor(GetSysColor(COLOR_GRAYTEXT));
  pDC->DrawText(lpszText, -1, &text, kCaptionFormat);
  pDC->SetTextColor(old);
}
