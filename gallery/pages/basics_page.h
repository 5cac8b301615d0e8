// The basic controls a host's dialogs are made of, arranged as a small
// appointment view: buttons, check and radio buttons, a popup menu with a
// submenu, a
// scrolling agenda, an owner-drawn list of attendees and a category combo.
#pragma once

#include "gallery_page.h"
#include "mfc/menu.h"
#include "pages/choice_button.h"
#include "pages/agenda_list.h"
#include "pages/basics_lists.h"

class CBasicsPage : public CGalleryPage {
 public:
  enum : UINT {
    kNewId = 1001,
    kShowAsId = 1002,
    kWeekNumbersId = 1003,
    kDayId = 1004,
    kWeekId = 1005,
    kMonthId = 1006,
    kAgendaId = 1007,
    kAttendeesId = 1008,
    kCategoryId = 1009,
    kMenuBusy = 2001,
    kMenuFree = 2002,
    kMenuTentative = 2003,
    kMenuAway = 2004,
    kRemind5 = 2011,
    kRemind15 = 2012,
    kRemindHour = 2013,
    kRemindDay = 2014,
  };

  const char* Title() const override { return "Basics"; }
  std::vector<State> States() override;

 protected:
  void CreateControls() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnShowAs(int position);
  void OnReminder(UINT id);

  void OnListNotify(UINT id, UINT code);

  CAgendaList m_agenda;
  CAttendeeList m_attendees;
  CColorCombo m_category;
  CMenu m_showAsMenu;
  CChoiceButton m_showAs;
  UINT m_nReminder = kRemind15;
};
