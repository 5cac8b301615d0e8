// The tab control's arithmetic and the label cutting it relies on.
#include <gtest/gtest.h>

#include <string>

#include "HostI18n/host_i18n.h"
#include "buttons/tab_layout.h"
#include "nbp/utf8_step.h"

using nbui::tabs::FitLabel;
using nbui::tabs::NaturalWidth;
using nbui::tabs::Squeezed;

namespace {

std::string Left(const char* text, int n) {
  CString s(text);
  LeftAndValidateDec(s, n);
  return std::string(s);
}

// Ten pixels a character, as the user counts characters.
int TenPerChar(const CString& s) {
  return 10 * static_cast<int>(nbp::utf8::CountChars(std::string_view(s, static_cast<size_t>(s.GetLength()))));
}

bool WholeCharacters(const CString& s) {
  std::string_view v(s, static_cast<size_t>(s.GetLength()));
  for (size_t i = 0; i < v.size();) {
    size_t len = nbp::utf8::CharLen(v.data() + i, v.size() - i);
    if (len == 1 && static_cast<unsigned char>(v[i]) >= 0x80) return false;
    i += len;
  }
  return true;
}

}  // namespace

TEST(TabLayout, NaturalWidthsAddMarginsAndIcon) {
  EXPECT_EQ(NaturalWidth(10, false), 28);
  EXPECT_EQ(NaturalWidth(10, true), 47);
  EXPECT_EQ(NaturalWidth(0, false), 18);
  EXPECT_EQ(NaturalWidth(-20, false), 11) << "never below M + 8";
}

TEST(TabLayout, SqueezeGivesEqualWidthsAndTheRestToTheLast) {
  EXPECT_EQ(Squeezed(0, 3, 150).left, 1);
  EXPECT_EQ(Squeezed(0, 3, 150).width, 50);
  EXPECT_EQ(Squeezed(1, 3, 150).left, 51);
  EXPECT_EQ(Squeezed(1, 3, 150).width, 50);
  EXPECT_EQ(Squeezed(2, 3, 150).left, 101);
  EXPECT_EQ(Squeezed(2, 3, 150).width, 49);
  EXPECT_EQ(Squeezed(0, 1, 80).width, 79);
}

TEST(LeftAndValidateDec, KeepsWholeCharacters) {
  EXPECT_EQ(Left("Zoë Müller", 3), "Zoë");
  EXPECT_EQ(Left("日本語のタブ", 2), "日本");
  EXPECT_EQ(Left("a😀b", 2), "a😀");
  EXPECT_EQ(Left("abc", 10), "abc");
  EXPECT_EQ(Left("abc", 0), "");
  EXPECT_EQ(Left("abc", -4), "");
  // A stray byte counts as a character of its own.
  EXPECT_EQ(Left("a\xFF" "b", 2), "a\xFF");
}

TEST(TabLabel, FittingTextIsKept) {
  EXPECT_EQ(std::string(FitLabel("Notes", 50, TenPerChar)), "Notes");
}

TEST(TabLabel, LongTextKeepsTheLongestHeadThatFitsWithDots) {
  // 90 pixels: six characters and the three dots.
  EXPECT_EQ(std::string(FitLabel("Appointments", 90, TenPerChar)), "Appoin...");
  EXPECT_EQ(std::string(FitLabel("Appointments", 89, TenPerChar)), "Appoi...");
}

TEST(TabLabel, NonAsciiTextIsCutOnCharacterBoundaries) {
  for (int room = 0; room <= 120; room += 7) {
    CString label = FitLabel("Übersicht der Geschäftstermine 日本", room, TenPerChar);
    EXPECT_TRUE(WholeCharacters(label)) << room;
    EXPECT_LE(TenPerChar(label), room) << room;
  }
  EXPECT_EQ(std::string(FitLabel("日本語のタブ", 59, TenPerChar)), "日本...");
}

TEST(TabLabel, NoRoomForAHeadCutsTheDotsThenNothing) {
  EXPECT_EQ(std::string(FitLabel("Calendar", 30, TenPerChar)), "C..");
  EXPECT_EQ(std::string(FitLabel("Calendar", 10, TenPerChar)), "C");
  EXPECT_EQ(std::string(FitLabel("Calendar", 5, TenPerChar)), "");
  EXPECT_EQ(std::string(FitLabel("W", 5, TenPerChar)), "");
}

TEST(TabLabel, MalformedTextThatFitsNowhereEmpties) {
  // Stray continuation bytes count as no character; found by fuzzing.
  auto bytes = [](const CString& s) { return s.GetLength(); };
  EXPECT_EQ(std::string(FitLabel("\x8B\x86", 1, bytes)), "");
  EXPECT_EQ(std::string(FitLabel("\x8B\x86x", 1, bytes)), "");
}

TEST(TabLabel, LongTextNeedsFewMeasurements) {
  std::string text(100000, 'x');
  int calls = 0;
  CString label = FitLabel(text.c_str(), 200, [&](const CString& s) {
    ++calls;
    return TenPerChar(s);
  });
  EXPECT_EQ(label.GetLength(), 20);
  EXPECT_LT(calls, 40);
}
