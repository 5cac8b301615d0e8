// Bitmaps: creation, DIB sections, bits in and out, and LoadBitmap.
#include <climits>
#include <cstring>

#include "gdi/dib.h"
#include "gdi/raster.h"
#include "win/resources.h"

namespace nbp::gdi {
namespace {

// The depth a new bitmap "compatible" with a DC gets: a memory DC's
// selected bitmap decides (monochrome for a fresh one), a window DC is 32.
int CompatibleDepth(Dc* dc) {
  if (dc->memory) return dc->state.bitmap->bitsPixel;
  return 32;
}

void StoreRow(Bitmap* bm, int y, const uint32_t* pixels, int width) {
  uint32_t* row = bm->Row(y);
  for (int x = 0; x < width && x < bm->width; ++x) row[x] = bm->Mono() ? MonoPixel(pixels[x]) : pixels[x];
}

// Fills a bitmap from a DIB: rows `start` .. `start + lines` of the DIB
// (counted from its bottom for a bottom-up DIB). Returns the rows copied.
int WriteDibRows(Bitmap* bm, const DibView& dib, int start, int lines) {
  cairo_surface_flush(bm->surface);
  std::vector<uint32_t> row(static_cast<size_t>(dib.width));
  int copied = 0;
  for (int i = 0; i < lines; ++i) {
    int scan = start + i;  // scan line number in the DIB
    if (scan < 0 || scan >= dib.height) continue;
    int y = dib.topDown ? scan : dib.height - 1 - scan;
    const uint8_t* src = dib.bits + dib.stride * static_cast<size_t>(i);
    DecodeRow(src, dib.width, dib.format, row.data());
    if (y >= 0 && y < bm->height) StoreRow(bm, y, row.data(), dib.width);
    ++copied;
  }
  cairo_surface_mark_dirty(bm->surface);
  return copied;
}

bool IsBlackWhite(const PixelFormat& f) {
  return f.bitsPixel == 1 && f.palette.size() >= 2 && (f.palette[0] & 0xFFFFFF) == 0 &&
         (f.palette[1] & 0xFFFFFF) == 0xFFFFFF;
}

// A bitmap of the given depth holding a whole DIB.
Bitmap* BitmapFromDib(const DibView& dib, int bitsPixel) {
  Bitmap* bm = NewBitmap(dib.width, dib.height, bitsPixel);
  if (!bm) return nullptr;
  DibView whole = dib;
  // WriteDibRows reads rows in memory order starting at scan 0.
  WriteDibRows(bm, whole, 0, dib.height);
  return bm;
}

}  // namespace

void Bitmap::PullDib() {
  if (!dib || dib->shared) return;
  cairo_surface_flush(surface);
  PixelFormat f;
  f.bitsPixel = dib->header.biBitCount;
  for (const RGBQUAD& q : dib->colors)
    f.palette.push_back(static_cast<uint32_t>(q.rgbRed) << 16 | static_cast<uint32_t>(q.rgbGreen) << 8 | q.rgbBlue);
  if (f.bitsPixel <= 8) f.palette.resize(size_t{1} << f.bitsPixel, 0);
  std::memcpy(f.masks, dib->masks, sizeof f.masks);
  size_t stride = DibStride(width, f.bitsPixel);
  bool topDown = dib->header.biHeight < 0;
  for (int y = 0; y < height; ++y) {
    const uint8_t* src = dib->bits + stride * static_cast<size_t>(topDown ? y : height - 1 - y);
    DecodeRow(src, width, f, Row(y));
  }
  cairo_surface_mark_dirty(surface);
}

void Bitmap::PushDib() {
  if (!dib || dib->shared) return;
  cairo_surface_flush(surface);
  PixelFormat f;
  f.bitsPixel = dib->header.biBitCount;
  for (const RGBQUAD& q : dib->colors)
    f.palette.push_back(static_cast<uint32_t>(q.rgbRed) << 16 | static_cast<uint32_t>(q.rgbGreen) << 8 | q.rgbBlue);
  std::memcpy(f.masks, dib->masks, sizeof f.masks);
  if (f.bitsPixel <= 8 && f.palette.empty()) f = DefaultFormat(f.bitsPixel);
  size_t stride = DibStride(width, f.bitsPixel);
  bool topDown = dib->header.biHeight < 0;
  for (int y = 0; y < height; ++y) {
    uint8_t* dst = dib->bits + stride * static_cast<size_t>(topDown ? y : height - 1 - y);
    EncodeRow(Row(y), width, f, dst, true);
  }
}

}  // namespace nbp::gdi

