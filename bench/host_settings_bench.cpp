// Reading a setting from a large settings file against reading one from a
// file of a single entry, measured in the same run. Each benchmark reports
// its own time per call (ns), the baseline's (baseline_ns) and ours /
// baseline (ratio); a ratio near 1 means the read does not grow with the
// file.
//
//   read_large_file   ReadSettingInt of a key in a file of 20,000 entries
//                     (about 600 KB); baseline: the same read in a file
//                     holding only that key
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "HostShared/settings.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string MakeFile(const std::string& dir, const char* name, int entries) {
  std::string path = dir + "/" + name;
  std::ofstream out(path, std::ios::binary);
  out << "[Dayleaf]\nWorkWeekBegins=1\n";
  for (int i = 0; i < entries; ++i) out << "[Section" << i / 10 << "]\nEntry" << i << "=some text of a setting\n";
  return path;
}

// The mean time of n reads of the file at path.
double ReadNs(const std::string& path, int64_t n) {
  setenv("NBUI_SETTINGS_FILE", path.c_str(), 1);
  int value = 0;
  ReadSettingInt(NB_SETTINGS_DAYLEAF, NB_SETTINGS_WORK_WEEK_BEGINS, value, 0);  // the first read parses
  auto t0 = Clock::now();
  for (int64_t i = 0; i < n; ++i) {
    ReadSettingInt(NB_SETTINGS_DAYLEAF, NB_SETTINGS_WORK_WEEK_BEGINS, value, 0);
    benchmark::DoNotOptimize(value);
  }
  return std::chrono::duration<double, std::nano>(Clock::now() - t0).count() / static_cast<double>(n ? n : 1);
}

void BM_ReadLargeFile(benchmark::State& state) {
  char dir[] = "/tmp/nbui-bench-XXXXXX";
  if (!mkdtemp(dir)) {
    state.SkipWithError("no temporary folder");
    return;
  }
  std::string large = MakeFile(dir, "large.ini", 20000);
  std::string small = MakeFile(dir, "small.ini", 0);
  // A file changed within the last moments is read again on every call, as
  // a change within the file system's timestamp granularity would not show.
  std::this_thread::sleep_for(std::chrono::milliseconds(2100));

  setenv("NBUI_SETTINGS_FILE", large.c_str(), 1);
  int64_t n = 0;
  int value = 0;
  for (auto _ : state) {
    ReadSettingInt(NB_SETTINGS_DAYLEAF, NB_SETTINGS_WORK_WEEK_BEGINS, value, 0);
    benchmark::DoNotOptimize(value);
    ++n;
  }
  double oursNs = ReadNs(large, n);
  double baseNs = ReadNs(small, n);
  state.counters["ns"] = oursNs;
  state.counters["baseline_ns"] = baseNs;
  state.counters["ratio"] = baseNs > 0 ? oursNs / baseNs : 0;
  unsetenv("NBUI_SETTINGS_FILE");
  std::remove(large.c_str());
  std::remove(small.c_str());
  rmdir(dir);
}
BENCHMARK(BM_ReadLargeFile)->Iterations(500);

}  // namespace

BENCHMARK_MAIN();
