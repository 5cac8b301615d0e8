#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "win/resources.h"
#include "win/user_constants.h"

namespace {

// Each test builds its own modules and puts the process-wide chain back.
class ResourceChain : public ::testing::Test {
 protected:
  void SetUp() override {
    m_savedResource = AfxGetResourceHandle();
    m_app = nbp::res::CreateModule("app");
    m_lang = nbp::res::CreateModule("lang");
    m_ext1 = nbp::res::CreateModule("ext1");
    m_ext2 = nbp::res::CreateModule("ext2");
    AfxSetResourceHandle(m_lang);
  }
  void TearDown() override {
    AfxSetResourceHandle(m_savedResource);
    for (HINSTANCE h : {m_app, m_lang, m_ext1, m_ext2}) nbp::res::DestroyModule(h);
  }
  static std::string Load(HINSTANCE h, UINT id, int max = 256) {
    std::vector<char> buf(static_cast<size_t>(max > 0 ? max : 1), '#');
    int n = LoadString(h, id, buf.data(), max);
    EXPECT_EQ(n, max > 0 ? static_cast<int>(strlen(buf.data())) : 0);
    return std::string(buf.data(), static_cast<size_t>(n));
  }
  HINSTANCE m_savedResource = nullptr;
  HINSTANCE m_app = nullptr, m_lang = nullptr, m_ext1 = nullptr, m_ext2 = nullptr;
};

TEST_F(ResourceChain, FindResourceHandleSearchesResourceHandleThenChainInOrder) {
  nbp::res::AppendToChain(m_ext1);
  nbp::res::AppendToChain(m_ext2);
  nbp::res::AddData(m_ext1, RT_DIALOG, MAKEINTRESOURCE(100), {1});
  nbp::res::AddData(m_ext2, RT_DIALOG, MAKEINTRESOURCE(100), {2});
  nbp::res::AddData(m_ext2, RT_DIALOG, MAKEINTRESOURCE(101), {3});
  nbp::res::AddData(m_lang, RT_DIALOG, MAKEINTRESOURCE(101), {4});

  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(100), RT_DIALOG), m_ext1);  // first in the chain
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(101), RT_DIALOG), m_lang);  // resource handle first
  // Nowhere: the resource handle, as MFC answers.
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(102), RT_DIALOG), m_lang);
  // The same id under another type is another resource.
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(100), RT_MENU), m_lang);

  nbp::res::RemoveFromChain(m_ext1);
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(100), RT_DIALOG), m_ext2);
  nbp::res::DestroyModule(m_ext2);  // leaves the chain too
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(100), RT_DIALOG), m_lang);
  m_ext2 = nullptr;
}

TEST_F(ResourceChain, StringsAreFoundByBlockOfSixteen) {
  nbp::res::AppendToChain(m_app);
  nbp::res::AddString(m_app, 33, "app 33");
  nbp::res::AddString(m_app, 48, "app 48");
  nbp::res::AddString(m_lang, 34, "lang 34");
  // 32..47 is block 3: the language module holds part of it, so it is chosen.
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(3), RT_STRING), m_lang);
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(4), RT_STRING), m_app);
  EXPECT_TRUE(nbp::res::HasString(m_app, 33));
  EXPECT_FALSE(nbp::res::HasString(m_lang, 33));
}

TEST_F(ResourceChain, LoadStringCopiesAndReportsBytes) {
  nbp::res::AddString(m_lang, 7, "Termin");
  EXPECT_EQ(Load(m_lang, 7), "Termin");
  EXPECT_EQ(Load(m_lang, 7, 4), "Ter");
  EXPECT_EQ(Load(m_lang, 8), "");  // missing: 0 and an empty buffer
  char buf[8] = "zzzzzzz";
  EXPECT_EQ(LoadString(m_lang, 7, buf, 0), 0);
  EXPECT_STREQ(buf, "zzzzzzz");
  EXPECT_EQ(LoadString(m_lang, 7, nullptr, 10), 0);
  nbp::res::AddString(m_lang, 7, "Aufgabe");  // replacing
  EXPECT_EQ(Load(m_lang, 7), "Aufgabe");
}

