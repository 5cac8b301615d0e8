// The theme's painters, checked pixel by pixel in a memory DC.
#include <gtest/gtest.h>

#include <vector>

#include "NbThemes/nbthemes.h"
#include "mfc/dc.h"
#include "mfc/gdiobj.h"

// fontconfig keeps its font patterns for the life of the process in storage
// the leak checker cannot follow; those are not the theme's leaks.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

class ThemePaint : public ::testing::Test {
 protected:
  static constexpr int kWidth = 160, kHeight = 100;

  void SetUp() override {
    ASSERT_TRUE(dc_.CreateCompatibleDC(nullptr));
    ASSERT_TRUE(surface_.CreateBitmap(kWidth, kHeight, 1, 32, nullptr));
    old_ = dc_.SelectObject(&surface_);
    dc_.FillSolidRect(0, 0, kWidth, kHeight, kWhite);
  }
  void TearDown() override { dc_.SelectObject(old_); }

  COLORREF Px(int x, int y) { return dc_.GetPixel(x, y); }
  int Count(const CRect& r, COLORREF c) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += Px(x, y) == c;
    return n;
  }
  // Text is smoothed: its pixels are shades between the ink and the paper.
  int CountInked(const CRect& r, COLORREF paper = RGB(255, 255, 255)) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += Px(x, y) != paper;
    return n;
  }
  int CountDark(const CRect& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        COLORREF c = Px(x, y);
        n += GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100;
      }
    return n;
  }
  NBTHEMEITEMINFO Info(int item) {
    NBTHEMEITEMINFO info{};
    EXPECT_EQ(NbThemeGetItemInfo(item, &info), 0);
    return info;
  }
  // A small bitmap from rows of colors.
  void MakeBitmap(CBitmap& bitmap, int w, int h, COLORREF (*color)(int x, int y)) {
    ASSERT_TRUE(bitmap.CreateBitmap(w, h, 1, 32, nullptr));
    CDC mem;
    mem.CreateCompatibleDC(&dc_);
    CBitmap* old = mem.SelectObject(&bitmap);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) mem.SetPixelV(x, y, color(x, y));
    mem.SelectObject(old);
  }

  CDC dc_;
  CBitmap surface_;
  CBitmap* old_ = nullptr;
};

TEST_F(ThemePaint, FillItemPaintsThePlainBackgroundExactlyOverTheRectangle) {
  dc_.SetBkColor(RGB(1, 2, 3));
  CRect r(10, 10, 50, 30);
  EXPECT_NE(NbThemeFillItem(&dc_, r, 36, 0), 0);
  COLORREF body = Info(36).crColor1;
  EXPECT_EQ(Count(r, body), r.Width() * r.Height());
  EXPECT_EQ(Px(9, 10), kWhite);
  EXPECT_EQ(Px(50, 29), kWhite);
  EXPECT_EQ(Px(10, 30), kWhite);
  EXPECT_EQ(dc_.GetBkColor(), RGB(1, 2, 3)) << "the painter left the DC's background color changed";
}

TEST_F(ThemePaint, AGradientItemRunsFromItsFirstColorAtTheLeftToItsSecondAtTheRight) {
  CRect r(0, 0, 101, 20);
  ASSERT_NE(NbThemeFillItem(&dc_, r, 35, 0), 0);
  NBTHEMEITEMINFO header = Info(35);
  for (int y : {0, 10, 19}) {
    EXPECT_EQ(Px(0, y), header.crColor1);
    EXPECT_EQ(Px(100, y), header.crColor2);
    EXPECT_EQ(Px(50, y), NbThemeBlendColor(header.crColor1, header.crColor2, 100, 50));
  }
  EXPECT_EQ(Px(101, 5), kWhite);
}

