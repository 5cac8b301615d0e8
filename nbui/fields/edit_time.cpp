// CNbEditTime's value: setting it, reading it from the text, showing it and
// stepping it by a quarter of an hour.
#include "fields/edit_time.h"

#include <string>

#include "HostCommon/intl_time.h"
#include "fields/time_text.h"
#include "win/locale.h"

namespace {

constexpr UINT kRefusedBeep = MB_ICONEXCLAMATION;

std::string Designator(LCTYPE type) {
  char buffer[32] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer) <= 0) return std::string();
  buffer[sizeof buffer - 1] = 0;
  return buffer;
}

}  // namespace

CNbEditTime::CNbEditTime(int nFirstAmHour, int nParam2) : m_nFirstAmHour(nFirstAmHour), m_nParam2(nParam2) {
  CIntlTime intl;
  m_b24Hour = intl.Is24HrFormat();
  m_strSeparator = intl.GetTimeSeperator();
  m_strAllowed = CString("0123456789") + m_strSeparator;
}

CNbEditTime::~CNbEditTime() = default;

void CNbEditTime::SetNoTime() {
  m_bForceAM = FALSE;
  m_bForcePM = FALSE;
}

void CNbEditTime::SetTime(int nHours, int nMins, int bFormat) {
  m_nHours = nHours;
  m_nMins = nMins;
  if (bFormat) FormatTime();
}

void CNbEditTime::Round(int& nMins) { NbRoundMinutes(nMins); }

void CNbEditTime::ReadTime(int) {
  CString text;
  GetWindowText(text);
  NbTimeValue value;
  value.hours = m_nHours;
  value.mins = m_nMins;
  value.valid = m_bValid != 0;
  value.forceAM = m_bForceAM != 0;
  value.forcePM = m_bForcePM != 0;
  value.hasSeparator = m_bHasSeparator != 0;
  NbTimeConventions conventions;
  conventions.separator.assign(m_strSeparator, static_cast<size_t>(m_strSeparator.GetLength()));
  conventions.am = Designator(LOCALE_S1159);
  conventions.pm = Designator(LOCALE_S2359);
  conventions.h24 = m_b24Hour != 0;
  conventions.firstAmHour = m_nFirstAmHour;

  std::string replacement;
  NbTimeTextEdit edit =
      NbReadTimeText(std::string_view(text, static_cast<size_t>(text.GetLength())), conventions, value, &replacement);
  m_nHours = value.hours;
  m_nMins = value.mins;
  m_bValid = value.valid;
  m_bForceAM = value.forceAM;
  m_bForcePM = value.forcePM;
  m_bHasSeparator = value.hasSeparator;
  if (edit == NbTimeTextEdit::kClear) {
    SetWindowText("");
  } else if (edit == NbTimeTextEdit::kReplace) {
    SetWindowText(replacement.c_str());
    int end = GetWindowTextLength();
    SetSel(end, end);
  }
}

int CNbEditTime::FormatTime() {
  if (m_nHours > 24 || m_nMins > 60) return 0;
  CIntlTime time(1990, 1, 1, m_nHours, m_nMins, 0);
  SetWindowText(time.FormatTime());
  return 1;
}

void CNbEditTime::StepForward() {
  if ((m_nHours == 23 && m_nMins == 55) || m_nHours == -1) {
    MessageBeep(kRefusedBeep);
    return;
  }
  // Wide arithmetic: the owner may have stored any numbers with SetTime.
  long long mins = m_nMins + 15LL;
  long long hours = m_nHours;
  if (mins >= 60) {
    if (hours + 1 >= 24) {
      hours = 23;
      mins = 55;
    } else {
      mins -= 60;
      ++hours;
    }
  }
  m_nHours = static_cast<int>(hours);
  m_nMins = static_cast<int>(mins);
  FormatTime();
}

void CNbEditTime::StepBack() {
  // The hour -1 is no time at all: there is nothing to step back from.
  if (m_nHours == -1 || (m_nHours <= 0 && m_nMins <= 0)) {
    MessageBeep(kRefusedBeep);
    return;
  }
  long long mins = m_nMins - 15LL;
  long long hours = m_nHours;
  if (mins < 0) {
    if (hours - 1 < 0) {
      hours = 0;
      mins = 0;
    } else {
      mins += 60;
      --hours;
    }
  }
  m_nHours = static_cast<int>(hours);
  m_nMins = static_cast<int>(mins);
  FormatTime();
}

void CNbEditTime::ChooseHalf(bool bAfternoon) {
  if (m_b24Hour || m_nHours == -1) {
    MessageBeep(kRefusedBeep);
    return;
  }
  m_bForcePM = bAfternoon ? TRUE : FALSE;
  m_bForceAM = bAfternoon ? FALSE : TRUE;
  ReadTime(0);
  FormatTime();
  SelectAll();
}

void CNbEditTime::SelectAll() { SetSel(0, -1, FALSE); }
