// The theme items and small drawing helpers that both card views paint with.
#pragma once

#include "mfc/dc.h"
#include "mfc/gdiobj.h"
#include "win/user_constants.h"

namespace nbui::cards::paint {

constexpr int kItemBackground = 34;
constexpr int kItemHeader = 35;
constexpr int kItemBody = 36;
constexpr int kItemSelectedHeader = 38;
constexpr int kItemFocus = 39;
constexpr int kItemPhoto = 68;

constexpr UINT kNoItemsFormat = DT_CENTER | DT_NOPREFIX;                                    // 0x801
constexpr UINT kPhotoTitleFormat = DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS;            // 0x8810
constexpr UINT kTitleFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;  // 0x8824
constexpr UINT kCategoryFormat = kTitleFormat | DT_CENTER;                                  // 0x8825
constexpr COLORREF kIconTransparent = RGB(255, 0, 0);

inline CBrush* StockBrush(int which) { return CBrush::FromHandle(static_cast<HBRUSH>(GetStockObject(which))); }

inline CSize BitmapSize(CBitmap& bmp) {
  BITMAP info{};
  if (!bmp.GetSafeHandle() || !bmp.GetBitmap(&info)) return CSize(0, 0);
  return CSize(info.bmWidth, info.bmHeight);
}

}  // namespace nbui::cards::paint
