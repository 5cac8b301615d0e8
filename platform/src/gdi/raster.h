// Pixel-level painting: everything GDI draws, apart from text, is a set of
// pixels (rectangles, spans, a coverage mask) painted with a brush or pen
// color through a raster operation, written straight into the image
// surface. Working on pixels keeps GDI's exact geometry (no antialiasing,
// exclusive right and bottom edges) and its XOR-style operations, which
// cairo's compositing operators do not offer.
#pragma once

#include <cairo.h>

#include <memory>
#include <type_traits>
#include <vector>

#include "gdi/objects.h"
#include "gdi/shapes.h"

namespace nbp::gdi {

inline uint32_t ToPixel(COLORREF c) {
  return 0xFF000000u | (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) |
         GetBValue(c);
}
inline COLORREF ToColor(uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }
// The nearer of black and white, as colors are matched on a monochrome bitmap.
inline uint32_t MonoPixel(uint32_t p) {
  unsigned sum = ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
  return sum >= 383 ? 0xFFFFFFFFu : 0xFF000000u;
}

inline RECT Intersect(const RECT& a, const RECT& b) {
  RECT r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top, a.right < b.right ? a.right : b.right,
         a.bottom < b.bottom ? a.bottom : b.bottom};
  return r;
}
inline bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
inline RECT Offset(RECT r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

// Ternary raster operation codes (the truth table byte of a ROP3).
namespace rop {
constexpr uint8_t kBlack = 0x00, kNotSrcErase = 0x11, kNotSrcCopy = 0x33, kSrcErase = 0x44, kDstInvert = 0x55,
                  kPatInvert = 0x5A, kSrcInvert = 0x66, kSrcAnd = 0x88, kDst = 0xAA, kMergePaint = 0xBB,
                  kMergeCopy = 0xC0, kSrcCopy = 0xCC, kSrcPaint = 0xEE, kPatCopy = 0xF0, kPatPaint = 0xFB,
                  kWhite = 0xFF;
}  // namespace rop

// A binary raster operation (R2_*) as the ROP3 that ignores the source.
uint8_t Rop2ToRop3(int rop2);
uint32_t ApplyRop(uint8_t rop3, uint32_t p, uint32_t s, uint32_t d);

// A DC's pixels opened for direct access. Construction brings a DIB
// section's bits in; destruction marks the surface dirty and, for a DC that
// was written, sends the pixels back to the DIB bits.
class Canvas {
 public:
  Canvas(Dc* dc, bool writes = true);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  bool Ok() const { return data_ != nullptr; }
  uint32_t* Row(int y) const { return reinterpret_cast<uint32_t*>(data_ + static_cast<size_t>(y) * stride_); }
  int Width() const { return width_; }
  int Stride() const { return stride_; }  // bytes
  int Height() const { return height_; }
  bool Mono() const { return mono_; }
  const std::vector<RECT>& Clip() const { return *clip_; }
  const RECT& ClipBounds() const { return dc_->clipBounds; }
  Dc* DC() const { return dc_; }
  // Logical to surface coordinates, kept within GDI's coordinate range.
  int X(int x) const { return Clamp(static_cast<int64_t>(x) + dc_->OffsetX()); }
  int Y(int y) const { return Clamp(static_cast<int64_t>(y) + dc_->OffsetY()); }
  RECT ToSurface(const RECT& r) const { return {X(r.left), Y(r.top), X(r.right), Y(r.bottom)}; }
  bool Argb() const { return argb_; }
  // The pixel a color paints on this target.
  uint32_t Pixel(COLORREF c) const { return mono_ ? MonoPixel(ToPixel(c)) : ToPixel(c); }
  bool Visible(int x, int y) const;
  // Brackets drawing done through cairo between direct pixel accesses.
  void BeginCairo() const;
  void EndCairo() const;

 private:
  Dc* dc_;
  bool writes_;
  uint8_t* data_ = nullptr;
  int stride_ = 0, width_ = 0, height_ = 0;
  bool mono_ = false;
  bool argb_ = false;
  const std::vector<RECT>* clip_ = nullptr;
};

// What fills a shape: nothing, one pixel value, or a tiled pattern anchored
// at the brush origin. Hatch brushes in TRANSPARENT mode leave the pixels
// between their lines alone.
struct Paint {
  enum Type { kNone, kSolid, kPattern } type = kNone;
  uint32_t solid = 0;
  int width = 0, height = 0, originX = 0, originY = 0;
  std::vector<uint32_t> pixels;
  std::vector<uint8_t> skip;

  uint32_t At(int x, int y) const {
    if (type == kSolid) return solid;
    return pixels[Index(x, y)];
  }
  bool Skips(int x, int y) const { return !skip.empty() && skip[Index(x, y)]; }
  size_t Index(int x, int y) const {
    int px = (x - originX) % width, py = (y - originY) % height;
    if (px < 0) px += width;
    if (py < 0) py += height;
    return static_cast<size_t>(py) * width + px;
  }
};

Paint SolidPaint(const Canvas& c, COLORREF color);
// The DC's rendering of a brush (text and background colors for monochrome
// patterns, background mode for hatches); kNone for a null brush.
Paint BrushPaint(const Canvas& c, const Brush* brush);

// A coverage mask in surface coordinates.
struct Mask {
  int x = 0, y = 0, width = 0, height = 0;
  std::vector<uint8_t> on;
  bool At(int px, int py) const {
    px -= x;
    py -= y;
    return px >= 0 && py >= 0 && px < width && py < height && on[static_cast<size_t>(py) * width + px];
  }
};

// Rasterizes, without antialiasing, what `draw` fills or strokes on a cairo
// context whose coordinates are surface pixels, within `bounds`.
template <class F>
Mask Rasterize(RECT bounds, F&& draw);
Mask RasterizeWith(RECT bounds, void (*draw)(cairo_t*, const void*), const void* arg);
void Subtract(Mask& mask, const Mask& other);

// Painting, clipped to the canvas clip. Rectangles are in surface coordinates.
void FillRect(Canvas& c, RECT r, const Paint& paint, uint8_t rop3);
void FillMask(Canvas& c, const Mask& mask, const Paint& paint, uint8_t rop3);
void FillRegion(Canvas& c, const cairo_region_t* region, int dx, int dy, const Paint& paint, uint8_t rop3);
void PlotPixel(Canvas& c, int x, int y, uint32_t p, uint8_t rop3);

template <class F>
Mask Rasterize(RECT bounds, F&& draw) {
  auto thunk = [](cairo_t* cr, const void* arg) { (*static_cast<const std::remove_reference_t<F>*>(arg))(cr); };
  return RasterizeWith(bounds, thunk, &draw);
}

}  // namespace nbp::gdi
