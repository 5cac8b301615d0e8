// DrawText and DrawTextEx: paragraphs, mnemonic prefixes, word wrapping,
// ellipses, tab stops, alignment and DT_CALCRECT.
//
// Lines are laid out one under another tmHeight apart (plus the external
// leading with DT_EXTERNALLEADING), the cell top of the first line at the
// rectangle's top. Wrapping follows GDI rather than Unicode line breaking:
// lines break at spaces, the spaces at a break are dropped, and a word
// wider than the rectangle runs past its edge (DT_EDITCONTROL breaks it).
#include <algorithm>
#include <cstring>
#include <optional>

#include "gdi/fonts.h"
#include "gdi/raster.h"
#include "gdi/shapes.h"
#include "nbp/utf8_step.h"

namespace nbp::gdi {
namespace {

constexpr std::string_view kEllipsis = "...";

// A paragraph with its prefixes worked out.
struct Para {
  std::string text;
  std::vector<int> origin;  // per byte, and one for the end: offset in the caller's text
  int underline = -1;       // byte offset of the character to underline
};

struct Line {
  std::string text;
  int underline = -1;
  bool ellipsized = false;
  int originBegin = 0, originEnd = 0;  // the caller's bytes the line stands for
};

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

Para MakePara(const char* text, int begin, int end, UINT format) {
  Utf8 u = Sanitize(text + begin, end - begin, (format & DT_EXPANDTABS) != 0);
  Para p;
  bool prefixes = !(format & DT_NOPREFIX);
  for (size_t i = 0; i < u.text.size();) {
    size_t len = nbp::utf8::CharLen(u.text.data() + i, u.text.size() - i);
    if (prefixes && u.text[i] == '&') {
      if (i + 1 >= u.text.size()) break;  // a lone trailing prefix shows nothing
      ++i;
      len = nbp::utf8::CharLen(u.text.data() + i, u.text.size() - i);
      // "&&" is a literal ampersand; "&x" underlines x (the last one wins).
      if (u.text[i] != '&') p.underline = static_cast<int>(p.text.size());
    }
    for (size_t k = 0; k < len; ++k) {
      p.text.push_back(u.text[i + k]);
      p.origin.push_back(begin + u.origin[i + k]);
    }
    i += len;
  }
  p.origin.push_back(end);
  if (format & DT_HIDEPREFIX) p.underline = -1;
  return p;
}

// The paragraphs of the text, split at CR LF, LF and CR. A final line
// break does not start another line.
std::vector<Para> Paragraphs(const char* text, int count, UINT format) {
  std::vector<Para> paras;
  if (format & DT_SINGLELINE) {
    paras.push_back(MakePara(text, 0, count, format));
    return paras;
  }
  int start = 0;
  for (int i = 0; i < count; ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    paras.push_back(MakePara(text, start, i, format));
    if (text[i] == '\r' && i + 1 < count && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < count) paras.push_back(MakePara(text, start, count, format));
  return paras;
}

// Character starts (and the end) and prefix widths: edges[k] is the width
// of characters 0..k.
struct Geo {
  std::vector<int> starts, edges;
  int Chars() const { return static_cast<int>(starts.size()) - 1; }
  int Span(int from, int to) const {  // width of characters [from, to)
    if (to <= from) return 0;
    return edges[to - 1] - (from > 0 ? edges[from - 1] : 0);
  }
  int CharAt(int byte) const {
    return static_cast<int>(std::lower_bound(starts.begin(), starts.end(), byte) - starts.begin());
  }
};

class Layouter {
 public:
  Layouter(const Face& face, UINT format, int width, int tabPixels)
      : face_(face), format_(format), width_(width), tabPixels_(tabPixels) {}

  int Width(const std::string& text) const { return text.empty() ? 0 : Shape(face_, text, tabPixels_).width; }

  Geo Measure(const std::string& text) const {
    Shaped& s = Shape(face_, text, tabPixels_);
    Geometry(s, text);
    return {s.starts, s.edges};
  }

  // The next line of a paragraph from character `pos`; advances pos.
  Line Next(const Para& p, const Geo& g, int& pos, bool wrap) const {
    int n = g.Chars();
    int end = n, next = n;
    if (wrap && pos < n) {
      auto space = [&](int k) { return IsSpace(p.text[g.starts[k]]); };
      int i = pos;
      while (i < n && g.Span(pos, i + 1) <= width_) ++i;
      if (i < n) {
        // Break at the last space that starts before the edge.
        int s = -1;
        for (int k = i; k > pos; --k)
          if (space(k)) {
            s = k;
            break;
          }
        while (s > pos + 1 && space(s - 1)) --s;
        if (s > pos) {
          end = next = s;
        } else if (format_ & DT_EDITCONTROL) {
          end = next = std::max(i, pos + 1);
        } else {
          end = i;
          while (end < n && !space(end)) ++end;
          next = end;
        }
        while (next < n && space(next)) ++next;
      }
    }
    Line line = Slice(p, g, pos, end);
    line.originEnd = p.origin[g.starts[next]];
    pos = next;
    return line;
  }

  static Line Whole(const Para& p) {
    Line line;
    line.text = p.text;
    line.underline = p.underline;
    line.originBegin = p.origin.front();
    line.originEnd = p.origin.back();
    return line;
  }

  // Characters [from, to) of a paragraph as a line.
  static Line Slice(const Para& p, const Geo& g, int from, int to) {
    Line line;
    int b = g.starts[from], e = g.starts[to];
    line.text = p.text.substr(static_cast<size_t>(b), static_cast<size_t>(e - b));
    if (p.underline >= b && p.underline < e) line.underline = p.underline - b;
    line.originBegin = p.origin[b];
    line.originEnd = p.origin[e];
    return line;
  }

  // Shortens a line that is wider than the rectangle, as the ellipsis flags ask.
  void Ellipsize(Line& line) const {
    if (!(format_ & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))) return;
    if (Width(line.text) <= width_) return;
    Geo g = Measure(line.text);
    int n = g.Chars();
    int dots = Width(std::string(kEllipsis));
    size_t separator = std::string::npos;
    if (format_ & DT_PATH_ELLIPSIS) separator = line.text.find_last_of("\\/");
    std::string result;
    int underline = -1;
    if (separator != std::string::npos && separator > 0) {
      // Keep the last path element whole and shorten what precedes it.
      int s = g.CharAt(static_cast<int>(separator));
      int tail = g.Span(s, n);
      int k = s;
      while (k > 0 && g.Span(0, k) + dots + tail > width_) --k;
      int cut = g.starts[k];
      result = line.text.substr(0, static_cast<size_t>(cut)) + std::string(kEllipsis) + line.text.substr(separator);
      if (line.underline >= 0 && line.underline < cut) underline = line.underline;
      else if (line.underline >= static_cast<int>(separator))
        underline = line.underline - static_cast<int>(separator) + cut + static_cast<int>(kEllipsis.size());
    } else {
      int k = n;
      while (k > 0 && g.Span(0, k) + dots > width_) --k;
      int cut = g.starts[k];
      result = line.text.substr(0, static_cast<size_t>(cut)) + std::string(kEllipsis);
      if (line.underline >= 0 && line.underline < cut) underline = line.underline;
    }
    line.text = std::move(result);
    line.underline = underline;
    line.ellipsized = true;
  }

 private:
  const Face& face_;
  UINT format_;
  int width_;
  int tabPixels_;
};

void ModifyString(char* buffer, int count, const Line& line) {
  std::string modified(buffer, static_cast<size_t>(line.originBegin));
  modified += line.text;
  modified.append(buffer + line.originEnd, static_cast<size_t>(count - line.originEnd));
  // The caller's buffer holds count + 4 bytes, the terminating zero included.
  size_t n = std::min(modified.size(), static_cast<size_t>(count) + 3);
  n = nbp::utf8::BackToCharStart(modified, n);
  std::memcpy(buffer, modified.data(), n);
  buffer[n] = 0;
}

// One line at (x, y): its background when opaque, its glyphs and the
// underline of a prefixed character.
void PaintLine(Canvas& c, const Dc* dc, const TEXTMETRIC& tm, const Layouter& layout, const Line& line,
               const Shaped* shaped, POINT at, int lineWidth, int lh, UINT format, const RECT& clip) {
  int x = at.x, y = at.y;
  RECT cell = c.ToSurface({x, y, x + lineWidth, y + lh});
  if (!(format & DT_NOCLIP)) cell = Intersect(cell, clip);
  if (dc->state.bkMode == OPAQUE && !(format & DT_PREFIXONLY))
    FillRect(c, cell, SolidPaint(c, dc->state.bkColor), rop::kPatCopy);
  if (shaped && !(format & DT_PREFIXONLY))
    DrawShaped(c, *shaped, c.X(x), c.Y(y) + tm.tmAscent, dc->state.textColor, (format & DT_NOCLIP) ? nullptr : &clip);
  if (line.underline >= 0) {
    Geo g = layout.Measure(line.text);
    int ch = g.CharAt(line.underline);
    int x0 = g.Span(0, ch), x1 = g.Span(0, std::min(ch + 1, g.Chars()));
    RECT bar = c.ToSurface({x + x0, y + tm.tmAscent + 1, x + x1, y + tm.tmAscent + 2});
    if (!(format & DT_NOCLIP)) bar = Intersect(bar, clip);
    FillRect(c, bar, SolidPaint(c, dc->state.textColor), rop::kPatCopy);
  }
}

int DrawTextImpl(HDC hdc, char* text, int count, LPRECT rect, UINT format, LPDRAWTEXTPARAMS params) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || !rect || (!text && count != 0)) return 0;
  if (params && params->cbSize != sizeof(DRAWTEXTPARAMS)) return 0;
  if (count < 0) count = static_cast<int>(std::strlen(text));
  int tabs = 8;
  if (format & DT_TABSTOP) {
    tabs = (format >> 8) & 0xFF;
    format &= ~0xFF00u;  // the high byte is the tab length, not flags
  }
  if (params && params->iTabLength > 0 && (format & (DT_TABSTOP | DT_EXPANDTABS))) tabs = params->iTabLength;
  if (tabs <= 0) tabs = 8;

