// Shapes, lines and pixels at the places GDI's geometry fixes: exclusive
// right and bottom edges, pens inside the box, end points left out.
#include <climits>

#include "gdi_fixture.h"

namespace {

using Draw = Canvas32;

TEST_F(Draw, FillRectCoversRightAndBottomExclusively) {
  HBRUSH red = CreateSolidBrush(kRed);
  RECT r{10, 10, 20, 15};
  EXPECT_TRUE(FillRect(dc, &r, red));
  EXPECT_EQ(Px(10, 10), kRed);
  EXPECT_EQ(Px(19, 14), kRed);
  EXPECT_EQ(Px(20, 14), kWhite);
  EXPECT_EQ(Px(19, 15), kWhite);
  EXPECT_EQ(Px(9, 10), kWhite);
  EXPECT_EQ(Count(0, 0, kWidth, kHeight, kRed), 50);
  // Empty and inverted rectangles paint nothing.
  RECT empty{30, 30, 30, 40}, inverted{50, 50, 40, 40};
  FillRect(dc, &empty, red);
  FillRect(dc, &inverted, red);
  EXPECT_EQ(Count(0, 0, kWidth, kHeight, kRed), 50);
  DeleteObject(red);
}

TEST_F(Draw, FrameRectDrawsOnePixelInsideTheRectangle) {
  HBRUSH blue = CreateSolidBrush(kBlue);
  RECT r{10, 10, 20, 16};
  EXPECT_TRUE(FrameRect(dc, &r, blue));
  EXPECT_EQ(Px(10, 10), kBlue);
  EXPECT_EQ(Px(19, 10), kBlue);
  EXPECT_EQ(Px(19, 15), kBlue);
  EXPECT_EQ(Px(10, 15), kBlue);
  EXPECT_EQ(Px(11, 11), kWhite);
  EXPECT_EQ(Px(20, 10), kWhite);
  EXPECT_EQ(Px(10, 16), kWhite);
  EXPECT_EQ(Count(0, 0, kWidth, kHeight, kBlue), 2 * 10 + 2 * 4);
  DeleteObject(blue);
}

TEST_F(Draw, InvertRectTwiceRestoresThePixels) {
  SetPixel(dc, 5, 5, RGB(10, 200, 30));
  RECT r{0, 0, 10, 10};
  InvertRect(dc, &r);
  EXPECT_EQ(Px(5, 5), RGB(245, 55, 225));
  EXPECT_EQ(Px(0, 0), kBlack);
  EXPECT_EQ(Px(10, 10), kWhite);
  InvertRect(dc, &r);
  EXPECT_EQ(Px(5, 5), RGB(10, 200, 30));
  EXPECT_EQ(Px(9, 9), kWhite);
}

TEST_F(Draw, RectangleHasItsPenOutlineInsideAndBrushWithin) {
  HPEN red = CreatePen(PS_SOLID, 1, kRed);
  HBRUSH blue = CreateSolidBrush(kBlue);
  SelectObject(dc, red);
  SelectObject(dc, blue);
  EXPECT_TRUE(Rectangle(dc, 10, 10, 20, 20));
  EXPECT_EQ(Px(10, 10), kRed);
  EXPECT_EQ(Px(19, 19), kRed);
  EXPECT_EQ(Px(19, 10), kRed);
  EXPECT_EQ(Px(20, 20), kWhite);
  EXPECT_EQ(Px(11, 11), kBlue);
  EXPECT_EQ(Px(18, 18), kBlue);
  EXPECT_EQ(Count(10, 10, 20, 20, kRed), 36);
  // A null pen fills one pixel less to the right and below.
  SelectObject(dc, GetStockObject(NULL_PEN));
  Rectangle(dc, 30, 10, 40, 20);
  EXPECT_EQ(Px(30, 10), kBlue);
  EXPECT_EQ(Px(38, 18), kBlue);
  EXPECT_EQ(Px(39, 18), kWhite);
  EXPECT_EQ(Px(38, 19), kWhite);
  // A null brush leaves the inside alone.
  SelectObject(dc, red);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, 50, 10, 60, 20);
  EXPECT_EQ(Px(50, 15), kRed);
  EXPECT_EQ(Px(55, 15), kWhite);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(red);
  DeleteObject(blue);
}

