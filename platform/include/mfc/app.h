// CWinApp: the application object, its message loop and its wait cursor;
// and the framework's global helpers that reach it.
#pragma once

#include "mfc/cstring.h"
#include "mfc/wnd.h"

class CWinApp : public CCmdTarget {
  DECLARE_DYNAMIC(CWinApp)

 public:
  explicit CWinApp(LPCTSTR lpszAppName = nullptr);
  ~CWinApp() override;

  CWnd* m_pMainWnd = nullptr;
  LPCTSTR m_pszAppName = nullptr;
  HINSTANCE m_hInstance = nullptr;

  virtual BOOL InitInstance();
  virtual int ExitInstance();
  // Runs the message loop until WM_QUIT; returns the exit code.
  virtual int Run();
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual BOOL PumpMessage();
  // Idle work (freeing temporary objects); returns TRUE while more is wanted.
  virtual BOOL OnIdle(LONG lCount);

  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor();
  int WaitCursorCount() const { return m_nWaitCursorCount; }

 private:
  int m_nWaitCursorCount = 0;
  HCURSOR m_hcurWaitCursorRestore = nullptr;
  CString m_strAppName;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
LPCTSTR AfxGetAppName();
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
