// Update regions, paint messages and device contexts over window pixels.
//
// Every top-level window has one backing store that it and all its children
// paint into, as windows without composition do. A window's update region is
// kept in its client coordinates; what a DC may touch is the window's visible
// region: its area, cut by its ancestors' client areas, by the siblings above
// it when it clips siblings, and by its children when it clips children.
#include <algorithm>
#include <memory>
#include <unordered_map>

#include "internal/gdi_internal.h"
#include "nbp/desktop.h"
#include "user/window/user_state.h"
#include "user/window/window.h"
#include "win/gdi.h"

namespace nbp::user {
namespace {

struct RegionDeleter {
  void operator()(cairo_region_t* r) const { cairo_region_destroy(r); }
};
// A region this file owns; one it hands on is released from it.
using Region = std::unique_ptr<cairo_region_t, RegionDeleter>;

Region RectRegion(int x, int y, int w, int h) {
  cairo_rectangle_int_t r{x, y, std::max(w, 0), std::max(h, 0)};
  return Region(cairo_region_create_rectangle(&r));
}

Region RectRegion(const RECT& r) { return RectRegion(r.left, r.top, r.right - r.left, r.bottom - r.top); }

Region CopyRegion(const cairo_region_t* r) { return Region(cairo_region_copy(r)); }

RECT Extents(const cairo_region_t* region) {
  cairo_rectangle_int_t e;
  cairo_region_get_extents(region, &e);
  return RECT{e.x, e.y, e.x + e.width, e.y + e.height};
}

SIZE ClientSize(const Window* w) {
  RECT c = ClientRectInWindow(w);
  return SIZE{c.right - c.left, c.bottom - c.top};
}

// A window's whole area (with its shape) in top-level pixels.
Region WindowAreaInTop(const Window* w) {
  POINT o = WindowOriginInTop(w);
  Region r = RectRegion(o.x, o.y, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top);
  if (w->shape) {
    Region s = CopyRegion(w->shape);
    cairo_region_translate(s.get(), o.x, o.y);
    cairo_region_intersect(r.get(), s.get());
  }
  return r;
}

struct OpenDC {
  HWND top;
  RECT area;  // top-level pixels the DC may have touched
};
std::unordered_map<HDC, OpenDC>& OpenDCs() {
  static std::unordered_map<HDC, OpenDC> dcs;
  return dcs;
}

HDC OpenSurfaceDC(Window* w, bool clientOnly, const cairo_region_t* clip) {
  Window* top = TopLevelOf(w);
  EnsureSurface(top);
  POINT origin = clientOnly ? ClientOriginInTop(w) : WindowOriginInTop(w);
  HDC dc = nbp::gdi::CreateSurfaceDC(top->surface, origin, clip, w->handle);
  if (dc) OpenDCs()[dc] = OpenDC{top->handle, Extents(clip)};
  return dc;
}

cairo_surface_t* ScreenSurface() {
  static cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
  return s;
}

void UpdateNow(Window* w, bool children) {
  HWND h = w->handle;
  if (NeedsPaint(w)) {
    Deliver(w, WM_PAINT, 0, 0);
    if (!(w = FromHandle(h))) return;
  }
  if (!children) return;
  std::vector<HWND> kids;
  for (Window* c : w->children) kids.push_back(c->handle);
  for (HWND k : kids) {
    if (Window* c = FromHandle(k)) {
      if (IsVisible(c)) UpdateNow(c, true);
    }
  }
}

void Validate(Window* w, const cairo_region_t* region, int childMode) {
  if (!w->update) return;
  if (!region) {
    cairo_region_destroy(w->update);
    w->update = nullptr;
    w->erasePending = false;
  } else {
    cairo_region_subtract(w->update, region);
    if (cairo_region_is_empty(w->update)) {
      cairo_region_destroy(w->update);
      w->update = nullptr;
      w->erasePending = false;
    }
  }
  bool children = childMode == 1 || (childMode == 0 && !(w->style & WS_CLIPCHILDREN));
  if (!children) return;
  for (Window* c : w->children) {
    if (!region) {
      Validate(c, nullptr, childMode);
      continue;
    }
    RECT cw = ClientRectInWindow(c);
    Region part = CopyRegion(region);
    cairo_region_translate(part.get(), -(c->rect.left + cw.left), -(c->rect.top + cw.top));
    Validate(c, part.get(), childMode);
  }
}

}  // namespace

void EnsureSurface(Window* top) {
  int w = std::max(1, static_cast<int>(top->rect.right - top->rect.left));
  int h = std::max(1, static_cast<int>(top->rect.bottom - top->rect.top));
  if (top->surface && cairo_image_surface_get_width(top->surface) == w &&
      cairo_image_surface_get_height(top->surface) == h)
    return;
  DropSurface(top);
  top->surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
  cairo_t* cr = cairo_create(top->surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_destroy(cr);
}

void DropSurface(Window* top) {
  if (!top->surface) return;
  cairo_surface_destroy(top->surface);
  top->surface = nullptr;
}

cairo_region_t* VisibleRegion(const Window* w, bool clientOnly, bool clipChildren) {
  if (!IsVisible(w)) return cairo_region_create();
  Region region;
  if (clientOnly) {
    POINT o = ClientOriginInTop(w);
    SIZE s = ClientSize(w);
    region = RectRegion(o.x, o.y, s.cx, s.cy);
    if (w->shape) cairo_region_intersect(region.get(), WindowAreaInTop(w).get());
  } else {
    region = WindowAreaInTop(w);
  }
  for (const Window* c = w; c->parent; c = c->parent) {
    const Window* p = c->parent;
    POINT po = ClientOriginInTop(p);
    SIZE ps = ClientSize(p);
    cairo_region_intersect(region.get(), RectRegion(po.x, po.y, ps.cx, ps.cy).get());
    if (p->shape) cairo_region_intersect(region.get(), WindowAreaInTop(p).get());
    if (c->style & WS_CLIPSIBLINGS) {
      for (const Window* s : p->children) {
        if (s == c) break;
        if (!(s->style & WS_VISIBLE)) continue;
        cairo_region_subtract(region.get(), WindowAreaInTop(s).get());
      }
    }
  }
  if (clipChildren) {
    for (const Window* child : w->children) {
      if (!(child->style & WS_VISIBLE)) continue;
      cairo_region_subtract(region.get(), WindowAreaInTop(child).get());
    }
  }
  return region.release();
}

bool NeedsPaint(const Window* w) {
  return (w->update && !cairo_region_is_empty(w->update)) || w->ncPaintPending || w->internalPaint;
}

void InvalidateClient(Window* w, const cairo_region_t* region, bool erase, int childMode) {
  if (!IsVisible(w)) return;
  SIZE s = ClientSize(w);
  Region r = RectRegion(0, 0, s.cx, s.cy);
  if (region) cairo_region_intersect(r.get(), region);
  if (!cairo_region_is_empty(r.get())) {
    if (!w->update) w->update = cairo_region_create();
    cairo_region_union(w->update, r.get());
    if (erase) w->erasePending = true;
  }
  bool children = childMode == 1 || (childMode == 0 && !(w->style & WS_CLIPCHILDREN));
  if (!children) return;
  for (Window* c : w->children) {
    if (!(c->style & WS_VISIBLE)) continue;
    Region inChild = region ? CopyRegion(region) : RectRegion(0, 0, s.cx, s.cy);
    cairo_region_intersect(inChild.get(), RectRegion(c->rect).get());
    if (cairo_region_is_empty(inChild.get())) continue;
    RECT cw = ClientRectInWindow(c);
    bool hasFrame = cw.left != 0 || cw.top != 0 || cw.right != c->rect.right - c->rect.left ||
                    cw.bottom != c->rect.bottom - c->rect.top;
    if (hasFrame) c->ncPaintPending = true;
    cairo_region_translate(inChild.get(), -(c->rect.left + cw.left), -(c->rect.top + cw.top));
    InvalidateClient(c, inChild.get(), erase, childMode == 1 ? 1 : 0);
  }
}

void InvalidateNonClient(Window* w) {
  if (!IsVisible(w)) return;
  RECT cw = ClientRectInWindow(w);
  bool hasFrame = cw.left != 0 || cw.top != 0 || cw.right != w->rect.right - w->rect.left ||
                  cw.bottom != w->rect.bottom - w->rect.top;
  if (hasFrame) w->ncPaintPending = true;
}

bool FindPaintTarget(HWND* target) {
  // Parents before children, front windows first.
  std::vector<Window*> stack;
  for (auto it = TopLevelWindows().rbegin(); it != TopLevelWindows().rend(); ++it) stack.push_back(*it);
  while (!stack.empty()) {
    Window* w = stack.back();
    stack.pop_back();
    if (!(w->style & WS_VISIBLE)) continue;
    if (NeedsPaint(w)) {
      *target = w->handle;
      return true;
    }
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) stack.push_back(*it);
  }
  return false;
}

void NotifyDirty(Window* w, const RECT& rectInTop) {
  Window* top = TopLevelOf(w);
  if (!top || rectInTop.right <= rectInTop.left || rectInTop.bottom <= rectInTop.top) return;
  nbp::CurrentDesktop().WindowPixelsChanged(top->handle, rectInTop);
}

}  // namespace nbp::user

