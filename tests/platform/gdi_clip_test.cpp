// Clip regions of memory DCs and of window-surface DCs, which add the
// window's origin and visible area.
#include "gdi_fixture.h"
#include "../../platform/src/internal/gdi_internal.h"

namespace {

using Clip = Canvas32;

TEST_F(Clip, SelectClipRgnLimitsPaintingAndCopiesTheRegion) {
  HRGN rgn = CreateRectRgn(10, 10, 20, 20);
  EXPECT_EQ(SelectClipRgn(dc, rgn), SIMPLEREGION);
  OffsetRgn(rgn, 50, 50);  // the DC kept its own copy
  DeleteObject(rgn);
  HBRUSH red = CreateSolidBrush(kRed);
  RECT all{0, 0, kWidth, kHeight};
  FillRect(dc, &all, red);
  EXPECT_EQ(Count(0, 0, kWidth, kHeight, kRed), 100);
  EXPECT_EQ(Px(10, 10), kRed);
  EXPECT_EQ(Px(20, 10), CLR_INVALID);  // outside the clip
  RECT box;
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 10);
  EXPECT_EQ(box.right, 20);
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(dc, copy), 1);
  RECT rbox;
  GetRgnBox(copy, &rbox);
  EXPECT_EQ(rbox.bottom, 20);
  EXPECT_TRUE(PtVisible(dc, 15, 15));
  EXPECT_FALSE(PtVisible(dc, 25, 15));
  RECT probe{18, 18, 30, 30}, away{30, 30, 40, 40};
  EXPECT_TRUE(RectVisible(dc, &probe));
  EXPECT_FALSE(RectVisible(dc, &away));
  EXPECT_EQ(SelectClipRgn(dc, nullptr), SIMPLEREGION);
  EXPECT_EQ(GetClipRgn(dc, copy), 0);
  GetClipBox(dc, &box);
  EXPECT_EQ(box.right, kWidth);
  DeleteObject(copy);
  DeleteObject(red);
}

TEST_F(Clip, CombiningModesAndClipRectangles) {
  HRGN a = CreateRectRgn(0, 0, 40, 40);
  HRGN b = CreateRectRgn(20, 20, 60, 60);
  SelectClipRgn(dc, a);
  EXPECT_EQ(ExtSelectClipRgn(dc, b, RGN_AND), SIMPLEREGION);
  RECT box;
  GetClipBox(dc, &box);
  EXPECT_EQ(box.left, 20);
  EXPECT_EQ(box.right, 40);
  SelectClipRgn(dc, a);
  EXPECT_EQ(ExtSelectClipRgn(dc, b, RGN_OR), COMPLEXREGION);
  EXPECT_TRUE(PtVisible(dc, 50, 50));
  EXPECT_FALSE(PtVisible(dc, 50, 5));
  SelectClipRgn(dc, a);
  ExtSelectClipRgn(dc, b, RGN_DIFF);
  EXPECT_FALSE(PtVisible(dc, 30, 30));
  EXPECT_TRUE(PtVisible(dc, 5, 5));
  EXPECT_EQ(ExtSelectClipRgn(dc, nullptr, RGN_AND), ERROR);
  SelectClipRgn(dc, nullptr);
  // Without a clip region, ANDing and excluding start from the whole bitmap.
  EXPECT_EQ(ExcludeClipRect(dc, 10, 10, 20, 20), COMPLEXREGION);
  EXPECT_FALSE(PtVisible(dc, 15, 15));
  EXPECT_TRUE(PtVisible(dc, 25, 15));
  EXPECT_EQ(IntersectClipRect(dc, 0, 0, 30, 30), COMPLEXREGION);
  EXPECT_FALSE(PtVisible(dc, 35, 5));
  EXPECT_EQ(IntersectClipRect(dc, 50, 50, 60, 60), NULLREGION);
  EXPECT_EQ(GetClipBox(dc, &box), NULLREGION);
  EXPECT_EQ(box.right, 0);
  DeleteObject(a);
  DeleteObject(b);
}

TEST_F(Clip, ClipRectsAreLogicalButClipRegionsAreDeviceCoordinates) {
  SetViewportOrgEx(dc, 10, 10, nullptr);
  IntersectClipRect(dc, 0, 0, 5, 5);  // device (10,10)-(15,15)
  RECT box;
  GetClipBox(dc, &box);  // reported back in logical coordinates
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.right, 5);
  HRGN dev = CreateRectRgn(0, 0, 0, 0);
  GetClipRgn(dc, dev);
  GetRgnBox(dev, &box);
  EXPECT_EQ(box.left, 10);
  SelectClipRgn(dc, dev);  // device (10,10)-(15,15) again, whatever the origin
  SetViewportOrgEx(dc, 0, 0, nullptr);
  EXPECT_TRUE(PtVisible(dc, 12, 12));
  EXPECT_FALSE(PtVisible(dc, 2, 2));
  DeleteObject(dev);
}

TEST_F(Clip, RestoreDcBringsTheClipBack) {
  SaveDC(dc);
  IntersectClipRect(dc, 0, 0, 10, 10);
  EXPECT_FALSE(PtVisible(dc, 20, 20));
  RestoreDC(dc, -1);
  EXPECT_TRUE(PtVisible(dc, 20, 20));
}

