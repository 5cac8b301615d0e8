#include "win/rect.h"

#include <algorithm>

namespace {

// Windows wraps on overflow; signed overflow in C++ is undefined, so the
// arithmetic goes through 64 bits and is truncated back modulo 2^32.
LONG Wrap(int64_t v) { return static_cast<LONG>(static_cast<uint32_t>(v)); }

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom) {
  if (!lprc) return FALSE;
  *lprc = RECT{xLeft, yTop, xRight, yBottom};
  return TRUE;
}

BOOL SetRectEmpty(LPRECT lprc) {
  if (!lprc) return FALSE;
  *lprc = RECT{0, 0, 0, 0};
  return TRUE;
}

BOOL CopyRect(LPRECT lprcDst, const RECT* lprcSrc) {
  if (!lprcDst || !lprcSrc) return FALSE;
  *lprcDst = *lprcSrc;
  return TRUE;
}

BOOL InflateRect(LPRECT lprc, int dx, int dy) {
  if (!lprc) return FALSE;
  lprc->left = Wrap(int64_t{lprc->left} - dx);
  lprc->top = Wrap(int64_t{lprc->top} - dy);
  lprc->right = Wrap(int64_t{lprc->right} + dx);
  lprc->bottom = Wrap(int64_t{lprc->bottom} + dy);
  return TRUE;
}

BOOL OffsetRect(LPRECT lprc, int dx, int dy) {
  if (!lprc) return FALSE;
  lprc->left = Wrap(int64_t{lprc->left} + dx);
  lprc->top = Wrap(int64_t{lprc->top} + dy);
  lprc->right = Wrap(int64_t{lprc->right} + dx);
  lprc->bottom = Wrap(int64_t{lprc->bottom} + dy);
  return TRUE;
}

BOOL IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) {
  if (!lprcDst || !lprcSrc1 || !lprcSrc2) return FALSE;
  const RECT& a = *lprcSrc1;
  const RECT& b = *lprcSrc2;
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (Empty(a) || Empty(b) || Empty(r)) {
    *lprcDst = RECT{0, 0, 0, 0};
    return FALSE;
  }
  *lprcDst = r;
  return TRUE;
}

BOOL UnionRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) {
  if (!lprcDst || !lprcSrc1 || !lprcSrc2) return FALSE;
  const RECT a = *lprcSrc1;
  const RECT b = *lprcSrc2;
  if (Empty(a) && Empty(b)) {
    *lprcDst = RECT{0, 0, 0, 0};
    return FALSE;
  }
  if (Empty(a)) {
    *lprcDst = b;
  } else if (Empty(b)) {
    *lprcDst = a;
  } else {
    *lprcDst = RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                    std::max(a.bottom, b.bottom)};
  }
  return TRUE;
}

BOOL SubtractRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) {
  if (!lprcDst || !lprcSrc1 || !lprcSrc2) return FALSE;
  const RECT src = *lprcSrc1;
  if (Empty(src)) {
    *lprcDst = RECT{0, 0, 0, 0};
    return FALSE;
  }
  RECT result = src;
  RECT overlap;
  if (IntersectRect(&overlap, &src, lprcSrc2)) {
    if (EqualRect(&overlap, &src)) {
      *lprcDst = RECT{0, 0, 0, 0};
      return FALSE;
    }
    // Only an overlap spanning the full height (or width) leaves a rectangle.
    if (overlap.top == src.top && overlap.bottom == src.bottom) {
      if (overlap.left == src.left)
        result.left = overlap.right;
      else if (overlap.right == src.right)
        result.right = overlap.left;
    } else if (overlap.left == src.left && overlap.right == src.right) {
      if (overlap.top == src.top)
        result.top = overlap.bottom;
      else if (overlap.bottom == src.bottom)
        result.bottom = overlap.top;
    }
  }
  *lprcDst = result;
  return TRUE;
}

BOOL IsRectEmpty(const RECT* lprc) {
  if (!lprc) return TRUE;
  return Empty(*lprc) ? TRUE : FALSE;
}

BOOL EqualRect(const RECT* lprc1, const RECT* lprc2) {
  if (!lprc1 || !lprc2) return FALSE;
  return lprc1->left == lprc2->left && lprc1->top == lprc2->top && lprc1->right == lprc2->right &&
                 lprc1->bottom == lprc2->bottom
             ? TRUE
             : FALSE;
}

BOOL PtInRect(const RECT* lprc, POINT pt) {
  if (!lprc) return FALSE;
  return pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top && pt.y < lprc->bottom
             ? TRUE
             : FALSE;
}
