#include "calendar/month_grid.h"

#include <climits>
#include <cstdint>
#include <cstring>

#include "nbp/civil.h"

namespace {

// September 1752 in Sunday-first order: 2 September was followed by 14
// September when Britain moved to the Gregorian calendar.
const int kSeptember1752[CMonthGrid::kCells] = {
    -1, -1, 1,  2,  14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30,
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
};

// Day counts (from 1 January of year 1) around the calendar switch: up to
// the first bound the Julian weekday formula holds, from the second the
// Gregorian one; the days between are the ones that were skipped.
constexpr int64_t kLastJulianDay = 639787;
constexpr int64_t kFirstGregorianDay = 639798;

int MonthLength(int month, int year) { return nbp::civil::kMonthDays[CMonthGrid::IsLeapYear(year)][month - 1]; }

// The day after `day` in the month after a grid's month (of the grid's year:
// only January follows into the next), which skips the days dropped in
// September 1752 (the August 1752 grid shows its first week).
int NextDay(int day, int month, int year) {
  if (month == 9 && year == 1752 && day == 2) return 14;
  return day + 1;
}

}  // namespace

CMonthGrid::CMonthGrid() : m_naCellMonth{}, m_naCellDay{}, m_nMonth(0), m_nYear(0), m_wMondayFirst(0) {}

CMonthGrid::CMonthGrid(WORD wMondayFirst) : CMonthGrid() { m_wMondayFirst = wMondayFirst; }

CMonthGrid::CMonthGrid(int nMonth, int nYear, WORD wMondayFirst) : CMonthGrid(wMondayFirst) { Fill(nMonth, nYear); }

int CMonthGrid::IsLeapYear(int nYear) {
  if (nYear > 1752) return ((nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0) ? 1 : 0;
  return nYear % 4 == 0 ? 1 : 0;
}

int CMonthGrid::LeapDaysBefore(int nYear) {
  int centuriesDropped = nYear < 1701 ? 0 : nYear / 100 - 17;
  int centuriesKept = nYear < 1601 ? 0 : (nYear - 1600) / 400;
  return nYear / 4 - centuriesDropped + centuriesKept;
}

int CMonthGrid::DayOfYear(int nDay, int nMonth, int nYear) {
  if (nMonth < 1 || nMonth > 12) return -1;
  const int* lengths = nbp::civil::kMonthDays[IsLeapYear(nYear)];
  int day = nDay;
  for (int m = 0; m < nMonth - 1; ++m) day += lengths[m];
  return day;
}

int CMonthGrid::DayOfWeek(int nDay, int nMonth, int nYear) {
  if (nMonth < 1 || nMonth > 12 || nYear < 1) return -1;
  int64_t n = (static_cast<int64_t>(nYear) - 1) * 365 + LeapDaysBefore(nYear - 1) + DayOfYear(nDay, nMonth, nYear);
  if (n < 0) return -1;
  if (n < kLastJulianDay) return static_cast<int>((n + 5) % 7);
  if (n >= kFirstGregorianDay) return static_cast<int>((n - 6) % 7);
  return 4;
}

void CMonthGrid::Fill(int nMonth, int nYear) {
  // The year after the grid's must still be a number (see GetCellDate).
  if (nMonth < 1 || nMonth > 12 || nYear < 1 || nYear == INT_MAX) return;
  int prev = nMonth - 1 < 1 ? 12 : nMonth - 1;
  int next = nMonth + 1 > 12 ? 1 : nMonth + 1;

  m_nMonth = nMonth;
  m_nYear = nYear;
  if (nMonth == 9 && nYear == 1752) {
    std::memcpy(m_naCellDay, kSeptember1752, sizeof m_naCellDay);
    for (int& m : m_naCellMonth) m = 9;
    return;
  }

  // The previous month's length comes from the grid's own year: December is
  // 31 days in any year, and February precedes March in the same year.
  const int prevLength = MonthLength(prev, nYear);
  const int length = MonthLength(nMonth, nYear);
  const int first = DayOfWeek(1, nMonth, nYear);

  for (int i = first - 1, day = prevLength; i >= 0; --i, --day) {
    m_naCellDay[i] = day;
    m_naCellMonth[i] = prev;
  }
  for (int i = first; i < first + length; ++i) {
    m_naCellDay[i] = i - first + 1;
    m_naCellMonth[i] = nMonth;
  }
  for (int i = first + length, day = 1; i < kCells; ++i, day = NextDay(day, next, nYear)) {
    m_naCellDay[i] = day;
    m_naCellMonth[i] = next;
  }

  if (!m_wMondayFirst) return;
  if (m_naCellDay[0] == 1) {
    // A month that begins on a Sunday moves down a whole week so that the
    // Sunday ends the first row.
    std::memmove(m_naCellDay + 6, m_naCellDay, 36 * sizeof(int));
    std::memmove(m_naCellMonth + 6, m_naCellMonth, 36 * sizeof(int));
    for (int i = 5, day = prevLength; i >= 0; --i, --day) {
      m_naCellDay[i] = day;
      m_naCellMonth[i] = prev;
    }
  } else {
    std::memmove(m_naCellDay, m_naCellDay + 1, 41 * sizeof(int));
    std::memmove(m_naCellMonth, m_naCellMonth + 1, 41 * sizeof(int));
    m_naCellDay[41] = NextDay(m_naCellDay[40], next, nYear);
  }
}

int CMonthGrid::FindCell(int nDay, int nMonth) const {
  for (int i = 0; i < kCells; ++i)
    if (m_naCellMonth[i] == nMonth && m_naCellDay[i] == nDay) return i;
  return kCells;
}

void CMonthGrid::GetCellDate(int nIndex, int& nDay, int& nMonth, int& nYear) const {
  if (nIndex < 0 || nIndex >= kCells) {
    nDay = nMonth = nYear = 0;
    return;
  }
  nDay = m_naCellDay[nIndex];
  nMonth = m_naCellMonth[nIndex];
  nYear = m_nYear;
  if (m_nMonth == 1 && nMonth == 12) --nYear;
  if (m_nMonth == 12 && nMonth == 1) ++nYear;
}

bool CMonthGrid::StepDays(int& nDay, int& nMonth, int& nYear, int nDays) {
  int month = nMonth, year = nYear;
  CMonthGrid grid(0);
  grid.Fill(month, year);
  if (grid.m_nMonth != month || grid.m_nYear != year) return false;
  int cell = nDay >= 1 ? grid.FindCell(nDay, month) : kCells;
  if (cell == kCells) return false;
  const int dir = nDays < 0 ? -1 : 1;
  auto own = [&](int i) { return i >= 0 && i < kCells && grid.m_naCellMonth[i] == month && grid.m_naCellDay[i] >= 1; };
  for (int64_t left = nDays < 0 ? -static_cast<int64_t>(nDays) : nDays; left > 0; --left) {
    if (own(cell + dir)) {
      cell += dir;
      continue;
    }
    // Into the month before or after, at its last or first shown day.
    month += dir;
    if (month == 0 || month == 13) {
      month = month == 0 ? 12 : 1;
      year += dir;
    }
    if (year < 1 || year == INT_MAX) return false;
    grid.Fill(month, year);
    cell = dir > 0 ? 0 : kCells - 1;
    while (!own(cell)) cell += dir;
  }
  nDay = grid.m_naCellDay[cell];
  nMonth = month;
  nYear = year;
  return true;
}
