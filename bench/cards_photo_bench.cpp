// The photo view at 1,000,000 tiles, each figure against a baseline measured
// in the same run:
//   full paint of 1280x800 with a picture per tile  vs the same view holding 100 tiles
//   hit-test of a point                              vs the linear scan over every tile's rectangles
#include "cards/image_geometry.h"
#include "cards/photo_view.h"
#include "view_bench_host.h"

namespace {

using viewbench::Clock;
using viewbench::Since;

constexpr int kTiles = 1000000;

// A host's view: one 160 x 120 picture fitted into every tile that has one.
class CBenchPhotoView : public viewbench::WithLinearHit<CNbPhotoView, CPhotoCardRects> {
 public:
  CBenchPhotoView() {
    m_picture.Create(160, 120, 24);
    for (int y = 0; y < 120; ++y)
      for (int x = 0; x < 160; ++x)
        m_picture.SetPixelColor(x, y, RGBQUAD{static_cast<BYTE>(x), static_cast<BYTE>(y), 120, 255});
  }
  void GetCardDescription(int nIndex, CPhotoCardDesc& desc) override {
    desc.m_strTitle.Format("Photo %d", nIndex + 1);
    desc.m_bPhoto = nIndex % 9 != 0;
  }
  void DrawPhoto(CDC* pDC, int, RECT* pRect) override { NBDrawRectImage(pDC, &m_picture, pRect); }

 private:
  CxImage m_picture;
};

void* Record(int i) { return reinterpret_cast<void*>(static_cast<intptr_t>(i + 1)); }

struct Host : viewbench::ViewHost<CBenchPhotoView> {
  explicit Host(int tiles) : ViewHost("Photo bench", tiles, Record) {}
};

void BM_PhotoPaint(benchmark::State& state) {
  Host big(kTiles), small(100);
  big.ScrollToMiddle();
  viewbench::PaintAgainstHundred(state, big, small);
}
BENCHMARK(BM_PhotoPaint)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_PhotoHitTest(benchmark::State& state) {
  Host host(kTiles);
  host.ScrollToMiddle();
  CPoint pt(3 * 144 + 60, 2 * 134 + 60);
  double fast = 0, scan = 0;
  int runs = 0;
  const int n = 100000;
  for (auto _ : state) {
    auto start = Clock::now();
    int hits = 0;
    for (int i = 0; i < n; ++i) hits += host.view.PtToCardIndex(pt) >= 0;
    fast += Since(start, 1e6) / n;
    start = Clock::now();
    benchmark::DoNotOptimize(hits + host.view.LinearHit(pt));
    scan += Since(start, 1e6);
    ++runs;
  }
  state.counters["hit_us"] = fast / runs;
  state.counters["scan_us"] = scan / runs;
  state.counters["ratio"] = scan / fast;
}
BENCHMARK(BM_PhotoHitTest)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
