// GDI's objects and the table that hands out their handles.
//
// A handle is an identifier (slot index, generation and a tag), never an
// address: looking up a stale handle finds a newer generation in its slot
// and fails. Objects selected into device contexts are counted (`uses`), so
// DeleteObject can leave them alive until the last DC lets go of them.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "win/gdi.h"

namespace nbp::gdi {

enum class Kind : uint8_t {
  Pen = OBJ_PEN,
  Brush = OBJ_BRUSH,
  Dc = OBJ_DC,
  Font = OBJ_FONT,
  Bitmap = OBJ_BITMAP,
  Region = OBJ_REGION,
  Icon = 100,
};

struct Object {
  explicit Object(Kind k) : kind(k) {}
  virtual ~Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  Kind kind;
  bool stock = false;          // never deleted
  bool deletePending = false;  // DeleteObject while selected: freed on the last release
  int uses = 0;                // DC states (current and saved) holding the object
  HGDIOBJ handle = nullptr;
};

struct Pen : Object {
  static constexpr Kind kKind = Kind::Pen;
  Pen() : Object(kKind) {}
  LOGPEN log{};
  int Style() const { return static_cast<int>(log.lopnStyle & PS_STYLE_MASK); }
  int Width() const { return log.lopnWidth.x; }
};

// Pixels of a pattern brush (xRGB, cairo's RGB24 layout). A monochrome
// pattern keeps 0 for its 0 bits and 0xFFFFFF for its 1 bits; painting maps
// them to the DC's text and background colors.
struct Pattern {
  int width = 0, height = 0;
  bool mono = false;
  std::vector<uint32_t> pixels;
};

struct Brush : Object {
  static constexpr Kind kKind = Kind::Brush;
  Brush() : Object(kKind) {}
  UINT style = BS_SOLID;
  COLORREF color = 0;
  ULONG_PTR hatch = 0;        // hatch style, or the bitmap handle given to CreatePatternBrush
  int sysColor = -1;          // a system color brush follows its color
  std::shared_ptr<const Pattern> pattern;
};

struct Font : Object {
  static constexpr Kind kKind = Kind::Font;
  Font() : Object(kKind) {}
  LOGFONT log{};
  int stockPoints = 0;  // stock fonts are sized in points at the current LogPixels
  LOGFONT Effective() const;
  // The realized face, remembered with the LogPixels it was realized at.
  mutable const void* realized = nullptr;
  mutable int realizedDpi = 0;
};

struct Dc;

// Pixels are kept in a cairo image surface (RGB24; ARGB32 never) whatever
// the depth the bitmap was created with; `bitsPixel` is what GetObject and
// the bits functions report and convert to. Monochrome bitmaps hold only
// black and white pixels.
struct Bitmap : Object {
  static constexpr Kind kKind = Kind::Bitmap;
  Bitmap() : Object(kKind) {}
  ~Bitmap() override;
  int width = 0, height = 0, bitsPixel = 32;
  cairo_surface_t* surface = nullptr;
  Dc* selectedInto = nullptr;
  SIZE dimension{};

  // A DIB section's own bits, which the caller may write at any time. Unless
  // the surface shares them (32 bits, top-down), they are copied into the
  // surface before GDI reads it and back after GDI writes it.
  struct Dib {
    std::vector<uint8_t> owned;  // storage when not shared with the surface
    uint8_t* bits = nullptr;
    BITMAPINFOHEADER header{};
    std::vector<RGBQUAD> colors;
    DWORD masks[3]{};
    bool shared = false;
  };
  std::unique_ptr<Dib> dib;

