// The spinning time field and its spin button.
//
// CNbEditTimeSpinCtrl is the time field (CNbEditTime) shown in a fixed form
//
//   09:30 AM        hours | separator S | minutes S+1..S+3 | space | marker S+4..S+6
//   21:30           (on a 24-hour clock, no marker)
//
// and stepped part by part: a click selects the part under the mouse, and
// ChangeValue steps the part under the caret, wrapping within its range.
//
// CNbTimeSpinButtonCtrl, placed beside it, changes nothing itself: it posts
// each arrow click to its parent as WM_NB_TIMESTEP (wParam its own control
// id, lParam the click's iDelta, negative for up with the default range).
// The parent applies it with the field's ChangeValue.
#pragma once

#include "fields/edit_time.h"
#include "mfc/edit.h"
#include "frame/nbui_export.h"

class NBUI_API CNbEditTimeSpinCtrl : public CNbEditTime {
 public:
  CNbEditTimeSpinCtrl(int nFirstAmHour, int nParam2);
  ~CNbEditTimeSpinCtrl() override;

  // Steps the part under the caret: a negative nDelta steps up, a positive
  // one down. Hours wrap within 0-23 (24-hour clock) or within the half of
  // the day shown (0-11 or 12-23); minutes move by 5 (up for 0 too) and
  // wrap within 0-55; the marker switches the half of the day and forces
  // the new half. Then the part is selected and the field has the focus.
  virtual void ChangeValue(int nDelta);
  // Writes the fixed form; always returns 1.
  int FormatTime() override;

  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
  // The clock follows the user's settings again (the separator does not).
  void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);

 protected:
  // Where the separator stands; a text without it is all hours.
  int SeparatorAt(const CString& text) const;

  DECLARE_MESSAGE_MAP()
};

class NBUI_API CNbTimeSpinButtonCtrl : public CSpinButtonCtrl {
 public:
  CNbTimeSpinButtonCtrl();
  ~CNbTimeSpinButtonCtrl() override;

  void OnDeltapos(NMHDR* pNMHDR, LRESULT* pResult);

 protected:
  DECLARE_MESSAGE_MAP()
};
