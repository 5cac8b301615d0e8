// Month grids: the layouts the date picker draws, including the 1752 switch.
#include <gtest/gtest.h>
#include <unicode/gregocal.h>

#include <climits>
#include <cstring>
#include <memory>
#include <vector>

#include "calendar/month_grid.h"
#include "calendar/nb_date.h"

namespace {

struct Cell {
  int index, day, month;
};

void ExpectCells(const CMonthGrid& g, const std::vector<Cell>& cells) {
  for (const Cell& c : cells) {
    EXPECT_EQ(g.m_naCellDay[c.index], c.day) << "cell " << c.index;
    EXPECT_EQ(g.m_naCellMonth[c.index], c.month) << "cell " << c.index;
  }
}

TEST(MonthGrid, January2004SundayFirst) {
  CMonthGrid g(1, 2004, 0);
  ExpectCells(g, {{0, 28, 12}, {3, 31, 12}, {4, 1, 1}, {34, 31, 1}, {35, 1, 2}, {39, 5, 2}, {41, 7, 2}});
  int d, m, y;
  g.GetCellDate(0, d, m, y);
  EXPECT_EQ(CNbDate(y, m, d), CNbDate(2003, 12, 28));
  g.GetCellDate(41, d, m, y);
  EXPECT_EQ(CNbDate(y, m, d), CNbDate(2004, 2, 7));
}

TEST(MonthGrid, January2004MondayFirst) {
  CMonthGrid g(1, 2004, 1);
  ExpectCells(g, {{0, 29, 12}, {2, 31, 12}, {3, 1, 1}, {41, 8, 2}});
}

TEST(MonthGrid, February2004InBothWeekStarts) {
  CMonthGrid sunday(2, 2004, 0);
  ExpectCells(sunday, {{0, 1, 2}, {28, 29, 2}, {29, 1, 3}, {41, 13, 3}});
  CMonthGrid monday(2, 2004, 1);
  ExpectCells(monday, {{0, 26, 1}, {5, 31, 1}, {6, 1, 2}, {34, 29, 2}, {41, 7, 3}});
}

TEST(MonthGrid, DecemberCellsWrapIntoTheNextYear) {
  CMonthGrid g(12, 2004, 0);  // 1 December 2004 is a Wednesday
  ExpectCells(g, {{0, 28, 11}, {3, 1, 12}, {34, 1, 1}});
  int d, m, y;
  g.GetCellDate(34, d, m, y);
  EXPECT_EQ(CNbDate(y, m, d), CNbDate(2005, 1, 1));
  g.GetCellDate(0, d, m, y);
  EXPECT_EQ(CNbDate(y, m, d), CNbDate(2004, 11, 28));
  g.GetCellDate(42, d, m, y);
  EXPECT_EQ(CNbDate(y, m, d), CNbDate(0, 0, 0));
  g.GetCellDate(-1, d, m, y);
  EXPECT_EQ(CNbDate(y, m, d), CNbDate(0, 0, 0));
}

TEST(MonthGrid, FebruaryLengthFollowsTheCalendarOfItsYear) {
  struct Case {
    int year, days;
  } cases[] = {{1700, 29}, {1800, 28}, {1900, 28}, {2000, 29}, {2004, 29}, {2100, 28}, {1752, 29}};
  for (const Case& c : cases) {
    for (WORD monday : {0, 1}) {
      CMonthGrid g(2, c.year, monday);
      EXPECT_EQ(g.FindCell(c.days, 2), g.FindCell(1, 2) + c.days - 1) << c.year;
      EXPECT_EQ(g.FindCell(c.days + 1, 2), CMonthGrid::kCells) << c.year;
      // The March grid starts its leading days from February's last.
      CMonthGrid march(3, c.year, monday);
      int first = march.FindCell(1, 3);
      if (first > 0) {
        EXPECT_EQ(march.m_naCellDay[first - 1], c.days) << c.year;
      }
    }
  }
}

TEST(MonthGrid, September1752SkipsElevenDaysInEitherWeekStart) {
  for (WORD monday : {0, 1}) {
    CMonthGrid g(9, 1752, monday);
    ExpectCells(g, {{0, -1, 9}, {1, -1, 9}, {2, 1, 9}, {3, 2, 9}, {4, 14, 9}, {20, 30, 9}, {21, -1, 9}, {41, -1, 9}});
    EXPECT_EQ(g.FindCell(3, 9), CMonthGrid::kCells);
    EXPECT_EQ(g.FindCell(14, 9), 4);
  }
}

TEST(MonthGrid, MonthsAround1752StartOnTheirTrueWeekday) {
  EXPECT_EQ(CMonthGrid(10, 1752, 0).FindCell(1, 10), 0);  // Sunday
  EXPECT_EQ(CMonthGrid(8, 1752, 0).FindCell(1, 8), 6);   // Saturday
  EXPECT_EQ(CMonthGrid(10, 1752, 1).FindCell(1, 10), 6);
  ExpectCells(CMonthGrid(10, 1752, 1), {{0, 25, 9}, {5, 30, 9}});
  // August's trailing week shows September as it was: 1, 2, then 14.
  ExpectCells(CMonthGrid(8, 1752, 0), {{37, 1, 9}, {38, 2, 9}, {39, 14, 9}, {41, 16, 9}});
  ExpectCells(CMonthGrid(8, 1752, 1), {{36, 1, 9}, {37, 2, 9}, {38, 14, 9}, {41, 17, 9}});
}

TEST(MonthGrid, WeekdayOfEveryFirstAgreesWithIcuFrom1753To2100) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::GregorianCalendar> cal(
      new icu::GregorianCalendar(icu::TimeZone::createTimeZone("UTC"), icu::Locale("en_US"), status));
  ASSERT_TRUE(U_SUCCESS(status));
  for (int year = 1753; year <= 2100; ++year) {
    for (int month = 1; month <= 12; ++month) {
      cal->clear();
      cal->set(year, month - 1, 1);
      int expected = cal->get(UCAL_DAY_OF_WEEK, status) - 1;
      ASSERT_EQ(CMonthGrid::DayOfWeek(1, month, year), expected) << year << "-" << month;
      CMonthGrid sunday(month, year, 0);
      ASSERT_EQ(sunday.FindCell(1, month), expected) << year << "-" << month;
      CMonthGrid monday(month, year, 1);
      ASSERT_EQ(monday.FindCell(1, month), expected == 0 ? 6 : expected - 1) << year << "-" << month;
    }
  }
}

