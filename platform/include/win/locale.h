// The Windows locale functions (GetLocaleInfoA, GetDateFormatA,
// GetTimeFormatA, CompareStringA) over ICU, with their usual constants.
//
// Locales: LOCALE_USER_DEFAULT (and LOCALE_NEUTRAL) mean the user's regional
// settings, that is the process locale with the user's overrides
// (nbp/regional.h); LOCALE_SYSTEM_DEFAULT is the process locale without them;
// any other LCID is mapped to its ICU locale and never carries overrides.
// LOCALE_NOUSEROVERRIDE in the flags drops the overrides for the user locale.
//
// Text is UTF-8 and every count is in bytes, as the "A" functions count
// characters of the user's code page. As on Windows, a buffer size of 0 asks
// for the size needed (terminating zero included), and a buffer that is too
// small fails with ERROR_INSUFFICIENT_BUFFER.
//
// Pictures (the lpFormat of GetDateFormatA and GetTimeFormatA, and what
// LOCALE_SSHORTDATE, LOCALE_SLONGDATE and LOCALE_STIMEFORMAT return) use ICU's
// pattern letters: d dd (day), M MM MMM MMMM (month), y yy yyyy (year),
// EEE EEEE (weekday), G (era), h hh H HH (hour), m mm, s ss, a (designator),
// and text in single quotes. The numeric fields read the same as a Windows
// picture ("dd.MM.yyyy", "M/d/yy").
#pragma once

#include "win/types.h"

typedef DWORD LCID;
typedef DWORD LCTYPE;
typedef WORD LANGID;
typedef DWORD CALID;

// --- Errors of the calling thread

#define ERROR_SUCCESS 0L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_INVALID_FLAGS 1004L

DWORD GetLastError();
void SetLastError(DWORD dwErrCode);

// --- Locale identifiers

#define MAKELANGID(p, s) ((((WORD)(s)) << 10) | (WORD)(p))
#define PRIMARYLANGID(lgid) ((WORD)(lgid) & 0x3ff)
#define SUBLANGID(lgid) ((WORD)(lgid) >> 10)
#define MAKELCID(lgid, srtid) ((DWORD)((((DWORD)((WORD)(srtid))) << 16) | ((DWORD)((WORD)(lgid)))))
#define LANGIDFROMLCID(lcid) ((WORD)(lcid))

#define LANG_NEUTRAL 0x00
#define LANG_INVARIANT 0x7f
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_SYS_DEFAULT 0x02
#define SORT_DEFAULT 0x0

#define LANG_SYSTEM_DEFAULT (MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT))
#define LANG_USER_DEFAULT (MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT))
#define LOCALE_SYSTEM_DEFAULT (MAKELCID(LANG_SYSTEM_DEFAULT, SORT_DEFAULT))  // 0x0800
#define LOCALE_USER_DEFAULT (MAKELCID(LANG_USER_DEFAULT, SORT_DEFAULT))      // 0x0400
#define LOCALE_NEUTRAL (MAKELCID(MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), SORT_DEFAULT))
#define LOCALE_INVARIANT (MAKELCID(MAKELANGID(LANG_INVARIANT, SUBLANG_NEUTRAL), SORT_DEFAULT))

LCID GetUserDefaultLCID();
LCID GetSystemDefaultLCID();

// --- GetLocaleInfoA

#define LOCALE_NOUSEROVERRIDE 0x80000000
#define LOCALE_RETURN_NUMBER 0x20000000

