#include "frame/password_dlg.h"

#include <openssl/crypto.h>

#include <cstring>
#include <optional>
#include <string>

#include "frame/password_check_internal.h"
#include "mfc/app.h"
#include "resources/resource_ids.h"

namespace {

constexpr UINT kHelpEnterPassword = 20026;

void WipeString(CString& text) {
  int length = text.GetLength();
  if (length > 0) OPENSSL_cleanse(text.GetBuffer(length), static_cast<size_t>(length));
  text.Empty();
}

// Exchanges the password field with `password` (letting the field answer the
// dialog's own reading), then bounds it.
void ExchangePassword(CDataExchange* pDX, CNbPasswordEdit& field, CString& password) {
  DDX_Control(pDX, IDC_NB_PASSWORD, field);
  field.AllowRead(true);
  DDX_Text(pDX, IDC_NB_PASSWORD, password);
  field.AllowRead(false);
  DDV_MaxChars(pDX, password, kNbPasswordMaxBytes);
}

void ShowUserAndFocusPassword(CDialog& dlg, const CString& userName) {
  dlg.SetDlgItemText(IDC_NB_USER_NAME, userName);
  if (CWnd* field = dlg.GetDlgItem(IDC_NB_PASSWORD)) field->SetFocus();
}

// The check behind OK. True when the dialog may close; otherwise the user has
// been told and is back in the selected password.
bool PasswordAccepted(CDialog& dlg, CNbPasswordEdit& field, CString& password, const BYTE* digest) {
  BOOL read = dlg.UpdateData(TRUE);
  bool match = read && NbCheckPassword(digest, password);
  WipeString(password);
  if (!read) return false;
  if (match) {
    field.Wipe();
    return true;
  }
  AfxMessageBox(IDS_NB_PASSWORD_INCORRECT);
  dlg.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field.m_hWnd), 1);
  return false;
}

// Asks the main window for the digest; nothing when there is no main window.
// The buffer is cleared first so that a host that answers without filling it
// leaves nothing of the stack in it.
std::optional<LRESULT> RequestDigest(BYTE* digest) {
  memset(digest, 0, kNbPasswordDigestSize);
  CWnd* main = AfxGetMainWnd();
  if (!main || !::IsWindow(main->m_hWnd)) return std::nullopt;
  return ::SendMessage(main->m_hWnd, WM_GETPASSWORDDIGEST, 2, reinterpret_cast<LPARAM>(digest));
}

template <class Dialog, class... Args>
int Prompt(LPCTSTR userName, Args&&... args) {
  BYTE digest[kNbPasswordDigestSize];
  std::optional<LRESULT> answer = RequestDigest(digest);
  int granted = 0;
  if (!userName || !*userName || !answer) {
    granted = 0;
  } else if (*answer == -1) {
    granted = 1;
  } else {
    Dialog dlg(digest, CString(userName), std::forward<Args>(args)...);
    granted = dlg.DoModal() == IDOK ? 1 : 0;
  }
  OPENSSL_cleanse(digest, sizeof digest);
  return granted;
}

}  // namespace

void CNbPasswordEdit::Wipe() {
  if (!m_hWnd) return;
  m_bReadAllowed = true;
  int length = GetWindowTextLength();
  m_bReadAllowed = false;
  // Same-length text first, so the field's own buffer is overwritten in place.
  if (length > 0) SetWindowText(std::string(static_cast<size_t>(length), '*').c_str());
  SetWindowText("");
  SendMessage(EM_EMPTYUNDOBUFFER, 0, 0);
}

LRESULT CNbPasswordEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_bReadAllowed) {
    switch (message) {
      case WM_GETTEXT:
        if (wParam > 0 && lParam) reinterpret_cast<char*>(lParam)[0] = '\0';
        return 0;
      case WM_GETTEXTLENGTH:
      case EM_GETLINE:
        return 0;
      default:
        break;
    }
  }
  return CEdit::WindowProc(message, wParam, lParam);
}

CNbPasswordDlg::CNbPasswordDlg(const BYTE* pDigest, CString strUserName, int bEnterPassword, int bEditRecord,
                               CWnd* pParent)
    : CBaseDialog(IDD, pParent, 1, 0),
      m_bEnterPassword(bEnterPassword),
      m_bEditRecord(bEditRecord),
      m_strUserName(strUserName),
      m_pDigest(pDigest) {}

CNbPasswordDlg::~CNbPasswordDlg() { WipeString(m_strPassword); }

void CNbPasswordDlg::DoDataExchange(CDataExchange* pDX) {
  CBaseDialog::DoDataExchange(pDX);
  ExchangePassword(pDX, m_wndPassword, m_strPassword);
}

BOOL CNbPasswordDlg::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  CString caption;
  if (m_bEnterPassword && caption.LoadString(IDS_NB_ENTER_PASSWORD)) {
    SetWindowText(caption);
    m_nIDHelp = kHelpEnterPassword;
  }
  if (m_bEditRecord && caption.LoadString(IDS_NB_EDIT_PRIVATE_RECORD)) SetWindowText(caption);
  ShowUserAndFocusPassword(*this, m_strUserName);
  return FALSE;
}

void CNbPasswordDlg::OnOK() {
  if (PasswordAccepted(*this, m_wndPassword, m_strPassword, m_pDigest)) CBaseDialog::OnOK();
}

CNbMaskingPasswordDlg::CNbMaskingPasswordDlg(const BYTE* pDigest, CString strUserName, CWnd* pParent)
    : CBaseDialog(IDD, pParent, 1, 0), m_strUserName(strUserName), m_pDigest(pDigest) {}

CNbMaskingPasswordDlg::~CNbMaskingPasswordDlg() { WipeString(m_strPassword); }

void CNbMaskingPasswordDlg::DoDataExchange(CDataExchange* pDX) {
  CBaseDialog::DoDataExchange(pDX);
  ExchangePassword(pDX, m_wndPassword, m_strPassword);
}

BOOL CNbMaskingPasswordDlg::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  ShowUserAndFocusPassword(*this, m_strUserName);
  return FALSE;
}

void CNbMaskingPasswordDlg::OnOK() {
  if (PasswordAccepted(*this, m_wndPassword, m_strPassword, m_pDigest)) CBaseDialog::OnOK();
}

int NbPromptForPassword(LPCTSTR lpszUserName, CWnd* pParent, int bEditRecord) {
  return Prompt<CNbPasswordDlg>(lpszUserName, 0, bEditRecord, pParent);
}

int NbPromptForPasswordWhileMasking(LPCTSTR lpszUserName, CWnd* pParent) {
  return Prompt<CNbMaskingPasswordDlg>(lpszUserName, pParent);
}