TEST(MonthGrid, EveryCellFollowsTheOneBefore) {
  // Away from 1752 the 42 cells are 42 consecutive days.
  for (int year : {1700, 1800, 1900, 2000, 2004}) {
    for (int month = 1; month <= 12; ++month) {
      for (WORD monday : {0, 1}) {
        CMonthGrid g(month, year, monday);
        for (int i = 1; i < CMonthGrid::kCells; ++i) {
          int d0, m0, y0, d1, m1, y1;
          g.GetCellDate(i - 1, d0, m0, y0);
          g.GetCellDate(i, d1, m1, y1);
          bool sameMonth = m0 == m1 && y0 == y1 && d1 == d0 + 1;
          bool nextMonth = d1 == 1 && (m1 == m0 % 12 + 1) && y1 == y0 + (m0 == 12 ? 1 : 0);
          ASSERT_TRUE(sameMonth || nextMonth) << year << "-" << month << " cell " << i;
        }
      }
    }
  }
}

TEST(MonthGrid, RefusesMonthsAndYearsThatAreNoDate) {
  CMonthGrid g(6, 2004, 0);
  const CMonthGrid before = g;
  for (auto [month, year] : {std::pair{0, 2004}, {13, 2004}, {-5, 2004}, {6, 0}, {6, -100}, {INT_MIN, INT_MIN}, {1, INT_MAX}}) {
    g.Fill(month, year);
    EXPECT_EQ(g.m_nMonth, 6);
    EXPECT_EQ(g.m_nYear, 2004);
    EXPECT_EQ(0, memcmp(g.m_naCellDay, before.m_naCellDay, sizeof g.m_naCellDay));
  }
  EXPECT_EQ(CMonthGrid::DayOfWeek(1, 13, 2004), -1);
  EXPECT_EQ(CMonthGrid::DayOfWeek(1, 1, 0), -1);
  EXPECT_EQ(CMonthGrid::DayOfYear(1, 0, 2004), -1);
  CMonthGrid far(12, INT_MAX - 1, 1);  // the largest year still lays out
  EXPECT_EQ(far.m_nYear, INT_MAX - 1);
  int d, m, y;
  far.GetCellDate(41, d, m, y);
  EXPECT_EQ(CNbDate(y, m, d).m_nYear, INT_MAX);
  CMonthGrid empty;
  EXPECT_EQ(empty.FindCell(1, 1), CMonthGrid::kCells);
}

