// CDialog: templates found through the resource chain, the modal loop, and
// the dialog manager's navigation run from PreTranslateMessage.
#include "mfc/dialog.h"

#include <strings.h>

#include "mfc/app.h"
#include "mfc/gdiobj.h"
#include "win/controls.h"
#include "win/resources.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

void NbBeginCreating(CWnd* wnd);
void NbEndCreating();

namespace {

constexpr DWORD kEditMultiline = 0x0004;  // ES_MULTILINE

LPCDLGTEMPLATE LoadTemplate(LPCTSTR name, HINSTANCE* instance) {
  if (!name) return nullptr;
  *instance = AfxFindResourceHandle(name, RT_DIALOG);
  HRSRC found = FindResource(*instance, name, RT_DIALOG);
  HGLOBAL loaded = found ? LoadResource(*instance, found) : nullptr;
  return loaded ? static_cast<LPCDLGTEMPLATE>(LockResource(loaded)) : nullptr;
}

// The window a modal dialog belongs to: the parent's top-level window, or
// the application's main window.
HWND ModalOwner(CWnd* parent) {
  HWND h = parent ? parent->m_hWnd : nullptr;
  if (!h && AfxGetMainWnd()) h = AfxGetMainWnd()->m_hWnd;
  return h ? GetAncestor(h, GA_ROOT) : nullptr;
}

}  // namespace

INT_PTR AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return 0;
  CDialog* dialog = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
  return dialog ? dialog->OnInitDialog() : TRUE;
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
  ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
  ON_MESSAGE(WM_SETFONT, HandleSetFont)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd) : m_pParentWnd(pParentWnd) {
  if (lpszTemplateName && !IS_INTRESOURCE(lpszTemplateName)) {
    m_strTemplateName = lpszTemplateName;
    m_lpszTemplateName = m_strTemplateName;
  } else {
    m_lpszTemplateName = lpszTemplateName;
  }
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
  if (m_hWnd) DestroyWindow();
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst) {
  if (m_hWnd || !lpDialogTemplate) return FALSE;
  if (!hInst) hInst = AfxGetResourceHandle();
  m_nModalResult = -1;
  m_nFlags |= WF_CONTINUEMODAL;
  NbBeginCreating(this);
  HWND hwnd = ::CreateDialogIndirectParam(hInst, lpDialogTemplate, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                                          &AfxDlgProc, 0);
  NbEndCreating();
  // EndDialog called from OnInitDialog: the dialog never runs.
  if (hwnd && !(m_nFlags & WF_CONTINUEMODAL)) {
    ::DestroyWindow(hwnd);
    hwnd = nullptr;
  }
  if (!hwnd) m_nFlags &= ~WF_CONTINUEMODAL;
  return hwnd != nullptr && m_hWnd == hwnd;
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
  if (lpszTemplateName && !IS_INTRESOURCE(lpszTemplateName)) {
    m_strTemplateName = lpszTemplateName;
    m_lpszTemplateName = m_strTemplateName;
  } else {
    m_lpszTemplateName = lpszTemplateName;
  }
  HINSTANCE instance = nullptr;
  LPCDLGTEMPLATE t = LoadTemplate(m_lpszTemplateName, &instance);
  if (!t) return FALSE;
  if (!pParentWnd) pParentWnd = AfxGetMainWnd();
  m_pParentWnd = pParentWnd;
  return CreateDlgIndirect(t, pParentWnd, instance);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  m_nIDHelp = nIDTemplate;
  return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd) {
  if (!pParentWnd) pParentWnd = AfxGetMainWnd();
  m_pParentWnd = pParentWnd;
  return CreateDlgIndirect(lpDialogTemplate, pParentWnd, nullptr);
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd) {
  m_lpDialogTemplate = lpDialogTemplate;
  m_lpszTemplateName = nullptr;
  if (pParentWnd) m_pParentWnd = pParentWnd;
  return lpDialogTemplate != nullptr;
}

