#include <gtest/gtest.h>

#include <climits>

#include "mfc/geometry.h"
#include "win/rect.h"

namespace {

RECT R(int l, int t, int r, int b) { return RECT{l, t, r, b}; }

::testing::AssertionResult Is(const RECT& got, int l, int t, int r, int b) {
  if (got.left == l && got.top == t && got.right == r && got.bottom == b) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got (" << got.left << "," << got.top << "," << got.right << ","
                                       << got.bottom << ") want (" << l << "," << t << "," << r << "," << b << ")";
}

TEST(RectFunctions, PtInRectExcludesRightAndBottomEdges) {
  RECT rc = R(10, 20, 30, 40);
  struct { int x, y; BOOL in; } cases[] = {
      {10, 20, TRUE}, {29, 39, TRUE}, {30, 39, FALSE}, {29, 40, FALSE}, {9, 25, FALSE}, {15, 19, FALSE},
  };
  for (auto c : cases) EXPECT_EQ(PtInRect(&rc, POINT{c.x, c.y}), c.in) << c.x << "," << c.y;
  EXPECT_FALSE(PtInRect(nullptr, POINT{0, 0}));
}

TEST(RectFunctions, IntersectRect) {
  RECT out = R(1, 2, 3, 4);
  RECT a = R(0, 0, 10, 10), b = R(5, 5, 15, 15);
  EXPECT_TRUE(IntersectRect(&out, &a, &b));
  EXPECT_TRUE(Is(out, 5, 5, 10, 10));

  // Touching edges share no pixel: the result is emptied to all zeros.
  RECT c = R(10, 0, 20, 10);
  out = R(1, 2, 3, 4);
  EXPECT_FALSE(IntersectRect(&out, &a, &c));
  EXPECT_TRUE(Is(out, 0, 0, 0, 0));

  // An empty source gives no intersection even when it lies inside.
  RECT flat = R(2, 2, 8, 2);
  out = R(1, 2, 3, 4);
  EXPECT_FALSE(IntersectRect(&out, &a, &flat));
  EXPECT_TRUE(Is(out, 0, 0, 0, 0));

  // The destination may be one of the sources.
  EXPECT_TRUE(IntersectRect(&a, &a, &b));
  EXPECT_TRUE(Is(a, 5, 5, 10, 10));

  EXPECT_FALSE(IntersectRect(nullptr, &a, &b));
  EXPECT_FALSE(IntersectRect(&out, nullptr, &b));
}

TEST(RectFunctions, UnionRectIgnoresEmptySources) {
  RECT out;
  RECT a = R(0, 0, 10, 10), b = R(20, 5, 30, 30), empty = R(100, 100, 50, 200);
  EXPECT_TRUE(UnionRect(&out, &a, &b));
  EXPECT_TRUE(Is(out, 0, 0, 30, 30));
  EXPECT_TRUE(UnionRect(&out, &empty, &b));
  EXPECT_TRUE(Is(out, 20, 5, 30, 30));
  EXPECT_FALSE(UnionRect(&out, &empty, &empty));
  EXPECT_TRUE(Is(out, 0, 0, 0, 0));
}

TEST(RectFunctions, SubtractRectOnlyWhenASideIsCoveredCompletely) {
  RECT src = R(0, 0, 100, 50);
  struct { RECT cut; BOOL ok; RECT want; } cases[] = {
      {R(-5, -5, 40, 60), TRUE, R(40, 0, 100, 50)},    // left part, full height
      {R(60, 0, 120, 50), TRUE, R(0, 0, 60, 50)},      // right part
      {R(-1, -1, 101, 20), TRUE, R(0, 20, 100, 50)},   // top strip, full width
      {R(0, 30, 100, 50), TRUE, R(0, 0, 100, 30)},     // bottom strip
      {R(10, 10, 20, 20), TRUE, R(0, 0, 100, 50)},     // a hole: unchanged
      {R(0, 0, 40, 49), TRUE, R(0, 0, 100, 50)},       // not the full height: unchanged
      {R(200, 200, 300, 300), TRUE, R(0, 0, 100, 50)}, // apart: unchanged
      {R(-10, -10, 110, 60), FALSE, R(0, 0, 0, 0)},    // covered: nothing left
  };
  for (const auto& c : cases) {
    RECT out;
    EXPECT_EQ(SubtractRect(&out, &src, &c.cut), c.ok);
    EXPECT_TRUE(Is(out, c.want.left, c.want.top, c.want.right, c.want.bottom))
        << "cut " << c.cut.left << "," << c.cut.top << "," << c.cut.right << "," << c.cut.bottom;
  }
}

TEST(RectFunctions, EmptinessEqualityAndNullPointers) {
  RECT a = R(0, 0, 0, 10), b = R(5, 5, 5, 5), c = R(0, 0, 1, 1);
  EXPECT_TRUE(IsRectEmpty(&a));
  EXPECT_TRUE(IsRectEmpty(&b));
  EXPECT_FALSE(IsRectEmpty(&c));
  RECT inverted = R(10, 10, 0, 0);
  EXPECT_TRUE(IsRectEmpty(&inverted));
  EXPECT_TRUE(IsRectEmpty(nullptr));
  // Two empty rectangles are only equal when their coordinates are.
  EXPECT_FALSE(EqualRect(&a, &b));
  EXPECT_TRUE(EqualRect(&c, &c));
  EXPECT_FALSE(EqualRect(&c, nullptr));
  EXPECT_FALSE(SetRect(nullptr, 1, 2, 3, 4));
  EXPECT_FALSE(InflateRect(nullptr, 1, 1));
  EXPECT_FALSE(OffsetRect(nullptr, 1, 1));
  EXPECT_FALSE(CopyRect(&c, nullptr));
}

TEST(RectFunctions, InflateAndOffsetWrapInsteadOfOverflowing) {
  RECT rc = R(0, 0, INT_MAX, 10);
  EXPECT_TRUE(InflateRect(&rc, 1, -2));
  EXPECT_TRUE(Is(rc, -1, 2, INT_MIN, 8));
  EXPECT_TRUE(OffsetRect(&rc, 1, 1));
  EXPECT_TRUE(Is(rc, 0, 3, INT_MIN + 1, 9));
}

TEST(CRectTest, SizesCornersAndCenter) {
  CRect rc(10, 20, 50, 60);
  EXPECT_EQ(rc.Width(), 40);
  EXPECT_EQ(rc.Height(), 40);
  EXPECT_EQ(rc.Size(), CSize(40, 40));
  EXPECT_EQ(rc.CenterPoint(), CPoint(30, 40));
  EXPECT_EQ(CRect(0, 0, 5, 5).CenterPoint(), CPoint(2, 2));
  // The corners alias the rectangle: writing one moves the edges.
  rc.TopLeft() = CPoint(0, 0);
  rc.BottomRight().x = 5;
  EXPECT_TRUE(Is(rc, 0, 0, 5, 60));
  EXPECT_TRUE(Is(CRect(CPoint(1, 2), CSize(3, 4)), 1, 2, 4, 6));
  EXPECT_TRUE(Is(CRect(CPoint(1, 2), CPoint(3, 4)), 1, 2, 3, 4));
  EXPECT_TRUE(CRect().IsRectNull());
  EXPECT_FALSE(CRect(1, 1, 1, 1).IsRectNull());
  EXPECT_TRUE(CRect(1, 1, 1, 1).IsRectEmpty());
  EXPECT_TRUE(Is(CRect(static_cast<const RECT*>(nullptr)), 0, 0, 0, 0));
}

TEST(CRectTest, InflateAndDeflateOverloads) {
  struct Case {
    const char* what;
    void (*op)(CRect&);
    RECT want;
  } cases[] = {
      {"Inflate(x,y)", [](CRect& r) { r.InflateRect(2, 3); }, R(8, 17, 52, 63)},
      {"Inflate(SIZE)", [](CRect& r) { r.InflateRect(CSize(2, 3)); }, R(8, 17, 52, 63)},
      {"Inflate(l,t,r,b)", [](CRect& r) { r.InflateRect(1, 2, 3, 4); }, R(9, 18, 53, 64)},
      {"Inflate(LPCRECT)", [](CRect& r) { CRect d(1, 2, 3, 4); r.InflateRect(&d); }, R(9, 18, 53, 64)},
      {"Deflate(x,y)", [](CRect& r) { r.DeflateRect(2, 3); }, R(12, 23, 48, 57)},
      {"Deflate(SIZE)", [](CRect& r) { r.DeflateRect(CSize(2, 3)); }, R(12, 23, 48, 57)},
      {"Deflate(l,t,r,b)", [](CRect& r) { r.DeflateRect(1, 2, 3, 4); }, R(11, 22, 47, 56)},
      {"Deflate(LPCRECT)", [](CRect& r) { CRect d(1, 2, 3, 4); r.DeflateRect(&d); }, R(11, 22, 47, 56)},
      {"+= LPCRECT", [](CRect& r) { CRect d(1, 2, 3, 4); r += &d; }, R(9, 18, 53, 64)},
      {"-= LPCRECT", [](CRect& r) { CRect d(1, 2, 3, 4); r -= &d; }, R(11, 22, 47, 56)},
      {"+ CRect", [](CRect& r) { r = r + CRect(1, 2, 3, 4); }, R(9, 18, 53, 64)},
      {"- CRect", [](CRect& r) { r = r - CRect(1, 2, 3, 4); }, R(11, 22, 47, 56)},
      {"Deflate past centre", [](CRect& r) { r.DeflateRect(30, 0); }, R(40, 20, 20, 60)},
  };
  for (const auto& c : cases) {
    CRect rc(10, 20, 50, 60);
    c.op(rc);
    EXPECT_TRUE(Is(rc, c.want.left, c.want.top, c.want.right, c.want.bottom)) << c.what;
  }
}

TEST(CRectTest, NormalizeRectSwapsInvertedEdges) {
  CRect rc(50, 60, 10, 20);
  EXPECT_TRUE(rc.IsRectEmpty());
  rc.NormalizeRect();
  EXPECT_TRUE(Is(rc, 10, 20, 50, 60));
  CRect half(10, 60, 50, 20);
  half.NormalizeRect();
  EXPECT_TRUE(Is(half, 10, 20, 50, 60));
}

TEST(CRectTest, OffsetAndOperators) {
  CRect rc(0, 0, 10, 10);
  EXPECT_TRUE(Is(rc + CPoint(5, 6), 5, 6, 15, 16));
  EXPECT_TRUE(Is(rc - CSize(5, 6), -5, -6, 5, 4));
  rc += CPoint(1, 1);
  rc -= CSize(2, 0);
  EXPECT_TRUE(Is(rc, -1, 1, 9, 11));
  rc.OffsetRect(CSize(1, -1));
  EXPECT_TRUE(rc == CRect(0, 0, 10, 10));
  EXPECT_TRUE(rc != CRect(0, 0, 10, 11));

  CRect other(5, 5, 20, 20);
  EXPECT_TRUE(Is(rc & other, 5, 5, 10, 10));
  EXPECT_TRUE(Is(rc | other, 0, 0, 20, 20));
  EXPECT_TRUE(Is(rc & CRect(10, 0, 20, 10), 0, 0, 0, 0));
  CRect x = rc;
  x &= CRect(30, 30, 40, 40);
  EXPECT_TRUE(x.IsRectNull());
  x = rc;
  x |= CRect();
  EXPECT_TRUE(x == rc);

  CRect diff;
  EXPECT_TRUE(diff.SubtractRect(rc, CRect(0, 0, 4, 10)));
  EXPECT_TRUE(Is(diff, 4, 0, 10, 10));
  CRect inter;
  EXPECT_FALSE(inter.IntersectRect(rc, CRect(20, 20, 30, 30)));
  EXPECT_TRUE(inter.IsRectNull());
  // The rectangle passes as LPRECT to the window-system functions.
  EXPECT_TRUE(::InflateRect(rc, 1, 1));
  EXPECT_TRUE(Is(rc, -1, -1, 11, 11));
}

TEST(CPointSizeTest, Arithmetic) {
  CPoint p(3, 4);
  EXPECT_EQ(p + CSize(1, 1), CPoint(4, 5));
  EXPECT_EQ(p - CPoint(1, 1), CSize(2, 3));  // the distance between points is a size
  EXPECT_EQ(p - CSize(1, 1), CPoint(2, 3));
  EXPECT_EQ(-p, CPoint(-3, -4));
  p += CPoint(1, 1);
  p -= CSize(0, 2);
  EXPECT_EQ(p, CPoint(4, 3));
  p.Offset(-4, -3);
  EXPECT_EQ(p, CPoint(0, 0));
  // Packed coordinates as in mouse messages, with negative values.
  EXPECT_EQ(CPoint(static_cast<DWORD>(MAKELONG(-5, 7))), CPoint(-5, 7));
  EXPECT_EQ(CSize(static_cast<DWORD>(MAKELONG(10, -1))), CSize(10, -1));
  CSize s(2, 3);
  EXPECT_EQ(s + CSize(1, 1), CSize(3, 4));
  EXPECT_EQ(-s, CSize(-2, -3));
  EXPECT_EQ(s + CPoint(10, 10), CPoint(12, 13));
  EXPECT_TRUE(Is(CPoint(1, 1) + static_cast<LPCRECT>(CRect(0, 0, 2, 2)), 1, 1, 3, 3));
}

}  // namespace