TEST(NbDate, ComparesWithoutTheMark) {
  EXPECT_TRUE(CNbDate(2004, 2, 3, 1) == CNbDate(2004, 2, 3, 7));
  EXPECT_TRUE(CNbDate(2004, 2, 3) != CNbDate(2004, 2, 4));
  EXPECT_EQ(CNbDate().m_nMark, 0);
  CNbDate d(2004, 2, 3, 5);
  d.Empty();
  EXPECT_EQ(d.m_nYear + d.m_nMonth + d.m_nDay + d.m_nMark, 0);
}

}  // namespace

TEST(MonthGridStepDays, CountsTheDaysTheGridsShow) {
  struct Case {
    int day, month, year, by, wantDay, wantMonth, wantYear;
  } cases[] = {
      {2, 9, 1752, 1, 14, 9, 1752},    {14, 9, 1752, -1, 2, 9, 1752},  {31, 8, 1752, 2, 2, 9, 1752},
      {2, 9, 1752, 7, 20, 9, 1752},    {20, 9, 1752, -7, 2, 9, 1752},  {28, 2, 1700, 1, 29, 2, 1700},
      {25, 2, 1700, 7, 3, 3, 1700},    {28, 2, 1800, 1, 1, 3, 1800},   {31, 12, 2004, 1, 1, 1, 2005},
      {1, 1, 2005, -1, 31, 12, 2004},  {1, 3, 2004, -1, 29, 2, 2004},  {15, 6, 2004, 0, 15, 6, 2004},
      {1, 1, 2004, 366, 1, 1, 2005},   {30, 9, 1752, -18, 1, 9, 1752},
  };
  for (const Case& c : cases) {
    int d = c.day, m = c.month, y = c.year;
    ASSERT_TRUE(CMonthGrid::StepDays(d, m, y, c.by)) << c.day << "." << c.month << "." << c.year << " by " << c.by;
    EXPECT_EQ(d, c.wantDay) << c.day << "." << c.month << "." << c.year << " by " << c.by;
    EXPECT_EQ(m, c.wantMonth) << c.day << "." << c.month << "." << c.year << " by " << c.by;
    EXPECT_EQ(y, c.wantYear) << c.day << "." << c.month << "." << c.year << " by " << c.by;
  }
}

TEST(MonthGridStepDays, RefusesDatesNoGridShows) {
  int d = 5, m = 9, y = 1752;
  EXPECT_FALSE(CMonthGrid::StepDays(d, m, y, 1)) << "5 September 1752 never was";
  EXPECT_EQ(d, 5);
  d = 30, m = 2, y = 2004;
  EXPECT_FALSE(CMonthGrid::StepDays(d, m, y, 1));
  d = 1, m = 1, y = 1;
  EXPECT_FALSE(CMonthGrid::StepDays(d, m, y, -1)) << "nothing before year 1";
  EXPECT_EQ(y, 1);
  d = 1, m = 13, y = 2004;
  EXPECT_FALSE(CMonthGrid::StepDays(d, m, y, 1));
}
