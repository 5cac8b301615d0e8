// Filled shapes, lines and pixels: Rectangle, Ellipse, RoundRect, Polygon,
// Polyline, LineTo, FillRect and friends, SetPixel and GetPixel.
//
// Shapes follow GDI's geometry: a box (left, top, right, bottom) covers the
// pixels left <= x < right and top <= y < bottom; a 1-pixel pen draws on
// the outermost pixels of the box and the brush fills what is inside; with
// a null pen the filled box loses its last column and row. Lines leave out
// their end point.
#include <algorithm>
#include <cmath>

#include "gdi/raster.h"
#include "gdi/shapes.h"

namespace nbp::gdi {
namespace {

// Cosmetic pen styles, in pixels: on, off, on, off...
struct Dashes {
  const uint8_t* runs;
  int count;
};

Dashes DashesOf(int style) {
  static constexpr uint8_t kDash[] = {18, 6}, kDot[] = {3, 3}, kDashDot[] = {9, 6, 3, 6},
                           kDashDotDot[] = {9, 3, 3, 3, 3, 3};
  switch (style) {
    case PS_DASH: return {kDash, 2};
    case PS_DOT: return {kDot, 2};
    case PS_DASHDOT: return {kDashDot, 4};
    case PS_DASHDOTDOT: return {kDashDotDot, 6};
    default: return {nullptr, 0};
  }
}

int PatternLength(const Dashes& d) {
  int n = 0;
  for (int i = 0; i < d.count; ++i) n += d.runs[i];
  return n;
}

bool DashOn(const Dashes& d, int64_t position) {
  int p = static_cast<int>(position % PatternLength(d));
  for (int i = 0; i < d.count; ++i) {
    if (p < d.runs[i]) return (i & 1) == 0;
    p -= d.runs[i];
  }
  return true;
}

// What a DC's pen draws with.
struct PenPaint {
  bool visible = false;
  bool cosmetic = true;  // width 0 or 1
  int width = 1;
  Dashes dashes{nullptr, 0};
  uint32_t pixel = 0, gapPixel = 0;
  bool fillGaps = false;
  uint8_t rop3 = rop::kPatCopy;
};

PenPaint PenOf(const Canvas& c) {
  const DcState& st = c.DC()->state;
  PenPaint p;
  const Pen* pen = st.pen;
  p.visible = pen->Style() != PS_NULL;
  p.width = std::max(1, pen->Width());
  p.cosmetic = p.width <= 1;
  if (p.cosmetic) p.dashes = DashesOf(pen->Style());  // wide pens are always solid
  p.pixel = c.Pixel(pen->log.lopnColor);
  p.gapPixel = c.Pixel(st.bkColor);
  p.fillGaps = st.bkMode == OPAQUE;
  p.rop3 = Rop2ToRop3(st.rop2);
  return p;
}

// A one-pixel line from a to b (surface coordinates), b left out. `step`
// carries the position in the dash pattern from segment to segment.
void CosmeticLine(Canvas& c, const PenPaint& pen, POINT a, POINT b, int64_t& step) {
  int dx = std::abs(b.x - a.x), dy = std::abs(b.y - a.y);
  if (!pen.dashes.runs && (dx == 0 || dy == 0)) {
    // Straight solid lines are spans.
    RECT r;
    if (dy == 0) r = b.x >= a.x ? RECT{a.x, a.y, b.x, a.y + 1} : RECT{b.x + 1, a.y, a.x + 1, a.y + 1};
    else r = b.y >= a.y ? RECT{a.x, a.y, a.x + 1, b.y} : RECT{a.x, b.y + 1, a.x + 1, a.y + 1};
    Paint paint;
    paint.type = Paint::kSolid;
    paint.solid = pen.pixel;
    FillRect(c, r, paint, pen.rop3);
    return;
  }
  int sx = b.x >= a.x ? 1 : -1, sy = b.y >= a.y ? 1 : -1;
  bool xMajor = dx >= dy;
  int64_t major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
  int64_t error0 = major / 2;
  // Only the steps whose major coordinate lies in the clip bounds can show:
  // start there, with the minor coordinate and error Bresenham would have.
  const RECT& bounds = c.ClipBounds();
  int64_t start = xMajor ? a.x : a.y, dir = xMajor ? sx : sy;
  int64_t lo = xMajor ? bounds.left : bounds.top, hi = xMajor ? bounds.right : bounds.bottom;
  int64_t kFrom = dir > 0 ? lo - start : start - (hi - 1);
  int64_t kTo = dir > 0 ? hi - start : start - lo + 1;
  kFrom = std::max<int64_t>(kFrom, 0);
  kTo = std::min<int64_t>(kTo, major);
  if (kFrom >= kTo) {
    step += major;
    return;
  }
  int64_t moved = kFrom * minor > error0 ? (kFrom * minor - error0 + major - 1) / major : 0;
  int64_t error = error0 - kFrom * minor + moved * major;
  int64_t x = xMajor ? a.x + sx * kFrom : a.x + sx * moved;
  int64_t y = xMajor ? a.y + sy * moved : a.y + sy * kFrom;
  step += kFrom;
  for (int64_t k = kFrom; k < kTo; ++k, ++step) {
    int px = static_cast<int>(x), py = static_cast<int>(y);
    if (!pen.dashes.runs || DashOn(pen.dashes, step)) {
      PlotPixel(c, px, py, pen.pixel, pen.rop3);
    } else if (pen.fillGaps) {
      PlotPixel(c, px, py, pen.gapPixel, pen.rop3);
    }
    error -= minor;
    if (error < 0) {
      error += major;
      if (xMajor) y += sy;
      else x += sx;
    }
    if (xMajor) x += sx;
    else y += sy;
  }
  step += major - kTo;
}

// The coverage of a wide pen stroked along points (surface coordinates),
// through pixel centres, with round ends and joins as GDI's geometric pens.
Mask WidePath(const Canvas& c, const POINT* points, int count, bool closed, int width) {
  RECT b = Bounds(points, count);
  b = Intersect({b.left - width, b.top - width, b.right + width + 1, b.bottom + width + 1}, c.ClipBounds());
  return Rasterize(b, [&](cairo_t* cr) {
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cr, points[0].x + 0.5, points[0].y + 0.5);
    for (int i = 1; i < count; ++i) cairo_line_to(cr, points[i].x + 0.5, points[i].y + 0.5);
    if (closed) cairo_close_path(cr);
    cairo_stroke(cr);
  });
}

void DrawPolyline(Canvas& c, const PenPaint& pen, std::vector<POINT> pts, bool closed) {
  if (!pen.visible || pts.empty()) return;
  if (closed) pts.push_back(pts.front());
  if (pen.cosmetic) {
    int64_t step = 0;
    for (size_t i = 0; i + 1 < pts.size(); ++i) CosmeticLine(c, pen, pts[i], pts[i + 1], step);
    return;
  }
  Paint paint;
  paint.type = Paint::kSolid;
  paint.solid = pen.pixel;
  FillMask(c, WidePath(c, pts.data(), static_cast<int>(pts.size()), closed, pen.width), paint, pen.rop3);
}

std::vector<POINT> ToSurface(const Canvas& c, const POINT* points, int count) {
  std::vector<POINT> out(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) out[i] = {c.X(points[i].x), c.Y(points[i].y)};
  return out;
}

using PathFn = void (*)(cairo_t*, double, double, double, double, double, double);

void EllipseFn(cairo_t* cr, double l, double t, double r, double b, double, double) { EllipsePath(cr, l, t, r, b); }
void RoundRectFn(cairo_t* cr, double l, double t, double r, double b, double ew, double eh) {
  RoundRectPath(cr, l, t, r, b, ew, eh);
}

// Ellipse and RoundRect: a closed outline inscribed in the box, stroked by
// the pen through the centres of its outermost pixels and filled inside.
BOOL CurvedShape(HDC hdc, int left, int top, int right, int bottom, PathFn path, double ew, double eh) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return FALSE;
  Canvas c(dc);
  if (!c.Ok()) return FALSE;
  RECT box = c.ToSurface(Normalized(left, top, right, bottom));
  PenPaint pen = PenOf(c);
  Paint brush = BrushPaint(c, dc->state.brush);
  uint8_t rop3 = pen.rop3;
  if (!pen.visible) {
    RECT inner{box.left, box.top, box.right - 1, box.bottom - 1};
    Mask fill = Rasterize(Intersect(inner, c.ClipBounds()), [&](cairo_t* cr) {
      path(cr, inner.left, inner.top, inner.right, inner.bottom, ew, eh);
      cairo_fill(cr);
    });
    FillMask(c, fill, brush, rop3);
    return TRUE;
  }
  // An inside-frame pen keeps the whole stroke in the box.
  double inset = dc->state.pen->Style() == PS_INSIDEFRAME ? pen.width / 2.0 : 0.5;
  if (pen.cosmetic) inset = 0.5;
  RECT bounds{box.left - pen.width, box.top - pen.width, box.right + pen.width, box.bottom + pen.width};
  Mask outline = Rasterize(Intersect(bounds, c.ClipBounds()), [&](cairo_t* cr) {
    path(cr, box.left + inset, box.top + inset, box.right - inset, box.bottom - inset, ew, eh);
    cairo_set_line_width(cr, pen.width);
    cairo_stroke(cr);
  });
  Mask fill = Rasterize(Intersect(box, c.ClipBounds()), [&](cairo_t* cr) {
    path(cr, box.left + inset, box.top + inset, box.right - inset, box.bottom - inset, ew, eh);
    cairo_fill(cr);
  });
  Subtract(fill, outline);
  FillMask(c, fill, brush, rop3);
  Paint penPaint;
  penPaint.type = Paint::kSolid;
  penPaint.solid = pen.pixel;
  FillMask(c, outline, penPaint, rop3);
  return TRUE;
}

}  // namespace

}  // namespace nbp::gdi

