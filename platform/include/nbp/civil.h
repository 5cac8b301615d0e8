// Day counting in the proleptic Gregorian calendar, shared by the date types,
// the locale functions and the library's calendars.
#pragma once

#include <cstdint>

#include "win/types.h"

namespace nbp::civil {

inline bool IsLeap(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

// Days in each month, indexed [leap][month - 1]. Callers whose leap rule is
// not the Gregorian one (a calendar that was Julian before 1752) choose the
// row themselves.
inline constexpr int kMonthDays[2][12] = {
    {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

// Days in month m of a year that is leap or not; 0 for a month outside 1-12.
constexpr int MonthLength(int m, bool leap) { return m < 1 || m > 12 ? 0 : kMonthDays[leap ? 1 : 0][m - 1]; }

inline int DaysInMonth(int64_t y, int m) { return MonthLength(m, IsLeap(y)); }

// Days from 1 January 1970 to the given date.
inline int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

inline void CivilFromDays(int64_t z, int64_t& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = yoe + era * 400 + (m <= 2);
}

// 0 Sunday ... 6 Saturday of a day counted from 1 January 1970 (a Thursday).
inline int Weekday(int64_t days) {
  int64_t w = (days + 4) % 7;
  return static_cast<int>(w < 0 ? w + 7 : w);
}

inline bool ValidDate(int64_t y, int m, int d, int64_t minYear, int64_t maxYear) {
  return y >= minYear && y <= maxYear && m >= 1 && m <= 12 && d >= 1 && d <= DaysInMonth(y, m);
}

inline bool ValidTime(int h, int mi, int s) {
  return h >= 0 && h <= 23 && mi >= 0 && mi <= 59 && s >= 0 && s <= 59;
}

}  // namespace nbp::civil
