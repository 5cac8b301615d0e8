// The picker driven as a user drives it.
#include "date_picker_fixture.h"

using nbp::test::Click;

TEST_F(PickerTest, SelectionNotificationCarriesTheDate) {
  MakePicker(1, 1, 200, 170);
  Click(Hwnd(), CellOf(0, 2004, 3, 7));
  const PickerMessage* m = parent_.Last(NBDP_SELCHANGE);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->wParam, 0x07D4u);
  EXPECT_EQ(m->lParam, 0x00030007);
  int y, mo, d;
  picker_.GetSelection(y, mo, d);
  EXPECT_EQ(d, 7);
}

TEST_F(PickerTest, ClickOnTheSelectedDayPostsOnlyOnRelease) {
  MakePicker(1, 1, 200, 170);
  picker_.SetSelection(2004, 3, 7, FALSE);
  nbp::test::Pump();
  parent_.received.clear();
  CPoint p = CellOf(0, 2004, 3, 7);
  nbp::test::MoveTo(Hwnd(), p);
  nbp::test::Press(Hwnd(), p);
  EXPECT_EQ(parent_.Count(NBDP_SELCHANGE), 0);
  nbp::test::Release(Hwnd(), p);
  EXPECT_EQ(parent_.Count(NBDP_SELCHANGE), 1);
}

TEST_F(PickerTest, ArrowActsOnReleaseEvenElsewhere) {
  MakePicker(1, 1, 200, 170);
  picker_.SetSelection(2004, 3, 10, FALSE);
  nbp::test::Pump();
  parent_.received.clear();
  CPoint arrow = Rects(0).m_rcNext.CenterPoint();
  nbp::test::Press(Hwnd(), arrow);
  int m, y;
  picker_.GetDisplayMonth(&m, &y);
  EXPECT_EQ(m, 3) << "nothing moves on the press";
  nbp::test::MoveTo(Hwnd(), CPoint(100, 120));
  nbp::test::Release(Hwnd(), CPoint(100, 120));
  picker_.GetDisplayMonth(&m, &y);
  EXPECT_EQ(m, 4);
  EXPECT_EQ(parent_.Count(NBDP_SELCHANGE), 1);
  EXPECT_EQ(parent_.Count(NBDP_MONTHCHANGE), 1);
}

TEST_F(PickerTest, NextMonthDayInTheLastCalendarMovesTheMonths) {
  MakePicker(2, 1, 400, 150);
  // The last calendar shows April 2004; 1 May sits in its last rows.
  Click(Hwnd(), CellOf(1, 2004, 5, 1));
  int m, y;
  picker_.GetDisplayMonth(&m, &y);
  EXPECT_EQ(m, 4);
  int sy, sm, sd;
  picker_.GetSelection(sy, sm, sd);
  EXPECT_EQ(sm, 5);
  EXPECT_EQ(sd, 1);
  // The same kind of day in the first calendar only selects it.
  Click(Hwnd(), CellOf(0, 2004, 5, 1));
  picker_.GetDisplayMonth(&m, &y);
  EXPECT_EQ(m, 4);
}

TEST_F(PickerTest, DraggingFarOutReturnsToThePressedDate) {
  MakePicker(1, 1, 200, 170);
  picker_.SetSelection(2004, 3, 2, FALSE);
  CPoint start = CellOf(0, 2004, 3, 10);
  nbp::test::MoveTo(Hwnd(), start);
  nbp::test::Press(Hwnd(), start);
  nbp::test::MoveTo(Hwnd(), CellOf(0, 2004, 3, 12));
  int y, m, d;
  picker_.GetSelection(y, m, d);
  EXPECT_EQ(d, 12) << "the selection follows the drag";
  nbp::test::MoveTo(Hwnd(), CPoint(start.x, -60));
  picker_.GetSelection(y, m, d);
  EXPECT_EQ(d, 10) << "more than 40 pixels out, back to the pressed date";
  nbp::test::Release(Hwnd(), CPoint(start.x, -60));
}

