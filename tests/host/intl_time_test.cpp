// CIntlTime: the locale service the date and time fields read and write with.
#include <gtest/gtest.h>

#include <string>

#include "HostCommon/intl_time.h"
#include "nbp/clock.h"
#include "nbp/regional.h"
#include "platform/regional_fixture.h"

namespace {

using IntlTimeTest = RegionalSettingsTest;

struct LocaleCase {
  const char* locale;
  const char* picture;
  const char* typed;  // 3 February 2005 as a user types it
  const char* shortDate;
  const char* longDate;
  const char* dateSep;
  const char* timeSep;
  bool h24;
  const char* morning;    // 9:05
  const char* afternoon;  // 21:30
  const char* sunday;
  const char* sundayShort;
};

const LocaleCase kLocales[] = {
    {"en_US", "M/d/yy", "2/3/05", "2/3/05", "Thursday, February 3, 2005", "/", ":", false, "9:05 AM", "9:30 PM",
     "Sunday", "Sun"},
    {"en_GB", "dd/MM/y", "3/2/2005", "03/02/2005", "Thursday, 3 February 2005", "/", ":", true, "09:05", "21:30",
     "Sunday", "Sun"},
    {"de_DE", "dd.MM.yy", "3.2.05", "03.02.05", "Donnerstag, 3. Februar 2005", ".", ":", true, "09:05", "21:30",
     "Sonntag", "So."},
    {"fr_FR", "dd/MM/y", "03/02/2005", "03/02/2005", "jeudi 3 février 2005", "/", ":", true, "09:05", "21:30",
     "dimanche", "dim."},
    {"ja_JP", "y/MM/dd", "2005/2/3", "2005/02/03", "2005年2月3日木曜日", "/", ":", true, "9:05", "21:30", "日曜日",
     "日"},
};

TEST_F(IntlTimeTest, EachLocaleReadsAndWritesItsOwnDates) {
  for (const LocaleCase& c : kLocales) {
    SCOPED_TRACE(c.locale);
    Use(c.locale);
    CIntlTime t;
    CString picture = t.GetDateFormatA(CIntlTime::kShortDate, 1);
    EXPECT_STREQ(picture, c.picture);
    EXPECT_STREQ(t.GetDateSeperator(), c.dateSep);
    EXPECT_STREQ(t.GetTimeSeperator(), c.timeSep);
    EXPECT_EQ(t.Is24HrFormat() != 0, c.h24);

    int y = 0, m = 0, d = 0;
    ASSERT_TRUE(CIntlTime::ParseDateFromFormat(picture, c.typed, t.GetDateSeperator()[0], y, m, d));
    EXPECT_EQ(m, 2);
    EXPECT_EQ(d, 3);
    EXPECT_EQ(y % 100, 5);

    CIntlTime day(2005, 2, 3, 0, 0, 0);
    EXPECT_STREQ(day.FormatDate(CIntlTime::kShortDate), c.shortDate);
    EXPECT_STREQ(day.FormatDate(CIntlTime::kLongDate), c.longDate);
    EXPECT_STREQ(CIntlTime(1990, 1, 1, 9, 5, 0).FormatTime(), c.morning);
    EXPECT_STREQ(CIntlTime(1990, 1, 1, 21, 30, 0).FormatTime(), c.afternoon);
    EXPECT_STREQ(t.GetDayName(1, 0), c.sunday);
    EXPECT_STREQ(t.GetDayName(1, 1), c.sundayShort);

    // What FormatDate writes, ParseDateFromFormat reads back.
    ASSERT_TRUE(CIntlTime::ParseDateFromFormat(picture, day.FormatDate(CIntlTime::kShortDate),
                                               t.GetDateSeperator()[0], y, m, d));
    EXPECT_EQ(d, 3);
    EXPECT_EQ(m, 2);
  }
}

TEST_F(IntlTimeTest, EraCalendarKeepsTypedDatesGregorian) {
  Use("ja_JP@calendar=japanese");
  CIntlTime t(2005, 2, 3, 0, 0, 0);
  EXPECT_STREQ(t.GetDateFormatA(CIntlTime::kShortDate, 1), "y/MM/dd");
  EXPECT_STREQ(t.GetDateFormatA(CIntlTime::kShortDate, 3), "GGGGGy/M/d");
  EXPECT_STREQ(t.FormatDate(CIntlTime::kShortDate), "2005/02/03");
}

struct ParseCase {
  const char* picture;
  const char* text;
  char sep;
  bool ok;
  int y, m, d;
};

const ParseCase kParse[] = {
    {"M/d/yy", "2/3/05", '/', true, 5, 2, 3},
    {"M/d/yy", " 12/31/1999 ", '/', true, 1999, 12, 31},
    {"M/d/yy", "2 / 3 / 05", '/', true, 5, 2, 3},
    {"M/d/yy", "13/45/05", '/', true, 5, 13, 45},  // numbers as typed, unchecked
    {"M/d/yy", "0/0/0", '/', true, 0, 0, 0},
    {"dd.MM.yy", "03.02.05", '.', true, 5, 2, 3},
    {"dd.MM.yy", "3/2/05", '/', true, 5, 2, 3},  // the separator character is always accepted
    {"y/MM/dd", "2005/02/03", '/', true, 2005, 2, 3},
    {"d. M. y", "3. 2. 2005", '.', true, 2005, 2, 3},
    {"d. M. y", "3.2.2005", '.', true, 2005, 2, 3},
    {"y. MM. dd.", "2005. 02. 03.", '.', true, 2005, 2, 3},
    {"y年M月d日", "2005年2月3日", '/', true, 2005, 2, 3},
    {"yyyyMMdd", "20050203", 0, true, 2005, 2, 3},
    {"d M y", "3 2 2005", ' ', true, 2005, 2, 3},
    {"'Day' d/M/y", "Day 3/2/2005", '/', true, 2005, 2, 3},
    // Refused: stray characters, missing or extra fields, too many digits.
    {"M/d/yy", "2/3", '/', false, 0, 0, 0},
    {"M/d/yy", "2/3/05/", '/', false, 0, 0, 0},
    {"M/d/yy", "/2/3/05", '/', false, 0, 0, 0},
    {"M/d/yy", "2/3/05x", '/', false, 0, 0, 0},
    {"M/d/yy", "2//3/05", '/', false, 0, 0, 0},
    {"M/d/yy", "2-3-05", '/', false, 0, 0, 0},
    {"M/d/yy", "2 3 05", '/', false, 0, 0, 0},
    {"M/d/yy", "123/4/05", '/', false, 0, 0, 0},
    {"M/d/yy", "1/2/20055", '/', false, 0, 0, 0},
    {"M/d/yy", "", '/', false, 0, 0, 0},
    {"M/d/yy", "2/3/\xff\xfe", '/', false, 0, 0, 0},
    {"M/d/yy", "２/３/０５", '/', false, 0, 0, 0},  // full-width digits are not digits here
    {"yyyyMMdd", "2005023", 0, false, 0, 0, 0},
    // Refused pictures: no year, a name, a time, a field twice.
    {"M/d", "2/3", '/', false, 0, 0, 0},
    {"MMM d, y", "Feb 3, 2005", ' ', false, 0, 0, 0},
    {"M/d/yy h:mm", "2/3/05 1:00", '/', false, 0, 0, 0},
    {"M/d/M", "2/3/4", '/', false, 0, 0, 0},
    {"", "2/3/05", '/', false, 0, 0, 0},
};

TEST(ParseDateFromFormat, ReadsNumbersInThePicturesOrder) {
  for (const ParseCase& c : kParse) {
    int y = -7, m = -7, d = -7;
    BOOL ok = CIntlTime::ParseDateFromFormat(c.picture, c.text, c.sep, y, m, d);
    EXPECT_EQ(ok != 0, c.ok) << c.picture << " [" << c.text << "]";
    if (c.ok) {
      EXPECT_EQ(y, c.y) << c.text;
      EXPECT_EQ(m, c.m) << c.text;
      EXPECT_EQ(d, c.d) << c.text;
    } else {
      EXPECT_EQ(y, -7) << "a refused text changes nothing: " << c.text;
      EXPECT_EQ(m, -7);
      EXPECT_EQ(d, -7);
    }
  }
}

TEST(ParseDateFromFormat, RefusesNullAndVeryLongText) {
  int y = 0, m = 0, d = 0;
  EXPECT_FALSE(CIntlTime::ParseDateFromFormat(nullptr, "2/3/05", '/', y, m, d));
  EXPECT_FALSE(CIntlTime::ParseDateFromFormat("M/d/yy", nullptr, '/', y, m, d));
  std::string padded = std::string(100000, ' ') + "2/3/05";
  EXPECT_FALSE(CIntlTime::ParseDateFromFormat("M/d/yy", padded.c_str(), '/', y, m, d));
  std::string digits(100000, '9');
  EXPECT_FALSE(CIntlTime::ParseDateFromFormat("M/d/yy", digits.c_str(), '/', y, m, d));
}

TEST_F(IntlTimeTest, OverridesChangeWhatTheFieldsSee) {
  Use("en_US");
  nbp::regional::Overrides o;
  o.shortDate = "dd.MM.yyyy";
  o.use24Hour = true;
  o.timeSeparator = ".";
  nbp::regional::SetOverrides(o);
  CIntlTime t(2005, 2, 3, 21, 30, 0);
  EXPECT_STREQ(t.GetDateFormatA(CIntlTime::kShortDate, 1), "dd.MM.yyyy");
  EXPECT_STREQ(t.GetDateSeperator(), ".");
  EXPECT_STREQ(t.FormatDate(CIntlTime::kShortDate), "03.02.2005");
  EXPECT_TRUE(t.Is24HrFormat());
  EXPECT_STREQ(t.GetTimeSeperator(), ".");
  EXPECT_STREQ(t.FormatTime(), "21.30");

  o = {};
  o.am = "vm";
  o.pm = "nm";
  nbp::regional::SetOverrides(o);
  EXPECT_FALSE(t.Is24HrFormat());  // a live object sees the change
  EXPECT_STREQ(t.FormatTime(), "9:30 nm");
}

TEST_F(IntlTimeTest, ValuesAndTheirFailures) {
  Use("en_US");
  nbp::clock::Pin(1107429000);  // 3 February 2005 11:10 UTC
  CIntlTime now;
  CIntlTime fromTime(CTime::GetCurrentTime());
  nbp::clock::Unpin();
  EXPECT_EQ(now.GetYear(), 2005);
  EXPECT_EQ(now.GetDay(), 3);
  EXPECT_EQ(now.GetHour(), 11);
  EXPECT_EQ(fromTime.GetDayOfWeek(), 5);  // Thursday
  EXPECT_EQ(fromTime.GetTime(), 1107429000);
  CIntlTime copy = fromTime;
  EXPECT_EQ(copy.GetTime(), 1107429000);

  CIntlTime noTime(1990, 1, 1, -1, 0, 0);  // a time field with no hour
  EXPECT_STREQ(noTime.FormatTime(), "");
  EXPECT_STREQ(noTime.FormatDate(CIntlTime::kShortDate), "");
  EXPECT_EQ(noTime.GetTime(), -1);
  EXPECT_STREQ(CIntlTime(1990, 1, 1, 24, 0, 0).FormatTime(), "");
  EXPECT_EQ(CIntlTime(CTime(static_cast<time_t>(-1))).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(CIntlTime(1960, 1, 1, 0, 0, 0).GetTime(), -1);
  EXPECT_STREQ(now.GetDayName(0, 0), "");
  EXPECT_STREQ(now.GetDayName(8, 0), "");
  EXPECT_STREQ(now.GetDayName(7, 0), "Saturday");
  EXPECT_STREQ(now.GetDateFormatA(5, 1), "");
}

}  // namespace
