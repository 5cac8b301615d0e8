// The block transfer shared by BitBlt, StretchBlt, TransparentBlt,
// AlphaBlend, the DIB functions and icons.
#pragma once

#include <optional>

#include "gdi/objects.h"

namespace nbp::gdi {

// Source pixels with what converting them needs: a monochrome source is
// painted in the destination's text (0) and background (1) colors; a color
// source going to a monochrome destination is white where it matches the
// source DC's background color.
struct BlitSource {
  const uint8_t* data = nullptr;
  int stride = 0;  // bytes
  int width = 0, height = 0;
  bool mono = false;
  COLORREF bkColor = RGB(255, 255, 255);
  uint32_t At(int x, int y) const { return reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride)[x]; }
};

BlitSource SourceOf(Bitmap* bitmap);  // pulls a DIB section's bits first

enum class BlitKind { kRop, kTransparent, kAlpha };

struct BlitOp {
  BlitKind kind = BlitKind::kRop;
  uint8_t rop3 = 0xCC;
  COLORREF transparent = 0;
  BLENDFUNCTION blend{};
};

// Transfers the source rectangle (source pixel coordinates; negative sizes
// mirror) to the destination rectangle (logical coordinates of `dest`).
// Source pixels outside the source leave the destination alone.
BOOL Transfer(Dc* dest, int x, int y, int width, int height, const BlitSource* src, int sx, int sy, int sw, int sh,
              const BlitOp& op);

}  // namespace nbp::gdi
