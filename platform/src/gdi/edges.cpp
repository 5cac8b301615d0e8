// DrawEdge, DrawFocusRect and DrawFrameControl, in the classic 3-D look of
// Windows 95 to 2000: colors from the system colors, one-pixel lines.
#include <algorithm>
#include <cmath>

#include "gdi/raster.h"
#include "gdi/shapes.h"
#include "win/syscolors.h"

namespace nbp::gdi {
namespace {

constexpr int kNone = -1;
constexpr int HIL = COLOR_BTNHIGHLIGHT, LIT = COLOR_3DLIGHT, SHD = COLOR_BTNSHADOW, DKS = COLOR_3DDKSHADOW;

// Colors of the outer and inner lines, top-left and bottom-right, indexed by
// the BDR_* bits. A lone inner edge is drawn where the outer line goes.
constexpr int kLTInner[16] = {kNone, kNone, kNone, kNone, kNone, HIL, HIL, kNone,
                              kNone, DKS,   DKS,   kNone, kNone, kNone, kNone, kNone};
constexpr int kLTOuter[16] = {kNone, LIT, SHD, kNone, HIL,   LIT, SHD, kNone,
                              DKS,   LIT, SHD, kNone, kNone, LIT, SHD, kNone};
constexpr int kRBInner[16] = {kNone, kNone, kNone, kNone, kNone, SHD,   SHD,   kNone,
                              kNone, LIT,   LIT,   kNone, kNone, kNone, kNone, kNone};
constexpr int kRBOuter[16] = {kNone, DKS, HIL, kNone, SHD,   DKS, HIL, kNone,
                              LIT,   DKS, HIL, kNone, kNone, DKS, HIL, kNone};
// BF_SOFT swaps the top-left colors of raised and sunken lines.
constexpr int kLTInnerSoft[16] = {kNone, kNone, kNone, kNone, kNone, LIT,   LIT,   kNone,
                                  kNone, SHD,   SHD,   kNone, kNone, kNone, kNone, kNone};
constexpr int kLTOuterSoft[16] = {kNone, HIL, DKS, kNone, LIT,   HIL, DKS, kNone,
                                  SHD,   HIL, DKS, kNone, kNone, HIL, DKS, kNone};

void Fill(Canvas& c, RECT r, int sysColor) {
  if (sysColor == kNone) return;
  FillRect(c, c.ToSurface(r), SolidPaint(c, GetSysColor(sysColor)), rop::kPatCopy);
}

void FillColor(Canvas& c, RECT r, COLORREF color) { FillRect(c, c.ToSurface(r), SolidPaint(c, color), rop::kPatCopy); }

BOOL Edge(Canvas& c, RECT& rc, UINT edge, UINT flags) {
  int type = edge & (BDR_INNER | BDR_OUTER);
  int ltIn = (flags & BF_SOFT) ? kLTInnerSoft[type] : kLTInner[type];
  int ltOut = (flags & BF_SOFT) ? kLTOuterSoft[type] : kLTOuter[type];
  int rbIn = kRBInner[type], rbOut = kRBOuter[type];
  if (flags & (BF_MONO | BF_FLAT)) {
    bool mono = flags & BF_MONO;
    bool both = ltIn != kNone;
    int outer = mono ? (both || (type & BDR_OUTER) ? COLOR_WINDOWFRAME : COLOR_WINDOW)
                     : (both || (type & BDR_OUTER) ? COLOR_BTNSHADOW : COLOR_BTNFACE);
    if (ltOut != kNone) ltOut = rbOut = outer;
    if (both) ltIn = rbIn = mono ? COLOR_WINDOW : COLOR_BTNFACE;
  }
  RECT r = rc;
  bool left = flags & BF_LEFT, top = flags & BF_TOP, right = flags & BF_RIGHT, bottom = flags & BF_BOTTOM;
  // Outer lines; the bottom-right ones, drawn last, own the corners they share.
  if (ltOut != kNone) {
    if (top) Fill(c, {r.left, r.top, r.right, r.top + 1}, ltOut);
    if (left) Fill(c, {r.left, r.top, r.left + 1, r.bottom}, ltOut);
  }
  if (rbOut != kNone) {
    if (bottom) Fill(c, {r.left, r.bottom - 1, r.right, r.bottom}, rbOut);
    if (right) Fill(c, {r.right - 1, r.top, r.right, r.bottom}, rbOut);
  }
  // Inner lines, one pixel in, stopping short of the outer lines they meet.
  int lt = (left && top) ? 1 : 0, rt = (right && top) ? 1 : 0, lb = (left && bottom) ? 1 : 0,
      rb = (right && bottom) ? 1 : 0;
  if (ltIn != kNone) {
    if (top) Fill(c, {r.left + lt, r.top + 1, r.right - rt, r.top + 2}, ltIn);
    if (left) Fill(c, {r.left + 1, r.top + lt, r.left + 2, r.bottom - lb}, ltIn);
  }
  if (rbIn != kNone) {
    if (bottom) Fill(c, {r.left + lb, r.bottom - 2, r.right - rb, r.bottom - 1}, rbIn);
    if (right) Fill(c, {r.right - 2, r.top + rt, r.right - 1, r.bottom - rb}, rbIn);
  }
  if ((flags & (BF_MIDDLE | BF_ADJUST))) {
    int width = (ltIn != kNone ? 1 : 0) + (ltOut != kNone ? 1 : 0);
    RECT inner = r;
    if (left) inner.left += width;
    if (right) inner.right -= width;
    if (top) inner.top += width;
    if (bottom) inner.bottom -= width;
    if (flags & BF_MIDDLE) Fill(c, inner, (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
    if (flags & BF_ADJUST) rc = inner;
  }
  return TRUE;
}

// The classic 7x7 check mark.
constexpr const char* kCheck[7] = {"......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."};

void CheckMark(Canvas& c, RECT box, COLORREF color) {
  int x0 = box.left + (box.right - box.left - 7) / 2, y0 = box.top + (box.bottom - box.top - 7) / 2;
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x)
      if (kCheck[y][x] == '#') FillColor(c, {x0 + x, y0 + y, x0 + x + 1, y0 + y + 1}, color);
}

// Every other pixel in `a`, the rest in `b`: the dither of a checked button.
void Dither(Canvas& c, RECT r, COLORREF a, COLORREF b) {
  RECT s = c.ToSurface(r);
  Paint p;
  p.type = Paint::kPattern;
  p.width = p.height = 2;
  p.originX = c.DC()->origin.x;
  p.originY = c.DC()->origin.y;
  p.pixels = {c.Pixel(a), c.Pixel(b), c.Pixel(b), c.Pixel(a)};
  FillRect(c, s, p, rop::kPatCopy);
}

RECT Square(const RECT& r) {
  int w = r.right - r.left, h = r.bottom - r.top, s = std::min(w, h);
  int x = r.left + (w - s) / 2, y = r.top + (h - s) / 2;
  return {x, y, x + s, y + s};
}

// A disc of diameter d inscribed at (x, y), as a mask in surface coordinates
// (only its visible part).
Mask Disc(const Canvas& c, double x, double y, double d) {
  RECT b{static_cast<LONG>(std::floor(x)), static_cast<LONG>(std::floor(y)), static_cast<LONG>(std::ceil(x + d)),
         static_cast<LONG>(std::ceil(y + d))};
  return Rasterize(Intersect(b, c.ClipBounds()), [&](cairo_t* cr) {
    EllipsePath(cr, x, y, x + d, y + d);
    cairo_fill(cr);
  });
}

void Radio(Canvas& c, RECT box, UINT state) {
  RECT s = c.ToSurface(Square(box));
  int d = s.right - s.left;
  if (d <= 0) return;
  if ((state & 0x1F) == DFCS_BUTTONRADIOMASK) {
    FillColor(c, Square(box), RGB(255, 255, 255));
    Paint black = SolidPaint(c, RGB(0, 0, 0));
    FillMask(c, Disc(c, s.left, s.top, d), black, rop::kPatCopy);
    return;
  }
  Mask outer = Disc(c, s.left, s.top, d);
  Mask ring2 = Disc(c, s.left + 1, s.top + 1, d - 2);
  Mask inside = Disc(c, s.left + 2, s.top + 2, d - 4);
  double centre = s.left + d / 2.0 + s.top + d / 2.0;
  // Each ring: top-left half in one color, bottom-right half in another.
  auto paintRing = [&](Mask ring, const Mask& hole, int topLeft, int bottomRight) {
    Subtract(ring, hole);
    Mask tl = ring, br = ring;
    for (int y = 0; y < ring.height; ++y)
      for (int x = 0; x < ring.width; ++x) {
        bool upper = (ring.x + x + 0.5) + (ring.y + y + 0.5) < centre;
        size_t i = static_cast<size_t>(y) * ring.width + x;
        if (upper) br.on[i] = 0;
        else tl.on[i] = 0;
      }
    FillMask(c, tl, SolidPaint(c, GetSysColor(topLeft)), rop::kPatCopy);
    FillMask(c, br, SolidPaint(c, GetSysColor(bottomRight)), rop::kPatCopy);
  };
  bool mono = state & DFCS_MONO;
  paintRing(outer, ring2, mono ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW, mono ? COLOR_WINDOWFRAME : COLOR_BTNHIGHLIGHT);
  paintRing(ring2, inside, mono ? COLOR_WINDOW : COLOR_3DDKSHADOW, mono ? COLOR_WINDOW : COLOR_3DLIGHT);
  int face = (state & (DFCS_PUSHED | DFCS_INACTIVE)) ? COLOR_BTNFACE : COLOR_WINDOW;
  FillMask(c, inside, SolidPaint(c, GetSysColor(face)), rop::kPatCopy);
  if (state & DFCS_CHECKED) {
    double dot = std::max(2.0, std::round(d / 3.0));
    Mask m = Disc(c, s.left + (d - dot) / 2, s.top + (d - dot) / 2, dot);
    int color = (state & DFCS_INACTIVE) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT;
    FillMask(c, m, SolidPaint(c, GetSysColor(color)), rop::kPatCopy);
  }
}

// A filled arrow pointing `dir` (0 up, 1 down, 2 left, 3 right) centred in r.
void Arrow(Canvas& c, RECT r, int dir, COLORREF color) {
  int w = r.right - r.left, h = r.bottom - r.top;
  int size = std::min(w, h);
  int depth = std::max(1, (size + 1) / 4);  // 4 for a 16-pixel button
  int base = 2 * depth - 1;
  bool vertical = dir <= 1;
  int x0 = r.left + (w - (vertical ? base : depth)) / 2, y0 = r.top + (h - (vertical ? depth : base)) / 2;
  for (int k = 0; k < depth; ++k) {
    // Row k counts from the tip.
    int half = k;
    switch (dir) {
      case 0: FillColor(c, {x0 + depth - 1 - half, y0 + k, x0 + depth + half, y0 + k + 1}, color); break;
      case 1: FillColor(c, {x0 + depth - 1 - half, y0 + depth - 1 - k, x0 + depth + half, y0 + depth - k}, color); break;
      case 2: FillColor(c, {x0 + k, y0 + depth - 1 - half, x0 + k + 1, y0 + depth + half}, color); break;
      default: FillColor(c, {x0 + depth - 1 - k, y0 + depth - 1 - half, x0 + depth - k, y0 + depth + half}, color);
    }
  }
}

BOOL ButtonControl(Canvas& c, RECT& rc, UINT state) {
  UINT kind = state & 0x1F;
  UINT look = ((state & DFCS_FLAT) ? BF_FLAT : 0) | ((state & DFCS_MONO) ? BF_MONO : 0);
  if (kind == DFCS_BUTTONPUSH) {
    bool down = state & (DFCS_PUSHED | DFCS_CHECKED);
    RECT r = rc;
    Edge(c, r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT | BF_ADJUST | look);
    if ((state & DFCS_CHECKED) && !(state & DFCS_PUSHED))
      Dither(c, r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNFACE));
    else
      Fill(c, r, (state & DFCS_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
    if (state & DFCS_ADJUSTRECT) rc = r;
    return TRUE;
  }
  if (kind == DFCS_BUTTONRADIO || kind == DFCS_BUTTONRADIOIMAGE || kind == DFCS_BUTTONRADIOMASK) {
    Radio(c, rc, state);
    return TRUE;
  }
  if (kind == DFCS_BUTTONCHECK || kind == DFCS_BUTTON3STATE) {
    RECT box = Square(rc);
    Edge(c, box, EDGE_SUNKEN, BF_RECT | BF_ADJUST | look);
    bool grey = state & (DFCS_PUSHED | DFCS_INACTIVE);
    if (kind == DFCS_BUTTON3STATE && (state & DFCS_CHECKED))
      Dither(c, box, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNFACE));
    else
      Fill(c, box, grey ? COLOR_BTNFACE : COLOR_WINDOW);
    if (state & DFCS_CHECKED) {
      bool dim = (state & DFCS_INACTIVE) || kind == DFCS_BUTTON3STATE;
      CheckMark(c, box, GetSysColor(dim ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT));
    }
    return TRUE;
  }
  return FALSE;
}

BOOL ScrollControl(Canvas& c, RECT& rc, UINT state) {
  UINT kind = state & 0xF;
  UINT look = ((state & DFCS_FLAT) ? BF_FLAT : 0) | ((state & DFCS_MONO) ? BF_MONO : 0);
  if (kind == DFCS_SCROLLSIZEGRIP) {
    Fill(c, rc, COLOR_BTNFACE);
    // Three diagonal ridges in the bottom-right corner.
    int size = std::min(rc.right - rc.left, rc.bottom - rc.top);
    for (int k = 0; k < 3; ++k) {
      int offset = size - 1 - 4 * k;
      for (int i = 0; i + offset < size && offset >= 0; ++i) {
        int x = rc.right - size + offset + i, y = rc.bottom - 1 - i;
        for (int band = 0; band < 3; ++band) {
          int color = band == 0 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW;
          int xx = x + band;
          if (xx < rc.right) Fill(c, {xx, y, xx + 1, y + 1}, color);
        }
      }
    }
    return TRUE;
  }
  int dir = kind == DFCS_SCROLLCOMBOBOX ? 1 : static_cast<int>(kind);
  if (dir > 3) return FALSE;
  RECT r = rc;
  if (state & DFCS_PUSHED) Edge(c, r, EDGE_RAISED, BF_RECT | BF_FLAT | BF_MIDDLE | BF_ADJUST);
  else Edge(c, r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST | look);
  RECT arrow = rc;
  if (state & DFCS_PUSHED) arrow = Offset(arrow, 1, 1);
  if (state & DFCS_INACTIVE) {
    Arrow(c, Offset(arrow, 1, 1), dir, GetSysColor(COLOR_BTNHIGHLIGHT));
    Arrow(c, arrow, dir, GetSysColor(COLOR_BTNSHADOW));
  } else {
    Arrow(c, arrow, dir, GetSysColor(COLOR_BTNTEXT));
  }
  return TRUE;
}

// Menu glyphs are black on white: callers use them as masks.
BOOL MenuControl(Canvas& c, RECT& rc, UINT state) {
  FillColor(c, rc, RGB(255, 255, 255));
  COLORREF black = RGB(0, 0, 0);
  switch (state & 0xF) {
    case DFCS_MENUCHECK:
      CheckMark(c, rc, black);
      return TRUE;
    case DFCS_MENUARROW:
      Arrow(c, rc, 3, black);
      return TRUE;
    case DFCS_MENUARROWRIGHT:
      Arrow(c, rc, 2, black);
      return TRUE;
    case DFCS_MENUBULLET: {
      RECT s = c.ToSurface(Square(rc));
      double d = std::max(2.0, std::round((s.right - s.left) / 2.5));
      Mask m = Disc(c, s.left + ((s.right - s.left) - d) / 2, s.top + ((s.bottom - s.top) - d) / 2, d);
      FillMask(c, m, SolidPaint(c, black), rop::kPatCopy);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace
}  // namespace nbp::gdi

using namespace nbp::gdi;

BOOL DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || !rect) return FALSE;
  Canvas c(dc);
  if (!c.Ok()) return FALSE;
  return Edge(c, *rect, edge, flags);
}

BOOL DrawFocusRect(HDC hdc, const RECT* rect) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || !rect) return FALSE;
  Canvas c(dc);
  if (!c.Ok()) return FALSE;
  RECT r = c.ToSurface(*rect);
  if (Empty(r)) return TRUE;
  // Every other pixel of a one-pixel frame is inverted, on a checkerboard
  // fixed to the DC's origin, so that drawing twice restores the pixels.
  auto invert = [&](int x, int y) {
    if (((x - dc->origin.x) + (y - dc->origin.y)) & 1) return;
    if (!c.Visible(x, y)) return;
    uint32_t* p = c.Row(y) + x;
    *p = ~*p | 0xFF000000u;
  };
  for (int x = r.left; x < r.right; ++x) {
    invert(x, r.top);
    if (r.bottom - 1 > r.top) invert(x, r.bottom - 1);
  }
  for (int y = r.top + 1; y < r.bottom - 1; ++y) {
    invert(r.left, y);
    if (r.right - 1 > r.left) invert(r.right - 1, y);
  }
  return TRUE;
}

BOOL DrawFrameControl(HDC hdc, LPRECT rect, UINT type, UINT state) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || !rect) return FALSE;
  Canvas c(dc);
  if (!c.Ok()) return FALSE;
  switch (type) {
    case DFC_BUTTON: return ButtonControl(c, *rect, state);
    case DFC_SCROLL: return ScrollControl(c, *rect, state);
    case DFC_MENU: return MenuControl(c, *rect, state);
    default: return FALSE;
  }
}
