// The vocabulary the colored category controls share: a category's color
// slot (1 to 16, kept by the theme service), the order in which the 16 slots
// are offered as swatches, the swatch drawn in lists and menus, and the
// record the owner-drawn category menu keeps for each item.
#pragma once

#include "frame/nbui_export.h"
#include "mfc/cstring.h"
#include "mfc/dc.h"
#include "win/types.h"

#define NB_CATEGORY_SLOT_COUNT 16

// The record of one item of the owner-drawn category menu. A plain value:
// copying gives an independent record.
class NBUI_API CNbCategoryData {
 public:
  CNbCategoryData() = default;
  CNbCategoryData(const CNbCategoryData& other);
  CNbCategoryData& operator=(const CNbCategoryData& other);
  virtual ~CNbCategoryData();

  int m_bChecked = 0;              // the item is checked
  COLORREF m_crColor = 0x0000FFFF; // the color of the category's slot when the record was made
  CString m_strName;               // the item's text
};

// The slot shown by swatch position 0 to 15 (top row 0 to 7, bottom row 8
// to 15); 0 for any other position.
NBUI_API int NbSwatchSlotAt(int nPosition);
// The swatch position that shows slot 1 to 16; -1 for any other slot.
NBUI_API int NbSwatchPositionOf(int nSlot);

// The color of a category: the color of its slot, from the theme service.
NBUI_API COLORREF NbCategoryColor(int nCategory);

// A swatch of crColor over rect, from the outside in: a black one-pixel
// frame, a one-pixel 3D frame in the color's shades (+64 top-left, -64
// bottom-right), then the color.
NBUI_API void NbDrawCategorySwatch(CDC* pDC, const CRect& rect, COLORREF crColor);