using namespace nbp::gdi;

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
  Dc* dc = Get<Dc>(hdc);
  Brush* b = BrushArg(brush);
  if (!dc || !rect || !b) return FALSE;
  Canvas c(dc);
  if (!c.Ok()) return FALSE;
  nbp::gdi::FillRect(c, c.ToSurface(*rect), BrushPaint(c, b), rop::kPatCopy);
  return TRUE;
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
  Dc* dc = Get<Dc>(hdc);
  Brush* b = BrushArg(brush);
  if (!dc || !rect || !b) return FALSE;
  if (rect->right <= rect->left || rect->bottom <= rect->top) return FALSE;
  Canvas c(dc);
  if (!c.Ok()) return FALSE;
  RECT r = c.ToSurface(*rect);
  Paint paint = BrushPaint(c, b);
  nbp::gdi::FillRect(c, {r.left, r.top, r.right, r.top + 1}, paint, rop::kPatCopy);
  nbp::gdi::FillRect(c, {r.left, r.bottom - 1, r.right, r.bottom}, paint, rop::kPatCopy);
  nbp::gdi::FillRect(c, {r.left, r.top + 1, r.left + 1, r.bottom - 1}, paint, rop::kPatCopy);
  nbp::gdi::FillRect(c, {r.right - 1, r.top + 1, r.right, r.bottom - 1}, paint, rop::kPatCopy);
  return TRUE;
}

