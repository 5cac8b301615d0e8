// Calendar arithmetic and date parsing against the plainest code doing
// comparable work, measured in the same run. Each benchmark reports its own
// time per call (ns), the baseline's (baseline_ns) and ours / baseline (ratio).
//
//   fill           CMonthGrid::Fill of every month 1753-2100 in turn, both week
//                  starts; baseline: writing 42 day and month cells in a loop
//   parse_date     CIntlTime::ParseDateFromFormat of typed dates with the
//                  pictures of five locales; baseline: sscanf "%d/%d/%d"
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

#include "HostCommon/intl_time.h"
#include "calendar/month_grid.h"

namespace {

using Clock = std::chrono::steady_clock;

// Runs `ours` in the framework's timed loop, then times the same number of
// calls of ours and of the baseline back to back, and reports both means and
// their ratio.
template <typename Ours, typename Baseline>
void Compare(benchmark::State& state, Ours&& ours, Baseline&& baseline) {
  int64_t n = 0;
  for (auto _ : state) ours(n++);
  auto timeOf = [n](auto&& f) {
    auto t0 = Clock::now();
    for (int64_t i = 0; i < n; ++i) f(i);
    return std::chrono::duration<double, std::nano>(Clock::now() - t0).count() / static_cast<double>(n ? n : 1);
  };
  double oursNs = timeOf(ours);
  double baseNs = timeOf(baseline);
  state.counters["ns"] = oursNs;
  state.counters["baseline_ns"] = baseNs;
  state.counters["ratio"] = baseNs > 0 ? oursNs / baseNs : 0;
}

void BM_Fill(benchmark::State& state) {
  CMonthGrid grid(0);
  int plainDay[CMonthGrid::kCells], plainMonth[CMonthGrid::kCells];
  Compare(
      state,
      [&](int64_t i) {
        grid.m_wMondayFirst = static_cast<WORD>(i & 1);
        int months = static_cast<int>(i / 2 % (348 * 12));
        grid.Fill(months % 12 + 1, 1753 + months / 12);
        benchmark::DoNotOptimize(grid.m_naCellDay);
      },
      [&](int64_t i) {
        int month = static_cast<int>(i % 12) + 1;
        for (int c = 0; c < CMonthGrid::kCells; ++c) {
          plainDay[c] = c % 31 + 1;
          plainMonth[c] = month;
        }
        benchmark::DoNotOptimize(plainDay);
        benchmark::DoNotOptimize(plainMonth);
      });
}
BENCHMARK(BM_Fill);

struct Typed {
  const char* picture;
  const char* text;
  char sep;
};

const Typed kTyped[] = {
    {"M/d/yy", "2/3/05", '/'},
    {"dd/MM/y", "03/02/2005", '/'},
    {"dd.MM.yy", " 3.2.05 ", '.'},
    {"y/MM/dd", "2005/02/03", '/'},
    {"d. M. y", "3. 2. 2005", '.'},
};

void BM_ParseDate(benchmark::State& state) {
  Compare(
      state,
      [](int64_t i) {
        const Typed& t = kTyped[i % 5];
        int y, m, d;
        benchmark::DoNotOptimize(CIntlTime::ParseDateFromFormat(t.picture, t.text, t.sep, y, m, d));
        benchmark::DoNotOptimize(y + m + d);
      },
      [](int64_t i) {
        const Typed& t = kTyped[i % 5];
        int a, b, c;
        benchmark::DoNotOptimize(std::sscanf(t.text, "%d/%d/%d", &a, &b, &c));
        benchmark::DoNotOptimize(a + b + c);
      });
}
BENCHMARK(BM_ParseDate);

}  // namespace

BENCHMARK_MAIN();
