#include "categories/cat_name_dialogs.h"

#include "resources/resource_ids.h"

namespace {

constexpr int kMaxNameChars = 15;

void ExchangeName(CDataExchange* pDX, CLumoEdit& edit, CString& name) {
  DDX_Control(pDX, IDC_NB_CATEGORY_NAME, edit);
  DDX_Text(pDX, IDC_NB_CATEGORY_NAME, name);
}

void LimitName(CDialog& dialog, CLumoEdit& edit) {
  dialog.CenterWindow();
  // The control counts bytes: room for 15 characters of up to four bytes
  // each, while the character limit keeps the name to 15 characters.
  edit.SendMessage(EM_LIMITTEXT, kMaxNameChars * 4, 0);
  edit.SetMaxChars(kMaxNameChars);
}

// A blank name keeps the dialog open with the focus back in the field.
bool NameGiven(CDialog& dialog, CLumoEdit& edit, UINT nText, UINT nCaption) {
  CString typed;
  edit.GetWindowText(typed);
  typed.TrimLeft();
  if (!typed.IsEmpty()) return true;
  CString text, caption;
  text.LoadString(nText);
  caption.LoadString(nCaption);
  dialog.MessageBox(text, caption, MB_ICONEXCLAMATION);
  dialog.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit.m_hWnd), TRUE);
  return false;
}

}  // namespace

CNbUICatNewDialog::CNbUICatNewDialog(CWnd* pParent) : CNbUICatNewDialog(IDD, pParent) {}

CNbUICatNewDialog::CNbUICatNewDialog(UINT nIDTemplate, CWnd* pParent) : CBaseDialog(nIDTemplate, pParent, 1, 0) {}

CNbUICatNewDialog::~CNbUICatNewDialog() = default;

void CNbUICatNewDialog::DoDataExchange(CDataExchange* pDX) {
  CBaseDialog::DoDataExchange(pDX);
  ExchangeName(pDX, m_editName, m_strName);
}

BOOL CNbUICatNewDialog::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  LimitName(*this, m_editName);
  return TRUE;
}

void CNbUICatNewDialog::OnOK() {
  if (NameGiven(*this, m_editName, IDS_NB_NEW_CATEGORY_EMPTY, IDS_NB_NEW_CATEGORY_CAPTION)) CDialog::OnOK();
}

CNbUICatRenameDialog::CNbUICatRenameDialog(CWnd* pParent) : CNbUICatRenameDialog(IDD, pParent) {}

CNbUICatRenameDialog::CNbUICatRenameDialog(UINT nIDTemplate, CWnd* pParent)
    : CBaseDialog(nIDTemplate, pParent, 1, 0) {}

CNbUICatRenameDialog::~CNbUICatRenameDialog() = default;

void CNbUICatRenameDialog::DoDataExchange(CDataExchange* pDX) {
  CBaseDialog::DoDataExchange(pDX);
  ExchangeName(pDX, m_editName, m_strName);
}

BOOL CNbUICatRenameDialog::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  LimitName(*this, m_editName);
  return TRUE;
}

void CNbUICatRenameDialog::OnOK() {
  if (NameGiven(*this, m_editName, IDS_NB_RENAME_CATEGORY_EMPTY, IDS_NB_RENAME_CATEGORY_CAPTION)) CDialog::OnOK();
}
