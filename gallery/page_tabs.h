// The gallery's page tabs: the library's tab control along the top of the
// page area, whose framed inside the current page fills.
#pragma once

#include "buttons/tab_ctrl.h"

class CPageTabs : public CNbTabCtrl {
 public:
  BOOL CreateTabs(CWnd* parent, const CRect& rect, UINT id);
  void AddTab(const CString& title) { AddItem(title, 0, nullptr); }
  int GetCurSel() { return GetActiveItem(); }
  void SetCurSel(int index) { SetActiveItem(index); }
  // The tab's rectangle in client coordinates (empty for a bad index).
  CRect TabRect(int index);
  // Where the current page goes, in the parent's client coordinates.
  CRect PageRect();
};
