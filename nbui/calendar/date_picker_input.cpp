// CNbDatePicker's interaction: the mouse, the arrows and month/year menus,
// the keyboard and wheel, hot-tracking, tooltips and dates dragged over it.
#include <cstdlib>

#include "calendar/date_picker.h"
#include "mfc/menu.h"
#include "mfc/time.h"

namespace {
constexpr UINT_PTR kRolloverTimer = 1;
constexpr UINT kMenuFlagsMonth = 0x1A0;  // return the command, no notifications, left-bottom aligned
constexpr UINT kMenuFlagsYear = 0x1A8;   // the same, right-bottom aligned
constexpr UINT kMonthMenuFormat = 12546;
constexpr UINT kYearMenuFormat = 12545;

CPoint PointOf(LPARAM lParam) { return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); }
}  // namespace

void CNbDatePicker::ResetRollover() {
  if (m_nRolloverPart != 0) {
    int cal = m_nRolloverCal, part = m_nRolloverPart;
    m_nRolloverCal = -1;
    m_nRolloverPart = 0;
    RedrawPart(cal, part);  // the part paints normal again
  }
}

void CNbDatePicker::MoveSelectionTo(const CNbDate& date) {
  m_nFlags &= ~kShowSelection;
  RedrawPart(DateToCalIndex(m_dateHighlight.m_nMonth, m_dateHighlight.m_nYear), kHitDays);  // the old mark goes
  m_nFocusCal = DateToCalIndex(date.m_nMonth, date.m_nYear);
  SetHighlightDate(date.m_nMonth, date.m_nDay, date.m_nYear, FALSE);
  if (m_nFocusCal >= 0) RedrawPart(m_nFocusCal, kHitDays);
  else Redraw();
}

void CNbDatePicker::OnLButtonDown(UINT nFlags, CPoint point) { PressAt(nFlags, point, HitTest(point)); }

void CNbDatePicker::PressAt(UINT nFlags, CPoint point, const CPickerHit& hit) {
  m_bNeighbourClick = false;
  m_dateHover.Empty();
  if (m_ToolTip.m_hWnd) m_ToolTip.Activate(FALSE);
  ResetRollover();
  SetCapture();
  if (GetFocus() != this) SetFocus();

  m_nFocusCal = hit.nCal;
  m_nFocus = hit.nPart;
  if (m_nFocus == kHitNone) {
    CWnd::OnLButtonDown(nFlags, point);
    return;
  }
  m_bTracking = 1;
  const CMonthGrid* grid = GetGrid(m_nFocusCal);
  switch (m_nFocus) {
    case kHitPrev:
    case kHitNext:
      RedrawPart(m_nFocusCal, m_nFocus);  // the arrow shows pressed; the month changes on button up
      break;
    case kHitMonth:
    case kHitYear: {
      bool menu = m_nFocus == kHitMonth ? (m_nFlags & kMonthMenu) : (m_nFlags & kYearMenu);
      if (menu) {
        OnMonthYearMenu(m_nFocusCal, m_nFocus);
        break;
      }
      RedrawPart(m_nFocusCal, m_nFocus);
      if (grid) SetSelection(grid->m_nYear, grid->m_nMonth, m_dateHighlight.m_nDay, TRUE);
      if (CWnd* parent = GetParent()) parent->PostMessage(NBDP_DBLCLK, MAKEWPARAM(0, hit.nPart), 0);
      break;
    }
    case kHitTitle:
    case kHitDow:
      m_bTracking = 0;
      m_nFocus = 0;
      m_nFocusCal = -1;
      break;
    case kHitDays: {
      int cell = hit.nCell;
      m_dateSaved = m_dateHighlight;
      CNbDate date(0, 0, 0);
      if (GridToDate(m_nFocusCal, cell, date, FALSE)) {
        if (date == m_dateHighlight) break;
        if (!YearAllowed(date.m_nYear)) {
          // Days outside the allowed years can be seen but not chosen.
          MessageBeep(static_cast<UINT>(-1));
          break;
        }
        m_dateSaved = date;
        MoveSelectionTo(date);
        break;
      }
      if (!GridToDate(m_nFocusCal, cell, date, TRUE)) break;
      m_bTracking = 0;
      if (!YearAllowed(date.m_nYear)) {
        MessageBeep(static_cast<UINT>(-1));
        m_nFocus = 0;
        m_nFocusCal = -1;
        break;
      }
      bool nextMonth = grid && (date.m_nYear > grid->m_nYear ||
                                (date.m_nYear == grid->m_nYear && date.m_nMonth > grid->m_nMonth));
      if (nextMonth && m_nFocusCal == m_nCalCount - 1) {
        int month, year;
        GetDisplayMonth(&month, &year);
        IncrMonth(month, year, 1);
        SetDisplayMonth(month, year, FALSE);
      }
      SetHighlightDate(date.m_nMonth, date.m_nDay, date.m_nYear, FALSE);
      m_bNeighbourClick = true;
      m_nFocus = 0;
      m_nFocusCal = -1;
      Invalidate();
      PostParent();
      break;
    }
    default:
      break;
  }
  CWnd::OnLButtonDown(nFlags, point);
}

