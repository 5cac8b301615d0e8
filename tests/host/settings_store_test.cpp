// Writing the settings file, the week start, and what happens to a file
// that is not a settings file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "HostShared/settings.h"
#include "settings_fixture.h"

namespace {

using SettingsStore = SettingsFileTest;

TEST_F(SettingsStore, AMissingFileGivesTheDefaultsAndTheFirstWriteCreatesIt) {
  EXPECT_EQ(GetSettingsFileState(), NB_SETTINGS_FILE_MISSING);
  EXPECT_EQ(GetWorkWeekBegins(), 0);
  int n = -1;
  EXPECT_FALSE(ReadSettingInt(NB_SETTINGS_DAYLEAF, NB_SETTINGS_WORK_WEEK_BEGINS, n, 0));
  EXPECT_EQ(n, 0);

  EXPECT_TRUE(WriteSettingInt(NB_SETTINGS_DAYLEAF, NB_SETTINGS_WORK_WEEK_BEGINS, 1));
  EXPECT_EQ(GetSettingsFileState(), NB_SETTINGS_FILE_OK);
  EXPECT_EQ(GetWorkWeekBegins(), 1);
  EXPECT_NE(FileText().find("[Dayleaf]"), std::string::npos);
  EXPECT_NE(FileText().find("WorkWeekBegins=1"), std::string::npos);
}

TEST_F(SettingsStore, ValuesRoundTripAndEverythingElseInTheFileStays) {
  settings_.Write("# the user's own note\n[Dayleaf]\nWorkWeekBegins=0\nOther=keep me\n\n[General]\nLanguage=de\n");
  EXPECT_TRUE(WriteSettingInt("Dayleaf", "WorkWeekBegins", 65537));
  EXPECT_TRUE(WriteSettingString("Notes", "Title", " Ärzte & Co. \nzweite Zeile"));
  EXPECT_TRUE(WriteSettingInt("Numbers", "Negative", -42));

  EXPECT_EQ(GetWorkWeekBegins(), 65537) << "the caller takes the low 16 bits";
  CString s;
  EXPECT_TRUE(ReadSettingString("Notes", "Title", s));
  EXPECT_STREQ(s, " Ärzte & Co. \nzweite Zeile");
  int n = 0;
  EXPECT_TRUE(ReadSettingInt("Numbers", "Negative", n));
  EXPECT_EQ(n, -42);
  EXPECT_TRUE(ReadSettingString("Dayleaf", "Other", s));
  EXPECT_STREQ(s, "keep me");
  EXPECT_TRUE(ReadSettingString("General", "Language", s));
  EXPECT_STREQ(s, "de");
  EXPECT_NE(FileText().find("# the user's own note"), std::string::npos);
}

TEST_F(SettingsStore, TheFileAndItsFoldersAreCreatedWhereTheyAreMissing) {
  std::string nested = settings_.dir() + "/a/b/settings.ini";
  ScopedEnv env("NBUI_SETTINGS_FILE", nested.c_str());
  EXPECT_TRUE(WriteSettingString("General", "Language", "en"));
  CString s;
  EXPECT_TRUE(ReadSettingString("General", "Language", s));
  EXPECT_STREQ(s, "en");
  std::remove(nested.c_str());
  rmdir((settings_.dir() + "/a/b").c_str());
  rmdir((settings_.dir() + "/a").c_str());
}

TEST_F(SettingsStore, ACorruptFileReadsAsDefaultsAndIsNeverWrittenOver) {
  const std::string corrupt[] = {
      "WorkWeekBegins=1\n[Dayleaf\n",
      "[Dayleaf]\nWorkWeekBegins=1\n\xff\xfe\x00\x01",
      std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
  };
  for (const std::string& text : corrupt) {
    settings_.Write(text);
    EXPECT_EQ(GetSettingsFileState(), NB_SETTINGS_FILE_CORRUPT);
    EXPECT_EQ(GetWorkWeekBegins(), 0);
    EXPECT_FALSE(WriteSettingInt("Dayleaf", "WorkWeekBegins", 1));
    EXPECT_FALSE(WriteSettingString("General", "Language", "de"));
    EXPECT_EQ(FileText(), text) << "the user's file was changed";
  }
}

TEST_F(SettingsStore, AFileThatCannotBeReadIsNeverWrittenOver) {
  ASSERT_EQ(mkdir(settings_.path().c_str(), 0700), 0);  // a folder where the file should be
  EXPECT_EQ(GetSettingsFileState(), NB_SETTINGS_FILE_UNREADABLE);
  EXPECT_EQ(GetWorkWeekBegins(), 0);
  EXPECT_FALSE(WriteSettingInt("Dayleaf", "WorkWeekBegins", 1));
  struct stat st {};
  EXPECT_EQ(stat(settings_.path().c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  rmdir(settings_.path().c_str());
}

TEST_F(SettingsStore, NamesAndTextTheFileCannotHoldAreRefused) {
  settings_.Write("[General]\nLanguage=de\n");
  const std::string before = FileText();
  EXPECT_FALSE(WriteSettingString("General", "Lang=uage", "x"));
  EXPECT_FALSE(WriteSettingString("General", "", "x"));
  EXPECT_FALSE(WriteSettingString("General", " Language", "x"));
  EXPECT_FALSE(WriteSettingString("Gen]eral", "Language", "x"));
  EXPECT_FALSE(WriteSettingString("General", "Lang\nuage", "x"));
  EXPECT_FALSE(WriteSettingString("General", "Language", "\xff not text"));
  EXPECT_FALSE(WriteSettingString(nullptr, "Language", "x"));
  EXPECT_FALSE(WriteSettingInt("General", nullptr, 1));
  EXPECT_EQ(FileText(), before);
  EXPECT_EQ(GetSettingsFileState(), NB_SETTINGS_FILE_OK);
  // A null value is stored as empty text.
  EXPECT_TRUE(WriteSettingString("General", "Empty", nullptr));
  CString s = "x";
  EXPECT_TRUE(ReadSettingString("General", "Empty", s));
  EXPECT_STREQ(s, "");
}

}  // namespace
