// Font realization (fontconfig through Pango), metrics as TEXTMETRIC, the
// shaped-line cache and text drawing.
#include "gdi/fonts.h"

#include <hb.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <list>
#include <memory>
#include <set>
#include <unordered_map>

#include "gdi/raster.h"
#include "nbp/display.h"
#include "nbp/utf8_step.h"

namespace nbp::gdi {
namespace {

constexpr const char* kSans = "DejaVu Sans";
constexpr const char* kMono = "DejaVu Sans Mono";
constexpr const char* kSerif = "DejaVu Serif";

struct FontSystem {
  PangoFontMap* map = nullptr;
  PangoContext* smooth = nullptr;
  PangoContext* aliased = nullptr;
  std::set<std::string> families;  // lower case
  std::set<std::string> monospace;
};

PangoContext* NewContext(PangoFontMap* map, cairo_antialias_t antialias) {
  PangoContext* ctx = pango_font_map_create_context(map);
  cairo_font_options_t* o = cairo_font_options_create();
  // Hinted metrics give whole-pixel advances, as GDI's character widths are.
  cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_ON);
  cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_FULL);
  cairo_font_options_set_antialias(o, antialias);
  pango_cairo_context_set_font_options(ctx, o);
  cairo_font_options_destroy(o);
  pango_cairo_context_set_resolution(ctx, 96);
  pango_context_set_round_glyph_positions(ctx, TRUE);
  return ctx;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

FontSystem& fonts() {
  static FontSystem* fs = [] {
    auto* f = new FontSystem;
    f->map = pango_cairo_font_map_new();
    f->smooth = NewContext(f->map, CAIRO_ANTIALIAS_GRAY);
    f->aliased = NewContext(f->map, CAIRO_ANTIALIAS_NONE);
    PangoFontFamily** list = nullptr;
    int n = 0;
    pango_font_map_list_families(f->map, &list, &n);
    for (int i = 0; i < n; ++i) {
      std::string name = Lower(pango_font_family_get_name(list[i]));
      f->families.insert(name);
      if (pango_font_family_is_monospace(list[i])) f->monospace.insert(name);
    }
    g_free(list);
    return f;
  }();
  return *fs;
}

// Windows face names map to the platform's faces so that layouts do not
// depend on which fonts a machine happens to have.
std::string ResolveFamily(const LOGFONT& lf) {
  static const std::unordered_map<std::string, const char*> kAliases = {
      {"ms sans serif", kSans},     {"microsoft sans serif", kSans}, {"ms shell dlg", kSans},
      {"ms shell dlg 2", kSans},    {"tahoma", kSans},               {"arial", kSans},
      {"helvetica", kSans},         {"verdana", kSans},              {"segoe ui", kSans},
      {"system", kSans},            {"lucida sans unicode", kSans},  {"trebuchet ms", kSans},
      {"calibri", kSans},           {"small fonts", kSans},          {"courier new", kMono},
      {"courier", kMono},           {"lucida console", kMono},       {"consolas", kMono},
      {"fixedsys", kMono},          {"terminal", kMono},             {"times new roman", kSerif},
      {"times", kSerif},            {"georgia", kSerif},             {"ms serif", kSerif},
      {"garamond", kSerif},         {"book antiqua", kSerif},        {"cambria", kSerif},
  };
  FontSystem& fs = fonts();
  auto installed = [&](const char* family) { return fs.families.count(Lower(family)) > 0; };
  char face[LF_FACESIZE + 1] = {};
  std::memcpy(face, lf.lfFaceName, LF_FACESIZE);
  std::string key = Lower(face);
  const char* wanted = nullptr;
  if (auto it = kAliases.find(key); it != kAliases.end()) wanted = it->second;
  else if (!key.empty() && installed(face)) return face;
  else if ((lf.lfPitchAndFamily & 0x3) == FIXED_PITCH || (lf.lfPitchAndFamily & 0xF0) == FF_MODERN) wanted = kMono;
  else if ((lf.lfPitchAndFamily & 0xF0) == FF_ROMAN) wanted = kSerif;
  else wanted = kSans;
  return installed(wanted) ? wanted : kSans;
}

int Rounded(double v) { return static_cast<int>(v >= 0 ? v + 0.5 : v - 0.5); }

// Reads a big-endian 16-bit field of a font table; `fallback` when absent.
int TableField(hb_face_t* face, hb_tag_t tag, unsigned offset, bool isSigned, int fallback) {
  hb_blob_t* blob = hb_face_reference_table(face, tag);
  unsigned length = 0;
  const char* data = hb_blob_get_data(blob, &length);
  int value = fallback;
  if (data && length >= offset + 2) {
    unsigned raw = (static_cast<unsigned char>(data[offset]) << 8) | static_cast<unsigned char>(data[offset + 1]);
    value = isSigned ? static_cast<int16_t>(raw) : static_cast<int>(raw);
  }
  hb_blob_destroy(blob);
  return value;
}

struct Measured {
  int ascent = 0, descent = 0, lineGap = 0, avgWidth = 0, maxWidth = 0;
};

Measured Measure(PangoContext* ctx, const PangoFontDescription* desc, int em) {
  Measured m;
  PangoFont* font = pango_font_map_load_font(fonts().map, ctx, desc);
  if (!font) return m;
  PangoFontMetrics* metrics = pango_font_get_metrics(font, nullptr);
  m.ascent = PANGO_PIXELS(pango_font_metrics_get_ascent(metrics));
  m.descent = PANGO_PIXELS(pango_font_metrics_get_descent(metrics));
  int approx = PANGO_PIXELS(pango_font_metrics_get_approximate_char_width(metrics));
  pango_font_metrics_unref(metrics);
  hb_font_t* hb = pango_font_get_hb_font(font);
  hb_face_t* face = hb ? hb_font_get_face(hb) : nullptr;
  if (face) {
    double scale = static_cast<double>(em) / hb_face_get_upem(face);
    int avg = TableField(face, HB_TAG('O', 'S', '/', '2'), 2, true, 0);
    int maxAdvance = TableField(face, HB_TAG('h', 'h', 'e', 'a'), 10, false, 0);
    int gap = TableField(face, HB_TAG('h', 'h', 'e', 'a'), 8, true, 0);
    m.avgWidth = avg > 0 ? Rounded(avg * scale) : approx;
    m.maxWidth = maxAdvance > 0 ? Rounded(maxAdvance * scale) : approx * 2;
    m.lineGap = gap > 0 ? Rounded(gap * scale) : 0;
  } else {
    m.avgWidth = approx;
    m.maxWidth = approx * 2;
  }
  g_object_unref(font);
  return m;
}

struct FaceCache {
  std::unordered_map<std::string, std::unique_ptr<Face>> faces;
};

FaceCache& faceCache() {
  static FaceCache* c = new FaceCache;
  return *c;
}

std::unique_ptr<Face> NewFace(const LOGFONT& lf) {
  auto face = std::make_unique<Face>();
  FontSystem& fs = fonts();
  face->family = ResolveFamily(lf);
  face->context = lf.lfQuality == NONANTIALIASED_QUALITY ? fs.aliased : fs.smooth;
  bool bold = lf.lfWeight >= FW_SEMIBOLD;
  PangoFontDescription* d = pango_font_description_new();
  pango_font_description_set_family(d, face->family.c_str());
  pango_font_description_set_weight(d, bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(d, lf.lfItalic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);

  // lfHeight < 0 asks for a character (em) height, > 0 for a cell height
  // (ascent + descent), 0 for the default size.
  int dpi = nbp::display::LogPixels();
  int em;
  Measured m;
  auto measureAt = [&](int size) {
    pango_font_description_set_absolute_size(d, static_cast<double>(size) * PANGO_SCALE);
    return Measure(face->context, d, size);
  };
  if (lf.lfHeight < 0) {
    em = std::min(-lf.lfHeight, 2048);
    m = measureAt(em);
  } else if (lf.lfHeight > 0) {
    int cell = std::min(lf.lfHeight, 2048);
    Measured ref = measureAt(cell);
    int refHeight = std::max(1, ref.ascent + ref.descent);
    em = std::max(1, cell * cell / refHeight);
    m = measureAt(em);
    while (em > 1 && m.ascent + m.descent > cell) m = measureAt(--em);
    while (true) {
      Measured bigger = measureAt(em + 1);
      if (bigger.ascent + bigger.descent > cell) break;
      ++em;
      m = bigger;
    }
    pango_font_description_set_absolute_size(d, static_cast<double>(em) * PANGO_SCALE);
  } else {
    em = (8 * dpi + 36) / 72;
    m = measureAt(em);
  }
  face->description = d;
  face->emPixels = em;

  if (lf.lfUnderline || lf.lfStrikeOut) {
    face->attributes = pango_attr_list_new();
    if (lf.lfUnderline) pango_attr_list_insert(face->attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (lf.lfStrikeOut) pango_attr_list_insert(face->attributes, pango_attr_strikethrough_new(TRUE));
  }

  TEXTMETRIC& tm = face->metrics;
  tm.tmAscent = m.ascent;
  tm.tmDescent = m.descent;
  tm.tmHeight = m.ascent + m.descent;
  tm.tmInternalLeading = std::max(0, tm.tmHeight - em);
  tm.tmExternalLeading = m.lineGap;
  tm.tmAveCharWidth = std::max(1, m.avgWidth);
  tm.tmMaxCharWidth = std::max(tm.tmAveCharWidth, m.maxWidth);
  tm.tmWeight = bold ? FW_BOLD : FW_NORMAL;
  tm.tmOverhang = 0;
  tm.tmDigitizedAspectX = dpi;
  tm.tmDigitizedAspectY = dpi;
  tm.tmFirstChar = 0x20;
  tm.tmLastChar = 0xFF;
  tm.tmDefaultChar = '?';
  tm.tmBreakChar = ' ';
  tm.tmItalic = lf.lfItalic ? 0xFF : 0;
  tm.tmUnderlined = lf.lfUnderline ? 0xFF : 0;
  tm.tmStruckOut = lf.lfStrikeOut ? 0xFF : 0;
  bool mono = fs.monospace.count(Lower(face->family)) > 0;
  BYTE family = mono ? FF_MODERN : face->family == kSerif ? FF_ROMAN : FF_SWISS;
  // TMPF_FIXED_PITCH set means a variable-pitch font.
  tm.tmPitchAndFamily = static_cast<BYTE>((mono ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR | TMPF_TRUETYPE | family);
  tm.tmCharSet = lf.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : lf.lfCharSet;
  return face;
}

// --- shaped lines --------------------------------------------------------

struct ShapeCache {
  static constexpr size_t kCapacity = 2048;
  struct Entry {
    std::string key;
    Shaped shaped;
  };
  std::list<Entry> order;  // most recent first
  std::unordered_map<std::string_view, std::list<Entry>::iterator> index;
};

ShapeCache& shapeCache() {
  static ShapeCache* c = new ShapeCache;
  return *c;
}

int DecodeOne(const unsigned char* s, int n, uint32_t& cp) {
  size_t len = nbp::utf8::CharLen(s, static_cast<size_t>(n));
  cp = nbp::utf8::Decode(s, len);
  return cp >= nbp::utf8::kStrayBase ? 0 : static_cast<int>(len);
}

}  // namespace

const Face& Realize(const LOGFONT& lf) {
  LOGFONT key = lf;
  key.lfFaceName[LF_FACESIZE - 1] = 0;
  size_t nameLength = std::strlen(key.lfFaceName);
  std::memset(key.lfFaceName + nameLength, 0, LF_FACESIZE - nameLength);
  if (key.lfHeight == 0) key.lfHeight = -((8 * nbp::display::LogPixels() + 36) / 72);
  std::string k(reinterpret_cast<const char*>(&key), sizeof key);
  auto& faces = faceCache().faces;
  auto it = faces.find(k);
  if (it == faces.end()) it = faces.emplace(k, NewFace(key)).first;
  return *it->second;
}

const Face& FaceOf(Dc* dc) {
  Font* f = dc->state.font;
  int dpi = nbp::display::LogPixels();
  if (!f->realized || f->realizedDpi != dpi) {
    f->realized = &Realize(f->Effective());
    f->realizedDpi = dpi;
  }
  return *static_cast<const Face*>(f->realized);
}

Utf8 Sanitize(const char* text, int count, bool keepTabs) {
  Utf8 out;
  if (!text || count <= 0) {
    out.origin.push_back(0);
    return out;
  }
  out.text.reserve(static_cast<size_t>(count));
  out.origin.reserve(static_cast<size_t>(count) + 1);
  auto s = reinterpret_cast<const unsigned char*>(text);
  auto append = [&](const char* bytes, int n, int from) {
    out.text.append(bytes, static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) out.origin.push_back(from);
  };
  int i = 0;
  while (i < count) {
    uint32_t cp;
    int len = DecodeOne(s + i, count - i, cp);
    if (len == 0) {
      append("\xEF\xBF\xBD", 3, i);
      i += 1;
    } else if (cp == '\t') {
      append(keepTabs ? "\t" : " ", 1, i);
      i += 1;
    } else if (cp < 0x20 || cp == 0x7F) {
      append("\xE2\x80\x8B", 3, i);
      i += 1;
    } else {
      append(text + i, len, i);
      i += len;
    }
  }
  out.origin.push_back(count);
  return out;
}

Shaped& Shape(const Face& face, std::string_view text, int tabPixels) {
  ShapeCache& cache = shapeCache();
  std::string key;
  key.reserve(text.size() + sizeof(void*) + sizeof(int));
  const Face* fp = &face;
  key.append(reinterpret_cast<const char*>(&fp), sizeof fp);
  key.append(reinterpret_cast<const char*>(&tabPixels), sizeof tabPixels);
  key.append(text);
  if (auto it = cache.index.find(key); it != cache.index.end()) {
    cache.order.splice(cache.order.begin(), cache.order, it->second);
    return it->second->shaped;
  }
  // The least recently used entry makes room, and its layout object is
  // reused: making a new one costs about as much as shaping a short line.
  PangoLayout* layout = nullptr;
  if (cache.order.size() >= ShapeCache::kCapacity) {
    ShapeCache::Entry& last = cache.order.back();
    cache.index.erase(last.key);
    if (pango_layout_get_context(last.shaped.layout) == face.context) layout = last.shaped.layout;
    else g_object_unref(last.shaped.layout);
    cache.order.pop_back();
  }
  cache.order.push_front({std::move(key), Shaped{}});
  ShapeCache::Entry& e = cache.order.front();
  cache.index.emplace(e.key, cache.order.begin());

  if (!layout) layout = pango_layout_new(face.context);
  pango_layout_set_font_description(layout, face.description);
  pango_layout_set_single_paragraph_mode(layout, TRUE);
  pango_layout_set_attributes(layout, face.attributes);
  if (tabPixels > 0) {
    PangoTabArray* tabs = pango_tab_array_new_with_positions(1, TRUE, PANGO_TAB_LEFT, tabPixels);
    pango_layout_set_tabs(layout, tabs);
    pango_tab_array_free(tabs);
  } else {
    pango_layout_set_tabs(layout, nullptr);
  }
  pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
  PangoRectangle logical;
  pango_layout_get_extents(layout, nullptr, &logical);
  e.shaped.layout = layout;
  e.shaped.width = PANGO_PIXELS(logical.width);
  return e.shaped;
}

void Geometry(Shaped& shaped, std::string_view text) {
  if (shaped.hasGeometry) return;
  shaped.hasGeometry = true;
  shaped.starts.clear();
  for (size_t i = 0; i < text.size();) {
    shaped.starts.push_back(static_cast<int>(i));
    i += nbp::utf8::CharLen(text.data() + i, text.size() - i);
  }
  size_t chars = shaped.starts.size();
  shaped.starts.push_back(static_cast<int>(text.size()));
  std::vector<int> widths(chars, 0);
  auto charAt = [&](int byte) {
    return static_cast<size_t>(std::lower_bound(shaped.starts.begin(), shaped.starts.end(), byte) - shaped.starts.begin());
  };
  PangoLayoutLine* line = pango_layout_get_line_readonly(shaped.layout, 0);
  const char* base = pango_layout_get_text(shaped.layout);
  for (GSList* run = line ? line->runs : nullptr; run; run = run->next) {
    auto* item = static_cast<PangoGlyphItem*>(run->data);
    int n = item->item->num_chars;
    std::vector<int> logical(static_cast<size_t>(n));
    pango_glyph_item_get_logical_widths(item, base, logical.data());
    size_t first = charAt(item->item->offset);
    for (int k = 0; k < n && first + k < chars; ++k) widths[first + k] = logical[k];
  }
  shaped.edges.assign(chars, 0);
  long sum = 0;
  for (size_t k = 0; k < chars; ++k) {
    sum += widths[k];
    shaped.edges[k] = PANGO_PIXELS(sum);
  }
}

void DrawShaped(Canvas& canvas, const Shaped& shaped, int x, int baseline, COLORREF color, const RECT* clip) {
  Dc* dc = canvas.DC();
  const Face& face = FaceOf(dc);
  const TEXTMETRIC& tm = face.metrics;
  // Glyphs may reach a little beyond the cell (italics, accents).
  RECT extent{x - tm.tmMaxCharWidth, baseline - tm.tmAscent - tm.tmHeight, x + shaped.width + tm.tmMaxCharWidth,
              baseline + tm.tmDescent + tm.tmHeight};
  if (clip) extent = Intersect(extent, *clip);
  cairo_t* cr = dc->Cairo();
  cairo_save(cr);
  cairo_new_path(cr);
  bool any = false;
  RECT touched{0, 0, 0, 0};
  for (const RECT& r : canvas.Clip()) {
    RECT a = Intersect(r, extent);
    if (Empty(a)) continue;
    cairo_rectangle(cr, a.left, a.top, a.right - a.left, a.bottom - a.top);
    touched = any ? RECT{std::min(touched.left, a.left), std::min(touched.top, a.top), std::max(touched.right, a.right),
                         std::max(touched.bottom, a.bottom)}
                  : a;
    any = true;
  }
  if (!any) {
    cairo_restore(cr);
    return;
  }
  canvas.BeginCairo();
  cairo_clip(cr);
  uint32_t p = canvas.Pixel(color);
  cairo_set_source_rgb(cr, ((p >> 16) & 0xFF) / 255.0, ((p >> 8) & 0xFF) / 255.0, (p & 0xFF) / 255.0);
  cairo_move_to(cr, x, baseline);
  pango_cairo_show_layout_line(cr, pango_layout_get_line_readonly(shaped.layout, 0));
  cairo_restore(cr);
  canvas.EndCairo();
  if (canvas.Mono()) {
    // A monochrome bitmap holds black and white only.
    for (int y = touched.top; y < touched.bottom; ++y) {
      uint32_t* row = canvas.Row(y);
      for (int xx = touched.left; xx < touched.right; ++xx) row[xx] = MonoPixel(row[xx]);
    }
  }
}

}  // namespace nbp::gdi
