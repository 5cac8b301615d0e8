// What the window system needs from GDI, and nothing more: device contexts
// over a window's pixels, and access to the regions behind HRGN handles.
#pragma once

#include <cairo.h>

#include "win/types.h"

namespace nbp::gdi {

// A device context drawing into `surface` (a top-level window's backing store)
// with the logical origin at `origin` (the window's client origin in surface
// pixels), clipped to `clip` (surface pixels; copied, may be null for none).
// `window` is the window the DC belongs to (WindowFromDC answers it).
HDC CreateSurfaceDC(cairo_surface_t* surface, POINT origin, const cairo_region_t* clip, HWND window);

// Releases a DC made by CreateSurfaceDC, with every object selected into it
// restored first. Returns FALSE for a handle that is not such a DC.
BOOL DeleteSurfaceDC(HDC dc);

// The region behind an HRGN handle; null when the handle is stale or not a region.
cairo_region_t* RegionOf(HRGN rgn);

// A new HRGN holding a copy of `region`.
HRGN CreateRegionFrom(const cairo_region_t* region);

// The window a DC paints for, or null.
HWND WindowOfDC(HDC dc);

}  // namespace nbp::gdi
