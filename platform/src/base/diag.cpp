#include "nbp/diag.h"

#include <atomic>
#include <cstdio>

namespace nbp::diag {
namespace {
std::atomic<unsigned long> g_failures{0};
std::atomic<bool> g_report{true};
}  // namespace

void AssertFailed(const char* file, int line, const char* expr) {
  ++g_failures;
  if (g_report)
    fprintf(stderr, "%s(%d): assertion failed%s%s\n", file ? file : "?", line, expr ? ": " : "", expr ? expr : "");
}

unsigned long AssertFailureCount() { return g_failures; }

void SetAssertReporting(bool on) { g_report = on; }

void TraceV(const char* format, va_list args) {
  if (!format) return;
  vfprintf(stderr, format, args);
}

void Trace(const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  TraceV(format, ap);
  va_end(ap);
}

}  // namespace nbp::diag
