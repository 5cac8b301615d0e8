// Block transfers: BitBlt, StretchBlt, TransparentBlt, AlphaBlend,
// StretchDIBits and SetDIBitsToDevice.
#include "gdi/blit.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "gdi/dib.h"
#include "gdi/raster.h"
#include "gdi/shapes.h"

namespace nbp::gdi {
namespace {

bool UsesSource(uint8_t rop3) { return ((rop3 >> 2) ^ rop3) & 0x33; }
bool UsesPatternCode(uint8_t rop3) { return ((rop3 >> 4) ^ rop3) & 0x0F; }

// The source rectangle copied out (so that a DC may copy onto itself) and
// converted to what the destination paints.
struct Sampled {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // converted
  std::vector<uint32_t> raw;     // as in the source (TransparentBlt compares these)
  std::vector<uint8_t> inside;
};

Sampled Sample(const BlitSource& src, int left, int top, int width, int height, const Canvas& dest) {
  Sampled s;
  s.width = width;
  s.height = height;
  size_t n = static_cast<size_t>(width) * height;
  s.pixels.assign(n, 0xFF000000u);
  s.raw.assign(n, 0);
  s.inside.assign(n, 0);
  const DcState& ds = dest.DC()->state;
  uint32_t fore = dest.Pixel(ds.textColor), back = dest.Pixel(ds.bkColor);
  uint32_t srcBk = ToPixel(src.bkColor) & 0xFFFFFF;
  for (int y = 0; y < height; ++y) {
    int py = top + y;
    if (py < 0 || py >= src.height) continue;
    for (int x = 0; x < width; ++x) {
      int px = left + x;
      if (px < 0 || px >= src.width) continue;
      size_t i = static_cast<size_t>(y) * width + x;
      uint32_t v = src.At(px, py);
      s.raw[i] = v;
      s.inside[i] = 1;
      if (src.mono && !dest.Mono()) v = (v & 0xFFFFFF) ? back : fore;
      else if (!src.mono && dest.Mono()) v = (v & 0xFFFFFF) == srcBk ? 0xFFFFFFFFu : 0xFF000000u;
      s.pixels[i] = v;
    }
  }
  return s;
}

uint8_t Blend(uint32_t s, uint32_t d, int shift, int sca, int alpha, bool perPixel) {
  int sc = (s >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
  int v = perPixel ? (sc * sca + 127) / 255 + (dc * (255 - alpha) + 127) / 255
                   : (sc * sca + dc * (255 - sca) + 127) / 255;
  return static_cast<uint8_t>(std::min(v, 255));
}

// A plain copy between pixels of the same kind: rows moved as they are, in
// an order that keeps overlapping copies within one surface right.
void CopyRows(Canvas& c, const RECT& d, const BlitSource& src, int dx, int dy) {
  RECT srcBounds{0, 0, src.width, src.height};
  RECT valid = Intersect(d, Offset(srcBounds, -dx, -dy));
  bool downwards = dy < 0;  // the source lies above: copy from the bottom up
  for (const RECT& clip : c.Clip()) {
    RECT a = Intersect(valid, clip);
    if (Empty(a)) continue;
    size_t bytes = static_cast<size_t>(a.right - a.left) * 4;
    for (int k = 0; k < a.bottom - a.top; ++k) {
      int py = downwards ? a.bottom - 1 - k : a.top + k;
      const uint8_t* from = src.data + static_cast<size_t>(py + dy) * src.stride + static_cast<size_t>(a.left + dx) * 4;
      uint32_t* to = c.Row(py) + a.left;
      std::memmove(to, from, bytes);
      // Bitmaps may hold anything in the fourth byte; a window's ARGB
      // surface must stay opaque.
      if (c.Argb())
        for (int k2 = 0; k2 < a.right - a.left; ++k2) to[k2] |= 0xFF000000u;
    }
  }
}

}  // namespace

BlitSource SourceOf(Bitmap* bm) {
  if (bm->dib) bm->PullDib();
  cairo_surface_flush(bm->surface);
  BlitSource s;
  s.data = cairo_image_surface_get_data(bm->surface);
  s.stride = cairo_image_surface_get_stride(bm->surface);
  s.width = bm->width;
  s.height = bm->height;
  s.mono = bm->Mono();
  return s;
}

// The source area one destination pixel (i, j) covers, averaged, as HALFTONE
// shrinks. Sizes are the source's (aw, ah) and the destination's (dw, dh).
uint32_t AveragePixel(const Sampled& s, int aw, int ah, int dw, int dh, bool mirrorX, bool mirrorY, int i, int j) {
  int x0 = static_cast<int>(static_cast<int64_t>(i) * aw / dw), x1 = static_cast<int>(static_cast<int64_t>(i + 1) * aw / dw);
  int y0 = static_cast<int>(static_cast<int64_t>(j) * ah / dh), y1 = static_cast<int>(static_cast<int64_t>(j + 1) * ah / dh);
  if (mirrorX) std::tie(x0, x1) = std::make_pair(aw - x1, aw - x0);
  if (mirrorY) std::tie(y0, y1) = std::make_pair(ah - y1, ah - y0);
  x1 = std::max(x1, x0 + 1);
  y1 = std::max(y1, y0 + 1);
  uint32_t r = 0, g = 0, b = 0, n = 0;
  for (int yy = y0; yy < y1 && yy < ah; ++yy)
    for (int xx = x0; xx < x1 && xx < aw; ++xx) {
      uint32_t p = s.pixels[static_cast<size_t>(yy) * aw + xx];
      r += (p >> 16) & 0xFF;
      g += (p >> 8) & 0xFF;
      b += p & 0xFF;
      ++n;
    }
  if (!n) return 0xFF000000u;
  return 0xFF000000u | ((r + n / 2) / n) << 16 | ((g + n / 2) / n) << 8 | ((b + n / 2) / n);
}

// AlphaBlend of one source pixel over the destination pixel dpx.
uint32_t AlphaPixel(const BLENDFUNCTION& bf, uint32_t raw, uint32_t srcColor, uint32_t dpx) {
  bool perPixel = bf.AlphaFormat & AC_SRC_ALPHA;
  int alpha = perPixel ? static_cast<int>(((raw >> 24) & 0xFF) * bf.SourceConstantAlpha + 127) / 255
                       : bf.SourceConstantAlpha;
  return 0xFF000000u | static_cast<uint32_t>(Blend(srcColor, dpx, 16, bf.SourceConstantAlpha, alpha, perPixel)) << 16 |
         static_cast<uint32_t>(Blend(srcColor, dpx, 8, bf.SourceConstantAlpha, alpha, perPixel)) << 8 |
         Blend(srcColor, dpx, 0, bf.SourceConstantAlpha, alpha, perPixel);
}

BOOL Transfer(Dc* dest, int x, int y, int width, int height, const BlitSource* src, int sx, int sy, int sw, int sh,
              const BlitOp& op) {
  Canvas c(dest);
  if (!c.Ok()) return FALSE;
  if (width == 0 || height == 0) return TRUE;
  bool mirrorX = (width < 0) != (sw < 0), mirrorY = (height < 0) != (sh < 0);
  RECT d = c.ToSurface(BlockExtent(x, y, width, height));
  int dw = d.right - d.left, dh = d.bottom - d.top;
  RECT sr = BlockExtent(sx, sy, sw, sh);
  int sl = sr.left, st = sr.top;
  int aw = std::abs(sw), ah = std::abs(sh);
  bool needSource = op.kind != BlitKind::kRop || UsesSource(op.rop3);
  if (needSource && (!src || aw == 0 || ah == 0)) return FALSE;

  bool sameSurface = src && src->data == reinterpret_cast<const uint8_t*>(c.Row(0));
  if (op.kind == BlitKind::kRop && op.rop3 == rop::kSrcCopy && aw == dw && ah == dh && !mirrorX && !mirrorY &&
      src->mono == c.Mono() && !(sameSurface && c.Clip().size() > 1)) {
    CopyRows(c, d, *src, sl - d.left, st - d.top);
    return TRUE;
  }
  Sampled s;
  if (needSource) s = Sample(*src, sl, st, aw, ah, c);
  Paint pattern;
  if (op.kind == BlitKind::kRop && UsesPatternCode(op.rop3)) pattern = BrushPaint(c, dest->state.brush);
  if (op.kind == BlitKind::kRop && UsesPatternCode(op.rop3) && pattern.type == Paint::kNone) {
    pattern.type = Paint::kSolid;  // a null brush takes part as black
    pattern.solid = 0xFF000000u;
  }
  bool halftone = dest->state.stretchMode == HALFTONE && needSource && (aw > dw || ah > dh);
  uint32_t transparent = ToPixel(op.transparent) & 0xFFFFFF;

  // Source column and row for each destination column and row (centre sampling).
  std::vector<int> mapX(static_cast<size_t>(dw)), mapY(static_cast<size_t>(dh));
  if (needSource) {
    for (int i = 0; i < dw; ++i) {
      int v = static_cast<int>((static_cast<int64_t>(2 * i + 1) * aw) / (2 * dw));
      mapX[i] = mirrorX ? aw - 1 - v : v;
    }
    for (int j = 0; j < dh; ++j) {
      int v = static_cast<int>((static_cast<int64_t>(2 * j + 1) * ah) / (2 * dh));
      mapY[j] = mirrorY ? ah - 1 - v : v;
    }
  }

  for (const RECT& clip : c.Clip()) {
    RECT a = Intersect(d, clip);
    if (Empty(a)) continue;
    for (int py = a.top; py < a.bottom; ++py) {
      uint32_t* row = c.Row(py);
      int j = py - d.top;
      for (int px = a.left; px < a.right; ++px) {
        int i = px - d.left;
        uint32_t sp = 0;
        if (needSource) {
          size_t si = static_cast<size_t>(mapY[j]) * aw + mapX[i];
          if (!s.inside[si]) continue;
          sp = halftone ? AveragePixel(s, aw, ah, dw, dh, mirrorX, mirrorY, i, j) : s.pixels[si];
          if (op.kind == BlitKind::kTransparent) {
            if ((s.raw[si] & 0xFFFFFF) == transparent) continue;
            row[px] = sp | 0xFF000000u;
            continue;
          }
          if (op.kind == BlitKind::kAlpha) {
            row[px] = AlphaPixel(op.blend, s.raw[si], src->mono ? sp : s.raw[si], row[px]);
            continue;
          }
        }
        uint32_t pp = pattern.type == Paint::kNone ? 0 : pattern.At(px, py);
        row[px] = ApplyRop(op.rop3, pp, sp, row[px]);
      }
    }
  }
  return TRUE;
}

}  // namespace nbp::gdi

using namespace nbp::gdi;

namespace {

BlitSource SourceOfDc(Dc* dc, std::optional<Canvas>& holder) {
  holder.emplace(dc, false);
  BlitSource s;
  if (!holder->Ok()) return s;
  s.data = reinterpret_cast<const uint8_t*>(holder->Row(0));
  s.stride = holder->Stride();
  s.width = holder->Width();
  s.height = holder->Height();
  s.mono = holder->Mono();
  s.bkColor = dc->state.bkColor;
  return s;
}

BOOL Blt(HDC hdcDest, int x, int y, int width, int height, HDC hdcSrc, int xSrc, int ySrc, int srcWidth,
         int srcHeight, const BlitOp& op) {
  Dc* dest = Get<Dc>(hdcDest);
  if (!dest) return FALSE;
  bool needSource = op.kind != BlitKind::kRop || (((op.rop3 >> 2) ^ op.rop3) & 0x33);
  if (!needSource) return Transfer(dest, x, y, width, height, nullptr, 0, 0, 0, 0, op);
  Dc* src = Get<Dc>(hdcSrc);
  if (!src) return FALSE;
  std::optional<Canvas> holder;
  BlitSource s = SourceOfDc(src, holder);
  if (!s.data) return FALSE;
  int sx = Clamp(static_cast<int64_t>(xSrc) + src->OffsetX()), sy = Clamp(static_cast<int64_t>(ySrc) + src->OffsetY());
  return Transfer(dest, x, y, width, height, &s, sx, sy, srcWidth, srcHeight, op);
}

}  // namespace

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, DWORD rop) {
  BlitOp op;
  op.rop3 = static_cast<uint8_t>(rop >> 16);
  return Blt(dest, x, y, width, height, src, xSrc, ySrc, width, height, op);
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth,
                int srcHeight, DWORD rop) {
  BlitOp op;
  op.rop3 = static_cast<uint8_t>(rop >> 16);
  return Blt(dest, x, y, width, height, src, xSrc, ySrc, srcWidth, srcHeight, op);
}