#define LOCALE_ILANGUAGE 0x00000001
#define LOCALE_SDECIMAL 0x0000000E
#define LOCALE_STHOUSAND 0x0000000F
#define LOCALE_SDATE 0x0000001D
#define LOCALE_STIME 0x0000001E
#define LOCALE_SSHORTDATE 0x0000001F
#define LOCALE_SLONGDATE 0x00000020
#define LOCALE_IDATE 0x00000021
#define LOCALE_ILDATE 0x00000022
#define LOCALE_ITIME 0x00000023
#define LOCALE_ICENTURY 0x00000024
#define LOCALE_ITLZERO 0x00000025
#define LOCALE_IDAYLZERO 0x00000026
#define LOCALE_IMONLZERO 0x00000027
#define LOCALE_S1159 0x00000028
#define LOCALE_S2359 0x00000029
#define LOCALE_SDAYNAME1 0x0000002A  // Monday; ...NAME7 0x30 is Sunday
#define LOCALE_SDAYNAME7 0x00000030
#define LOCALE_SABBREVDAYNAME1 0x00000031
#define LOCALE_SABBREVDAYNAME7 0x00000037
#define LOCALE_SMONTHNAME1 0x00000038
#define LOCALE_SMONTHNAME12 0x00000043
#define LOCALE_SABBREVMONTHNAME1 0x00000044
#define LOCALE_SABBREVMONTHNAME12 0x0000004F
#define LOCALE_SISO639LANGNAME 0x00000059
#define LOCALE_SISO3166CTRYNAME 0x0000005A
#define LOCALE_SNAME 0x0000005C
#define LOCALE_STIMEFORMAT 0x00001003
#define LOCALE_SYEARMONTH 0x00001006
#define LOCALE_ICALENDARTYPE 0x00001009
#define LOCALE_IFIRSTDAYOFWEEK 0x0000100C

// Calendar types (LOCALE_ICALENDARTYPE).
#define CAL_GREGORIAN 1
#define CAL_JAPAN 3

// Writes the value as text (or, with LOCALE_RETURN_NUMBER, a DWORD) into
// lpLCData. Returns the bytes written including the terminating zero, the
// size needed when cchData is 0, and 0 on failure (unknown LCID or LCTYPE:
// ERROR_INVALID_FLAGS or ERROR_INVALID_PARAMETER; small buffer:
// ERROR_INSUFFICIENT_BUFFER, with the buffer left unterminated).
int GetLocaleInfoA(LCID Locale, LCTYPE LCType, LPSTR lpLCData, int cchData);

// --- GetDateFormatA, GetTimeFormatA

#define DATE_SHORTDATE 0x00000001
#define DATE_LONGDATE 0x00000002
#define DATE_USE_ALT_CALENDAR 0x00000004
#define DATE_YEARMONTH 0x00000008
#define DATE_LTRREADING 0x00000010
#define DATE_RTLREADING 0x00000020

#define TIME_NOMINUTESORSECONDS 0x00000001
#define TIME_NOSECONDS 0x00000002
#define TIME_NOTIMEMARKER 0x00000004
#define TIME_FORCE24HOURFORMAT 0x00000008

// Formats lpDate (the current local date when null) with lpFormat, or, when
// that is null, with the locale's short (the default), long or year-month
// picture chosen by dwFlags. A picture together with a picture flag, two
// picture flags, an impossible date (month 1-12, day within the month, year
// 1601-30827) or a picture ICU cannot read fail with 0. Dates are shown in
// the locale's calendar: the Japanese era calendar when the user's calendar
// type is 3.
int GetDateFormatA(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCSTR lpFormat, LPSTR lpDateStr,
                   int cchDate);

// The same for a time of day (hour 0-23, minute and second 0-59) with the
// locale's time picture (with seconds) or lpFormat.
int GetTimeFormatA(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpTime, LPCSTR lpFormat, LPSTR lpTimeStr,
                   int cchTime);

// --- CompareStringA

#define NORM_IGNORECASE 0x00000001
#define NORM_IGNORENONSPACE 0x00000002
#define NORM_IGNORESYMBOLS 0x00000004
#define NORM_IGNOREKANATYPE 0x00010000
#define NORM_IGNOREWIDTH 0x00020000
#define SORT_STRINGSORT 0x00001000

#define CSTR_LESS_THAN 1
#define CSTR_EQUAL 2
#define CSTR_GREATER_THAN 3

// Compares two texts by the locale's collation: CSTR_LESS_THAN, CSTR_EQUAL or
// CSTR_GREATER_THAN, or 0 on failure (a null text, unknown flags or LCID).
// A negative length means "up to the terminating zero". Without
// SORT_STRINGSORT the hyphen and the apostrophe count for less than letters
// ("co-op" sorts beside "coop"); with it they sort as the symbols they are.
// Bytes that are not UTF-8 compare as replacement characters.
int CompareStringA(LCID Locale, DWORD dwCmpFlags, LPCSTR lpString1, int cchCount1, LPCSTR lpString2,
                   int cchCount2);
