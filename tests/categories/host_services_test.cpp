// The services beside the category store: the subscription file, the
// handheld users' file and the conduits' folders.
#include <gtest/gtest.h>

#include "HostConduits/conduits.h"
#include "HostInstall/install.h"
#include "HostSubscriptions/subscriptions.h"
#include "category_world.h"

namespace {

class HostServices : public ::testing::Test {
 protected:
  std::string Path(const char* name) { return dir.path() + "/" + name; }
  TempFolder dir;
  ScopedEnv users{"NBUI_USERS_FILE", (dir.path() + "/users").c_str()};
};

TEST_F(HostServices, ASubscriptionFileKeepsAwkwardNamesThroughASaveAndLoad) {
  SubResetInfo();
  CSubInfo info;
  info.m_strCategory = "Tab\there";
  info.m_strName = "Line\nbreak \\ slash";
  info.m_strSource = "https://example.org/?a=1";
  info.m_bLocked = TRUE;
  SubAddInfo(info);
  SubAddReservedName("Later");
  ASSERT_EQ(SubSaveInfo(Path("sub/subscriptions.dat").c_str()), SUB_OK);
  SubResetInfo();
  ASSERT_EQ(SubLoadInfo(Path("sub/subscriptions.dat").c_str()), SUB_OK);
  CSubInfo read;
  ASSERT_EQ(SubFindInfo("TAB\tHERE", &read), 0);
  EXPECT_EQ(std::string(read.m_strName), "Line\nbreak \\ slash");
  EXPECT_EQ(std::string(read.m_strSource), "https://example.org/?a=1");
  EXPECT_TRUE(read.m_bLocked);
  EXPECT_NE(SubDupSubscCategory("later"), 0);
  EXPECT_EQ(SubDupSubscCategory("Sooner"), 0);
}

TEST_F(HostServices, AFileThatIsNotASubscriptionFileLoadsNothing) {
  SubResetInfo();
  CSubInfo kept;
  kept.m_strCategory = "Kept";
  SubAddInfo(kept);
  for (const char* text : {"", "something else\n", "NbUI subscriptions 1\nsubscription\tA\n",
                           "NbUI subscriptions 1\nsubscription\tA\tA\tx\t2\n", "NbUI subscriptions 1\nreserved\tA\\q\n"}) {
    WriteText(Path("bad.dat"), text);
    EXPECT_EQ(SubLoadInfo(Path("bad.dat").c_str()), SUB_ERR_MALFORMED) << text;
  }
  EXPECT_EQ(SubLoadInfo(Path("missing.dat").c_str()), SUB_ERR_MISSING);
  EXPECT_EQ(SubGetCount(), 1) << "what was loaded before stays";
}

TEST_F(HostServices, UpdatesAreRefusedForALockedSourceAndATakenCategory) {
  SubResetInfo();
  CSubInfo a, b;
  a.m_strCategory = "A";
  b.m_strCategory = "B";
  b.m_bLocked = TRUE;
  SubAddInfo(a);
  SubAddInfo(b);
  CSubInfo change = a;
  change.m_strCategory = "b";
  EXPECT_EQ(SubUpdateInfo(0, &change), SUB_UPDATE_TAKEN);
  change = b;
  change.m_strCategory = "C";
  EXPECT_EQ(SubUpdateInfo(1, &change), SUB_UPDATE_LOCKED);
  change = a;
  change.m_strCategory = "C";
  EXPECT_EQ(SubUpdateInfo(0, &change), 0);
  EXPECT_EQ(SubFindInfo("c", nullptr), 0);
  EXPECT_EQ(SubUpdateInfo(5, &change), -1);
  EXPECT_EQ(SubRemoveInfo(0, 1), -1);
  EXPECT_EQ(SubRemoveInfo(0, 2), 0);
  EXPECT_EQ(SubGetCount(), 1);
}

TEST_F(HostServices, UsersAreReadFromTheUsersFileWithFoldersBesideIt) {
  WriteText(Path("users"), "# comment\n\nAnna\tanna\nBert\t/home/bert/handheld\r\nno tab here\n");
  EXPECT_EQ(NbInstGetUserCount(), 2);
  char buffer[257];
  int size = sizeof buffer;
  EXPECT_GE(NbInstGetUserName(1, buffer, &size), 0);
  EXPECT_STREQ(buffer, "Bert");
  size = sizeof buffer;
  EXPECT_GE(NbInstGetUserFolder("Anna", buffer, &size), 0);
  EXPECT_EQ(std::string(buffer), dir.path() + "/anna");
  size = sizeof buffer;
  EXPECT_GE(NbInstGetUserFolder("Bert", buffer, &size), 0);
  EXPECT_STREQ(buffer, "/home/bert/handheld");
  size = 3;
  EXPECT_EQ(NbInstGetUserName(0, buffer, &size), -2);
  EXPECT_EQ(size, 5);
  EXPECT_EQ(NbInstGetUserName(2, buffer, &size), -1);
  EXPECT_TRUE(NbInstAddUser("Anna", "/elsewhere"));
  size = sizeof buffer;
  NbInstGetUserFolder("Anna", buffer, &size);
  EXPECT_STREQ(buffer, "/elsewhere");
  EXPECT_EQ(NbInstGetUserCount(), 2);
  EXPECT_FALSE(NbInstAddUser("Tab\tname", "x"));
}

TEST_F(HostServices, ConduitsNameTheirCreatorAndFolder) {
  char text[12] = {};
  int size = 8;
  ASSERT_EQ(NbConduitGetCreatorText(0x5A6F7262, text, &size), 0);
  EXPECT_STREQ(text, "Zorb");
  char folder[512];
  size = sizeof folder;
  EXPECT_GE(NbConduitGetCreatorFolder("Zink", folder, &size), 0);
  EXPECT_STREQ(folder, "memo");
  size = sizeof folder;
  EXPECT_LT(NbConduitGetCreatorFolder("Abcd", folder, &size), 0);
}

}  // namespace
