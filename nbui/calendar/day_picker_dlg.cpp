#include "calendar/day_picker_dlg.h"

#include <cmath>

#include "mfc/time.h"

BEGIN_MESSAGE_MAP(CNbDayPickerDlg, CDialog)
  ON_BN_CLICKED(kTodayId, OnToday)
  ON_MESSAGE(NBDP_DBLCLK, OnDatePickerDblClk)
END_MESSAGE_MAP()

CNbDayPickerDlg::CNbDayPickerDlg(double date, CWnd* pParent) : CDialog(static_cast<UINT>(IDD), pParent) {
  // A value that is no date at all opens on today as -1.0 does, rather than
  // on a day that can't be shown.
  bool usable = date != -1.0 && std::isfinite(date) && COleDateTime(date).GetStatus() == COleDateTime::valid;
  m_date = usable ? date : static_cast<double>(COleDateTime::GetCurrentTime().m_dt);
}

CNbDayPickerDlg::~CNbDayPickerDlg() { delete m_pPicker; }

void CNbDayPickerDlg::GetSelectYearMonthDay(int& nYear, int& nMonth, int& nDay) const {
  nYear = m_nYear;
  nMonth = m_nMonth;
  nDay = m_nDay;
}

void CNbDayPickerDlg::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }

BOOL CNbDayPickerDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CRect place(0, 0, 0, 0);
  if (CWnd* placeholder = GetDlgItem(kPlaceholderId)) {
    placeholder->GetWindowRect(&place);
    ScreenToClient(&place);
  }
  m_pPicker = new CNbDatePicker;
  m_pPicker->Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP, place, this, kPickerId, 1,
                    1, place.Width(), place.Height());
  m_pPicker->SetMinYear(m_nMinYear);
  m_pPicker->SetMaxYear(m_nMaxYear);
  COleDateTime date(m_date);
  m_nYear = date.GetYear();
  m_nMonth = date.GetMonth();
  m_nDay = date.GetDay();
  m_pPicker->SetSelection(m_nYear, m_nMonth, m_nDay, FALSE);
  // Tab order: OK, Cancel, Today, the calendar.
  CWnd* ok = GetDlgItem(IDOK);
  CWnd* cancel = GetDlgItem(IDCANCEL);
  CWnd* today = GetDlgItem(kTodayId);
  if (ok && cancel) cancel->SetWindowPos(ok, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (cancel && today) today->SetWindowPos(cancel, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (today) m_pPicker->SetWindowPos(today, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  return TRUE;
}

void CNbDayPickerDlg::OnToday() {
  if (!m_pPicker) return;
  int month, day, year;
  m_pPicker->GetToday(&month, &day, &year);
  m_pPicker->SetSelection(year, month, day, TRUE);
}

void CNbDayPickerDlg::OnOK() {
  if (m_pPicker) m_pPicker->GetSelection(m_nYear, m_nMonth, m_nDay);
  CDialog::OnOK();
}

LRESULT CNbDayPickerDlg::OnDatePickerDblClk(WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) == CNbDatePicker::kHitDays) OnOK();
  return 0;
}

int NbDisplayNbDayPickerDlg(double& date) {
  CNbDayPickerDlg dlg(date, nullptr);
  dlg.SetMinYear(1970);
  if (dlg.DoModal() != IDOK) return 0;
  int year, month, day;
  dlg.GetSelectYearMonthDay(year, month, day);
  COleDateTime chosen(year, month, day, 0, 0, 0);
  if (chosen.GetStatus() != COleDateTime::valid) return 0;
  date = chosen.m_dt;
  return 1;
}
