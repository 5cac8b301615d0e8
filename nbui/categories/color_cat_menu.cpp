#include "categories/color_cat_menu.h"

#include "NbThemes/nbthemes.h"
#include "mfc/gdiobj.h"
#include "win/syscolors.h"

CNbColorCatMenu::CNbColorCatMenu() : m_bWantColorCat(1), m_hIcon(nullptr) {}

CNbColorCatMenu::~CNbColorCatMenu() {
  // The submenus' handles belong to their parent menu, which CMenu destroys
  // with all its submenus.
  for (CNbColorCatMenu*& sub : m_subMenus) {
    sub->Detach();
    delete sub;
    sub = nullptr;
  }
  for (CNbCategoryData* record : m_records) delete record;
  if (m_hIcon) DestroyIcon(m_hIcon);
  m_subMenus.clear();
  m_records.clear();
}

void CNbColorCatMenu::ChangeToOwnerDraw(CNbColorCatMenu* pMenu) {
  if (!pMenu || !pMenu->m_hMenu) return;
  int count = static_cast<int>(pMenu->GetMenuItemCount());
  for (int p = 0; p < count; ++p) {
    auto* record = new CNbCategoryData;
    pMenu->GetMenuString(static_cast<UINT>(p), record->m_strName, MF_BYPOSITION);
    UINT state = pMenu->GetMenuState(static_cast<UINT>(p), MF_BYPOSITION);
    UINT id = pMenu->GetMenuItemID(p);
    record->m_crColor = NbCategoryColor(static_cast<int>(id) - NB_CATEGORY_MENU_FIRST_ID);
    record->m_bChecked = (state & MF_CHECKED) ? 1 : 0;
    m_records.push_back(record);
    auto data = reinterpret_cast<LPCTSTR>(record);
    HMENU sub = ::GetSubMenu(pMenu->m_hMenu, p);
    if (sub) {
      pMenu->ModifyMenu(static_cast<UINT>(p), MF_BYPOSITION | MF_OWNERDRAW | MF_POPUP,
                        reinterpret_cast<UINT_PTR>(sub), data);
      auto* subMenu = new CNbColorCatMenu;
      m_subMenus.push_back(subMenu);
      subMenu->Attach(sub);
      ChangeToOwnerDraw(subMenu);
    } else {
      pMenu->ModifyMenu(static_cast<UINT>(p), MF_BYPOSITION | MF_OWNERDRAW, id, data);
    }
  }
}

void CNbColorCatMenu::MeasureItem(LPMEASUREITEMSTRUCT mis) {
  if (!mis) return;
  auto* record = reinterpret_cast<CNbCategoryData*>(mis->itemData);
  int length = record ? record->m_strName.GetLength() : 0;
  mis->itemHeight = 20;
  mis->itemWidth = static_cast<UINT>(7 * length + 42);
}

void CNbColorCatMenu::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (!dis) return;
  CDC* pDC = CDC::FromHandle(dis->hDC);
  auto* record = reinterpret_cast<CNbCategoryData*>(dis->itemData);
  if (!pDC || !record) return;
  CRect item(dis->rcItem);
  bool selected = (dis->itemState & ODS_SELECTED) != 0;
  COLORREF textColor = GetSysColor(COLOR_MENUTEXT);
  if (selected) textColor = ~textColor & 0x00FFFFFF;
  COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU);
  pDC->SetTextColor(textColor);
  pDC->SetBkColor(back);
  pDC->FillSolidRect(&item, back);
  if (dis->itemState & ODS_FOCUS) pDC->DrawFocusRect(&item);

  if (record->m_bChecked) {
    CRect box(item.left + 2, item.top + 2, 20, item.bottom - 2);
    DrawCheckMark(pDC, box.left + 4, box.top + 4, textColor, 0);
  }
  CRect swatch(20, 0, 36, 9);
  swatch.OffsetRect(0, item.top + ((item.Height() - 9) >> 1));
  int x = m_bWantColorCat ? 42 : 21;
  int y = item.top + 3;

  if (dis->itemID == static_cast<UINT>(-1)) return;
  if (dis->itemState & ODS_DISABLED) pDC->SetTextColor(GetSysColor(COLOR_INACTIVECAPTIONTEXT));
  pDC->SetBkMode(TRANSPARENT);
  pDC->TextOut(x, y, record->m_strName);
  if (m_bWantColorCat) NbDrawCategorySwatch(pDC, swatch, record->m_crColor);
}

void CNbColorCatMenu::DrawCheckMark(CDC* pDC, int x, int y, COLORREF color, int bRaised) {
  if (!pDC) return;
  int o = bRaised ? 1 : 0;
  // Where each of the seven columns starts, and how long it is.
  static constexpr int kTop[7] = {2, 3, 4, 3, 2, 1, 0};
  CPen pen(PS_SOLID, 1, color);
  CPen* old = pDC->SelectObject(&pen);
  for (int c = 0; c < 7; ++c) {
    pDC->MoveTo(x + c, y + kTop[c]);
    pDC->LineTo(x + c, y + kTop[c] + 3 - o);
  }
  pDC->SelectObject(old);
}

BOOL CNbColorCatMenu::Draw3DCheckmark(CDC* pDC, const CRect& rect, int nFlag, HBITMAP) {
  if (!pDC) return TRUE;
  COLORREF face = GetSysColor(COLOR_3DFACE);
  if (nFlag == 0) face = NbThemeShadeColor(face, 40);
  CBrush brush(face);
  pDC->FillRect(&rect, &brush);
  CRect edge = rect;
  pDC->DrawEdge(&edge, BDR_SUNKENOUTER, BF_RECT);
  DrawCheckMark(pDC, rect.left + 4, rect.top + 4, GetSysColor(COLOR_MENUTEXT), 0);
  return TRUE;
}