TEST_F(Draw, WidePensAreWiderThanOnePixel) {
  HPEN wide = CreatePen(PS_SOLID, 3, kRed);
  SelectObject(dc, wide);
  MoveToEx(dc, 10, 20, nullptr);
  LineTo(dc, 60, 20);
  EXPECT_EQ(Px(30, 19), kRed);
  EXPECT_EQ(Px(30, 20), kRed);
  EXPECT_EQ(Px(30, 21), kRed);
  EXPECT_EQ(Px(30, 22), kWhite);
  EXPECT_EQ(Px(30, 18), kWhite);
  HPEN inside = CreatePen(PS_INSIDEFRAME, 3, kBlue);
  SelectObject(dc, inside);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, 70, 10, 90, 30);
  EXPECT_EQ(Px(70, 10), kBlue);
  EXPECT_EQ(Px(72, 20), kBlue);
  EXPECT_EQ(Px(73, 20), kWhite);
  EXPECT_EQ(Px(69, 20), kWhite);
  EXPECT_EQ(Px(89, 29), kBlue);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  DeleteObject(wide);
  DeleteObject(inside);
}

TEST_F(Draw, LinesLeaveOutTheirEndPoint) {
  HPEN red = CreatePen(PS_SOLID, 0, kRed);
  SelectObject(dc, red);
  MoveToEx(dc, 10, 5, nullptr);
  EXPECT_TRUE(LineTo(dc, 20, 5));
  EXPECT_EQ(Px(10, 5), kRed);
  EXPECT_EQ(Px(19, 5), kRed);
  EXPECT_EQ(Px(20, 5), kWhite);
  EXPECT_EQ(Count(0, 4, kWidth, 7, kRed), 10);
  POINT cp;
  GetCurrentPositionEx(dc, &cp);
  EXPECT_EQ(cp.x, 20);
  // Leftwards and upwards as well.
  MoveToEx(dc, 20, 10, nullptr);
  LineTo(dc, 10, 10);
  EXPECT_EQ(Px(20, 10), kRed);
  EXPECT_EQ(Px(11, 10), kRed);
  EXPECT_EQ(Px(10, 10), kWhite);
  MoveToEx(dc, 30, 30, nullptr);
  LineTo(dc, 30, 20);
  EXPECT_EQ(Px(30, 30), kRed);
  EXPECT_EQ(Px(30, 21), kRed);
  EXPECT_EQ(Px(30, 20), kWhite);
  // A diagonal has one pixel per step.
  MoveToEx(dc, 40, 40, nullptr);
  LineTo(dc, 50, 50);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Px(40 + i, 40 + i), kRed) << i;
  EXPECT_EQ(Px(50, 50), kWhite);
  EXPECT_EQ(Count(40, 40, 51, 51, kRed), 10);
  // A shallow line: 20 pixels, one per column.
  MoveToEx(dc, 60, 60, nullptr);
  LineTo(dc, 80, 65);
  EXPECT_EQ(Count(60, 55, 85, 70, kRed), 20);
  for (int x = 60; x < 80; ++x) EXPECT_EQ(Count(x, 55, x + 1, 70, kRed), 1) << x;
  SelectObject(dc, GetStockObject(BLACK_PEN));
  DeleteObject(red);
}

TEST_F(Draw, PolylineJoinsSegmentsAndPolygonFillsInside) {
  HPEN red = CreatePen(PS_SOLID, 1, kRed);
  HBRUSH blue = CreateSolidBrush(kBlue);
  SelectObject(dc, red);
  POINT path[] = {{10, 10}, {20, 10}, {20, 20}};
  EXPECT_TRUE(Polyline(dc, path, 3));
  EXPECT_EQ(Px(10, 10), kRed);
  EXPECT_EQ(Px(20, 10), kRed);  // the inner vertex is drawn
  EXPECT_EQ(Px(20, 19), kRed);
  EXPECT_EQ(Px(20, 20), kWhite);  // the last point is not
  EXPECT_EQ(Count(0, 0, kWidth, kHeight, kRed), 20);

  SelectObject(dc, blue);
  POINT square[] = {{40, 10}, {50, 10}, {50, 20}, {40, 20}};
  EXPECT_TRUE(Polygon(dc, square, 4));
  EXPECT_EQ(Px(40, 10), kRed);
  EXPECT_EQ(Px(50, 20), kRed);  // the outline closes through every vertex
  EXPECT_EQ(Px(45, 15), kBlue);
  EXPECT_EQ(Px(51, 15), kWhite);

  // ALTERNATE leaves the core of a self-overlapping star empty; WINDING fills it.
  POINT star[] = {{70, 40}, {76, 58}, {61, 47}, {79, 47}, {64, 58}};
  SelectObject(dc, GetStockObject(NULL_PEN));
  SetPolyFillMode(dc, ALTERNATE);
  Polygon(dc, star, 5);
  EXPECT_EQ(Px(70, 50), kWhite);
  EXPECT_EQ(Px(70, 44), kBlue);
  SetPolyFillMode(dc, WINDING);
  Polygon(dc, star, 5);
  EXPECT_EQ(Px(70, 50), kBlue);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(red);
  DeleteObject(blue);
}

