// Selection, check boxes, keys, wheel and the resize drag, driven as a user
// would, with the exact callback sequences the host sees.
#include "card_fixture.h"

#include "nbp/headless.h"
#include "win/resources.h"

using nbp::test::Click;
using nbp::test::kCtrl;
using nbp::test::kNoMods;
using nbp::test::kShift;
using nbp::test::PressKey;
using Events = std::vector<std::string>;

namespace {

// A click with a modifier key held, far enough in time from the next one
// not to make a double click with it.
void ClickWith(HWND hwnd, CPoint pt, UINT modifierKey) {
  nbp::test::KeyDown(modifierKey);
  Click(hwnd, pt);
  nbp::test::KeyUp(modifierKey);
  nbp::test::AdvanceClock(1000);
}

// The cursor the application's resources give for a resource id.
HCURSOR AppCursor(UINT id) {
  return LoadCursor(AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_CURSOR), MAKEINTRESOURCE(id));
}

}  // namespace

class CardInputTest : public CardViewTest {
 protected:
  // 4 columns (client about 880 wide), 2 rows shown.
  void MakeGrid(int cards, int flags = 0) {
    MakeView(900, 400, cards, flags);
    ASSERT_EQ(view_.GetColumnCount(), 4);
    view_.SetFocus();
    nbp::test::Pump();
    view_.events.clear();
  }
  void SelectOnly(std::initializer_list<int> cards) {
    view_.SelectAllCards(FALSE, FALSE);
    for (int i : cards) view_.SelectCard(i, TRUE, FALSE);
    view_.events.clear();
  }
};

TEST_F(CardInputTest, PlainClickOnAnUnselectedCardSelectsOnlyIt) {
  MakeGrid(8);
  SelectOnly({1, 2, 6});
  Click(Hwnd(), Centre(4));
  EXPECT_EQ(view_.events, (Events{"sel 1 0", "sel 2 0", "sel 6 0", "sel 4 1"}));
  EXPECT_EQ(Selected(), std::vector<int>{4});
  EXPECT_EQ(view_.GetFocusCardIndex(), 4);
}

TEST_F(CardInputTest, PlainClickInAMultipleSelectionDecidesOnRelease) {
  MakeGrid(8);
  SelectOnly({1, 2, 6});
  nbp::test::Press(Hwnd(), Centre(2));
  EXPECT_TRUE(view_.events.empty());
  nbp::test::Release(Hwnd(), Centre(2));
  EXPECT_EQ(view_.events, (Events{"sel 1 0", "sel 6 0"}));
  EXPECT_EQ(Selected(), std::vector<int>{2});

  SelectOnly({1, 2, 6});
  nbp::test::AdvanceClock(1000);
  nbp::test::Press(Hwnd(), Centre(2));
  nbp::test::Release(Hwnd(), Centre(6));  // released over another card
  EXPECT_TRUE(view_.events.empty());
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 6}));
}

TEST_F(CardInputTest, CtrlClickTogglesOneCard) {
  MakeGrid(8);
  SelectOnly({1, 2});
  ClickWith(Hwnd(), Centre(5), VK_CONTROL);
  ClickWith(Hwnd(), Centre(1), VK_CONTROL);
  EXPECT_EQ(view_.events, (Events{"sel 5 1", "sel 1 0"}));
  EXPECT_EQ(Selected(), (std::vector<int>{2, 5}));
}

TEST_F(CardInputTest, ShiftClickSelectsTheBlockOfRowsAndColumns) {
  MakeGrid(12);
  SelectOnly({0, 10});
  view_.SelectCard(10, FALSE, FALSE);
  view_.events.clear();
  ClickWith(Hwnd(), Centre(5), VK_SHIFT);
  EXPECT_EQ(Selected(), (std::vector<int>{0, 1, 4, 5}));
  EXPECT_EQ(view_.events, (Events{"sel 5 1", "sel 1 1", "sel 4 1"}));
  EXPECT_EQ(view_.GetFocusCardIndex(), 11);  // every card went through the selection
  // The block covers every card selected before; the new ones are reported
  // in index order.
  SelectOnly({9, 2, 7});
  ClickWith(Hwnd(), Centre(6), VK_SHIFT);
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 3, 5, 6, 7, 9, 10, 11}));
  EXPECT_EQ(view_.events, (Events{"sel 6 1", "sel 1 1", "sel 3 1", "sel 5 1", "sel 10 1", "sel 11 1"}));
}

TEST_F(CardInputTest, EmptySpaceDeselectsOnlyWithoutModifiers) {
  MakeGrid(5);  // the second row has one card
  SelectOnly({0, 3});
  CPoint empty = Centre(6);
  ClickWith(Hwnd(), empty, VK_CONTROL);
  ClickWith(Hwnd(), empty, VK_SHIFT);
  EXPECT_EQ(Selected(), (std::vector<int>{0, 3}));
  Click(Hwnd(), empty);
  EXPECT_EQ(view_.events, (Events{"sel 0 0", "sel 3 0"}));
  EXPECT_EQ(view_.GetCapture(), nullptr);
}

