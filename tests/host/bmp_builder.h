// Builds Windows BMP files byte by byte for the image tests and the fuzz
// seeds: any header size, depth, compression, row order, masks and palette,
// including the malformed ones a decoder must refuse.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include "win/gdi.h"

namespace bmptest {

struct BmpLayout {
  int32_t width = 4, height = 3;
  uint16_t bpp = 24;
  uint16_t planes = 1;
  uint32_t compression = BI_RGB;
  uint32_t headerSize = 40;             // 12, 40, 52, 56, 108 or 124
  std::vector<uint32_t> masks;          // red, green, blue (, alpha) for bit fields
  std::vector<RGBQUAD> palette;         // written as given
  uint32_t colorsUsed = 0;              // the header's count (0: none given)
  std::vector<uint8_t> bits;            // pixel data exactly as stored
  int64_t pixelOffset = -1;             // -1: right after the palette
};

inline void Put(std::vector<uint8_t>& d, size_t at, uint32_t v, int bytes) {
  if (d.size() < at + bytes) d.resize(at + bytes);
  for (int i = 0; i < bytes; ++i) d[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

inline std::vector<uint8_t> Build(const BmpLayout& s) {
  std::vector<uint8_t> d(14 + s.headerSize, 0);
  d[0] = 'B', d[1] = 'M';
  Put(d, 14, s.headerSize, 4);
  if (s.headerSize == 12) {
    Put(d, 18, static_cast<uint32_t>(s.width), 2);
    Put(d, 20, static_cast<uint32_t>(s.height), 2);
    Put(d, 22, s.planes, 2);
    Put(d, 24, s.bpp, 2);
  } else {
    Put(d, 18, static_cast<uint32_t>(s.width), 4);
    Put(d, 22, static_cast<uint32_t>(s.height), 4);
    Put(d, 26, s.planes, 2);
    Put(d, 28, s.bpp, 2);
    Put(d, 30, s.compression, 4);
    Put(d, 46, s.colorsUsed, 4);
  }
  size_t at = d.size();
  for (size_t i = 0; i < s.masks.size(); ++i) {
    if (s.headerSize >= 52 && i < 4) Put(d, 54 + 4 * i, s.masks[i], 4);
    else Put(d, at + 4 * (i - (s.headerSize >= 52 ? 4 : 0)), s.masks[i], 4);
  }
  at = d.size();
  for (const RGBQUAD& q : s.palette) {
    d.push_back(q.rgbBlue), d.push_back(q.rgbGreen), d.push_back(q.rgbRed);
    if (s.headerSize != 12) d.push_back(0);
  }
  size_t offset = s.pixelOffset >= 0 ? static_cast<size_t>(s.pixelOffset) : d.size();
  Put(d, 10, static_cast<uint32_t>(offset), 4);
  if (d.size() < offset) d.resize(offset);
  d.insert(d.end(), s.bits.begin(), s.bits.end());
  Put(d, 2, static_cast<uint32_t>(d.size()), 4);
  return d;
}

// Uncompressed rows in file order: `value(x, y)` gives each pixel's stored
// value (index, 16-bit word, 0xRRGGBB or 32-bit word), y counting from the
// top of the picture.
inline std::vector<uint8_t> Rows(int width, int height, int bpp, bool topDown,
                                 const std::function<uint32_t(int, int)>& value) {
  size_t stride = ((static_cast<size_t>(width) * bpp + 31) / 32) * 4;
  std::vector<uint8_t> bits(stride * height, 0);
  for (int row = 0; row < height; ++row) {
    int y = topDown ? row : height - 1 - row;
    uint8_t* p = bits.data() + stride * row;
    for (int x = 0; x < width; ++x) {
      uint32_t v = value(x, y);
      if (bpp < 8) {
        size_t bit = static_cast<size_t>(x) * bpp;
        p[bit / 8] |= static_cast<uint8_t>(v << (8 - bpp - bit % 8));
      } else {
        for (int b = 0; b < bpp / 8; ++b) p[static_cast<size_t>(x) * (bpp / 8) + b] = static_cast<uint8_t>(v >> (8 * b));
      }
    }
  }
  return bits;
}

// A palette of n distinct colors.
inline std::vector<RGBQUAD> Palette(int n) {
  std::vector<RGBQUAD> p;
  for (int i = 0; i < n; ++i)
    p.push_back(RGBQUAD{static_cast<BYTE>(i * 7 + 1), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 13 % 256), 0});
  return p;
}

}  // namespace bmptest
