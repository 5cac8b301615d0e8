// Regional settings: what each locale gives, and the user's overrides.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "nbp/regional.h"
#include "win/locale.h"
#include "regional_fixture.h"

namespace {

using nbp::regional::Overrides;

std::string Info(LCTYPE type, LCID lcid = LOCALE_USER_DEFAULT) {
  char buf[128] = "";
  return GetLocaleInfoA(lcid, type, buf, sizeof buf) ? buf : "<fail>";
}

std::string Date(DWORD flags, int y, int m, int d, LCID lcid = LOCALE_USER_DEFAULT) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(y);
  st.wMonth = static_cast<WORD>(m);
  st.wDay = static_cast<WORD>(d);
  char buf[128] = "";
  return GetDateFormatA(lcid, flags, &st, nullptr, buf, sizeof buf) ? buf : "<fail>";
}

// Some tests here also install an override source.
class RegionalTest : public RegionalSettingsTest {
 protected:
  void TearDown() override {
    nbp::regional::SetOverrideSource({});
    RegionalSettingsTest::TearDown();
  }
};

struct LocaleCase {
  const char* locale;
  const char* shortDate;  // 3 February 2004
  const char* longDate;
  const char* dateSep;
  const char* timeSep;
  const char* itime;
  const char* am;
  const char* pm;
  const char* monday;
  const char* february;
};

const LocaleCase kLocales[] = {
    {"en_US", "2/3/04", "Tuesday, February 3, 2004", "/", ":", "0", "AM", "PM", "Monday", "February"},
    {"en_GB", "03/02/2004", "Tuesday, 3 February 2004", "/", ":", "1", "am", "pm", "Monday", "February"},
    {"de_DE", "03.02.04", "Dienstag, 3. Februar 2004", ".", ":", "1", "AM", "PM", "Montag", "Februar"},
    {"fr_FR", "03/02/2004", "mardi 3 février 2004", "/", ":", "1", "AM", "PM", "lundi", "février"},
    {"ja_JP", "2004/02/03", "2004年2月3日火曜日", "/", ":", "1", "午前", "午後", "月曜日", "2月"},
};

TEST_F(RegionalTest, EachLocaleGivesItsDatesSeparatorsClockAndNames) {
  for (const LocaleCase& c : kLocales) {
    SCOPED_TRACE(c.locale);
    Use(c.locale);
    EXPECT_EQ(Date(DATE_SHORTDATE, 2004, 2, 3), c.shortDate);
    EXPECT_EQ(Date(DATE_LONGDATE, 2004, 2, 3), c.longDate);
    EXPECT_EQ(Info(LOCALE_SDATE), c.dateSep);
    EXPECT_EQ(Info(LOCALE_STIME), c.timeSep);
    EXPECT_EQ(Info(LOCALE_ITIME), c.itime);
    EXPECT_EQ(Info(LOCALE_S1159), c.am);
    EXPECT_EQ(Info(LOCALE_S2359), c.pm);
    EXPECT_EQ(Info(LOCALE_SDAYNAME1), c.monday);
    EXPECT_EQ(Info(LOCALE_SMONTHNAME1 + 1), c.february);
    EXPECT_EQ(Info(LOCALE_ICALENDARTYPE), "1");
  }
}

TEST_F(RegionalTest, ShortDatePictureReadsAsTheDateIsShown) {
  Use("de_DE");
  EXPECT_EQ(Info(LOCALE_SSHORTDATE), "dd.MM.yy");
  EXPECT_EQ(Info(LOCALE_IDATE), "1");  // day, month, year
  Use("en_US");
  EXPECT_EQ(Info(LOCALE_SSHORTDATE), "M/d/yy");
  EXPECT_EQ(Info(LOCALE_IDATE), "0");
  Use("ja_JP");
  EXPECT_EQ(Info(LOCALE_IDATE), "2");
}

TEST_F(RegionalTest, JapaneseEraCalendarShowsEraYears) {
  Use("ja_JP@calendar=japanese");
  EXPECT_EQ(Info(LOCALE_ICALENDARTYPE), "3");
  EXPECT_EQ(Date(DATE_SHORTDATE, 2004, 2, 3), "H16/2/3");
  EXPECT_EQ(Date(DATE_LONGDATE, 2019, 5, 1), "令和元年5月1日水曜日");
  // Typed dates stay in Gregorian years.
  EXPECT_EQ(nbp::regional::Current().gregorianShortDate, "y/MM/dd");
}

