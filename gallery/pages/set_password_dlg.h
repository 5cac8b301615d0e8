// The gallery's own "Set Password" dialog: a new password typed twice.
#pragma once

#include <vector>

#include "mfc/dialog.h"

class CSetPasswordDlg : public CDialog {
 public:
  enum : UINT { kNewId = 101, kConfirmId = 102 };

  CSetPasswordDlg(CWnd* pParent);
  int DoModal() override;

 protected:
  void OnOK() override;

  std::vector<uint8_t> m_template;
};