class SurfaceDc : public ::testing::Test {
 protected:
  void SetUp() override {
    surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 60, 50);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_destroy(cr);
    // The window's client area starts at (10, 5); only (10,5)-(40,35) shows.
    cairo_rectangle_int_t visible{10, 5, 30, 30};
    cairo_region_t* clip = cairo_region_create_rectangle(&visible);
    dc = nbp::gdi::CreateSurfaceDC(surface, {10, 5}, clip, window);
    cairo_region_destroy(clip);
  }
  void TearDown() override {
    nbp::gdi::DeleteSurfaceDC(dc);
    cairo_surface_destroy(surface);
  }
  COLORREF Surface(int x, int y) {
    cairo_surface_flush(surface);
    auto* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface) +
                                            y * cairo_image_surface_get_stride(surface));
    uint32_t p = row[x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

  HWND window = reinterpret_cast<HWND>(0x1234);
  cairo_surface_t* surface = nullptr;
  HDC dc = nullptr;
};

TEST_F(SurfaceDc, PaintsAtTheOriginWithinTheVisibleArea) {
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_DC));
  EXPECT_EQ(nbp::gdi::WindowOfDC(dc), window);
  HBRUSH red = CreateSolidBrush(kRed);
  RECT all{-100, -100, 100, 100};
  FillRect(dc, &all, red);
  EXPECT_EQ(Surface(10, 5), kRed);
  EXPECT_EQ(Surface(39, 34), kRed);
  EXPECT_EQ(Surface(40, 34), kWhite);
  EXPECT_EQ(Surface(9, 5), kWhite);
  EXPECT_EQ(GetPixel(dc, 0, 0), kRed);  // logical (0,0) is the client origin
  EXPECT_EQ(GetPixel(dc, 35, 0), CLR_INVALID);
  RECT box;
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.right, 30);
  EXPECT_EQ(box.bottom, 30);
  POINT org;
  GetDCOrgEx(dc, &org);
  EXPECT_EQ(org.x, 10);
  DeleteObject(red);
}

TEST_F(SurfaceDc, ClipRegionsAreRelativeToTheClientOrigin) {
  HRGN rgn = CreateRectRgn(0, 0, 5, 5);
  SelectClipRgn(dc, rgn);
  HBRUSH blue = CreateSolidBrush(kBlue);
  RECT all{-100, -100, 100, 100};
  FillRect(dc, &all, blue);
  EXPECT_EQ(Surface(10, 5), kBlue);
  EXPECT_EQ(Surface(14, 9), kBlue);
  EXPECT_EQ(Surface(15, 9), kWhite);
  EXPECT_EQ(Surface(0, 0), kWhite);
  // Text is clipped the same way.
  SelectClipRgn(dc, nullptr);
  IntersectClipRect(dc, 20, 0, 25, 30);
  SetBkMode(dc, TRANSPARENT);
  TextOut(dc, 0, 0, "WWWWWWWWWWWW", 12);
  for (int x = 0; x < 60; ++x)
    for (int y = 0; y < 50; ++y)
      if (x < 30 || x >= 35) {
        ASSERT_TRUE(Surface(x, y) == kWhite || Surface(x, y) == kBlue) << x << "," << y;
      }
  DeleteObject(rgn);
  DeleteObject(blue);
}

TEST_F(SurfaceDc, BelongsToTheWindowSystem) {
  EXPECT_FALSE(DeleteDC(dc));  // released with DeleteSurfaceDC only
  EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_DC));
  HDC mem = CreateCompatibleDC(dc);
  EXPECT_FALSE(nbp::gdi::DeleteSurfaceDC(mem));
  HBITMAP compatible = CreateCompatibleBitmap(dc, 4, 4);
  BITMAP bm;
  GetObject(compatible, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  DeleteObject(compatible);
  DeleteDC(mem);
  cairo_surface_t* alpha = cairo_image_surface_create(CAIRO_FORMAT_A8, 4, 4);
  EXPECT_EQ(nbp::gdi::CreateSurfaceDC(alpha, {0, 0}, nullptr, nullptr), nullptr);
  EXPECT_EQ(nbp::gdi::CreateSurfaceDC(nullptr, {0, 0}, nullptr, nullptr), nullptr);
  cairo_surface_destroy(alpha);
  EXPECT_EQ(nbp::gdi::WindowOfDC(mem), nullptr);
}

TEST_F(SurfaceDc, RegionsPassBetweenHandlesAndTheWindowSystem) {
  cairo_rectangle_int_t rects[2] = {{0, 0, 10, 10}, {20, 0, 5, 5}};
  cairo_region_t* r = cairo_region_create_rectangles(rects, 2);
  HRGN h = nbp::gdi::CreateRegionFrom(r);
  cairo_region_destroy(r);
  ASSERT_NE(nbp::gdi::RegionOf(h), nullptr);
  EXPECT_TRUE(PtInRegion(h, 22, 2));
  EXPECT_TRUE(PtInRegion(h, 5, 7));
  EXPECT_FALSE(PtInRegion(h, 22, 7));
  // Changes made through the handle are seen by the window system.
  OffsetRgn(h, 100, 0);
  EXPECT_TRUE(cairo_region_contains_point(nbp::gdi::RegionOf(h), 105, 5));
  EXPECT_EQ(nbp::gdi::RegionOf(reinterpret_cast<HRGN>(dc)), nullptr);
  DeleteObject(h);
  EXPECT_EQ(nbp::gdi::RegionOf(h), nullptr);
}

}  // namespace
