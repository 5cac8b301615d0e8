#include "cards/image_geometry.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

// side x num / den, rounded half up; den is positive.
int64_t ScaledSide(int64_t side, int64_t num, int64_t den) {
  return static_cast<int64_t>(static_cast<double>(side * num) / static_cast<double>(den) + 0.5);
}

}  // namespace

void NBScalePropRect(CRect& rc, int nMax) {
  int64_t w = int64_t{rc.right} - rc.left, h = int64_t{rc.bottom} - rc.top;
  if (nMax < 0 || w < 0 || h < 0) return;
  if (w <= nMax && h <= nMax) return;
  // One side exceeds nMax >= 0, so the divisor below is positive, and the
  // new sides are no longer than the old ones, so the sums fit.
  int64_t newW = w > h ? nMax : ScaledSide(nMax, w, h);
  int64_t newH = w > h ? ScaledSide(nMax, h, w) : nMax;
  rc.right = static_cast<LONG>(rc.left + newW);
  rc.bottom = static_cast<LONG>(rc.top + newH);
}

void NBDrawRectImage(CDC* pDC, CxImage* pImage, RECT* pRect) {
  if (!pDC || !pImage || !pRect || !pImage->IsValid()) return;
  int64_t dw = int64_t{pRect->right} - pRect->left, dh = int64_t{pRect->bottom} - pRect->top;
  if (dw <= 0 || dh <= 0) return;
  // The destination's width limits both sides, so a picture taller than the
  // box is wide comes out smaller than the box.
  CRect img(0, 0, static_cast<int>(pImage->GetWidth()), static_cast<int>(pImage->GetHeight()));
  NBScalePropRect(img, static_cast<int>(std::min<int64_t>(dw, INT_MAX)));
  int64_t w = img.Width(), h = img.Height();
  if (h > dh) {
    // A tall picture in a wide box would cover what lies above and below
    // it: the height limits it instead.
    w = ScaledSide(dh, pImage->GetWidth(), pImage->GetHeight());
    h = dh;
  }
  if (w <= 0 || h <= 0) return;
  int64_t left = pRect->left + ((dw - w) >> 1), top = pRect->top + ((dh - h) >> 1);
  pImage->Draw(pDC->GetSafeHdc(), static_cast<long>(left), static_cast<long>(top), static_cast<long>(w),
               static_cast<long>(h), nullptr);
}
