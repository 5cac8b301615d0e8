// CNbDatePicker's painting: each calendar drawn off-screen from the theme's
// items and copied to the window, whole or only the part that changed.
#include <algorithm>

#include "NbThemes/nbthemes.h"
#include "calendar/date_picker.h"
#include "mfc/paint_dc.h"
#include "mfc/time.h"
#include "nbp/clock.h"

namespace {

constexpr int kItemDays = NB_THEME_ITEM_CAL_DAYS;
constexpr int kItemOtherDays = NB_THEME_ITEM_CAL_OTHER_DAYS;
constexpr int kItemWeekdays = NB_THEME_ITEM_CAL_WEEKDAYS;
constexpr int kItemGrid = NB_THEME_ITEM_CAL_GRID;
constexpr int kItemToday = NB_THEME_ITEM_CAL_TODAY;
constexpr int kItemSelected = NB_THEME_ITEM_CAL_SELECTED;
constexpr UINT kLabelFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;  // 37

// Weekday letters, Sunday first: the resource ids of Monday..Sunday are 12501..12507.
constexpr UINT kWeekdayIds[7] = {12506, 12501, 12502, 12503, 12504, 12505, 12507};
const char* const kWeekdayFallback[7] = {"S", "M", "T", "W", "Th", "F", "S"};

bool Supplied(int item, NBTHEMEITEMINFO* info) { return NbThemeGetItemInfo(item, info) == 0; }

CString WeekdayLetter(int sundayFirstIndex) {
  CString s;
  if (!s.LoadString(kWeekdayIds[sundayFirstIndex])) s = kWeekdayFallback[sundayFirstIndex];
  return s;
}

void Frame3d(CDC& dc, const CRect& r, bool sunken, COLORREF light, COLORREF dark) {
  dc.Draw3dRect(&r, sunken ? dark : light, sunken ? light : dark);
}

}  // namespace

BOOL CNbDatePicker::OnEraseBkgnd(CDC*) { return TRUE; }

void CNbDatePicker::OnPaint() {
  CPaintDC dc(this);
  if (nbp::clock::WallTime() == static_cast<time_t>(-1) || !m_pGrids) return;
  // Each calendar is buffered and copied only where the update region meets
  // what can be seen of the window: a part repainted alone costs only its
  // area, and a picker far larger than the screen only the visible part.
  CRect update;
  if (dc.GetClipBox(&update) == NULLREGION || update.IsRectEmpty()) return;
  for (int c = 0; c < m_nCalCount; ++c) {
    CRect area;
    if (area.IntersectRect(GetCalBounds(c), update)) PaintCalendar(dc, c, area);
  }
}