using namespace nbp::user;

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
  Window* w = FromHandle(hwnd);
  if (!w || !ps) return nullptr;
  *ps = PAINTSTRUCT{};
  if (w->ncPaintPending) {
    w->ncPaintPending = false;
    Deliver(w, WM_NCPAINT, 1, 0);
    if (!(w = FromHandle(hwnd))) return nullptr;
  }
  ++w->beginPaintCount;
  HideCaret(hwnd);
  SIZE s = ClientSize(w);
  Region update(w->update ? w->update : cairo_region_create());
  w->update = nullptr;
  bool erase = w->erasePending;
  w->erasePending = false;
  w->internalPaint = false;
  Region clip = CopyRegion(update.get());
  POINT o = ClientOriginInTop(w);
  cairo_region_translate(clip.get(), o.x, o.y);
  cairo_region_intersect(clip.get(), Region(VisibleRegion(w, true, (w->style & WS_CLIPCHILDREN) != 0)).get());
  HDC dc = OpenSurfaceDC(w, true, clip.get());
  RECT paint = Extents(update.get());
  paint.left = std::max<LONG>(paint.left, 0);
  paint.top = std::max<LONG>(paint.top, 0);
  paint.right = std::min<LONG>(paint.right, s.cx);
  paint.bottom = std::min<LONG>(paint.bottom, s.cy);
  if (paint.right < paint.left) paint.right = paint.left;
  if (paint.bottom < paint.top) paint.bottom = paint.top;
  ps->hdc = dc;
  ps->rcPaint = paint;
  ps->fErase = FALSE;
  if (erase && dc) ps->fErase = Deliver(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
  return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
  if (!ps) return FALSE;
  if (ps->hdc) ReleaseDC(hwnd, ps->hdc);
  ShowCaret(hwnd);
  return TRUE;
}

