// The picker's geometry and its mapping between points, cells and dates.
#include "date_picker_fixture.h"

TEST_F(PickerTest, TwoCalendarsShareTheClientArea) {
  MakePicker(2, 1, 400, 150);
  EXPECT_EQ(picker_.m_nCellWidth, 27);
  EXPECT_EQ(picker_.m_nCellHeight, 18);
  EXPECT_EQ(picker_.GetCalBounds(1), CRect(200, 0, 392, 147));
  EXPECT_EQ(picker_.GetCalBounds(0), CRect(0, 0, 192, 147));
  CPickerRects r = Rects(0);
  EXPECT_EQ(r.m_rcDays.Height(), 6 * 18);
  EXPECT_EQ(r.m_rcTitle.Height(), 18 - 1);
  EXPECT_EQ(r.m_rcTitle.Width(), 7 * 27 - 1);
  EXPECT_EQ(r.m_rcPrev.Width(), r.m_rcTitle.Height());
  // Outside the calendars nothing belongs to the control.
  EXPECT_EQ(WindowFromPoint(POINT{40 + 10 + 395, 40 + 10 + 20}), parent_.m_hWnd);
  EXPECT_EQ(WindowFromPoint(POINT{40 + 10 + 300, 40 + 10 + 20}), picker_.m_hWnd);
}

TEST_F(PickerTest, AFixedSizeCalendarIsCentred) {
  MakePicker(1, 1, 400, 200, 150, 150);
  EXPECT_EQ(picker_.GetCalBounds(0).left, 125);
}

TEST_F(PickerTest, HitCodesFollowTheFlags) {
  MakePicker(2, 1, 400, 150);
  CPickerRects r0 = Rects(0), r1 = Rects(1);
  EXPECT_EQ(picker_.PtToFocus(0, r0.m_rcPrev.CenterPoint()), CNbDatePicker::kHitPrev);
  EXPECT_EQ(picker_.PtToFocus(0, r0.m_rcNext.CenterPoint()), CNbDatePicker::kHitTitle) << "next arrow only on the last column";
  EXPECT_EQ(picker_.PtToFocus(1, r1.m_rcNext.CenterPoint()), CNbDatePicker::kHitNext);
  EXPECT_EQ(picker_.PtToFocus(0, r0.m_rcMonth.CenterPoint()), CNbDatePicker::kHitMonth);
  EXPECT_EQ(picker_.PtToFocus(0, r0.m_rcYear.CenterPoint()), CNbDatePicker::kHitYear);
  EXPECT_EQ(picker_.PtToFocus(0, r0.m_rcDow.CenterPoint()), CNbDatePicker::kHitDow);
  EXPECT_EQ(picker_.PtToFocus(0, r0.m_rcDays.CenterPoint()), CNbDatePicker::kHitDays);
  picker_.SetFlags(picker_.GetFlags() | CNbDatePicker::kYearOnly);
  EXPECT_EQ(picker_.PtToFocus(0, Rects(0).m_rcPrev.CenterPoint()), CNbDatePicker::kHitYear)
      << "a year-only title is all year label; the previous arrow no longer answers";
  EXPECT_EQ(picker_.PtToCalIndex(CPoint(5000, 5000)), 1) << "clamped to the last calendar";
}

TEST_F(PickerTest, IncrMonthWrapsYears) {
  struct Case {
    int month, year, delta, wantMonth, wantYear;
  } cases[] = {{1, 2004, -1, 12, 2003}, {12, 2004, 1, 1, 2005}, {3, 2004, -48, 3, 2000}, {6, 2004, 0, 6, 2004}};
  for (const Case& c : cases) {
    int m = c.month, y = c.year;
    CNbDatePicker::IncrMonth(m, y, c.delta);
    EXPECT_EQ(m, c.wantMonth);
    EXPECT_EQ(y, c.wantYear);
  }
}

