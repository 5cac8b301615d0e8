// MFC's wrappers of the built-in controls: CButton, CStatic and
// CToolTipCtrl, with MFC 4.2's members over the controls' messages.
#pragma once

#include "mfc/cstring.h"
#include "mfc/wnd.h"
#include "win/commctrl.h"
#include "win/controls.h"

class CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)

 public:
  CButton() = default;
  ~CButton() override;

  using CWnd::Create;
  BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  // BST_CHECKED / BST_PUSHED / BST_FOCUS bits.
  UINT GetState() const;
  // Draws the button pressed (TRUE) or not.
  void SetState(BOOL bHighlight);
  int GetCheck() const;
  void SetCheck(int nCheck);
  // The BS_ style's low byte.
  UINT GetButtonStyle() const;
  void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
  HICON SetIcon(HICON hIcon);
  HICON GetIcon() const;
  HBITMAP SetBitmap(HBITMAP hBitmap);
  HBITMAP GetBitmap() const;

  // Paints an owner-drawn (BS_OWNERDRAW) button: the parent's WM_DRAWITEM
  // comes back here. Does nothing; a derived class draws.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)

 public:
  CStatic() = default;
  ~CStatic() override;

  using CWnd::Create;
  BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xffff);

  // SS_ICON statics.
  HICON SetIcon(HICON hIcon);
  HICON GetIcon() const;
  // SS_BITMAP statics. The bitmap stays the caller's.
  HBITMAP SetBitmap(HBITMAP hBitmap);
  HBITMAP GetBitmap() const;
  HCURSOR SetCursor(HCURSOR hCursor);
  HCURSOR GetCursor();
};

class CToolTipCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolTipCtrl)

 public:
  CToolTipCtrl() = default;
  ~CToolTipCtrl() override;

  // A tooltip window owned by pParentWnd's top-level window; dwStyle adds
  // TTS_ styles.
  using CWnd::Create;
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

  // nIDTool 0: the tool is the whole of pWnd; otherwise the rectangle
  // lpRectTool of pWnd (client coordinates) with that id.
  BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT nIDTool = 0);
  BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr, UINT nIDTool = 0);
  void DelTool(CWnd* pWnd, UINT nIDTool = 0);
  void Activate(BOOL bActivate);
  void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT nIDTool = 0);
  void UpdateTipText(UINT nIDText, CWnd* pWnd, UINT nIDTool = 0);
  void RelayEvent(LPMSG lpMsg);
  void GetText(CString& str, CWnd* pWnd, UINT nIDTool = 0) const;
  BOOL GetToolInfo(LPTOOLINFO lpToolInfo, CWnd* pWnd, UINT nIDTool = 0) const;
  void SetToolInfo(LPTOOLINFO lpToolInfo);
  void SetToolRect(CWnd* pWnd, UINT nIDTool, LPCRECT lpRect);
  int GetToolCount() const;
  BOOL HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFO lpToolInfo) const;

  // The initial delay; the reshow and pop delays follow from it.
  void SetDelayTime(UINT nDelay);
  // One delay (TTDT_INITIAL, TTDT_RESHOW, TTDT_AUTOPOP) in milliseconds.
  void SetDelayTime(DWORD dwDuration, int iTime);
  int GetDelayTime(DWORD dwDuration) const;
  void SetMargin(LPRECT lprc);
  void GetMargin(LPRECT lprc) const;
  int SetMaxTipWidth(int iWidth);
  int GetMaxTipWidth() const;
  void SetTipBkColor(COLORREF clr);
  COLORREF GetTipBkColor() const;
  void SetTipTextColor(COLORREF clr);
  COLORREF GetTipTextColor() const;
  void Pop();
  void Update();

 protected:
  void FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT nIDTool) const;
};
#include "mfc/listbox.h"