HDC GetDCEx(HWND hwnd, HRGN clipRgn, DWORD flags) {
  if (!hwnd) {
    HDC dc = nbp::gdi::CreateSurfaceDC(ScreenSurface(), POINT{0, 0}, nullptr, nullptr);
    if (dc) OpenDCs()[dc] = OpenDC{nullptr, RECT{}};
    return dc;
  }
  Window* w = FromHandle(hwnd);
  if (!w) return nullptr;
  bool whole = (flags & DCX_WINDOW) != 0;
  bool clipChildren = (flags & DCX_CLIPCHILDREN) || (w->style & WS_CLIPCHILDREN);
  Region clip(VisibleRegion(w, !whole, clipChildren));
  if (clipRgn && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
    if (cairo_region_t* extra = nbp::gdi::RegionOf(clipRgn)) {
      Region r = CopyRegion(extra);
      POINT o = whole ? WindowOriginInTop(w) : ClientOriginInTop(w);
      cairo_region_translate(r.get(), o.x, o.y);
      if (flags & DCX_INTERSECTRGN) cairo_region_intersect(clip.get(), r.get());
      else cairo_region_subtract(clip.get(), r.get());
    }
  }
  return OpenSurfaceDC(w, !whole, clip.get());
}

HDC GetDC(HWND hwnd) { return GetDCEx(hwnd, nullptr, 0); }
HDC GetWindowDC(HWND hwnd) { return GetDCEx(hwnd, nullptr, DCX_WINDOW); }

int ReleaseDC(HWND hwnd, HDC dc) {
  auto& open = OpenDCs();
  auto it = open.find(dc);
  if (it == open.end()) return 0;
  OpenDC info = it->second;
  open.erase(it);
  nbp::gdi::DeleteSurfaceDC(dc);
  if (Window* top = FromHandle(info.top)) NotifyDirty(top, info.area);
  return 1;
}

