// GetLocaleInfoA: the values of the regional settings, as Windows names them.
#include <unicode/locid.h>
#include <unicode/uloc.h>

#include <cstdio>
#include <cstring>

#include "locale/locale_internal.h"
#include "locale/picture.h"

namespace {

using nbp::regional::Settings;

constexpr LCTYPE kUseCpAcp = 0x40000000;

// 0 month-day-year, 1 day-month-year, 2 year-month-day, from the order of a
// picture's fields.
int FieldOrder(const std::string& pic) {
  int day = -1, month = -1, year = -1, n = 0;
  for (const nbp::picture::Token& t : nbp::picture::Split(pic)) {
    if (t.letter == 'd' && day < 0) day = n++;
    if ((t.letter == 'M' || t.letter == 'L') && month < 0) month = n++;
    if (t.letter == 'y' && year < 0) year = n++;
  }
  if (year == 0) return 2;
  if (day >= 0 && month >= 0 && day < month) return 1;
  return 0;
}

int FieldWidth(const std::string& pic, const char* letters) {
  for (const nbp::picture::Token& t : nbp::picture::Split(pic))
    if (t.letter && std::strchr(letters, t.letter)) return t.count;
  return 0;
}

// The number of a numeric LCTYPE, or -1 when it is not one.
long NumberOf(const Settings& s, LCTYPE type) {
  switch (type) {
    case LOCALE_ILANGUAGE: return LANGIDFROMLCID(uloc_getLCID(s.locale.c_str()));
    case LOCALE_IDATE: return FieldOrder(s.shortDate);
    case LOCALE_ILDATE: return FieldOrder(s.longDate);
    case LOCALE_ITIME: return s.use24Hour ? 1 : 0;
    case LOCALE_ICENTURY: return FieldWidth(s.shortDate, "y") == 2 ? 0 : 1;
    case LOCALE_ITLZERO: return FieldWidth(s.shortTime, "hHkK") >= 2 ? 1 : 0;
    case LOCALE_IDAYLZERO: return FieldWidth(s.shortDate, "d") >= 2 ? 1 : 0;
    case LOCALE_IMONLZERO: return FieldWidth(s.shortDate, "ML") >= 2 ? 1 : 0;
    case LOCALE_ICALENDARTYPE: return s.calendarType;
    case LOCALE_IFIRSTDAYOFWEEK: return s.firstDayOfWeek;
    default: return -1;
  }
}

bool TextOf(const Settings& s, LCTYPE type, std::string& out) {
  icu::Locale loc(s.locale.c_str());
  if (type >= LOCALE_SDAYNAME1 && type <= LOCALE_SDAYNAME7) {
    out = s.dayNames[(type - LOCALE_SDAYNAME1 + 1) % 7];  // Windows counts from Monday
    return true;
  }
  if (type >= LOCALE_SABBREVDAYNAME1 && type <= LOCALE_SABBREVDAYNAME7) {
    out = s.abbrevDayNames[(type - LOCALE_SABBREVDAYNAME1 + 1) % 7];
    return true;
  }
  if (type >= LOCALE_SMONTHNAME1 && type <= LOCALE_SMONTHNAME12) {
    out = s.standaloneMonthNames[type - LOCALE_SMONTHNAME1];
    return true;
  }
  if (type >= LOCALE_SABBREVMONTHNAME1 && type <= LOCALE_SABBREVMONTHNAME12) {
    out = s.standaloneAbbrevMonthNames[type - LOCALE_SABBREVMONTHNAME1];
    return true;
  }
  switch (type) {
    case LOCALE_SDECIMAL: out = s.decimal; return true;
    case LOCALE_STHOUSAND: out = s.thousand; return true;
    case LOCALE_SDATE: out = s.dateSeparator; return true;
    case LOCALE_STIME: out = s.timeSeparator; return true;
    case LOCALE_SSHORTDATE: out = s.shortDate; return true;
    case LOCALE_SLONGDATE: out = s.longDate; return true;
    case LOCALE_SYEARMONTH: out = s.yearMonth; return true;
    case LOCALE_STIMEFORMAT: out = s.longTime; return true;
    case LOCALE_S1159: out = s.am; return true;
    case LOCALE_S2359: out = s.pm; return true;
    case LOCALE_SISO639LANGNAME: out = loc.getLanguage(); return true;
    case LOCALE_SISO3166CTRYNAME: out = loc.getCountry(); return true;
    case LOCALE_SNAME:
      out = loc.getLanguage();
      if (*loc.getCountry()) out = out + "-" + loc.getCountry();
      return true;
    default: return false;
  }
}

}  // namespace

int GetLocaleInfoA(LCID Locale, LCTYPE LCType, LPSTR lpLCData, int cchData) {
  const Settings* s = nbp::locale_internal::SettingsFor(Locale, LCType & LOCALE_NOUSEROVERRIDE);
  if (!s) return 0;
  bool asNumber = LCType & LOCALE_RETURN_NUMBER;
  LCTYPE type = LCType & ~(LOCALE_NOUSEROVERRIDE | LOCALE_RETURN_NUMBER | kUseCpAcp);

  long number = NumberOf(*s, type);
  if (asNumber) {
    if (number < 0) {
      SetLastError(ERROR_INVALID_FLAGS);
      return 0;
    }
    constexpr int kSize = sizeof(DWORD);
    if (cchData < 0 || (cchData > 0 && !lpLCData)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    if (cchData == 0) return kSize;
    if (cchData < kSize) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return 0;
    }
    DWORD value = static_cast<DWORD>(number);
    std::memcpy(lpLCData, &value, kSize);
    return kSize;
  }

  std::string text;
  if (number >= 0) {
    char digits[16];
    std::snprintf(digits, sizeof digits, type == LOCALE_ILANGUAGE ? "%04lx" : "%ld", number);
    text = digits;
  } else if (!TextOf(*s, type, text)) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  return nbp::locale_internal::ReturnString(text, lpLCData, cchData);
}
