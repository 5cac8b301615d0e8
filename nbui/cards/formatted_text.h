// Marked-up text drawn line by line, shared by the card view's bodies and
// the edit list: each line ends with a line feed (a last line without one
// is drawn too, and drawing stops at the end of the text); a tab lines
// values up at tabStop average characters, "<W>" wraps the line, a line
// with "<L>" (and neither) is a one-pixel patterned rule in the middle of a
// line height. Every "&" shows as itself. The caller selects the font and
// text color.
#pragma once

#include "mfc/dc.h"

#ifndef NBUI_API
#define NBUI_API __attribute__((visibility("default")))
#endif

namespace nbui {

// Returns the height used: the final top minus pRect's top. Stops once the
// rectangle is full.
NBUI_API int DrawFormattedLines(CDC* pDC, const char* text, const RECT* pRect, int tabStop);

}  // namespace nbui
