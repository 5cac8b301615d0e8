#include "HostCommon/sort_list_box.h"

#include "win/gdi.h"
#include "win/syscolors.h"

CSortListBox::CSortListBox() = default;

CSortListBox::~CSortListBox() = default;

int CSortListBox::AddName(LPCTSTR lpszName) {
  if (!m_hWnd) return LB_ERR;
  LPCTSTR copy = m_names.Keep(lpszName);
  int at = static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(copy)));
  if (at < 0) m_names.Release(copy);
  return at;
}

LPCTSTR CSortListBox::GetName(int nIndex) const {
  if (!m_hWnd || nIndex < 0 || nIndex >= GetCount()) return nullptr;
  return reinterpret_cast<LPCTSTR>(GetItemData(nIndex));
}

void CSortListBox::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (!dis || dis->itemID == static_cast<UINT>(-1)) {
    if (dis && (dis->itemState & ODS_FOCUS)) DrawFocusRect(dis->hDC, &dis->rcItem);
    return;
  }
  bool selected = (dis->itemState & ODS_SELECTED) != 0;
  HBRUSH brush = GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
  FillRect(dis->hDC, &dis->rcItem, brush);
  COLORREF oldText = SetTextColor(dis->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  int oldMode = SetBkMode(dis->hDC, TRANSPARENT);
  RECT text = dis->rcItem;
  text.left += 2;
  LPCTSTR name = reinterpret_cast<LPCTSTR>(dis->itemData);
  DrawText(dis->hDC, name ? name : "", -1, &text, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
  SetBkMode(dis->hDC, oldMode);
  SetTextColor(dis->hDC, oldText);
  if (dis->itemState & ODS_FOCUS) DrawFocusRect(dis->hDC, &dis->rcItem);
}

void CSortListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

int CSortListBox::CompareItem(LPCOMPAREITEMSTRUCT cis) {
  if (!cis) return 0;
  return NbCompareItemNames(reinterpret_cast<LPCTSTR>(cis->itemData1), reinterpret_cast<LPCTSTR>(cis->itemData2));
}

void CSortListBox::DeleteItem(LPDELETEITEMSTRUCT dis) {
  if (dis) m_names.Release(reinterpret_cast<const void*>(dis->itemData));
}
