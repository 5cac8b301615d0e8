// The picker's pixels at the places its painting fixes.
#include "NbThemes/nbthemes.h"
#include "date_picker_fixture.h"

namespace {
NBTHEMEITEMINFO Item(int item) {
  NBTHEMEITEMINFO info{};
  EXPECT_EQ(NbThemeGetItemInfo(item, &info), 0) << item;
  return info;
}
}  // namespace

class PickerPaintTest : public PickerTest {
 protected:
  COLORREF Pixel(CPoint p) { return nbp::WindowPixel(Hwnd(), p.x, p.y); }
  CRect Cell(int cal, int year, int month, int day) { return CellRectOf(cal, year, month, day); }
};

TEST_F(PickerPaintTest, SelectionFillsItsCellWithTheSelectionColor) {
  MakePicker(1, 1, 210, 180);
  picker_.SetSelection(2004, 3, 16, FALSE);
  nbp::test::Pump();
  CRect c = Cell(0, 2004, 3, 16);
  EXPECT_EQ(Pixel(CPoint(c.right - 3, c.bottom - 3)), Item(49).crColor1);
  CRect other = Cell(0, 2004, 3, 17);
  EXPECT_EQ(Pixel(CPoint(other.right - 3, other.bottom - 3)), Item(42).crColor1);
  CRect neighbour = Cell(0, 2004, 2, 29);
  EXPECT_EQ(Pixel(CPoint(neighbour.right - 3, neighbour.bottom - 3)), Item(43).crColor1);
}

TEST_F(PickerPaintTest, EventsGetASquareAndMarkedOnesAFill) {
  MakePicker(1, 1, 210, 180);
  picker_.AddEvent(2004, 3, 22, FALSE, 0);
  picker_.AddEvent(2004, 3, 23, TRUE, 1);
  nbp::test::Pump();
  CRect plain = Cell(0, 2004, 3, 22);
  EXPECT_EQ(Pixel(CPoint(plain.left + 1, plain.top + 1)), Item(42).crText);
  EXPECT_EQ(Pixel(CPoint(plain.left + 2, plain.top + 2)), Item(42).crText);
  EXPECT_EQ(Pixel(CPoint(plain.left + 3, plain.top + 3)), Item(42).crColor1) << "the square is 2 x 2";
  CRect marked = Cell(0, 2004, 3, 23);
  EXPECT_EQ(Pixel(CPoint(marked.right - 3, marked.bottom - 3)), NbThemeShadeColor(Item(44).crColor1, 64));
}

TEST_F(PickerPaintTest, GridLinesAndTheBlackFrame) {
  MakePicker(1, 1, 210, 180);
  nbp::test::Pump();
  COLORREF grid = Item(46).crColor1;
  // The lines run just left of and above each painted cell.
  CRect second = picker_.GetCellRect(0, 8);
  EXPECT_EQ(Pixel(CPoint(second.left - 1, second.top + 5)), grid) << "a column line";
  EXPECT_EQ(Pixel(CPoint(second.left + 5, second.top - 1)), grid) << "a row line";
  CRect bounds = picker_.GetCalBounds(0);
  EXPECT_EQ(Pixel(bounds.TopLeft()), RGB(0, 0, 0));
  EXPECT_EQ(Pixel(CPoint(bounds.left + 1, bounds.top + 5)), grid) << "the frame inside the black one";
}

TEST_F(PickerPaintTest, TitleGradientRunsAcrossTheColumns) {
  MakePicker(2, 1, 400, 170);
  nbp::test::Pump();
  NBTHEMEITEMINFO title = Item(44);
  ASSERT_EQ(title.nKind, 77);
  CPickerRects left = Rects(0), right = Rects(1);
  // Sample below the labels' text, near the ends of the strip.
  int y = left.m_rcTitle.bottom - 1;
  EXPECT_EQ(Pixel(CPoint(left.m_rcTitle.left, y)), NbThemeBlendColor(title.crColor1, title.crColor2, 2, 0));
  COLORREF end = Pixel(CPoint(right.m_rcTitle.right - 1, y));
  COLORREF want = title.crColor2;
  EXPECT_LE(std::abs(GetRValue(end) - GetRValue(want)) + std::abs(GetGValue(end) - GetGValue(want)) +
                std::abs(GetBValue(end) - GetBValue(want)),
            12)
      << "the right end of the second title reaches the gradient's end";
}

