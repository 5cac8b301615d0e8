// The card view's grid arithmetic.
#include "cards/card_grid.h"

#include <algorithm>

#include "win/user_constants.h"

namespace nbui::cards {

namespace {

// Coordinates beyond this are far outside any client area; cells are
// clamped there so that rows times heights cannot overflow.
constexpr int64_t kFar = 1 << 29;

int Clamp(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, -kFar, kFar)); }

}  // namespace

int GridColumns(int clientWidth, int cardWidth, int share) {
  cardWidth = std::max(cardWidth, 1);
  return std::max((std::max(clientWidth, 0) + cardWidth / std::max(share, 1)) / cardWidth, 1);
}

int GridVisibleRows(int clientHeight, int cardHeight) {
  return std::max(std::max(clientHeight, 0) / std::max(cardHeight, 1), 1);
}

int GridRows(int count, int columns) {
  columns = std::max(columns, 1);
  return count <= 0 ? 0 : static_cast<int>((static_cast<int64_t>(count) + columns - 1) / columns);
}

int GridScrollMax(int count, int columns, int visibleRows) {
  return std::max(GridRows(count, columns) - visibleRows, 0);
}

CRect GridCell(int index, int columns, int firstRow, int cardWidth, int cardHeight) {
  columns = std::max(columns, 1);
  int64_t x = static_cast<int64_t>(index % columns) * cardWidth;
  int64_t y = (static_cast<int64_t>(index / columns) - firstRow) * cardHeight;
  return CRect(Clamp(x), Clamp(y), Clamp(x + cardWidth), Clamp(y + cardHeight));
}

void GridCardRects(const CRect& cell, int headerHeight, CCardRects& rects) {
  rects.m_rcCell = cell;
  rects.m_rcCard = CRect(cell.left + 1, cell.top + 1, cell.right - 4, cell.bottom - 4);
  CRect inner = rects.m_rcCard;
  inner.DeflateRect(2, 2);
  rects.m_rcHeader = CRect(inner.left, inner.top, inner.right, inner.top + headerHeight);
  rects.m_rcPhoto = CRect(inner.left, inner.top, inner.left + 32, inner.top + headerHeight);
  rects.m_rcBody = CRect(inner.left, rects.m_rcHeader.bottom, inner.right, inner.bottom);
  int left = rects.m_rcHeader.left + 3;
  int top = rects.m_rcHeader.top + ((headerHeight - kCheckSize) >> 1);
  rects.m_rcCheck = CRect(left, top, left + kCheckSize, top + kCheckSize);
}

void GridPhotoCardRects(const CRect& cell, int bandHeight, CCardRects& rects) {
  constexpr int kMaxPhotoSide = 96;
  rects.m_rcCell = cell;
  rects.m_rcCard = CRect(cell.left + 1, cell.top + 1, cell.right - 4, cell.bottom - 4);
  CRect inner = rects.m_rcCard;
  inner.DeflateRect(2, 2);
  rects.m_rcHeader = CRect(inner.left, inner.bottom - bandHeight, inner.right, inner.bottom);
  rects.m_rcBody = CRect(inner.left, inner.top, inner.right, rects.m_rcHeader.top);
  const CRect& body = rects.m_rcBody;
  int side = std::min({body.Width() - 32, body.Height() - 10, kMaxPhotoSide});
  int left = body.left + ((body.Width() - side) >> 1);
  int top = body.top + ((body.Height() - side) >> 1);
  rects.m_rcPhoto = CRect(left, top, left + side, top + side);
  left = rects.m_rcHeader.left + 3;
  top = rects.m_rcHeader.top + (bandHeight - kCheckSize) / 2;
  rects.m_rcCheck = CRect(left, top, left + kCheckSize, top + kCheckSize);
}

int GridHitTest(POINT pt, int count, int columns, int firstRow, int cardWidth, int cardHeight) {
  if (pt.x < 0 || pt.y < 0 || cardWidth < 1 || cardHeight < 1) return -1;
  int column = pt.x / cardWidth;
  if (column >= std::max(columns, 1)) return -1;
  int64_t row = static_cast<int64_t>(firstRow) + pt.y / cardHeight;
  int64_t index = row * std::max(columns, 1) + column;
  if (index >= count) return -1;
  // Inside the outline: 1 pixel in from the cell's left and top, 4 from its
  // right and bottom.
  int x = pt.x % cardWidth, y = pt.y % cardHeight;
  if (x < 1 || y < 1 || x >= cardWidth - 4 || y >= cardHeight - 4) return -1;
  return static_cast<int>(index);
}

void GridVisibleRange(int clientHeight, int count, int columns, int firstRow, int cardHeight, int* pFirst,
                      int* pLast) {
  columns = std::max(columns, 1);
  int64_t rows = (std::max(clientHeight, 0) + std::max(cardHeight, 1) - 1) / std::max(cardHeight, 1);
  int64_t first = std::clamp<int64_t>(static_cast<int64_t>(std::max(firstRow, 0)) * columns, 0, count);
  int64_t last = std::clamp<int64_t>((static_cast<int64_t>(std::max(firstRow, 0)) + rows) * columns, first, count);
  *pFirst = static_cast<int>(first);
  *pLast = static_cast<int>(last);
}

int GridEnsureVisibleRow(int index, int columns, int firstRow, int visibleRows) {
  int row = index / std::max(columns, 1);
  int last = firstRow + visibleRows - 1;
  if (row > last) return firstRow + (row - last);
  if (row < firstRow) return row;
  return firstRow;
}

int GridArrowTarget(unsigned vk, int f, int columns, int count) {
  int c = std::max(columns, 1);
  switch (vk) {
    case VK_LEFT: return f > 0 ? f - 1 : f;
    case VK_UP: return f / c > 0 ? f - c : f;
    case VK_RIGHT: return f < count - 1 ? f + 1 : f;
    case VK_DOWN: return f / c < (count + c - 1) / c - 1 ? std::min(f + c, count - 1) : f;
    default: return f;
  }
}

int GridDragSize(int start, int pos, int size, int minimum) {
  size = std::max(size, 1);
  int gap = std::max((start + size - 1) / size, 1);
  return std::max(size + (pos - start) / gap, std::max(minimum, 1));
}

}  // namespace nbui::cards
