// The Windows locale functions: buffer protocol, flags, failures, collation.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "nbp/clock.h"
#include "nbp/regional.h"
#include "win/locale.h"

namespace {

class LocaleFunctionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    nbp::regional::SetOverrides({});
    nbp::regional::SetLocaleForTest("en_US");
  }
  void TearDown() override { nbp::regional::SetLocaleForTest(""); }
  SYSTEMTIME Day(int y, int m, int d) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    return st;
  }
};

TEST_F(LocaleFunctionsTest, DateFormatMeasuresThenWrites) {
  SYSTEMTIME st = Day(2004, 2, 3);
  int needed = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &st, nullptr, nullptr, 0);
  ASSERT_EQ(needed, static_cast<int>(strlen("Tuesday, February 3, 2004")) + 1);
  std::string buf(static_cast<size_t>(needed), 'x');
  EXPECT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &st, nullptr, buf.data(), needed), needed);
  EXPECT_STREQ(buf.c_str(), "Tuesday, February 3, 2004");

  char small[8];
  SetLastError(0);
  EXPECT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &st, nullptr, small, sizeof small), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST_F(LocaleFunctionsTest, DateFormatRefusesBadArguments) {
  char buf[64];
  SYSTEMTIME st = Day(2004, 2, 3);
  struct Case {
    DWORD flags;
    SYSTEMTIME date;
    const char* picture;
    DWORD error;
  } cases[] = {
      {DATE_SHORTDATE | DATE_LONGDATE, st, nullptr, ERROR_INVALID_FLAGS},
      {DATE_SHORTDATE, st, "d/M/y", ERROR_INVALID_FLAGS},
      {0x4000, st, nullptr, ERROR_INVALID_FLAGS},
      {0, Day(2004, 13, 1), nullptr, ERROR_INVALID_PARAMETER},
      {0, Day(2003, 2, 29), nullptr, ERROR_INVALID_PARAMETER},
      {0, Day(2004, 0, 1), nullptr, ERROR_INVALID_PARAMETER},
      {0, Day(1600, 1, 1), nullptr, ERROR_INVALID_PARAMETER},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, c.flags, &c.date, c.picture, buf, sizeof buf), 0);
    EXPECT_EQ(GetLastError(), c.error) << c.flags << " " << c.date.wMonth;
  }
  EXPECT_EQ(GetDateFormatA(0x12345678, 0, &st, nullptr, buf, sizeof buf), 0);
}

TEST_F(LocaleFunctionsTest, DateFormatWithPictureAndWithoutDate) {
  char buf[64];
  SYSTEMTIME st = Day(2004, 2, 3);
  ASSERT_GT(GetDateFormatA(0x0407, 0, &st, "dddd', 'd. MMMM yyyy", buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "0003, 3. Februar 2004");  // ICU letters: "dddd" is the day padded to four
  ASSERT_GT(GetDateFormatA(0x0407, 0, &st, "EEEE', 'd. MMMM yyyy", buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "Dienstag, 3. Februar 2004");

  nbp::clock::Pin(1078272000);  // 3 March 2004 00:00 UTC
  ASSERT_GT(GetDateFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "3/3/04");
  nbp::clock::Unpin();
}

TEST_F(LocaleFunctionsTest, TimeFormatFollowsFlags) {
  SYSTEMTIME st{};
  st.wHour = 14;
  st.wMinute = 5;
  st.wSecond = 9;
  struct Case {
    DWORD flags;
    const char* expect;
  } cases[] = {
      {0, "2:05:09 PM"},
      {TIME_NOSECONDS, "2:05 PM"},
      {TIME_NOMINUTESORSECONDS, "2 PM"},
      {TIME_NOTIMEMARKER, "2:05:09"},
      {TIME_FORCE24HOURFORMAT, "14:05:09"},
  };
  char buf[64];
  for (const Case& c : cases) {
    ASSERT_GT(GetTimeFormatA(LOCALE_USER_DEFAULT, c.flags, &st, nullptr, buf, sizeof buf), 0) << c.flags;
    EXPECT_STREQ(buf, c.expect) << c.flags;
  }
  st.wHour = 24;
  EXPECT_EQ(GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, buf, sizeof buf), 0);
}

TEST_F(LocaleFunctionsTest, LocaleInfoBufferProtocolAndNumbers) {
  char buf[8];
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ICALENDARTYPE, nullptr, 0), 2);
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ICALENDARTYPE, buf, 2), 2);
  EXPECT_STREQ(buf, "1");
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, buf, 3), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

  DWORD value = 99;
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK | LOCALE_RETURN_NUMBER,
                           reinterpret_cast<LPSTR>(&value), sizeof value),
            4);
  EXPECT_EQ(value, 6u);  // Sunday
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE | LOCALE_RETURN_NUMBER, buf, sizeof buf), 0);
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, 0x7777, buf, sizeof buf), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));

  EXPECT_EQ(GetUserDefaultLCID(), 0x0409u);
  nbp::regional::SetLocaleForTest("de_DE");
  EXPECT_EQ(GetUserDefaultLCID(), 0x0407u);
  EXPECT_EQ(GetSystemDefaultLCID(), 0x0407u);

  char name[32];
  ASSERT_GT(GetLocaleInfoA(0x040C, LOCALE_SDAYNAME7, name, sizeof name), 0);
  EXPECT_STREQ(name, "dimanche");
  ASSERT_GT(GetLocaleInfoA(0x0407, LOCALE_SNAME, name, sizeof name), 0);
  EXPECT_STREQ(name, "de-DE");
}

