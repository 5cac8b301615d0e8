#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "mfc/cstring.h"
#include "nbp/diag.h"
#include "win/resources.h"

namespace {

std::string S(const CString& s) { return std::string(static_cast<LPCTSTR>(s), static_cast<size_t>(s.GetLength())); }

TEST(CStringBasics, ConstructionAndSize) {
  EXPECT_EQ(sizeof(CString), sizeof(void*));
  EXPECT_EQ(S(CString()), "");
  EXPECT_EQ(S(CString(static_cast<LPCTSTR>(nullptr))), "");
  EXPECT_EQ(S(CString('x', 3)), "xxx");
  EXPECT_EQ(S(CString('x', -2)), "");
  EXPECT_EQ(S(CString("abcdef", 3)), "abc");
  EXPECT_EQ(S(CString("abc", -1)), "");
  EXPECT_EQ(S(CString(L"Grüße")), "Grüße");
  CString a("one");
  CString b(a);
  b.SetAt(0, 'O');
  EXPECT_EQ(S(a), "one");  // copies never share a buffer
  EXPECT_EQ(S(b), "One");
  EXPECT_EQ(b.GetAt(2), 'e');
  EXPECT_EQ(b[0], 'O');
}

TEST(CStringBasics, OutOfRangeCharactersAreHarmless) {
  nbp::diag::SetAssertReporting(false);
  CString s("ab");
  EXPECT_EQ(s.GetAt(2), '\0');
  EXPECT_EQ(s.GetAt(-1), '\0');
  s.SetAt(5, 'x');
  s.SetAt(-1, 'x');
  EXPECT_EQ(S(s), "ab");
  nbp::diag::SetAssertReporting(true);
}

TEST(CStringBasics, ConcatenationOverloads) {
  CString s("a");
  s += "b";
  s += 'c';
  s += CString("d");
  EXPECT_EQ(S(s), "abcd");
  EXPECT_EQ(S(s + "e"), "abcde");
  EXPECT_EQ(S("z" + s), "zabcd");
  EXPECT_EQ(S('<' + s + '>'), "<abcd>");
  EXPECT_EQ(S(s + s), "abcdabcd");
  s += s;  // appending itself
  EXPECT_EQ(S(s), "abcdabcd");
  s = static_cast<LPCTSTR>(s) + 4;  // assigning a piece of itself
  EXPECT_EQ(S(s), "abcd");
  s = 'q';
  EXPECT_EQ(S(s), "q");
}

TEST(CStringBasics, ComparisonsWithStringsAndPointers) {
  CString apple("apple");
  EXPECT_TRUE(apple == "apple");
  EXPECT_TRUE("apple" == apple);
  EXPECT_TRUE(apple != CString("Apple"));
  EXPECT_TRUE(apple < "banana");
  EXPECT_TRUE("banana" > apple);
  EXPECT_TRUE(apple <= CString("apple"));
  EXPECT_TRUE(apple >= "appl");
  EXPECT_LT(apple.Compare("apples"), 0);
  EXPECT_GT(apple.Compare("Apple"), 0);  // byte order: upper case first
  EXPECT_EQ(apple.CompareNoCase("APPLE"), 0);
  EXPECT_EQ(apple.Compare(nullptr), 1);
}

TEST(CStringBasics, CompareNoCaseFoldsNonAsciiLetters) {
  EXPECT_EQ(CString("Äpfel").CompareNoCase("äpfel"), 0);
  EXPECT_NE(CString("Äpfel").Compare("äpfel"), 0);
  EXPECT_EQ(CString("ΣΟΦΊΑ").CompareNoCase("σοφία"), 0);
  EXPECT_LT(CString("äpfel").CompareNoCase("ÄPFELN"), 0);
  EXPECT_NE(CString("Äpfel").CompareNoCase("apfel"), 0);
  EXPECT_EQ(CString("abc").CollateNoCase("ABC"), 0);
  EXPECT_LT(CString("abc").Collate("abd"), 0);
}

TEST(CStringExtract, MidLeftRightClampLikeMfc) {
  CString s("Hello");
  struct { int first, count; const char* want; } mid[] = {
      {1, 3, "ell"}, {-3, 2, "He"}, {2, -1, ""}, {3, 100, "lo"}, {5, 1, ""}, {9, 2, ""}, {0, INT_MAX, "Hello"},
      {INT_MAX, INT_MAX, ""},
  };
  for (auto c : mid) EXPECT_EQ(S(s.Mid(c.first, c.count)), c.want) << c.first << "," << c.count;
  EXPECT_EQ(S(s.Mid(2)), "llo");
  EXPECT_EQ(S(s.Mid(-1)), "Hello");
  EXPECT_EQ(S(s.Left(2)), "He");
  EXPECT_EQ(S(s.Left(-2)), "");
  EXPECT_EQ(S(s.Left(99)), "Hello");
  EXPECT_EQ(S(s.Right(2)), "lo");
  EXPECT_EQ(S(s.Right(-2)), "");
  EXPECT_EQ(S(s.Right(99)), "Hello");
  EXPECT_EQ(S(CString("a1b2").SpanIncluding("ab12")), "a1b2");
  EXPECT_EQ(S(CString("123abc").SpanIncluding("0123456789")), "123");
  EXPECT_EQ(S(CString("name=value").SpanExcluding("=;")), "name");
}

TEST(CStringFind, CharactersSubstringsAndStarts) {
  CString s("a,b,,c");
  EXPECT_EQ(s.Find(','), 1);
  EXPECT_EQ(s.Find(',', 2), 3);
  EXPECT_EQ(s.Find(',', -5), 1);
  EXPECT_EQ(s.Find(',', 6), -1);
  EXPECT_EQ(s.Find(',', 100), -1);
  EXPECT_EQ(s.Find(",,"), 3);
  EXPECT_EQ(s.Find(",c", 4), 4);
  EXPECT_EQ(s.Find("x"), -1);
  EXPECT_EQ(s.Find(""), 0);
  EXPECT_EQ(s.Find("c", 6), -1);
  EXPECT_EQ(s.ReverseFind(','), 4);
  EXPECT_EQ(s.ReverseFind('q'), -1);
  EXPECT_EQ(s.FindOneOf("cb"), 2);
  EXPECT_EQ(s.FindOneOf("xyz"), -1);
}

TEST(CStringFind, NeverMatchesInsideAMultibyteCharacter) {
  CString s("aä€b");  // ä = C3 A4, € = E2 82 AC
  EXPECT_EQ(s.Find("\xA4"), -1);
  EXPECT_EQ(s.Find(static_cast<TCHAR>('\xAC')), -1);
  EXPECT_EQ(s.Find("€"), 3);
  EXPECT_EQ(s.Find('b'), 6);
  EXPECT_EQ(s.FindOneOf("€"), 3);
  EXPECT_EQ(S(s.SpanIncluding("aä")), "aä");
  // A stray byte is a character of its own and can be found.
  CString stray("x\xA4y");
  EXPECT_EQ(stray.Find(static_cast<TCHAR>('\xA4')), 1);
  EXPECT_EQ(stray.ReverseFind('y'), 2);
}

TEST(CStringEdit, ReplaceGrowingShrinkingAndAtBoundaries) {
  CString s("one two one");
  EXPECT_EQ(s.Replace("one", "three"), 2);
  EXPECT_EQ(S(s), "three two three");
  EXPECT_EQ(s.Replace("three", "3"), 2);
  EXPECT_EQ(S(s), "3 two 3");
  EXPECT_EQ(s.Replace(" ", nullptr), 2);
  EXPECT_EQ(S(s), "3two3");
  EXPECT_EQ(s.Replace("", "x"), 0);
  EXPECT_EQ(s.Replace("missing", "x"), 0);
  EXPECT_EQ(S(s), "3two3");
  CString aa("aaaa");
  EXPECT_EQ(aa.Replace("aa", "a"), 2);  // non-overlapping, left to right
  EXPECT_EQ(S(aa), "aa");
  EXPECT_EQ(aa.Replace('a', 'b'), 2);
  EXPECT_EQ(S(aa), "bb");
  CString umlaut("ä-ä");
  EXPECT_EQ(umlaut.Replace("\xA4", "x"), 0);  // a trail byte is not a character
  EXPECT_EQ(umlaut.Replace("ä", "ae"), 2);
  EXPECT_EQ(S(umlaut), "ae-ae");
  CString zeros("a\0a", 3);  // text after an embedded zero is searched too
  EXPECT_EQ(zeros.Replace("a", "bc"), 2);
  EXPECT_EQ(S(zeros), std::string("bc\0bc", 5));
  CString big;
  for (int i = 0; i < 1000; ++i) big += "ab";
  EXPECT_EQ(big.Replace("b", "bbbb"), 1000);
  EXPECT_EQ(big.GetLength(), 5000);
}

TEST(CStringEdit, RemoveInsertDelete) {
  CString s("a-b-c");
  EXPECT_EQ(s.Remove('-'), 2);
  EXPECT_EQ(S(s), "abc");
  EXPECT_EQ(s.Insert(1, "XY"), 5);
  EXPECT_EQ(S(s), "aXYbc");
  EXPECT_EQ(s.Insert(-4, '<'), 6);
  EXPECT_EQ(s.Insert(100, '>'), 7);
  EXPECT_EQ(S(s), "<aXYbc>");
  EXPECT_EQ(s.Delete(1, 3), 4);
  EXPECT_EQ(S(s), "<bc>");
  EXPECT_EQ(s.Delete(2, 100), 2);
  EXPECT_EQ(S(s), "<b");
  EXPECT_EQ(s.Delete(5), 2);
  EXPECT_EQ(s.Delete(0, -1), 2);
  EXPECT_EQ(s.Delete(-3), 1);
  EXPECT_EQ(S(s), "b");
}

TEST(CStringEdit, CaseAndReverseKeepCharactersWhole) {
  CString s("Grüße, ÄÖÜ abc");
  s.MakeUpper();
  EXPECT_EQ(S(s), "GRÜßE, ÄÖÜ ABC");  // ß keeps its length: no SS
  s.MakeLower();
  EXPECT_EQ(S(s), "grüße, äöü abc");
  CString r("aä€b");
  r.MakeReverse();
  EXPECT_EQ(S(r), "b€äa");
  CString broken("a\xC3z");  // a lead byte without its trail byte
  broken.MakeReverse();
  EXPECT_EQ(S(broken), "z\xC3" "a");
}

TEST(CStringEdit, TrimWhitespaceCharactersAndSets) {
  CString s(" \t text \r\n");
  s.TrimLeft();
  EXPECT_EQ(S(s), "text \r\n");
  s.TrimRight();
  EXPECT_EQ(S(s), "text");
  CString stars("**a*b**");
  stars.TrimLeft('*');
  EXPECT_EQ(S(stars), "a*b**");
  stars.TrimRight('*');
  EXPECT_EQ(S(stars), "a*b");
  CString set("-+-value+-");
  set.TrimLeft("+-");
  EXPECT_EQ(S(set), "value+-");
  set.TrimRight("-+");
  EXPECT_EQ(S(set), "value");
  CString multi("««Zitat»»");
  multi.TrimLeft("«»");
  multi.TrimRight("«»");
  EXPECT_EQ(S(multi), "Zitat");
  // A set holding one byte of a multibyte character trims nothing of it.
  CString partial("«x");
  partial.TrimLeft("\xC2");
  EXPECT_EQ(S(partial), "«x");
  CString all("   ");
  all.TrimRight();
  EXPECT_TRUE(all.IsEmpty());
}

TEST(CStringFormat, PrintfStyleWithLongOutput) {
  CString s;
  s.Format("%s=%05d %.2f %c", "n", 42, 3.14159, 'z');
  EXPECT_EQ(S(s), "n=00042 3.14 z");
  std::string longArg(5000, 'x');
  s.Format("[%s]", longArg.c_str());
  EXPECT_EQ(s.GetLength(), 5002);
  EXPECT_EQ(S(s), "[" + longArg + "]");
  // Formatting from itself (through LPCTSTR) is allowed.
  s = "ab";
  s.Format("%s%s", static_cast<LPCTSTR>(s), static_cast<LPCTSTR>(s));
  EXPECT_EQ(S(s), "abab");
  s.Format("%s", "");
  EXPECT_TRUE(s.IsEmpty());
}

TEST(CStringFormat, FormatMessageInserts) {
  CString s;
  s.FormatMessage("%2 before %1", "first", "second");
  EXPECT_EQ(S(s), "second before first");
  s.FormatMessage("%1!d! of %2!s!, %1!d! again", 3, "five");
  EXPECT_EQ(S(s), "3 of five, 3 again");
  s.FormatMessage("%1!5.1f!|%2!x!|%3!-4s!|", 2.25, 255, "ab");
  EXPECT_EQ(S(s), "  2.2|ff|ab  |");
  s.FormatMessage("100%% sure%nnext%ttab%0ignored");
  EXPECT_EQ(S(s), "100% sure\r\nnext\ttab");
  s.FormatMessage("%1%10", "a", "b", "c", "d", "e", "f", "g", "h", "i", "ten");
  EXPECT_EQ(S(s), "aten");
  // %3 is never used; the arguments around it still line up.
  s.FormatMessage("%4-%1", "one", "two", "three", "four");
  EXPECT_EQ(S(s), "four-one");
}

TEST(CStringBuffer, GetBufferAndReleaseBuffer) {
  CString s("abc");
  char* p = s.GetBuffer(20);
  EXPECT_STREQ(p, "abc");
  EXPECT_GE(s.GetAllocLength(), 20);
  strcpy(p, "longer text");
  s.ReleaseBuffer();
  EXPECT_EQ(S(s), "longer text");
  p = s.GetBuffer(0);
  p[3] = '\0';
  s.ReleaseBuffer();
  EXPECT_EQ(S(s), "lon");
  p = s.GetBuffer(5);
  memcpy(p, "x\0yz", 4);
  s.ReleaseBuffer(4);  // an explicit length keeps embedded zeros
  EXPECT_EQ(s.GetLength(), 4);
  s.ReleaseBuffer(1000);  // clamped to what was allocated
  EXPECT_LE(s.GetLength(), s.GetAllocLength());

  CString e;
  p = e.GetBufferSetLength(3);
  memcpy(p, "xyz", 3);
  e.ReleaseBuffer();
  EXPECT_EQ(S(e), "xyz");
  e.GetBuffer(100);
  e.ReleaseBuffer();
  EXPECT_GE(e.GetAllocLength(), 100);
  e.FreeExtra();
  EXPECT_EQ(e.GetAllocLength(), 3);
  EXPECT_EQ(S(e), "xyz");
  char* locked = e.LockBuffer();
  CString copy(e);
  locked[0] = 'X';
  e.UnlockBuffer();
  EXPECT_EQ(S(copy), "xyz");
  EXPECT_EQ(S(e), "Xyz");
  CString neg;
  EXPECT_NE(neg.GetBuffer(-5), nullptr);
  neg.ReleaseBuffer();
  EXPECT_TRUE(neg.IsEmpty());
}

class CStringResources : public ::testing::Test {
 protected:
  void SetUp() override {
    m_saved = AfxGetResourceHandle();
    m_module = nbp::res::CreateModule("strings");
    nbp::res::AddString(m_module, 4001, "Datei %1 in %2 nicht gefunden");
    nbp::res::AddString(m_module, 4002, "%s hat %d Einträge");
    nbp::res::AddString(m_module, 4003, "%2 vor %1");
    nbp::res::AddString(m_module, 4004, "%1 und %3");
    AfxSetResourceHandle(m_module);
  }
  void TearDown() override {
    AfxSetResourceHandle(m_saved);
    nbp::res::DestroyModule(m_module);
  }
  HINSTANCE m_saved = nullptr;
  HINSTANCE m_module = nullptr;
};

TEST_F(CStringResources, LoadStringAndIdConstructor) {
  CString s;
  EXPECT_TRUE(s.LoadString(4003));
  EXPECT_EQ(S(s), "%2 vor %1");
  EXPECT_FALSE(s.LoadString(4999));
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_EQ(S(CString(MAKEINTRESOURCE(4001))), "Datei %1 in %2 nicht gefunden");
  EXPECT_EQ(S(CString(MAKEINTRESOURCE(4998))), "");
}

TEST_F(CStringResources, LoadStringFallsBackToModulesInTheChain) {
  HINSTANCE ext = nbp::res::CreateModule("extension");
  nbp::res::AddString(ext, 5000, "aus der Erweiterung");
  nbp::res::AddString(ext, 4005, "hidden");  // block of 4001..4004, which the resource handle holds
  CString s;
  EXPECT_FALSE(s.LoadString(5000));
  nbp::res::AppendToChain(ext);
  EXPECT_TRUE(s.LoadString(5000));
  EXPECT_EQ(S(s), "aus der Erweiterung");
  // The resource handle holds that block, so it is asked and lacks the id.
  EXPECT_FALSE(s.LoadString(4005));
  nbp::res::DestroyModule(ext);
  EXPECT_FALSE(s.LoadString(5000));
}

TEST_F(CStringResources, FormatFromIds) {
  CString s;
  s.Format(4002u, "Liste", 7);
  EXPECT_EQ(S(s), "Liste hat 7 Einträge");
  s.FormatMessage(4003u, "eins", "zwei");
  EXPECT_EQ(S(s), "zwei vor eins");
}

TEST_F(CStringResources, AfxFormatStrings) {
  CString s;
  AfxFormatString2(s, 4001, "a.txt", "/tmp");
  EXPECT_EQ(S(s), "Datei a.txt in /tmp nicht gefunden");
  AfxFormatString1(s, 4001, "b.txt");
  EXPECT_EQ(S(s), "Datei b.txt in ? nicht gefunden");  // a missing insert shows as ?
  s = "unchanged";
  AfxFormatString1(s, 4999, "x");
  EXPECT_EQ(S(s), "unchanged");
  LPCTSTR three[] = {"A", nullptr, "C"};
  AfxFormatStrings(s, 4004, three, 3);
  EXPECT_EQ(S(s), "A und C");
  AfxFormatStrings(s, "%1%2%A", three, 3);  // a null string inserts nothing
  EXPECT_EQ(S(s), "A?");
}

TEST(CStringHelpers, AfxExtractSubString) {
  CString s;
  const char* full = "Name\nVorname\n\nOrt";
  struct { int index; BOOL ok; const char* want; } cases[] = {
      {0, TRUE, "Name"}, {1, TRUE, "Vorname"}, {2, TRUE, ""}, {3, TRUE, "Ort"}, {4, FALSE, ""}, {-1, FALSE, ""},
  };
  for (auto c : cases) {
    s = "old";
    EXPECT_EQ(AfxExtractSubString(s, full, c.index), c.ok) << c.index;
    EXPECT_EQ(S(s), c.want) << c.index;
  }
  EXPECT_TRUE(AfxExtractSubString(s, "ä;ö;ü", 2, ';'));
  EXPECT_EQ(S(s), "ü");
  s = "kept";
  EXPECT_FALSE(AfxExtractSubString(s, nullptr, 0));
  EXPECT_EQ(S(s), "kept");
}

}  // namespace
