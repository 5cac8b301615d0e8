// The text fields, as an appointment form: a due date, a start and an end
// time, an alarm time with spin arrows, a quantity and notes. The page
// moves the focus on Tab as a host's form does, applies the alarm's steps,
// and reports every private message the fields send.
#pragma once

#include "fields/edit_date.h"
#include "fields/edit_time.h"
#include "fields/lumo_rich_edit.h"
#include "fields/num_edit.h"
#include "fields/time_spin.h"
#include "gallery_page.h"

class CFieldsPage : public CGalleryPage {
 public:
  enum : UINT {
    kDueId = 4001,
    kStartId = 4002,
    kEndId = 4003,
    kAlarmId = 4004,
    kAlarmSpinId = 4005,
    kQuantityId = 4006,
    kNotesId = 4007,
    kNotesEditableId = 4008,
    kSaveId = 4009,
  };

  CFieldsPage();
  const char* Title() const override { return "Fields"; }
  std::vector<State> States() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  CNbEditDate m_due;
  CNbEditTime m_start;
  CNbEditTime m_end;
  CNbEditTimeSpinCtrl m_alarm;
  CNbTimeSpinButtonCtrl m_alarmSpin;
  CNbNumEdit m_quantity;
  CNbLumoUIRichEdit m_notes;

 protected:
  void CreateControls() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // What the form would store: the due date checked, the times read.
  void Save();
  const char* NameOf(UINT id) const;
};
