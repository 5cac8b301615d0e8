#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "win/mbstring.h"

namespace {

const unsigned char* U(const char* s) { return reinterpret_cast<const unsigned char*>(s); }
long Off(const unsigned char* base, const unsigned char* p) { return p ? static_cast<long>(p - base) : -1; }

// "aä€😀b": a(1) ä(2) €(3) 😀(4) b(1)
const char kMixed[] = "a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80" "b";

TEST(MbString, StepsOverWholeCharacters) {
  const unsigned char* s = U(kMixed);
  EXPECT_EQ(_mbslen(s), 5u);
  EXPECT_EQ(strlen(kMixed), 11u);
  const unsigned char* p = s;
  long offsets[6];
  for (long& o : offsets) {
    o = Off(s, p);
    p = _mbsinc(p);
  }
  EXPECT_EQ(std::vector<long>(offsets, offsets + 6), (std::vector<long>{0, 1, 3, 6, 10, 11}));
  EXPECT_EQ(Off(s, _mbsdec(s, s + 11)), 10);
  EXPECT_EQ(Off(s, _mbsdec(s, s + 10)), 6);
  EXPECT_EQ(Off(s, _mbsdec(s, s + 6)), 3);
  EXPECT_EQ(Off(s, _mbsdec(s, s + 1)), 0);
  EXPECT_EQ(_mbsdec(s, s), nullptr);
  EXPECT_EQ(_mbsnextc(s + 1), 0xE4u);
  EXPECT_EQ(_mbsnextc(s + 6), 0x1F600u);
  EXPECT_EQ(_mbclen(s + 3), 3u);
  EXPECT_TRUE(_ismbblead(0xC3));
  EXPECT_FALSE(_ismbblead(0xC1));
  EXPECT_FALSE(_ismbblead(0xF5));
  EXPECT_TRUE(_ismbbtrail(0xA4));
  EXPECT_FALSE(_ismbbtrail('a'));
  EXPECT_TRUE(IsDBCSLeadByte(0xE2));
  // CharNext stops on the terminating zero; _mbsinc steps past it.
  EXPECT_EQ(CharNext(kMixed + 11), kMixed + 11);
  EXPECT_EQ(CharPrev(kMixed, kMixed + 6), kMixed + 3);
  EXPECT_EQ(CharPrev(kMixed, kMixed), kMixed);
}

TEST(MbString, InvalidBytesAreSingleCharactersAndNeverOverrun) {
  struct { const char* text; size_t chars; } cases[] = {
      {"\x80\x80", 2},                // stray continuation bytes
      {"a\xC3", 2},                   // lead byte at the end
      {"\xE2\x82", 2},                // truncated three-byte sequence
      {"\xE2\x82z", 3},               // ...followed by ASCII
      {"\xC0\xAF", 2},                // overlong encoding
      {"\xED\xA0\x80", 3},            // surrogate
      {"\xF4\x90\x80\x80", 4},        // past U+10FFFF
      {"\xFF\xFE", 2},
      {"\xF0\x9F\x98", 3},            // four-byte sequence cut short
  };
  for (const auto& c : cases) {
    const unsigned char* s = U(c.text);
    EXPECT_EQ(_mbslen(s), c.chars) << c.text;
    // Walking forward lands exactly on the terminating zero.
    const unsigned char* p = s;
    size_t steps = 0;
    while (*p) {
      p = _mbsinc(p);
      ++steps;
    }
    EXPECT_EQ(p, s + strlen(c.text));
    EXPECT_EQ(steps, c.chars);
    // And walking back from it visits the same number of characters.
    size_t back = 0;
    for (const unsigned char* q = p; (q = _mbsdec(s, q)) != nullptr;) ++back;
    EXPECT_EQ(back, c.chars) << c.text;
  }
  // After a real multibyte character, a stray trail byte stands alone.
  const char* tail = "\xC3\xA4\xA4";
  EXPECT_EQ(_mbsdec(U(tail), U(tail) + 3), U(tail) + 2);
  EXPECT_EQ(_mbsdec(U(tail), U(tail) + 2), U(tail));
}

TEST(MbString, SearchMatchesOnlyAtCharacterStarts) {
  const unsigned char* s = U(kMixed);
  EXPECT_EQ(Off(s, _mbschr(s, 0x20AC)), 3);  // € by code point
  EXPECT_EQ(Off(s, _mbschr(s, 'b')), 10);
  EXPECT_EQ(Off(s, _mbschr(s, 0)), 11);
  EXPECT_EQ(_mbschr(s, 0xA4), nullptr);  // U+00A4 is not in the text
  EXPECT_EQ(_mbsstr(s, U("\xA4")), nullptr);  // a trail byte is no match
  EXPECT_EQ(Off(s, _mbsstr(s, U("\xE2\x82\xAC"))), 3);
  const char* repeated = "ä-ä";
  EXPECT_EQ(Off(U(repeated), _mbsrchr(U(repeated), 0xE4)), 3);
  EXPECT_EQ(_mbsspn(U("äöx"), U("öä")), 4u);
  EXPECT_EQ(_mbscspn(U("ab€c"), U("€")), 2u);
  EXPECT_EQ(_mbscspn(U("ab\xE2\x82\xAD"), U("€")), 5u);  // a different character with the same lead
  EXPECT_EQ(Off(U("x€y"), _mbspbrk(U("x€y"), U("y€"))), 1);
  // Stray bytes can be searched for; a char value arrives sign-extended.
  const char* stray = "a\xA4";
  EXPECT_EQ(Off(U(stray), _mbschr(U(stray), static_cast<unsigned int>(static_cast<int>('\xA4')))), 1);
  EXPECT_EQ(_tcschr("abc", 'c') - "abc", 2);
  EXPECT_STREQ(_tcsstr("needle in hay", "in"), "in hay");
}

TEST(MbString, ComparisonsFoldCaseAcrossScripts) {
  struct { const char* a; const char* b; int cmp; int icmp; } cases[] = {
      {"abc", "abc", 0, 0},
      {"abc", "ABC", 1, 0},
      {"Äpfel", "äpfel", -1, 0},
      {"ÉCOLE", "école", -1, 0},
      {"Straße", "STRAßE", 1, 0},
      {"ab", "abc", -1, -1},
      {"b", "Ä", -1, -1},      // code point order: b (U+62) before ä (U+E4)
      {"\xC3", "\xC3\xA4", -1, 1},  // stray lead byte vs. the character it starts
  };
  for (const auto& c : cases) {
    EXPECT_EQ(_mbscmp(U(c.a), U(c.b)), c.cmp) << c.a << " vs " << c.b;
    EXPECT_EQ(_mbsicmp(U(c.a), U(c.b)), c.icmp) << c.a << " vs " << c.b;
    EXPECT_EQ(_mbsicmp(U(c.b), U(c.a)), -c.icmp) << c.b << " vs " << c.a;
  }
  EXPECT_EQ(_mbsncmp(U("äbc"), U("äbd"), 2), 0);  // characters
  EXPECT_NE(_mbsncmp(U("äbc"), U("äbd"), 3), 0);
  EXPECT_EQ(_mbsnicmp(U("ÄBc"), U("äbd"), 2), 0);
  EXPECT_EQ(_mbsnbcmp(U("äbc"), U("äbd"), 3), 0);  // bytes
  EXPECT_NE(_mbsnbcmp(U("äbc"), U("äbd"), 4), 0);
  // The limit cuts ä after its first byte: the cut character is not compared.
  EXPECT_EQ(_mbsnbcmp(U("xä"), U("xö"), 2), 0);
  EXPECT_EQ(_mbsnbicmp(U("XÄ"), U("xä"), 3), 0);
  EXPECT_EQ(_tcsicmp("Zürich", "ZÜRICH"), 0);
}

TEST(MbString, CaseMappingKeepsByteLength) {
  char text[] = "grüße àéî ǆ ı abc";
  size_t len = strlen(text);
  _mbsupr(reinterpret_cast<unsigned char*>(text));
  EXPECT_STREQ(text, "GRÜßE ÀÉÎ Ǆ ı ABC");  // ß and dotless ı keep their bytes
  EXPECT_EQ(strlen(text), len);
  _mbslwr(reinterpret_cast<unsigned char*>(text));
  EXPECT_STREQ(text, "grüße àéî ǆ ı abc");
  char broken[] = "a\xC3Z\xA4";
  CharLower(broken);
  EXPECT_STREQ(broken, "a\xC3z\xA4");
  EXPECT_EQ(reinterpret_cast<uintptr_t>(CharUpper(reinterpret_cast<LPSTR>(static_cast<uintptr_t>('q')))),
            static_cast<uintptr_t>('Q'));
  EXPECT_EQ(_totupper(0xE4), 0xC4u);
  EXPECT_EQ(_totlower('Q'), static_cast<unsigned>('q'));
}

TEST(MbString, CharacterClasses) {
  EXPECT_TRUE(_istdigit('7'));
  EXPECT_FALSE(_istdigit(0x0663));  // Arabic-Indic three is not an ASCII digit
  EXPECT_TRUE(_istspace('\t'));
  EXPECT_FALSE(_istspace('x'));
  EXPECT_TRUE(_istalpha(0xE4));
  EXPECT_TRUE(_istalpha('Z'));
  EXPECT_FALSE(_istalpha('1'));
  EXPECT_TRUE(IsCharAlpha('a'));
  EXPECT_FALSE(IsCharAlpha('\xC3'));  // a lone byte of ä is no letter
  EXPECT_TRUE(IsCharAlphaNumeric('5'));
  EXPECT_TRUE(IsCharUpper('A'));
  EXPECT_TRUE(IsCharLower('a'));
  EXPECT_FALSE(IsCharLower('A'));
}

TEST(WindowStrings, CopyCompareAndFormat) {
  char buf[8];
  EXPECT_EQ(lstrlen(nullptr), 0);
  EXPECT_EQ(lstrlen("äb"), 3);
  EXPECT_STREQ(lstrcpyn(buf, "abcdefghij", 5), "abcd");
  EXPECT_STREQ(lstrcpyn(buf, "aäb", 3), "a");  // ä does not fit whole
  EXPECT_STREQ(lstrcpyn(buf, "aäb", 4), "aä");
  EXPECT_EQ(lstrcpyn(buf, "x", 0), nullptr);
  EXPECT_STREQ(lstrcpy(buf, "copy"), "copy");
  EXPECT_EQ(lstrcpy(nullptr, "x"), nullptr);

  EXPECT_LT(lstrcmp("a", "B"), 0);   // letters first, case second
  EXPECT_LT(lstrcmp("a", "A"), 0);   // lower case before upper case
  EXPECT_GT(lstrcmp("B", "a"), 0);
  EXPECT_EQ(lstrcmp("same", "same"), 0);
  EXPECT_EQ(lstrcmpi("Öl", "öL"), 0);
  EXPECT_LT(lstrcmpi("apple", "BANANA"), 0);

  char out[1100];
  EXPECT_EQ(wsprintf(out, "%s-%d", "n", 5), 3);
  EXPECT_STREQ(out, "n-5");
  std::string big(2000, 'x');
  EXPECT_EQ(wsprintf(out, "%s", big.c_str()), 1024);  // the window system's limit
  EXPECT_EQ(strlen(out), 1024u);
  EXPECT_EQ(_ttoi("42abc"), 42);
  char* end = nullptr;
  EXPECT_EQ(_tcstol("0x1F", &end, 16), 31);
}

}  // namespace
