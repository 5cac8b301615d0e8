// The application object, the message pump and modal loops.
#include "mfc/app.h"

#include "mfc/dc.h"
#include "mfc/menu.h"
#include "nbp/hooks.h"
#include "win/resources.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

namespace {
CWinApp* g_app = nullptr;

void IdleWork() {
  CWnd::DeleteTempMap();
  CMenu::DeleteTempMap();
  nbp::mfc::DeleteTempGdiMaps();
}
}  // namespace

// The platform's own pumps (the test driver's) pre-translate and idle as the
// framework does once a framework window or application exists.
void NbInstallFrameworkHooks() {
  nbp::SetPreTranslateHook(&AfxPreTranslateMessage);
  nbp::SetIdleHook(&IdleWork);
}

CWinApp::CWinApp(LPCTSTR lpszAppName) {
  if (lpszAppName) m_strAppName = lpszAppName;
  else m_strAppName = "NbUI";
  m_pszAppName = m_strAppName;
  g_app = this;
  NbInstallFrameworkHooks();
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return 0; }

BOOL CWinApp::PreTranslateMessage(MSG*) { return FALSE; }
BOOL CWinApp::PumpMessage() { return AfxPumpMessage(); }

BOOL CWinApp::OnIdle(LONG) {
  IdleWork();
  return FALSE;
}

int CWinApp::Run() {
  LONG idleCount = 0;
  while (true) {
    MSG msg;
    while (!PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(idleCount++)) break;
    }
    if (!PumpMessage()) return ExitInstance();
    if (PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE) && AfxIsIdleMessage(&msg)) idleCount = 0;
  }
}

void CWinApp::BeginWaitCursor() {
  if (m_nWaitCursorCount++ == 0) m_hcurWaitCursorRestore = SetCursor(LoadCursor(nullptr, IDC_WAIT));
}

void CWinApp::EndWaitCursor() {
  if (m_nWaitCursorCount == 0) return;
  if (--m_nWaitCursorCount == 0) SetCursor(m_hcurWaitCursorRestore ? m_hcurWaitCursorRestore : LoadCursor(nullptr, IDC_ARROW));
}

void CWinApp::RestoreWaitCursor() {
  if (m_nWaitCursorCount > 0) SetCursor(LoadCursor(nullptr, IDC_WAIT));
}

CWinApp* AfxGetApp() { return g_app; }
CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }
LPCTSTR AfxGetAppName() { return g_app ? g_app->m_pszAppName : "NbUI"; }

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT) {
  HWND owner = GetActiveWindow();
  if (!owner && AfxGetMainWnd()) owner = AfxGetMainWnd()->m_hWnd;
  if ((nType & MB_ICONMASK) == 0) {
    // Without an icon of its own, a box shows the one that fits its buttons.
    UINT kind = nType & MB_TYPEMASK;
    nType |= (kind == MB_OK || kind == MB_OKCANCEL) ? MB_ICONEXCLAMATION
             : (kind == MB_YESNO || kind == MB_YESNOCANCEL) ? MB_ICONQUESTION : 0;
  }
  return MessageBox(owner, lpszText, AfxGetAppName(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  CString text;
  if (!text.LoadString(nIDPrompt)) text.Empty();
  return AfxMessageBox(text, nType, nIDHelp);
}

BOOL AfxPreTranslateMessage(MSG* pMsg) {
  // Each framework window from the target up to its top-level window may
  // take the message, as the framework walks the tree.
  // The top-level window's accelerators come before its own pre-translation,
  // where a dialog's navigation would take the keys.
  for (HWND hwnd = pMsg->hwnd; hwnd; hwnd = GetParent(hwnd)) {
    bool topLevel = !(GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD);
    if (CWnd* wnd = CWnd::FromHandlePermanent(hwnd)) {
      if (topLevel && wnd->m_hAccelTable && TranslateAccelerator(hwnd, wnd->m_hAccelTable, pMsg)) return TRUE;
      if (wnd->PreTranslateMessage(pMsg)) return TRUE;
    }
    if (topLevel) break;
  }
  CWinApp* app = AfxGetApp();
  return app && app->PreTranslateMessage(pMsg);
}

BOOL CWnd::LoadAccelTable(LPCTSTR lpszResourceName) {
  if (m_hAccelTable) return FALSE;
  m_hAccelTable = LoadAccelerators(AfxGetInstanceHandle(), lpszResourceName);
  return m_hAccelTable != nullptr;
}

BOOL AfxPumpMessage() {
  MSG msg;
  if (!GetMessage(&msg, nullptr, 0, 0)) return FALSE;
  if (msg.message != WM_KICKIDLE && !AfxPreTranslateMessage(&msg)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  return TRUE;
}

BOOL AfxIsIdleMessage(MSG* pMsg) {
  // Mouse moves and the caret's blink don't end idleness.
  return pMsg->message != WM_MOUSEMOVE && pMsg->message != WM_NCMOUSEMOVE && pMsg->message != 0x0118;
}

void AfxPostQuitMessage(int nExitCode) { PostQuitMessage(nExitCode); }

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int nResult) {
  m_nModalResult = nResult;
  if (m_nFlags & WF_CONTINUEMODAL) {
    m_nFlags &= ~WF_CONTINUEMODAL;
    PostMessage(WM_NULL);
  }
}

int CWnd::RunModalLoop(DWORD dwFlags) {
  HWND self = m_hWnd;
  // The window this one belongs to takes no input while the loop runs.
  HWND owner = ::GetWindow(self, GW_OWNER);
  if (!owner && (GetStyle() & WS_CHILD)) owner = ::GetAncestor(self, GA_ROOT);
  bool disabledOwner = owner && owner != self && ::IsWindowEnabled(owner);
  if (disabledOwner) ::EnableWindow(owner, FALSE);

  bool idle = true;
  LONG idleCount = 0;
  bool showIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
  HWND parent = ::GetParent(self);
  m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
  int result = -1;
  MSG msg;
  for (bool running = true; running;) {
    while (idle && !PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (showIdle) {
        ::ShowWindow(self, SW_SHOWNORMAL);
        ::UpdateWindow(self);
        showIdle = false;
      }
      if (!(dwFlags & MLF_NOIDLEMSG) && parent && idleCount == 0)
        ::SendMessage(parent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(self));
      if ((dwFlags & MLF_NOKICKIDLE) || !::SendMessage(self, WM_KICKIDLE, MSGF_DIALOGBOX, idleCount++)) idle = false;
    }
    do {
      if (!AfxPumpMessage()) {
        AfxPostQuitMessage(0);
        running = false;
        break;
      }
      if (!::IsWindow(self) || !ContinueModal()) {
        result = m_nModalResult;
        running = false;
        break;
      }
      if (AfxIsIdleMessage(&msg)) {
        idle = true;
        idleCount = 0;
      }
    } while (PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
  }
  if (::IsWindow(self)) m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
  if (disabledOwner && ::IsWindow(owner)) ::EnableWindow(owner, TRUE);
  return result;
}
