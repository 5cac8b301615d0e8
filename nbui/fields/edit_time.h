// CNbEditTime: a single-line field in which the user types a time of day.
//
// Every typed character is filtered and the whole text read again at once
// (fields/time_text.h): the hour (0-23) and the minute (a multiple of 5),
// with the locale's separator put in where the user left it out. "+" and
// "-" step by 15 minutes, "A" and "P" choose the half of a 12-hour day, and
// the vertical keys are reported to the parent (WM_NB_TIMESTEP) for it to
// step the time as it likes. The owner sets the time with SetTime before the
// field is used and reads it back with GetHours, GetMins and IsValid.
#pragma once

#include "HostCommon/lumo_edit.h"
#include "fields/field_messages.h"
#include "frame/nbui_export.h"

class NBUI_API CNbEditTime : public CLumoEdit {
 public:
  // nFirstAmHour: on a 12-hour clock, an hour typed below it without a
  // morning or afternoon choice is an afternoon hour. nParam2 is kept and
  // has no effect. The clock and the separator are the user's regional
  // settings at construction.
  CNbEditTime(int nFirstAmHour, int nParam2);
  ~CNbEditTime() override;

  int GetHours() const { return m_nHours; }
  int GetMins() const { return m_nMins; }
  int IsValid() const { return m_bValid; }
  int IsForceAM() const { return m_bForceAM; }
  int IsForcePM() const { return m_bForcePM; }
  void SetValid(int bValid) { m_bValid = bValid; }
  // Each sets its own flag only.
  void ForceAM(int bForce) { m_bForceAM = bForce; }
  void ForcePM(int bForce) { m_bForcePM = bForce; }
  // Forgets the choice of half day.
  void SetNoTime();
  // Stores the time as given (no check, no rounding; the hour -1 means no
  // time) and, when bFormat is nonzero, shows it with FormatTime.
  void SetTime(int nHours, int nMins, int bFormat);
  // Reads the text into the time (fields/time_text.h). The argument is
  // not used.
  void ReadTime(int nUnused);
  // Rounds to a multiple of 5: 7 to 5, 8 to 10, 58 to 60.
  void Round(int& nMins);
  // Shows the time in the locale's format. Returns 0, leaving the text
  // alone, for an hour above 24 or a minute above 60.
  virtual int FormatTime();

  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnRButtonUp(UINT nFlags, CPoint point);

 protected:
  // The characters that may be typed: digits and the separator.
  CString m_strAllowed;
  CString m_strSeparator;
  int m_nMins = 0;
  int m_nHours = 0;
  int m_nFirstAmHour;
  BOOL m_bValid = FALSE;
  BOOL m_bForceAM = FALSE;
  BOOL m_bForcePM = FALSE;
  BOOL m_bHasSeparator = FALSE;
  BOOL m_b24Hour = FALSE;
  int m_nParam2;

  // The typed character goes into the text; the text is read again after
  // any character but Backspace.
  void InsertChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void StepForward();
  void StepBack();
  // "A" or "P": the half of the day, then the time shown and selected.
  void ChooseHalf(bool bAfternoon);
  void SelectAll();

  DECLARE_MESSAGE_MAP()
};
