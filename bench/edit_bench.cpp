// Long text into a multi-line edit control: an input-method commit and a
// paste of 100,000 characters, and 2,000 characters one message each, each
// against 100 characters the same way in the same run. The ratio per
// character stays near 1 while the cost is linear.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "nbp/desktop.h"
#include "nbp/ime.h"
#include "nbp/test_driver.h"
#include "win/controls.h"
#include "win/user.h"

namespace {

std::string Words(size_t chars) {
  static const char kWords[] = "alpha beta gamma delta epsilon zeta eta theta iota kappa ";
  std::string text;
  while (text.size() < chars) text += kWords;
  text.resize(chars);
  return text;
}

enum class Way { kCommit, kPaste, kCharacters, kFieldCommit };

WNDPROC g_editProc = nullptr;
// A field's procedure in front of the edit's, as a host's field class puts it.
LRESULT CALLBACK FieldProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  return CallWindowProc(g_editProc, h, msg, wParam, lParam);
}

// Milliseconds for one commit (or paste, or WM_CHAR per byte) of `text` into a
// fresh multi-line edit, and the paint that shows it.
double MillisToInsert(const std::string& text, Way way) {
  bool paste = way == Way::kPaste;
  HWND top = CreateWindowEx(0, WC_STATIC, "bench", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                            nullptr, nullptr);
  DWORD style = way == Way::kFieldCommit ? ES_AUTOHSCROLL : ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;
  HWND edit = CreateWindowEx(0, WC_EDIT, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 380, 280, top, nullptr, nullptr,
                             nullptr);
  if (way == Way::kFieldCommit)
    g_editProc = reinterpret_cast<WNDPROC>(SetWindowLongPtr(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FieldProc)));
  SendMessage(edit, EM_LIMITTEXT, 0, 0);
  SetFocus(edit);
  nbp::test::Pump();
  if (paste) nbp::CurrentDesktop().SetClipboardText(text);
  auto start = std::chrono::steady_clock::now();
  if (paste) {
    SendMessage(edit, WM_PASTE, 0, 0);
  } else if (way == Way::kCommit || way == Way::kFieldCommit) {
    nbp::test::ImeType(text);
  } else {
    for (char c : text) SendMessage(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
  }
  nbp::test::Pump();  // the paint that shows it
  auto end = std::chrono::steady_clock::now();
  benchmark::DoNotOptimize(GetWindowTextLength(edit));
  DestroyWindow(top);
  return std::chrono::duration<double, std::milli>(end - start).count();
}

void Run(benchmark::State& state, Way way, size_t longChars) {
  const std::string longText = Words(longChars), shortText = Words(100);
  double longMs = 0, shortMs = 0;
  for (auto _ : state) {
    longMs += MillisToInsert(longText, way);
    shortMs += MillisToInsert(shortText, way);
  }
  double runs = static_cast<double>(state.iterations());
  state.counters["long_ms"] = longMs / runs;
  state.counters["baseline_ms"] = shortMs / runs;
  state.counters["ratio"] = shortMs > 0 ? longMs / shortMs : 0;
  // Per character: 1 for a linear cost.
  state.counters["ratio_per_char"] = shortMs > 0 ? (longMs / static_cast<double>(longChars)) / (shortMs / 100) : 0;
}

void BM_CommitIntoMultilineEdit(benchmark::State& state) { Run(state, Way::kCommit, 100000); }
void BM_PasteIntoMultilineEdit(benchmark::State& state) { Run(state, Way::kPaste, 100000); }
// Characters that still arrive one message each (a keyboard that types
// fast): 2,000 against 100, painted once at the end.
void BM_CharactersIntoMultilineEdit(benchmark::State& state) { Run(state, Way::kCharacters, 2000); }
// A commit into a single-line field whose procedure filters typing: it
// sees the commit as characters.
void BM_CommitIntoSingleLineField(benchmark::State& state) { Run(state, Way::kFieldCommit, 2000); }
BENCHMARK(BM_CommitIntoSingleLineField)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CommitIntoMultilineEdit)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PasteIntoMultilineEdit)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CharactersIntoMultilineEdit)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