  bool Mono() const { return bitsPixel == 1; }
  uint32_t* Row(int y) const;
  int StridePixels() const;
  void PullDib();  // DIB bits -> surface
  void PushDib();  // surface -> DIB bits
};

struct Region : Object {
  static constexpr Kind kKind = Kind::Region;
  Region() : Object(kKind), rgn(cairo_region_create()) {}
  explicit Region(cairo_region_t* r) : Object(kKind), rgn(r) {}
  ~Region() override { cairo_region_destroy(rgn); }
  cairo_region_t* rgn;
};

struct Icon : Object {
  static constexpr Kind kKind = Kind::Icon;
  Icon() : Object(kKind) {}
  ~Icon() override;
  BOOL isIcon = TRUE;
  DWORD hotX = 0, hotY = 0;
  HBITMAP mask = nullptr;   // own copies
  HBITMAP color = nullptr;  // null: the mask is twice as high (AND half, XOR half)
};

// What SaveDC keeps.
struct DcState {
  Pen* pen = nullptr;
  Brush* brush = nullptr;
  Font* font = nullptr;
  Bitmap* bitmap = nullptr;  // memory DCs only
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  int rop2 = R2_COPYPEN;
  UINT textAlign = TA_LEFT | TA_TOP | TA_NOUPDATECP;
  int stretchMode = BLACKONWHITE;
  int polyFillMode = ALTERNATE;
  POINT viewportOrg{}, windowOrg{}, position{}, brushOrg{};
  cairo_region_t* clip = nullptr;  // device coordinates; null: none
};

struct Dc : Object {
  static constexpr Kind kKind = Kind::Dc;
  Dc() : Object(kKind) {}
  ~Dc() override;

  bool memory = false;
  // Surface DCs: the window's surface, the client origin on it, the visible
  // area (surface coordinates; null: the whole surface) and the window.
  cairo_surface_t* surface = nullptr;
  POINT origin{};
  cairo_region_t* visible = nullptr;
  HWND window = nullptr;

  DcState state;
  std::vector<DcState> saved;

  // Derived: the clip in surface coordinates (bounds, visible area and the
  // clip region together), rebuilt after any of them changes.
  bool clipValid = false;
  std::vector<RECT> clipRects;
  RECT clipBounds{};

  // A cairo context on the current target, for text.
  cairo_t* cr = nullptr;
  cairo_surface_t* crTarget = nullptr;

  cairo_surface_t* Target() const;
  int TargetWidth() const;
  int TargetHeight() const;
  bool Mono() const { return memory && state.bitmap && state.bitmap->Mono(); }
  // Logical to surface coordinates.
  int OffsetX() const { return state.viewportOrg.x - state.windowOrg.x + origin.x; }
  int OffsetY() const { return state.viewportOrg.y - state.windowOrg.y + origin.y; }
  const std::vector<RECT>& Clip();
  void InvalidateClip() { clipValid = false; }
  cairo_t* Cairo();
  // Lets go of the cairo context, and with it of a bitmap no longer selected.
  void DropCairo();
};

// --- handle table -----------------------------------------------------------

HGDIOBJ Register(std::unique_ptr<Object> object);
Object* Lookup(const void* handle);
void Destroy(Object* object);  // frees the slot and the object

template <class T>
T* Get(const void* handle) {
  Object* o = Lookup(handle);
  return (o && o->kind == T::kKind) ? static_cast<T*>(o) : nullptr;
}

template <class T>
T* MakeObject(std::unique_ptr<T> object) {
  T* raw = object.get();
  Register(std::move(object));
  return raw;
}

// Selection counting: Retain when a DC state starts holding the object,
// Release when it stops; a pending deletion happens on the last Release.
void Retain(Object* object);
void Release(Object* object);

// Stock objects.
Pen* StockPen(int id);
Brush* StockBrush(int id);
Font* StockFont(int id);
Bitmap* StockBitmap();  // the 1x1 monochrome bitmap of fresh memory DCs
Brush* SysColorBrush(int index);

// Brushes given to FillRect and friends may be (HBRUSH)(COLOR_x + 1).
Brush* BrushArg(HBRUSH brush);

// New objects for internal use.
Bitmap* NewBitmap(int width, int height, int bitsPixel);  // zeroed (black); null on failure
Region* NewRegion(cairo_region_t* region);                // takes ownership

}  // namespace nbp::gdi
