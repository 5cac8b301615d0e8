// NbGetCTimeValid, NbGetValidCTime and NbGetDate as a host program calls them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <string>

#include "calendar/date_functions.h"
#include "nbp/clock.h"
#include "nbp/regional.h"

namespace {

class ScopedTz {
 public:
  explicit ScopedTz(const char* tz) {
    if (const char* old = std::getenv("TZ")) old_ = old;
    setenv("TZ", tz, 1);
    tzset();
  }
  ~ScopedTz() {
    setenv("TZ", old_.c_str(), 1);
    tzset();
  }

 private:
  std::string old_ = "UTC";
};

TEST(NbGetValidCTime, NormalisesAndRefusesAsTheRuntimeDoes) {
  ScopedTz tz("UTC");
  EXPECT_EQ(NbGetValidCTime(2004, 2, 30, 0, 0, 0), 1078099200);  // 1 March 2004
  EXPECT_EQ(NbGetValidCTime(2004, 3, 1, 0, 0, 0), 1078099200);
  EXPECT_EQ(NbGetValidCTime(1960, 6, 1, 0, 0, 0), -1);
  EXPECT_EQ(NbGetValidCTime(2038, 1, 19, 3, 14, 7), 2147483647);
  EXPECT_EQ(NbGetValidCTime(2038, 1, 19, 3, 14, 8), -1);  // no wrap past 2038
  EXPECT_EQ(NbGetValidCTime(1970, 1, 1, 0, 0, 0), 0);
  EXPECT_EQ(NbGetValidCTime(INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN), -1);
  EXPECT_EQ(NbGetValidCTime(INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX), -1);
}

TEST(NbGetCTimeValid, FollowsTheLocalZone) {
  ScopedTz tz("America/New_York");
  CTime t;
  ASSERT_EQ(NbGetCTimeValid(2004, 7, 4, 12, 0, 0, t, -1), 1);
  EXPECT_EQ(t.GetTime(), 1088956800);  // 16:00 UTC in daylight time
  EXPECT_EQ(NbGetCTimeValid(1969, 12, 31, 12, 0, 0, t, -1), 0);
  EXPECT_EQ(t.GetTime(), -1);
}

TEST(NbGetCTimeValid, NewYear1970EastOfUtcGivesTheNextDay) {
  ScopedTz tz("Europe/Berlin");  // 1 January 1970 00:30 here is still 1969 in UTC
  CTime t(static_cast<time_t>(12345));
  EXPECT_EQ(NbGetCTimeValid(1970, 1, 1, 0, 30, 0, t, 0), 0);
  EXPECT_EQ(t.GetTime(), 86400 - 3600 + 1800);  // 2 January 1970 00:30 local
  EXPECT_EQ(NbGetValidCTime(1970, 1, 1, 0, 30, 0, 0), -1);
  // Later that day the time exists and is returned as it is.
  EXPECT_EQ(NbGetValidCTime(1970, 1, 1, 2, 0, 0, 0), 3600);
}

class NbGetDateTest : public ::testing::Test {
 protected:
  void TearDown() override {
    nbp::regional::SetOverrides({});
    nbp::regional::SetLocaleForTest("");
  }
};

TEST_F(NbGetDateTest, ShortAndLongFormsInTheUsersLocale) {
  const double kFeb3_2004 = 38020.75;  // the time of day does not show
  struct Case {
    const char* locale;
    const char* shortForm;
    const char* longForm;
  } cases[] = {
      {"en_US", "2/3/04", "Tuesday, February 3, 2004"},
      {"en_GB", "03/02/2004", "Tuesday, 3 February 2004"},
      {"de_DE", "03.02.04", "Dienstag, 3. Februar 2004"},
      {"fr_FR", "03/02/2004", "mardi 3 février 2004"},
      {"ja_JP", "2004/02/03", "2004年2月3日火曜日"},
  };
  for (const Case& c : cases) {
    nbp::regional::SetLocaleForTest(c.locale);
    EXPECT_STREQ(NbGetDate(kFeb3_2004, 1), c.shortForm) << c.locale;
    EXPECT_STREQ(NbGetDate(kFeb3_2004, 0), c.longForm) << c.locale;
  }
}

TEST_F(NbGetDateTest, EmptyForNoDateAndForTheEraCalendar) {
  nbp::regional::SetLocaleForTest("en_US");
  const double kNoDate[] = {0.0, -5.0, -0.5, std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity(), 1e10};
  for (double d : kNoDate) {
    EXPECT_STREQ(NbGetDate(d, 1), "") << d;
    EXPECT_STREQ(NbGetDate(d, 0), "") << d;
  }
  EXPECT_STREQ(NbGetDate(1.0, 1), "12/31/99");

  nbp::regional::SetLocaleForTest("ja_JP@calendar=japanese");
  EXPECT_STREQ(NbGetDate(38020.0, 1), "");
  EXPECT_STREQ(NbGetDate(38020.0, 0), "");
  nbp::regional::Overrides o;
  o.calendarType = 1;
  nbp::regional::SetOverrides(o);
  EXPECT_STREQ(NbGetDate(38020.0, 1), "2004/02/03");
}

TEST_F(NbGetDateTest, UserOverridesShape) {
  nbp::regional::SetLocaleForTest("en_US");
  nbp::regional::Overrides o;
  o.shortDate = "dd-MM-yyyy";
  nbp::regional::SetOverrides(o);
  EXPECT_STREQ(NbGetDate(38020.0, 1), "03-02-2004");
}

}  // namespace
