// Writing the settings file, the week start, and what happens to a file
// that is not a settings file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
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
      // A zero byte would cut its line short, and a write would lose the rest.
      std::string("[Dayleaf]\nWorkWeekBegins=1\nNote=a\0b\n", 36),
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
  EXPECT_FALSE(WriteSettingString("General", "Language", "\fde")) << "the form feed would be lost";
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

std::string TextOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

bool IsLink(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

TEST_F(SettingsStore, WritingThroughASymbolicLinkChangesTheFileItNamesAndKeepsTheLink) {
  // The user keeps the real file in a dotfiles folder; the link is relative.
  const std::string dotfiles = settings_.dir() + "/dotfiles";
  const std::string real = dotfiles + "/nbui.ini";
  ASSERT_EQ(mkdir(dotfiles.c_str(), 0700), 0);
  std::ofstream(real) << "# mine\n[General]\nLanguage=de\n";
  ASSERT_EQ(symlink("dotfiles/nbui.ini", settings_.path().c_str()), 0);

  EXPECT_TRUE(WriteSettingInt(NB_SETTINGS_DAYLEAF, NB_SETTINGS_WORK_WEEK_BEGINS, 1));
  EXPECT_TRUE(IsLink(settings_.path())) << "the link was replaced by a file";
  EXPECT_NE(TextOf(real).find("WorkWeekBegins=1"), std::string::npos);
  EXPECT_NE(TextOf(real).find("# mine"), std::string::npos);
  EXPECT_EQ(GetWorkWeekBegins(), 1);

  // A link whose file does not exist yet: the first write creates that file.
  std::remove(real.c_str());
  EXPECT_EQ(GetSettingsFileState(), NB_SETTINGS_FILE_MISSING);
  EXPECT_TRUE(WriteSettingString("General", "Language", "en"));
  EXPECT_TRUE(IsLink(settings_.path()));
  EXPECT_NE(TextOf(real).find("Language=en"), std::string::npos);

  // No temporary file is left beside either.
  std::remove(real.c_str());
  std::remove(settings_.path().c_str());
  EXPECT_EQ(rmdir(dotfiles.c_str()), 0) << "something was left in the link's folder";
}

TEST_F(SettingsStore, AWriteKeepsTheFilesMode) {
  settings_.Write("[General]\nLanguage=de\n");
  for (mode_t mode : {mode_t{0600}, mode_t{0640}, mode_t{0664}}) {
    ASSERT_EQ(chmod(settings_.path().c_str(), mode), 0);
    EXPECT_TRUE(WriteSettingInt(NB_SETTINGS_DAYLEAF, NB_SETTINGS_WORK_WEEK_BEGINS, static_cast<int>(mode)));
    EXPECT_EQ(ModeOf(settings_.path()), mode);
    EXPECT_EQ(GetWorkWeekBegins(), static_cast<int>(mode));
  }
  // Through a link, the mode of the file it names.
  const std::string real = settings_.dir() + "/real.ini";
  ASSERT_EQ(rename(settings_.path().c_str(), real.c_str()), 0);
  ASSERT_EQ(chmod(real.c_str(), 0600), 0);
  ASSERT_EQ(symlink(real.c_str(), settings_.path().c_str()), 0);
  EXPECT_TRUE(WriteSettingString("General", "Language", "en"));
  EXPECT_EQ(ModeOf(real), 0600u);
  std::remove(real.c_str());
}

TEST_F(SettingsStore, AWriteKeepsTheFilesOwner) {
  // Only the superuser may give a file to someone else.
  if (geteuid() != 0) GTEST_SKIP() << "needs to run as root";
  settings_.Write("[General]\nLanguage=de\n");
  ASSERT_EQ(chown(settings_.path().c_str(), 4321, 4322), 0);
  ASSERT_EQ(chmod(settings_.path().c_str(), 0600), 0);
  EXPECT_TRUE(WriteSettingString("General", "Language", "en"));
  struct stat st {};
  ASSERT_EQ(stat(settings_.path().c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 4321u);
  EXPECT_EQ(st.st_gid, 4322u);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
}

TEST_F(SettingsStore, AFileOverOneMebibyteReadsAsDefaultsAndIsNeverWritten) {
  const std::string head = "[Dayleaf]\nWorkWeekBegins=1\n";
  const size_t limit = size_t{1} << 20;
  std::string within = head + "# " + std::string(limit - head.size() - 3, 'x') + "\n";
  ASSERT_EQ(within.size(), limit);
  settings_.Write(within);
  EXPECT_EQ(GetSettingsFileState(), NB_SETTINGS_FILE_OK);
  EXPECT_EQ(GetWorkWeekBegins(), 1) << "a file of exactly 1 MiB is read";

  std::string over = head + "# " + std::string(limit - head.size() - 2, 'x') + "\n";
  settings_.Write(over);
  EXPECT_EQ(GetSettingsFileState(), NB_SETTINGS_FILE_CORRUPT);
  EXPECT_EQ(GetWorkWeekBegins(), 0);
  EXPECT_FALSE(WriteSettingInt(NB_SETTINGS_DAYLEAF, NB_SETTINGS_WORK_WEEK_BEGINS, 2));
  EXPECT_EQ(FileText(), over) << "the user's file was changed";
}

TEST_F(SettingsStore, CarriageReturnsEndingALineBelongToTheLineBreak) {
  settings_.Write("[International]\r\ns2359=nachm.\r\r\r\nsTime=a\rb\r\ns1159=vorm.\r");
  CString s;
  EXPECT_TRUE(ReadSettingString(NB_SETTINGS_INTERNATIONAL, "s1159", s));
  EXPECT_STREQ(s, "vorm.");
  // The same after a write, which ends every line with a line feed.
  EXPECT_TRUE(WriteSettingInt(NB_SETTINGS_DAYLEAF, NB_SETTINGS_WORK_WEEK_BEGINS, 1));
  EXPECT_TRUE(ReadSettingString(NB_SETTINGS_INTERNATIONAL, "s1159", s));
  EXPECT_STREQ(s, "vorm.");
  EXPECT_TRUE(ReadSettingString(NB_SETTINGS_INTERNATIONAL, "s2359", s));
  EXPECT_STREQ(s, "nachm.");
  EXPECT_TRUE(WriteSettingInt(NB_SETTINGS_DAYLEAF, NB_SETTINGS_WORK_WEEK_BEGINS, 2));
  EXPECT_TRUE(ReadSettingString(NB_SETTINGS_INTERNATIONAL, "s2359", s));
  EXPECT_STREQ(s, "nachm.") << "a second write must not change it either";
  EXPECT_TRUE(ReadSettingString(NB_SETTINGS_INTERNATIONAL, "sTime", s));
  EXPECT_STREQ(s, "a\rb") << "one inside a value stays";
}

TEST_F(SettingsStore, EveryChangeToTheFileShowsAtTheNextRead) {
  settings_.Write("[Dayleaf]\nWorkWeekBegins=1\n");
  EXPECT_EQ(GetWorkWeekBegins(), 1);
  // The same size, written in place at once: its stamp may not change.
  settings_.Write("[Dayleaf]\nWorkWeekBegins=2\n");
  EXPECT_EQ(GetWorkWeekBegins(), 2);
  // Replaced by another file, as editors save.
  const std::string other = settings_.dir() + "/other.ini";
  std::ofstream(other) << "[Dayleaf]\nWorkWeekBegins=3\n";
  ASSERT_EQ(rename(other.c_str(), settings_.path().c_str()), 0);
  EXPECT_EQ(GetWorkWeekBegins(), 3);
  // Made corrupt, then removed.
  settings_.Write("[Dayleaf\n");
  EXPECT_EQ(GetWorkWeekBegins(), 0);
  EXPECT_EQ(GetSettingsFileState(), NB_SETTINGS_FILE_CORRUPT);
  std::remove(settings_.path().c_str());
  EXPECT_EQ(GetSettingsFileState(), NB_SETTINGS_FILE_MISSING);
  // Another file named by the variable.
  const std::string second = settings_.dir() + "/second.ini";
  std::ofstream(second) << "[Dayleaf]\nWorkWeekBegins=4\n";
  {
    ScopedEnv env("NBUI_SETTINGS_FILE", second.c_str());
    EXPECT_EQ(GetWorkWeekBegins(), 4);
  }
  EXPECT_EQ(GetWorkWeekBegins(), 0);
  std::remove(second.c_str());
}

}  // namespace