TEST_F(ThemePaint, GradientModes) {
  COLORREF from = RGB(0, 0, 0), to = RGB(200, 100, 50);
  NbThemeFillGradient(&dc_, CRect(0, 0, 10, 11), from, to, NB_THEME_GRADIENT_VERTICAL);
  EXPECT_EQ(Px(5, 0), from);
  EXPECT_EQ(Px(5, 10), to);
  EXPECT_EQ(Px(0, 5), Px(9, 5)) << "a vertical gradient is the same across a row";

  NbThemeFillGradient(&dc_, CRect(20, 0, 31, 10), from, to, NB_THEME_GRADIENT_SHEEN);
  EXPECT_EQ(Px(20, 9), from);
  EXPECT_EQ(Px(30, 9), to);
  EXPECT_EQ(Px(20, 0), NbThemeShadeColor(from, 24)) << "the upper half is lighter";

  NbThemeFillGradient(&dc_, CRect(40, 0, 50, 10), from, to, 99);
  EXPECT_EQ(Count(CRect(40, 0, 50, 10), from), 100) << "an unknown mode fills with the first color";

  NbThemeFillGradient(&dc_, CRect(60, 0, 61, 10), from, to, NB_THEME_GRADIENT_HORIZONTAL);
  EXPECT_EQ(Px(60, 3), from) << "a single column takes the start color";
  NbThemeFillGradient(&dc_, CRect(70, 5, 60, 0), from, to, NB_THEME_GRADIENT_HORIZONTAL);  // empty
  EXPECT_EQ(Px(65, 2), kWhite);
}

TEST_F(ThemePaint, AClippedGradientKeepsTheColorsOfTheWholeRectangle) {
  COLORREF from = RGB(0, 0, 0), to = RGB(200, 100, 50);
  struct Case {
    int mode;
    CRect clip;
    CPoint probe;  // steps along the gradient from here
    CSize step;
  };
  for (const Case& c : {Case{NB_THEME_GRADIENT_HORIZONTAL, CRect(50, 0, 90, kHeight), CPoint(0, 10), CSize(1, 0)},
                        Case{NB_THEME_GRADIENT_SHEEN, CRect(100, 0, 130, kHeight), CPoint(0, 2), CSize(1, 0)},
                        Case{NB_THEME_GRADIENT_VERTICAL, CRect(0, 30, kWidth, 45), CPoint(70, 0), CSize(0, 1)}}) {
    CRect whole(0, 0, kWidth, kHeight);
    NbThemeFillGradient(&dc_, whole, from, to, c.mode);
    std::vector<COLORREF> full;
    for (CPoint p = c.probe; whole.PtInRect(p); p += c.step) full.push_back(Px(p.x, p.y));

    dc_.FillSolidRect(whole, kWhite);
    dc_.IntersectClipRect(c.clip);
    NbThemeFillGradient(&dc_, whole, from, to, c.mode);
    dc_.SelectClipRgn(nullptr);
    int i = 0;
    for (CPoint p = c.probe; whole.PtInRect(p); p += c.step, ++i) {
      if (c.clip.PtInRect(p))
        EXPECT_EQ(Px(p.x, p.y), full[i]) << "mode " << c.mode << " at " << p.x << "," << p.y;
      else
        EXPECT_EQ(Px(p.x, p.y), kWhite) << "mode " << c.mode << " painted outside the clip at " << p.x << "," << p.y;
    }
    dc_.FillSolidRect(whole, kWhite);
  }
}

TEST_F(ThemePaint, TheAlternativeBackgroundIsALighterHatchedShade) {
  CRect r(0, 0, 40, 40);
  ASSERT_NE(NbThemeFillItemAlt(&dc_, r, 38, 0), 0);
  COLORREF base = Info(38).crColor1, light = NbThemeShadeColor(base, 48);
  int lit = Count(r, light), hatched = Count(r, base);
  EXPECT_GT(lit, hatched) << "mostly the lighter shade";
  EXPECT_GT(hatched, 0) << "crossed by the hatch";
  EXPECT_EQ(lit + hatched, 1600) << "nothing else in between";
}