TEST_F(CardInputTest, CheckBoxClicksToggleAndDoubleClicksToggleTwice) {
  MakeGrid(8, CVF_CHECKBOXES);
  CCardRects rects;
  view_.GetCardRects(3, rects);
  CPoint box = rects.m_rcCheck.CenterPoint();
  Click(Hwnd(), box);
  EXPECT_EQ(view_.events, (Events{"check 3 1", "sel 3 1"}));
  EXPECT_TRUE(view_.IsCardChecked(3));
  nbp::test::AdvanceClock(1000);
  view_.events.clear();
  nbp::test::DoubleClick(Hwnd(), box);
  EXPECT_EQ(view_.events, (Events{"check 3 0", "check 3 1"}));
  EXPECT_TRUE(view_.IsCardChecked(3));
  // With check boxes, a double click anywhere on a card is not reported.
  nbp::test::AdvanceClock(1000);
  view_.events.clear();
  nbp::test::DoubleClick(Hwnd(), Centre(2));
  EXPECT_EQ(view_.events, (Events{"sel 3 0", "sel 2 1"}));
}

TEST_F(CardInputTest, DoubleClicksReachTheHostWithoutCheckBoxes) {
  MakeGrid(5);
  nbp::test::DoubleClick(Hwnd(), Centre(2));
  nbp::test::AdvanceClock(1000);
  nbp::test::DoubleClick(Hwnd(), Centre(6));
  CPoint c2 = Centre(2), c6 = Centre(6);
  EXPECT_EQ(view_.events, (Events{"sel 2 1", "dblclk 2 " + std::to_string(c2.x), "sel 2 0",
                                  "dblclk -1 " + std::to_string(c6.x)}));
}

TEST_F(CardInputTest, RightClickSelectsAnUnselectedCardFirst) {
  MakeGrid(8);
  SelectOnly({1, 2});
  nbp::test::RightClick(Hwnd(), Centre(5));
  ASSERT_EQ(view_.events.size(), 4u);
  EXPECT_EQ(view_.events[2], "sel 5 1");
  EXPECT_EQ(view_.events[3].substr(0, 8), "rdown 5 ");
  SelectOnly({1, 2});
  nbp::test::RightClick(Hwnd(), Centre(2));
  ASSERT_EQ(view_.events.size(), 1u);
  EXPECT_EQ(view_.events[0].substr(0, 8), "rdown 2 ");
  EXPECT_EQ(view_.GetFocusCardIndex(), 2);
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2}));
  view_.events.clear();
  nbp::test::RightClick(Hwnd(), CPoint(218, 50));  // a gap
  ASSERT_EQ(view_.events.size(), 1u);
  EXPECT_EQ(view_.events[0].substr(0, 9), "rdown -1 ");
}

TEST_F(CardInputTest, ArrowKeysMoveTheFocusAndTheSelection) {
  MakeGrid(6);
  Click(Hwnd(), Centre(1));
  view_.events.clear();
  PressKey(VK_DOWN);  // to a short last row: the last card
  EXPECT_EQ(view_.GetFocusCardIndex(), 5);
  EXPECT_EQ(view_.events, (Events{"sel 1 0", "sel 5 1"}));
  view_.events.clear();
  PressKey(VK_DOWN);  // already in the last row
  PressKey(VK_RIGHT);
  EXPECT_TRUE(view_.events.empty());
  PressKey(VK_LEFT, kShift);  // no range extension by keyboard
  PressKey(VK_SPACE, kShift);
  EXPECT_TRUE(view_.events.empty());
  PressKey(VK_UP, kCtrl);  // the focus moves, the selection stays
  EXPECT_EQ(view_.GetFocusCardIndex(), 1);
  EXPECT_EQ(Selected(), std::vector<int>{5});
  PressKey(VK_SPACE);
  PressKey(VK_SPACE);  // already selected: nothing
  PressKey(VK_SPACE, kCtrl);
  EXPECT_EQ(view_.events, (Events{"sel 1 1", "sel 1 0"}));
  view_.SelectCard(3, FALSE, FALSE);
  view_.m_nFocusCard = 3;
  PressKey(VK_DOWN);
  EXPECT_EQ(view_.GetFocusCardIndex(), 5);
}

TEST_F(CardInputTest, ArrowKeysScrollTheFocusCardIntoView) {
  MakeGrid(40);  // 10 rows, 2 shown
  Click(Hwnd(), Centre(5));
  PressKey(VK_DOWN);
  PressKey(VK_DOWN);
  EXPECT_EQ(view_.GetFocusCardIndex(), 13);
  EXPECT_EQ(Pos(), 2);
  PressKey(VK_NEXT);  // a page: the focus stays
  EXPECT_EQ(Pos(), 4);
  EXPECT_EQ(view_.GetFocusCardIndex(), 13);
  PressKey(VK_PRIOR);
  PressKey(VK_PRIOR);
  PressKey(VK_PRIOR);
  EXPECT_EQ(Pos(), 0);
}

