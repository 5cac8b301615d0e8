// COleDateTime::Format: strftime's conversions with the user's regional
// names, and the variant conversion's "short date and time" form.
#include <cstdio>
#include <cstring>
#include <ctime>

#include "locale/locale_internal.h"
#include "locale/ole_date.h"
#include "mfc/time.h"
#include "nbp/regional.h"
#include "nbp/time_parts.h"

namespace {

using nbp::ole_date::Parts;
using nbp::regional::Settings;

SYSTEMTIME ToSystemTime(const Parts& p) {
  return nbp::time_parts::ToSystemTime(p.year, p.month, p.day, p.hour, p.minute, p.second, p.dayOfWeek);
}

std::string Picture(const Settings& s, const std::string& picture, const Parts& p, bool withDate) {
  return nbp::locale_internal::Format(s, true, picture, ToSystemTime(p), withDate).value_or(std::string());
}

std::string ZoneName(const Parts& p) {
  struct tm t = nbp::time_parts::ToTm(p.year, p.month, p.day, p.hour, p.minute, p.second);
  mktime(&t);
  char buf[64] = "";
  strftime(buf, sizeof buf, "%Z", &t);
  return buf;
}

// Week of the year counted from the first Sunday (or, mondayFirst, Monday).
int WeekOfYear(const Parts& p, bool mondayFirst) {
  int yday = p.dayOfYear - 1;
  int wday = mondayFirst ? (p.dayOfWeek + 6) % 7 : p.dayOfWeek;
  return (yday + 7 - wday) / 7;
}

std::string Number(int value, int width, bool alt) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", alt ? 1 : width, value);
  return buf;
}

bool HasDayNumber(const char* format) {
  for (const char* p = format; *p; ++p) {
    if (*p != '%' || !p[1]) continue;
    ++p;
    if (*p == '#' && p[1]) ++p;
    if (*p == 'd') return true;
  }
  return false;
}

}  // namespace

CString COleDateTime::Format(LPCTSTR lpszFormat) const {
  Parts p;
  if (m_status != valid || !lpszFormat || !nbp::ole_date::ToParts(m_dt, p)) return CString();
  const Settings& s = nbp::regional::Current();
  // Many languages write a month differently beside a day number ("3 марта")
  // than alone in a title ("Март").
  bool withDay = HasDayNumber(lpszFormat);

  std::string out;
  for (const char* c = lpszFormat; *c; ++c) {
    if (*c != '%' || !c[1]) {
      out += *c;
      continue;
    }
    const char* start = c++;
    bool alt = *c == '#';
    if (alt) {
      if (!c[1]) {
        out.append(start, 2);
        break;
      }
      ++c;
    }
    int hour12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
    switch (*c) {
      case 'a': out += s.abbrevDayNames[p.dayOfWeek]; break;
      case 'A': out += s.dayNames[p.dayOfWeek]; break;
      case 'b':
      case 'h': out += (withDay ? s.abbrevMonthNames : s.standaloneAbbrevMonthNames)[p.month - 1]; break;
      case 'B': out += (withDay ? s.monthNames : s.standaloneMonthNames)[p.month - 1]; break;
      case 'c':
        out += Picture(s, alt ? s.gregorianLongDate : s.gregorianShortDate, p, true);
        out += ' ';
        out += Picture(s, s.longTime, p, false);
        break;
      case 'x': out += Picture(s, alt ? s.gregorianLongDate : s.gregorianShortDate, p, true); break;
      case 'X': out += Picture(s, s.longTime, p, false); break;
      case 'd': out += Number(p.day, 2, alt); break;
      case 'H': out += Number(p.hour, 2, alt); break;
      case 'I': out += Number(hour12, 2, alt); break;
      case 'j': out += Number(p.dayOfYear, 3, alt); break;
      case 'm': out += Number(p.month, 2, alt); break;
      case 'M': out += Number(p.minute, 2, alt); break;
      case 'S': out += Number(p.second, 2, alt); break;
      case 'U': out += Number(WeekOfYear(p, false), 2, alt); break;
      case 'W': out += Number(WeekOfYear(p, true), 2, alt); break;
      case 'w': out += Number(p.dayOfWeek, 1, alt); break;
      case 'y': out += Number(p.year % 100, 2, alt); break;
      case 'Y': out += Number(p.year, 1, alt); break;
      case 'p': out += p.hour < 12 ? s.am : s.pm; break;
      case 'z':
      case 'Z': out += ZoneName(p); break;
      case '%': out += '%'; break;
      default: out.append(start, static_cast<size_t>(c - start + 1)); break;
    }
  }
  return CString(out.c_str(), static_cast<int>(out.size()));
}

CString COleDateTime::Format(UINT nFormatID) const {
  CString format;
  if (!format.LoadString(nFormatID)) return CString();
  return Format(static_cast<LPCTSTR>(format));
}

CString COleDateTime::Format(DWORD dwFlags, LCID lcid) const {
  Parts p;
  if (m_status != valid || !nbp::ole_date::ToParts(m_dt, p)) return CString();
  const Settings* s = nbp::locale_internal::SettingsFor(lcid, dwFlags & LOCALE_NOUSEROVERRIDE);
  if (!s) return CString();
  bool midnight = p.hour == 0 && p.minute == 0 && p.second == 0;
  bool dayZero = p.year == 1899 && p.month == 12 && p.day == 30;
  bool showDate = !(dwFlags & VAR_TIMEVALUEONLY) && (!dayZero || (dwFlags & VAR_DATEVALUEONLY));
  bool showTime = !(dwFlags & VAR_DATEVALUEONLY) && (!midnight || (dwFlags & VAR_TIMEVALUEONLY) || !showDate);
  std::string out;
  if (showDate) out = Picture(*s, s->gregorianShortDate, p, true);
  if (showTime) {
    if (!out.empty()) out += ' ';
    out += Picture(*s, s->longTime, p, false);
  }
  return CString(out.c_str(), static_cast<int>(out.size()));
}