TEST_F(ThemePaint, UnknownItemsAndMissingArgumentsPaintNothing) {
  CRect r(0, 0, 30, 30);
  EXPECT_EQ(NbThemeFillItem(&dc_, r, 12345, 0), 0);
  EXPECT_EQ(NbThemeFillItemAlt(&dc_, r, -1, 0), 0);
  EXPECT_EQ(NbThemeDrawFocus(&dc_, r, 777), 0);
  EXPECT_EQ(NbThemeDrawItemText(&dc_, "text", r, 777, 0, DT_LEFT), 0);
  EXPECT_EQ(NbThemeDrawMenuText(&dc_, "text", r, 777, 0, DT_LEFT), 0);
  EXPECT_EQ(Count(r, kWhite), 900);
  EXPECT_EQ(NbThemeFillItem(nullptr, r, 35, 0), 0);
  EXPECT_EQ(NbThemeFillItem(&dc_, nullptr, 35, 0), 0);
  EXPECT_EQ(NbThemeDrawItemText(&dc_, nullptr, r, 23, 0, DT_LEFT), 0);
  NbThemeFillGradient(nullptr, r, 0, 0, 2);
  NbThemeDrawSeparator(nullptr, r, 0, 0);
  NbThemeFillTriangle({0, 0}, {5, 5}, {0, 5}, nullptr, 0);
  EXPECT_FALSE(NbThemeDrawLine(nullptr, 0, 0, 5, 5));
  EXPECT_FALSE(NbThemeDrawTransparentBitmap(&dc_, nullptr, 0, 0, kRed));
  EXPECT_FALSE(NbThemeDrawBitmapInRect(&dc_, nullptr, r, 0));
  EXPECT_FALSE(NBDrawPartialBitmap(nullptr, NbThemeGetPatternBitmap(), r, 0, 0));
  CBitmap empty;  // no handle
  EXPECT_FALSE(NbThemeDrawTransparentBitmap(&dc_, &empty, 0, 0, kRed));
}

TEST_F(ThemePaint, LinesUseTheSelectedPenAndLeaveOutTheirEnd) {
  CPen pen(PS_SOLID, 1, kBlue);
  CPen* old = dc_.SelectObject(&pen);
  EXPECT_TRUE(NbThemeDrawLine(&dc_, 5, 7, 25, 7));
  dc_.SelectObject(old);
  EXPECT_EQ(Px(5, 7), kBlue);
  EXPECT_EQ(Px(24, 7), kBlue);
  EXPECT_EQ(Px(25, 7), kWhite);
  EXPECT_EQ(Px(15, 6), kWhite);
  EXPECT_EQ(dc_.GetCurrentPosition(), CPoint(25, 7));
}

TEST_F(ThemePaint, ItemTextIsDrawnInTheItemsTextColor) {
  dc_.SetTextColor(kGreen);
  dc_.SetBkMode(TRANSPARENT);
  CFont* oldFont = dc_.SelectObject(NbThemeGetFont());
  CRect r(0, 0, 100, 20);
  EXPECT_GT(NbThemeDrawItemText(&dc_, "Mmmm", r, 23, 0, DT_LEFT | DT_SINGLELINE | DT_VCENTER), 0);
  EXPECT_GT(CountDark(r), 10) << "the item's text color is near black";
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      ASSERT_FALSE(GetGValue(Px(x, y)) > GetRValue(Px(x, y)) + 40) << "green text at " << x << "," << y;
  EXPECT_EQ(dc_.GetTextColor(), kGreen) << "the DC's text color is restored";
  dc_.SelectObject(oldFont);
}