TEST_F(CardInputTest, EnterReachesTheHostAndIsConsumed) {
  MakeGrid(3);
  PressKey(VK_RETURN);
  EXPECT_EQ(view_.events, Events{"return"});
}

TEST_F(CardInputTest, WheelScrollsWholeNotchesOnly) {
  MakeGrid(40);
  nbp::test::Wheel(Hwnd(), Centre(0), -240);
  EXPECT_EQ(Pos(), 2);
  nbp::test::Wheel(Hwnd(), Centre(0), 100);
  EXPECT_EQ(Pos(), 2);
  nbp::test::Wheel(Hwnd(), Centre(0), 120);
  EXPECT_EQ(Pos(), 1);
}

TEST_F(CardInputTest, DraggingAColumnGapResizesEveryCard) {
  MakeGrid(20);
  CPoint band(438, 50);
  COLORREF before = nbp::WindowPixel(Hwnd(), 437, 50);
  nbp::test::Press(Hwnd(), band);
  EXPECT_EQ(nbp::WindowPixel(Hwnd(), 437, 50), before ^ RGB(128, 128, 128));  // the band, inverted
  nbp::test::MoveTo(Hwnd(), CPoint(498, 50));
  EXPECT_EQ(nbp::WindowPixel(Hwnd(), 437, 50), before);  // the old band is gone
  nbp::test::Release(Hwnd(), CPoint(498, 50));
  int cx = 0, cy = 0;
  view_.GetCardSize(&cx, &cy);
  EXPECT_EQ(cx, 250);
  EXPECT_EQ(cy, 170);
  EXPECT_EQ(view_.m_nDragMode, CNbCardView::DRAG_NONE);
  EXPECT_TRUE(view_.events.empty());  // no selection change
}

TEST_F(CardInputTest, DraggingStopsAtTheMinimumAndEscapeCancels) {
  MakeGrid(20);
  view_.SetMinCardSize(120, 80);
  nbp::test::Drag(Hwnd(), CPoint(50, 168), CPoint(50, 20));  // the first row gap, far up
  int cx = 0, cy = 0;
  view_.GetCardSize(&cx, &cy);
  EXPECT_EQ(cy, 80);
  COLORREF before = nbp::WindowPixel(Hwnd(), 100, 160);
  nbp::test::Press(Hwnd(), CPoint(100, 78));
  nbp::test::MoveTo(Hwnd(), CPoint(100, 160));
  EXPECT_NE(nbp::WindowPixel(Hwnd(), 100, 160), before);  // the band follows the pointer
  PressKey(VK_ESCAPE);
  EXPECT_EQ(nbp::WindowPixel(Hwnd(), 100, 160), before);
  EXPECT_EQ(view_.GetCapture(), nullptr);
  nbp::test::Release(Hwnd(), CPoint(100, 160));
  view_.GetCardSize(&cx, &cy);
  EXPECT_EQ(cy, 80);
}

TEST_F(CardInputTest, CancelModeKeepsTheSizeReached) {
  MakeGrid(20);
  nbp::test::Press(Hwnd(), CPoint(218, 50));
  nbp::test::MoveTo(Hwnd(), CPoint(258, 50));
  view_.SendMessage(WM_CANCELMODE);
  int cx = 0, cy = 0;
  view_.GetCardSize(&cx, &cy);
  EXPECT_EQ(cx, 260);
  EXPECT_EQ(view_.m_nDragMode, CNbCardView::DRAG_NONE);
  nbp::test::Release(Hwnd(), CPoint(258, 50));
}

TEST_F(CardInputTest, GapsShowTheResizeCursorsUnlessResizingIsOff) {
  MakeGrid(20);
  ASSERT_NE(AppCursor(14005), nullptr);
  nbp::test::MoveTo(Hwnd(), CPoint(218, 50));
  EXPECT_EQ(::GetCursor(), AppCursor(14005));
  nbp::test::MoveTo(Hwnd(), CPoint(50, 168));
  EXPECT_EQ(::GetCursor(), AppCursor(14006));
  nbp::test::MoveTo(Hwnd(), Centre(0));
  EXPECT_NE(::GetCursor(), AppCursor(14006));
  view_.SetFlags(CVF_NORESIZE);
  nbp::test::MoveTo(Hwnd(), CPoint(218, 50));
  EXPECT_NE(::GetCursor(), AppCursor(14005));
  SelectOnly({0});
  Click(Hwnd(), CPoint(218, 50));  // a press on a gap acts as one on empty space
  EXPECT_EQ(Selected(), std::vector<int>{});
}
