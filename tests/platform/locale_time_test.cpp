// CTime, CTimeSpan, COleDateTime and COleDateTimeSpan.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <string>

#include "mfc/time.h"
#include "nbp/clock.h"
#include "nbp/regional.h"
#include "nbp/time_parts.h"

namespace {

// Local time follows TZ; each test that depends on it says which.
class ScopedTz {
 public:
  explicit ScopedTz(const char* tz) {
    const char* old = std::getenv("TZ");
    had_ = old != nullptr;
    if (had_) old_ = old;
    setenv("TZ", tz, 1);
    tzset();
  }
  ~ScopedTz() {
    if (had_) setenv("TZ", old_.c_str(), 1);
    else unsetenv("TZ");
    tzset();
  }

 private:
  bool had_ = false;
  std::string old_;
};

TEST(Mktime32, RefusesWhatA32BitRuntimeCannotHold) {
  ScopedTz tz("UTC");
  struct Case {
    int y, mon, d, h, mi, s;
    LONG expect;
  } cases[] = {
      {1970, 1, 1, 0, 0, 0, 0},
      {1969, 12, 31, 23, 59, 59, -1},
      {1960, 6, 1, 0, 0, 0, -1},
      {2038, 1, 19, 3, 14, 7, 2147483647},
      {2038, 1, 19, 3, 14, 8, -1},
      {2004, 2, 30, 0, 0, 0, 1078099200},  // normalised to 1 March 2004
  };
  for (const Case& c : cases) {
    struct tm t = nbp::time_parts::ToTm(c.y, c.mon, c.d, c.h, c.mi, c.s);
    EXPECT_EQ(_mktime32(&t), c.expect) << c.y << "-" << c.mon << "-" << c.d;
  }
  EXPECT_EQ(_mktime32(nullptr), -1);
}

TEST(CTimeTest, BuildsLocalTimeAndReadsItBack) {
  ScopedTz tz("Europe/Berlin");
  CTime t(2004, 7, 15, 10, 30, 0);
  EXPECT_EQ(t.GetTime(), 1089880200);  // 08:30 UTC in summer time
  EXPECT_EQ(t.GetYear(), 2004);
  EXPECT_EQ(t.GetMonth(), 7);
  EXPECT_EQ(t.GetDay(), 15);
  EXPECT_EQ(t.GetHour(), 10);
  EXPECT_EQ(t.GetDayOfWeek(), 5);  // Thursday
  EXPECT_EQ(CTime(1960, 1, 1, 0, 0, 0).GetTime(), -1);
  EXPECT_EQ(CTime(static_cast<time_t>(1) << 40).GetTime(), -1);
  EXPECT_EQ((CTime(2004, 7, 16, 10, 30, 0) - t).GetTotalHours(), 24);
}

TEST(CTimeTest, FormatUsesTheRuntimeStrftime) {
  ScopedTz tz("UTC");
  CTime t(2001, 5, 1, 9, 5, 0);
  EXPECT_STREQ(t.Format("%H:%M"), "09:05");
  EXPECT_STREQ(t.Format("%I:%M %p"), "09:05 AM");
  EXPECT_STREQ(t.Format("%#d/%#m/%Y"), "1/5/2001");
  EXPECT_STREQ(t.Format(""), "");
  // Long results are not cut off.
  std::string longFormat(300, 'x');
  longFormat += "%Y";
  EXPECT_EQ(t.Format(longFormat.c_str()).GetLength(), 304);
}

TEST(CTimeTest, CurrentTimeReadsThePlatformClock) {
  nbp::clock::Pin(1000000000);
  EXPECT_EQ(CTime::GetCurrentTime().GetTime(), 1000000000);
  ScopedTz tz("UTC");
  COleDateTime now = COleDateTime::GetCurrentTime();
  nbp::clock::Unpin();
  EXPECT_EQ(now.GetYear(), 2001);
  EXPECT_EQ(now.GetMonth(), 9);
  EXPECT_EQ(now.GetDay(), 9);
  EXPECT_EQ(now.GetHour(), 1);
  EXPECT_EQ(now.GetMinute(), 46);
  EXPECT_EQ(CTimeSpan(1, 2, 3, 4).Format("%D %H:%M:%S %%"), CString("1 02:03:04 %"));
}

TEST(COleDateTimeTest, PartsRoundTrip) {
  struct Case {
    double date;
    int y, m, d, h, mi, s, dow;
  } cases[] = {
      {0.0, 1899, 12, 30, 0, 0, 0, 7},
      {2.0, 1900, 1, 1, 0, 0, 0, 2},
      {38020.5, 2004, 2, 3, 12, 0, 0, 3},
      {-1.25, 1899, 12, 29, 6, 0, 0, 6},  // the fraction counts forward from a negative day
      {-657434.0, 100, 1, 1, 0, 0, 0, 6},
      {2958465.0, 9999, 12, 31, 0, 0, 0, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.date);
    COleDateTime dt(c.date);
    ASSERT_EQ(dt.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(dt.GetYear(), c.y);
    EXPECT_EQ(dt.GetMonth(), c.m);
    EXPECT_EQ(dt.GetDay(), c.d);
    EXPECT_EQ(dt.GetHour(), c.h);
    EXPECT_EQ(dt.GetMinute(), c.mi);
    EXPECT_EQ(dt.GetDayOfWeek(), c.dow);
    COleDateTime back(c.y, c.m, c.d, c.h, c.mi, c.s);
    EXPECT_DOUBLE_EQ(back.m_dt, c.date);
  }
  // Just before midnight rounds to the next day, also before 1899.
  EXPECT_EQ(COleDateTime(-1.9999999).GetDay(), 30);
  EXPECT_EQ(COleDateTime(38020.9999999).GetDay(), 4);
}

TEST(COleDateTimeTest, RefusesWhatIsNoDate) {
  const double kBad[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                         -std::numeric_limits<double>::infinity(), 2958466.0, -657435.0, 1e300};
  for (double d : kBad) {
    COleDateTime dt(d);
    EXPECT_EQ(dt.GetStatus(), COleDateTime::invalid) << d;
    EXPECT_EQ(dt.GetYear(), AFX_OLE_DATETIME_ERROR);
    SYSTEMTIME st{};
    st.wYear = 77;
    EXPECT_FALSE(dt.GetAsSystemTime(st));
    EXPECT_EQ(st.wYear, 77);
    EXPECT_STREQ(dt.Format("%Y"), "");
  }
  COleDateTime dt;
  EXPECT_EQ(dt.SetDateTime(2003, 2, 29, 0, 0, 0), 1);
  EXPECT_EQ(dt.GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(dt.SetDateTime(2004, 2, 29, 23, 59, 59), 0);
  EXPECT_EQ(COleDateTime(2004, 1, 1, 24, 0, 0).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(COleDateTime(99, 1, 1, 0, 0, 0).GetStatus(), COleDateTime::invalid);
}

TEST(COleDateTimeTest, SystemTimeAndArithmetic) {
  SYSTEMTIME st{};
  ASSERT_TRUE(COleDateTime(2004, 2, 29, 13, 45, 10).GetAsSystemTime(st));
  EXPECT_EQ(st.wYear, 2004);
  EXPECT_EQ(st.wMonth, 2);
  EXPECT_EQ(st.wDay, 29);
  EXPECT_EQ(st.wDayOfWeek, 0);  // Sunday
  EXPECT_EQ(st.wHour, 13);
  EXPECT_EQ(st.wSecond, 10);
  EXPECT_EQ(COleDateTime(st).m_dt, COleDateTime(2004, 2, 29, 13, 45, 10).m_dt);

  // Across 30 December 1899 the time still moves forward.
  COleDateTime before(1899, 12, 29, 18, 0, 0);
  COleDateTime after = before + COleDateTimeSpan(0, 12, 0, 0);
  EXPECT_EQ(after.GetDay(), 30);
  EXPECT_EQ(after.GetHour(), 6);
  EXPECT_TRUE(before < after);
  EXPECT_TRUE(COleDateTime(1899, 12, 29, 6, 0, 0) < before);
  EXPECT_DOUBLE_EQ((after - before).GetTotalHours(), 12.0);
  EXPECT_EQ((COleDateTime(9999, 12, 31, 0, 0, 0) + COleDateTimeSpan(1.0)).GetStatus(), COleDateTime::invalid);
}

class OleFormatTest : public ::testing::Test {
 protected:
  void TearDown() override { nbp::regional::SetLocaleForTest(""); }
};

TEST_F(OleFormatTest, NamesComeInTheUsersLanguage) {
  COleDateTime dt(2000, 3, 5, 14, 7, 9);
  struct Case {
    const char* locale;
    const char* format;
    const char* expect;
  } cases[] = {
      {"en_US", "%B %Y", "March 2000"},
      {"en_US", "%A, %#d %b %y", "Sunday, 5 Mar 00"},
      {"en_US", "%I:%M:%S %p|%H|%j|%w|%U|%W|%%|%q", "02:07:09 PM|14|065|0|10|09|%|%q"},
      {"de_DE", "%B", "März"},
      {"de_DE", "%A %d.%m.", "Sonntag 05.03."},
      {"fr_FR", "%A %#d %B %Y", "dimanche 5 mars 2000"},
      {"ru_RU", "%B", "март"},           // a title: the name on its own
      {"ru_RU", "%#d %B", "5 марта"},    // beside a day: the date form
      {"ja_JP", "%Y %B %A", "2000 3月 日曜日"},
      {"en_US", "%x %X", "3/5/00 2:07:09 PM"},
      {"en_GB", "%#x", "Sunday, 5 March 2000"},
  };
  for (const Case& c : cases) {
    nbp::regional::SetLocaleForTest(c.locale);
    EXPECT_STREQ(dt.Format(c.format), c.expect) << c.locale << " " << c.format;
  }
}

TEST_F(OleFormatTest, VariantFormShowsDateAndTimeAsPresent) {
  nbp::regional::SetLocaleForTest("de_DE");
  EXPECT_STREQ(COleDateTime(2004, 2, 3, 0, 0, 0).Format(), "03.02.04");
  EXPECT_STREQ(COleDateTime(2004, 2, 3, 9, 30, 0).Format(), "03.02.04 09:30:00");
  EXPECT_STREQ(COleDateTime(1899, 12, 30, 9, 30, 0).Format(), "09:30:00");
  EXPECT_STREQ(COleDateTime(2004, 2, 3, 9, 30, 0).Format(VAR_DATEVALUEONLY, LANG_USER_DEFAULT), "03.02.04");
  EXPECT_STREQ(COleDateTime(2004, 2, 3, 9, 30, 0).Format(0, 0x0409), "2/3/04 9:30:00 AM");
}

}  // namespace
