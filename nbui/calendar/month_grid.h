// CMonthGrid: one month laid out as 6 weeks of 7 days, with the end of the
// month before and the start of the month after in the cells around it.
//
//        Su Mo Tu We Th Fr Sa        cell = row * 7 + column
//   row0 28 29 30 31  1  2  3        (January 2004, Sunday first)
//   row1  4  5  6  7  8  9 10
//   ...
//   row5  1  2  3  4  5  6  7        <- February
//
// Days count in the Julian calendar up to 1752 and the Gregorian calendar
// after it; in September 1752, 3 to 13 September do not exist.
#pragma once

#include "win/types.h"
#include "frame/nbui_export.h"

class NBUI_API CMonthGrid {
 public:
  static constexpr int kCells = 42;

  // An empty grid (no month, no days); the owner sets m_wMondayFirst and
  // calls Fill before use.
  CMonthGrid();
  explicit CMonthGrid(WORD wMondayFirst);
  CMonthGrid(int nMonth, int nYear, WORD wMondayFirst);

  // Lays out month nMonth (1-12) of nYear (1 to INT_MAX - 1). Any other
  // month or year leaves the grid as it was.
  void Fill(int nMonth, int nYear);
  // The first cell showing that day of that month, or kCells (42) when none.
  int FindCell(int nDay, int nMonth) const;
  // The date in a cell; the year is the grid's, one less for December cells
  // of a January grid and one more for January cells of a December grid. A
  // cell index outside 0-41 gives 0, 0, 0. A blank cell (September 1752)
  // gives day -1.
  void GetCellDate(int nIndex, int& nDay, int& nMonth, int& nYear) const;

  // 1 for a leap year: every fourth year up to 1752, the Gregorian rule after.
  static int IsLeapYear(int nYear);
  // Day of the year (from 1); -1 for a month outside 1-12.
  static int DayOfYear(int nDay, int nMonth, int nYear);
  // Leap days in the years 1 to nYear.
  static int LeapDaysBefore(int nYear);
  // 0 Sunday ... 6 Saturday; -1 for a month outside 1-12 or a year below 1.
  // True for the first of every month except September 1752 (see Fill).
  static int DayOfWeek(int nDay, int nMonth, int nYear);
  // Moves a date by nDays of the days the grids show (Julian up to 1752,
  // no 3-13 September 1752); back for a negative count. False, with the date
  // untouched, for a date no grid shows or a walk that leaves years 1 to
  // INT_MAX - 1. Takes time in proportion to |nDays|.
  static bool StepDays(int& nDay, int& nMonth, int& nYear, int nDays);

  int m_naCellMonth[kCells];
  int m_naCellDay[kCells];
  int m_nMonth;
  int m_nYear;
  WORD m_wMondayFirst;
};
