// The day picker dialog, run modally and driven as a user.
#include <cmath>

#include "calendar/day_picker_dlg.h"
#include "date_picker_fixture.h"
#include "mfc/time.h"

namespace {

// The running dialog and its calendar, found as a user finds them: on screen.
HWND RunningDialog() { return GetActiveWindow(); }
HWND PickerOf(HWND dialog) { return GetDlgItem(dialog, CNbDayPickerDlg::kPickerId); }

CNbDatePicker* Picker(HWND dialog) { return static_cast<CNbDatePicker*>(CWnd::FromHandlePermanent(PickerOf(dialog))); }

void ClickButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  RECT r;
  GetClientRect(button, &r);
  nbp::test::Click(button, POINT{r.right / 2, r.bottom / 2});
}

double Date(int y, int m, int d) { return COleDateTime(y, m, d, 0, 0, 0).m_dt; }

}  // namespace

class DayPickerTest : public PickerTest {};

TEST_F(DayPickerTest, OpensOnTheGivenDateAndOkReturnsIt) {
  double date = Date(2004, 6, 15) + 0.5;  // noon
  int shownMonth = 0, selectedDay = 0;
  nbp::Headless()->WhenIdle([&] {
    HWND dlg = RunningDialog();
    ASSERT_NE(Picker(dlg), nullptr);
    int y;
    Picker(dlg)->GetDisplayMonth(&shownMonth, &y);
    int sy, sm;
    Picker(dlg)->GetSelection(sy, sm, selectedDay);
    ClickButton(dlg, IDOK);
  });
  EXPECT_EQ(NbDisplayNbDayPickerDlg(date), 1);
  EXPECT_EQ(shownMonth, 6);
  EXPECT_EQ(selectedDay, 15);
  EXPECT_EQ(date, Date(2004, 6, 15)) << "the chosen day at 0:00";
}

TEST_F(DayPickerTest, TodayThenOkGivesToday) {
  double date = Date(2001, 1, 5);
  nbp::Headless()->WhenIdle([&] {
    HWND dlg = RunningDialog();
    ClickButton(dlg, CNbDayPickerDlg::kTodayId);
    ClickButton(dlg, IDOK);
  });
  EXPECT_EQ(NbDisplayNbDayPickerDlg(date), 1);
  EXPECT_EQ(date, Date(2004, 3, 10));
}

TEST_F(DayPickerTest, DoubleClickOnADayClosesAtOnce) {
  double date = Date(2004, 3, 10);
  nbp::Headless()->WhenIdle([&] {
    HWND dlg = RunningDialog();
    CNbDatePicker* picker = Picker(dlg);
    int cell = -1;
    ASSERT_TRUE(picker->DateToGrid(0, CNbDate(2004, 3, 24), &cell));
    nbp::test::DoubleClick(picker->m_hWnd, picker->GetCellRect(0, cell).CenterPoint());
  });
  EXPECT_EQ(NbDisplayNbDayPickerDlg(date), 1);
  EXPECT_EQ(date, Date(2004, 3, 24));
}

TEST_F(DayPickerTest, NeighbourDayDoubleClickKeepsTheDialogOpen) {
  double date = Date(2004, 3, 10);
  bool stillOpen = false;
  int selectedMonth = 0, selectedDay = 0;
  nbp::Headless()->WhenIdle([&] {
    HWND dlg = RunningDialog();
    CNbDatePicker* picker = Picker(dlg);
    // 29 February stands in the first cell of March 2004.
    CPickerRects r;
    picker->GetCalRects(picker->GetCalBounds(0), r);
    nbp::test::DoubleClick(picker->m_hWnd, POINT{r.m_rcDays.left + 5, r.m_rcDays.top + 5});
  });
  nbp::Headless()->WhenIdle([&] {
    HWND dlg = RunningDialog();
    stillOpen = IsWindow(dlg) && Picker(dlg) != nullptr;
    if (stillOpen) {
      int y;
      Picker(dlg)->GetSelection(y, selectedMonth, selectedDay);
    }
    ClickButton(dlg, IDCANCEL);
  });
  EXPECT_EQ(NbDisplayNbDayPickerDlg(date), 0) << "cancelled";
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(selectedMonth, 2);
  EXPECT_EQ(selectedDay, 29);
  EXPECT_EQ(date, Date(2004, 3, 10)) << "Cancel leaves the caller's date alone";
}

TEST_F(DayPickerTest, MinusOneOpensOnToday) {
  CNbDayPickerDlg dlg(-1.0, &parent_);
  int month = 0, day = 0;
  bool ownerDisabled = false;
  nbp::Headless()->WhenIdle([&] {
    HWND h = RunningDialog();
    int y, m;
    Picker(h)->GetSelection(y, m, day);
    Picker(h)->GetDisplayMonth(&month, &y);
    ownerDisabled = !parent_.IsWindowEnabled();
    nbp::test::PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(month, 3);
  EXPECT_EQ(day, 10);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(parent_.IsWindowEnabled());
}

TEST_F(DayPickerTest, NotADateOpensOnTodayToo) {
  CNbDayPickerDlg dlg(std::nan(""), nullptr);
  EXPECT_EQ(COleDateTime(dlg.m_date).GetYear(), 2004);
}

TEST_F(DayPickerTest, YearMenuKeepsToTheDialogsYears) {
  CNbDayPickerDlg dlg(Date(2004, 6, 15), nullptr);
  dlg.SetMinYear(2004);
  dlg.SetMaxYear(2004);
  nbp::Headless()->WhenIdle([&] {
    HWND h = RunningDialog();
    CNbDatePicker* picker = Picker(h);
    ASSERT_NE(picker, nullptr);
    CPickerRects r;
    picker->GetCalRects(picker->GetCalBounds(0), r);
    nbp::Headless()->ChooseMenuCommand(9);
    nbp::test::Click(picker->m_hWnd, r.m_rcYear.CenterPoint());
    ClickButton(h, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  int y, m, d;
  dlg.GetSelectYearMonthDay(y, m, d);
  EXPECT_EQ(CNbDate(y, m, d), CNbDate(2004, 6, 15));
}
