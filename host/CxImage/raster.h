// The pixels of a CxImage: either palette indexes (1, 4 or 8 bits per pixel,
// one byte per pixel in memory) or 0xAARRGGBB colors (24 and 32 bits per
// pixel; at 24 the alpha byte is always 255). Rows run from the top.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "win/gdi.h"

namespace cximage {

// The largest picture decoded or created: 64 megapixels. Every size is
// checked against it before anything the size of the picture is allocated.
constexpr uint64_t kMaxPixels = 64'000'000;

// True when width x height is positive and within kMaxPixels (computed in 64
// bits, so no product overflows).
inline bool SizeAllowed(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= static_cast<int64_t>(kMaxPixels) &&
         height <= static_cast<int64_t>(kMaxPixels) && static_cast<uint64_t>(width * height) <= kMaxPixels;
}

struct Raster {
  int width = 0, height = 0;
  int bpp = 0;                   // 0 when empty; 1, 4, 8, 24 or 32
  std::vector<RGBQUAD> palette;  // 2^bpp entries for indexed rasters
  std::vector<uint8_t> indexes;  // width x height, indexed rasters only
  std::vector<uint32_t> argb;    // width x height, 24 and 32 bits only

  bool Empty() const { return bpp == 0; }
  bool Indexed() const { return bpp > 0 && bpp <= 8; }
  size_t At(int x, int y) const { return static_cast<size_t>(y) * static_cast<size_t>(width) + x; }
  // The color of a pixel as 0xAARRGGBB, through the palette when indexed.
  uint32_t Argb(int x, int y) const {
    if (!Indexed()) return argb[At(x, y)];
    const RGBQUAD& q = palette[indexes[At(x, y)]];
    return 0xFF000000u | static_cast<uint32_t>(q.rgbRed) << 16 | static_cast<uint32_t>(q.rgbGreen) << 8 | q.rgbBlue;
  }
};

// Allocates an image of the given depth, all pixels index 0 (black palette)
// or opaque black. False, leaving `r` empty, for a size or depth not allowed.
bool Allocate(Raster& r, int width, int height, int bpp);

}  // namespace cximage