TEST_F(PickerPaintTest, WeekRowHighlightsTheSelectedWeek) {
  MakePicker(1, 1, 210, 180);
  picker_.SetFlags(picker_.GetFlags() | CNbDatePicker::kWeekRow);
  picker_.SetSelection(2004, 3, 16, FALSE);
  nbp::test::Pump();
  CRect sameWeek = Cell(0, 2004, 3, 18);
  EXPECT_EQ(Pixel(CPoint(sameWeek.right - 3, sameWeek.bottom - 3)), Item(46).crColor1);
  CRect nextWeek = Cell(0, 2004, 3, 25);
  EXPECT_EQ(Pixel(CPoint(nextWeek.right - 3, nextWeek.bottom - 3)), Item(42).crColor1);
}

TEST_F(PickerPaintTest, TodayIsWrittenInTheTodayColor) {
  MakePicker(1, 1, 210, 180);
  nbp::test::Pump();
  CRect today = Cell(0, 2004, 3, 10);
  COLORREF want = Item(47).crText;
  bool found = false;
  for (int y = today.top; y < today.bottom && !found; ++y) {
    for (int x = today.left; x < today.right && !found; ++x) found = Pixel(CPoint(x, y)) == want;
  }
  EXPECT_TRUE(found) << "some of the day number's pixels are in the today color";
}

TEST_F(PickerPaintTest, RepaintedWeekRowKeepsItsGridLines) {
  MakePicker(1, 1, 210, 180);
  picker_.SetFlags(picker_.GetFlags() | CNbDatePicker::kWeekRow);
  picker_.SetSelection(2004, 3, 16, FALSE);
  nbp::test::Pump();
  nbp::test::Click(Hwnd(), CellOf(0, 2004, 3, 25));
  nbp::test::Pump();
  // The line left of 17 March, inside the row that lost the highlight.
  CRect c = Cell(0, 2004, 3, 17);
  EXPECT_EQ(Pixel(CPoint(c.left - 1, c.top + 5)), Item(NB_THEME_ITEM_CAL_GRID).crColor1);
  CRect now = Cell(0, 2004, 3, 26);
  EXPECT_EQ(Pixel(CPoint(now.left - 1, now.top + 5)), Item(NB_THEME_ITEM_CAL_GRID).crColor1);
}

TEST_F(PickerPaintTest, HotMonthOnlyTitleKeepsItsArrows) {
  MakePicker(1, 1, 210, 180);
  picker_.SetFlags(picker_.GetFlags() | CNbDatePicker::kMonthOnly);
  nbp::test::Pump();
  auto blackIn = [&](const CRect& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += Pixel(CPoint(x, y)) == RGB(0, 0, 0);
    return n;
  };
  CPickerRects r = Rects(0);
  int before = blackIn(r.m_rcPrev), beforeNext = blackIn(r.m_rcNext);
  ASSERT_GT(before, 0) << "the arrow is drawn";
  nbp::test::MoveTo(Hwnd(), CPoint(r.m_rcTitle.CenterPoint()));
  nbp::test::AdvanceClock(20);
  ASSERT_EQ(picker_.m_nRolloverPart, CNbDatePicker::kHitMonth);
  EXPECT_EQ(blackIn(r.m_rcPrev), before) << "the hot label repaints around the arrows";
  EXPECT_EQ(blackIn(r.m_rcNext), beforeNext);
}

TEST_F(PickerPaintTest, AHugePickerPaintsWhatCanBeSeen) {
  MakePicker(3, 2, 30000, 2600);
  picker_.SetSelection(2004, 2, 1, FALSE);  // February 2004 begins on a Sunday: the top-left cell
  nbp::test::Pump();
  CRect cell = Cell(0, 2004, 2, 1);
  ASSERT_LT(cell.top + 40, 480) << "the cell reaches into the visible part";
  EXPECT_EQ(Pixel(CPoint(600, cell.top + 30)), Item(NB_THEME_ITEM_CAL_SELECTED).crColor1);
  EXPECT_EQ(Pixel(CPoint(0, 0)), RGB(0, 0, 0)) << "the black frame";
  EXPECT_EQ(Pixel(CPoint(600, cell.top - 1)), Item(NB_THEME_ITEM_CAL_GRID).crColor1) << "the row line above it";
}