int CDialog::DoModal() {
  HINSTANCE instance = AfxGetResourceHandle();
  LPCDLGTEMPLATE t = m_lpszTemplateName ? LoadTemplate(m_lpszTemplateName, &instance) : m_lpDialogTemplate;
  if (!t) return -1;

  HWND parent = ModalOwner(m_pParentWnd);
  m_hWndDisabledParent = nullptr;
  if (parent && ::IsWindowEnabled(parent)) {
    ::EnableWindow(parent, FALSE);
    m_hWndDisabledParent = parent;
  }
  if (CreateDlgIndirect(t, CWnd::FromHandle(parent), instance)) {
    if (m_nFlags & WF_CONTINUEMODAL) {
      DWORD flags = MLF_SHOWONIDLE;
      if (GetStyle() & DS_NOIDLEMSG) flags |= MLF_NOIDLEMSG;
      RunModalLoop(flags);
    }
  }
  // Enabled before the dialog hides, so that the activation goes back to it.
  if (m_hWndDisabledParent) {
    if (::IsWindow(m_hWndDisabledParent)) ::EnableWindow(m_hWndDisabledParent, TRUE);
    m_hWndDisabledParent = nullptr;
  }
  if (m_hWnd) {
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  }
  if (parent && ::IsWindow(parent) && (::GetActiveWindow() == m_hWnd || !::GetActiveWindow()))
    ::SetActiveWindow(parent);
  if (m_hWnd) DestroyWindow();
  return m_nModalResult;
}

void CDialog::EndDialog(int nResult) {
  if (!m_hWnd) return;
  if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) EndModalLoop(nResult);
  if (m_hWndDisabledParent) {
    if (::IsWindow(m_hWndDisabledParent)) ::EnableWindow(m_hWndDisabledParent, TRUE);
    m_hWndDisabledParent = nullptr;
  }
  ::EndDialog(m_hWnd, nResult);
}

void CDialog::NextDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
  if (pWndCtrl) ::SendMessage(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), 1);
}
DWORD CDialog::GetDefID() const { return static_cast<DWORD>(::SendMessage(m_hWnd, DM_GETDEFID, 0, 0)); }
void CDialog::SetDefID(UINT nID) { ::SendMessage(m_hWnd, DM_SETDEFID, nID, 0); }
void CDialog::MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

void CDialog::CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
void CDialog::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
  ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}
int CDialog::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) {
  int found = 0;
  for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
    int id = ::GetDlgCtrlID(h);
    if (id < nIDFirstButton || id > nIDLastButton || (found && id >= found)) continue;
    if (::SendMessage(h, BM_GETCHECK, 0, 0)) found = id;
  }
  return found;
}
UINT CDialog::IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
UINT CDialog::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const {
  return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}
void CDialog::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
CWnd* CDialog::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const {
  return CWnd::FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl ? pWndCtl->m_hWnd : nullptr, bPrevious));
}
CWnd* CDialog::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const {
  return CWnd::FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl ? pWndCtl->m_hWnd : nullptr, bPrevious));
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  bool wasLocked = m_bLockNotify;
  m_bLockNotify = true;
  BOOL ok = FALSE;
  try {
    DoDataExchange(&dx);
    ok = TRUE;
  } catch (const nbp::mfc::DataExchangeFailure&) {
    // The user has been told; the dialog stays as it is.
  }
  m_bLockNotify = wasLocked;
  return ok;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog() {
  if (!UpdateData(FALSE)) {
    TRACE0("Warning: UpdateData failed during dialog init.\n");
    EndDialog(-1);
    return FALSE;
  }
  return TRUE;
}

void CDialog::OnSetFont(CFont*) {}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
  // The dialog procedure (AfxDlgProc) calls OnInitDialog.
  return Default();
}

LRESULT CDialog::HandleSetFont(WPARAM wParam, LPARAM) {
  OnSetFont(CFont::FromHandle(reinterpret_cast<HFONT>(wParam)));
  return Default();
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Controls changed by UpdateData itself do not reach the handlers.
  if (m_bLockNotify && lParam) return TRUE;
  return CWnd::OnCommand(wParam, lParam);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
  // Escape in a multiline edit (which wants every key) still cancels.
  if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_CANCEL) &&
      (::GetWindowLong(pMsg->hwnd, GWL_STYLE) & kEditMultiline)) {
    char cls[16] = {};
    ::GetClassName(pMsg->hwnd, cls, sizeof cls);
    if (strcasecmp(cls, "Edit") == 0) {
      HWND cancel = ::GetDlgItem(m_hWnd, IDCANCEL);
      if (!cancel || ::IsWindowEnabled(cancel)) {
        SendMessage(WM_COMMAND, IDCANCEL, 0);
        return TRUE;
      }
    }
  }
  bool input = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
               (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
  if (!input) return FALSE;
  return ::IsDialogMessage(m_hWnd, pMsg);
}
