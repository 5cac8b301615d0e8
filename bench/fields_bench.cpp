// A keystroke in a text field, from WM_KEYDOWN to the repainted field (the
// key down, its character, the key up and the paint, all dispatched as the
// message loop does), against the same keystroke into a plain edit control
// showing the same text, measured in the same run. Each benchmark reports
// its time per keystroke (us), the baseline's (baseline_us) and their ratio.
//
//   date_key   a digit typed at the end of "3/10/2004", then Backspace
//   time_key   "0" typed after "10:3" (the whole text read again), then Backspace
//   alarm_up   Up in the hours of the spinning time field: the step posted to
//              the form, which applies it; baseline: Up in the plain edit
//   date_commit  an input method's result of 2,000 mixed-script characters
//              into the date field (which filters each character), against
//              100 of them: ratio_per_char stays near 1 while the cost is linear
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include "fields/edit_date.h"
#include "fields/edit_time.h"
#include "fields/time_spin.h"
#include "mfc/app.h"
#include "nbp/clock.h"
#include "nbp/headless.h"
#include "nbp/ime.h"
#include "nbp/regional.h"
#include "nbp/test_driver.h"
#include "nbp/utf8_step.h"
#include "win/gdi.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr DWORD kFieldStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;

// The form: applies the spinning field's steps as a host's form does.
class CForm : public CWnd {
 public:
  CNbEditTimeSpinCtrl* alarm = nullptr;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NB_TIMESTEP) {
      if (alarm && lParam) alarm->ChangeValue(static_cast<int>(lParam));
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

struct Fields {
  CWinApp app{"Fields bench"};
  CForm form;
  CNbEditDate date;
  CNbEditTime time{8, 0};
  CNbEditTimeSpinCtrl alarm{8, 0};
  CEdit plain;

  Fields() {
    nbp::SetDesktop(nullptr);
    nbp::regional::SetLocaleForTest("en_US");
    nbp::clock::Pin(1078920000);  // 10 March 2004
    form.CreateEx(0, nullptr, "Form", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 400, 200, nullptr, nullptr);
    app.m_pMainWnd = &form;
    auto place = [&](CEdit& edit, int top, UINT id) {
      edit.Create(kFieldStyle, CRect(10, top, 210, top + 24), &form, id);
      edit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    };
    place(date, 10, 1);
    place(time, 40, 2);
    place(alarm, 70, 3);
    place(plain, 100, 4);
    form.alarm = &alarm;
    nbp::test::Pump();
  }
};

Fields& Form() {
  static auto* fields = new Fields();
  return *fields;
}

// Puts the text in and the caret at its end, with the focus.
void Prepare(CEdit& edit, const char* text) {
  edit.SetWindowText(text);
  edit.SetFocus();
  edit.SetSel(-1, -1);
  int end = edit.GetWindowTextLength();
  edit.SetSel(end, end);
  nbp::test::Pump();
}

template <typename Key>
double MicrosPerKeystroke(int64_t n, int keysPerRound, Key&& key) {
  auto t0 = Clock::now();
  for (int64_t i = 0; i < n; ++i) key(i);
  double us = std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
  return us / static_cast<double>(n ? n * keysPerRound : 1);
}

// Runs `round` on the field in the framework's loop, then times the same
// number of rounds on the field and on the plain edit back to back.
template <typename Round>
void Compare(benchmark::State& state, CEdit& field, const char* fieldText, const char* plainText, int keysPerRound,
             Round&& round) {
  Fields& f = Form();
  Prepare(field, fieldText);
  int64_t n = 0;
  for (auto _ : state) {
    round(n++);
  }
  Prepare(field, fieldText);
  double ours = MicrosPerKeystroke(n, keysPerRound, round);
  Prepare(f.plain, plainText);
  double base = MicrosPerKeystroke(n, keysPerRound, round);
  state.counters["us"] = ours;
  state.counters["baseline_us"] = base;
  state.counters["ratio"] = base > 0 ? ours / base : 0;
  nbp::Headless()->ClearRecords();
}

void BM_DateKeystroke(benchmark::State& state) {
  Fields& f = Form();
  Compare(state, f.date, "3/10/2004", "3/10/2004", 2, [](int64_t) {
    nbp::test::PressKey('5');
    nbp::test::PressKey(VK_BACK);
  });
}
BENCHMARK(BM_DateKeystroke)->Unit(benchmark::kMicrosecond);

void BM_TimeKeystroke(benchmark::State& state) {
  Fields& f = Form();
  f.time.SetTime(10, 30, FALSE);
  Compare(state, f.time, "10:3", "10:3", 2, [](int64_t) {
    nbp::test::PressKey('0');
    nbp::test::PressKey(VK_BACK);
  });
}
BENCHMARK(BM_TimeKeystroke)->Unit(benchmark::kMicrosecond);

void BM_AlarmStep(benchmark::State& state) {
  Fields& f = Form();
  f.alarm.SetTime(9, 15, TRUE);
  Compare(state, f.alarm, "09:15 AM", "09:15 AM", 1, [](int64_t) {
    ::SendMessage(::GetFocus(), EM_SETSEL, 1, 1);  // in the hours
    nbp::test::PressKey(VK_UP, nbp::test::kNoMods, true);
  });
}
BENCHMARK(BM_AlarmStep)->Unit(benchmark::kMicrosecond);

std::string MixedScript(size_t chars) {
  static const char* const kPieces[] = {"3/10/", "2004 ", "\xD0\x9C\xD0\xB0\xD1\x80", "\xE4\xB8\x89\xE6\x9C\x88",
                                        "\xD7\x9E\xD7\xA8\xD7\xA5", " due "};
  std::string text;
  for (size_t i = 0; nbp::utf8::CountChars(text) < chars; ++i) text += kPieces[i % 6];
  return std::string(nbp::utf8::FirstChars(text, chars));
}

double MillisToCommit(CEdit& field, const std::string& text) {
  Prepare(field, "");
  auto t0 = Clock::now();
  nbp::test::ImeType(text);
  nbp::test::Pump();  // the paint that shows it
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

void BM_DateCommit(benchmark::State& state) {
  Fields& f = Form();
  const std::string longText = MixedScript(2000), shortText = MixedScript(100);
  double longMs = 0, shortMs = 0;
  for (auto _ : state) {
    longMs += MillisToCommit(f.date, longText);
    shortMs += MillisToCommit(f.date, shortText);
  }
  double runs = static_cast<double>(state.iterations());
  state.counters["long_ms"] = longMs / runs;
  state.counters["baseline_ms"] = shortMs / runs;
  state.counters["ratio_per_char"] = shortMs > 0 ? (longMs / 2000) / (shortMs / 100) : 0;
  nbp::Headless()->ClearRecords();
}
BENCHMARK(BM_DateCommit)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
