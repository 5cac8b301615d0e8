// The edit list at 100,000 rows of mixed heights: each figure against a
// baseline measured in the same run, each the fastest of several runs.
//   PtToItemIndex of the last row   vs the literal scan (every row's cell summed from the top)
//   GetItemCell of the last row     vs the literal sum of the heights above it
//   full paint of 400 x 800         vs the same list holding 100 rows
//   one row-height change           vs an empty call of the same shape (absolute figure beside it)
//   a typed character near the end  vs the same near the top (key to repainted row)
//   adding 100,000 rows             per row, against the 100-row list's per row cost
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "editlist/edit_list.h"
#include "view_bench_host.h"

namespace {

using viewbench::Clock;
using viewbench::Since;

constexpr int kRows = 100000;

// The fastest of `batches` runs of `calls` calls, in microseconds a call:
// on a shared machine the other programs only ever add time.
template <class Fn>
double FastestUs(int batches, int calls, Fn&& fn) {
  double best = 1e300;
  for (int b = 0; b < batches; ++b) {
    auto start = Clock::now();
    for (int i = 0; i < calls; ++i) fn();
    best = std::min(best, Since(start, 1e6) / calls);
  }
  return best;
}

class CBenchList : public CNbEditList {
 public:
  using CNbEditList::GetItemCell;
  using CNbEditList::PtToItemIndex;

  // The cell as the rows' heights summed from the top, each time.
  CRect LiteralCell(int index) const {
    int top = 1;
    const CListItem* rows = m_items.GetData();
    for (int i = 0; i < index; ++i) top += rows[i].m_nHeight == -1 ? m_nRowHeight : rows[i].m_nHeight;
    int w = 0, h = 0;
    GetItemSize(index, &w, &h);
    int pos = GetScrollPos(SB_VERT);
    return CRect(0, top - pos, w, top - pos + h);
  }
  // Every row tried from the first, each cell summed from the top.
  int LiteralHit(CPoint pt) const {
    for (int i = 0; i < GetItemCount(); ++i) {
      if (LiteralCell(i).PtInRect(pt)) return i;
    }
    return -1;
  }
};

struct Host {
  CWinApp app{"Edit list bench"};
  CWnd parent;
  CBenchList list;
  double addMs = 0;

  explicit Host(int rows) {
    nbp::clock::Pin(1078920000);
    parent.CreateEx(0, nullptr, "Bench", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 500, 900, nullptr, nullptr);
    list.CreateEx(0, WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 800), &parent, 1);
    auto start = Clock::now();
    for (int i = 0; i < rows; ++i) {
      std::string label = "Field " + std::to_string(i);
      // Mixed heights: one row in five holds two lines, one in seven wraps.
      const char* value = i % 5 == 0   ? "1 High Street\r\nLeeds LS1 4AP"
                          : i % 7 == 0 ? "A note long enough to wrap over more than one line of the value column here"
                                       : "+44 20 7946 0321";
      list.AddItem(label.c_str(), value, 0, FALSE);
    }
    addMs = Since(start, 1e3);
    nbp::test::Pump();
  }
  ~Host() {
    list.DestroyWindow();
    parent.DestroyWindow();
  }
  void ScrollToEnd() { list.SendMessage(WM_VSCROLL, SB_PAGEDOWN); list.EnsureVisible(list.GetItemCount() - 1); }
  double PaintMs() { return viewbench::PaintMs(list); }
};

Host& Big() {
  static Host host(kRows);
  return host;
}

