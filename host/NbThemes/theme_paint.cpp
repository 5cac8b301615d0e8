// The theme's painters. Each leaves the DC as it found it: colors, modes
// and selected objects are restored before returning.
#include <algorithm>
#include <cstdlib>

#include "NbThemes/theme_internal.h"

namespace {

using nbthemes::FindItem;
using nbthemes::ThemeItem;

constexpr COLORREF kTransparentRed = RGB(255, 0, 0);

bool Usable(CDC* pDC, LPCRECT lpRect) { return pDC && pDC->GetSafeHdc() && lpRect; }

// FillSolidRect sets the DC's background color; painters put it back.
class KeepBkColor {
 public:
  explicit KeepBkColor(CDC* dc) : dc_(dc), color_(dc->GetBkColor()) {}
  ~KeepBkColor() { dc_->SetBkColor(color_); }
  KeepBkColor(const KeepBkColor&) = delete;
  KeepBkColor& operator=(const KeepBkColor&) = delete;

 private:
  CDC* dc_;
  COLORREF color_;
};

// A memory DC holding the bitmap, released on scope exit.
class BitmapSource {
 public:
  BitmapSource(CDC* target, CBitmap* bitmap) {
    if (!bitmap || !bitmap->GetSafeHandle() || !dc_.CreateCompatibleDC(target)) return;
    BITMAP bm{};
    if (!bitmap->GetBitmap(&bm)) return;
    old_ = dc_.SelectObject(bitmap);
    if (!old_) return;
    width_ = bm.bmWidth;
    height_ = bm.bmHeight;
  }
  ~BitmapSource() {
    if (old_) dc_.SelectObject(old_);
  }
  BitmapSource(const BitmapSource&) = delete;
  BitmapSource& operator=(const BitmapSource&) = delete;

