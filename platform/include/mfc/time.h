// MFC's date and time values: CTime and CTimeSpan (seconds since 1970 in 32
// bits, local time by the C runtime), COleDateTime and COleDateTimeSpan
// (automation dates: days since 30 December 1899 as a double).
//
// Both "current time" functions read the platform clock (nbp/clock.h), so a
// test that pins the clock pins them too. Local time follows the process TZ.
#pragma once

#include <compare>
#include <ctime>

#include "mfc/cstring.h"
#include "win/locale.h"
#include "win/types.h"

// The C runtime's mktime for 32-bit time values: *ptm (local time, fields
// normalised as mktime does, so 30 February becomes 1 March) to seconds since
// 1970. Returns -1, leaving *ptm alone, for a time before 1 January 1970
// 00:00:00 UTC or after 19 January 2038 03:14:07 UTC, as the 32-bit runtime
// does; a null ptm also gives -1.
LONG _mktime32(struct tm* ptm);

// --- CTimeSpan

class CTimeSpan {
 public:
  CTimeSpan() : m_timeSpan(0) {}
  CTimeSpan(time_t time) : m_timeSpan(time) {}
  CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

  LONG GetDays() const;
  LONG GetTotalHours() const;
  int GetHours() const;
  LONG GetTotalMinutes() const;
  int GetMinutes() const;
  time_t GetTotalSeconds() const { return m_timeSpan; }
  int GetSeconds() const;

  CTimeSpan operator-(CTimeSpan other) const { return CTimeSpan(m_timeSpan - other.m_timeSpan); }
  CTimeSpan operator+(CTimeSpan other) const { return CTimeSpan(m_timeSpan + other.m_timeSpan); }
  const CTimeSpan& operator+=(CTimeSpan other);
  const CTimeSpan& operator-=(CTimeSpan other);
  auto operator<=>(const CTimeSpan&) const = default;

  // %D days, %H hours (00-23), %M minutes, %S seconds, %% a percent sign;
  // any other character after % stands for itself.
  CString Format(LPCTSTR pFormat) const;

 private:
  time_t m_timeSpan;
};

// --- CTime

class CTime {
 public:
  static CTime GetCurrentTime();

  CTime() : m_time(0) {}
  // A value outside the 32-bit range becomes the invalid time -1.
  CTime(time_t time);
  // Local time, built with _mktime32 (out-of-range fields are normalised);
  // -1 when the result is outside 1970-2038. nDST: 0 standard time, positive
  // daylight time, negative let the runtime decide.
  CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
  CTime(WORD wDosDate, WORD wDosTime, int nDST = -1);
  CTime(const SYSTEMTIME& sysTime, int nDST = -1);

  time_t GetTime() const { return m_time; }
  // The broken-down time in *ptm, or, when ptm is null, in a buffer of the
  // calling thread that the next call overwrites.
  struct tm* GetGmtTm(struct tm* ptm = nullptr) const;
  struct tm* GetLocalTm(struct tm* ptm = nullptr) const;
  BOOL GetAsSystemTime(SYSTEMTIME& timeDest) const;

  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  int GetDayOfWeek() const;  // 1 Sunday ... 7 Saturday

  const CTime& operator=(time_t t);
  CTimeSpan operator-(CTime time) const { return CTimeSpan(static_cast<time_t>(m_time) - time.m_time); }
  CTime operator-(CTimeSpan timeSpan) const;
  CTime operator+(CTimeSpan timeSpan) const;
  const CTime& operator+=(CTimeSpan timeSpan);
  const CTime& operator-=(CTimeSpan timeSpan);
  auto operator<=>(const CTime&) const = default;

  // The C runtime's strftime of the local (Gmt: UTC) time. The runtime's
  // "#" flag (%#d: no leading zero) is understood. No length limit.
  CString Format(LPCTSTR pFormat) const;
  CString FormatGmt(LPCTSTR pFormat) const;
  CString Format(UINT nFormatID) const;
  CString FormatGmt(UINT nFormatID) const;

 private:
  LONG m_time;
};

// --- COleDateTimeSpan

typedef double DATE;

class COleDateTimeSpan {
 public:
  enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

  COleDateTimeSpan() : m_span(0), m_status(valid) {}
  // NaN and infinities make an invalid span.
  COleDateTimeSpan(double dblSpanSrc);
  COleDateTimeSpan(long lDays, int nHours, int nMins, int nSecs);

  void SetStatus(DateTimeSpanStatus status) { m_status = status; }
  DateTimeSpanStatus GetStatus() const { return m_status; }

  double GetTotalDays() const { return m_span; }
  double GetTotalHours() const { return m_span * 24; }
  double GetTotalMinutes() const { return m_span * 24 * 60; }
  double GetTotalSeconds() const { return m_span * 24 * 60 * 60; }
  // The whole parts, rounded to the second, signed as the span.
  long GetDays() const;
  int GetHours() const;
  int GetMinutes() const;
  int GetSeconds() const;