TEST_F(PickerTest, WheelMovesTheSelectionByWholeNotches) {
  MakePicker(1, 1, 200, 170);
  picker_.SetSelection(2004, 3, 10, FALSE);
  picker_.SetFocus();
  nbp::test::Wheel(Hwnd(), CPoint(50, 50), 240);
  int y, m, d;
  picker_.GetSelection(y, m, d);
  EXPECT_EQ(d, 8);
  nbp::test::Wheel(Hwnd(), CPoint(50, 50), 60);
  picker_.GetSelection(y, m, d);
  EXPECT_EQ(d, 8);
  nbp::test::Wheel(Hwnd(), CPoint(50, 50), -120);
  picker_.GetSelection(y, m, d);
  EXPECT_EQ(d, 9);
}

TEST_F(PickerTest, PageKeysMoveByTheCalendarCountOrAYear) {
  MakePicker(3, 1, 600, 170);
  picker_.SetFocus();
  nbp::test::PressKey(VK_NEXT);
  int m, y;
  picker_.GetDisplayMonth(&m, &y);
  EXPECT_EQ(m, 6);
  nbp::test::PressKey(VK_NEXT, nbp::test::kCtrl);
  picker_.GetDisplayMonth(&m, &y);
  EXPECT_EQ(m, 6);
  EXPECT_EQ(y, 2005);
  nbp::test::PressKey(VK_HOME);
  picker_.GetDisplayMonth(&m, &y);
  EXPECT_EQ(m, 1);
  nbp::test::PressKey(VK_END);
  picker_.GetDisplayMonth(&m, &y);
  EXPECT_EQ(m, 10) << "the last calendar shows December";
  size_t beeps = Beeps().size();
  nbp::test::PressKey(VK_END);
  EXPECT_EQ(Beeps().size(), beeps + 1);
}

TEST_F(PickerTest, YearLimitsBeep) {
  MakePicker(1, 1, 200, 170);
  picker_.SetDisplayMonth(1, 1970, FALSE);
  picker_.SetSelection(1970, 1, 1, FALSE);
  picker_.SetFocus();
  parent_.received.clear();
  size_t beeps = Beeps().size();
  nbp::test::PressKey(VK_PRIOR);
  nbp::test::PressKey(VK_LEFT);
  EXPECT_EQ(Beeps().size(), beeps + 2);
  EXPECT_EQ(Beeps().back(), 0xFFFFFFFFu);
  int m, y;
  picker_.GetDisplayMonth(&m, &y);
  EXPECT_EQ(y, 1970);
  EXPECT_EQ(parent_.Count(NBDP_SELCHANGE), 0);
}

TEST_F(PickerTest, TabAsksTheParentToMoveOn) {
  MakePicker(1, 1, 200, 170);
  picker_.SetFocus();
  nbp::test::PressKey(VK_TAB, nbp::test::kShift);
  const PickerMessage* m = parent_.Last(WM_NEXTDLGCTL);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->wParam, 1u);
}

TEST_F(PickerTest, MonthMenuShowsNineMonthsAndMovesToTheChoice) {
  MakePicker(1, 1, 200, 170);
  picker_.SetFlags(picker_.GetFlags() | CNbDatePicker::kMonthMenu);
  picker_.SetSelection(2004, 3, 10, FALSE);
  nbp::test::Pump();
  parent_.received.clear();
  nbp::Headless()->ChooseMenuCommand(7);  // two months on
  Click(Hwnd(), Rects(0).m_rcMonth.CenterPoint());
  ASSERT_FALSE(nbp::Headless()->Menus().empty());
  const nbp::PopupMenuRequest& menu = nbp::Headless()->Menus().back();
  ASSERT_EQ(menu.items.size(), 9u);
  EXPECT_EQ(menu.items[0].text, "November 2003");
  EXPECT_TRUE(menu.items[4].checked);
  EXPECT_EQ(menu.items[4].text, "March 2004");
  EXPECT_EQ(menu.flags, 0x1A0u);
  int m, y;
  picker_.GetDisplayMonth(&m, &y);
  EXPECT_EQ(m, 5);
  EXPECT_EQ(parent_.Count(NBDP_SELCHANGE), 1);
}

