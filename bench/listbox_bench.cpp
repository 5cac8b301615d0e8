// A click and a Down key on a list box of 100,000 items, against the same on
// a list box of 10 items in the same run: the list's per-event work depends
// on what is in view, not on how many items there are.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

#include "nbp/clock.h"
#include "nbp/desktop.h"
#include "nbp/test_driver.h"
#include "win/controls.h"
#include "win/user.h"

namespace {

HWND MakeList(HWND parent, int x, int count) {
  HWND list = CreateWindowEx(0, WC_LISTBOX, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | WS_BORDER, x, 10, 150,
                             200, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(x)), nullptr, nullptr);
  SendMessage(list, WM_SETREDRAW, FALSE, 0);
  char text[32];
  for (int i = 0; i < count; ++i) {
    snprintf(text, sizeof text, "Item %06d", i);
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  SendMessage(list, WM_SETREDRAW, TRUE, 0);
  // The large list shows items far from its start.
  SendMessage(list, LB_SETTOPINDEX, static_cast<WPARAM>(count / 2), 0);
  nbp::test::Pump();
  return list;
}

// Clicks the second item in view, then moves the selection down a row.
double MicrosPerClickAndKey(HWND list, int n) {
  RECT r{};
  int top = static_cast<int>(SendMessage(list, LB_GETTOPINDEX, 0, 0));
  SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(top + 1), reinterpret_cast<LPARAM>(&r));
  POINT p{r.left + 10, (r.top + r.bottom) / 2};
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < n; ++i) {
    nbp::test::AdvanceClock(1000);  // no double clicks
    nbp::test::Click(list, p);
    nbp::test::PressKey(VK_DOWN, nbp::test::kNoMods, true);
  }
  auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::micro>(end - start).count() / n;
}

void BM_ListBoxClickAndKey(benchmark::State& state) {
  nbp::clock::Pin(1700000000);
  HWND top = CreateWindowEx(0, "#32770", "bench", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 400, 260, nullptr, nullptr,
                            nullptr, nullptr);
  HWND small = MakeList(top, 10, 10);
  HWND large = MakeList(top, 200, 100000);
  const int n = 200;
  double big = 0, baseline = 0;
  for (auto _ : state) {
    big += MicrosPerClickAndKey(large, n);
    baseline += MicrosPerClickAndKey(small, n);
  }
  double runs = static_cast<double>(state.iterations());
  state.counters["items_100000_us"] = big / runs;
  state.counters["items_10_us"] = baseline / runs;
  state.counters["ratio"] = baseline > 0 ? big / baseline : 0;
  DestroyWindow(top);
  nbp::clock::Unpin();
}
BENCHMARK(BM_ListBoxClickAndKey)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
