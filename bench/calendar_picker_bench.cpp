// The date picker on a big event list: a full paint of twelve calendars and
// one mouse move over them, each against a baseline measured in the same run
// (the same picker without events; a mouse move over a plain window). And a
// picker far larger than the screen wheeled a long way, against a full paint
// of the same picker at a normal size.
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

#include "calendar/date_picker.h"
#include "mfc/app.h"
#include "nbp/clock.h"
#include "nbp/test_driver.h"

namespace {

// Processor time of this process in microseconds: steadier than the wall
// clock on a machine shared with other work.
double CpuMicros() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

struct Host {
  CWinApp app{"Picker bench"};
  CWnd parent;
  CNbDatePicker picker;
  CWnd plain;

  Host() {
    nbp::clock::Pin(1078920000);  // 10 March 2004
    parent.CreateEx(0, nullptr, "Bench", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 1000, 800, nullptr, nullptr);
    picker.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 4 * 220, 3 * 190), &parent, 1, 4, 3);
    plain.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 600, 300, 700), &parent, 2);
    nbp::test::Pump();
  }
  ~Host() {
    picker.DestroyWindow();
    parent.DestroyWindow();
  }
  void AddEvents(int count) {
    // Distinct dates over 1975-2030, so the shown months carry some of them.
    for (int i = 0; i < count; ++i) {
      picker.AddEvent(1975 + i % 56, 1 + (i / 56) % 12, 1 + (i / 672) % 28, FALSE, i % 3 == 0 ? 1 : 0);
    }
  }
  double PaintMs() {
    auto start = std::chrono::steady_clock::now();
    picker.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
};

void BM_PickerFullPaint(benchmark::State& state) {
  Host host;
  double plain = 0, loaded = 0;
  int runs = 0;
  for (auto _ : state) {
    host.picker.ResetEventArray(FALSE);
    plain += host.PaintMs();
    host.AddEvents(10000);
    loaded += host.PaintMs();
    ++runs;
  }
  state.counters["paint_10000_events_ms"] = loaded / runs;
  state.counters["paint_no_events_ms"] = plain / runs;
  state.counters["ratio"] = plain > 0 ? loaded / plain : 0;
}
BENCHMARK(BM_PickerFullPaint)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PickerMouseMove(benchmark::State& state) {
  Host host;
  host.AddEvents(10000);
  host.picker.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const int n = 2000;
  double over = 0, plain = 0, overCpu = 0, plainCpu = 0;
  int runs = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    double startCpu = CpuMicros();
    for (int i = 0; i < n; ++i) nbp::test::MoveTo(host.picker.m_hWnd, POINT{60 + (i % 7) * 20, 80 + (i % 5) * 18});
    auto mid = std::chrono::steady_clock::now();
    double midCpu = CpuMicros();
    for (int i = 0; i < n; ++i) nbp::test::MoveTo(host.plain.m_hWnd, POINT{10 + (i % 7) * 20, 10 + (i % 5) * 10});
    auto end = std::chrono::steady_clock::now();
    double endCpu = CpuMicros();
    over += std::chrono::duration<double, std::micro>(mid - start).count() / n;
    plain += std::chrono::duration<double, std::micro>(end - mid).count() / n;
    overCpu += (midCpu - startCpu) / n;
    plainCpu += (endCpu - midCpu) / n;
    ++runs;
  }
  state.counters["move_over_picker_us"] = over / runs;
  state.counters["move_over_plain_window_us"] = plain / runs;
  state.counters["ratio"] = plain > 0 ? over / plain : 0;
  state.counters["cpu_ratio"] = plainCpu > 0 ? overCpu / plainCpu : 0;
}
BENCHMARK(BM_PickerMouseMove)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_PickerHugeWheel(benchmark::State& state) {
  CWinApp app{"Picker bench"};
  nbp::clock::Pin(1078920000);  // 10 March 2004
  CWnd parent;
  parent.CreateEx(0, nullptr, "Bench", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 1000, 800, nullptr, nullptr);
  CNbDatePicker picker;
  picker.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 3 * 220, 2 * 190), &parent, 1, 3, 2);
  nbp::test::Pump();
  picker.SetFocus();
  double normal = 0, huge = 0;
  int runs = 0;
  for (auto _ : state) {
    picker.MoveWindow(0, 0, 3 * 220, 2 * 190);
    picker.SetSelection(2004, 3, 10, FALSE);
    nbp::test::Pump();
    auto start = std::chrono::steady_clock::now();
    picker.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    auto mid = std::chrono::steady_clock::now();
    picker.MoveWindow(0, 0, 30000, 2600);
    nbp::test::Pump();
    auto wheelStart = std::chrono::steady_clock::now();
    nbp::test::Wheel(picker.m_hWnd, POINT{200, 200}, -32768);
    nbp::test::Pump();
    auto end = std::chrono::steady_clock::now();
    normal += std::chrono::duration<double, std::milli>(mid - start).count();
    huge += std::chrono::duration<double, std::milli>(end - wheelStart).count();
    ++runs;
  }
  state.counters["paint_normal_ms"] = normal / runs;
  state.counters["wheel_huge_ms"] = huge / runs;
  state.counters["ratio"] = normal > 0 ? huge / normal : 0;
  picker.DestroyWindow();
  parent.DestroyWindow();
}
BENCHMARK(BM_PickerHugeWheel)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
