// Pens, brushes and the stock objects.
#include <array>
#include <cstdio>

#include "gdi/objects.h"
#include "nbp/display.h"
#include "win/syscolors.h"

namespace nbp::gdi {
namespace {

Pen* NewPen(UINT style, int width, COLORREF color) {
  auto p = std::make_unique<Pen>();
  p->log.lopnStyle = style;
  p->log.lopnWidth = {width, 0};
  p->log.lopnColor = color & 0xFFFFFF;
  return MakeObject(std::move(p));
}

Brush* NewBrush(UINT style, COLORREF color, ULONG_PTR hatch) {
  auto b = std::make_unique<Brush>();
  b->style = style;
  b->color = color & 0xFFFFFF;
  b->hatch = hatch;
  return MakeObject(std::move(b));
}

Font* NewStockFont(const char* face, int points, int weight, BYTE pitchAndFamily) {
  auto f = std::make_unique<Font>();
  f->log.lfWeight = weight;
  f->log.lfCharSet = DEFAULT_CHARSET;
  f->log.lfPitchAndFamily = pitchAndFamily;
  snprintf(f->log.lfFaceName, LF_FACESIZE, "%s", face);
  f->stockPoints = points;
  f->stock = true;
  return MakeObject(std::move(f));
}

}  // namespace

Pen* StockPen(int id) {
  static std::array<Pen*, 3> pens{};
  if (id < WHITE_PEN || id > NULL_PEN) return nullptr;
  Pen*& p = pens[id - WHITE_PEN];
  if (!p) {
    p = id == WHITE_PEN   ? NewPen(PS_SOLID, 0, RGB(255, 255, 255))
        : id == BLACK_PEN ? NewPen(PS_SOLID, 0, RGB(0, 0, 0))
                          : NewPen(PS_NULL, 0, RGB(0, 0, 0));
    p->stock = true;
  }
  return p;
}

Brush* StockBrush(int id) {
  static std::array<Brush*, 6> brushes{};
  static constexpr COLORREF kColors[] = {RGB(255, 255, 255), RGB(192, 192, 192), RGB(128, 128, 128),
                                         RGB(64, 64, 64),    RGB(0, 0, 0),       RGB(0, 0, 0)};
  if (id < WHITE_BRUSH || id > NULL_BRUSH) return nullptr;
  Brush*& b = brushes[id];
  if (!b) {
    b = NewBrush(id == NULL_BRUSH ? BS_NULL : BS_SOLID, kColors[id], 0);
    b->stock = true;
  }
  return b;
}

Font* StockFont(int id) {
  static std::array<Font*, 8> fonts{};
  if (id < OEM_FIXED_FONT || id > DEFAULT_GUI_FONT || id == 15) return nullptr;
  Font*& f = fonts[id - OEM_FIXED_FONT];
  if (!f) {
    // Every proportional stock font, SYSTEM_FONT (the font of a fresh DC)
    // included, is the platform's user-interface font: 8 points.
    bool fixed = id == OEM_FIXED_FONT || id == ANSI_FIXED_FONT || id == SYSTEM_FIXED_FONT;
    f = fixed ? NewStockFont("DejaVu Sans Mono", 9, FW_NORMAL, FIXED_PITCH | FF_MODERN)
              : NewStockFont("DejaVu Sans", 8, FW_NORMAL, VARIABLE_PITCH | FF_SWISS);
  }
  return f;
}

Brush* BrushArg(HBRUSH brush) {
  uintptr_t v = reinterpret_cast<uintptr_t>(brush);
  if (v >= 1 && v <= 31) return SysColorBrush(static_cast<int>(v) - 1);
  return Get<Brush>(brush);
}

LOGFONT Font::Effective() const {
  LOGFONT lf = log;
  if (stockPoints > 0) {
    int dpi = nbp::display::LogPixels();
    lf.lfHeight = -((stockPoints * dpi + 36) / 72);
  }
  return lf;
}

}  // namespace nbp::gdi

using namespace nbp::gdi;

HPEN CreatePen(int style, int width, COLORREF color) {
  if (style < PS_SOLID || style > PS_INSIDEFRAME) return nullptr;
  if (style == PS_NULL) return static_cast<HPEN>(StockPen(NULL_PEN)->handle);
  return static_cast<HPEN>(NewPen(static_cast<UINT>(style), width < 0 ? -width : width, color)->handle);
}

HPEN CreatePenIndirect(const LOGPEN* logPen) {
  if (!logPen) return nullptr;
  return CreatePen(static_cast<int>(logPen->lopnStyle), logPen->lopnWidth.x, logPen->lopnColor);
}

HBRUSH CreateSolidBrush(COLORREF color) { return static_cast<HBRUSH>(NewBrush(BS_SOLID, color, 0)->handle); }

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
  return static_cast<HBRUSH>(NewBrush(BS_HATCHED, color, static_cast<ULONG_PTR>(hatch))->handle);
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  Bitmap* bm = Get<Bitmap>(bitmap);
  if (!bm) return nullptr;
  if (bm->dib) bm->PullDib();
  cairo_surface_flush(bm->surface);
  auto pattern = std::make_shared<Pattern>();
  pattern->width = bm->width;
  pattern->height = bm->height;
  pattern->mono = bm->Mono();
  pattern->pixels.resize(static_cast<size_t>(bm->width) * bm->height);
  for (int y = 0; y < bm->height; ++y) {
    const uint32_t* row = bm->Row(y);
    for (int x = 0; x < bm->width; ++x) pattern->pixels[static_cast<size_t>(y) * bm->width + x] = row[x] & 0xFFFFFF;
  }
  Brush* b = NewBrush(BS_PATTERN, 0, reinterpret_cast<ULONG_PTR>(bitmap));
  b->pattern = std::move(pattern);
  return static_cast<HBRUSH>(b->handle);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* logBrush) {
  if (!logBrush) return nullptr;
  switch (logBrush->lbStyle) {
    case BS_SOLID:
      return CreateSolidBrush(logBrush->lbColor);
    case BS_NULL:
      return static_cast<HBRUSH>(StockBrush(NULL_BRUSH)->handle);
    case BS_HATCHED:
      return CreateHatchBrush(static_cast<int>(logBrush->lbHatch), logBrush->lbColor);
    case BS_PATTERN:
      return CreatePatternBrush(reinterpret_cast<HBITMAP>(logBrush->lbHatch));
    default:
      return nullptr;
  }
}

HGDIOBJ GetStockObject(int object) {
  if (Brush* b = StockBrush(object)) return b->handle;
  if (Pen* p = StockPen(object)) return p->handle;
  if (Font* f = StockFont(object)) return f->handle;
  return nullptr;
}
