// CDC: member forms of the GDI functions, temporary wrappers, and MFC's
// own drawing helpers (FillSolidRect, Draw3dRect, DrawDragRect).
#include <unordered_map>

#include "mfc/dc.h"

IMPLEMENT_DYNCREATE(CDC, CObject)

namespace {

struct DcMaps {
  std::unordered_map<HDC, CDC*> permanent;
  std::unordered_map<HDC, CDC*> temporary;
};

DcMaps& maps() {
  static DcMaps* m = new DcMaps;
  return *m;
}

}  // namespace

namespace nbp::mfc {

void DeleteTempGdiMaps() {
  CDC::DeleteTempMap();
  CGdiObject::DeleteTempMap();
}

}  // namespace nbp::mfc

CDC::~CDC() {
  if (m_hDC) ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC hDC) {
  if (!hDC) return nullptr;
  DcMaps& m = maps();
  if (auto it = m.permanent.find(hDC); it != m.permanent.end()) return it->second;
  if (auto it = m.temporary.find(hDC); it != m.temporary.end()) return it->second;
  CDC* wrapper = new CDC;
  wrapper->m_hDC = wrapper->m_hAttribDC = hDC;
  m.temporary.emplace(hDC, wrapper);
  return wrapper;
}

void CDC::DeleteTempMap() {
  auto temporary = std::move(maps().temporary);
  maps().temporary.clear();
  for (auto& [handle, wrapper] : temporary) {
    wrapper->m_hDC = wrapper->m_hAttribDC = nullptr;  // the DC is not the wrapper's to delete
    delete wrapper;
  }
}

BOOL CDC::Attach(HDC hDC) {
  if (!hDC) return FALSE;
  if (m_hDC) Detach();
  m_hDC = m_hAttribDC = hDC;
  maps().permanent[hDC] = this;
  return TRUE;
}

HDC CDC::Detach() {
  HDC h = m_hDC;
  if (h) {
    auto& permanent = maps().permanent;
    if (auto it = permanent.find(h); it != permanent.end() && it->second == this) permanent.erase(it);
  }
  m_hDC = m_hAttribDC = nullptr;
  return h;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) { return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr)); }

BOOL CDC::DeleteDC() {
  if (!m_hDC) return FALSE;
  return ::DeleteDC(Detach());
}

int CDC::SaveDC() { return ::SaveDC(m_hDC); }
BOOL CDC::RestoreDC(int nSavedDC) { return ::RestoreDC(m_hDC, nSavedDC); }
int CDC::GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }

// --- objects

