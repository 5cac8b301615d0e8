// CCategoryCombo: the host's drop-down list of the categories of one store.
// Each item's data is a category index; two special items may come first:
// NB_CATEGORY_ITEM_ALL (16, "All", for a filter) and, last,
// NB_CATEGORY_ITEM_EDIT (17, "Edit Categories...", which the host answers by
// opening the category dialog). The list is filled in the store's index
// order, category 0 included; FillList reads the store again after it
// changed. The combo keeps no names of its own: whoever draws an item looks
// the name up in the store by index (a derived class draws).
#pragma once

#include "HostTables/category_mgr.h"
#include "mfc/listbox.h"
#include "nbhost_export.h"

#define NB_CATEGORY_ITEM_ALL 16
#define NB_CATEGORY_ITEM_EDIT 17

class NBHOST_API CCategoryCombo : public CComboBox {
 public:
  CCategoryCombo();
  ~CCategoryCombo() override;

  void SetCategoryMgr(CCategoryMgr* pCatMgr) { m_pCatMgr = pCatMgr; }
  CCategoryMgr* GetCategoryMgr() const { return m_pCatMgr; }

  // Empties the list and fills it from the store: "All" first when bAll,
  // the categories, then "Edit Categories..." when bEdit. The item of
  // nSelect (a category index or special value) is selected when listed,
  // else the first. Returns the number of items.
  int FillList(BOOL bAll, BOOL bEdit, int nSelect = 0);
  // The selected item's data: a category index or special value; -1 for none.
  int GetSelectedCategory() const;

 protected:
  CCategoryMgr* m_pCatMgr = nullptr;
};