TEST_F(PickerTest, GridToDateAndTheStartDate) {
  MakePicker(1, 1, 200, 170);
  picker_.SetDisplayMonth(2, 2004, FALSE);
  CNbDate d(0, 0, 0);
  EXPECT_EQ(picker_.GridToDate(0, 0, d, FALSE), 1);
  EXPECT_EQ(d, CNbDate(2004, 2, 1)) << "February 2004 starts on a Sunday";
  EXPECT_EQ(picker_.GridToDate(0, 35, d, FALSE), 0) << "March days are not February's";
  EXPECT_EQ(picker_.GridToDate(0, 35, d, TRUE), 1);
  EXPECT_EQ(d, CNbDate(2004, 3, 7));
  picker_.SetStartDate(2, 10, 2004, FALSE);
  EXPECT_EQ(picker_.GridToDate(0, 4, d, FALSE), 0);
  EXPECT_EQ(d, CNbDate(2004, 2, 10)) << "a day before the start date gives the start date";
}

TEST_F(PickerTest, ClosestDateStepsIntoTheOwnMonth) {
  MakePicker(1, 1, 200, 170);
  picker_.SetDisplayMonth(2, 2004, FALSE);
  CNbDate d(0, 0, 0);
  EXPECT_EQ(picker_.GridToClosestDate(0, 41, d), 1);
  EXPECT_EQ(d.m_nMonth, 2);
  EXPECT_EQ(d.m_nDay, 28) << "the last row's Saturday steps up two rows to 28 February";
  picker_.SetDisplayMonth(3, 2004, FALSE);
  EXPECT_EQ(picker_.GridToClosestDate(0, 0, d), 1);
  EXPECT_EQ(d, CNbDate(2004, 3, 7)) << "a February cell steps down a row";
}

// The range runs between the outermost cells that hold a date; September
// 1752 leaves its corner cells blank.
TEST_F(PickerTest, DateRangeCoversTheOuterCells) {
  struct Case {
    int cols, month, year;
    CNbDate first, last;
  } cases[] = {
      {2, 2, 2004, CNbDate(2004, 2, 1), CNbDate(2004, 4, 10)},
      {1, 9, 1752, CNbDate(1752, 9, 1), CNbDate(1752, 9, 30)},
      {2, 8, 1752, CNbDate(1752, 7, 26), CNbDate(1752, 9, 30)},
  };
  for (const Case& c : cases) {
    MakePicker(c.cols, 1, 200 * c.cols, 150);
    picker_.SetDisplayMonth(c.month, c.year, FALSE);
    CNbDate first(0, 0, 0), last(0, 0, 0);
    picker_.GetDateRange(&first, &last);
    EXPECT_EQ(first, c.first) << c.month << "/" << c.year;
    EXPECT_EQ(last, c.last) << c.month << "/" << c.year;
    picker_.DestroyWindow();
  }
}

TEST_F(PickerTest, EventMarksFollowTheirRules) {
  MakePicker(1, 1, 200, 170);
  EXPECT_EQ(picker_.AddEvent(2004, 5, 1, FALSE, 0), 0);
  EXPECT_EQ(picker_.AddEvent(2004, 5, 1, FALSE, 0), -1) << "a duplicate";
  EXPECT_EQ(picker_.AddEvent(2004, 5, 1, FALSE, 2), 0) << "a mark replaces the plain entry";
  EXPECT_EQ(picker_.m_aEvents.GetSize(), 1);
  EXPECT_EQ(picker_.m_aEvents[0].m_nMark, 2);
  EXPECT_EQ(picker_.AddEvent(2004, 5, 1, FALSE, 0), -1);
  EXPECT_EQ(picker_.AddEvent(2004, 5, 1, FALSE, 3), -1);
  CNbDate dates[] = {CNbDate(2004, 5, 1), CNbDate(2004, 5, 2)};
  EXPECT_EQ(picker_.AddEvent(dates, 2, FALSE), 0) << "one of the two was added";
  EXPECT_EQ(picker_.AddEvent(dates, 2, FALSE), -1);
  EXPECT_EQ(picker_.RemoveEvent(2004, 5, 2, FALSE), 0);
  EXPECT_EQ(picker_.RemoveEvent(2004, 5, 2, FALSE), -1);
  picker_.ResetEventArray(FALSE);
  EXPECT_EQ(picker_.m_aEvents.GetSize(), 0);
}

