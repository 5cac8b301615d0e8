// CNbDatePicker: creation, the shown months, the selection and event marks.
#include "calendar/date_picker.h"

#include <algorithm>

#include "HostShared/settings.h"
#include "mfc/time.h"

BEGIN_MESSAGE_MAP(CNbDatePicker, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_KEYDOWN()
  ON_WM_MOUSEWHEEL()
  ON_WM_GETDLGCODE()
  ON_WM_TIMER()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_TIMECHANGE()
  ON_WM_CANCELMODE()
  ON_MESSAGE(NBDP_DRAGOVER, OnDragOver)
  ON_MESSAGE(NBDP_DRAGEND, OnDragEnd)
  ON_MESSAGE(NBDP_DROP, OnDrop)
END_MESSAGE_MAP()

CNbDatePicker::CNbDatePicker() = default;

CNbDatePicker::~CNbDatePicker() {
  if (m_hWnd) DestroyWindow();
  delete[] m_pGrids;
  m_pGrids = nullptr;
}

int CNbDatePicker::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, int nCols, int nRows,
                          int nAbsWidth, int nAbsHeight) {
  SetCalColRowCount(nCols, nRows);
  SetAbsCalSize(nAbsWidth, nAbsHeight);
  return CWnd::Create(nullptr, "LumoUIDatePicker", dwStyle, rect, pParentWnd, nID);
}

BOOL CNbDatePicker::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= WS_TABSTOP;
  return CWnd::PreCreateWindow(cs);
}

void CNbDatePicker::GetCalColRowCount(int& nCols, int& nRows) const {
  nCols = m_nCols;
  nRows = m_nRows;
}

void CNbDatePicker::SetCalColRowCount(int nCols, int nRows) {
  // The grid array is sized at creation; a count below one would leave the
  // control without a calendar to show.
  m_nCols = std::max(nCols, 1);
  m_nRows = std::max(nRows, 1);
}

void CNbDatePicker::SetAbsCalSize(int nWidth, int nHeight) {
  m_nAbsCalWidth = nWidth;
  m_nAbsCalHeight = nHeight;
}

int CNbDatePicker::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
  CalcRects();
  m_nCalCount = m_nCols * m_nRows;
  delete[] m_pGrids;
  m_pGrids = new CMonthGrid[static_cast<size_t>(m_nCalCount)];
  const WORD mondayFirst = static_cast<WORD>(GetWorkWeekBegins() & 0xFFFF);
  for (int i = 0; i < m_nCalCount; ++i) m_pGrids[i].m_wMondayFirst = mondayFirst;
  int month, day, year;
  GetToday(&month, &day, &year);
  SetCalDates(month, year);
  if (m_ToolTip.Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX)) {
    m_ToolTip.SetMargin(CRect(2, 2, 2, 2));
    m_ToolTip.SetMaxTipWidth(32767);
    m_ToolTip.AddTool(this, LPSTR_TEXTCALLBACK);
  }
  return 0;
}

void CNbDatePicker::OnDestroy() {
  if (m_bTimerSet) KillTimer(1);
  m_bTimerSet = 0;
  if (m_ToolTip.m_hWnd) m_ToolTip.DestroyWindow();
  CWnd::OnDestroy();
}

void CNbDatePicker::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (!m_hWnd) return;
  int w, h;
  CalendarSize(w, h);
  m_nCellWidth = std::max((w - (m_nBorder + 3)) / 7, 1);
  m_nCellHeight = std::max((h - (m_nBorder + 3)) / 8, 1);
  // Nothing outside the calendars belongs to the control.
  CRgn region;
  region.CreateRectRgn(0, 0, 0, 0);
  for (int i = 0; i < m_nCalCount; ++i) {
    CRgn one;
    one.CreateRectRgnIndirect(GetCalBounds(i));
    region.CombineRgn(&region, &one, RGN_OR);
  }
  SetWindowRgn(static_cast<HRGN>(region.Detach()), TRUE);
}

CWnd* CNbDatePicker::NotifyTarget() const { return m_pNotifyWnd ? m_pNotifyWnd : GetParent(); }

