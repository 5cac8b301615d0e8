// CNbMenuButton: an owner-drawn push button standing for a choice among the
// items of a menu. Its caption is the chosen item's text; a click, Space,
// Enter or Alt+Down drops the menu down with the chosen item checked, and
// choosing another item changes the caption. Nothing is sent to the parent
// for a choice among the menu's own items; a derived class or the host reads
// GetMenuIndex. A command chosen from one of its submenus, which names no
// item of the menu itself, is posted to the parent as a menu command
// (WM_COMMAND, notification 0, lParam 0).
//
// The menu is the caller's (not owned; owner-drawn items included: they are
// measured and drawn through their CMenu object, with this button as the
// menu's owner) or the first submenu of a menu resource, loaded for each use.
#pragma once

#include "frame/nbui_export.h"
#include "mfc/controls.h"
#include "mfc/menu.h"

class NBUI_API CNbMenuButton : public CButton {
 public:
  CNbMenuButton();
  ~CNbMenuButton() override;

  // Creates the button with an empty caption, then shows the item at nIndex
  // of submenu 0 of menu resource nMenuID, or of pMenu.
  using CButton::Create;
  BOOL Create(UINT nMenuID, int nIndex, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  BOOL Create(CMenu* pMenu, int nIndex, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  // Uses pMenu (the caller's) and the item at nIndex from now on.
  void SetButtonMenu(CMenu* pMenu, int nIndex);
  // The position of the chosen item in the menu; a position with no item
  // leaves the caption empty.
  void SetMenuIndex(int nIndex);
  int GetMenuIndex() const { return m_nMenuIndex; }
  // The caption becomes the text of the item at the chosen position.
  void UpdateButtonText();

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  BOOL OnClicked();
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
  void OnSysColorChange();

  UINT m_nMenuID = 0;
  CMenu* m_pMenu = nullptr;
  int m_nMenuIndex = 0;

 private:
  // The menu in use: m_pMenu, or submenu 0 of the resource loaded into
  // `loaded` (which destroys it when it goes). Null when there is none.
  CMenu* MenuInUse(CMenu& loaded) const;
  // Tells the parent of a click, as a press of the button would.
  void PostClick();

  DECLARE_MESSAGE_MAP()
};