TEST_F(ThemePaint, AMenuLabelShowsADownPointingMarkAfterItsText) {
  dc_.SetBkMode(TRANSPARENT);
  CFont* oldFont = dc_.SelectObject(NbThemeGetFont());
  const char* label = "Home";
  int textWidth = dc_.GetTextExtent(label, 4).cx;
  COLORREF ink = Info(23).crText;

  CRect left(10, 0, 140, 21);  // middle row 10
  EXPECT_GT(NbThemeDrawMenuText(&dc_, label, left, 23, 0, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX), 0);
  int x = 10 + textWidth + 3;
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Px(x + i, 9), ink) << "top row of the mark, pixel " << i;
  EXPECT_EQ(Px(x + 1, 10), ink);
  EXPECT_EQ(Px(x + 3, 10), ink);
  EXPECT_EQ(Px(x, 10), kWhite);
  EXPECT_EQ(Px(x + 2, 11), ink);
  EXPECT_EQ(Px(x + 1, 11), kWhite);
  EXPECT_EQ(Px(x + 5, 9), kWhite);
  EXPECT_EQ(CountInked(CRect(x + 6, 0, 140, 21)), 0) << "nothing after the mark";
  EXPECT_GT(CountDark(CRect(10, 0, x - 2, 21)), 10) << "the text before it";

  // Right-aligned, the text moves left so that the mark fits in the rectangle.
  CRect right(10, 40, 140, 61);
  NbThemeDrawMenuText(&dc_, label, right, 23, 0, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Px(135 + i, 49), ink) << i;
  EXPECT_EQ(CountInked(CRect(140, 40, kWidth, 61)), 0);
  EXPECT_EQ(CountInked(CRect(10, 40, 140 - 8 - textWidth, 61)), 0);
  EXPECT_GT(CountDark(CRect(140 - 8 - textWidth, 40, 132, 61)), 10) << "the text sits just before the mark";
  dc_.SelectObject(oldFont);
}

TEST_F(ThemePaint, TheFocusMarkIsADottedFrameInTheItemsColorAndTheBackgroundColor) {
  dc_.FillSolidRect(0, 0, kWidth, kHeight, kGreen);
  dc_.SetBkColor(kWhite);
  CRect r(10, 10, 30, 20);
  ASSERT_NE(NbThemeDrawFocus(&dc_, r, 39), 0);
  COLORREF mark = Info(39).crText;
  // Along the top edge the two colors alternate.
  for (int x = 10; x < 29; ++x) {
    EXPECT_TRUE(Px(x, 10) == mark || Px(x, 10) == kWhite) << x;
    EXPECT_NE(Px(x, 10), Px(x + 1, 10)) << x;
  }
  EXPECT_TRUE(Px(10, 15) == mark || Px(10, 15) == kWhite);
  EXPECT_TRUE(Px(29, 15) == mark || Px(29, 15) == kWhite);
  EXPECT_EQ(Count(CRect(11, 11, 29, 19), kGreen), 18 * 8) << "the inside is left alone";
  EXPECT_EQ(Px(30, 15), kGreen);
  EXPECT_EQ(Px(15, 20), kGreen);
}

TEST_F(ThemePaint, TheSeparatorIsStrongestInTheMiddleAndFadesToTheEnds) {
  COLORREF edge = RGB(58, 110, 170), line = RGB(255, 255, 255);
  dc_.FillSolidRect(0, 0, kWidth, kHeight, kGreen);
  NbThemeDrawSeparator(&dc_, CRect(20, 10, 21, 31), edge, line);
  EXPECT_EQ(Px(20, 10), edge);
  EXPECT_EQ(Px(20, 30), edge);
  EXPECT_EQ(Px(20, 20), line);
  EXPECT_EQ(Px(20, 15), NbThemeBlendColor(line, edge, 20, 10));
  EXPECT_EQ(Px(19, 20), kGreen);
  EXPECT_EQ(Px(21, 20), kGreen);
  EXPECT_EQ(Px(20, 9), kGreen);
  EXPECT_EQ(Px(20, 31), kGreen);
}

TEST_F(ThemePaint, TheTriangleIsFilledWithItsEdges) {
  NbThemeFillTriangle({10, 10}, {30, 10}, {20, 20}, &dc_, kBlue);
  EXPECT_EQ(Px(20, 13), kBlue);
  EXPECT_EQ(Px(10, 10), kBlue);
  EXPECT_EQ(Px(30, 10), kBlue);
  EXPECT_EQ(Px(20, 20), kBlue);
  EXPECT_EQ(Px(11, 18), kWhite);
  EXPECT_EQ(Px(20, 9), kWhite);
  EXPECT_EQ(Px(20, 21), kWhite);
}