void CNbDatePicker::HoverAt(const CPickerHit& hit, CPoint point) {
  CNbDate date(0, 0, 0);
  if (hit.nPart != kHitDays || !GridToDate(hit.nCal, hit.nCell, date, TRUE)) {
    m_dateHover.Empty();
    if (m_ToolTip.m_hWnd) m_ToolTip.Activate(FALSE);
    return;
  }
  if (date == m_dateHover) return;
  m_dateHover = date;
  CString text;
  if (CWnd* target = NotifyTarget())
    target->SendMessage(NBDP_GETTIPTEXT, reinterpret_cast<WPARAM>(&m_dateHover), reinterpret_cast<LPARAM>(&text));
  RelayEvent(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y), text);
}

void CNbDatePicker::OnMouseMove(UINT nFlags, CPoint point) {
  const CPickerHit hit = HitTest(point);
  if (!(nFlags & (MK_LBUTTON | MK_RBUTTON))) HoverAt(hit, point);
  if (!m_bTracking && !m_bTimerSet) {
    SetTimer(kRolloverTimer, 10, nullptr);
    m_bTimerSet = 1;
  }
  if (GetCapture() == this && m_bTracking) {
    m_nFocusCal = hit.nCal;
    if (m_nFocus == kHitDays) {
      CRect near;
      GetClientRect(&near);
      near.InflateRect(40, 40);
      CNbDate candidate = m_dateSaved;
      if (near.PtInRect(point)) GridToClosestDate(hit.nCal, hit.nCell, candidate);
      if (candidate != m_dateHighlight && YearAllowed(candidate.m_nYear)) {
        MoveSelectionTo(candidate);
        PostParent();
      }
    }
  }
  CWnd::OnMouseMove(nFlags, point);
}

void CNbDatePicker::OnLButtonUp(UINT nFlags, CPoint point) {
  if (GetCapture() != this) {
    CWnd::OnLButtonUp(nFlags, point);
    return;
  }
  ReleaseCapture();
  m_bTracking = 0;
  int pressedCal = m_nFocusCal;
  m_nFocusCal = PtToCalIndex(point);
  if (m_nFocus == kHitPrev || m_nFocus == kHitNext) {
    RedrawPart(pressedCal, m_nFocus);  // the arrow is released
    const CMonthGrid* grid = GetGrid(m_nFocusCal);
    if (m_nFocus == kHitNext && grid && !MonthAllowedFor(m_nFocusCal, grid->m_nMonth + 1, grid->m_nYear)) {
      MessageBeep(static_cast<UINT>(-1));
    } else {
      int month, year;
      GetDisplayMonth(&month, &year);
      IncrMonth(month, year, m_nFocus == kHitPrev ? -1 : 1);
      if (YearAllowed(year)) {
        m_nFocus = 0;
        SetDisplayMonth(month, year, TRUE);
        PostParent();
      } else {
        MessageBeep(static_cast<UINT>(-1));
      }
    }
  } else if (m_nFocus == kHitDays) {
    PostParent();
  }
  m_nFocus = 0;
  m_nFocusCal = -1;
  CWnd::OnLButtonUp(nFlags, point);
}