using namespace nbp::gdi;

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPixel, const void* bits) {
  if (width < 0 || height < 0 || planes != 1) return nullptr;
  if (width == 0 || height == 0) {
    width = height = 1;
    bitsPixel = 1;
    bits = nullptr;
  }
  if (bitsPixel != 1 && bitsPixel != 4 && bitsPixel != 8 && bitsPixel != 16 && bitsPixel != 24 && bitsPixel != 32)
    return nullptr;
  Bitmap* bm = NewBitmap(width, height, static_cast<int>(bitsPixel));
  if (!bm) return nullptr;
  if (bits) SetBitmapBits(static_cast<HBITMAP>(bm->handle), static_cast<DWORD>(DdbStride(width, bitsPixel) * height), bits);
  return static_cast<HBITMAP>(bm->handle);
}

HBITMAP CreateBitmapIndirect(const BITMAP* bitmap) {
  if (!bitmap) return nullptr;
  return CreateBitmap(bitmap->bmWidth, bitmap->bmHeight, bitmap->bmPlanes, bitmap->bmBitsPixel, bitmap->bmBits);
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || width < 0 || height < 0) return nullptr;
  // An empty size gives the smallest bitmap there is, one monochrome pixel,
  // so that painting into a zero-sized area off screen still has a target.
  if (width == 0 || height == 0) {
    Bitmap* one = NewBitmap(1, 1, 1);
    return one ? static_cast<HBITMAP>(one->handle) : nullptr;
  }
  Bitmap* bm = NewBitmap(width, height, CompatibleDepth(dc));
  return bm ? static_cast<HBITMAP>(bm->handle) : nullptr;
}

LONG SetBitmapBits(HBITMAP bitmap, DWORD size, const void* bits) {
  Bitmap* bm = Get<Bitmap>(bitmap);
  if (!bm || !bits) return 0;
  PixelFormat f = DefaultFormat(bm->bitsPixel);
  size_t stride = DdbStride(bm->width, bm->bitsPixel);
  int rows = static_cast<int>(size / stride);
  if (rows > bm->height) rows = bm->height;
  if (bm->dib) bm->PullDib();
  cairo_surface_flush(bm->surface);
  std::vector<uint32_t> row(static_cast<size_t>(bm->width));
  for (int y = 0; y < rows; ++y) {
    DecodeRow(static_cast<const uint8_t*>(bits) + stride * y, bm->width, f, row.data());
    StoreRow(bm, y, row.data(), bm->width);
  }
  cairo_surface_mark_dirty(bm->surface);
  if (bm->dib) bm->PushDib();
  return static_cast<LONG>(stride * rows);
}

LONG GetBitmapBits(HBITMAP bitmap, LONG size, LPVOID bits) {
  Bitmap* bm = Get<Bitmap>(bitmap);
  if (!bm) return 0;
  size_t stride = DdbStride(bm->width, bm->bitsPixel);
  if (!bits) return static_cast<LONG>(stride * bm->height);
  if (size <= 0) return 0;
  if (bm->dib) bm->PullDib();
  cairo_surface_flush(bm->surface);
  PixelFormat f = DefaultFormat(bm->bitsPixel);
  int rows = static_cast<int>(static_cast<size_t>(size) / stride);
  if (rows > bm->height) rows = bm->height;
  auto* out = static_cast<uint8_t*>(bits);
  for (int y = 0; y < rows; ++y) {
    std::memset(out + stride * y, 0, stride);
    EncodeRow(bm->Row(y), bm->width, f, out + stride * y, false);
  }
  return static_cast<LONG>(stride * rows);
}

BOOL GetBitmapDimensionEx(HBITMAP bitmap, LPSIZE size) {
  Bitmap* bm = Get<Bitmap>(bitmap);
  if (!bm || !size) return FALSE;
  *size = bm->dimension;
  return TRUE;
}

