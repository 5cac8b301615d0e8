// MFC's CPoint, CSize and CRect: thin classes over POINT, SIZE and RECT with
// the same layout, so a CRect* can be passed wherever an LPRECT is expected.
// Unlike MFC, default construction zeroes the value instead of leaving it
// undefined. Arithmetic wraps on 32-bit overflow, as the Windows functions do.
#pragma once

#include "win/rect.h"
#include "win/types.h"

class CSize;
class CPoint;
class CRect;

namespace nbp::geom {
inline LONG Add(LONG a, int64_t b) { return static_cast<LONG>(static_cast<uint32_t>(int64_t{a} + b)); }
inline LONG Sub(LONG a, int64_t b) { return static_cast<LONG>(static_cast<uint32_t>(int64_t{a} - b)); }
}  // namespace nbp::geom

class CSize : public SIZE {
 public:
  CSize() : SIZE{0, 0} {}
  CSize(int initCX, int initCY) : SIZE{initCX, initCY} {}
  CSize(SIZE initSize) : SIZE(initSize) {}
  CSize(POINT initPt) : SIZE{initPt.x, initPt.y} {}
  // Low word is cx, high word cy, both signed 16-bit (as packed in messages).
  CSize(DWORD dwSize) : SIZE{static_cast<SHORT>(LOWORD(dwSize)), static_cast<SHORT>(HIWORD(dwSize))} {}

  // bool rather than MFC's BOOL, and the same-class forms, keep C++20's
  // reversed comparisons (RECT == CRect) working and unambiguous.
  bool operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
  bool operator!=(SIZE size) const { return cx != size.cx || cy != size.cy; }
  bool operator==(const CSize& size) const { return *this == static_cast<SIZE>(size); }
  bool operator!=(const CSize& size) const { return *this != static_cast<SIZE>(size); }
  void operator+=(SIZE size) { cx = nbp::geom::Add(cx, size.cx); cy = nbp::geom::Add(cy, size.cy); }
  void operator-=(SIZE size) { cx = nbp::geom::Sub(cx, size.cx); cy = nbp::geom::Sub(cy, size.cy); }

  CSize operator+(SIZE size) const { return CSize(nbp::geom::Add(cx, size.cx), nbp::geom::Add(cy, size.cy)); }
  CSize operator-(SIZE size) const { return CSize(nbp::geom::Sub(cx, size.cx), nbp::geom::Sub(cy, size.cy)); }
  CSize operator-() const { return CSize(nbp::geom::Sub(0, cx), nbp::geom::Sub(0, cy)); }
  inline CPoint operator+(POINT point) const;
  inline CPoint operator-(POINT point) const;
  inline CRect operator+(const RECT* lpRect) const;
  inline CRect operator-(const RECT* lpRect) const;
};

class CPoint : public POINT {
 public:
  CPoint() : POINT{0, 0} {}
  CPoint(int initX, int initY) : POINT{initX, initY} {}
  CPoint(POINT initPt) : POINT(initPt) {}
  CPoint(SIZE initSize) : POINT{initSize.cx, initSize.cy} {}
  // Low word is x, high word y, both signed 16-bit (as in mouse messages).
  CPoint(DWORD dwPoint) : POINT{static_cast<SHORT>(LOWORD(dwPoint)), static_cast<SHORT>(HIWORD(dwPoint))} {}

  void Offset(int xOffset, int yOffset) { x = nbp::geom::Add(x, xOffset); y = nbp::geom::Add(y, yOffset); }
  void Offset(POINT point) { Offset(point.x, point.y); }
  void Offset(SIZE size) { Offset(size.cx, size.cy); }

  bool operator==(POINT point) const { return x == point.x && y == point.y; }
  bool operator!=(POINT point) const { return x != point.x || y != point.y; }
  bool operator==(const CPoint& point) const { return *this == static_cast<POINT>(point); }
  bool operator!=(const CPoint& point) const { return *this != static_cast<POINT>(point); }
  void operator+=(SIZE size) { Offset(size.cx, size.cy); }
  void operator-=(SIZE size) { x = nbp::geom::Sub(x, size.cx); y = nbp::geom::Sub(y, size.cy); }
  void operator+=(POINT point) { Offset(point.x, point.y); }
  void operator-=(POINT point) { x = nbp::geom::Sub(x, point.x); y = nbp::geom::Sub(y, point.y); }

