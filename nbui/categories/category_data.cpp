#include "categories/category_data.h"

#include "NbThemes/nbthemes.h"
#include "mfc/gdiobj.h"

namespace {

// Position p shows slot kSwatchOrder[p]: a permutation of 1 to 16 that puts
// neighbouring colors of the palette apart.
constexpr int kSwatchOrder[NB_CATEGORY_SLOT_COUNT] = {4, 11, 16, 1, 10, 6, 13, 8, 7, 15, 3, 9, 12, 2, 5, 14};

}  // namespace

CNbCategoryData::CNbCategoryData(const CNbCategoryData& other)
    : m_bChecked(other.m_bChecked), m_crColor(other.m_crColor), m_strName(other.m_strName) {}

CNbCategoryData& CNbCategoryData::operator=(const CNbCategoryData& other) {
  m_bChecked = other.m_bChecked;
  m_crColor = other.m_crColor;
  m_strName = other.m_strName;
  return *this;
}

CNbCategoryData::~CNbCategoryData() = default;

int NbSwatchSlotAt(int nPosition) {
  return nPosition >= 0 && nPosition < NB_CATEGORY_SLOT_COUNT ? kSwatchOrder[nPosition] : 0;
}

int NbSwatchPositionOf(int nSlot) {
  for (int p = 0; p < NB_CATEGORY_SLOT_COUNT; ++p)
    if (kSwatchOrder[p] == nSlot) return p;
  return -1;
}

COLORREF NbCategoryColor(int nCategory) { return NbThemeGetSlotColor(NbThemeGetCategorySlot(nCategory)); }

void NbDrawCategorySwatch(CDC* pDC, const CRect& rect, COLORREF crColor) {
  if (!pDC) return;
  CBrush black(RGB(0, 0, 0));
  pDC->FrameRect(&rect, &black);
  CRect edge = rect;
  edge.DeflateRect(1, 1);
  pDC->Draw3dRect(&edge, NbThemeShadeColor(crColor, 64), NbThemeShadeColor(crColor, -64));
  CRect fill = edge;
  fill.DeflateRect(1, 1);
  pDC->FillSolidRect(&fill, crColor);
}
