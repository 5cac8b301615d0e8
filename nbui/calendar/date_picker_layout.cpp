// CNbDatePicker's geometry: how the client area divides into calendars and
// each calendar into title, weekday row and day cells; and the mapping
// between points, cells and dates.
#include <algorithm>

#include "calendar/date_picker.h"

bool CNbDatePicker::IsBefore(const CNbDate& a, const CNbDate& b) {
  if (a.m_nYear != b.m_nYear) return a.m_nYear < b.m_nYear;
  if (a.m_nMonth != b.m_nMonth) return a.m_nMonth < b.m_nMonth;
  return a.m_nDay < b.m_nDay;
}

bool CNbDatePicker::HasStartDate() const {
  return m_dateStart.m_nYear != -1 && m_dateStart.m_nMonth != -1 && m_dateStart.m_nDay != -1;
}

void CNbDatePicker::CalendarSize(int& nWidth, int& nHeight) const {
  CRect client(0, 0, 0, 0);
  if (m_hWnd) GetClientRect(&client);
  nWidth = m_nAbsCalWidth != -1 ? m_nAbsCalWidth : client.Width() / std::max(m_nCols, 1);
  nHeight = m_nAbsCalHeight != -1 ? m_nAbsCalHeight : client.Height() / std::max(m_nRows, 1);
}

CRect CNbDatePicker::GetCalBounds(int nIndex) const {
  int w, h;
  CalendarSize(w, h);
  int cols = std::max(m_nCols, 1);
  CRect r(0, 0, w, h);
  r.OffsetRect((nIndex % cols) * w + BlockOffset(w), (nIndex / cols) * h);
  r.right -= m_nBorder;
  r.bottom -= m_nBorder;
  // Whole cells only: 3 + 7 cells wide and 3 + 8 cells high.
  r.right -= (r.Width() - 3) % std::max(m_nCellWidth, 1);
  r.bottom -= (r.Height() - 3) % std::max(m_nCellHeight, 1);
  return r;
}

void CNbDatePicker::GetCalRects(const CRect& rcBounds, CPickerRects& rects) const {
  int ch = m_nCellHeight;
  CRect r(rcBounds.left + 1, rcBounds.top + 1, rcBounds.right - 2, rcBounds.bottom - 2);
  rects.m_rcDays = CRect(r.left, r.bottom - 6 * ch, r.right, r.bottom);
  rects.m_rcDow = CRect(r.left, rects.m_rcDays.top - ch, r.right, rects.m_rcDays.top);
  rects.m_rcTitle = CRect(r.left + 1, r.top + 1, r.right, rects.m_rcDow.top);
  const CRect& t = rects.m_rcTitle;
  rects.m_rcPrev = CRect(t.left, t.top, t.left + t.Height(), t.bottom);
  rects.m_rcNext = CRect(t.right - t.Height(), t.top, t.right, t.bottom);
  rects.m_rcMonth = t;
  if (!(m_nFlags & kMonthOnly)) {
    rects.m_rcMonth.left = rects.m_rcPrev.right;
    rects.m_rcMonth.right -= rects.m_rcMonth.Width() / 2;
  }
  rects.m_rcYear = t;
  if (!(m_nFlags & kYearOnly)) {
    rects.m_rcYear.left = t.right - t.Width() / 2;
    rects.m_rcYear.right = rects.m_rcNext.left;
  }
}

int CNbDatePicker::BlockOffset(int nCalWidth) const {
  CRect client(0, 0, 0, 0);
  if (m_hWnd) GetClientRect(&client);
  int cols = std::max(m_nCols, 1);
  return ((client.Width() / cols - nCalWidth) >> 1) * cols;
}

int CNbDatePicker::CalIndexAt(CPoint point) const {
  int w, h;
  CalendarSize(w, h);
  int cols = std::max(m_nCols, 1), last = std::max(m_nCalCount, 1) - 1;
  // The columns as drawn (centred when of a fixed size). A zero-sized client
  // area still maps every point to a calendar.
  int column = std::clamp((point.x - BlockOffset(w)) / std::max(w, 1), 0, cols - 1);
  int row = std::clamp(point.y / std::max(h, 1), 0, last / cols);
  return std::clamp(row * cols + column, 0, last);
}

CPickerHit CNbDatePicker::HitTest(CPoint point) const { return HitTestCal(CalIndexAt(point), point); }