  CPoint operator+(SIZE size) const { return CPoint(nbp::geom::Add(x, size.cx), nbp::geom::Add(y, size.cy)); }
  CPoint operator-(SIZE size) const { return CPoint(nbp::geom::Sub(x, size.cx), nbp::geom::Sub(y, size.cy)); }
  CPoint operator-() const { return CPoint(nbp::geom::Sub(0, x), nbp::geom::Sub(0, y)); }
  CPoint operator+(POINT point) const { return CPoint(nbp::geom::Add(x, point.x), nbp::geom::Add(y, point.y)); }
  // The distance between two points is a size.
  CSize operator-(POINT point) const { return CSize(nbp::geom::Sub(x, point.x), nbp::geom::Sub(y, point.y)); }
  inline CRect operator+(const RECT* lpRect) const;
  inline CRect operator-(const RECT* lpRect) const;
};

class CRect : public RECT {
 public:
  CRect() : RECT{0, 0, 0, 0} {}
  CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
  CRect(const RECT& srcRect) : RECT(srcRect) {}
  // A null pointer gives the empty rectangle.
  CRect(const RECT* lpSrcRect) : RECT(lpSrcRect ? *lpSrcRect : RECT{0, 0, 0, 0}) {}
  CRect(POINT point, SIZE size)
      : RECT{point.x, point.y, nbp::geom::Add(point.x, size.cx), nbp::geom::Add(point.y, size.cy)} {}
  CRect(POINT topLeft, POINT bottomRight) : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

