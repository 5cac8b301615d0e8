// Where ASSERT and TRACE go. A failed assertion is reported on stderr with
// its place and the program carries on: the platform runs inside host
// applications, which a broken invariant in one control must not bring down.
#pragma once

#include <cstdarg>

namespace nbp::diag {

// Reports a failed assertion (the expression text may be null).
void AssertFailed(const char* file, int line, const char* expr);

// How many assertions have failed since the program started, so that tests
// can check that a misuse was reported.
unsigned long AssertFailureCount();

// Turns the stderr report off (and back on); failures are still counted.
void SetAssertReporting(bool on);

// Writes a debug trace line to stderr (no newline is added).
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));
void TraceV(const char* format, va_list args);

}  // namespace nbp::diag

// True in builds where ASSERT checks and reports (MFC's _DEBUG, or any build
// without NDEBUG).
#if defined(_DEBUG) || !defined(NDEBUG)
#define NBP_DEBUG_CHECKS 1
#else
#define NBP_DEBUG_CHECKS 0
#endif
