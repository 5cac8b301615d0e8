// Device contexts: creation, attributes, SaveDC/RestoreDC and selection.
#include <cstdlib>

#include "gdi/objects.h"
#include "gdi/shapes.h"
#include "internal/gdi_internal.h"
#include "nbp/display.h"

namespace nbp::gdi {
namespace {

void RetainState(const DcState& s) {
  Retain(s.pen);
  Retain(s.brush);
  Retain(s.font);
  Retain(s.bitmap);
}

// Releases what a state holds; the state is not used afterwards.
void DropState(DcState& s) {
  if (s.clip) cairo_region_destroy(s.clip);
  s.clip = nullptr;
  Release(s.pen);
  Release(s.brush);
  Release(s.font);
  Release(s.bitmap);
}

DcState CopyState(const DcState& s) {
  DcState copy = s;
  copy.clip = s.clip ? cairo_region_copy(s.clip) : nullptr;
  RetainState(copy);
  return copy;
}

Dc* NewDc(bool memory) {
  auto dc = std::make_unique<Dc>();
  dc->memory = memory;
  dc->state.pen = StockPen(BLACK_PEN);
  dc->state.brush = StockBrush(WHITE_BRUSH);
  dc->state.font = StockFont(SYSTEM_FONT);
  if (memory) dc->state.bitmap = StockBitmap();
  RetainState(dc->state);
  return MakeObject(std::move(dc));
}

}  // namespace

Dc::~Dc() {
  for (DcState& s : saved) DropState(s);
  DropState(state);
  if (cr) cairo_destroy(cr);
  if (visible) cairo_region_destroy(visible);
  if (surface) cairo_surface_destroy(surface);
}

cairo_surface_t* Dc::Target() const { return memory ? state.bitmap->surface : surface; }
int Dc::TargetWidth() const { return cairo_image_surface_get_width(Target()); }
int Dc::TargetHeight() const { return cairo_image_surface_get_height(Target()); }

const std::vector<RECT>& Dc::Clip() {
  if (clipValid) return clipRects;
  cairo_rectangle_int_t all{0, 0, TargetWidth(), TargetHeight()};
  cairo_region_t* r = cairo_region_create_rectangle(&all);
  if (visible) cairo_region_intersect(r, visible);
  if (state.clip) {
    cairo_region_t* c = cairo_region_copy(state.clip);
    cairo_region_translate(c, origin.x, origin.y);
    cairo_region_intersect(r, c);
    cairo_region_destroy(c);
  }
  clipRects.clear();
  int n = cairo_region_num_rectangles(r);
  for (int i = 0; i < n; ++i) {
    cairo_rectangle_int_t b;
    cairo_region_get_rectangle(r, i, &b);
    clipRects.push_back({b.x, b.y, b.x + b.width, b.y + b.height});
  }
  cairo_rectangle_int_t ext;
  cairo_region_get_extents(r, &ext);
  clipBounds = {ext.x, ext.y, ext.x + ext.width, ext.y + ext.height};
  cairo_region_destroy(r);
  clipValid = true;
  return clipRects;
}

cairo_t* Dc::Cairo() {
  cairo_surface_t* t = Target();
  if (cr && crTarget == t) return cr;
  if (cr) cairo_destroy(cr);
  cr = cairo_create(t);
  crTarget = t;
  return cr;
}

void Dc::DropCairo() {
  if (cr) cairo_destroy(cr);
  cr = nullptr;
  crTarget = nullptr;
}

HDC CreateSurfaceDC(cairo_surface_t* surface, POINT origin, const cairo_region_t* clip, HWND window) {
  if (!surface || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) return nullptr;
  cairo_format_t f = cairo_image_surface_get_format(surface);
  if (f != CAIRO_FORMAT_RGB24 && f != CAIRO_FORMAT_ARGB32) return nullptr;
  Dc* dc = NewDc(false);
  dc->surface = cairo_surface_reference(surface);
  dc->origin = origin;
  dc->visible = clip ? cairo_region_copy(clip) : nullptr;
  dc->window = window;
  return static_cast<HDC>(dc->handle);
}

BOOL DeleteSurfaceDC(HDC hdc) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || dc->memory) return FALSE;
  Destroy(dc);
  return TRUE;
}

HWND WindowOfDC(HDC hdc) {
  Dc* dc = Get<Dc>(hdc);
  return dc ? dc->window : nullptr;
}

}  // namespace nbp::gdi

using namespace nbp::gdi;

HDC CreateCompatibleDC(HDC hdc) {
  if (hdc && !Get<Dc>(hdc)) return nullptr;
  return static_cast<HDC>(NewDc(true)->handle);
}

BOOL DeleteDC(HDC hdc) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || !dc->memory) return FALSE;
  Destroy(dc);
  return TRUE;
}

