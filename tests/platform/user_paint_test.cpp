// Update regions, paint messages and clipping.
#include "user_fixture.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);

std::map<HWND, COLORREF>& Fills() {
  static std::map<HWND, COLORREF> fills;
  return fills;
}
std::map<HWND, RECT>& PaintRects() {
  static std::map<HWND, RECT> rects;
  return rects;
}

// Windows with a fill color paint their whole client area with it.
bool PaintFill(HWND h, UINT msg, WPARAM, LPARAM, LRESULT* r) {
  if (msg != WM_PAINT || !Fills().count(h)) return false;
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  PaintRects()[h] = ps.rcPaint;
  RECT c;
  GetClientRect(h, &c);
  HBRUSH b = CreateSolidBrush(Fills()[h]);
  FillRect(dc, &c, b);
  DeleteObject(b);
  EndPaint(h, &ps);
  *r = 0;
  return true;
}

}  // namespace

class PaintTest : public UserTest {
 protected:
  void SetUp() override {
    UserTest::SetUp();
    Fills().clear();
    PaintRects().clear();
    React() = PaintFill;
  }
  int PaintsOf(HWND h) { return static_cast<int>(MessagesOf(h, {WM_PAINT}).size()); }
};

TEST_F(PaintTest, ClipChildrenKeepsTheParentOffTheChild) {
  HWND parent = Child("Recorder", 0, 0, 200, 100, WS_CLIPCHILDREN, 1);
  HWND kid = Child("Recorder", 50, 20, 40, 30, 0, 2, parent);
  Fills()[parent] = kRed;
  Fills()[kid] = kBlue;
  InvalidateRect(parent, nullptr, TRUE);
  InvalidateRect(kid, nullptr, TRUE);
  nbp::test::Pump();
  EXPECT_EQ(nbp::WindowPixel(parent, 10, 10), kRed);
  EXPECT_EQ(nbp::WindowPixel(kid, 0, 0), kBlue);
  EXPECT_EQ(nbp::WindowPixel(kid, 39, 29), kBlue);
  EXPECT_EQ(nbp::WindowPixel(parent, 90, 50), kRed) << "right and bottom edges are exclusive";

  Log().clear();
  InvalidateRect(parent, nullptr, TRUE);
  nbp::test::Pump();
  EXPECT_EQ(PaintsOf(kid), 0) << "a clipped child is not invalidated with its parent";
  EXPECT_EQ(nbp::WindowPixel(kid, 5, 5), kBlue);
}

TEST_F(PaintTest, ParentWithoutClipChildrenInvalidatesItsChildren) {
  HWND parent = Child("Recorder", 0, 0, 200, 100, 0, 1);
  HWND kid = Child("Recorder", 50, 20, 40, 30, 0, 2, parent);
  Fills()[parent] = kRed;
  Fills()[kid] = kBlue;
  nbp::test::Pump();
  Log().clear();
  RECT part{60, 25, 70, 35};
  InvalidateRect(parent, &part, TRUE);
  nbp::test::Pump();
  EXPECT_EQ(PaintsOf(parent), 1);
  EXPECT_EQ(PaintsOf(kid), 1);
  RECT expected{10, 5, 20, 15};
  EXPECT_TRUE(EqualRect(&PaintRects()[kid], &expected)) << "the child's share, in its own coordinates";
  EXPECT_EQ(nbp::WindowPixel(kid, 15, 10), kBlue) << "children paint after their parent";
}

TEST_F(PaintTest, PaintIsClippedToTheUpdateRegion) {
  HWND c = Child("Recorder", 0, 0, 100, 100, 0, 1);
  Fills()[c] = kRed;
  nbp::test::Pump();
  Fills()[c] = kGreen;
  RECT part{10, 10, 20, 30};
  InvalidateRect(c, &part, FALSE);
  nbp::test::Pump();
  EXPECT_TRUE(EqualRect(&PaintRects()[c], &part));
  EXPECT_EQ(nbp::WindowPixel(c, 10, 10), kGreen);
  EXPECT_EQ(nbp::WindowPixel(c, 19, 29), kGreen);
  EXPECT_EQ(nbp::WindowPixel(c, 20, 10), kRed);
  EXPECT_EQ(nbp::WindowPixel(c, 9, 10), kRed);
}

