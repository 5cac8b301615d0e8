// Bitmaps and block transfers: depths and bits, DIBs and DIB sections,
// LoadBitmap, raster operations, monochrome conversion, stretching,
// transparency and icons.
#include <cstring>
#include <tuple>
#include <vector>

#include "gdi_fixture.h"
#include "win/resources.h"

namespace {

class Bitmaps : public Canvas32 {
 protected:
  // A 32-bit memory DC of its own, filled with one color.
  struct Source {
    HDC dc;
    HBITMAP bm;
    HGDIOBJ old;
  };
  Source MakeSource(int w, int h, COLORREF fill, int bpp = 32) {
    Source s;
    s.dc = CreateCompatibleDC(dc);
    s.bm = CreateBitmap(w, h, 1, bpp, nullptr);
    s.old = SelectObject(s.dc, s.bm);
    HBRUSH b = CreateSolidBrush(fill);
    RECT r{0, 0, w, h};
    FillRect(s.dc, &r, b);
    DeleteObject(b);
    return s;
  }
  void Free(Source& s) {
    SelectObject(s.dc, s.old);
    DeleteObject(s.bm);
    DeleteDC(s.dc);
  }
};

TEST_F(Bitmaps, AnEmptyCompatibleBitmapIsOneMonochromePixel) {
  for (SIZE size : {SIZE{0, 8}, SIZE{8, 0}, SIZE{0, 0}}) {
    HBITMAP empty = CreateCompatibleBitmap(dc, size.cx, size.cy);
    ASSERT_NE(empty, nullptr);
    BITMAP info{};
    GetObject(empty, sizeof info, &info);
    EXPECT_EQ((std::tuple{info.bmWidth, info.bmHeight, info.bmBitsPixel}), (std::tuple{1, 1, WORD{1}}));
    // Off-screen painting of an empty area draws into it without harm.
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, empty);
    RECT nothing{0, 0, size.cx, size.cy};
    FillRect(mem, &nothing, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_TRUE(BitBlt(dc, 0, 0, size.cx, size.cy, mem, 0, 0, SRCCOPY));
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(empty);
  }
}

TEST_F(Bitmaps, CompatibleBitmapsFollowTheDc) {
  HDC fresh = CreateCompatibleDC(nullptr);
  HBITMAP mono = CreateCompatibleBitmap(fresh, 8, 8);  // like the 1x1 bitmap it holds
  BITMAP info{};
  GetObject(mono, sizeof info, &info);
  EXPECT_EQ(info.bmBitsPixel, 1);
  HBITMAP color = CreateCompatibleBitmap(dc, 8, 8);
  GetObject(color, sizeof info, &info);
  EXPECT_EQ(info.bmBitsPixel, 32);
  EXPECT_EQ(CreateCompatibleBitmap(dc, 8, -1), nullptr);
  EXPECT_EQ(CreateCompatibleBitmap(nullptr, 8, 8), nullptr);
  // A new bitmap is black.
  HGDIOBJ old = SelectObject(fresh, color);
  EXPECT_EQ(GetPixel(fresh, 7, 7), kBlack);
  EXPECT_EQ(GetPixel(fresh, 8, 7), CLR_INVALID);
  // Drawing into a monochrome bitmap keeps it black and white.
  SelectObject(fresh, mono);
  SetPixel(fresh, 0, 0, RGB(200, 220, 250));
  SetPixel(fresh, 1, 0, RGB(90, 20, 40));
  EXPECT_EQ(GetPixel(fresh, 0, 0), kWhite);
  EXPECT_EQ(GetPixel(fresh, 1, 0), kBlack);
  SelectObject(fresh, old);
  DeleteObject(mono);
  DeleteObject(color);
  DeleteDC(fresh);
}

TEST_F(Bitmaps, CreateBitmapReadsEveryDepth) {
  HDC m = CreateCompatibleDC(dc);
  // 1 bit: most significant bit leftmost, 1 is white; rows padded to 16 bits.
  const BYTE one[4] = {0x80, 0x00, 0x40, 0x00};
  HBITMAP b1 = CreateBitmap(3, 2, 1, 1, one);
  HGDIOBJ old = SelectObject(m, b1);
  EXPECT_EQ(GetPixel(m, 0, 0), kWhite);
  EXPECT_EQ(GetPixel(m, 1, 0), kBlack);
  EXPECT_EQ(GetPixel(m, 1, 1), kWhite);
  // 4 bits: the 16 VGA colors (9 is bright red, 12 bright blue).
  const BYTE four[2] = {0x9C, 0x00};
  HBITMAP b4 = CreateBitmap(2, 1, 1, 4, four);
  SelectObject(m, b4);
  EXPECT_EQ(GetPixel(m, 0, 0), kRed);
  EXPECT_EQ(GetPixel(m, 1, 0), kBlue);
  // 16 bits: 5-5-5.
  const WORD sixteen[1] = {0x7C00};
  HBITMAP b16 = CreateBitmap(1, 1, 1, 16, sixteen);
  SelectObject(m, b16);
  EXPECT_EQ(GetPixel(m, 0, 0), kRed);
  // 24 bits: blue, green, red bytes; 32 bits the same with a spare byte.
  const BYTE rgb24[4] = {0x30, 0x20, 0x10, 0};
  HBITMAP b24 = CreateBitmap(1, 1, 1, 24, rgb24);
  SelectObject(m, b24);
  EXPECT_EQ(GetPixel(m, 0, 0), RGB(0x10, 0x20, 0x30));
  const BYTE rgb32[8] = {1, 2, 3, 0, 4, 5, 6, 0};
  HBITMAP b32 = CreateBitmap(2, 1, 1, 32, rgb32);
  SelectObject(m, b32);
  EXPECT_EQ(GetPixel(m, 1, 0), RGB(6, 5, 4));
  SelectObject(m, old);
  // The bits come back out in the same layout.
  BYTE back[8] = {};
  EXPECT_EQ(GetBitmapBits(b32, sizeof back, back), 8);
  EXPECT_EQ(std::memcmp(back, rgb32, 8), 0);
  BYTE backOne[4] = {};
  EXPECT_EQ(GetBitmapBits(b1, sizeof backOne, backOne), 4);
  EXPECT_EQ(backOne[0], 0x80);
  EXPECT_EQ(backOne[2], 0x40);
  EXPECT_EQ(GetBitmapBits(b1, 0, nullptr), 4);
  EXPECT_EQ(CreateBitmap(2, 2, 1, 3, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(-1, 2, 1, 32, nullptr), nullptr);
  HBITMAP zero = CreateBitmap(0, 0, 1, 32, nullptr);  // a 1x1 monochrome bitmap
  BITMAP info{};
  GetObject(zero, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 1);
  EXPECT_EQ(info.bmBitsPixel, 1);
  SIZE dim{};
  SetBitmapDimensionEx(b1, 30, 20, nullptr);
  EXPECT_TRUE(GetBitmapDimensionEx(b1, &dim));
  EXPECT_EQ(dim.cx, 30);
  for (HBITMAP b : {b1, b4, b16, b24, b32, zero}) DeleteObject(b);
  DeleteDC(m);
}

BITMAPINFO* Info(std::vector<uint8_t>& storage, int w, int h, int bpp, std::vector<RGBQUAD> colors = {}) {
  storage.assign(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
  auto* bi = reinterpret_cast<BITMAPINFO*>(storage.data());
  bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi->bmiHeader.biWidth = w;
  bi->bmiHeader.biHeight = h;
  bi->bmiHeader.biPlanes = 1;
  bi->bmiHeader.biBitCount = static_cast<WORD>(bpp);
  bi->bmiHeader.biClrUsed = static_cast<DWORD>(colors.size());
  for (size_t i = 0; i < colors.size(); ++i) bi->bmiColors[i] = colors[i];
  return bi;
}

TEST_F(Bitmaps, DibsAreBottomUpUnlessTheHeightIsNegative) {
  std::vector<uint8_t> storage;
  // Two rows of a 8-bit DIB, two colors in its table: the first row in
  // memory is the bottom one.
  BITMAPINFO* bi = Info(storage, 2, 2, 8, {{0, 0, 255, 0}, {255, 0, 0, 0}});
  const BYTE bits[8] = {0, 0, 0, 0, 1, 1, 0, 0};
  HBITMAP up = CreateDIBitmap(dc, &bi->bmiHeader, CBM_INIT, bits, bi, DIB_RGB_COLORS);
  HDC m = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(m, up);
  EXPECT_EQ(GetPixel(m, 0, 1), kRed);
  EXPECT_EQ(GetPixel(m, 0, 0), kBlue);
  bi->bmiHeader.biHeight = -2;
  HBITMAP down = CreateDIBitmap(dc, &bi->bmiHeader, CBM_INIT, bits, bi, DIB_RGB_COLORS);
  SelectObject(m, down);
  EXPECT_EQ(GetPixel(m, 0, 0), kRed);
  EXPECT_EQ(GetPixel(m, 0, 1), kBlue);

  // GetDIBits: describe, then read 32-bit bottom-up rows.
  std::vector<uint8_t> query;
  BITMAPINFO* q = Info(query, 0, 0, 0);
  SelectObject(m, old);
  EXPECT_EQ(GetDIBits(dc, down, 0, 2, nullptr, q, DIB_RGB_COLORS), 2);
  EXPECT_EQ(q->bmiHeader.biWidth, 2);
  EXPECT_EQ(q->bmiHeader.biHeight, 2);
  EXPECT_EQ(q->bmiHeader.biBitCount, 32);
  q->bmiHeader.biCompression = BI_RGB;
  uint32_t px[4] = {};
  EXPECT_EQ(GetDIBits(dc, down, 0, 2, px, q, DIB_RGB_COLORS), 2);
  EXPECT_EQ(px[0], 0x000000FFu);  // bottom row first: blue
  EXPECT_EQ(px[2], 0x00FF0000u);  // then the top row: red
  // SetDIBits writes scan lines from `start`, counted from the bottom.
  const uint32_t green[2] = {0x0000FF00u, 0x0000FF00u};
  q->bmiHeader.biHeight = 2;
  EXPECT_EQ(SetDIBits(dc, down, 1, 1, green, q, DIB_RGB_COLORS), 1);
  SelectObject(m, down);
  EXPECT_EQ(GetPixel(m, 1, 0), kGreen);
  EXPECT_EQ(GetPixel(m, 1, 1), kBlue);
  SelectObject(m, old);
  DeleteObject(up);
  DeleteObject(down);
  DeleteDC(m);
  // Bad headers fail rather than read past the data.
  std::vector<uint8_t> badStorage;
  BITMAPINFO* bad = Info(badStorage, 2, 2, 7);
  EXPECT_EQ(SetDIBits(dc, bitmap, 0, 2, bits, bad, DIB_RGB_COLORS), 0);
}

TEST_F(Bitmaps, DibSectionBitsAndGdiDrawingSeeEachOther) {
  for (int height : {4, -4}) {
    for (int bpp : {24, 32}) {
      std::vector<uint8_t> storage;
      BITMAPINFO* bi = Info(storage, 4, height, bpp);
      void* bits = nullptr;
      HBITMAP section = CreateDIBSection(dc, bi, DIB_RGB_COLORS, &bits, nullptr, 0);
      ASSERT_NE(section, nullptr);
      ASSERT_NE(bits, nullptr);
      DIBSECTION ds{};
      ASSERT_EQ(GetObject(section, sizeof ds, &ds), static_cast<int>(sizeof ds));
      EXPECT_EQ(ds.dsBm.bmBits, bits);
      EXPECT_EQ(ds.dsBmih.biBitCount, bpp);
      int stride = ((4 * bpp + 31) / 32) * 4;
      auto* b = static_cast<uint8_t*>(bits);
      // The first row in memory: top row for top-down, bottom row otherwise.
      int memoryFirst = height < 0 ? 0 : 3;
      b[2] = 0xFF;  // red component of pixel 0 in that row
      HDC m = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(m, section);
      EXPECT_EQ(GetPixel(m, 0, memoryFirst), kRed) << height << " " << bpp;
      SetPixel(m, 3, 3 - memoryFirst, kBlue);
      uint8_t* lastRow = b + stride * 3;
      EXPECT_EQ(lastRow[3 * bpp / 8], 0xFF) << height << " " << bpp;  // blue component
      SelectObject(m, old);
      DeleteDC(m);
      DeleteObject(section);
    }
  }
}

TEST_F(Bitmaps, LoadBitmapReadsDibResources) {
  HINSTANCE module = nbp::res::CreateModule("bitmaps");
  // A 2x2, 24-bit bottom-up DIB: bottom row red, green; top row blue, white.
  std::vector<uint8_t> dib(sizeof(BITMAPINFOHEADER) + 2 * 8, 0);
  auto* h = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
  h->biSize = sizeof(BITMAPINFOHEADER);
  h->biWidth = 2;
  h->biHeight = 2;
  h->biPlanes = 1;
  h->biBitCount = 24;
  const uint8_t rows[16] = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
  std::memcpy(dib.data() + sizeof(BITMAPINFOHEADER), rows, 16);
  nbp::res::AddData(module, RT_BITMAP, MAKEINTRESOURCE(7), dib);
  nbp::res::AddData(module, RT_BITMAP, "LOGO", dib);
  std::vector<uint8_t> truncated(dib.begin(), dib.end() - 4);
  nbp::res::AddData(module, RT_BITMAP, MAKEINTRESOURCE(8), truncated);

  HBITMAP loaded = LoadBitmap(module, MAKEINTRESOURCE(7));
  ASSERT_NE(loaded, nullptr);
  HDC m = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(m, loaded);
  EXPECT_EQ(GetPixel(m, 0, 1), kRed);
  EXPECT_EQ(GetPixel(m, 1, 1), kGreen);
  EXPECT_EQ(GetPixel(m, 0, 0), kBlue);
  EXPECT_EQ(GetPixel(m, 1, 0), kWhite);
  SelectObject(m, old);
  HBITMAP named = LoadBitmap(module, "logo");
  EXPECT_NE(named, nullptr);
  EXPECT_EQ(LoadBitmap(module, MAKEINTRESOURCE(8)), nullptr);
  EXPECT_EQ(LoadBitmap(module, MAKEINTRESOURCE(9)), nullptr);
  EXPECT_EQ(LoadBitmap(nullptr, MAKEINTRESOURCE(7)), nullptr);
  DeleteObject(loaded);
  DeleteObject(named);
  DeleteDC(m);
  nbp::res::DestroyModule(module);
  EXPECT_EQ(LoadBitmap(module, MAKEINTRESOURCE(7)), nullptr);
}

TEST_F(Bitmaps, RasterOperationsCombineSourcePatternAndDestination) {
  const COLORREF S = RGB(0xF0, 0xCC, 0x0F), D = RGB(0xAA, 0x3C, 0x55), P = RGB(0x0F, 0x99, 0xF0);
  auto bits = [](COLORREF c) { return static_cast<uint32_t>(c); };
  struct { DWORD rop; uint32_t expected; const char* name; } cases[] = {
      {SRCCOPY, bits(S), "SRCCOPY"},
      {SRCPAINT, bits(S) | bits(D), "SRCPAINT"},
      {SRCAND, bits(S) & bits(D), "SRCAND"},
      {SRCINVERT, bits(S) ^ bits(D), "SRCINVERT"},
      {SRCERASE, bits(S) & ~bits(D), "SRCERASE"},
      {NOTSRCCOPY, ~bits(S), "NOTSRCCOPY"},
      {NOTSRCERASE, ~(bits(S) | bits(D)), "NOTSRCERASE"},
      {MERGECOPY, bits(P) & bits(S), "MERGECOPY"},
      {MERGEPAINT, ~bits(S) | bits(D), "MERGEPAINT"},
      {PATCOPY, bits(P), "PATCOPY"},
      {PATPAINT, bits(P) | ~bits(S) | bits(D), "PATPAINT"},
      {PATINVERT, bits(P) ^ bits(D), "PATINVERT"},
      {DSTINVERT, ~bits(D), "DSTINVERT"},
      {BLACKNESS, 0, "BLACKNESS"},
      {WHITENESS, 0xFFFFFF, "WHITENESS"},
  };
  Source src = MakeSource(4, 4, S);
  HBRUSH brush = CreateSolidBrush(P);
  SelectObject(dc, brush);
  int x = 0;
  for (auto c : cases) {
    SetPixel(dc, x, 0, D);
    EXPECT_TRUE(BitBlt(dc, x, 0, 1, 1, src.dc, 0, 0, c.rop)) << c.name;
    EXPECT_EQ(Px(x, 0), c.expected & 0xFFFFFF) << c.name;
    x += 2;
  }
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(brush);
  Free(src);
}

TEST_F(Bitmaps, BitBltCopiesOffsetsClipsAndScrolls) {
  Source src = MakeSource(10, 10, kRed);
  SetPixel(src.dc, 9, 9, kBlue);
  EXPECT_TRUE(BitBlt(dc, 20, 20, 10, 10, src.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(Px(20, 20), kRed);
  EXPECT_EQ(Px(29, 29), kBlue);
  EXPECT_EQ(Px(30, 30), kWhite);
  // Part of the source lies outside its bitmap: that part leaves the destination alone.
  Clear(kWhite);
  BitBlt(dc, 0, 0, 20, 20, src.dc, 5, 5, SRCCOPY);
  EXPECT_EQ(Px(4, 4), kBlue);
  EXPECT_EQ(Px(5, 5), kWhite);
  // The destination's clip applies.
  Clear(kWhite);
  IntersectClipRect(dc, 0, 0, 3, 3);
  BitBlt(dc, 0, 0, 10, 10, src.dc, 0, 0, SRCCOPY);
  SelectClipRgn(dc, nullptr);
  EXPECT_EQ(Count(0, 0, kWidth, kHeight, kRed), 9);
  // A DC copied onto itself: scrolling down by 5 rows.
  Clear(kWhite);
  for (int y = 0; y < 20; ++y) SetPixel(dc, 0, y, RGB(y, 0, 0));
  BitBlt(dc, 0, 5, 1, 20, dc, 0, 0, SRCCOPY);
  for (int y = 5; y < 25; ++y) EXPECT_EQ(Px(0, y), RGB(y - 5, 0, 0)) << y;
  BitBlt(dc, 0, 0, 1, 20, dc, 0, 5, SRCCOPY);  // and back up
  for (int y = 0; y < 20; ++y) EXPECT_EQ(Px(0, y), RGB(y, 0, 0)) << y;
  EXPECT_FALSE(BitBlt(dc, 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(dc, 0, 0, 1, 1, nullptr, 0, 0, BLACKNESS));  // no source needed
  Free(src);
}

TEST_F(Bitmaps, MonochromeBitmapsConvertThroughTextAndBackgroundColors) {
  // Mono to color: 0 bits take the text color, 1 bits the background color.
  const BYTE bits[2] = {0x40, 0};  // pixel 1 set
  HBITMAP mono = CreateBitmap(2, 1, 1, 1, bits);
  HDC m = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(m, mono);
  SetTextColor(dc, kRed);
  SetBkColor(dc, kBlue);
  BitBlt(dc, 0, 0, 2, 1, m, 0, 0, SRCCOPY);
  EXPECT_EQ(Px(0, 0), kRed);
  EXPECT_EQ(Px(1, 0), kBlue);
  SelectObject(m, old);
  // Color to mono: the source's background color becomes white, the rest black.
  Source src = MakeSource(2, 1, kGreen);
  SetPixel(src.dc, 1, 0, kRed);
  SetBkColor(src.dc, kGreen);
  HBITMAP target = CreateBitmap(2, 1, 1, 1, nullptr);
  SelectObject(m, target);
  BitBlt(m, 0, 0, 2, 1, src.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(m, 0, 0), kWhite);
  EXPECT_EQ(GetPixel(m, 1, 0), kBlack);
  SelectObject(m, old);
  DeleteObject(mono);
  DeleteObject(target);
  DeleteDC(m);
  Free(src);
}

TEST_F(Bitmaps, StretchBltScalesAndMirrors) {
  Source src = MakeSource(2, 2, kWhite);
  SetPixel(src.dc, 0, 0, kRed);
  SetPixel(src.dc, 1, 0, kGreen);
  SetPixel(src.dc, 0, 1, kBlue);
  SetPixel(src.dc, 1, 1, kBlack);
  EXPECT_TRUE(StretchBlt(dc, 0, 0, 8, 8, src.dc, 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(Count(0, 0, 4, 4, kRed), 16);
  EXPECT_EQ(Count(4, 0, 8, 4, kGreen), 16);
  EXPECT_EQ(Count(0, 4, 4, 8, kBlue), 16);
  EXPECT_EQ(Count(4, 4, 8, 8, kBlack), 16);
  // A negative width mirrors left and right; the extent runs leftwards
  // from the start pixel, as in the usual flip StretchBlt(x + w - 1, ..., -w).
  StretchBlt(dc, 21, 0, -2, 2, src.dc, 0, 0, 2, 2, SRCCOPY);
  EXPECT_EQ(Px(20, 0), kGreen);
  EXPECT_EQ(Px(21, 0), kRed);
  EXPECT_EQ(Px(20, 1), kBlack);
  // Shrinking picks from the source; HALFTONE averages.
  Source stripes = MakeSource(2, 1, kWhite);
  SetPixel(stripes.dc, 0, 0, kBlack);
  SetStretchBltMode(dc, HALFTONE);
  StretchBlt(dc, 30, 0, 1, 1, stripes.dc, 0, 0, 2, 1, SRCCOPY);
  COLORREF mixed = Px(30, 0);
  EXPECT_NEAR(GetRValue(mixed), 128, 2);
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, 31, 0, 1, 1, stripes.dc, 0, 0, 2, 1, SRCCOPY);
  EXPECT_TRUE(Px(31, 0) == kWhite || Px(31, 0) == kBlack);
  Free(stripes);
  Free(src);
}

TEST_F(Bitmaps, TransparentBltLeavesOutOneColorAndAlphaBlendMixes) {
  Source src = MakeSource(4, 4, RGB(255, 0, 255));
  SetPixel(src.dc, 1, 1, kBlue);
  Clear(kGreen);
  EXPECT_TRUE(TransparentBlt(dc, 0, 0, 4, 4, src.dc, 0, 0, 4, 4, RGB(255, 0, 255)));
  EXPECT_EQ(Px(0, 0), kGreen);
  EXPECT_EQ(Px(1, 1), kBlue);
  EXPECT_EQ(Count(0, 0, 4, 4, kGreen), 15);
  EXPECT_TRUE(TransparentBlt(dc, 10, 0, 8, 8, src.dc, 0, 0, 4, 4, RGB(255, 0, 255)));
  EXPECT_EQ(Count(10, 0, 18, 8, kBlue), 4);
  EXPECT_FALSE(TransparentBlt(dc, 0, 0, -4, 4, src.dc, 0, 0, 4, 4, 0));

  Clear(kBlack);
  Source white = MakeSource(4, 4, kWhite);
  BLENDFUNCTION half{AC_SRC_OVER, 0, 128, 0};
  EXPECT_TRUE(AlphaBlend(dc, 0, 0, 4, 4, white.dc, 0, 0, 4, 4, half));
  EXPECT_NEAR(GetRValue(Px(0, 0)), 128, 1);
  EXPECT_FALSE(AlphaBlend(dc, 0, 0, 4, 4, white.dc, 2, 2, 4, 4, half));  // source out of bounds
  Free(white);
  Free(src);
}

TEST_F(Bitmaps, IconsDrawThroughTheirMask) {
  // Mask: left column 0 (draw), right column 1 (keep the background).
  const BYTE maskBits[4] = {0x40, 0, 0x40, 0};
  HBITMAP mask = CreateBitmap(2, 2, 1, 1, maskBits);
  HBITMAP color = CreateBitmap(2, 2, 1, 32, nullptr);
  HDC m = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(m, color);
  SetPixel(m, 0, 0, kRed);
  SetPixel(m, 0, 1, kRed);  // the right column stays black: transparent
  SelectObject(m, old);
  DeleteDC(m);
  ICONINFO ii{TRUE, 0, 0, mask, color};
  HICON icon = CreateIconIndirect(&ii);
  ASSERT_NE(icon, nullptr);
  DeleteObject(mask);  // the icon has its own copies
  DeleteObject(color);
  Clear(kGreen);
  EXPECT_TRUE(DrawIcon(dc, 5, 5, icon));
  EXPECT_EQ(Px(5, 5), kRed);
  EXPECT_EQ(Px(6, 5), kGreen);
  EXPECT_EQ(Px(5, 6), kRed);
  EXPECT_TRUE(DrawIconEx(dc, 10, 10, icon, 4, 4, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(Count(10, 10, 14, 14, kRed), 8);
  ICONINFO back{};
  EXPECT_TRUE(GetIconInfo(icon, &back));
  EXPECT_EQ(GetObjectType(back.hbmMask), static_cast<DWORD>(OBJ_BITMAP));
  DeleteObject(back.hbmMask);
  DeleteObject(back.hbmColor);
  HICON copy = CopyIcon(icon);
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_FALSE(DestroyIcon(icon));
  EXPECT_FALSE(DrawIcon(dc, 0, 0, icon));
  EXPECT_TRUE(DrawIcon(dc, 20, 20, copy));
  EXPECT_EQ(Px(20, 20), kRed);
  DestroyIcon(copy);
  EXPECT_EQ(GetObjectType(icon), 0u);
}

TEST_F(Bitmaps, StretchDIBitsMeasuresTheSourceFromTheBottom) {
  std::vector<uint8_t> storage;
  BITMAPINFO* bi = Info(storage, 1, 4, 32);
  // Bottom-up rows: red (bottom), green, blue, white (top).
  const uint32_t rows[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  // The lowest two rows of the image: green above red.
  EXPECT_EQ(StretchDIBits(dc, 0, 0, 1, 2, 0, 0, 1, 2, rows, bi, DIB_RGB_COLORS, SRCCOPY), 2);
  EXPECT_EQ(Px(0, 0), kGreen);
  EXPECT_EQ(Px(0, 1), kRed);
  EXPECT_EQ(SetDIBitsToDevice(dc, 5, 0, 1, 4, 0, 0, 0, 4, rows, bi, DIB_RGB_COLORS), 4);
  EXPECT_EQ(Px(5, 0), kWhite);
  EXPECT_EQ(Px(5, 3), kRed);
}

}  // namespace
