// CNbDatePicker: one or more consecutive months shown as calendars in
// columns and rows, from which the user picks a day.
//
// One calendar (all sizes in pixels, cw x ch a day cell):
//
//   +-------------------------------+   bounds: 3 + 7 cells wide, 3 + 8 high
//   |< |  month   v |   year   v | >|   title (ch - 1 high)
//   | S  M  T  W  Th F  S           |   weekday row (ch)
//   | 29 30 31  1  2  3  4          |   six week rows of day cells
//   |  ...                          |
//   +-------------------------------+
#pragma once

#include <unordered_map>

#include "calendar/month_grid.h"
#include "calendar/nb_date.h"
#include "mfc/collections.h"
#include "mfc/controls.h"
#include "mfc/dc.h"
#include "mfc/wnd.h"
#include "NbThemes/nbthemes.h"
#include "frame/nbui_export.h"

// The parts of one calendar, in client coordinates.
class NBUI_API CPickerRects {
 public:
  CRect m_rcTitle;
  CRect m_rcDow;
  CRect m_rcDays;
  CRect m_rcMonth;
  CRect m_rcYear;
  CRect m_rcPrev;
  CRect m_rcNext;
};

// What lies under a point: the calendar, its part (a CNbDatePicker::kHit*
// code) and the day cell (row * 7 + column) nearest the point in that
// calendar's day area.
struct CPickerHit {
  int nCal = 0;
  int nPart = 0;
  int nCell = 0;
};

// Messages between the picker and its parent (or notify window), and from a
// drag source to the picker. Posted ones may arrive after the state changed again.
#define NBDP_DBLCLK 0x1D68       // posted: label clicked / own-month day double-clicked
#define NBDP_SELCHANGE 0x1D69    // posted: the selection or the shown months changed
#define NBDP_DRAGOVER 0x1D70     // received from a drag source
#define NBDP_DRAGEND 0x1D71
#define NBDP_DROP 0x1D72
#define NBDP_MONTHCHANGE 0x1D74  // sent: the first shown month changed
#define NBDP_GETTIPTEXT 0x1D75   // sent: the tooltip text for a date

class NBUI_API CNbDatePicker : public CWnd {
 public:
  // Hit codes of PtToFocus.
  enum { kHitNone = 0, kHitPrev = 1, kHitNext = 2, kHitMonth = 3, kHitYear = 4, kHitTitle = 5, kHitDow = 6, kHitDays = 7 };
  // Flag bits of m_nFlags.
  enum {
    kPrevArrow = 0x001,
    kNextArrow = 0x002,
    kShowSelection = 0x004,
    kMonthClickable = 0x008,
    kYearClickable = 0x010,
    kMonthOnly = 0x020,
    kYearOnly = 0x040,
    kMonthMenu = 0x080,
    kYearMenu = 0x100,
    kWeekRow = 0x200,
  };

  CNbDatePicker();
  ~CNbDatePicker() override;

