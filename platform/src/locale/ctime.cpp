// CTime and CTimeSpan: 32-bit seconds since 1970, local time by the C runtime.
#include <climits>
#include <cstdio>
#include <string>

#include "mfc/time.h"
#include "nbp/clock.h"
#include "nbp/time_parts.h"

LONG _mktime32(struct tm* ptm) {
  if (!ptm) return -1;
  struct tm t = *ptm;
  time_t value = mktime(&t);
  // glibc counts back before 1970 and on past 2038; the 32-bit runtime does not.
  if (value < 0 || value > INT32_MAX) return -1;
  *ptm = t;
  return static_cast<LONG>(value);
}

namespace {

// strftime with the Windows runtime's "#" flag: on a number it drops leading
// zeros (glibc spells that "-"); elsewhere it is dropped.
std::string TranslateFlags(const char* format) {
  std::string out;
  for (const char* p = format; *p; ++p) {
    out += *p;
    if (*p != '%' || !p[1]) continue;
    ++p;
    if (*p == '#') {
      if (p[1] && std::string_view("dHIjmMSUwWyY").find(p[1]) != std::string_view::npos) out += '-';
      ++p;
      if (!*p) break;
    }
    out += *p;
  }
  return out;
}

CString Strftime(const char* format, const struct tm& t) {
  if (!format || !*format) return CString();
  std::string fmt = TranslateFlags(format);
  // strftime cannot tell a full buffer from an empty result, so grow it
  // until the result leaves room to spare.
  std::string buf(128, '\0');
  for (;;) {
    size_t n = strftime(buf.data(), buf.size(), fmt.c_str(), &t);
    if (n > 0 && n + 1 < buf.size()) return CString(buf.data(), static_cast<int>(n));
    if (buf.size() > 64 * 1024 + fmt.size() * 256) return CString(buf.data(), static_cast<int>(n));
    buf.resize(buf.size() * 2);
  }
}

LONG FromTm(struct tm t) { return _mktime32(&t); }

}  // namespace

// --- CTimeSpan

CTimeSpan::CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
    : m_timeSpan(nSecs + 60 * (nMins + 60 * (nHours + static_cast<time_t>(24) * lDays))) {}

LONG CTimeSpan::GetDays() const { return static_cast<LONG>(m_timeSpan / (24 * 3600)); }
LONG CTimeSpan::GetTotalHours() const { return static_cast<LONG>(m_timeSpan / 3600); }
int CTimeSpan::GetHours() const { return static_cast<int>(GetTotalHours() - GetDays() * 24); }
LONG CTimeSpan::GetTotalMinutes() const { return static_cast<LONG>(m_timeSpan / 60); }
int CTimeSpan::GetMinutes() const { return static_cast<int>(GetTotalMinutes() - GetTotalHours() * 60); }
int CTimeSpan::GetSeconds() const { return static_cast<int>(m_timeSpan - GetTotalMinutes() * 60); }

const CTimeSpan& CTimeSpan::operator+=(CTimeSpan other) {
  m_timeSpan += other.m_timeSpan;
  return *this;
}

const CTimeSpan& CTimeSpan::operator-=(CTimeSpan other) {
  m_timeSpan -= other.m_timeSpan;
  return *this;
}

CString CTimeSpan::Format(LPCTSTR pFormat) const {
  CString out;
  if (!pFormat) return out;
  char buf[32];
  for (const char* p = pFormat; *p; ++p) {
    if (*p != '%' || !p[1]) {
      out += *p;
      continue;
    }
    switch (*++p) {
      case 'D': std::snprintf(buf, sizeof buf, "%ld", static_cast<long>(GetDays())); break;
      case 'H': std::snprintf(buf, sizeof buf, "%02d", GetHours()); break;
      case 'M': std::snprintf(buf, sizeof buf, "%02d", GetMinutes()); break;
      case 'S': std::snprintf(buf, sizeof buf, "%02d", GetSeconds()); break;
      default: buf[0] = *p; buf[1] = '\0'; break;
    }
    out += buf;
  }
  return out;
}

// --- CTime

CTime CTime::GetCurrentTime() { return CTime(nbp::clock::WallTime()); }

CTime::CTime(time_t time) : m_time(time < INT32_MIN || time > INT32_MAX ? -1 : static_cast<LONG>(time)) {}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST) : m_time(-1) {
  // Fields far outside any calendar would overflow struct tm's arithmetic.
  auto wild = [](int v) { return v < -1000000 || v > 1000000; };
  if (nYear < 1 || nYear > 100000 || wild(nMonth) || wild(nDay) || wild(nHour) || wild(nMin) || wild(nSec)) return;
  struct tm t = nbp::time_parts::ToTm(nYear, nMonth, nDay, nHour, nMin, nSec, nDST);
  m_time = FromTm(t);
}

CTime::CTime(WORD wDosDate, WORD wDosTime, int nDST)
    : CTime((wDosDate >> 9) + 1980, (wDosDate >> 5) & 0xF, wDosDate & 0x1F, wDosTime >> 11, (wDosTime >> 5) & 0x3F,
            (wDosTime & 0x1F) * 2, nDST) {}

CTime::CTime(const SYSTEMTIME& st, int nDST)
    : CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST) {}

struct tm* CTime::GetGmtTm(struct tm* ptm) const {
  thread_local struct tm buffer;
  struct tm* out = ptm ? ptm : &buffer;
  time_t t = m_time;
  gmtime_r(&t, out);
  return out;
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const {
  thread_local struct tm buffer;
  struct tm* out = ptm ? ptm : &buffer;
  time_t t = m_time;
  localtime_r(&t, out);
  return out;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& st) const {
  if (m_time < 0) return FALSE;
  struct tm t;
  GetLocalTm(&t);
  st = nbp::time_parts::ToSystemTime(t);
  return TRUE;
}

int CTime::GetYear() const { return GetLocalTm()->tm_year + 1900; }
int CTime::GetMonth() const { return GetLocalTm()->tm_mon + 1; }
int CTime::GetDay() const { return GetLocalTm()->tm_mday; }
int CTime::GetHour() const { return GetLocalTm()->tm_hour; }
int CTime::GetMinute() const { return GetLocalTm()->tm_min; }
int CTime::GetSecond() const { return GetLocalTm()->tm_sec; }
int CTime::GetDayOfWeek() const { return GetLocalTm()->tm_wday + 1; }

const CTime& CTime::operator=(time_t t) {
  *this = CTime(t);
  return *this;
}

CTime CTime::operator-(CTimeSpan span) const { return CTime(static_cast<time_t>(m_time) - span.GetTotalSeconds()); }
CTime CTime::operator+(CTimeSpan span) const { return CTime(static_cast<time_t>(m_time) + span.GetTotalSeconds()); }

const CTime& CTime::operator+=(CTimeSpan span) {
  *this = *this + span;
  return *this;
}

const CTime& CTime::operator-=(CTimeSpan span) {
  *this = *this - span;
  return *this;
}

CString CTime::Format(LPCTSTR pFormat) const {
  struct tm t;
  return Strftime(pFormat, *GetLocalTm(&t));
}

CString CTime::FormatGmt(LPCTSTR pFormat) const {
  struct tm t;
  return Strftime(pFormat, *GetGmtTm(&t));
}

CString CTime::Format(UINT nFormatID) const {
  CString format;
  if (!format.LoadString(nFormatID)) return CString();
  return Format(static_cast<LPCTSTR>(format));
}

CString CTime::FormatGmt(UINT nFormatID) const {
  CString format;
  if (!format.LoadString(nFormatID)) return CString();
  return FormatGmt(static_cast<LPCTSTR>(format));
}