TEST_F(RegionalTest, OverridesWinOverTheLocale) {
  Use("en_US");
  Overrides o;
  o.shortDate = "yyyy-MM-dd";
  o.use24Hour = true;
  o.am = "vorm.";
  o.pm = "nachm.";
  nbp::regional::SetOverrides(o);
  EXPECT_EQ(Date(DATE_SHORTDATE, 2004, 2, 3), "2004-02-03");
  EXPECT_EQ(Info(LOCALE_SDATE), "-");
  EXPECT_EQ(Info(LOCALE_ITIME), "1");
  EXPECT_EQ(Info(LOCALE_S1159), "vorm.");
  EXPECT_EQ(Info(LOCALE_S2359), "nachm.");
  EXPECT_EQ(nbp::regional::Current().shortTime, "H:mm");
  // Without the user's choices, as LOCALE_NOUSEROVERRIDE asks.
  EXPECT_EQ(Info(LOCALE_SSHORTDATE | LOCALE_NOUSEROVERRIDE), "M/d/yy");
  // Another locale's settings never carry them.
  EXPECT_EQ(Date(DATE_SHORTDATE, 2004, 2, 3, 0x0407), "03.02.04");
}

TEST_F(RegionalTest, SeparatorOverridesRewriteThePictures) {
  Use("de_DE");
  Overrides o;
  o.dateSeparator = "/";
  o.timeSeparator = ".";
  o.use24Hour = false;
  nbp::regional::SetOverrides(o);
  EXPECT_EQ(Date(DATE_SHORTDATE, 2004, 2, 3), "03/02/04");
  EXPECT_EQ(Info(LOCALE_SDATE), "/");
  EXPECT_EQ(Info(LOCALE_STIME), ".");
  EXPECT_EQ(Info(LOCALE_ITIME), "0");
  EXPECT_EQ(nbp::regional::Current().shortTime, "hh.mm a");
}

TEST_F(RegionalTest, UnusableOverridesAreIgnored) {
  Use("en_US");
  Overrides o;
  o.shortDate = "d/M";          // no year
  o.dateSeparator = "12";       // digits
  o.timeSeparator = "";         // nothing
  o.am = std::string(40, 'x');  // longer than a designator may be
  o.calendarType = 7;
  nbp::regional::SetOverrides(o);
  EXPECT_EQ(Info(LOCALE_SSHORTDATE), "M/d/yy");
  EXPECT_EQ(Info(LOCALE_SDATE), "/");
  EXPECT_EQ(Info(LOCALE_STIME), ":");
  EXPECT_EQ(Info(LOCALE_S1159), "AM");
  EXPECT_EQ(Info(LOCALE_ICALENDARTYPE), "1");
}

TEST_F(RegionalTest, CalendarTypeOverrideReachesTheEraCalendar) {
  Use("ja_JP");
  Overrides o;
  o.calendarType = 3;
  nbp::regional::SetOverrides(o);
  EXPECT_EQ(Info(LOCALE_ICALENDARTYPE), "3");
  EXPECT_EQ(Date(DATE_SHORTDATE, 2004, 2, 3), "H16/2/3");
}

TEST_F(RegionalTest, ReloadAsksTheOverrideSourceAgain) {
  Use("en_US");
  std::string picture = "d.M.yyyy";
  nbp::regional::SetOverrideSource([&picture] {
    Overrides o;
    o.shortDate = picture;
    return o;
  });
  unsigned before = nbp::regional::Generation();
  nbp::regional::Reload();
  EXPECT_GT(nbp::regional::Generation(), before);
  EXPECT_EQ(Date(DATE_SHORTDATE, 2004, 2, 3), "3.2.2004");
  picture = "yyyy/M/d";
  nbp::regional::Reload();
  EXPECT_EQ(Date(DATE_SHORTDATE, 2004, 2, 3), "2004/2/3");
}

TEST_F(RegionalTest, ProcessLocaleComesFromTheEnvironment) {
  struct Env {
    const char* lcAll;
    const char* lcTime;
    const char* lang;
    const char* expect;
  } cases[] = {
      {"de_DE.UTF-8", "fr_FR.UTF-8", "en_GB.UTF-8", "de_DE"},
      {"", "fr_FR.UTF-8@euro", "en_GB.UTF-8", "fr_FR"},
      {"", "", "en_GB.UTF-8", "en_GB"},
      {"C.UTF-8", "", "", "en_US"},
      {"POSIX", "", "", "en_US"},
  };
  std::string saved[3];
  const char* names[3] = {"LC_ALL", "LC_TIME", "LANG"};
  for (int i = 0; i < 3; ++i) saved[i] = std::getenv(names[i]) ? std::getenv(names[i]) : "";
  nbp::regional::SetLocaleForTest("");
  for (const Env& e : cases) {
    setenv("LC_ALL", e.lcAll, 1);
    setenv("LC_TIME", e.lcTime, 1);
    setenv("LANG", e.lang, 1);
    nbp::regional::Reload();
    EXPECT_EQ(nbp::regional::Current().locale, e.expect) << e.lcAll << "|" << e.lcTime << "|" << e.lang;
  }
  for (int i = 0; i < 3; ++i) setenv(names[i], saved[i].c_str(), 1);
  nbp::regional::Reload();
}

}  // namespace
