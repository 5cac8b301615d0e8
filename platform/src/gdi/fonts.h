// Fonts realized through Pango and fontconfig, shaped lines of text (kept
// in a cache, since windows repaint the same strings over and over), and
// the drawing of a shaped line onto a DC.
#pragma once

#include <pango/pango.h>

#include <string>
#include <string_view>
#include <vector>

#include "gdi/objects.h"

namespace nbp::gdi {

class Canvas;

// A LOGFONT turned into a Pango font description and GDI metrics.
struct Face {
  PangoFontDescription* description = nullptr;
  PangoContext* context = nullptr;  // antialiased, or not for NONANTIALIASED_QUALITY
  PangoAttrList* attributes = nullptr;  // underline and strikeout, or null
  TEXTMETRIC metrics{};
  std::string family;  // the family used, as GetTextFace reports it
  int emPixels = 0;
};

// The face of the font selected into a DC (realized once per LOGFONT).
const Face& FaceOf(Dc* dc);
const Face& Realize(const LOGFONT& lf);

// Text as Pango takes it: valid UTF-8 without control characters. Invalid
// bytes become U+FFFD; `origin` maps every byte (and the end) back to the
// byte offset in the caller's text.
struct Utf8 {
  std::string text;
  std::vector<int> origin;
};
// Tabs become spaces unless `keepTabs`; line breaks and other control
// characters become zero-width spaces.
Utf8 Sanitize(const char* text, int count, bool keepTabs);

// A line shaped with a face. Character geometry is worked out on demand.
struct Shaped {
  PangoLayout* layout = nullptr;
  int width = 0;                 // pixels
  std::vector<int> starts;       // byte offset of each character, and the text's length at the end
  std::vector<int> edges;        // pixel offset after each character (prefix widths), filled by Geometry
  bool hasGeometry = false;
};

// `tabPixels` > 0 sets tab stops every tabPixels (text keeps its tabs).
// The result stays valid until the next call.
Shaped& Shape(const Face& face, std::string_view text, int tabPixels = 0);
void Geometry(Shaped& shaped, std::string_view text);

// Draws a shaped line with its baseline at (x, baseline) (surface
// coordinates) in `color`, clipped to the canvas clip and to `clip` (surface
// coordinates) when given.
void DrawShaped(Canvas& canvas, const Shaped& shaped, int x, int baseline, COLORREF color, const RECT* clip);

}  // namespace nbp::gdi
