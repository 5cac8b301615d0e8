// The edit control's geometry: measuring, the formatting rectangle, where a
// position shows and which position a point hits, scrolling and the caret.
//
//   client ┌──────────────────────────────┐
//          │┌format──────────────────────┐│  margins left and right
//          ││ line topLine               ││  one lineHeight per line
//          ││ line topLine + 1           ││
//          │└────────────────────────────┘│
//          └──────────────────────────────┘
//
// Horizontal scrolling (xOffset) moves every line left; a multi-line edit
// that wraps never scrolls horizontally.
#include <algorithm>

#include "user/controls/edit/edit_control.h"
#include "win/gdi.h"

namespace nbp::user::edit {
namespace {

int FormatWidth(const Edit* e) { return std::max(0, static_cast<int>(e->format.right - e->format.left)); }

// Lines down from topLine can be negative when the line is above the view.
int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

size_t MaxTopLine(const Edit* e) {
  size_t count = e->layout.Count();
  size_t visible = VisibleLines(e);
  return count > visible ? count - visible : 0;
}

int MaxXOffset(const Edit* e) { return std::max(0, e->layout.MaxWidth() - FormatWidth(e) + 1); }

bool ScrollsHorizontally(const Edit* e) {
  if (e->Multiline()) return !e->Wraps();
  return (e->style & ES_AUTOHSCROLL) != 0 || e->rich;
}

}  // namespace

void DcMeasurer::Edges(std::string_view text, std::vector<int>* edges) const {
  HDC dc = e_->measureDc;
  edges->assign(text.size(), 0);
  if (!e_->passwordChar.empty()) {
    SIZE one{};
    GetTextExtentPoint32(dc, e_->passwordChar.data(), static_cast<int>(e_->passwordChar.size()), &one);
    int x = 0;
    for (size_t i = 0; i < text.size();) {
      size_t next = NextChar(text, i);
      x += one.cx;
      std::fill(edges->begin() + static_cast<std::ptrdiff_t>(i), edges->begin() + static_cast<std::ptrdiff_t>(next), x);
      i = next;
    }
    return;
  }
  // Tabs jump to the next tab stop; the runs between them are measured whole.
  std::vector<int> partial;
  int x = 0;
  size_t run = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\t') continue;
    if (i > run) {
      partial.assign(i - run, 0);
      SIZE size{};
      GetTextExtentExPoint(dc, text.data() + run, static_cast<int>(i - run), 0, nullptr, partial.data(), &size);
      for (size_t j = 0; j < partial.size(); ++j) (*edges)[run + j] = x + partial[j];
      x += size.cx;
    }
    if (i < text.size()) {
      int tab = std::max(1, e_->tabWidth);
      x = (x / tab + 1) * tab;
      (*edges)[i] = x;
    }
    run = i + 1;
  }
}

void ApplyFont(Edit* e, HFONT font) {
  e->font = font;
  HGDIOBJ chosen = font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT);
  if (!SelectObject(e->measureDc, chosen)) SelectObject(e->measureDc, GetStockObject(SYSTEM_FONT));
  TEXTMETRIC tm{};
  GetTextMetrics(e->measureDc, &tm);
  e->lineHeight = std::max<int>(1, tm.tmHeight);
  e->averageCharWidth = std::max<int>(1, tm.tmAveCharWidth);
  // Tab stops every 32 dialog units: eight average characters.
  e->tabWidth = std::max<int>(1, 8 * tm.tmAveCharWidth);
}

void ResetFormatRect(Edit* e) {
  RECT client{};
  GetClientRect(e->hwnd, &client);
  SetFormatRect(e, client);
}

void SetFormatRect(Edit* e, const RECT& r) {
  LONG left = r.left + e->leftMargin;
  e->format = RECT{left, r.top, std::max(left, r.right - e->rightMargin), std::max(r.top, r.bottom)};
}

void Relayout(Edit* e) {
  e->layoutStale = false;
  e->layout.Configure(!e->Multiline(), e->Wraps() ? std::max(1, FormatWidth(e)) : 0);
  e->layout.Rebuild(e->text, DcMeasurer(e));
  e->topLine = std::min(e->topLine, MaxTopLine(e));
  e->xOffset = std::clamp(e->xOffset, 0, MaxXOffset(e));
}

size_t VisibleLines(const Edit* e) {
  int height = e->format.bottom - e->format.top;
  return static_cast<size_t>(std::max(1, height / e->lineHeight));
}

int LineTop(const Edit* e, size_t line) {
  return e->format.top + (static_cast<int>(line) - static_cast<int>(e->topLine)) * e->lineHeight;
}

int LineLeft(const Edit* e, size_t line) {
  int spare = FormatWidth(e) - e->layout.At(line).width;
  int align = 0;
  if (spare > 0) {
    if (e->style & ES_RIGHT) align = spare - 1;
    else if (e->style & ES_CENTER) align = spare / 2;
  }
  return e->format.left - e->xOffset + align;
}

