// COleDateTime and COleDateTimeSpan: automation dates.
#include <cmath>

#include "nbp/civil.h"
#include "locale/ole_date.h"
#include "mfc/time.h"
#include "nbp/clock.h"
#include "nbp/time_parts.h"

namespace nbp::ole_date {

namespace {
constexpr int64_t kDaysTo1970 = 25569;  // from 30 December 1899
constexpr double kMinDate = -657435.0;   // exclusive: 1 January 100 is -657434
constexpr double kMaxDate = 2958466.0;   // exclusive: 31 December 9999 is 2958465
}  // namespace

bool ToParts(double date, Parts& p) {
  if (!std::isfinite(date) || date <= kMinDate || date >= kMaxDate) return false;
  double whole = std::trunc(date);
  int64_t day = static_cast<int64_t>(whole);
  int64_t seconds = std::llround(std::fabs(date - whole) * 86400.0);
  if (seconds >= 86400) {  // rounds up to the next midnight
    seconds -= 86400;
    ++day;
  }
  int64_t sinceEpoch = day - kDaysTo1970;
  int64_t year;
  civil::CivilFromDays(sinceEpoch, year, p.month, p.day);
  if (year < 100 || year > 9999) return false;
  p.year = static_cast<int>(year);
  p.hour = static_cast<int>(seconds / 3600);
  p.minute = static_cast<int>(seconds / 60 % 60);
  p.second = static_cast<int>(seconds % 60);
  p.dayOfWeek = civil::Weekday(sinceEpoch);
  p.dayOfYear = static_cast<int>(sinceEpoch - civil::DaysFromCivil(year, 1, 1)) + 1;
  return true;
}

bool FromParts(int y, int m, int d, int h, int mi, int s, double& date) {
  if (!civil::ValidDate(y, m, d, 100, 9999) || !civil::ValidTime(h, mi, s)) return false;
  double day = static_cast<double>(civil::DaysFromCivil(y, m, d) + kDaysTo1970);
  double time = ((h * 60.0 + mi) * 60.0 + s) / 86400.0;
  date = day >= 0 ? day + time : day - time;
  return true;
}

double Linear(double date) {
  if (date >= 0) return date;
  double whole = std::trunc(date);
  return whole + (whole - date);
}

double FromLinear(double linear) {
  if (linear >= 0) return linear;
  double day = std::floor(linear);
  return day - (linear - day);
}

}  // namespace nbp::ole_date

using nbp::ole_date::Parts;

// --- COleDateTimeSpan

COleDateTimeSpan::COleDateTimeSpan(double dblSpanSrc)
    : m_span(dblSpanSrc), m_status(std::isfinite(dblSpanSrc) ? valid : invalid) {}

COleDateTimeSpan::COleDateTimeSpan(long lDays, int nHours, int nMins, int nSecs) {
  SetDateTimeSpan(lDays, nHours, nMins, nSecs);
}

void COleDateTimeSpan::SetDateTimeSpan(long lDays, int nHours, int nMins, int nSecs) {
  m_span = lDays + ((nHours * 60.0 + nMins) * 60.0 + nSecs) / 86400.0;
  m_status = valid;
}

namespace {
int64_t SpanSeconds(double span) { return std::isfinite(span) ? std::llround(span * 86400.0) : 0; }
}  // namespace

long COleDateTimeSpan::GetDays() const { return static_cast<long>(SpanSeconds(m_span) / 86400); }
int COleDateTimeSpan::GetHours() const { return static_cast<int>(SpanSeconds(m_span) / 3600 % 24); }
int COleDateTimeSpan::GetMinutes() const { return static_cast<int>(SpanSeconds(m_span) / 60 % 60); }
int COleDateTimeSpan::GetSeconds() const { return static_cast<int>(SpanSeconds(m_span) % 60); }

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& other) const {
  COleDateTimeSpan r(m_span + other.m_span);
  if (m_status != valid || other.m_status != valid) r.m_status = m_status != valid ? m_status : other.m_status;
  return r;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& other) const { return *this + -other; }

COleDateTimeSpan COleDateTimeSpan::operator-() const {
  COleDateTimeSpan r(-m_span);
  r.m_status = m_status;
  return r;
}

const COleDateTimeSpan& COleDateTimeSpan::operator+=(const COleDateTimeSpan& other) {
  *this = *this + other;
  return *this;
}

const COleDateTimeSpan& COleDateTimeSpan::operator-=(const COleDateTimeSpan& other) {
  *this = *this - other;
  return *this;
}

bool COleDateTimeSpan::operator==(const COleDateTimeSpan& other) const {
  return m_status == other.m_status && m_span == other.m_span;
}

bool COleDateTimeSpan::operator<(const COleDateTimeSpan& other) const { return m_span < other.m_span; }

