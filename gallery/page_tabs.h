// The row of page tabs along the top of the gallery.
#pragma once

#include <vector>

#include "mfc/wnd.h"

class CPageTabs : public CWnd {
 public:
  // Sent to the parent as WM_COMMAND with this notification code when the user
  // picks a tab; GetCurSel tells which.
  static constexpr WORD kSelChange = 1;

  BOOL CreateTabs(CWnd* parent, const CRect& rect, UINT id);
  void AddTab(const CString& title);
  int GetCurSel() const { return m_nSel; }
  void SetCurSel(int index);
  int GetCount() const { return static_cast<int>(m_titles.size()); }
  // The tab's rectangle in client coordinates (empty for a bad index).
  CRect TabRect(int index) const;

 protected:
  void OnPaint();
  BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  UINT OnGetDlgCode() { return DLGC_WANTARROWS; }
  void OnSetFocus(CWnd*) { Invalidate(); }
  void OnKillFocus(CWnd*) { Invalidate(); }
  void Pick(int index);

  std::vector<CString> m_titles;
  int m_nSel = -1;
  DECLARE_MESSAGE_MAP()
};
