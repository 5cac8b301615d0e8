// A 4000 x 3000 photo drawn as a 64 x 48 icon, against the platform's
// StretchBlt of the same pixels from a memory DC (nearest pixel, no
// filtering), measured in the same run. Each benchmark reports its time per
// drawing (us), the baseline's (baseline_us) and their ratio.
//
//   draw_icon      CxImage::Draw with the area-average filter
//   resample_icon  CxImage::Resample to 64 x 48, the bitmap button's step
#include <benchmark/benchmark.h>

#include <chrono>

#include "CxImage/cximage.h"
#include "win/gdi.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Scene {
  CxImage photo;
  HDC screen = nullptr, source = nullptr;
  HBITMAP screenBitmap = nullptr, sourceBitmap = nullptr;

  Scene() {
    photo.Create(4000, 3000, 24);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 4000, -3000, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    sourceBitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    for (int y = 0; y < 3000; ++y)
      for (int x = 0; x < 4000; ++x) {
        RGBQUAD q{BYTE(x * 7), BYTE(y * 3), BYTE((x ^ y) & 0xFF), 255};
        photo.SetPixelColor(x, y, q);
        static_cast<uint32_t*>(bits)[static_cast<size_t>(y) * 4000 + x] = q.rgbBlue | q.rgbGreen << 8 | q.rgbRed << 16;
      }
    source = CreateCompatibleDC(nullptr);
    SelectObject(source, sourceBitmap);
    screen = CreateCompatibleDC(nullptr);
    screenBitmap = CreateBitmap(64, 48, 1, 32, nullptr);
    SelectObject(screen, screenBitmap);
  }
};

Scene& TheScene() {
  static Scene scene;
  return scene;
}

template <typename Draw>
double MicrosPerDraw(int64_t n, Draw&& draw) {
  auto start = Clock::now();
  for (int64_t i = 0; i < n; ++i) draw();
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / static_cast<double>(n);
}

template <typename Ours>
void Compare(benchmark::State& state, Ours&& ours) {
  Scene& s = TheScene();
  int64_t n = 0;
  for (auto _ : state) {
    ours();
    ++n;
  }
  double us = MicrosPerDraw(n, ours);
  double base = MicrosPerDraw(n, [&] { StretchBlt(s.screen, 0, 0, 64, 48, s.source, 0, 0, 4000, 3000, SRCCOPY); });
  state.counters["us"] = us;
  state.counters["baseline_us"] = base;
  state.counters["ratio"] = base > 0 ? us / base : 0;
}

void BM_DrawIcon(benchmark::State& state) {
  Scene& s = TheScene();
  Compare(state, [&] { s.photo.Draw(s.screen, 0, 0, 64, 48); });
}
BENCHMARK(BM_DrawIcon)->Unit(benchmark::kMicrosecond);

void BM_ResampleIcon(benchmark::State& state) {
  Scene& s = TheScene();
  Compare(state, [&] {
    CxImage icon;
    s.photo.Resample(64, 48, CXIMAGE_RESAMPLE_SMOOTH, &icon);
  });
}
BENCHMARK(BM_ResampleIcon)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
