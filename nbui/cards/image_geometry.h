// Fitting a picture into a box while keeping its proportions.
#pragma once

#include "CxImage/cximage.h"
#include "mfc/dc.h"
#include "mfc/geometry.h"

#ifndef NBUI_API
#define NBUI_API __attribute__((visibility("default")))
#endif

// Shrinks rc in place so that neither side exceeds nMax, keeping its
// proportions and its top-left corner: the longer side becomes nMax and the
// other is rounded to the nearest pixel (products in 64 bits). A rectangle
// already within nMax is never enlarged. A negative nMax, an inverted
// rectangle (right < left or bottom < top) leaves rc as it is.
NBUI_API void NBScalePropRect(CRect& rc, int nMax);

// Draws pImage centred in *pRect through CxImage::Draw, scaled as
// NBScalePropRect scales it with the rectangle's width as the limit. Where
// that would leave the picture higher than the rectangle, the height limits
// it instead, so it always stays inside. Null arguments, an invalid image or
// an empty or inverted rectangle draw nothing.
NBUI_API void NBDrawRectImage(CDC* pDC, CxImage* pImage, RECT* pRect);
