// CNbDate: a year, month and day with the mark of an event date, the date
// picker's public value type.
#pragma once

#include "win/types.h"
#include "frame/nbui_export.h"

class NBUI_API CNbDate {
 public:
  // The mark is 0; year, month and day are the caller's to set.
  CNbDate() : m_nMark(0) {}
  CNbDate(int nYear, int nMonth, int nDay, int nMark = 0)
      : m_nYear(nYear), m_nMonth(nMonth), m_nDay(nDay), m_nMark(nMark) {}
  CNbDate(const CNbDate&) = default;
  CNbDate& operator=(const CNbDate&) = default;

  // Dates compare by year, month and day; the mark does not count.
  bool operator==(const CNbDate& other) const;
  bool operator!=(const CNbDate& other) const { return !(*this == other); }

  // Sets all four fields to 0.
  void Empty();

  int m_nYear;
  int m_nMonth;
  int m_nDay;
  int m_nMark;
};