BOOL TransparentBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, UINT transparent) {
  if (width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0) return FALSE;
  BlitOp op;
  op.kind = BlitKind::kTransparent;
  op.transparent = transparent;
  return Blt(dest, x, y, width, height, src, xSrc, ySrc, srcWidth, srcHeight, op);
}

BOOL AlphaBlend(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth,
                int srcHeight, BLENDFUNCTION blend) {
  if (width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0 || blend.BlendOp != AC_SRC_OVER) return FALSE;
  Dc* s = Get<Dc>(src);
  if (!s) return FALSE;
  // The source rectangle must lie within the source.
  int64_t sx = static_cast<int64_t>(xSrc) + s->OffsetX(), sy = static_cast<int64_t>(ySrc) + s->OffsetY();
  if (sx < 0 || sy < 0 || sx + srcWidth > s->TargetWidth() || sy + srcHeight > s->TargetHeight()) return FALSE;
  BlitOp op;
  op.kind = BlitKind::kAlpha;
  op.blend = blend;
  return Blt(dest, x, y, width, height, src, xSrc, ySrc, srcWidth, srcHeight, op);
}

namespace {

// A DIB's pixels as a temporary color bitmap; null for a malformed DIB.
Bitmap* DibToBitmap(const void* bits, const BITMAPINFO* info, UINT usage, int startScan, int lines, DibView& view) {
  size_t headerBytes = 0;
  if (!bits || !ParseInfo(info, SIZE_MAX, usage, view, headerBytes)) return nullptr;
  Bitmap* bm = NewBitmap(view.width, view.height, 32);
  if (!bm) return nullptr;
  view.bits = static_cast<const uint8_t*>(bits);
  cairo_surface_flush(bm->surface);
  lines = std::min(lines, view.height - std::max(startScan, 0));
  for (int i = 0; i < lines; ++i) {
    int scan = startScan + i;
    if (scan < 0 || scan >= view.height) continue;
    int y = view.topDown ? scan : view.height - 1 - scan;
    DecodeRow(view.bits + view.stride * static_cast<size_t>(i), view.width, view.format, bm->Row(y));
  }
  cairo_surface_mark_dirty(bm->surface);
  return bm;
}

}  // namespace