TEST_F(PickerTest, YearMenuEndsAtTheLastAllowedYear) {
  MakePicker(1, 1, 200, 170);
  picker_.SetFlags(picker_.GetFlags() | CNbDatePicker::kYearMenu);
  picker_.SetMaxYear(2006);
  nbp::Headless()->ChooseMenuCommand(0);
  Click(Hwnd(), Rects(0).m_rcYear.CenterPoint());
  ASSERT_FALSE(nbp::Headless()->Menus().empty());
  const nbp::PopupMenuRequest& menu = nbp::Headless()->Menus().back();
  ASSERT_EQ(menu.items.size(), 9u);
  EXPECT_EQ(menu.items.back().text, "2006");
  EXPECT_EQ(menu.items.front().text, "1998");
  EXPECT_EQ(menu.flags, 0x1A8u);
}

TEST_F(PickerTest, LabelClickWithoutMenuNotifiesTheParent) {
  MakePicker(1, 1, 200, 170);
  picker_.SetFlags(picker_.GetFlags() & ~CNbDatePicker::kYearMenu);
  Click(Hwnd(), Rects(0).m_rcYear.CenterPoint());
  const PickerMessage* m = parent_.Last(NBDP_DBLCLK);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(HIWORD(m->wParam), 4);
}

TEST_F(PickerTest, DoubleClickReportsOwnMonthDaysOnly) {
  MakePicker(1, 1, 200, 170);
  nbp::test::DoubleClick(Hwnd(), CellOf(0, 2004, 3, 18));
  const PickerMessage* m = parent_.Last(NBDP_DBLCLK);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(HIWORD(m->wParam), 7);
  parent_.received.clear();
  nbp::test::AdvanceClock(1000);
  nbp::test::DoubleClick(Hwnd(), CellOf(0, 2004, 2, 29));
  EXPECT_EQ(parent_.Count(NBDP_DBLCLK), 0);
  int y, mo, d;
  picker_.GetSelection(y, mo, d);
  EXPECT_EQ(mo, 2);
  EXPECT_EQ(d, 29) << "the neighbour day stays selected";
}

TEST_F(PickerTest, TooltipTextIsAskedOncePerDate) {
  MakePicker(1, 1, 200, 170);
  nbp::test::MoveTo(Hwnd(), CellOf(0, 2004, 3, 18));
  nbp::test::MoveTo(Hwnd(), CellOf(0, 2004, 3, 18) + CPoint(1, 0));
  ASSERT_EQ(parent_.tipDates.size(), 1u);
  EXPECT_EQ(parent_.tipDates[0], CNbDate(2004, 3, 18));
  nbp::test::MoveTo(Hwnd(), CellOf(0, 2004, 3, 19));
  EXPECT_EQ(parent_.tipDates.size(), 2u);
}

TEST_F(PickerTest, HotTitlePartsFollowTheRestingMouse) {
  MakePicker(1, 1, 200, 170);
  nbp::test::MoveTo(Hwnd(), Rects(0).m_rcNext.CenterPoint());
  nbp::test::AdvanceClock(20);
  EXPECT_EQ(picker_.m_nRolloverPart, CNbDatePicker::kHitNext);
  EXPECT_EQ(picker_.m_nRolloverCal, 0);
  nbp::test::MoveTo(parent_.m_hWnd, CPoint(650, 450));
  nbp::test::AdvanceClock(20);
  EXPECT_EQ(picker_.m_nRolloverPart, 0);
  EXPECT_EQ(picker_.m_bTimerSet, 0) << "the timer stops once the mouse is outside";
}

TEST_F(PickerTest, DraggedItemsPickAndRestoreDates) {
  MakePicker(1, 1, 200, 170);
  picker_.SetSelection(2004, 3, 2, FALSE);
  CPoint over = CellOf(0, 2004, 3, 20);
  picker_.ClientToScreen(&over);
  picker_.SendMessage(NBDP_DRAGOVER, 0, MAKELPARAM(over.x, over.y));
  int y, m, d;
  picker_.GetSelection(y, m, d);
  EXPECT_EQ(d, 20);
  picker_.SendMessage(NBDP_DRAGEND, 0, 0);
  picker_.GetSelection(y, m, d);
  EXPECT_EQ(d, 2) << "the drag ended elsewhere";
  LRESULT t = picker_.SendMessage(NBDP_DROP, 0, MAKELPARAM(over.x, over.y));
  EXPECT_EQ(t, Utc(2004, 3, 20, 0));
  picker_.GetSelection(y, m, d);
  EXPECT_EQ(d, 20);
}

