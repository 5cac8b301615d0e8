// CIntlTime: the user's regional date and time conventions (separators,
// pictures, 12- or 24-hour clock, day names), and a local date-time value to
// format and parse with them.
//
// The conventions are the platform's regional settings (nbp/regional.h), read
// afresh by every call, so an object made before the user changed them
// answers with the new ones.
//
// Pictures use ICU's pattern letters, of which the date fields read as in a
// Windows picture: d dd (day), M MM (month), y yy yyyy (year), with any other
// text as separators ("M/d/yy", "dd.MM.yyyy", "y/MM/dd").
#pragma once

#include "mfc/cstring.h"
#include "mfc/time.h"
#include "nbhost_export.h"

class NBHOST_API CIntlTime : public COleDateTime {
 public:
  // Picture kinds for GetDateFormatA and FormatDate.
  enum { kLongDate = 1, kShortDate = 2 };

  // The current local date and time.
  CIntlTime();
  // The local date and time of a time value; the invalid time (-1 or any
  // negative value) gives an invalid object.
  CIntlTime(const CTime& time);
  // A local date and time; impossible fields give an invalid object.
  CIntlTime(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond);

  // The date separator ("/", ".", "-"): the first character is the one typed
  // between the numbers of a date.
  CString GetDateSeperator() const;
  CString GetTimeSeperator() const;
  BOOL Is24HrFormat() const;

  // The picture of the user's short (kShortDate) or long (kLongDate) date.
  // nCalendar CAL_GREGORIAN (1) gives it in Gregorian years, as dates are
  // typed, read and stored; any other value gives it in the calendar of the
  // user's settings (with era years under the Japanese era calendar). Other
  // kinds give the empty string.
  CString GetDateFormatA(int nKind, int nCalendar = CAL_GREGORIAN) const;

  // Reads day, month and year from lpszText in the order of the picture's
  // fields. Between two numbers the text holds the picture's separator text
  // or chSeparator, with spaces allowed around it; spaces may also lead and
  // trail, as may the picture's own leading and trailing text. Numbers are
  // returned as typed, unchecked: the day and month have one or two digits,
  // the year one to four (a two-digit year stays two digits). Fields that
  // the picture writes with no separator beside them take a fixed number of
  // digits: two for a day, a month or "yy", four for any other year
  // ("yyyyMMdd"). Returns nonzero on a match;
  // otherwise, and for a picture without exactly one numeric day, month and
  // year, returns 0 and leaves the three numbers alone.
  static BOOL ParseDateFromFormat(LPCTSTR lpszPicture, LPCTSTR lpszText, TCHAR chSeparator, int& nYear,
                                  int& nMonth, int& nDay);

  // The value's date with GetDateFormatA (nKind); empty when not valid.
  CString FormatDate(int nKind) const;
  // The value's time of day, hours and minutes, on the user's 12- or 24-hour
  // clock with the user's designators; empty when not valid.
  CString FormatTime() const;
  // The name of weekday nWeekday (1 Sunday ... 7 Saturday) in the user's
  // language, abbreviated when bAbbreviated is nonzero; empty for any other
  // number.
  CString GetDayName(int nWeekday, int bAbbreviated) const;
  // The value as a local time in seconds since 1970, or -1 when it is not
  // valid or lies outside 1970-2038.
  long GetTime() const;
};