int StretchDIBits(HDC hdc, int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth, int srcHeight,
                  const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return 0;
  DibView view;
  Bitmap* bm = DibToBitmap(bits, info, usage, 0, INT_MAX, view);
  if (!bm) return 0;
  // For a bottom-up DIB the source rectangle is measured from its bottom row.
  int top = view.topDown ? ySrc : view.height - ySrc - srcHeight;
  BlitSource s = SourceOf(bm);
  BlitOp op;
  op.rop3 = static_cast<uint8_t>(rop >> 16);
  BOOL ok = Transfer(dc, x, y, width, height, &s, xSrc, top, srcWidth, srcHeight, op);
  Destroy(bm);
  return ok ? std::abs(srcHeight) : 0;
}

int SetDIBitsToDevice(HDC hdc, int x, int y, DWORD width, DWORD height, int xSrc, int ySrc, UINT startScan,
                      UINT lines, const void* bits, const BITMAPINFO* info, UINT usage) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || width > INT_MAX || height > INT_MAX || startScan > INT_MAX || lines > INT_MAX) return 0;
  DibView view;
  Bitmap* bm = DibToBitmap(bits, info, usage, static_cast<int>(startScan), static_cast<int>(lines), view);
  if (!bm) return 0;
  int w = static_cast<int>(width), h = static_cast<int>(height);
  int top = view.topDown ? ySrc : view.height - ySrc - h;
  BlitSource s = SourceOf(bm);
  BlitOp op;
  BOOL ok = Transfer(dc, x, y, w, h, &s, xSrc, top, w, h, op);
  Destroy(bm);
  int available = view.height - static_cast<int>(startScan);
  return ok ? std::max(0, std::min(static_cast<int>(lines), available)) : 0;
}
