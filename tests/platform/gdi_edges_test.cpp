// DrawEdge, DrawFocusRect and DrawFrameControl: which system color lands on
// which side. The 3-D colors are made distinct first (in the classic scheme
// COLOR_3DLIGHT equals COLOR_BTNFACE).
#include "gdi_fixture.h"

namespace {

constexpr COLORREF kHighlight = RGB(250, 250, 250), kLight = RGB(220, 220, 220), kFace = RGB(200, 200, 200),
                   kShadow = RGB(128, 128, 128), kDark = RGB(40, 40, 40), kWindow = RGB(255, 255, 240),
                   kFrame = RGB(10, 0, 0), kText = RGB(0, 0, 10);

class Edges : public Canvas32 {
 protected:
  void SetUp() override {
    Canvas32::SetUp();
    nbp::gdi::SetSysColorForTest(COLOR_BTNHIGHLIGHT, kHighlight);
    nbp::gdi::SetSysColorForTest(COLOR_3DLIGHT, kLight);
    nbp::gdi::SetSysColorForTest(COLOR_BTNFACE, kFace);
    nbp::gdi::SetSysColorForTest(COLOR_BTNSHADOW, kShadow);
    nbp::gdi::SetSysColorForTest(COLOR_3DDKSHADOW, kDark);
    nbp::gdi::SetSysColorForTest(COLOR_WINDOW, kWindow);
    nbp::gdi::SetSysColorForTest(COLOR_WINDOWFRAME, kFrame);
    nbp::gdi::SetSysColorForTest(COLOR_WINDOWTEXT, kText);
    nbp::gdi::SetSysColorForTest(COLOR_BTNTEXT, kText);
  }
};

struct Sides {
  COLORREF outerTop, outerLeft, outerBottom, outerRight, innerTop, innerLeft, innerBottom, innerRight;
};

// Samples the middle of each side of r, one and two pixels in.
Sides Sample(Edges* t, HDC dc, RECT r) {
  int mx = (r.left + r.right) / 2, my = (r.top + r.bottom) / 2;
  return {GetPixel(dc, mx, r.top),         GetPixel(dc, r.left, my),      GetPixel(dc, mx, r.bottom - 1),
          GetPixel(dc, r.right - 1, my),   GetPixel(dc, mx, r.top + 1),   GetPixel(dc, r.left + 1, my),
          GetPixel(dc, mx, r.bottom - 2),  GetPixel(dc, r.right - 2, my)};
}

TEST_F(Edges, EdgeStylesUseTheClassicColorsPerSide) {
  struct {
    UINT edge;
    Sides expected;
    const char* name;
  } cases[] = {
      {EDGE_RAISED, {kLight, kLight, kDark, kDark, kHighlight, kHighlight, kShadow, kShadow}, "raised"},
      {EDGE_SUNKEN, {kShadow, kShadow, kHighlight, kHighlight, kDark, kDark, kLight, kLight}, "sunken"},
      {EDGE_ETCHED, {kShadow, kShadow, kHighlight, kHighlight, kHighlight, kHighlight, kShadow, kShadow}, "etched"},
      {EDGE_BUMP, {kLight, kLight, kDark, kDark, kDark, kDark, kLight, kLight}, "bump"},
  };
  for (auto c : cases) {
    Clear(kWhite);
    RECT r{10, 10, 50, 40};
    EXPECT_TRUE(DrawEdge(dc, &r, c.edge, BF_RECT));
    Sides s = Sample(this, dc, r);
    EXPECT_EQ(s.outerTop, c.expected.outerTop) << c.name;
    EXPECT_EQ(s.outerLeft, c.expected.outerLeft) << c.name;
    EXPECT_EQ(s.outerBottom, c.expected.outerBottom) << c.name;
    EXPECT_EQ(s.outerRight, c.expected.outerRight) << c.name;
    EXPECT_EQ(s.innerTop, c.expected.innerTop) << c.name;
    EXPECT_EQ(s.innerLeft, c.expected.innerLeft) << c.name;
    EXPECT_EQ(s.innerBottom, c.expected.innerBottom) << c.name;
    EXPECT_EQ(s.innerRight, c.expected.innerRight) << c.name;
    EXPECT_EQ(Px(30, 25), kWhite) << c.name;  // no BF_MIDDLE: the inside is untouched
    EXPECT_EQ(Px(9, 9), kWhite);
    EXPECT_EQ(Px(50, 40), kWhite);
    // The bottom-right lines own the corners they share with the top-left ones.
    EXPECT_EQ(Px(49, 10), c.expected.outerRight) << c.name;
    EXPECT_EQ(Px(10, 39), c.expected.outerBottom) << c.name;
  }
}

TEST_F(Edges, FlagsChooseSidesFillAdjustAndFlatten) {
  RECT r{10, 10, 50, 40};
  DrawEdge(dc, &r, EDGE_SUNKEN, BF_TOP | BF_LEFT);
  EXPECT_EQ(Px(30, 10), kShadow);
  EXPECT_EQ(Px(10, 25), kShadow);
  EXPECT_EQ(Px(30, 39), kWhite);
  EXPECT_EQ(Px(49, 25), kWhite);
  Clear(kWhite);
  RECT adjusted = r;
  DrawEdge(dc, &adjusted, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
  EXPECT_EQ(adjusted.left, 12);
  EXPECT_EQ(adjusted.top, 12);
  EXPECT_EQ(adjusted.right, 48);
  EXPECT_EQ(adjusted.bottom, 38);
  EXPECT_EQ(Px(30, 25), kFace);
  EXPECT_EQ(Px(12, 12), kFace);
  EXPECT_EQ(Px(47, 37), kFace);
  // A single-line edge adjusts by one.
  adjusted = r;
  DrawEdge(dc, &adjusted, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  EXPECT_EQ(adjusted.left, 11);
  Clear(kWhite);
  DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_FLAT);
  EXPECT_EQ(Px(30, 10), kShadow);
  EXPECT_EQ(Px(30, 39), kShadow);
  EXPECT_EQ(Px(30, 11), kFace);
  Clear(kWhite);
  DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_MONO | BF_MIDDLE);
  EXPECT_EQ(Px(30, 10), kFrame);
  EXPECT_EQ(Px(49, 25), kFrame);
  EXPECT_EQ(Px(30, 11), kWindow);
  EXPECT_EQ(Px(30, 25), kWindow);
  // BF_SOFT swaps the top-left colors of the two lines of a raised edge.
  Clear(kWhite);
  DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_SOFT);
  EXPECT_EQ(Px(30, 10), kHighlight);
  EXPECT_EQ(Px(30, 11), kLight);
  EXPECT_FALSE(DrawEdge(dc, nullptr, EDGE_RAISED, BF_RECT));
}

