// CSortListBox: the host's sorted list of names, owner-drawn without strings
// of the control's own. Each item's data points at the list's own copy of
// its name (CItemNameCopies), so an item never reads text that its source
// changed or freed. Names sort by NbCompareItemNames.
#pragma once

#include "HostCommon/item_names.h"
#include "mfc/listbox.h"
#include "nbhost_export.h"

class NBHOST_API CSortListBox : public CListBox {
 public:
  CSortListBox();
  ~CSortListBox() override;

  // Adds a copy of the name where it sorts; the position, or LB_ERR /
  // LB_ERRSPACE.
  int AddName(LPCTSTR lpszName);
  // The name of the item at nIndex; null for no such item.
  LPCTSTR GetName(int nIndex) const;

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
  int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override;
  void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct) override;

 private:
  CItemNameCopies m_names;
};
