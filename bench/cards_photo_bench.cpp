// The photo view at 1,000,000 tiles, each figure against a baseline measured
// in the same run:
//   full paint of 1280x800 with a picture per tile  vs the same view holding 100 tiles
//   hit-test of a point                              vs the linear scan over every tile's rectangles
#include <benchmark/benchmark.h>

#include <chrono>

#include "cards/image_geometry.h"
#include "cards/photo_view.h"
#include "mfc/app.h"
#include "nbp/clock.h"
#include "nbp/test_driver.h"

namespace {

constexpr int kTiles = 1000000;
using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start, double scale = 1e3) {
  return std::chrono::duration<double>(Clock::now() - start).count() * scale;
}

// A host's view: one 160 x 120 picture fitted into every tile that has one.
class CBenchPhotoView : public CNbPhotoView {
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
  int LinearHit(CPoint pt) {
    for (int i = 0; i < GetCardCount(); ++i) {
      CPhotoCardRects rects;
      GetCardRects(i, rects);
      if (rects.m_rcCard.PtInRect(pt)) return i;
    }
    return -1;
  }

 private:
  CxImage m_picture;
};

struct Host {
  CWinApp app{"Photo bench"};
  CWnd parent;
  CBenchPhotoView view;

  explicit Host(int tiles) {
    nbp::clock::Pin(1078920000);
    parent.CreateEx(0, nullptr, "Bench", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 1400, 900, nullptr, nullptr);
    view.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1280, 800), &parent, 1);
    for (int i = 0; i < tiles; ++i) view.AddCard(reinterpret_cast<void*>(static_cast<intptr_t>(i + 1)), FALSE);
    nbp::test::Pump();
  }
  ~Host() {
    view.DestroyWindow();
    parent.DestroyWindow();
  }
  void ScrollToMiddle() {
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, view.GetCardCount() / view.GetColumnCount() / 2, 0};
    view.SetScrollInfo(SB_VERT, &si, TRUE);
  }
  double PaintMs() {
    auto start = Clock::now();
    view.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return Since(start);
  }
};

void BM_PhotoPaint(benchmark::State& state) {
  Host big(kTiles), small(100);
  big.ScrollToMiddle();
  double bigMs = 0, smallMs = 0;
  int runs = 0;
  for (auto _ : state) {
    bigMs += big.PaintMs();
    smallMs += small.PaintMs();
    ++runs;
  }
  state.counters["paint_1000000_ms"] = bigMs / runs;
  state.counters["paint_100_ms"] = smallMs / runs;
  state.counters["ratio"] = bigMs / smallMs;
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
