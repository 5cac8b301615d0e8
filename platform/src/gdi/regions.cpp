// Regions: rectangle sets backed by cairo_region_t. Curved and polygonal
// regions are rasterized (pixel centres inside the outline) into spans.
#include <algorithm>
#include <cmath>

#include "gdi/raster.h"
#include "gdi/shapes.h"
#include "internal/gdi_internal.h"

namespace nbp::gdi {

int RegionType(const cairo_region_t* r) {
  int n = cairo_region_num_rectangles(r);
  return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

void EllipsePath(cairo_t* cr, double left, double top, double right, double bottom) {
  double rx = (right - left) / 2, ry = (bottom - top) / 2;
  if (rx <= 0 || ry <= 0) return;
  cairo_save(cr);
  cairo_translate(cr, left + rx, top + ry);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_close_path(cr);
  cairo_restore(cr);
}

void RoundRectPath(cairo_t* cr, double left, double top, double right, double bottom, double ew, double eh) {
  double rx = std::min(ew, right - left) / 2, ry = std::min(eh, bottom - top) / 2;
  if (right <= left || bottom <= top) return;
  if (rx <= 0 || ry <= 0) {
    cairo_rectangle(cr, left, top, right - left, bottom - top);
    return;
  }
  auto corner = [&](double cx, double cy, double from) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, from, from + M_PI / 2);
    cairo_restore(cr);
  };
  cairo_new_sub_path(cr);
  corner(right - rx, top + ry, -M_PI / 2);
  corner(right - rx, bottom - ry, 0);
  corner(left + rx, bottom - ry, M_PI / 2);
  corner(left + rx, top + ry, M_PI);
  cairo_close_path(cr);
}

RECT Bounds(const POINT* points, int count) {
  RECT b{points[0].x, points[0].y, points[0].x, points[0].y};
  for (int i = 1; i < count; ++i) {
    b.left = std::min(b.left, points[i].x);
    b.top = std::min(b.top, points[i].y);
    b.right = std::max(b.right, points[i].x);
    b.bottom = std::max(b.bottom, points[i].y);
  }
  return Normalized(b.left, b.top, b.right, b.bottom);
}

int Clamp(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, -kCoordinateLimit, kCoordinateLimit)); }

RECT BlockExtent(int x, int y, int width, int height) {
  x = Clamp(x);
  y = Clamp(y);
  width = Clamp(width);
  height = Clamp(height);
  RECT r{x, y, x + width, y + height};
  if (width < 0) r = {x + width + 1, r.top, x + 1, r.bottom};
  if (height < 0) r = {r.left, y + height + 1, r.right, y + 1};
  return r;
}

