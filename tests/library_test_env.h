// What every library test starts from: UTC, no settings file, a fresh
// headless desktop, and the clock pinned to 10 March 2004, 12:00.
#pragma once

#include <cstdlib>
#include <ctime>

#include "nbp/clock.h"
#include "nbp/headless.h"
#include "nbp/time_parts.h"

namespace nbtest {

inline time_t Utc(int year, int month, int day, int hour = 12, int minute = 0) {
  struct tm t = nbp::time_parts::ToTm(year, month, day, hour, minute, 0, 0);
  return timegm(&t);
}

inline void QuietLibraryEnvironment() {
  setenv("TZ", "UTC", 1);
  tzset();
  setenv("NBUI_SETTINGS_FILE", "/nonexistent/nbui-test-settings.ini", 1);
  nbp::SetDesktop(nullptr);
  nbp::clock::Pin(Utc(2004, 3, 10));
}

}  // namespace nbtest