BOOL SetBitmapDimensionEx(HBITMAP bitmap, int width, int height, LPSIZE oldSize) {
  Bitmap* bm = Get<Bitmap>(bitmap);
  if (!bm) return FALSE;
  if (oldSize) *oldSize = bm->dimension;
  bm->dimension = {width, height};
  return TRUE;
}

HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
  if (!header) return nullptr;
  Dc* dc = hdc ? Get<Dc>(hdc) : nullptr;
  if (hdc && !dc) return nullptr;
  int width = header->biWidth, height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
  if (width <= 0 || height <= 0) return nullptr;
  DibView view;
  size_t headerBytes = 0;
  bool haveBits = (init & CBM_INIT) && bits && info && ParseInfo(info, SIZE_MAX, usage, view, headerBytes);
  // Without a DC the bitmap is monochrome, as it is for a black-and-white DIB.
  int depth = !dc ? 1 : (haveBits && IsBlackWhite(view.format)) ? 1 : CompatibleDepth(dc);
  Bitmap* bm = NewBitmap(width, height, depth);
  if (!bm) return nullptr;
  if (haveBits) {
    view.bits = static_cast<const uint8_t*>(bits);
    WriteDibRows(bm, view, 0, view.height);
  }
  return static_cast<HBITMAP>(bm->handle);
}

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset) {
  if (bits) *bits = nullptr;
  DibView view;
  size_t headerBytes = 0;
  if (section || !ParseInfo(info, SIZE_MAX, usage, view, headerBytes)) return nullptr;
  if (hdc && !Get<Dc>(hdc)) return nullptr;
  auto dib = std::make_unique<Bitmap::Dib>();
  std::memcpy(&dib->header, info, sizeof(BITMAPINFOHEADER));
  dib->header.biSize = sizeof(BITMAPINFOHEADER);
  dib->header.biSizeImage = static_cast<DWORD>(view.stride * view.height);
  std::memcpy(dib->masks, view.format.masks, sizeof dib->masks);
  for (uint32_t c : view.format.palette)
    dib->colors.push_back({static_cast<BYTE>(c), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c >> 16), 0});
  bool standard32 = view.format.bitsPixel == 32 && view.format.masks[0] == 0xFF0000 &&
                    view.format.masks[1] == 0xFF00 && view.format.masks[2] == 0xFF;

  auto bm = std::make_unique<Bitmap>();
  bm->width = view.width;
  bm->height = view.height;
  bm->bitsPixel = view.format.bitsPixel;
  if (standard32 && view.topDown) {
    // The caller's bits are the surface's pixels: nothing to copy, ever.
    dib->owned.assign(view.stride * view.height, 0);
    dib->bits = dib->owned.data();
    dib->shared = true;
    bm->surface = cairo_image_surface_create_for_data(dib->bits, CAIRO_FORMAT_RGB24, view.width, view.height,
                                                      static_cast<int>(view.stride));
  } else {
    dib->owned.assign(view.stride * view.height, 0);
    dib->bits = dib->owned.data();
    bm->surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, view.width, view.height);
  }
  if (cairo_surface_status(bm->surface) != CAIRO_STATUS_SUCCESS) return nullptr;
  bm->dib = std::move(dib);
  Bitmap* raw = MakeObject(std::move(bm));
  raw->PullDib();
  if (bits) *bits = raw->dib->bits;
  return static_cast<HBITMAP>(raw->handle);
}

int SetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
              UINT usage) {
  Bitmap* bm = Get<Bitmap>(bitmap);
  if (!bm || !bits || (hdc && !Get<Dc>(hdc))) return 0;
  DibView view;
  size_t headerBytes = 0;
  if (!ParseInfo(info, SIZE_MAX, usage, view, headerBytes)) return 0;
  view.bits = static_cast<const uint8_t*>(bits);
  if (start > static_cast<UINT>(INT_MAX) || lines > static_cast<UINT>(INT_MAX)) return 0;
  if (bm->dib) bm->PullDib();
  // WriteDibRows takes rows in memory order: the first row given is scan `start`.
  int copied = 0;
  cairo_surface_flush(bm->surface);
  std::vector<uint32_t> row(static_cast<size_t>(view.width));
  for (int i = 0; i < static_cast<int>(lines); ++i) {
    int scan = static_cast<int>(start) + i;
    if (scan >= view.height) break;
    int y = view.topDown ? scan : view.height - 1 - scan;
    DecodeRow(view.bits + view.stride * static_cast<size_t>(i), view.width, view.format, row.data());
    if (y >= 0 && y < bm->height) StoreRow(bm, y, row.data(), view.width);
    ++copied;
  }
  cairo_surface_mark_dirty(bm->surface);
  if (bm->dib) bm->PushDib();
  return copied;
}

int GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT usage) {
  Bitmap* bm = Get<Bitmap>(bitmap);
  if (!bm || !info || !Get<Dc>(hdc)) return 0;
  BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biSize < sizeof(BITMAPINFOHEADER)) return 0;
  if (!bits && h.biBitCount == 0) {
    // Describe the bitmap.
    h.biWidth = bm->width;
    h.biHeight = bm->height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(bm->bitsPixel);
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(DibStride(bm->width, bm->bitsPixel) * bm->height);
    h.biClrUsed = 0;
    h.biClrImportant = 0;
    return bm->height;
  }
  int bpp = h.biBitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return 0;
  if (h.biCompression != BI_RGB && !(h.biCompression == BI_BITFIELDS && (bpp == 16 || bpp == 32))) return 0;
  if (h.biWidth <= 0 || h.biHeight == 0) return 0;
  PixelFormat f = DefaultFormat(bpp);
  if (h.biCompression == BI_BITFIELDS) {
    DWORD* masks = reinterpret_cast<DWORD*>(info->bmiColors);
    if (masks[0] | masks[1] | masks[2]) std::memcpy(f.masks, masks, sizeof f.masks);
  }
  int width = h.biWidth;
  int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  bool topDown = h.biHeight < 0;
  size_t stride = DibStride(width, bpp);
  h.biSizeImage = static_cast<DWORD>(stride * height);
  h.biClrUsed = 0;
  if (bpp <= 8 && usage == DIB_RGB_COLORS) {
    for (size_t i = 0; i < f.palette.size(); ++i) {
      uint32_t c = f.palette[i];
      info->bmiColors[i] = {static_cast<BYTE>(c), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c >> 16), 0};
    }
  }
  if (!bits) return height;
  if (bm->dib) bm->PullDib();
  cairo_surface_flush(bm->surface);
  std::vector<uint32_t> row(static_cast<size_t>(width), 0xFF000000u);
  int copied = 0;
  for (int i = 0; i < static_cast<int>(lines); ++i) {
    int scan = static_cast<int>(start) + i;
    if (scan >= height) break;
    int y = topDown ? scan : height - 1 - scan;
    std::fill(row.begin(), row.end(), 0xFF000000u);
    if (y >= 0 && y < bm->height) {
      const uint32_t* src = bm->Row(y);
      for (int x = 0; x < width && x < bm->width; ++x) row[x] = src[x];
    }
    uint8_t* dst = static_cast<uint8_t*>(bits) + stride * static_cast<size_t>(i);
    std::memset(dst, 0, stride);
    EncodeRow(row.data(), width, f, dst, false);
    ++copied;
  }
  return copied;
}

HBITMAP LoadBitmap(HINSTANCE instance, LPCTSTR name) {
  if (!instance || !name) return nullptr;
  const std::vector<uint8_t>* data = nbp::res::FindData(instance, RT_BITMAP, name);
  if (!data || data->empty()) return nullptr;
  DibView view;
  size_t headerBytes = 0;
  const auto* info = reinterpret_cast<const BITMAPINFO*>(data->data());
  if (!ParseInfo(info, data->size(), DIB_RGB_COLORS, view, headerBytes)) return nullptr;
  if (view.stride * view.height > data->size() - headerBytes) return nullptr;
  view.bits = data->data() + headerBytes;
  Bitmap* bm = BitmapFromDib(view, IsBlackWhite(view.format) ? 1 : 32);
  return bm ? static_cast<HBITMAP>(bm->handle) : nullptr;
}
