// The private-records prompts. Before the host shows or edits a private
// record it calls NbPromptForPassword (or NbPromptForPasswordWhileMasking when
// it is about to hide private records); the library asks the host's main
// window for the stored digest of the user's password and lets the user type
// the password until it matches or the user cancels. The library never keeps
// a password: every copy it makes is wiped after the check.
#pragma once

#include "HostCommon/base_dialog.h"
#include "frame/nbui_export.h"
#include "frame/password_digest.h"
#include "mfc/edit.h"

// Sent to the application's main window with wParam 2 and lParam the address
// of a 32-byte buffer: the host fills the buffer with the stored digest (see
// password_digest.h) and returns anything but -1, or returns -1 when the user
// has no password.
#define WM_GETPASSWORDDIGEST 0xBEC2

// The password field of both dialogs. Its text goes to its own dialog's data
// exchange only: WM_GETTEXT, WM_GETTEXTLENGTH and EM_GETLINE from anywhere
// else get nothing. (Copy and cut are refused by every password edit.)
class NBUI_API CNbPasswordEdit : public CEdit {
 public:
  // While a reader is allowed, the field answers text requests.
  void AllowRead(bool bAllow) { m_bReadAllowed = bAllow; }
  // Overwrites the text and the undo copy before emptying the field.
  void Wipe();

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool m_bReadAllowed = false;
};

// Template 20025 "Show Private Records": the user name, the password field,
// OK, Cancel and Help.
class NBUI_API CNbPasswordDlg : public CBaseDialog {
 public:
  enum { IDD = 20025 };

  // pDigest: the stored 32-byte digest (not owned). bEnterPassword makes the
  // caption "Enter Password" and the help id 20026; bEditRecord makes it
  // "Edit Private Record" (it wins when both are set).
  CNbPasswordDlg(const BYTE* pDigest, CString strUserName, int bEnterPassword, int bEditRecord,
                 CWnd* pParent = nullptr);
  ~CNbPasswordDlg() override;

  CString m_strPassword;
  int m_bEnterPassword;
  int m_bEditRecord;
  CString m_strUserName;
  const BYTE* m_pDigest;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  CNbPasswordEdit m_wndPassword;
};

// Template 548 "Password": the same question with the explanation that some
// of the selected records are private.
class CNbMaskingPasswordDlg : public CBaseDialog {
 public:
  enum { IDD = 548 };

  CNbMaskingPasswordDlg(const BYTE* pDigest, CString strUserName, CWnd* pParent = nullptr);
  ~CNbMaskingPasswordDlg() override;

  CString m_strPassword;
  CString m_strUserName;
  const BYTE* m_pDigest;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  CNbPasswordEdit m_wndPassword;
};

// 1 when the user may see the private records, 0 when not. With an empty user
// name the answer is 0 and nothing is shown; when the host has no password
// set it is 1 and nothing is shown. Without a main window to ask for the
// digest the answer is 0: a guard that cannot check refuses.
NBUI_API int NbPromptForPassword(LPCTSTR lpszUserName, CWnd* pParent, int bEditRecord);
NBUI_API int NbPromptForPasswordWhileMasking(LPCTSTR lpszUserName, CWnd* pParent);