TEST_F(Edges, FocusRectangleInvertsEveryOtherPixelAndUndoesItself) {
  for (int x = 0; x < 40; ++x)
    for (int y = 0; y < 30; ++y) SetPixel(dc, x, y, RGB(x * 5, y * 7, 100));
  RECT r{5, 5, 25, 20};
  ASSERT_TRUE(DrawFocusRect(dc, &r));
  int changed = 0;
  for (int x = 0; x < 40; ++x)
    for (int y = 0; y < 30; ++y) {
      bool onFrame = x >= 5 && x < 25 && y >= 5 && y < 20 && (x == 5 || x == 24 || y == 5 || y == 19);
      bool differs = Px(x, y) != RGB(x * 5, y * 7, 100);
      if (differs) {
        ++changed;
        EXPECT_TRUE(onFrame) << x << "," << y;
        EXPECT_EQ(Px(x, y), RGB(255 - x * 5, 255 - y * 7, 155));
      }
    }
  int perimeter = 2 * 20 + 2 * 13;
  EXPECT_EQ(changed, perimeter / 2);
  EXPECT_NE(Px(5, 5) == RGB(25, 35, 100), Px(6, 5) == RGB(30, 35, 100));  // alternate pixels
  DrawFocusRect(dc, &r);
  for (int x = 0; x < 40; ++x)
    for (int y = 0; y < 30; ++y) ASSERT_EQ(Px(x, y), RGB(x * 5, y * 7, 100)) << x << "," << y;
}