  operator double() const { return m_span; }
  void SetDateTimeSpan(long lDays, int nHours, int nMins, int nSecs);

  COleDateTimeSpan operator+(const COleDateTimeSpan& other) const;
  COleDateTimeSpan operator-(const COleDateTimeSpan& other) const;
  const COleDateTimeSpan& operator+=(const COleDateTimeSpan& other);
  const COleDateTimeSpan& operator-=(const COleDateTimeSpan& other);
  COleDateTimeSpan operator-() const;
  bool operator==(const COleDateTimeSpan& other) const;
  bool operator<(const COleDateTimeSpan& other) const;
  bool operator>(const COleDateTimeSpan& other) const { return other < *this; }
  bool operator<=(const COleDateTimeSpan& other) const { return !(other < *this); }
  bool operator>=(const COleDateTimeSpan& other) const { return !(*this < other); }

  // %D, %H, %M, %S and %% as CTimeSpan::Format; empty when not valid.
  CString Format(LPCTSTR pFormat) const;

  double m_span;
  DateTimeSpanStatus m_status;
};

// --- COleDateTime

#define AFX_OLE_DATETIME_ERROR (-1)
#define VAR_TIMEVALUEONLY 0x00000001
#define VAR_DATEVALUEONLY 0x00000002

// A date in the proleptic Gregorian calendar from 1 January 100 to 31
// December 9999, to the second. Before 30 December 1899 the whole part
// counts days back and the fraction still counts the time forward (-1.25 is
// 29 December 1899 06:00).
class COleDateTime {
 public:
  enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

  // The local date and time of the platform clock.
  static COleDateTime GetCurrentTime();

  COleDateTime() : m_dt(0), m_status(valid) {}
  // NaN, infinities and values outside the years 100-9999 are invalid.
  COleDateTime(DATE dtSrc);
  COleDateTime(time_t timeSrc);  // local time
  COleDateTime(const SYSTEMTIME& systimeSrc);
  COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);

  const COleDateTime& operator=(DATE dtSrc);
  const COleDateTime& operator=(time_t timeSrc);
  const COleDateTime& operator=(const SYSTEMTIME& systimeSrc);

  void SetStatus(DateTimeStatus status) { m_status = status; }
  DateTimeStatus GetStatus() const { return m_status; }
  operator DATE() const { return m_dt; }

  // FALSE when the value is not valid (the structure is then left alone).
  BOOL GetAsSystemTime(SYSTEMTIME& sysTime) const;

  // Each AFX_OLE_DATETIME_ERROR when the value is not valid.
  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  int GetDayOfWeek() const;  // 1 Sunday ... 7 Saturday
  int GetDayOfYear() const;  // 1 to 366

  // 0 on success; 1, with the value made invalid, for a year outside
  // 100-9999, a month outside 1-12, a day outside the month, or a time
  // outside 0:00:00-23:59:59.
  int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
  int SetDate(int nYear, int nMonth, int nDay);  // at 0:00:00
  int SetTime(int nHour, int nMin, int nSec);    // on 30 December 1899

  bool operator==(const COleDateTime& date) const;
  bool operator<(const COleDateTime& date) const;
  bool operator>(const COleDateTime& date) const { return date < *this; }
  bool operator<=(const COleDateTime& date) const { return !(date < *this); }
  bool operator>=(const COleDateTime& date) const { return !(*this < date); }

  COleDateTime operator+(const COleDateTimeSpan& dateSpan) const;
  COleDateTime operator-(const COleDateTimeSpan& dateSpan) const;
  const COleDateTime& operator+=(const COleDateTimeSpan& dateSpan);
  const COleDateTime& operator-=(const COleDateTimeSpan& dateSpan);
  COleDateTimeSpan operator-(const COleDateTime& date) const;

  // The date in the locale's short date picture and the time in its time
  // picture (seconds included); a value at midnight shows only its date, one
  // on 30 December 1899 only its time. VAR_DATEVALUEONLY and
  // VAR_TIMEVALUEONLY choose one part. Empty when the value is not valid.
  // DWORD and UINT are one type here, so the flags form takes its LCID
  // spelled out, leaving Format(nFormatID) to mean a string resource.
  CString Format() const { return Format(0, LANG_USER_DEFAULT); }
  CString Format(DWORD dwFlags, LCID lcid) const;
  // strftime conversions: %a %A %b %B %c %d %H %I %j %m %M %p %S %U %w %W %x
  // %X %y %Y %z %Z %%, with the "#" flag (%#d: no leading zero; %#c, %#x:
  // long date). Names, designators and the %c %x %X pictures are the user's
  // regional settings (nbp/regional.h). %B standing beside a day number uses
  // the month name's form for dates; alone (a title) its stand-alone form.
  // Unknown conversions are copied as they stand. Empty when not valid.
  CString Format(LPCTSTR lpszFormat) const;
  CString Format(UINT nFormatID) const;

  DATE m_dt;
  DateTimeStatus m_status;
};