CPen* CDC::SelectObject(CPen* pPen) {
  return pPen ? CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pPen->m_hObject))) : nullptr;
}
CBrush* CDC::SelectObject(CBrush* pBrush) {
  return pBrush ? CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, pBrush->m_hObject))) : nullptr;
}
CFont* CDC::SelectObject(CFont* pFont) {
  return pFont ? CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, pFont->m_hObject))) : nullptr;
}
CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
  return pBitmap ? CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, pBitmap->m_hObject))) : nullptr;
}
int CDC::SelectObject(CRgn* pRgn) {
  if (!pRgn) return ERROR;
  HGDIOBJ result = ::SelectObject(m_hDC, pRgn->m_hObject);
  return result == HGDI_ERROR ? ERROR : static_cast<int>(reinterpret_cast<intptr_t>(result));
}
HGDIOBJ CDC::SelectObject(HGDIOBJ hObject) { return ::SelectObject(m_hDC, hObject); }
CGdiObject* CDC::SelectStockObject(int nIndex) {
  HGDIOBJ stock = ::GetStockObject(nIndex);
  return stock ? CGdiObject::FromHandle(::SelectObject(m_hDC, stock)) : nullptr;
}
CPen* CDC::GetCurrentPen() const { return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN))); }
CBrush* CDC::GetCurrentBrush() const {
  return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
}
CFont* CDC::GetCurrentFont() const { return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT))); }
CBitmap* CDC::GetCurrentBitmap() const {
  return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

CBrush* CDC::GetHalftoneBrush() {
  static HBRUSH halftone = [] {
    WORD pattern[8];
    for (int i = 0; i < 8; ++i) pattern[i] = static_cast<WORD>(0x5555 << (i & 1));
    HBITMAP bitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
    HBRUSH brush = ::CreatePatternBrush(bitmap);
    ::DeleteObject(bitmap);
    return brush;
  }();
  return CBrush::FromHandle(halftone);
}

// --- attributes

COLORREF CDC::GetBkColor() const { return ::GetBkColor(m_hAttribDC); }
int CDC::GetBkMode() const { return ::GetBkMode(m_hAttribDC); }
int CDC::GetPolyFillMode() const { return ::GetPolyFillMode(m_hAttribDC); }
int CDC::GetROP2() const { return ::GetROP2(m_hAttribDC); }
int CDC::GetStretchBltMode() const { return ::GetStretchBltMode(m_hAttribDC); }
COLORREF CDC::GetTextColor() const { return ::GetTextColor(m_hAttribDC); }
COLORREF CDC::SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
int CDC::SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
int CDC::SetPolyFillMode(int nPolyFillMode) { return ::SetPolyFillMode(m_hDC, nPolyFillMode); }
int CDC::SetROP2(int nDrawMode) { return ::SetROP2(m_hDC, nDrawMode); }
int CDC::SetStretchBltMode(int nStretchMode) { return ::SetStretchBltMode(m_hDC, nStretchMode); }
COLORREF CDC::SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
COLORREF CDC::GetNearestColor(COLORREF crColor) const { return ::GetNearestColor(m_hAttribDC, crColor); }
CPoint CDC::GetBrushOrg() const {
  POINT p{0, 0};
  ::GetBrushOrgEx(m_hDC, &p);
  return CPoint(p);
}
CPoint CDC::SetBrushOrg(int x, int y) {
  POINT old{0, 0};
  ::SetBrushOrgEx(m_hDC, x, y, &old);
  return CPoint(old);
}
CPoint CDC::SetBrushOrg(POINT point) { return SetBrushOrg(point.x, point.y); }

// --- coordinates

int CDC::GetMapMode() const { return ::GetMapMode(m_hAttribDC); }
int CDC::SetMapMode(int nMapMode) { return ::SetMapMode(m_hDC, nMapMode); }
CPoint CDC::GetViewportOrg() const {
  POINT p{0, 0};
  ::GetViewportOrgEx(m_hAttribDC, &p);
  return CPoint(p);
}
CPoint CDC::SetViewportOrg(int x, int y) {
  POINT old{0, 0};
  ::SetViewportOrgEx(m_hDC, x, y, &old);
  return CPoint(old);
}
CPoint CDC::SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight) {
  POINT old{0, 0};
  ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &old);
  return CPoint(old);
}
CPoint CDC::GetWindowOrg() const {
  POINT p{0, 0};
  ::GetWindowOrgEx(m_hAttribDC, &p);
  return CPoint(p);
}
CPoint CDC::SetWindowOrg(int x, int y) {
  POINT old{0, 0};
  ::SetWindowOrgEx(m_hDC, x, y, &old);
  return CPoint(old);
}
CPoint CDC::SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight) {
  POINT old{0, 0};
  ::OffsetWindowOrgEx(m_hDC, nWidth, nHeight, &old);
  return CPoint(old);
}
void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const { ::DPtoLP(m_hAttribDC, lpPoints, nCount); }
void CDC::DPtoLP(LPRECT lpRect) const { ::DPtoLP(m_hAttribDC, reinterpret_cast<LPPOINT>(lpRect), 2); }
void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const { ::LPtoDP(m_hAttribDC, lpPoints, nCount); }
void CDC::LPtoDP(LPRECT lpRect) const { ::LPtoDP(m_hAttribDC, reinterpret_cast<LPPOINT>(lpRect), 2); }

// --- clipping

int CDC::GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
BOOL CDC::PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
BOOL CDC::PtVisible(POINT point) const { return PtVisible(point.x, point.y); }
BOOL CDC::RectVisible(LPCRECT lpRect) const { return ::RectVisible(m_hDC, lpRect); }
int CDC::SelectClipRgn(CRgn* pRgn) {
  return ::SelectClipRgn(m_hDC, pRgn ? static_cast<HRGN>(pRgn->m_hObject) : nullptr);
}
int CDC::SelectClipRgn(CRgn* pRgn, int nMode) {
  return ::ExtSelectClipRgn(m_hDC, pRgn ? static_cast<HRGN>(pRgn->m_hObject) : nullptr, nMode);
}
int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2) { return ::ExcludeClipRect(m_hDC, x1, y1, x2, y2); }
int CDC::ExcludeClipRect(LPCRECT lpRect) {
  return lpRect ? ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : ERROR;
}
int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) { return ::IntersectClipRect(m_hDC, x1, y1, x2, y2); }
int CDC::IntersectClipRect(LPCRECT lpRect) {
  return lpRect ? IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : ERROR;
}
int CDC::OffsetClipRgn(int x, int y) { return ::OffsetClipRgn(m_hDC, x, y); }
int CDC::OffsetClipRgn(SIZE size) { return OffsetClipRgn(size.cx, size.cy); }

