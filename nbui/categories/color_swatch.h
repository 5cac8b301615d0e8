// CNbColorSwatch: a small owner-drawn push button showing one color, which
// can be marked as the chosen one (a black double ring round the color; a
// white one otherwise). Return on a focused swatch clicks it, once per key
// press; a double click counts as a second click.
#pragma once

#include "frame/nbui_export.h"
#include "mfc/controls.h"

class NBUI_API CNbColorSwatch : public CButton {
 public:
  CNbColorSwatch();
  ~CNbColorSwatch() override;

  // Keeps crColor (which cannot change later) and creates the button with
  // no caption; nonzero on success.
  using CButton::Create;
  virtual BOOL Create(COLORREF crColor, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  // Marks the swatch chosen or not; it repaints only when that changes.
  void Select(int bSelected);
  int IsSelected() const { return m_bSelected; }
  COLORREF GetColor() const { return m_crColor; }

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

 protected:
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnSysColorChange();
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  LRESULT OnGetDlgCodeEx(WPARAM wParam, LPARAM lParam);

  COLORREF m_crColor = 0;
  int m_bSelected;

  DECLARE_MESSAGE_MAP()
};