RECT Normalized(int left, int top, int right, int bottom) {
  left = Clamp(left);
  top = Clamp(top);
  right = Clamp(right);
  bottom = Clamp(bottom);
  return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

cairo_region_t* RectRegion(const RECT& r) {
  if (Empty(r)) return cairo_region_create();
  cairo_rectangle_int_t c{r.left, r.top, r.right - r.left, r.bottom - r.top};
  return cairo_region_create_rectangle(&c);
}

// Regions of curves and polygons are worked out a scanline at a time: a
// pixel belongs to the region when its centre is inside the outline. Rows
// with the same spans as the row above extend its rectangles, so a tall
// ellipse costs one pass over its rows and no pixel buffer.
class SpanBuilder {
 public:
  void Row(int y, std::vector<std::pair<int64_t, int64_t>> spans) {  // [from, to) pixel columns
    std::vector<std::pair<int64_t, int64_t>> kept;
    for (auto& s : spans)
      if (s.second > s.first) kept.push_back(s);
    if (kept == previous_ && y == previousY_ + 1) {
      previousY_ = y;
      return;
    }
    Flush();
    previous_ = std::move(kept);
    firstY_ = previousY_ = y;
  }
  cairo_region_t* Finish() {
    Flush();
    if (rects_.empty()) return cairo_region_create();
    return cairo_region_create_rectangles(rects_.data(), static_cast<int>(rects_.size()));
  }

 private:
  void Flush() {
    for (auto& s : previous_)
      rects_.push_back({static_cast<int>(s.first), firstY_, static_cast<int>(s.second - s.first), previousY_ - firstY_ + 1});
    previous_.clear();
  }
  std::vector<std::pair<int64_t, int64_t>> previous_;
  int firstY_ = 0, previousY_ = 0;
  std::vector<cairo_rectangle_int_t> rects_;
};

// Pixel columns whose centres lie in [from, to].
std::pair<int64_t, int64_t> Columns(double from, double to) {
  return {static_cast<int64_t>(std::ceil(from - 0.5)), static_cast<int64_t>(std::floor(to - 0.5)) + 1};
}

// A rounded rectangle: corner ellipses of rx by ry (an ellipse when they
// meet in the middle).
cairo_region_t* RoundedRegion(const RECT& b, double rx, double ry) {
  SpanBuilder spans;
  rx = std::min(rx, (b.right - b.left) / 2.0);
  ry = std::min(ry, (b.bottom - b.top) / 2.0);
  for (int64_t y = b.top; y < b.bottom; ++y) {
    double yc = y + 0.5, inset = 0;
    double dy = yc < b.top + ry ? b.top + ry - yc : yc > b.bottom - ry ? yc - (b.bottom - ry) : 0;
    if (dy > 0) {
      double t = 1 - (dy / ry) * (dy / ry);
      if (t < 0) continue;
      inset = rx - rx * std::sqrt(t);
    }
    spans.Row(static_cast<int>(y), {Columns(b.left + inset, b.right - inset)});
  }
  return spans.Finish();
}

cairo_region_t* PolygonRegion(const POINT* points, int count, int fillMode) {
  RECT b = Bounds(points, count);
  SpanBuilder spans;
  struct Crossing {
    double x;
    int direction;
  };
  std::vector<Crossing> crossings;
  for (int64_t y = b.top; y < b.bottom; ++y) {
    double yc = y + 0.5;
    crossings.clear();
    for (int i = 0; i < count; ++i) {
      const POINT& p = points[i];
      const POINT& q = points[(i + 1) % count];
      if (p.y == q.y) continue;
      bool down = q.y > p.y;
      double y0 = down ? p.y : q.y, y1 = down ? q.y : p.y;
      if (yc < y0 || yc >= y1) continue;
      double x = p.x + (yc - p.y) * static_cast<double>(q.x - p.x) / (q.y - p.y);
      crossings.push_back({x, down ? 1 : -1});
    }
    std::sort(crossings.begin(), crossings.end(), [](const Crossing& a, const Crossing& c) { return a.x < c.x; });
    std::vector<std::pair<int64_t, int64_t>> row;
    int winding = 0;
    for (size_t k = 0; k + 1 < crossings.size(); ++k) {
      winding += fillMode == WINDING ? crossings[k].direction : 1;
      bool inside = fillMode == WINDING ? winding != 0 : (winding & 1);
      if (!inside) continue;
      // Centres in [x_k, x_k+1): the right edge is left out.
      int64_t from = static_cast<int64_t>(std::ceil(crossings[k].x - 0.5));
      int64_t to = static_cast<int64_t>(std::ceil(crossings[k + 1].x - 0.5));
      if (!row.empty() && row.back().second >= from) row.back().second = std::max(row.back().second, to);
      else row.push_back({from, to});
    }
    spans.Row(static_cast<int>(y), std::move(row));
  }
  return spans.Finish();
}

cairo_region_t* RegionOf(HRGN rgn) {
  Region* r = Get<Region>(rgn);
  return r ? r->rgn : nullptr;
}

HRGN CreateRegionFrom(const cairo_region_t* region) {
  return static_cast<HRGN>(NewRegion(region ? cairo_region_copy(region) : cairo_region_create())->handle);
}

}  // namespace nbp::gdi

using namespace nbp::gdi;

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return static_cast<HRGN>(NewRegion(RectRegion(Normalized(left, top, right, bottom)))->handle);
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
  return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
  RECT b = Normalized(left, top, right, bottom);
  double rx = (b.right - b.left) / 2.0, ry = (b.bottom - b.top) / 2.0;
  return static_cast<HRGN>(NewRegion(RoundedRegion(b, rx, ry))->handle);
}

HRGN CreateEllipticRgnIndirect(const RECT* rect) {
  return rect ? CreateEllipticRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
  RECT b = Normalized(left, top, right, bottom);
  double rx = std::abs(static_cast<double>(ellipseWidth)) / 2, ry = std::abs(static_cast<double>(ellipseHeight)) / 2;
  return static_cast<HRGN>(NewRegion(RoundedRegion(b, rx, ry))->handle);
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode) {
  if (!points || count < 2 || (fillMode != ALTERNATE && fillMode != WINDING)) return nullptr;
  // Points are kept within GDI's coordinate range like every other coordinate.
  std::vector<POINT> pts(points, points + count);
  for (POINT& p : pts) p = {Clamp(p.x), Clamp(p.y)};
  return static_cast<HRGN>(NewRegion(PolygonRegion(pts.data(), count, fillMode))->handle);
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
  Region* d = Get<Region>(dest);
  Region* a = Get<Region>(src1);
  Region* b = mode == RGN_COPY ? nullptr : Get<Region>(src2);
  if (!d || !a || (mode != RGN_COPY && !b) || mode < RGN_AND || mode > RGN_COPY) return ERROR;
  cairo_region_t* r = cairo_region_copy(a->rgn);
  switch (mode) {
    case RGN_AND: cairo_region_intersect(r, b->rgn); break;
    case RGN_OR: cairo_region_union(r, b->rgn); break;
    case RGN_XOR: cairo_region_xor(r, b->rgn); break;
    case RGN_DIFF: cairo_region_subtract(r, b->rgn); break;
    default: break;
  }
  cairo_region_destroy(d->rgn);
  d->rgn = r;
  return RegionType(r);
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
  Region* r = Get<Region>(rgn);
  if (!r) return ERROR;
  cairo_region_translate(r->rgn, dx, dy);
  return RegionType(r->rgn);
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
  Region* r = Get<Region>(rgn);
  if (!r) return FALSE;
  cairo_region_destroy(r->rgn);
  r->rgn = RectRegion(Normalized(left, top, right, bottom));
  return TRUE;
}

