// The tab control's arithmetic, without windows: natural tab widths, the
// squeeze to equal widths when the tabs don't fit, and the shortening of a
// label to the room it has.
#pragma once

#include <functional>

#include "frame/nbui_export.h"
#include "mfc/cstring.h"

namespace nbui::tabs {

// The margin M between a tab's edges and its contents.
constexpr int kMargin = 3;
// Width and height of a tab's icon.
constexpr int kIconSize = 16;

// A tab's natural width for a text of textWidth pixels: the text, two
// margins and 12 pixels of air, plus a margin and the icon when it has one;
// never less than M + 8.
NBUI_API int NaturalWidth(int textWidth, bool hasIcon);

struct Span {
  int left;
  int width;
};

// Where tab k of n goes when the tabs are squeezed into clientWidth pixels:
// equal widths of clientWidth / n from x = 1, the last tab taking what is
// left. n must be positive.
NBUI_API Span Squeezed(int k, int n, int clientWidth);

// The label to draw in `room` pixels, measured by `width`: the text itself
// when it fits; else its longest head of at least one character followed by
// "..." that fits; else "X..." (X its first character) cut from the end,
// a byte-safe character at a time, down to what fits, possibly nothing.
// Heads are cut on character boundaries (LeftAndValidateDec). The head is
// found by halving, on the rule that a longer head is never narrower, so a
// long text costs a logarithmic number of measurements.
NBUI_API CString FitLabel(const CString& text, int room, const std::function<int(const CString&)>& width);

}  // namespace nbui::tabs
