// The card view's grid arithmetic, free of any window: cells of equal size
// left to right and top to bottom, scrolled by whole rows.
//
//   x = column * width                    cell
//   y = (row - first shown row) * height  +--------------------------+
//                                         |+------------------------+|  outline: the cell less 1 at
//                                         ||+----------------------+||  left/top, 4 at right/bottom;
//                                         ||| header (20 or 32)    |||  inner: the outline less 2
//                                         ||+----------------------+||
//                                         ||| body                 |||
//                                         ||+----------------------+||
//                                         |+------------------------+|
//                                         +--------------------------+
//
// Everything is O(1) per question, so a view of a million cards answers a
// point or a cell as fast as one of ten.
#pragma once

#include <cstdint>

#include "mfc/geometry.h"

#ifndef NBUI_API
#define NBUI_API __attribute__((visibility("default")))
#endif

// The six rectangles of one card.
class NBUI_API CCardRects {
 public:
  CRect m_rcCell;
  CRect m_rcCard;
  CRect m_rcHeader;
  CRect m_rcPhoto;
  CRect m_rcCheck;
  CRect m_rcBody;
};

namespace nbui::cards {

// Header heights: with and without a photo.
constexpr int kHeaderHeight = 20;
constexpr int kPhotoHeaderHeight = 32;
constexpr int kCheckSize = 14;

// Columns that fit a client width: a column counts when at least
// (share - 1) / share of it shows (half for 2, four fifths for 5). At least 1;
// a size or share below 1 is taken as 1.
NBUI_API int GridColumns(int clientWidth, int cardWidth, int share = 2);
// Whole rows that fit a client height, at least 1.
NBUI_API int GridVisibleRows(int clientHeight, int cardHeight);
// Rows needed for the cards.
NBUI_API int GridRows(int count, int columns);
// The largest first row: rows beyond those that fit, at least 0.
NBUI_API int GridScrollMax(int count, int columns, int visibleRows);

// The cell of a card with the given first shown row. Cells far outside any
// client area are clamped to coordinates that stay outside it, so huge grids
// never overflow.
NBUI_API CRect GridCell(int index, int columns, int firstRow, int cardWidth, int cardHeight);
// The six rectangles for a cell; the header is headerHeight high.
NBUI_API void GridCardRects(const CRect& cell, int headerHeight, CCardRects& rects);
// The photo view's rectangles for a cell: the header is a band of
// bandHeight at the bottom, the body above it holds a centred photo square
// (at most 96 pixels; 0 or less in a very small body) and the check box sits
// at the band's left.
NBUI_API void GridPhotoCardRects(const CRect& cell, int bandHeight, CCardRects& rects);
// The card whose outline holds the point (left and top inclusive), or -1 in
// the gaps, the shadow strips and beyond the last card.
NBUI_API int GridHitTest(POINT pt, int count, int columns, int firstRow, int cardWidth, int cardHeight);
// The card indexes whose cells meet a client area of the given height, as
// [*pFirst, *pLast); empty when there are no cards.
NBUI_API void GridVisibleRange(int clientHeight, int count, int columns, int firstRow, int cardHeight, int* pFirst,
                               int* pLast);

// The first row that shows the row of a card: unchanged when already shown,
// else the row at the bottom (moving down) or at the top (moving up).
NBUI_API int GridEnsureVisibleRow(int index, int columns, int firstRow, int visibleRows);

// The focus card after an arrow key (VK_LEFT ... VK_DOWN), or f unchanged.
// Down from a row above a short last row stops at the last card.
NBUI_API int GridArrowTarget(unsigned vk, int f, int columns, int count);

// Where a resize drag puts the card size: the dragged gap follows the
// pointer while every column (row) before it grows by the same share.
// start and pos are along the drag axis; size is the size before the drag.
NBUI_API int GridDragSize(int start, int pos, int size, int minimum);

}  // namespace nbui::cards