int GetRgnBox(HRGN rgn, LPRECT rect) {
  Region* r = Get<Region>(rgn);
  if (!r || !rect) return ERROR;
  cairo_rectangle_int_t e;
  cairo_region_get_extents(r->rgn, &e);
  *rect = {e.x, e.y, e.x + e.width, e.y + e.height};
  if (cairo_region_is_empty(r->rgn)) *rect = {0, 0, 0, 0};
  return RegionType(r->rgn);
}

BOOL PtInRegion(HRGN rgn, int x, int y) {
  Region* r = Get<Region>(rgn);
  return r && cairo_region_contains_point(r->rgn, x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN rgn, const RECT* rect) {
  Region* r = Get<Region>(rgn);
  if (!r || !rect) return FALSE;
  RECT n = Normalized(rect->left, rect->top, rect->right, rect->bottom);
  if (Empty(n)) return FALSE;
  cairo_rectangle_int_t c{n.left, n.top, n.right - n.left, n.bottom - n.top};
  return cairo_region_contains_rectangle(r->rgn, &c) != CAIRO_REGION_OVERLAP_OUT ? TRUE : FALSE;
}

BOOL EqualRgn(HRGN rgn1, HRGN rgn2) {
  Region* a = Get<Region>(rgn1);
  Region* b = Get<Region>(rgn2);
  if (!a || !b) return ERROR;
  return cairo_region_equal(a->rgn, b->rgn) ? TRUE : FALSE;
}

namespace {

BOOL PaintRegion(HDC hdc, HRGN rgn, const Brush* brush, bool useBrush, uint8_t rop3) {
  Dc* dc = Get<Dc>(hdc);
  Region* r = Get<Region>(rgn);
  if (!dc || !r || (useBrush && !brush)) return FALSE;
  Canvas c(dc);
  if (!c.Ok()) return FALSE;
  Paint paint = useBrush ? BrushPaint(c, brush) : Paint{};
  FillRegion(c, r->rgn, dc->OffsetX(), dc->OffsetY(), paint, rop3);
  return TRUE;
}

}  // namespace

BOOL FillRgn(HDC hdc, HRGN rgn, HBRUSH brush) {
  return PaintRegion(hdc, rgn, BrushArg(brush), true, rop::kPatCopy);
}

BOOL PaintRgn(HDC hdc, HRGN rgn) {
  Dc* dc = Get<Dc>(hdc);
  return dc ? PaintRegion(hdc, rgn, dc->state.brush, true, rop::kPatCopy) : FALSE;
}

BOOL InvertRgn(HDC hdc, HRGN rgn) { return PaintRegion(hdc, rgn, nullptr, false, rop::kDstInvert); }

BOOL FrameRgn(HDC hdc, HRGN rgn, HBRUSH brush, int width, int height) {
  Dc* dc = Get<Dc>(hdc);
  Region* r = Get<Region>(rgn);
  Brush* b = BrushArg(brush);
  if (!dc || !r || !b || width <= 0 || height <= 0) return FALSE;
  // The frame is what is left of the region after eroding it: a pixel is
  // inside when its neighbours up to width/height away are in the region.
  cairo_region_t* inner = cairo_region_copy(r->rgn);
  auto erode = [&](int dx, int dy) {
    cairo_region_t* shifted = cairo_region_copy(r->rgn);
    cairo_region_translate(shifted, dx, dy);
    cairo_region_intersect(inner, shifted);
    cairo_region_destroy(shifted);
  };
  for (int k = 1; k <= width; ++k) {
    erode(k, 0);
    erode(-k, 0);
  }
  for (int k = 1; k <= height; ++k) {
    erode(0, k);
    erode(0, -k);
  }
  cairo_region_t* frame = cairo_region_copy(r->rgn);
  cairo_region_subtract(frame, inner);
  cairo_region_destroy(inner);
  {
    Canvas c(dc);
    if (c.Ok()) FillRegion(c, frame, dc->OffsetX(), dc->OffsetY(), BrushPaint(c, b), rop::kPatCopy);
  }
  cairo_region_destroy(frame);
  return TRUE;
}