void CNbDatePicker::OnMonthYearMenu(int nCal, int nHit) {
  RedrawPart(nCal, nHit);  // the label shows pressed while the menu is open
  const CMonthGrid* grid = GetGrid(nCal);
  if (!grid) return;
  bool monthMenu = nHit == kHitMonth;
  int step = monthMenu ? 1 : 12;
  int m = grid->m_nMonth, y = grid->m_nYear;
  IncrMonth(m, y, -4 * step);
  // The menu ends at the last month (or year) the clicked calendar may show.
  for (int k = 9, pm = m, py = y; k > 0; --k) {
    IncrMonth(pm, py, step);
    if (!MonthAllowedFor(nCal, pm, py)) {
      IncrMonth(m, y, -(k - 1) * step);
      break;
    }
  }

  CString format;
  if (!format.LoadString(monthMenu ? kMonthMenuFormat : kYearMenuFormat)) format = monthMenu ? "%B %Y" : "%Y";
  CMenu menu;
  menu.CreatePopupMenu();
  struct Item {
    int year, month;
  } items[9];
  int count = 0;
  // Only entries that keep every calendar within the allowed years; the list
  // ends at the last month (or year) the clicked calendar may show.
  // How far an entry moves the months.
  auto shift = [&](int year, int month) {
    return monthMenu ? (year * 12 + month) - (grid->m_nYear * 12 + grid->m_nMonth) : (year - grid->m_nYear) * 12;
  };
  int shownMonth = 0, shownYear = 0;
  GetDisplayMonth(&shownMonth, &shownYear);
  for (int guard = 0; count < 9 && guard < 9 + 10000 && MonthAllowedFor(nCal, m, y); ++guard) {
    int fm = shownMonth, fy = shownYear;
    IncrMonth(fm, fy, shift(y, m));
    if (MonthsAllowed(fm, fy)) {
      COleDateTime first(y, m, 1, 0, 0, 0);
      UINT check = (y == grid->m_nYear && m == grid->m_nMonth) ? MF_CHECKED : MF_UNCHECKED;
      menu.AppendMenu(MF_STRING | check, static_cast<UINT_PTR>(count + 1), first.Format(format));
      items[count++] = Item{y, m};
    }
    IncrMonth(m, y, step);
  }
  CPickerRects rects;
  GetCalRects(GetCalBounds(nCal), rects);
  CPoint at = monthMenu ? CPoint(rects.m_rcMonth.left, rects.m_rcMonth.top + 2)
                        : CPoint(rects.m_rcYear.right, rects.m_rcYear.top + 2);
  ClientToScreen(&at);
  UINT chosen = static_cast<UINT>(::TrackPopupMenuEx(menu.m_hMenu, monthMenu ? kMenuFlagsMonth : kMenuFlagsYear,
                                                     at.x, at.y, m_hWnd, nullptr));
  if (chosen >= 1 && chosen <= static_cast<UINT>(count)) {
    const Item& it = items[chosen - 1];
    int delta = shift(it.year, it.month);
    if (delta != 0) {
      int month, year;
      GetDisplayMonth(&month, &year);
      IncrMonth(month, year, delta);
      SetDisplayMonth(month, year, FALSE);
      PostParent();
    }
  }
  menu.DestroyMenu();
  m_bTracking = 0;
  m_nFocus = 0;
  m_nFocusCal = -1;
  Redraw();
}

void CNbDatePicker::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (m_bNeighbourClick) {
    // The first click chose a neighbour month's day, and the months may have
    // moved under the mouse since: the second click must not choose (and
    // report) whatever day now lies there.
    m_bNeighbourClick = false;
    return;
  }
  // The second press selects the day as the first one did.
  const CPickerHit hit = HitTest(point);
  PressAt(nFlags, point, hit);
  if (hit.nPart != kHitDays) return;
  CNbDate date(0, 0, 0);
  // Only days of the calendar's own month, and only those that may be chosen.
  if (CellMonthClass(hit.nCal, hit.nCell) != 1 || !GridToDate(hit.nCal, hit.nCell, date, FALSE) ||
      !YearAllowed(date.m_nYear))
    return;
  if (CWnd* parent = GetParent()) parent->PostMessage(NBDP_DBLCLK, MAKEWPARAM(0, kHitDays), 0);
}