// --- lines and shapes

CPoint CDC::GetCurrentPosition() const {
  POINT p{0, 0};
  ::GetCurrentPositionEx(m_hAttribDC, &p);
  return CPoint(p);
}
CPoint CDC::MoveTo(int x, int y) {
  POINT old{0, 0};
  ::MoveToEx(m_hDC, x, y, &old);
  return CPoint(old);
}
CPoint CDC::MoveTo(POINT point) { return MoveTo(point.x, point.y); }
BOOL CDC::LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
BOOL CDC::LineTo(POINT point) { return LineTo(point.x, point.y); }
BOOL CDC::Polyline(const POINT* lpPoints, int nCount) { return ::Polyline(m_hDC, lpPoints, nCount); }
BOOL CDC::Polygon(const POINT* lpPoints, int nCount) { return ::Polygon(m_hDC, lpPoints, nCount); }
BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Rectangle(LPCRECT lpRect) {
  return lpRect ? Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : FALSE;
}
BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Ellipse(LPCRECT lpRect) {
  return lpRect ? Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : FALSE;
}
BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) { return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3); }
BOOL CDC::RoundRect(LPCRECT lpRect, POINT point) {
  return lpRect ? RoundRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, point.x, point.y) : FALSE;
}
void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush) {
  if (pBrush) ::FillRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}
void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush) {
  if (pBrush) ::FrameRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}
void CDC::InvertRect(LPCRECT lpRect) { ::InvertRect(m_hDC, lpRect); }
BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush) {
  return pRgn && pBrush ? ::FillRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject), static_cast<HBRUSH>(pBrush->m_hObject))
                        : FALSE;
}
BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight) {
  return pRgn && pBrush ? ::FrameRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject),
                                     static_cast<HBRUSH>(pBrush->m_hObject), nWidth, nHeight)
                        : FALSE;
}
BOOL CDC::InvertRgn(CRgn* pRgn) { return pRgn ? ::InvertRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject)) : FALSE; }
BOOL CDC::PaintRgn(CRgn* pRgn) { return pRgn ? ::PaintRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject)) : FALSE; }

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF crColor) {
  ::SetBkColor(m_hDC, crColor);
  ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor) {
  ::SetBkColor(m_hDC, crColor);
  RECT r{x, y, x + cx, y + cy};
  ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  if (!lpRect) return;
  Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
             clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  // The right and bottom strips are given with negative extents, which
  // ExtTextOut's rectangle turns into the last column and row.
  FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
  FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
  FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
  FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast) {
  if (!lpRect) return;
  // The frame: the rectangle minus its inside, size.cx by size.cy in.
  CRgn rgnNew, rgnOutside, rgnInside;
  rgnOutside.CreateRectRgnIndirect(lpRect);
  CRect rect = *lpRect;
  rect.InflateRect(-size.cx, -size.cy);
  rect.IntersectRect(rect, lpRect);
  rgnInside.CreateRectRgnIndirect(rect);
  rgnNew.CreateRectRgn(0, 0, 0, 0);
  rgnNew.CombineRgn(&rgnOutside, &rgnInside, RGN_XOR);

  if (!pBrush) pBrush = GetHalftoneBrush();
  if (!pBrushLast) pBrushLast = pBrush;

  CRgn rgnLast, rgnUpdate;
  if (lpRectLast) {
    rgnLast.CreateRectRgn(0, 0, 0, 0);
    rgnOutside.SetRectRgn(lpRectLast);
    rect = *lpRectLast;
    rect.InflateRect(-sizeLast.cx, -sizeLast.cy);
    rect.IntersectRect(rect, lpRectLast);
    rgnInside.SetRectRgn(rect);
    rgnLast.CombineRgn(&rgnOutside, &rgnInside, RGN_XOR);
    // With the same brush, inverting only where the frames differ moves the
    // old frame to the new place in one pass.
    if (pBrush->m_hObject == pBrushLast->m_hObject) {
      rgnUpdate.CreateRectRgn(0, 0, 0, 0);
      rgnUpdate.CombineRgn(&rgnLast, &rgnNew, RGN_XOR);
    }
  }
  if (pBrush->m_hObject != pBrushLast->m_hObject && lpRectLast) {
    // Different brushes: take the old frame away first.
    SelectClipRgn(&rgnLast);
    GetClipBox(&rect);
    CBrush* old = SelectObject(pBrushLast);
    PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
    SelectObject(old);
  }
  SelectClipRgn(rgnUpdate.m_hObject ? &rgnUpdate : &rgnNew);
  GetClipBox(&rect);
  CBrush* old = SelectObject(pBrush);
  PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
  if (old) SelectObject(old);
  SelectClipRgn(nullptr);
}

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags); }
BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState) {
  return ::DrawFrameControl(m_hDC, lpRect, nType, nState);
}
void CDC::DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }
BOOL CDC::DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
BOOL CDC::DrawIcon(POINT point, HICON hIcon) { return DrawIcon(point.x, point.y, hIcon); }

