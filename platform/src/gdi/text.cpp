// Font objects, text metrics and extents, TextOut and ExtTextOut.
#include <algorithm>
#include <cstring>

#include "gdi/fonts.h"
#include "gdi/raster.h"
#include "gdi/shapes.h"
#include "nbp/utf8_step.h"

using namespace nbp::gdi;

HFONT CreateFontIndirect(const LOGFONT* logFont) {
  if (!logFont) return nullptr;
  auto f = std::make_unique<Font>();
  f->log = *logFont;
  f->log.lfFaceName[LF_FACESIZE - 1] = 0;
  return static_cast<HFONT>(MakeObject(std::move(f))->handle);
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                 DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                 DWORD pitchAndFamily, LPCTSTR faceName) {
  LOGFONT lf{};
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = static_cast<BYTE>(italic ? 1 : 0);
  lf.lfUnderline = static_cast<BYTE>(underline ? 1 : 0);
  lf.lfStrikeOut = static_cast<BYTE>(strikeOut ? 1 : 0);
  lf.lfCharSet = static_cast<BYTE>(charSet);
  lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
  lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  lf.lfQuality = static_cast<BYTE>(quality);
  lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  if (faceName) {
    // Cut at a character boundary so the name stays valid UTF-8.
    size_t len = std::strlen(faceName);
    size_t n = nbp::utf8::BackToCharStart(faceName, len, std::min(len, static_cast<size_t>(LF_FACESIZE - 1)));
    std::memcpy(lf.lfFaceName, faceName, n);
  }
  return CreateFontIndirect(&lf);
}

BOOL GetTextMetrics(HDC hdc, LPTEXTMETRIC metrics) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || !metrics) return FALSE;
  *metrics = FaceOf(dc).metrics;
  return TRUE;
}

BOOL GetTextExtentPoint32(HDC hdc, LPCTSTR text, int count, LPSIZE size) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || !size || count < 0 || (!text && count > 0)) return FALSE;
  const Face& face = FaceOf(dc);
  Utf8 u = Sanitize(text, count, false);
  size->cx = u.text.empty() ? 0 : Shape(face, u.text).width;
  size->cy = face.metrics.tmHeight;
  return TRUE;
}

BOOL GetTextExtentPoint(HDC hdc, LPCTSTR text, int count, LPSIZE size) {
  return GetTextExtentPoint32(hdc, text, count, size);
}

BOOL GetTextExtentExPoint(HDC hdc, LPCTSTR text, int count, int maxExtent, LPINT fit, LPINT partial, LPSIZE size) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || !size || count < 0 || (!text && count > 0)) return FALSE;
  const Face& face = FaceOf(dc);
  Utf8 u = Sanitize(text, count, false);
  size->cy = face.metrics.tmHeight;
  size->cx = 0;
  if (fit) *fit = 0;
  if (u.text.empty()) return TRUE;
  Shaped& shaped = Shape(face, u.text);
  Geometry(shaped, u.text);
  size->cx = shaped.width;
  // Per character of the caller's text: the sanitized characters that
  // stand for it end at edges[k].
  int fitted = 0;
  bool fitting = true;
  for (size_t k = 0; k + 1 < shaped.starts.size(); ++k) {
    int from = u.origin[shaped.starts[k]];
    int to = u.origin[shaped.starts[k + 1]];
    int edge = shaped.edges[k];
    if (partial)
      for (int b = from; b < to; ++b) partial[b] = edge;
    if (fitting && edge <= maxExtent) fitted = to;
    else fitting = false;
  }
  if (fit) *fit = fitted;
  return TRUE;
}

BOOL GetCharWidth32(HDC hdc, UINT first, UINT last, LPINT widths) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || !widths || first > last || last > 0x10FFFF) return FALSE;
  const Face& face = FaceOf(dc);
  for (UINT c = first; c <= last; ++c) {
    char buf[4];
    int n = static_cast<int>(nbp::utf8::Encode(c, buf));
    Utf8 u = Sanitize(buf, n, false);
    widths[c - first] = Shape(face, u.text).width;
  }
  return TRUE;
}

BOOL GetCharWidth(HDC hdc, UINT first, UINT last, LPINT widths) { return GetCharWidth32(hdc, first, last, widths); }

int GetTextFace(HDC hdc, int count, LPTSTR faceName) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return 0;
  const std::string& family = FaceOf(dc).family;
  if (!faceName) return static_cast<int>(family.size()) + 1;
  if (count <= 0) return 0;
  size_t n = std::min(family.size(), static_cast<size_t>(count - 1));
  std::memcpy(faceName, family.data(), n);
  faceName[n] = 0;
  return static_cast<int>(n) + 1;
}

