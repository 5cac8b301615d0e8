// The card view at address-book scale, 1,000,000 cards: each figure against
// a baseline measured in the same run.
//   hit-test of a point     vs the linear scan over every card's rectangles
//   full paint of 1280x800  vs the same view holding 100 cards
//   AddCard x 1,000,000     vs appending the same cards to a plain vector
//   SortItems               vs a plain stable sort of the item pointers
//   memory per card         heap bytes held, divided by the card count
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "cards/card_view.h"
#include "view_bench_host.h"

namespace {

using viewbench::Clock;
using viewbench::Since;

constexpr int kCards = 1000000;

// A host's view: a realistic description built per request.
class CBenchView : public viewbench::WithLinearHit<CNbCardView, CCardRects> {
 public:
  void GetCardDescription(int nIndex, CCardDesc& desc) override {
    desc.m_strTitle.Format("Contact %d", nIndex + 1);
    desc.m_strText = "Sales Manager\nNorthwind Trading\n<L>\nWork:\t+1 555 0100\nMobile:\t+1 555 0199\n";
    desc.m_strCategory = "Business";
    desc.m_bNote = nIndex % 7 == 0;
  }
};

int CALLBACK ByData(LPARAM a, LPARAM b, LPARAM) { return a < b ? -1 : a > b ? 1 : 0; }

// Item data in a shuffled order, as records sorted by another key would be.
void* Record(int i) { return reinterpret_cast<void*>(static_cast<intptr_t>((i * 7919LL) % kCards + 1)); }

struct Host : viewbench::ViewHost<CBenchView> {
  explicit Host(int cards) : ViewHost("Cards bench", cards, Record) {}
};

void BM_HitTest(benchmark::State& state) {
  Host host(kCards);
  int mid = (kCards / host.view.GetColumnCount()) / 2;
  double fastTop = 0, fastMid = 0, scanTop = 0, scanMid = 0;
  int runs = 0;
  const int n = 100000;
  for (auto _ : state) {
    for (int where : {0, mid}) {
      host.ScrollTo(where);
      CPoint pt(3 * 220 + 60, 2 * 170 + 60);  // a card of the third row, fourth column
      auto start = Clock::now();
      int hits = 0;
      for (int i = 0; i < n; ++i) hits += host.view.PtToCardIndex(pt) >= 0;
      double fast = Since(start, 1e6) / n;
      start = Clock::now();
      int scanned = host.view.LinearHit(pt);
      double scan = Since(start, 1e6);
      benchmark::DoNotOptimize(hits + scanned);
      (where == 0 ? fastTop : fastMid) += fast;
      (where == 0 ? scanTop : scanMid) += scan;
    }
    ++runs;
  }
  state.counters["hit_top_us"] = fastTop / runs;
  state.counters["hit_mid_us"] = fastMid / runs;
  state.counters["scan_top_us"] = scanTop / runs;
  state.counters["scan_mid_us"] = scanMid / runs;
  state.counters["ratio_top"] = scanTop / fastTop;
  state.counters["ratio_mid"] = scanMid / fastMid;
}
BENCHMARK(BM_HitTest)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_FullPaint(benchmark::State& state) {
  Host big(kCards), small(100);
  big.ScrollToMiddle();
  viewbench::PaintAgainstHundred(state, big, small);
}
BENCHMARK(BM_FullPaint)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_AddCards(benchmark::State& state) {
  Host host(0);
  double addMs = 0, vectorMs = 0, bytesPerCard = 0;
  int runs = 0;
  for (auto _ : state) {
    host.view.DeleteAllCards(FALSE);
    size_t before = mallinfo2().uordblks;
    auto start = Clock::now();
    for (int i = 0; i < kCards; ++i) host.view.AddCard(Record(i), FALSE);
    host.view.GetSelectedCount();  // the selection index is part of the cost
    addMs += Since(start);
    bytesPerCard += static_cast<double>(mallinfo2().uordblks - before) / kCards;
    start = Clock::now();
    std::vector<CCard> plain;
    for (int i = 0; i < kCards; ++i) {
      CCard card;
      card.m_nId = i;
      card.m_pData = Record(i);
      plain.push_back(card);
    }
    benchmark::DoNotOptimize(plain.data());
    vectorMs += Since(start);
    ++runs;
  }
  state.counters["add_1000000_ms"] = addMs / runs;
  state.counters["vector_push_ms"] = vectorMs / runs;
  state.counters["ratio"] = addMs / vectorMs;
  state.counters["bytes_per_card"] = bytesPerCard / runs;
}
BENCHMARK(BM_AddCards)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SortItems(benchmark::State& state) {
  Host host(kCards);
  double sortMs = 0, plainMs = 0;
  int runs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    host.view.DeleteAllCards(FALSE);
    for (int i = 0; i < kCards; ++i) host.view.AddCard(Record(i), FALSE);
    std::vector<void*> items;
    for (int i = 0; i < kCards; ++i) items.push_back(Record(i));
    state.ResumeTiming();
    auto start = Clock::now();
    host.view.SortItems(ByData, 0);
    sortMs += Since(start);
    start = Clock::now();
    std::stable_sort(items.begin(), items.end(), [](void* a, void* b) {
      return ByData(reinterpret_cast<LPARAM>(a), reinterpret_cast<LPARAM>(b), 0) < 0;
    });
    plainMs += Since(start);
    ++runs;
  }
  state.counters["sort_1000000_ms"] = sortMs / runs;
  state.counters["plain_stable_sort_ms"] = plainMs / runs;
  state.counters["ratio"] = sortMs / plainMs;
}
BENCHMARK(BM_SortItems)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