int SaveDC(HDC hdc) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return 0;
  dc->saved.push_back(CopyState(dc->state));
  return static_cast<int>(dc->saved.size());
}

BOOL RestoreDC(HDC hdc, int savedDC) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return FALSE;
  int depth = static_cast<int>(dc->saved.size());
  int level = savedDC < 0 ? depth + 1 + savedDC : savedDC;
  if (savedDC == 0 || level < 1 || level > depth) return FALSE;
  while (static_cast<int>(dc->saved.size()) > level) {
    DropState(dc->saved.back());
    dc->saved.pop_back();
  }
  DcState restored = dc->saved.back();  // takes over the saved state's references
  dc->saved.pop_back();
  DcState old = dc->state;
  dc->state = restored;
  if (restored.bitmap && !restored.bitmap->stock) restored.bitmap->selectedInto = dc;
  DropState(old);
  dc->InvalidateClip();
  dc->DropCairo();
  return TRUE;
}

int GetDeviceCaps(HDC hdc, int index) {
  if (!Get<Dc>(hdc)) return 0;
  int dpi = nbp::display::LogPixels();
  int w = nbp::display::ScreenWidth(), h = nbp::display::ScreenHeight();
  switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZSIZE: return w * 254 / (dpi * 10);
    case VERTSIZE: return h * 254 / (dpi * 10);
    case HORZRES: return w;
    case VERTRES: return h;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS: return -1;
    case NUMFONTS: return 0;
    case ASPECTX:
    case ASPECTY: return 36;
    case ASPECTXY: return 51;
    case RASTERCAPS: return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    case LOGPIXELSX:
    case LOGPIXELSY: return dpi;
    case SIZEPALETTE:
    case NUMRESERVED: return 0;
    case COLORRES: return 24;
    default: return 0;
  }
}

int SetMapMode(HDC hdc, int mode) {
  if (!Get<Dc>(hdc) || mode != MM_TEXT) return 0;
  return MM_TEXT;
}

int GetMapMode(HDC hdc) { return Get<Dc>(hdc) ? MM_TEXT : 0; }

namespace {

BOOL SetPoint(HDC hdc, POINT DcState::*member, int x, int y, bool relative, LPPOINT old) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return FALSE;
  POINT& p = dc->state.*member;
  if (old) *old = p;
  int64_t nx = relative ? static_cast<int64_t>(p.x) + x : x, ny = relative ? static_cast<int64_t>(p.y) + y : y;
  p = {Clamp(nx), Clamp(ny)};
  return TRUE;
}

BOOL GetPoint(HDC hdc, POINT DcState::*member, LPPOINT out) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || !out) return FALSE;
  *out = dc->state.*member;
  return TRUE;
}

}  // namespace

BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT oldOrg) {
  return SetPoint(hdc, &DcState::viewportOrg, x, y, false, oldOrg);
}
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, LPPOINT oldOrg) {
  return SetPoint(hdc, &DcState::viewportOrg, dx, dy, true, oldOrg);
}
BOOL GetViewportOrgEx(HDC hdc, LPPOINT org) { return GetPoint(hdc, &DcState::viewportOrg, org); }
BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT oldOrg) {
  return SetPoint(hdc, &DcState::windowOrg, x, y, false, oldOrg);
}
BOOL OffsetWindowOrgEx(HDC hdc, int dx, int dy, LPPOINT oldOrg) {
  return SetPoint(hdc, &DcState::windowOrg, dx, dy, true, oldOrg);
}
BOOL GetWindowOrgEx(HDC hdc, LPPOINT org) { return GetPoint(hdc, &DcState::windowOrg, org); }
BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT oldOrg) {
  return SetPoint(hdc, &DcState::brushOrg, x, y, false, oldOrg);
}
BOOL GetBrushOrgEx(HDC hdc, LPPOINT org) { return GetPoint(hdc, &DcState::brushOrg, org); }
BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT oldPos) { return SetPoint(hdc, &DcState::position, x, y, false, oldPos); }
BOOL GetCurrentPositionEx(HDC hdc, LPPOINT pos) { return GetPoint(hdc, &DcState::position, pos); }

BOOL GetDCOrgEx(HDC hdc, LPPOINT org) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || !org) return FALSE;
  *org = dc->origin;
  return TRUE;
}

BOOL DPtoLP(HDC hdc, LPPOINT points, int count) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || (!points && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) {
    points[i].x = Clamp(static_cast<int64_t>(points[i].x) + dc->state.windowOrg.x - dc->state.viewportOrg.x);
    points[i].y = Clamp(static_cast<int64_t>(points[i].y) + dc->state.windowOrg.y - dc->state.viewportOrg.y);
  }
  return TRUE;
}