TEST_F(LocaleFunctionsTest, CompareStringUsesCollationNotBytes) {
  auto cmp = [](LCID lcid, DWORD flags, const char* a, const char* b) {
    return CompareStringA(lcid, flags, a, -1, b, -1);
  };
  EXPECT_EQ(cmp(LOCALE_SYSTEM_DEFAULT, SORT_STRINGSORT, "apple", "Banana"), CSTR_LESS_THAN);
  EXPECT_EQ(cmp(LOCALE_SYSTEM_DEFAULT, SORT_STRINGSORT, "Banana", "apple"), CSTR_GREATER_THAN);
  EXPECT_EQ(cmp(LOCALE_SYSTEM_DEFAULT, SORT_STRINGSORT, "apple", "apple"), CSTR_EQUAL);
  EXPECT_EQ(cmp(LOCALE_SYSTEM_DEFAULT, 0, "apple", "APPLE"), CSTR_LESS_THAN);
  EXPECT_EQ(cmp(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, "apple", "APPLE"), CSTR_EQUAL);
  EXPECT_EQ(cmp(LOCALE_SYSTEM_DEFAULT, NORM_IGNORENONSPACE, "resume", "résumé"), CSTR_EQUAL);
  EXPECT_EQ(cmp(LOCALE_SYSTEM_DEFAULT, NORM_IGNORESYMBOLS, "a.b", "ab"), CSTR_EQUAL);
  EXPECT_EQ(cmp(0x0407, SORT_STRINGSORT, "Äpfel", "Birne"), CSTR_LESS_THAN);
  // A word sort keeps "co-op" beside "coop"; a string sort puts the symbol first.
  EXPECT_EQ(cmp(LOCALE_SYSTEM_DEFAULT, 0, "co-op", "cook"), CSTR_GREATER_THAN);
  EXPECT_EQ(cmp(LOCALE_SYSTEM_DEFAULT, SORT_STRINGSORT, "co-op", "cook"), CSTR_LESS_THAN);
  // Explicit lengths stop early; bytes that are not UTF-8 still compare.
  EXPECT_EQ(CompareStringA(LOCALE_SYSTEM_DEFAULT, 0, "abcX", 3, "abcY", 3), CSTR_EQUAL);
  EXPECT_NE(cmp(LOCALE_SYSTEM_DEFAULT, 0, "\xff\xfe", "abc"), 0);
  EXPECT_EQ(CompareStringA(LOCALE_SYSTEM_DEFAULT, 0, nullptr, -1, "a", -1), 0);
  EXPECT_EQ(cmp(LOCALE_SYSTEM_DEFAULT, 0x100, "a", "b"), 0);
}

}  // namespace
