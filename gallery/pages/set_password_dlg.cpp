#include "pages/set_password_dlg.h"

#include <string.h>

#include <string>

#include "host_password.h"
#include "mfc/app.h"
#include "nbp/dialog_template.h"

namespace {

std::vector<uint8_t> Template() {
  nbp::DialogTemplateWriter w(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 200, 84, "Set Password");
  w.Font(8, "MS Shell Dlg")
      .LText("Leave both fields empty to remove the password.", 0xFFFF, 7, 7, 186, 10)
      .LText("&New password:", 0xFFFF, 7, 24, 60, 8)
      .EditText(CSetPasswordDlg::kNewId, 70, 22, 123, 12, ES_PASSWORD | ES_AUTOHSCROLL)
      .LText("&Confirm:", 0xFFFF, 7, 42, 60, 8)
      .EditText(CSetPasswordDlg::kConfirmId, 70, 40, 123, 12, ES_PASSWORD | ES_AUTOHSCROLL)
      .DefPushButton("OK", IDOK, 89, 62, 50, 14)
      .PushButton("Cancel", IDCANCEL, 143, 62, 50, 14);
  return w.Bytes();
}

// The text of a field, wiped from the local buffer afterwards by the caller.
std::string FieldText(CDialog& dlg, UINT id) {
  char buffer[256] = {};
  ::GetDlgItemText(dlg.m_hWnd, static_cast<int>(id), buffer, sizeof buffer);
  std::string text = buffer;
  explicit_bzero(buffer, sizeof buffer);
  return text;
}

void Wipe(std::string& text) {
  explicit_bzero(text.data(), text.size());
  text.clear();
}

}  // namespace

CSetPasswordDlg::CSetPasswordDlg(CWnd* pParent) : m_template(Template()) { m_pParentWnd = pParent; }

int CSetPasswordDlg::DoModal() {
  if (!InitModalIndirect(reinterpret_cast<LPCDLGTEMPLATE>(m_template.data()), m_pParentWnd)) return -1;
  return CDialog::DoModal();
}

void CSetPasswordDlg::OnOK() {
  std::string typed = FieldText(*this, kNewId), confirmed = FieldText(*this, kConfirmId);
  const char* problem = nullptr;
  if (typed != confirmed) problem = "The two passwords differ. Type the new password twice.";
  else if (!typed.empty() && !CHostPassword::Instance().Set(typed.c_str()))
    problem = "The password is too long: it may have at most 31 bytes.";
  else if (typed.empty()) CHostPassword::Instance().Clear();
  Wipe(typed);
  Wipe(confirmed);
  if (problem) {
    AfxMessageBox(problem, MB_OK | MB_ICONEXCLAMATION);
    if (CWnd* field = GetDlgItem(kNewId)) SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field->m_hWnd), 1);
    return;
  }
  EndDialog(IDOK);
}
