#include "fields/time_spin.h"

#include "HostCommon/intl_time.h"
#include "mfc/time.h"

// --- CNbEditTimeSpinCtrl

BEGIN_MESSAGE_MAP(CNbEditTimeSpinCtrl, CNbEditTime)
  ON_WM_LBUTTONDBLCLK()
  ON_WM_LBUTTONUP()
  ON_WM_VSCROLL()
  ON_WM_MENUSELECT()
  ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

CNbEditTimeSpinCtrl::CNbEditTimeSpinCtrl(int nFirstAmHour, int nParam2) : CNbEditTime(nFirstAmHour, nParam2) {}
CNbEditTimeSpinCtrl::~CNbEditTimeSpinCtrl() = default;

int CNbEditTimeSpinCtrl::SeparatorAt(const CString& text) const {
  int at = text.Find(m_strSeparator, 0);
  return at >= 0 ? at : text.GetLength();
}

int CNbEditTimeSpinCtrl::FormatTime() {
  CTime time(2001, 5, 1, m_nHours, m_nMins, 0, -1);
  // The separator goes into a strftime format: a percent sign in it is text.
  CString separator = m_strSeparator;
  separator.Replace("%", "%%");
  CString format = m_b24Hour ? CString("%H") + separator + "%M" : CString("%I") + separator + "%M %p";
  SetWindowText(time.Format(format));
  return 1;
}

void CNbEditTimeSpinCtrl::ChangeValue(int nDelta) {
  int start = 0, end = 0;
  GetSel(start, end);
  CString text;
  GetWindowText(text);
  int sep = SeparatorAt(text);
  int selFrom = 0, selTo = 0;
  auto reformat = [&] {
    SetTime(m_nHours, m_nMins, TRUE);
    GetWindowText(text);
    sep = SeparatorAt(text);
  };

  if (start <= sep) {
    // On a 12-hour clock the hours turn within the half of the day the field
    // shows: an afternoon hour typed without "P" ("230" with the first
    // morning hour 8 is 14:30) sets no forcing flag, and a morning range
    // would turn it into 0:30.
    int low = 0, high = 23;
    if (!m_b24Hour) {
      bool afternoon = m_nHours >= 12;
      low = afternoon ? 12 : 0;
      high = afternoon ? 23 : 11;
    }
    long long hour = static_cast<long long>(m_nHours) - nDelta;
    if (hour > high) hour = low;
    else if (hour < low) hour = high;
    m_nHours = static_cast<int>(hour);
    reformat();
    selFrom = 0;
    selTo = sep;
  } else if (start <= sep + 3) {
    long long minute = m_nMins + (nDelta <= 0 ? 5LL : -5LL);
    if (minute >= 60) minute = 0;
    else if (minute < 0) minute = 55;
    m_nMins = static_cast<int>(minute);
    reformat();
    selFrom = sep + 1;
    selTo = sep + 3;
  } else {
    if (!m_b24Hour) {
      m_nHours += m_nHours < 12 ? 12 : -12;
      // The flags name the half now shown. Inverting both would set both
      // from neither, and the morning flag, which the parser obeys first,
      // would take an afternoon time shown as such back to the morning at
      // the next typed digit.
      m_bForcePM = m_nHours >= 12 ? TRUE : FALSE;
      m_bForceAM = m_bForcePM ? FALSE : TRUE;
    }
    reformat();
    selFrom = sep + 4;
    selTo = sep + 6;
  }
  SetFocus();
  SetSel(selFrom, selTo, FALSE);
}

void CNbEditTimeSpinCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) {}

void CNbEditTimeSpinCtrl::OnLButtonUp(UINT nFlags, CPoint point) {
  int start = 0, end = 0;
  GetSel(start, end);
  CString text;
  GetWindowText(text);
  if (end - start != text.GetLength()) {
    int at = CharFromPos(point);
    int sep = SeparatorAt(text);
    if (at <= sep) SetSel(0, sep, TRUE);
    else if (at <= sep + 3) SetSel(sep + 1, sep + 3, TRUE);
    else SetSel(sep + 4, sep + 6, TRUE);
  }
  Default();
}

void CNbEditTimeSpinCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) { Default(); }

void CNbEditTimeSpinCtrl::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) { Default(); }

void CNbEditTimeSpinCtrl::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
  Default();
  m_b24Hour = CIntlTime().Is24HrFormat();
  FormatTime();
}

// --- CNbTimeSpinButtonCtrl

BEGIN_MESSAGE_MAP(CNbTimeSpinButtonCtrl, CSpinButtonCtrl)
  ON_NOTIFY_REFLECT(UDN_DELTAPOS, OnDeltapos)
END_MESSAGE_MAP()

CNbTimeSpinButtonCtrl::CNbTimeSpinButtonCtrl() = default;
CNbTimeSpinButtonCtrl::~CNbTimeSpinButtonCtrl() = default;

void CNbTimeSpinButtonCtrl::OnDeltapos(NMHDR* pNMHDR, LRESULT* pResult) {
  auto* updown = reinterpret_cast<NMUPDOWN*>(pNMHDR);
  if (CWnd* parent = GetParent(); parent && updown)
    parent->PostMessage(WM_NB_TIMESTEP, static_cast<WPARAM>(GetDlgCtrlID()), updown->iDelta);
  if (pResult) *pResult = 0;
}
