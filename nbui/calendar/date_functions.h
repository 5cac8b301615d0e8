// Exported date helpers: date parts to a time value, and an automation date
// to the user's date text.
#pragma once

#include "mfc/cstring.h"
#include "mfc/time.h"
#include "frame/nbui_export.h"

// Builds the local time (isDst: 0 standard time, positive daylight time,
// negative let the runtime decide) with the runtime's mktime, which
// normalises fields out of range (30 February is 1 March). Returns 1 with
// the value in timeOut; returns 0 with timeOut = -1 for a time the 32-bit
// time value cannot hold (before 1970, after 2038), except that 1 January
// 1970, which a time zone east of UTC puts before 1970, gives 2 January 1970
// at the same time of day in timeOut (still returning 0).
NBUI_API int NbGetCTimeValid(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond, CTime& timeOut,
                             int isDst = -1);

// The time value of NbGetCTimeValid, or -1 whenever it returns 0.
NBUI_API long NbGetValidCTime(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond, int isDst = -1);

// The date of an automation date in the user's short (shortForm nonzero) or
// long date format. Empty for a date not above 0.0, NaN, a date beyond the
// year 9999, or when the user's calendar is the Japanese era calendar.
NBUI_API CString NbGetDate(double date, int shortForm);