  const Face& face = FaceOf(dc);
  const TEXTMETRIC& tm = face.metrics;
  int lh = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
  bool calc = format & DT_CALCRECT;
  if (params) params->uiLengthDrawn = 0;
  if (count == 0) {
    if (calc) {
      rect->right = rect->left;
      rect->bottom = rect->top + ((format & DT_SINGLELINE) ? lh : 0);
    }
    return lh;
  }

  // Kept within GDI's coordinate range so that the arithmetic below cannot overflow.
  const RECT box{Clamp(rect->left), Clamp(rect->top), Clamp(rect->right), Clamp(rect->bottom)};
  int leftMargin = params ? Clamp(params->iLeftMargin) : 0, rightMargin = params ? Clamp(params->iRightMargin) : 0;
  int left = box.left + leftMargin, right = box.right - rightMargin;
  int width = right - left;
  int tabPixels = (format & DT_EXPANDTABS) ? tabs * tm.tmAveCharWidth : 0;
  Layouter layout(face, format, width, tabPixels);
  std::vector<Para> paras = Paragraphs(text, count, format);
  bool wrap = (format & DT_WORDBREAK) && !(format & DT_SINGLELINE);

  int y = box.top;
  if ((format & DT_SINGLELINE) && !calc) {
    if (format & DT_VCENTER) y = box.top + (box.bottom - box.top - lh) / 2;
    else if (format & DT_BOTTOM) y = box.bottom - lh;
  }

