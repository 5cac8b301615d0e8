// CNbPhotoView: the card grid as picture tiles. Each card is a large square
// photo area over a narrow label band holding the title; the host draws the
// pictures by overriding DrawPhoto, and a card without one shows "No Photo".
//
// It shares all its behaviour with CNbCardView through CCardViewCore; what
// differs is listed here: smaller cards, a column counted when four fifths
// of it shows, a resize drag bounded by a maximum size, a band whose height
// only SetHeaderHeight changes, and a body without text.
#pragma once

#include "cards/card_view_core.h"

// The photo view's card types carry exactly the card view's fields, defaults
// and copy semantics.
using CPhotoCard = CCard;
using CPhotoCardDesc = CCardDesc;
using CPhotoCardRects = CCardRects;

class NBUI_API CNbPhotoView : public CCardViewCore {
 public:
  CNbPhotoView();

  using CCardViewCore::GetCardRects;
  // The photo argument is ignored: the band keeps m_nHeaderHeight.
  void GetCardRects(CRect rcCell, CPhotoCardRects& rects, BOOL bPhoto) override;
  // Calls DrawPhoto for a card with a photo, else shows "No Photo" in the
  // band's text color; the rectangle argument is not used.
  void DrawCardBody(CDC* pDC, int nIndex, RECT* pRect) override;

  // The largest card a resize drag may give (SetCardSize is not bounded).
  int m_nMaxCardWidth = 144;
  int m_nMaxCardHeight = 134;

 protected:
  void DrawCardDescription(CDC* pDC, int nIndex, const CPhotoCardDesc& desc, const CPhotoCardRects& rects) override;
  void DrawCardPhoto(CDC* pDC, int nIndex, const CPhotoCardRects& rects);
  int DragSizeAt(CPoint point) override;
};
