// Painting a window's client area off-screen and copying it in one blit, so
// that nothing flickers; without an off-screen surface the painting goes
// straight to the window (it may flicker, but it shows).
#pragma once

#include "mfc/dc.h"
#include "mfc/gdiobj.h"
#include "mfc/geometry.h"

namespace nbui {

template <class Paint>
void PaintOffscreen(CDC& target, const CRect& client, Paint&& paint) {
  CDC mem;
  CBitmap bitmap;
  if (mem.CreateCompatibleDC(&target) && bitmap.CreateCompatibleBitmap(&target, client.Width(), client.Height())) {
    CBitmap* old = mem.SelectObject(&bitmap);
    paint(&mem);
    target.BitBlt(0, 0, client.Width(), client.Height(), &mem, 0, 0, SRCCOPY);
    mem.SelectObject(old);
  } else {
    paint(&target);
  }
}

}  // namespace nbui
