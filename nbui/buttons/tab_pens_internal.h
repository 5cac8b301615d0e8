// The three 1-pixel pens the tab control outlines with (theme item 19's
// light and shadow colors, and black), selected one at a time into a device
// context and the context's own pen put back at the end.
#pragma once

#include "NbThemes/nbthemes.h"
#include "mfc/dc.h"
#include "mfc/gdiobj.h"

namespace nbui::tabs {

class TabPens {
 public:
  explicit TabPens(CDC* pDC) : dc_(pDC) {
    COLORREF light = 0, shadow = 0;
    NbThemeGetItemColors(19, nullptr, &light, &shadow, nullptr);
    light_.CreatePen(PS_SOLID, 1, light);
    shadow_.CreatePen(PS_SOLID, 1, shadow);
    black_.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    old_ = dc_->SelectObject(&light_);
  }
  ~TabPens() { dc_->SelectObject(old_); }
  TabPens(const TabPens&) = delete;
  TabPens& operator=(const TabPens&) = delete;

  void Light() { dc_->SelectObject(&light_); }
  void Shadow() { dc_->SelectObject(&shadow_); }
  void Black() { dc_->SelectObject(&black_); }
  void Use(CPen* pen) { dc_->SelectObject(pen); }
  // From (x1, y1) up to, not including, (x2, y2).
  void Line(int x1, int y1, int x2, int y2) { NbThemeDrawLine(dc_, x1, y1, x2, y2); }

 private:
  CDC* dc_;
  CPen light_, shadow_, black_;
  CPen* old_;
};

}  // namespace nbui::tabs