TEST_F(PickerTest, LastAllowedMonthDependsOnTheCalendar) {
  MakePicker(3, 1, 600, 170);
  picker_.SetMaxYear(2031);
  picker_.SetFlags(picker_.GetFlags() | CNbDatePicker::kMonthMenu);
  picker_.SetDisplayMonth(9, 2031, FALSE);
  nbp::test::Pump();
  // The first of three calendars may show October 2031 at the latest.
  nbp::Headless()->ChooseMenuCommand(0);
  nbp::test::Click(Hwnd(), Rects(0).m_rcMonth.CenterPoint());
  ASSERT_FALSE(nbp::Headless()->Menus().empty());
  EXPECT_EQ(nbp::Headless()->Menus().back().items.back().text, "October 2031");
  // The last one may show December: its menu ends there.
  nbp::Headless()->ChooseMenuCommand(0);
  nbp::test::Click(Hwnd(), Rects(2).m_rcMonth.CenterPoint());
  EXPECT_EQ(nbp::Headless()->Menus().back().items.back().text, "December 2031");
  // One step on is allowed, a second is not.
  nbp::test::Click(Hwnd(), Rects(2).m_rcNext.CenterPoint());
  int m, y;
  picker_.GetDisplayMonth(&m, &y);
  EXPECT_EQ(m, 10);
  size_t beeps = Beeps().size();
  nbp::test::Click(Hwnd(), Rects(2).m_rcNext.CenterPoint());
  picker_.GetDisplayMonth(&m, &y);
  EXPECT_EQ(m, 10) << "the last calendar already shows December 2031";
  EXPECT_EQ(Beeps().size(), beeps + 1);
  EXPECT_TRUE(picker_.Is_MMYY_ValidForCurCal(12, 2030, 1, 2031));
}

TEST_F(PickerTest, DisplayMonthCarriesTheSelectionAlong) {
  MakePicker(2, 1, 400, 150);
  picker_.SetSelection(2004, 3, 31, FALSE);
  parent_.received.clear();
  picker_.SetDisplayMonth(5, 2004, FALSE);
  int y, m, d;
  picker_.GetSelection(y, m, d);
  EXPECT_EQ(m, 5) << "the selection keeps its calendar index";
  EXPECT_EQ(d, 31);
  EXPECT_EQ(parent_.Count(NBDP_MONTHCHANGE), 1);
  picker_.SetDisplayMonth(5, 2004, FALSE);
  EXPECT_EQ(parent_.Count(NBDP_MONTHCHANGE), 1) << "no change, no message";
  picker_.SetSelection(2004, 4, 31, FALSE);
  picker_.GetSelection(y, m, d);
  EXPECT_EQ(d, 1) << "April has no 31st";
}

TEST_F(PickerTest, BadMonthsAndSizesAreRefused) {
  MakePicker(1, 1, 200, 170);
  int m, y;
  picker_.GetDisplayMonth(&m, &y);
  picker_.SetDisplayMonth(13, 2004, TRUE);
  picker_.SetSelection(2004, 0, 5, TRUE);
  int m2, y2;
  picker_.GetDisplayMonth(&m2, &y2);
  EXPECT_EQ(m2, m);
  EXPECT_EQ(y2, y);
  picker_.MoveWindow(10, 10, 0, 0);  // no room at all: still no division by zero
  EXPECT_EQ(picker_.PtToCalIndex(CPoint(3, 3)), 0);
  parent_.received.clear();
  nbp::test::Click(Hwnd(), CPoint(3, 3));
  EXPECT_EQ(parent_.Count(NBDP_SELCHANGE), 0) << "no day is left to click";
}

TEST_F(PickerTest, EventsAddedToTheListDirectlyAreSeen) {
  MakePicker(1, 1, 200, 170);
  CNbDate direct(2004, 3, 5, 2);
  picker_.m_aEvents.Add(direct);
  int mark = 0;
  EXPECT_TRUE(picker_.FindEventMark(CNbDate(2004, 3, 5), &mark));
  EXPECT_EQ(mark, 2);
  EXPECT_EQ(picker_.AddEvent(2004, 3, 5, FALSE, 0), -1) << "the marked entry blocks the add";
  EXPECT_EQ(picker_.RemoveEvent(2004, 3, 5, FALSE), 0);
  EXPECT_FALSE(picker_.FindEventMark(CNbDate(2004, 3, 5), &mark));
}
