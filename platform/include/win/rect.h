// Rectangle arithmetic of the window system. Right and bottom are exclusive:
// a rectangle holds the points with left <= x < right and top <= y < bottom,
// so (0,0,10,10) is 10 pixels wide and a rectangle with right <= left or
// bottom <= top is empty.
//
// Every function returns BOOL as Windows does. A null pointer argument makes
// the call fail with FALSE and changes nothing, except IsRectEmpty, which
// (as on Windows) reports a missing rectangle as empty. Coordinates wrap
// around on 32-bit overflow instead of being undefined.
#pragma once

#include "win/types.h"

BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom);
BOOL SetRectEmpty(LPRECT lprc);
BOOL CopyRect(LPRECT lprcDst, const RECT* lprcSrc);

// Moves the left and top edges out by (dx, dy) and the right and bottom
// edges by the same amounts the other way; negative values shrink.
BOOL InflateRect(LPRECT lprc, int dx, int dy);
BOOL OffsetRect(LPRECT lprc, int dx, int dy);

// The overlap of two rectangles. When they do not overlap (or either is
// empty) the result is set to (0,0,0,0) and the return value is FALSE.
BOOL IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);

// The smallest rectangle holding both. An empty source is ignored; when both
// are empty the result is (0,0,0,0) and the return value is FALSE.
BOOL UnionRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);

// lprcSrc1 without lprcSrc2, when that is still a rectangle: lprcSrc2 must
// cover a whole side of lprcSrc1 (spanning it edge to edge), otherwise the
// result is lprcSrc1 unchanged. Returns FALSE when nothing is left.
BOOL SubtractRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);

BOOL IsRectEmpty(const RECT* lprc);
// Compares the four coordinates exactly: two different empty rectangles are
// not equal.
BOOL EqualRect(const RECT* lprc1, const RECT* lprc2);
BOOL PtInRect(const RECT* lprc, POINT pt);