  int Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, int nCols = 1, int nRows = 1,
             int nAbsWidth = -1, int nAbsHeight = -1);
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  // Accessors (none redraws).
  void SetMinYear(int nYear) { m_nMinYear = nYear; }
  void SetMaxYear(int nYear) { m_nMaxYear = nYear; }
  void SetFlags(int nFlags) { m_nFlags = nFlags; }
  int GetFlags() const { return m_nFlags; }
  int GetBorder() const { return m_nBorder; }
  void SetNBAttributes(DWORD dwAttributes) { m_dwNBAttributes = dwAttributes; }
  void SetNotifyWindow(CWnd* pWnd) { m_pNotifyWnd = pWnd; }
  void GetCalColRowCount(int& nCols, int& nRows) const;
  void SetCalColRowCount(int nCols, int nRows);
  void SetAbsCalSize(int nWidth, int nHeight);

  void GetToday(int* pMonth, int* pDay, int* pYear) const;
  void GetToday(CNbDate* pDate) const;
  void GetDisplayMonth(int* pMonth, int* pYear) const;
  void SetDisplayMonth(int nMonth, int nYear, BOOL bRedraw);
  void SetStartDate(int nMonth, int nDay, int nYear, BOOL bRedraw);
  void GetDateRange(CNbDate* pFirst, CNbDate* pLast) const;
  void GetDayRect(CRect& rect) const;
  void ParentResized(UINT nType, int cx, int cy);

  // Event marks: 0 on success, -1 on failure.
  int AddEvent(int nYear, int nMonth, int nDay, BOOL bRedraw, int nMark = 0);
  int AddEvent(const CNbDate* pDates, int nCount, BOOL bRedraw);
  int AddEvent(const CArray<CNbDate, CNbDate&>& dates, BOOL bRedraw);
  int RemoveEvent(int nYear, int nMonth, int nDay, BOOL bRedraw);
  int RemoveEvent(const CNbDate* pDates, int nCount, BOOL bRedraw);
  void ResetEventArray(BOOL bRedraw);

  int Is_MMYY_ValidForCurCal(int nMonth, int nYear) const;
  int Is_MMYY_ValidForCurCal(int nMonth1, int nYear1, int nMonth2, int nYear2) const;
  void GetMaxMonthYearCurCal(int& nMonth, int& nYear) const;
  void SetFocusLocation(int nLocation);

  // Selection.
  void SetHighlightDate(int nMonth, int nDay, int nYear, BOOL bRedraw);
  void GetHighlightDate(int* pMonth, int* pDay, int* pYear) const;
  void SetSelection(int nYear, int nMonth, int nDay, BOOL bNotify);
  void GetSelection(int& nYear, int& nMonth, int& nDay) const;
  void PostParent(int nYear = 0, int nMonth = 0, int nDay = 0);
  void RelayEvent(UINT message, WPARAM wParam, LPARAM lParam, const CString& strText);

  // Layout (used by interaction and painting; public so hosts and tests can
  // see where things are).
  CRect GetCalBounds(int nIndex) const;
  void GetCalRects(const CRect& rcBounds, CPickerRects& rects) const;
  // The one geometry query for a point: the calendar under it, with its part
  // and cell. HitTestCal answers the same for a given calendar.
  CPickerHit HitTest(CPoint point) const;
  CPickerHit HitTestCal(int nCal, CPoint point) const;
  int PtToCalIndex(CPoint point) const;
  int PtToFocus(int nCal, CPoint point) const;
  int PtToGrid(int nCal, CPoint point) const;  // cell index row * 7 + column
  // A day cell as painted: the cell with its left and top grid line left out.
  CRect GetCellRect(int nCal, int nCell) const;
  int GridToDate(int nCal, int nCell, CNbDate& date, BOOL bAllowOther) const;
  int GridToClosestDate(int nCal, int nCell, CNbDate& date) const;
  int DateToGrid(int nCal, const CNbDate& date, int* pCell) const;
  int DateToCalIndex(int nMonth, int nYear) const;
  void GetPrevNextDates(int nCal, int& nPrevMonth, int& nPrevYear, int& nNextMonth, int& nNextYear) const;
  static void IncrMonth(int& nMonth, int& nYear, int nDelta);
  void SetCalDates(int nMonth, int nYear);
  int GetCalCount() const { return m_nCalCount; }
  const CMonthGrid* GetGrid(int nCal) const;
  int GetCellWidth() const { return m_nCellWidth; }
  int GetCellHeight() const { return m_nCellHeight; }

  // Fields, with the names the control's contract uses.
  int m_nMaxYear = 2031;
  int m_nMinYear = 1970;
  CWnd* m_pNotifyWnd = nullptr;
  int m_nFocusLocation = 0;
  int m_nFlags = 0x19B;
  int m_nFocus = 0;
  int m_nFocusCal = -1;
  int m_nRolloverCal = -1;
  int m_nRolloverPart = 0;
  int m_bTracking = 0;
  int m_nCellWidth = 1;
  int m_nCellHeight = 1;
  int m_nCols = 1;
  int m_nRows = 1;
  int m_nCalCount = 1;
  int m_nBorder = 3;
  int m_nAbsCalWidth = -1;
  int m_nAbsCalHeight = -1;
  CNbDate m_dateHighlight{-1, -1, -1};
  CNbDate m_dateSaved{-1, -1, -1};
  CMonthGrid* m_pGrids = nullptr;
  int m_bTimerSet = 0;
  CToolTipCtrl m_ToolTip;
  CNbDate m_dateHover{0, 0, 0};
  int m_bDragging = 0;
  CNbDate m_dateStart{-1, -1, -1};
  DWORD m_dwNBAttributes = NB_THEME_ITEM_CAL_TITLE;
  // The event list; changed through AddEvent/RemoveEvent/ResetEventArray.
  // (Entries added to it directly are seen too: the index notices the size.)
  CArray<CNbDate, CNbDate&> m_aEvents;

  // The mark of the event on a date; false when the date carries none.
  bool FindEventMark(const CNbDate& date, int* pMark) const;

 protected:
  // Whether a comes before b (by year, month and day).
  static bool IsBefore(const CNbDate& a, const CNbDate& b);
  // Whether a start date is set (none of its fields is -1).
  bool HasStartDate() const;
  // Which month a cell belongs to: 0 the previous, 1 the calendar's own, 2 the next.
  int CellMonthClass(int nCal, int nCell) const;
  void CalendarSize(int& nWidth, int& nHeight) const;
  int CalIndexAt(CPoint point) const;
  // How far right the block of calendars stands, centred when they have a fixed width.
  int BlockOffset(int nCalWidth) const;
  CRect CellRect(const CPickerRects& rects, int nCell) const;
  // The latest month calendar nCal may show so that the last calendar shows
  // no month after December of m_nMaxYear.
  void GetMaxMonthYear(int nCal, int& nMonth, int& nYear) const;
  BOOL MonthAllowedFor(int nCal, int nMonth, int nYear) const;
  // Whether every calendar stays within m_nMinYear..m_nMaxYear when the
  // first one shows (nMonth, nYear).
  BOOL MonthsAllowed(int nFirstMonth, int nFirstYear) const;
  CWnd* NotifyTarget() const;
  void Redraw();
  // Repaints one part of one calendar now (a kHit* code; the selected day's
  // cell, or its week row, for kHitDays); part 0 repaints everything.
  void RedrawPart(int nCal, int nPart);
  CRect PartRect(int nCal, int nPart) const;
  // Moves the selection to a shown date, repainting the old and the new cell.
  void MoveSelectionTo(const CNbDate& date);
  void ResetRollover();
  void PressAt(UINT nFlags, CPoint point, const CPickerHit& hit);
  void OnMonthYearMenu(int nCal, int nHit);
  void MoveFirstMonth(int nDelta, BOOL bRedraw);
  BOOL YearAllowed(int nYear) const { return nYear >= m_nMinYear && nYear <= m_nMaxYear; }
  void HoverAt(const CPickerHit& hit, CPoint point);
  // Which mark each date carries, so that painting and adding need no scan
  // of the whole list: date key -> the mark of its first entry.
  mutable std::unordered_map<int, int> m_eventIndex;
  mutable INT_PTR m_nIndexedEvents = -1;
  void IndexEvents() const;
  static int EventKey(int nYear, int nMonth, int nDay) { return (nYear * 13 + nMonth) * 32 + nDay; }
  void RemoveEventAt(INT_PTR nIndex);

  // The last single click chose a neighbour month's day (which may have moved
  // the months under the mouse): its double click reports nothing.
  bool m_bNeighbourClick = false;

  // The single-calendar layout of SetFocusLocation.
  void CalcRects();
  CRect m_rcYearArea;
  CRect m_rcMonthsArea;
  CRect m_rcDaysArea;

  // Painting.
  // Paints the area (client coordinates) of one calendar.
  void PaintCalendar(CDC& dc, int nCal, const CRect& rcArea);
  void DrawTitleBackground(CDC& dc, int nCal, const CPickerRects& rects);
  void DrawLabel(CDC& dc, int nCal, const CPickerRects& rects, int nHit);
  void DrawArrows(CDC& dc, int nCal, const CPickerRects& rects);
  void DrawWeekdays(CDC& dc, int nCal, const CPickerRects& rects);
  void DrawDays(CDC& dc, int nCal, const CPickerRects& rects, const CRect& rcArea);
  void DrawGridLines(CDC& dc, const CRect& rcBounds, const CPickerRects& rects);

  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnDestroy();
  void OnSize(UINT nType, int cx, int cy);
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  UINT OnGetDlgCode();
  void OnTimer(UINT_PTR nIDEvent);
  void OnSetFocus(CWnd* pOldWnd);
  void OnKillFocus(CWnd* pNewWnd);
  void OnSysColorChange();
  void OnTimeChange();
  void OnCancelMode();
  LRESULT OnDragOver(WPARAM wParam, LPARAM lParam);
  LRESULT OnDragEnd(WPARAM wParam, LPARAM lParam);
  LRESULT OnDrop(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};
