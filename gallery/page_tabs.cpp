#include "page_tabs.h"

BOOL CPageTabs::CreateTabs(CWnd* parent, const CRect& rect, UINT id) {
  return Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | NBTCS_TOP, rect, parent, id);
}

CRect CPageTabs::TabRect(int index) {
  CTabItem* item = Item(index);
  return item ? item->GetItemRect() : CRect(0, 0, 0, 0);
}

CRect CPageTabs::PageRect() {
  CRect page = _GetClientRect();
  MapWindowPoints(GetParent(), &page);
  return page;
}
