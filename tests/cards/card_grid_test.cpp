// The grid arithmetic on its own: columns, rows, scroll range, cells, card
// parts, hit-testing, visible ranges, arrow targets and drag sizes.
#include <gtest/gtest.h>

#include "cards/card_grid.h"
#include "win/user_constants.h"

using namespace nbui::cards;

TEST(CardGrid, AColumnCountsWhenHalfOfItShows) {
  EXPECT_EQ(GridColumns(330, 220), 2);  // 330 + 110 = 440
  EXPECT_EQ(GridColumns(329, 220), 1);
  EXPECT_EQ(GridColumns(100, 220), 1);  // narrower than half a card: still one
  EXPECT_EQ(GridColumns(0, 220), 1);
  EXPECT_EQ(GridColumns(660, 220), 3);
  EXPECT_EQ(GridColumns(500, 0), 500);  // a size below 1 acts as 1
  EXPECT_EQ(GridVisibleRows(339, 170), 1);
  EXPECT_EQ(GridVisibleRows(340, 170), 2);
  EXPECT_EQ(GridVisibleRows(10, 170), 1);
}

TEST(CardGrid, ScrollRangeIsTheRowsBeyondThoseThatFit) {
  EXPECT_EQ(GridRows(10, 3), 4);
  EXPECT_EQ(GridScrollMax(10, 3, 2), 2);
  EXPECT_EQ(GridScrollMax(6, 3, 2), 0);
  EXPECT_EQ(GridScrollMax(0, 3, 2), 0);
  EXPECT_EQ(GridScrollMax(1000000, 5, 4), 199996);  // beyond 16 bits
}

TEST(CardGrid, CellsFollowColumnsAndTheFirstShownRow) {
  EXPECT_EQ(GridCell(0, 3, 0, 220, 170), CRect(0, 0, 220, 170));
  EXPECT_EQ(GridCell(4, 3, 0, 220, 170), CRect(220, 170, 440, 340));
  EXPECT_EQ(GridCell(4, 3, 1, 220, 170), CRect(220, 0, 440, 170));
  EXPECT_EQ(GridCell(0, 3, 2, 220, 170), CRect(0, -340, 220, -170));
  // Far away cells stay far away instead of overflowing.
  CRect far = GridCell(2000000000, 1, 0, 220, 1000);
  EXPECT_GT(far.top, 100000);
  EXPECT_GE(far.bottom, far.top);
}

TEST(CardGrid, CardPartsOfTheDefaultCell) {
  CCardRects r;
  GridCardRects(CRect(0, 0, 220, 170), kHeaderHeight, r);
  EXPECT_EQ(r.m_rcCard, CRect(1, 1, 216, 166));
  EXPECT_EQ(r.m_rcHeader, CRect(3, 3, 214, 23));
  EXPECT_EQ(r.m_rcBody, CRect(3, 23, 214, 164));
  EXPECT_EQ(r.m_rcCheck, CRect(6, 6, 20, 20));
  EXPECT_EQ(r.m_rcPhoto, CRect(3, 3, 35, 23));
  GridCardRects(CRect(0, 0, 220, 170), kPhotoHeaderHeight, r);
  EXPECT_EQ(r.m_rcHeader, CRect(3, 3, 214, 35));
  EXPECT_EQ(r.m_rcCheck, CRect(6, 12, 20, 26));
  EXPECT_EQ(r.m_rcBody.top, 35);
}

TEST(CardGrid, HitTestingFindsOutlinesOnly) {
  // 3 columns, 10 cards, scrolled by one row.
  EXPECT_EQ(GridHitTest({1, 1}, 10, 3, 0, 220, 170), 0);
  EXPECT_EQ(GridHitTest({0, 50}, 10, 3, 0, 220, 170), -1);    // the cell's first column
  EXPECT_EQ(GridHitTest({215, 50}, 10, 3, 0, 220, 170), 0);   // last pixel of the outline
  EXPECT_EQ(GridHitTest({216, 50}, 10, 3, 0, 220, 170), -1);  // the right edge: no card
  EXPECT_EQ(GridHitTest({50, 166}, 10, 3, 0, 220, 170), -1);  // bottom edge / shadow strip
  EXPECT_EQ(GridHitTest({221, 171}, 10, 3, 1, 220, 170), 7);
  EXPECT_EQ(GridHitTest({450, 171}, 10, 3, 2, 220, 170), -1);  // beyond the last card
  EXPECT_EQ(GridHitTest({700, 50}, 10, 3, 0, 220, 170), -1);   // beyond the last column
  EXPECT_EQ(GridHitTest({-1, 50}, 10, 3, 0, 220, 170), -1);
}

TEST(CardGrid, VisibleRangeCoversPartlyShownRows) {
  int first = 0, last = 0;
  GridVisibleRange(400, 100, 3, 2, 170, &first, &last);  // rows 2, 3, 4 (the third partly)
  EXPECT_EQ(first, 6);
  EXPECT_EQ(last, 15);
  GridVisibleRange(400, 8, 3, 2, 170, &first, &last);
  EXPECT_EQ(first, 6);
  EXPECT_EQ(last, 8);
  GridVisibleRange(400, 0, 3, 0, 170, &first, &last);
  EXPECT_EQ(first, last);
}

TEST(CardGrid, EnsureVisibleRowBringsARowToTheNearerEdge) {
  EXPECT_EQ(GridEnsureVisibleRow(12, 3, 1, 2), 3);  // row 4, two below the last shown (2): down by two
  EXPECT_EQ(GridEnsureVisibleRow(0, 3, 3, 2), 0);      // above: becomes the top row
  EXPECT_EQ(GridEnsureVisibleRow(7, 3, 1, 2), 1);      // shown: unchanged
}

TEST(CardGrid, ArrowTargets) {
  struct Case {
    unsigned vk;
    int from, to;
  } cases[] = {
      {VK_DOWN, 1, 5}, {VK_DOWN, 3, 5}, {VK_DOWN, 4, 4}, {VK_DOWN, 5, 5},  // 4 columns, 6 cards
      {VK_UP, 5, 1},   {VK_UP, 2, 2},   {VK_LEFT, 0, 0}, {VK_LEFT, 4, 3},
      {VK_RIGHT, 5, 5}, {VK_RIGHT, 3, 4}, {VK_HOME, 3, 3},
  };
  for (const Case& c : cases) EXPECT_EQ(GridArrowTarget(c.vk, c.from, 4, 6), c.to) << c.vk << " from " << c.from;
}

TEST(CardGrid, DragSizeSharesTheMoveAmongTheColumnsBeforeTheGap) {
  EXPECT_EQ(GridDragSize(438, 498, 220, 50), 250);  // second gap: 60 / 2
  EXPECT_EQ(GridDragSize(218, 248, 220, 50), 250);  // first gap
  EXPECT_EQ(GridDragSize(438, 400, 220, 50), 201);  // -38 / 2 rounds toward zero
  EXPECT_EQ(GridDragSize(438, 0, 220, 50), 50);     // the minimum
  EXPECT_EQ(GridDragSize(438, 0, 220, -5), 1);      // the minimum is at least 1
  EXPECT_EQ(GridDragSize(0, 10, 220, 50), 230);     // before the first gap counts as the first
}