BOOL InvertRect(HDC hdc, const RECT* rect) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || !rect) return FALSE;
  Canvas c(dc);
  if (!c.Ok()) return FALSE;
  nbp::gdi::FillRect(c, c.ToSurface(*rect), Paint{}, rop::kDstInvert);
  return TRUE;
}

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop) {
  Dc* dc = Get<Dc>(hdc);
  uint8_t code = static_cast<uint8_t>(rop >> 16);
  // Operations that read a source have none here.
  if (!dc || (((code >> 2) ^ code) & 0x33)) return FALSE;
  Canvas c(dc);
  if (!c.Ok()) return FALSE;
  RECT r = c.ToSurface(BlockExtent(x, y, width, height));
  nbp::gdi::FillRect(c, r, BrushPaint(c, dc->state.brush), code);
  return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return FALSE;
  Canvas c(dc);
  if (!c.Ok()) return FALSE;
  RECT box = c.ToSurface(Normalized(left, top, right, bottom));
  PenPaint pen = PenOf(c);
  Paint brush = BrushPaint(c, dc->state.brush);
  if (!pen.visible) {
    nbp::gdi::FillRect(c, {box.left, box.top, box.right - 1, box.bottom - 1}, brush, pen.rop3);
    return TRUE;
  }
  if (pen.cosmetic || dc->state.pen->Style() == PS_INSIDEFRAME) {
    int w = pen.cosmetic ? 1 : pen.width;
    // Four bands that never overlap, so XOR pens touch each pixel once.
    int t2 = std::min(box.top + w, box.bottom), b2 = std::max(box.bottom - w, t2);
    int l2 = std::min(box.left + w, box.right), r2 = std::max(box.right - w, l2);
    nbp::gdi::FillRect(c, {l2, t2, r2, b2}, brush, pen.rop3);
    if (pen.dashes.runs) {
      std::vector<POINT> pts{{box.left, box.top},
                             {box.right - 1, box.top},
                             {box.right - 1, box.bottom - 1},
                             {box.left, box.bottom - 1}};
      DrawPolyline(c, pen, pts, true);
      return TRUE;
    }
    Paint p;
    p.type = Paint::kSolid;
    p.solid = pen.pixel;
    nbp::gdi::FillRect(c, {box.left, box.top, box.right, t2}, p, pen.rop3);
    nbp::gdi::FillRect(c, {box.left, b2, box.right, box.bottom}, p, pen.rop3);
    nbp::gdi::FillRect(c, {box.left, t2, l2, b2}, p, pen.rop3);
    nbp::gdi::FillRect(c, {r2, t2, box.right, b2}, p, pen.rop3);
    return TRUE;
  }
  // A wide pen is centred on the outline of a 1-pixel pen.
  std::vector<POINT> pts{{box.left, box.top}, {box.right - 1, box.top}, {box.right - 1, box.bottom - 1},
                         {box.left, box.bottom - 1}};
  RECT bounds{box.left - pen.width, box.top - pen.width, box.right + pen.width, box.bottom + pen.width};
  Mask outline = Rasterize(Intersect(bounds, c.ClipBounds()), [&](cairo_t* cr) {
    cairo_set_line_width(cr, pen.width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_rectangle(cr, box.left + 0.5, box.top + 0.5, box.right - box.left - 1, box.bottom - box.top - 1);
    cairo_stroke(cr);
  });
  Mask fill = Rasterize(Intersect(box, c.ClipBounds()), [&](cairo_t* cr) {
    cairo_rectangle(cr, box.left + 1, box.top + 1, box.right - box.left - 2, box.bottom - box.top - 2);
    cairo_fill(cr);
  });
  Subtract(fill, outline);
  FillMask(c, fill, brush, pen.rop3);
  Paint p;
  p.type = Paint::kSolid;
  p.solid = pen.pixel;
  FillMask(c, outline, p, pen.rop3);
  return TRUE;
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  return CurvedShape(hdc, left, top, right, bottom, EllipseFn, 0, 0);
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
  return CurvedShape(hdc, left, top, right, bottom, RoundRectFn, std::abs(ellipseWidth), std::abs(ellipseHeight));
}

BOOL Polygon(HDC hdc, const POINT* points, int count) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || !points || count < 2) return FALSE;
  Canvas c(dc);
  if (!c.Ok()) return FALSE;
  std::vector<POINT> pts = ToSurface(c, points, count);
  int mode = dc->state.polyFillMode;
  Paint brush = BrushPaint(c, dc->state.brush);
  PenPaint pen = PenOf(c);
  if (brush.type != Paint::kNone) {
    Mask fill = Rasterize(Intersect(Bounds(pts.data(), count), c.ClipBounds()), [&](cairo_t* cr) {
      cairo_set_fill_rule(cr, mode == WINDING ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
      cairo_move_to(cr, pts[0].x, pts[0].y);
      for (int i = 1; i < count; ++i) cairo_line_to(cr, pts[i].x, pts[i].y);
      cairo_close_path(cr);
      cairo_fill(cr);
    });
    FillMask(c, fill, brush, pen.rop3);
  }
  DrawPolyline(c, pen, pts, true);
  return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* points, int count) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || !points || count < 2) return FALSE;
  Canvas c(dc);
  if (!c.Ok()) return FALSE;
  DrawPolyline(c, PenOf(c), ToSurface(c, points, count), false);
  return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return FALSE;
  {
    Canvas c(dc);
    if (!c.Ok()) return FALSE;
    POINT from = dc->state.position;
    POINT pts[2] = {from, {x, y}};
    DrawPolyline(c, PenOf(c), ToSurface(c, pts, 2), false);
  }
  dc->state.position = {x, y};
  return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return CLR_INVALID;
  Canvas c(dc);
  if (!c.Ok()) return CLR_INVALID;
  int sx = c.X(x), sy = c.Y(y);
  if (!c.Visible(sx, sy)) return CLR_INVALID;
  uint32_t p = c.Pixel(color);
  c.Row(sy)[sx] = p;
  return ToColor(p);
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color) { return SetPixel(hdc, x, y, color) != CLR_INVALID; }

COLORREF GetPixel(HDC hdc, int x, int y) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return CLR_INVALID;
  Canvas c(dc, false);
  if (!c.Ok()) return CLR_INVALID;
  int sx = c.X(x), sy = c.Y(y);
  if (!c.Visible(sx, sy)) return CLR_INVALID;
  return ToColor(c.Row(sy)[sx]);
}
