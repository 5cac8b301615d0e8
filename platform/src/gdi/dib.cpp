// DIB headers, color tables and row conversion.
#include "gdi/dib.h"

#include <bit>
#include <cstring>
#include <unordered_map>

namespace nbp::gdi {
namespace {

constexpr uint32_t kVga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                               0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

uint32_t Channel(uint32_t value, DWORD mask) {
  if (!mask) return 0;
  int shift = std::countr_zero(mask);
  int bits = std::popcount(mask);
  uint32_t max = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
  uint32_t v = (value & mask) >> shift;
  if (bits == 8) return v;
  return static_cast<uint32_t>((static_cast<uint64_t>(v) * 255 + max / 2) / max);
}

uint32_t Pack(uint32_t channel8, DWORD mask) {
  if (!mask) return 0;
  int shift = std::countr_zero(mask);
  int bits = std::popcount(mask);
  uint32_t max = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
  uint32_t v = static_cast<uint32_t>((static_cast<uint64_t>(channel8) * max + 127) / 255);
  return (v << shift) & mask;
}

int Nearest(const std::vector<uint32_t>& palette, uint32_t px) {
  int best = 0;
  long bestDistance = -1;
  int r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
  for (size_t i = 0; i < palette.size(); ++i) {
    int dr = r - static_cast<int>((palette[i] >> 16) & 0xFF), dg = g - static_cast<int>((palette[i] >> 8) & 0xFF),
        db = b - static_cast<int>(palette[i] & 0xFF);
    long d = static_cast<long>(dr) * dr + static_cast<long>(dg) * dg + static_cast<long>(db) * db;
    if (bestDistance < 0 || d < bestDistance) {
      bestDistance = d;
      best = static_cast<int>(i);
      if (d == 0) break;
    }
  }
  return best;
}

void DefaultMasks(int bitsPixel, DWORD masks[3]) {
  if (bitsPixel == 16) {
    masks[0] = 0x7C00;
    masks[1] = 0x03E0;
    masks[2] = 0x001F;
  } else {
    masks[0] = 0xFF0000;
    masks[1] = 0x00FF00;
    masks[2] = 0x0000FF;
  }
}

}  // namespace

PixelFormat DefaultFormat(int bitsPixel) {
  PixelFormat f;
  f.bitsPixel = bitsPixel;
  if (bitsPixel == 1) {
    f.palette = {0x000000, 0xFFFFFF};
  } else if (bitsPixel == 4) {
    f.palette.assign(kVga, kVga + 16);
  } else if (bitsPixel == 8) {
    // The 16 VGA colors, a 6x6x6 color cube and a gray ramp.
    f.palette.assign(kVga, kVga + 16);
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b) f.palette.push_back((r * 51u) << 16 | (g * 51u) << 8 | (b * 51u));
    for (int i = 0; i < 24; ++i) {
      uint32_t v = 8 + i * 10;
      f.palette.push_back(v << 16 | v << 8 | v);
    }
  }
  if (bitsPixel == 16 || bitsPixel == 32) DefaultMasks(bitsPixel, f.masks);
  return f;
}

bool ParseInfo(const BITMAPINFO* info, size_t available, UINT usage, DibView& view, size_t& headerBytes) {
  if (!info || available < sizeof(BITMAPINFOHEADER)) return false;
  BITMAPINFOHEADER h;
  std::memcpy(&h, info, sizeof h);
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > available || h.biSize > 4096) return false;
  if (h.biPlanes != 1 || h.biWidth <= 0 || h.biHeight == 0 || h.biWidth > 32767 || h.biHeight > 32767 ||
      h.biHeight < -32767)
    return false;
  int bpp = h.biBitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
  bool bitfields = h.biCompression == BI_BITFIELDS;
  if (h.biCompression != BI_RGB && !(bitfields && (bpp == 16 || bpp == 32))) return false;

  view.width = h.biWidth;
  view.height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  view.topDown = h.biHeight < 0;
  view.stride = DibStride(view.width, bpp);
  view.format = PixelFormat{};
  view.format.bitsPixel = bpp;

  const uint8_t* base = reinterpret_cast<const uint8_t*>(info);
  size_t offset = h.biSize;
  if (bitfields) {
    // Version 4 and 5 headers hold the masks; a plain header is followed by them.
    size_t at = h.biSize >= 52 ? 40 : offset;
    if (at + 12 > available) return false;
    std::memcpy(view.format.masks, base + at, 12);
    if (h.biSize < 52) offset += 12;
    if (!view.format.masks[0] && !view.format.masks[1] && !view.format.masks[2]) DefaultMasks(bpp, view.format.masks);
  } else if (bpp == 16 || bpp == 32) {
    DefaultMasks(bpp, view.format.masks);
  }

  size_t colors = 0;
  if (bpp <= 8) {
    size_t max = size_t{1} << bpp;
    colors = h.biClrUsed && h.biClrUsed < max ? h.biClrUsed : max;
  } else {
    colors = h.biClrUsed > 256 ? 256 : h.biClrUsed;  // an optional optimisation table, skipped
  }
  size_t entry = usage == DIB_PAL_COLORS ? 2 : 4;
  if (offset + colors * entry > available) return false;
  if (bpp <= 8) {
    PixelFormat defaults = DefaultFormat(8);
    for (size_t i = 0; i < colors; ++i) {
      const uint8_t* e = base + offset + i * entry;
      if (usage == DIB_PAL_COLORS) {
        uint16_t index;
        std::memcpy(&index, e, 2);
        view.format.palette.push_back(defaults.palette[index & 0xFF]);
      } else {
        view.format.palette.push_back(static_cast<uint32_t>(e[2]) << 16 | static_cast<uint32_t>(e[1]) << 8 | e[0]);
      }
    }
    // Indexes past a short table read as black rather than beyond it.
    view.format.palette.resize(size_t{1} << bpp, 0);
  }
  headerBytes = offset + colors * entry;
  return true;
}