int GetTextCharset(HDC hdc) {
  Dc* dc = Get<Dc>(hdc);
  return dc ? FaceOf(dc).metrics.tmCharSet : DEFAULT_CHARSET;
}

namespace {

// Text placed by the DC's alignment; the current position moves with
// TA_UPDATECP. Draws the background cell in OPAQUE mode unless the caller
// already filled it.
BOOL PlaceText(Dc* dc, int x, int y, UINT options, const RECT* rect, LPCTSTR text, int count, const INT* dx) {
  const Face& face = FaceOf(dc);
  const TEXTMETRIC& tm = face.metrics;
  Canvas c(dc);
  if (!c.Ok()) return FALSE;
  if ((options & ETO_OPAQUE) && rect) {
    RECT r = Normalized(rect->left, rect->top, rect->right, rect->bottom);
    FillRect(c, c.ToSurface(r), SolidPaint(c, dc->state.bkColor), rop::kPatCopy);
  }
  if (count <= 0) return TRUE;

  Utf8 u = Sanitize(text, count, false);
  Shaped* whole = &Shape(face, u.text);
  int width = whole->width;
  std::vector<int> advances;  // per sanitized character, when the caller gives them
  if (dx) {
    Geometry(*whole, u.text);
    width = 0;
    for (size_t k = 0; k + 1 < whole->starts.size(); ++k) {
      int sum = 0;
      int from = u.origin[whole->starts[k]], to = u.origin[whole->starts[k + 1]];
      for (int b = from; b < to; ++b) sum += dx[b];
      advances.push_back(sum);
      width += sum;
    }
  }
  std::vector<int> starts = whole->starts;

  UINT align = dc->state.textAlign;
  bool updateCp = align & TA_UPDATECP;
  if (updateCp) {
    x = dc->state.position.x;
    y = dc->state.position.y;
  }
  x = Clamp(x);
  y = Clamp(y);
  int left = x;
  if ((align & TA_CENTER) == TA_CENTER) left = x - width / 2;
  else if (align & TA_RIGHT) left = x - width;
  int top = y;
  if ((align & TA_BASELINE) == TA_BASELINE) top = y - tm.tmAscent;
  else if (align & TA_BOTTOM) top = y - tm.tmHeight;
  if (updateCp) {
    if ((align & TA_CENTER) == TA_CENTER) {
    } else if (align & TA_RIGHT) {
      dc->state.position.x = Clamp(static_cast<int64_t>(dc->state.position.x) - width);
    } else {
      dc->state.position.x = Clamp(static_cast<int64_t>(dc->state.position.x) + width);
    }
  }

  if (dc->state.bkMode == OPAQUE && !(options & ETO_OPAQUE))
    FillRect(c, c.ToSurface({left, top, left + width, top + tm.tmHeight}), SolidPaint(c, dc->state.bkColor),
             rop::kPatCopy);
  RECT clip;
  const RECT* clipPtr = nullptr;
  if ((options & ETO_CLIPPED) && rect) {
    clip = c.ToSurface(Normalized(rect->left, rect->top, rect->right, rect->bottom));
    clipPtr = &clip;
  }
  int sx = c.X(left), baseline = c.Y(top) + tm.tmAscent;
  if (!dx) {
    DrawShaped(c, *whole, sx, baseline, dc->state.textColor, clipPtr);
    return TRUE;
  }
  // Caller-given advances: each character is placed on its own.
  int pen = 0;
  std::string text8 = u.text;
  for (size_t k = 0; k + 1 < starts.size(); ++k) {
    std::string_view ch(text8.data() + starts[k], static_cast<size_t>(starts[k + 1] - starts[k]));
    DrawShaped(c, Shape(face, ch), sx + pen, baseline, dc->state.textColor, clipPtr);
    pen += advances[k];
  }
  return TRUE;
}

}  // namespace

BOOL TextOut(HDC hdc, int x, int y, LPCTSTR text, int count) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || count < 0 || (!text && count > 0)) return FALSE;
  return PlaceText(dc, x, y, 0, nullptr, text, count, nullptr);
}

BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCTSTR text, UINT count, const INT* dx) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || count > 0x7FFFFFFF || (!text && count > 0)) return FALSE;
  return PlaceText(dc, x, y, options, rect, text, static_cast<int>(count), dx);
}
