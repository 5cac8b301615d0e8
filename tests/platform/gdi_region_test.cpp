// Regions: construction, CombineRgn's results, hit tests, and painting.
#include "gdi_fixture.h"

namespace {

RECT Box(HRGN r) {
  RECT b{};
  GetRgnBox(r, &b);
  return b;
}

TEST(Regions, CombineRgnReportsTheResultingType) {
  HRGN a = CreateRectRgn(0, 0, 20, 20);
  HRGN b = CreateRectRgn(10, 10, 30, 30);
  HRGN far = CreateRectRgn(100, 100, 110, 110);
  HRGN d = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(d, a, b, RGN_AND), SIMPLEREGION);
  EXPECT_EQ(Box(d).left, 10);
  EXPECT_EQ(Box(d).right, 20);
  EXPECT_EQ(CombineRgn(d, a, b, RGN_OR), COMPLEXREGION);
  EXPECT_EQ(Box(d).right, 30);
  EXPECT_TRUE(PtInRegion(d, 25, 25));
  EXPECT_FALSE(PtInRegion(d, 25, 5));
  EXPECT_EQ(CombineRgn(d, a, b, RGN_XOR), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(d, 15, 15));
  EXPECT_TRUE(PtInRegion(d, 5, 5));
  EXPECT_EQ(CombineRgn(d, a, b, RGN_DIFF), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(d, 25, 25));
  EXPECT_EQ(CombineRgn(d, a, far, RGN_AND), NULLREGION);
  RECT box = Box(d);
  EXPECT_EQ(box.left | box.top | box.right | box.bottom, 0);
  EXPECT_EQ(CombineRgn(d, a, a, RGN_DIFF), NULLREGION);
  EXPECT_EQ(CombineRgn(d, far, nullptr, RGN_COPY), SIMPLEREGION);
  EXPECT_TRUE(EqualRgn(d, far));
  EXPECT_FALSE(EqualRgn(d, a));
  // The destination may also be a source.
  EXPECT_EQ(CombineRgn(a, a, b, RGN_OR), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(a, 29, 29));
  EXPECT_EQ(CombineRgn(d, a, b, 9), ERROR);
  EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_AND), ERROR);
  DeleteObject(b);
  EXPECT_EQ(CombineRgn(d, a, b, RGN_OR), ERROR);  // a stale source
  DeleteObject(a);
  DeleteObject(far);
  DeleteObject(d);
}

TEST(Regions, RectangleRegionsAreNormalisedAndExclusive) {
  HRGN r = CreateRectRgn(20, 30, 10, 5);
  RECT b = Box(r);
  EXPECT_EQ(b.left, 10);
  EXPECT_EQ(b.top, 5);
  EXPECT_EQ(b.right, 20);
  EXPECT_EQ(b.bottom, 30);
  EXPECT_TRUE(PtInRegion(r, 10, 5));
  EXPECT_FALSE(PtInRegion(r, 20, 5));
  RECT touch{19, 29, 25, 35}, beside{20, 0, 30, 40}, inverted{25, 35, 19, 29};
  EXPECT_TRUE(RectInRegion(r, &touch));
  EXPECT_FALSE(RectInRegion(r, &beside));
  EXPECT_TRUE(RectInRegion(r, &inverted));
  EXPECT_EQ(OffsetRgn(r, 5, 5), SIMPLEREGION);
  EXPECT_EQ(Box(r).left, 15);
  EXPECT_TRUE(SetRectRgn(r, 0, 0, 0, 0));
  EXPECT_EQ(GetRgnBox(r, &b), NULLREGION);
  RECT rc{1, 2, 3, 4};
  HRGN ind = CreateRectRgnIndirect(&rc);
  EXPECT_EQ(Box(ind).bottom, 4);
  EXPECT_EQ(CreateRectRgnIndirect(nullptr), nullptr);
  DeleteObject(r);
  DeleteObject(ind);
  EXPECT_EQ(GetRgnBox(r, &b), ERROR);
  EXPECT_EQ(OffsetRgn(r, 1, 1), ERROR);
  EXPECT_FALSE(PtInRegion(r, 0, 0));
}

