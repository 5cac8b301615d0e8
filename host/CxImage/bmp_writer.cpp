// Writing Windows BMP files: an info header, the palette of palette images,
// and bottom-up rows at the image's own depth. 32-bit images get a version 4
// header whose masks name the alpha channel, so even an all-transparent
// picture reads back with its alpha.
#include <cstdlib>
#include <cstring>

#include "CxImage/codecs_internal.h"

namespace cximage {
namespace {

void Put16(uint8_t* p, uint32_t v) { p[0] = static_cast<uint8_t>(v), p[1] = static_cast<uint8_t>(v >> 8); }
void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

Encoded EncodeBmp(const Raster& image) {
  Encoded e;
  int bpp = image.bpp;
  size_t stride = ((static_cast<size_t>(image.width) * bpp + 31) / 32) * 4;
  size_t paletteBytes = image.Indexed() ? image.palette.size() * 4 : 0;
  uint32_t headerSize = bpp == 32 ? 108 : 40;
  size_t offset = 14 + headerSize + paletteBytes;
  size_t total = offset + stride * static_cast<size_t>(image.height);
  if (total > 0xFFFFFFFFu) {
    e.error = "picture too large for BMP";
    return e;
  }
  uint8_t* d = static_cast<uint8_t*>(std::calloc(total, 1));
  if (!d) {
    e.error = "out of memory";
    return e;
  }
  d[0] = 'B', d[1] = 'M';
  Put32(d + 2, static_cast<uint32_t>(total));
  Put32(d + 10, static_cast<uint32_t>(offset));
  Put32(d + 14, headerSize);
  Put32(d + 18, static_cast<uint32_t>(image.width));
  Put32(d + 22, static_cast<uint32_t>(image.height));
  Put16(d + 26, 1);
  Put16(d + 28, static_cast<uint32_t>(bpp));
  Put32(d + 34, static_cast<uint32_t>(stride * image.height));
  Put32(d + 38, 2835);  // 72 dots per inch
  Put32(d + 42, 2835);
  Put32(d + 46, static_cast<uint32_t>(image.palette.size()));
  if (bpp == 32) {
    Put32(d + 30, BI_BITFIELDS);
    const uint32_t masks[4] = {0xFF0000, 0xFF00, 0xFF, 0xFF000000u};
    for (int i = 0; i < 4; ++i) Put32(d + 54 + 4 * i, masks[i]);
    Put32(d + 70, 0x73524742);  // sRGB color space
  }
  for (size_t i = 0; i < image.palette.size(); ++i) {
    const RGBQUAD& q = image.palette[i];
    uint8_t* p = d + 54 + 4 * i;
    p[0] = q.rgbBlue, p[1] = q.rgbGreen, p[2] = q.rgbRed;
  }
  for (int y = 0; y < image.height; ++y) {
    uint8_t* row = d + offset + stride * static_cast<size_t>(image.height - 1 - y);
    for (int x = 0; x < image.width; ++x) {
      if (image.Indexed()) {
        size_t bit = static_cast<size_t>(x) * bpp;
        row[bit / 8] |= static_cast<uint8_t>(image.indexes[image.At(x, y)] << (8 - bpp - bit % 8));
      } else if (bpp == 24) {
        uint32_t v = image.argb[image.At(x, y)];
        uint8_t* p = row + 3 * static_cast<size_t>(x);
        p[0] = static_cast<uint8_t>(v), p[1] = static_cast<uint8_t>(v >> 8), p[2] = static_cast<uint8_t>(v >> 16);
      } else {
        Put32(row + 4 * static_cast<size_t>(x), image.argb[image.At(x, y)]);
      }
    }
  }
  e.data = d;
  e.size = total;
  return e;
}

}  // namespace cximage
