#include "categories/color_cat_combo.h"

#include "categories/category_data.h"
#include "resources/resource_ids.h"
#include "win/syscolors.h"

BEGIN_MESSAGE_MAP(CNbColorCatCombo, CCategoryCombo)
END_MESSAGE_MAP()

CNbColorCatCombo::CNbColorCatCombo(int bWantColorCat) : m_bWantColorCat(bWantColorCat) {}

CNbColorCatCombo::~CNbColorCatCombo() = default;

namespace {

// The item's text. A category the store does not have (or a combo without
// a store) draws no text rather than whatever another item left behind.
CString ItemText(CCategoryMgr* store, int data) {
  CString text;
  if (data == NB_CATEGORY_ITEM_ALL) text.LoadString(IDS_NB_ALL_CATEGORIES_ITEM);
  else if (data == NB_CATEGORY_ITEM_EDIT) text.LoadString(IDS_NB_EDIT_CATEGORIES_ITEM);
  else if (CCategory* cat = nullptr; store && store->FindIndex(data, cat) == CAT_OK && cat) text = cat->GetName();
  return text;
}

}  // namespace

void CNbColorCatCombo::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (!dis) return;
  CDC* pDC = CDC::FromHandle(dis->hDC);
  if (!pDC) return;
  CRect item(dis->rcItem);
  int data = static_cast<int>(dis->itemData);
  CString text = ItemText(m_pCatMgr, data);

  bool selected = (dis->itemState & ODS_SELECTED) != 0;
  COLORREF textColor = GetSysColor(COLOR_WINDOWTEXT);
  if (selected) textColor = ~textColor & 0x00FFFFFF;
  COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
  pDC->SetTextColor(textColor);
  pDC->SetBkColor(back);
  pDC->FillSolidRect(&item, back);
  if (dis->itemState & ODS_FOCUS) pDC->DrawFocusRect(&item);

  int x = item.left + (m_bWantColorCat ? 20 : 2);
  int y = item.top + 1;
  // The swatch keeps a fixed right edge of 17: for an item starting at 0 it
  // covers x = 3 to 16, centred on the text line.
  CRect swatch = item;
  swatch.DeflateRect(2, 2);
  swatch.SetRect(swatch.left + 1, 0, 17, 9);
  swatch.OffsetRect(0, y + ((item.Height() - 1 - 9) >> 1));

  if (dis->itemID == static_cast<UINT>(-1)) return;
  if (dis->itemState & ODS_DISABLED) pDC->SetTextColor(GetSysColor(COLOR_INACTIVECAPTIONTEXT));
  pDC->SetBkMode(TRANSPARENT);
  pDC->TextOut(x, y, text);
  if (data != NB_CATEGORY_ITEM_ALL && data != NB_CATEGORY_ITEM_EDIT && m_bWantColorCat)
    NbDrawCategorySwatch(pDC, swatch, NbCategoryColor(data));
}