// Calendars of a fixed size stand centred; every day shown can be reached.
TEST_F(PickerTest, CentredFixedSizeCalendarsAnswerWhereTheyAreDrawn) {
  MakePicker(2, 1, 400, 160, 150, 150);
  ASSERT_EQ(picker_.GetCalBounds(0).left, 50);
  for (int day : {19, 20}) {
    Click(Hwnd(), CellOf(0, 2004, 3, day));
    int y, m, d;
    picker_.GetSelection(y, m, d);
    EXPECT_EQ(CNbDate(y, m, d), CNbDate(2004, 3, day)) << "a click on " << day << " March";
  }
  nbp::test::MoveTo(Hwnd(), CellOf(0, 2004, 3, 27));
  ASSERT_FALSE(parent_.tipDates.empty());
  EXPECT_EQ(parent_.tipDates.back(), CNbDate(2004, 3, 27)) << "the tooltip asks for the day under the mouse";
  CPoint over = CellOf(0, 2004, 3, 13);
  picker_.ClientToScreen(&over);
  EXPECT_EQ(picker_.SendMessage(NBDP_DROP, 0, MAKELPARAM(over.x, over.y)), Utc(2004, 3, 13, 0));
  CPoint next = CellOf(0, 2004, 3, 14);
  picker_.ClientToScreen(&next);
  picker_.SendMessage(NBDP_DRAGOVER, 0, MAKELPARAM(next.x, next.y));
  int y, m, d;
  picker_.GetSelection(y, m, d);
  EXPECT_EQ(d, 14) << "a drag passing over a day shows it selected";
  picker_.SendMessage(NBDP_DRAGEND, 0, 0);
  nbp::test::MoveTo(Hwnd(), Rects(0).m_rcYear.CenterPoint());
  nbp::test::AdvanceClock(20);
  EXPECT_EQ(picker_.m_nRolloverCal, 0);
  EXPECT_EQ(picker_.m_nRolloverPart, CNbDatePicker::kHitYear) << "the first calendar's year turns hot";
  nbp::test::MoveTo(Hwnd(), Rects(1).m_rcNext.CenterPoint());
  nbp::test::AdvanceClock(20);
  EXPECT_EQ(picker_.m_nRolloverCal, 1);
  EXPECT_EQ(picker_.m_nRolloverPart, CNbDatePicker::kHitNext);
}

TEST_F(PickerTest, ArrowKeysMoveByTheDaysTheCalendarShows) {
  MakePicker(1, 1, 200, 170);
  picker_.SetMinYear(1700);
  picker_.SetFocus();
  auto selection = [&] {
    int y, m, d;
    picker_.GetSelection(y, m, d);
    return CNbDate(y, m, d);
  };
  picker_.SetSelection(1752, 9, 2, FALSE);
  nbp::test::PressKey(VK_RIGHT);
  EXPECT_EQ(selection(), CNbDate(1752, 9, 14)) << "the day after 2 September 1752";
  nbp::test::PressKey(VK_LEFT);
  EXPECT_EQ(selection(), CNbDate(1752, 9, 2));
  nbp::test::PressKey(VK_DOWN);
  EXPECT_EQ(selection(), CNbDate(1752, 9, 20)) << "a week of shown days";
  nbp::test::PressKey(VK_UP);
  EXPECT_EQ(selection(), CNbDate(1752, 9, 2));
  picker_.SetSelection(1700, 2, 28, FALSE);
  nbp::test::PressKey(VK_RIGHT);
  EXPECT_EQ(selection(), CNbDate(1700, 2, 29)) << "1700 is a leap year before the switch";
  nbp::test::PressKey(VK_RIGHT);
  EXPECT_EQ(selection(), CNbDate(1700, 3, 1));
  const PickerMessage* m = parent_.Last(NBDP_SELCHANGE);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->lParam, MAKELPARAM(1, 3));
}