void CNbDatePicker::PaintCalendar(CDC& dc, int nCal, const CRect& rcArea) {
  CRect bounds = GetCalBounds(nCal);
  CPickerRects rects;
  GetCalRects(bounds, rects);

  CDC mem;
  mem.CreateCompatibleDC(&dc);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&dc, rcArea.Width(), rcArea.Height());
  CBitmap* oldBitmap = mem.SelectObject(&bitmap);
  // Drawn in client coordinates; only the area lands in the bitmap.
  mem.SetViewportOrg(-rcArea.left, -rcArea.top);
  mem.SetBkMode(TRANSPARENT);

  CRect inner = bounds;
  mem.FrameRect(&inner, CBrush::FromHandle(static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
  inner.DeflateRect(1, 1);
  DrawTitleBackground(mem, nCal, rects);
  DrawLabel(mem, nCal, rects, kHitMonth);
  DrawLabel(mem, nCal, rects, kHitYear);
  DrawArrows(mem, nCal, rects);
  DrawWeekdays(mem, nCal, rects);
  DrawDays(mem, nCal, rects, rcArea);
  DrawGridLines(mem, inner, rects);

  dc.BitBlt(rcArea.left, rcArea.top, rcArea.Width(), rcArea.Height(), &mem, rcArea.left, rcArea.top, SRCCOPY);
  mem.SelectObject(oldBitmap);
}

void CNbDatePicker::DrawTitleBackground(CDC& dc, int nCal, const CPickerRects& rects) {
  NBTHEMEITEMINFO info{};
  bool supplied = Supplied(static_cast<int>(m_dwNBAttributes), &info);
  bool gradient = supplied && info.nKind == NB_THEME_KIND_GRADIENT &&
                  (info.nGradientMode == NB_THEME_GRADIENT_SHEEN || info.nGradientMode == NB_THEME_GRADIENT_HORIZONTAL);
  if (m_nCols >= 2 && gradient) {
    // One gradient runs across all the columns; each title is its share.
    int column = nCal % m_nCols;
    COLORREF from = NbThemeBlendColor(info.crColor1, info.crColor2, m_nCols, column);
    COLORREF to = NbThemeBlendColor(info.crColor1, info.crColor2, m_nCols, column + 1);
    NbThemeFillGradient(&dc, &rects.m_rcTitle, from, to, info.nGradientMode);
  } else {
    NbThemeFillItem(&dc, &rects.m_rcTitle, static_cast<int>(m_dwNBAttributes), 0);
  }
}

void CNbDatePicker::DrawLabel(CDC& dc, int nCal, const CPickerRects& rects, int nHit) {
  bool month = nHit == kHitMonth;
  if (month && (m_nFlags & kYearOnly)) return;
  if (!month && (m_nFlags & kMonthOnly)) return;
  NBTHEMEITEMINFO info{};
  if (!Supplied(static_cast<int>(m_dwNBAttributes), &info)) return;
  const CMonthGrid* grid = GetGrid(nCal);
  if (!grid) return;
  bool whole = month ? (m_nFlags & kMonthOnly) != 0 : (m_nFlags & kYearOnly) != 0;
  CString text = month ? COleDateTime(2000, grid->m_nMonth, 1, 0, 0, 0).Format(whole ? "%B" : "%b")
                       : COleDateTime(grid->m_nYear, 1, 1, 0, 0, 0).Format("%Y");
  CFont* font = rects.m_rcTitle.Height() >= 15 ? NbThemeGetFont() : NbThemeGetSmallFont();
  CFont* oldFont = dc.SelectObject(font);
  COLORREF oldColor = dc.SetTextColor(info.crText);
  int width = dc.GetTextExtent(text).cx;
  const CRect& base = month ? rects.m_rcMonth : rects.m_rcYear;
  CRect r = base;
  if (whole) {
    r.DeflateRect(1, 1);
  } else if (month) {
    r.right = r.left + width + 20;
  } else {
    r.left = r.right - width - 20;
  }
  bool pressed = m_bTracking && m_nFocus == nHit && m_nFocusCal == nCal;
  bool hot = m_nRolloverCal == nCal && m_nRolloverPart == nHit;
  if (pressed) r.OffsetRect(1, 1);
  dc.DrawText(text, &r, kLabelFormat);
  COLORREF light = 0, dark = 0;
  NbThemeGetItemColors(static_cast<int>(m_dwNBAttributes), nullptr, &light, nullptr, nullptr);
  dark = NbThemeShadeColor(light, -128);
  if (pressed || hot) Frame3d(dc, r, pressed, light, dark);
  if (!whole) {
    // The sign that the label opens a menu.
    int x = r.right - 4 - 4, y = r.top + (r.Height() - 2) / 2;
    NbThemeFillTriangle(POINT{x, y}, POINT{x + 4, y}, POINT{x + 2, y + 2}, &dc, light);
  }
  dc.SetTextColor(oldColor);
  dc.SelectObject(oldFont);
}

void CNbDatePicker::DrawArrows(CDC& dc, int nCal, const CPickerRects& rects) {
  int cols = std::max(m_nCols, 1);
  COLORREF light = 0;
  NbThemeGetItemColors(static_cast<int>(m_dwNBAttributes), nullptr, &light, nullptr, nullptr);
  COLORREF dark = NbThemeShadeColor(light, -128);
  for (int hit : {kHitPrev, kHitNext}) {
    bool prev = hit == kHitPrev;
    if (prev && (!(m_nFlags & kPrevArrow) || nCal % cols != 0)) continue;
    if (!prev && (!(m_nFlags & kNextArrow) || nCal % cols != cols - 1)) continue;
    CRect square = prev ? rects.m_rcPrev : rects.m_rcNext;
    bool pressed = m_bTracking && m_nFocus == hit && m_nFocusCal == nCal;
    bool hot = m_nRolloverCal == nCal && m_nRolloverPart == hit;
    if (pressed || hot) Frame3d(dc, square, pressed, light, dark);
    CRect t = square;
    t.DeflateRect(square.Width() * 3 / 10, square.Height() * 3 / 10);
    if (t.Height() % 2) t.top -= 1;
    t.OffsetRect(-(t.Width() * 3 / 10), 0);
    if (pressed) t.OffsetRect(1, 1);
    if (t.Width() <= 0 || t.Height() <= 0) continue;
    int cy = t.top + t.Height() / 2;
    POINT points[3];
    if (prev) {
      points[0] = POINT{t.right, t.top};
      points[1] = POINT{t.right, t.bottom};
      points[2] = POINT{t.left, cy};
    } else {
      points[0] = POINT{t.left, t.top};
      points[1] = POINT{t.left, t.bottom};
      points[2] = POINT{t.right, cy};
    }
    CPen* oldPen = dc.SelectObject(CPen::FromHandle(static_cast<HPEN>(GetStockObject(BLACK_PEN))));
    CBrush* oldBrush = dc.SelectObject(CBrush::FromHandle(static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
    dc.Polygon(points, 3);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
  }
}

void CNbDatePicker::DrawWeekdays(CDC& dc, int nCal, const CPickerRects& rects) {
  NbThemeFillItem(&dc, &rects.m_rcDow, kItemWeekdays, 0);
  NBTHEMEITEMINFO info{};
  if (!Supplied(kItemWeekdays, &info)) return;
  const CMonthGrid* grid = GetGrid(nCal);
  bool mondayFirst = grid && grid->m_wMondayFirst;
  CFont* oldFont = dc.SelectObject(rects.m_rcDow.Height() >= 21 ? NbThemeGetFont() : NbThemeGetSmallFont());
  COLORREF oldColor = dc.SetTextColor(info.crText);
  for (int i = 0; i < 7; ++i) {
    CRect cell(rects.m_rcDow.left + i * m_nCellWidth, rects.m_rcDow.top, rects.m_rcDow.left + (i + 1) * m_nCellWidth,
               rects.m_rcDow.bottom);
    cell.left += 1;
    cell.top += 1;
    dc.DrawText(WeekdayLetter(mondayFirst ? (i + 1) % 7 : i), &cell, kLabelFormat);
  }
  dc.SetTextColor(oldColor);
  dc.SelectObject(oldFont);
}

void CNbDatePicker::DrawDays(CDC& dc, int nCal, const CPickerRects& rects, const CRect& rcArea) {
  NBTHEMEITEMINFO own{}, other{}, today{}, selected{}, grid46{}, attr{};
  if (!Supplied(kItemDays, &own)) return;
  Supplied(kItemOtherDays, &other);
  Supplied(kItemToday, &today);
  Supplied(kItemSelected, &selected);
  bool haveGrid = Supplied(kItemGrid, &grid46);
  Supplied(static_cast<int>(m_dwNBAttributes), &attr);
  const CMonthGrid* grid = GetGrid(nCal);
  if (!grid) return;

  CNbDate todayDate(0, 0, 0);
  GetToday(&todayDate);
  int todayCell = -1, selectedCell = -1;
  if (!DateToGrid(nCal, todayDate, &todayCell)) todayCell = -1;
  bool showSelection = (m_nFlags & kShowSelection) != 0;
  if (!DateToGrid(nCal, m_dateHighlight, &selectedCell)) selectedCell = -1;
  bool weekRow = (m_nFlags & kWeekRow) != 0;
  bool startSet = HasStartDate();
  bool big = m_nCellHeight >= 20;
  bool focused = GetFocus() == this;

  CFont* oldFont = dc.SelectObject(big ? NbThemeGetFont() : NbThemeGetSmallFont());
  COLORREF oldColor = dc.GetTextColor();
  for (int cell = 0; cell < CMonthGrid::kCells; ++cell) {
    CRect r = CellRect(rects, cell);
    // A cell draws at most one pixel beyond its rectangle (the week row's fill).
    CRect reach = r, seen;
    reach.InflateRect(1, 1);
    if (!seen.IntersectRect(reach, rcArea)) continue;
    int day, month, year;
    grid->GetCellDate(cell, day, month, year);
    if (day < 1) continue;  // the blank cells of September 1752
    bool ownMonth = month == grid->m_nMonth;
    int row = cell / 7;
    CNbDate date(year, month, day);
    int mark = 0;
    bool hasEvent = FindEventMark(date, &mark);
    bool inSelectionMonth = date.m_nMonth == m_dateHighlight.m_nMonth && date.m_nYear == m_dateHighlight.m_nYear;
    bool isSelected = showSelection && selectedCell == cell;
    bool inSelectedRow = showSelection && weekRow && selectedCell >= 0 && row == selectedCell / 7 && inSelectionMonth;
    COLORREF text = ownMonth ? own.crText : other.crText;
    bool bold = false;
    if (cell == todayCell) {
      bold = true;
      text = ownMonth ? today.crText : other.crText;
    }
    if (isSelected || inSelectedRow) {
      bold = true;
      text = selected.crText;
    }
    if (!bold && startSet && ownMonth && IsBefore(date, m_dateStart)) text = other.crText;
    dc.SelectObject(bold ? (big ? NbThemeGetBoldFont() : NbThemeGetSmallBoldFont())
                         : (big ? NbThemeGetFont() : NbThemeGetSmallFont()));
    dc.SetTextColor(text);

    if (inSelectedRow && haveGrid) {
      CRect grown = r;
      grown.InflateRect(1, 1);
      dc.FillSolidRect(&grown, grid46.crColor1);
    }
    if (isSelected) {
      NbThemeFillItem(&dc, &r, kItemSelected, 0);
      if (focused) {
        CRect f = r;
        f.DeflateRect(1, 1);
        COLORREF oldBk = dc.SetBkColor(selected.crColor1);
        NbThemeDrawFocus(&dc, &f, kItemSelected);
        dc.SetBkColor(oldBk);
      }
    } else if (inSelectedRow && haveGrid) {
      // The row's highlight is the cell's background.
    } else if (hasEvent && mark != 0) {
      dc.FillSolidRect(&r, NbThemeShadeColor(attr.crColor1, 64));
    } else {
      NbThemeFillItem(&dc, &r, ownMonth ? kItemDays : kItemOtherDays, 0);
    }
    if (startSet && ownMonth && date == m_dateStart) {
      int x = r.right - 4, y = r.top + (r.Height() - 3) / 2;
      dc.FillSolidRect(x, y, 1, 3, text);
      dc.FillSolidRect(x + 1, y + 1, 1, 1, text);
    }
    CString number;
    number.Format("%d", day);
    dc.DrawText(number, &r, kLabelFormat);
    if (hasEvent) dc.FillSolidRect(r.left + 1, r.top + 1, 2, 2, text);
  }
  dc.SetTextColor(oldColor);
  dc.SelectObject(oldFont);
}

void CNbDatePicker::DrawGridLines(CDC& dc, const CRect& rcBounds, const CPickerRects& rects) {
  NBTHEMEITEMINFO info{};
  if (!Supplied(kItemGrid, &info)) return;
  CBrush brush(info.crColor1);
  dc.FrameRect(&rcBounds, &brush);
  CPen pen(PS_SOLID, 1, info.crColor1);
  CPen* oldPen = dc.SelectObject(&pen);
  dc.MoveTo(rects.m_rcDow.left, rects.m_rcDow.top);
  dc.LineTo(rects.m_rcDow.right, rects.m_rcDow.top);
  for (int row = 0; row < 6; ++row) {
    int y = rects.m_rcDays.top + row * m_nCellHeight;
    dc.MoveTo(rects.m_rcDays.left, y);
    dc.LineTo(rects.m_rcDays.right, y);
  }
  for (int col = 0; col < 7; ++col) {
    int x = rects.m_rcDays.left + col * m_nCellWidth;
    dc.MoveTo(x, rects.m_rcDow.top);
    dc.LineTo(x, rects.m_rcDays.bottom);
  }
  dc.SelectObject(oldPen);
}