void DecodeRow(const uint8_t* src, int width, const PixelFormat& f, uint32_t* dst) {
  switch (f.bitsPixel) {
    case 1:
      for (int x = 0; x < width; ++x) dst[x] = 0xFF000000u | f.palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
      break;
    case 4:
      for (int x = 0; x < width; ++x) dst[x] = 0xFF000000u | f.palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
      break;
    case 8:
      for (int x = 0; x < width; ++x) dst[x] = 0xFF000000u | f.palette[src[x]];
      break;
    case 16:
      for (int x = 0; x < width; ++x) {
        uint32_t v = src[2 * x] | (static_cast<uint32_t>(src[2 * x + 1]) << 8);
        dst[x] = 0xFF000000u | Channel(v, f.masks[0]) << 16 | Channel(v, f.masks[1]) << 8 | Channel(v, f.masks[2]);
      }
      break;
    case 24:
      for (int x = 0; x < width; ++x)
        dst[x] = 0xFF000000u | static_cast<uint32_t>(src[3 * x + 2]) << 16 | static_cast<uint32_t>(src[3 * x + 1]) << 8 |
                 src[3 * x];
      break;
    case 32:
      for (int x = 0; x < width; ++x) {
        uint32_t v;
        std::memcpy(&v, src + 4 * x, 4);
        if (f.masks[0] == 0xFF0000 && f.masks[1] == 0xFF00 && f.masks[2] == 0xFF) {
          dst[x] = v;  // the fourth byte is kept: AlphaBlend reads it
        } else {
          dst[x] = 0xFF000000u | Channel(v, f.masks[0]) << 16 | Channel(v, f.masks[1]) << 8 | Channel(v, f.masks[2]);
        }
      }
      break;
  }
}

void EncodeRow(const uint32_t* src, int width, const PixelFormat& f, uint8_t* dst, bool keepAlpha) {
  switch (f.bitsPixel) {
    case 1:
    case 4:
    case 8: {
      std::unordered_map<uint32_t, int> cache;
      int bpp = f.bitsPixel;
      std::memset(dst, 0, (static_cast<size_t>(width) * bpp + 7) / 8);
      for (int x = 0; x < width; ++x) {
        uint32_t px = src[x] & 0xFFFFFF;
        auto it = cache.find(px);
        int index = it != cache.end() ? it->second : (cache[px] = Nearest(f.palette, px));
        if (bpp == 8) dst[x] = static_cast<uint8_t>(index);
        else if (bpp == 4) dst[x >> 1] |= static_cast<uint8_t>(index << ((x & 1) ? 0 : 4));
        else dst[x >> 3] |= static_cast<uint8_t>(index << (7 - (x & 7)));
      }
      break;
    }
    case 16:
      for (int x = 0; x < width; ++x) {
        uint32_t p = src[x];
        uint32_t v = Pack((p >> 16) & 0xFF, f.masks[0]) | Pack((p >> 8) & 0xFF, f.masks[1]) | Pack(p & 0xFF, f.masks[2]);
        dst[2 * x] = static_cast<uint8_t>(v);
        dst[2 * x + 1] = static_cast<uint8_t>(v >> 8);
      }
      break;
    case 24:
      for (int x = 0; x < width; ++x) {
        dst[3 * x] = static_cast<uint8_t>(src[x]);
        dst[3 * x + 1] = static_cast<uint8_t>(src[x] >> 8);
        dst[3 * x + 2] = static_cast<uint8_t>(src[x] >> 16);
      }
      break;
    case 32:
      for (int x = 0; x < width; ++x) {
        uint32_t p = src[x], v;
        if (f.masks[0] == 0xFF0000 && f.masks[1] == 0xFF00 && f.masks[2] == 0xFF) {
          v = keepAlpha ? p : (p & 0xFFFFFF);
        } else {
          v = Pack((p >> 16) & 0xFF, f.masks[0]) | Pack((p >> 8) & 0xFF, f.masks[1]) | Pack(p & 0xFF, f.masks[2]);
        }
        std::memcpy(dst + 4 * x, &v, 4);
      }
      break;
  }
}

}  // namespace nbp::gdi