CPickerHit CNbDatePicker::HitTestCal(int nCal, CPoint point) const {
  CPickerHit hit;
  hit.nCal = nCal;
  // The cell is taken in the nearest calendar even for an index outside the
  // control, so that a drag far off still has a cell to aim at.
  CPickerRects r;
  GetCalRects(GetCalBounds(std::clamp(nCal, 0, std::max(m_nCalCount, 1) - 1)), r);
  int x = std::clamp(static_cast<int>(point.x - r.m_rcDays.left), 0, std::max(r.m_rcDays.Width() - 1, 0));
  int y = std::clamp(static_cast<int>(point.y - r.m_rcDays.top), 0, std::max(r.m_rcDays.Height() - 1, 0));
  hit.nCell = std::min(y / std::max(m_nCellHeight, 1), 5) * 7 + std::min(x / std::max(m_nCellWidth, 1), 6);
  if (nCal < 0 || nCal >= m_nCalCount) return hit;
  int cols = std::max(m_nCols, 1);
  if (r.m_rcPrev.PtInRect(point) && (m_nFlags & kPrevArrow) && nCal % cols == 0 && !(m_nFlags & kYearOnly))
    hit.nPart = kHitPrev;
  else if (r.m_rcNext.PtInRect(point) && (m_nFlags & kNextArrow) && nCal % cols == cols - 1 &&
           !(m_nFlags & kMonthOnly))
    hit.nPart = kHitNext;
  else if (r.m_rcMonth.PtInRect(point) && (m_nFlags & kMonthClickable) && !(m_nFlags & kYearOnly))
    hit.nPart = kHitMonth;
  else if (r.m_rcYear.PtInRect(point) && (m_nFlags & kYearClickable) && !(m_nFlags & kMonthOnly))
    hit.nPart = kHitYear;
  else if (r.m_rcTitle.PtInRect(point))
    hit.nPart = kHitTitle;
  else if (r.m_rcDow.PtInRect(point))
    hit.nPart = kHitDow;
  else if (r.m_rcDays.PtInRect(point))
    hit.nPart = kHitDays;
  return hit;
}

int CNbDatePicker::PtToCalIndex(CPoint point) const { return CalIndexAt(point); }

int CNbDatePicker::PtToFocus(int nCal, CPoint point) const { return HitTestCal(nCal, point).nPart; }

int CNbDatePicker::PtToGrid(int nCal, CPoint point) const { return HitTestCal(nCal, point).nCell; }

CRect CNbDatePicker::CellRect(const CPickerRects& rects, int nCell) const {
  int row = nCell / 7, column = nCell % 7;
  CRect r(rects.m_rcDays.left + column * m_nCellWidth, rects.m_rcDays.top + row * m_nCellHeight,
          rects.m_rcDays.left + (column + 1) * m_nCellWidth, rects.m_rcDays.top + (row + 1) * m_nCellHeight);
  r.left += 1;
  r.top += 1;
  return r;
}

CRect CNbDatePicker::GetCellRect(int nCal, int nCell) const {
  CPickerRects r;
  GetCalRects(GetCalBounds(nCal), r);
  return CellRect(r, nCell);
}

const CMonthGrid* CNbDatePicker::GetGrid(int nCal) const {
  if (!m_pGrids || nCal < 0 || nCal >= m_nCalCount) return nullptr;
  return &m_pGrids[nCal];
}

int CNbDatePicker::CellMonthClass(int nCal, int nCell) const {
  const CMonthGrid* g = GetGrid(nCal);
  if (!g || nCell < 0 || nCell >= CMonthGrid::kCells) return 1;
  int month = g->m_naCellMonth[nCell];
  if (month == g->m_nMonth) return 1;
  int prevMonth = g->m_nMonth, prevYear = g->m_nYear;
  IncrMonth(prevMonth, prevYear, -1);
  return month == prevMonth ? 0 : 2;
}

void CNbDatePicker::GetPrevNextDates(int nCal, int& nPrevMonth, int& nPrevYear, int& nNextMonth,
                                     int& nNextYear) const {
  const CMonthGrid* g = GetGrid(nCal);
  int month = g ? g->m_nMonth : 1, year = g ? g->m_nYear : 1970;
  nPrevMonth = month;
  nPrevYear = year;
  IncrMonth(nPrevMonth, nPrevYear, -1);
  nNextMonth = month;
  nNextYear = year;
  IncrMonth(nNextMonth, nNextYear, 1);
}