COLORREF RedFramedBlue(int x, int y) { return x == 0 || y == 0 || x == 3 || y == 3 ? kRed : kBlue; }

TEST_F(ThemePaint, TransparentBitmapsLeaveTheTransparentColorOut) {
  CBitmap bitmap;
  MakeBitmap(bitmap, 4, 4, RedFramedBlue);
  dc_.FillSolidRect(0, 0, kWidth, kHeight, kGreen);
  EXPECT_TRUE(NbThemeDrawTransparentBitmap(&dc_, &bitmap, 10, 20, kRed));
  EXPECT_EQ(Px(10, 20), kGreen);
  EXPECT_EQ(Px(13, 23), kGreen);
  EXPECT_EQ(Px(11, 21), kBlue);
  EXPECT_EQ(Px(12, 22), kBlue);
  EXPECT_EQ(Count(CRect(0, 0, kWidth, kHeight), kRed), 0);
  // Another transparent color leaves the red in.
  EXPECT_TRUE(NbThemeDrawTransparentBitmap(&dc_, &bitmap, 30, 20, kBlue));
  EXPECT_EQ(Px(30, 20), kRed);
  EXPECT_EQ(Px(31, 21), kGreen);
}

TEST_F(ThemePaint, ABitmapInARectangleIsCentredAndScaledDownWhenLarger) {
  dc_.FillSolidRect(0, 0, kWidth, kHeight, kGreen);
  CBitmap small;
  MakeBitmap(small, 4, 4, RedFramedBlue);
  ASSERT_TRUE(NbThemeDrawBitmapInRect(&dc_, &small, CRect(0, 0, 20, 20), 0));
  EXPECT_EQ(Count(CRect(0, 0, 20, 20), kBlue), 4);
  EXPECT_EQ(Px(9, 9), kBlue);
  EXPECT_EQ(Px(10, 10), kBlue);
  EXPECT_EQ(Px(8, 8), kGreen) << "pure red is left out";

  CBitmap wide;
  MakeBitmap(wide, 40, 20, [](int, int) { return kBlue; });
  ASSERT_TRUE(NbThemeDrawBitmapInRect(&dc_, &wide, CRect(50, 0, 70, 20), 0));
  EXPECT_EQ(Count(CRect(50, 0, 70, 20), kBlue), 20 * 10) << "scaled to 20 x 10";
  EXPECT_EQ(Px(60, 4), kGreen);
  EXPECT_EQ(Px(60, 5), kBlue);
  EXPECT_EQ(Px(60, 14), kBlue);
  EXPECT_EQ(Px(60, 15), kGreen);
  EXPECT_EQ(Px(70, 10), kGreen);
}

TEST_F(ThemePaint, APartialBitmapCopiesFromItsOffsetAndStopsAtItsEdge) {
  CBitmap stripes;
  MakeBitmap(stripes, 6, 3, [](int x, int) { return x < 3 ? kRed : kBlue; });
  ASSERT_TRUE(NBDrawPartialBitmap(&dc_, &stripes, CRect(10, 10, 30, 30), 2, 1));
  EXPECT_EQ(Px(10, 10), kRed);  // column 2
  EXPECT_EQ(Px(11, 10), kBlue);
  EXPECT_EQ(Px(13, 11), kBlue);  // column 5, row 2
  EXPECT_EQ(Px(14, 10), kWhite) << "nothing beyond the bitmap's right edge";
  EXPECT_EQ(Px(10, 12), kWhite) << "nor below its last row";
  EXPECT_FALSE(NBDrawPartialBitmap(&dc_, &stripes, CRect(10, 10, 30, 30), 6, 0));
  EXPECT_FALSE(NBDrawPartialBitmap(&dc_, &stripes, CRect(10, 10, 30, 30), -1, 0));
}

}  // namespace
