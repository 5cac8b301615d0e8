// Conversions between automation dates and calendar fields.
#pragma once

namespace nbp::ole_date {

struct Parts {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  int dayOfWeek = 0;  // 0 Sunday
  int dayOfYear = 0;  // from 1
};

// Rounds to the nearest second; false for NaN, infinities and dates outside
// the years 100-9999.
bool ToParts(double date, Parts& p);
bool FromParts(int y, int m, int d, int h, int mi, int s, double& date);

// The automation date as a number that grows with time (before 1899 the
// stored fraction counts forward from a day that counts backward), and back.
double Linear(double date);
double FromLinear(double linear);

}  // namespace nbp::ole_date
