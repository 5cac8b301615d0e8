// Icons: a color bitmap shown through an AND mask (dest = dest & mask ^ color).
#include <cstring>

#include "gdi/blit.h"
#include "gdi/raster.h"

namespace nbp::gdi {
namespace {

Bitmap* CopyBitmap(Bitmap* from) {
  if (from->dib) from->PullDib();
  cairo_surface_flush(from->surface);
  Bitmap* to = NewBitmap(from->width, from->height, from->bitsPixel);
  if (!to) return nullptr;
  cairo_surface_flush(to->surface);
  for (int y = 0; y < from->height; ++y) std::memcpy(to->Row(y), from->Row(y), static_cast<size_t>(from->width) * 4);
  cairo_surface_mark_dirty(to->surface);
  return to;
}

HICON NewIcon(BOOL isIcon, DWORD hotX, DWORD hotY, Bitmap* mask, Bitmap* color) {
  auto icon = std::make_unique<Icon>();
  icon->isIcon = isIcon;
  icon->hotX = hotX;
  icon->hotY = hotY;
  Bitmap* m = CopyBitmap(mask);
  Bitmap* c = color ? CopyBitmap(color) : nullptr;
  if (!m || (color && !c)) {
    if (m) Destroy(m);
    if (c) Destroy(c);
    return nullptr;
  }
  icon->mask = static_cast<HBITMAP>(m->handle);
  icon->color = c ? static_cast<HBITMAP>(c->handle) : nullptr;
  return static_cast<HICON>(MakeObject(std::move(icon))->handle);
}

}  // namespace
}  // namespace nbp::gdi

using namespace nbp::gdi;

HICON CreateIconIndirect(PICONINFO info) {
  if (!info) return nullptr;
  Bitmap* mask = Get<Bitmap>(info->hbmMask);
  Bitmap* color = info->hbmColor ? Get<Bitmap>(info->hbmColor) : nullptr;
  if (!mask || (info->hbmColor && !color)) return nullptr;
  return NewIcon(info->fIcon, info->xHotspot, info->yHotspot, mask, color);
}

BOOL DestroyIcon(HICON icon) {
  Icon* i = Get<Icon>(icon);
  if (!i) return FALSE;
  Destroy(i);
  return TRUE;
}

BOOL GetIconInfo(HICON icon, PICONINFO info) {
  Icon* i = Get<Icon>(icon);
  if (!i || !info) return FALSE;
  Bitmap* mask = CopyBitmap(Get<Bitmap>(i->mask));
  Bitmap* color = i->color ? CopyBitmap(Get<Bitmap>(i->color)) : nullptr;
  info->fIcon = i->isIcon;
  info->xHotspot = i->hotX;
  info->yHotspot = i->hotY;
  info->hbmMask = mask ? static_cast<HBITMAP>(mask->handle) : nullptr;
  info->hbmColor = color ? static_cast<HBITMAP>(color->handle) : nullptr;
  return TRUE;
}

HICON CopyIcon(HICON icon) {
  Icon* i = Get<Icon>(icon);
  if (!i) return nullptr;
  return NewIcon(i->isIcon, i->hotX, i->hotY, Get<Bitmap>(i->mask), Get<Bitmap>(i->color));
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int width, int height, UINT step, HBRUSH flickerFree,
                UINT flags) {
  Dc* dc = Get<Dc>(hdc);
  Icon* i = Get<Icon>(icon);
  if (!dc || !i) return FALSE;
  Bitmap* mask = Get<Bitmap>(i->mask);
  Bitmap* color = Get<Bitmap>(i->color);
  // Without a color bitmap the mask holds the AND half above the XOR half.
  int iconW = mask->width, iconH = color ? mask->height : mask->height / 2;
  if (width == 0) width = (flags & DI_DEFAULTSIZE) ? 32 : iconW;
  if (height == 0) height = (flags & DI_DEFAULTSIZE) ? 32 : iconH;
  if (!(flags & (DI_MASK | DI_IMAGE))) flags |= DI_NORMAL;
  if (Brush* b = flickerFree ? BrushArg(flickerFree) : nullptr) {
    Canvas c(dc);
    if (c.Ok()) FillRect(c, c.ToSurface({x, y, x + width, y + height}), BrushPaint(c, b), rop::kPatCopy);
  }
  // The mask's bits are meant as they are: 0 black, 1 white.
  COLORREF text = dc->state.textColor, back = dc->state.bkColor;
  dc->state.textColor = RGB(0, 0, 0);
  dc->state.bkColor = RGB(255, 255, 255);
  BlitOp op;
  BlitSource m = SourceOf(mask);
  if (flags & DI_MASK) {
    op.rop3 = (flags & DI_IMAGE) ? 0x88 : 0xCC;  // SRCAND, or SRCCOPY for the mask alone
    Transfer(dc, x, y, width, height, &m, 0, 0, iconW, iconH, op);
  }
  if (flags & DI_IMAGE) {
    op.rop3 = (flags & DI_MASK) ? 0x66 : 0xCC;  // SRCINVERT over the mask, or SRCCOPY
    if (color) {
      BlitSource s = SourceOf(color);
      Transfer(dc, x, y, width, height, &s, 0, 0, iconW, iconH, op);
    } else {
      Transfer(dc, x, y, width, height, &m, 0, iconH, iconW, iconH, op);
    }
  }
  dc->state.textColor = text;
  dc->state.bkColor = back;
  return TRUE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) { return DrawIconEx(hdc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL); }
