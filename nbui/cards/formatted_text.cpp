// Marked-up text, line by line.
#include "cards/formatted_text.h"

#include <string>

#include "NbThemes/nbthemes.h"
#include "mfc/gdiobj.h"

namespace {

template <class Fn>
void ForEachLine(const std::string& text, Fn&& fn) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    if (!fn(text.substr(start, end - start))) return;
    start = end + 1;
  }
}

// Draws one line; returns the new top.
int DrawLine(CDC* pDC, std::string line, const CRect& r, int tabStop, int lineHeight) {
  if (line.empty()) line.push_back(' ');
  bool tab = line.find('\t') != std::string::npos;
  size_t wrapAt = line.find("<W>");
  bool wrap = wrapAt != std::string::npos;
  if (wrap) line = line.substr(0, wrapAt) + line.substr(wrapAt + 3);
  bool rule = !tab && !wrap && line.find("<L>") != std::string::npos;
  CRect rc = r;
  if (tab || (!wrap && !rule)) {
    // The tab width in average characters travels in the format's high byte.
    UINT format = static_cast<UINT>((tabStop & 0xFF) << 8) | DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP;
    return r.top + pDC->DrawText(line.c_str(), static_cast<int>(line.size()), &rc, format);
  }
  if (wrap) return r.top + pDC->DrawText(line.c_str(), static_cast<int>(line.size()), &rc, DT_WORDBREAK | DT_END_ELLIPSIS);
  int y = r.top + (lineHeight >> 1);
  CBrush pattern;
  if (CBitmap* bits = NbThemeGetPatternBitmap(); bits && pattern.CreatePatternBrush(bits)) {
    CRect line1(r.left, y, r.right, y + 1);
    pDC->FillRect(&line1, &pattern);
  }
  return y + 1 + (lineHeight >> 1);
}

}  // namespace

namespace nbui {

int DrawFormattedLines(CDC* pDC, const char* text, const RECT* pRect, int tabStop) {
  if (!pDC || !text || !pRect) return 0;
  // Neither drawing mode can take DT_NOPREFIX (its bit is part of the tab
  // width), so every "&" is doubled to show as itself.
  std::string body;
  for (const char* p = text; *p; ++p) {
    body += *p;
    if (*p == '&') body += '&';
  }
  TEXTMETRIC tm{};
  pDC->GetTextMetrics(&tm);
  int lineHeight = tm.tmHeight + tm.tmInternalLeading;
  CRect r = *pRect;
  ForEachLine(body, [&](const std::string& line) {
    r.top = DrawLine(pDC, line, r, tabStop, lineHeight);
    return r.top < r.bottom;
  });
  return r.top - pRect->top;
}

}  // namespace nbui
