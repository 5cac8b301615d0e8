// What the view benchmarks share: the clock, a full repaint timed through
// the window system, and a host window holding one card or photo view.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>

#include "mfc/app.h"
#include "mfc/wnd.h"
#include "nbp/clock.h"
#include "nbp/test_driver.h"

namespace viewbench {

using Clock = std::chrono::steady_clock;

// Time since `start`, in seconds times `scale` (1e3: ms, 1e6: us).
inline double Since(Clock::time_point start, double scale = 1e3) {
  return std::chrono::duration<double>(Clock::now() - start).count() * scale;
}

// One whole repaint of the window, as the window system runs it, in ms.
inline double PaintMs(CWnd& wnd) {
  auto start = Clock::now();
  wnd.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return Since(start);
}

// The literal hit-test the indexed one is measured against: every card's
// rectangles computed (and described) from the first on.
template <class View, class Rects>
class WithLinearHit : public View {
 public:
  int LinearHit(CPoint pt) {
    for (int i = 0; i < this->GetCardCount(); ++i) {
      Rects rects;
      this->GetCardRects(i, rects);
      if (rects.m_rcCard.PtInRect(pt)) return i;
    }
    return -1;
  }
};

// A host application's window with a 1280 x 800 card or photo view of
// `cards` cards, whose item data comes from `record`.
template <class View>
struct ViewHost {
  CWinApp app;
  CWnd parent;
  View view;

  ViewHost(const char* name, int cards, void* (*record)(int)) : app(name) {
    nbp::clock::Pin(1078920000);  // 10 March 2004
    parent.CreateEx(0, nullptr, "Bench", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 1400, 900, nullptr, nullptr);
    view.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1280, 800), &parent, 1);
    for (int i = 0; i < cards; ++i) view.AddCard(record(i), FALSE);
    nbp::test::Pump();
  }
  ~ViewHost() {
    view.DestroyWindow();
    parent.DestroyWindow();
  }
  void ScrollTo(int row) {
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, row, 0};
    view.SetScrollInfo(SB_VERT, &si, TRUE);
  }
  void ScrollToMiddle() { ScrollTo(view.GetCardCount() / view.GetColumnCount() / 2); }
  double PaintMs() { return viewbench::PaintMs(view); }
};

// A full paint of `big` against the same view holding 100 cards.
template <class Host>
void PaintAgainstHundred(benchmark::State& state, Host& big, Host& hundred) {
  double bigMs = 0, hundredMs = 0;
  int runs = 0;
  for (auto _ : state) {
    bigMs += big.PaintMs();
    hundredMs += hundred.PaintMs();
    ++runs;
  }
  state.counters["paint_1000000_ms"] = bigMs / runs;
  state.counters["paint_100_ms"] = hundredMs / runs;
  state.counters["ratio"] = bigMs / hundredMs;
}

}  // namespace viewbench