  bool ok() const { return old_ != nullptr && width_ > 0 && height_ > 0; }
  CDC* dc() { return &dc_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  CDC dc_;
  CBitmap* old_ = nullptr;
  int width_ = 0, height_ = 0;
};

void FillWithItem(CDC* pDC, const CRect& r, const ThemeItem& item) {
  if (item.kind == NB_THEME_KIND_GRADIENT)
    NbThemeFillGradient(pDC, r, item.color1, item.color2, item.gradientMode);
  else
    pDC->FillSolidRect(r, item.color1);
}

}  // namespace

int NbThemeFillItem(CDC* pDC, LPCRECT lpRect, int nItem, int) {
  const ThemeItem* item = FindItem(nItem);
  if (!item || !Usable(pDC, lpRect)) return 0;
  KeepBkColor keep(pDC);
  FillWithItem(pDC, CRect(lpRect), *item);
  return 1;
}

int NbThemeFillItemAlt(CDC* pDC, LPCRECT lpRect, int nItem, int) {
  const ThemeItem* item = FindItem(nItem);
  if (!item || !Usable(pDC, lpRect)) return 0;
  KeepBkColor keep(pDC);
  pDC->FillSolidRect(lpRect, NbThemeShadeColor(item->color1, 48));
  CBrush hatch(HS_BDIAGONAL, item->color1);
  int oldMode = pDC->SetBkMode(TRANSPARENT);
  pDC->FillRect(lpRect, &hatch);
  pDC->SetBkMode(oldMode);
  return 1;
}

void NbThemeFillGradient(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, int nMode) {
  if (!Usable(pDC, lpRect)) return;
  CRect r(lpRect);
  if (r.IsRectEmpty()) return;
  // The colors follow the whole rectangle, but only the stripes the DC can
  // show are filled: a title across a huge window costs what its visible
  // part costs.
  CRect shown(r);
  CRect box;
  int clip = pDC->GetClipBox(&box);
  if (clip == NULLREGION || (clip != ERROR && !shown.IntersectRect(&r, &box))) return;
  KeepBkColor keep(pDC);
  int w = r.Width(), h = r.Height();
  switch (nMode) {
    case NB_THEME_GRADIENT_HORIZONTAL:
    case NB_THEME_GRADIENT_SHEEN:
      for (int x = shown.left - r.left; x < shown.right - r.left; ++x) {
        COLORREF c = NbThemeBlendColor(crFrom, crTo, w - 1, x);
        int upper = nMode == NB_THEME_GRADIENT_SHEEN ? h / 2 : 0;
        if (upper > 0) pDC->FillSolidRect(r.left + x, r.top, 1, upper, NbThemeShadeColor(c, 24));
        pDC->FillSolidRect(r.left + x, r.top + upper, 1, h - upper, c);
      }
      break;
    case NB_THEME_GRADIENT_VERTICAL:
      for (int y = shown.top - r.top; y < shown.bottom - r.top; ++y)
        pDC->FillSolidRect(shown.left, r.top + y, shown.Width(), 1, NbThemeBlendColor(crFrom, crTo, h - 1, y));
      break;
    default:
      pDC->FillSolidRect(r, crFrom);
      break;
  }
}

BOOL NbThemeDrawLine(CDC* pDC, int x1, int y1, int x2, int y2) {
  if (!pDC || !pDC->GetSafeHdc()) return FALSE;
  pDC->MoveTo(x1, y1);
  return pDC->LineTo(x2, y2);
}

int NbThemeDrawItemText(CDC* pDC, LPCTSTR lpszText, LPRECT lpRect, int nItem, int, UINT nFormat) {
  const ThemeItem* item = FindItem(nItem);
  if (!item || !Usable(pDC, lpRect) || !lpszText) return 0;
  COLORREF old = pDC->SetTextColor(item->text);
  int height = pDC->DrawText(lpszText, -1, lpRect, nFormat);
  pDC->SetTextColor(old);
  return height;
}

int NbThemeDrawMenuText(CDC* pDC, LPCTSTR lpszText, LPRECT lpRect, int nItem, int, UINT nFormat) {
  // The mark after the text:    #####
  //                              ###
  //                               #
  constexpr int kGap = 3, kMarkWidth = 5, kRoom = kGap + kMarkWidth;
  const ThemeItem* item = FindItem(nItem);
  if (!item || !Usable(pDC, lpRect) || !lpszText) return 0;
  CRect text(lpRect);
  text.right = std::max(text.left, text.right - kRoom);

  // Where the text ends: its measured width, at most the room it has, placed
  // as the format places it.
  CRect measure(0, 0, text.Width(), text.Height());
  UINT measureFormat = (nFormat & (DT_NOPREFIX | DT_EXPANDTABS | DT_TABSTOP | 0xFF00)) | DT_SINGLELINE | DT_CALCRECT;
  pDC->DrawText(lpszText, -1, &measure, measureFormat);
  int width = std::min(measure.Width(), text.Width());
  int left = text.left;
  if (nFormat & DT_RIGHT) left = text.right - width;
  else if (nFormat & DT_CENTER) left = text.left + (text.Width() - width) / 2;

  COLORREF old = pDC->SetTextColor(item->text);
  int height = pDC->DrawText(lpszText, -1, &text, nFormat);
  pDC->SetTextColor(old);

  TEXTMETRIC tm{};
  pDC->GetTextMetrics(&tm);
  int middle = (nFormat & DT_SINGLELINE) && (nFormat & DT_VCENTER) ? text.top + text.Height() / 2
                                                                    : text.top + tm.tmHeight / 2;
  int x = std::min(left + width + kGap, static_cast<int>(lpRect->right) - kMarkWidth);
  KeepBkColor keep(pDC);
  for (int row = 0; row < 3; ++row)
    pDC->FillSolidRect(x + row, middle - 1 + row, kMarkWidth - 2 * row, 1, item->text);
  return height;
}

int NbThemeDrawFocus(CDC* pDC, LPCRECT lpRect, int nItem) {
  const ThemeItem* item = FindItem(nItem);
  if (!item || !Usable(pDC, lpRect)) return 0;
  CBrush dots(NbThemeGetPatternBitmap());
  COLORREF old = pDC->SetTextColor(item->text);
  pDC->FrameRect(lpRect, &dots);
  pDC->SetTextColor(old);
  return 1;
}

void NbThemeDrawSeparator(CDC* pDC, LPCRECT lpRect, COLORREF crColor1, COLORREF crColor2) {
  if (!Usable(pDC, lpRect)) return;
  CRect r(lpRect);
  int h = r.Height();
  if (h <= 0 || r.Width() <= 0) return;
  KeepBkColor keep(pDC);
  for (int y = 0; y < h; ++y) {
    // 0 in the middle, h - 1 at the two ends.
    int fromMiddle = std::abs(2 * y - (h - 1));
    pDC->FillSolidRect(r.left, r.top + y, r.Width(), 1, NbThemeBlendColor(crColor2, crColor1, h - 1, fromMiddle));
  }
}

void NbThemeFillTriangle(POINT pt1, POINT pt2, POINT pt3, CDC* pDC, COLORREF cr) {
  if (!pDC || !pDC->GetSafeHdc()) return;
  POINT points[3] = {pt1, pt2, pt3};
  CPen pen(PS_SOLID, 1, cr);
  CBrush brush(cr);
  CPen* oldPen = pDC->SelectObject(&pen);
  CBrush* oldBrush = pDC->SelectObject(&brush);
  pDC->Polygon(points, 3);
  pDC->SelectObject(oldBrush);
  pDC->SelectObject(oldPen);
}

BOOL NbThemeDrawTransparentBitmap(CDC* pDC, CBitmap* pBitmap, int x, int y, COLORREF crTransparent) {
  if (!pDC || !pDC->GetSafeHdc()) return FALSE;
  BitmapSource src(pDC, pBitmap);
  if (!src.ok()) return FALSE;
  return TransparentBlt(pDC->GetSafeHdc(), x, y, src.width(), src.height(), src.dc()->GetSafeHdc(), 0, 0,
                        src.width(), src.height(), crTransparent);
}

BOOL NbThemeDrawBitmapInRect(CDC* pDC, CBitmap* pBitmap, LPCRECT lpRect, int) {
  if (!Usable(pDC, lpRect)) return FALSE;
  BitmapSource src(pDC, pBitmap);
  CRect box(lpRect);
  if (!src.ok() || box.IsRectEmpty()) return FALSE;
  int w = src.width(), h = src.height();
  if (w > box.Width() || h > box.Height()) {
    // Scale down by the tighter of the two ratios, never to nothing.
    if (static_cast<long>(w) * box.Height() > static_cast<long>(h) * box.Width()) {
      h = std::max(1, static_cast<int>(static_cast<long>(h) * box.Width() / w));
      w = box.Width();
    } else {
      w = std::max(1, static_cast<int>(static_cast<long>(w) * box.Height() / h));
      h = box.Height();
    }
  }
  int x = box.left + (box.Width() - w) / 2, y = box.top + (box.Height() - h) / 2;
  return TransparentBlt(pDC->GetSafeHdc(), x, y, w, h, src.dc()->GetSafeHdc(), 0, 0, src.width(), src.height(),
                        kTransparentRed);
}

BOOL NBDrawPartialBitmap(CDC* pDC, CBitmap* pBitmap, LPCRECT lpRect, int xSrc, int ySrc) {
  if (!Usable(pDC, lpRect)) return FALSE;
  BitmapSource src(pDC, pBitmap);
  if (!src.ok()) return FALSE;
  CRect r(lpRect);
  if (xSrc < 0 || ySrc < 0 || xSrc >= src.width() || ySrc >= src.height()) return FALSE;
  int w = std::min(r.Width(), src.width() - xSrc), h = std::min(r.Height(), src.height() - ySrc);
  if (w <= 0 || h <= 0) return FALSE;
  return pDC->BitBlt(r.left, r.top, w, h, src.dc(), xSrc, ySrc, SRCCOPY);
}
