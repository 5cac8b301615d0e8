#include "calendar/nb_date.h"

bool CNbDate::operator==(const CNbDate& other) const {
  return m_nYear == other.m_nYear && m_nMonth == other.m_nMonth && m_nDay == other.m_nDay;
}

void CNbDate::Empty() { m_nYear = m_nMonth = m_nDay = m_nMark = 0; }