TEST_F(Edges, PushButtonsCheckBoxesAndRadios) {
  RECT button{0, 0, 40, 20};
  EXPECT_TRUE(DrawFrameControl(dc, &button, DFC_BUTTON, DFCS_BUTTONPUSH));
  EXPECT_EQ(Px(20, 0), kHighlight);  // a classic button: white outer top-left
  EXPECT_EQ(Px(20, 19), kDark);
  EXPECT_EQ(Px(39, 10), kDark);
  EXPECT_EQ(Px(20, 18), kShadow);
  EXPECT_EQ(Px(20, 10), kFace);
  DrawFrameControl(dc, &button, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  EXPECT_EQ(Px(20, 0), kDark);  // pushed: sunken
  EXPECT_EQ(Px(20, 19), kHighlight);
  EXPECT_EQ(Px(20, 10), kFace);

  RECT check{50, 0, 63, 13};
  DrawFrameControl(dc, &check, DFC_BUTTON, DFCS_BUTTONCHECK);
  EXPECT_EQ(Px(56, 0), kShadow);
  EXPECT_EQ(Px(56, 1), kDark);
  EXPECT_EQ(Px(56, 6), kWindow);
  EXPECT_EQ(Count(52, 2, 61, 11, kText), 0);
  DrawFrameControl(dc, &check, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
  int mark = Count(52, 2, 61, 11, kText);
  EXPECT_GE(mark, 15);
  EXPECT_LE(mark, 25);
  DrawFrameControl(dc, &check, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE);
  EXPECT_EQ(Count(52, 2, 61, 11, kText), 0);
  EXPECT_EQ(Count(52, 2, 61, 11, kShadow), mark);
  EXPECT_GT(Count(52, 2, 61, 11, kFace), 0);

  Clear(kWhite);
  RECT radio{70, 0, 82, 12};
  DrawFrameControl(dc, &radio, DFC_BUTTON, DFCS_BUTTONRADIO);
  EXPECT_EQ(Px(70, 0), kWhite);  // the corners stay outside the circle
  EXPECT_EQ(Px(81, 11), kWhite);
  EXPECT_EQ(Px(76, 6), kWindow);
  EXPECT_EQ(Px(75, 0), kShadow);  // outer ring: shadow above, highlight below
  EXPECT_EQ(Px(76, 11), kHighlight);
  DrawFrameControl(dc, &radio, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
  EXPECT_EQ(Px(76, 6), kText);
  EXPECT_EQ(Px(73, 3), kWindow);
}

TEST_F(Edges, ScrollArrowsAndMenuGlyphs) {
  RECT up{0, 0, 16, 16};
  EXPECT_TRUE(DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLUP));
  EXPECT_EQ(Px(8, 0), kLight);
  EXPECT_EQ(Px(8, 15), kDark);
  int arrow = Count(2, 2, 14, 14, kText);
  EXPECT_EQ(arrow, 16);  // a 7-wide, 4-high triangle: 1 + 3 + 5 + 7
  // The tip is above the base.
  int tipRow = -1, baseRow = -1;
  for (int y = 2; y < 14; ++y) {
    int n = Count(2, y, 14, y + 1, kText);
    if (n == 1 && tipRow < 0) tipRow = y;
    if (n == 7) baseRow = y;
  }
  EXPECT_GE(tipRow, 0);
  EXPECT_EQ(baseRow, tipRow + 3);
  DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_INACTIVE);
  EXPECT_EQ(Count(2, 2, 14, 14, kText), 0);
  EXPECT_EQ(Count(2, 2, 14, 14, kShadow), 16);
  DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLLEFT | DFCS_PUSHED);
  EXPECT_EQ(Px(8, 0), kShadow);  // pushed: a flat frame
  EXPECT_EQ(Px(8, 15), kShadow);

  RECT menu{30, 0, 46, 16};
  EXPECT_TRUE(DrawFrameControl(dc, &menu, DFC_MENU, DFCS_MENUCHECK));
  EXPECT_EQ(Count(30, 0, 46, 16, kBlack) + Count(30, 0, 46, 16, kWhite), 256);
  EXPECT_EQ(Count(30, 0, 46, 16, kBlack), 21);  // the 7x7 check mark
  EXPECT_FALSE(DrawFrameControl(dc, &menu, 99, 0));
}

}  // namespace