TEST_F(PaintTest, RedrawWindowWithUpdateNowPaintsAtOnce) {
  HWND c = Child("Recorder", 0, 0, 100, 100, 0, 1);
  nbp::test::Pump();
  Fills()[c] = kBlue;
  Log().clear();
  RedrawWindow(c, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_EQ(MessagesOf(c, {WM_ERASEBKGND, WM_PAINT}), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}))
      << "erased inside BeginPaint";
  EXPECT_EQ(nbp::WindowPixel(c, 50, 50), kBlue);
  InvalidateRect(c, nullptr, TRUE);
  ValidateRect(c, nullptr);
  Log().clear();
  nbp::test::Pump();
  EXPECT_EQ(PaintsOf(c), 0);
  RECT update;
  EXPECT_FALSE(GetUpdateRect(c, &update, FALSE));
}

TEST_F(PaintTest, EraseUsesTheClassBrushUnlessTheWindowErasesItself) {
  HWND c = Child("Recorder", 0, 0, 50, 50, 0, 1);
  nbp::test::Pump();
  EXPECT_EQ(nbp::WindowPixel(c, 5, 5), GetSysColor(COLOR_WINDOW));
  bool sawErase = false;
  BOOL fErase = TRUE;
  React() = [&](HWND h, UINT msg, WPARAM, LPARAM, LRESULT* r) {
    if (h != c) return false;
    if (msg == WM_ERASEBKGND) {
      sawErase = true;
      *r = 1;
      return true;
    }
    if (msg == WM_PAINT) {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      fErase = ps.fErase;
      EndPaint(h, &ps);
      return true;
    }
    return false;
  };
  InvalidateRect(c, nullptr, TRUE);
  nbp::test::Pump();
  EXPECT_TRUE(sawErase);
  EXPECT_FALSE(fErase) << "the window erased itself";
}

TEST_F(PaintTest, SiblingsClipOnlyWithClipSiblings) {
  HWND below = Child("Recorder", 0, 0, 100, 100, WS_CLIPSIBLINGS, 1);
  HWND above = Child("Recorder", 50, 50, 100, 100, 0, 2);
  SetWindowPos(above, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  Fills()[above] = kBlue;
  Fills()[below] = kRed;
  nbp::test::Pump();
  InvalidateRect(below, nullptr, FALSE);
  UpdateWindow(below);
  EXPECT_EQ(nbp::WindowPixel(above, 10, 10), kBlue) << "the lower sibling clips itself";
  EXPECT_EQ(nbp::WindowPixel(below, 10, 10), kRed);
}

TEST_F(PaintTest, WindowRegionLimitsPaintingAndHitTesting) {
  HWND c = Child("Recorder", 0, 0, 100, 100, 0, 1);
  Fills()[c] = kGreen;
  nbp::test::Pump();
  Fills()[c] = kRed;
  EXPECT_EQ(SetWindowRgn(c, CreateRectRgn(0, 0, 50, 100), TRUE), 1);
  nbp::test::Pump();
  EXPECT_EQ(nbp::WindowPixel(c, 10, 10), kRed);
  EXPECT_NE(nbp::WindowPixel(c, 70, 10), kRed) << "outside the region nothing of the window is drawn";
  EXPECT_EQ(WindowFromPoint(POINT{100 + 70, 100 + 10}), top_);
}

TEST_F(PaintTest, ScrollWindowExMovesPixelsAndInvalidatesTheStrip) {
  HWND c = Child("Recorder", 0, 0, 100, 100, 0, 1);
  React() = [](HWND h, UINT msg, WPARAM, LPARAM, LRESULT* r) {
    if (msg != WM_PAINT) return false;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    // Ten horizontal bands, each its own color.
    for (int i = 0; i < 10; ++i) {
      RECT band{0, i * 10, 100, i * 10 + 10};
      HBRUSH b = CreateSolidBrush(RGB(i * 20, 0, 0));
      FillRect(dc, &band, b);
      DeleteObject(b);
    }
    EndPaint(h, &ps);
    *r = 0;
    return true;
  };
  nbp::test::Pump();
  React() = nullptr;  // what gets invalidated stays unpainted for the check
  RECT update{};
  int kind = ScrollWindowEx(c, 0, -20, nullptr, nullptr, nullptr, &update, SW_INVALIDATE);
  EXPECT_EQ(kind, SIMPLEREGION);
  RECT strip{0, 80, 100, 100};
  EXPECT_TRUE(EqualRect(&update, &strip));
  EXPECT_EQ(nbp::WindowPixel(c, 5, 0), RGB(40, 0, 0)) << "band 2 moved to the top";
  EXPECT_EQ(nbp::WindowPixel(c, 5, 79), RGB(180, 0, 0));
  RECT pending;
  EXPECT_TRUE(GetUpdateRect(c, &pending, FALSE));
  EXPECT_TRUE(EqualRect(&pending, &strip));
}
