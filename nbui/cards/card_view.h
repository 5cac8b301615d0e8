// CNbCardView: records shown as a grid of cards with a header (the title,
// icons, a category box and an optional photo) and a body of marked-up text.
#pragma once

#include "cards/card_view_core.h"

class NBUI_API CNbCardView : public CCardViewCore {
 public:
  CNbCardView();

  using CCardViewCore::GetCardRects;
  // Sets the header height: 32 pixels with a photo, 20 without.
  void GetCardRects(CRect rcCell, CCardRects& rects, BOOL bPhoto) override;
  void DrawCardBody(CDC* pDC, int nIndex, RECT* pRect) override;

  // Draws marked-up body text line by line into the rectangle: a tab lines
  // values up at m_nTabStop average characters, "<W>" wraps the line, "<L>"
  // turns it into a one-pixel rule. Text color and font are the caller's.
  void DrawFormattedText(CDC* pDC, const char* text, RECT* pRect);

 protected:
  void DrawCardDescription(CDC* pDC, int nIndex, const CCardDesc& desc, const CCardRects& rects) override;
  void DrawCardPhoto(CDC* pDC, int nIndex, const CCardRects& rects);
  int DragSizeAt(CPoint point) override;
};

// Shows the view's dialog 12020 and returns 1 when text is the view's own
// key; otherwise 0, and nothing is shown.
NBUI_API int NbIsSpecialDescription(const char* text);
