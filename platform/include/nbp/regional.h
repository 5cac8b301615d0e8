// The user's regional settings: the date and time conventions that the locale
// functions (win/locale.h), COleDateTime and the host's locale service use.
//
// They start from the process locale (LC_ALL, then LC_TIME, then LANG; "C" and
// "POSIX" read as en_US), looked up in ICU's data so that they work on a
// machine that has no system locales generated. The user may override parts
// of them, as a regional-settings panel would; the host reads those overrides
// from its settings file and hands them in here (the platform reads no file).
//
// Everything runs on the user-interface thread; nothing here is locked.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "win/types.h"

namespace nbp::regional {

// What the user changed. An empty optional keeps the locale's own value.
// Values that cannot be used are ignored one by one (see SetOverrides).
struct Overrides {
  std::optional<std::string> shortDate;      // picture with d, M and y fields only
  std::optional<std::string> dateSeparator;  // 1-3 bytes, no digit or letter
  std::optional<std::string> timeSeparator;  // 1-3 bytes, no digit or letter
  std::optional<bool> use24Hour;
  std::optional<std::string> am;  // designators, at most 31 bytes each
  std::optional<std::string> pm;
  std::optional<int> calendarType;  // 1 Gregorian or 3 Japanese era
};

// Pictures use ICU's pattern letters (see win/locale.h).
struct Settings {
  std::string locale;   // ICU locale id without keywords, such as "de_DE"
  int calendarType = 1; // 1 Gregorian, 3 Japanese era

  // Pictures in the calendar of calendarType (what GetDateFormatA shows).
  std::string shortDate;
  std::string longDate;
  std::string yearMonth;
  // Pictures in Gregorian years, in which typed dates are read and written.
  std::string gregorianShortDate;
  std::string gregorianLongDate;
  std::string shortTime;  // hours and minutes
  std::string longTime;   // with seconds

  std::string dateSeparator;
  std::string timeSeparator;
  bool use24Hour = false;
  std::string am;
  std::string pm;
  int firstDayOfWeek = 6;  // 0 Monday ... 6 Sunday, as LOCALE_IFIRSTDAYOFWEEK

  // Names in the user's language; index 0 is Sunday and January.
  std::string dayNames[7];
  std::string abbrevDayNames[7];
  std::string monthNames[12];        // as they stand beside a day number
  std::string abbrevMonthNames[12];
  std::string standaloneMonthNames[12];  // as they stand alone (a title)
  std::string standaloneAbbrevMonthNames[12];
  std::string decimal;
  std::string thousand;
};

// The settings in force. The reference stays valid; its contents change when
// the settings are read again.
const Settings& Current();

// Increases whenever Current() changes, so that caches can tell.
unsigned Generation();

// The settings of another locale (an ICU id such as "fr_FR" or
// "ja_JP@calendar=japanese"), without the user's overrides.
Settings ForLocale(std::string_view icuLocale);

// Replaces the overrides in force and rebuilds Current().
void SetOverrides(const Overrides& overrides);
const Overrides& CurrentOverrides();

// A function that reads the user's overrides (the host's settings reader).
// Reload() calls it; pass an empty function to stop.
void SetOverrideSource(std::function<Overrides()> source);

// Reads the regional settings again: the process locale from the environment
// (unless a test locale is set) and the overrides from the override source
// (when one is set; otherwise the overrides in force stay). This is what a
// WM_SETTINGCHANGE about regional settings should call.
void Reload();

// Uses the given locale instead of the process environment's, until called
// with an empty name. Keywords are allowed ("ja_JP@calendar=japanese").
void SetLocaleForTest(std::string_view icuLocale);

// Formats a date and time with a picture in the user's language and with the
// user's designators. gregorian false uses the calendar of the user's
// settings. Returns the empty string for a picture ICU cannot read or a date
// out of range (month 1-12, day within the month, year 1-30827, time 0-23,
// 0-59, 0-59).
std::string FormatPicture(std::string_view picture, const SYSTEMTIME& st, bool gregorian = true);

}  // namespace nbp::regional