void LineEdges(const Edit* e, size_t line, std::vector<int>* edges) {
  const Line& l = e->layout.At(line);
  DcMeasurer(e).Edges(std::string_view(e->text).substr(l.start, l.length), edges);
}

POINT PointOfPosition(const Edit* e, size_t pos, bool afterWrap) {
  size_t line = e->layout.LineOf(pos, afterWrap);
  const Line& l = e->layout.At(line);
  size_t rel = std::min(pos, l.End()) - std::min(pos, l.start);
  int x = LineLeft(e, line);
  if (rel > 0) {
    std::vector<int> edges;
    LineEdges(e, line, &edges);
    x += edges[rel - 1];
  }
  return POINT{x, LineTop(e, line)};
}

size_t PositionAtPoint(const Edit* e, POINT p, bool onChar, bool* afterWrap, size_t* lineOut) {
  int rows = FloorDiv(p.y - e->format.top, e->lineHeight);
  long long index = static_cast<long long>(e->topLine) + rows;
  index = std::clamp<long long>(index, 0, static_cast<long long>(e->layout.Count()) - 1);
  size_t line = static_cast<size_t>(index);
  if (lineOut) *lineOut = line;
  if (afterWrap) *afterWrap = false;
  const Line& l = e->layout.At(line);
  std::vector<int> edges;
  LineEdges(e, line, &edges);
  std::string_view text = std::string_view(e->text).substr(l.start, l.length);
  int x = p.x - LineLeft(e, line);
  for (size_t i = 0; i < text.size(); i = NextChar(text, i)) {
    int left = i > 0 ? edges[i - 1] : 0;
    int right = edges[i];
    if (onChar ? x < right : x < (left + right) / 2) return l.start + i;
  }
  // Past the end of a wrapped line: the end of this line, not the next one.
  if (afterWrap) *afterWrap = l.breakLength == 0 && line + 1 < e->layout.Count();
  return l.End();
}

void ScrollCaretIntoView(Edit* e) {
  size_t oldTop = e->topLine;
  int oldX = e->xOffset;
  e->topLine = std::min(e->topLine, MaxTopLine(e));
  if (e->Multiline()) {
    size_t visible = VisibleLines(e);
    size_t line = e->layout.LineOf(e->caret, e->afterWrap);
    if (line < e->topLine) e->topLine = line;
    else if (line >= e->topLine + visible) e->topLine = line - visible + 1;
  }
  if (!ScrollsHorizontally(e)) {
    e->xOffset = 0;
  } else {
    int width = FormatWidth(e);
    int x = PointOfPosition(e, e->caret, e->afterWrap).x + e->xOffset - e->format.left;
    // A caret leaving the view brings a quarter of the width along with it.
    if (x < e->xOffset) e->xOffset = std::max(0, x - width / 4);
    else if (x >= e->xOffset + width) e->xOffset = x - width + 1 + width / 4;
    e->xOffset = std::max(0, e->xOffset);
    if (e->layout.MaxWidth() < width) e->xOffset = 0;
  }
  if (e->topLine != oldTop || e->xOffset != oldX) {
    InvalidateRect(e->hwnd, nullptr, FALSE);
    UpdateScrollBars(e);
  }
  UpdateCaret(e);
}

bool ScrollBy(Edit* e, int lines, int pixels) {
  size_t oldTop = e->topLine;
  int oldX = e->xOffset;
  if (e->Multiline()) {
    long long top = static_cast<long long>(e->topLine) + lines;
    e->topLine = static_cast<size_t>(std::clamp<long long>(top, 0, static_cast<long long>(MaxTopLine(e))));
  }
  if (ScrollsHorizontally(e)) e->xOffset = std::clamp(e->xOffset + pixels, 0, MaxXOffset(e));
  if (e->topLine == oldTop && e->xOffset == oldX) return false;
  InvalidateRect(e->hwnd, nullptr, FALSE);
  UpdateScrollBars(e);
  UpdateCaret(e);
  return true;
}

void UpdateScrollBars(Edit* e) {
  DWORD style = static_cast<DWORD>(GetWindowLong(e->hwnd, GWL_STYLE));
  if (!e->Multiline()) return;
  // The bars stay, disabled, while everything fits, as the edit control keeps them.
  if (style & WS_VSCROLL) {
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0,
                  static_cast<int>(e->layout.Count()) - 1, static_cast<UINT>(VisibleLines(e)),
                  static_cast<int>(e->topLine), 0};
    SetScrollInfo(e->hwnd, SB_VERT, &si, TRUE);
  }
  if ((style & WS_HSCROLL) && !e->Wraps()) {
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0,
                  std::max(0, e->layout.MaxWidth()), static_cast<UINT>(FormatWidth(e)), e->xOffset, 0};
    SetScrollInfo(e->hwnd, SB_HORZ, &si, TRUE);
  }
}

void UpdateCaret(Edit* e) {
  if (!e->focused) return;
  POINT p = PointOfPosition(e, e->caret, e->afterWrap);
  SetCaretPos(p.x, p.y);
}

}  // namespace nbp::user::edit