  int Width() const { return nbp::geom::Sub(right, left); }
  int Height() const { return nbp::geom::Sub(bottom, top); }
  CSize Size() const { return CSize(Width(), Height()); }
  // The corners as points aliasing the rectangle's own fields, so that
  // rect.TopLeft() = pt moves the corner (MFC code writes through them).
  CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(&left); }
  CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
  const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(&left); }
  const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
  // Rounds towards the top left, as (left + right) / 2 does for positive values.
  CPoint CenterPoint() const {
    return CPoint(static_cast<LONG>((int64_t{left} + right) / 2), static_cast<LONG>((int64_t{top} + bottom) / 2));
  }

  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }

  BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
  BOOL IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
  BOOL PtInRect(POINT point) const { return ::PtInRect(this, point); }

  void SetRect(int x1, int y1, int x2, int y2) { ::SetRect(this, x1, y1, x2, y2); }
  void SetRectEmpty() { ::SetRectEmpty(this); }
  void CopyRect(const RECT* lpSrcRect) { ::CopyRect(this, lpSrcRect); }
  BOOL EqualRect(const RECT* lpRect) const { return ::EqualRect(this, lpRect); }

  // Inflate moves every edge outwards, Deflate inwards. The four-value and
  // rectangle forms give each edge its own amount (left, top, right, bottom).
  void InflateRect(int x, int y) { ::InflateRect(this, x, y); }
  void InflateRect(SIZE size) { ::InflateRect(this, size.cx, size.cy); }
  void InflateRect(const RECT* lpRect) {
    if (lpRect) InflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
  }
  void InflateRect(int l, int t, int r, int b) {
    left = nbp::geom::Sub(left, l);
    top = nbp::geom::Sub(top, t);
    right = nbp::geom::Add(right, r);
    bottom = nbp::geom::Add(bottom, b);
  }
  void DeflateRect(int x, int y) { DeflateRect(x, y, x, y); }
  void DeflateRect(SIZE size) { DeflateRect(size.cx, size.cy); }
  void DeflateRect(const RECT* lpRect) {
    if (lpRect) DeflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
  }
  void DeflateRect(int l, int t, int r, int b) {
    left = nbp::geom::Add(left, l);
    top = nbp::geom::Add(top, t);
    right = nbp::geom::Sub(right, r);
    bottom = nbp::geom::Sub(bottom, b);
  }

  void OffsetRect(int x, int y) { ::OffsetRect(this, x, y); }
  void OffsetRect(POINT point) { ::OffsetRect(this, point.x, point.y); }
  void OffsetRect(SIZE size) { ::OffsetRect(this, size.cx, size.cy); }
  // Swaps edges so that left <= right and top <= bottom.
  void NormalizeRect() {
    if (left > right) { LONG t = left; left = right; right = t; }
    if (top > bottom) { LONG t = top; top = bottom; bottom = t; }
  }

  BOOL IntersectRect(const RECT* lpRect1, const RECT* lpRect2) { return ::IntersectRect(this, lpRect1, lpRect2); }
  BOOL UnionRect(const RECT* lpRect1, const RECT* lpRect2) { return ::UnionRect(this, lpRect1, lpRect2); }
  BOOL SubtractRect(const RECT* lpRectSrc1, const RECT* lpRectSrc2) {
    return ::SubtractRect(this, lpRectSrc1, lpRectSrc2);
  }

  CRect& operator=(const RECT& srcRect) { ::CopyRect(this, &srcRect); return *this; }
  bool operator==(const RECT& rect) const { return ::EqualRect(this, &rect); }
  bool operator!=(const RECT& rect) const { return !::EqualRect(this, &rect); }
  bool operator==(const CRect& rect) const { return ::EqualRect(this, &rect); }
  bool operator!=(const CRect& rect) const { return !::EqualRect(this, &rect); }
  void operator+=(POINT point) { OffsetRect(point.x, point.y); }
  void operator+=(SIZE size) { OffsetRect(size.cx, size.cy); }
  void operator+=(const RECT* lpRect) { InflateRect(lpRect); }
  void operator-=(POINT point) { OffsetRect(-CPoint(point)); }
  void operator-=(SIZE size) { OffsetRect(-CSize(size)); }
  void operator-=(const RECT* lpRect) { DeflateRect(lpRect); }
  void operator&=(const RECT& rect) { ::IntersectRect(this, this, &rect); }
  void operator|=(const RECT& rect) { ::UnionRect(this, this, &rect); }

  CRect operator+(POINT point) const { CRect r(*this); r.OffsetRect(point); return r; }
  CRect operator-(POINT point) const { CRect r(*this); r -= point; return r; }
  CRect operator+(SIZE size) const { CRect r(*this); r.OffsetRect(size); return r; }
  CRect operator-(SIZE size) const { CRect r(*this); r -= size; return r; }
  CRect operator+(const RECT* lpRect) const { CRect r(*this); r.InflateRect(lpRect); return r; }
  CRect operator-(const RECT* lpRect) const { CRect r(*this); r.DeflateRect(lpRect); return r; }
  // rect - otherRect would otherwise be ambiguous with pointer subtraction
  // through the LPRECT conversions.
  CRect operator+(const CRect& rect) const { return *this + static_cast<const RECT*>(&rect); }
  CRect operator-(const CRect& rect) const { return *this - static_cast<const RECT*>(&rect); }
  CRect operator&(const RECT& rect2) const { CRect r; ::IntersectRect(&r, this, &rect2); return r; }
  CRect operator|(const RECT& rect2) const { CRect r; ::UnionRect(&r, this, &rect2); return r; }
};

inline CPoint CSize::operator+(POINT point) const { return CPoint(point) + *this; }
inline CPoint CSize::operator-(POINT point) const {
  return CPoint(nbp::geom::Sub(cx, point.x), nbp::geom::Sub(cy, point.y));
}
inline CRect CSize::operator+(const RECT* lpRect) const { return CRect(lpRect) + *this; }
inline CRect CSize::operator-(const RECT* lpRect) const { return CRect(lpRect) - *this; }
inline CRect CPoint::operator+(const RECT* lpRect) const { return CRect(lpRect) + *this; }
inline CRect CPoint::operator-(const RECT* lpRect) const { return CRect(lpRect) - *this; }
