// The cost of a message: SendMessage through a framework window's message map,
// against a plain indirect call of a window procedure measured in the same run.
#include <benchmark/benchmark.h>

#include <chrono>

#include "mfc/wnd.h"

namespace {

class PingWnd : public CWnd {
 public:
  LRESULT OnPing(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam) + 1; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PingWnd, CWnd)
  ON_MESSAGE(WM_USER + 1, OnPing)
END_MESSAGE_MAP()

LRESULT RawProc(HWND, UINT msg, WPARAM wParam, LPARAM) { return msg == WM_USER + 1 ? static_cast<LRESULT>(wParam) + 1 : 0; }

template <typename F>
double NanosPerCall(F&& f, int n) {
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < n; ++i) benchmark::DoNotOptimize(f(i));
  auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::nano>(end - start).count() / n;
}

void BM_SendMessageThroughMessageMap(benchmark::State& state) {
  PingWnd wnd;
  wnd.CreateEx(0, nullptr, "bench", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
  HWND hwnd = wnd.m_hWnd;
  WNDPROC volatile proc = &RawProc;
  const int n = 20000;
  double mapped = 0, baseline = 0;
  for (auto _ : state) {
    mapped += NanosPerCall([&](int i) { return SendMessage(hwnd, WM_USER + 1, static_cast<WPARAM>(i), 0); }, n);
    baseline += NanosPerCall([&](int i) { return proc(hwnd, WM_USER + 1, static_cast<WPARAM>(i), 0); }, n);
  }
  double runs = static_cast<double>(state.iterations());
  state.counters["send_ns"] = mapped / runs;
  state.counters["direct_call_ns"] = baseline / runs;
  state.counters["ratio"] = baseline > 0 ? mapped / baseline : 0;
  wnd.DestroyWindow();
}
BENCHMARK(BM_SendMessageThroughMessageMap)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