TEST_F(PickerTest, NoMenuKeyOrPageLeavesTheAllowedYears) {
  auto selection = [&] {
    int y, m, d;
    picker_.GetSelection(y, m, d);
    return CNbDate(y, m, d);
  };
  MakePicker(1, 1, 200, 170);
  picker_.SetMinYear(2004);
  picker_.SetMaxYear(2004);
  picker_.SetSelection(2004, 6, 15, FALSE);
  nbp::test::Pump();
  nbp::Headless()->ChooseMenuCommand(9);  // the last entry, if there were nine
  nbp::test::Click(Hwnd(), Rects(0).m_rcYear.CenterPoint());
  ASSERT_FALSE(nbp::Headless()->Menus().empty());
  const nbp::PopupMenuRequest& menu = nbp::Headless()->Menus().back();
  ASSERT_EQ(menu.items.size(), 1u) << "only 2004 may be chosen";
  EXPECT_EQ(menu.items[0].text, "2004");
  EXPECT_EQ(selection(), CNbDate(2004, 6, 15));
  picker_.DestroyWindow();

  MakePicker(3, 1, 600, 170);
  picker_.SetMinYear(1970);
  picker_.SetMaxYear(2031);
  picker_.SetSelection(2031, 12, 1, FALSE);
  int m, y;
  picker_.GetDisplayMonth(&m, &y);
  EXPECT_EQ(CNbDate(y, m, 1), CNbDate(2031, 10, 1)) << "the calendars end at December 2031";
  picker_.SetFocus();
  size_t beeps = Beeps().size();
  nbp::test::PressKey(VK_END);
  EXPECT_EQ(selection(), CNbDate(2031, 12, 1));
  EXPECT_EQ(Beeps().size(), beeps + 1);
  picker_.DestroyWindow();

  MakePicker(3, 2, 600, 340);
  picker_.SetDisplayMonth(6, 2031, FALSE);
  picker_.SetSelection(2031, 9, 15, FALSE);
  picker_.SetFocus();
  beeps = Beeps().size();
  nbp::test::PressKey(VK_NEXT);
  EXPECT_EQ(selection(), CNbDate(2031, 9, 15)) << "six months on would show 2032";
  picker_.GetDisplayMonth(&m, &y);
  EXPECT_EQ(CNbDate(y, m, 1), CNbDate(2031, 6, 1));
  EXPECT_EQ(Beeps().size(), beeps + 1);
  nbp::test::PressKey(VK_PRIOR);
  picker_.GetDisplayMonth(&m, &y);
  EXPECT_EQ(CNbDate(y, m, 1), CNbDate(2030, 12, 1)) << "back is still allowed";
}

TEST_F(PickerTest, ALongWheelTurnMovesOnce) {
  MakePicker(1, 1, 200, 170);
  picker_.SetSelection(2004, 3, 10, FALSE);
  picker_.SetFocus();
  parent_.received.clear();
  nbp::test::Wheel(Hwnd(), CPoint(50, 50), -1200);
  int y, m, d;
  picker_.GetSelection(y, m, d);
  EXPECT_EQ(CNbDate(y, m, d), CNbDate(2004, 3, 20)) << "ten notches, ten days";
  EXPECT_EQ(parent_.Count(NBDP_SELCHANGE), 1);
  picker_.SetMaxYear(2004);
  picker_.SetSelection(2004, 12, 25, FALSE);
  parent_.received.clear();
  size_t beeps = Beeps().size();
  nbp::test::Wheel(Hwnd(), CPoint(50, 50), -32768);
  picker_.GetSelection(y, m, d);
  EXPECT_EQ(CNbDate(y, m, d), CNbDate(2004, 12, 31)) << "as far as the last allowed year goes";
  EXPECT_EQ(Beeps().size(), beeps + 1);
  EXPECT_EQ(parent_.Count(NBDP_SELCHANGE), 1);
}
