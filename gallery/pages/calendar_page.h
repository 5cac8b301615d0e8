// The calendar family: a three-month picker with appointments and
// tooltips, a small week-row picker with a start date, and the date dialog.
#pragma once

#include <map>

#include "calendar/date_picker.h"
#include "gallery_page.h"

class CCalendarPage : public CGalleryPage {
 public:
  enum : UINT { kThreeMonthsId = 3001, kWeekPickerId = 3002, kChooseDateId = 3003, kChosenId = 3004 };

  const char* Title() const override { return "Calendar"; }
  std::vector<State> States() override;

  CNbDatePicker m_months;
  CNbDatePicker m_week;

 protected:
  void CreateControls() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void ChooseDate();

  // Appointments by date, for the tooltips.
  std::map<int, CString> m_appointments;
  double m_chosen = 0;
};
