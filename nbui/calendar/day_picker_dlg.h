// CNbDayPickerDlg: a small modal dialog with one calendar and OK, Cancel and
// Today buttons, returning the chosen day; NbDisplayNbDayPickerDlg is its
// one-call form over an automation date.
#pragma once

#include "calendar/date_picker.h"
#include "mfc/dialog.h"

class NBUI_API CNbDayPickerDlg : public CDialog {
 public:
  // Control ids of the dialog template.
  enum { IDD = 607, kPlaceholderId = 1115, kTodayId = 6, kPickerId = 1001 };

  // date: an automation date; exactly -1.0 (or a value that is not a date)
  // opens on the current date and time.
  explicit CNbDayPickerDlg(double date = -1.0, CWnd* pParent = nullptr);
  ~CNbDayPickerDlg() override;

  void SetMinYear(int nYear) { m_nMinYear = nYear; }
  void SetMaxYear(int nYear) { m_nMaxYear = nYear; }
  // The date taken when the dialog ended with OK.
  void GetSelectYearMonthDay(int& nYear, int& nMonth, int& nDay) const;

  CNbDatePicker* m_pPicker = nullptr;
  double m_date = 0;
  int m_nYear = 0;
  int m_nMonth = 0;
  int m_nDay = 0;
  int m_nMaxYear = 2031;
  int m_nMinYear = 1970;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnToday();
  LRESULT OnDatePickerDblClk(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

// Runs the dialog on `date`; on OK writes the chosen day at 0:00:00 into date
// and returns 1, otherwise leaves date as it was and returns 0.
NBUI_API int NbDisplayNbDayPickerDlg(double& date);
