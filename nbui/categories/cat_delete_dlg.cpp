#include "categories/cat_delete_dlg_internal.h"

#include <initializer_list>

#include "resources/resource_ids.h"

namespace {

constexpr int kNoteHeight = 30;  // what the dialog closes up by without the note

}  // namespace

CNbCatDeleteDlg::CNbCatDeleteDlg(const CString& strTitle, int bNotSubscribed, CWnd* pParent)
    : CDialog(IDD, pParent), m_strTitle(strTitle), m_bNotSubscribed(bNotSubscribed) {}

void CNbCatDeleteDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDOK, m_btnOK);
  DDX_Control(pDX, IDCANCEL, m_btnCancel);
  DDX_Control(pDX, IDC_NB_DELETE_MOVE, m_radioMove);
  DDX_Control(pDX, IDC_NB_DELETE_RECORDS, m_radioDelete);
  DDX_Radio(pDX, IDC_NB_DELETE_MOVE, m_nChoice);
}

BOOL CNbCatDeleteDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(m_strTitle);
  if (!m_bNotSubscribed) return TRUE;
  if (CWnd* note = GetDlgItem(IDC_NB_DELETE_SUBSCRIPTION)) {
    note->SetWindowText("");
    note->ShowWindow(SW_HIDE);
  }
  CRect frame;
  GetWindowRect(&frame);
  ScreenToClient(&frame);
  frame.bottom -= kNoteHeight;
  ClientToScreen(&frame);
  MoveWindow(&frame, TRUE);
  for (CButton* button : {&m_btnOK, &m_btnCancel, &m_radioMove, &m_radioDelete}) {
    if (!button->m_hWnd) continue;
    CRect r;
    button->GetWindowRect(&r);
    ScreenToClient(&r);
    button->SetWindowPos(nullptr, r.left, r.top - kNoteHeight, r.Width(), r.Height(), SWP_NOZORDER);
  }
  return TRUE;
}
