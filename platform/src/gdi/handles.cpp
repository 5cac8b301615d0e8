// The handle table, object lifetime (selection counts, deferred deletion)
// and the functions that work on any object.
#include <cstring>
#include <deque>

#include "gdi/objects.h"
#include "win/syscolors.h"

namespace nbp::gdi {
namespace {

// Handle value: generation in the high 32 bits, a tag and the slot index in
// the low 32 bits. The tag keeps small integers (system color brushes are
// COLOR_x + 1) and other subsystems' identifiers from matching a slot.
constexpr uint64_t kTag = 0x47000000u;
constexpr uint64_t kTagMask = 0xFF000000u;
constexpr uint64_t kIndexMask = 0x00FFFFFFu;

struct Slot {
  uint32_t generation = 0;
  std::unique_ptr<Object> object;
};

struct Table {
  std::vector<Slot> slots;
  std::deque<uint32_t> free;  // first in, first out: a freed slot is reused as late as possible
};

Table& table() {
  static Table* t = new Table;  // never destroyed: objects may be released during exit
  return *t;
}

}  // namespace

HGDIOBJ Register(std::unique_ptr<Object> object) {
  Table& t = table();
  uint32_t index;
  if (!t.free.empty() && (t.free.size() > 64 || t.slots.size() >= kIndexMask)) {
    index = t.free.front();
    t.free.pop_front();
  } else {
    index = static_cast<uint32_t>(t.slots.size());
    t.slots.emplace_back();
  }
  Slot& s = t.slots[index];
  ++s.generation;
  if (s.generation == 0) s.generation = 1;
  uint64_t value = (static_cast<uint64_t>(s.generation) << 32) | kTag | index;
  object->handle = reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(value));
  s.object = std::move(object);
  return s.object->handle;
}

Object* Lookup(const void* handle) {
  uint64_t value = reinterpret_cast<uintptr_t>(handle);
  if ((value & kTagMask) != kTag) return nullptr;
  uint32_t index = static_cast<uint32_t>(value & kIndexMask);
  uint32_t generation = static_cast<uint32_t>(value >> 32);
  Table& t = table();
  if (index >= t.slots.size()) return nullptr;
  Slot& s = t.slots[index];
  if (s.generation != generation || !s.object) return nullptr;
  return s.object.get();
}

void Destroy(Object* object) {
  if (!object) return;
  uint64_t value = reinterpret_cast<uintptr_t>(object->handle);
  uint32_t index = static_cast<uint32_t>(value & kIndexMask);
  Table& t = table();
  if (index >= t.slots.size() || t.slots[index].object.get() != object) return;
  // Move the object out first: its destructor may release other objects.
  std::unique_ptr<Object> doomed = std::move(t.slots[index].object);
  t.free.push_back(index);
  doomed.reset();
}

void Retain(Object* object) {
  if (object) ++object->uses;
}

void Release(Object* object) {
  if (!object) return;
  if (--object->uses <= 0) {
    object->uses = 0;
    if (object->kind == Kind::Bitmap) static_cast<Bitmap*>(object)->selectedInto = nullptr;
    if (object->deletePending && !object->stock) Destroy(object);
  }
}

Bitmap* NewBitmap(int width, int height, int bitsPixel) {
  if (width <= 0 || height <= 0 || width > 32767 || height > 32767) return nullptr;
  auto bm = std::make_unique<Bitmap>();
  bm->surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  if (cairo_surface_status(bm->surface) != CAIRO_STATUS_SUCCESS) return nullptr;
  cairo_surface_flush(bm->surface);
  std::memset(cairo_image_surface_get_data(bm->surface), 0,
              static_cast<size_t>(cairo_image_surface_get_stride(bm->surface)) * height);
  cairo_surface_mark_dirty(bm->surface);
  bm->width = width;
  bm->height = height;
  bm->bitsPixel = bitsPixel;
  return MakeObject(std::move(bm));
}

Region* NewRegion(cairo_region_t* region) { return MakeObject(std::make_unique<Region>(region)); }

