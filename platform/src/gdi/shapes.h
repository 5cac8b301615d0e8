// Geometry shared by regions, clipping and the drawing functions.
#pragma once

#include <cairo.h>

#include <cstdint>

#include "win/gdi.h"

namespace nbp::gdi {

// Coordinates are kept within GDI's 28-bit range, so that sums and
// differences of them cannot overflow.
constexpr int64_t kCoordinateLimit = (1 << 27) - 1;
int Clamp(int64_t v);

// NULLREGION, SIMPLEREGION or COMPLEXREGION.
int RegionType(const cairo_region_t* r);
cairo_region_t* RectRegion(const RECT& r);  // empty for an empty rectangle
RECT Normalized(int left, int top, int right, int bottom);
RECT Bounds(const POINT* points, int count);
// The pixels of a block transfer at (x, y) with a signed extent: a negative
// width covers x + width + 1 .. x (the start pixel included), as GDI does.
RECT BlockExtent(int x, int y, int width, int height);  // of the points themselves (count > 0)

// Outlines inscribed in a box, in cairo's current coordinates.
void EllipsePath(cairo_t* cr, double left, double top, double right, double bottom);
void RoundRectPath(cairo_t* cr, double left, double top, double right, double bottom, double ew, double eh);

}  // namespace nbp::gdi