void CNbDatePicker::Redraw() {
  if (m_hWnd) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CNbDatePicker::RedrawPart(int nCal, int nPart) {
  if (nPart == kHitNone) {
    Redraw();
    return;
  }
  if (!m_hWnd || nCal < 0 || nCal >= m_nCalCount) return;
  CRect part = PartRect(nCal, nPart);
  if (!part.IsRectEmpty()) RedrawWindow(&part, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CNbDatePicker::GetToday(int* pMonth, int* pDay, int* pYear) const {
  CTime now = CTime::GetCurrentTime();
  if (pMonth) *pMonth = now.GetMonth();
  if (pDay) *pDay = now.GetDay();
  if (pYear) *pYear = now.GetYear();
}

void CNbDatePicker::GetToday(CNbDate* pDate) const {
  if (!pDate) return;
  int month, day, year;
  GetToday(&month, &day, &year);
  *pDate = CNbDate(year, month, day, pDate->m_nMark);
}

void CNbDatePicker::GetDisplayMonth(int* pMonth, int* pYear) const {
  const CMonthGrid* g = GetGrid(0);
  if (pMonth) *pMonth = g ? g->m_nMonth : 0;
  if (pYear) *pYear = g ? g->m_nYear : 0;
}

void CNbDatePicker::SetDisplayMonth(int nMonth, int nYear, BOOL bRedraw) {
  if (!m_pGrids || nMonth < 1 || nMonth > 12 || nYear < 1) return;
  int oldMonth = m_pGrids[0].m_nMonth, oldYear = m_pGrids[0].m_nYear;
  bool selection = m_dateHighlight.m_nMonth >= 1 && m_dateHighlight.m_nMonth <= 12;
  int oldIndex = selection ? DateToCalIndex(m_dateHighlight.m_nMonth, m_dateHighlight.m_nYear) : -1;
  SetCalDates(nMonth, nYear);
  if (selection && DateToCalIndex(m_dateHighlight.m_nMonth, m_dateHighlight.m_nYear) == -1) {
    int day = m_dateHighlight.m_nDay;
    if (oldIndex >= 0 && oldIndex < m_nCalCount) {
      SetHighlightDate(m_pGrids[oldIndex].m_nMonth, day, m_pGrids[oldIndex].m_nYear, FALSE);
    } else {
      SetHighlightDate(nMonth, day, nYear, FALSE);
    }
  }
  if (m_pGrids[0].m_nMonth != oldMonth || m_pGrids[0].m_nYear != oldYear) {
    if (CWnd* target = NotifyTarget()) target->SendMessage(NBDP_MONTHCHANGE, 0, 0);
  }
  if (bRedraw) Redraw();
}

void CNbDatePicker::SetStartDate(int nMonth, int nDay, int nYear, BOOL bRedraw) {
  m_dateStart = CNbDate(nYear, nMonth, nDay);
  if (bRedraw) Redraw();
}

void CNbDatePicker::ParentResized(UINT, int, int) { (void)m_hWnd; }

void CNbDatePicker::SetHighlightDate(int nMonth, int nDay, int nYear, BOOL bRedraw) {
  // A month that doesn't exist can't be shown or chosen.
  if (!m_pGrids || nMonth < 1 || nMonth > 12 || nYear < 1) return;
  int cal = DateToCalIndex(nMonth, nYear);
  if (cal == -1) {
    // The date's month comes first, unless the calendars after it would pass
    // the last allowed year: then they end at its December.
    int month = nMonth, year = nYear;
    if (YearAllowed(nYear) && !MonthsAllowed(month, year)) {
      month = 12;
      year = m_nMaxYear;
      IncrMonth(month, year, -(m_nCalCount - 1));
      if (year < m_nMinYear) {
        month = 1;
        year = m_nMinYear;
      }
    }
    SetCalDates(month, year);
    cal = std::max(DateToCalIndex(nMonth, nYear), 0);
    if (CWnd* target = NotifyTarget()) target->SendMessage(NBDP_MONTHCHANGE, 0, 0);
  }
  // A day the month doesn't have becomes the first.
  if (!DateToGrid(cal, CNbDate(nYear, nMonth, nDay), nullptr)) nDay = 1;
  m_nFlags |= kShowSelection;
  m_dateHighlight = CNbDate(nYear, nMonth, nDay);
  if (bRedraw) Redraw();
}

void CNbDatePicker::GetHighlightDate(int* pMonth, int* pDay, int* pYear) const {
  if (pMonth) *pMonth = m_dateHighlight.m_nMonth;
  if (pDay) *pDay = m_dateHighlight.m_nDay;
  if (pYear) *pYear = m_dateHighlight.m_nYear;
}

void CNbDatePicker::SetSelection(int nYear, int nMonth, int nDay, BOOL bNotify) {
  SetHighlightDate(nMonth, nDay, nYear, TRUE);
  if (bNotify) PostParent();
}

void CNbDatePicker::GetSelection(int& nYear, int& nMonth, int& nDay) const {
  nYear = m_dateHighlight.m_nYear;
  nMonth = m_dateHighlight.m_nMonth;
  nDay = m_dateHighlight.m_nDay;
}

void CNbDatePicker::PostParent(int, int, int) {
  if (!YearAllowed(m_dateHighlight.m_nYear)) return;
  CWnd* target = NotifyTarget();
  if (!target || !target->m_hWnd) return;
  target->PostMessage(NBDP_SELCHANGE, static_cast<WPARAM>(static_cast<WORD>(m_dateHighlight.m_nYear)),
                      MAKELPARAM(m_dateHighlight.m_nDay, m_dateHighlight.m_nMonth));
}

void CNbDatePicker::IndexEvents() const {
  if (m_nIndexedEvents == m_aEvents.GetSize()) return;
  m_eventIndex.clear();
  m_eventIndex.reserve(static_cast<size_t>(m_aEvents.GetSize()));
  for (INT_PTR i = 0; i < m_aEvents.GetSize(); ++i) {
    const CNbDate& e = m_aEvents.GetAt(i);
    m_eventIndex.emplace(EventKey(e.m_nYear, e.m_nMonth, e.m_nDay), e.m_nMark);  // the first entry wins
  }
  m_nIndexedEvents = m_aEvents.GetSize();
}

bool CNbDatePicker::FindEventMark(const CNbDate& date, int* pMark) const {
  IndexEvents();
  auto it = m_eventIndex.find(EventKey(date.m_nYear, date.m_nMonth, date.m_nDay));
  if (it == m_eventIndex.end()) return false;
  if (pMark) *pMark = it->second;
  return true;
}

void CNbDatePicker::RemoveEventAt(INT_PTR nIndex) {
  IndexEvents();
  m_aEvents.RemoveAt(nIndex);
  // Another entry for the same date (only direct edits make one) takes over.
  m_nIndexedEvents = -1;
}

int CNbDatePicker::AddEvent(int nYear, int nMonth, int nDay, BOOL bRedraw, int nMark) {
  int existing = 0;
  while (FindEventMark(CNbDate(nYear, nMonth, nDay), &existing)) {
    if (existing != 0) return -1;
    if (nMark == 0) return -1;
    // A marked event takes the place of the plain one.
    for (INT_PTR i = 0; i < m_aEvents.GetSize(); ++i) {
      const CNbDate& e = m_aEvents[i];
      if (e.m_nYear == nYear && e.m_nMonth == nMonth && e.m_nDay == nDay) {
        RemoveEventAt(i);
        break;
      }
    }
  }
  CNbDate added(nYear, nMonth, nDay, nMark);
  m_aEvents.Add(added);
  if (m_nIndexedEvents == m_aEvents.GetSize() - 1) {
    m_eventIndex.emplace(EventKey(nYear, nMonth, nDay), nMark);
    m_nIndexedEvents = m_aEvents.GetSize();
  }
  if (bRedraw) Redraw();
  return 0;
}

int CNbDatePicker::AddEvent(const CNbDate* pDates, int nCount, BOOL bRedraw) {
  if (!pDates || nCount <= 0) return -1;
  bool any = false;
  for (int i = 0; i < nCount; ++i) {
    if (AddEvent(pDates[i].m_nYear, pDates[i].m_nMonth, pDates[i].m_nDay, FALSE, 0) == 0) any = true;
  }
  if (bRedraw) Redraw();
  return any ? 0 : -1;
}

int CNbDatePicker::AddEvent(const CArray<CNbDate, CNbDate&>& dates, BOOL bRedraw) {
  bool any = false;
  for (INT_PTR i = 0; i < dates.GetSize(); ++i) {
    const CNbDate& d = dates.GetAt(i);
    if (AddEvent(d.m_nYear, d.m_nMonth, d.m_nDay, FALSE, 0) == 0) any = true;
  }
  if (bRedraw) Redraw();
  return any ? 0 : -1;
}

int CNbDatePicker::RemoveEvent(int nYear, int nMonth, int nDay, BOOL bRedraw) {
  if (FindEventMark(CNbDate(nYear, nMonth, nDay), nullptr)) {
    for (INT_PTR i = 0; i < m_aEvents.GetSize(); ++i) {
      const CNbDate& e = m_aEvents[i];
      if (e.m_nYear == nYear && e.m_nMonth == nMonth && e.m_nDay == nDay) {
        RemoveEventAt(i);
        return 0;
      }
    }
  }
  if (bRedraw) Redraw();
  return -1;
}

int CNbDatePicker::RemoveEvent(const CNbDate* pDates, int nCount, BOOL bRedraw) {
  if (!pDates || nCount <= 0) return -1;
  bool any = false;
  for (int i = 0; i < nCount; ++i) {
    if (RemoveEvent(pDates[i].m_nYear, pDates[i].m_nMonth, pDates[i].m_nDay, FALSE) == 0) any = true;
  }
  if (bRedraw) Redraw();
  return any ? 0 : -1;
}

void CNbDatePicker::ResetEventArray(BOOL bRedraw) {
  m_aEvents.RemoveAll();
  m_eventIndex.clear();
  m_nIndexedEvents = 0;
  if (bRedraw) Redraw();
}