int CNbDatePicker::GridToDate(int nCal, int nCell, CNbDate& date, BOOL bAllowOther) const {
  const CMonthGrid* g = GetGrid(nCal);
  if (!g || nCell < 0 || nCell >= CMonthGrid::kCells) return 0;
  int day, month, year;
  g->GetCellDate(nCell, day, month, year);
  if (day < 1) return 0;  // the blank cells of September 1752 hold no date
  if (month == g->m_nMonth) {
    date = CNbDate(year, month, day, date.m_nMark);
    if (HasStartDate() && IsBefore(date, m_dateStart)) {
      date = CNbDate(m_dateStart.m_nYear, m_dateStart.m_nMonth, m_dateStart.m_nDay, date.m_nMark);
      return 0;
    }
    return 1;
  }
  if (!bAllowOther) return 0;
  date = CNbDate(year, month, day, date.m_nMark);
  return 1;
}

int CNbDatePicker::GridToClosestDate(int nCal, int nCell, CNbDate& date) const {
  const CMonthGrid* g = GetGrid(nCal);
  if (!g) return 0;
  int cell = std::clamp(nCell, 0, CMonthGrid::kCells - 1);
  for (int guard = 0; guard < 6; ++guard) {
    int cls = CellMonthClass(nCal, cell);
    if (cls == 2 && cell >= 7) cell -= 7;
    else if (cls == 0 && cell + 7 < CMonthGrid::kCells) cell += 7;
    else break;
  }
  // September 1752's blank cells after the 30th are not a date: the nearest
  // day above them is.
  while (g->m_naCellDay[cell] < 1 && cell >= 7) cell -= 7;
  while (g->m_naCellDay[cell] < 1 && cell + 7 < CMonthGrid::kCells) cell += 7;
  date = CNbDate(g->m_nYear, g->m_nMonth, std::max(g->m_naCellDay[cell], 1), date.m_nMark);
  if (HasStartDate() && IsBefore(date, m_dateStart))
    date = CNbDate(m_dateStart.m_nYear, m_dateStart.m_nMonth, m_dateStart.m_nDay, date.m_nMark);
  return 1;
}

int CNbDatePicker::DateToGrid(int nCal, const CNbDate& date, int* pCell) const {
  const CMonthGrid* g = GetGrid(nCal);
  if (!g) return 0;
  for (int i = 0; i < CMonthGrid::kCells; ++i) {
    int day, month, year;
    g->GetCellDate(i, day, month, year);
    if (day == date.m_nDay && month == date.m_nMonth && year == date.m_nYear) {
      if (pCell) *pCell = i;
      return 1;
    }
  }
  return 0;
}

int CNbDatePicker::DateToCalIndex(int nMonth, int nYear) const {
  for (int i = 0; i < m_nCalCount && m_pGrids; ++i) {
    if (m_pGrids[i].m_nMonth == nMonth && m_pGrids[i].m_nYear == nYear) return i;
  }
  return -1;
}

void CNbDatePicker::IncrMonth(int& nMonth, int& nYear, int nDelta) {
  int n = nYear * 12 + nMonth - 1 + nDelta;
  nYear = n / 12;
  nMonth = n % 12 + 1;
}

void CNbDatePicker::SetCalDates(int nMonth, int nYear) {
  if (!m_pGrids || nMonth < 1 || nMonth > 12 || nYear < 1) return;
  for (int i = 0; i < m_nCalCount; ++i) {
    int m = nMonth, y = nYear;
    IncrMonth(m, y, i);
    m_pGrids[i].Fill(m, y);
  }
}

void CNbDatePicker::GetMaxMonthYear(int nCal, int& nMonth, int& nYear) const {
  nMonth = 12;
  nYear = m_nMaxYear;
  IncrMonth(nMonth, nYear, -(m_nCalCount - 1 - nCal));
}

BOOL CNbDatePicker::MonthAllowedFor(int nCal, int nMonth, int nYear) const {
  int maxMonth, maxYear;
  GetMaxMonthYear(nCal, maxMonth, maxYear);
  return Is_MMYY_ValidForCurCal(nMonth, nYear, maxMonth, maxYear);
}

