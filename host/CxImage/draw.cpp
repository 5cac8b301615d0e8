// Drawing into a device context: only the visible part of the destination is
// scaled, then copied (opaque pictures) or blended by its alpha (32 bits).
#include <cstdlib>
#include <climits>
#include <cstring>
#include <vector>

#include "CxImage/cximage.h"
#include "CxImage/resample_internal.h"
#include "win/rect.h"
#include "win/user_constants.h"

namespace {

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

bool Blend(HDC hdc, const RECT& at, std::vector<uint32_t>& pixels) {
  int w = at.right - at.left, h = at.bottom - at.top;
  for (uint32_t& p : pixels) {  // the blend takes premultiplied colors
    uint32_t a = p >> 24;
    auto mul = [a](uint32_t c) { return (c * a + 127) / 255; };
    p = a << 24 | mul((p >> 16) & 0xFF) << 16 | mul((p >> 8) & 0xFF) << 8 | mul(p & 0xFF);
  }
  BITMAPINFO bi = TopDown32(w, h);
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(hdc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section || !bits) return false;
  std::memcpy(bits, pixels.data(), pixels.size() * 4);
  HDC memory = CreateCompatibleDC(hdc);
  HGDIOBJ old = SelectObject(memory, section);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  BOOL ok = AlphaBlend(hdc, at.left, at.top, w, h, memory, 0, 0, w, h, blend);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(section);
  return ok;
}

}  // namespace

long CxImage::Draw(HDC hdc, long x, long y, long cx, long cy, RECT* pClipRect) const {
  if (!IsValid() || !hdc) return 0;
  if (cx < 0) cx = m_raster.width;
  if (cy < 0) cy = m_raster.height;
  if (cx == 0 || cy == 0) return 1;
  // Keep every coordinate within an int, as device contexts take them.
  constexpr long kLimit = INT_MAX / 2;
  if (std::abs(x) > kLimit || std::abs(y) > kLimit || cx > kLimit || cy > kLimit) return 0;
  RECT box{};
  if (GetClipBox(hdc, &box) == ERROR) return 0;
  RECT dest{static_cast<int>(x), static_cast<int>(y), static_cast<int>(x + cx), static_cast<int>(y + cy)};
  RECT visible{};
  if (!IntersectRect(&visible, &dest, &box)) return 1;
  if (pClipRect && !IntersectRect(&visible, &visible, pClipRect)) return 1;
  int w = visible.right - visible.left, h = visible.bottom - visible.top;
  if (!cximage::SizeAllowed(w, h)) return 0;
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
  RECT region{visible.left - dest.left, visible.top - dest.top, visible.right - dest.left, visible.bottom - dest.top};
  cximage::ResampleSmooth(m_raster, static_cast<int>(cx), static_cast<int>(cy), region, pixels.data());
  if (m_raster.bpp == 32) return Blend(hdc, visible, pixels) ? 1 : 0;
  BITMAPINFO bi = TopDown32(w, h);
  return SetDIBitsToDevice(hdc, visible.left, visible.top, w, h, 0, 0, 0, h, pixels.data(), &bi, DIB_RGB_COLORS) ? 1 : 0;
}