TEST_F(Draw, EllipseAndRoundRectStayInsideTheirBox) {
  HPEN red = CreatePen(PS_SOLID, 1, kRed);
  HBRUSH blue = CreateSolidBrush(kBlue);
  SelectObject(dc, red);
  SelectObject(dc, blue);
  EXPECT_TRUE(Ellipse(dc, 10, 10, 41, 31));
  EXPECT_EQ(Px(25, 20), kBlue);   // centre
  EXPECT_EQ(Px(10, 10), kWhite);  // corners stay clear
  EXPECT_EQ(Px(40, 30), kWhite);
  EXPECT_EQ(Px(25, 10), kRed);    // the outline touches the box sides
  EXPECT_EQ(Px(25, 30), kRed);
  EXPECT_EQ(Px(10, 20), kRed);
  EXPECT_EQ(Px(40, 20), kRed);
  EXPECT_EQ(Count(41, 0, kWidth, kHeight, kRed) + Count(0, 31, 41, kHeight, kRed), 0);

  EXPECT_TRUE(RoundRect(dc, 60, 10, 100, 40, 10, 10));
  EXPECT_EQ(Px(60, 10), kWhite);  // rounded corner
  EXPECT_EQ(Px(80, 10), kRed);    // straight top edge
  EXPECT_EQ(Px(60, 25), kRed);
  EXPECT_EQ(Px(99, 25), kRed);
  EXPECT_EQ(Px(100, 25), kWhite);
  EXPECT_EQ(Px(80, 25), kBlue);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(red);
  DeleteObject(blue);
}

TEST_F(Draw, Rop2ModesCombinePenAndDestination) {
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0x0F, 0xF0, 0x55));
  SelectObject(dc, pen);
  SetPixel(dc, 0, 1, RGB(0xFF, 0x00, 0x0F));
  SetPixel(dc, 0, 2, RGB(0xFF, 0x00, 0x0F));
  SetPixel(dc, 0, 3, RGB(0xFF, 0x00, 0x0F));
  struct { int rop; int y; COLORREF expected; } cases[] = {
      {R2_XORPEN, 1, RGB(0xF0, 0xF0, 0x5A)},
      {R2_NOT, 2, RGB(0x00, 0xFF, 0xF0)},
      {R2_NOTXORPEN, 3, RGB(0x0F, 0x0F, 0xA5)},
      {R2_COPYPEN, 4, RGB(0x0F, 0xF0, 0x55)},
      {R2_NOP, 5, kWhite},
      {R2_BLACK, 6, kBlack},
  };
  for (auto c : cases) {
    SetROP2(dc, c.rop);
    MoveToEx(dc, 0, c.y, nullptr);
    LineTo(dc, 2, c.y);
    EXPECT_EQ(Px(0, c.y), c.expected) << c.rop;
  }
  // XOR twice restores, which is what rubber-band rectangles rely on.
  SetROP2(dc, R2_NOT);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, 20, 20, 40, 40);
  EXPECT_EQ(Px(20, 20), kBlack);
  EXPECT_EQ(Px(39, 20), kBlack);  // corners are inverted once, not twice
  Rectangle(dc, 20, 20, 40, 40);
  EXPECT_EQ(Count(20, 20, 40, 40, kWhite), 400);
  SetROP2(dc, R2_COPYPEN);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  DeleteObject(pen);
}

TEST_F(Draw, DashedAndDottedPensLeaveGaps) {
  HPEN dot = CreatePen(PS_DOT, 1, kRed);
  SelectObject(dc, dot);
  SetBkMode(dc, TRANSPARENT);
  MoveToEx(dc, 0, 10, nullptr);
  LineTo(dc, 60, 10);
  int red = Count(0, 10, 60, 11, kRed);
  EXPECT_GT(red, 20);
  EXPECT_LT(red, 40);
  EXPECT_EQ(Count(0, 10, 60, 11, kWhite), 60 - red);
  // In OPAQUE mode the gaps take the background color.
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, kGreen);
  MoveToEx(dc, 0, 20, nullptr);
  LineTo(dc, 60, 20);
  EXPECT_EQ(Count(0, 20, 60, 21, kRed) + Count(0, 20, 60, 21, kGreen), 60);
  EXPECT_GT(Count(0, 20, 60, 21, kGreen), 20);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  DeleteObject(dot);
}

