// The settings reader, and the regional choices it hands to the platform.
#include <glib.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "HostCommon/intl_time.h"
#include "HostShared/settings.h"
#include "nbp/regional.h"
#include "win/locale.h"

namespace {

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/nbui-settings-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    dir_ = dir;
    path_ = dir_ + "/settings.ini";
    setenv("NBUI_SETTINGS_FILE", path_.c_str(), 1);
    nbp::regional::SetLocaleForTest("en_US");
  }
  void TearDown() override {
    unsetenv("NBUI_SETTINGS_FILE");
    nbp::regional::SetOverrideSource({});
    nbp::regional::SetOverrides({});
    nbp::regional::SetLocaleForTest("");
    std::remove(path_.c_str());
    rmdir(dir_.c_str());
  }
  void Write(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }

  std::string dir_, path_;
};

TEST_F(SettingsTest, ReadsStringsAndIntsBySectionAndKey) {
  Write("[Dayleaf]\nWorkWeekBegins=1\nName=Ärzte\n[Other]\nWorkWeekBegins=5\n");
  int n = -1;
  EXPECT_TRUE(ReadSettingInt("Dayleaf", "WorkWeekBegins", n, 0));
  EXPECT_EQ(n, 1);
  EXPECT_TRUE(ReadSettingInt("Other", "WorkWeekBegins", n, 0));
  EXPECT_EQ(n, 5);
  CString s;
  EXPECT_TRUE(ReadSettingString("Dayleaf", "Name", s));
  EXPECT_STREQ(s, "Ärzte");
  EXPECT_FALSE(ReadSettingString("Dayleaf", "Missing", s, "fallback"));
  EXPECT_STREQ(s, "fallback");
  EXPECT_STREQ(GetSettingsFilePath(), path_.c_str());
}

TEST_F(SettingsTest, BadFilesAndValuesGiveTheDefault) {
  int n = 0;
  EXPECT_FALSE(ReadSettingInt("Dayleaf", "WorkWeekBegins", n, 7));  // no file at all
  EXPECT_EQ(n, 7);
  const char* kBad[] = {
      "[Dayleaf]\nWorkWeekBegins=Monday\n",
      "[Dayleaf]\nWorkWeekBegins=99999999999999\n",
      "[Dayleaf]\nWorkWeekBegins=\n",
      "garbage without a section\nWorkWeekBegins=1\n",
      "[Dayleaf]\nWorkWeekBegins=\xff\xfe\n",
  };
  for (const char* text : kBad) {
    Write(text);
    n = -1;
    EXPECT_FALSE(ReadSettingInt("Dayleaf", "WorkWeekBegins", n, 3)) << text;
    EXPECT_EQ(n, 3) << text;
  }
  Write("[Dayleaf]\nName=\xff\xfe\n");
  CString s;
  EXPECT_FALSE(ReadSettingString("Dayleaf", "Name", s, "x"));
  EXPECT_STREQ(s, "x");
  EXPECT_FALSE(ReadSettingInt(nullptr, "Key", n, 0));
}

// A typo in an escape reads as written, quietly: the program's standard
// error gets no library warning for the user's own file.
TEST_F(SettingsTest, BadEscapesReadAsWrittenWithoutWarnings) {
  static int warnings = 0;
  warnings = 0;
  guint handler = g_log_set_handler("GLib", static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL),
                                    [](const gchar*, GLogLevelFlags, const gchar*, gpointer) { ++warnings; }, nullptr);
  Write("[Dayleaf]\nA=\\q\\\nB=x\\sy\\q\\\\\\\nC=\\ty\\;\\n\nD=tab\\there\n");
  CString s;
  EXPECT_TRUE(ReadSettingString("Dayleaf", "A", s));
  EXPECT_STREQ(s, "\\q");
  EXPECT_TRUE(ReadSettingString("Dayleaf", "B", s));
  EXPECT_STREQ(s, "x y\\q\\");
  EXPECT_TRUE(ReadSettingString("Dayleaf", "C", s));
  EXPECT_STREQ(s, "\ty\\;\n");
  EXPECT_TRUE(ReadSettingString("Dayleaf", "D", s));
  EXPECT_STREQ(s, "tab\there");
  g_log_remove_handler("GLib", handler);
  EXPECT_EQ(warnings, 0);
}

TEST_F(SettingsTest, FileFollowsXdgConfigHomeWithoutTheOverride) {
  unsetenv("NBUI_SETTINGS_FILE");
  const char* old = std::getenv("XDG_CONFIG_HOME");
  std::string saved = old ? old : "";
  setenv("XDG_CONFIG_HOME", "/srv/config", 1);
  EXPECT_STREQ(GetSettingsFilePath(), "/srv/config/NbUI/settings.ini");
  if (old) setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else unsetenv("XDG_CONFIG_HOME");
}

TEST_F(SettingsTest, RegionalChoicesWinOverTheLocale) {
  Write(
      "[International]\n"
      "sShortDate=dd.MM.yyyy\n"
      "sTime=.\n"
      "iTime=1\n"
      "s1159=vorm.\n"
      "s2359=nachm.\n");
  ApplyRegionalSettings();
  char buf[64];
  SYSTEMTIME st{2005, 2, 4, 3, 21, 30, 0, 0};
  ASSERT_GT(GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "03.02.2005");
  ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_S1159, buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "vorm.");
  CIntlTime t(2005, 2, 3, 21, 30, 0);
  EXPECT_STREQ(t.GetDateSeperator(), ".");
  EXPECT_TRUE(t.Is24HrFormat());
  EXPECT_STREQ(t.FormatTime(), "21.30");

  // A change to the file shows when the settings are read again.
  Write("[International]\nsDate=-\niTime=0\niCalendarType=3\n");
  nbp::regional::Reload();
  EXPECT_STREQ(t.GetDateSeperator(), "-");
  EXPECT_STREQ(t.FormatDate(CIntlTime::kShortDate), "2-3-05");
  EXPECT_STREQ(t.FormatTime(), "9:30 PM");
  ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ICALENDARTYPE, buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "3");

  // Values a panel would not accept are passed over, one by one.
  Write("[International]\nsShortDate=MMMM\nsDate=ab\niTime=2\ns1159=\n");
  nbp::regional::Reload();
  EXPECT_STREQ(t.GetDateFormatA(CIntlTime::kShortDate, 1), "M/d/yy");
  EXPECT_STREQ(t.GetDateSeperator(), "/");
  EXPECT_FALSE(t.Is24HrFormat());
  ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_S1159, buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "");  // an empty designator is a choice
}

}  // namespace