void BM_Geometry(benchmark::State& state) {
  Host& host = Big();
  host.ScrollToEnd();
  int last = host.list.GetItemCount() - 1;
  CRect cell;
  host.list.GetItemCell(last, &cell);
  CPoint pt(200, cell.top + 2);
  double hitUs = 0, cellUs = 0, literalHitUs = 0, literalCellUs = 0;
  int runs = 0;
  const int n = 200000;
  for (auto _ : state) {
    int hits = 0;
    hitUs += FastestUs(10, n, [&] { hits += host.list.PtToItemIndex(pt) == last; });
    RECT r{};
    cellUs += FastestUs(10, n, [&] {
      host.list.GetItemCell(last, &r);
      benchmark::DoNotOptimize(r);
    });
    CRect literal;
    literalCellUs += FastestUs(10, 20, [&] {
      literal = host.list.LiteralCell(last);
      benchmark::DoNotOptimize(literal);
    });
    auto start = Clock::now();
    int scanned = host.list.LiteralHit(pt);
    literalHitUs += Since(start, 1e6);
    if (hits != 10 * n || scanned != last || literal != CRect(r)) state.SkipWithError("the algorithms disagree");
    ++runs;
  }
  state.counters["hit_us"] = hitUs / runs;
  state.counters["cell_us"] = cellUs / runs;
  state.counters["literal_hit_us"] = literalHitUs / runs;
  state.counters["literal_cell_us"] = literalCellUs / runs;
  state.counters["ratio_hit"] = literalHitUs / hitUs;
  state.counters["ratio_cell"] = literalCellUs / cellUs;
}
BENCHMARK(BM_Geometry)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_FullPaint(benchmark::State& state) {
  Host& big = Big();
  Host small(100);
  big.list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0));
  big.list.EnsureVisible(kRows / 2);
  double bigMs = 1e300, smallMs = 1e300;
  for (auto _ : state) {
    bigMs = std::min(bigMs, big.PaintMs());
    smallMs = std::min(smallMs, small.PaintMs());
  }
  state.counters["paint_100000_ms"] = bigMs;
  state.counters["paint_100_ms"] = smallMs;
  state.counters["ratio"] = bigMs / smallMs;
  state.counters["add_100000_ms"] = big.addMs;
  state.counters["add_per_row_us_100000"] = big.addMs * 1e3 / kRows;
  state.counters["add_per_row_us_100"] = small.addMs * 1e3 / 100;
}
BENCHMARK(BM_FullPaint)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_RowHeightChange(benchmark::State& state) {
  Host& host = Big();
  int row = kRows / 3;
  double changeUs = 1e300, layoutUs = 1e300;
  int k = 0;
  for (auto _ : state) {
    changeUs = std::min(changeUs, FastestUs(5, 2000, [&] { host.list.SetItemMinRows(row, 1 + (++k & 3)); }));
    layoutUs = std::min(layoutUs, FastestUs(5, 2000, [&] { host.list.SetItemSize(row, 0, 18 + (++k & 3) * 14, FALSE); }));
  }
  state.counters["min_rows_us"] = changeUs;
  state.counters["set_size_with_layout_us"] = layoutUs;
}
BENCHMARK(BM_RowHeightChange)->Unit(benchmark::kMillisecond)->Iterations(3);

double TypeMs(Host& host, int row, int chars) {
  host.list.SelectAllItems(FALSE, FALSE);
  host.list.SelectAndScrollItem(row, TRUE);
  nbp::test::Pump();
  nbp::test::PressKey(VK_END);
  auto start = Clock::now();
  for (int i = 0; i < chars; ++i) nbp::test::Type(i % 2 ? "x" : "\b");
  return Since(start, 1e3) / chars;
}

void BM_TypedCharacter(benchmark::State& state) {
  Host& host = Big();
  double nearEnd = 1e300, nearTop = 1e300;
  for (auto _ : state) {
    nearEnd = std::min(nearEnd, TypeMs(host, kRows - 5, 400));
    nearTop = std::min(nearTop, TypeMs(host, 4, 400));
  }
  state.counters["type_near_end_ms"] = nearEnd;
  state.counters["type_near_top_ms"] = nearTop;
  state.counters["ratio"] = nearEnd / nearTop;
}
BENCHMARK(BM_TypedCharacter)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
