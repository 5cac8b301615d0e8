// Shortening a tab's label to its room: the halving search of FitLabel
// against the literal one-character-at-a-time loop, both measuring with the
// tab control's font in the same run, for a label of 40 and of 2,000
// characters into 120 pixels.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "HostI18n/host_i18n.h"
#include "NbThemes/nbthemes.h"
#include "buttons/tab_layout.h"
#include "mfc/dc.h"
#include "nbp/utf8_step.h"

namespace {

int Chars(const CString& s) {
  return static_cast<int>(nbp::utf8::CountChars(std::string_view(s, static_cast<size_t>(s.GetLength()))));
}

// The loop as first described: one character off at a time from the end.
CString LinearFit(const CString& text, int room, CDC& dc) {
  CString label = text;
  int n = Chars(text);
  while (dc.GetTextExtent(label).cx > room && n > 1) {
    --n;
    label = text;
    LeftAndValidateDec(label, n);
    label += "...";
  }
  int chars = Chars(label);
  while (chars > 0 && dc.GetTextExtent(label).cx > room) LeftAndValidateDec(label, --chars);
  return label;
}

void BM_TabLabelFit(benchmark::State& state) {
  int length = static_cast<int>(state.range(0));
  std::string words;
  while (static_cast<int>(words.size()) < length) words += "Geschäftstermine ";
  CString text(words.c_str());
  LeftAndValidateDec(text, length);
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CFont* old = dc.SelectObject(NbThemeGetFont());
  auto width = [&dc](const CString& s) { return static_cast<int>(dc.GetTextExtent(s).cx); };
  // Glyphs are cached on first use: both ways start warm.
  LinearFit(text, 120, dc);
  double halving = 0, linear = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    CString a = nbui::tabs::FitLabel(text, 120, width);
    auto mid = std::chrono::steady_clock::now();
    CString b = LinearFit(text, 120, dc);
    auto end = std::chrono::steady_clock::now();
    if (a != b) state.SkipWithError("the two ways disagree");
    halving += std::chrono::duration<double, std::micro>(mid - start).count();
    linear += std::chrono::duration<double, std::micro>(end - mid).count();
  }
  dc.SelectObject(old);
  double runs = static_cast<double>(state.iterations());
  state.counters["halving_us"] = halving / runs;
  state.counters["linear_us"] = linear / runs;
  state.counters["ratio"] = linear > 0 ? halving / linear : 0;
}
BENCHMARK(BM_TabLabelFit)->Arg(40)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
