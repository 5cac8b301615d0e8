// CNbTabCtrl: a themed, self-drawn row of tabs along the top or bottom edge
// of a page area that the host fills. Tabs take their natural widths, or are
// squeezed to equal widths when they don't fit. A click or Left, Right, Home
// and End (on release) activate a tab; the parent hears of it by a posted
// WM_TABCTRL_ACTIVATE, and of a click also by a posted WM_COMMAND.
//
//   tabs on top:      +------+------+
//                     |active| tab  |        strip: GetItemHeight() high
//                     |      +------+-----+
//                     |                   |  page area (_GetClientRect)
//                     +-------------------+
#pragma once

#include <vector>

#include "frame/nbui_export.h"
#include "mfc/dc.h"
#include "mfc/wnd.h"

// Posted to the parent: wParam the newly active index, lParam 0.
#define WM_TABCTRL_ACTIVATE 0x784

// Placement bits of the style given to Create.
#define NBTCS_TOP 0x0001     // tabs along the top edge (the default)
#define NBTCS_BOTTOM 0x0002  // tabs along the bottom edge

class NBUI_API CNbTabCtrl : public CWnd {
 public:
  // One tab: text, optional 16 x 16 icon (the caller's; never destroyed
  // here), the caller's value, and where layout put it.
  class NBUI_API CTabItem {
   public:
    CTabItem(const char* pszText, CNbTabCtrl* pOwner);
    virtual ~CTabItem() = default;

    // Left m_nLeft, width m_nWidth, GetItemHeight() high, at the client top
    // for tabs on top, else ending one pixel above the client bottom.
    virtual CRect GetItemRect();
    virtual CTabItem* SetIcon(HICON hIcon);
    virtual BOOL HitTest(CPoint pt);
    virtual void DrawLabel(CDC* pDC, BOOL bActive, BOOL bFocus);
    // Returns the x where the text may start.
    virtual int DrawIcon(CDC* pDC, BOOL bActive);
    virtual void DrawTopFrame(CDC* pDC, BOOL bActive);
    virtual void DrawBottomFrame(CDC* pDC, BOOL bActive);
    // The natural width, with the control's font selected into pDC.
    virtual int CalcWidth(CDC* pDC);
    virtual void Draw(CDC* pDC, BOOL bActive, BOOL bFocus);

    CString m_strText;
    long m_lParam = 0;
    CNbTabCtrl* m_pOwner;
    HICON m_hIcon = nullptr;
    int m_nWidth = 0;
    int m_nLeft = 0;

   protected:
    // The tab's rectangle with the top (tabs on top) or bottom edge moved
    // 2 pixels toward the page when inactive: what the frame outlines.
    CRect OutlineRect(BOOL bActive);
    // The frame's fill: item 19's first color, lighter for inactive tabs.
    COLORREF FillColor(BOOL bActive);
  };

  CNbTabCtrl();
  ~CNbTabCtrl() override;

  virtual CTabItem* Item(int nIndex);
  // 22 for tabs on top, 24 for tabs at the bottom.
  virtual int GetItemHeight();
  // The placement bits (NBTCS_TOP or NBTCS_BOTTOM).
  virtual UINT GetStyle();
  // The active index, -1 for none.
  virtual int GetActiveItem();
  // Activates a valid index other than the active one; ignores any other.
  virtual void SetActiveItem(int nIndex);
  virtual int GetCount();
  // (width, GetItemHeight()) of a tab; for an invalid index, the width of
  // all tabs together.
  virtual CSize ItemSize(int nIndex);
  // Deletes a tab; FALSE for an invalid index. The active tab stays the same
  // tab when one before it goes; when the active tab itself goes, the tab
  // that takes its place (or the new last one) becomes active, the parent is
  // told as of any activation, and with no tabs left none is active.
  virtual BOOL DeleteItem(int nIndex);
  // Appends a tab and returns its index; -1 when memory runs out.
  virtual int AddItem(const char* pszText, long lParam, HICON hIcon);
  // nStyle: window styles plus NBTCS_TOP or NBTCS_BOTTOM (neither: top).
  virtual BOOL Create(UINT nStyle, const CRect& rect, CWnd* pParentWnd, UINT nID);

  // The activation itself (as SetActiveItem); returns this control.
  CNbTabCtrl* operator=(int nIndex);

  BOOL PreTranslateMessage(MSG* pMsg) override;

  // An accelerator table the owner or a derived class may set; its keys,
  // while the control has the focus and tabs, reach the parent as
  // WM_NOTIFY / TCN_KEYDOWN. The library never loads or destroys one.
  HACCEL m_hAccel = nullptr;

 protected:
  // Hook called before the active tab changes (nOld may be -1).
  virtual void OnActivatePage(int nOld, int nNew) {}
  // The page area: the client rectangle less 2 pixels all round and the strip.
  virtual CRect _GetClientRect();
  // The first tab containing the point, or -1.
  virtual int Point2Item(CPoint pt);
  // Squeezes the tabs to equal widths when nTotalWidth exceeds nClientWidth.
  virtual void AutoSize(int nTotalWidth, int nClientWidth);
  // Selects the theme's normal font (keeping the old one) and a transparent
  // background; OnEndDC restores the font.
  virtual void OnInitDC(CDC* pDC);
  virtual void OnEndDC(CDC* pDC);
  virtual void RecalcLayout();

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void DrawEntireControl(CDC* pDC, const RECT* pRect);

  void OnPaint();
  void OnSize(UINT nType, int cx, int cy);
  void OnSetFocus(CWnd* pOldWnd);
  void OnKillFocus(CWnd* pNewWnd);
  void OnLButtonDown(UINT nFlags, CPoint point);
  BOOL OnEraseBkgnd(CDC* pDC);
  UINT OnGetDlgCode();
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnSysColorChange();

  std::vector<CTabItem*> m_items;
  DWORD m_dwTabStyle = 0;
  int m_nActive = -1;
  CFont* m_pOldFont = nullptr;
  int m_nColorRole = 19;

 private:
  void InvalidateNew(BOOL bErase);
  void Activate(int nIndex);
  void PostToParent(UINT message, WPARAM wParam);

  DECLARE_MESSAGE_MAP()
};