void CNbDatePicker::MoveFirstMonth(int nDelta, BOOL bRedraw) {
  int month, year;
  GetDisplayMonth(&month, &year);
  IncrMonth(month, year, nDelta);
  if (!MonthsAllowed(month, year)) {
    MessageBeep(static_cast<UINT>(-1));
    return;
  }
  SetDisplayMonth(month, year, bRedraw);
  PostParent();
}

void CNbDatePicker::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  bool ctrl = GetKeyState(VK_CONTROL) < 0;
  switch (nChar) {
    case VK_TAB:
      if (CWnd* parent = GetParent()) parent->SendMessage(WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0 ? 1 : 0, 0);
      return;
    case VK_PRIOR:
      MoveFirstMonth(ctrl ? -12 : -m_nCalCount, TRUE);
      return;
    case VK_NEXT:
      MoveFirstMonth(ctrl ? 12 : m_nCalCount, TRUE);
      return;
    case VK_END: {
      const CMonthGrid* last = GetGrid(m_nCalCount - 1);
      if (!last || last->m_nMonth == 12) {
        MessageBeep(static_cast<UINT>(-1));
        return;
      }
      int month = 12, year = last->m_nYear;
      IncrMonth(month, year, -(m_nCalCount - 1));
      if (!MonthsAllowed(month, year)) {
        MessageBeep(static_cast<UINT>(-1));
        return;
      }
      SetDisplayMonth(month, year, TRUE);
      PostParent();
      return;
    }
    case VK_HOME: {
      const CMonthGrid* first = GetGrid(0);
      if (!first || first->m_nMonth == 1 || !MonthsAllowed(1, first->m_nYear)) {
        MessageBeep(static_cast<UINT>(-1));
        return;
      }
      SetDisplayMonth(1, first->m_nYear, TRUE);
      PostParent();
      return;
    }
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
      int days = nChar == VK_LEFT ? -1 : nChar == VK_UP ? -7 : nChar == VK_RIGHT ? 1 : 7;
      // By the days the calendars show, so that no shown day is skipped and
      // none that is not shown is chosen. Without a selection there is
      // nothing to move.
      int day = m_dateHighlight.m_nDay, month = m_dateHighlight.m_nMonth, year = m_dateHighlight.m_nYear;
      if (!CMonthGrid::StepDays(day, month, year, days) || !YearAllowed(year)) {
        MessageBeep(static_cast<UINT>(-1));
        return;
      }
      SetHighlightDate(month, day, year, TRUE);
      PostParent();
      return;
    }
    default:
      CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
  }
}

BOOL CNbDatePicker::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) {
  // Each notch moves the selection one shown day, as Right or Left does, but
  // a turn of many notches moves (and repaints and notifies) once: as far as
  // the allowed years let it, with one beep when they stop it.
  int notches = std::abs(static_cast<int>(zDelta)) / WHEEL_DELTA;
  int dir = zDelta < 0 ? 1 : -1;
  int day = m_dateHighlight.m_nDay, month = m_dateHighlight.m_nMonth, year = m_dateHighlight.m_nYear;
  int moved = 0;
  for (; moved < notches; ++moved) {
    int d = day, m = month, y = year;
    if (!CMonthGrid::StepDays(d, m, y, dir) || !YearAllowed(y)) break;
    day = d;
    month = m;
    year = y;
  }
  if (moved < notches) MessageBeep(static_cast<UINT>(-1));
  if (moved > 0) {
    SetHighlightDate(month, day, year, TRUE);
    PostParent();
  }
  return CWnd::OnMouseWheel(nFlags, zDelta, pt);
}

UINT CNbDatePicker::OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS; }

