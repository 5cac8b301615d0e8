// Painting pixels through raster operations.
#include "gdi/raster.h"

#include <algorithm>
#include <cwchar>

#include "win/syscolors.h"

namespace nbp::gdi {
namespace {

// 8x8 hatch patterns, one byte a row, most significant bit leftmost; set
// bits are the hatch lines.
constexpr uint8_t kHatches[6][8] = {
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF},  // HS_HORIZONTAL
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // HS_BDIAGONAL
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0xFF},  // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // HS_DIAGCROSS
};

bool UsesPattern(uint8_t rop3) { return ((rop3 >> 4) ^ rop3) & 0x0F; }

}  // namespace

uint8_t Rop2ToRop3(int rop2) {
  if (rop2 < R2_BLACK || rop2 > R2_WHITE) rop2 = R2_COPYPEN;
  // R2 codes are 1 + a truth table indexed by (pen << 1) | dest.
  unsigned table = static_cast<unsigned>(rop2 - 1);
  uint8_t r = 0;
  for (int i = 0; i < 8; ++i) {
    int p = (i >> 2) & 1, d = i & 1;
    if ((table >> ((p << 1) | d)) & 1) r |= static_cast<uint8_t>(1u << i);
  }
  return r;
}

uint32_t ApplyRop(uint8_t rop3, uint32_t p, uint32_t s, uint32_t d) {
  uint32_t r;
  switch (rop3) {
    case rop::kBlack: r = 0; break;
    case rop::kWhite: r = 0xFFFFFF; break;
    case rop::kPatCopy: r = p; break;
    case rop::kSrcCopy: r = s; break;
    case rop::kDst: r = d; break;
    case rop::kDstInvert: r = ~d; break;
    case rop::kPatInvert: r = p ^ d; break;
    case rop::kSrcInvert: r = s ^ d; break;
    case rop::kSrcAnd: r = s & d; break;
    case rop::kSrcPaint: r = s | d; break;
    case rop::kNotSrcCopy: r = ~s; break;
    default: {
      // Index (p, s, d) of the truth table, bit by bit across the word.
      r = 0;
      for (int i = 0; i < 8; ++i) {
        if (!((rop3 >> i) & 1)) continue;
        r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
      }
    }
  }
  return r | 0xFF000000u;
}

Canvas::Canvas(Dc* dc, bool writes) : dc_(dc), writes_(writes) {
  cairo_surface_t* s = dc->Target();
  if (!s) return;
  if (dc->memory && dc->state.bitmap->dib) dc->state.bitmap->PullDib();
  cairo_surface_flush(s);
  data_ = cairo_image_surface_get_data(s);
  stride_ = cairo_image_surface_get_stride(s);
  width_ = cairo_image_surface_get_width(s);
  height_ = cairo_image_surface_get_height(s);
  mono_ = dc->Mono();
  argb_ = cairo_image_surface_get_format(s) == CAIRO_FORMAT_ARGB32;
  clip_ = &dc->Clip();
}

Canvas::~Canvas() {
  if (!data_ || !writes_) return;
  cairo_surface_mark_dirty(dc_->Target());
  if (dc_->memory && dc_->state.bitmap->dib) dc_->state.bitmap->PushDib();
}

void Canvas::BeginCairo() const { cairo_surface_mark_dirty(dc_->Target()); }
void Canvas::EndCairo() const { cairo_surface_flush(dc_->Target()); }

bool Canvas::Visible(int x, int y) const {
  for (const RECT& r : *clip_)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

Paint SolidPaint(const Canvas& c, COLORREF color) {
  Paint p;
  p.type = Paint::kSolid;
  p.solid = c.Pixel(color);
  return p;
}

Paint BrushPaint(const Canvas& c, const Brush* brush) {
  Paint p;
  if (!brush || brush->style == BS_NULL) return p;
  const DcState& st = c.DC()->state;
  if (brush->style == BS_SOLID) return SolidPaint(c, brush->sysColor >= 0 ? GetSysColor(brush->sysColor) : brush->color);

  p.type = Paint::kPattern;
  p.originX = c.DC()->origin.x + st.brushOrg.x;
  p.originY = c.DC()->origin.y + st.brushOrg.y;
  if (brush->style == BS_HATCHED) {
    p.width = p.height = 8;
    p.pixels.resize(64);
    bool opaque = st.bkMode == OPAQUE;
    if (!opaque) p.skip.resize(64);
    uint32_t line = c.Pixel(brush->color), back = c.Pixel(st.bkColor);
    const uint8_t* rows = kHatches[brush->hatch <= HS_DIAGCROSS ? brush->hatch : 0];
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        bool on = (rows[y] >> (7 - x)) & 1;
        p.pixels[y * 8 + x] = on ? line : back;
        if (!opaque) p.skip[y * 8 + x] = !on;
      }
    return p;
  }
  const Pattern& pat = *brush->pattern;
  p.width = pat.width;
  p.height = pat.height;
  p.pixels.resize(pat.pixels.size());
  uint32_t fore = c.Pixel(st.textColor), back = c.Pixel(st.bkColor);
  for (size_t i = 0; i < pat.pixels.size(); ++i) {
    uint32_t v = pat.pixels[i] | 0xFF000000u;
    if (pat.mono) v = (pat.pixels[i] & 0xFFFFFF) ? back : fore;
    else if (c.Mono()) v = MonoPixel(v);
    p.pixels[i] = v;
  }
  return p;
}

