// Device-independent bitmap rows: reading and writing the 1, 4, 8, 16, 24
// and 32 bits-per-pixel layouts to and from xRGB pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "win/gdi.h"

namespace nbp::gdi {

struct PixelFormat {
  int bitsPixel = 32;
  std::vector<uint32_t> palette;  // xRGB, for 1, 4 and 8 bits
  DWORD masks[3] = {0, 0, 0};     // red, green, blue for 16 and 32 bits
};

// A DIB described by a BITMAPINFO and its bits.
struct DibView {
  int width = 0, height = 0;  // height is positive
  bool topDown = false;
  PixelFormat format;
  const uint8_t* bits = nullptr;
  size_t stride = 0;  // bytes per row, DWORD-aligned
  const uint8_t* Row(int y) const {  // y counts from the top
    return bits + stride * static_cast<size_t>(topDown ? y : height - 1 - y);
  }
};

inline size_t DibStride(int width, int bitsPixel) { return ((static_cast<size_t>(width) * bitsPixel + 31) / 32) * 4; }
inline size_t DdbStride(int width, int bitsPixel) { return ((static_cast<size_t>(width) * bitsPixel + 15) / 16) * 2; }

// Reads the header and color table. `available` bounds the bytes readable
// from `info` (SIZE_MAX for trusted callers); `usage` DIB_PAL_COLORS maps
// indexes through the default palette. False for unsupported layouts
// (compressed, planes other than 1, odd depths) or truncated data.
bool ParseInfo(const BITMAPINFO* info, size_t available, UINT usage, DibView& view, size_t& headerBytes);

// The default colors of 1, 4 and 8 bit device-dependent bitmaps.
PixelFormat DefaultFormat(int bitsPixel);

void DecodeRow(const uint8_t* src, int width, const PixelFormat& f, uint32_t* dst);
void EncodeRow(const uint32_t* src, int width, const PixelFormat& f, uint8_t* dst, bool keepAlpha);

}  // namespace nbp::gdi
