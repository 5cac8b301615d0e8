// CNbColorCatCombo: the host's category drop-down list with a swatch of each
// category's color before its name. Items whose data is 16 ("All") or 17
// ("Edit Categories...") never show a swatch. SetWantColorCat(0) draws
// names only, from 2 pixels in; the change shows at the next repaint.
#pragma once

#include "HostCommon/category_combo.h"
#include "frame/nbui_export.h"

class NBUI_API CNbColorCatCombo : public CCategoryCombo {
 public:
  explicit CNbColorCatCombo(int bWantColorCat = 1);
  ~CNbColorCatCombo() override;

  void SetWantColorCat(int bWant) { m_bWantColorCat = bWant; }
  int GetWantColorCat() const { return m_bWantColorCat; }

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

 protected:
  int m_bWantColorCat;

  DECLARE_MESSAGE_MAP()
};
