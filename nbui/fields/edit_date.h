// CNbEditDate: a single-line field in which the user types a date in the
// regional short date format.
//
// The field keeps the date as year, month and day (each -1 while unset). It
// reads the text with the locale service (CIntlTime), accepts years within
// [GetMinYear, GetMaxYear] and days within their month's real length, writes
// a valid date back in the canonical short form when it loses the focus, and
// shows a placeholder while it holds no date. When asked to write an
// invalid entry with report (WriteFormat(1), which SetDate does), it shows
// a message box, puts back the last date it was given (or today), and tells
// the parent with WM_NB_DATERESTORED. Every key is offered to the parent
// first (WM_NB_DATEKEYDOWN, WM_NB_DATEKEYUP).
//
// Two-digit years: below 1900 a year gains 1900, and then, below the
// minimum year, another 100; with the default minimum 1904, "03" is 2003 and
// "10" is 1910.
#pragma once

#include "HostCommon/lumo_edit.h"
#include "fields/field_messages.h"
#include "frame/nbui_export.h"
#include "nbp/civil.h"

class NBUI_API CNbEditDate : public CLumoEdit {
 public:
  CNbEditDate();
  ~CNbEditDate() override;

  int Year() const { return m_nYear; }
  int Month() const { return m_nMonth; }
  int Day() const { return m_nDay; }
  int GetMinYear() const { return m_nMinYear; }
  int GetMaxYear() const { return m_nMaxYear; }
  // None of these redraws or checks the date again.
  void SetMinYear(int nYear) { m_nMinYear = nYear; }
  void SetMaxYear(int nYear) { m_nMaxYear = nYear; }
  void AllowBlank(int bAllow) { m_bAllowBlank = bAllow; }
  void SetBlankString(const CString& strBlank) { m_strBlank = strBlank; }

  // Each sets the date, then WriteFormat(1). Ignored: a month outside 1-12
  // or a day outside 1-31; a time value or automation date not above 0
  // (SetDate(long) keeps the time value for restoring in every case).
  void SetDate(int nYear, int nMonth, int nDay);
  void SetDate(long lTime);
  void SetDate(double dtDate);
  void SetEdit(double dtDate);

  // 1 when the year is in range and the day exists in that month.
  int IsValidDate() const;
  // The date at 01:00 as an automation date, or -1.0 when not valid.
  double GetDate() const;
  // The typed date, read without touching the fields or the text. Returns
  // 1 for a valid date (in the range, a real day); for a blank field,
  // whether blanks are allowed, with the outputs 0.
  int GetDateEntered(int& nYear, int& nMonth, int& nDay) const;
  // The same as a time value at 01:00 local time (-1 when there is none).
  int GetDateEntered(long& lTime) const;
  // The same as an automation date at 01:00 (-1.0 when there is none).
  int GetDateEntered(double& dtDate) const;
  // The weekday's name of a valid date; empty when not valid or blank.
  CString GetDay() const;

  // Text to fields: the parse result (fields -1 for a blank field, which
  // returns 1, and for a text that is not a date, which returns 0). No range
  // check here.
  int ReadFormat();
  // Fields to text. A valid date is written in the short form (unset parts
  // take today's, unless the last ReadFormat found no date); an invalid one
  // is restored with the message box when bReport is nonzero and the field
  // is not blank, returning 0.
  int WriteFormat(int bReport);
  // Shows the placeholder (or nothing when there is none).
  void SetBlank();
  // 1 when the text is the placeholder, or empty without a placeholder.
  int IsBlank() const;

  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnSetFocus(CWnd* pOldWnd);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnKillFocus(CWnd* pNewWnd);

 protected:
  // The characters a date may be typed with; the field makes no use of it.
  CString m_strAllowed;
  int m_nMinYear = 1904;
  int m_nMaxYear = 2031;
  long m_lTime = -1;
  int m_nYear = -1;
  int m_nMonth = -1;
  int m_nDay = -1;
  BOOL m_bAllowBlank = FALSE;
  CString m_strBlank;
  // Set while the fields hold the -1 of a text that did not read as a date,
  // so that WriteFormat restores rather than filling them in with today.
  BOOL m_bReadFailed = FALSE;

  // [leap][month - 1]; the platform's table, rows chosen by IsLeapYear.
  static constexpr const int (&m_naDaysInMonth)[2][12] = nbp::civil::kMonthDays;

  // Parses the text with the user's short date picture into the outputs
  // (left untouched when the text is not a date).
  BOOL ParseText(int& nYear, int& nMonth, int& nDay) const;
  // Days of the month, or 0 for a month outside 1-12.
  static int DaysIn(int nYear, int nMonth);
  // The placeholder after an edit emptied the text, selected so that the
  // next character replaces it.
  void BlankAfterEdit();
  void SelectAll();

  DECLARE_MESSAGE_MAP()
};