CString COleDateTimeSpan::Format(LPCTSTR pFormat) const {
  if (m_status != valid) return CString();
  int64_t s = SpanSeconds(m_span);
  return CTimeSpan(static_cast<time_t>(s)).Format(pFormat);
}

// --- COleDateTime

COleDateTime COleDateTime::GetCurrentTime() { return COleDateTime(nbp::clock::WallTime()); }

COleDateTime::COleDateTime(DATE dtSrc) { *this = dtSrc; }
COleDateTime::COleDateTime(time_t timeSrc) { *this = timeSrc; }
COleDateTime::COleDateTime(const SYSTEMTIME& st) { *this = st; }
COleDateTime::COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) {
  SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
}

const COleDateTime& COleDateTime::operator=(DATE dtSrc) {
  Parts p;
  m_dt = dtSrc;
  m_status = nbp::ole_date::ToParts(dtSrc, p) ? valid : invalid;
  return *this;
}

const COleDateTime& COleDateTime::operator=(time_t timeSrc) {
  struct tm t{};
  if (!localtime_r(&timeSrc, &t)) {
    m_dt = 0;
    m_status = invalid;
    return *this;
  }
  SetDateTime(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  return *this;
}

const COleDateTime& COleDateTime::operator=(const SYSTEMTIME& st) {
  SetDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
  return *this;
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) {
  if (nbp::ole_date::FromParts(nYear, nMonth, nDay, nHour, nMin, nSec, m_dt)) {
    m_status = valid;
    return 0;
  }
  m_dt = 0;
  m_status = invalid;
  return 1;
}

int COleDateTime::SetDate(int nYear, int nMonth, int nDay) { return SetDateTime(nYear, nMonth, nDay, 0, 0, 0); }
int COleDateTime::SetTime(int nHour, int nMin, int nSec) { return SetDateTime(1899, 12, 30, nHour, nMin, nSec); }

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& st) const {
  Parts p;
  if (m_status != valid || !nbp::ole_date::ToParts(m_dt, p)) return FALSE;
  st = nbp::time_parts::ToSystemTime(p.year, p.month, p.day, p.hour, p.minute, p.second, p.dayOfWeek);
  return TRUE;
}

namespace {
template <typename Field>
int PartOf(const COleDateTime& dt, Field field) {
  Parts p;
  if (dt.GetStatus() != COleDateTime::valid || !nbp::ole_date::ToParts(dt.m_dt, p)) return AFX_OLE_DATETIME_ERROR;
  return field(p);
}
}  // namespace

int COleDateTime::GetYear() const { return PartOf(*this, [](const Parts& p) { return p.year; }); }
int COleDateTime::GetMonth() const { return PartOf(*this, [](const Parts& p) { return p.month; }); }
int COleDateTime::GetDay() const { return PartOf(*this, [](const Parts& p) { return p.day; }); }
int COleDateTime::GetHour() const { return PartOf(*this, [](const Parts& p) { return p.hour; }); }
int COleDateTime::GetMinute() const { return PartOf(*this, [](const Parts& p) { return p.minute; }); }
int COleDateTime::GetSecond() const { return PartOf(*this, [](const Parts& p) { return p.second; }); }
int COleDateTime::GetDayOfWeek() const { return PartOf(*this, [](const Parts& p) { return p.dayOfWeek + 1; }); }
int COleDateTime::GetDayOfYear() const { return PartOf(*this, [](const Parts& p) { return p.dayOfYear; }); }

// Before 1899 the stored double runs backwards within a day, so comparisons
// and arithmetic work on the linear day count.
bool COleDateTime::operator==(const COleDateTime& date) const {
  return m_status == date.m_status && m_dt == date.m_dt;
}

bool COleDateTime::operator<(const COleDateTime& date) const {
  return nbp::ole_date::Linear(m_dt) < nbp::ole_date::Linear(date.m_dt);
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const {
  COleDateTime r;
  if (m_status != valid || span.GetStatus() != COleDateTimeSpan::valid) {
    r.m_status = invalid;
    return r;
  }
  r = nbp::ole_date::FromLinear(nbp::ole_date::Linear(m_dt) + span.m_span);
  return r;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const { return *this + -span; }

const COleDateTime& COleDateTime::operator+=(const COleDateTimeSpan& span) {
  *this = *this + span;
  return *this;
}

const COleDateTime& COleDateTime::operator-=(const COleDateTimeSpan& span) {
  *this = *this - span;
  return *this;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& date) const {
  COleDateTimeSpan r(nbp::ole_date::Linear(m_dt) - nbp::ole_date::Linear(date.m_dt));
  if (m_status != valid || date.m_status != valid) r.SetStatus(COleDateTimeSpan::invalid);
  return r;
}