TEST_F(Draw, SetPixelAndGetPixelAnswerCLR_INVALIDOutside) {
  EXPECT_EQ(SetPixel(dc, 3, 4, RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(Px(3, 4), RGB(1, 2, 3));
  EXPECT_TRUE(SetPixelV(dc, 5, 5, kRed));
  EXPECT_EQ(GetPixel(dc, -1, 0), CLR_INVALID);
  EXPECT_EQ(GetPixel(dc, kWidth, 0), CLR_INVALID);
  EXPECT_EQ(GetPixel(dc, 0, kHeight), CLR_INVALID);
  EXPECT_EQ(SetPixel(dc, kWidth, 0, kRed), CLR_INVALID);
  EXPECT_FALSE(SetPixelV(dc, -1, -1, kRed));
}

TEST_F(Draw, PatBltAppliesThePatternOperations) {
  HBRUSH red = CreateSolidBrush(kRed);
  SelectObject(dc, red);
  EXPECT_TRUE(PatBlt(dc, 0, 0, 10, 10, PATCOPY));
  EXPECT_EQ(Px(9, 9), kRed);
  EXPECT_EQ(Px(10, 9), kWhite);
  EXPECT_TRUE(PatBlt(dc, 0, 0, 10, 10, PATINVERT));
  EXPECT_EQ(Px(5, 5), kBlack);  // red ^ red
  EXPECT_TRUE(PatBlt(dc, 0, 0, 10, 10, DSTINVERT));
  EXPECT_EQ(Px(5, 5), kWhite);
  EXPECT_TRUE(PatBlt(dc, 20, 0, 5, 5, BLACKNESS));
  EXPECT_EQ(Px(24, 4), kBlack);
  EXPECT_TRUE(PatBlt(dc, 20, 0, 5, 5, WHITENESS));
  EXPECT_EQ(Px(24, 4), kWhite);
  // Negative extents reach the other way, from the start pixel on.
  EXPECT_TRUE(PatBlt(dc, 40, 10, -5, -5, PATCOPY));
  EXPECT_EQ(Px(40, 10), kRed);
  EXPECT_EQ(Px(36, 6), kRed);
  EXPECT_EQ(Px(35, 6), kWhite);
  EXPECT_EQ(Px(41, 10), kWhite);
  EXPECT_FALSE(PatBlt(dc, 0, 0, 5, 5, SRCCOPY));  // no source to copy from
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(red);
}

TEST_F(Draw, PatternAndHatchBrushesTileFromTheBrushOrigin) {
  // A 2x2 checkerboard of red and blue.
  HBITMAP tile = CreateBitmap(2, 2, 1, 32, nullptr);
  HDC tdc = CreateCompatibleDC(dc);
  HGDIOBJ oldTile = SelectObject(tdc, tile);
  SetPixel(tdc, 0, 0, kRed);
  SetPixel(tdc, 1, 1, kRed);
  SetPixel(tdc, 1, 0, kBlue);
  SetPixel(tdc, 0, 1, kBlue);
  SelectObject(tdc, oldTile);
  DeleteDC(tdc);
  HBRUSH pattern = CreatePatternBrush(tile);
  DeleteObject(tile);  // the brush keeps its own copy
  RECT r{1, 0, 9, 8};
  FillRect(dc, &r, pattern);
  EXPECT_EQ(Px(1, 0), kBlue);  // tiled from the DC origin, not from the rectangle
  EXPECT_EQ(Px(2, 0), kRed);
  EXPECT_EQ(Px(2, 1), kBlue);
  SetBrushOrgEx(dc, 1, 0, nullptr);
  FillRect(dc, &r, pattern);
  EXPECT_EQ(Px(1, 0), kRed);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  DeleteObject(pattern);

  // A monochrome pattern takes the text and background colors.
  const WORD bits[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
  HBITMAP mono = CreateBitmap(8, 8, 1, 1, bits);
  HBRUSH half = CreatePatternBrush(mono);
  DeleteObject(mono);
  SetTextColor(dc, kGreen);
  SetBkColor(dc, kRed);
  RECT q{20, 0, 28, 8};
  FillRect(dc, &q, half);
  EXPECT_EQ(Px(20, 0), kRed);    // bit 1
  EXPECT_EQ(Px(21, 0), kGreen);  // bit 0
  EXPECT_EQ(Px(20, 1), kGreen);
  DeleteObject(half);

  // Hatch lines in the brush color, the rest in the background or left alone.
  HBRUSH hatch = CreateHatchBrush(HS_HORIZONTAL, kBlue);
  RECT h{40, 0, 48, 16};
  SetBkMode(dc, TRANSPARENT);
  FillRect(dc, &h, hatch);
  EXPECT_EQ(Count(40, 0, 48, 16, kBlue), 16);
  EXPECT_EQ(Count(40, 0, 48, 16, kWhite), 112);
  SetBkMode(dc, OPAQUE);
  FillRect(dc, &h, hatch);
  EXPECT_EQ(Count(40, 0, 48, 16, kRed), 112);
  DeleteObject(hatch);
}

TEST_F(Draw, ViewportAndWindowOriginsMoveLogicalCoordinates) {
  HBRUSH red = CreateSolidBrush(kRed);
  POINT old;
  SetViewportOrgEx(dc, 30, 20, &old);
  EXPECT_EQ(old.x, 0);
  RECT r{0, 0, 2, 2};
  FillRect(dc, &r, red);
  EXPECT_EQ(GetPixel(dc, 0, 0), kRed);  // GetPixel is logical too
  SetViewportOrgEx(dc, 0, 0, nullptr);
  EXPECT_EQ(Px(30, 20), kRed);
  EXPECT_EQ(Px(29, 20), kWhite);
  OffsetViewportOrgEx(dc, 5, 5, nullptr);
  SetWindowOrgEx(dc, 10, 0, nullptr);  // logical (10, 0) is now device (5, 5)
  FillRect(dc, &r, red);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  EXPECT_EQ(Px(0, 0), kWhite);
  EXPECT_EQ(Px(5, 5), kWhite);
  RECT r2{10, 0, 12, 2};
  SetViewportOrgEx(dc, 5, 5, nullptr);
  SetWindowOrgEx(dc, 10, 0, nullptr);
  FillRect(dc, &r2, red);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  EXPECT_EQ(Px(5, 5), kRed);
  POINT p{5, 5};
  SetViewportOrgEx(dc, 5, 5, nullptr);
  DPtoLP(dc, &p, 1);
  EXPECT_EQ(p.x, 0);
  LPtoDP(dc, &p, 1);
  EXPECT_EQ(p.x, 5);
  DeleteObject(red);
}

}  // namespace

namespace {

TEST_F(Draw, ExtremeCoordinatesAreClippedNotOverflowed) {
  HBRUSH red = CreateSolidBrush(kRed);
  RECT all{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
  EXPECT_TRUE(FillRect(dc, &all, red));
  EXPECT_EQ(Count(0, 0, kWidth, kHeight, kRed), kWidth * kHeight);
  Clear(kWhite);
  SelectObject(dc, red);
  EXPECT_TRUE(Ellipse(dc, -1000000, -1000000, 1000000, 1000000));
  EXPECT_EQ(Px(kWidth / 2, kHeight / 2), kRed);
  HPEN blue = CreatePen(PS_SOLID, 1, kBlue);
  SelectObject(dc, blue);
  MoveToEx(dc, INT32_MIN, INT32_MIN, nullptr);
  EXPECT_TRUE(LineTo(dc, INT32_MAX, INT32_MAX));  // a diagonal through the bitmap
  EXPECT_EQ(Count(0, 0, kWidth, kHeight, kBlue), std::min(kWidth, kHeight));
  EXPECT_EQ(Px(40, 40), kBlue);
  HPEN green = CreatePen(PS_SOLID, 1, kGreen);
  SelectObject(dc, green);
  MoveToEx(dc, -50000000, 60, nullptr);
  LineTo(dc, 50000000, 61);
  EXPECT_EQ(Count(0, 59, kWidth, 63, kGreen), kWidth);
  SelectObject(dc, blue);
  DeleteObject(green);
  SetViewportOrgEx(dc, INT32_MAX, INT32_MIN, nullptr);
  EXPECT_TRUE(Rectangle(dc, INT32_MIN, 0, INT32_MAX, 10));
  EXPECT_TRUE(TextOut(dc, INT32_MAX, INT32_MAX, "x", 1));
  RECT text{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
  EXPECT_GT(DrawText(dc, "far away", -1, &text, DT_CENTER | DT_WORDBREAK), 0);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  HRGN huge = CreateEllipticRgn(-100000, -100000, 100000, 100000);
  EXPECT_TRUE(PtInRegion(huge, 0, 0));
  EXPECT_TRUE(PtInRegion(huge, 99990, 0));
  EXPECT_FALSE(PtInRegion(huge, 99990, 99990));
  DeleteObject(huge);
  POINT far[] = {{INT32_MIN, 0}, {INT32_MAX, 0}, {0, 1000}};
  HRGN wedge = CreatePolygonRgn(far, 3, WINDING);
  EXPECT_TRUE(PtInRegion(wedge, 0, 10));
  DeleteObject(wedge);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(blue);
  DeleteObject(red);
}

}  // namespace
