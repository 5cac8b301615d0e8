// CBaseDialog: the host's base for its modal dialogs and the library's. It
// adds two behaviours a host wants of every dialog, chosen at construction:
//
//   bRestoreFocus  when the dialog ends, the window that had the focus before
//                  it opened gets it back (if it still exists), so a user who
//                  opened a dialog from a field goes on typing there.
//   bCenter        OnInitDialog centres the dialog on its owner; otherwise the
//                  template's position stands (callers that want to place the
//                  dialog themselves pass 0).
#pragma once

#include "mfc/dialog.h"
#include "nbhost_export.h"

class NBHOST_API CBaseDialog : public CDialog {
 public:
  CBaseDialog(UINT nIDTemplate, CWnd* pParentWnd, BOOL bRestoreFocus = TRUE, BOOL bCenter = FALSE);

  int DoModal() override;

 protected:
  BOOL OnInitDialog() override;

  BOOL m_bRestoreFocus;
  BOOL m_bCenter;

  DECLARE_MESSAGE_MAP()
};