TEST(Regions, CurvedAndPolygonRegionsAreScanlines) {
  HRGN e = CreateEllipticRgn(0, 0, 40, 20);
  RECT b = Box(e);
  EXPECT_EQ(b.left, 0);
  EXPECT_EQ(b.top, 0);
  EXPECT_EQ(b.right, 40);
  EXPECT_EQ(b.bottom, 20);
  EXPECT_TRUE(PtInRegion(e, 20, 10));
  EXPECT_TRUE(PtInRegion(e, 0, 10));
  EXPECT_FALSE(PtInRegion(e, 1, 1));
  EXPECT_FALSE(PtInRegion(e, 39, 19));
  HRGN rr = CreateRoundRectRgn(0, 0, 40, 40, 16, 16);
  EXPECT_FALSE(PtInRegion(rr, 0, 0));
  EXPECT_TRUE(PtInRegion(rr, 20, 0));
  EXPECT_TRUE(PtInRegion(rr, 0, 20));
  EXPECT_TRUE(PtInRegion(rr, 5, 5));
  POINT tri[] = {{0, 0}, {20, 0}, {0, 20}};
  HRGN t = CreatePolygonRgn(tri, 3, ALTERNATE);
  EXPECT_TRUE(PtInRegion(t, 2, 2));
  EXPECT_FALSE(PtInRegion(t, 15, 15));
  EXPECT_FALSE(PtInRegion(t, 20, 0));  // right edge left out
  EXPECT_EQ(CreatePolygonRgn(tri, 1, ALTERNATE), nullptr);
  EXPECT_EQ(CreatePolygonRgn(tri, 3, 7), nullptr);
  DeleteObject(e);
  DeleteObject(rr);
  DeleteObject(t);
}

using RegionPaint = Canvas32;

TEST_F(RegionPaint, FillFrameInvertAndPaint) {
  HRGN r = CreateRectRgn(10, 10, 30, 20);
  HBRUSH red = CreateSolidBrush(kRed);
  EXPECT_TRUE(FillRgn(dc, r, red));
  EXPECT_EQ(Count(0, 0, kWidth, kHeight, kRed), 200);
  EXPECT_TRUE(InvertRgn(dc, r));
  EXPECT_EQ(Px(10, 10), RGB(0, 255, 255));
  Clear(kWhite);
  HBRUSH blue = CreateSolidBrush(kBlue);
  EXPECT_TRUE(FrameRgn(dc, r, blue, 2, 1));
  EXPECT_EQ(Px(10, 15), kBlue);
  EXPECT_EQ(Px(11, 15), kBlue);
  EXPECT_EQ(Px(12, 15), kWhite);
  EXPECT_EQ(Px(20, 10), kBlue);
  EXPECT_EQ(Px(20, 11), kWhite);
  EXPECT_EQ(Px(29, 19), kBlue);
  EXPECT_EQ(Count(0, 0, kWidth, kHeight, kBlue), 2 * 20 + 2 * 2 * 8);
  Clear(kWhite);
  SelectObject(dc, blue);
  SetViewportOrgEx(dc, 50, 0, nullptr);  // regions for painting are logical
  EXPECT_TRUE(PaintRgn(dc, r));
  SetViewportOrgEx(dc, 0, 0, nullptr);
  EXPECT_EQ(Px(60, 10), kBlue);
  EXPECT_EQ(Px(10, 10), kWhite);
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  EXPECT_FALSE(FillRgn(dc, r, nullptr));
  DeleteObject(r);
  EXPECT_FALSE(FillRgn(dc, r, red));
  DeleteObject(red);
  DeleteObject(blue);
}

}  // namespace
