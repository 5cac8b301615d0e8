// CNbColorCatMenu: a category menu whose items show a swatch of each
// category's color before the name, and a check mark for checked items.
// The item with command id 1574 + i stands for category i.
//
// Attach a menu handle, call ChangeToOwnerDraw(this) once before showing the
// menu; every item of the menu and of its submenus (separators included)
// becomes owner-drawn and gets a CNbCategoryData record. The records and the
// objects made for the submenus of every level belong to the object the
// conversion was called on, and go with it.
#pragma once

#include <vector>

#include "categories/category_data.h"
#include "frame/nbui_export.h"
#include "mfc/menu.h"

#define NB_CATEGORY_MENU_FIRST_ID 1574

class NBUI_API CNbColorCatMenu : public CMenu {
 public:
  CNbColorCatMenu();
  ~CNbColorCatMenu() override;

  void SetWantColorCat(int bWant) { m_bWantColorCat = bWant; }
  int GetWantColorCat() const { return m_bWantColorCat; }

  // Converts every item of pMenu and, recursively, of its submenus.
  void ChangeToOwnerDraw(CNbColorCatMenu* pMenu);

  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

  // The check mark: seven one-pixel columns from (x, y) in color, each one
  // pixel shorter at the bottom when bRaised.
  void DrawCheckMark(CDC* pDC, int x, int y, COLORREF color, int bRaised);
  // A check mark in a sunken box filled with the face color (lightened by 40
  // when nFlag is 0). hBitmap is not used. Returns TRUE.
  BOOL Draw3DCheckmark(CDC* pDC, const CRect& rect, int nFlag, HBITMAP hBitmap);

  int GetRecordCount() const { return static_cast<int>(m_records.size()); }
  int GetSubMenuObjectCount() const { return static_cast<int>(m_subMenus.size()); }

 protected:
  int m_bWantColorCat;
  HICON m_hIcon;
  std::vector<CNbColorCatMenu*> m_subMenus;
  std::vector<CNbCategoryData*> m_records;
};
