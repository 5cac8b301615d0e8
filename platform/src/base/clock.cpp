#include "nbp/clock.h"

#include <chrono>

namespace nbp::clock {
namespace {

using steady = std::chrono::steady_clock;

const steady::time_point g_start = steady::now();
bool g_pinned = false;
uint64_t g_pinnedMs = 0;      // NowMs() while pinned
int64_t g_pinnedWallMs = 0;   // wall time in ms since 1970 while pinned
int64_t g_wallShiftMs = 0;    // added to the real wall time (SetWallTime)

int64_t RealWallMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() + g_wallShiftMs;
}

}  // namespace

uint64_t NowMs() {
  if (g_pinned) return g_pinnedMs;
  return static_cast<uint64_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(steady::now() - g_start).count());
}

time_t WallTime() {
  int64_t ms = g_pinned ? g_pinnedWallMs : RealWallMs();
  return static_cast<time_t>(ms / 1000);
}

int WallMillis() {
  int64_t ms = g_pinned ? g_pinnedWallMs : RealWallMs();
  return static_cast<int>(ms % 1000);
}

void Pin(time_t wall) {
  g_pinnedMs = NowMs();
  g_pinned = true;
  g_pinnedWallMs = static_cast<int64_t>(wall) * 1000;
}

void Advance(uint64_t ms) {
  if (!g_pinned) Pin(WallTime());
  g_pinnedMs += ms;
  g_pinnedWallMs += static_cast<int64_t>(ms);
}

void SetWallTime(time_t wall) {
  g_wallShiftMs = 0;
  g_wallShiftMs = static_cast<int64_t>(wall) * 1000 - RealWallMs();
}

void Unpin() { g_pinned = false; }

bool IsPinned() { return g_pinned; }

}  // namespace nbp::clock
