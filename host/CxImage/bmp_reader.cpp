// Reading Windows BMP files: core and info headers up to version 5, 1, 4, 8,
// 16, 24 and 32 bits per pixel, top-down and bottom-up rows, bit-field masks,
// and RLE4 and RLE8 compression. Every count and offset in the file is
// checked against the bytes present before it is used.
#include <bit>
#include <cstring>

#include "CxImage/codecs_internal.h"

namespace cximage {
namespace {

uint32_t U16(const uint8_t* p) { return p[0] | p[1] << 8; }
uint32_t U32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

constexpr size_t kFileHeader = 14;

struct Header {
  int64_t width = 0, height = 0;
  bool topDown = false;
  int bpp = 0;
  uint32_t compression = BI_RGB;
  uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
  size_t paletteOffset = 0, paletteCount = 0;
  int paletteEntry = 4;  // bytes per palette entry (3 in core headers)
  bool explicitAlpha = false;  // the header names an alpha mask
  size_t pixelOffset = 0;
};

bool ValidDepth(int bpp) { return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32; }

// Masks must be set, made of one run of bits each, inside the pixel and
// apart from each other (alpha may be absent).
const char* CheckMasks(const uint32_t (&m)[4], int bpp) {
  uint32_t seen = 0;
  uint32_t limit = bpp == 32 ? 0xFFFFFFFFu : (1u << bpp) - 1;
  for (int i = 0; i < 4; ++i) {
    if (m[i] == 0) {
      if (i < 3) return "zero bit-field mask";
      continue;
    }
    uint32_t shifted = m[i] >> std::countr_zero(m[i]);
    if ((shifted & (shifted + 1)) != 0) return "bit-field mask not contiguous";
    if ((m[i] & ~limit) != 0) return "bit-field mask outside the pixel";
    if ((m[i] & seen) != 0) return "overlapping bit-field masks";
    seen |= m[i];
  }
  return nullptr;
}

const char* ReadCoreHeader(const uint8_t* d, Header& h) {
  h.width = U16(d + 18);
  h.height = U16(d + 20);
  if (U16(d + 22) != 1) return "bad plane count";
  h.bpp = static_cast<int>(U16(d + 24));
  if (h.bpp != 1 && h.bpp != 4 && h.bpp != 8 && h.bpp != 24) return "unsupported depth";
  h.paletteEntry = 3;
  h.paletteOffset = kFileHeader + 12;
  h.paletteCount = h.bpp <= 8 ? size_t{1} << h.bpp : 0;
  return nullptr;
}

const char* ReadInfoHeader(const uint8_t* d, size_t n, uint32_t headerSize, Header& h) {
  int32_t height = static_cast<int32_t>(U32(d + 22));
  h.width = static_cast<int32_t>(U32(d + 18));
  h.topDown = height < 0;
  h.height = h.topDown ? -static_cast<int64_t>(height) : height;
  if (U16(d + 26) != 1) return "bad plane count";
  h.bpp = static_cast<int>(U16(d + 28));
  if (!ValidDepth(h.bpp)) return "unsupported depth";
  h.compression = U32(d + 30);
  uint32_t colorsUsed = U32(d + 46);
  h.paletteOffset = kFileHeader + headerSize;

  switch (h.compression) {
    case BI_RGB:
      break;
    case BI_RLE8:
    case BI_RLE4:
      if (h.bpp != (h.compression == BI_RLE8 ? 8 : 4)) return "compression does not match the depth";
      if (h.topDown) return "compressed rows cannot run top-down";
      break;
    case BI_BITFIELDS:
      if (h.bpp != 16 && h.bpp != 32) return "bit fields need 16 or 32 bits";
      if (headerSize == 40) {  // the masks follow the header
        if (n < h.paletteOffset + 12) return "truncated data";
        for (int i = 0; i < 3; ++i) h.masks[i] = U32(d + h.paletteOffset + 4 * i);
        h.paletteOffset += 12;
      } else {
        for (int i = 0; i < 3; ++i) h.masks[i] = U32(d + 54 + 4 * i);
        if (headerSize >= 56) h.masks[3] = U32(d + 66);
        h.explicitAlpha = h.masks[3] != 0;
      }
      break;
    default:
      return "unsupported compression";
  }
  if (h.compression == BI_RGB && h.bpp == 16) {
    h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
  } else if (h.compression == BI_RGB && h.bpp == 32) {
    h.masks[0] = 0xFF0000, h.masks[1] = 0xFF00, h.masks[2] = 0xFF, h.masks[3] = 0xFF000000u;
  }
  if (h.bpp == 16 || h.bpp == 32)
    if (const char* why = CheckMasks(h.masks, h.bpp)) return why;
  if (h.bpp <= 8) {
    size_t full = size_t{1} << h.bpp;
    if (colorsUsed > full) return "palette larger than the depth allows";
    h.paletteCount = colorsUsed ? colorsUsed : full;
  }
  return nullptr;
}

const char* ReadHeader(const uint8_t* d, size_t n, Header& h) {
  if (n < kFileHeader + 12 || d[0] != 'B' || d[1] != 'M') return "not a BMP file";
  uint32_t headerSize = U32(d + 14);
  const char* why = nullptr;
  if (headerSize == 12) {
    why = ReadCoreHeader(d, h);
  } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 || headerSize == 124) {
    if (n < kFileHeader + headerSize) return "truncated data";
    why = ReadInfoHeader(d, n, headerSize, h);
  } else {
    return "unsupported header";
  }
  if (why) return why;
  if (!SizeAllowed(h.width, h.height)) return "picture too large or empty";
  h.pixelOffset = U32(d + 10);
  size_t paletteEnd = h.paletteOffset + h.paletteCount * h.paletteEntry;
  if (paletteEnd > n) return "truncated data";
  if (h.pixelOffset < paletteEnd) return "pixel data overlaps the headers";
  if (h.pixelOffset >= n) return "pixel offset past the end";
  return nullptr;
}

// One 16 or 32-bit pixel's channel, scaled to 8 bits.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;
  explicit Channel(uint32_t m) : mask(m), shift(m ? std::countr_zero(m) : 0), max(m ? m >> shift : 0) {}
  uint32_t Get(uint32_t v) const {
    if (!mask) return 0;
    return static_cast<uint32_t>((static_cast<uint64_t>((v & mask) >> shift) * 255 + max / 2) / max);
  }
};

