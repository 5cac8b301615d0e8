// Painting the edit control: the background and colors the parent chooses
// (WM_CTLCOLOREDIT, or WM_CTLCOLORSTATIC when read-only or disabled), the
// visible lines, and the selection in the highlight colors. Painting reads
// the state and draws; it changes nothing.
#include <algorithm>

#include "user/controls/edit/edit_control.h"
#include "user/window/system_classes.h"
#include "win/gdi.h"
#include "win/syscolors.h"

namespace nbp::user::edit {
namespace {

struct LinePainter {
  const Edit* e;
  HDC dc;
  const Line& line;
  std::vector<int> edges;
  int left;
  int top;

  int XAt(size_t rel) const { return left + (rel > 0 ? edges[rel - 1] : 0); }

  // Draws the line's bytes [from, to); tabs are gaps, password characters
  // stand in for the text.
  void Run(size_t from, size_t to) const {
    if (from >= to) return;
    std::string_view text = std::string_view(e->text).substr(line.start, line.length);
    if (!e->passwordChar.empty()) {
      std::string shown;
      for (size_t i = from; i < to; i = NextChar(text, i)) shown += e->passwordChar;
      TextOut(dc, XAt(from), top, shown.data(), static_cast<int>(shown.size()));
      return;
    }
    size_t run = from;
    for (size_t i = from; i <= to; ++i) {
      if (i < to && text[i] != '\t') continue;
      if (i > run) TextOut(dc, XAt(run), top, text.data() + run, static_cast<int>(i - run));
      run = i + 1;
    }
  }
};

}  // namespace

void Paint(Edit* e, HDC dc) {
  HWND hwnd = e->hwnd;
  RECT client{};
  GetClientRect(hwnd, &client);
  bool enabled = IsWindowEnabled(hwnd) != 0;

  HBRUSH owned = nullptr;
  HBRUSH background;
  if (e->rich) {
    // A rich edit keeps its own background color and asks no one.
    COLORREF color = e->systemBackground ? GetSysColor(COLOR_WINDOW) : e->background;
    owned = CreateSolidBrush(color);
    background = owned;
    SetBkColor(dc, color);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  } else {
    background = ParentControlColor(hwnd, dc, (!enabled || e->ReadOnly()) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
  }
  if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  FillRect(dc, &client, background);
  if (owned) DeleteObject(owned);

  int saved = SaveDC(dc);
  SelectObject(dc, e->font ? static_cast<HGDIOBJ>(e->font) : GetStockObject(SYSTEM_FONT));
  SetBkMode(dc, TRANSPARENT);
  RECT clip{std::max(client.left, e->format.left), std::max(client.top, e->format.top),
            std::min(client.right, e->format.right), std::min(client.bottom, e->format.bottom)};
  IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);

  COLORREF textColor = GetTextColor(dc);
  bool hidden = e->rich ? e->hideSelection || (!e->focused && !(e->style & ES_NOHIDESEL))
                        : !e->focused && !(e->style & ES_NOHIDESEL);
  bool showSelection = e->SelStart() != e->SelEnd() && !hidden;

  size_t first = e->Multiline() ? e->topLine : 0;
  size_t last = std::min(e->layout.Count(), first + VisibleLines(e) + 1);
  for (size_t i = first; i < last; ++i) {
    const Line& line = e->layout.At(i);
    LinePainter p{e, dc, line, {}, LineLeft(e, i), LineTop(e, i)};
    if (p.top >= clip.bottom) break;
    LineEdges(e, i, &p.edges);
    size_t selFrom = 0, selTo = 0;
    if (showSelection && e->SelEnd() > line.start && e->SelStart() < line.End()) {
      selFrom = std::max(e->SelStart(), line.start) - line.start;
      selTo = std::min(e->SelEnd(), line.End()) - line.start;
    }
    if (selFrom == selTo) {
      p.Run(0, line.length);
      continue;
    }
    p.Run(0, selFrom);
    RECT band{p.XAt(selFrom), p.top, p.XAt(selTo), p.top + e->lineHeight};
    FillRect(dc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    p.Run(selFrom, selTo);
    SetTextColor(dc, textColor);
    p.Run(selTo, line.length);
  }
  RestoreDC(dc, saved);
}

}  // namespace nbp::user::edit
