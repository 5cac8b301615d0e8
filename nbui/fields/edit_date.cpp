// CNbEditDate's date: setting it, reading it from the text and writing it
// back, and the placeholder.
#include "fields/edit_date.h"

#include <string>
#include <string_view>

#include "HostCommon/intl_time.h"
#include "calendar/date_functions.h"
#include "calendar/month_grid.h"
#include "mfc/app.h"
#include "nbp/regional.h"
#include "resources/resource_ids.h"
#include "win/mbstring.h"
#include "nbp/time_parts.h"

namespace {

// Each run of exactly two year letters outside quoted text, which is where a
// picture writes a two-digit year; calls `run` with its position.
template <typename Run>
void ForEachTwoDigitYear(std::string_view picture, Run run) {
  bool quoted = false;
  for (size_t i = 0; i < picture.size();) {
    if (picture[i] == '\'') {
      quoted = !quoted;
      ++i;
      continue;
    }
    if (quoted || picture[i] != 'y') {
      ++i;
      continue;
    }
    size_t j = i;
    while (j < picture.size() && picture[j] == 'y') ++j;
    if (j - i == 2) run(i);
    i = j;
  }
}

// The date as the field writes it: the user's short form, but with the year
// in four digits where that form has two. The field reads a two-digit year
// into the hundred years from its minimum year (1904-2003 by default), so a
// date outside them, written with two digits, would come back a century off
// the next time the text is read.
CString DateText(int nYear, int nMonth, int nDay, const CString& shortForm) {
  const std::string& picture = nbp::regional::Current().gregorianShortDate;
  std::string fourDigits = picture;
  size_t inserted = 0;
  ForEachTwoDigitYear(picture, [&](size_t at) {
    fourDigits.insert(at + inserted, "yy");
    inserted += 2;
  });
  if (inserted == 0 && !shortForm.IsEmpty()) return shortForm;
  SYSTEMTIME st = nbp::time_parts::ToSystemTime(nYear, nMonth, nDay, 0, 0, 0);
  std::string text = nbp::regional::FormatPicture(fourDigits, st);
  return CString(text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

CNbEditDate::CNbEditDate() : m_strAllowed("0123456789 ") {}
CNbEditDate::~CNbEditDate() = default;

// --- Setting the date

void CNbEditDate::SetDate(int nYear, int nMonth, int nDay) {
  if (nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31) return;
  m_bReadFailed = FALSE;
  m_nYear = nYear;
  m_nMonth = nMonth;
  m_nDay = nDay;
  WriteFormat(1);
}

void CNbEditDate::SetDate(long lTime) {
  m_lTime = lTime;
  if (lTime <= 0) return;
  CTime time(static_cast<time_t>(lTime));
  if (time.GetTime() < 0) return;  // beyond what a time value holds
  m_bReadFailed = FALSE;
  m_nYear = time.GetYear();
  m_nMonth = time.GetMonth();
  m_nDay = time.GetDay();
  WriteFormat(1);
}

void CNbEditDate::SetDate(double dtDate) {
  if (!(dtDate > 0.0)) return;
  COleDateTime date(dtDate);
  if (date.GetStatus() != COleDateTime::valid) return;
  m_bReadFailed = FALSE;
  m_nYear = date.GetYear();
  m_nMonth = date.GetMonth();
  m_nDay = date.GetDay();
  WriteFormat(1);
}

void CNbEditDate::SetEdit(double dtDate) { SetDate(dtDate); }

// --- Reading the date

int CNbEditDate::DaysIn(int nYear, int nMonth) {
  if (nMonth < 1 || nMonth > 12) return 0;
  return m_naDaysInMonth[CMonthGrid::IsLeapYear(nYear) ? 1 : 0][nMonth - 1];
}

int CNbEditDate::IsValidDate() const {
  return m_nYear >= m_nMinYear && m_nYear <= m_nMaxYear && m_nDay >= 1 && m_nDay <= DaysIn(m_nYear, m_nMonth);
}

double CNbEditDate::GetDate() const {
  if (!IsValidDate()) return -1.0;
  COleDateTime date(m_nYear, m_nMonth, m_nDay, 1, 0, 0);
  return date.GetStatus() == COleDateTime::valid ? date.m_dt : -1.0;
}

BOOL CNbEditDate::ParseText(int& nYear, int& nMonth, int& nDay) const {
  CIntlTime intl;
  CString picture = intl.GetDateFormatA(CIntlTime::kShortDate, CAL_GREGORIAN);
  CString separator = intl.GetDateSeperator();
  CString text;
  GetWindowText(text);
  return CIntlTime::ParseDateFromFormat(picture, text, separator.IsEmpty() ? '\0' : separator[0], nYear, nMonth,
                                        nDay);
}

namespace {

void WidenYear(int& nYear, int nMinYear) {
  if (nYear < 1900) nYear += 1900;
  if (nYear < nMinYear) nYear += 100;
}

}  // namespace

int CNbEditDate::GetDateEntered(int& nYear, int& nMonth, int& nDay) const {
  nYear = nMonth = nDay = 0;
  if (IsBlank()) return m_bAllowBlank ? 1 : 0;
  if (!ParseText(nYear, nMonth, nDay)) return 0;
  WidenYear(nYear, m_nMinYear);
  return nYear >= m_nMinYear && nYear <= m_nMaxYear && nDay >= 1 && nDay <= DaysIn(nYear, nMonth);
}

int CNbEditDate::GetDateEntered(long& lTime) const {
  lTime = -1;
  int year, month, day;
  int result = GetDateEntered(year, month, day);
  if (result && year != 0) lTime = static_cast<long>(CTime(year, month, day, 1, 0, 0, -1).GetTime());
  return result;
}

int CNbEditDate::GetDateEntered(double& dtDate) const {
  dtDate = -1.0;
  int year, month, day;
  int result = GetDateEntered(year, month, day);
  if (result && year != 0) {
    COleDateTime date(year, month, day, 1, 0, 0);
    if (date.GetStatus() == COleDateTime::valid) dtDate = date.m_dt;
  }
  return result;
}

CString CNbEditDate::GetDay() const {
  if (!IsValidDate() || IsBlank()) return CString();
  COleDateTime date(m_nYear, m_nMonth, m_nDay, 0, 0, 0);
  return CIntlTime().GetDayName(date.GetDayOfWeek(), 0);
}

// --- Text

int CNbEditDate::ReadFormat() {
  m_nYear = m_nMonth = m_nDay = -1;
  m_bReadFailed = FALSE;
  if (IsBlank()) return 1;
  // The year rule belongs to a year that was read: on a failed reading it
  // would turn the -1 of "no year" into 1999.
  if (!ParseText(m_nYear, m_nMonth, m_nDay)) {
    m_bReadFailed = TRUE;
    return 0;
  }
  WidenYear(m_nYear, m_nMinYear);
  return 1;
}

int CNbEditDate::WriteFormat(int bReport) {
  bool blank = IsBlank() != 0;
  // Today's parts complete a date that was never read; a text that was read
  // and is not a date gets no invented one.
  if (!blank && !m_bReadFailed && (m_nDay == -1 || m_nMonth == -1 || m_nYear == -1)) {
    CIntlTime today(CTime::GetCurrentTime());
    if (m_nDay == -1) m_nDay = today.GetDay();
    if (m_nMonth == -1) m_nMonth = today.GetMonth();
    if (m_nYear == -1) m_nYear = today.GetYear();
  }
  if (IsValidDate()) {
    double date = COleDateTime(m_nYear, m_nMonth, m_nDay, 0, 0, 0).m_dt;
    SetWindowText(DateText(m_nYear, m_nMonth, m_nDay, NbGetDate(date, 1)));
    return 1;
  }
  if (!bReport || blank) return 1;

  // The entry cannot stand: the last date the owner gave (or today) comes back.
  CTime given(static_cast<time_t>(m_lTime));
  CIntlTime restore(m_lTime >= 1 && given.GetTime() >= 0 ? given : CTime::GetCurrentTime());
  AfxMessageBox(IDS_NB_DATE_RESTORED, MB_ICONEXCLAMATION, static_cast<UINT>(-1));
  if (!::IsWindow(m_hWnd)) return 0;
  SetWindowText(DateText(restore.GetYear(), restore.GetMonth(), restore.GetDay(),
                         restore.FormatDate(CIntlTime::kShortDate)));
  if (CWnd* parent = GetParent()) parent->SendMessage(WM_NB_DATERESTORED, 0, restore.GetTime());
  if (::IsWindow(m_hWnd)) SelectAll();
  return 0;
}

void CNbEditDate::SetBlank() { SetWindowText(m_strBlank.IsEmpty() ? "" : static_cast<LPCTSTR>(m_strBlank)); }

int CNbEditDate::IsBlank() const {
  CString text;
  GetWindowText(text);
  if (m_strBlank.IsEmpty()) return text.IsEmpty() ? 1 : 0;
  return _mbscmp(reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(text)),
                 reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(m_strBlank))) == 0
             ? 1
             : 0;
}

void CNbEditDate::SelectAll() { SetSel(0, -1, FALSE); }
