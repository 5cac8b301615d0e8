// MFC's CDialog and dialog data exchange (DDX_/DDV_).
//
// A CDialog runs its template modally (DoModal, with the framework's modal
// loop and PreTranslateMessage doing the dialog manager's keyboard
// navigation) or modelessly (Create). Data exchange moves values between
// member variables and controls: UpdateData(FALSE) loads the controls,
// UpdateData(TRUE) reads and validates them. A value that fails validation
// shows a message box, puts the focus back on the control and makes
// UpdateData return FALSE.
#pragma once

#include "mfc/cstring.h"
#include "mfc/wnd.h"
#include "win/dialogs.h"

// Prompt strings of data exchange. A module in the resource chain may carry
// its own text under these ids; otherwise built-in English text is used.
#define AFX_IDP_PARSE_INT 0xF110           // "Please enter a whole number."
#define AFX_IDP_PARSE_REAL 0xF111          // "Please enter a number."
#define AFX_IDP_PARSE_INT_RANGE 0xF112     // "... a whole number from %1 to %2."
#define AFX_IDP_PARSE_REAL_RANGE 0xF113    // "... a number from %1 to %2."
#define AFX_IDP_PARSE_STRING_SIZE 0xF114   // "... no more than %1 characters."
#define AFX_IDP_PARSE_RADIO_BUTTON 0xF115  // "Please choose one of the options."
#define AFX_IDP_PARSE_BYTE 0xF116          // "... a whole number from 0 to 255."
#define AFX_IDP_PARSE_UINT 0xF117          // "... a whole number of 0 or more."

class CDialog;

namespace nbp::mfc {
// What CDataExchange::Fail unwinds with; UpdateData catches it (the
// framework's CUserException).
struct DataExchangeFailure {};
}  // namespace nbp::mfc

class CDataExchange {
 public:
  BOOL m_bSaveAndValidate;      // TRUE: controls to members (with validation)
  CWnd* m_pDlgWnd;              // the dialog whose controls are exchanged
  HWND m_hWndLastControl = nullptr;  // the control last prepared: where a failure puts the focus
  BOOL m_bEditLastControl = FALSE;   // it is an edit control (its text gets selected on failure)

  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

  // The control with this id, remembered for Fail. A missing control fails
  // the exchange (reported as a misuse; no message box).
  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  // Ends the exchange as failed: the focus goes back to the last control
  // prepared (an edit control gets its text selected), and UpdateData
  // returns FALSE. Callers show their message first. Does not return.
  [[noreturn]] void Fail();
};

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

 public:
  // Modal dialogs: the template and the parent DoModal will use.
  CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Modeless dialogs. The parent defaults to the application's main window.
  using CWnd::Create;
  virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);
  // A modal dialog from a template in memory (before DoModal).
  BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);

  // Runs the dialog modally: the parent's top-level window is disabled, the
  // dialog created and shown, and the modal loop runs until EndDialog.
  // Returns EndDialog's result, or -1 when the template cannot be found or
  // the dialog cannot be created.
  virtual int DoModal();

  void EndDialog(int nResult);
  void NextDlgCtrl() const;
  void PrevDlgCtrl() const;
  void GotoDlgCtrl(CWnd* pWndCtrl);
  // DM_GETDEFID's answer: MAKELONG(id, DC_HASDEFID), or 0 without a default button.
  DWORD GetDefID() const;
  void SetDefID(UINT nID);
  void MapDialogRect(LPRECT lpRect) const;

  // Data exchange (CWnd members in MFC, here on the dialog).
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  virtual void DoDataExchange(CDataExchange* pDX);

  // Dialog helpers of CWnd in MFC.
  void CheckDlgButton(int nIDButton, UINT nCheck);
  void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
  int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);
  UINT IsDlgButtonChecked(int nIDButton) const;
  UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
  void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
  CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
  CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;

  // Overridables
  // Default: loads the controls (UpdateData(FALSE)) and returns TRUE, so
  // that the first tab stop gets the focus.
  virtual BOOL OnInitDialog();
  virtual void OnSetFont(CFont* pFont);
  // Default: UpdateData(TRUE), then EndDialog(IDOK); the dialog stays open
  // when validation fails.
  virtual void OnOK();
  virtual void OnCancel();

  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
  LRESULT HandleSetFont(WPARAM wParam, LPARAM lParam);

  LPCTSTR m_lpszTemplateName = nullptr;  // name, or MAKEINTRESOURCE(id)
  UINT m_nIDHelp = 0;
  LPCDLGTEMPLATE m_lpDialogTemplate = nullptr;  // InitModalIndirect
  CWnd* m_pParentWnd = nullptr;

 protected:
  CDialog();
  BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);

  DECLARE_MESSAGE_MAP()

 private:
  CString m_strTemplateName;  // keeps a named template's name alive
  bool m_bLockNotify = false;  // UpdateData runs: control notifications are not dispatched
  HWND m_hWndDisabledParent = nullptr;  // the parent DoModal disabled, enabled again at EndDialog
};

// The dialog procedure the framework gives its dialogs: WM_INITDIALOG calls
// OnInitDialog, everything else goes through the message map.
INT_PTR AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Data exchange. nIDC is the control's id. Numbers are read with optional
// blanks around them and must fit the member's type; text that is not such
// a number fails with a message box. (DWORD is UINT on this platform: its
// DDX_Text is the UINT one.)
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first radio button of a WS_GROUP group; value is the index of
// the checked button among the group's radio buttons, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// Subclasses the control into rControl the first time (loading only).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Validation, after the DDX_Text of the same member. DDV_MaxChars also
// limits the edit control (EM_LIMITTEXT) when it loads; lengths are in bytes.
void DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal);
