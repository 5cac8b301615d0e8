// Conversions between the shapes a calendar date and time take here:
// SYSTEMTIME (months from 1, years as written), struct tm (months from 0,
// years counted from 1900) and separate fields. Nothing is checked or
// normalised: mktime and the date types do that.
#pragma once

#include <ctime>

#include "win/types.h"

namespace nbp::time_parts {

// Milliseconds are 0; dayOfWeek counts from 0 for Sunday.
inline SYSTEMTIME ToSystemTime(int year, int month, int day, int hour, int minute, int second, int dayOfWeek = 0) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDayOfWeek = static_cast<WORD>(dayOfWeek);
  st.wDay = static_cast<WORD>(day);
  st.wHour = static_cast<WORD>(hour);
  st.wMinute = static_cast<WORD>(minute);
  st.wSecond = static_cast<WORD>(second);
  return st;
}

inline SYSTEMTIME ToSystemTime(const struct tm& t) {
  return ToSystemTime(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, t.tm_wday);
}

// isdst as mktime reads it: negative lets mktime decide from the zone.
inline struct tm ToTm(int year, int month, int day, int hour, int minute, int second, int isdst = -1) {
  struct tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  t.tm_isdst = isdst;
  return t;
}

inline struct tm ToTm(const SYSTEMTIME& st, int isdst = -1) {
  return ToTm(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, isdst);
}

}  // namespace nbp::time_parts
