#include "CxImage/raster.h"

#include <new>

#include "CxImage/codecs_internal.h"

namespace cximage {

bool Allocate(Raster& r, int width, int height, int bpp) {
  r = Raster{};
  if (!SizeAllowed(width, height)) return false;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return false;
  size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  try {
    if (bpp <= 8) {
      r.palette.assign(size_t{1} << bpp, RGBQUAD{0, 0, 0, 0});
      r.indexes.assign(count, 0);
    } else {
      r.argb.assign(count, 0xFF000000u);
    }
  } catch (const std::bad_alloc&) {
    r = Raster{};
    return false;
  }
  r.width = width;
  r.height = height;
  r.bpp = bpp;
  return true;
}

bool IsGreyPalette(const Raster& image) {
  if (!image.Indexed()) return false;
  for (const RGBQUAD& q : image.palette)
    if (q.rgbRed != q.rgbGreen || q.rgbGreen != q.rgbBlue) return false;
  return true;
}

}  // namespace cximage
