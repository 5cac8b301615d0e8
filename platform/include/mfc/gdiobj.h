// MFC's GDI object wrappers: CGdiObject and CPen, CBrush, CFont, CBitmap,
// CRgn. A wrapper owns its handle: the destructor deletes it unless it was
// detached. FromHandle returns the object a handle is attached to, or else
// a temporary wrapper of the right class that lives until the message loop
// next idles (nbp::mfc::DeleteTempGdiMaps, in mfc/dc.h).
#pragma once

#include "mfc/cstring.h"
#include "mfc/geometry.h"
#include "mfc/object.h"
#include "win/gdi.h"

class CDC;

class CGdiObject : public CObject {
  DECLARE_DYNCREATE(CGdiObject)

 public:
  CGdiObject() = default;
  ~CGdiObject() override;

  HGDIOBJ m_hObject = nullptr;

  operator HGDIOBJ() const { return m_hObject; }
  HGDIOBJ GetSafeHandle() const { return m_hObject; }

  // Null for a null handle.
  static CGdiObject* FromHandle(HGDIOBJ hObject);
  static void DeleteTempMap();

  // Fails (FALSE) for a null handle.
  BOOL Attach(HGDIOBJ hObject);
  HGDIOBJ Detach();

  int GetObject(int nCount, LPVOID lpObject) const;
  UINT GetObjectType() const;
  BOOL CreateStockObject(int nIndex);
  // Deletes the handle (FALSE when there is none).
  BOOL DeleteObject();
  BOOL UnrealizeObject();
  BOOL operator==(const CGdiObject& obj) const { return obj.m_hObject == m_hObject; }
  BOOL operator!=(const CGdiObject& obj) const { return obj.m_hObject != m_hObject; }
};

class CPen : public CGdiObject {
  DECLARE_DYNAMIC(CPen)

 public:
  static CPen* FromHandle(HPEN hPen);
  CPen() = default;
  CPen(int nPenStyle, int nWidth, COLORREF crColor);
  BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
  BOOL CreatePenIndirect(LPLOGPEN lpLogPen);
  operator HPEN() const { return static_cast<HPEN>(m_hObject); }
  int GetLogPen(LOGPEN* pLogPen);
};

class CBitmap;

class CBrush : public CGdiObject {
  DECLARE_DYNAMIC(CBrush)

 public:
  static CBrush* FromHandle(HBRUSH hBrush);
  CBrush() = default;
  explicit CBrush(COLORREF crColor);
  CBrush(int nIndex, COLORREF crColor);  // a hatch brush
  explicit CBrush(CBitmap* pBitmap);
  BOOL CreateSolidBrush(COLORREF crColor);
  BOOL CreateHatchBrush(int nIndex, COLORREF crColor);
  BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush);
  BOOL CreatePatternBrush(CBitmap* pBitmap);
  // Attaches the system's brush for color nIndex (never deleted by GDI).
  BOOL CreateSysColorBrush(int nIndex);
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
  int GetLogBrush(LOGBRUSH* pLogBrush);
};

class CFont : public CGdiObject {
  DECLARE_DYNAMIC(CFont)

 public:
  static CFont* FromHandle(HFONT hFont);
  CFont() = default;
  BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
  BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                  BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                  BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename);
  // nPointSize in tenths of a point, converted with pDC's LOGPIXELSY (the
  // display's when pDC is null) and, as MFC does, rounded towards zero.
  BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = nullptr);
  // lfHeight in tenths of a point.
  BOOL CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC = nullptr);
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
  int GetLogFont(LOGFONT* pLogFont);
};

class CBitmap : public CGdiObject {
  DECLARE_DYNAMIC(CBitmap)

 public:
  static CBitmap* FromHandle(HBITMAP hBitmap);
  CBitmap() = default;
  // From the resource chain (AfxFindResourceHandle).
  BOOL LoadBitmap(LPCTSTR lpszResourceName);
  BOOL LoadBitmap(UINT nIDResource);
  BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
  BOOL CreateBitmapIndirect(LPBITMAP lpBitmap);
  BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
  BOOL CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight);
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
  int GetBitmap(BITMAP* pBitMap);
  DWORD SetBitmapBits(DWORD dwCount, const void* lpBits);
  DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const;
  CSize SetBitmapDimension(int nWidth, int nHeight);
  CSize GetBitmapDimension() const;
};

class CRgn : public CGdiObject {
  DECLARE_DYNAMIC(CRgn)

 public:
  static CRgn* FromHandle(HRGN hRgn);
  CRgn() = default;
  operator HRGN() const { return static_cast<HRGN>(m_hObject); }
  BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
  BOOL CreateRectRgnIndirect(LPCRECT lpRect);
  BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
  BOOL CreateEllipticRgnIndirect(LPCRECT lpRect);
  BOOL CreatePolygonRgn(LPPOINT lpPoints, int nCount, int nMode);
  BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3);
  void SetRectRgn(int x1, int y1, int x2, int y2);
  void SetRectRgn(LPCRECT lpRect);
  int CombineRgn(CRgn* pRgn1, CRgn* pRgn2, int nCombineMode);
  int CopyRgn(CRgn* pRgnSrc);
  BOOL EqualRgn(CRgn* pRgn) const;
  int OffsetRgn(int x, int y);
  int OffsetRgn(POINT point);
  int GetRgnBox(LPRECT lpRect) const;
  BOOL PtInRegion(int x, int y) const;
  BOOL PtInRegion(POINT point) const;
  BOOL RectInRegion(LPCRECT lpRect) const;
};
