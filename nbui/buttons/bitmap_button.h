// CNbBitmapButton: an owner-drawn push button showing a picture (scaled to
// fit 64 pixels), else its caption, else a default picture. Flat by default:
// no edges, a border only while the mouse is over it or it is pressed. A
// click reaches the parent as WM_NB_BITMAPBUTTON_CLICKED instead of
// BN_CLICKED, and a double click counts as two clicks.
#pragma once

#include "CxImage/cximage.h"
#include "frame/nbui_export.h"
#include "mfc/controls.h"
#include "mfc/dc.h"
#include "mfc/gdiobj.h"

// Sent to the parent on every click: wParam 0, lParam 0.
#define WM_NB_BITMAPBUTTON_CLICKED 0x2900

class NBUI_API CNbBitmapButton : public CButton {
 public:
  CNbBitmapButton();
  ~CNbBitmapButton() override;

  // Each sets its flag, invalidates when bRedraw is nonzero and returns 0.
  int SetFlat(BOOL bFlat, BOOL bRedraw = TRUE);
  int DrawBorder(BOOL bEnable, BOOL bRedraw = TRUE);
  int DrawFlatFocus(BOOL bEnable, BOOL bRedraw = TRUE);

  // Shows a copy of pImage shrunk to fit 64 x 64 (never enlarged, and never
  // below one pixel across); a null or invalid image empties the shown one.
  // Redraws at once when the window exists.
  void SetCxImage(CxImage* pImage);

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  // Each returns 0.
  virtual DWORD OnDrawBackground(CDC* pDC, const RECT* pRect);
  virtual DWORD OnDrawBorder(CDC* pDC, const RECT* pRect);
  virtual void DrawTheBitmap(CDC* pDC, BOOL bHasTitle, RECT* rpItem, CRect* rpCaption, BOOL bIsPressed);
  virtual void DrawTheText(CDC* pDC, LPCTSTR lpszText, RECT* rpItem, CRect* rpCaption, BOOL bIsPressed);

  void PreSubclassWindow() override;
  void CancelHover();

  LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
  BOOL OnClicked();
  void OnMouseMove(UINT nFlags, CPoint point);
  LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
  void OnKillFocus(CWnd* pNewWnd);
  void OnCancelMode();
  void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  void OnEnable(BOOL bEnable);

  BOOL m_bFlat = TRUE;
  BOOL m_bHover = FALSE;
  BOOL m_bPressed = FALSE;
  BOOL m_bFocused = FALSE;
  BOOL m_bBorder = TRUE;
  BOOL m_bFlatFocus = FALSE;
  CxImage* m_pImage = nullptr;
  CBitmap m_bmpDefault;

  DECLARE_MESSAGE_MAP()
};
