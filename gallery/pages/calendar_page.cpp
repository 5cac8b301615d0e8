#include "pages/calendar_page.h"

#include "calendar/day_picker_dlg.h"
#include "mfc/time.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"
#include "win/controls.h"
#include "win/gdi.h"

namespace {

int Key(int year, int month, int day) { return year * 10000 + month * 100 + day; }


// The centre of a day's cell in a picker, in its client coordinates.
POINT DayPoint(CNbDatePicker& picker, int cal, int year, int month, int day) {
  int cell = 0;
  picker.DateToGrid(cal, CNbDate(year, month, day), &cell);
  CPoint centre = picker.GetCellRect(cal, cell).CenterPoint();
  return POINT{centre.x, centre.y};
}

}  // namespace

void CCalendarPage::CreateControls() {
  COleDateTime now = COleDateTime::GetCurrentTime();
  int year = now.GetYear(), month = now.GetMonth();
  m_months.Create(WS_CHILD | WS_VISIBLE, CRect(16, 16, 16 + 3 * 200, 16 + 176), this, kThreeMonthsId, 3, 1);
  m_months.SetFlags(m_months.GetFlags() | CNbDatePicker::kShowSelection);
  m_months.SetSelection(year, month, now.GetDay(), FALSE);
  struct Appointment {
    int monthOffset, day, mark;
    const char* what;
  } const appointments[] = {
      {0, 3, 0, "Dentist, 10:00"},        {0, 9, 0, "Team meeting, 09:00"}, {0, 14, 1, "Anna's birthday"},
      {0, 21, 0, "Call the garage"},      {0, 27, 1, "Holiday starts"},     {1, 2, 0, "Budget review"},
      {1, 11, 0, "Lunch with Carl"},      {1, 19, 1, "Conference"},         {2, 6, 0, "Yoga, 18:30"},
      {2, 24, 0, "Write the report"},
  };
  for (const Appointment& a : appointments) {
    int m = month, y = year;
    CNbDatePicker::IncrMonth(m, y, a.monthOffset);
    m_months.AddEvent(y, m, a.day, FALSE, a.mark);
    m_appointments[Key(y, m, a.day)] = a.what;
  }
  m_months.SetNotifyWindow(this);

  m_week.Create(WS_CHILD | WS_VISIBLE, CRect(16, 208, 16 + 240, 208 + 200), this, kWeekPickerId, 1, 1);
  m_week.SetFlags((m_week.GetFlags() | CNbDatePicker::kWeekRow | CNbDatePicker::kMonthOnly) &
                  ~(CNbDatePicker::kMonthMenu | CNbDatePicker::kYearMenu));
  m_week.SetStartDate(month, now.GetDay(), year, FALSE);
  m_week.SetSelection(year, month, now.GetDay(), FALSE);

  AddControl(WC_STATIC, "Due date:", SS_LEFT, CRect(280, 214, 400, 232), 0xFFFF);
  AddControl(WC_STATIC, "(none)", SS_LEFT | SS_NOPREFIX, CRect(280, 236, 560, 254), kChosenId);
  AddControl(WC_BUTTON, "&Choose date...", BS_PUSHBUTTON | WS_TABSTOP, CRect(280, 262, 420, 288),
              kChooseDateId);
}

BOOL CCalendarPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == kChooseDateId && HIWORD(wParam) == BN_CLICKED) {
    ChooseDate();
    return TRUE;
  }
  return CGalleryPage::OnCommand(wParam, lParam);
}

void CCalendarPage::ChooseDate() {
  double date = m_chosen ? m_chosen : -1.0;
  if (date == -1.0) date = COleDateTime::GetCurrentTime().m_dt;
  if (!NbDisplayNbDayPickerDlg(date)) {
    Report("Date dialog cancelled");
    return;
  }
  m_chosen = date;
  CString text = COleDateTime(date).Format("%A, %d %B %Y");
  ::SetWindowText(::GetDlgItem(m_hWnd, kChosenId), text);
  Report("Chosen: " + text);
}

LRESULT CCalendarPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  CString text;
  switch (message) {
    case NBDP_SELCHANGE:
      text.Format("0x1D69: selected %d-%02d-%02d", static_cast<int>(LOWORD(wParam)), static_cast<int>(HIWORD(lParam)),
                  static_cast<int>(LOWORD(lParam)));
      Report(text);
      return 0;
    case NBDP_DBLCLK:
      text.Format("0x1D68: %s", HIWORD(wParam) == 7 ? "day double-clicked" : HIWORD(wParam) == 3 ? "month clicked"
                                                                                                 : "year clicked");
      Report(text);
      return 0;
    case NBDP_MONTHCHANGE: {
      int m, y;
      m_months.GetDisplayMonth(&m, &y);
      text.Format("0x1D74: first month now %d-%02d", y, m);
      Report(text);
      return 0;
    }
    case NBDP_GETTIPTEXT: {
      auto* date = reinterpret_cast<CNbDate*>(wParam);
      auto* tip = reinterpret_cast<CString*>(lParam);
      if (date && tip) {
        auto it = m_appointments.find(Key(date->m_nYear, date->m_nMonth, date->m_nDay));
        if (it != m_appointments.end()) *tip = it->second;
      }
      return 0;
    }
    default:
      return CGalleryPage::WindowProc(message, wParam, lParam);
  }
}

std::vector<CGalleryPage::State> CCalendarPage::States() {
  return {
      {"day-chosen", [](CGalleryPage& page) {
         auto& self = static_cast<CCalendarPage&>(page);
         int m, y;
         self.m_months.GetDisplayMonth(&m, &y);
         CNbDatePicker::IncrMonth(m, y, 1);
         nbp::test::Click(self.m_months.m_hWnd, DayPoint(self.m_months, 1, y, m, 11));
       }},
      {"month-menu", [](CGalleryPage& page) {
         auto& self = static_cast<CCalendarPage&>(page);
         CPickerRects r;
         self.m_months.GetCalRects(self.m_months.GetCalBounds(0), r);
         nbp::test::Click(self.m_months.m_hWnd, r.m_rcMonth.CenterPoint());
       }},
      {"tooltip", [](CGalleryPage& page) {
         auto& self = static_cast<CCalendarPage&>(page);
         int m, y;
         self.m_months.GetDisplayMonth(&m, &y);
         nbp::test::MoveTo(self.m_months.m_hWnd, DayPoint(self.m_months, 0, y, m, 14));
         nbp::test::AdvanceClock(600);
       }},
      {"date-dialog", [](CGalleryPage& page) {
         nbp::Headless()->WhenIdle([] {
           HWND dialog = ::GetActiveWindow();
           CGalleryPage::SavePicture(dialog, "dialog");
           nbp::test::PressKey(VK_ESCAPE);
         });
         HWND button = ::GetDlgItem(page.m_hWnd, kChooseDateId);
         nbp::test::Click(button, POINT{20, 10});
       }},
  };
}