void CNbDatePicker::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kRolloverTimer) {
    CWnd::OnTimer(nIDEvent);
    return;
  }
  if (m_bTracking) return;
  CPoint cursor;
  GetCursorPos(&cursor);
  ScreenToClient(&cursor);
  const CPickerHit hit = HitTest(cursor);
  int cal = hit.nCal, part = hit.nPart;
  if (part < kHitPrev || part > kHitYear) {
    part = 0;
    cal = -1;
  }
  if (cal != m_nRolloverCal || part != m_nRolloverPart) {
    ResetRollover();
    if (part != 0) {
      m_nRolloverCal = cal;
      m_nRolloverPart = part;
      RedrawPart(cal, part);  // the part paints hot
    }
  }
  CRect client;
  GetClientRect(&client);
  if (!client.PtInRect(cursor)) {
    KillTimer(kRolloverTimer);
    m_bTimerSet = 0;
    ResetRollover();
  }
}

void CNbDatePicker::OnSetFocus(CWnd* pOldWnd) {
  CWnd::OnSetFocus(pOldWnd);
  if (pOldWnd != this) Invalidate();
}

void CNbDatePicker::OnKillFocus(CWnd* pNewWnd) {
  CWnd::OnKillFocus(pNewWnd);
  if (pNewWnd != this) Invalidate();
}

void CNbDatePicker::OnSysColorChange() {
  CWnd::OnSysColorChange();
  Redraw();
}

void CNbDatePicker::OnTimeChange() {
  CWnd::OnTimeChange();
  Redraw();
}

void CNbDatePicker::OnCancelMode() {
  CWnd::OnCancelMode();
  m_bTracking = 0;
  m_nFocus = 0;
  m_nFocusCal = -1;
}

void CNbDatePicker::RelayEvent(UINT message, WPARAM wParam, LPARAM lParam, const CString& strText) {
  if (!m_ToolTip.m_hWnd) return;
  CString tip = message == WM_MOUSEMOVE ? strText : CString();
  if (tip.IsEmpty()) {
    m_dateHover.Empty();
    m_ToolTip.Activate(FALSE);
    return;
  }
  m_ToolTip.Activate(TRUE);
  m_ToolTip.UpdateTipText(tip, this);
  MSG msg{m_hWnd, message, wParam, lParam, 0, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}};
  m_ToolTip.RelayEvent(&msg);
}

LRESULT CNbDatePicker::OnDragOver(WPARAM, LPARAM lParam) {
  if (!m_bDragging) {
    m_bDragging = 1;
    m_dateSaved = m_dateHighlight;
  }
  CPoint point = PointOf(lParam);
  ScreenToClient(&point);
  const CPickerHit hit = HitTest(point);
  m_nFocusCal = hit.nCal;
  m_nFocus = hit.nPart;
  if (m_nFocus != kHitDays) return 0;
  CNbDate target(0, 0, 0);
  GridToClosestDate(hit.nCal, hit.nCell, target);
  if (!YearAllowed(target.m_nYear)) return 0;
  m_nFlags &= ~kShowSelection;
  RedrawPart(DateToCalIndex(m_dateHighlight.m_nMonth, m_dateHighlight.m_nYear), kHitDays);
  m_nFlags |= kShowSelection;
  m_dateHighlight = target;
  RedrawPart(hit.nCal, kHitDays);
  return 0;
}

LRESULT CNbDatePicker::OnDrop(WPARAM, LPARAM lParam) {
  CPoint point = PointOf(lParam);
  ScreenToClient(&point);
  const CPickerHit hit = HitTest(point);
  LRESULT result = 0;
  if (hit.nPart == kHitDays) {
    CNbDate date(0, 0, 0);
    GridToClosestDate(hit.nCal, hit.nCell, date);
    if (YearAllowed(date.m_nYear)) {
      SetHighlightDate(date.m_nMonth, date.m_nDay, date.m_nYear, FALSE);
      RedrawPart(hit.nCal, kHitDays);
      CTime midnight(date.m_nYear, date.m_nMonth, date.m_nDay, 0, 0, 0, -1);
      result = midnight.GetTime() == static_cast<time_t>(-1) ? 0 : static_cast<LRESULT>(midnight.GetTime());
    }
  }
  m_nFocusCal = -1;
  m_nFocus = 0;
  m_bDragging = 0;
  return result;
}

LRESULT CNbDatePicker::OnDragEnd(WPARAM, LPARAM) {
  m_dateHighlight = m_dateSaved;
  m_nFocusCal = -1;
  m_nFocus = 0;
  m_bDragging = 0;
  Redraw();
  return 0;
}