Bitmap* StockBitmap() {
  static Bitmap* stock = [] {
    Bitmap* b = NewBitmap(1, 1, 1);
    b->stock = true;
    return b;
  }();
  return stock;
}

Bitmap::~Bitmap() {
  if (surface) cairo_surface_destroy(surface);
}

uint32_t* Bitmap::Row(int y) const {
  return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface) +
                                     static_cast<size_t>(y) * cairo_image_surface_get_stride(surface));
}

int Bitmap::StridePixels() const { return cairo_image_surface_get_stride(surface) / 4; }

Icon::~Icon() {
  if (Bitmap* m = Get<Bitmap>(mask)) Destroy(m);
  if (Bitmap* c = Get<Bitmap>(color)) Destroy(c);
}

}  // namespace nbp::gdi

using namespace nbp::gdi;

DWORD GetObjectType(HGDIOBJ object) {
  Object* o = Lookup(object);
  if (!o || o->kind == Kind::Icon) return 0;
  if (o->kind == Kind::Dc) return static_cast<Dc*>(o)->memory ? OBJ_MEMDC : OBJ_DC;
  return static_cast<DWORD>(o->kind);
}

BOOL DeleteObject(HGDIOBJ object) {
  Object* o = Lookup(object);
  if (!o || o->kind == Kind::Dc || o->kind == Kind::Icon) return FALSE;
  if (o->stock) return TRUE;
  if (o->uses > 0) {
    // Windows refuses to delete a bitmap that a DC draws into; pens, brushes
    // and fonts stay valid until they are deselected.
    if (o->kind == Kind::Bitmap) return FALSE;
    o->deletePending = true;
    return TRUE;
  }
  Destroy(o);
  return TRUE;
}

int GetObject(HGDIOBJ object, int size, LPVOID buffer) {
  Object* o = Lookup(object);
  if (!o) return 0;
  auto copyOut = [&](const void* data, int needed) -> int {
    if (!buffer) return needed;
    if (size <= 0) return 0;
    int n = size < needed ? size : needed;
    std::memcpy(buffer, data, static_cast<size_t>(n));
    return n;
  };
  switch (o->kind) {
    case Kind::Pen:
      return copyOut(&static_cast<Pen*>(o)->log, sizeof(LOGPEN));
    case Kind::Brush: {
      auto* b = static_cast<Brush*>(o);
      LOGBRUSH lb{b->style, b->color, b->hatch};
      if (b->sysColor >= 0) lb.lbColor = GetSysColor(b->sysColor);
      return copyOut(&lb, sizeof lb);
    }
    case Kind::Font: {
      LOGFONT lf = static_cast<Font*>(o)->Effective();
      return copyOut(&lf, sizeof lf);
    }
    case Kind::Bitmap: {
      auto* b = static_cast<Bitmap*>(o);
      DIBSECTION ds{};
      ds.dsBm.bmType = 0;
      ds.dsBm.bmWidth = b->width;
      ds.dsBm.bmHeight = b->height;
      ds.dsBm.bmPlanes = 1;
      ds.dsBm.bmBitsPixel = static_cast<WORD>(b->bitsPixel);
      if (b->dib) {
        // DIB sections report DWORD-aligned rows and their bits.
        ds.dsBm.bmWidthBytes = ((b->width * b->bitsPixel + 31) / 32) * 4;
        ds.dsBm.bmBits = b->dib->bits;
        ds.dsBmih = b->dib->header;
        std::memcpy(ds.dsBitfields, b->dib->masks, sizeof ds.dsBitfields);
        if (buffer && size >= static_cast<int>(sizeof(DIBSECTION))) return copyOut(&ds, sizeof(DIBSECTION));
      } else {
        ds.dsBm.bmWidthBytes = ((b->width * b->bitsPixel + 15) / 16) * 2;
      }
      return copyOut(&ds.dsBm, sizeof(BITMAP));
    }
    default:
      return 0;
  }
}

BOOL UnrealizeObject(HGDIOBJ object) {
  // Brush origins are applied when painting, so there is nothing to reset.
  Object* o = Lookup(object);
  return o && (o->kind == Kind::Brush) ? TRUE : FALSE;
}

BOOL GdiFlush() { return TRUE; }