BOOL CNbDatePicker::MonthsAllowed(int nFirstMonth, int nFirstYear) const {
  return nFirstYear >= m_nMinYear && MonthAllowedFor(0, nFirstMonth, nFirstYear);
}

void CNbDatePicker::GetMaxMonthYearCurCal(int& nMonth, int& nYear) const { GetMaxMonthYear(m_nFocusCal, nMonth, nYear); }

int CNbDatePicker::Is_MMYY_ValidForCurCal(int nMonth, int nYear) const {
  return MonthAllowedFor(m_nFocusCal, nMonth, nYear);
}

int CNbDatePicker::Is_MMYY_ValidForCurCal(int nMonth1, int nYear1, int nMonth2, int nYear2) const {
  return (nYear1 < nYear2 || (nYear1 == nYear2 && nMonth1 <= nMonth2)) ? 1 : 0;
}

void CNbDatePicker::GetDateRange(CNbDate* pFirst, CNbDate* pLast) const {
  // The outermost cells that hold a date: September 1752 leaves its corner
  // cells blank.
  const CMonthGrid* first = GetGrid(0);
  const CMonthGrid* last = GetGrid(m_nCalCount - 1);
  if (pFirst && first) {
    int cell = 0;
    while (cell + 1 < CMonthGrid::kCells && first->m_naCellDay[cell] < 1) ++cell;
    GridToDate(0, cell, *pFirst, TRUE);
  }
  if (pLast && last) {
    int cell = CMonthGrid::kCells - 1;
    while (cell > 0 && last->m_naCellDay[cell] < 1) --cell;
    GridToDate(m_nCalCount - 1, cell, *pLast, TRUE);
  }
}

CRect CNbDatePicker::PartRect(int nCal, int nPart) const {
  CRect bounds = GetCalBounds(nCal);
  CPickerRects rects;
  GetCalRects(bounds, rects);
  switch (nPart) {
    case kHitPrev: return rects.m_rcPrev;
    case kHitNext: return rects.m_rcNext;
    case kHitMonth: return rects.m_rcMonth;
    case kHitYear: return rects.m_rcYear;
    case kHitDays: {
      int cell = -1;
      if (!DateToGrid(nCal, m_dateHighlight, &cell)) return CRect(0, 0, 0, 0);
      if (!(m_nFlags & kWeekRow)) return CellRect(rects, cell);
      CRect row = CellRect(rects, cell - cell % 7);
      row.right = CellRect(rects, cell - cell % 7 + 6).right;
      return row;
    }
    default: return bounds;
  }
}

void CNbDatePicker::GetDayRect(CRect& rect) const {
  CPickerRects r;
  GetCalRects(GetCalBounds(0), r);
  rect = r.m_rcDays;
}

void CNbDatePicker::CalcRects() {
  CRect client;
  GetClientRect(&client);
  int s = GetSystemMetrics(SM_CYVTHUMB) - 1;
  CRect leftArrow(0, 2, s, s + 2);
  CRect rightArrow(client.right - s, 1, client.right, s + 2);
  m_rcYearArea = CRect(leftArrow.right + s / 2, 1, rightArrow.left - s / 2, s + 5);
  m_rcYearArea.DeflateRect(2, 2);
  m_rcMonthsArea = CRect(0, leftArrow.bottom + 8, client.right, 58);
  m_rcMonthsArea.DeflateRect(2, 2);
  m_rcDaysArea = CRect(0, m_rcMonthsArea.bottom + 8, client.right, client.bottom);
  m_rcDaysArea.DeflateRect(2, 2);
}

void CNbDatePicker::SetFocusLocation(int nLocation) {
  if (nLocation == m_nFocusLocation) return;
  auto area = [&](int location) -> CRect {
    switch (location) {
      case 1: return m_rcYearArea;
      case 2: return m_rcMonthsArea;
      case 3: {
        // The days below their header row (one of seven rows).
        CRect r = m_rcDaysArea;
        r.top += r.Height() / 7;
        return r;
      }
      default: return CRect(0, 0, 0, 0);
    }
  };
  if (m_hWnd) {
    CRect old = area(m_nFocusLocation), now = area(nLocation);
    if (!old.IsRectEmpty()) InvalidateRect(&old);
    if (!now.IsRectEmpty()) InvalidateRect(&now);
  }
  m_nFocusLocation = nLocation;
  if (m_hWnd) UpdateWindow();
}