Mask RasterizeWith(RECT bounds, void (*draw)(cairo_t*, const void*), const void* arg) {
  Mask m;
  if (Empty(bounds)) return m;
  m.x = bounds.left;
  m.y = bounds.top;
  m.width = bounds.right - bounds.left;
  m.height = bounds.bottom - bounds.top;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, m.width, m.height);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    m.width = m.height = 0;
    return m;
  }
  cairo_t* cr = cairo_create(s);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_translate(cr, -m.x, -m.y);
  draw(cr, arg);
  cairo_destroy(cr);
  cairo_surface_flush(s);
  const uint8_t* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  m.on.resize(static_cast<size_t>(m.width) * m.height);
  for (int y = 0; y < m.height; ++y)
    for (int x = 0; x < m.width; ++x) m.on[static_cast<size_t>(y) * m.width + x] = data[y * stride + x] >= 128;
  cairo_surface_destroy(s);
  return m;
}

void Subtract(Mask& mask, const Mask& other) {
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x)
      if (other.At(mask.x + x, mask.y + y)) mask.on[static_cast<size_t>(y) * mask.width + x] = 0;
}

void FillRect(Canvas& c, RECT r, const Paint& paint, uint8_t rop3) {
  if (paint.type == Paint::kNone && UsesPattern(rop3)) return;
  bool fast = paint.type == Paint::kSolid && rop3 == rop::kPatCopy;
  for (const RECT& clip : c.Clip()) {
    RECT a = Intersect(r, clip);
    if (Empty(a)) continue;
    for (int y = a.top; y < a.bottom; ++y) {
      uint32_t* row = c.Row(y);
      if (fast) {
        // wchar_t is 32 bits here, and the C library's wmemset is vectorised.
        static_assert(sizeof(wchar_t) == sizeof(uint32_t));
        std::wmemset(reinterpret_cast<wchar_t*>(row + a.left), static_cast<wchar_t>(paint.solid),
                     static_cast<size_t>(a.right - a.left));
      } else if (rop3 == rop::kDstInvert) {
        for (int x = a.left; x < a.right; ++x) row[x] = ~row[x] | 0xFF000000u;
      } else {
        for (int x = a.left; x < a.right; ++x) {
          if (paint.type == Paint::kPattern && paint.Skips(x, y)) continue;
          uint32_t p = paint.type == Paint::kNone ? 0 : paint.At(x, y);
          row[x] = ApplyRop(rop3, p, 0, row[x]);
        }
      }
    }
  }
}

void FillMask(Canvas& c, const Mask& mask, const Paint& paint, uint8_t rop3) {
  if (paint.type == Paint::kNone && UsesPattern(rop3)) return;
  RECT bounds{mask.x, mask.y, mask.x + mask.width, mask.y + mask.height};
  for (const RECT& clip : c.Clip()) {
    RECT a = Intersect(bounds, clip);
    if (Empty(a)) continue;
    for (int y = a.top; y < a.bottom; ++y) {
      uint32_t* row = c.Row(y);
      const uint8_t* on = mask.on.data() + static_cast<size_t>(y - mask.y) * mask.width;
      for (int x = a.left; x < a.right; ++x) {
        if (!on[x - mask.x]) continue;
        if (paint.type == Paint::kPattern && paint.Skips(x, y)) continue;
        uint32_t p = paint.type == Paint::kNone ? 0 : paint.At(x, y);
        row[x] = ApplyRop(rop3, p, 0, row[x]);
      }
    }
  }
}

void FillRegion(Canvas& c, const cairo_region_t* region, int dx, int dy, const Paint& paint, uint8_t rop3) {
  int n = cairo_region_num_rectangles(region);
  for (int i = 0; i < n; ++i) {
    cairo_rectangle_int_t r;
    cairo_region_get_rectangle(region, i, &r);
    int64_t left = static_cast<int64_t>(r.x) + dx, top = static_cast<int64_t>(r.y) + dy;
    FillRect(c, {Clamp(left), Clamp(top), Clamp(left + r.width), Clamp(top + r.height)}, paint, rop3);
  }
}

void PlotPixel(Canvas& c, int x, int y, uint32_t p, uint8_t rop3) {
  if (!c.Visible(x, y)) return;
  uint32_t* px = c.Row(y) + x;
  *px = ApplyRop(rop3, p, 0, *px);
}

}  // namespace nbp::gdi