// --- pixels and blocks

COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
COLORREF CDC::GetPixel(POINT point) const { return GetPixel(point.x, point.y); }
COLORREF CDC::SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }
COLORREF CDC::SetPixel(POINT point, COLORREF crColor) { return SetPixel(point.x, point.y, crColor); }
BOOL CDC::SetPixelV(int x, int y, COLORREF crColor) { return ::SetPixelV(m_hDC, x, y, crColor); }
BOOL CDC::SetPixelV(POINT point, COLORREF crColor) { return SetPixelV(point.x, point.y, crColor); }
BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) {
  return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}
BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop) {
  return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}
BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop) {
  return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, nSrcWidth,
                      nSrcHeight, dwRop);
}

// --- text

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount) { return ::TextOut(m_hDC, x, y, lpszString, nCount); }
BOOL CDC::TextOut(int x, int y, const CString& str) { return TextOut(x, y, str, str.GetLength()); }
BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount,
                     LPINT lpDxWidths) {
  return ::ExtTextOut(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}
BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths) {
  return ExtTextOut(x, y, nOptions, lpRect, str, static_cast<UINT>(str.GetLength()), lpDxWidths);
}
int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
  return ::DrawText(m_hDC, lpszString, nCount, lpRect, nFormat);
}
int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat) {
  return DrawText(str, str.GetLength(), lpRect, nFormat);
}
CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const {
  SIZE size{0, 0};
  ::GetTextExtentPoint32(m_hAttribDC, lpszString, nCount, &size);
  return CSize(size);
}
CSize CDC::GetTextExtent(const CString& str) const { return GetTextExtent(str, str.GetLength()); }
CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const {
  SIZE size{0, 0};
  ::GetTextExtentPoint32(m_hDC, lpszString, nCount, &size);
  return CSize(size);
}
CSize CDC::GetOutputTextExtent(const CString& str) const { return GetOutputTextExtent(str, str.GetLength()); }
UINT CDC::GetTextAlign() const { return ::GetTextAlign(m_hAttribDC); }
UINT CDC::SetTextAlign(UINT nFlags) { return ::SetTextAlign(m_hDC, nFlags); }
int CDC::GetTextFace(int nCount, LPTSTR lpszFacename) const { return ::GetTextFace(m_hDC, nCount, lpszFacename); }
int CDC::GetTextFace(CString& rString) const {
  int n = ::GetTextFace(m_hDC, LF_FACESIZE, rString.GetBuffer(LF_FACESIZE));
  rString.ReleaseBuffer();
  return n;
}
BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const { return ::GetTextMetrics(m_hAttribDC, lpMetrics); }
BOOL CDC::GetOutputTextMetrics(LPTEXTMETRIC lpMetrics) const { return ::GetTextMetrics(m_hDC, lpMetrics); }
BOOL CDC::GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const {
  return ::GetCharWidth32(m_hAttribDC, nFirstChar, nLastChar, lpBuffer);
}