TEST_F(ResourceChain, LoadStringTruncationNeverSplitsACharacter) {
  nbp::res::AddString(m_lang, 1, "Grüße €");  // G r ü(2) ß(2) e space €(3) = 11 bytes
  struct { int max; const char* want; } cases[] = {
      {1, ""}, {3, "Gr"}, {4, "Gr"}, {5, "Grü"}, {6, "Grü"}, {7, "Grüß"}, {9, "Grüße "}, {10, "Grüße "},
      {11, "Grüße "}, {12, "Grüße €"}, {100, "Grüße €"},
  };
  for (auto c : cases) EXPECT_EQ(Load(m_lang, 1, c.max), c.want) << c.max;
  // Stray continuation bytes are characters of their own and may be cut.
  nbp::res::AddString(m_lang, 2, "a\x80\x80z");
  EXPECT_EQ(Load(m_lang, 2, 3), "a\x80");
}

TEST_F(ResourceChain, StaleAndInvalidHandlesFail) {
  nbp::res::AddString(m_ext1, 5, "five");
  nbp::res::AddData(m_ext1, RT_BITMAP, "LOGO", {1, 2, 3});
  HRSRC found = FindResource(m_ext1, "LOGO", RT_BITMAP);
  ASSERT_NE(found, nullptr);
  HGLOBAL loaded = LoadResource(m_ext1, found);
  ASSERT_NE(loaded, nullptr);

  nbp::res::DestroyModule(m_ext1);
  HINSTANCE stale = m_ext1;
  m_ext1 = nullptr;
  char buf[16] = "x";
  EXPECT_EQ(LoadString(stale, 5, buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "");
  EXPECT_FALSE(nbp::res::IsModule(stale));
  EXPECT_FALSE(nbp::res::HasString(stale, 5));
  EXPECT_EQ(FindResource(stale, "LOGO", RT_BITMAP), nullptr);
  EXPECT_EQ(LoadResource(stale, found), nullptr);
  EXPECT_EQ(LockResource(loaded), nullptr);
  EXPECT_EQ(SizeofResource(stale, found), 0u);
  nbp::res::AddString(stale, 6, "ignored");
  EXPECT_EQ(nbp::res::FindString(stale, 6), nullptr);
  // Handles that were never issued.
  HINSTANCE bogus = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x7654321));
  EXPECT_EQ(LoadString(bogus, 5, buf, sizeof buf), 0);
  EXPECT_EQ(LockResource(reinterpret_cast<HGLOBAL>(static_cast<uintptr_t>(12345))), nullptr);
  EXPECT_EQ(LoadString(nullptr, 5, buf, sizeof buf), 0);
  // A module's resource handle that went stale finds nothing, but does not crash.
  HINSTANCE temp = nbp::res::CreateModule("temp");
  AfxSetResourceHandle(temp);
  nbp::res::DestroyModule(temp);
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(1), RT_DIALOG), temp);
}

TEST_F(ResourceChain, FindLoadLockAndSize) {
  nbp::res::AddData(m_app, RT_RCDATA, "Table", {10, 20, 30});
  HRSRC r = FindResource(m_app, "TABLE", RT_RCDATA);  // names ignore ASCII case
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(SizeofResource(m_app, r), 3u);
  HGLOBAL g = LoadResource(m_app, r);
  auto* bytes = static_cast<const uint8_t*>(LockResource(g));
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(bytes[2], 30);
  EXPECT_EQ(LoadResource(m_lang, r), nullptr);  // belongs to another module
  EXPECT_EQ(LockResource(reinterpret_cast<HGLOBAL>(r)), nullptr);  // not a loaded handle
  EXPECT_FALSE(FreeResource(g));

  // "#12" and MAKEINTRESOURCE(12) name the same resource.
  nbp::res::AddData(m_app, RT_DIALOG, MAKEINTRESOURCE(12), {7});
  EXPECT_NE(FindResource(m_app, "#12", RT_DIALOG), nullptr);
  ASSERT_NE(nbp::res::FindData(m_app, RT_DIALOG, 12u), nullptr);
  EXPECT_EQ(nbp::res::FindData(m_app, RT_DIALOG, 12u)->at(0), 7);

  // Replacing data makes handles to the old bytes stale.
  nbp::res::AddData(m_app, RT_RCDATA, "TABLE", {1});
  EXPECT_EQ(LockResource(g), nullptr);
  EXPECT_EQ(SizeofResource(m_app, FindResource(m_app, "table", RT_RCDATA)), 1u);
  EXPECT_EQ(FindResource(m_app, nullptr, RT_RCDATA), nullptr);
}

}  // namespace
