// The one clock of the platform. Tick counts, the time of day, timers and
// double-click timing all read it, so that a test can pin it and advance it.
#pragma once

#include <cstdint>
#include <ctime>

namespace nbp::clock {

// Milliseconds since the platform started (what GetTickCount reports, before
// its 32-bit wrap).
uint64_t NowMs();

// Seconds since 1970 UTC, as the C runtime's time() would report.
time_t WallTime();

// Milliseconds within the current wall-clock second (for GetLocalTime).
int WallMillis();

// Pins the clock: from now on it only moves when Advance is called. The wall
// time becomes `wall` seconds since 1970 UTC.
void Pin(time_t wall);

// Moves a pinned clock on. Timers that come due are not fired here: the
// message loop fires them when it next looks at its queue (the test driver's
// AdvanceClock does both).
void Advance(uint64_t ms);

// Keeps the clock running but makes the wall time read `wall` now (and move
// on from there), as a machine whose date is set differently would.
void SetWallTime(time_t wall);

// Returns to the real clock.
void Unpin();

bool IsPinned();

}  // namespace nbp::clock