HWND WindowFromDC(HDC dc) { return nbp::gdi::WindowOfDC(dc); }

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  UINT flags = RDW_INVALIDATE | (erase ? RDW_ERASE : 0);
  return RedrawWindow(hwnd, rect, nullptr, flags);
}

BOOL InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase) {
  if (rgn && !nbp::gdi::RegionOf(rgn)) return FALSE;
  return RedrawWindow(hwnd, nullptr, rgn, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL ValidateRgn(HWND hwnd, HRGN rgn) {
  return RedrawWindow(hwnd, nullptr, rgn, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN rgn, UINT flags) {
  if (!hwnd) {
    std::vector<HWND> tops;
    for (Window* t : TopLevelWindows()) tops.push_back(t->handle);
    for (HWND t : tops) RedrawWindow(t, rect, rgn, flags);
    return TRUE;
  }
  Window* w = FromHandle(hwnd);
  if (!w) return FALSE;
  int childMode = (flags & RDW_ALLCHILDREN) ? 1 : (flags & RDW_NOCHILDREN) ? 2 : 0;
  Region region;
  if (rgn) {
    cairo_region_t* r = nbp::gdi::RegionOf(rgn);
    if (!r) return FALSE;
    region = CopyRegion(r);
  } else if (rect) {
    region = RectRegion(*rect);
  }
  if (flags & RDW_INVALIDATE) {
    InvalidateClient(w, region.get(), (flags & RDW_ERASE) != 0, childMode);
    if (flags & RDW_FRAME) InvalidateNonClient(w);
  }
  if ((flags & RDW_INTERNALPAINT) && IsVisible(w)) w->internalPaint = true;
  if (flags & RDW_VALIDATE) Validate(w, region.get(), childMode);
  if (flags & RDW_NOERASE) w->erasePending = false;
  if (flags & RDW_NOFRAME) w->ncPaintPending = false;
  if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
  region.reset();
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) UpdateNow(w, childMode != 2);
  return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  if (!w) return FALSE;
  UpdateNow(w, true);
  return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase) {
  Window* w = FromHandle(hwnd);
  if (!w) return FALSE;
  bool any = w->update && !cairo_region_is_empty(w->update);
  if (rect) *rect = any ? Extents(w->update) : RECT{0, 0, 0, 0};
  return any ? TRUE : FALSE;
}

int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL erase) {
  Window* w = FromHandle(hwnd);
  cairo_region_t* out = nbp::gdi::RegionOf(rgn);
  if (!w || !out) return ERROR;
  cairo_region_subtract(out, out);
  if (w->update) cairo_region_union(out, w->update);
  int n = cairo_region_num_rectangles(out);
  return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw) {
  Window* w = FromHandle(hwnd);
  if (!w) return 0;
  Region shape;
  if (rgn) {
    cairo_region_t* r = nbp::gdi::RegionOf(rgn);
    if (!r) return 0;
    shape = CopyRegion(r);
    // The window system owns the region from now on.
    DeleteObject(rgn);
  }
  if (IsVisible(w) && w->parent) InvalidateClient(w->parent, RectRegion(w->rect).get(), true, 1);
  if (w->shape) cairo_region_destroy(w->shape);
  w->shape = shape.release();
  if (redraw) {
    InvalidateNonClient(w);
    InvalidateClient(w, nullptr, true, 1);
  }
  return 1;
}

int GetWindowRgn(HWND hwnd, HRGN rgn) {
  Window* w = FromHandle(hwnd);
  cairo_region_t* out = nbp::gdi::RegionOf(rgn);
  if (!w || !out || !w->shape) return ERROR;
  cairo_region_subtract(out, out);
  cairo_region_union(out, w->shape);
  int n = cairo_region_num_rectangles(out);
  return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

namespace {

// Moves the pixels of `dest` (client coordinates, already shifted by dx, dy)
// from where they were in `src` within the top-level backing store.
void MovePixels(Window* w, const cairo_region_t* src, const cairo_region_t* dest, int dx, int dy) {
  Window* top = TopLevelOf(w);
  if (!top->surface || cairo_region_is_empty(dest) || (!dx && !dy)) return;
  POINT o = ClientOriginInTop(w);
  RECT e = Extents(src);
  int ew = e.right - e.left, eh = e.bottom - e.top;
  cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(ew, 1), std::max(eh, 1));
  cairo_t* cr = cairo_create(copy);
  cairo_set_source_surface(cr, top->surface, -(o.x + e.left), -(o.y + e.top));
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_destroy(cr);
  cr = cairo_create(top->surface);
  int n = cairo_region_num_rectangles(dest);
  for (int i = 0; i < n; ++i) {
    cairo_rectangle_int_t r;
    cairo_region_get_rectangle(dest, i, &r);
    cairo_rectangle(cr, o.x + r.x, o.y + r.y, r.width, r.height);
  }
  cairo_clip(cr);
  cairo_set_source_surface(cr, copy, o.x + e.left + dx, o.y + e.top + dy);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(copy);
  RECT d = Extents(dest);
  NotifyDirty(w, RECT{o.x + d.left, o.y + d.top, o.x + d.right, o.y + d.bottom});
}

void MoveChildren(Window* w, const cairo_region_t* src, int dx, int dy) {
  std::vector<HWND> kids;
  for (Window* c : w->children) {
    Region area = RectRegion(c->rect);
    cairo_region_intersect(area.get(), src);
    if (!cairo_region_is_empty(area.get())) kids.push_back(c->handle);
  }
  for (HWND k : kids) {
    if (Window* c = FromHandle(k))
      SetWindowPos(k, nullptr, c->rect.left + dx, c->rect.top + dy, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
}

}  // namespace

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clipRect, HRGN updateRgn,
                   LPRECT updateRect, UINT flags) {
  Window* w = FromHandle(hwnd);
  if (!w) return ERROR;
  SIZE s = ClientSize(w);
  Region src = RectRegion(0, 0, s.cx, s.cy);
  if (scroll) cairo_region_intersect(src.get(), RectRegion(*scroll).get());
  Region clip = RectRegion(0, 0, s.cx, s.cy);
  if (clipRect) cairo_region_intersect(clip.get(), RectRegion(*clipRect).get());
  // What can be copied: visible source pixels that land inside the clip.
  POINT o = ClientOriginInTop(w);
  Region visible(VisibleRegion(w, true, (w->style & WS_CLIPCHILDREN) != 0));
  cairo_region_translate(visible.get(), -o.x, -o.y);
  Region dest = CopyRegion(src.get());
  cairo_region_intersect(dest.get(), visible.get());
  cairo_region_translate(dest.get(), dx, dy);
  cairo_region_intersect(dest.get(), clip.get());
  cairo_region_intersect(dest.get(), visible.get());
  MovePixels(w, src.get(), dest.get(), dx, dy);

  // The uncovered area: everything in the scrolled or clipped area that did
  // not receive copied pixels.
  Region uncovered = CopyRegion(src.get());
  Region moved = CopyRegion(src.get());
  cairo_region_translate(moved.get(), dx, dy);
  cairo_region_union(uncovered.get(), moved.get());
  cairo_region_intersect(uncovered.get(), clip.get());
  cairo_region_subtract(uncovered.get(), dest.get());

  // Pending invalid areas travel with the pixels.
  if (w->update) {
    Region pending = CopyRegion(w->update);
    cairo_region_intersect(pending.get(), src.get());
    cairo_region_subtract(w->update, pending.get());
    cairo_region_translate(pending.get(), dx, dy);
    cairo_region_intersect(pending.get(), clip.get());
    cairo_region_union(w->update, pending.get());
  }

  if (flags & SW_SCROLLCHILDREN) MoveChildren(w, src.get(), dx, dy);
  if (flags & SW_INVALIDATE) InvalidateClient(w, uncovered.get(), (flags & SW_ERASE) != 0, 0);
  if (updateRgn) {
    if (cairo_region_t* out = nbp::gdi::RegionOf(updateRgn)) {
      cairo_region_subtract(out, out);
      cairo_region_union(out, uncovered.get());
    }
  }
  if (updateRect) *updateRect = Extents(uncovered.get());
  int n = cairo_region_num_rectangles(uncovered.get());
  return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip) {
  return ScrollWindowEx(hwnd, dx, dy, scroll, clip, nullptr, nullptr, SW_INVALIDATE | SW_ERASE) != ERROR;
}

BOOL LockWindowUpdate(HWND) { return TRUE; }
