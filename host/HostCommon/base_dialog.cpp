#include "HostCommon/base_dialog.h"

BEGIN_MESSAGE_MAP(CBaseDialog, CDialog)
END_MESSAGE_MAP()

CBaseDialog::CBaseDialog(UINT nIDTemplate, CWnd* pParentWnd, BOOL bRestoreFocus, BOOL bCenter)
    : CDialog(nIDTemplate, pParentWnd), m_bRestoreFocus(bRestoreFocus), m_bCenter(bCenter) {}

int CBaseDialog::DoModal() {
  HWND before = ::GetFocus();
  int result = CDialog::DoModal();
  if (m_bRestoreFocus && before && ::IsWindow(before) && ::IsWindowEnabled(before)) ::SetFocus(before);
  return result;
}

BOOL CBaseDialog::OnInitDialog() {
  BOOL result = CDialog::OnInitDialog();
  if (m_bCenter) CenterWindow();
  return result;
}
