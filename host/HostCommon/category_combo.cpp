#include "HostCommon/category_combo.h"

CCategoryCombo::CCategoryCombo() = default;

CCategoryCombo::~CCategoryCombo() = default;

int CCategoryCombo::FillList(BOOL bAll, BOOL bEdit, int nSelect) {
  if (!m_hWnd) return 0;
  ResetContent();
  // An owner-drawn combo without strings takes the data itself as the item;
  // any other gets an empty text and the data beside it.
  DWORD style = GetStyle();
  bool dataItems = (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) && !(style & CBS_HASSTRINGS);
  auto add = [this, dataItems](int data) {
    int at = dataItems ? static_cast<int>(SendMessage(CB_ADDSTRING, 0, static_cast<LPARAM>(data))) : AddString("");
    if (at >= 0) SetItemData(at, static_cast<DWORD_PTR>(data));
  };
  if (bAll) add(NB_CATEGORY_ITEM_ALL);
  if (m_pCatMgr) {
    CCategory* cat = nullptr;
    for (m_pCatMgr->FindFirst(cat); cat; m_pCatMgr->FindNext(cat)) add(cat->GetIndex());
  }
  if (bEdit) add(NB_CATEGORY_ITEM_EDIT);
  int count = GetCount();
  int select = 0;
  for (int i = 0; i < count; ++i) {
    if (static_cast<int>(GetItemData(i)) == nSelect) {
      select = i;
      break;
    }
  }
  if (count > 0) SetCurSel(select);
  return count;
}

int CCategoryCombo::GetSelectedCategory() const {
  int sel = GetCurSel();
  return sel < 0 ? -1 : static_cast<int>(GetItemData(sel));
}
