// GDI painting speed against the same work done directly with cairo and
// Pango, measured in the same run. Each benchmark reports its own time per
// iteration (ms), the baseline's (baseline_ms) and ours / baseline (ratio).
//
//   full_paint          1280x800 bitmap: 2,000 FillRects and 500 DrawText lines,
//                       the same strings every frame (a repaint)
//   full_paint_new_text the same, with strings never seen before (no reuse of shaping)
//   drawtext_calc       one line measured with DT_CALCRECT
//   drawtext_draw       one line drawn
#include <benchmark/benchmark.h>
#include <pango/pangocairo.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "win/gdi.h"

namespace {

constexpr int kWidth = 1280, kHeight = 800, kRects = 2000, kLines = 500;

using Clock = std::chrono::steady_clock;

struct Scene {
  std::vector<RECT> rects;
  std::vector<COLORREF> colors;
  std::vector<RECT> lineRects;
  std::vector<std::string> lines;

  Scene() {
    uint32_t seed = 12345;
    auto next = [&](uint32_t n) {
      seed = seed * 1103515245u + 12345u;
      return (seed >> 8) % n;
    };
    rects.push_back({0, 0, kWidth, kHeight});
    colors.push_back(RGB(255, 255, 255));
    for (int i = 1; i < kRects; ++i) {
      int x = static_cast<int>(next(kWidth - 40)), y = static_cast<int>(next(kHeight - 20));
      int w = 10 + static_cast<int>(next(190)), h = 5 + static_cast<int>(next(55));
      rects.push_back({x, y, x + w, y + h});
      colors.push_back(RGB(next(256), next(256), next(256)));
    }
    static const char* kWords[] = {"Meeting", "with", "design", "team", "calendar", "review", "lunch",
                                   "Anniversary", "call", "back", "notes", "project", "phone:", "+1 555 0100"};
    for (int i = 0; i < kLines; ++i) {
      std::string s = std::to_string(9 + i % 10) + ":" + (i % 2 ? "30 " : "00 ");
      for (int k = 0; k < 6; ++k) s += std::string(kWords[next(14)]) + " ";
      lines.push_back(s);
      int column = i / 50, row = i % 50;
      lineRects.push_back({column * 128, row * 16, column * 128 + 126, row * 16 + 16});
    }
  }
};

const Scene& scene() {
  static Scene s;
  return s;
}

struct GdiTarget {
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
  std::vector<HBRUSH> brushes;
  GdiTarget() {
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateBitmap(kWidth, kHeight, 1, 32, nullptr);
    old = SelectObject(dc, bitmap);
    for (COLORREF c : scene().colors) brushes.push_back(CreateSolidBrush(c));
    SetBkMode(dc, TRANSPARENT);
  }
  ~GdiTarget() {
    for (HBRUSH b : brushes) DeleteObject(b);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
};

struct CairoTarget {
  cairo_surface_t* surface;
  cairo_t* cr;
  PangoLayout* layout;
  CairoTarget() {
    surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cr = cairo_create(surface);
    layout = pango_cairo_create_layout(cr);
    PangoFontDescription* d = pango_font_description_from_string("DejaVu Sans");
    pango_font_description_set_absolute_size(d, 11 * PANGO_SCALE);
    pango_layout_set_font_description(layout, d);
    pango_font_description_free(d);
  }
  ~CairoTarget() {
    g_object_unref(layout);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
  }
};

void PaintGdi(GdiTarget& t, const std::string& suffix) {
  const Scene& s = scene();
  for (int i = 0; i < kRects; ++i) FillRect(t.dc, &s.rects[i], t.brushes[i]);
  for (int i = 0; i < kLines; ++i) {
    RECT r = s.lineRects[i];
    if (suffix.empty()) {
      DrawText(t.dc, s.lines[i].c_str(), static_cast<int>(s.lines[i].size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    } else {
      std::string line = s.lines[i] + suffix;
      DrawText(t.dc, line.c_str(), static_cast<int>(line.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
  }
}

void PaintCairo(CairoTarget& t, const std::string& suffix) {
  const Scene& s = scene();
  cairo_t* cr = t.cr;
  for (int i = 0; i < kRects; ++i) {
    const RECT& r = s.rects[i];
    COLORREF c = s.colors[i];
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
    cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_fill(cr);
  }
  cairo_set_source_rgb(cr, 0, 0, 0);
  for (int i = 0; i < kLines; ++i) {
    const RECT& r = s.lineRects[i];
    std::string line = suffix.empty() ? s.lines[i] : s.lines[i] + suffix;
    pango_layout_set_text(t.layout, line.c_str(), static_cast<int>(line.size()));
    cairo_save(cr);
    cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_clip(cr);
    cairo_move_to(cr, r.left, r.top + 1);
    pango_cairo_show_layout(cr, t.layout);
    cairo_restore(cr);
  }
  cairo_surface_flush(t.surface);
}

// Runs `ours` in the timed loop, then the baseline as many times (at most
// 200), and reports both means and their ratio.
template <class Ours, class Baseline>
void Compare(benchmark::State& state, Ours&& ours, Baseline&& baseline) {
  double oursSeconds = 0;
  int64_t n = 0;
  for (auto _ : state) {
    auto t0 = Clock::now();
    ours(n);
    oursSeconds += std::chrono::duration<double>(Clock::now() - t0).count();
    ++n;
  }
  int64_t m = std::min<int64_t>(std::max<int64_t>(n, 1), 200);
  auto t0 = Clock::now();
  for (int64_t i = 0; i < m; ++i) baseline(i);
  double baseSeconds = std::chrono::duration<double>(Clock::now() - t0).count();
  double oursMs = 1000 * oursSeconds / static_cast<double>(std::max<int64_t>(n, 1));
  double baseMs = 1000 * baseSeconds / static_cast<double>(m);
  state.counters["ms"] = oursMs;
  state.counters["baseline_ms"] = baseMs;
  state.counters["ratio"] = baseMs > 0 ? oursMs / baseMs : 0;
}

void BM_FullPaint(benchmark::State& state) {
  GdiTarget gdi;
  CairoTarget cairo;
  Compare(state, [&](int64_t) { PaintGdi(gdi, ""); }, [&](int64_t) { PaintCairo(cairo, ""); });
}

void BM_FullPaintNewText(benchmark::State& state) {
  GdiTarget gdi;
  CairoTarget cairo;
  Compare(
      state, [&](int64_t i) { PaintGdi(gdi, "#" + std::to_string(i)); },
      [&](int64_t i) { PaintCairo(cairo, "#" + std::to_string(i)); });
}

const char* kOneLine = "Weekly review with the calendar team, room 4";

void BM_DrawTextCalc(benchmark::State& state) {
  GdiTarget gdi;
  CairoTarget cairo;
  Compare(
      state,
      [&](int64_t) {
        RECT r{0, 0, 400, 0};
        DrawText(gdi.dc, kOneLine, -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        benchmark::DoNotOptimize(r);
      },
      [&](int64_t) {
        int w, h;
        pango_layout_set_text(cairo.layout, kOneLine, -1);
        pango_layout_get_pixel_size(cairo.layout, &w, &h);
        benchmark::DoNotOptimize(w);
      });
}

void BM_DrawTextDraw(benchmark::State& state) {
  GdiTarget gdi;
  CairoTarget cairo;
  Compare(
      state,
      [&](int64_t) {
        RECT r{10, 10, 400, 30};
        DrawText(gdi.dc, kOneLine, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
      },
      [&](int64_t) {
        pango_layout_set_text(cairo.layout, kOneLine, -1);
        cairo_save(cairo.cr);
        cairo_rectangle(cairo.cr, 10, 10, 390, 20);
        cairo_clip(cairo.cr);
        cairo_move_to(cairo.cr, 10, 13);
        pango_cairo_show_layout(cairo.cr, cairo.layout);
        cairo_restore(cairo.cr);
        cairo_surface_flush(cairo.surface);
      });
}

}  // namespace

BENCHMARK(BM_FullPaint)->Name("full_paint")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullPaintNewText)->Name("full_paint_new_text")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawTextCalc)->Name("drawtext_calc")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawTextDraw)->Name("drawtext_draw")->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