  std::optional<Canvas> canvas;
  if (!calc) canvas.emplace(dc);
  if (canvas && !canvas->Ok()) return 0;
  RECT clip{};
  if (canvas) clip = canvas->ToSurface(box);

  int maxWidth = 0;
  int processed = 0;
  bool modified = false, stop = false;
  for (const Para& para : paras) {
    // Character geometry is only needed to wrap; a line that is not wrapped
    // is measured as a whole (and only shortened if it does not fit).
    Geo geo = wrap ? layout.Measure(para.text) : Geo{};
    int pos = 0;
    do {
      bool last = !(format & DT_NOCLIP) && !calc && y + ((format & DT_EDITCONTROL) ? 2 * lh - 1 : lh) > box.bottom;
      Line line;
      if (last && wrap && (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))) {
        // The last line that shows takes the rest of the paragraph, cut short with an ellipsis.
        line = Layouter::Slice(para, geo, pos, geo.Chars());
        pos = geo.Chars();
      } else if (wrap) {
        line = layout.Next(para, geo, pos, wrap);
      } else {
        line = Layouter::Whole(para);
      }
      layout.Ellipsize(line);
      // Shaped once for both measuring and drawing; nothing is shaped in between.
      Shaped* shaped = line.text.empty() ? nullptr : &Shape(face, line.text, tabPixels);
      int lineWidth = shaped ? shaped->width : 0;
      maxWidth = std::max(maxWidth, lineWidth);
      processed = line.originEnd;
      if (line.ellipsized && (format & DT_MODIFYSTRING) && !modified && text) {
        ModifyString(text, count, line);
        modified = true;
      }
      if (canvas) {
        int x = left;
        if (format & DT_CENTER) x = left + (width - lineWidth) / 2;
        else if (format & DT_RIGHT) x = right - lineWidth;
        PaintLine(*canvas, dc, tm, layout, line, shaped, POINT{x, y}, lineWidth, lh, format, clip);
      }
      y += lh;
      if (last) stop = true;
    } while (!stop && wrap && pos < geo.Chars());
    if (stop) break;
  }
  if (!stop) processed = count;
  if (params) params->uiLengthDrawn = static_cast<UINT>(processed);

  if (calc) {
    rect->right = box.left + maxWidth + leftMargin + rightMargin;
    rect->bottom = y;
  }
  return y - box.top;
}

}  // namespace
}  // namespace nbp::gdi

int DrawText(HDC hdc, LPCTSTR text, int count, LPRECT rect, UINT format) {
  // Only DT_MODIFYSTRING writes to the text, and that is the caller's request.
  return nbp::gdi::DrawTextImpl(hdc, const_cast<char*>(text), count, rect, format, nullptr);
}

int DrawTextEx(HDC hdc, LPTSTR text, int count, LPRECT rect, UINT format, LPDRAWTEXTPARAMS params) {
  return nbp::gdi::DrawTextImpl(hdc, text, count, rect, format, params);
}
