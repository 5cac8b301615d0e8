// Painting a popup menu window through GDI, and the text metrics its layout
// is computed from.
#pragma once

#include "user/menus/menu.h"

namespace nbp::user {

// The menu font and its bold form (for the default item).
struct MenuFonts {
  HFONT normal = nullptr;
  HFONT bold = nullptr;
  bool ownsBold = false;
};
MenuFonts CreateMenuFonts();
void DeleteMenuFonts(MenuFonts* fonts);

// Metrics of menu text measured on `dc`, which must outlive the result (its
// textWidth measures on it).
MenuMetrics MeasureMenuText(HDC dc, const MenuFonts& fonts);

// Paints the whole menu window at the DC's origin. Owner-drawn items are
// sent to `owner` as WM_DRAWITEM (ODA_DRAWENTIRE) with the DC.
void PaintMenu(HDC dc, const MenuFonts& fonts, const std::vector<MenuItem>& items, const MenuLayout& layout,
               const MenuMetrics& metrics, HMENU menu, HWND owner);

}  // namespace nbp::user
