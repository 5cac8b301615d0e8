#include "calendar/date_functions.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "win/locale.h"
#include "nbp/time_parts.h"

int NbGetCTimeValid(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond, CTime& timeOut,
                    int isDst) {
  timeOut = CTime(static_cast<time_t>(-1));
  // struct tm counts years from 1900 and months from 0; a field that does not
  // survive that shift is no date at all.
  if (nYear < INT_MIN + 1900 || nMonth == INT_MIN) return 0;
  struct tm t = nbp::time_parts::ToTm(nYear, nMonth, nDay, nHour, nMinute, nSecond, isDst);
  LONG value = _mktime32(&t);
  if (value == -1) {
    if (nYear == 1970 && nMonth == 1 && nDay == 1) timeOut = CTime(1970, 1, 2, nHour, nMinute, nSecond, isDst);
    return 0;
  }
  timeOut = CTime(static_cast<time_t>(value));
  return 1;
}

long NbGetValidCTime(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond, int isDst) {
  CTime time;
  if (!NbGetCTimeValid(nYear, nMonth, nDay, nHour, nMinute, nSecond, time, isDst)) return -1;
  return static_cast<long>(time.GetTime());
}

CString NbGetDate(double date, int shortForm) {
  if (!(date > 0.0)) return CString();  // also NaN
  SYSTEMTIME st{};
  if (!COleDateTime(date).GetAsSystemTime(st)) return CString();

  char calendar[2] = "";
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ICALENDARTYPE, calendar, sizeof calendar) &&
      std::atoi(calendar) == CAL_JAPAN)
    return CString();

  DWORD flags = shortForm ? DATE_SHORTDATE : DATE_LONGDATE;
  int length = GetDateFormatA(LOCALE_USER_DEFAULT, flags, &st, nullptr, nullptr, 0);
  if (length <= 0) return CString();
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  if (!GetDateFormatA(LOCALE_USER_DEFAULT, flags, &st, nullptr, buffer.data(), length + 1)) return CString();
  return CString(buffer.data());
}
