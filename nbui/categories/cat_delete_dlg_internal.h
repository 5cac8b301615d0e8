// CNbCatDeleteDlg: asks whether the records of a category that is being
// deleted move to category 0 (choice 0) or are deleted with it (choice 1).
// For a category without a subscription the note about the subscription is
// hidden and the dialog closes up over it.
#pragma once

#include "mfc/controls.h"
#include "mfc/dialog.h"

class CNbCatDeleteDlg : public CDialog {
 public:
  enum { IDD = 128 };
  CNbCatDeleteDlg(const CString& strTitle, int bNotSubscribed, CWnd* pParent);

  int m_nChoice = -1;
  CString m_strTitle;
  int m_bNotSubscribed;
  CButton m_btnOK;
  CButton m_btnCancel;
  CButton m_radioMove;
  CButton m_radioDelete;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
};
