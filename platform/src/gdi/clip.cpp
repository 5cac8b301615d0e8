// Clipping: the DC's clip region (device coordinates), combined with the
// target's bounds and a window's visible area when painting.
#include "gdi/raster.h"
#include "gdi/shapes.h"

using namespace nbp::gdi;

namespace {

// The device area, for combining with "no clip region" (which means all of it).
cairo_region_t* DeviceArea(Dc* dc) {
  return RectRegion({-dc->origin.x, -dc->origin.y, dc->TargetWidth() - dc->origin.x,
                     dc->TargetHeight() - dc->origin.y});
}

// The type of the clip that painting now uses.
int EffectiveType(Dc* dc) {
  const std::vector<RECT>& rects = dc->Clip();
  return rects.empty() ? NULLREGION : rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

void SetClip(Dc* dc, cairo_region_t* region) {
  if (dc->state.clip) cairo_region_destroy(dc->state.clip);
  dc->state.clip = region;
  dc->InvalidateClip();
}

RECT LogicalToDevice(Dc* dc, int left, int top, int right, int bottom) {
  int dx = dc->state.viewportOrg.x - dc->state.windowOrg.x, dy = dc->state.viewportOrg.y - dc->state.windowOrg.y;
  RECT r = Normalized(left, top, right, bottom);
  return Offset(r, dx, dy);
}

}  // namespace

int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || mode < RGN_AND || mode > RGN_COPY) return ERROR;
  if (!rgn) {
    if (mode != RGN_COPY) return ERROR;
    SetClip(dc, nullptr);
    return EffectiveType(dc);
  }
  Region* r = Get<Region>(rgn);
  if (!r) return ERROR;
  if (mode == RGN_COPY) {
    SetClip(dc, cairo_region_copy(r->rgn));
    return EffectiveType(dc);
  }
  cairo_region_t* current = dc->state.clip ? cairo_region_copy(dc->state.clip) : DeviceArea(dc);
  switch (mode) {
    case RGN_AND: cairo_region_intersect(current, r->rgn); break;
    case RGN_OR: cairo_region_union(current, r->rgn); break;
    case RGN_XOR: cairo_region_xor(current, r->rgn); break;
    case RGN_DIFF: cairo_region_subtract(current, r->rgn); break;
    default: break;
  }
  SetClip(dc, current);
  return EffectiveType(dc);
}

int SelectClipRgn(HDC hdc, HRGN rgn) { return ExtSelectClipRgn(hdc, rgn, RGN_COPY); }

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return ERROR;
  cairo_region_t* rect = RectRegion(LogicalToDevice(dc, left, top, right, bottom));
  if (dc->state.clip) {
    cairo_region_intersect(rect, dc->state.clip);
  }
  SetClip(dc, rect);
  return EffectiveType(dc);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return ERROR;
  cairo_region_t* current = dc->state.clip ? cairo_region_copy(dc->state.clip) : DeviceArea(dc);
  cairo_region_t* rect = RectRegion(LogicalToDevice(dc, left, top, right, bottom));
  cairo_region_subtract(current, rect);
  cairo_region_destroy(rect);
  SetClip(dc, current);
  return EffectiveType(dc);
}

int OffsetClipRgn(HDC hdc, int dx, int dy) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return ERROR;
  if (dc->state.clip) {
    cairo_region_translate(dc->state.clip, dx, dy);
    dc->InvalidateClip();
  }
  return EffectiveType(dc);
}

int GetClipBox(HDC hdc, LPRECT rect) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || !rect) return ERROR;
  int type = EffectiveType(dc);
  *rect = type == NULLREGION ? RECT{0, 0, 0, 0} : Offset(dc->clipBounds, -dc->OffsetX(), -dc->OffsetY());
  return type;
}

int GetClipRgn(HDC hdc, HRGN rgn) {
  Dc* dc = Get<Dc>(hdc);
  Region* r = Get<Region>(rgn);
  if (!dc || !r) return -1;
  if (!dc->state.clip) return 0;
  cairo_region_destroy(r->rgn);
  r->rgn = cairo_region_copy(dc->state.clip);
  return 1;
}

BOOL PtVisible(HDC hdc, int x, int y) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return -1;
  int64_t sx = static_cast<int64_t>(x) + dc->OffsetX(), sy = static_cast<int64_t>(y) + dc->OffsetY();
  for (const RECT& r : dc->Clip())
    if (sx >= r.left && sx < r.right && sy >= r.top && sy < r.bottom) return TRUE;
  return FALSE;
}

BOOL RectVisible(HDC hdc, const RECT* rect) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || !rect) return FALSE;
  RECT s = Offset(Normalized(rect->left, rect->top, rect->right, rect->bottom), dc->OffsetX(), dc->OffsetY());
  for (const RECT& r : dc->Clip())
    if (!Empty(Intersect(s, r))) return TRUE;
  return FALSE;
}