const char* ReadIndexedRows(const Header& h, const uint8_t* bits, size_t stride, Raster& out) {
  int w = out.width, bpp = h.bpp;
  for (int row = 0; row < out.height; ++row) {
    const uint8_t* src = bits + stride * row;
    uint8_t* dst = &out.indexes[out.At(0, h.topDown ? row : out.height - 1 - row)];
    for (int x = 0; x < w; ++x) {
      size_t bit = static_cast<size_t>(x) * bpp;
      uint32_t v = (src[bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
      if (v >= h.paletteCount) return "palette index out of range";
      dst[x] = static_cast<uint8_t>(v);
    }
  }
  return nullptr;
}

void ReadColorRows(const Header& h, const uint8_t* bits, size_t stride, Raster& out) {
  Channel r(h.masks[0]), g(h.masks[1]), b(h.masks[2]), a(h.bpp == 24 ? 0 : h.masks[3]);
  bool anyAlpha = false;
  for (int row = 0; row < out.height; ++row) {
    const uint8_t* src = bits + stride * row;
    uint32_t* dst = &out.argb[out.At(0, h.topDown ? row : out.height - 1 - row)];
    for (int x = 0; x < out.width; ++x) {
      if (h.bpp == 24) {
        const uint8_t* p = src + 3 * static_cast<size_t>(x);
        dst[x] = 0xFF000000u | static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[0];
        continue;
      }
      uint32_t v = h.bpp == 16 ? U16(src + 2 * static_cast<size_t>(x)) : U32(src + 4 * static_cast<size_t>(x));
      uint32_t alpha = a.Get(v);
      anyAlpha |= alpha != 0;
      dst[x] = alpha << 24 | r.Get(v) << 16 | g.Get(v) << 8 | b.Get(v);
    }
  }
  // Fourth bytes that are all zero are padding, not a transparent picture,
  // unless the header names them alpha.
  if (!anyAlpha && !h.explicitAlpha) {
    for (uint32_t& p : out.argb) p |= 0xFF000000u;
    out.bpp = 24;
  }
}

// RLE4 and RLE8: runs, literal runs, end of line, end of picture and
// delta moves, each checked against the row and the picture. Without `out`
// the stream is only checked, so that a bad one is refused before the
// picture is allocated.
const char* ReadRle(const Header& h, const uint8_t* p, const uint8_t* end, int64_t width, int64_t height,
                    Raster* out) {
  bool four = h.compression == BI_RLE4;
  int64_t x = 0, row = 0;
  auto put = [&](uint32_t index) {
    if (out) out->indexes[out->At(static_cast<int>(x), static_cast<int>(height - 1 - row))] = static_cast<uint8_t>(index);
    ++x;
  };
  for (;;) {
    if (end - p < 2) return "truncated data";
    uint32_t count = p[0], value = p[1];
    p += 2;
    if (count > 0) {
      if (row >= height) return "RLE run past the picture";
      if (x + count > width) return "RLE run past the row";
      uint32_t first = four ? value >> 4 : value, second = four ? value & 15 : value;
      if (first >= h.paletteCount || (count > 1 && second >= h.paletteCount)) return "palette index out of range";
      for (uint32_t i = 0; i < count; ++i) put(i % 2 ? second : first);
    } else if (value == 0) {
      x = 0;
      ++row;
    } else if (value == 1) {
      return nullptr;
    } else if (value == 2) {
      if (end - p < 2) return "truncated data";
      x += p[0];
      row += p[1];
      p += 2;
      if (x > width || row > height) return "RLE move past the picture";
    } else {
      size_t bytes = four ? (value + 1) / 2 : value;
      size_t padded = (bytes + 1) & ~size_t{1};
      if (static_cast<size_t>(end - p) < padded) return "truncated data";
      if (row >= height) return "RLE run past the picture";
      if (x + value > width) return "RLE run past the row";
      for (uint32_t i = 0; i < value; ++i) {
        uint32_t index = four ? (i % 2 ? p[i / 2] & 15 : p[i / 2] >> 4) : p[i];
        if (index >= h.paletteCount) return "palette index out of range";
        put(index);
      }
      p += padded;
    }
  }
}

}  // namespace

const char* DecodeBmp(const uint8_t* d, size_t n, Raster& out) {
  Header h;
  if (const char* why = ReadHeader(d, n, h)) return why;
  bool compressed = h.compression == BI_RLE4 || h.compression == BI_RLE8;
  size_t stride = ((static_cast<size_t>(h.width) * h.bpp + 31) / 32) * 4;
  // A picture whose rows are not all present is refused before allocating.
  if (!compressed && stride * static_cast<size_t>(h.height) > n - h.pixelOffset) return "truncated data";
  if (compressed)
    if (const char* why = ReadRle(h, d + h.pixelOffset, d + n, h.width, h.height, nullptr)) return why;
  int depth = h.bpp <= 8 ? h.bpp : (h.bpp == 24 || !h.masks[3] ? 24 : 32);
  if (!Allocate(out, static_cast<int>(h.width), static_cast<int>(h.height), depth)) return "out of memory";
  for (size_t i = 0; i < h.paletteCount && h.bpp <= 8; ++i) {
    const uint8_t* e = d + h.paletteOffset + i * h.paletteEntry;
    out.palette[i] = RGBQUAD{e[0], e[1], e[2], 0};
  }
  const uint8_t* bits = d + h.pixelOffset;
  const char* why = nullptr;
  if (compressed) why = ReadRle(h, bits, d + n, h.width, h.height, &out);
  else if (h.bpp <= 8) why = ReadIndexedRows(h, bits, stride, out);
  else ReadColorRows(h, bits, stride, out);
  if (why) out = Raster{};
  return why;
}

}  // namespace cximage