BOOL LPtoDP(HDC hdc, LPPOINT points, int count) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || (!points && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) {
    points[i].x = Clamp(static_cast<int64_t>(points[i].x) + dc->state.viewportOrg.x - dc->state.windowOrg.x);
    points[i].y = Clamp(static_cast<int64_t>(points[i].y) + dc->state.viewportOrg.y - dc->state.windowOrg.y);
  }
  return TRUE;
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return CLR_INVALID;
  COLORREF old = dc->state.textColor;
  dc->state.textColor = color & 0xFFFFFF;
  return old;
}
COLORREF GetTextColor(HDC hdc) {
  Dc* dc = Get<Dc>(hdc);
  return dc ? dc->state.textColor : CLR_INVALID;
}
COLORREF SetBkColor(HDC hdc, COLORREF color) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return CLR_INVALID;
  COLORREF old = dc->state.bkColor;
  dc->state.bkColor = color & 0xFFFFFF;
  return old;
}
COLORREF GetBkColor(HDC hdc) {
  Dc* dc = Get<Dc>(hdc);
  return dc ? dc->state.bkColor : CLR_INVALID;
}

namespace {

int SetMode(HDC hdc, int DcState::*member, int value, int lo, int hi) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || value < lo || value > hi) return 0;
  int old = dc->state.*member;
  dc->state.*member = value;
  return old;
}

int GetMode(HDC hdc, int DcState::*member) {
  Dc* dc = Get<Dc>(hdc);
  return dc ? dc->state.*member : 0;
}

}  // namespace

int SetBkMode(HDC hdc, int mode) { return SetMode(hdc, &DcState::bkMode, mode, TRANSPARENT, OPAQUE); }
int GetBkMode(HDC hdc) { return GetMode(hdc, &DcState::bkMode); }
int SetROP2(HDC hdc, int rop2) { return SetMode(hdc, &DcState::rop2, rop2, R2_BLACK, R2_WHITE); }
int GetROP2(HDC hdc) { return GetMode(hdc, &DcState::rop2); }
int SetStretchBltMode(HDC hdc, int mode) { return SetMode(hdc, &DcState::stretchMode, mode, BLACKONWHITE, HALFTONE); }
int GetStretchBltMode(HDC hdc) { return GetMode(hdc, &DcState::stretchMode); }
int SetPolyFillMode(HDC hdc, int mode) { return SetMode(hdc, &DcState::polyFillMode, mode, ALTERNATE, WINDING); }
int GetPolyFillMode(HDC hdc) { return GetMode(hdc, &DcState::polyFillMode); }

UINT SetTextAlign(HDC hdc, UINT align) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return GDI_ERROR;
  UINT old = dc->state.textAlign;
  dc->state.textAlign = align;
  return old;
}

UINT GetTextAlign(HDC hdc) {
  Dc* dc = Get<Dc>(hdc);
  return dc ? dc->state.textAlign : GDI_ERROR;
}

COLORREF GetNearestColor(HDC hdc, COLORREF color) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return CLR_INVALID;
  if (!dc->Mono()) return color & 0xFFFFFF;
  unsigned sum = GetRValue(color) + GetGValue(color) + GetBValue(color);
  return sum >= 383 ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

namespace {

template <class T>
HGDIOBJ Swap(T*& slot, T* next) {
  HGDIOBJ old = slot->handle;
  Retain(next);
  T* previous = slot;
  slot = next;
  Release(previous);  // may free a pending deletion: the handle was read first
  return old;
}

}  // namespace

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
  Dc* dc = Get<Dc>(hdc);
  Object* o = Lookup(object);
  if (!dc || !o) return nullptr;
  switch (o->kind) {
    case Kind::Pen:
      return Swap(dc->state.pen, static_cast<Pen*>(o));
    case Kind::Brush:
      return Swap(dc->state.brush, static_cast<Brush*>(o));
    case Kind::Font:
      return Swap(dc->state.font, static_cast<Font*>(o));
    case Kind::Bitmap: {
      auto* bm = static_cast<Bitmap*>(o);
      if (!dc->memory) return nullptr;
      // A bitmap can be drawn into by one DC at a time.
      if (!bm->stock && bm->selectedInto && bm->selectedInto != dc) return nullptr;
      HGDIOBJ old = Swap(dc->state.bitmap, bm);
      if (!bm->stock) bm->selectedInto = dc;
      dc->InvalidateClip();
      dc->DropCairo();
      return old;
    }
    case Kind::Region: {
      int type = SelectClipRgn(hdc, static_cast<HRGN>(object));
      return type == ERROR ? HGDI_ERROR : reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(type));
    }
    default:
      return nullptr;
  }
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_PEN: return dc->state.pen->handle;
    case OBJ_BRUSH: return dc->state.brush->handle;
    case OBJ_FONT: return dc->state.font->handle;
    case OBJ_BITMAP: return dc->memory ? dc->state.bitmap->handle : StockBitmap()->handle;
    default: return nullptr;
  }
}
